#pragma once
// The crystal model the program edits, builds, shows and saves.

#include <string>
#include <vector>

#include "core/cell.h"
#include "core/display_settings.h"
#include "core/face.h"
#include "core/polyhedron.h"

namespace habitopia {

enum class TwinType : int {
  None = 0,
  Contact = 1,
  RotationReal = 2,
  RotationReciprocal = 3,
  Inversion = 4,
};

struct TwinSettings {
  TwinType type = TwinType::None;
  Vec3 twinAxis{0, 0, 1};
  Vec3 twinThrough{0, 0, 0};
  Vec3 twinCentre{0, 0, 0};
  Real twinAngle = 0;  // degrees
};

struct CrystalModel {
  // Cell and metric. Lengths are kept divided by cellLengthMean.
  UnitCell cell;
  Real cellLengthMean = 1;
  UnitCell acceptedCell;
  CellMatrices matrices;

  // Symmetry.
  int pointGroup = 1;
  int acceptedGroup = 1;
  int builtForGroup = 1;
  int operationCount = 1;
  int applyAllCursor = -1;
  int indexLabelAnswer = 0;

  // Face table: slots 0..lastFace in use.
  int lastFace = -1;
  int lastUniqueFace = -1;
  std::vector<FaceRecord> faces = std::vector<FaceRecord>(kFaceSlots);
  int selectedRow = 1;
  int cleavageFace = -1;
  Real cleavageDistance = 0;  // scaled units
  bool cleavageReversed = false;

  TwinSettings twin;
  DisplaySettings display;

  // Results of the last construction.
  Polyhedron polyhedron;
  bool cornersComputed = false;

  // Files and history.
  std::string modelFileName;
  std::string scenePath;
  std::string workDirectory;
  int undoPosition = 0;
  int highestSnapshot = 0;

  // Control flags.
  bool geometryStale = true;
  bool calculateAfterStep = false;
  bool modelRestoring = false;
  bool historyRestoring = false;
  bool sliderMoving = false;
  bool busy = false;
  bool stopRequested = false;
  bool cellChanged = false;

  int FaceCount() const { return lastFace + 1; }
  std::span<const FaceRecord> FaceTable() const {
    return std::span<const FaceRecord>(faces.data(), FaceCount());
  }
};

// Stores lengths as given (divided by their mean) and rebuilds the cell matrices.
void SetCell(CrystalModel& model, const UnitCell& lengthsAsGiven);
// The cell lengths as the user gave them (stored length times cellLengthMean).
UnitCell CellAsGiven(const CrystalModel& model);
// Builder input for the model's current face table.
PolyhedronInput MakePolyhedronInput(const CrystalModel& model);

}  // namespace habitopia
