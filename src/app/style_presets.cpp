// The menu "&Styles": six ready-made display styles.

#include "app/display_sliders.h"
#include "app/main_form.h"
#include "app/scoped_flag.h"

namespace habitopia {

void MainForm::stylesettings(StyleId style) {
  const StylePreset& preset = StylePresetFor(style);
  {
    ScopedFlag restoring(model_.modelRestoring);
    model_.calculateAfterStep = false;
    ApplyStyleSwitches(state_.switches.display, state_.display, preset);
    ApplyStyleSettings(model_.display, preset);
  }
  // One drawing for the whole style: its snapshot is the one the style leaves.
  RedrawModel();
  Changed();
}

void MainForm::Standard1Click() { stylesettings(StyleId::Standard); }
void MainForm::Sparklingblack1Click() { stylesettings(StyleId::SparklingBlack); }
void MainForm::Sparklingblue1Click() { stylesettings(StyleId::SparklingBlue); }
void MainForm::Crystal2Click() { stylesettings(StyleId::Crystal); }
void MainForm::Brillant1Click() { stylesettings(StyleId::Brillant); }
void MainForm::Brilliantwhite1Click() { stylesettings(StyleId::BrilliantWhite); }

}  // namespace habitopia
