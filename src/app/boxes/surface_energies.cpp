// "Surface energies…" of the Shape Prediction box: a table of one value per form
// (surface energies, growth rates or attachment energies) becomes the unique
// faces, their central distances in proportion to the values.

#include "app/form_document.h"
#include "app/main_form.h"
#include "core/numbers.h"
#include "prediction/wulff_table.h"
#include "symmetry/expansion.h"
#include "tools/shape_descriptors.h"

namespace habitopia {

std::string MainForm::SurfaceTableText() const {
  std::string text = "# h k l value, one row per form\n";
  for (int f = 0; f <= model_.lastUniqueFace && f < model_.FaceCount(); ++f) {
    const FaceRecord& face = model_.faces[f];
    text += IndexText(face.Indices()) + " " + FormatGeneral(face.distance) + "\n";
  }
  return text;
}

bool MainForm::SurfaceTableAccepted(const std::string& table, WulffKind kind) {
  const auto read = ReadWulffTable(table, kind, model_.pointGroup);
  if (const auto* problem = std::get_if<WulffTableError>(&read)) {
    ports_.dialogs.Message(problem->Text());
    return false;
  }
  const FaceRows unique = WulffUniqueRows(std::get<WulffTable>(read), kind, Separator(state_));
  CrystalModel trial = model_;
  FaceRows full;
  ExpansionOptions expansion;
  expansion.separator = Separator(state_);
  RebuildFullList(trial, unique, full, expansion);
  const ShapeDescriptors shape = DescribeShape(trial);
  if (!shape.closed) {
    ports_.dialogs.Message("The table leaves the crystal open: " + OpenShapeText(shape));
    return false;
  }
  state_.tables.applySymmetry = true;
  SetGridFaceRows(state_.tables.stringGrid2, unique);
  model_.lastUniqueFace = static_cast<int>(unique.size()) - 1;
  RedrawFromUniqueList();
  return true;
}

}  // namespace habitopia
