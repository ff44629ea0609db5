#include "gui/viewer_controls_panel.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "app/main_form.h"
#include "gui/choice_buttons.h"
#include "gui/tool_box_widgets.h"

namespace habitopia::gui {

ViewerControlsPanel::ViewerControlsPanel(MainForm& form, QWidget* parent)
    : QFrame(parent), form_(form) {
  setObjectName(QStringLiteral("Panel11"));
  setAccessibleName(tr("VRML-controls"));
  setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setSpacing(0);

  auto* modes = new QButtonGroup(this);
  const struct {
    NavigationMode mode;
    const char* name;
    QString caption;
    QString hint;
  } navigation[] = {
      {NavigationMode::Plan, "plan", tr("&plan"), tr("move the camera over the ground plane")},
      {NavigationMode::Pan, "pan", tr("p&an"), tr("move the camera sideways")},
      {NavigationMode::Turn, "turn", tr("t&urn"), tr("turn the crystal")},
      {NavigationMode::Roll, "roll", tr("r&oll"), tr("roll the crystal about the line of sight")},
      {NavigationMode::Cad, "cad", tr("ca&d"), tr("the viewer's own navigation")},
  };
  for (const auto& entry : navigation) {
    auto* button = new QRadioButton(entry.caption, this);
    button->setObjectName(QString::fromLatin1(entry.name));
    button->setAccessibleName(QString::fromLatin1(entry.name));
    button->setToolTip(entry.hint);
    modes->addButton(button);
    const NavigationMode mode = entry.mode;
    OnChosen(button, this, [this, mode] { form_.NavigationClick(mode); });
    navigation_[mode] = button;
    layout->addWidget(button);
  }

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  for (const auto& [name, caption, handler] :
       {std::tuple{"restore", tr("restore"), &MainForm::restoreClick},
        std::tuple{"fit", tr("f&it"), &MainForm::fitClick}}) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(QString::fromLatin1(name));
    // As wide as the caption: the panel stays narrow beside the viewer.
    button->setFixedWidth(
        button->fontMetrics().horizontalAdvance(button->text().remove(QLatin1Char('&'))) + 20);
    connect(button, &QPushButton::clicked, this, [this, handler = handler] { (form_.*handler)(); });
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);

  auto* zoomLabel = new QLabel(tr("&zoom"), this);
  zoomLabel->setAlignment(Qt::AlignHCenter);
  zoom_ = new QSlider(Qt::Vertical, this);
  zoom_->setObjectName(QStringLiteral("zoommodel"));
  zoom_->setAccessibleName(tr("zoom"));
  zoom_->setRange(1, 100);
  zoom_->setValue(50);
  zoom_->setInvertedAppearance(true);  // a wider field of view at the bottom
  zoom_->setMinimumHeight(36);
  zoomLabel->setBuddy(zoom_);
  connect(zoom_, &QSlider::valueChanged, this, [this](int value) { form_.zoommodelChange(value); });
  connect(zoom_, &QSlider::sliderReleased, this, [this] { form_.zoommodelChange(zoom_->value()); });
  layout->addWidget(zoomLabel);
  layout->addWidget(zoom_, 1, Qt::AlignHCenter);

  auto* renderers = new QButtonGroup(this);
  const struct {
    RendererChoice renderer;
    const char* name;
    QString caption;
  } choices[] = {
      {RendererChoice::DirectX, "DirectX", tr("DirectX")},
      {RendererChoice::OpenGL, "OpenGL", tr("OpenGL")},
      {RendererChoice::R98, "R98", tr("R98")},
  };
  for (const auto& entry : choices) {
    auto* button = new QRadioButton(entry.caption, this);
    button->setObjectName(QString::fromLatin1(entry.name));
    button->setAccessibleName(entry.caption);
    renderers->addButton(button);
    const RendererChoice renderer = entry.renderer;
    OnChosen(button, this, [this, renderer] { form_.RendererClick(renderer); });
    renderers_[renderer] = button;
    layout->addWidget(button);
  }
}

void ViewerControlsPanel::Show(const FormState& state, const FormChanges& changes) {
  if (changes.Has(kRegionsPart)) {
    setVisible(state.regions.viewerControls);
    setEnabled(!state.regions.locked);
  }
  if (!changes.Has(kDisplayPart)) return;
  const DisplayState& display = state.display;
  SetChecked(navigation_.at(display.navigation), true);
  SetChecked(renderers_.at(display.renderer), true);
  const QSignalBlocker blocker(zoom_);
  if (!zoom_->isSliderDown()) zoom_->setValue(display.zoomModel);
}

}  // namespace habitopia::gui
