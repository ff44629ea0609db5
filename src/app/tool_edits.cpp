// Events shared by the tool boxes: reporting a box's event, the key filters of
// their edit boxes and the mouse on the cleavage plane's indices.

#include "app/face_keys.h"
#include "app/main_form.h"

namespace habitopia {

namespace {

inline constexpr std::string_view kToolEditKeys = " -.,1234567890\b\r";

// Indices of the twin texts as the model file orders them.
int TwinTextOf(MainForm::ToolEdit edit) {
  switch (edit) {
    case MainForm::ToolEdit::TwinAxis: return 1;
    case MainForm::ToolEdit::TwinThrough: return 2;
    case MainForm::ToolEdit::TwinCentre: return 4;
    default: return -1;
  }
}

}  // namespace

void MainForm::ToolEvent(const std::function<void()>& event) {
  event();
  Changed();
}

char MainForm::ToolEditKeyPress(ToolEdit edit, const std::string& text, char key) {
  if (kToolEditKeys.find(key) == std::string_view::npos || key == '\0') {
    ports_.dialogs.Message(kWrongIndicesMessage);
    return kSuppressedKey;
  }
  if (key != '\r') return ConvertSeparator(key, state_.decimalComma);
  switch (edit) {
    case ToolEdit::Cutface:
      EditCutfaceChange(text);
      Edit1DblClick();
      break;
    case ToolEdit::CutDistance:
      editcutdistanceChange(text);
      Edit1DblClick();
      break;
    case ToolEdit::CoordinatesPhysical: coordinatesphysicalChange(text); break;
    case ToolEdit::TwinAxis:
    case ToolEdit::TwinThrough:
    case ToolEdit::TwinCentre:
      TwinTextChange(TwinTextOf(edit), text);
      ApplyTwinTexts();
      MarkChanged(kToolsPart);
      break;
  }
  return kSuppressedKey;
}

void MainForm::EditCutfaceMouseDown() {
  if (isadding() || model_.cleavageFace < 0) return;
  SelectRow(state_.tables.stringGrid1, model_.cleavageFace + 1);
  MarkChanged(kTablesPart);
  SpeedButton9Click();
}

}  // namespace habitopia
