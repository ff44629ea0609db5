// habitopia-cli angle FILE.mor F1 F2: the interfacial angle of faces F1 and F2
// (face-table indices, counted from 0 after the calculation's clean-up, as
// "info" lists them) and the length of their common edge.

#include <iostream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "core/polyhedron.h"
#include "symmetry/face_rows.h"
#include "tools/measurements.h"

namespace habitopia::cli {

namespace {
constexpr const char* kUsage = "usage: angle FILE.mor F1 F2";
}  // namespace

int RunAngle(const Arguments& args) {
  std::vector<std::string> positional, flags;
  std::string output;
  if (auto problem = SplitArguments(args, {}, positional, output, flags))
    return Fail(*problem + " (" + kUsage + ")");
  if (positional.size() != 3 || !output.empty()) return Fail(kUsage);

  ModelDocument document;
  CrystalModel model;
  if (auto problem = LoadModel(positional[0], document, model)) return Fail(*problem);
  bool incomplete = false;
  if (FaceCountWarning(model)) {
    std::cerr << "habitopia-cli: " << kTooManyFacesMessage << "\n";
    incomplete = LimitFaceCount(model) > 0;
  }
  PrepareFaceTableReporting(model);

  int faces[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    long long value = 0;
    if (!ParseInteger(positional[1 + i], value) || value < 0 || value > model.lastFace)
      return Fail("no face " + positional[1 + i] + " in " + positional[0] + " (faces 0 to " +
                  FormatInteger(model.lastFace) + ")");
    faces[i] = static_cast<int>(value);
  }

  const Polyhedron polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  const SceneCorners corners = NumberSceneCorners(polyhedron);
  const FaceIndexLists lists = BuildFaceIndexLists(polyhedron, corners, false, model.cleavageFace);
  if (!HullAllowsCalculations(lists.volumeTotal)) {
    std::cerr << "habitopia-cli: " << kHullNotClosed << "\n";
    return 1;
  }

  const FaceRecord& a = model.faces[faces[0]];
  const FaceRecord& b = model.faces[faces[1]];
  const std::string textA = IndexText(a.Indices());
  const std::string textB = IndexText(b.Indices());
  std::cout << "face " << FormatInteger(faces[0]) << ": " << textA << "\n"
            << "face " << FormatInteger(faces[1]) << ": " << textB << "\n"
            << InterfacialAngle(model.matrices, a, b, textA, textB).caption << "\n";
  if (faces[0] != faces[1]) {
    const BuiltCrystal crystal{&polyhedron, &corners, &lists};
    std::cout << CommonEdge(crystal, faces[0], faces[1]).caption << "\n";
  }
  std::cout.flush();
  if (!std::cout) return Fail("cannot write the output");
  return incomplete ? 1 : 0;
}

}  // namespace habitopia::cli
