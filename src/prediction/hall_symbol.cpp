#include "prediction/hall_symbol.h"

#include <cctype>

namespace habitopia {
namespace {

constexpr int kDen = kTranslationDenominator;
constexpr int kMaxGroupOrder = 192;

int Wrap(int t) { return ((t % kDen) + kDen) % kDen; }

IntMatrix3 Multiply(const IntMatrix3& a, const IntMatrix3& b) {
  IntMatrix3 m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
  return m;
}

IntVec3 Apply(const IntMatrix3& m, const IntVec3& v) {
  IntVec3 out{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) out[i] += m[i][j] * v[j];
  return out;
}

constexpr IntMatrix3 kIdentity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// (a)(b): first b, then a.
SeitzOperation Combine(const SeitzOperation& a, const SeitzOperation& b) {
  SeitzOperation c;
  c.rotation = Multiply(a.rotation, b.rotation);
  const IntVec3 t = Apply(a.rotation, b.translation);
  for (int i = 0; i < 3; ++i) c.translation[i] = Wrap(t[i] + a.translation[i]);
  return c;
}

struct ParseError {
  std::string message;
};

// Rotations about c, and the diagonal two-folds and the three-fold along a+b+c.
IntMatrix3 RotationAboutZ(int symbol) {
  switch (symbol) {
    case 1: return kIdentity;
    case 2: return {{{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}}};
    case 3: return {{{0, -1, 0}, {1, -1, 0}, {0, 0, 1}}};
    case 4: return {{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
    case 6: return {{{1, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
    case '\'': return {{{0, -1, 0}, {-1, 0, 0}, {0, 0, -1}}};
    case '"': return {{{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}};
    case '*': return {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}};
    default: throw ParseError{"no rotation of order " + std::to_string(symbol)};
  }
}

// The matrix of a rotation about c written for another principal axis.
IntMatrix3 Reordered(const IntMatrix3& r, int i, int j, int k) {
  return {{{r[i][i], r[i][j], r[i][k]}, {r[j][i], r[j][j], r[j][k]}, {r[k][i], r[k][j], r[k][k]}}};
}

IntVec3 TranslationOf(char symbol) {
  constexpr int h = kDen / 2, q = kDen / 4;
  switch (symbol) {
    case 'a': return {h, 0, 0};
    case 'b': return {0, h, 0};
    case 'c': return {0, 0, h};
    case 'n': return {h, h, h};
    case 'u': return {q, 0, 0};
    case 'v': return {0, q, 0};
    case 'w': return {0, 0, q};
    case 'd': return {q, q, q};
    default: throw ParseError{std::string("unknown translation symbol ") + symbol};
  }
}

std::vector<IntVec3> CentringVectors(char lattice) {
  constexpr int h = kDen / 2, t = kDen / 3, tt = 2 * kDen / 3;
  switch (lattice) {
    case 'P': return {};
    case 'A': return {{0, h, h}};
    case 'B': return {{h, 0, h}};
    case 'C': return {{h, h, 0}};
    case 'I': return {{h, h, h}};
    case 'R': return {{tt, t, t}, {t, tt, tt}};
    case 'S': return {{t, t, tt}, {tt, tt, t}};
    case 'T': return {{t, tt, t}, {tt, t, tt}};
    case 'F': return {{0, h, h}, {h, 0, h}, {h, h, 0}};
    default: throw ParseError{std::string("unknown lattice symbol ") + lattice};
  }
}

// One matrix symbol such as "2", "-4", "61", "2x", "3*", "2\"", "4vw" or "-1n";
// `position` counts from 1 and `previous` is the order of the preceding one.
SeitzOperation MatrixSymbol(std::string_view word, int position, int& previous) {
  std::size_t p = 0;
  const bool improper = word[p] == '-';
  if (improper) ++p;
  if (p >= word.size() || !std::isdigit(static_cast<unsigned char>(word[p])))
    throw ParseError{"\"" + std::string(word) + "\" is not a matrix symbol"};
  const int order = word[p++] - '0';
  if (order != 1 && order != 2 && order != 3 && order != 4 && order != 6)
    throw ParseError{"no rotation of order " + std::to_string(order)};
  SeitzOperation op;
  int screw = 0;
  char principal = 0, diagonal = 0;
  for (; p < word.size(); ++p) {
    const char c = word[p];
    if (c >= '1' && c <= '5') {
      if (screw != 0) throw ParseError{"two screw subscripts in \"" + std::string(word) + "\""};
      screw = c - '0';
    } else if (c == '\'' || c == '"' || c == '*') {
      if (order != (c == '*' ? 3 : 2))
        throw ParseError{"axis " + std::string(1, c) + " does not fit \"" + std::string(word) +
                         "\""};
      diagonal = c;
    } else if (c == 'x' || c == 'y' || c == 'z') {
      principal = c;
    } else {
      const IntVec3 t = TranslationOf(c);
      for (int i = 0; i < 3; ++i) op.translation[i] += t[i];
    }
  }
  if (!principal && !diagonal) {
    if (position == 1) {
      principal = 'z';
    } else if (position == 2 && order == 2) {
      if (previous == 2 || previous == 4)
        principal = 'x';
      else if (previous == 3 || previous == 6)
        diagonal = '\'';
    } else if (position == 3 && order == 3) {
      diagonal = '*';
    } else if (order != 1) {
      throw ParseError{"no axis for \"" + std::string(word) + "\""};
    }
  }
  op.rotation = RotationAboutZ(diagonal ? diagonal : order);
  if (improper)
    for (auto& row : op.rotation)
      for (int& x : row) x = -x;
  if (principal == 'x')
    op.rotation = Reordered(op.rotation, 2, 0, 1);
  else if (principal == 'y')
    op.rotation = Reordered(op.rotation, 1, 2, 0);
  if (screw != 0) {
    if (!principal)
      throw ParseError{"a screw needs a principal axis: \"" + std::string(word) + "\""};
    op.translation[principal - 'x'] += kDen / order * screw;
  }
  for (int& t : op.translation) t = Wrap(t);
  previous = order;
  return op;
}

// "(0 0 1)": an origin shift in twelfths.
IntVec3 OriginShift(std::string_view text) {
  IntVec3 v{};
  std::size_t p = 0;
  for (int i = 0; i < 3; ++i) {
    while (p < text.size() && text[p] == ' ') ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '-' || text[p] == '+')) negative = text[p++] == '-';
    if (p >= text.size() || !std::isdigit(static_cast<unsigned char>(text[p])))
      throw ParseError{"origin shift \"(" + std::string(text) + ")\" is not three integers"};
    int n = 0;
    while (p < text.size() && std::isdigit(static_cast<unsigned char>(text[p])))
      n = n * 10 + (text[p++] - '0') % kDen;
    v[i] = negative ? -n : n;
  }
  while (p < text.size() && text[p] == ' ') ++p;
  if (p != text.size())
    throw ParseError{"origin shift \"(" + std::string(text) + ")\" is not three integers"};
  return v;
}

SpaceGroupOperations Closure(const std::vector<SeitzOperation>& generators) {
  SpaceGroupOperations group{SeitzOperation{kIdentity, {}}};
  for (std::size_t i = 0; i < group.size(); ++i) {
    for (const SeitzOperation& g : generators) {
      const SeitzOperation next = Combine(group[i], g);
      bool known = false;
      for (const SeitzOperation& op : group) known = known || op == next;
      if (known) continue;
      if (group.size() == kMaxGroupOrder) throw ParseError{"the generators make no space group"};
      group.push_back(next);
    }
  }
  return group;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t p = 0;
  while (p < text.size()) {
    while (p < text.size() && (text[p] == ' ' || text[p] == '_' || text[p] == '\t')) ++p;
    const std::size_t start = p;
    while (p < text.size() && text[p] != ' ' && text[p] != '_' && text[p] != '\t') ++p;
    if (p > start) words.push_back(text.substr(start, p - start));
  }
  return words;
}

SpaceGroupOperations Parse(std::string_view hall) {
  std::string_view shift;
  if (const auto open = hall.find('('); open != std::string_view::npos) {
    const auto close = hall.find(')', open);
    if (close == std::string_view::npos) throw ParseError{"missing \")\""};
    if (!Words(hall.substr(close + 1)).empty()) throw ParseError{"text after \")\""};
    shift = hall.substr(open + 1, close - open - 1);
    hall = hall.substr(0, open);
  }
  std::vector<std::string_view> words = Words(hall);
  if (words.empty()) throw ParseError{"empty symbol"};
  std::vector<SeitzOperation> generators;
  std::string_view first = words[0];
  if (first[0] == '-') {
    generators.push_back({{{{-1, 0, 0}, {0, -1, 0}, {0, 0, -1}}}, {}});
    first.remove_prefix(1);
    if (first.empty()) {
      words.erase(words.begin());
      if (words.empty()) throw ParseError{"no lattice symbol"};
      first = words[0];
    }
  }
  if (first.size() != 1) throw ParseError{"\"" + std::string(first) + "\" is not a lattice symbol"};
  for (const IntVec3& v :
       CentringVectors(static_cast<char>(std::toupper(static_cast<unsigned char>(first[0])))))
    generators.push_back({kIdentity, v});
  int previous = 0;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (words[i] == "1") continue;  // the identity holds a position and nothing else
    generators.push_back(MatrixSymbol(words[i], static_cast<int>(i), previous));
  }
  if (words.size() < 2) throw ParseError{"no matrix symbol"};
  if (!shift.empty()) {
    const IntVec3 v = OriginShift(shift);
    for (SeitzOperation& g : generators) {
      const IntVec3 rv = Apply(g.rotation, v);
      for (int i = 0; i < 3; ++i) g.translation[i] = Wrap(g.translation[i] + v[i] - rv[i]);
    }
  }
  return Closure(generators);
}

}  // namespace

std::optional<SpaceGroupOperations> OperationsFromHall(std::string_view hall, std::string* error) {
  try {
    return Parse(hall);
  } catch (const ParseError& e) {
    if (error) *error = e.message;
    return std::nullopt;
  }
}

bool IsSystematicallyAbsent(const SpaceGroupOperations& operations, const IntVec3& hkl) {
  for (const SeitzOperation& op : operations) {
    bool fixed = true;
    for (int j = 0; j < 3 && fixed; ++j) {
      int image = 0;
      for (int i = 0; i < 3; ++i) image += hkl[i] * op.rotation[i][j];
      fixed = image == hkl[j];
    }
    if (!fixed) continue;
    int phase = 0;
    for (int i = 0; i < 3; ++i) phase += hkl[i] * op.translation[i];
    if (phase % kTranslationDenominator != 0) return true;
  }
  return false;
}

}  // namespace habitopia
