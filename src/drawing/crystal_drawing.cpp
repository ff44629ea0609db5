#include "drawing/crystal_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

#include "core/numbers.h"
#include "drawing/svg_text.h"
#include "drawing/twin_turn.h"
#include "scene/export_mesh.h"

namespace habitopia {

namespace {

constexpr Real kEdgeOn = 1e-12L;    // a face this close to edge-on is not seen
constexpr Real kShortEdge = 1e-9L;  // projected edges shorter than this are points
constexpr Real kAmbient = 0.45L;    // shading: light never darker than this
constexpr int kAxisSamples = 400;
constexpr int kBisections = 60;
constexpr Real kAxisOvershoot = 1.35L;  // axes reach beyond the crystal by this factor

struct FacePlaneGeometry {
  Vec3 normal{};  // unit, outward
  Real offset = 0;
};

std::vector<FacePlaneGeometry> Planes(const Polyhedron& polyhedron, const SceneGeometry& geometry) {
  std::vector<FacePlaneGeometry> planes(polyhedron.PresentFaceCount());
  for (int p = 0; p < polyhedron.PresentFaceCount(); ++p) {
    const Vec3& n = polyhedron.planes[polyhedron.presentFaces[p].face].normal;
    const Real length = Norm(n);
    if (!(length > 0) || geometry.lists.lists[p].empty() || geometry.lists.lists[p][0] < 0)
      continue;
    planes[p].normal = ScaleVec(n, 1 / length);
    planes[p].offset =
        Dot(planes[p].normal, geometry.corners.positions[geometry.lists.lists[p][0]]);
  }
  return planes;
}

Vec3 Centroid(const std::vector<int>& ring, const std::vector<Vec3>& corners) {
  Vec3 sum{0, 0, 0};
  for (int n : ring) sum = AddVec(sum, corners[n]);
  return ring.empty() ? sum : ScaleVec(sum, 1.0L / ring.size());
}

std::array<int, 3> BaseColour(const PresentFace& face, const DisplaySettings& display) {
  if (face.colourShown == 1) {
    std::array<int, 3> rgb{};
    for (int c = 0; c < 3; ++c)
      rgb[c] = static_cast<int>(std::clamp<long long>(std::llround(face.faceColour[c]), 0, 255));
    return rgb;
  }
  return {display.fillColour.red, display.fillColour.green, display.fillColour.blue};
}

// Light from the upper left, in front of the page.
Vec3 LightDirection(const ViewFrame& frame) {
  Vec3 light = AddVec(AddVec(ScaleVec(frame.right, -0.45L), ScaleVec(frame.up, 0.55L)),
                      ScaleVec(frame.toward, 0.70L));
  return ScaleVec(light, 1 / Norm(light));
}

std::array<int, 3> Shaded(const std::array<int, 3>& rgb, Real lit) {
  const Real factor = kAmbient + (1 - kAmbient) * std::max<Real>(0, lit);
  std::array<int, 3> out{};
  for (int c = 0; c < 3; ++c)
    out[c] = static_cast<int>(std::clamp<long long>(std::llround(rgb[c] * factor), 0, 255));
  return out;
}

// Whether the ray from p towards the viewer meets the crystal (p inside counts).
bool Hidden(const std::vector<FacePlaneGeometry>& planes, const ViewFrame& frame, const Vec3& p) {
  const Vec3 w = TowardViewer(frame, p);
  Real enter = 0;
  Real exit = std::numeric_limits<Real>::max();
  if (frame.eyeDistance) exit = Norm(SubVec(ScaleVec(frame.toward, *frame.eyeDistance), p));
  for (const FacePlaneGeometry& plane : planes) {
    if (Norm(plane.normal) == 0) continue;
    const Real along = Dot(plane.normal, w);
    const Real room = plane.offset - Dot(plane.normal, p);
    if (along == 0) {
      if (room < 0) return false;
    } else if (along > 0) {
      exit = std::min(exit, room / along);
    } else {
      enter = std::max(enter, room / along);
    }
  }
  return exit - enter > kShortEdge;
}

Vec3 Along(const Vec3& a, const Vec3& b, Real t) { return AddVec(a, ScaleVec(SubVec(b, a), t)); }

}  // namespace

std::optional<std::array<Real, 2>> HiddenInterval(const Polyhedron& polyhedron,
                                                  const SceneGeometry& geometry,
                                                  const ViewFrame& frame, const Vec3& a,
                                                  const Vec3& b) {
  const auto planes = Planes(polyhedron, geometry);
  auto hiddenAt = [&](Real t) { return Hidden(planes, frame, Along(a, b, t)); };
  int first = -1, last = -1;
  for (int i = 0; i <= kAxisSamples; ++i)
    if (hiddenAt(static_cast<Real>(i) / kAxisSamples)) {
      if (first < 0) first = i;
      last = i;
    }
  if (first < 0) return std::nullopt;
  auto refine = [&](Real shown, Real hidden) {
    for (int i = 0; i < kBisections; ++i) {
      const Real mid = (shown + hidden) / 2;
      (hiddenAt(mid) ? hidden : shown) = mid;
    }
    return hidden;
  };
  const Real start = first == 0 ? 0
                                : refine(static_cast<Real>(first - 1) / kAxisSamples,
                                         static_cast<Real>(first) / kAxisSamples);
  const Real end = last == kAxisSamples ? 1
                                        : refine(static_cast<Real>(last + 1) / kAxisSamples,
                                                 static_cast<Real>(last) / kAxisSamples);
  return std::array<Real, 2>{start, end};
}

namespace {

// Points this close to the other individual's surface count as in view, so that
// faces and edges the two share (a contact twin's) are not cut by rounding.
constexpr Real kTwinMargin = 1e-9L;
constexpr Real kHiddenShare = 1e-9L;  // a face with less than this share in view is hidden
constexpr Real kFarAway = 1e6L;       // bounds of a line of intersection before clipping

// One individual: its corners and, per present face, the corner ring and plane.
struct Body {
  const std::vector<Vec3>* corners = nullptr;
  std::vector<std::vector<int>> rings;
  std::vector<FacePlaneGeometry> planes;  // zero normal for faces without polygon
  Vec3 interior{};
};

Vec3 Interior(const std::vector<std::vector<int>>& rings, const std::vector<Vec3>& corners) {
  Vec3 sum{0, 0, 0};
  int count = 0;
  for (const auto& ring : rings)
    for (int n : ring) {
      sum = AddVec(sum, corners[n]);
      ++count;
    }
  return count ? ScaleVec(sum, 1.0L / count) : sum;
}

Body CrystalBody(const Polyhedron& polyhedron, const SceneGeometry& geometry) {
  Body body;
  body.corners = &geometry.corners.positions;
  body.planes = Planes(polyhedron, geometry);
  for (const auto& list : geometry.lists.lists) body.rings.push_back(FaceRing(list));
  body.rings.resize(body.planes.size());
  body.interior = Interior(body.rings, *body.corners);
  return body;
}

// The twin shares the crystal's corner numbering; its planes come from its own
// corners (Newell's normal, turned away from its interior).
Body TwinBody(const Body& crystal, const std::vector<Vec3>& corners) {
  Body body;
  body.corners = &corners;
  body.rings = crystal.rings;
  body.interior = Interior(body.rings, corners);
  body.planes.resize(body.rings.size());
  for (std::size_t p = 0; p < body.rings.size(); ++p) {
    const auto& ring = body.rings[p];
    if (ring.size() < 3 || Norm(crystal.planes[p].normal) == 0) continue;
    Vec3 n{0, 0, 0};
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const Vec3& a = corners[ring[i]];
      const Vec3& b = corners[ring[(i + 1) % ring.size()]];
      n = AddVec(n, Cross(a, b));
    }
    const Real length = Norm(n);
    if (!(length > 0)) continue;
    n = ScaleVec(n, 1 / length);
    if (Dot(n, body.interior) > Dot(n, corners[ring[0]])) n = ScaleVec(n, -1);
    body.planes[p] = {n, Dot(n, corners[ring[0]])};
  }
  return body;
}

// Positive for a plane facing the viewer, zero edge-on.
Real Facing(const ViewFrame& frame, const FacePlaneGeometry& plane) {
  if (!frame.eyeDistance) return Dot(plane.normal, frame.toward);
  return Dot(plane.normal, ScaleVec(frame.toward, *frame.eyeDistance)) - plane.offset;
}

// The points whose line of sight meets the body: its faces towards the viewer,
// closed by the planes through its outline edges along the lines of sight.
std::vector<FacePlaneGeometry> ShadowVolume(const Body& body, const ViewFrame& frame) {
  std::vector<FacePlaneGeometry> volume;
  std::vector<int> side(body.planes.size(), 0);
  std::map<std::pair<int, int>, std::vector<int>> edgeFaces;
  for (std::size_t p = 0; p < body.planes.size(); ++p) {
    if (Norm(body.planes[p].normal) == 0 || body.rings[p].size() < 3) continue;
    side[p] = Facing(frame, body.planes[p]) >= 0 ? 1 : -1;
    if (side[p] > 0) volume.push_back(body.planes[p]);
    const auto& ring = body.rings[p];
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const int a = ring[i], b = ring[(i + 1) % ring.size()];
      edgeFaces[{std::min(a, b), std::max(a, b)}].push_back(static_cast<int>(p));
    }
  }
  const auto& corners = *body.corners;
  for (const auto& [edge, faces] : edgeFaces) {
    if (faces.size() != 2 || side[faces[0]] * side[faces[1]] >= 0) continue;
    const Vec3& a = corners[edge.first];
    const Vec3 sight =
        frame.eyeDistance ? SubVec(ScaleVec(frame.toward, *frame.eyeDistance), a) : frame.toward;
    Vec3 n = Cross(SubVec(corners[edge.second], a), sight);
    const Real length = Norm(n);
    if (!(length > 0)) continue;
    n = ScaleVec(n, 1 / length);
    if (Dot(n, body.interior) > Dot(n, a)) n = ScaleVec(n, -1);
    volume.push_back({n, Dot(n, a)});
  }
  return volume;
}

bool Inside(const std::vector<FacePlaneGeometry>& volume, const Vec3& p, Real margin) {
  for (const FacePlaneGeometry& plane : volume)
    if (Dot(plane.normal, p) > plane.offset - margin) return false;
  return true;
}

// The part of a convex polygon inside the volume (Sutherland and Hodgman).
std::vector<Vec3> ClipToVolume(std::vector<Vec3> polygon,
                               const std::vector<FacePlaneGeometry>& volume) {
  for (const FacePlaneGeometry& plane : volume) {
    std::vector<Vec3> kept;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
      const Vec3& here = polygon[i];
      const Vec3& next = polygon[(i + 1) % polygon.size()];
      const Real dh = Dot(plane.normal, here) - (plane.offset - kTwinMargin);
      const Real dn = Dot(plane.normal, next) - (plane.offset - kTwinMargin);
      if (dh <= 0) kept.push_back(here);
      if ((dh < 0 && dn > 0) || (dh > 0 && dn < 0))
        kept.push_back(Along(here, next, dh / (dh - dn)));
    }
    polygon = std::move(kept);
    if (polygon.size() < 3) return {};
  }
  return polygon;
}

// The parameters of the part of a..b inside the volume.
std::optional<std::array<Real, 2>> SegmentInside(const Vec3& a, const Vec3& b,
                                                 const std::vector<FacePlaneGeometry>& volume,
                                                 Real margin) {
  Real t0 = 0, t1 = 1;
  for (const FacePlaneGeometry& plane : volume) {
    const Real da = Dot(plane.normal, a) - (plane.offset - margin);
    const Real db = Dot(plane.normal, b) - (plane.offset - margin);
    if (da > 0 && db > 0) return std::nullopt;
    if (da <= 0 && db <= 0) continue;
    const Real t = da / (da - db);
    if (da > 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (!(t1 > t0)) return std::nullopt;
  return std::array<Real, 2>{t0, t1};
}

Real PolygonArea(const std::vector<Vec3>& polygon) {
  Vec3 n{0, 0, 0};
  for (std::size_t i = 0; i < polygon.size(); ++i)
    n = AddVec(n, Cross(polygon[i], polygon[(i + 1) % polygon.size()]));
  return Norm(n) / 2;
}

Vec3 PolygonCentroid(const std::vector<Vec3>& polygon) {
  Vec3 sum{0, 0, 0};
  for (const Vec3& p : polygon) sum = AddVec(sum, p);
  return polygon.empty() ? sum : ScaleVec(sum, 1.0L / polygon.size());
}

// Merged, sorted union of parameter intervals within 0..1.
std::vector<std::array<Real, 2>> Union(std::vector<std::array<Real, 2>> intervals) {
  std::sort(intervals.begin(), intervals.end());
  std::vector<std::array<Real, 2>> merged;
  for (const auto& i : intervals) {
    if (!merged.empty() && i[0] <= merged.back()[1])
      merged.back()[1] = std::max(merged.back()[1], i[1]);
    else
      merged.push_back(i);
  }
  return merged;
}

// The segment split at the hidden intervals: (from, to, visible) pieces in order.
std::vector<std::tuple<Real, Real, bool>> Pieces(const std::vector<std::array<Real, 2>>& hidden) {
  std::vector<std::tuple<Real, Real, bool>> pieces;
  Real at = 0;
  for (const auto& h : Union(hidden)) {
    if (h[0] > at) pieces.emplace_back(at, h[0], true);
    pieces.emplace_back(std::max(at, h[0]), h[1], false);
    at = h[1];
  }
  if (at < 1) pieces.emplace_back(at, 1, true);
  return pieces;
}

}  // namespace

CrystalDrawing DrawCrystal(const CellMatrices& cell, const Polyhedron& polyhedron,
                           const SceneGeometry& geometry, const DisplaySettings& display,
                           const CrystalDrawingOptions& options) {
  CrystalDrawing drawing;
  drawing.labels = options.labels;
  drawing.fourIndex = options.fourIndex;
  const ViewFrame& frame = options.frame;
  const Vec3 light = LightDirection(frame);

  const Body crystal = CrystalBody(polyhedron, geometry);
  std::optional<Body> twin;
  if (geometry.twinCorners && geometry.twinCorners->size() == geometry.corners.positions.size())
    twin = TwinBody(crystal, *geometry.twinCorners);
  const bool contact = twin && geometry.contactFace >= 0;
  std::vector<FacePlaneGeometry> shadows[2];
  if (twin) {
    shadows[0] = ShadowVolume(crystal, frame);
    shadows[1] = ShadowVolume(*twin, frame);
  }
  std::vector<bool> seen[2];

  auto addEdge = [&](const Vec3& a, const Vec3& b, bool visible) {
    if (!visible && options.hidden == HiddenEdges::None) return;
    DrawnEdge drawn{ProjectPoint(frame, a), ProjectPoint(frame, b), visible};
    if (std::hypot(drawn.to[0] - drawn.from[0], drawn.to[1] - drawn.from[1]) < kShortEdge) return;
    drawing.edges.push_back(drawn);
  };
  // An edge in view of its own individual, hidden where the other one covers it.
  auto addCoveredEdge = [&](const Vec3& a, const Vec3& b,
                            const std::vector<FacePlaneGeometry>* cover) {
    std::vector<std::array<Real, 2>> hidden;
    if (cover)
      if (auto inside = SegmentInside(a, b, *cover, kTwinMargin)) hidden.push_back(*inside);
    auto at = [&](Real t) { return t == 1 ? b : Along(a, b, t); };
    for (const auto& [t0, t1, visible] : Pieces(hidden)) addEdge(at(t0), at(t1), visible);
  };

  auto drawBody = [&](const Body& body, int index) {
    const std::vector<FacePlaneGeometry>* cover = twin ? &shadows[1 - index] : nullptr;
    const auto& corners = *body.corners;
    seen[index].assign(body.planes.size(), false);
    std::map<std::pair<int, int>, std::vector<int>> edgeFaces;
    for (int p = 0; p < static_cast<int>(body.planes.size()); ++p) {
      if (p == geometry.cleavagePresent || (contact && p == geometry.contactFace)) continue;
      const std::vector<int>& ring = body.rings[p];
      if (ring.size() < 3 || Norm(body.planes[p].normal) == 0) continue;
      for (std::size_t i = 0; i < ring.size(); ++i) {
        const int a = ring[i], b = ring[(i + 1) % ring.size()];
        edgeFaces[{std::min(a, b), std::max(a, b)}].push_back(p);
      }
      const Vec3 centre = Centroid(ring, corners);
      seen[index][p] = Dot(body.planes[p].normal, TowardViewer(frame, centre)) > kEdgeOn;
      if (!seen[index][p]) continue;
      const PresentFace& face = polyhedron.presentFaces[p];
      DrawnFace drawn;
      drawn.presentFace = p;
      drawn.hkl = {face.h, face.k, face.l};
      drawn.twin = index == 1;
      std::vector<Vec3> polygon;
      for (int n : ring) polygon.push_back(corners[n]);
      Vec3 labelAt = centre;
      if (cover) {
        const std::vector<Vec3> hidden = ClipToVolume(polygon, *cover);
        const Real whole = PolygonArea(polygon);
        const Real covered = hidden.empty() ? 0 : PolygonArea(hidden);
        if (whole - covered <= kHiddenShare * whole) continue;
        if (covered > kHiddenShare * whole) {
          for (const Vec3& q : hidden) drawn.hole.push_back(ProjectPoint(frame, q));
          if (Inside(*cover, labelAt, kTwinMargin)) {
            // The centroid of what stays in view, when that is in view itself.
            labelAt = ScaleVec(SubVec(ScaleVec(PolygonCentroid(polygon), whole),
                                      ScaleVec(PolygonCentroid(hidden), covered)),
                               1 / (whole - covered));
            drawn.labelled = !Inside(*cover, labelAt, kTwinMargin);
          }
        }
      }
      drawn.labelled = drawn.labelled && !drawn.twin;
      for (int n : ring) drawn.outline.push_back(ProjectPoint(frame, corners[n]));
      std::array<int, 3> colour = BaseColour(face, display);
      if (drawn.twin) colour = TwinColour(colour);
      drawn.fill = Shaded(colour, Dot(body.planes[p].normal, light));
      drawn.centre = ProjectPoint(frame, labelAt);
      drawing.faces.push_back(std::move(drawn));
    }
    for (const auto& [edge, faces] : edgeFaces) {
      const bool visible =
          std::any_of(faces.begin(), faces.end(), [&](int p) { return seen[index][p]; });
      const Vec3& a = corners[edge.first];
      const Vec3& b = corners[edge.second];
      if (visible)
        addCoveredEdge(a, b, cover);
      else
        addEdge(a, b, false);
    }
  };
  drawBody(crystal, 0);
  if (twin) drawBody(*twin, 1);

  // Where the individuals grow through each other: the line of a crystal face and a
  // twin face inside both, in view when both faces are.
  if (twin && !contact) {
    for (int f = 0; f < static_cast<int>(crystal.planes.size()); ++f) {
      if (f == geometry.cleavagePresent || Norm(crystal.planes[f].normal) == 0) continue;
      for (int g = 0; g < static_cast<int>(twin->planes.size()); ++g) {
        if (g == geometry.cleavagePresent || Norm(twin->planes[g].normal) == 0) continue;
        const FacePlaneGeometry& pf = crystal.planes[f];
        const FacePlaneGeometry& pg = twin->planes[g];
        const Vec3 u = Cross(pf.normal, pg.normal);
        const Real c = Dot(pf.normal, pg.normal);
        if (1 - c * c < 1e-12L) continue;
        const Vec3 origin = ScaleVec(AddVec(ScaleVec(pf.normal, pf.offset - pg.offset * c),
                                            ScaleVec(pg.normal, pg.offset - pf.offset * c)),
                                     1 / (1 - c * c));
        const Vec3 a = AddVec(origin, ScaleVec(u, -kFarAway));
        const Vec3 b = AddVec(origin, ScaleVec(u, kFarAway));
        std::vector<FacePlaneGeometry> both;
        for (int p = 0; p < static_cast<int>(crystal.planes.size()); ++p)
          if (p != f && Norm(crystal.planes[p].normal) > 0) both.push_back(crystal.planes[p]);
        for (int p = 0; p < static_cast<int>(twin->planes.size()); ++p)
          if (p != g && Norm(twin->planes[p].normal) > 0) both.push_back(twin->planes[p]);
        const auto inside = SegmentInside(a, b, both, 0);
        if (!inside) continue;
        const Vec3 from = Along(a, b, (*inside)[0]), to = Along(a, b, (*inside)[1]);
        // A line only touching the other individual (along a shared plane) is no edge.
        if (Norm(SubVec(to, from)) < kShortEdge ||
            !Inside(both, Along(from, to, 0.5L), kTwinMargin))
          continue;
        addEdge(from, to, seen[0][f] && seen[1][g]);
      }
    }
  }

  if (options.axes) {
    const auto& corners = geometry.corners.positions;
    const char* names[3] = {"a", "b", "c"};
    for (int k = 0; k < 3; ++k) {
      Vec3 uvw{0, 0, 0};
      uvw[k] = 1;
      const Vec3 direction = LatticeDirection(cell, uvw);
      Real reach = 0;
      for (const Vec3& c : corners) reach = std::max(reach, Dot(c, direction));
      const Vec3 end = ScaleVec(direction, std::max<Real>(reach, 0.1L) * kAxisOvershoot);
      const Vec3 origin{0, 0, 0};
      DrawnAxis axis;
      axis.name = names[k];
      std::vector<std::array<Real, 2>> hidden;
      if (const auto byCrystal = HiddenInterval(polyhedron, geometry, frame, origin, end))
        hidden.push_back(*byCrystal);
      if (twin)
        if (const auto byTwin = SegmentInside(origin, end, shadows[1], kTwinMargin))
          hidden.push_back(*byTwin);
      for (const auto& [t0, t1, visible] : Pieces(hidden)) {
        const std::array<Point2, 2> piece{ProjectPoint(frame, Along(origin, end, t0)),
                                          ProjectPoint(frame, Along(origin, end, t1))};
        if (visible)
          axis.visibleParts.push_back(piece);
        else if (options.hidden != HiddenEdges::None)
          axis.hiddenParts.push_back(piece);
      }
      axis.labelAt = ProjectPoint(frame, ScaleVec(end, 1.08L));
      drawing.axes.push_back(std::move(axis));
    }
  }
  return drawing;
}

namespace {

struct PageMap {
  Real scale = 1, shiftX = 0, shiftY = 0;
  int size = 600;
  std::string X(const Point2& p) const { return SvgNumber(shiftX + p[0] * scale); }
  std::string Y(const Point2& p) const { return SvgNumber(shiftY - p[1] * scale); }
  std::string XY(const Point2& p) const { return X(p) + "," + Y(p); }
};

PageMap FitPage(const std::vector<Point2>& points, int size, Real margin) {
  PageMap map;
  map.size = size;
  if (points.empty()) {
    map.shiftX = map.shiftY = size / 2.0L;
    return map;
  }
  Real lo[2] = {points[0][0], points[0][1]}, hi[2] = {points[0][0], points[0][1]};
  for (const Point2& p : points)
    for (int c = 0; c < 2; ++c) {
      lo[c] = std::min(lo[c], p[c]);
      hi[c] = std::max(hi[c], p[c]);
    }
  const Real extent = std::max({hi[0] - lo[0], hi[1] - lo[1], 1e-9L});
  map.scale = (size - 2 * margin) / extent;
  map.shiftX = size / 2.0L - (lo[0] + hi[0]) / 2 * map.scale;
  map.shiftY = size / 2.0L + (lo[1] + hi[1]) / 2 * map.scale;
  return map;
}

std::string Line(const PageMap& m, const Point2& a, const Point2& b, const char* cls) {
  return "<line class=\"" + std::string(cls) + "\" x1=\"" + m.X(a) + "\" y1=\"" + m.Y(a) +
         "\" x2=\"" + m.X(b) + "\" y2=\"" + m.Y(b) + "\"/>\n";
}

}  // namespace

std::string CrystalDrawingSvg(const CrystalDrawing& drawing, const std::string& title, int size) {
  constexpr Real kMargin = 48;
  constexpr int kFontSize = 14;
  std::vector<Point2> points;
  for (const DrawnFace& f : drawing.faces)
    points.insert(points.end(), f.outline.begin(), f.outline.end());
  for (const DrawnEdge& e : drawing.edges) {
    points.push_back(e.from);
    points.push_back(e.to);
  }
  for (const DrawnAxis& a : drawing.axes) points.push_back(a.labelAt);
  const PageMap m = FitPage(points, size, kMargin);
  const std::string side = FormatInteger(size);

  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + side +
         "\" height=\"" + side + "\" viewBox=\"0 0 " + side + " " + side + "\">\n";
  svg += "<title>" + SvgEscape(title) + "</title>\n";
  svg += "<rect width=\"" + side + "\" height=\"" + side + "\" fill=\"#ffffff\"/>\n";

  svg += "<g id=\"faces\" stroke=\"none\">\n";
  for (const DrawnFace& f : drawing.faces) {
    const char* cls = f.twin ? "twin-face" : "face";
    if (f.hole.empty()) {
      svg += "<polygon class=\"" + std::string(cls) + "\" points=\"";
      for (std::size_t i = 0; i < f.outline.size(); ++i) svg += (i ? " " : "") + m.XY(f.outline[i]);
      svg += "\" fill=\"" + SvgColour(f.fill) + "\"/>\n";
      continue;
    }
    // The part the other individual hides is cut out as a hole.
    svg += "<path class=\"" + std::string(cls) + "\" fill-rule=\"evenodd\" d=\"";
    for (const auto* ring : {&f.outline, &f.hole}) {
      for (std::size_t i = 0; i < ring->size(); ++i) svg += (i ? " L" : "M") + m.XY((*ring)[i]);
      svg += " Z ";
    }
    svg.pop_back();
    svg += "\" fill=\"" + SvgColour(f.fill) + "\"/>\n";
  }
  svg += "</g>\n";

  svg +=
      "<g id=\"hidden-lines\" fill=\"none\" stroke=\"#3c3c3c\" stroke-width=\"1\" "
      "stroke-dasharray=\"6 4\">\n";
  for (const DrawnEdge& e : drawing.edges)
    if (!e.visible) svg += Line(m, e.from, e.to, "hidden-edge");
  for (const DrawnAxis& a : drawing.axes)
    for (const auto& part : a.hiddenParts) svg += Line(m, part[0], part[1], "hidden-axis");
  svg += "</g>\n";

  svg +=
      "<g id=\"visible-lines\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1.6\" "
      "stroke-linecap=\"round\">\n";
  for (const DrawnEdge& e : drawing.edges)
    if (e.visible) svg += Line(m, e.from, e.to, "visible-edge");
  svg += "</g>\n";

  if (!drawing.axes.empty()) {
    svg += "<g id=\"axes\" fill=\"none\" stroke=\"#000080\" stroke-width=\"1.2\">\n";
    for (const DrawnAxis& a : drawing.axes)
      for (const auto& part : a.visibleParts) svg += Line(m, part[0], part[1], "axis");
    svg += "</g>\n";
    svg += "<g id=\"axis-labels\" font-family=\"serif\" font-style=\"italic\" font-size=\"" +
           FormatInteger(kFontSize + 2) + "\" fill=\"#000080\" text-anchor=\"middle\">\n";
    for (const DrawnAxis& a : drawing.axes)
      svg += "<text x=\"" + m.X(a.labelAt) + "\" y=\"" +
             SvgNumber(std::stold(m.Y(a.labelAt)) + 0.35L * (kFontSize + 2)) + "\">" +
             SvgEscape(a.name) + "</text>\n";
    svg += "</g>\n";
  }

  if (drawing.labels) {
    svg += "<g id=\"labels\" font-family=\"serif\" font-size=\"" + FormatInteger(kFontSize) +
           "\" fill=\"#000000\" text-anchor=\"middle\">\n";
    for (const DrawnFace& f : drawing.faces)
      if (f.labelled)
        svg += "<text class=\"label\" x=\"" + m.X(f.centre) + "\" y=\"" +
               SvgNumber(std::stold(m.Y(f.centre)) + 0.35L * kFontSize) + "\">" +
               IndexLabelSvg(f.hkl, drawing.fourIndex) + "</text>\n";
    svg += "</g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace habitopia
