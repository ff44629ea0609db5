#include "scene/document_switches.h"

#include "files/model_codes.h"
#include "tools/twin.h"

namespace habitopia {

SceneSwitches SceneSwitchesFromDocument(const ModelDocument& document) {
  const DisplaySwitches s = DecodeSwitches(document.switches);
  SceneSwitches out;
  out.fill = s.fill;
  out.grid = s.grid;
  out.solid = s.solid;
  out.lights = s.spotlights;
  out.animation = s.animation;
  out.tumble = PanelCodeTumble(document.switches[kSwitchPanel]);
  out.indiceson = s.indexLabels;
  out.Caxes = s.crystalAxes;
  out.singlefacegloss = s.glossAllFaces;
  out.showmodel = document.showModel;
  out.projectsectors = document.projectSectors;
  const TwinType type = document.twinType >= 0 && document.twinType <= 4
                            ? static_cast<TwinType>(document.twinType)
                            : TwinType::None;
  out.twin = TwinChoiceOf(type);
  out.twinFace = document.twinTexts[0];
  return out;
}

TwinSettings TwinSettingsFromDocument(const ModelDocument& document, const CellMatrices& cell) {
  const TwinType type = document.twinType >= 0 && document.twinType <= 4
                            ? static_cast<TwinType>(document.twinType)
                            : TwinType::None;
  TwinToolTexts texts;
  texts.face = document.twinTexts[0];
  texts.axis = document.twinTexts[1];
  texts.through = document.twinTexts[2];
  texts.angle = document.twinTexts[3];
  texts.centre = document.twinTexts[4];
  return TwinSettingsFromTexts(type, texts, cell);
}

}  // namespace habitopia
