#pragma once
// The small logo at the viewer's lower right corner. It reports the main
// window's geometry to the form whenever the window, the viewer panel, the
// status bar or the utility panel moves or changes size; the form's Timer14
// decides where the logo goes and in which colour.

#include <QLabel>

#include "app/form_changes.h"
#include "app/form_state.h"

namespace habitopia {
class MainForm;
}

namespace habitopia::gui {

class LogoWidget : public QLabel {
  Q_OBJECT

 public:
  // `window` is the main window and the logo's parent; `viewer` the viewer panel.
  LogoWidget(MainForm& form, QWidget& window, QWidget& viewer, QWidget& statusBar,
             QWidget& utilities);

  void Show(const FormState& state, const FormChanges& changes);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Report();

  MainForm& form_;
  QWidget& window_;
  QWidget& viewer_;
  QWidget& statusBar_;
  QWidget& utilities_;
};

}  // namespace habitopia::gui
