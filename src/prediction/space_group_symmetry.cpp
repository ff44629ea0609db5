#include "prediction/space_group_symmetry.h"

#include <cctype>

#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

enum class Family { Anorthic, Monoclinic, Orthorhombic, Axial, Cubic, None };

Family FamilyOf(int group) {
  switch (GetPointGroup(group).lattice) {
    case LatticeClass::Triclinic: return Family::Anorthic;
    case LatticeClass::Monoclinic: return Family::Monoclinic;
    case LatticeClass::Orthorhombic: return Family::Orthorhombic;
    case LatticeClass::Trigonal:
    case LatticeClass::Tetragonal:
    case LatticeClass::Hexagonal: return Family::Axial;
    case LatticeClass::Cubic: return Family::Cubic;
    case LatticeClass::Icosahedral: return Family::None;
  }
  return Family::None;
}

std::string Cleaned(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ':') break;  // setting suffix such as ":H" or ":2"
    if (c == '\'' || c == '"' || c == '_') continue;
    out += c == '\t' ? ' ' : c;
  }
  return out;
}

bool IsPlaneLetter(char c) { return std::string_view("mabcnde").find(c) != std::string_view::npos; }

// One direction of a symbol written without blanks: [-]digit[digit][/letter] or a letter.
std::size_t ElementLength(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && IsPlaneLetter(s[i])) return 1;
  if (i < s.size() && s[i] == '-') ++i;
  if (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    const char order = s[i++];
    if (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && s[i] < order &&
        std::string_view("2346").find(order) != std::string_view::npos)
      ++i;
  }
  if (i + 1 < s.size() && s[i] == '/' && IsPlaneLetter(s[i + 1])) i += 2;
  return i == 0 ? 1 : i;
}

std::vector<std::string> Directions(std::string_view rest) {
  std::vector<std::string> words;
  std::string word;
  for (char c : rest) {
    if (c == ' ') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  if (words.size() != 1) return words;
  // No blanks: split at each element.
  std::vector<std::string> elements;
  std::string_view s = words[0];
  while (!s.empty()) {
    const std::size_t n = ElementLength(s);
    elements.emplace_back(s.substr(0, n));
    s.remove_prefix(n);
  }
  return elements;
}

struct Element {
  int order = 0;      // rotation order, 0 for none
  int subscript = 0;  // screw subscript, 0 for a pure rotation
  char plane = 0;     // mirror or glide letter, 0 for none
};

Element Parse(const std::string& word) {
  Element e;
  std::string rotation = word;
  const auto slash = word.find('/');
  if (slash != std::string::npos) {
    rotation = word.substr(0, slash);
    if (slash + 1 < word.size()) e.plane = word[slash + 1];
  } else if (word.size() == 1 && IsPlaneLetter(word[0])) {
    e.plane = word[0];
    rotation.clear();
  }
  std::size_t i = 0;
  if (i < rotation.size() && rotation[i] == '-') ++i;
  if (i < rotation.size() && std::isdigit(static_cast<unsigned char>(rotation[i])))
    e.order = rotation[i++] - '0';
  if (i < rotation.size() && std::isdigit(static_cast<unsigned char>(rotation[i])))
    e.subscript = rotation[i] - '0';
  return e;
}

// The c-axis choice with the same condition on 0 0 l: l a multiple of
// order / gcd(order, subscript).
int ScrewChoice(const Element& e) {
  int a = e.order, b = e.subscript;
  while (b != 0) {
    const int t = a % b;
    a = b;
    b = t;
  }
  return e.order / a;
}

Glide GlideOf(char c) {
  switch (c) {
    case 'a': return Glide::A;
    case 'b': return Glide::B;
    case 'c': return Glide::C;
    case 'n': return Glide::N;
    case 'd': return Glide::D;
    default: return Glide::None;
  }
}

class Deriver {
 public:
  explicit Deriver(int group) : group_(group), choices_(GetTranslationChoices(group)) {}

  void Centring(char letter) {
    static constexpr std::string_view kLetters = "PABCFIR";
    const auto pos = kLetters.find(letter);
    const std::string text = std::string("centring ") + letter;
    if (pos == std::string_view::npos) {
      result.ignored.push_back("lattice letter " + std::string(1, letter));
      return;
    }
    const auto c = static_cast<habitopia::Centring>(pos);
    if (c == Centring::P) return;
    Take(choices_.Offers(c), text, [&] { result.symmetry.centring = c; });
  }

  // panel 1..3; the plane letter of a direction.
  void Plane(int panel, char letter, std::string_view where) {
    if (letter == 0 || letter == 'm') return;
    const Glide g = GlideOf(letter);
    const GlidePanel& p = panel == 1   ? choices_.glide1
                          : panel == 2 ? choices_.glide2
                                       : choices_.glide3;
    const std::string_view label = panel == 1   ? choices_.label1
                                   : panel == 2 ? choices_.label2
                                                : choices_.label3;
    const std::string text =
        std::string(1, letter) + " glide " + std::string(label.empty() ? where : label);
    Take(g != Glide::None && panel > 0 && p.Offers(g), text, [&] {
      Glide& slot = panel == 1   ? result.symmetry.glide1
                    : panel == 2 ? result.symmetry.glide2
                                 : result.symmetry.glide3;
      slot = g;
    });
  }
  void NoPanel(char letter, std::string_view where) {
    if (letter == 0 || letter == 'm') return;
    result.ignored.push_back(std::string(1, letter) + " glide " + std::string(where));
  }

  // axis 'a', 'b' or 'c'; 0 when the box has no choice for the direction.
  void Screw(char axis, const Element& e, std::string_view where) {
    if (e.subscript == 0) return;
    const std::string name =
        std::to_string(e.order) + "_" + std::to_string(e.subscript) + " screw ";
    if (axis == 'a' || axis == 'b') {
      const bool offered = e.order == 2 && (axis == 'a' ? choices_.screwA : choices_.screwB);
      Take(offered, name + "along " + axis,
           [&] { (axis == 'a' ? result.symmetry.screwA : result.symmetry.screwB) = true; });
    } else if (axis == 'c') {
      const int n = ScrewChoice(e);
      std::string text = name + "along c";
      if (n != e.order || e.subscript != 1) text += " (as " + std::to_string(n) + "_1)";
      Take(n > 1 && choices_.OffersScrewC(n), text, [&] { result.symmetry.screwC = n; });
    } else {
      result.ignored.push_back(name + std::string(where));
    }
  }

  DerivedTranslationSymmetry result;

 private:
  template <typename Apply>
  void Take(bool offered, const std::string& text, Apply apply) {
    if (offered) {
      apply();
      result.derived.push_back(text);
    } else {
      result.ignored.push_back(text + " (not offered for point group " +
                               std::string(GetPointGroup(group_).symbol) + ")");
    }
  }

  int group_;
  const TranslationChoices& choices_;
};

}  // namespace

DerivedTranslationSymmetry DeriveTranslationSymmetry(std::string_view text, int pointGroup) {
  const std::string symbol = Cleaned(text);
  std::size_t start = 0;
  while (start < symbol.size() && symbol[start] == ' ') ++start;
  if (start >= symbol.size() || pointGroup < 1 || pointGroup > 32) return {};

  Deriver d(pointGroup);
  d.Centring(static_cast<char>(std::toupper(static_cast<unsigned char>(symbol[start]))));
  const std::vector<std::string> words = Directions(std::string_view(symbol).substr(start + 1));
  std::vector<Element> e;
  for (const std::string& w : words) e.push_back(Parse(w));

  switch (FamilyOf(pointGroup)) {
    case Family::Monoclinic: {
      // Unique axis b: the only direction, or the middle one of three.
      const int b = e.size() == 1 ? 0 : e.size() == 3 ? 1 : -1;
      for (int i = 0; i < static_cast<int>(e.size()); ++i) {
        if (i == b) {
          d.Screw('b', e[i], "[010]");
          d.Plane(2, e[i].plane, "[010]");
        } else {
          d.Screw(0, e[i], "direction " + std::to_string(i + 1));
          d.NoPanel(e[i].plane, "direction " + std::to_string(i + 1));
        }
      }
      break;
    }
    case Family::Orthorhombic:
      if (e.size() == 3) {
        d.Screw('a', e[0], "[100]");
        d.Plane(1, e[0].plane, "[100]");
        d.Screw('b', e[1], "[010]");
        d.Plane(2, e[1].plane, "[010]");
        d.Screw('c', e[2], "[001]");
        d.Plane(3, e[2].plane, "[001]");
      } else {
        for (const Element& x : e) {
          d.Screw(0, x, "(directions not a, b, c)");
          d.NoPanel(x.plane, "(directions not a, b, c)");
        }
      }
      break;
    case Family::Axial:
      // c, then [100], then [110].
      for (int i = 0; i < static_cast<int>(e.size()); ++i) {
        if (i == 0) {
          d.Screw('c', e[i], "[001]");
          d.Plane(3, e[i].plane, "[001]");
        } else if (i == 1) {
          d.Screw('a', e[i], "[100]");
          d.Plane(1, e[i].plane, "[100]");
        } else if (i == 2) {
          d.Screw(0, e[i], "[110]");
          d.Plane(2, e[i].plane, "[110]");
        }
      }
      break;
    case Family::Cubic:
      // [001], the three-fold [111], then [110].
      for (int i = 0; i < static_cast<int>(e.size()); ++i) {
        if (i == 0) {
          d.Screw('c', e[i], "[001]");
          d.Plane(3, e[i].plane, "[001]");
        } else if (i == 2) {
          d.Screw(0, e[i], "[110]");
          d.Plane(2, e[i].plane, "[110]");
        }
      }
      break;
    case Family::Anorthic:
    case Family::None: break;
  }
  return d.result;
}

}  // namespace habitopia
