#include "app/prediction_panel.h"

#include <algorithm>

#include "symmetry/point_groups.h"

namespace habitopia {

void PrepareMorphologyPanel(PredictionBoxState& box, int pointGroup) {
  box.preparedForGroup = pointGroup;
  box.symmetry = TranslationSymmetry{};
  box.spaceGroupActive = false;
  box.spaceGroupNote.clear();
  box.fileSpaceGroup.reset();
  const MorphologyPanelLayout layout = GetMorphologyPanelLayout(pointGroup);
  box.polarityShown = layout.polarityShown;
  box.polarityLabel = std::string(layout.polarityLabel);
  box.hklMaxLabel = std::string(layout.hklMaxLabel);
  box.hklMaxMaximum = layout.hklMaxMaximum;
  box.hklMax = std::clamp(box.hklMax, 1, box.hklMaxMaximum);
}

bool ChooseTranslation(PredictionBoxState& box, TranslationSlot slot, int value) {
  const TranslationChoices& offered = GetTranslationChoices(box.preparedForGroup);
  TranslationSymmetry& s = box.symmetry;
  const auto glide = static_cast<Glide>(value);
  switch (slot) {
    case TranslationSlot::Centring: {
      const auto centring = static_cast<Centring>(value);
      if (value < 0 || value > static_cast<int>(Centring::R) || !offered.Offers(centring))
        return false;
      s.centring = centring;
      break;
    }
    case TranslationSlot::Glide1:
      if (value <= 0 || value > static_cast<int>(Glide::D) || !offered.glide1.Offers(glide))
        return false;
      s.glide1 = glide;
      break;
    case TranslationSlot::Glide2:
      if (value <= 0 || value > static_cast<int>(Glide::D) || !offered.glide2.Offers(glide))
        return false;
      s.glide2 = glide;
      break;
    case TranslationSlot::Glide3:
      if (value <= 0 || value > static_cast<int>(Glide::D) || !offered.glide3.Offers(glide))
        return false;
      s.glide3 = glide;
      break;
    case TranslationSlot::ScrewA:
      if (!offered.screwA) return false;
      s.screwA = true;
      break;
    case TranslationSlot::ScrewB:
      if (!offered.screwB) return false;
      s.screwB = true;
      break;
    case TranslationSlot::ScrewC:
      if (!offered.OffersScrewC(value)) return false;
      s.screwC = value;
      break;
  }
  box.spaceGroupActive = false;
  return true;
}

void ClearTranslationSlot(PredictionBoxState& box, TranslationSlot slot) {
  TranslationSymmetry& s = box.symmetry;
  switch (slot) {
    case TranslationSlot::Centring: s.centring = Centring::P; break;
    case TranslationSlot::Glide1: s.glide1 = Glide::None; break;
    case TranslationSlot::Glide2: s.glide2 = Glide::None; break;
    case TranslationSlot::Glide3: s.glide3 = Glide::None; break;
    case TranslationSlot::ScrewA: s.screwA = false; break;
    case TranslationSlot::ScrewB: s.screwB = false; break;
    case TranslationSlot::ScrewC: s.screwC = 0; break;
  }
  box.spaceGroupActive = false;
}

namespace {

std::string GroupName(const SpaceGroupSymmetry& group) {
  std::string name = group.symbol;
  if (group.number > 0) name += " (No. " + std::to_string(group.number) + ")";
  return name;
}

}  // namespace

bool EnterSpaceGroup(PredictionBoxState& box, const std::string& text, int pointGroup) {
  box.spaceGroupText = text;
  box.spaceGroupActive = false;
  box.fileSpaceGroup.reset();
  std::string error;
  const auto group = FindSpaceGroup(text, &error);
  if (!group) {
    box.spaceGroupNote = error.empty() ? "\"" + text + "\" is no space group" : error;
    return false;
  }
  if (group->pointGroup != pointGroup) {
    box.spaceGroupNote = GroupName(*group) + " belongs to point group " +
                         std::string(GetPointGroup(group->pointGroup).symbol) + ", the model to " +
                         std::string(GetPointGroup(pointGroup).symbol);
    return false;
  }
  if (group->AxesChanged()) {
    box.spaceGroupNote = GroupName(*group) + " needs the axes " + group->AxesText() +
                         "; give the group in a setting on the model's axes";
    return false;
  }
  const ImpliedBoxOptions options = BoxOptionsOf(*group);
  box.symmetry = RestrictToGroup(options.symmetry, pointGroup);
  box.spaceGroupActive = true;
  box.spaceGroupNote = GroupName(*group) + ": absences from its " +
                       std::to_string(group->OperationCount()) + " operations";
  return true;
}

void EnterFileSpaceGroup(PredictionBoxState& box, const SpaceGroupSymmetry& group) {
  box.spaceGroupText = group.symbol;
  box.fileSpaceGroup = std::make_shared<const SpaceGroupSymmetry>(group);
  box.spaceGroupActive = true;
  if (!group.AxesChanged())
    box.symmetry = RestrictToGroup(BoxOptionsOf(group).symmetry, group.pointGroup);
  box.spaceGroupNote = "Setting read: " + group.SettingText() + "; absences from its " +
                       std::to_string(group.OperationCount()) + " operations";
  if (group.AxesChanged()) box.spaceGroupNote += "; axes of the point group: " + group.AxesText();
}

std::shared_ptr<const SpaceGroupSymmetry> ActiveSpaceGroup(const PredictionBoxState& box) {
  if (!box.spaceGroupActive) return nullptr;
  if (box.fileSpaceGroup)
    return box.fileSpaceGroup->pointGroup == box.preparedForGroup ? box.fileSpaceGroup : nullptr;
  auto group = FindSpaceGroup(box.spaceGroupText);
  if (!group || group->pointGroup != box.preparedForGroup || group->AxesChanged()) return nullptr;
  return std::make_shared<const SpaceGroupSymmetry>(std::move(*group));
}

PredictionSettings PredictionSettingsOf(const PredictionBoxState& box) {
  PredictionSettings settings;
  settings.hklMax = std::clamp(box.hklMax, 1, box.hklMaxMaximum);
  settings.polarityAmount = std::clamp(box.polarity, 0, 10);
  settings.withHigherOrders = box.withHigherOrders;
  settings.symmetry = box.symmetry;
  settings.spaceGroup = ActiveSpaceGroup(box);
  return settings;
}

}  // namespace habitopia
