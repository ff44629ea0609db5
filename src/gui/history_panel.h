#pragma once
// Panel21: the memo with the program's change history.

#include <QGroupBox>

class QPlainTextEdit;

namespace habitopia::gui {

class HistoryPanel : public QGroupBox {
  Q_OBJECT

 public:
  explicit HistoryPanel(QWidget* parent = nullptr);

  QPlainTextEdit* Memo() const { return memo_; }

 private:
  QPlainTextEdit* memo_ = nullptr;
};

}  // namespace habitopia::gui
