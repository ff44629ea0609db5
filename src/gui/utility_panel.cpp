#include "gui/utility_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include "app/main_form.h"
#include "gui/choice_buttons.h"

namespace habitopia::gui {

namespace {

QIcon Swatch(const Rgb& colour, int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(96, 96, 96), 1));
  painter.setBrush(QColor(colour.red, colour.green, colour.blue));
  painter.drawRoundedRect(QRectF(0.5, 0.5, side - 1, side - 1), 3, 3);
  return QIcon(pixmap);
}

QGroupBox* Group(const QString& title, const char* name, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(QString::fromLatin1(name));
  group->setAccessibleName(title);
  return group;
}

}  // namespace

UtilityPanel::UtilityPanel(MainForm& form, QWidget* parent) : QFrame(parent), form_(form) {
  setObjectName(QStringLiteral("panel2"));
  setAccessibleName(tr("Utilities"));
  setFrameShape(QFrame::NoFrame);

  // A narrow window scrolls the panel sideways rather than growing.
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("panel2Scroll"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  outer->addWidget(scroll);
  auto* contents = new QWidget(scroll);
  auto* layout = new QHBoxLayout(contents);
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(8);

  // Switches.
  auto* shown = Group(tr("Show"), "SwitchesBox", contents);
  auto* grid = new QGridLayout(shown);
  grid->setContentsMargins(6, 2, 6, 2);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(2);
  const struct {
    DisplaySwitch which;
    const char* name;
    QString caption;
  } boxes[] = {
      {DisplaySwitch::Fill, "fill", tr("fill")},
      {DisplaySwitch::Grid, "grid", tr("grid")},
      {DisplaySwitch::Solid, "solid", tr("solid")},
      {DisplaySwitch::Indices, "indiceson", tr("indices")},
      {DisplaySwitch::Axes, "Caxes", tr("crystal axes")},
      {DisplaySwitch::Lights, "lights", tr("spotlights")},
      {DisplaySwitch::Headlight, "headlight", tr("headlight")},
      {DisplaySwitch::Brilliant, "brilliant", tr("brilliant")},
      {DisplaySwitch::Animation, "animation", tr("animation")},
  };
  int index = 0;
  for (const auto& box : boxes) {
    QCheckBox* check = AddSwitch(box.name, box.caption);
    const DisplaySwitch which = box.which;
    OnToggled(check, this, [this, which](bool on) { form_.SwitchClick(which, on); });
    switches_[which] = check;
    if (which == DisplaySwitch::Indices) {
      check->setToolTip(tr("show indices of faces, right click to apply symmety"));
      check->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(check, &QWidget::customContextMenuRequested, this,
              [this] { form_.indicesonMouseDown(); });
    }
    grid->addWidget(check, index % 4, index / 4);
    ++index;
  }
  tumble_ = AddSwitch("tumble", tr("tumble"));
  OnToggled(tumble_, this, [this](bool on) { form_.tumbleClick(on); });
  grid->addWidget(tumble_, index % 4, index / 4);
  layout->addWidget(shown);

  // Sliders.
  auto* adjust = Group(tr("Adjust"), "SlidersBox", contents);
  auto* sliders = new QGridLayout(adjust);
  sliders->setContentsMargins(6, 2, 6, 2);
  sliders->setVerticalSpacing(2);
  transparency_ =
      AddSlider("Transparency", tr("transparency"), 0, 20, &MainForm::TransparencyChange);
  perspective_ = AddSlider("perspective", tr("focus angle"), 2, 15, &MainForm::perspectiveChange);
  speed_ = AddSlider("Speed1", tr("speed"), 0, 100, &MainForm::Speed1Change);
  int row = 0;
  for (QSlider* slider : {transparency_, perspective_, speed_}) {
    auto* label = new QLabel(slider->accessibleName(), adjust);
    label->setBuddy(slider);
    sliders->addWidget(label, row, 0);
    sliders->addWidget(slider, row, 1);
    ++row;
  }
  axesLength_ = new QSpinBox(adjust);
  axesLength_->setObjectName(QStringLiteral("UpDown1"));
  axesLength_->setAccessibleName(tr("length"));
  axesLength_->setToolTip(tr("length of the crystal axes"));
  axesLength_->setRange(1, 99);
  axesLength_->setValue(18);
  connect(axesLength_, &QSpinBox::valueChanged, this,
          [this](int value) { form_.UpDown1Click(value); });
  auto* lengthLabel = new QLabel(tr("length"), adjust);
  lengthLabel->setBuddy(axesLength_);
  sliders->addWidget(lengthLabel, row, 0);
  sliders->addWidget(axesLength_, row, 1, Qt::AlignLeft);
  layout->addWidget(adjust, 1);

  // Colours.
  auto* colours = Group(tr("Colours"), "ColoursBox", contents);
  auto* buttons = new QGridLayout(colours);
  buttons->setContentsMargins(6, 2, 6, 2);
  buttons->setSpacing(2);
  const QList<QToolButton*> colourButtons{
      AddColourButton("SetBackground", tr("Background color"), {}, &MainForm::SetBackgroundClick),
      AddColourButton("gridcolor1", tr("grid color"), {}, &MainForm::gridcolor1Click),
      AddColourButton("fillcolor1", tr("fill color"), {}, &MainForm::fillcolor1Click),
      AddColourButton("spotlight1color", tr("spotlight1 color"),
                      tr("Spotlight color (bottom right)"), &MainForm::spotlight1colorClick),
      AddColourButton("spotlight2color", tr("spotlight2 color"), tr("Spotlight Color (top left)"),
                      &MainForm::spotlight2colorClick),
      AddColourButton("Button1", tr("indices style"),
                      tr("font of the indices; right button: their colour"),
                      &MainForm::Button1Click, &MainForm::Button1RightClick),
      AddColourButton("axescolor1", tr("axes Style"),
                      tr("font of the axes' labels; right button: their colour"),
                      &MainForm::axescolor1Click, &MainForm::axescolor1RightClick),
  };
  for (int i = 0; i < colourButtons.size(); ++i) buttons->addWidget(colourButtons[i], i % 4, i / 4);
  colourButtons_ = {{colourButtons[0], &DisplaySettings::backgroundColour},
                    {colourButtons[1], &DisplaySettings::edgeColour},
                    {colourButtons[2], &DisplaySettings::fillColour},
                    {colourButtons[3], &DisplaySettings::light1Colour},
                    {colourButtons[4], &DisplaySettings::light2Colour},
                    {colourButtons[5], &DisplaySettings::labelColour},
                    {colourButtons[6], &DisplaySettings::axesColour}};
  layout->addWidget(colours);
  scroll->setWidget(contents);
  const int scrollBar = scroll->horizontalScrollBar()->sizeHint().height();
  setMinimumHeight(contents->sizeHint().height() + scrollBar);
  setMaximumHeight(contents->sizeHint().height() + scrollBar);
}

QCheckBox* UtilityPanel::AddSwitch(const char* name, const QString& caption) {
  auto* check = new QCheckBox(caption, this);
  check->setObjectName(QString::fromLatin1(name));
  check->setAccessibleName(caption);
  return check;
}

QSlider* UtilityPanel::AddSlider(const char* name, const QString& caption, int minimum, int maximum,
                                 void (MainForm::*handler)(int)) {
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setObjectName(QString::fromLatin1(name));
  slider->setAccessibleName(caption);
  slider->setRange(minimum, maximum);
  slider->setPageStep(1);
  slider->setMinimumWidth(80);
  connect(slider, &QSlider::valueChanged, this,
          [this, handler](int value) { (form_.*handler)(value); });
  // The end of a drag is a notification that leaves the value as it is.
  connect(slider, &QSlider::sliderReleased, this,
          [this, slider, handler] { (form_.*handler)(slider->value()); });
  return slider;
}

QToolButton* UtilityPanel::AddColourButton(const char* name, const QString& caption,
                                           const QString& hint, void (MainForm::*click)(),
                                           void (MainForm::*rightClick)()) {
  auto* button = new QToolButton(this);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(caption);
  button->setAccessibleName(caption);
  button->setToolTip(hint.isEmpty() ? caption : hint);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(button, &QToolButton::clicked, this, [this, click] { (form_.*click)(); });
  if (rightClick) {
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this,
            [this, rightClick] { (form_.*rightClick)(); });
  }
  return button;
}

void UtilityPanel::ShowColours(const DisplaySettings& settings) {
  const int side = fontMetrics().height();
  for (const auto& [button, colour] : colourButtons_)
    button->setIcon(Swatch(settings.*colour, side));
}

void UtilityPanel::Show(const FormState& state, const FormChanges& changes) {
  if (changes.Has(kRegionsPart)) {
    setVisible(state.regions.utilities);
    setEnabled(!state.regions.locked);
  }
  if (!changes.Has(kDisplayPart)) return;
  const DisplayState& display = state.display;
  const DocumentSwitches& switches = state.switches;
  for (const auto& [which, check] : switches_) {
    const QSignalBlocker blocker(check);
    check->setChecked(SwitchChecked(switches.display, which));
  }
  switches_.at(DisplaySwitch::Brilliant)->setEnabled(display.brilliantEnabled);
  switches_.at(DisplaySwitch::Lights)->setEnabled(display.lightsEnabled);
  {
    const QSignalBlocker blocker(tumble_);
    tumble_->setChecked(switches.tumble);
    tumble_->setEnabled(display.tumbleEnabled);
  }
  const struct {
    QSlider* slider;
    int position;
    bool enabled;
  } sliders[] = {{transparency_, display.transparencyPosition, display.transparencyEnabled},
                 {perspective_, switches.perspectivePosition, true},
                 {speed_, switches.speedPosition, display.speedEnabled}};
  for (const auto& entry : sliders) {
    const QSignalBlocker blocker(entry.slider);
    if (!entry.slider->isSliderDown()) entry.slider->setValue(entry.position);
    entry.slider->setEnabled(entry.enabled);
  }
  {
    const QSignalBlocker blocker(axesLength_);
    axesLength_->setValue(display.axesLengthPosition);
  }
  ShowColours(display.settings);
}

}  // namespace habitopia::gui
