// habitopia-cli drawing FILE.mor -o OUT.svg|OUT.pdf: a crystal drawing for publication.

#include <algorithm>
#include <iostream>
#include <tuple>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/drawing_output.h"
#include "cli/option_values.h"
#include "cli/scene_model.h"
#include "core/numbers.h"
#include "drawing/crystal_drawing.h"
#include "files/file_io.h"
#include "scene/scene_files.h"

namespace habitopia::cli {

namespace {

constexpr const char* kUsage =
    "usage: drawing FILE.mor -o OUT.svg|OUT.pdf [--view H K L | --direction U V W | --camera] "
    "[--perspective R] [--hidden dashed|none] [--labels] [--hkil] [--axes]";

}  // namespace

int RunDrawing(const Arguments& given) {
  Arguments args = given;
  std::vector<std::vector<std::string>> view, direction, perspective, hidden;
  for (auto [name, count, into] :
       {std::tuple{"--view", 3, &view}, std::tuple{"--direction", 3, &direction},
        std::tuple{"--perspective", 1, &perspective}, std::tuple{"--hidden", 1, &hidden}})
    if (auto problem = TakeOption(args, name, count, *into))
      return Fail(*problem + " (" + kUsage + ")");
  InputOutput a;
  if (auto problem =
          ParseInputOutput(args, {"--labels", "--hkil", "--axes", "--camera"}, kUsage, a))
    return Fail(*problem);
  if (!IsDrawingOutput(a.output))
    return Fail("the drawing is written as .svg or .pdf (" + std::string(kUsage) + ")");
  if (view.size() + direction.size() + (a.Has("--camera") ? 1 : 0) > 1)
    return Fail("choose one of --view, --direction and --camera");

  CrystalDrawingOptions options;
  if (!hidden.empty()) {
    if (hidden.back()[0] == "dashed")
      options.hidden = HiddenEdges::Dashed;
    else if (hidden.back()[0] == "none")
      options.hidden = HiddenEdges::None;
    else
      return Fail("--hidden takes dashed or none");
  }
  options.labels = a.Has("--labels");
  options.fourIndex = a.Has("--hkil");
  options.axes = a.Has("--axes");

  BuiltModel built;
  if (auto problem = LoadAndBuild(a.input, built)) return Fail(*problem);
  const CellMatrices& cell = built.model.matrices;

  std::string title = FileStem(a.input);
  if (a.Has("--camera")) {
    options.frame = SceneCameraFrame(built.model.display.viewDistance);
    title += ", scene camera";
  } else {
    Vec3 toward = ClinographicDirection();
    if (!view.empty()) {
      Vec3 hkl{};
      if (!ParseTriple(view.back(), hkl)) return Fail("--view needs three numbers h k l");
      toward = HklToCartesian(cell, hkl);
      title += ", seen on (" + view.back()[0] + " " + view.back()[1] + " " + view.back()[2] + ")";
    } else if (!direction.empty()) {
      Vec3 uvw{};
      if (!ParseTriple(direction.back(), uvw)) return Fail("--direction needs three numbers u v w");
      toward = UvwToCartesian(cell, uvw);
      title += ", seen along [" + direction.back()[0] + " " + direction.back()[1] + " " +
               direction.back()[2] + "]";
    }
    const auto frame = MakeViewFrame(toward);
    if (!frame) return Fail("the viewing direction is the zero vector");
    options.frame = *frame;
  }
  const SceneGeometry geometry = BuildSceneGeometry(built.model, built.polyhedron, built.switches);
  if (!perspective.empty()) {
    Real factor = 0;
    if (!ParseReal(perspective.back()[0], factor) || !(factor > 1))
      return Fail("--perspective takes the eye distance in crystal radii, greater than 1");
    Real radius = 0;
    for (const Vec3& c : geometry.corners.positions) radius = std::max(radius, Norm(c));
    options.frame.eyeDistance = factor * radius;
  }

  const CrystalDrawing drawing =
      DrawCrystal(cell, built.polyhedron, geometry, built.model.display, options);
  if (drawing.faces.empty()) return Fail("the model has no faces to draw: " + a.input);
  return WriteDrawing(a, CrystalDrawingSvg(drawing, title), title, built);
}

}  // namespace habitopia::cli
