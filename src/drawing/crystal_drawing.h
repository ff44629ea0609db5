#pragma once
// Crystal drawings for publication: the built crystal projected from a chosen
// direction (parallel, or perspective from an eye point), its visible faces filled
// with their colours and shaded, visible edges solid, hidden edges dashed or left
// out, index labels at the visible faces' centres and optionally the cell axes.
//
// Visibility is exact for the convex crystal: a face is visible when its outward
// normal points towards the viewer, an edge when one of its two faces is visible.
// A twin the scene shows (the second individual) is drawn too, its faces in the
// twin colour: each individual is convex, so what one hides of the other is the
// part of a face or edge inside the other's shadow volume (the points whose line
// of sight meets it), cut out exactly; where the two grow through each other,
// their faces' lines of intersection are drawn as edges. A contact twin's contact
// faces lie inside the pair and are left out. Labels go on the crystal's faces.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/display_settings.h"
#include "core/polyhedron.h"
#include "drawing/view_frame.h"
#include "scene/scene_writer.h"

namespace habitopia {

enum class HiddenEdges { Dashed, None };

struct CrystalDrawingOptions {
  ViewFrame frame;
  HiddenEdges hidden = HiddenEdges::Dashed;
  bool labels = false;
  bool fourIndex = false;  // (h k i l) labels
  bool axes = false;       // the cell axes a, b, c through the centre
};

struct DrawnFace {
  int presentFace = 0;
  Vec3 hkl{};
  bool twin = false;            // a face of the second individual
  std::vector<Point2> outline;  // page coordinates, up is +y
  std::vector<Point2> hole;     // the part the other individual hides (convex, inside)
  std::array<int, 3> fill{};    // shaded colour
  Point2 centre{};              // where its label goes
  bool labelled = true;         // a crystal face whose label place is in view
};

struct DrawnEdge {
  Point2 from{}, to{};
  bool visible = true;
};

struct DrawnAxis {
  std::string name;  // "a", "b", "c"
  std::vector<std::array<Point2, 2>> visibleParts;
  std::vector<std::array<Point2, 2>> hiddenParts;
  Point2 labelAt{};
};

struct CrystalDrawing {
  std::vector<DrawnFace> faces;  // the visible faces only
  std::vector<DrawnEdge> edges;  // hidden ones only with HiddenEdges::Dashed
  std::vector<DrawnAxis> axes;
  bool labels = false;
  bool fourIndex = false;
};

CrystalDrawing DrawCrystal(const CellMatrices& cell, const Polyhedron& polyhedron,
                           const SceneGeometry& geometry, const DisplaySettings& display,
                           const CrystalDrawingOptions& options);

// The drawing as a standalone SVG document, fitted into a `size` x `size` page.
std::string CrystalDrawingSvg(const CrystalDrawing& drawing, const std::string& title,
                              int size = 600);

// Part of the segment a..b hidden from the viewer by the crystal (inside it or
// behind it), as parameters 0..1; the crystal is convex, so the part is one
// interval. Empty when the whole segment is in view.
std::optional<std::array<Real, 2>> HiddenInterval(const Polyhedron& polyhedron,
                                                  const SceneGeometry& geometry,
                                                  const ViewFrame& frame, const Vec3& a,
                                                  const Vec3& b);

}  // namespace habitopia
