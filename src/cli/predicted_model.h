#pragma once
// The prediction itself, once the cell, the point group and the translation
// symmetry are known: the faces predicted on the constrained cell, completed by
// the point group and (unless left out) cleaned up to the forms present on the
// crystal. The predict command and the Python module both run it.

#include <memory>
#include <optional>
#include <string>

#include "core/cell.h"
#include "core/model.h"
#include "prediction/morphology.h"
#include "prediction/space_group_symmetry.h"
#include "symmetry/face_rows.h"

namespace habitopia::cli {

struct PredictionRequest {
  UnitCell cell;  // on the point group's axes
  int group = 1;
  TranslationSymmetry symmetry;
  std::optional<SpaceGroupSymmetry> spaceGroup;  // decides the absences when given
  std::optional<long long> hklMax, polarity, seed;
  bool higherOrders = true;
  bool cleanup = true;
};

struct PredictedModel {
  UnitCell given;  // the cell as the group's lattice class constrains it
  CrystalModel model;
  FaceRows unique, full;
  bool limited = false;  // faces discarded at the face limit
};

// The cell with the values the group's lattice class forces, as accepting the
// group in the window does.
UnitCell ConstrainedCell(const UnitCell& given, int group);

// "incorrect cell: ..." when the cell is not a cell.
std::optional<std::string> CheckCell(const UnitCell& c);

// Runs the prediction; the message (as the predict command prints it) when an
// option is out of range or the prediction fails.
std::optional<std::string> PredictModel(const PredictionRequest& request, PredictedModel& out);

}  // namespace habitopia::cli
