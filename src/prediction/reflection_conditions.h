#pragma once
// Translation symmetry of the space group (lattice centring, glide planes and
// screw axes) as chosen in the "Shape Prediction" box, the systematic absences
// it causes, and which choices each point group offers.

#include <array>
#include <string_view>

#include "core/matrix.h"

namespace habitopia {

enum class Centring { P, A, B, C, F, I, R };
enum class Glide { None, A, B, C, N, D };

struct TranslationSymmetry {
  Centring centring = Centring::P;
  Glide glide1 = Glide::None;  // panel atrans: none, b, c, n, d
  Glide glide2 = Glide::None;  // panel btrans: none, a, c, n, d
  Glide glide3 = Glide::None;  // panel ctrans: none, a, b, n, d
  bool screwA = false;         // 2_1 along a
  bool screwB = false;         // 2_1 along b
  int screwC = 0;              // 0 (none), 2, 3, 4 or 6: 2_1, 3_1, 4_1, 6_1 along c
  bool operator==(const TranslationSymmetry&) const = default;
};

// True when the reflection (h k l) is systematically absent under `symmetry` in
// point group `pointGroup` (1..33). Parity and multiple tests use the integer
// nearest to the absolute value of the sum or index; zero tests and h = k are
// exact comparisons.
bool extinct(const TranslationSymmetry& symmetry, int pointGroup, Real h, Real k, Real l);
inline bool extinct(const TranslationSymmetry& symmetry, int pointGroup, const Vec3& hkl) {
  return extinct(symmetry, pointGroup, hkl[0], hkl[1], hkl[2]);
}

// One glide panel: shown or hidden, and the glide choices that stay enabled.
struct GlidePanel {
  bool shown = true;
  std::array<bool, 6> enabled{};  // indexed by Glide; None is the empty choice
  bool Offers(Glide g) const { return shown && enabled[static_cast<int>(g)]; }
};

// The box as prepared for a point group: what is offered and the panel labels.
struct TranslationChoices {
  bool bravaisShown = true;
  std::array<bool, 7> centrings{};  // indexed by Centring
  GlidePanel glide1, glide2, glide3;
  bool screwA = false, screwB = false;
  std::array<bool, 4> screwC{};             // 2, 3, 4, 6
  std::string_view label1, label2, label3;  // "[100]", "[110]", ...

  bool Offers(Centring c) const { return bravaisShown && centrings[static_cast<int>(c)]; }
  bool OffersScrewC(int n) const;
};

const TranslationChoices& GetTranslationChoices(int pointGroup);

// Keeps only the choices the group offers (P when the centring is not offered).
TranslationSymmetry RestrictToGroup(const TranslationSymmetry& symmetry, int pointGroup);

// Captions of the box.
inline constexpr std::string_view kTranslationCaption = "Please select translation symmetries";
inline constexpr std::string_view kBravaisCaption = "Bravais type";
inline constexpr std::string_view kBravaisHint = "Bravais type selection";
inline constexpr std::string_view kScrewHint = "click to select / double click to un-select";

}  // namespace habitopia
