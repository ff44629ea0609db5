#pragma once
// The "Shape Prediction" box without the window: preparing it for a point group,
// the translation selectors with what each group offers, the space-group entry
// and the prediction settings the box stands for.

#include <memory>
#include <string>

#include "app/tools_state.h"
#include "prediction/morphology.h"
#include "prediction/space_groups.h"

namespace habitopia {

// `Morphologypanel`: selectors back to P without glides or screws, the polarity
// and hkl-max sliders labelled and limited for the group. A space group in force
// is dropped; its text stays in the entry.
void PrepareMorphologyPanel(PredictionBoxState& box, int pointGroup);

// The selector slots; each holds at most one choice.
enum class TranslationSlot { Centring, Glide1, Glide2, Glide3, ScrewA, ScrewB, ScrewC };

// A click on a choice: `value` is a Centring or Glide as int, 1 for the two-fold
// screws, or 2, 3, 4, 6 for screwC. False (nothing changes) when the prepared
// group does not offer the choice.
bool ChooseTranslation(PredictionBoxState& box, TranslationSlot slot, int value);
// A double click on any choice of a slot clears it (centring back to P).
void ClearTranslationSlot(PredictionBoxState& box, TranslationSlot slot);

// The space group typed into the box, for a model in point group `pointGroup`.
// A group of another point group, or one that needs other axes than the point
// group's, is refused; `spaceGroupNote` says why in one line. On success the
// selectors show what the group implies and its operations decide the absences.
bool EnterSpaceGroup(PredictionBoxState& box, const std::string& text, int pointGroup);

// The space group a CIF file stated, for a model whose cell and point group
// were taken from it; `spaceGroupNote` names the setting read and the axes.
void EnterFileSpaceGroup(PredictionBoxState& box, const SpaceGroupSymmetry& group);

// The space group in force: the file's, else the entry's looked up again; null
// when none.
std::shared_ptr<const SpaceGroupSymmetry> ActiveSpaceGroup(const PredictionBoxState& box);

PredictionSettings PredictionSettingsOf(const PredictionBoxState& box);

}  // namespace habitopia
