#include "gui/face_appearance_box.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include "gui/choice_buttons.h"
#include "gui/tool_box_widgets.h"

namespace habitopia::gui {
namespace {

template <class W>
W* Named(W* widget, const QString& objectName, const QString& accessibleName) {
  widget->setObjectName(objectName);
  widget->setAccessibleName(accessibleName);
  return widget;
}

QSlider* Slider(QWidget* parent, int maximum) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setRange(0, maximum);
  slider->setTracking(true);
  return slider;
}

}  // namespace

FaceAppearanceBox::FaceAppearanceBox(MainForm& form, QWidget* parent)
    : QGroupBox(QStringLiteral("Special Face Features"), parent), form_(form) {
  setObjectName(QStringLiteral("GroupBox3"));
  setAccessibleName(title());
  setToolTip(QStringLiteral("Special features panel, doubleclick to close"));
  auto* layout = new QFormLayout(this);

  upDown2_ = Named(new QSpinBox(this), "UpDown2", "Scroll through faces");
  upDown2_->setRange(1, 200);
  label11_ = Named(new QLabel(this), "Label11", "face");
  layout->addRow(upDown2_, label11_);
  auto* faceColor =
      Named(new QPushButton(QStringLiteral("Face Color"), this), "FaceColor", "Face Color");
  showFaceColor_ = Named(new QCheckBox(QStringLiteral("Show Face Color"), this), "ShowFaceColor",
                         "Show Face Color");
  layout->addRow(faceColor, showFaceColor_);
  showIndices_ =
      Named(new QCheckBox(QStringLiteral("Show Indices"), this), "ShowIndices", "Show Indices");
  drawGrowthsector_ = Named(new QCheckBox(QStringLiteral("Draw Growthsector"), this),
                            "DrawGrowthsector", "Draw Growthsector");
  layout->addRow(showIndices_, drawGrowthsector_);
  faceImage_ = Named(new QCheckBox(QStringLiteral("face image"), this), "faceimage", "face image");
  image_ = Named(new QPushButton(QStringLiteral("Image"), this), "Image", "Image");
  layout->addRow(faceImage_, image_);
  auto* resetFace =
      Named(new QPushButton(QStringLiteral("Reset Face"), this), "ResetFace", "Reset Face");
  auto* resetAll = Named(new QPushButton(QStringLiteral("Reset All Faces"), this), "ResetAllFaces",
                         "Reset All Faces");
  layout->addRow(resetFace, resetAll);
  glossAllFaces_ = Named(new QCheckBox(QStringLiteral("gloss all  faces"), this), "singlefacegloss",
                         "gloss all  faces");
  layout->addRow(glossAllFaces_);
  centralDistance_ = Named(Slider(this, 20), "Centraldistance", "central distance");
  layout->addRow(QStringLiteral("central distance"), centralDistance_);
  sectorTransparency_ = Named(Slider(this, 10), "TransparenceySectorChange", "sector transparency");
  layout->addRow(QStringLiteral("sector transparency"), sectorTransparency_);

  connect(upDown2_, &QSpinBox::valueChanged, this, [this](int v) { form_.UpDown2Click(v); });
  connect(faceColor, &QPushButton::clicked, this, [this] { form_.FaceColorClick(); });
  OnToggled(showFaceColor_, this, [this](bool on) { form_.ShowFaceColorClick(on); });
  OnToggled(showIndices_, this, [this](bool on) { form_.ShowIndicesClick(on); });
  OnToggled(drawGrowthsector_, this, [this](bool on) { form_.DrawGrowthsectorClick(on); });
  OnToggled(faceImage_, this, [this](bool on) { form_.FaceImageClick(on); });
  connect(image_, &QPushButton::clicked, this, [this] { form_.ImageClick(); });
  connect(resetFace, &QPushButton::clicked, this, [this] { form_.ResetFaceClick(); });
  connect(resetAll, &QPushButton::clicked, this, [this] { form_.ResetAllFacesClick(); });
  OnToggled(glossAllFaces_, this, [this](bool on) { form_.GlossAllFacesClick(on); });
  connect(centralDistance_, &QSlider::valueChanged, this,
          [this](int v) { form_.CentraldistanceChange(v); });
  connect(sectorTransparency_, &QSlider::valueChanged, this,
          [this](int v) { form_.TransparenceySectorChange(v); });
}

void FaceAppearanceBox::Show(const FormState& state) {
  const SpecialFacesState& box = state.tables.special;
  const QSignalBlocker b1(upDown2_), b2(centralDistance_), b3(sectorTransparency_);
  upDown2_->setMaximum(box.upDown2Max);
  upDown2_->setValue(box.upDown2);
  label11_->setText(QString::fromStdString(box.label11));
  SetChecked(showFaceColor_, box.showFaceColor);
  SetChecked(showIndices_, box.showIndices);
  SetChecked(drawGrowthsector_, box.drawGrowthsector);
  SetChecked(faceImage_, box.faceImage);
  image_->setVisible(box.imageButton);
  SetChecked(glossAllFaces_, box.glossAllFaces);
  centralDistance_->setValue(state.tables.centralDistance);
  sectorTransparency_->setValue(box.sectorTransparency);
  setVisible(state.regions.toolBox == ToolBox::SpecialFaceFeatures);
}

void FaceAppearanceBox::mouseDoubleClickEvent(QMouseEvent*) { form_.GroupBox3DblClick(); }

}  // namespace habitopia::gui
