#pragma once
// The six cell boxes Edit4..Edit9 (a, b, c, alpha, beta, gamma) and the
// "Metric" box's "CLOSE".

#include <QWidget>
#include <array>

#include "app/main_form.h"

class QLineEdit;
class QPushButton;

namespace habitopia::gui {

class CellBoxes : public QWidget {
  Q_OBJECT

 public:
  CellBoxes(MainForm& form, QWidget* parent = nullptr);
  void Show(const FormState& state);
  QLineEdit* Box(int box) const { return boxes_[static_cast<std::size_t>(box)]; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MainForm& form_;
  std::array<QLineEdit*, 6> boxes_{};
  QPushButton* close_ = nullptr;
};

}  // namespace habitopia::gui
