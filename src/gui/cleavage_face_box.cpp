#include "gui/cleavage_face_box.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "app/cleavage_slider.h"
#include "gui/choice_buttons.h"
#include "gui/tool_box_widgets.h"

namespace habitopia::gui {

CleavageFaceBox::CleavageFaceBox(MainForm& form, QGroupBox* box) : QWidget(box), form_(form) {
  setObjectName(QStringLiteral("CleavageContents"));
  auto* outer = new QVBoxLayout(box);
  outer->setContentsMargins(2, 2, 2, 2);
  outer->addWidget(this);
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* rows = new QFormLayout;
  indices_ = new QLineEdit(this);
  indices_->setObjectName(QStringLiteral("EditCutface"));
  indices_->setToolTip(tr("Edit the cleavage plane then double-click, enter, or click accept"));
  indices_->setAccessibleName(tr("cleavage plane indices"));
  distance_ = new QLineEdit(this);
  distance_->setObjectName(QStringLiteral("editcutdistance"));
  distance_->setAccessibleName(tr("cleavage plane distance"));
  auto* indicesLabel = new QLabel(tr("h&kl"), this);
  indicesLabel->setBuddy(indices_);
  auto* distanceLabel = new QLabel(tr("dista&nce"), this);
  distanceLabel->setBuddy(distance_);
  rows->addRow(indicesLabel, indices_);
  rows->addRow(distanceLabel, distance_);
  layout->addLayout(rows, 0, 0);
  new ToolEditKeys(form_, MainForm::ToolEdit::Cutface, indices_);
  new ToolEditKeys(form_, MainForm::ToolEdit::CutDistance, distance_);
  indices_->installEventFilter(this);
  connect(indices_, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.ToolEvent([&] { form_.EditCutfaceChange(text.toStdString()); });
  });
  connect(distance_, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.ToolEvent([&] { form_.editcutdistanceChange(text.toStdString()); });
  });
  new DoubleClicks(distance_, [this] { form_.ToolEvent([this] { form_.Edit1DblClick(); }); });

  showModel_ = new QCheckBox(tr("show &model"), this);
  showModel_->setObjectName(QStringLiteral("showmodel"));
  showModel_->setAccessibleName(QStringLiteral("show model"));
  showModel_->setToolTip(tr("Show the crystal model together with the cleavage plane"));
  projectSectors_ = new QCheckBox(tr("pro&ject growth sectors"), this);
  projectSectors_->setObjectName(QStringLiteral("projectsectors"));
  projectSectors_->setAccessibleName(QStringLiteral("project growth sectors"));
  projectSectors_->setToolTip(tr("project the growth sector on to the cleavage plane"));
  layout->addWidget(showModel_, 1, 0);
  layout->addWidget(projectSectors_, 2, 0);
  OnToggled(showModel_, this,
            [this](bool on) { form_.ToolEvent([=, this] { form_.showmodelClick(on); }); });
  OnToggled(projectSectors_, this,
            [this](bool on) { form_.ToolEvent([=, this] { form_.projectsectorsClick(on); }); });

  auto* transparencyLabel = new QLabel(tr("sector transparenc&y"), this);
  sectorTransparency_ = new QSlider(Qt::Horizontal, this);
  sectorTransparency_->setObjectName(QStringLiteral("TransparenceySectorChange"));
  sectorTransparency_->setAccessibleName(tr("sector transparency"));
  sectorTransparency_->setRange(0, 10);
  sectorTransparency_->setPageStep(1);
  transparencyLabel->setBuddy(sectorTransparency_);
  layout->addWidget(transparencyLabel, 3, 0);
  layout->addWidget(sectorTransparency_, 4, 0);
  connect(sectorTransparency_, &QSlider::valueChanged, this, [this](int value) {
    form_.ToolEvent([=, this] { form_.TransparenceySectorChange(value); });
  });

  accept_ = new QPushButton(tr("Accept"), this);
  accept_->setObjectName(QStringLiteral("AcceptCutface"));
  accept_->setAccessibleName(QStringLiteral("Accept"));
  remove_ = new QPushButton(tr("&remove cleavage face"), this);
  remove_->setObjectName(QStringLiteral("removecutface1"));
  remove_->setAccessibleName(QStringLiteral("remove cleavage face"));
  layout->addWidget(accept_, 5, 0);
  layout->addWidget(remove_, 6, 0);
  connect(accept_, &QPushButton::clicked, this,
          [this] { form_.ToolEvent([this] { form_.Edit1DblClick(); }); });
  connect(remove_, &QPushButton::clicked, this,
          [this] { form_.ToolEvent([this] { form_.removecutface1Click(); }); });

  // 5 at the top, 0.01 in the middle (captioned "0.00"), -5 at the bottom.
  auto* sliderColumn = new QGridLayout;
  slider_ = new QSlider(Qt::Vertical, this);
  slider_->setObjectName(QStringLiteral("TrackBar1"));
  slider_->setRange(0, kCleavageSliderMaximum);
  slider_->setInvertedAppearance(true);
  slider_->setInvertedControls(true);
  slider_->setToolTip(tr("scroll to change central distance of cleavage plane"));
  slider_->setAccessibleName(slider_->toolTip());
  sliderColumn->addWidget(slider_, 0, 0, 3, 1);
  const struct {
    const char* caption;
    Qt::Alignment alignment;
  } captions[] = {{"5.00", Qt::AlignTop}, {"0.00", Qt::AlignVCenter}, {"-5.00", Qt::AlignBottom}};
  for (int row = 0; row < 3; ++row) {
    sliderColumn->addWidget(new QLabel(QString::fromLatin1(captions[row].caption), this), row, 1,
                            captions[row].alignment);
    sliderColumn->setRowStretch(row, 1);
  }
  layout->addLayout(sliderColumn, 0, 1, 8, 1);
  layout->setRowStretch(7, 1);
  connect(slider_, &QSlider::valueChanged, this,
          [this](int value) { form_.ToolEvent([=, this] { form_.TrackBar1Change(value); }); });
}

bool CleavageFaceBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == indices_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
    form_.ToolEvent([this] { form_.EditCutfaceMouseDown(); });
  else if (watched == indices_ && event->type() == QEvent::MouseButtonDblClick)
    form_.ToolEvent([this] { form_.TrackBar1Change(slider_->value()); });
  return false;
}

void CleavageFaceBox::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kToolsPart) && !changes.Has(kRegionsPart) && !changes.Has(kDocumentPart) &&
      !changes.Has(kDisplayPart) && !changes.Has(kTablesPart))
    return;
  const CleavageBoxState& box = state.tools.cleavage;
  SetText(indices_, box.editCutface);
  SetText(distance_, box.editCutDistance);
  {
    const QSignalBlocker block(slider_);
    slider_->setValue(box.trackBar1);
  }
  {
    const QSignalBlocker block(sectorTransparency_);
    sectorTransparency_->setValue(state.tables.special.sectorTransparency);
  }
  SetChecked(showModel_, state.switches.showModel);
  SetChecked(projectSectors_, state.switches.projectSectors);
  remove_->setEnabled(box.removeEnabled);
}

}  // namespace habitopia::gui
