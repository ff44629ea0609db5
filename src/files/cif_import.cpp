// The CIF line scanner.

#include <cctype>
#include <cmath>
#include <string>

#include "core/cell_check.h"
#include "core/numbers.h"
#include "files/cif.h"
#include "files/file_io.h"

namespace habitopia {

const std::array<std::string_view, kCifCellValues> kCifCellItems{
    "a-axis length",      "b-axis length",     "c-axis length",
    "Metric angle alpha", "Metric angle beta", "Metric angle gamma"};

namespace {

constexpr std::string_view kColourTag = "_exptl_crystal_colour";
constexpr std::string_view kLustreTag = "_exptl_crystal_colour_lustre";
constexpr std::array<std::string_view, kCifCellValues> kCellTags{
    "_cell_length_a",    "_cell_length_b",   "_cell_length_c",
    "_cell_angle_alpha", "_cell_angle_beta", "_cell_angle_gamma"};
constexpr std::string_view kFaceTag = "_exptl_crystal_face_perp_dist";
constexpr std::string_view kSpaceGroupTag = "_symmetry_space_group_name_H-M";
constexpr std::string_view kPointGroupTag = "_symmetry_point_group_name_H-M";
// Tags that state the space group in current CIF dictionaries.
constexpr std::string_view kSpaceGroupSymbolTags[] = {
    "_symmetry_space_group_name_H-M", "_space_group_name_H-M_alt", "_space_group.name_H-M_alt"};
constexpr std::string_view kSpaceGroupNumberTags[] = {
    "_space_group_IT_number", "_symmetry_Int_Tables_number", "_space_group.IT_number"};

constexpr std::string_view kCaptionCharacters = " 123456-/mHRPABCFIabcnd";
constexpr std::string_view kPointGroupCharacters = "123456-/m";

// Lines end with CR LF, LF or a lone CR; a final line end opens no further line.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

bool Contains(std::string_view line, std::string_view tag) {
  return line.find(tag) != std::string_view::npos;
}

// Index of the first line containing `tag`, or -1.
int FindLine(const std::vector<std::string>& lines, std::string_view tag) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (Contains(lines[i], tag)) return static_cast<int>(i);
  return -1;
}

// The text from 1-based character `position` on (empty past the end).
std::string From(const std::string& line, std::size_t position) {
  return position <= line.size() ? line.substr(position - 1) : std::string();
}

// Under a comma locale the first point becomes a comma, otherwise the first comma a point.
std::string FixSeparator(std::string text, bool decimalComma) {
  const char from = decimalComma ? '.' : ',';
  const auto at = text.find(from);
  if (at != std::string::npos) text[at] = decimalComma ? ',' : '.';
  return text;
}

std::optional<long long> ColourOfLine(const std::string& line) {
  const std::string text = From(line, 22);
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\'')) ++start;
  std::size_t end = start;
  while (end < text.size() && text[end] != ' ' && text[end] != '\'') ++end;
  return CifColourValue(std::string_view(text).substr(start, end - start));
}

std::string Keep(std::string_view text, std::string_view allowed) {
  std::string out;
  for (char c : text)
    if (allowed.find(c) != std::string_view::npos) out += c;
  return out;
}

// The point-group symbol of a full Hermann-Mauguin symbol: screw subscripts
// dropped, glide letters written as mirrors, everything else dropped.
std::string DerivedPointGroupSymbol(std::string_view text) {
  std::string out;
  bool previousKeptScrewDigit = false;  // the last character was a kept digit 2..6
  for (char c : text) {
    const bool digit = c >= '1' && c <= '6';
    if (digit && previousKeptScrewDigit) {
      previousKeptScrewDigit = false;
      continue;
    }
    previousKeptScrewDigit = false;
    if (digit) {
      out += c;
      previousKeptScrewDigit = c != '1';
    } else if (c == 'a' || c == 'b' || c == 'c' || c == 'n' || c == 'd') {
      out += 'm';
    } else if (c == '-' || c == '/' || c == 'm') {
      out += c;
    }
  }
  return out;
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

// The value after `tag` on line `index`, or on the next line when the tag ends
// its line; quotes removed.
std::string ValueAfterTag(const std::vector<std::string>& lines, int index, std::string_view tag) {
  const std::string& line = lines[index];
  std::string value = Trimmed(std::string_view(line).substr(line.find(tag) + tag.size()));
  if (value.empty() && index + 1 < static_cast<int>(lines.size())) {
    const std::string next = Trimmed(lines[index + 1]);
    if (!next.empty() && next[0] != '_' && next[0] != ';' && next.rfind("loop_", 0) != 0 &&
        next.rfind("data_", 0) != 0)
      value = next;
  }
  if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"')) {
    const auto close = value.find(value.front(), 1);
    value = value.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  return Trimmed(value);
}

bool IsBlockHeader(std::string_view line) {
  const auto first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || line.size() - first < 5) return false;
  const std::string_view head = line.substr(first, 5);
  for (std::size_t i = 0; i < 5; ++i)
    if (std::tolower(static_cast<unsigned char>(head[i])) != "data_"[i]) return false;
  return true;
}

std::string BlockNameOf(std::string_view line) {
  const std::string name = Trimmed(line.substr(line.find_first_not_of(" \t") + 5));
  return name.substr(0, name.find_first_of(" \t"));
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// Cuts `lines` down to one data block (the lines after its "data_" line up to
// the next one); a file without "data_" lines is taken whole.
void SelectBlock(std::vector<std::string>& lines, std::string_view wanted, CifImport& result) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (IsBlockHeader(lines[i])) starts.push_back(i);
  result.blockCount = static_cast<int>(starts.size());
  if (starts.empty()) {
    result.blockMissing = !wanted.empty();
    if (result.blockMissing) lines.clear();
    return;
  }
  auto blockLines = [&](std::size_t b) {
    const std::size_t end = b + 1 < starts.size() ? starts[b + 1] : lines.size();
    return std::vector<std::string>(lines.begin() + starts[b] + 1, lines.begin() + end);
  };
  std::optional<std::size_t> chosen;
  for (std::size_t b = 0; b < starts.size() && !chosen; ++b) {
    if (!wanted.empty()) {
      if (SameName(BlockNameOf(lines[starts[b]]), wanted)) chosen = b;
      continue;
    }
    for (const std::string& line : blockLines(b))
      if (Contains(line, "_cell_length_") || Contains(line, "_cell_angle_")) {
        chosen = b;
        break;
      }
  }
  if (!chosen && !wanted.empty()) {
    result.blockMissing = true;
    lines.clear();
    return;
  }
  const std::size_t b = chosen.value_or(0);
  result.blockName = BlockNameOf(lines[starts[b]]);
  lines = blockLines(b);
}

// A cell value that makes no real cell counts as missing; lengths too far apart
// are all missing.
void DropImpossibleCellValues(CifImport& result) {
  for (int i = 0; i < 3; ++i)
    if (result.cell[i] && !(std::isfinite(*result.cell[i]) && *result.cell[i] > 0))
      result.cell[i].reset();
  if (result.cell[0] && result.cell[1] && result.cell[2]) {
    const UnitCell lengths{*result.cell[0], *result.cell[1], *result.cell[2], 90, 90, 90};
    if (FindCellFault(lengths))
      for (int i = 0; i < 3; ++i) result.cell[i].reset();
  }
  for (int i = 3; i < kCifCellValues; ++i)
    if (result.cell[i] && !(*result.cell[i] > 0 && *result.cell[i] < 180)) result.cell[i].reset();
  if (result.cell[3] && result.cell[4] && result.cell[5]) {
    const UnitCell angles{1, 1, 1, *result.cell[3], *result.cell[4], *result.cell[5]};
    if (FindCellFault(angles))
      for (int i = 3; i < kCifCellValues; ++i) result.cell[i].reset();
  }
}

// When the full-symbol derivation and the point-group tag found nothing: the
// point group of the stated space-group symbol, else of the stated number.
void DerivePointGroupFromSpaceGroup(const std::vector<std::string>& lines, CifImport& result) {
  // The first symbol stated is kept; the first one recognised gives the group.
  int symbolGroup = 0;
  for (std::string_view tag : kSpaceGroupSymbolTags) {
    const int at = FindLine(lines, tag);
    if (at < 0) continue;
    const std::string value = ValueAfterTag(lines, at, tag);
    if (value.empty() || value == "?" || value == ".") continue;
    if (result.spaceGroupSymbol.empty()) result.spaceGroupSymbol = value;
    symbolGroup = PointGroupOfSpaceGroupSymbol(value);
    if (symbolGroup != 0) {
      result.spaceGroupSymbol = value;
      break;
    }
  }
  for (std::string_view tag : kSpaceGroupNumberTags) {
    const int at = FindLine(lines, tag);
    if (at < 0) continue;
    long long number = 0;
    const std::string value = ValueAfterTag(lines, at, tag);
    if (ParseInteger(value.substr(0, value.find_first_of(" \t")), number) && number >= 1 &&
        number <= 230) {
      result.spaceGroupNumber = static_cast<int>(number);
      break;
    }
  }
  if (result.pointGroup != 0) return;
  if (symbolGroup != 0) {
    result.pointGroup = symbolGroup;
    result.pointGroupSource = CifPointGroupSource::ShortSymbol;
  } else if (const int n = PointGroupOfSpaceGroupNumber(result.spaceGroupNumber); n != 0) {
    result.pointGroup = n;
    result.pointGroupSource = CifPointGroupSource::SpaceGroupNumber;
  }
}

}  // namespace

CifTokens SplitCifLine(std::string_view line) {
  CifTokens result;
  std::string rest = std::string(line) + " ";
  for (;;) {
    const auto first = rest.find_first_not_of(' ');
    rest = first == std::string::npos ? std::string() : rest.substr(first);
    rest = rest.substr(0, 100);
    const auto blank = rest.find(' ');
    if (blank == std::string::npos) break;
    ++result.count;
    if (result.tokens.size() < 11) result.tokens.push_back(rest.substr(0, blank));
    rest = rest.substr(blank + 1);
  }
  return result;
}

int CifImport::TransparencySlider(Real transparency) {
  return static_cast<int>(RoundToInteger(20 * transparency));
}

std::string CifImport::MissingItemsMessage(std::string_view lineBreak) const {
  std::string message = kCifIncomplete;
  for (const std::string& item : missingItems) {
    message += lineBreak;
    message += item;
  }
  return message;
}

bool CifImport::CellComplete() const {
  for (const auto& value : cell)
    if (!value) return false;
  return true;
}

UnitCell CifImport::CellValues() const {
  UnitCell c;
  Real* fields[kCifCellValues] = {&c.a, &c.b, &c.c, &c.alpha, &c.beta, &c.gamma};
  for (int i = 0; i < kCifCellValues; ++i)
    if (cell[i]) *fields[i] = *cell[i];
  return c;
}

CifImport ImportCifText(std::string_view text, bool decimalComma, std::string_view blockName) {
  std::vector<std::string> lines = SplitLines(text);
  CifImport result;
  SelectBlock(lines, blockName, result);

  // Colour: the first line holding the tag (which may be the lustre line).
  if (const int at = FindLine(lines, kColourTag); at >= 0)
    result.fillColour = ColourOfLine(lines[at]);

  // Lustre.
  if (const int at = FindLine(lines, kLustreTag); at >= 0) {
    result.lustreFound = true;
    const std::string& line = lines[at];
    if (Contains(line, "metallic")) result.transparency = 0.05L;
    if (Contains(line, "dull")) result.transparency = 0.1L;
    if (Contains(line, "clear")) result.transparency = 0.3L;
  } else {
    result.missingItems.push_back("Transparency");
  }

  // Cell: the value starts right after the tag's length and ends at "(", where
  // the standard uncertainty begins. A value that does not convert is missing.
  for (int i = 0; i < kCifCellValues; ++i) {
    const int at = FindLine(lines, kCellTags[i]);
    long double value = 0;
    if (at < 0) continue;
    std::string number = From(lines[at], kCellTags[i].size() + 1);
    number = number.substr(0, number.find('('));
    if (ParseLocaleReal(FixSeparator(number, decimalComma), decimalComma, value))
      result.cell[i] = value;
  }
  DropImpossibleCellValues(result);
  for (int i = 0; i < kCifCellValues; ++i) {
    if (result.cell[i])
      ++result.completeness;
    else
      result.missingItems.emplace_back(kCifCellItems[i]);
  }

  // Faces: the n-th line after the tag fills grid row n.
  if (const int at = FindLine(lines, kFaceTag); at < 0) {
    result.missingItems.push_back("List of Miller Indices and Distances");
  } else {
    result.faceListFound = true;
    ++result.completeness;
    for (std::size_t i = at + 1, n = 1; i < lines.size(); ++i, ++n) {
      const std::string& line = lines[i];
      const bool hasUnderscore = Contains(line, "_");
      if (!hasUnderscore && line.size() > 3) {
        const CifTokens split = SplitCifLine(line);
        if (split.count == 4) {
          result.faceRows.resize(n);
          const auto& t = split.tokens;
          result.faceRows[n - 1] = {FixSeparator(t[0], decimalComma) + " " +
                                        FixSeparator(t[1], decimalComma) + " " +
                                        FixSeparator(t[2], decimalComma),
                                    FixSeparator(t[3], decimalComma)};
        }
      }
      if (line.size() < 3 || hasUnderscore) break;
    }
  }

  // Space group: caption and, from a full symbol, the point group.
  if (const int at = FindLine(lines, kSpaceGroupTag); at >= 0) {
    const std::string symbol = From(lines[at], 30);
    result.predictionCaption = "Shape Prediction (SG: " + Keep(symbol, kCaptionCharacters) + " )";
    if (const int g = CifPointGroupFromDerivedSymbol(DerivedPointGroupSymbol(symbol)); g != 0) {
      result.pointGroup = g;
      result.pointGroupSource = CifPointGroupSource::SpaceGroupSymbol;
    }
  }

  // Point-group tag, when the space group gave none.
  if (result.pointGroup == 0) {
    if (const int at = FindLine(lines, kPointGroupTag); at >= 0) {
      const std::string symbol = From(lines[at], 31);
      if (symbol.size() <= 99) {
        if (const int g = CifPointGroupFromSymbol(Keep(symbol, kPointGroupCharacters)); g != 0) {
          result.pointGroup = g;
          result.pointGroupSource = CifPointGroupSource::PointGroupTag;
        }
      }
    }
  }

  // Short symbols ("P 63/m m c") and space-group numbers.
  DerivePointGroupFromSpaceGroup(lines, result);

  if (result.pointGroup != 0)
    ++result.completeness;
  else
    result.missingItems.push_back("Point Group");
  return result;
}

CifReadResult ReadCifFile(const std::string& path, bool decimalComma, std::string_view blockName) {
  CifReadResult result;
  std::string text;
  if (!ReadWholeFile(path, text, result.error)) return result;
  result.ok = true;
  result.import = ImportCifText(text, decimalComma, blockName);
  return result;
}

}  // namespace habitopia
