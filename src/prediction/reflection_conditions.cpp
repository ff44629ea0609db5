#include "prediction/reflection_conditions.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

long long Rounded(Real v) { return RoundToInteger(std::fabs(v)); }
bool Odd(Real v) { return Rounded(v) % 2 == 1; }
bool Even(Real v) { return Rounded(v) % 2 == 0; }
bool MultipleOf(Real v, int n) { return Rounded(v) % n == 0; }

// A d glide passes only reflections whose index sum is a multiple of 4 with both
// indices even.
bool DiamondAbsent(Real a, Real b) { return !(MultipleOf(a + b, 4) && Even(a) && Even(b)); }

bool CentringAbsent(Centring c, Real h, Real k, Real l) {
  switch (c) {
    case Centring::P: return false;
    case Centring::A: return Odd(k + l);
    case Centring::B: return Odd(h + l);
    case Centring::C: return Odd(h + k);
    case Centring::F: return Odd(k + l) || Odd(h + l) || Odd(h + k);
    case Centring::I: return Odd(h + k + l);
    case Centring::R: return !MultipleOf(-h + k + l, 3);
  }
  return false;
}

bool Glide1Absent(Glide g, Real h, Real k, Real l) {
  if (h != 0) return false;
  switch (g) {
    case Glide::B: return Odd(k);
    case Glide::C: return Odd(l);
    case Glide::N: return Odd(k + l);
    case Glide::D: return DiamondAbsent(k, l);
    default: return false;
  }
}

bool Glide2Absent(Glide g, int group, Real h, Real k, Real l) {
  const bool orthogonalAxes = group <= 8;  // [010]; the other groups use [110]
  switch (g) {
    case Glide::A: return k == 0 && Odd(h);
    case Glide::C:
      if (orthogonalAxes) return k == 0 && Odd(l);
      return h == k && Odd(l);
    case Glide::N:
      if (orthogonalAxes) return k == 0 && Odd(h + l);
      return h == k && Odd(l);
    case Glide::D:
      if (orthogonalAxes) return k == 0 && DiamondAbsent(h, l);
      return h == k && !MultipleOf(h + k + l, 4);  // h h l: 2h + l = 4n
    default: return false;
  }
}

bool Glide3Absent(Glide g, Real h, Real k, Real l) {
  if (l != 0) return false;
  switch (g) {
    case Glide::A: return Odd(h);
    case Glide::B: return Odd(k);
    case Glide::N: return Odd(h + k);
    case Glide::D: return DiamondAbsent(h, k);
    default: return false;
  }
}

int ScrewCSlot(int n) {
  switch (n) {
    case 2: return 0;
    case 3: return 1;
    case 4: return 2;
    case 6: return 3;
    default: return -1;
  }
}

// A glide panel from its letters: "-" hidden, otherwise the enabled glides.
GlidePanel Panel(std::string_view letters) {
  GlidePanel panel;
  if (letters == "-") {
    panel.shown = false;
    return panel;
  }
  for (char c : letters) {
    const Glide g = c == 'a'   ? Glide::A
                    : c == 'b' ? Glide::B
                    : c == 'c' ? Glide::C
                    : c == 'n' ? Glide::N
                               : Glide::D;
    panel.enabled[static_cast<int>(g)] = true;
  }
  return panel;
}

TranslationChoices Choices(std::string_view centrings, std::string_view g1, std::string_view g2,
                           std::string_view g3, std::string_view screws) {
  TranslationChoices c;
  c.bravaisShown = !centrings.empty();
  for (char letter : centrings) {
    static constexpr std::string_view kLetters = "PABCFIR";
    c.centrings[kLetters.find(letter)] = true;
  }
  c.glide1 = Panel(g1);
  c.glide2 = Panel(g2);
  c.glide3 = Panel(g3);
  // Screws: 'a', 'b', and the digits of the c-axis screws.
  for (char s : screws) {
    if (s == 'a')
      c.screwA = true;
    else if (s == 'b')
      c.screwB = true;
    else
      c.screwC[ScrewCSlot(s - '0')] = true;
  }
  return c;
}

std::vector<TranslationChoices> BuildChoices() {
  struct Row {
    std::string_view centrings, g1, g2, g3, screws;
  };
  const Row rows[33] = {
      {"", "-", "-", "-", ""},                        // 1 "1"
      {"", "-", "-", "-", ""},                        // 2 "-1"
      {"PC", "-", "", "-", "b"},                      // 3 "2"
      {"PC", "-", "acn", "-", ""},                    // 4 "m"
      {"PC", "-", "acn", "-", "b"},                   // 5 "2/m"
      {"PCFI", "", "", "", "ab2"},                    // 6 "22"
      {"PACFI", "bcnd", "acnd", "", "ab2"},           // 7 "mm2"
      {"PAFI", "bcnd", "acnd", "and", "ab2"},         // 8 "2/mm"
      {"PR", "-", "-", "", "3"},                      // 9 "3"
      {"PR", "-", "-", "", "3"},                      // 10 "32"
      {"PR", "-", "-", "-", ""},                      // 11 "-3"
      {"PR", "c", "c", "-", ""},                      // 12 "3m"
      {"PR", "c", "c", "-", ""},                      // 13 "-3m"
      {"PI", "-", "-", "", "24"},                     // 14 "4"
      {"PI", "", "-", "", "a24"},                     // 15 "42"
      {"PI", "-", "-", "-", ""},                      // 16 "-4"
      {"PI", "bcn", "cd", "", "a24"},                 // 17 "4m"
      {"PI", "bcn", "cd", "", "a4"},                  // 18 "-42"
      {"PI", "-", "-", "an", "24"},                   // 19 "4/m"
      {"PI", "bcn", "cd", "an", "a24"},               // 20 "4/mm"
      {"P", "-", "-", "", "236"},                     // 21 "6"
      {"P", "-", "-", "", "236"},                     // 22 "62"
      {"P", "-", "-", "-", ""},                       // 23 "-6"
      {"P", "c", "c", "", "236"},                     // 24 "6m"
      {"P", "c", "c", "", "36"},                      // 25 "-62"
      {"P", "-", "-", "", "236"},                     // 26 "6/m"
      {"P", "c", "c", "", "236"},                     // 27 "6/mm"
      {"PFI", "", "-", "", "2"},                      // 28 "23"
      {"PFI", "", "-", "and", "2"},                   // 29 "m3"
      {"PFI", "", "-", "", "2"},                      // 30 "43"
      {"PFI", "", "cnd", "", ""},                     // 31 "-43"
      {"PFI", "", "cnd", "and", "2"},                 // 32 "4/m3"
      {"PABCFIR", "bcnd", "acnd", "abnd", "ab2346"},  // 33 "-5-32"
  };
  std::vector<TranslationChoices> table;
  for (int g = 1; g <= 33; ++g) {
    const Row& r = rows[g - 1];
    TranslationChoices c = Choices(r.centrings, r.g1, r.g2, r.g3, r.screws);
    if (g <= 8) {
      c.label1 = "[100]", c.label2 = "[010]", c.label3 = "[001]";
    } else if (g >= 28 && g <= 32) {
      c.label1 = "[111]", c.label2 = "[110]", c.label3 = "[001]";
    } else {
      c.label1 = "[100]", c.label2 = "[110]", c.label3 = "[001]";
    }
    table.push_back(c);
  }
  return table;
}

}  // namespace

bool extinct(const TranslationSymmetry& s, int group, Real h, Real k, Real l) {
  if (CentringAbsent(s.centring, h, k, l)) return true;
  if (Glide1Absent(s.glide1, h, k, l)) return true;
  if (Glide2Absent(s.glide2, group, h, k, l)) return true;
  if (Glide3Absent(s.glide3, h, k, l)) return true;
  if (s.screwA && k == 0 && l == 0 && Odd(h)) return true;
  if (s.screwB && h == 0 && l == 0 && Odd(k)) return true;
  if (ScrewCSlot(s.screwC) >= 0 && h == 0 && k == 0 && !MultipleOf(l, s.screwC)) return true;
  return false;
}

bool TranslationChoices::OffersScrewC(int n) const {
  const int slot = ScrewCSlot(n);
  return slot >= 0 && screwC[slot];
}

const TranslationChoices& GetTranslationChoices(int pointGroup) {
  static const std::vector<TranslationChoices> table = BuildChoices();
  if (pointGroup < 1 || pointGroup > kPointGroupCount)
    throw std::out_of_range("point group number " + std::to_string(pointGroup));
  return table[pointGroup - 1];
}

TranslationSymmetry RestrictToGroup(const TranslationSymmetry& s, int pointGroup) {
  const TranslationChoices& c = GetTranslationChoices(pointGroup);
  TranslationSymmetry r;
  if (c.Offers(s.centring)) r.centring = s.centring;
  if (c.glide1.Offers(s.glide1)) r.glide1 = s.glide1;
  if (c.glide2.Offers(s.glide2)) r.glide2 = s.glide2;
  if (c.glide3.Offers(s.glide3)) r.glide3 = s.glide3;
  r.screwA = s.screwA && c.screwA;
  r.screwB = s.screwB && c.screwB;
  if (c.OffersScrewC(s.screwC)) r.screwC = s.screwC;
  return r;
}

}  // namespace habitopia
