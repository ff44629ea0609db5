#include "cli/predicted_model.h"

#include <algorithm>
#include <random>

#include "cli/face_lists.h"
#include "core/cell_check.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "core/polyhedron.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

UnitCell ConstrainedCell(const UnitCell& given, int group) {
  CellTexts texts{FormatGeneral(given.a),    FormatGeneral(given.b),
                  FormatGeneral(given.c),    FormatGeneral(given.alpha),
                  FormatGeneral(given.beta), FormatGeneral(given.gamma)};
  CellBoxFlags enabled{};
  ApplyCellConstraint(GetPointGroup(group).lattice, texts, enabled);
  Real v[kCellBoxCount];
  for (int i = 0; i < kCellBoxCount; ++i) ParseGridNumber(texts[i], v[i]);
  return {v[0], v[1], v[2], v[3], v[4], v[5]};
}

std::optional<std::string> CheckCell(const UnitCell& c) {
  if (const auto fault = FindCellFault(c)) return "incorrect cell: " + CellFaultText(*fault);
  return std::nullopt;
}

std::optional<std::string> PredictModel(const PredictionRequest& request, PredictedModel& out) {
  const int group = request.group;
  const UnitCell given = ConstrainedCell(request.cell, group);
  if (auto problem = CheckCell(given)) return problem;
  out.given = given;

  const MorphologyPanelLayout layout = GetMorphologyPanelLayout(group);
  PredictionSettings settings;
  settings.symmetry = request.symmetry;
  if (request.spaceGroup)
    settings.spaceGroup = std::make_shared<const SpaceGroupSymmetry>(*request.spaceGroup);
  settings.withHigherOrders = request.higherOrders;
  settings.hklMax = static_cast<int>(request.hklMax.value_or(std::min(3, layout.hklMaxMaximum)));
  if (request.hklMax && (*request.hklMax < 1 || *request.hklMax > layout.hklMaxMaximum))
    return "--hkl-max must lie between 1 and " + FormatInteger(layout.hklMaxMaximum) +
           " for point group " + std::string(GetPointGroup(group).symbol);
  settings.polarityAmount = static_cast<int>(request.polarity.value_or(0));
  if (request.polarity && (*request.polarity < 0 || *request.polarity > 10))
    return std::string("--polarity must lie between 0 and 10");
  SeededRandom random(request.seed ? static_cast<std::uint64_t>(*request.seed)
                                   : std::random_device{}());

  CrystalModel& model = out.model;
  SetCell(model, given);
  model.acceptedCell = model.cell;
  model.pointGroup = model.acceptedGroup = model.builtForGroup = group;
  model.operationCount = GetPointGroup(group).order;

  FaceRows& unique = out.unique;
  FaceRows& full = out.full;
  PredictionFlags flags;
  if (PredictFaces(model, unique, settings, flags, random) != PredictionStatus::Done)
    return std::string("the prediction failed");
  // Faces discarded at any stage leave the prediction incomplete.
  bool limited = RebuildWithFaceLimit(model, unique, full);
  CleanFaceTable(model);
  if (request.cleanup) {
    // The calculation that follows finds the present faces; the clean-up keeps
    // only their forms and the full list is rebuilt from them.
    model.polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
    flags.cleanupRequested = true;
    if (RewriteIndices(model, unique, settings, flags, random) != PredictionStatus::Done)
      return std::string("the clean-up failed");
    limited = RebuildWithFaceLimit(model, unique, full) || limited;
    CleanFaceTable(model);
  }
  out.limited = limited;
  return std::nullopt;
}

}  // namespace habitopia::cli
