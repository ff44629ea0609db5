// habitopia-cli stereo FILE.mor -o OUT.svg|OUT.pdf: stereographic (or equal-area)
// projection of the poles, with the twin's when the model has one.

#include <algorithm>
#include <iostream>
#include <tuple>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/drawing_output.h"
#include "cli/option_values.h"
#include "cli/scene_model.h"
#include "drawing/stereogram.h"
#include "drawing/twin_turn.h"
#include "files/file_io.h"

namespace habitopia::cli {

namespace {

constexpr const char* kUsage =
    "usage: stereo FILE.mor -o OUT.svg|OUT.pdf [--view H K L] [--equal-area] [--wulff-net | "
    "--schmidt-net] [--all-faces] [--zone F1 F2]... [--angle F1 F2] [--hkil]";

}  // namespace

int RunStereo(const Arguments& given) {
  Arguments args = given;
  std::vector<std::vector<std::string>> view, zones, angle;
  for (auto [name, count, into] : {std::tuple{"--view", 3, &view}, std::tuple{"--zone", 2, &zones},
                                   std::tuple{"--angle", 2, &angle}})
    if (auto problem = TakeOption(args, name, count, *into))
      return Fail(*problem + " (" + kUsage + ")");
  InputOutput a;
  if (auto problem = ParseInputOutput(
          args, {"--wulff-net", "--schmidt-net", "--equal-area", "--all-faces", "--hkil"}, kUsage,
          a))
    return Fail(*problem);
  const bool equalArea = a.Has("--equal-area") || a.Has("--schmidt-net");
  if (a.Has("--wulff-net") && equalArea)
    return Fail("the Wulff net belongs to the equal-angle projection; use --schmidt-net");
  if (!IsDrawingOutput(a.output))
    return Fail("the projection is written as .svg or .pdf (" + std::string(kUsage) + ")");

  BuiltModel built;
  if (auto problem = LoadAndBuild(a.input, built)) return Fail(*problem);
  const CrystalModel& model = built.model;

  StereogramOptions options;
  options.wulffNet = a.Has("--wulff-net") || a.Has("--schmidt-net");
  if (equalArea) options.projection = StereoProjection::EqualArea;
  options.allFaces = a.Has("--all-faces");
  options.fourIndex = a.Has("--hkil");
  Vec3 centre{0, 0, 1};
  std::string title =
      FileStem(a.input) + (equalArea ? ", equal-area projection" : ", stereographic projection");
  if (!view.empty()) {
    Vec3 hkl{};
    if (!ParseTriple(view.back(), hkl)) return Fail("--view needs three numbers h k l");
    centre = HklToCartesian(model.matrices, hkl);
    title += " on (" + view.back()[0] + " " + view.back()[1] + " " + view.back()[2] + ")";
  }
  const auto frame = MakeViewFrame(centre);
  if (!frame) return Fail("the centre direction is the zero vector");
  options.frame = *frame;

  auto faceOf = [&](const std::string& text, int& face) {
    return ParseFaceIndex(text, model.lastFace, face);
  };
  for (const auto& pair : zones) {
    int f1 = 0, f2 = 0;
    if (!faceOf(pair[0], f1) || !faceOf(pair[1], f2))
      return Fail("no face " + pair[0] + " or " + pair[1] + " in " + a.input);
    options.zones.emplace_back(f1, f2);
  }
  if (!angle.empty()) {
    int f1 = 0, f2 = 0;
    if (!faceOf(angle.back()[0], f1) || !faceOf(angle.back()[1], f2))
      return Fail("no face " + angle.back()[0] + " or " + angle.back()[1] + " in " + a.input);
    options.angleFaces = std::pair{f1, f2};
  }

  const SceneGeometry geometry = BuildSceneGeometry(model, built.polyhedron, built.switches);
  options.twinTurn = TwinTurn(model, geometry, built.switches.twin);

  const Stereogram stereogram =
      BuildStereogram(model.matrices, model.FaceTable(), built.polyhedron, options);
  if (stereogram.poles.empty()) return Fail("the model has no faces to project: " + a.input);
  if (options.angleFaces)
    std::cout << stereogram.angleFacesText << ": " << stereogram.angleCaption << "\n";
  return WriteDrawing(a, StereogramSvg(stereogram, title), title, built);
}

}  // namespace habitopia::cli
