#pragma once
// The "Point Groups" box: one radio button per group, captioned with its symbol.

#include <QGroupBox>
#include <array>

#include "app/main_form.h"

class QRadioButton;

namespace habitopia::gui {

class PointGroupsBox : public QGroupBox {
  Q_OBJECT

 public:
  PointGroupsBox(MainForm& form, QWidget* parent = nullptr);
  void Show(const FormState& state);
  QRadioButton* Button(int group) const { return buttons_[static_cast<std::size_t>(group - 1)]; }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  MainForm& form_;
  std::array<QRadioButton*, kPointGroupCount> buttons_{};
};

}  // namespace habitopia::gui
