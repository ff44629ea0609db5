#pragma once
// "Surface energies…": edits a table of one value per form, "h k l value", and
// hands it to the controller, which makes the forms the unique faces.

#include <QDialog>

#include "app/main_form.h"

class QComboBox;
class QPlainTextEdit;

namespace habitopia::gui {

class SurfaceEnergiesDialog : public QDialog {
  Q_OBJECT

 public:
  SurfaceEnergiesDialog(MainForm& form, QWidget* parent);

  void accept() override;

 private:
  MainForm& form_;
  QComboBox* kind_ = nullptr;
  QPlainTextEdit* table_ = nullptr;
};

}  // namespace habitopia::gui
