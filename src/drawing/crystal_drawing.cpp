#include "drawing/crystal_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "core/numbers.h"
#include "drawing/svg_text.h"
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

CrystalDrawing DrawCrystal(const CellMatrices& cell, const Polyhedron& polyhedron,
                           const SceneGeometry& geometry, const DisplaySettings& display,
                           const CrystalDrawingOptions& options) {
  CrystalDrawing drawing;
  drawing.labels = options.labels;
  drawing.fourIndex = options.fourIndex;
  const ViewFrame& frame = options.frame;
  const auto& corners = geometry.corners.positions;
  const auto planes = Planes(polyhedron, geometry);
  const Vec3 light = LightDirection(frame);

  std::vector<bool> seen(polyhedron.PresentFaceCount(), false);
  std::map<std::pair<int, int>, std::vector<int>> edgeFaces;
  for (int p = 0; p < polyhedron.PresentFaceCount(); ++p) {
    if (p == geometry.cleavagePresent) continue;
    const std::vector<int> ring = FaceRing(geometry.lists.lists[p]);
    if (ring.size() < 3 || Norm(planes[p].normal) == 0) continue;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const int a = ring[i], b = ring[(i + 1) % ring.size()];
      edgeFaces[{std::min(a, b), std::max(a, b)}].push_back(p);
    }
    const Vec3 centre = Centroid(ring, corners);
    seen[p] = Dot(planes[p].normal, TowardViewer(frame, centre)) > kEdgeOn;
    if (!seen[p]) continue;
    const PresentFace& face = polyhedron.presentFaces[p];
    DrawnFace drawn;
    drawn.presentFace = p;
    drawn.hkl = {face.h, face.k, face.l};
    for (int n : ring) drawn.outline.push_back(ProjectPoint(frame, corners[n]));
    drawn.fill = Shaded(BaseColour(face, display), Dot(planes[p].normal, light));
    drawn.centre = ProjectPoint(frame, centre);
    drawing.faces.push_back(std::move(drawn));
  }

  for (const auto& [edge, faces] : edgeFaces) {
    const bool visible = std::any_of(faces.begin(), faces.end(), [&](int p) { return seen[p]; });
    if (!visible && options.hidden == HiddenEdges::None) continue;
    DrawnEdge drawn{ProjectPoint(frame, corners[edge.first]),
                    ProjectPoint(frame, corners[edge.second]), visible};
    if (std::hypot(drawn.to[0] - drawn.from[0], drawn.to[1] - drawn.from[1]) < kShortEdge) continue;
    drawing.edges.push_back(drawn);
  }

  if (options.axes) {
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
      const auto hidden = HiddenInterval(polyhedron, geometry, frame, origin, end);
      auto piece = [&](Real t0, Real t1) {
        return std::array<Point2, 2>{ProjectPoint(frame, Along(origin, end, t0)),
                                     ProjectPoint(frame, Along(origin, end, t1))};
      };
      if (!hidden) {
        axis.visibleParts.push_back(piece(0, 1));
      } else {
        if ((*hidden)[0] > 0) axis.visibleParts.push_back(piece(0, (*hidden)[0]));
        axis.hiddenParts.push_back(piece((*hidden)[0], (*hidden)[1]));
        if ((*hidden)[1] < 1) axis.visibleParts.push_back(piece((*hidden)[1], 1));
      }
      if (options.hidden == HiddenEdges::None) axis.hiddenParts.clear();
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
    svg += "<polygon class=\"face\" points=\"";
    for (std::size_t i = 0; i < f.outline.size(); ++i) svg += (i ? " " : "") + m.XY(f.outline[i]);
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
      svg += "<text class=\"label\" x=\"" + m.X(f.centre) + "\" y=\"" +
             SvgNumber(std::stold(m.Y(f.centre)) + 0.35L * kFontSize) + "\">" +
             IndexLabelSvg(f.hkl, drawing.fourIndex) + "</text>\n";
    svg += "</g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace habitopia
