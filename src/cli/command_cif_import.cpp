// habitopia-cli cif-import FILE.cif -o OUT.mor: reads the crystal of a CIF file as
// the open command does, completes the face list by the point group and writes
// the model. The missing items are printed; an incomplete import still writes
// what was found and exits with 1.

#include <iostream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "core/face_table.h"
#include "core/display_settings.h"
#include "core/numbers.h"
#include "files/cif.h"
#include "files/model_document.h"
#include "files/model_writer.h"
#include "symmetry/expansion.h"
#include "symmetry/face_rows.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

namespace {

constexpr const char* kUsage = "usage: cif-import FILE.cif -o OUT.mor";

const char* SourceText(CifPointGroupSource source) {
  switch (source) {
    case CifPointGroupSource::SpaceGroupSymbol: return "the space-group symbol";
    case CifPointGroupSource::PointGroupTag: return "the point-group symbol";
    case CifPointGroupSource::ShortSymbol: return "the space-group symbol";
    case CifPointGroupSource::SpaceGroupNumber: return "the space-group number";
    case CifPointGroupSource::None: break;
  }
  return "nothing";
}

}  // namespace

int RunCifImport(const Arguments& args) {
  InputOutput io;
  if (auto problem = ParseInputOutput(args, {}, kUsage, io)) return Fail(*problem);
  const std::string& path = io.input;
  if (auto problem = CheckInputFile(path, ".cif", kNotACifFile)) return Fail(*problem);

  const CifReadResult read = ReadCifFile(path);
  if (!read.ok) return Fail(read.error);
  const CifImport& cif = read.import;

  // A new model, then what the file gives.
  CrystalModel model;
  if (cif.fillColour) model.display.fillColour = ColourFromValue(*cif.fillColour);
  if (cif.transparency) model.display.transparency = *cif.transparency;
  SetCell(model, cif.CellValues());
  model.acceptedCell = model.cell;
  if (cif.pointGroup != 0) model.pointGroup = model.acceptedGroup = model.builtForGroup = cif.pointGroup;
  model.operationCount = GetPointGroup(model.pointGroup).order;

  // Unique faces: the rows the file filled (rows left empty are dropped), read
  // by the unique list's parser.
  FaceRows uniqueRows;
  for (const CifFaceRow& row : cif.faceRows) {
    if (row.Empty()) continue;
    FaceRow parsed{row.indexText, row.distanceText};
    FaceRecord face;
    if (!ParseUniqueListRow(parsed, face)) {
      std::cerr << "habitopia-cli: face \"" << row.indexText << "\" with distance \""
                << row.distanceText << "\" left out: the distance is not a number\n";
      continue;
    }
    uniqueRows.push_back(parsed);
  }

  FaceRows fullRows;
  const RebuildResult rebuilt = RebuildFullList(
      model, uniqueRows, fullRows, {}, [&model](int) { return !FaceCountWarning(model); });
  bool tooMany = rebuilt.tableFull || rebuilt.stopped || FaceCountWarning(model);
  if (tooMany) {
    std::cerr << "habitopia-cli: " << kTooManyFacesMessage << "\n";
    LimitFaceCount(model);
  }

  FormValues form;
  form.panels.uniqueFaceGridShown = true;
  const ModelDocument document = MakeDocument(model, form);
  const ModelWriteResult written = WriteModelFile(io.output, document);
  if (!written.ok) return Fail(written.error);

  if (cif.pointGroup != 0)
    std::cout << "Point group " << FormatInteger(cif.pointGroup) << " (" << CifPointGroupSymbol(cif.pointGroup)
              << ") from " << SourceText(cif.pointGroupSource) << "\n";
  if (cif.predictionCaption) std::cout << *cif.predictionCaption << "\n";
  std::cout << "Unique faces: " << FormatInteger(static_cast<long long>(uniqueRows.size()))
            << ", faces: " << FormatInteger(model.FaceCount()) << "\n";
  if (!cif.missingItems.empty()) std::cout << cif.MissingItemsMessage("\n") << "\n";
  std::cout.flush();
  return cif.Complete() && !tooMany ? 0 : 1;
}

}  // namespace habitopia::cli
