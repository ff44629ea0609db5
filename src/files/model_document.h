#pragma once
// Everything a model file holds: the crystal model's fields and the window-side
// values that travel with it (switches, panel code, twin texts, label font texts,
// cleavage check boxes). The reader fills one, the writer writes one.

#include <array>
#include <string>
#include <vector>

#include "core/cell.h"
#include "core/display_settings.h"
#include "core/face.h"
#include "core/model.h"
#include "files/model_codes.h"

namespace habitopia {

struct UniqueFaceLine {
  Real h = 0, k = 0, l = 0, distance = 0;
  bool operator==(const UniqueFaceLine&) const = default;
};

// Ranges of the sliders the display values of a model file set. The axes-length
// control's position is three times the length, from 0 to 100.
inline constexpr int kPerspectiveSliderMin = 2, kPerspectiveSliderMax = 15;
inline constexpr int kSpeedSliderMin = 0, kSpeedSliderMax = 100;
inline constexpr Real kAxesLengthMax = 100.0L / 3;

inline constexpr int kTwinTextCount = 5;
// Twin tool texts in file order: face caption, "axis [xyz]", "through [xyz]",
// "angle (deg)", "at [xyz]".
using TwinTexts = std::array<std::string, kTwinTextCount>;
inline const TwinTexts kInitialTwinTexts{"", "0 0 1", "0 0 0", "0", "0 0 0"};

struct ModelDocument {
  ModelRelease release = ModelRelease::Release15;

  int pointGroup = 1;
  UnitCell cell;                            // lengths as given, not normalised
  std::vector<UniqueFaceLine> uniqueFaces;  // U + 1 lines; the unique-face grid has U + 2 rows

  // Display settings line.
  Real transparency = 0.2L;
  Rgb backgroundColour{255, 255, 255};
  Rgb edgeColour{128, 128, 128};
  Rgb fillColour{192, 192, 192};
  Rgb labelColour{0, 0, 0};
  Rgb light1Colour{128, 128, 192};
  Rgb light2Colour{255, 255, 255};
  int perspectivePosition = 9;  // focal-angle slider, kPerspectiveSliderMin..Max
  int speedPosition = 60;       // Speed1 slider, 0..100
  Rgb axesColour{0, 0, 128};
  Real axesLength = 6;
  bool hasSectorTransparency = true;  // older files may end the line after the axes length
  Real sectorTransparency = 0.2L;

  SwitchValues switches{0, 1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 1, 1, -1};  // as read

  std::string fontName = "SERIF";
  std::string fontStyle = "BOLD";
  std::string fontSizeText = "0.2";  // decimal point, whatever the file used
  int labelFontPoints = 12;

  int twinType = 0;  // 0..4 (TwinType); Releases 1.1 and 1.2 have none
  TwinTexts twinTexts = kInitialTwinTexts;

  std::vector<FaceRecord> faces;  // face lines 0..N
  int cleavageFace = -1;
  bool showModel = false;       // cleavage panel "show model"
  bool projectSectors = false;  // cleavage panel "project growth sectors"
  bool anyLabelMark = false;    // some face line carries the label mark

  int LastUniqueFace() const { return static_cast<int>(uniqueFaces.size()) - 1; }  // U
  int LastFace() const { return static_cast<int>(faces.size()) - 1; }              // N
};

// The window values a saved model takes from the window at the moment of writing.
struct FormValues {
  DisplaySwitches switches;
  PanelState panels;
  int perspectivePosition = 9;
  int speedPosition = 60;
  TwinTexts twinTexts = kInitialTwinTexts;
  bool showModel = false;
  bool projectSectors = false;
};

enum class SaveKind { ModelFile, UndoSnapshot };

// The document a save writes for this model and window state: unique faces are
// faces 0..lastUniqueFace of the face table, face lines faces 0..lastFace.
ModelDocument MakeDocument(const CrystalModel& model, const FormValues& form,
                           SaveKind kind = SaveKind::ModelFile);

// Replaces the model's definition by the document's, as reading a model does:
// the single-face marks of all slots are cleared first; the cell is normalised and
// its matrices rebuilt; unique faces fill slots 0..U, then the face lines slots 0..N;
// display settings, label font, twin type and cleavage face follow the document.
// `zoomPosition` is the zoom slider (1..100) used for the field of view.
// With a cleavage face the distance scale becomes the mean distance of the other
// faces, so the cleavage offset (d / scale) and the next build agree.
void ApplyDocument(const ModelDocument& document, CrystalModel& model, int zoomPosition = 50);

// Camera and animation values the display sliders stand for.
Real ViewDistanceForPerspective(int perspectivePosition);
Real FieldOfViewFor(int perspectivePosition, int zoomPosition);
Real CycleIntervalForSpeed(int speedPosition);

// Label size: points * 0.2 / 12 in general form, with `decimalSeparator`.
std::string FontSizeText(int points, char decimalSeparator = '.');

}  // namespace habitopia
