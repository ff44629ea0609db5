#pragma once
// Space-group operations from Hall symbols ("-P 4n 2n", "F 4d 2 3 -1d",
// "P 31 2 (0 0 4)") and the systematic absences they cause.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace habitopia {

// Translations are kept in twelfths of the cell edges.
inline constexpr int kTranslationDenominator = 12;

using IntMatrix3 = std::array<std::array<int, 3>, 3>;  // by rows
using IntVec3 = std::array<int, 3>;

// x' = rotation x + translation / 12, on fractional coordinates.
struct SeitzOperation {
  IntMatrix3 rotation{};
  IntVec3 translation{};  // 0..11
  bool operator==(const SeitzOperation&) const = default;
};

// Every operation of the group modulo whole lattice translations, centring
// translations included; the identity comes first.
using SpaceGroupOperations = std::vector<SeitzOperation>;

// Parses a Hall symbol and completes its generators to the whole group. Fails
// (nullopt, with `error` set) on a malformed symbol or generators that do not
// make a finite crystallographic group.
std::optional<SpaceGroupOperations> OperationsFromHall(std::string_view hall,
                                                       std::string* error = nullptr);

// (h k l) is absent when some operation (R, t) with h R = h gives h . t not integral.
bool IsSystematicallyAbsent(const SpaceGroupOperations& operations, const IntVec3& hkl);

}  // namespace habitopia
