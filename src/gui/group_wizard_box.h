#pragma once
// "Combined Objects Wizard": its steps, the group folder, the three scene names
// and the group file's name.

#include <QWidget>
#include <array>

#include "app/main_form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace habitopia::gui {

class GroupWizardBox : public QWidget {
  Q_OBJECT

 public:
  GroupWizardBox(MainForm& form, QGroupBox* box);
  void Show(const FormState& state, const FormChanges& changes);
  QPushButton* AcceptButton() const { return accept_; }
  QLineEdit* GroupFileEdit() const { return edits_[3]; }

 private:
  MainForm& form_;
  QLabel* folder_ = nullptr;
  std::array<QLineEdit*, 4> edits_{};  // Edit10, Edit11, Edit12, Edit14
  QPushButton* accept_ = nullptr;
};

}  // namespace habitopia::gui
