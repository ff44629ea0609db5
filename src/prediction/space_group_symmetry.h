#pragma once
// The translation symmetry a Hermann-Mauguin space-group symbol states, as far
// as the choices of the "Shape Prediction" box can express it for a point group.

#include <string>
#include <string_view>
#include <vector>

#include "prediction/reflection_conditions.h"

namespace habitopia {

struct DerivedTranslationSymmetry {
  TranslationSymmetry symmetry;      // only choices the group offers
  std::vector<std::string> derived;  // what was taken, e.g. "centring I", "d glide [001]"
  std::vector<std::string> ignored;  // parts of the symbol the box cannot express
};

// Reads the lattice letter and the symmetry directions of `symbol` ("P 63/m m c",
// "I 41/a m d", "P 1 21/c 1", "F d -3 m", "R -3 c :H"). Directions are separated
// by blanks; a symbol without blanks is split at each symmetry element. The
// directions are read as the box's panels see them for the crystal family of
// `pointGroup` (1..32): orthorhombic a, b, c; monoclinic the b axis (the middle
// of three directions, or the only one); tetragonal, trigonal and hexagonal c,
// [100] and [110]; cubic [001] and [110]. Screw axes become the c-axis choice
// with the same condition on 0 0 l (4_2 and 6_3 as 2_1, 6_2 and 6_4 as 3_1).
DerivedTranslationSymmetry DeriveTranslationSymmetry(std::string_view symbol, int pointGroup);

}  // namespace habitopia
