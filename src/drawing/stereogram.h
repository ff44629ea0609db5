#pragma once
// Stereographic projection of the face poles: each face's unit normal projected
// from the sphere onto the plane perpendicular to the centre direction (the c
// axis unless chosen). Poles of the upper hemisphere (towards the viewer) are
// projected from the lower pole and drawn as dots; poles of the lower hemisphere
// are projected from the upper pole, so they fall inside the primitive circle too,
// and are drawn as larger rings. Faces present on the crystal are filled, absent
// ones open. Optionally a Wulff net, the great circles of chosen zones
// and the great-circle arc between two poles with their interfacial angle.
// The equal-area (Lambert, Schmidt net) projection places a direction at
// sqrt(2) sin(angle / 2) from the centre instead of tan(angle / 2). A twin's
// poles (the second individual's) are drawn beside the crystal's in the twin colour.

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/cell.h"
#include "core/face.h"
#include "core/matrix.h"
#include "core/polyhedron.h"
#include "drawing/view_frame.h"

namespace habitopia {

struct StereoPosition {
  Point2 point{};     // primitive circle of radius 1; up is +y
  bool upper = true;  // on the viewer's hemisphere (the equator counts as upper)
};

enum class StereoProjection { EqualAngle, EqualArea };

// Stereographic (or equal-area) position of a direction (need not be unit) in the frame.
StereoPosition StereographicPosition(const ViewFrame& frame, const Vec3& direction,
                                     StereoProjection projection = StereoProjection::EqualAngle);

struct StereoPole {
  int face = 0;  // face-table index
  Vec3 hkl{};
  StereoPosition position;
  bool present = false;
  bool twin = false;  // a pole of the second individual
};

struct StereogramOptions {
  ViewFrame frame;        // toward: the direction at the centre of the primitive
  bool allFaces = false;  // also the absent faces of the table (open markers)
  bool wulffNet = false;  // great and small circles every 10 degrees
  StereoProjection projection = StereoProjection::EqualAngle;
  std::optional<Matrix3> twinTurn;                // crystal normals to twin normals (TwinTurn)
  bool fourIndex = false;                         // (h k i l) labels
  std::vector<std::pair<int, int>> zones;         // face-table index pairs
  std::optional<std::pair<int, int>> angleFaces;  // face-table indices
};

// A curve on the sphere drawn as a polyline in the primitive; `upper` tells which
// projection it uses (lower-hemisphere parts are drawn dashed).
struct StereoCurve {
  std::vector<Point2> points;
  bool upper = true;
};

struct Stereogram {
  std::vector<StereoPole> poles;
  std::vector<StereoCurve> net;    // Wulff (or, equal-area, Schmidt) net
  std::vector<StereoCurve> zones;  // zone great circles (upper hemisphere)
  std::vector<StereoCurve> angleArc;
  std::string angleCaption;    // as the angle command shows it: "90 Degrees"
  std::string angleFacesText;  // "(1 0 0) / (0 1 0)"
  bool fourIndex = false;
  StereoProjection projection = StereoProjection::EqualAngle;
  bool twin = false;  // holds a twin's poles
};

// The poles of the face table (faces 0..N) built into `polyhedron`.
Stereogram BuildStereogram(const CellMatrices& cell, std::span<const FaceRecord> faces,
                           const Polyhedron& polyhedron, const StereogramOptions& options);

// Points of the circle {p : p . axis = cos(radius)} on the unit sphere, split into
// runs on the upper and on the lower hemisphere (`withLower`), each run ending
// exactly on the primitive where it crosses it.
std::vector<StereoCurve> SphereCircle(const ViewFrame& frame, const Vec3& axis, Real radius,
                                      bool withLower,
                                      StereoProjection projection = StereoProjection::EqualAngle);

std::string StereogramSvg(const Stereogram& stereogram, const std::string& title, int size = 600);

}  // namespace habitopia
