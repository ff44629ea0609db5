#include "tools/shape_descriptors.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "core/numbers.h"
#include "core/open_direction.h"
#include "core/polyhedron.h"
#include "symmetry/face_rows.h"
#include "symmetry/point_groups.h"
#include "tools/half_space_shape.h"

namespace habitopia {

namespace {

constexpr Real kPi = std::numbers::pi_v<Real>;

std::string Shown(Real v) { return FormatSignificant(v, 6); }

// Form number per face (-1 for faces without a normal or the cleavage face).
std::vector<int> AssignForms(const CrystalModel& model, std::vector<FormDescriptor>& forms) {
  const std::vector<Matrix3>& operations = GetPointGroup(model.pointGroup).operations;
  std::vector<Vec3> representatives;
  std::vector<int> formOf(model.FaceCount(), -1);
  for (int f = 0; f < model.FaceCount(); ++f) {
    const FaceRecord& face = model.faces[f];
    const Vec3 hkl = RoundIndices(face.Indices());
    if (f == model.cleavageFace || (hkl[0] == 0 && hkl[1] == 0 && hkl[2] == 0)) continue;
    for (std::size_t r = 0; r < representatives.size() && formOf[f] < 0; ++r)
      for (const Matrix3& m : operations)
        if (RoundIndices(MultiplyMatVec(m, representatives[r])) == hkl) {
          formOf[f] = static_cast<int>(r);
          break;
        }
    if (formOf[f] < 0) {
      formOf[f] = static_cast<int>(representatives.size());
      representatives.push_back(hkl);
      forms.push_back({IndexText(hkl), 0, 0, face.distance, 0, 0});
    }
    ++forms[formOf[f]].faces;
  }
  return formOf;
}

// Eigenvectors of a symmetric matrix by Jacobi rotations, as the rows of `axes`.
// Elements at rounding level count as zero, so that a shape whose moments are
// alike about several axes (a cube, a hexagonal prism) keeps the Cartesian axes
// rather than axes turned by rounding.
std::array<Real, 3> SymmetricEigen(Matrix3 a, Matrix3& axes) {
  axes = Identity3();
  const Real negligible = 1e-13L * (std::fabs(a[0][0]) + std::fabs(a[1][1]) + std::fabs(a[2][2]));
  for (int sweep = 0; sweep < 60; ++sweep) {
    bool rotated = false;
    for (int p = 0; p < 2; ++p)
      for (int q = p + 1; q < 3; ++q) {
        if (std::fabs(a[p][q]) <= negligible) continue;
        rotated = true;
        const Real theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
        const Real t = (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
        const Real c = 1 / std::sqrt(t * t + 1), s = t * c;
        for (int k = 0; k < 3; ++k) {  // a := a J
          const Real akp = a[k][p], akq = a[k][q];
          a[k][p] = c * akp - s * akq;
          a[k][q] = s * akp + c * akq;
        }
        for (int k = 0; k < 3; ++k) {  // a := J^T a
          const Real apk = a[p][k], aqk = a[q][k];
          a[p][k] = c * apk - s * aqk;
          a[q][k] = s * apk + c * aqk;
        }
        for (int k = 0; k < 3; ++k) {
          const Real vp = axes[p][k], vq = axes[q][k];
          axes[p][k] = c * vp - s * vq;
          axes[q][k] = s * vp + c * vq;
        }
      }
    if (!rotated) break;
  }
  return {a[0][0], a[1][1], a[2][2]};
}

// Second moments of the uniform solid about its centroid, from the tetrahedra
// spanned by a point inside and the faces' triangle fans.
Matrix3 CentralSecondMoments(const HalfSpaceShape& shape) {
  Vec3 inner{};
  for (const Vec3& p : shape.corners) inner = AddVec(inner, p);
  inner = ScaleVec(inner, 1.0L / static_cast<Real>(shape.corners.size()));
  Real mass = 0;
  Vec3 first{};
  Matrix3 second{};
  for (const ShapeFace& face : shape.faces)
    for (std::size_t i = 1; i + 1 < face.corners.size(); ++i) {
      const Vec3 a = SubVec(shape.corners[face.corners[0]], inner);
      const Vec3 b = SubVec(shape.corners[face.corners[i]], inner);
      const Vec3 c = SubVec(shape.corners[face.corners[i + 1]], inner);
      const Real volume = Dot(a, Cross(b, c)) / 6;
      const Vec3 s = AddVec(AddVec(a, b), c);
      mass += volume;
      first = AddVec(first, ScaleVec(s, volume / 4));
      for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
          second[r][k] += volume / 20 * (a[r] * a[k] + b[r] * b[k] + c[r] * c[k] + s[r] * s[k]);
    }
  const Vec3 centroid = ScaleVec(first, 1 / mass);
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 3; ++k) second[r][k] -= mass * centroid[r] * centroid[k];
  return second;
}

Real Extent(const std::vector<Vec3>& points, const Vec3& axis) {
  Real low = Dot(points[0], axis), high = low;
  for (const Vec3& p : points) {
    low = std::min(low, Dot(p, axis));
    high = std::max(high, Dot(p, axis));
  }
  return high - low;
}

using Point2 = std::array<Real, 2>;

Real Turn(const Point2& o, const Point2& a, const Point2& b) {
  return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0]);
}

std::vector<Point2> ConvexHull2(std::vector<Point2> points) {
  std::sort(points.begin(), points.end());
  if (points.size() < 3) return points;
  std::vector<Point2> hull(2 * points.size());
  std::size_t k = 0;
  for (const Point2& p : points) {
    while (k >= 2 && Turn(hull[k - 2], hull[k - 1], p) <= 0) --k;
    hull[k++] = p;
  }
  for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && Turn(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  hull.resize(k - 1);
  return hull;
}

// The smallest rectangle around a convex polygon has a side on one of its edges.
std::array<Real, 2> SmallestRectangle(const std::vector<Point2>& hull) {
  std::array<Real, 2> best{0, 0};
  Real bestArea = -1;
  for (std::size_t i = 0; i < hull.size(); ++i) {
    const Point2& a = hull[i];
    const Point2& b = hull[(i + 1) % hull.size()];
    Real ex = b[0] - a[0], ey = b[1] - a[1];
    const Real length = std::hypot(ex, ey);
    if (!(length > 0)) continue;
    ex /= length;
    ey /= length;
    Real lowU = 0, highU = 0, lowW = 0, highW = 0;
    for (const Point2& p : hull) {
      const Real u = (p[0] - a[0]) * ex + (p[1] - a[1]) * ey;
      const Real w = -(p[0] - a[0]) * ey + (p[1] - a[1]) * ex;
      lowU = std::min(lowU, u);
      highU = std::max(highU, u);
      lowW = std::min(lowW, w);
      highW = std::max(highW, w);
    }
    const Real area = (highU - lowU) * (highW - lowW);
    if (bestArea < 0 || area < bestArea) {
      bestArea = area;
      best = {highU - lowU, highW - lowW};
    }
  }
  return best;
}

std::array<Real, 3> SortedDescending(std::array<Real, 3> v) {
  std::sort(v.begin(), v.end(), std::greater<Real>());
  return v;
}

std::array<Real, 3> TightBox(const HalfSpaceShape& shape, const std::array<Vec3, 3>& axes) {
  std::array<Real, 3> best = {Extent(shape.corners, axes[0]), Extent(shape.corners, axes[1]),
                              Extent(shape.corners, axes[2])};
  Real bestVolume = best[0] * best[1] * best[2];
  for (const ShapeFace& face : shape.faces) {
    const Vec3& n = face.normal;
    const Vec3 helper = std::fabs(n[0]) < 0.6L ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    Vec3 u = Cross(n, helper);
    u = ScaleVec(u, 1 / Norm(u));
    const Vec3 w = Cross(n, u);
    std::vector<Point2> projected;
    for (const Vec3& p : shape.corners) projected.push_back({Dot(p, u), Dot(p, w)});
    const std::array<Real, 2> rectangle = SmallestRectangle(ConvexHull2(std::move(projected)));
    const Real height = Extent(shape.corners, n);
    if (rectangle[0] * rectangle[1] * height < bestVolume) {
      bestVolume = rectangle[0] * rectangle[1] * height;
      best = {rectangle[0], rectangle[1], height};
    }
  }
  return SortedDescending(best);
}

}  // namespace

std::string ZinggClass(Real sOverM, Real mOverL) {
  const bool flat = sOverM <= kZinggThreshold, elongated = mOverL <= kZinggThreshold;
  if (flat) return elongated ? "blade" : "plate";
  return elongated ? "rod" : "equant";
}

ShapeDescriptors DescribeShape(const CrystalModel& model, bool distancesAreEnergies) {
  ShapeDescriptors d;
  const std::vector<int> formOf = AssignForms(model, d.forms);
  std::vector<HalfSpace> planes;
  for (int f = 0; f < model.FaceCount(); ++f)
    if (formOf[f] >= 0)
      planes.push_back(
          {HklToCartesian(model.matrices, model.faces[f].Indices()), model.faces[f].distance, f});
  const HalfSpaceShape shape = IntersectHalfSpaces(planes);
  d.closed = shape.closed;
  if (!shape.closed) {
    // The exact construction names the open direction exactly; the clipped box
    // only to within its size.
    const Polyhedron exact = BuildPolyhedron(MakePolyhedronInput(model));
    if (exact.exact && !exact.bounded)
      d.openAlong = LatticeDirectionText(model.matrices, exact.openDirection);
    else if (shape.openDirection)
      d.openAlong = LatticeDirectionText(model.matrices, *shape.openDirection);
  }
  if (!shape.closed) return d;

  d.corners = static_cast<int>(shape.corners.size());
  d.edges = shape.edges;
  d.volume = shape.volume;
  d.surface = shape.surface;
  for (const ShapeFace& face : shape.faces) {
    FormDescriptor& form = d.forms[formOf[face.face]];
    form.area += face.area;
    ++form.presentFaces;
  }
  for (FormDescriptor& form : d.forms) form.areaFraction = form.area / d.surface;

  const Real v = d.volume, a = d.surface;
  d.surfaceToVolume = a / v;
  d.shapeFactor = a / std::pow(v, 2.0L / 3);
  d.effectiveRadius = std::cbrt(3 * v / (4 * kPi));
  d.sphericity = std::cbrt(kPi) * std::pow(6 * v, 2.0L / 3) / a;

  Matrix3 axes{};
  SymmetricEigen(CentralSecondMoments(shape), axes);
  std::array<std::pair<Real, Vec3>, 3> extents;
  for (int i = 0; i < 3; ++i) extents[i] = {Extent(shape.corners, axes[i]), axes[i]};
  std::sort(extents.begin(), extents.end(),
            [](const auto& x, const auto& y) { return x.first > y.first; });
  for (int i = 0; i < 3; ++i) {
    d.lengths[i] = extents[i].first;
    d.principalAxes[i] = extents[i].second;
  }
  d.boundingBox = TightBox(shape, d.principalAxes);
  d.zinggML = d.lengths[1] / d.lengths[0];
  d.zinggSM = d.lengths[2] / d.lengths[1];
  d.zinggClass = ZinggClass(d.zinggSM, d.zinggML);

  if (distancesAreEnergies) {
    Real total = 0;
    for (const FormDescriptor& form : d.forms) total += form.distance * form.area;
    const Real weighted = total / a;
    Real spread = 0;
    for (const FormDescriptor& form : d.forms)
      spread += (form.distance - weighted) * (form.distance - weighted) * form.areaFraction;
    d.totalSurfaceEnergy = total;
    d.weightedSurfaceEnergy = weighted;
    d.anisotropy = std::sqrt(spread) / weighted;
  }
  return d;
}

std::string OpenShapeText(const ShapeDescriptors& d) {
  return "no face bounds the crystal along " +
         (d.openAlong.empty() ? std::string("some direction") : d.openAlong);
}

std::string DescriptorReport(const ShapeDescriptors& d, const std::string& lengthUnit) {
  std::ostringstream out;
  out << "Shape descriptors (lengths in " << lengthUnit << ")\n";
  if (!d.closed) {
    out << "  open: " << OpenShapeText(d) << "\n";
    return out.str();
  }
  out << "  volume " << Shown(d.volume) << ", surface " << Shown(d.surface) << "\n"
      << "  surface/volume " << Shown(d.surfaceToVolume) << ", A/V^(2/3) " << Shown(d.shapeFactor)
      << "\n"
      << "  effective radius " << Shown(d.effectiveRadius) << ", sphericity " << Shown(d.sphericity)
      << "\n"
      << "  corners " << d.corners << ", edges " << d.edges << "\n"
      << "  lengths L M S " << Shown(d.lengths[0]) << " " << Shown(d.lengths[1]) << " "
      << Shown(d.lengths[2]) << "\n"
      << "  bounding box " << Shown(d.boundingBox[0]) << " x " << Shown(d.boundingBox[1]) << " x "
      << Shown(d.boundingBox[2]) << "\n"
      << "  Zingg S/M " << Shown(d.zinggSM) << ", M/L " << Shown(d.zinggML) << ": " << d.zinggClass
      << "\n";
  if (d.weightedSurfaceEnergy)
    out << "  surface energy: weighted " << Shown(*d.weightedSurfaceEnergy) << ", total "
        << Shown(*d.totalSurfaceEnergy) << "\n"
        << "  anisotropy " << Shown(*d.anisotropy) << "\n";
  out << "  form          faces  present         area  fraction\n";
  for (const FormDescriptor& form : d.forms) {
    std::string name = "{" + form.indices + "}";
    name.resize(std::max<std::size_t>(name.size() + 1, 14), ' ');
    out << "  " << name << FormatInteger(form.faces, 5) << FormatInteger(form.presentFaces, 9)
        << " " << FormatFixed(form.area, 12, 4) << " " << FormatFixed(form.areaFraction, 9, 5)
        << "\n";
  }
  return out.str();
}

}  // namespace habitopia
