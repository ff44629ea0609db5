#include "drawing/svg_text.h"

#include <cmath>
#include <cstdio>

#include "core/numbers.h"
#include "scene/export_mesh.h"

namespace habitopia {

std::string SvgNumber(Real v) {
  std::string text = FormatFixed(v, 0, 2);
  if (text == "-0.00") text = "0.00";
  return text;
}

std::string SvgColour(const std::array<int, 3>& rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb[0] & 255, rgb[1] & 255, rgb[2] & 255);
  return text;
}

std::string SvgEscape(const std::string& text) { return XmlEscaped(text); }

std::vector<LabelIndex> IndexLabel(const Vec3& hkl, bool fourIndex) {
  std::vector<Real> values{Round3(hkl[0]), Round3(hkl[1])};
  if (fourIndex) values.push_back(Round3(-(values[0] + values[1])));
  values.push_back(Round3(hkl[2]));
  bool whole = true, negative = false;
  for (Real v : values) {
    whole = whole && v == std::floor(v);
    negative = negative || v < 0;
  }
  const bool bars = whole && negative;
  std::vector<LabelIndex> label;
  for (Real v : values) {
    if (v == 0) v = 0;  // no "-0"
    label.push_back({FormatGeneral(bars ? std::fabs(v) : v), bars && v < 0});
  }
  return label;
}

std::string IndexLabelText(const Vec3& hkl, bool fourIndex) {
  std::string text = "(";
  const auto label = IndexLabel(hkl, fourIndex);
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (i) text += " ";
    text += (label[i].bar ? "-" : "") + label[i].digits;
  }
  return text + ")";
}

std::string IndexLabelSvg(const Vec3& hkl, bool fourIndex) {
  std::string text = "(";
  const auto label = IndexLabel(hkl, fourIndex);
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (i) text += " ";
    if (label[i].bar)
      text += "<tspan text-decoration=\"overline\">" + SvgEscape(label[i].digits) + "</tspan>";
    else
      text += SvgEscape(label[i].digits);
  }
  return text + ")";
}

}  // namespace habitopia
