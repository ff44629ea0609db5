#include "app/cell_commit.h"

#include <cmath>

#include "symmetry/face_rows.h"

namespace habitopia {
namespace {

// Angles in degrees that close a parallelepiped of positive volume.
bool SpansCell(Real alpha, Real beta, Real gamma) {
  for (Real angle : {alpha, beta, gamma})
    if (!(angle > 0 && angle < 180)) return false;
  const Real ca = std::cos(alpha * kDegreesToRadians);
  const Real cb = std::cos(beta * kDegreesToRadians);
  const Real cg = std::cos(gamma * kDegreesToRadians);
  return 1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg > 1e-12L;
}

void PutBack(CrystalModel& model, CellTexts& texts, const AcceptedCell& accepted,
             bool decimalComma) {
  model.cell = accepted.cell;
  model.cellLengthMean = accepted.lengthMean;
  model.matrices = BuildCellMatrices(model.cell);
  texts = CellBoxTexts(accepted.cell, accepted.lengthMean, decimalComma);
}

}  // namespace

CellCommit CommitCell(CrystalModel& model, CellTexts& texts, const AcceptedCell& accepted,
                      bool decimalComma) {
  CellCommit result;
  model.cellChanged = false;
  const char separator = decimalComma ? ',' : '.';
  Real v[kCellBoxCount] = {};
  bool readable = true;
  for (int box = 0; box < kCellBoxCount; ++box)
    readable = ParseGridNumber(texts[box], v[box], separator) && std::isfinite(v[box]) && readable;
  if (!readable || !(v[kBoxA] > 0 && v[kBoxB] > 0 && v[kBoxC] > 0) ||
      !SpansCell(v[kBoxAlpha], v[kBoxBeta], v[kBoxGamma])) {
    PutBack(model, texts, accepted, decimalComma);
    return result;
  }

  const Real mean = (v[kBoxA] + v[kBoxB] + v[kBoxC]) / 3;
  Real* stored[kCellBoxCount] = {&model.cell.a,     &model.cell.b,    &model.cell.c,
                                 &model.cell.alpha, &model.cell.beta, &model.cell.gamma};
  for (int box = 0; box < kCellBoxCount; ++box) {
    const Real value = box <= kBoxC ? v[box] / mean : v[box];
    const bool differs = box <= kBoxC ? std::fabs(value - *stored[box]) > kCellLengthTolerance
                                      : value != *stored[box];
    if (differs) model.cellChanged = true;
    *stored[box] = value;
  }
  model.cellLengthMean = mean;
  model.matrices = BuildCellMatrices(model.cell);
  result.ok = true;
  result.changed = model.cellChanged;
  return result;
}

CellTexts CellBoxTexts(const UnitCell& cell, Real lengthMean, bool decimalComma) {
  const char s = decimalComma ? ',' : '.';
  return {GeneralText(cell.a * lengthMean, s), GeneralText(cell.b * lengthMean, s),
          GeneralText(cell.c * lengthMean, s), GeneralText(cell.alpha, s),
          GeneralText(cell.beta, s),           GeneralText(cell.gamma, s)};
}

}  // namespace habitopia
