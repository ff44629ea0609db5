#include "core/exact_polyhedron.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <span>
#include <utility>

#include "core/dual_hull.h"

// The half-space n . x <= b (b = D |n| > 0) is the point n / b of the dual
// space. The crystal's corners are the facets of the convex hull of these points
// and the origin that miss the origin; its present faces are the hull's
// vertices, and a face's corners are the facets around its vertex, in turn. A
// hull facet through the origin is a direction in which the crystal is open.

namespace habitopia {

namespace {

// Corners that, with the planes at their distances without the index offsets,
// coincide to this relative precision are one corner of the crystal as entered.
constexpr Real kSameWithoutOffsets = 1e-12L;

class Groups {
 public:
  explicit Groups(int n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
  int Find(int x) {
    while (parent_[x] != x) x = parent_[x] = parent_[parent_[x]];
    return x;
  }
  void Join(int a, int b) {
    a = Find(a), b = Find(b);
    if (a != b) parent_[std::max(a, b)] = std::min(a, b);
  }

 private:
  std::vector<int> parent_;
};

struct ExactCorner {
  std::span<const int> faces;  // ascending
  std::array<int, 3> triple{};
  Vec3 position{};
};

// The first triple of the corner's planes, in lexicographic order, whose solve
// is not singular: the triple the exhaustive search meets it at first. `rhs`
// holds each plane's D |n|, as SolveCorner computes it.
bool ChooseTriple(const std::vector<FacePlane>& planes, const std::vector<Real>& rhs,
                  ExactCorner& corner) {
  const auto& f = corner.faces;
  const int m = static_cast<int>(f.size());
  for (int a = 0; a < m; ++a)
    for (int b = a + 1; b < m; ++b)
      for (int c = b + 1; c < m; ++c) {
        const Matrix3 normals{planes[f[a]].normal, planes[f[b]].normal, planes[f[c]].normal};
        Vec3 x{};
        if (SolveSystem(normals, x, {rhs[f[a]], rhs[f[b]], rhs[f[c]]}) == 0) continue;
        corner.triple = {f[a], f[b], f[c]};
        corner.position = x;
        return true;
      }
  return false;
}

Vec3 OpenDirectionOfFlatSet(const std::vector<FacePlane>& planes) {
  Vec3 first{};
  bool haveFirst = false;
  for (const FacePlane& p : planes) {
    if (!(Norm(p.normal) > 0)) continue;
    if (!haveFirst) {
      first = p.normal;
      haveFirst = true;
      continue;
    }
    const Vec3 c = Cross(first, p.normal);
    if (Norm(c) > 1e-12L * Norm(first) * Norm(p.normal)) return c;
  }
  if (!haveFirst) return {0, 0, 1};
  // One normal direction only: anything across it is open.
  const Vec3 helper = std::fabs(first[0]) < 0.6L * Norm(first) ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
  return Cross(first, helper);
}

// The cosine key of the gathered order: (r0 . r) / |r0| / |r|, r0 = P1 - P0.
Real Key(const Vec3& p0, const Vec3& r0, Real r0Length, const Vec3& p) {
  const Vec3 r = SubVec(p, p0);
  return Dot(r0, r) / r0Length / Norm(r);
}

}  // namespace

bool BuildExactPolyhedron(const PolyhedronInput& input, Polyhedron& polyhedron) {
  if (input.cleavageFace >= 0) return false;
  const std::vector<FacePlane>& planes = polyhedron.planes;
  const int faceCount = static_cast<int>(planes.size());
  std::vector<Row4> points;
  std::vector<int> faceOfPoint;
  std::vector<Real> rhs(faceCount, 0);
  points.reserve(faceCount + 1);
  faceOfPoint.reserve(faceCount);
  for (int f = 0; f < faceCount; ++f) {
    const Real norm = Norm(planes[f].normal);
    if (!std::isfinite(norm)) return false;
    if (norm == 0) continue;  // no plane: it never bounds the crystal
    const Real b = planes[f].offset * norm;
    if (!std::isfinite(b) || !(b > 0)) return false;
    rhs[f] = b;
    points.push_back({planes[f].normal[0], planes[f].normal[1], planes[f].normal[2], b});
    faceOfPoint.push_back(f);
  }
  const int origin = static_cast<int>(points.size());
  points.push_back({0, 0, 0, 1});
  std::optional<DualHull> built(std::in_place, points);
  if (!built->InDoubleRange()) return false;

  polyhedron.exact = true;
  polyhedron.corners.clear();
  polyhedron.presentFaces.clear();
  polyhedron.presentIndex.assign(faceCount, kAbsentFace);
  polyhedron.absentCount = faceCount;

  // A bounded crystal keeps the origin strictly inside the hull of the other
  // points, which is then the hull of them all. Only when it does not is the
  // origin taken in, to find the directions in which the crystal is open;
  // leaving it out spares the exact signs of the many planes through it while
  // the hull grows about it.
  bool enclosed = built->Build(/*withLastPoint=*/false);
  for (int t : built->Alive()) enclosed = enclosed && built->Side(t, origin) > 0;
  if (!enclosed) {
    built.emplace(points);
    if (!built->Build()) {
      polyhedron.bounded = false;
      polyhedron.openDirection = OpenDirectionOfFlatSet(planes);
      return true;
    }
  }
  const DualHull& hull = *built;
  const auto& tri = hull.Triangles();
  const std::vector<int>& alive = hull.Alive();

  // Triangles in one plane are one corner (or one open direction).
  std::vector<int> slot(tri.size(), -1);
  for (std::size_t s = 0; s < alive.size(); ++s) slot[alive[s]] = static_cast<int>(s);
  Groups planesOfTriangles(static_cast<int>(alive.size()));
  for (int t : alive)
    for (int i = 0; i < 3; ++i) {
      const int nb = tri[t].neighbour[i];
      if (nb < t) continue;
      int apex = -1;
      for (int v : tri[nb].vertex)
        if (v != tri[t].vertex[i] && v != tri[t].vertex[(i + 1) % 3]) apex = v;
      if (hull.Side(t, apex) == 0) planesOfTriangles.Join(slot[t], slot[nb]);
    }

  std::vector<int> cornerOfGroup(alive.size(), -1);  // by root slot; -2: open
  std::vector<ExactCorner> corners;
  corners.reserve(alive.size());
  polyhedron.bounded = true;
  for (std::size_t s = 0; s < alive.size(); ++s) {
    const int root = planesOfTriangles.Find(static_cast<int>(s));
    if (root != static_cast<int>(s)) continue;
    const int t = alive[s];
    if (hull.Side(t, origin) == 0) {
      cornerOfGroup[s] = -2;
      if (polyhedron.bounded) {
        // The facet's plane through the origin, p . x = 0 with every dual point
        // on the side p . x >= 0: the crystal is open along -x.
        // Two of its points other than the origin span it with the origin.
        Vec3 n{};
        const auto& v = tri[t].vertex;
        for (int i = 0; i < 3; ++i)
          for (int j = i + 1; j < 3; ++j) {
            if (v[i] == origin || v[j] == origin) continue;
            const Vec3 a{points[v[i]][0], points[v[i]][1], points[v[i]][2]};
            const Vec3 b{points[v[j]][0], points[v[j]][1], points[v[j]][2]};
            const Vec3 c = Cross(a, b);
            if (Norm(c) > Norm(n)) n = c;
          }
        polyhedron.openDirection = n;
      }
      polyhedron.bounded = false;
      continue;
    }
    cornerOfGroup[s] = static_cast<int>(corners.size());
    corners.emplace_back();
  }
  // The planes of each corner, ascending, in one array: each triangle hands its
  // three planes to its corner's bucket.
  std::vector<int> bucketBegin(corners.size() + 1, 0);
  for (std::size_t s = 0; s < alive.size(); ++s) {
    const int c = cornerOfGroup[planesOfTriangles.Find(static_cast<int>(s))];
    if (c >= 0) bucketBegin[c + 1] += 3;
  }
  for (std::size_t c = 0; c < corners.size(); ++c) bucketBegin[c + 1] += bucketBegin[c];
  std::vector<int> faceList(bucketBegin.back());
  std::vector<int> filled(bucketBegin.begin(), bucketBegin.end() - 1);
  for (std::size_t s = 0; s < alive.size(); ++s) {
    const int c = cornerOfGroup[planesOfTriangles.Find(static_cast<int>(s))];
    if (c < 0) continue;
    for (int v : tri[alive[s]].vertex) faceList[filled[c]++] = faceOfPoint[v];
  }
  int* kept = faceList.data();
  for (std::size_t c = 0; c < corners.size(); ++c) {
    int* begin = faceList.data() + bucketBegin[c];
    int* end = faceList.data() + bucketBegin[c + 1];
    std::sort(begin, end);
    int* const uniqueEnd = std::unique(begin, end);
    int* const first = kept;
    kept = kept == begin ? uniqueEnd : std::copy(begin, uniqueEnd, kept);  // kept < begin
    corners[c].faces = std::span<const int>(first, kept);
    if (!ChooseTriple(planes, rhs, corners[c])) return false;
  }
  // The open direction points away from every dual point: n_g . x <= 0.
  if (!polyhedron.bounded) {
    Real most = 0;
    for (int p = 0; p < origin; ++p) {
      const Real d = points[p][0] * polyhedron.openDirection[0] +
                     points[p][1] * polyhedron.openDirection[1] +
                     points[p][2] * polyhedron.openDirection[2];
      if (std::fabs(d) > std::fabs(most)) most = d;
    }
    if (most > 0) polyhedron.openDirection = ScaleVec(polyhedron.openDirection, -1);
  }

  // Corners numbered in the order the triples are met.
  std::vector<int> order(corners.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](int a, int b) { return corners[a].triple < corners[b].triple; });
  std::vector<int> number(corners.size());
  for (std::size_t n = 0; n < order.size(); ++n) number[order[n]] = static_cast<int>(n);
  polyhedron.corners.reserve(order.size());
  for (int c : order) polyhedron.corners.push_back({corners[c].position, corners[c].triple});
  auto groupCorner = [&](int t) {
    const int c = cornerOfGroup[planesOfTriangles.Find(slot[t])];
    return c < 0 ? -1 : number[c];
  };

  // Each face's corners in turn around its dual vertex, in one array.
  std::vector<int> incident(points.size(), -1);
  for (int t : alive)
    for (int v : tri[t].vertex) incident[v] = t;
  std::vector<int> ringBegin(faceCount, 0), ringEnd(faceCount, 0);
  std::vector<int> rings;
  rings.reserve(3 * alive.size());
  for (int p = 0; p < origin; ++p) {
    const int f = faceOfPoint[p];
    ringBegin[f] = ringEnd[f] = static_cast<int>(rings.size());
    if (incident[p] < 0) continue;
    const std::size_t begin = rings.size();
    int t = incident[p];
    for (std::size_t guard = 0; guard <= alive.size(); ++guard) {
      const int c = groupCorner(t);
      if (rings.size() == begin || rings.back() != c) rings.push_back(c);
      int i = 0;
      while (tri[t].vertex[i] != p) ++i;
      t = tri[t].neighbour[(i + 2) % 3];
      if (t == incident[p]) break;
    }
    if (rings.size() - begin > 1 && rings[begin] == rings.back()) rings.pop_back();
    rings.erase(std::remove(rings.begin() + static_cast<std::ptrdiff_t>(begin), rings.end(), -1),
                rings.end());
    ringEnd[f] = static_cast<int>(rings.size());
  }
  auto ringOf = [&](int f) {
    return std::span<const int>(rings.data() + ringBegin[f], rings.data() + ringEnd[f]);
  };

  // Corners that only the index offsets keep apart are shown as one.
  // Each corner is solved at most once, with the planes as entered.
  std::vector<signed char> enteredSolved(polyhedron.corners.size(), -1);  // -1: not yet
  std::vector<Vec3> enteredPosition(polyhedron.corners.size());
  auto enteredCorner = [&](int c, Vec3& x) {
    if (enteredSolved[c] < 0) {
      const CornerRecord& corner = polyhedron.corners[c];
      FacePlane entered[3];
      for (int i = 0; i < 3; ++i) {
        entered[i] = planes[corner.faces[i]];
        entered[i].offset = input.faces[corner.faces[i]].distance / polyhedron.distanceScale;
      }
      enteredSolved[c] =
          SolveCorner(entered[0], entered[1], entered[2], enteredPosition[c]) != 0 ? 1 : 0;
    }
    x = enteredPosition[c];
    return enteredSolved[c] == 1;
  };
  // Most edges are far longer than the merge distance: a look at the corners
  // in double precision passes them over.
  std::vector<std::array<double, 3>> rough(polyhedron.corners.size());
  for (std::size_t c = 0; c < rough.size(); ++c)
    for (int i = 0; i < 3; ++i)
      rough[c][i] = static_cast<double>(polyhedron.corners[c].position[i]);
  Groups shown(static_cast<int>(polyhedron.corners.size()));
  for (int f = 0; f < faceCount; ++f) {
    const std::span<const int> ring = ringOf(f);
    const int m = static_cast<int>(ring.size());
    for (int e = 0; m >= 2 && e < m; ++e) {
      const CornerRecord& u = polyhedron.corners[ring[e]];
      const CornerRecord& v = polyhedron.corners[ring[(e + 1) % m]];
      const auto& a = rough[ring[e]];
      const auto& b = rough[ring[(e + 1) % m]];
      if (std::fabs(a[0] - b[0]) + std::fabs(a[1] - b[1]) + std::fabs(a[2] - b[2]) >
          2 * static_cast<double>(kSceneMergeDistance))
        continue;
      const Vec3 d = SubVec(u.position, v.position);
      if (!(std::fabs(d[0]) + std::fabs(d[1]) + std::fabs(d[2]) < kSceneMergeDistance)) continue;
      Vec3 u0{}, v0{};
      if (!enteredCorner(ring[e], u0) || !enteredCorner(ring[(e + 1) % m], v0)) continue;
      const Real size = 1 + std::max({std::fabs(u0[0]), std::fabs(u0[1]), std::fabs(u0[2])});
      const Vec3 gap = SubVec(u0, v0);
      if (std::max({std::fabs(gap[0]), std::fabs(gap[1]), std::fabs(gap[2])}) <=
          kSameWithoutOffsets * size)
        shown.Join(ring[e], ring[(e + 1) % m]);
    }
  }

  polyhedron.absentCount = 0;
  polyhedron.presentFaces.reserve(faceCount);
  for (int f = 0; f < faceCount; ++f) {
    const std::span<const int> ring = ringOf(f);
    const int m = static_cast<int>(ring.size());
    if (m < 3) {
      ++polyhedron.absentCount;
      continue;
    }
    // The gathered order: P0 and P1 are the face's two lowest-numbered corners.
    // The polygon ends with P0, after the neighbour of P0 nearer the direction
    // to P1 (P1 itself when they share an edge).
    int z = 0;
    for (int e = 1; e < m; ++e)
      if (ring[e] < ring[z]) z = e;
    int second = -1;
    for (int e = 0; e < m; ++e)
      if (e != z && (second < 0 || ring[e] < ring[second])) second = e;
    const Vec3& p0 = polyhedron.corners[ring[z]].position;
    const Vec3 r0 = SubVec(polyhedron.corners[ring[second]].position, p0);
    const Real r0Length = Norm(r0);
    const int next = ring[(z + 1) % m], previous = ring[(z + m - 1) % m];
    const bool forward = !(Key(p0, r0, r0Length, polyhedron.corners[next].position) >
                           Key(p0, r0, r0Length, polyhedron.corners[previous].position));
    auto cornerAt = [&](int s) { return ring[forward ? (z + s) % m : (z - s + 2 * m) % m]; };
    PresentFace& present = polyhedron.presentFaces.emplace_back();
    std::vector<PolygonEntry>& entries = present.polygon;
    entries.reserve(m);
    // In turn already: the entries need no sort keys, only the last its mark.
    for (int s = 1; s <= m; ++s) {
      const int c = cornerAt(s);
      entries.push_back({polyhedron.corners[c].position, 0, shown.Find(c)});
    }
    // Runs of entries showing one corner keep their first.
    int last = m - 1;
    if (entries[last].corner == entries[0].corner) --last;
    entries[last].key = kPolygonSentinelKey;
    int current = entries[0].corner, skipped = 0;
    for (int e = 1; e <= last; ++e) {
      if (entries[e].corner == current)
        ++skipped;
      else
        current = entries[e].corner;
      entries[e - skipped] = entries[e];
    }
    last -= skipped;
    entries.resize(last + 1);
    entries[last].key = kPolygonSentinelKey;
    if (static_cast<int>(entries.size()) != m) {
      present.outline.reserve(m);
      for (int s = 1; s <= m; ++s)
        present.outline.push_back(polyhedron.corners[cornerAt(s)].position);
    }

    CopyFaceRecord(input.faces[f], f, present);
    polyhedron.presentIndex[f] = f - polyhedron.absentCount;
  }
  return true;
}

}  // namespace habitopia
