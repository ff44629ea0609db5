#include "tools/half_space_shape.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace habitopia {

namespace {

constexpr Real kBoxFactor = 1e6L;

struct Loop {
  int face = -1;
  Vec3 normal{};
  std::vector<Vec3> points;
};

// The point where the segment from a to b crosses the plane; the endpoints are
// taken in a fixed order so that an edge shared by two loops gives the same
// point in both.
Vec3 Crossing(Vec3 a, Real sa, Vec3 b, Real sb) {
  if (b < a) {
    std::swap(a, b);
    std::swap(sa, sb);
  }
  const Real t = sa / (sa - sb);
  return AddVec(a, ScaleVec(SubVec(b, a), t));
}

Real LoopArea(const std::vector<Vec3>& points, const Vec3& normal) {
  Vec3 sum{};
  for (std::size_t i = 0; i < points.size(); ++i)
    sum = AddVec(sum, Cross(points[i], points[(i + 1) % points.size()]));
  return Dot(sum, normal) / 2;
}

// The points of a new face, around their centre counter-clockwise about `normal`.
std::vector<Vec3> OrderAround(std::vector<Vec3> points, const Vec3& normal) {
  Vec3 centre{};
  for (const Vec3& p : points) centre = AddVec(centre, p);
  centre = ScaleVec(centre, 1.0L / static_cast<Real>(points.size()));
  const Vec3 helper = std::fabs(normal[0]) < 0.6L ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
  Vec3 u = Cross(normal, helper);
  u = ScaleVec(u, 1 / Norm(u));
  const Vec3 w = Cross(normal, u);
  std::vector<std::pair<Real, Vec3>> byAngle;
  for (const Vec3& p : points) {
    const Vec3 r = SubVec(p, centre);
    byAngle.emplace_back(std::atan2(Dot(r, w), Dot(r, u)), p);
  }
  std::sort(byAngle.begin(), byAngle.end(),
            [](const auto& x, const auto& y) { return x.first < y.first; });
  std::vector<Vec3> ordered;
  for (const auto& entry : byAngle) ordered.push_back(entry.second);
  return ordered;
}

void AddDistinct(std::vector<Vec3>& points, const Vec3& p, Real tolerance) {
  for (const Vec3& q : points)
    if (std::fabs(q[0] - p[0]) <= tolerance && std::fabs(q[1] - p[1]) <= tolerance &&
        std::fabs(q[2] - p[2]) <= tolerance)
      return;
  points.push_back(p);
}

// Clips every loop by n . x <= d; returns false when the plane cuts nothing away.
bool Clip(std::vector<Loop>& loops, const Vec3& n, Real d, int face, Real tolerance) {
  bool cuts = false;
  for (const Loop& loop : loops)
    for (const Vec3& p : loop.points)
      if (Dot(n, p) - d > tolerance) cuts = true;
  if (!cuts) return false;

  std::vector<Loop> kept;
  std::vector<Vec3> cap;
  for (Loop& loop : loops) {
    std::vector<Vec3> out;
    const std::size_t count = loop.points.size();
    for (std::size_t i = 0; i < count; ++i) {
      const Vec3& a = loop.points[i];
      const Vec3& b = loop.points[(i + 1) % count];
      const Real sa = Dot(n, a) - d, sb = Dot(n, b) - d;
      if (sa <= tolerance) {
        out.push_back(a);
        if (sa >= -tolerance) AddDistinct(cap, a, tolerance);
      }
      if ((sa < -tolerance && sb > tolerance) || (sa > tolerance && sb < -tolerance)) {
        const Vec3 x = Crossing(a, sa, b, sb);
        out.push_back(x);
        AddDistinct(cap, x, tolerance);
      }
    }
    if (out.size() >= 3 && LoopArea(out, loop.normal) > tolerance * tolerance) {
      loop.points = std::move(out);
      kept.push_back(std::move(loop));
    }
  }
  loops = std::move(kept);
  if (cap.size() >= 3) {
    Loop loop{face, n, OrderAround(std::move(cap), n)};
    if (LoopArea(loop.points, n) > tolerance * tolerance) loops.push_back(std::move(loop));
  }
  return true;
}

std::vector<Loop> StartingBox(Real half) {
  std::vector<Loop> box;
  for (int axis = 0; axis < 3; ++axis)
    for (Real sign : {-1.0L, 1.0L}) {
      Vec3 n{};
      n[axis] = sign;
      std::vector<Vec3> square;
      const int u = (axis + 1) % 3, w = (axis + 2) % 3;
      for (auto [su, sw] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) {
        Vec3 p{};
        p[axis] = sign * half;
        p[u] = su * half;
        p[w] = sw * half;
        square.push_back(p);
      }
      box.push_back({-1, n, OrderAround(std::move(square), n)});
    }
  return box;
}

}  // namespace

HalfSpaceShape IntersectHalfSpaces(std::span<const HalfSpace> planes) {
  Real largest = 0;
  for (const HalfSpace& plane : planes)
    if (Norm(plane.normal) > 0) largest = std::max(largest, std::fabs(plane.distance));
  const Real half = kBoxFactor * (largest > 0 ? largest : 1);
  const Real tolerance = half * 1e-16L;

  std::vector<Loop> loops = StartingBox(half);
  for (const HalfSpace& plane : planes) {
    const Real length = Norm(plane.normal);
    if (!(length > 0)) continue;
    Clip(loops, ScaleVec(plane.normal, 1 / length), plane.distance, plane.face, tolerance);
    if (loops.empty()) break;
  }

  HalfSpaceShape shape;
  shape.closed = !loops.empty();
  Real farthest = 0;
  for (const Loop& loop : loops) {
    ShapeFace face{loop.face, loop.normal, {}, LoopArea(loop.points, loop.normal)};
    for (const Vec3& p : loop.points) {
      std::size_t index = 0;
      while (index < shape.corners.size()) {
        const Vec3& q = shape.corners[index];
        if (std::fabs(q[0] - p[0]) <= tolerance && std::fabs(q[1] - p[1]) <= tolerance &&
            std::fabs(q[2] - p[2]) <= tolerance)
          break;
        ++index;
      }
      if (index == shape.corners.size()) shape.corners.push_back(p);
      if (face.corners.empty() || face.corners.back() != static_cast<int>(index))
        face.corners.push_back(static_cast<int>(index));
    }
    if (face.corners.size() > 1 && face.corners.front() == face.corners.back())
      face.corners.pop_back();
    if (loop.face < 0) {
      // The body runs out to the box side: its farthest corner there points
      // along a direction in which nothing bounds it.
      shape.closed = false;
      for (const Vec3& p : loop.points)
        if (Norm(p) > farthest) {
          farthest = Norm(p);
          shape.openDirection = ScaleVec(p, 1 / farthest);
        }
    }
    shape.surface += face.area;
    shape.volume += face.area * Dot(loop.normal, loop.points.front()) / 3;
    shape.faces.push_back(std::move(face));
  }
  if (loops.empty()) shape.volume = 0;

  std::map<std::pair<int, int>, int> edges;
  for (const ShapeFace& face : shape.faces)
    for (std::size_t i = 0; i < face.corners.size(); ++i) {
      const int a = face.corners[i], b = face.corners[(i + 1) % face.corners.size()];
      ++edges[{std::min(a, b), std::max(a, b)}];
    }
  shape.edges = static_cast<int>(edges.size());
  return shape;
}

}  // namespace habitopia
