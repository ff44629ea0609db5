#include "gui/tool_box_contents.h"

#include <QGroupBox>

#include "gui/calculations_box.h"
#include "gui/cleavage_face_box.h"
#include "gui/group_wizard_box.h"
#include "gui/shape_prediction_box.h"
#include "gui/tool_box_host.h"
#include "gui/twin_tool_box.h"

namespace habitopia::gui {

ToolBoxContents::ToolBoxContents(MainForm& form, ToolBoxHost& host)
    : prediction_(new ShapePredictionBox(form, host.Box(ToolBox::ShapePrediction))),
      calculations_(new CalculationsBox(form, host.Box(ToolBox::Calculations))),
      twin_(new TwinToolBox(form, host.Box(ToolBox::Twintool))),
      cleavage_(new CleavageFaceBox(form, host.Box(ToolBox::CleavageFace))),
      wizard_(new GroupWizardBox(form, host.Box(ToolBox::CombinedObjects))) {}

void ToolBoxContents::Show(const FormState& state, const FormChanges& changes) {
  prediction_->Show(state, changes);
  calculations_->Show(state, changes);
  twin_->Show(state, changes);
  cleavage_->Show(state, changes);
  wizard_->Show(state, changes);
}

}  // namespace habitopia::gui
