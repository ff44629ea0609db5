#include "core/cell_check.h"

#include <cmath>

namespace habitopia {

std::optional<CellFault> FindCellFault(const UnitCell& cell) {
  for (Real length : {cell.a, cell.b, cell.c})
    if (!(std::isfinite(length) && length > 0)) return CellFault::Lengths;
  const Real longest = std::fmax(cell.a, std::fmax(cell.b, cell.c));
  const Real shortest = std::fmin(cell.a, std::fmin(cell.b, cell.c));
  if (longest > shortest * kMaxCellLengthRatio) return CellFault::LengthRatio;
  for (Real angle : {cell.alpha, cell.beta, cell.gamma})
    if (!(angle > 0 && angle < 180)) return CellFault::Angles;
  const Real ca = std::cos(cell.alpha * kDegreesToRadians);
  const Real cb = std::cos(cell.beta * kDegreesToRadians);
  const Real cg = std::cos(cell.gamma * kDegreesToRadians);
  const Real volumeTerm = ((1 - ca * ca) - cb * cb) - cg * cg + 2 * ca * cb * cg;
  if (!(volumeTerm > kMinVolumeTerm)) return CellFault::Volume;
  return std::nullopt;
}

std::string CellFaultText(CellFault fault) {
  switch (fault) {
    case CellFault::Lengths: return "the cell lengths must be finite and greater than 0";
    case CellFault::LengthRatio:
      return "the longest cell length must be at most a million times the shortest";
    case CellFault::Angles: return "the cell angles must lie strictly between 0 and 180 degrees";
    case CellFault::Volume: return "these three cell angles enclose no volume";
  }
  return {};
}

}  // namespace habitopia
