// "E&xport " drawings, 3D files and the web page of the crystal, and the stereographic
// projection beside the viewer. Both show the crystal of the last calculation
// with the display switches of the window, as habitopia-cli draws a model file
// with the matching options.

#include <filesystem>
#include <variant>

#include "app/form_document.h"
#include "app/main_form.h"
#include "drawing/crystal_drawing.h"
#include "drawing/pdf_drawing.h"
#include "drawing/stereogram.h"
#include "drawing/twin_turn.h"
#include "files/file_io.h"
#include "scene/export_mesh.h"
#include "scene/scene_files.h"
#include "scene/web_page.h"
#include "symmetry/point_groups.h"

namespace habitopia {

namespace {

namespace fs = std::filesystem;

constexpr const char* kNothingToExport = "There is no crystal to export: calculate a model first.";
constexpr const char* kDrawingFilter =
    "SVG drawing (*.svg)|*.svg|PDF drawing (*.pdf)|*.pdf|All files|*.*";
constexpr const char* kGltfFilter = "glTF 2.0 binary (*.glb)|*.glb|All files|*.*";
constexpr const char* kObjFilter = "Wavefront OBJ with materials (*.obj)|*.obj|All files|*.*";
constexpr const char* kWebPageFilter = "Web page (*.html)|*.html|All files|*.*";
constexpr const char* kThreeMfFilter = "3D Manufacturing Format (*.3mf)|*.3mf|All files|*.*";

bool HasCrystal(const CrystalModel& model, bool sceneOnly) {
  return !sceneOnly && model.polyhedron.complete && model.polyhedron.PresentFaceCount() > 0;
}

}  // namespace

std::string MainForm::ExportTitle() const {
  const fs::path file = model_.modelFileName;
  if (file.empty() || LowerExtension(file.string()) != ".mor") return "untitled";
  return file.stem().string();
}

void MainForm::WriteExport(const std::string& path, const std::string& bytes) {
  const FileResult written = WriteFileAtomic(path, bytes);
  if (!written) ShowWriteFailure(path, written.message);
}

void MainForm::SVGdrawing1Click() {
  if (!HasCrystal(model_, state_.sceneOnly)) {
    ports_.dialogs.Message(kNothingToExport);
    return;
  }
  const std::optional<std::string> path = AskExportPath(kDrawingFilter, "svg");
  if (!path) return;
  const SceneSwitches switches = CollectSceneSwitches(state_);
  CrystalDrawingOptions options;
  options.frame = *MakeViewFrame(ClinographicDirection());
  options.labels = switches.indiceson;
  options.fourIndex = switches.hkil;
  options.axes = switches.Caxes;
  const SceneGeometry geometry = BuildSceneGeometry(model_, model_.polyhedron, switches);
  const CrystalDrawing drawing =
      DrawCrystal(model_.matrices, model_.polyhedron, geometry, model_.display, options);
  const std::string svg = CrystalDrawingSvg(drawing, ExportTitle());
  if (LowerExtension(*path) != ".pdf") {
    WriteExport(*path, svg);
    return;
  }
  auto pdf = SvgToPdf(svg, ExportTitle());
  if (const auto* failure = std::get_if<PdfFailure>(&pdf))
    ShowWriteFailure(*path, failure->message);
  else
    WriteExport(*path, std::get<std::string>(pdf));
}

void MainForm::ExportMeshFile(MeshFormat format) {
  if (!HasCrystal(model_, state_.sceneOnly)) {
    ports_.dialogs.Message(kNothingToExport);
    return;
  }
  const std::optional<std::string> path =
      format == MeshFormat::Gltf  ? AskExportPath(kGltfFilter, "glb")
      : format == MeshFormat::Obj ? AskExportPath(kObjFilter, "obj")
                                  : AskExportPath(kThreeMfFilter, "3mf");
  if (!path) return;
  const SceneSwitches switches = CollectSceneSwitches(state_);
  const SceneGeometry geometry = BuildSceneGeometry(model_, model_.polyhedron, switches);
  const ExportMesh mesh =
      BuildExportMesh(model_.polyhedron, geometry, model_.display, switches.twin);
  for (const MeshFile& file : MeshFiles(mesh, format, *path, ExportTitle())) {
    const FileResult written = WriteFileAtomic(file.path, file.bytes);
    if (!written) {
      ShowWriteFailure(file.path, written.message);
      return;
    }
  }
}

void MainForm::WebPage1Click() {
  if (!HasCrystal(model_, state_.sceneOnly)) {
    ports_.dialogs.Message(kNothingToExport);
    return;
  }
  const auto folder = FindWebViewerFolder(programFiles_.programDirectory);
  const auto viewer = folder ? LoadWebViewerFiles(*folder) : std::nullopt;
  if (!viewer) {
    ports_.dialogs.Message(kWebViewerMissing);
    return;
  }
  const std::optional<std::string> path = AskExportPath(kWebPageFilter, "html");
  if (!path) return;
  const SceneOutput scene =
      WriteScene(model_, model_.polyhedron, model_.display, CollectSceneSwitches(state_));
  WebPageFacts facts;
  facts.title = ExportTitle();
  if (model_.pointGroup >= 1 && model_.pointGroup <= kPointGroupCount)
    facts.pointGroupSymbol = std::string(GetPointGroup(model_.pointGroup).symbol);
  WriteExport(*path, WriteWebPage(model_, model_.polyhedron, scene, facts, *viewer));
}

void MainForm::glTF1Click() { ExportMeshFile(MeshFormat::Gltf); }

void MainForm::OBJ1Click() { ExportMeshFile(MeshFormat::Obj); }

void MainForm::N3MF1Click() { ExportMeshFile(MeshFormat::ThreeMf); }

void MainForm::Stereographicprojection1Click() {
  state_.pictures.stereogramShown = !state_.pictures.stereogramShown;
  state_.Command(CommandId::StereographicProjection).checked = state_.pictures.stereogramShown;
  MarkChanged(kRegionsPart | kCommandsPart);
  RefreshStereogram();
}

void MainForm::RefreshStereogram() {
  if (!state_.pictures.stereogramShown) return;
  std::string svg;
  if (HasCrystal(model_, state_.sceneOnly)) {
    StereogramOptions options;
    options.frame = *MakeViewFrame(Vec3{0, 0, 1});
    const SceneSwitches switches = CollectSceneSwitches(state_);
    options.fourIndex = switches.hkil;
    const SceneGeometry geometry = BuildSceneGeometry(model_, model_.polyhedron, switches);
    options.twinTurn = TwinTurn(model_, geometry, switches.twin);
    const Stereogram stereogram =
        BuildStereogram(model_.matrices, model_.FaceTable(), model_.polyhedron, options);
    if (!stereogram.poles.empty())
      svg = StereogramSvg(stereogram, ExportTitle() + ", stereographic projection");
  }
  if (svg == state_.pictures.stereogramSvg) return;
  state_.pictures.stereogramSvg = std::move(svg);
  MarkChanged(kToolsPart);
}

}  // namespace habitopia
