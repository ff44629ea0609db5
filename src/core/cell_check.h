#pragma once
// Whether six numbers describe a real unit cell.

#include <optional>
#include <string>

#include "core/cell.h"

namespace habitopia {

enum class CellFault {
  Lengths,      // a length is not finite or not greater than 0
  LengthRatio,  // the longest length exceeds the shortest a millionfold
  Angles,       // an angle is not strictly between 0 and 180 degrees
  Volume,       // the angles are valid one by one but enclose no volume
};

// Longest over shortest length of a cell the metric is built for; beyond it the
// reciprocal vectors leave the range of the arithmetic long before any crystal.
inline constexpr Real kMaxCellLengthRatio = 1e6L;
// The volume term of a flat cell comes out of the cosines' rounding as about
// +-1e-19; a real cell has a volume term (V / abc)^2 far above this.
inline constexpr Real kMinVolumeTerm = 1e-12L;

// Nothing for a real cell: finite lengths greater than 0 within the ratio above,
// angles strictly between 0 and 180 degrees whose cosines give a positive volume
// term 1 - cos^2 alpha - cos^2 beta - cos^2 gamma + 2 cos alpha cos beta cos gamma.
std::optional<CellFault> FindCellFault(const UnitCell& cell);

// "the cell lengths must be finite and greater than 0", and the like.
std::string CellFaultText(CellFault fault);

}  // namespace habitopia
