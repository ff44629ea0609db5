#pragma once
// Labels and model twin types of the twin tool's choices.

#include <string>

#include "core/model.h"

namespace habitopia {

inline std::string TwinAxisLabel(bool reciprocal) { return reciprocal ? "axis (xyz)" : "axis [xyz]"; }
inline std::string TwinThroughLabel(bool reciprocal) {
  return reciprocal ? "through (xyz)" : "through [xyz]";
}

// The model's twin type for a choice of the box: a rotation twin is stored by
// the space its vectors were typed in.
inline TwinType TwinTypeOfChoice(TwinType choice, bool reciprocal) {
  if (choice == TwinType::RotationReal || choice == TwinType::RotationReciprocal)
    return reciprocal ? TwinType::RotationReciprocal : TwinType::RotationReal;
  return choice;
}

}  // namespace habitopia
