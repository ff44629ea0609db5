#pragma once
// "Twintool": the twin choice, the space of its vectors, the five texts and
// "Update".

#include <QWidget>
#include <array>

#include "app/main_form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace habitopia::gui {

class TwinToolBox : public QWidget {
  Q_OBJECT

 public:
  TwinToolBox(MainForm& form, QGroupBox* box);
  void Show(const FormState& state, const FormChanges& changes);
  QPushButton* UpdateButton() const { return update_; }
  QRadioButton* Choice(TwinChoice choice) const {
    return choices_[static_cast<std::size_t>(choice)];
  }

 private:
  MainForm& form_;
  std::array<QRadioButton*, 4> choices_{};
  QRadioButton* real_ = nullptr;
  QRadioButton* reciprocal_ = nullptr;
  QLabel* face_ = nullptr;
  std::array<QLineEdit*, kTwinTextCount> texts_{};
  QLabel* axisLabel_ = nullptr;
  QLabel* throughLabel_ = nullptr;
  QLabel* note_ = nullptr;
  QPushButton* update_ = nullptr;
};

}  // namespace habitopia::gui
