#include "files/model_codes.h"

#include <cstdlib>

namespace habitopia {

std::string_view ReleaseMarker(ModelRelease release) {
  switch (release) {
    case ModelRelease::Release11: return kReleaseMarker11;
    case ModelRelease::Release12: return kReleaseMarker12;
    case ModelRelease::Release15: break;
  }
  return kReleaseMarker15;
}

std::optional<ModelRelease> ReleaseFromMarker(std::string_view line) {
  if (line == kReleaseMarker11) return ModelRelease::Release11;
  if (line == kReleaseMarker12) return ModelRelease::Release12;
  if (line == kReleaseMarker15) return ModelRelease::Release15;
  return std::nullopt;
}

int RendererCode(std::string_view rendererName) {
  if (rendererName == kRendererOpenGL) return 2;
  if (rendererName == kRendererR98) return 3;
  return 1;
}

SwitchValues EncodeSwitches(const DisplaySwitches& s, long long panelCode) {
  const auto bit = [](bool on) -> long long { return on ? 1 : 0; };
  return {bit(s.headlight),
          bit(s.spotlights),
          bit(s.selectedFaceLabels),
          bit(s.indexLabels),
          bit(s.animation),
          bit(s.showFaceColour),
          bit(s.showIndices),
          bit(s.drawGrowthSector),
          bit(s.grid),
          bit(s.fill),
          bit(s.glossAllFaces),
          bit(s.crystalAxes),
          bit(s.brilliant),
          bit(s.solid),
          s.rendererCode,
          panelCode};
}

DisplaySwitches DecodeSwitches(const SwitchValues& v) {
  DisplaySwitches s;
  s.headlight = v[kSwitchHeadlight] == 1;
  s.spotlights = v[kSwitchSpotlights] == 1;
  s.selectedFaceLabels = v[kSwitchSelectedFaceLabels] == 1;
  s.indexLabels = v[kSwitchIndexLabels] == 1;
  s.animation = v[kSwitchAnimation] == 1;
  s.showFaceColour = v[kSwitchShowFaceColour] == 1;
  s.showIndices = v[kSwitchShowIndices] == 1;
  s.drawGrowthSector = v[kSwitchDrawGrowthSector] == 1;
  s.grid = v[kSwitchGrid] == 1;
  s.fill = v[kSwitchFill] == 1;
  s.glossAllFaces = v[kSwitchGlossAllFaces] == 1;
  s.crystalAxes = v[kSwitchCrystalAxes] == 1;
  s.brilliant = v[kSwitchBrilliant] == 1;
  s.solid = v[kSwitchSolid] == 1;
  s.rendererCode = static_cast<int>(v[kSwitchRenderer]);
  return s;
}

long long EncodePanelCode(const PanelState& panels, bool forSnapshot) {
  long long code = panels.tumble ? 1 : -1;
  if (panels.uniqueFaceGridShown) code *= 2;
  if (panels.pointGroupBoxShown) code *= 3;
  if (panels.metricBoxShown) code *= 4;
  if (forSnapshot && panels.specialFaceBoxShown) code *= 5;
  return code;
}

bool PanelCodeTumble(long long code) { return code > 0; }

PanelCommand PanelCodeCommand(long long code) {
  switch (std::llabs(code)) {
    case 0:
    case 1: return PanelCommand::EditFace;
    case 2: return PanelCommand::EditUniqueFaces;
    case 3: return PanelCommand::SelectPointGroup;
    case 4: return PanelCommand::EditMetric;
    case 5: return PanelCommand::SingleFaceProperties;
    default: return PanelCommand::None;
  }
}

// Cleavage codes -1..-4 combine "show model" and "project growth sectors";
// -5..-8 are the same with the growth sector drawn.
long long EncodeSectorMark(const SectorMark& mark) {
  if (!mark.cleavageFace) return mark.growthSector ? 1 : 0;
  long long base;
  if (mark.showModel)
    base = mark.projectSectors ? 3 : 2;
  else
    base = mark.projectSectors ? 4 : 1;
  return -(base + (mark.growthSector ? 4 : 0));
}

SectorMark DecodeSectorMark(long long code) {
  SectorMark mark;
  if (code == 1) {
    mark.growthSector = true;
  } else if (code >= -8 && code <= -1) {
    const long long base = (-code - 1) % 4 + 1;  // 1..4
    mark.cleavageFace = true;
    mark.growthSector = code <= -5;
    mark.showModel = base == 2 || base == 3;
    mark.projectSectors = base == 3 || base == 4;
  }
  return mark;
}

}  // namespace habitopia
