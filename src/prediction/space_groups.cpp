#include "prediction/space_groups.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

#include "core/numbers.h"
#include "prediction/space_group_names.h"
#include "prediction/space_group_symmetry.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

constexpr int kDen = gemmi::Op::DEN;
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

// The most rotations and lattice translations a crystallographic group has on
// any cell a file may use (a supercell multiplies the translations).
constexpr std::size_t kMostRotations = 48;
constexpr std::size_t kMostTranslations = 64;

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

IntMatrix3 Rotation(const gemmi::Op& op) {
  IntMatrix3 r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r[i][j] = op.rot[i][j] / kDen;
  return r;
}

// The index maps (h k l)' = M (h k l) of the group's rotations on the axes `p`,
// or nothing when a rotation is not integral on them.
std::optional<std::vector<IntMatrix3>> IndexMaps(const gemmi::GroupOps& ops, const IntMatrix3& p) {
  const int det = Determinant(p);
  const IntMatrix3 adj = Adjugate(p);
  std::vector<IntMatrix3> maps;
  for (const gemmi::Op& op : ops.sym_ops) {
    const IntMatrix3 scaled = Product(Product(adj, Rotation(op)), p);
    IntMatrix3 map{};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) {
        if (scaled[j][i] % det != 0) return std::nullopt;
        map[i][j] = scaled[j][i] / det;  // the transpose acts on indices
      }
    if (std::find(maps.begin(), maps.end(), map) == maps.end()) maps.push_back(map);
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

// Blanks collapsed, as gemmi's table writes Hall symbols.
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

// A rotation part that can belong to a crystallographic group: integral,
// determinant +-1 and of order 1, 2, 3, 4 or 6.
bool IsCrystallographic(const gemmi::Op::Rot& rot) {
  IntMatrix3 r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      if (rot[i][j] % kDen != 0 || std::abs(rot[i][j]) > 2 * kDen) return false;
      r[i][j] = rot[i][j] / kDen;
    }
  if (std::abs(Determinant(r)) != 1) return false;
  IntMatrix3 power = r;
  for (int n = 1; n <= 6; ++n) {
    if (power == kIdentityAxes) return n != 5;
    power = Product(power, r);
    for (const auto& row : power)
      for (int v : row)
        if (std::abs(v) > 8) return false;
  }
  return false;
}

// The group the operations generate, modulo whole lattice translations; nothing
// when an operation is no crystallographic one, the group is not finite, or
// (with `complete`) the operations given are not already all of the group's.
std::optional<gemmi::GroupOps> CloseGroup(const std::vector<gemmi::Op>& given, bool complete) {
  std::vector<gemmi::Op> elements{gemmi::Op::identity()};
  std::vector<gemmi::Op::Tran> lattice{{0, 0, 0}};
  auto addTranslation = [&](const gemmi::Op::Tran& t) {
    gemmi::Op shift{gemmi::Op::identity().rot, t};
    shift.wrap();
    if (std::find(lattice.begin(), lattice.end(), shift.tran) != lattice.end()) return true;
    lattice.push_back(shift.tran);
    return lattice.size() <= kMostTranslations;
  };
  // Adds `op`; false when the group grows beyond any crystallographic one.
  auto add = [&](gemmi::Op op) {
    op.wrap();
    if (!IsCrystallographic(op.rot)) return false;
    for (const gemmi::Op& e : elements)
      if (e.rot == op.rot) {
        if (e.tran == op.tran) return true;
        return addTranslation(
            {op.tran[0] - e.tran[0], op.tran[1] - e.tran[1], op.tran[2] - e.tran[2]});
      }
    elements.push_back(op);
    return elements.size() <= kMostRotations;
  };
  for (const gemmi::Op& op : given)
    if (!add(op)) return std::nullopt;
  const std::size_t givenRotations = elements.size(), givenTranslations = lattice.size();
  // Products of every pair, and of every element with every lattice translation,
  // until nothing new appears.
  for (bool grown = true; grown;) {
    grown = false;
    const std::size_t rotations = elements.size(), translations = lattice.size();
    for (std::size_t i = 0; i < rotations; ++i)
      for (std::size_t j = 0; j < rotations; ++j)
        if (!add(elements[i] * elements[j])) return std::nullopt;
    for (std::size_t i = 0; i < elements.size(); ++i)
      for (std::size_t t = 0; t < lattice.size(); ++t) {
        gemmi::Op shift{gemmi::Op::identity().rot, lattice[t]};
        gemmi::Op moved = elements[i] * shift * elements[i].inverse();
        if (!addTranslation(moved.tran)) return std::nullopt;
      }
    for (std::size_t a = 0; a < lattice.size(); ++a)
      for (std::size_t b = 0; b < lattice.size(); ++b)
        if (!addTranslation({lattice[a][0] + lattice[b][0], lattice[a][1] + lattice[b][1],
                             lattice[a][2] + lattice[b][2]}))
          return std::nullopt;
    grown = elements.size() != rotations || lattice.size() != translations;
  }
  if (complete && (elements.size() != givenRotations || lattice.size() != givenTranslations))
    return std::nullopt;
  gemmi::GroupOps ops;
  ops.sym_ops = elements;
  ops.cen_ops = lattice;
  // Each rotation keeps the translation of smallest sum among its cosets.
  for (gemmi::Op& op : ops.sym_ops)
    for (const gemmi::Op::Tran& c : lattice) {
      gemmi::Op other = op.add_centering(c);
      other.wrap();
      if (other.tran[0] + other.tran[1] + other.tran[2] < op.tran[0] + op.tran[1] + op.tran[2])
        op = other;
    }
  return ops;
}

// "x+0.5" written "x+1/2": gemmi reads fractions only.
std::string WithFractions(const std::string& triplet) {
  std::string out;
  for (std::size_t i = 0; i < triplet.size();) {
    const char c = triplet[i];
    const bool startsNumber =
        (c >= '0' && c <= '9') ||
        (c == '.' && i + 1 < triplet.size() && triplet[i + 1] >= '0' && triplet[i + 1] <= '9');
    if (!startsNumber) {
      out += c;
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < triplet.size() &&
           ((triplet[end] >= '0' && triplet[end] <= '9') || triplet[end] == '.'))
      ++end;
    const std::string number = triplet.substr(i, end - i);
    long double value = 0;
    if (number.find('.') != std::string::npos && ParseReal(number, value)) {
      const long double units = value * kDen;
      const long double nearest = std::nearbyint(units);
      if (std::fabs(units - nearest) > 0.05L) return triplet;  // not a fraction of 24ths
      const int n = static_cast<int>(nearest), g = std::gcd(n, kDen);
      out += g == 0 ? "0" : std::to_string(n / g) + "/" + std::to_string(kDen / g);
    } else {
      out += number;
    }
    i = end;
  }
  return out;
}

// gemmi 0.5 multiplies the numbers of an operation in a long without a check;
// no operation of a crystal needs a number of more than a few digits.
bool HasHugeNumber(const std::string& text) {
  int digits = 0;
  for (char c : text) {
    digits = c >= '0' && c <= '9' ? digits + 1 : 0;
    if (digits > 6) return true;
  }
  return false;
}

std::optional<gemmi::GroupOps> OperationsFromTriplets(const std::vector<std::string>& triplets,
                                                      std::string& problem) {
  std::vector<gemmi::Op> ops;
  for (const std::string& t : triplets) {
    if (HasHugeNumber(t)) {
      problem = "operation \"" + t + "\": a number of more than six digits";
      return std::nullopt;
    }
    try {
      ops.push_back(gemmi::parse_triplet(WithFractions(t)));
    } catch (const std::exception& e) {
      problem = "operation \"" + t + "\": " + e.what();
      return std::nullopt;
    }
  }
  // A file lists every operation of its group; a list that is not closed is a faulty one.
  auto group = CloseGroup(ops, true);
  if (!group) problem = "the operations are not those of a crystallographic space group";
  return group;
}

// gemmi 0.5's Hall parser indexes a translation by the rotation's principal
// axis even when a part has a subscript but no such axis ("12", or one on a
// diagonal), reading outside an array. Such parts are no Hall symbol: a screw
// subscript goes with the first part (along z), with a second 2 after a 2 or 4
// (along x) or with an axis named explicitly.
bool SubscriptsHaveAxes(const std::string& hall) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '_'; };
  std::size_t i = 0;
  while (i < hall.size() && blank(hall[i])) ++i;
  if (i < hall.size() && hall[i] == '-') ++i;
  while (i < hall.size() && blank(hall[i])) ++i;
  ++i;  // the lattice letter
  int position = 0, previous = 0;
  while (i < hall.size() && hall[i] != '(') {
    while (i < hall.size() && blank(hall[i])) ++i;
    if (i >= hall.size() || hall[i] == '(') break;
    const std::size_t start = i;
    while (i < hall.size() && !blank(hall[i]) && hall[i] != '(') ++i;
    const std::string part = hall.substr(start, i - start);
    ++position;
    std::size_t k = part[0] == '-' ? 1 : 0;
    const int order = k < part.size() && part[k] >= '0' && part[k] <= '9' ? part[k] - '0' : 0;
    bool subscript = false, axis = false, diagonal = false;
    for (++k; k < part.size(); ++k) {
      if (part[k] >= '0' && part[k] <= '9') subscript = true;
      if (part[k] == 'x' || part[k] == 'y' || part[k] == 'z') axis = true;
      if (part[k] == '\'' || part[k] == '"' || part[k] == '*') diagonal = true;
    }
    const bool implicitAxis =
        position == 1 || (position == 2 && order == 2 && (previous == 2 || previous == 4));
    if (subscript && !axis && (!implicitAxis || order == 1 || diagonal)) return false;
    previous = order;
  }
  return true;
}

std::optional<gemmi::GroupOps> OperationsFromHall(const std::string& hall, std::string& problem) {
  std::vector<gemmi::Op> ops;
  if (!SubscriptsHaveAxes(hall)) {
    problem = "a screw subscript without its axis";
    return std::nullopt;
  }
  try {
    const gemmi::GroupOps parsed = gemmi::generators_from_hall(hall.c_str());
    for (const gemmi::Op& op : parsed.sym_ops) ops.push_back(op);
    for (const gemmi::Op::Tran& c : parsed.cen_ops) ops.push_back({gemmi::Op::identity().rot, c});
  } catch (const std::exception& e) {
    problem = e.what();
    return std::nullopt;
  }
  auto group = CloseGroup(ops, false);
  if (!group) problem = "its generators make no crystallographic space group";
  return group;
}

// Operations of a table entry, parsed once.
const std::vector<gemmi::GroupOps>& TableOperations() {
  static const std::vector<gemmi::GroupOps> table = [] {
    std::vector<gemmi::GroupOps> ops;
    for (const gemmi::SpaceGroup& sg : gemmi::spacegroup_tables::main)
      ops.push_back(sg.operations());
    return ops;
  }();
  return table;
}

constexpr std::size_t kTableSize = std::size(gemmi::spacegroup_tables::main);

int Wrapped(int t) { return ((t % kDen) + kDen) % kDen; }

// Moving the origin by `shift` turns (R, t) into (R, t + shift - R shift): are
// the operations then those of `entry` (which has the same rotations and centring)?
bool SameAfterShift(const gemmi::GroupOps& ops, const gemmi::GroupOps& entry,
                    const gemmi::Op::Tran& shift) {
  for (const gemmi::Op& op : ops.sym_ops) {
    const gemmi::Op* other = entry.find_by_rotation(op.rot);
    if (!other) return false;
    gemmi::Op::Tran d{};
    for (int i = 0; i < 3; ++i) {
      int rs = 0;
      for (int j = 0; j < 3; ++j) rs += op.rot[i][j] * shift[j];
      d[i] = Wrapped(op.tran[i] + shift[i] - rs / kDen - other->tran[i]);
    }
    if (std::find(entry.cen_ops.begin(), entry.cen_ops.end(), d) == entry.cen_ops.end())
      return false;
  }
  return true;
}

// The table entry with exactly these operations, or (with `withShift`) one
// they become after moving the origin by a multiple of 1/24 of the cell edges.
const gemmi::SpaceGroup* FindByOperations(const gemmi::GroupOps& ops, bool withShift) {
  const auto& table = TableOperations();
  for (std::size_t i = 0; i < kTableSize; ++i)
    if (ops.is_same_as(table[i])) return &gemmi::spacegroup_tables::main[i];
  if (!withShift) return nullptr;
  for (std::size_t i = 0; i < kTableSize; ++i) {
    if (!ops.has_same_rotations(table[i]) || !ops.has_same_centring(table[i])) continue;
    for (int x = 0; x < kDen; ++x)
      for (int y = 0; y < kDen; ++y)
        for (int z = 0; z < kDen; ++z)
          if (SameAfterShift(ops, table[i], {x, y, z})) return &gemmi::spacegroup_tables::main[i];
  }
  return nullptr;
}

std::optional<SpaceGroupSymmetry> OfEntry(const gemmi::SpaceGroup& entry, SpaceGroupSource source,
                                          std::string* error) {
  SpaceGroupSymmetry group;
  group.number = entry.number;
  group.symbol = entry.xhm();
  group.hall = HallKey(entry.hall);
  group.tabulated = true;
  group.source = source;
  group.operations = TableOperations()[&entry - gemmi::spacegroup_tables::main];
  if (!Configure(group, error)) return std::nullopt;
  return group;
}

// A group given by its operations: named after the table entry with the same
// operations, else after one at another origin (but keeping its own operations).
std::optional<SpaceGroupSymmetry> OfOperations(gemmi::GroupOps ops, SpaceGroupSource source,
                                               const std::string& given, std::string* error) {
  if (const gemmi::SpaceGroup* entry = FindByOperations(ops, false))
    return OfEntry(*entry, source, error);
  SpaceGroupSymmetry group;
  group.symbol = given;
  group.source = source;
  if (const gemmi::SpaceGroup* shifted = FindByOperations(ops, true)) {
    group.number = shifted->number;
    group.symbol = shifted->xhm() + " at another origin";
  }
  if (source == SpaceGroupSource::HallSymbol) group.hall = HallKey(given);
  group.operations = std::move(ops);
  if (!Configure(group, error)) return std::nullopt;
  // Triclinic groups have one number whatever the cell.
  if (group.number == 0 && (group.pointGroup == 1 || group.pointGroup == 2))
    group.number = group.pointGroup;
  return group;
}

// The table entry of a Hall symbol's core, the part before its change of basis "(...)".
const gemmi::SpaceGroup* FindByHallCore(const std::string& hall) {
  if (hall.empty()) return nullptr;
  std::string problem;
  const auto ops = OperationsFromHall(HallKey(hall.substr(0, hall.find('('))), problem);
  return ops ? FindByOperations(*ops, false) : nullptr;
}

const gemmi::SpaceGroup* FindByName(const std::string& text, Real alpha, Real gamma) {
  const double a = static_cast<double>(alpha), g = static_cast<double>(gamma);
  if (const gemmi::SpaceGroup* sg = gemmi::find_spacegroup_by_name(text, a, g)) return sg;
  return gemmi::find_spacegroup_by_name(NormaliseHermannMauguin(text), a, g);
}

// The reference setting of a number, on rhombohedral axes when the angles say so.
const gemmi::SpaceGroup* FindByNumber(int number, Real alpha, Real gamma) {
  if (number < 1 || number > 230) return nullptr;
  const gemmi::SpaceGroup* sg = &gemmi::get_spacegroup_reference_setting(number);
  if (sg->ext == 'H' && alpha > 0 && gamma < 1.125L * alpha) ++sg;
  return sg;
}

bool ParseNumber(const std::string& text, int& number) {
  long long n = 0;
  if (!ParseInteger(text, n)) return false;
  number = n >= 1 && n <= 230 ? static_cast<int>(n) : -1;
  return true;
}

std::string SourceText(SpaceGroupSource source) {
  switch (source) {
    case SpaceGroupSource::OperatorList: return "the operator list";
    case SpaceGroupSource::HallSymbol: return "the Hall symbol";
    case SpaceGroupSource::HermannMauguin: return "the Hermann-Mauguin symbol";
    case SpaceGroupSource::Number: return "the space-group number";
  }
  return {};
}

// The metric of the axes `m` (columns in units of the cell's axes).
UnitCell Transformed(const UnitCell& cell, const std::array<std::array<Real, 3>, 3>& m) {
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
        for (int l = 0; l < 3; ++l) n[i][j] += m[k][i] * g[k][l] * m[l][j];
    }
  const Real a = std::sqrt(n[0][0]), b = std::sqrt(n[1][1]), c = std::sqrt(n[2][2]);
  auto angle = [](Real cosine) {
    // Exact right and hexagonal angles stay exact.
    const Real degrees = std::acos(std::clamp(cosine, Real(-1), Real(1))) / kDegreesToRadians;
    const Real nearest = Round3(degrees);
    return std::fabs(degrees - nearest) < 1e-9L ? nearest : degrees;
  };
  return {a, b, c, angle(n[1][2] / (b * c)), angle(n[0][2] / (a * c)), angle(n[0][1] / (a * b))};
}

}  // namespace

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

std::string SpaceGroupSymmetry::SettingText() const {
  std::string text = symbol;
  if (number > 0) text += " (No. " + std::to_string(number) + ")";
  return text + " from " + SourceText(source);
}

UnitCell SpaceGroupSymmetry::CellOnAxes(const UnitCell& cell) const {
  if (!AxesChanged()) return cell;
  std::array<std::array<Real, 3>, 3> m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = axes[i][j];
  return Transformed(cell, m);
}

UnitCell SpaceGroupSymmetry::CellOnSettingAxes(const UnitCell& cell) const {
  if (!AxesChanged()) return cell;
  const int det = Determinant(axes);
  const IntMatrix3 adj = Adjugate(axes);
  std::array<std::array<Real, 3>, 3> m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = Real(adj[i][j]) / det;
  return Transformed(cell, m);
}

IntVec3 SpaceGroupSymmetry::IndicesOnSettingAxes(const Vec3& hkl) const {
  // h = h' P^-1, scaled by det P to stay integral, then reduced.
  const int det = Determinant(axes);
  const IntMatrix3 adj = Adjugate(axes);
  IntVec3 h{};
  int divisor = 0;
  for (int j = 0; j < 3; ++j) {
    long long sum = 0;
    for (int i = 0; i < 3; ++i) sum += RoundToInteger(hkl[i]) * adj[i][j];
    h[j] = static_cast<int>(det < 0 ? -sum : sum);
    divisor = std::gcd(divisor, h[j]);
  }
  if (divisor > 1)
    for (int& v : h) v /= divisor;
  return h;
}

bool SpaceGroupSymmetry::AbsentOnSettingAxes(const IntVec3& hkl) const {
  return operations.is_systematically_absent({hkl[0], hkl[1], hkl[2]});
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
  return AbsentOnSettingAxes(h);
}

std::optional<SpaceGroupSymmetry> FindSpaceGroup(std::string_view text, std::string* error) {
  const std::string cleaned = UnquotedSymbol(text);
  if (cleaned.empty()) {
    if (error) *error = "no space group given";
    return std::nullopt;
  }
  int number = 0;
  if (ParseNumber(cleaned, number)) {
    if (const gemmi::SpaceGroup* sg = FindByNumber(number, 0, 0))
      return OfEntry(*sg, SpaceGroupSource::Number, error);
    if (error) *error = "\"" + cleaned + "\" is no space-group number (1 to 230)";
    return std::nullopt;
  }
  if (const gemmi::SpaceGroup* sg = FindByName(cleaned, 0, 0))
    return OfEntry(*sg, SpaceGroupSource::HermannMauguin, error);
  std::string problem;
  auto ops = OperationsFromHall(HallKey(cleaned), problem);
  if (!ops) {
    if (error)
      *error = "\"" + cleaned +
               "\" is no space-group number (1 to 230), Hermann-Mauguin symbol or "
               "Hall symbol (" +
               problem + ")";
    return std::nullopt;
  }
  return OfOperations(std::move(*ops), SpaceGroupSource::HallSymbol, HallKey(cleaned), error);
}

ResolvedSpaceGroup ResolveSpaceGroup(const SpaceGroupStatements& s) {
  ResolvedSpaceGroup result;
  const std::string hall = HallKey(UnquotedSymbol(s.hall));
  const std::string name = UnquotedSymbol(s.hermannMauguin);
  // The lesser statements, each on its own: the names a group without a table
  // entry may take its number from.
  const gemmi::SpaceGroup* byName = name.empty() ? nullptr : FindByName(name, s.alpha, s.gamma);
  const gemmi::SpaceGroup* byNumber = FindByNumber(s.number, s.alpha, s.gamma);
  std::optional<SpaceGroupSymmetry> group;
  std::string problem;
  if (!s.operations.empty()) {
    if (auto ops = OperationsFromTriplets(s.operations, problem)) {
      group = OfOperations(std::move(*ops), SpaceGroupSource::OperatorList, "the file's operations",
                           &problem);
      if (!group) result.notes.push_back("operator list: " + problem);
    } else {
      result.notes.push_back("operator list not used: " + problem);
    }
  }
  if (!group && !hall.empty()) {
    if (auto ops = OperationsFromHall(hall, problem)) {
      group = OfOperations(std::move(*ops), SpaceGroupSource::HallSymbol, hall, &problem);
      if (!group) result.notes.push_back("Hall symbol: " + problem);
    } else {
      result.notes.push_back("Hall symbol \"" + hall + "\" not used: " + problem);
    }
  }
  if (!group && byName) {
    group = OfEntry(*byName, SpaceGroupSource::HermannMauguin, &problem);
    if (!group) result.notes.push_back(problem);
  }
  if (!group && !name.empty() && !byName)
    result.notes.push_back("Hermann-Mauguin symbol \"" + name + "\" not known");
  if (!group && byNumber) group = OfEntry(*byNumber, SpaceGroupSource::Number, &problem);
  if (group && group->number == 0) {
    // Operations in no setting of the table: the number of the Hall symbol's
    // own group (its change of basis makes the setting), else the number the
    // other statements give when their group has the same point group and order.
    const gemmi::SpaceGroup* byHallCore = FindByHallCore(hall);
    for (const gemmi::SpaceGroup* other : {byHallCore, byName, byNumber}) {
      if (!other) continue;
      std::string ignored;
      const auto named = OfEntry(*other, SpaceGroupSource::HermannMauguin, &ignored);
      if (named && named->pointGroup == group->pointGroup &&
          (other == byHallCore || named->OperationCount() == group->OperationCount())) {
        group->number = other->number;
        group->symbol = other->xhm() + " in another setting";
        break;
      }
    }
  }
  if (group && group->number > 0) {
    auto differs = [&](const gemmi::SpaceGroup* other, const std::string& what) {
      if (other && other->number != group->number)
        result.notes.push_back(what + " names No. " + std::to_string(other->number) + ", " +
                               SourceText(group->source) + " No. " + std::to_string(group->number));
    };
    if (group->source != SpaceGroupSource::HermannMauguin)
      differs(byName, "the Hermann-Mauguin symbol");
    if (group->source != SpaceGroupSource::Number) differs(byNumber, "the space-group number");
  }
  result.group = std::move(group);
  return result;
}

ImpliedBoxOptions BoxOptionsOf(const SpaceGroupSymmetry& group) {
  ImpliedBoxOptions options;
  if (!group.tabulated || group.AxesChanged()) {
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
