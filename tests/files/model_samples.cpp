#include "files/model_samples.h"

namespace habitopia::test {

std::string CrLfLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

CrystalModel DefaultModel() {
  CrystalModel model;
  model.pointGroup = 2;
  SetCell(model, UnitCell{1, 1, 1, 90, 90, 90});
  const Real table[4][3] = {{1, 2, 3}, {-1, -1, 1}, {0, -1, -1}, {0, 1, 0}};
  for (int f = 0; f < 4; ++f) {
    model.faces[f].h = table[f][0];
    model.faces[f].k = table[f][1];
    model.faces[f].l = table[f][2];
    model.faces[f].distance = 1;
  }
  model.lastFace = 3;
  model.lastUniqueFace = 3;
  return model;
}

FormValues PlainForm() {
  FormValues form;
  //                            head  spot  sel    idx    anim   colour indices sector grid fill
  form.switches = DisplaySwitches{false, true, false, false, false, false, false, false, true, true,
                                  // gloss axes brilliant solid renderer
                                  false, false, false, true, 1};
  form.panels = PanelState{false, false, false, false, false};
  form.perspectivePosition = 9;
  form.speedPosition = 60;
  form.twinTexts = {"", "0 0 1", "0 0 0", "0", "0 0 0"};
  return form;
}

}  // namespace habitopia::test
