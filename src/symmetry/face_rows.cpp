#include "symmetry/face_rows.h"

#include <cmath>

#include "core/numbers.h"

namespace habitopia {

bool ParseGridNumber(std::string_view text, Real& value, char separator) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  std::string number(text.substr(begin, end - begin));
  const char other = separator == ',' ? '.' : ',';
  if (number.find(other) != std::string::npos) return false;
  if (separator != '.')
    for (char& c : number)
      if (c == separator) c = '.';
  long double parsed = 0;
  if (!ParseReal(number, parsed)) return false;
  value = parsed;
  return true;
}

std::string GeneralText(Real value, char separator) {
  std::string text = FormatGeneral(value);
  if (separator != '.')
    for (char& c : text)
      if (c == '.') c = separator;
  return text;
}

Real RoundIndex(Real v) { return static_cast<Real>(RoundToInteger(v * 1000.0L)) / 1000.0L; }

Vec3 RoundIndices(const Vec3& hkl) {
  return {RoundIndex(hkl[0]), RoundIndex(hkl[1]), RoundIndex(hkl[2])};
}

std::string IndexText(const Vec3& hkl, char separator) {
  return GeneralText(hkl[0], separator) + " " + GeneralText(hkl[1], separator) + " " +
         GeneralText(hkl[2], separator);
}

Vec3 ReduceIndices(const Vec3& hkl) {
  Real m = 0;
  for (Real v : hkl) {
    const Real a = std::fabs(v);
    if (a != 0 && (m == 0 || a < m)) m = a;
  }
  if (m == 0) return hkl;
  Vec3 q{};
  for (int i = 0; i < 3; ++i) {
    q[i] = hkl[i] / m;
    if (q[i] != std::trunc(q[i])) return hkl;
  }
  return q;
}

bool ParseIndexText(std::string_view text, Vec3& hkl, BadIndexToken badToken, char separator) {
  int stored = 0;
  std::string token;
  for (std::size_t i = 0; i < text.size() && stored < 3; ++i) {
    token += text[i];
    if (text[i] != ' ' && i + 1 < text.size()) continue;
    if (token != " ") {
      Real value = 0;
      if (!ParseGridNumber(token, value, separator)) {
        if (badToken == BadIndexToken::Stop) return false;
        value = 0;
      }
      hkl[stored++] = value;
    }
    token.clear();
  }
  hkl = RoundIndices(ReduceIndices(hkl));
  return true;
}

bool ParseFullListRow(FaceRow& row, FaceRecord& face, char separator, bool negate) {
  Real distance = 0;
  if (!ParseGridNumber(row.distance, distance, separator)) return false;
  face.distance = std::fabs(distance);
  row.distance = GeneralText(face.distance, separator);

  Vec3 hkl = face.Indices();
  const bool complete = ParseIndexText(row.indices, hkl, BadIndexToken::Stop, separator);
  face.h = hkl[0];
  face.k = hkl[1];
  face.l = hkl[2];
  if (!complete) return false;
  if (negate) {
    face.h = -face.h;
    face.k = -face.k;
    face.l = -face.l;
  }
  row.indices = IndexText(face.Indices(), separator);
  return true;
}

bool ParseUniqueListRow(FaceRow& row, FaceRecord& face, char separator) {
  Vec3 hkl = face.Indices();
  ParseIndexText(row.indices, hkl, BadIndexToken::ReadAsZero, separator);
  face.h = hkl[0];
  face.k = hkl[1];
  face.l = hkl[2];
  row.indices = IndexText(hkl, separator);

  Real distance = 0;
  if (!ParseGridNumber(row.distance, distance, separator)) return false;
  face.distance = std::fabs(distance);
  row.distance = GeneralText(face.distance, separator);
  return true;
}

FaceRow RowForFace(const FaceRecord& face, char separator) {
  return {IndexText(face.Indices(), separator), GeneralText(face.distance, separator)};
}

}  // namespace habitopia
