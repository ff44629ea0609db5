#include "app/shown_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/face_table.h"
#include "core/polyhedron.h"
#include "files/file_io.h"
#include "files/model_document.h"
#include "files/model_reader.h"
#include "scene/document_switches.h"
#include "scene/scene_files.h"
#include "scene/scene_writer.h"
#include "symmetry/point_groups.h"

namespace habitopia {

namespace {

namespace fs = std::filesystem;

ShownFile Failure(std::string error) {
  ShownFile shown;
  shown.error = std::move(error);
  return shown;
}

ShownFile PrepareModel(const std::string& path, const std::string& workDirectory) {
  const ModelReadResult read = ReadModelFile(path);
  if (!read.ok) return Failure(path + ": " + read.error);

  CrystalModel model;
  ApplyDocument(read.document, model);
  model.modelFileName = path;
  model.workDirectory = workDirectory;
  PrepareFaceTable(model);
  model.twin = TwinSettingsFromDocument(read.document, model.matrices);
  const SceneSwitches switches = SceneSwitchesFromDocument(read.document);

  model.polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  model.geometryStale = false;
  const SceneOutput scene = WriteScene(model, model.polyhedron, model.display, switches);

  ShownFile shown;
  shown.scenePath = (fs::path(workDirectory) / kSceneFileName).string();
  const FileResult written = WriteFileAtomic(shown.scenePath, scene.text);
  if (!written) return Failure(written.message);

  shown.ok = true;
  shown.modelFileName = path;
  const FaceIndexLists& lists = scene.geometry.lists;
  shown.closed = IsHullClosed(model.polyhedron, lists, model.cleavageFace);
  CalculationFigures figures;
  if (model.pointGroup >= 1 && model.pointGroup <= kPointGroupCount)
    figures.pointGroupCaption = std::string(GetPointGroup(model.pointGroup).symbol);
  figures.presentFaces = model.polyhedron.PresentFaceCount();
  figures.sceneCorners = scene.geometry.corners.Count();
  figures.surface = lists.surfaceTotal;
  figures.volume = lists.volumeTotal;
  shown.figures = figures;
  return shown;
}

}  // namespace

ShownFile PrepareShownFile(const std::string& path, const std::string& workDirectory) {
  const std::string absolute = fs::absolute(fs::path(path)).lexically_normal().string();
  const std::string extension = LowerExtension(path);
  if (extension == ".mor") return PrepareModel(absolute, workDirectory);
  if (extension == ".wrl" || extension == ".wrz") {
    ShownFile shown;
    shown.ok = true;
    shown.scenePath = absolute;
    shown.modelFileName = absolute;
    shown.sceneOnly = true;
    return shown;
  }
  return Failure(kNotAModelFile + fs::path(path).extension().string());
}

}  // namespace habitopia
