#pragma once
// Labels and model twin types of the twin tool's choices.

#include <string>

#include "core/model.h"
#include "scene/scene_writer.h"

namespace habitopia {

inline std::string TwinAxisLabel(bool reciprocal) {
  return reciprocal ? "axis (xyz)" : "axis [xyz]";
}
inline std::string TwinThroughLabel(bool reciprocal) {
  return reciprocal ? "through (xyz)" : "through [xyz]";
}

// The model's twin type for a choice of the box: a rotation twin is stored by
// the space its vectors were typed in.
inline TwinType TwinTypeOf(TwinChoice choice, bool reciprocal) {
  switch (choice) {
    case TwinChoice::None: return TwinType::None;
    case TwinChoice::Contact: return TwinType::Contact;
    case TwinChoice::Rotation:
      return reciprocal ? TwinType::RotationReciprocal : TwinType::RotationReal;
    case TwinChoice::Inversion: return TwinType::Inversion;
  }
  return TwinType::None;
}

}  // namespace habitopia
