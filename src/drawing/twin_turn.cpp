#include "drawing/twin_turn.h"

#include <cmath>

#include "tools/twin.h"

namespace habitopia {

std::optional<Matrix3> TwinTurn(const CrystalModel& model, const SceneGeometry& geometry,
                                TwinChoice twin) {
  if (twin == TwinChoice::None || !geometry.twinCorners) return std::nullopt;
  std::optional<MirrorPlane> mirror;
  if (twin == TwinChoice::Contact) {
    if (geometry.contactFace < 0 ||
        geometry.contactFace >= static_cast<int>(geometry.lists.lists.size()))
      return std::nullopt;
    mirror = MirrorPlaneOf(geometry.lists.lists[geometry.contactFace], geometry.corners.positions);
    if (!mirror) return std::nullopt;
    mirror->point = {0, 0, 0};
  }
  // The operations are affine; their linear part is the image of a direction
  // less the image of the origin.
  auto image = [&](const Vec3& q) {
    switch (twin) {
      case TwinChoice::Contact: return MirrorIn(q, *mirror);
      case TwinChoice::Rotation: return RotateAboutTwinAxis(q, model.twin);
      default: return InvertThrough(q, model.twin.twinCentre);
    }
  };
  const Vec3 origin = image({0, 0, 0});
  Matrix3 turn{};
  for (int column = 0; column < 3; ++column) {
    Vec3 unit{0, 0, 0};
    unit[column] = 1;
    const Vec3 moved = SubVec(image(unit), origin);
    for (int row = 0; row < 3; ++row) turn[row][column] = moved[row];
  }
  return turn;
}

std::array<int, 3> TwinColour(const std::array<int, 3>& rgb) {
  constexpr int kAmber[3] = {235, 150, 45};
  std::array<int, 3> out{};
  for (int c = 0; c < 3; ++c) out[c] = static_cast<int>(std::lround((rgb[c] + kAmber[c]) / 2.0));
  return out;
}

}  // namespace habitopia
