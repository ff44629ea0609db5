#pragma once
// One row of the face table: Miller indices, central distance and the face's own look.

#include <array>
#include <string>

#include "core/matrix.h"

namespace habitopia {

inline constexpr int kFaceSlots = 302;  // face table capacity
inline constexpr int kMaxFaces = 301;   // faces a calculation keeps

struct FaceRecord {
  Real h = 0, k = 0, l = 0;
  Real distance = 0;                        // central distance, model units
  std::array<Real, 3> faceColour{0, 0, 0};  // red, green, blue, 0..255
  Real colourShown = 0;                     // 1 when drawn in its own colour
  std::string textureFile;
  bool labelSelected = false;
  bool growthSector = false;

  Vec3 Indices() const { return {h, k, l}; }
  bool operator==(const FaceRecord&) const = default;
};

}  // namespace habitopia
