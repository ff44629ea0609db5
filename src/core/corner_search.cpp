#include "core/corner_search.h"

#include <cmath>
#include <limits>

#include "core/corner_filter.h"

namespace habitopia {

namespace {

// A point whose violations are bounded below by this, in scaled units, is
// nowhere near the corner tolerance of 1e-14 whatever the rounding of the solve
// (extended precision keeps the solve's error near 1e-19 times the point's
// distance times the condition number, which the limits below keep under 1e6).
constexpr Real kPruneMargin = 1e-8L;
// Below these the line of a plane pair or its meeting with a third plane is too
// ill-conditioned for the bounds; such triples are simply solved and tested.
constexpr Real kMinPairSine = 1e-3L;
constexpr Real kMinSlope = 1e-3L;
constexpr Real kMaxPruneReach = 1e3L;
constexpr Real kMinPairSlope = 1e-6L;
constexpr Real kMaxPairReach = 1e6L;
constexpr int kWitnessHints = 4;
// A face whose normal is parallel to one of the line's planes (an index multiple,
// such as 2 0 0 beside 1 0 0) has a slope along the line of rounding size only:
// its violation is the same all along the line.
constexpr Real kParallelSlope = 1e-15L;

struct Constraint {
  Vec3 unit{};          // unit outward normal
  Real norm = 0;        // Norm of the plane's normal as given
  bool usable = false;  // finite, non-zero normal: takes part in the bounds
};

// The triple test, with the arithmetic of Dot and Norm: e = (n . x) / |n| - D.
class InsideTest {
 public:
  InsideTest(const std::vector<FacePlane>& planes, const std::vector<Constraint>& constraints,
             int cleavageFace)
      : planes_(planes), constraints_(constraints), cleavageFace_(cleavageFace) {}

  bool IsCorner(const Vec3& x) {
    // Terms are non-negative, so the rounded sum is at least every single term and
    // never decreases: one term or a partial sum at the tolerance decides.
    if (lastViolator_ >= 0 && Excess(lastViolator_, x) >= kInsideTolerance) return false;
    Real s = 0;
    const int count = static_cast<int>(planes_.size());
    for (int g = 0; g < count; ++g) {
      const Real e = Excess(g, x);
      if (Rules(e, g)) return false;
      if (Counts(e, g)) {
        s += e;
        if (s >= kInsideTolerance) {
          if (e >= kInsideTolerance) lastViolator_ = g;
          return false;
        }
      }
    }
    return s < kInsideTolerance;
  }

  // The same test over the listed faces only (ascending), for a point whose
  // other faces are known to add nothing once these stay below the tolerance.
  bool IsCornerAmong(const Vec3& x, const std::vector<int>& faces) const {
    Real s = 0;
    for (int g : faces) {
      const Real e = Excess(g, x);
      if (Rules(e, g)) return false;
      if (Counts(e, g)) {
        s += e;
        if (s >= kInsideTolerance) return false;
      }
    }
    return s < kInsideTolerance;
  }

 private:
  bool Counts(Real e, int g) const { return e > 0 && g != cleavageFace_; }
  // A NaN term of a face with a plane (a point that is not finite) rules the
  // point out; only a face without a plane, zero indices, has no say.
  bool Rules(Real e, int g) const {
    return std::isnan(e) && g != cleavageFace_ && constraints_[g].norm != 0;
  }

  Real Excess(int g, const Vec3& x) const {
    const Vec3& n = planes_[g].normal;
    Real dot = 0;
    dot += n[0] * x[0];
    dot += n[1] * x[1];
    dot += n[2] * x[2];
    return dot / constraints_[g].norm - planes_[g].offset;
  }

  const std::vector<FacePlane>& planes_;
  const std::vector<Constraint>& constraints_;
  int cleavageFace_;
  int lastViolator_ = -1;
};

// The line shared by two planes, x(t) = origin + t * direction, and the interval
// of t that the other faces leave.
struct PairLine {
  Vec3 origin{};
  Vec3 direction{};                                    // unit
  Real upper = std::numeric_limits<Real>::infinity();  // t <= upper
  Real upperSlope = 0;
  Real lower = -std::numeric_limits<Real>::infinity();  // t >= lower
  Real lowerSlope = 0;                                  // negative
  int upperFace = -1, lowerFace = -1;
  int blockingFace = -1;  // a face parallel to the line, violated all along it

  // Lower bound of the largest violation at parameter t.
  Real ViolationBound(Real t) const {
    Real bound = -std::numeric_limits<Real>::infinity();
    if (upperFace >= 0) bound = upperSlope * (t - upper);
    if (lowerFace >= 0) bound = std::fmax(bound, lowerSlope * (t - lower));
    return bound;
  }

  // True when every point of the line violates a face by more than the margin.
  bool Missed() const {
    if (blockingFace >= 0) return true;
    if (upperFace < 0 || lowerFace < 0 || !(lower > upper)) return false;
    if (!(std::fabs(upper) <= kMaxPairReach && std::fabs(lower) <= kMaxPairReach)) return false;
    const Real up = upperSlope, down = -lowerSlope;
    if (!(up >= kMinPairSlope && down >= kMinPairSlope)) return false;
    const Real gap = (lower - upper) * up * down / (up + down);
    return gap > kPruneMargin;
  }
};

class CornerSearch {
 public:
  CornerSearch(const std::vector<FacePlane>& planes, int cleavageFace,
               std::vector<CornerRecord>& corners)
      : planes_(planes),
        count_(static_cast<int>(planes.size())),
        cleavageFace_(cleavageFace),
        corners_(corners),
        constraints_(planes.size()),
        inside_(planes, constraints_, cleavageFace),
        slope_(planes.size()),
        height_(planes.size()) {
    for (int g = 0; g < count_; ++g) {
      Constraint& c = constraints_[g];
      c.norm = Norm(planes[g].normal);
      if (std::isfinite(c.norm) && c.norm > 0 && std::isfinite(planes[g].offset)) {
        c.unit = ScaleVec(planes[g].normal, 1 / c.norm);
        c.usable = true;
      }
    }
  }

  // Solves only the triples the filter admits, in the same order.
  void SearchFiltered(const CornerFilter& filter, int i) {
    const Real reach = filter.reach * (1 + 1e-9L);
    for (int j : filter.partners[i]) {
      if (j <= i) continue;
      for (int k : filter.partners[j]) {
        if (k <= j || !filter.Admitted(i, k)) continue;
        Vec3 x{};
        if (SolveCorner(planes_[i], planes_[j], planes_[k], x) == 0) continue;
        if (IsCornerFiltered(filter, reach, {i, j, k}, x)) corners_.push_back({x, {i, j, k}});
      }
    }
  }

  void SearchPair(int i, int j) {
    PairLine line;
    if (!MakeLine(i, j, line)) {
      SolveAll(i, j);
      return;
    }
    if (MissedByWitnesses(i, j, line)) return;
    BoundLine(i, j, line);
    RememberWitnesses(line);
    if (line.Missed()) return;  // slope_ and height_ may be incomplete then
    for (int k = j + 1; k < count_; ++k)
      if (!CannotBeCorner(line, k)) Solve(i, j, k);
  }

 private:
  bool MakeLine(int i, int j, PairLine& line) const {
    const Constraint& a = constraints_[i];
    const Constraint& b = constraints_[j];
    if (!a.usable || !b.usable) return false;
    const Vec3 u = Cross(a.unit, b.unit);
    const Real sine = Norm(u);
    if (!(sine >= kMinPairSine)) return false;
    const Real di = planes_[i].offset, dj = planes_[j].offset;
    const Vec3 p = AddVec(ScaleVec(Cross(b.unit, u), di), ScaleVec(Cross(u, a.unit), dj));
    line.origin = ScaleVec(p, 1 / (sine * sine));
    line.direction = ScaleVec(u, 1 / sine);
    return Norm(line.origin) <= kMaxPruneReach;
  }

  // Returns true when the face tightened the line's bounds.
  bool Add(int g, PairLine& line) {
    const Constraint& c = constraints_[g];
    const Real a = Dot(c.unit, line.direction);
    const Real b = Dot(c.unit, line.origin) - planes_[g].offset;
    slope_[g] = a;
    height_[g] = b;
    if (std::fabs(a) <= kParallelSlope) {
      if (!(b > kPruneMargin)) return false;
      line.blockingFace = g;
      return true;
    }
    const Real t = -b / a;
    if (a > 0 && t < line.upper) {
      line.upper = t;
      line.upperSlope = a;
      line.upperFace = g;
      return true;
    }
    if (a < 0 && t > line.lower) {
      line.lower = t;
      line.lowerSlope = a;
      line.lowerFace = g;
      return true;
    }
    return false;
  }

  bool Constrains(int g, int i, int j) const {
    return g != i && g != j && g != cleavageFace_ && constraints_[g].usable;
  }

  bool MissedByWitnesses(int i, int j, PairLine& line) {
    for (int g : witnesses_)
      if (g >= 0 && Constrains(g, i, j)) Add(g, line);
    return line.Missed();
  }

  // Bounds the line by every face; stops early once the line is known to miss.
  void BoundLine(int i, int j, PairLine& line) {
    for (int g = 0; g < count_; ++g)
      if (Constrains(g, i, j) && Add(g, line) && line.Missed()) return;
  }

  void RememberWitnesses(const PairLine& line) {
    for (int g : {line.blockingFace, line.upperFace, line.lowerFace}) {
      if (g < 0) continue;
      bool known = false;
      for (int w : witnesses_) known = known || w == g;
      if (known) continue;
      witnesses_[nextWitness_] = g;
      nextWitness_ = (nextWitness_ + 1) % kWitnessHints;
    }
  }

  // The third plane meets the line where a face of the bounds is violated by
  // more than the margin, at a point close enough to judge it safely.
  bool CannotBeCorner(const PairLine& line, int k) const {
    if (k == cleavageFace_ || !constraints_[k].usable) return false;
    const Real a = slope_[k];
    if (!(std::fabs(a) >= kMinSlope)) return false;
    const Real t = -height_[k] / a;
    if (!(std::fabs(t) <= kMaxPruneReach)) return false;
    return line.ViolationBound(t) > kPruneMargin;
  }

  bool IsCornerFiltered(const CornerFilter& filter, Real reach, const std::array<int, 3>& triple,
                        const Vec3& x) {
    const Real distance = Norm(x);
    if (!std::isfinite(distance)) return inside_.IsCorner(x);
    if (!(distance <= reach)) return false;  // beyond every point that passes
    for (int p : triple)
      if (!filter.testFaces[p].empty()) return inside_.IsCornerAmong(x, filter.testFaces[p]);
    return inside_.IsCorner(x);
  }

  void SolveAll(int i, int j) {
    for (int k = j + 1; k < count_; ++k) Solve(i, j, k);
  }

  void Solve(int i, int j, int k) {
    Vec3 x{};
    if (SolveCorner(planes_[i], planes_[j], planes_[k], x) == 0) return;
    if (inside_.IsCorner(x)) corners_.push_back({x, {i, j, k}});
  }

  const std::vector<FacePlane>& planes_;
  const int count_;
  const int cleavageFace_;
  std::vector<CornerRecord>& corners_;
  std::vector<Constraint> constraints_;
  InsideTest inside_;
  std::vector<Real> slope_, height_;  // per face, for the current pair's line
  int witnesses_[kWitnessHints] = {-1, -1, -1, -1};
  int nextWitness_ = 0;
};

}  // namespace

bool SearchCorners(const std::vector<FacePlane>& planes, int cleavageFace,
                   const std::function<bool(int, int)>& progress,
                   std::vector<CornerRecord>& corners) {
  const int count = static_cast<int>(planes.size());
  CornerSearch search(planes, cleavageFace, corners);
  const CornerFilter filter = MakeCornerFilter(planes, cleavageFace);
  for (int i = 0; i < count; ++i) {
    if (progress && !progress(i, count - 1)) return false;
    if (filter.active)
      search.SearchFiltered(filter, i);
    else
      for (int j = i + 1; j < count; ++j) search.SearchPair(i, j);
  }
  return true;
}

}  // namespace habitopia
