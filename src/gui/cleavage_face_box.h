#pragma once
// "Indicate cleavage face": the plane's indices and distance, the distance
// slider, "show model", "project growth sectors" and the plane's removal.

#include <QWidget>

#include "app/main_form.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace habitopia::gui {

class CleavageFaceBox : public QWidget {
  Q_OBJECT

 public:
  CleavageFaceBox(MainForm& form, QGroupBox* box);
  void Show(const FormState& state, const FormChanges& changes);
  QLineEdit* IndicesEdit() const { return indices_; }
  QPushButton* AcceptButton() const { return accept_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MainForm& form_;
  QLineEdit* indices_ = nullptr;
  QLineEdit* distance_ = nullptr;
  QSlider* slider_ = nullptr;
  QCheckBox* showModel_ = nullptr;
  QCheckBox* projectSectors_ = nullptr;
  QSlider* sectorTransparency_ = nullptr;
  QPushButton* accept_ = nullptr;
  QPushButton* remove_ = nullptr;
};

}  // namespace habitopia::gui
