#pragma once
// A crystal as the Python module holds it: the model file it amounts to, built
// once as the command-line tool builds a model file it reads. Crystals do not
// change; the tools make new ones. Every failure is a std::invalid_argument
// carrying the command-line tool's message.

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/model_summary.h"
#include "cli/scene_model.h"
#include "files/model_document.h"

namespace habitopia::python {

// Bad input: a ValueError in Python, with the command-line tool's message.
[[noreturn]] inline void Refuse(const std::string& message) {
  throw std::invalid_argument(message);
}
inline void RefuseIf(const std::optional<std::string>& problem) {
  if (problem) Refuse(*problem);
}

// The window state a new model file is written with: the unique faces shown.
inline FormValues NewModelForm() {
  FormValues form;
  form.panels.uniqueFaceGridShown = true;
  return form;
}

struct Crystal {
  ModelDocument document;
  std::string name;           // the model's name in exported files (file stem)
  std::string modelFileName;  // absolute path when read from a file
  std::string source;         // the path as given when read, else the name (for messages)
  std::shared_ptr<const cli::BuiltModel> built;      // as scene, stl, export build it
  std::shared_ptr<const CrystalModel> infoModel;     // as info and angle prepare it
  std::shared_ptr<const cli::ModelSummary> summary;  // what info reports
  std::string lengthUnit = "model units";            // of the descriptors
  bool energies = false;                             // the central distances are surface energies
};

// The crystal of a model document. `throughText`: as if the document were
// written to a model file and read back (a document made here, not read).
Crystal CrystalOf(const ModelDocument& document, const std::string& name,
                  const std::string& modelFileName = {}, bool throughText = true);
Crystal CrystalFromCif(const std::string& path, const std::string& block);
Crystal CrystalFromScene(const std::string& path);

struct FaceInput {
  Real h = 0, k = 0, l = 0, distance = 0;
};

// The point group of a symbol ("m-3m", "4/m3", "532") or a number 1..33 as text.
int PointGroupOf(const std::string& symbolOrNumber, bool isNumber);

Crystal MakeCrystal(const std::array<Real, 6>& cell, int pointGroup,
                    const std::vector<FaceInput>& faces, bool expand, const std::string& name);

// .mor, .cif (data block `block`, else the first that states a cell), or a
// .wrl/.wrz scene with an embedded model.
Crystal ReadCrystal(const std::string& path, const std::string& block);

// Writes the file the extension names, byte for byte as habitopia-cli writes it
// for the crystal's model file; `embed` appends the model to a scene.
void WriteCrystal(const Crystal& crystal, const std::string& path, bool embed);

// The default crystal drawing (SVG text).
std::string DrawingSvg(const Crystal& crystal);

// The descriptors as "info --descriptors --json" writes them.
std::string DescriptorsJson(const Crystal& crystal, bool energies);

struct AngleReport {
  Real degrees = 0;
  std::string caption;       // "90 Degrees"
  std::optional<Real> edge;  // common edge length, model units
  std::string edgeCaption;   // "Common Edge length = 2" / "No Common Edge"
};
AngleReport FaceAngle(const Crystal& crystal, long long first, long long second);

struct PredictInput {
  std::string cif, block;
  std::optional<std::array<Real, 6>> cell;
  std::string spaceGroup, pointGroup;
  int pointGroupNumber = 0;
  long long hklMax = 2;
  bool higherOrders = true, cleanup = true;
  long long seed = 0;
};
Crystal PredictBfdh(const PredictInput& input);

struct WulffInput {
  std::array<Real, 6> cell{};
  std::string pointGroup, spaceGroup;
  int pointGroupNumber = 0;
  std::string table;                // the table text
  std::string tableName = "table";  // its file, for the messages
  std::string kind = "energy", units;
};
Crystal Wulff(const WulffInput& input, std::string& lengthUnit);

// A twin of the crystal (0 none, 1 contact, 2 rotation, 3 rotation about a
// reciprocal axis, 4 inversion) with the twin tool's texts.
Crystal Twinned(const Crystal& crystal, int type, const std::array<std::string, 5>& texts);

// The crystal cut by the plane (h k l) at `distance` (negative: the reversed plane).
Crystal Cleaved(const Crystal& crystal, const std::array<Real, 3>& hkl, Real distance);

}  // namespace habitopia::python
