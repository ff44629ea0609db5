#include "core/model.h"

#include "core/precondition.h"

namespace habitopia {

void SetCell(CrystalModel& model, const UnitCell& given) {
  const Real mean = (given.a + given.b + given.c) / 3;
  model.cellLengthMean = mean;
  model.cell = {given.a / mean, given.b / mean, given.c / mean,
                given.alpha,    given.beta,     given.gamma};
  model.matrices = BuildCellMatrices(model.cell);
}

UnitCell CellAsGiven(const CrystalModel& model) {
  const UnitCell& c = model.cell;
  const Real mean = model.cellLengthMean;
  return {c.a * mean, c.b * mean, c.c * mean, c.alpha, c.beta, c.gamma};
}

PolyhedronInput MakePolyhedronInput(const CrystalModel& model) {
  HABITOPIA_EXPECTS(model.lastFace >= -1 &&
                    model.FaceCount() <= static_cast<int>(model.faces.size()));
  HABITOPIA_EXPECTS(model.cleavageFace >= -1 && model.cleavageFace <= model.lastFace);
  PolyhedronInput input;
  input.faces = model.FaceTable();
  input.cell = model.matrices;
  input.cleavageFace = model.cleavageFace;
  input.previousDistanceScale = model.polyhedron.distanceScale;
  return input;
}

}  // namespace habitopia
