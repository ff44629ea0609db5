#pragma once
// Numbers that compare crystal habits: area per form, volume, surface and the
// shape factors, the principal lengths with the Zingg ratios and classes, a
// tight bounding box, and for a Wulff model (central distances that are surface
// energies) the energy-weighted figures as pymatgen's WulffShape defines them.
//
// Everything is measured on the half-spaces of the model's face table as given:
// the drawing's small offsets between the planes are left out.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/model.h"

namespace habitopia {

struct FormDescriptor {
  std::string indices;   // index text of the form's first face in the table
  int faces = 0;         // faces of the form in the table
  int presentFaces = 0;  // of those, the ones with a polygon
  Real distance = 0;     // central distance of the form's first face
  Real area = 0;
  Real areaFraction = 0;
};

struct ShapeDescriptors {
  std::vector<FormDescriptor> forms;  // orbits of the point group, in table order
  bool closed = false;
  std::string openAlong;  // when open: a lattice direction "[u v w]" that no face bounds
  int corners = 0;
  int edges = 0;
  Real volume = 0;
  Real surface = 0;
  Real surfaceToVolume = 0;
  Real shapeFactor = 0;      // A / V^(2/3)
  Real effectiveRadius = 0;  // (3V / 4 pi)^(1/3)
  Real sphericity = 0;       // pi^(1/3) (6V)^(2/3) / A
  // Extents along the principal axes of the uniform solid's inertia tensor,
  // L >= M >= S, and those axes (Cartesian unit vectors, in the same order).
  std::array<Real, 3> lengths{};
  std::array<Vec3, 3> principalAxes{};
  // The smallest of the boxes with a side on a face or along the principal
  // axes: its edge lengths, longest first.
  std::array<Real, 3> boundingBox{};
  Real zinggSM = 0;        // S / M, the flatness
  Real zinggML = 0;        // M / L, the elongation
  std::string zinggClass;  // The descriptors as a few lines of text, lengths in `lengthUnit`
                           // ("model units").
  std::string DescriptorReport(const ShapeDescriptors& d, const std::string& lengthUnit);

  // "no face bounds the crystal along [0 0 1]".
  std::string OpenShapeText(const ShapeDescriptors& d);

  // "equant", "plate", "rod" or "blade"
  // With the distances read as surface energies.
  std::optional<Real> totalSurfaceEnergy;     // sum of gamma A
  std::optional<Real> weightedSurfaceEnergy;  // sum of gamma A / sum of A
  std::optional<Real> anisotropy;             // area-weighted spread of gamma over its mean
};

inline constexpr Real kZinggThreshold = 2.0L / 3.0L;

// The descriptors of the model's face table (faces 0..lastFace, the cleavage
// face left out), grouped into the forms of model.pointGroup.
ShapeDescriptors DescribeShape(const CrystalModel& model, bool distancesAreEnergies = false);

// The descriptors as a few lines of text, lengths in `lengthUnit` ("model units").
std::string DescriptorReport(const ShapeDescriptors& d, const std::string& lengthUnit);

// "no face bounds the crystal along [0 0 1]".
std::string OpenShapeText(const ShapeDescriptors& d);

// "equant", "plate", "rod" or "blade" for the ratios S/M and M/L.
std::string ZinggClass(Real sOverM, Real mOverL);

}  // namespace habitopia
