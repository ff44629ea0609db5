#include "app/shown_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/numbers.h"
#include "core/polyhedron.h"
#include "files/model_document.h"
#include "files/model_reader.h"
#include "scene/document_switches.h"
#include "scene/scene_files.h"
#include "scene/scene_writer.h"
#include "symmetry/point_groups.h"

namespace habitopia {

namespace {

namespace fs = std::filesystem;

// The index text the face grid shows: each index in shortest general form cut to
// 10 characters, joined by single blanks.
std::string IndexText(const FaceRecord& face) {
  return FormatGeneral(face.h).substr(0, 10) + " " + FormatGeneral(face.k).substr(0, 10) + " " +
         FormatGeneral(face.l).substr(0, 10);
}

// The calculation's clean-up of the face table: faces "0 0 0" and faces with a
// distance not above 0 go, the rest move up with h, k, l rounded to 3 decimals;
// at most 301 faces stay.
void CleanFaces(CrystalModel& model) {
  if (model.lastFace > kMaxFaces - 1) model.lastFace = kMaxFaces - 1;
  int kept = 0;
  for (int f = 0; f <= model.lastFace; ++f) {
    const FaceRecord source = model.faces[f];
    if (IndexText(source) == "0 0 0" || !(source.distance > 0)) continue;
    FaceRecord& target = model.faces[kept];
    target.h = Round3(source.h);
    target.k = Round3(source.k);
    target.l = Round3(source.l);
    target.distance = source.distance;
    ++kept;
  }
  model.lastFace = kept - 1;
  if (model.cleavageFace > model.lastFace) model.cleavageFace = -1;
  model.geometryStale = true;
}

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
  CleanFaces(model);
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

std::string LowerExtension(const std::string& path) {
  std::string extension = fs::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

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
