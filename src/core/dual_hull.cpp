#include "core/dual_hull.h"

#include <cfloat>
#include <cmath>
#include <utility>

namespace habitopia {

namespace {

// The double value of a 4 x 4 determinant from a triangle's cofactors: rounding
// the entries to double, the cofactors and the final sum each err by a few units
// of 2^-53 of the absolute-value sum; this allowance covers them several times.
constexpr double kFilterError = 48 * DBL_EPSILON / 2;
// The same for the expansion in extended precision (2^-64 per operation).
constexpr Real kLongFilterError = 32 * LDBL_EPSILON / 2;
// Entries within this range keep every product of four clear of underflow and
// overflow in double precision.
constexpr double kSafeLow = 1e-60, kSafeHigh = 1e60;

double Det3(double a0, double a1, double a2, double b0, double b1, double b2, double c0, double c1,
            double c2) {
  return a0 * (b1 * c2 - b2 * c1) - a1 * (b0 * c2 - b2 * c0) + a2 * (b0 * c1 - b1 * c0);
}

}  // namespace

DualHull::DualHull(std::vector<Row4> points)
    : points_(std::move(points)), approx_(points_.size()), safe_(points_.size(), 1) {
  for (std::size_t i = 0; i < points_.size(); ++i)
    for (int j = 0; j < 4; ++j) {
      const double v = static_cast<double>(points_[i][j]);
      approx_[i][j] = v;
      const double m = std::fabs(v);
      if (!(m == 0 || (m >= kSafeLow && m <= kSafeHigh))) safe_[i] = 0;
      if (!(m < 1e300) || (points_[i][j] != 0 && m < 1e-300)) inDoubleRange_ = false;
    }
  byStart_.assign(points_.size(), -1);
  nextOutside_.assign(points_.size(), -1);
  const std::size_t expected = 8 * points_.size() + 16;
  triangles_.reserve(expected);
  planes_.reserve(expected);
  dead_.reserve(expected);
  firstOutside_.reserve(expected);
  byEnd_.assign(points_.size(), -1);
}

int DualHull::Orientation(int a, int b, int c, int d) const {
  // Extended precision first: the 2 x 2 minors of rows a, b and c, d, each
  // with its absolute-value sum, bound the rounding of the expansion.
  const Row4* r[4] = {&points_[a], &points_[b], &points_[c], &points_[d]};
  static constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
  static constexpr int kSigns[6] = {1, -1, 1, 1, -1, 1};
  Real sum = 0, scale = 0;
  bool finite = true;
  for (int p = 0; p < 6; ++p) {
    const int i = kPairs[p][0], j = kPairs[p][1], k = kPairs[5 - p][0], l = kPairs[5 - p][1];
    const Real top = (*r[0])[i] * (*r[1])[j] - (*r[0])[j] * (*r[1])[i];
    const Real topScale = std::fabs((*r[0])[i] * (*r[1])[j]) + std::fabs((*r[0])[j] * (*r[1])[i]);
    const Real bottom = (*r[2])[k] * (*r[3])[l] - (*r[2])[l] * (*r[3])[k];
    const Real bottomScale =
        std::fabs((*r[2])[k] * (*r[3])[l]) + std::fabs((*r[2])[l] * (*r[3])[k]);
    sum += kSigns[p] * top * bottom;
    scale += topScale * bottomScale;
  }
  finite = std::isfinite(sum) && std::isfinite(scale);
  if (finite && scale > 1e-4000L && std::fabs(sum) > kLongFilterError * scale)
    return sum > 0 ? 1 : -1;
  ++exactCalls_;
  return ExactDeterminantSign(points_[a], points_[b], points_[c], points_[d]);
}

void DualHull::MakePlane(int t) {
  const auto& v = triangles_[t].vertex;
  const auto& a = approx_[v[0]];
  const auto& b = approx_[v[1]];
  const auto& c = approx_[v[2]];
  Plane& p = planes_[t];
  p.safe = safe_[v[0]] && safe_[v[1]] && safe_[v[2]];
  static constexpr int kOthers[4][3] = {{1, 2, 3}, {0, 2, 3}, {0, 1, 3}, {0, 1, 2}};
  for (int j = 0; j < 4; ++j) {
    const int x = kOthers[j][0], y = kOthers[j][1], z = kOthers[j][2];
    const double minor = Det3(a[x], a[y], a[z], b[x], b[y], b[z], c[x], c[y], c[z]);
    const double w = std::fabs(a[x]) * (std::fabs(b[y] * c[z]) + std::fabs(b[z] * c[y])) +
                     std::fabs(a[y]) * (std::fabs(b[x] * c[z]) + std::fabs(b[z] * c[x])) +
                     std::fabs(a[z]) * (std::fabs(b[x] * c[y]) + std::fabs(b[y] * c[x]));
    // Cofactor of row 3, column j.
    p.cofactor[j] = (j % 2 == 0) ? -minor : minor;
    p.weight[j] = w;
  }
}

int DualHull::Filtered(const Plane& plane, int point, bool& decided) const {
  const auto& d = approx_[point];
  const double value = d[0] * plane.cofactor[0] + d[1] * plane.cofactor[1] +
                       d[2] * plane.cofactor[2] + d[3] * plane.cofactor[3];
  const double scale = std::fabs(d[0]) * plane.weight[0] + std::fabs(d[1]) * plane.weight[1] +
                       std::fabs(d[2]) * plane.weight[2] + std::fabs(d[3]) * plane.weight[3];
  decided = std::fabs(value) > kFilterError * scale;
  return value > 0 ? 1 : -1;
}

int DualHull::Side(int t, int point) const {
  const auto& v = triangles_[t].vertex;
  if (safe_[point] && planes_[t].safe) {
    bool decided = false;
    const int sign = Filtered(planes_[t], point, decided);
    if (decided) return sign;
  }
  return Orientation(v[0], v[1], v[2], point);
}

int DualHull::AddTriangle(int a, int b, int c) {
  int t = 0;
  if (!free_.empty()) {
    t = free_.back();
    free_.pop_back();
    triangles_[t] = {{a, b, c}, {-1, -1, -1}};
    dead_[t] = 0;
    firstOutside_[t] = -1;
  } else {
    triangles_.push_back({{a, b, c}, {-1, -1, -1}});
    planes_.emplace_back();
    dead_.push_back(0);
    firstOutside_.push_back(-1);
    t = static_cast<int>(triangles_.size()) - 1;
  }
  MakePlane(t);
  return t;
}

bool DualHull::Simplex(std::array<int, 4>& start) {
  const int n = used_;
  if (n < 4) return false;
  std::vector<std::array<double, 3>>& at = projected_;
  at.resize(n);
  for (int i = 0; i < n; ++i) {
    const auto& p = approx_[i];
    at[i] = {p[0] / p[3], p[1] / p[3], p[2] / p[3]};
  }
  // First the points farthest along four directions near those of a regular
  // tetrahedron. No two of them are opposite, so the start leaves out the
  // opposite pairs of a centrosymmetric set, whose planes through the middle
  // give a crowd of exactly zero signs while the hull grows around it.
  static constexpr double kDirections[4][3] = {
      {1, 0.93, 0.87}, {1.05, -0.97, -0.91}, {-0.95, 1.02, -1.08}, {-1.03, -0.99, 0.96}};
  std::array<int, 4> extreme{-1, -1, -1, -1};
  for (int d = 0; d < 4; ++d) {
    double most = -INFINITY;
    for (int i = 0; i < n; ++i) {
      const double along = at[i][0] * kDirections[d][0] + at[i][1] * kDirections[d][1] +
                           at[i][2] * kDirections[d][2];
      if (std::isfinite(along) && along > most) most = along, extreme[d] = i;
    }
  }
  bool distinct = extreme[0] >= 0;
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) distinct = distinct && extreme[a] != extreme[b];
  if (distinct) {
    const int sign = Orientation(extreme[0], extreme[1], extreme[2], extreme[3]);
    if (sign != 0) {
      start =
          sign > 0 ? extreme : std::array<int, 4>{extreme[0], extreme[2], extreme[1], extreme[3]};
      return true;
    }
  }

  // Otherwise the farthest point by a measure: `squared` gives its square cheaply, and
  // `measure` the measure itself where the square overflows.
  auto far = [&](auto squared, auto measure) {
    int best = -1;
    double most = -1;
    for (int i = 0; i < n; ++i) {
      double m = std::sqrt(squared(at[i]));
      if (std::isinf(m)) m = measure(at[i]);
      if (std::isfinite(m) && m > most) most = m, best = i;
    }
    return best;
  };
  const auto p0 = at[0];
  const int i1 = far(
      [&](const std::array<double, 3>& q) {
        const double r[3] = {q[0] - p0[0], q[1] - p0[1], q[2] - p0[2]};
        return r[0] * r[0] + r[1] * r[1] + r[2] * r[2];
      },
      [&](const std::array<double, 3>& q) {
        return std::hypot(q[0] - p0[0], q[1] - p0[1], q[2] - p0[2]);
      });
  if (i1 < 0) return false;
  const auto p1 = at[i1];
  const std::array<double, 3> u{p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
  auto across = [&](const std::array<double, 3>& q) {
    const double r[3] = {q[0] - p0[0], q[1] - p0[1], q[2] - p0[2]};
    return std::array<double, 3>{r[1] * u[2] - r[2] * u[1], r[2] * u[0] - r[0] * u[2],
                                 r[0] * u[1] - r[1] * u[0]};
  };
  const int i2 = far(
      [&](const std::array<double, 3>& q) {
        const auto c = across(q);
        return c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
      },
      [&](const std::array<double, 3>& q) {
        const auto c = across(q);
        return std::hypot(c[0], c[1], c[2]);
      });
  if (i2 < 0) return false;
  const auto p2 = at[i2];
  const double v[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
  const double normal[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                            u[0] * v[1] - u[1] * v[0]};
  auto height = [&](const std::array<double, 3>& q) {
    return std::fabs((q[0] - p0[0]) * normal[0] + (q[1] - p0[1]) * normal[1] +
                     (q[2] - p0[2]) * normal[2]);
  };
  const int i3 = far([&](const std::array<double, 3>& q) { return height(q) * height(q); }, height);
  int fourth = -1, sign = 0;
  if (i3 >= 0) sign = Orientation(0, i1, i2, i3), fourth = i3;
  for (int i = 0; sign == 0 && i < n; ++i)
    if (i != 0 && i != i1 && i != i2) sign = Orientation(0, i1, i2, i), fourth = i;
  if (sign == 0) return false;
  start = sign > 0 ? std::array<int, 4>{0, i1, i2, fourth} : std::array<int, 4>{0, i2, i1, fourth};
  return true;
}

bool DualHull::Build(bool withLastPoint) {
  used_ = static_cast<int>(points_.size()) - (withLastPoint || points_.empty() ? 0 : 1);
  std::array<int, 4> s{};
  if (!Simplex(s)) return false;
  const int t0 = AddTriangle(s[0], s[1], s[2]);
  const int t1 = AddTriangle(s[0], s[3], s[1]);
  const int t2 = AddTriangle(s[0], s[2], s[3]);
  const int t3 = AddTriangle(s[1], s[3], s[2]);
  const int first[4] = {t0, t1, t2, t3};
  for (int t : first)
    for (int i = 0; i < 3; ++i) {
      const int a = triangles_[t].vertex[i], b = triangles_[t].vertex[(i + 1) % 3];
      for (int u : first)
        for (int j = 0; j < 3; ++j)
          if (triangles_[u].vertex[j] == b && triangles_[u].vertex[(j + 1) % 3] == a)
            triangles_[t].neighbour[i] = u;
    }
  std::vector<int>& work = work_;
  work.clear();
  const int n = used_;
  for (int q = 0; q < n; ++q) {
    if (q == s[0] || q == s[1] || q == s[2] || q == s[3]) continue;
    for (int t : first)
      if (Side(t, q) < 0) {
        nextOutside_[q] = firstOutside_[t];
        firstOutside_[t] = q;
        break;
      }
  }
  for (int t : first)
    if (firstOutside_[t] >= 0) work.push_back(t);
  while (!work.empty()) {
    const int t = work.back();
    work.pop_back();
    if (dead_[t] || firstOutside_[t] < 0) continue;
    // The point furthest beyond the triangle's plane, in the double estimate.
    int best = -1, beforeBest = -1;
    double most = INFINITY;
    const Plane& p = planes_[t];
    for (int q = firstOutside_[t], previous = -1; q >= 0; previous = q, q = nextOutside_[q]) {
      const auto& d = approx_[q];
      const double value = (d[0] * p.cofactor[0] + d[1] * p.cofactor[1] + d[2] * p.cofactor[2] +
                            d[3] * p.cofactor[3]) /
                           d[3];
      if (value < most || best < 0) most = value, best = q, beforeBest = previous;
    }
    if (beforeBest < 0)
      firstOutside_[t] = nextOutside_[best];
    else
      nextOutside_[beforeBest] = nextOutside_[best];
    AddPoint(best, t);
    for (int u : created_)
      if (firstOutside_[u] >= 0) work.push_back(u);
  }
  for (int t = 0; t < static_cast<int>(triangles_.size()); ++t)
    if (!dead_[t]) alive_.push_back(t);
  return true;
}

void DualHull::AddPoint(int point, int seen) {
  ++stamp_;
  const int visibleMark = 2 * stamp_, hiddenMark = 2 * stamp_ + 1;
  std::vector<int>& marks = marks_;
  if (marks.size() < triangles_.size()) marks.resize(triangles_.size() * 2, -1);
  std::vector<int>& visible = visible_;
  visible.assign(1, seen);
  marks[seen] = visibleMark;
  for (std::size_t m = 0; m < visible.size(); ++m) {
    const int v = visible[m];
    for (int i = 0; i < 3; ++i) {
      const int nb = triangles_[v].neighbour[i];
      if (marks[nb] == visibleMark || marks[nb] == hiddenMark) continue;
      if (Side(nb, point) < 0) {
        marks[nb] = visibleMark;
        visible.push_back(nb);
      } else {
        marks[nb] = hiddenMark;
      }
    }
  }
  std::vector<int>& created = created_;
  created.clear();
  for (int v : visible)
    for (int i = 0; i < 3; ++i) {
      const int nb = triangles_[v].neighbour[i];
      if (marks[nb] == visibleMark) continue;
      const int a = triangles_[v].vertex[i], b = triangles_[v].vertex[(i + 1) % 3];
      const int t = AddTriangle(a, b, point);
      if (marks.size() < triangles_.size()) marks.resize(triangles_.size() * 2, -1);
      triangles_[t].neighbour[0] = nb;
      for (int j = 0; j < 3; ++j)
        if (triangles_[nb].vertex[j] == b && triangles_[nb].vertex[(j + 1) % 3] == a)
          triangles_[nb].neighbour[j] = t;
      byStart_[a] = t;
      byEnd_[b] = t;
      created.push_back(t);
    }
  for (int t : created) {
    HullTriangle& tri = triangles_[t];
    tri.neighbour[1] = byStart_[tri.vertex[1]];
    tri.neighbour[2] = byEnd_[tri.vertex[0]];
  }
  for (int v : visible) {
    dead_[v] = 1;
    for (int q = firstOutside_[v]; q >= 0;) {
      const int next = nextOutside_[q];
      if (q != point)
        for (int t : created)
          if (Side(t, q) < 0) {
            nextOutside_[q] = firstOutside_[t];
            firstOutside_[t] = q;
            break;
          }
      q = next;
    }
    firstOutside_[v] = -1;
  }
  // The slots of the hidden triangles serve the next point's new ones.
  free_.insert(free_.end(), visible.begin(), visible.end());
}

}  // namespace habitopia
