// habitopia-cli expand FILE.mor -o OUT.mor: rebuilds the full face list from the
// model's unique faces with its point group ("to All") and writes the model.

#include <iostream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/face_lists.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "files/model_writer.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

namespace {
constexpr const char* kUsage = "usage: expand FILE.mor -o OUT.mor";
}  // namespace

int RunExpand(const Arguments& args) {
  InputOutput io;
  if (auto problem = ParseInputOutput(args, {}, kUsage, io)) return Fail(*problem);

  ModelDocument document;
  CrystalModel model;
  if (auto problem = LoadModel(io.input, document, model)) return Fail(*problem);
  if (model.pointGroup < 1 || model.pointGroup > kPointGroupCount)
    return Fail(io.input + ": no point group " + FormatInteger(model.pointGroup));

  // The rebuild ends in a calculation, which cleans the table before it builds.
  FaceRows fullRows;
  const bool limited = RebuildWithFaceLimit(model, UniqueRowsOf(document), fullRows);
  PrepareFaceTableReporting(model);
  StoreFaces(model, document);
  const ModelWriteResult written = WriteModelFile(io.output, document);
  if (!written.ok) return Fail(written.error);

  std::cout << "Point group " << FormatInteger(model.pointGroup) << " ("
            << GetPointGroup(model.pointGroup).symbol
            << ")\nUnique faces: " << FormatInteger(model.lastUniqueFace + 1)
            << ", faces: " << FormatInteger(model.FaceCount()) << "\n";
  return limited ? 1 : 0;
}

}  // namespace habitopia::cli
