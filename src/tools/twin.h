#pragma once
// Twin shapes: a second copy of the crystal, mirrored in a contact face, rotated
// about an axis or inverted through a point. The copy shares the crystal's corner
// numbering and face index lists; only the corner positions differ.

#include <optional>
#include <string>
#include <vector>

#include "core/cell.h"
#include "core/model.h"
#include "core/polyhedron.h"

namespace habitopia {

enum class TwinKind { Contact, Rotation, Inversion };

// The twin angle as the twin tool keeps it: `shown` is written back into the
// angle box, `used` (within -180..180) is the angle the rotation takes.
struct TwinAngle {
  Real shown = 0;
  Real used = 0;
};
TwinAngle NormaliseTwinAngle(Real angle);

// Three numbers typed into one of the twin tool's boxes: blank-separated tokens,
// each rounded to 3 decimals; an unreadable token counts 0; components not given
// keep `start`. The axis reader also divides the triple by its smallest non-zero
// component when that leaves whole numbers and turns 0 0 0 into 0 0 1.
// An empty text gives nothing (the box and the vector stay as they were).
struct TwinTriple {
  Vec3 values{};
  std::string text;  // written back into the box: shortest general form, single blanks
};
std::optional<TwinTriple> ReadTwinTriple(const std::string& text, const Vec3& start,
                                         bool reduceAsAxis);

// The texts a model file keeps for the twin tool, turned into the converted vectors
// the way applying the tool does: vectors from direct-lattice components for twin
// type 3 in reciprocal (Miller) components, otherwise in real-space components; the
// angle brought into -180..180 for a rotation twin.
struct TwinToolTexts {
  std::string face;  // contact face caption, e.g. "1 0 0"
  std::string axis = "0 0 1";
  std::string through = "0 0 0";
  std::string angle = "0";
  std::string centre = "0 0 0";
};
TwinSettings TwinSettingsFromTexts(TwinType type, const TwinToolTexts& texts,
                                   const CellMatrices& cell);

// A face's Miller indices rounded to whole numbers and joined by single blanks.
std::string RoundedIndexText(Real h, Real k, Real l);
// Present index of the face whose rounded index text equals `faceText`, or -1.
int FindContactFace(const Polyhedron& polyhedron, const std::string& faceText);

struct MirrorPlane {
  Vec3 point{};   // A, the first corner of the contact face's list
  Vec3 normal{};  // unit normal (C - A) x (B - A)
};
// The plane through the first three corners of a face index list; nothing when the
// list holds fewer than three corners.
std::optional<MirrorPlane> MirrorPlaneOf(const std::vector<int>& indexList,
                                         const std::vector<Vec3>& corners);

Vec3 InvertThrough(const Vec3& q, const Vec3& centre);
Vec3 MirrorIn(const Vec3& q, const MirrorPlane& plane);
// Rotation by twinAngle degrees about twinAxis through twinThrough, followed by the
// shift along the axis by the axial component of twinThrough.
Vec3 RotateAboutTwinAxis(const Vec3& q, const TwinSettings& twin);

// Twin image of every scene corner, in corner-number order. A contact twin needs the
// present face matching `contactFaceText`; without one there is no twin shape.
std::optional<std::vector<Vec3>> TwinCornerPositions(
    TwinKind kind, const TwinSettings& twin, const std::vector<Vec3>& sceneCorners,
    const std::vector<std::vector<int>>& faceIndexLists, const Polyhedron& polyhedron,
    const std::string& contactFaceText);

}  // namespace habitopia
