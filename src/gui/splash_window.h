#pragma once
// The logo window: the program's name and version. At start-up it closes after
// four seconds or when clicked; shown through "Lo&go" it stays until clicked.

#include <QLabel>
#include <QTimer>

#include "app/form_changes.h"
#include "app/form_state.h"

namespace habitopia {
class MainForm;
}

namespace habitopia::gui {

class SplashWindow : public QLabel {
  Q_OBJECT

 public:
  explicit SplashWindow(MainForm& form, QWidget* parent = nullptr);

  void Show(const FormState& state, const FormChanges& changes);
  bool ClosingTimerRuns() const { return closing_.isActive(); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  MainForm& form_;
  QTimer closing_;
};

}  // namespace habitopia::gui
