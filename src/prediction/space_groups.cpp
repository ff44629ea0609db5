#include "prediction/space_groups.h"

#include <cctype>
#include <cmath>

#include "core/numbers.h"
#include "prediction/space_group_symmetry.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

constexpr IntMatrix3 kIdentityAxes{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// Other axes of the same lattice on which a setting may fit the point-group
// table; columns are the new axes in units of the old.
constexpr IntMatrix3 kAxisChoices[] = {
    kIdentityAxes,
    {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}},    // a' = b, b' = c, c' = a
    {{{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}},    // a' = c, b' = a, c' = b
    {{{1, 1, 0}, {-1, 1, 0}, {0, 0, 1}}},   // a' = a - b, b' = a + b (45 degrees)
    {{{1, 1, 0}, {-1, 2, 0}, {0, 0, 1}}},   // a' = a - b, b' = a + 2b (30 degrees)
    {{{1, 0, 1}, {-1, 1, 1}, {0, -1, 1}}},  // hexagonal axes of a rhombohedral cell
};

int Determinant(const IntMatrix3& m) {
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
         m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

// det(m) times the inverse of m.
IntMatrix3 Adjugate(const IntMatrix3& m) {
  IntMatrix3 a{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
      a[i][j] = m[r0][c0] * m[r1][c1] - m[r0][c1] * m[r1][c0];
    }
  return a;
}

IntMatrix3 Product(const IntMatrix3& a, const IntMatrix3& b) {
  IntMatrix3 m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
  return m;
}

// The index maps (h k l)' = M (h k l) of the operations' rotations on the axes
// `p`, or nothing when a rotation is not integral on them.
std::optional<std::vector<IntMatrix3>> IndexMaps(const SpaceGroupOperations& ops,
                                                 const IntMatrix3& p) {
  const int det = Determinant(p);
  const IntMatrix3 adj = Adjugate(p);
  std::vector<IntMatrix3> maps;
  for (const SeitzOperation& op : ops) {
    const IntMatrix3 scaled = Product(Product(adj, op.rotation), p);
    IntMatrix3 map{};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) {
        if (scaled[j][i] % det != 0) return std::nullopt;
        map[i][j] = scaled[j][i] / det;  // the transpose acts on indices
      }
    bool known = false;
    for (const IntMatrix3& m : maps) known = known || m == map;
    if (!known) maps.push_back(map);
  }
  return maps;
}

// The group 1..32 whose operations are exactly `maps`, or 0.
int MatchingPointGroup(const std::vector<IntMatrix3>& maps) {
  for (int g = 1; g <= 32; ++g) {
    const PointGroup& group = GetPointGroup(g);
    if (group.operations.size() != maps.size()) continue;
    bool all = true;
    for (const Matrix3& op : group.operations) {
      bool found = false;
      for (const IntMatrix3& m : maps) {
        bool same = true;
        for (int i = 0; i < 3; ++i)
          for (int j = 0; j < 3; ++j) same = same && op[i][j] == m[i][j];
        found = found || same;
      }
      all = all && found;
    }
    if (all) return g;
  }
  return 0;
}

bool Configure(SpaceGroupSymmetry& group, std::string* error) {
  for (const IntMatrix3& p : kAxisChoices) {
    const auto maps = IndexMaps(group.operations, p);
    if (!maps) continue;
    if (const int g = MatchingPointGroup(*maps)) {
      group.pointGroup = g;
      group.axes = p;
      return true;
    }
  }
  if (error) *error = "the operations of " + group.symbol + " fit no point group of the table";
  return false;
}

// Blanks and the quotes around a symbol as CIF files write it removed.
std::string Trimmed(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.size() >= 2 && (text.front() == '\'' || text.front() == '"') &&
      text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  }
  return std::string(text);
}

std::string Compact(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '_') out += c;
  return out;
}

// "P 1 21/c 1" is also written "P 21/c".
std::string ShortCompact(std::string_view symbol) {
  std::vector<std::string> words;
  std::string word;
  for (char c : std::string(symbol) + " ") {
    if (c == ' ') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (words.size() == 4 && words[1] == "1" && words[3] == "1") return words[0] + words[2];
  return Compact(symbol);
}

std::string HallKey(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '_' || c == '\t') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// The newer spellings with the "e" glide of symbols the table writes the older way.
struct Alias {
  std::string_view compact;
  std::string_view symbol;
};
constexpr Alias kAliases[] = {
    {"Aem2", "A b m 2"}, {"Aea2", "A b a 2"}, {"Cmce", "C m c a"},
    {"Cmme", "C m m a"}, {"Ccce", "C c c a"},
};

const SpaceGroupEntry* FindEntry(const std::string& text) {
  long long number = 0;
  if (ParseInteger(text, number)) {
    for (const SpaceGroupEntry& e : kSpaceGroupTable)
      if (e.number == number) return &e;
    return nullptr;
  }
  std::string base = text, setting;
  if (const auto colon = text.find(':'); colon != std::string::npos) {
    base = text.substr(0, colon);
    setting = Compact(text.substr(colon + 1));
    for (char& c : setting) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  std::string compact = Compact(base);
  if (!compact.empty())
    compact[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(compact[0])));
  for (const Alias& alias : kAliases)
    if (compact == alias.compact) compact = Compact(alias.symbol);
  for (const SpaceGroupEntry& e : kSpaceGroupTable) {
    if (Compact(e.symbol) != compact && ShortCompact(e.symbol) != compact) continue;
    if (setting.empty() || setting == e.setting) return &e;
  }
  const std::string hall = HallKey(text);
  for (const SpaceGroupEntry& e : kSpaceGroupTable)
    if (HallKey(e.hall) == hall) return &e;
  return nullptr;
}

}  // namespace

std::string SpaceGroupEntry::Name() const {
  return setting.empty() ? std::string(symbol) : std::string(symbol) + ":" + std::string(setting);
}

bool SpaceGroupSymmetry::AxesChanged() const { return axes != kIdentityAxes; }

std::string SpaceGroupSymmetry::AxesText() const {
  static constexpr const char* kNames[] = {"a", "b", "c"};
  std::string text;
  for (int j = 0; j < 3; ++j) {
    std::string axis;
    for (int i = 0; i < 3; ++i) {
      const int n = axes[i][j];
      if (n == 0) continue;
      if (!axis.empty())
        axis += n > 0 ? " + " : " - ";
      else if (n < 0)
        axis += "-";
      if (std::abs(n) != 1) axis += std::to_string(std::abs(n));
      axis += kNames[i];
    }
    text += (j ? ", " : "") + std::string(kNames[j]) + "' = " + axis;
  }
  return text;
}

UnitCell SpaceGroupSymmetry::CellOnAxes(const UnitCell& cell) const {
  if (!AxesChanged()) return cell;
  const Real lengths[3] = {cell.a, cell.b, cell.c};
  const Real angles[3] = {cell.alpha, cell.beta, cell.gamma};
  Real g[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      g[i][j] = i == j ? lengths[i] * lengths[i]
                       : lengths[i] * lengths[j] * std::cos(angles[3 - i - j] * kDegreesToRadians);
  Real n[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      n[i][j] = 0;
      for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l) n[i][j] += axes[k][i] * g[k][l] * axes[l][j];
    }
  const Real a = std::sqrt(n[0][0]), b = std::sqrt(n[1][1]), c = std::sqrt(n[2][2]);
  auto angle = [](Real cosine) {
    // Exact right and hexagonal angles stay exact.
    const Real degrees = std::acos(cosine) / kDegreesToRadians;
    const Real nearest = Round3(degrees);
    return std::fabs(degrees - nearest) < 1e-9L ? nearest : degrees;
  };
  return {a, b, c, angle(n[1][2] / (b * c)), angle(n[0][2] / (a * c)), angle(n[0][1] / (a * b))};
}

bool SpaceGroupSymmetry::Absent(const Vec3& hkl) const {
  IntVec3 given{};
  for (int i = 0; i < 3; ++i) given[i] = static_cast<int>(RoundToInteger(hkl[i]));
  // h = h' P^-1 on the setting's axes.
  const int det = Determinant(axes);
  const IntMatrix3 adj = Adjugate(axes);
  IntVec3 h{};
  for (int j = 0; j < 3; ++j) {
    int sum = 0;
    for (int i = 0; i < 3; ++i) sum += given[i] * adj[i][j];
    if (sum % det != 0) return true;
    h[j] = sum / det;
  }
  return IsSystematicallyAbsent(operations, h);
}

SpaceGroupSymmetry SpaceGroupOf(const SpaceGroupEntry& entry) {
  SpaceGroupSymmetry group;
  group.number = entry.number;
  group.symbol = entry.Name();
  group.hall = std::string(entry.hall);
  group.operations = *OperationsFromHall(entry.hall);
  Configure(group, nullptr);
  return group;
}

std::optional<SpaceGroupSymmetry> FindSpaceGroup(std::string_view text, std::string* error) {
  const std::string cleaned = Trimmed(text);
  if (cleaned.empty()) {
    if (error) *error = "no space group given";
    return std::nullopt;
  }
  if (const SpaceGroupEntry* entry = FindEntry(cleaned)) {
    SpaceGroupSymmetry group = SpaceGroupOf(*entry);
    if (group.pointGroup == 0) {
      if (error) *error = "the operations of " + group.symbol + " fit no point group of the table";
      return std::nullopt;
    }
    return group;
  }
  std::string problem;
  auto ops = OperationsFromHall(cleaned, &problem);
  if (!ops) {
    if (error)
      *error = "\"" + cleaned +
               "\" is no space-group number (1 to 230), Hermann-Mauguin symbol or "
               "Hall symbol (" +
               problem + ")";
    return std::nullopt;
  }
  SpaceGroupSymmetry group;
  group.symbol = cleaned;
  group.hall = HallKey(cleaned);
  group.operations = std::move(*ops);
  if (!Configure(group, error)) return std::nullopt;
  return group;
}

ImpliedBoxOptions BoxOptionsOf(const SpaceGroupSymmetry& group) {
  ImpliedBoxOptions options;
  if (group.number == 0 || group.AxesChanged()) {
    options.ignored.push_back("the box's choices (" + group.symbol + " is taken on other axes)");
    return options;
  }
  std::string symbol = group.symbol;
  if (const auto colon = symbol.find(':'); colon != std::string::npos) symbol.erase(colon);
  const DerivedTranslationSymmetry derived = DeriveTranslationSymmetry(symbol, group.pointGroup);
  options.symmetry = derived.symmetry;
  options.derived = derived.derived;
  options.ignored = derived.ignored;
  return options;
}

}  // namespace habitopia
