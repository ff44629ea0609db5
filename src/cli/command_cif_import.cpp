// habitopia-cli cif-import FILE.cif -o OUT.mor: reads the crystal of a CIF file as
// the open command does, completes the face list by the point group and writes
// the model. The missing items are printed; an incomplete import still writes
// what was found and exits with 1.

#include <iostream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "core/display_settings.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "files/cif.h"
#include "files/model_document.h"
#include "files/model_writer.h"
#include "files/text_cursor.h"
#include "symmetry/expansion.h"
#include "symmetry/face_rows.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

namespace {

constexpr const char* kUsage = "usage: cif-import FILE.cif -o OUT.mor [--block NAME]";

std::string SourceText(const CifImport& cif) {
  switch (cif.pointGroupSource) {
    case CifPointGroupSource::SpaceGroup: return "the space group " + cif.spaceGroup->SettingText();
    case CifPointGroupSource::PointGroupTag: return "the point-group symbol";
    case CifPointGroupSource::None: break;
  }
  return "nothing";
}

}  // namespace

int RunCifImport(const Arguments& args) {
  Arguments rest;
  std::string block;
  if (auto problem = TakeBlockOption(args, rest, block))
    return Fail(*problem + " (" + kUsage + ")");
  InputOutput io;
  if (auto problem = ParseInputOutput(rest, {}, kUsage, io)) return Fail(*problem);
  const std::string& path = io.input;
  if (auto problem = CheckInputFile(path, ".cif", kNotACifFile)) return Fail(*problem);

  const CifReadResult read = ReadCifFile(path, false, block);
  if (!read.ok) return Fail(read.error);
  const CifImport& cif = read.import;
  if (cif.blockMissing) return Fail(path + ": no data block \"" + block + "\"");

  // A new model, then what the file gives.
  CrystalModel model;
  if (cif.fillColour) model.display.fillColour = ColourFromValue(*cif.fillColour);
  if (cif.transparency) model.display.transparency = *cif.transparency;
  SetCell(model, cif.ModelCell());
  model.acceptedCell = model.cell;
  if (cif.pointGroup != 0)
    model.pointGroup = model.acceptedGroup = model.builtForGroup = cif.pointGroup;
  model.operationCount = GetPointGroup(model.pointGroup).order;

  // Unique faces: the rows the file filled (rows left empty are dropped), read
  // by the unique list's parser.
  // A line of the face list that is no face line, or whose face does not read,
  // is left out and makes the import incomplete.
  FaceRows uniqueRows;
  int facesLeftOut = 0;
  const std::vector<CifFaceRow> faceRows = cif.ModelFaceRows();
  for (std::size_t r = 0; r < faceRows.size(); ++r) {
    const CifFaceRow& row = faceRows[r];
    if (row.Empty()) {
      std::cerr << "habitopia-cli: line " << r + 1
                << " of the face list left out: it is not four values h k l d\n";
      ++facesLeftOut;
      continue;
    }
    FaceRow parsed{row.indexText, row.distanceText};
    FaceRecord face;
    if (!ParseUniqueListRow(parsed, face)) {
      std::cerr << "habitopia-cli: face " << QuotedExcerpt(row.indexText) << " with distance "
                << QuotedExcerpt(row.distanceText) << " left out: it does not read as a face\n";
      ++facesLeftOut;
      continue;
    }
    uniqueRows.push_back(parsed);
  }

  FaceRows fullRows;
  const RebuildResult rebuilt = RebuildFullList(model, uniqueRows, fullRows, {},
                                                [&model](int) { return !FaceCountWarning(model); });
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

  if (!cif.blockName.empty())
    std::cout << "Data block: " << cif.blockName
              << (block.empty() && cif.blockCount > 1
                      ? " (the first of " + FormatInteger(cif.blockCount) +
                            " blocks that states a cell" +
                            (cif.spaceGroup ? std::string(" and a symmetry)") : std::string(")"))
                      : std::string())
              << "\n";
  if (cif.pointGroup != 0)
    std::cout << "Point group " << FormatInteger(cif.pointGroup) << " ("
              << CifPointGroupSymbol(cif.pointGroup) << ") from " << SourceText(cif) << "\n";
  if (cif.AxesChanged())
    std::cout << "Axes of the point group: " << cif.spaceGroup->AxesText() << "\n";
  for (const std::string& note : cif.symmetryNotes) std::cout << "Note: " << note << "\n";
  if (cif.predictionCaption) std::cout << *cif.predictionCaption << "\n";
  std::cout << "Unique faces: " << FormatInteger(static_cast<long long>(uniqueRows.size()))
            << ", faces: " << FormatInteger(model.FaceCount()) << "\n";
  if (!cif.missingItems.empty()) std::cout << cif.MissingItemsMessage("\n") << "\n";
  std::cout.flush();
  return cif.Complete() && !tooMany && facesLeftOut == 0 ? 0 : 1;
}

}  // namespace habitopia::cli
