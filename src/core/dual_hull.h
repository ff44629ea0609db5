#pragma once
// The convex hull of points given in homogeneous coordinates (x, y, z, w) with
// w > 0, decided with exact orientation signs: a double-precision value with a
// proven error bound, and exact arithmetic where the bound leaves the sign open.
// Coplanar points and facets are treated exactly: the hull's triangles that lie
// in one plane are grouped, and a point on a facet's plane is no hull vertex
// unless it is needed as a corner of the facet polygon.

#include <array>
#include <vector>

#include "core/exact_sign.h"

namespace habitopia {

struct HullTriangle {
  std::array<int, 3> vertex{};     // point indices, one fixed turning sense
  std::array<int, 3> neighbour{};  // neighbour[i] shares the edge vertex[i] -> vertex[i + 1]
};

class DualHull {
 public:
  explicit DualHull(std::vector<Row4> points);

  // False when all points lie in one plane (there is then no hull). Without
  // the last point, the hull is that of the others; Side still takes it.
  bool Build(bool withLastPoint = true);

  // Every coordinate, and every one but zero, stays clear of overflow and
  // underflow in double precision, in which the hull makes its estimates.
  bool InDoubleRange() const { return inDoubleRange_; }

  const std::vector<HullTriangle>& Triangles() const { return triangles_; }
  const std::vector<int>& Alive() const { return alive_; }  // live triangle indices
  // Exact sign of det(rows a, b, c, d); for a triangle's points in its order,
  // points inside the hull give +1.
  int Orientation(int a, int b, int c, int d) const;
  int Side(int triangle, int point) const;
  std::size_t ExactCalls() const { return exactCalls_; }

 private:
  struct Plane {
    double cofactor[4];
    double weight[4];   // absolute-value cofactors: the error bound's scale
    bool safe = false;  // its three points are within the filter's range
  };
  void MakePlane(int triangle);
  int Filtered(const Plane& plane, int point, bool& decided) const;
  bool Simplex(std::array<int, 4>& start);
  int AddTriangle(int a, int b, int c);
  void AddPoint(int point, int seen);

  std::vector<Row4> points_;
  int used_ = 0;  // the points 0..used_-1 make the hull
  bool inDoubleRange_ = true;
  std::vector<std::array<double, 4>> approx_;
  std::vector<char> safe_;  // approx_ is within the filter's exponent range
  std::vector<HullTriangle> triangles_;
  std::vector<Plane> planes_;
  std::vector<char> dead_;
  std::vector<int> free_;  // dead triangles whose slots may be taken again
  // Per triangle, a list of points strictly beyond it, linked through nextOutside_.
  std::vector<int> firstOutside_;
  std::vector<int> nextOutside_;
  std::vector<int> visible_, created_, work_;
  std::vector<int> alive_;
  std::vector<int> marks_;  // per triangle: visible or hidden from the point being added
  std::vector<int> byStart_, byEnd_;
  std::vector<std::array<double, 3>> projected_;  // the points as x / w, for the first simplex
  int stamp_ = 0;
  mutable std::size_t exactCalls_ = 0;
};

}  // namespace habitopia
