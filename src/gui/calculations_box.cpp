#include "gui/calculations_box.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/tool_box_widgets.h"

namespace habitopia::gui {

CalculationsBox::CalculationsBox(MainForm& form, QGroupBox* box) : QWidget(box), form_(form) {
  setObjectName(QStringLiteral("CalculationsContents"));
  auto* outer = new QVBoxLayout(box);
  outer->setContentsMargins(2, 2, 2, 2);
  outer->addWidget(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* rows = new QFormLayout;
  layout->addLayout(rows);
  auto addRow = [&](const QString& label, QWidget* widget) {
    auto* caption = new QLabel(label, this);
    caption->setBuddy(widget);
    rows->addRow(caption, widget);
  };
  face1_ = Button(QStringLiteral("firstfacebutton"), tr("face 1"), &MainForm::Edit15Enter);
  face2_ = Button(QStringLiteral("secondfacebutton"), tr("face 2"), &MainForm::Edit16Enter);
  angle_ = Button(QStringLiteral("AngleButton"), tr("angle"), &MainForm::AngleButtonClick);
  addRow(tr("face &1"), face1_);
  addRow(tr("face &2"), face2_);
  addRow(tr("an&gle"), angle_);
  edge_ = new QLabel(this);
  edge_->setObjectName(QStringLiteral("Label36"));
  rows->addRow(edge_);
  face3_ = Button(QStringLiteral("thirdfacebutton"), tr("(hkl)"), &MainForm::thirdfacebuttonClick);
  normal_ = Button(QStringLiteral("physicalindices"), tr("physical normal"),
                   &MainForm::physicalindicesClick);
  addRow(tr("(h&kl)"), face3_);
  addRow(tr("&normal"), normal_);
  direction_ = new QLineEdit(this);
  direction_->setObjectName(QStringLiteral("coordinatesphysical"));
  direction_->setAccessibleName(tr("(xyz)"));
  new ToolEditKeys(form_, MainForm::ToolEdit::CoordinatesPhysical, direction_);
  fromDirection_ = new QPushButton(this);
  fromDirection_->setObjectName(QStringLiteral("facefromxyz"));
  fromDirection_->setAccessibleName(tr("indices from (xyz)"));
  addRow(tr("(&xyz)"), direction_);
  rows->addRow(fromDirection_);
  connect(fromDirection_, &QPushButton::clicked, this, [this] {
    form_.ToolEvent([this] { form_.coordinatesphysicalChange(direction_->text().toStdString()); });
  });
  new DoubleClicks(direction_, [this] {
    form_.ToolEvent([this] { form_.coordinatesphysicalChange(direction_->text().toStdString()); });
  });
  surface_ = new QLabel(this);
  surface_->setObjectName(QStringLiteral("Label65"));
  layout->addWidget(surface_);
  descriptors_ = new QLabel(this);
  descriptors_->setObjectName(QStringLiteral("ShapeDescriptors"));
  descriptors_->setAccessibleName(tr("Shape descriptors"));
  descriptors_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  descriptors_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(descriptors_);
  auto* close = new QPushButton(tr("C&lose Calculations"), this);
  close->setObjectName(QStringLiteral("CloseCalculations"));
  close->setAccessibleName(QStringLiteral("Close Calculations"));
  layout->addWidget(close);
  layout->addStretch(1);
  connect(close, &QPushButton::clicked, this,
          [this] { form_.ToolEvent([this] { form_.CloseCalculationsClick(); }); });
}

QPushButton* CalculationsBox::Button(const QString& name, const QString& accessible,
                                     void (MainForm::*handler)()) {
  auto* button = new QPushButton(this);
  button->setObjectName(name);
  button->setAccessibleName(accessible);
  connect(button, &QPushButton::clicked, this,
          [this, handler] { form_.ToolEvent([this, handler] { (form_.*handler)(); }); });
  return button;
}

void CalculationsBox::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kToolsPart) && !changes.Has(kRegionsPart)) return;
  const CalculationsBoxState& box = state.tools.calculations;
  SetText(face1_, box.firstFaceButton);
  SetText(face2_, box.secondFaceButton);
  SetText(angle_, box.angleButton);
  SetText(edge_, box.label36);
  SetText(face3_, box.thirdFaceButton);
  SetText(normal_, box.physicalIndices);
  // What is being typed stays until the box reads it.
  if (box.coordinatesPhysical != shownDirection_) {
    SetText(direction_, box.coordinatesPhysical);
    shownDirection_ = box.coordinatesPhysical;
  }
  SetText(fromDirection_, box.faceFromXyz);
  SetText(surface_, box.label65);
  SetText(descriptors_, box.shapeDescriptors);
}

}  // namespace habitopia::gui
