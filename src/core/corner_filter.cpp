#include "core/corner_filter.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/hull_sketch.h"

// Why no corner is lost.
//
// A triple's point x is a corner when the sum of the positive violations
// e_g(x) = (n_g . x) / |n_g| - D_g stays below 1e-14; every single term then
// does too, so the exact violation of every usable face (not the cleavage face)
// is below m = 1e-14 plus the rounding of the test. The elimination with complete
// pivoting is backward stable: x lies within delta of each of its three planes,
// delta growing with |x| and with the spread of the normals' lengths.
//
// Every skip rests on one inequality, checked in double precision with margins
// far above its rounding: a target direction t written as
//   t = mu u_p + sum of lambda_g u_g + r,  lambda_g >= 0,
// with unit normals u. For a point on plane p (|e_p| <= delta) that violates
// no face g by more than m,
//   t . x <= mu D_p + |mu| delta + sum of lambda_g (D_g + m) + |r| R,
// R being a bound on |x| (or no p and no r at all, for the bound R itself, with
// lambda proved positive). When t is the normal of a plane q and the right side
// is below D_q - m', m' > delta, no corner lies on q there: the pair (p, q) is
// skipped, and so is a face that no corner can reach. The faces g are read off
// the sketch (the corner of face p's outline furthest along t); when the sketch
// is wrong the inequality just fails and the pair is searched.
//
// The inside test of a point solved on plane p only needs the faces that come
// near p's outline: a box around the outline is proved as above, and faces
// whose planes clear the box by m' have a negative term at every point that
// passes. A partial sum at the tolerance rejects as the full sum would (terms
// are non-negative and rounding is monotone); below it, the faces left out add
// nothing, so the sums are the same.

namespace habitopia {

namespace {

using D3 = std::array<double, 3>;

constexpr double kEps = DBL_EPSILON;
constexpr Real kLongEps = LDBL_EPSILON;
// Margin by which a plane must clear a proven region.
constexpr double kSideMargin = 1e-9;
// Relative allowance for the double-precision rounding of each bound (the true
// rounding is some thousand times smaller).
constexpr double kSlack = 1e-12;

double Dot(const D3& a, const D3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
D3 Cross(const D3& a, const D3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Length(const D3& a) { return std::sqrt(Dot(a, a)); }

struct Plane {
  D3 unit{};
  double offset = 0;
  bool usable = false;  // a finite constraint with a non-zero normal
  bool zero = false;    // normal exactly zero: no triple with it is ever solved
};

class FilterBuilder {
 public:
  FilterBuilder(const std::vector<FacePlane>& planes, int cleavageFace)
      : count_(static_cast<int>(planes.size())), cleavage_(cleavageFace), planes_(count_) {
    filter_.count = count_;
    ok_ = Prepare(planes);
  }

  CornerFilter Build() {
    if (!ok_) return {};
    std::vector<SketchPlane> sketchPlanes(count_);
    for (int g = 0; g < count_; ++g)
      sketchPlanes[g] = {planes_[g].unit, planes_[g].offset, planes_[g].usable};
    sketch_ = SketchHull(sketchPlanes, 1e4 * (1 + maxOffset_));
    if (!sketch_.valid) return {};
    for (const auto& loop : sketch_.loops)
      for (int v : loop) alive_.push_back(v);
    std::sort(alive_.begin(), alive_.end());
    alive_.erase(std::unique(alive_.begin(), alive_.end()), alive_.end());
    for (int v : alive_) {
      const auto& p = sketch_.vertices[v].position;
      xs_.push_back(p[0]), ys_.push_back(p[1]), zs_.push_back(p[2]);
    }
    if (!ProveReach()) return {};
    filter_.admitted.assign((static_cast<std::size_t>(count_) * count_ + 63) / 64,
                            ~std::uint64_t{0});
    filter_.testFaces.assign(count_, {});
    // A plane no corner can lie on drops out with all its pairs; one that the
    // passing points clear also adds nothing to their inside tests.
    dead_.assign(count_, 0);
    for (const Plane& q : planes_) {
      ux_.push_back(q.unit[0]), uy_.push_back(q.unit[1]), uz_.push_back(q.unit[2]);
      limit_.push_back(q.offset - kSideMargin - kSlack * std::fabs(q.offset));
    }
    for (int g = 0; g < count_; ++g) {
      if (planes_[g].zero || (planes_[g].usable && sketch_.loops[g].empty() && PlaneMissed(g)))
        dead_[g] = 1;
      else
        live_.push_back(g);
    }
    for (int p : live_)
      if (planes_[p].usable && !sketch_.loops[p].empty()) BoxFace(p);
    for (std::size_t a = 0; a < live_.size(); ++a)
      for (std::size_t b = a + 1; b < live_.size(); ++b) {
        const int i = live_[a], j = live_[b];
        if (filter_.Admitted(i, j) && PairMissed(i, j)) Exclude(i, j);
      }
    MakePartners();
    filter_.active = true;
    filter_.reach = reach_;
    return std::move(filter_);
  }

 private:
  bool Prepare(const std::vector<FacePlane>& planes) {
    Real shortest = 0, longest = 0;
    for (int g = 0; g < count_; ++g) {
      const Real norm = Norm(planes[g].normal);
      const Real offset = planes[g].offset;
      if (!std::isfinite(norm) || !std::isfinite(offset)) return false;
      Plane& p = planes_[g];
      p.zero = norm == 0;
      if (p.zero || g == cleavage_) continue;
      for (int i = 0; i < 3; ++i) p.unit[i] = static_cast<double>(planes[g].normal[i] / norm);
      p.offset = static_cast<double>(offset);
      p.usable = true;
      shortest = shortest == 0 ? norm : std::min(shortest, norm);
      longest = std::max(longest, norm);
      maxOffset_ = std::max(maxOffset_, std::fabs(p.offset));
    }
    spread_ = shortest > 0 ? static_cast<double>(longest / shortest) : 1;
    return true;
  }

  // |x| <= R for every passing point: eight directions near the cube's
  // diagonals, each bounded by the three faces of the sketch corner furthest
  // along it, with coefficients proved positive.
  bool ProveReach() {
    const double a = 1, b = 1.0123, c = 0.9871;
    const double length = std::sqrt(a * a + b * b + c * c);
    double widest = 0;
    for (int signs = 0; signs < 8; ++signs) {
      const D3 t{(signs & 1 ? -a : a) / length, (signs & 2 ? -b : b) / length,
                 (signs & 4 ? -c : c) / length};
      const int v = FurthestAlive(t);
      if (v < 0) return false;
      double bound = 0;
      if (!PositiveBound(t, sketch_.vertices[v].planes, bound)) return false;
      widest = std::max(widest, bound);
    }
    reach_ = widest * length / std::min({a, b, c}) * (1 + 1e-9) + 1e-9;
    // The rounding of the inside test and of the solve at this reach must stay
    // within the margins assumed.
    const double size = reach_ + maxOffset_;
    delta_ = 64 * static_cast<double>(kLongEps) * spread_ * size;
    return std::isfinite(reach_) &&
           1.0000001e-14 + 8 * static_cast<double>(kLongEps) * size < pass_ &&
           delta_ < kSideMargin / 10;
  }

  int FurthestAlive(const D3& t) const {
    int best = -1;
    double most = -INFINITY;
    for (std::size_t m = 0; m < xs_.size(); ++m) {
      const double d = xs_[m] * t[0] + ys_[m] * t[1] + zs_[m] * t[2];
      if (d > most) most = d, best = static_cast<int>(m);
    }
    return best < 0 ? -1 : alive_[best];
  }

  int Furthest(const std::vector<int>& vertices, const D3& t) const {
    int best = -1;
    double most = -INFINITY;
    for (int v : vertices) {
      const double d = Dot(sketch_.vertices[v].position, t);
      if (d > most) most = d, best = v;
    }
    return best;
  }

  bool Real3(const std::array<int, 3>& faces) const {
    for (int g : faces)
      if (sketch_.IsBoxPlane(g) || !planes_[g].usable) return false;
    return true;
  }

  // t . x <= bound over passing points, from t = sum of lambda_g u_g with every
  // lambda proved positive (no bound on |x| needed).
  bool PositiveBound(const D3& t, const std::array<int, 3>& faces, double& bound) const {
    if (!Real3(faces)) return false;
    const D3& u0 = planes_[faces[0]].unit;
    const D3& u1 = planes_[faces[1]].unit;
    const D3& u2 = planes_[faces[2]].unit;
    const double det = Dot(u0, Cross(u1, u2));
    if (!(std::fabs(det) >= 1e-6)) return false;
    const double l[3] = {Dot(t, Cross(u1, u2)) / det, Dot(u0, Cross(t, u2)) / det,
                         Dot(u0, Cross(u1, t)) / det};
    const double size = 1 + std::fabs(l[0]) + std::fabs(l[1]) + std::fabs(l[2]);
    const double error = 64 * kEps * size / std::fabs(det);
    bound = 0;
    double magnitude = 0;
    for (int k = 0; k < 3; ++k) {
      if (!(l[k] > error)) return false;
      const double d = planes_[faces[k]].offset + pass_;
      bound += (l[k] + error) * d;
      magnitude += (l[k] + error) * std::fabs(d);
    }
    bound += kSlack * (1 + magnitude);
    return std::isfinite(bound);
  }

  // t . x <= bound over passing points on plane p (p < 0: anywhere), from
  // t = mu u_p + lambda_g u_g + lambda_h u_h + r with lambda >= 0.
  bool PlaneBound(const D3& t, int p, int g, int h, int k, double& bound) const {
    const int faces[3] = {p >= 0 ? p : k, g, h};
    for (int f : faces)
      if (f < 0 || sketch_.IsBoxPlane(f) || !planes_[f].usable) return false;
    const D3& u0 = planes_[faces[0]].unit;
    const D3& u1 = planes_[g].unit;
    const D3& u2 = planes_[h].unit;
    const double det = Dot(u0, Cross(u1, u2));
    if (!(std::fabs(det) >= 1e-9)) return false;
    double c[3] = {Dot(t, Cross(u1, u2)) / det, Dot(u0, Cross(t, u2)) / det,
                   Dot(u0, Cross(u1, t)) / det};
    // Coefficients of one-sided faces must not be negative: drop them to 0 and
    // let the residual carry the difference.
    const int first = p >= 0 ? 1 : 0;
    for (int m = first; m < 3; ++m) c[m] = std::max(c[m], 0.0);
    D3 r = t;
    const D3* u[3] = {&u0, &u1, &u2};
    for (int m = 0; m < 3; ++m)
      for (int i = 0; i < 3; ++i) r[i] -= c[m] * (*u[m])[i];
    const double size = 1 + std::fabs(c[0]) + c[1] + c[2];
    const double residual = Length(r) + 64 * kEps * size;
    bound = 0;
    double magnitude = 0;
    for (int m = 0; m < 3; ++m) {
      const double d = planes_[faces[m]].offset;
      const double term = m < first ? c[m] * d + std::fabs(c[m]) * delta_ : c[m] * (d + pass_);
      bound += term;
      magnitude += std::fabs(c[m]) * (std::fabs(d) + delta_ + pass_);
    }
    bound += residual * reach_ + kSlack * (1 + magnitude + reach_);
    return std::isfinite(bound);
  }

  // The whole plane g stays clear of the passing points: g carries no corner.
  // The faces of the sketch corner that was furthest along g's normal when g
  // was tried, or else of the finished sketch's, bound the crystal that way.
  bool PlaneMissed(int g) const {
    const double limit = planes_[g].offset - kSideMargin - kSlack * std::fabs(planes_[g].offset);
    const auto& early = sketch_.furthest[g];
    double bound = 0;
    if (early[0] >= 0 && PlaneBound(planes_[g].unit, -1, early[1], early[2], early[0], bound) &&
        bound < limit)
      return true;
    const int v = FurthestAlive(planes_[g].unit);
    if (v < 0) return false;
    const auto& f = sketch_.vertices[v].planes;
    if (!PlaneBound(planes_[g].unit, -1, f[1], f[2], f[0], bound)) return false;
    return bound < limit;
  }

  // On plane i, the wedge at the outline's corner furthest towards plane j
  // stays clear of j.
  bool MissedOnPlane(int i, int j) const {
    const std::vector<int>& loop = sketch_.loops[i];
    if (loop.empty() || !planes_[i].usable || !planes_[j].usable) return false;
    const int v = Furthest(loop, planes_[j].unit);
    int other[2], n = 0;
    for (int g : sketch_.vertices[v].planes)
      if (g != i && n < 2) other[n++] = g;
    if (n != 2 || other[0] == j || other[1] == j) return false;
    double bound = 0;
    if (!PlaneBound(planes_[j].unit, i, other[0], other[1], -1, bound)) return false;
    return bound < planes_[j].offset - kSideMargin - kSlack * std::fabs(planes_[j].offset);
  }

  bool PairMissed(int i, int j) const {
    if (i == cleavage_ || j == cleavage_) return false;
    return MissedOnPlane(i, j) || MissedOnPlane(j, i);
  }

  // A box around face p's outline, proved along two in-plane directions; the
  // faces clearing it are left out of p's inside tests and p's pairs.
  void BoxFace(int p) {
    const D3& n = planes_[p].unit;
    const D3 helper = std::fabs(n[0]) < 0.6 ? D3{1, 0, 0} : D3{0, 1, 0};
    D3 e1 = Cross(n, helper);
    const double l1 = Length(e1);
    for (double& v : e1) v /= l1;
    const D3 e2 = Cross(n, e1);
    std::vector<int> certifying;
    double low[2], high[2];
    const D3 axes[2] = {e1, e2};
    for (int a = 0; a < 2; ++a)
      for (int sign = -1; sign <= 1; sign += 2) {
        const D3 t{sign * axes[a][0], sign * axes[a][1], sign * axes[a][2]};
        const int v = Furthest(sketch_.loops[p], t);
        int other[2], m = 0;
        for (int g : sketch_.vertices[v].planes)
          if (g != p && m < 2) other[m++] = g;
        double bound = 0;
        if (m != 2 || !PlaneBound(t, p, other[0], other[1], -1, bound)) return;
        (sign > 0 ? high[a] : low[a]) = sign > 0 ? bound : -bound;
        certifying.push_back(other[0]);
        certifying.push_back(other[1]);
      }
    const double c1 = (low[0] + high[0]) / 2, c2 = (low[1] + high[1]) / 2;
    const double w1 = (high[0] - low[0]) / 2, w2 = (high[1] - low[1]) / 2;
    const double d = planes_[p].offset;
    const D3 centre{c1 * e1[0] + c2 * e2[0] + d * n[0], c1 * e1[1] + c2 * e2[1] + d * n[1],
                    c1 * e1[2] + c2 * e2[2] + d * n[2]};
    const double radius = std::sqrt(w1 * w1 + w2 * w2 + delta_ * delta_) * (1 + 1e-9) +
                          kSlack * (1 + reach_ + Length(centre));
    if (!std::isfinite(radius)) return;
    std::vector<int>& tests = filter_.testFaces[p];
    // Reach of each plane over the box, in flat arrays the compiler can stream.
    const std::size_t planeCount = static_cast<std::size_t>(count_);
    reachOver_.resize(planeCount);
    for (std::size_t g = 0; g < planeCount; ++g)
      reachOver_[g] =
          ux_[g] * centre[0] + uy_[g] * centre[1] + uz_[g] * centre[2] + radius - limit_[g];
    for (int g = 0; g < count_; ++g) {
      const Plane& q = planes_[g];
      if (q.usable && dead_[g]) continue;
      const bool clear = q.usable && g != p && reachOver_[g] < 0;
      if (clear)
        Exclude(p, g);
      else
        tests.push_back(g);
    }
    tests.insert(tests.end(), certifying.begin(), certifying.end());
    std::sort(tests.begin(), tests.end());
    tests.erase(std::unique(tests.begin(), tests.end()), tests.end());
  }

  void Exclude(int i, int j) {
    for (const std::size_t bit :
         {static_cast<std::size_t>(i) * count_ + j, static_cast<std::size_t>(j) * count_ + i})
      filter_.admitted[bit / 64] &= ~(std::uint64_t{1} << (bit % 64));
  }

  // Pairs with a dead plane are never listed, whatever the matrix says.
  void MakePartners() {
    filter_.partners.assign(count_, {});
    for (int i : live_)
      for (int j : live_)
        if (j != i && filter_.Admitted(i, j)) filter_.partners[i].push_back(j);
  }

  int count_;
  int cleavage_;
  std::vector<Plane> planes_;
  bool ok_ = false;
  double maxOffset_ = 0;
  double spread_ = 1;
  double reach_ = 0, delta_ = 0;
  // Bound on the violation of any face at a point that passes the inside test.
  const double pass_ = 1e-12;
  HullSketch sketch_;
  std::vector<int> alive_;
  std::vector<double> xs_, ys_, zs_;          // positions of the alive vertices
  std::vector<double> ux_, uy_, uz_, limit_;  // unit normals; offsets less the side margin
  std::vector<double> reachOver_;
  std::vector<std::uint8_t> dead_;
  std::vector<int> live_;  // planes not dead, ascending
  CornerFilter filter_;
};

}  // namespace

CornerFilter MakeCornerFilter(const std::vector<FacePlane>& planes, int cleavageFace) {
  return FilterBuilder(planes, cleavageFace).Build();
}

}  // namespace habitopia
