// The files of a crystal, as the command-line tool's scene, stl, export,
// drawing, cif-export and extract commands write them for its model file.

#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "cli/cli_model_io.h"
#include "cli/descriptor_report.h"
#include "cli/json_writer.h"
#include "core/display_settings.h"
#include "core/numbers.h"
#include "crystal.h"
#include "drawing/crystal_drawing.h"
#include "drawing/view_frame.h"
#include "files/cif.h"
#include "files/file_io.h"
#include "files/model_writer.h"
#include "scene/embedded_model.h"
#include "scene/export_mesh.h"
#include "scene/mesh_files.h"
#include "scene/scene_files.h"
#include "scene/scene_writer.h"
#include "scene/stl.h"
#include "symmetry/face_rows.h"
#include "tools/measurements.h"
#include "tools/shape_descriptors.h"

namespace habitopia::python {

namespace {

void Write(const std::string& path, const std::string& bytes) {
  const FileResult written = WriteFileAtomic(path, bytes);
  if (!written) Refuse(written.message);
}

std::string SceneText(const Crystal& c, const std::string& path, bool embed, bool wrz) {
  const cli::BuiltModel& b = *c.built;
  std::string text = WriteScene(b.model, b.polyhedron, b.model.display, b.switches).text;
  if (embed) text = SceneWithModel(text, b.document);
  if (wrz) {
    const auto packed = GzipCompress(text, std::filesystem::path(path).filename().string());
    if (!packed) Refuse("compression failed");
    text = *packed;
  }
  return text;
}

void WriteMeshFiles(const Crystal& c, const std::string& path, MeshFormat format) {
  const cli::BuiltModel& b = *c.built;
  const SceneGeometry geometry = BuildSceneGeometry(b.model, b.polyhedron, b.switches);
  const ExportMesh mesh = BuildExportMesh(b.polyhedron, geometry, b.model.display, b.switches.twin);
  if (mesh.bodies.empty() || mesh.bodies.front().polygons.empty())
    Refuse("the model has no faces to export: " + c.source);
  // The file named last, after the files beside it (the MTL of an OBJ).
  for (const MeshFile& file : MeshFiles(mesh, format, path, c.name)) Write(file.path, file.bytes);
}

std::string CifText(const Crystal& c) {
  const ModelDocument& document = c.document;
  // The model as read, before the calculation's clean-up, as cif-export has it.
  CrystalModel model;
  cli::ApplyModelDocument(document, model);
  CifExport data;
  data.blockName = c.name;
  const long long colour = ColourValue(model.display.fillColour);
  if (auto word = CifColourWord(colour)) {
    data.colourWord = *word;
  } else {
    std::cerr << "habitopia: " << kColourHasNoName << " (" << FormatInteger(colour)
              << "); writing \"" << kUnnamedColourWord << "\"\n";
    data.colourWord = kUnnamedColourWord;
  }
  data.transparency = model.display.transparency;
  data.cell = CellAsGiven(model);
  data.pointGroup = model.pointGroup;
  // The face in grid row r takes the distance of face r - 1 of the table.
  const int rows = static_cast<int>(document.uniqueFaces.size());
  for (int f = 0; f < rows && f < kFaceSlots; ++f) {
    const Vec3 hkl{document.uniqueFaces[f].h, document.uniqueFaces[f].k, document.uniqueFaces[f].l};
    const Real distance =
        f <= model.lastFace ? model.faces[f].distance : document.uniqueFaces[f].distance;
    data.faces.push_back({IndexText(hkl), distance});
  }
  return FormatCifText(data);
}

}  // namespace

std::string DrawingSvg(const Crystal& c) {
  const cli::BuiltModel& b = *c.built;
  CrystalDrawingOptions options;
  const auto frame = MakeViewFrame(ClinographicDirection());
  if (!frame) Refuse("the viewing direction is the zero vector");
  options.frame = *frame;
  const SceneGeometry geometry = BuildSceneGeometry(b.model, b.polyhedron, b.switches);
  const CrystalDrawing drawing =
      DrawCrystal(b.model.matrices, b.polyhedron, geometry, b.model.display, options);
  if (drawing.faces.empty()) Refuse("the model has no faces to draw: " + c.source);
  return CrystalDrawingSvg(drawing, c.name);
}

void WriteCrystal(const Crystal& c, const std::string& path, bool embed) {
  const std::string extension = LowerExtension(path);
  if (embed && extension != ".wrl" && extension != ".wrz")
    Refuse("only a scene (.wrl, .wrz) embeds the model");
  if (extension == ".mor") {
    const ModelWriteResult written = WriteModelFile(path, c.document);
    if (!written.ok) Refuse(written.error);
  } else if (extension == ".wrl" || extension == ".wrz") {
    Write(path, SceneText(c, path, embed, extension == ".wrz"));
  } else if (extension == ".stl") {
    const cli::BuiltModel& b = *c.built;
    const SceneGeometry geometry = BuildSceneGeometry(b.model, b.polyhedron, b.switches);
    Write(path, StlText(StlName(path), b.polyhedron, geometry, b.switches.twin));
  } else if (const auto format = MeshFormatFor(path)) {
    WriteMeshFiles(c, path, *format);
  } else if (extension == ".svg") {
    Write(path, DrawingSvg(c));
  } else if (extension == ".cif") {
    const std::string text = CifText(c);
    Write(path, text);
  } else {
    Refuse("unknown export format \"" + extension +
           "\" (.mor, .wrl, .wrz, .stl, .glb, .obj, .3mf, .svg, .cif)");
  }
}

std::string DescriptorsJson(const Crystal& c, bool energies) {
  cli::JsonWriter json;
  cli::WriteDescriptorsJson(DescribeShape(*c.infoModel, energies), c.lengthUnit, json);
  return json.Text();
}

AngleReport FaceAngle(const Crystal& c, long long first, long long second) {
  const CrystalModel& model = *c.infoModel;
  for (long long f : {first, second})
    if (f < 0 || f > model.lastFace)
      Refuse("no face " + FormatInteger(f) + " in " + c.source + " (faces 0 to " +
             FormatInteger(model.lastFace) + ")");
  const Polyhedron polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  const SceneCorners corners = NumberSceneCorners(polyhedron);
  const FaceIndexLists lists = BuildFaceIndexLists(polyhedron, corners, false, model.cleavageFace);
  if (!HullAllowsCalculations(lists.volumeTotal)) Refuse(kHullNotClosed);
  const FaceRecord& a = model.faces[first];
  const FaceRecord& b = model.faces[second];
  const AngleResult angle =
      InterfacialAngle(model.matrices, a, b, IndexText(a.Indices()), IndexText(b.Indices()));
  AngleReport report;
  report.degrees = angle.degrees;
  report.caption = angle.caption;
  if (first != second) {
    const BuiltCrystal crystal{&polyhedron, &corners, &lists};
    const CommonEdgeResult edge =
        CommonEdge(crystal, static_cast<int>(first), static_cast<int>(second));
    if (edge.length) report.edge = *edge.length * polyhedron.distanceScale;
    report.edgeCaption = edge.caption;
  }
  return report;
}

}  // namespace habitopia::python
