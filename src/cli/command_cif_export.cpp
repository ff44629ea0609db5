// habitopia-cli cif-export FILE.mor -o OUT.cif [--all-faces]: writes a model as
// CIF. The face loop lists the unique faces (the list symmetry completes), or
// with --all-faces every face of the model.

#include <iostream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "core/display_settings.h"
#include "core/numbers.h"
#include "files/cif.h"
#include "symmetry/face_rows.h"

namespace habitopia::cli {

namespace {
constexpr const char* kUsage = "usage: cif-export FILE.mor -o OUT.cif [--all-faces]";
}  // namespace

int RunCifExport(const Arguments& args) {
  InputOutput io;
  if (auto problem = ParseInputOutput(args, {"--all-faces"}, kUsage, io)) return Fail(*problem);
  const bool allFaces = io.Has("--all-faces");

  ModelDocument document;
  CrystalModel model;
  if (auto problem = LoadModel(io.input, document, model)) return Fail(*problem);

  CifExport data;
  data.blockName = FileStem(io.input);
  const long long colour = ColourValue(model.display.fillColour);
  if (auto word = CifColourWord(colour)) {
    data.colourWord = *word;
  } else {
    // No one to pick a named colour here: as when the choice is declined.
    std::cerr << "habitopia-cli: " << kColourHasNoName << " (" << FormatInteger(colour)
              << "); writing \"" << kUnnamedColourWord << "\"\n";
    data.colourWord = kUnnamedColourWord;
  }
  data.transparency = model.display.transparency;
  data.cell = CellAsGiven(model);
  data.pointGroup = model.pointGroup;

  // The face in grid row r takes the distance of face r - 1 of the table.
  const int rows = allFaces ? model.FaceCount() : static_cast<int>(document.uniqueFaces.size());
  for (int f = 0; f < rows && f < kFaceSlots; ++f) {
    const Vec3 hkl = allFaces ? model.faces[f].Indices()
                              : Vec3{document.uniqueFaces[f].h, document.uniqueFaces[f].k,
                                     document.uniqueFaces[f].l};
    const Real distance =
        f <= model.lastFace ? model.faces[f].distance : document.uniqueFaces[f].distance;
    data.faces.push_back({IndexText(hkl), distance});
  }

  const CifWriteResult written = WriteCifFile(io.output, data);
  if (!written.ok) return Fail(written.error);
  return 0;
}

}  // namespace habitopia::cli
