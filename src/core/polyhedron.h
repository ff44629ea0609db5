#pragma once
// The crystal polyhedron: the intersection of one half-space per face.
//
// Every triple of face planes is intersected; a triple's point is a corner when it
// violates no face (sum of violations below 1e-14 scaled units). Each face gathers
// its corners, which are ordered around the face and merged where they nearly
// coincide. Face f's plane is pushed out by f * 5e-7 so that planes meeting four
// or more in one point usually meet in distinct nearby points.

#include <array>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/cell.h"
#include "core/face.h"

namespace habitopia {

inline constexpr int kAbsentFace = 1000;  // presentIndex of a face without polygon
inline constexpr Real kPlaneOffsetStep = 0.0000005L;
inline constexpr Real kInsideTolerance = 1e-14L;
inline constexpr Real kCleavagePush = 1.0000002L;
inline constexpr Real kPolygonMergeDistance = 0.005L;  // per coordinate
inline constexpr Real kSceneMergeDistance = 0.02L;     // sum of coordinate differences
// A crystal whose nearest face lies closer than this (scaled units) is thin:
// its merge distances shrink in proportion, so that the corners on its two
// sides stay apart.
inline constexpr Real kThinFaceDistance = 0.05L;
inline constexpr Real kPolygonSentinelKey = 100.0L;

struct FacePlane {
  Vec3 normal{};    // HklToCartesian(h, k, l), not normalised
  Real offset = 0;  // d / DistanceScale + f * 5e-7
};

struct CornerRecord {
  Vec3 position{};             // scaled units
  std::array<int, 3> faces{};  // i < j < k, the planes meeting here
};

struct PolygonEntry {
  Vec3 position{};
  // The sort key of the gathered order; the last entry of a polygon has key
  // 100. The exact construction, which finds the order without sorting, sets
  // only that last one.
  Real key = 0;
  int corner = -1;  // the scene corner it shows, or -1: numbered by position
};

struct PresentFace {
  int face = 0;  // face-table index
  // Copies of the face record taken when the polyhedron was built.
  Real h = 0, k = 0, l = 0, distance = 0;
  std::array<Real, 3> faceColour{};
  Real colourShown = 0;
  std::string textureFile;
  bool labelSelected = false;
  bool growthSector = false;
  std::vector<PolygonEntry> polygon;  // boundary order, the key-100 entry last
  // The exact corners of the face in the polygon's order, before corners that
  // only the index offsets of the planes keep apart are shown as one; the areas
  // are measured on it. Empty when the polygon itself is exact.
  std::vector<Vec3> outline;
};

struct Polyhedron {
  Real distanceScale = 1;
  Real mergeScale = 1;            // factor of both merge distances, below 1 only on thin crystals
  std::vector<FacePlane> planes;  // per face
  std::vector<CornerRecord> corners;  // in the order found
  std::vector<int> presentIndex;      // per face: present number or kAbsentFace
  int absentCount = 0;
  std::vector<PresentFace> presentFaces;  // present faces in face-table order
  bool complete = true;                   // false when the corner search was stopped
  // Set by the exact construction: whether the faces enclose a bounded crystal,
  // and otherwise a direction (Cartesian) along which it is unbounded.
  bool exact = false;
  bool bounded = false;
  Vec3 openDirection{};

  int FaceCount() const { return static_cast<int>(planes.size()); }
  int PresentFaceCount() const { return static_cast<int>(presentFaces.size()); }
};

struct PolyhedronInput {
  std::span<const FaceRecord> faces;  // faces 0..N
  CellMatrices cell;
  int cleavageFace = -1;
  // With a cleavage face the distance scale stays as it was in the last build.
  Real previousDistanceScale = 1;
};

struct BuildOptions {
  // Called as the corner search advances through its first plane index
  // (done = i, total = N). Returning false stops the search.
  std::function<bool(int done, int total)> progress;
};

// The fast builder: results identical to the exhaustive method, corner for corner.
Polyhedron BuildPolyhedron(const PolyhedronInput& input, const BuildOptions& options = {});

// Preconditions of the builder, checked in debug builds: at most kFaceSlots
// faces, finite indices and distances, a cleavage face of the table (or -1) and,
// with one, a finite previous distance scale.
void ExpectBuildableInput(const PolyhedronInput& input);

// The pieces of the construction, shared with the reference implementation.
Real ComputeDistanceScale(const PolyhedronInput& input);
// The factor of the merge distances: 1, or on a thin crystal the nearest face's
// scaled distance (faces with a normal and a positive distance, the cleavage
// face aside) over kThinFaceDistance.
Real ComputeMergeScale(const PolyhedronInput& input, Real distanceScale);
std::vector<FacePlane> ComputeFacePlanes(const PolyhedronInput& input, Real distanceScale);
// Solves the three plane equations n . x = D |n|; returns the determinant.
Real SolveCorner(const FacePlane& a, const FacePlane& b, const FacePlane& c, Vec3& x);
// Takes into `present` the copies of face record `f` that a present face keeps.
void CopyFaceRecord(const FaceRecord& face, int f, PresentFace& present);
// Present faces and their polygons from a finished corner search. Corners on a
// cleavage face are pushed outward in `corners` as they are gathered.
void BuildFacePolygons(const PolyhedronInput& input, Polyhedron& polyhedron);
// Sorts entries lo..hi by ascending key (Hoare partition on the middle key).
void SortByKey(std::vector<PolygonEntry>& entries, int lo, int hi);

// Polygon entries of all present faces in order, ready for numbering.
struct FlatCorners {
  std::vector<Vec3> positions;
  std::vector<int> presentFace;  // owner of each entry
  std::vector<int> corner;       // the entry's corner, or -1 where positions decide
};
FlatCorners FlattenPolygons(const Polyhedron& polyhedron);

struct SceneCorners {
  std::vector<Vec3> positions;                // distinct corners, scene numbering
  std::vector<std::vector<int>> entryCorner;  // per present face, per polygon entry
  int Count() const { return static_cast<int>(positions.size()); }
};
SceneCorners NumberSceneCorners(const Polyhedron& polyhedron);
// Numbers flattened positions that a caller may have moved (growth-sector projection).
SceneCorners NumberSceneCorners(const Polyhedron& polyhedron, const FlatCorners& flat);

struct FaceIndexLists {
  // Per present face: scene corner numbers clockwise seen from outside, the
  // first again, then -1.
  std::vector<std::vector<int>> lists;
  std::vector<std::array<double, 3>> labelAnchors;  // filled only when asked for
  std::vector<Real> faceArea;                       // model units squared
  Real surfaceTotal = 0;
  Real volumeTotal = 0;
};
FaceIndexLists BuildFaceIndexLists(const Polyhedron& polyhedron, const SceneCorners& corners,
                                   bool withLabelAnchors, int cleavageFace = -1);

// The volume is plausible unless it is 0 or beyond 10000 scale^3.
bool VolumeIsPlausible(Real volumeTotal, Real distanceScale);
// The face polygons (without the cleavage face) enclose a volume: their outward
// area vectors add up to nothing, within a margin for merged corners. A face set
// open to one side leaves the area of the missing cap.
bool SurfaceIsClosed(const Polyhedron& polyhedron, int cleavageFace = -1);
// The hull is closed when its volume is plausible and its surface closed.
bool IsHullClosed(const Polyhedron& polyhedron, const FaceIndexLists& lists, int cleavageFace = -1);

}  // namespace habitopia
