#pragma once
// Measurements on the built crystal: the interfacial angle of two faces, their
// common edge, the physical (Cartesian) normal of a face, the Miller indices of
// the plane normal to a Cartesian direction and the selected face's area.
// Everything returns the caption texts the "Calculations" box shows; nothing
// here changes the model.

#include <optional>
#include <span>
#include <string>

#include "core/cell.h"
#include "core/face.h"
#include "core/polyhedron.h"

namespace habitopia {

struct AngleResult {
  Real degrees = 0;     // NaN when the cosine left -1..1 or a normal is zero
  std::string caption;  // "90 Degrees", "109.471 Degrees", ...
};

// Angle between the reciprocal-lattice normals of two faces. When the angle is
// not a number, the caption is "180 Degrees" if the faces' index texts (as the
// face grid shows them) differ and "0 Degrees" if they are equal.
AngleResult InterfacialAngle(const CellMatrices& cell, const FaceRecord& first,
                             const FaceRecord& second, const std::string& firstIndexText,
                             const std::string& secondIndexText);

// The built crystal as the measurements read it.
struct BuiltCrystal {
  const Polyhedron* polyhedron = nullptr;
  const SceneCorners* corners = nullptr;
  const FaceIndexLists* lists = nullptr;
};

struct CommonEdgeResult {
  std::optional<Real> length;  // scaled units; empty when there is no common edge
  std::string caption;         // "Common Edge length = 2" or "No Common Edge"
};

// Common edge of faces `first` and `second` (face-table indices). The caller
// asks only for two different faces.
CommonEdgeResult CommonEdge(const BuiltCrystal& crystal, int first, int second);

// Unit normal of face `face` (face-table index) in the Cartesian frame, each
// component rounded to three decimals: "0.707 0.707 0". "calculation failed"
// when there is no such face.
std::string PhysicalNormalText(const CellMatrices& cell, std::span<const FaceRecord> faces,
                               int face);
inline constexpr const char* kCalculationFailed = "calculation failed";

// Miller indices of the plane normal to the Cartesian direction typed as text
// ("2 4 0" gives "1 2 0"). Up to three numbers are read; missing ones count as 0.
// Under a comma locale the numbers are written with a decimal comma.
// "wrong input of indices" when a number cannot be read.
std::string IndicesFromDirectionText(const CellMatrices& cell, const std::string& text,
                                     bool decimalComma = false);
inline constexpr const char* kWrongInputOfIndices = "wrong input of indices";

// "Selected face surface = " and the area of face `face` (face-table index)
// rounded to 0.001; "Selected face surface = 0" for an absent face.
std::string SelectedFaceSurfaceText(const BuiltCrystal& crystal, int face);

// The "Calculations" box opens only on a closed hull: a volume (model units
// cubed, not scaled) that is neither exactly 0 nor above 10000.
bool HullAllowsCalculations(Real volumeTotal);
inline constexpr const char* kHullNotClosed = "Hull is not closed";

}  // namespace habitopia
