#pragma once
// The information panels beside the viewer: the home page and the program's
// history, text only, one at a time.

#include <QTextBrowser>

#include "app/form_changes.h"
#include "app/form_state.h"

namespace habitopia::gui {

class InfoPanelView : public QTextBrowser {
  Q_OBJECT

 public:
  explicit InfoPanelView(QWidget* parent = nullptr);

  void Show(const FormState& state, const FormChanges& changes);

 private:
  InfoPanel shown_ = InfoPanel::None;
};

}  // namespace habitopia::gui
