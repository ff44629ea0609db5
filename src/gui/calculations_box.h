#pragma once
// The calculations box: interfacial angle and common edge of two picked faces,
// a face's physical normal and the indices normal to a direction.

#include <QWidget>
#include <string>

#include "app/main_form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace habitopia::gui {

class CalculationsBox : public QWidget {
  Q_OBJECT

 public:
  CalculationsBox(MainForm& form, QGroupBox* box);
  void Show(const FormState& state, const FormChanges& changes);
  QPushButton* AngleButton() const { return angle_; }

 private:
  QPushButton* Button(const QString& name, const QString& hint, void (MainForm::*handler)());
  MainForm& form_;
  QPushButton* face1_ = nullptr;
  QPushButton* face2_ = nullptr;
  QPushButton* angle_ = nullptr;
  QLabel* edge_ = nullptr;
  QPushButton* face3_ = nullptr;
  QPushButton* normal_ = nullptr;
  QLineEdit* direction_ = nullptr;
  QPushButton* fromDirection_ = nullptr;
  QLabel* surface_ = nullptr;
  QLabel* descriptors_ = nullptr;
  std::string shownDirection_;
};

}  // namespace habitopia::gui
