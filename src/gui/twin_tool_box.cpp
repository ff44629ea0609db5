#include "gui/twin_tool_box.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/twin_labels.h"
#include "gui/choice_buttons.h"
#include "gui/tool_box_widgets.h"

namespace habitopia::gui {

namespace {

enum TwinText { kFaceText = 0, kAxisText = 1, kThroughText = 2, kAngleText = 3, kCentreText = 4 };

}  // namespace

TwinToolBox::TwinToolBox(MainForm& form, QGroupBox* box) : QWidget(box), form_(form) {
  setObjectName(QStringLiteral("TwinContents"));
  auto* outer = new QVBoxLayout(box);
  outer->setContentsMargins(2, 2, 2, 2);
  outer->addWidget(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  const struct {
    TwinChoice choice;
    const char* name;
    QString caption;
  } choices[] = {{TwinChoice::None, "NoTwin", tr("N&one")},
                 {TwinChoice::Contact, "contacttwin", tr("Contact T&win")},
                 {TwinChoice::Rotation, "rotationtwin", tr("&Rotation Twin")},
                 {TwinChoice::Inversion, "Inversiontwin", tr("&Inversion twin")}};
  auto* choiceGroup = new QButtonGroup(this);
  for (const auto& c : choices) {
    auto* button = new QRadioButton(c.caption, this);
    button->setObjectName(QString::fromLatin1(c.name));
    button->setAccessibleName(QString(c.caption).remove(QLatin1Char('&')));
    choiceGroup->addButton(button);
    layout->addWidget(button);
    choices_[static_cast<std::size_t>(c.choice)] = button;
    const TwinChoice choice = c.choice;
    OnChosen(button, this, [this, choice] {
      form_.ToolEvent([this, choice] { form_.TwinChoiceClick(choice); });
    });
  }

  auto* space = new QHBoxLayout;
  auto* spaceGroup = new QButtonGroup(this);
  real_ = new QRadioButton(tr("re&al space"), this);
  real_->setObjectName(QStringLiteral("realbutn"));
  real_->setAccessibleName(QStringLiteral("real space"));
  reciprocal_ = new QRadioButton(tr("reci&procal"), this);
  reciprocal_->setObjectName(QStringLiteral("reciprocalbutn"));
  reciprocal_->setAccessibleName(QStringLiteral("reciprocal"));
  spaceGroup->addButton(real_);
  spaceGroup->addButton(reciprocal_);
  space->addWidget(real_);
  space->addWidget(reciprocal_);
  layout->addLayout(space);
  OnChosen(real_, this, [this] { form_.ToolEvent([this] { form_.realbutnClick(false); }); });
  OnChosen(reciprocal_, this, [this] { form_.ToolEvent([this] { form_.realbutnClick(true); }); });

  auto* rows = new QFormLayout;
  layout->addLayout(rows);
  face_ = new QLabel(this);
  face_->setObjectName(QStringLiteral("Label72"));
  face_->setAccessibleName(tr("contact face"));
  rows->addRow(tr("contact face"), face_);
  const struct {
    int text;
    const char* name;
    MainForm::ToolEdit keys;
    bool filtered;
  } edits[] = {{kAxisText, "Edit15", MainForm::ToolEdit::TwinAxis, true},
               {kThroughText, "Edit17", MainForm::ToolEdit::TwinThrough, true},
               {kAngleText, "Edit16", MainForm::ToolEdit::TwinAxis, false},
               {kCentreText, "Edit18", MainForm::ToolEdit::TwinCentre, true}};
  for (const auto& e : edits) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(e.name));
    texts_[static_cast<std::size_t>(e.text)] = edit;
    if (e.filtered) new ToolEditKeys(form_, e.keys, edit);
    const int text = e.text;
    connect(edit, &QLineEdit::textEdited, this, [this, text](const QString& value) {
      form_.ToolEvent([&] { form_.TwinTextChange(text, value.toStdString()); });
    });
  }
  axisLabel_ = new QLabel(this);
  axisLabel_->setBuddy(texts_[kAxisText]);
  throughLabel_ = new QLabel(this);
  throughLabel_->setBuddy(texts_[kThroughText]);
  auto* angleLabel = new QLabel(tr("an&gle"), this);
  angleLabel->setBuddy(texts_[kAngleText]);
  auto* centreLabel = new QLabel(tr("ce&ntre"), this);
  centreLabel->setBuddy(texts_[kCentreText]);
  texts_[kAngleText]->setAccessibleName(QStringLiteral("angle"));
  texts_[kCentreText]->setAccessibleName(QStringLiteral("centre"));
  rows->addRow(axisLabel_, texts_[kAxisText]);
  rows->addRow(throughLabel_, texts_[kThroughText]);
  rows->addRow(angleLabel, texts_[kAngleText]);
  rows->addRow(centreLabel, texts_[kCentreText]);

  note_ = new QLabel(this);
  note_->setWordWrap(true);
  layout->addWidget(note_);
  auto* buttons = new QHBoxLayout;
  update_ = new QPushButton(tr("&Update"), this);
  update_->setObjectName(QStringLiteral("CreateTwin"));
  update_->setToolTip(tr("Apply Twin"));
  update_->setAccessibleName(QStringLiteral("Update"));
  auto* close = new QPushButton(tr("C&lose"), this);
  close->setObjectName(QStringLiteral("closetwintool"));
  close->setAccessibleName(QStringLiteral("Close"));
  buttons->addWidget(update_);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  layout->addStretch(1);
  connect(update_, &QPushButton::clicked, this,
          [this] { form_.ToolEvent([this] { form_.CreateTwinClick(); }); });
  connect(close, &QPushButton::clicked, this,
          [this] { form_.ToolEvent([this] { form_.closetwintoolClick(); }); });
}

void TwinToolBox::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kToolsPart) && !changes.Has(kRegionsPart) && !changes.Has(kDocumentPart)) return;
  const DocumentSwitches& switches = state.switches;
  SetChecked(Choice(switches.twin), true);
  SetChecked(switches.rotationReciprocal ? reciprocal_ : real_, true);
  const bool reciprocal = switches.rotationReciprocal;
  axisLabel_->setText(ToQ(TwinAxisLabel(reciprocal)));
  throughLabel_->setText(ToQ(TwinThroughLabel(reciprocal)));
  texts_[kAxisText]->setAccessibleName(axisLabel_->text());
  texts_[kThroughText]->setAccessibleName(throughLabel_->text());
  SetText(face_, switches.twinTexts[kFaceText]);
  for (int text : {kAxisText, kThroughText, kAngleText, kCentreText})
    SetText(texts_[static_cast<std::size_t>(text)],
            switches.twinTexts[static_cast<std::size_t>(text)]);
  SetText(note_, state.tools.twin.note);
  note_->setVisible(!state.tools.twin.note.empty());
}

}  // namespace habitopia::gui
