#include "prediction/wulff_table.h"

#include <cctype>
#include <cmath>
#include <sstream>

#include "core/numbers.h"
#include "symmetry/point_groups.h"

namespace habitopia {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return std::string(text.substr(first, last - first + 1));
}

// "units: J/m^2" (or "unit ="), the comment's text after the "#".
std::optional<std::string> UnitOfComment(std::string_view comment) {
  const std::string text = Trimmed(comment);
  const std::string lower = Lower(text);
  for (std::string_view key : {"units", "unit"}) {
    if (lower.rfind(key, 0) != 0) continue;
    std::string rest = Trimmed(std::string_view(text).substr(key.size()));
    if (rest.empty() || (rest[0] != ':' && rest[0] != '=')) return std::nullopt;
    rest = Trimmed(std::string_view(rest).substr(1));
    if (!rest.empty()) return rest;
  }
  return std::nullopt;
}

bool IsInteger(Real v) { return std::isfinite(v) && v == std::nearbyint(v); }

}  // namespace

std::optional<WulffKind> ParseWulffKind(std::string_view text) {
  if (text == "energy") return WulffKind::Energy;
  if (text == "growth") return WulffKind::Growth;
  if (text == "attachment") return WulffKind::Attachment;
  return std::nullopt;
}

std::string WulffTableError::Text() const {
  return line > 0 ? "line " + std::to_string(line) + ": " + reason : reason;
}

std::variant<WulffTable, WulffTableError> ReadWulffTable(std::string_view text, WulffKind kind,
                                                         int pointGroup) {
  WulffTable table;
  const std::vector<Matrix3>& operations = GetPointGroup(pointGroup).operations;
  std::istringstream in{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const auto hash = line.find('#');
    if (hash != std::string::npos) {
      if (auto unit = UnitOfComment(std::string_view(line).substr(hash + 1));
          unit && table.unit.empty())
        table.unit = *unit;
      line.erase(hash);
    }
    std::istringstream fields(line);
    std::vector<std::string> tokens;
    for (std::string token; fields >> token;) tokens.push_back(token);
    if (tokens.empty()) continue;
    if (tokens.size() != 4 && tokens.size() != 5)
      return WulffTableError{number, "expected \"h k l value\" (or \"h k i l value\"), found " +
                                         std::to_string(tokens.size()) + " columns"};
    std::vector<Real> numbers;
    for (const std::string& token : tokens) {
      long double v = 0;
      if (!ParseReal(token, v) || !std::isfinite(v))
        return WulffTableError{number, "\"" + token + "\" is not a number"};
      numbers.push_back(v);
    }
    const Real value = numbers.back();
    numbers.pop_back();
    for (Real index : numbers)
      if (!IsInteger(index))
        return WulffTableError{
            number, "the indices of a form are integers, not \"" + FormatGeneral(index) + "\""};
    if (numbers.size() == 4) {
      if (numbers[2] != -(numbers[0] + numbers[1]))
        return WulffTableError{number, "in h k i l, i must be -(h + k)"};
      numbers.erase(numbers.begin() + 2);
    }
    const Vec3 hkl = ReduceIndices({numbers[0], numbers[1], numbers[2]});
    if (hkl[0] == 0 && hkl[1] == 0 && hkl[2] == 0)
      return WulffTableError{number, "0 0 0 is not a form"};
    if (kind == WulffKind::Attachment ? value == 0 : value <= 0)
      return WulffTableError{number,
                             kind == WulffKind::Attachment
                                 ? std::string("an attachment energy of 0 gives no distance")
                                 : "the value must be positive, not " + FormatGeneral(value)};
    for (const WulffRow& earlier : table.rows)
      for (const Matrix3& m : operations)
        if (RoundIndices(MultiplyMatVec(m, earlier.indices)) == RoundIndices(hkl))
          return WulffTableError{number, "{" + IndexText(hkl) + "} is the form of line " +
                                             std::to_string(earlier.line) + " (" +
                                             IndexText(earlier.indices) + ")"};
    table.rows.push_back({hkl, value, number});
  }
  if (table.rows.empty()) return WulffTableError{0, "the table has no rows"};
  return table;
}

Real WulffDistance(const WulffRow& row, WulffKind kind) {
  return kind == WulffKind::Attachment ? std::fabs(row.value) : row.value;
}

FaceRows WulffUniqueRows(const WulffTable& table, WulffKind kind, char separator) {
  FaceRows rows;
  for (const WulffRow& row : table.rows)
    rows.push_back(
        {IndexText(row.indices, separator), GeneralText(WulffDistance(row, kind), separator)});
  return rows;
}

}  // namespace habitopia
