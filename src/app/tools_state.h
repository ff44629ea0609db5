#pragma once
// The contents of the tool group boxes laid over the tables region: "Shape
// Prediction", the calculations box, "Twintool", "Indicate cleavage face" and
// the "Combined Objects Wizard".

#include <memory>
#include <string>

#include "prediction/reflection_conditions.h"

namespace habitopia {

struct SpaceGroupSymmetry;

inline constexpr const char* kShapePredictionCaption = "Shape Prediction";

// "Shape Prediction" (GroupBox10).
struct PredictionBoxState {
  std::string caption = kShapePredictionCaption;
  int preparedForGroup = 1;      // the point group the selectors were prepared for
  TranslationSymmetry symmetry;  // the checked centring, glides and screws
  int hklMax = 3;                // slider maxhkl
  int hklMaxMaximum = 3;
  std::string hklMaxLabel = "1  hkl - max   3";
  int polarity = 0;  // slider polarity, 0..10
  bool polarityShown = false;
  std::string polarityLabel = "0    polarity    1";
  bool withHigherOrders = true;  // "with high-"
  bool autoCleanup = true;       // "clean-up" and "&Automatic clean-up"
  // The space group typed into the box; when one is in force its operations
  // decide the absences instead of the selectors.
  std::string spaceGroupText;
  std::string spaceGroupNote;  // what the group gave, or why it was refused
  bool spaceGroupActive = false;
  // The space group a CIF file stated, in force instead of the entry's text
  // (the model's cell is already on the axes it needs).
  std::shared_ptr<const SpaceGroupSymmetry> fileSpaceGroup;
};

// The calculations box (GroupBox6, "&Calculations").
struct CalculationsBoxState {
  int calcFace1Row = -1;
  int calcFace2Row = -1;
  bool selectingFace1 = true;
  bool selectingHklFace = false;
  std::string firstFaceButton = "face 1";
  std::string secondFaceButton = "face 2";
  std::string angleButton = "Calculate";
  std::string label36 = "Common Edge length =";
  std::string thirdFaceButton = "(hkl)";
  std::string physicalIndices = "Calculate";
  std::string coordinatesPhysical = "1 0 0";
  std::string faceFromXyz = "Calculate";
  std::string label65;  // "Selected face surface = ..."
  std::string shapeDescriptors;  // a few lines: figures of the shape and its forms
};

// "Twintool" (GroupBox11). The choice, the space and the texts are part of
// the model file and live in FormState::switches.
struct TwinBoxState {
  int twinFaceRow = -1;  // the grid row picked as contact face
  std::string note;      // why no twin is shown, one line
};

// "Indicate cleavage face" (GroupBox4). "show model" and "project growth
// sectors" are part of the model file and live in FormState::switches.
struct CleavageBoxState {
  std::string editCutface = "0 0 0";
  std::string editCutDistance = "0.01";
  int trackBar1 = 100;         // 0..200: 5 at the top, 0.01 in the middle, -5 at the bottom
  int lastPosition = 100;      // the slider position last handled
  bool removeEnabled = false;  // removecutface1
  std::string acceptedIndexText = "0 0 0";
  std::string acceptedDistanceText = "0.01";
};

// The steps the "Combined Objects Wizard" lists; step 4 is `label4`.
inline constexpr const char* kWizardSteps[] = {
    "1) Edit metric angles for models",      "2) Disable animation",
    "3) Save the crystal scene (Save Data)", "4) Search Group-Directory for files",
    "5) Specify morphology Filename",        "6) Specify tensor Filename",
    "7) Specify structure Filename",         "8) You may enable animation now",
    "9) Specify name for group  file",
};

// "Combined Objects Wizard".
struct GroupWizardState {
  std::string edit10 = "crystal.wrl";    // morphology
  std::string edit12 = "structure.wrl";  // structure
  std::string edit11 = "tensor.wrl";     // tensor
  std::string edit14 = "group.wrl";      // the group file
  std::string folder;                    // the group folder G
  std::string label4 = "4) Search Group-Directory for files";
  bool acceptStrip = false;
};

struct ToolsState {
  PredictionBoxState prediction;
  CalculationsBoxState calculations;
  TwinBoxState twin;
  CleavageBoxState cleavage;
  GroupWizardState wizard;
};

}  // namespace habitopia
