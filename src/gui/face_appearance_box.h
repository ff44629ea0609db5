#pragma once
// The box that edits how one face looks; its spin box picks the face.

#include <QGroupBox>

#include "app/main_form.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

namespace habitopia::gui {

class FaceAppearanceBox : public QGroupBox {
  Q_OBJECT

 public:
  FaceAppearanceBox(MainForm& form, QWidget* parent = nullptr);
  void Show(const FormState& state);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  MainForm& form_;
  QSpinBox* upDown2_ = nullptr;
  QLabel* label11_ = nullptr;
  QCheckBox* showFaceColor_ = nullptr;
  QCheckBox* showIndices_ = nullptr;
  QCheckBox* drawGrowthsector_ = nullptr;
  QCheckBox* faceImage_ = nullptr;
  QCheckBox* glossAllFaces_ = nullptr;
  QPushButton* image_ = nullptr;
  QSlider* centralDistance_ = nullptr;
  QSlider* sectorTransparency_ = nullptr;
};

}  // namespace habitopia::gui
