#pragma once
// The VRML 2.0 scene of the built crystal: a fixed skeleton whose optional blocks
// (labels, spotlights, body, axes, edges, special faces, textures, animation,
// routes) follow the window's display switches. The writer keeps no state between
// runs: it takes the model, the built polyhedron, the display settings and the
// switches, and returns the text together with the corner numbering and face index
// lists it wrote, which the STL export and the measuring tools read back.

#include <optional>
#include <string>
#include <vector>

#include "core/display_settings.h"
#include "core/model.h"
#include "core/polyhedron.h"

namespace habitopia {

enum class TwinChoice { None, Contact, Rotation, Inversion };

// The window's display switches, named after their check boxes.
struct SceneSwitches {
  bool fill = true;
  bool grid = true;
  bool solid = true;
  bool lights = true;  // "spotlights"
  bool animation = false;
  bool tumble = false;
  bool indiceson = false;  // index labels
  bool Caxes = false;      // crystal axes
  bool hkil = false;       // four-index labels
  bool singlefacegloss = false;
  bool showmodel = false;  // crystal shown with the cleavage plane
  bool projectsectors = false;
  TwinChoice twin = TwinChoice::None;
  std::string twinFace;       // the twin tool's contact face caption, e.g. "1 0 0"
  bool decimalComma = false;  // the system writes decimal commas
};

// The twin choice of a model's twin type (rotation in either space is a rotation).
TwinChoice TwinChoiceOf(TwinType type);

// What the scene lists: the numbered corners, every present face's index list and,
// when a twin is shown, the twin's corner positions.
struct SceneGeometry {
  SceneCorners corners;
  FaceIndexLists lists;
  bool withCentre = false;   // some present face is drawn in its own colour
  int centreNumber = -1;     // corner number of the centre point "0 0 0"
  int cleavagePresent = -1;  // present index of the cleavage face, -1 for none
  std::optional<std::vector<Vec3>> twinCorners;
  int contactFace = -1;  // present index of a contact twin's face
  bool labelsLimited = false;
};

// Numbers the corners (projecting growth sectors onto the cleavage plane when
// switched), builds the face index lists and the twin corners.
SceneGeometry BuildSceneGeometry(const CrystalModel& model, const Polyhedron& polyhedron,
                                 const SceneSwitches& switches);

struct SceneOutput {
  std::string text;
  SceneGeometry geometry;
};

SceneOutput WriteScene(const CrystalModel& model, const Polyhedron& polyhedron,
                       const DisplaySettings& display, const SceneSwitches& switches);

// A text made safe for a VRML string: quote and backslash are escaped.
std::string VrmlStringText(const std::string& text);

// The image path of a face texture: its file name (leading blanks dropped) in the
// folder of the model file when such a file exists, else the stored name.
std::string TexturePath(const std::string& textureFile, const std::string& modelFileName);

}  // namespace habitopia
