#pragma once
// Small pieces of SVG text shared by the drawings: numbers, colours, escaped
// text, and Miller-index labels in bar notation.

#include <array>
#include <string>
#include <vector>

#include "core/matrix.h"

namespace habitopia {

// A coordinate for SVG attributes: fixed with two decimals, no padding, "-0.00" as "0.00".
std::string SvgNumber(Real v);
std::string SvgColour(const std::array<int, 3>& rgb);
// Text content and attribute values with &, <, > and " escaped.
std::string SvgEscape(const std::string& text);

// One index of a label: its digits (absolute value) and whether it carries a bar.
struct LabelIndex {
  std::string digits;
  bool bar = false;
};

// The label "(h k l)" (or "(h k i l)" with four indices, i = -(h + k)) as the scene
// writes it: indices rounded to 3 decimals; bars over the negative ones when all
// are whole numbers, minus signs otherwise.
std::vector<LabelIndex> IndexLabel(const Vec3& hkl, bool fourIndex);
// The label as plain text with minus signs: "(1 -1 0)".
std::string IndexLabelText(const Vec3& hkl, bool fourIndex);
// The label as SVG text content: "(", the indices joined by blanks with barred
// ones in an overlined tspan, ")".
std::string IndexLabelSvg(const Vec3& hkl, bool fourIndex);

}  // namespace habitopia
