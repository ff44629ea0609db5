#pragma once
// The splash window: the program's picture and name in a frameless window over
// the screen's centre. A click closes it; so does its closing timer, which runs
// unless "Lo&go" asked it to stay.

#include <QFrame>
#include <QTimer>

#include "app/form_changes.h"
#include "app/form_state.h"

namespace habitopia {
class MainForm;
}

namespace habitopia::gui {

class SplashWindow : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kClosingMilliseconds = 4000;

  explicit SplashWindow(MainForm& form, QWidget* parent = nullptr);

  void Show(const FormState& state, const FormChanges& changes);
  bool ClosingTimerActive() const { return closing_.isActive(); }

 signals:
  // The splash went, by a click or its timer.
  void closed();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Close();

  MainForm& form_;
  QTimer closing_;
};

}  // namespace habitopia::gui
