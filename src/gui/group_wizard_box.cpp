#include "gui/group_wizard_box.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/tool_box_widgets.h"

namespace habitopia::gui {

namespace {

constexpr int kEditNumbers[] = {10, 11, 12, 14};

}  // namespace

GroupWizardBox::GroupWizardBox(MainForm& form, QGroupBox* box) : QWidget(box), form_(form) {
  setObjectName(QStringLiteral("GroupWizardContents"));
  auto* outer = new QVBoxLayout(box);
  outer->setContentsMargins(2, 2, 2, 2);
  outer->addWidget(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  // Steps 1 to 3 do what they say when clicked.
  auto* step1 = new QPushButton(QString::fromLatin1(kWizardSteps[0]), this);
  auto* step2 = new QPushButton(QString::fromLatin1(kWizardSteps[1]), this);
  auto* step3 = new QPushButton(QString::fromLatin1(kWizardSteps[2]), this);
  for (QPushButton* step : {step1, step2, step3}) {
    step->setFlat(true);
    step->setAccessibleName(step->text());
    step->setStyleSheet(QStringLiteral("text-align: left"));
    layout->addWidget(step);
  }
  connect(step1, &QPushButton::clicked, this,
          [this] { form_.ToolEvent([this] { form_.MetriceditClick(); }); });
  connect(step2, &QPushButton::clicked, this, [this] {
    if (form_.State().Command(CommandId::Animation).checked) form_.Run(CommandId::Animation);
  });
  connect(step3, &QPushButton::clicked, this, [this] { form_.Run(CommandId::SaveData); });

  folder_ = new QLabel(this);
  folder_->setObjectName(QStringLiteral("Label4"));
  folder_->setWordWrap(true);
  layout->addWidget(folder_);
  auto* directory = new QPushButton(tr("&Group-Directory"), this);
  directory->setObjectName(QStringLiteral("GroupDirectory"));
  directory->setAccessibleName(QStringLiteral("Group-Directory"));
  layout->addWidget(directory);
  connect(directory, &QPushButton::clicked, this,
          [this] { form_.ToolEvent([this] { form_.GroupDirectoryClick(); }); });

  const char* names[] = {"Edit10", "Edit11", "Edit12", "Edit14"};
  const int steps[] = {4, 5, 6, 8};  // the step each edit belongs to
  const char* keys[] = {"&morphology", "te&nsor", "&structure", "group f&ile"};
  for (std::size_t i = 0; i < edits_.size(); ++i) {
    auto* label = new QLabel(QString::fromLatin1(kWizardSteps[steps[i]]), this);
    if (i == 3) layout->addWidget(new QLabel(QString::fromLatin1(kWizardSteps[7]), this));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(names[i]));
    edit->setAccessibleName(label->text());
    auto* row = new QHBoxLayout;
    auto* key = new QLabel(tr(keys[i]), this);
    key->setBuddy(edit);
    row->addWidget(key);
    row->addWidget(edit, 1);
    layout->addWidget(label);
    layout->addLayout(row);
    edits_[i] = edit;
    const int number = kEditNumbers[i];
    connect(edit, &QLineEdit::textEdited, this, [this, number](const QString& text) {
      form_.ToolEvent([&] { form_.GroupWizardTextChange(number, text.toStdString()); });
    });
  }

  auto* buttons = new QHBoxLayout;
  auto* cancel = new QPushButton(tr("CANCEL"), this);
  cancel->setObjectName(QStringLiteral("WizardCancel"));
  cancel->setAccessibleName(QStringLiteral("CANCEL"));
  accept_ = new QPushButton(tr("ACCEPT"), this);
  accept_->setObjectName(QStringLiteral("WizardAccept"));
  accept_->setAccessibleName(QStringLiteral("ACCEPT"));
  buttons->addWidget(cancel);
  buttons->addWidget(accept_);
  layout->addLayout(buttons);
  layout->addStretch(1);
  connect(cancel, &QPushButton::clicked, this,
          [this] { form_.ToolEvent([this] { form_.CANCELEDITClick(); }); });
  connect(accept_, &QPushButton::clicked, this,
          [this] { form_.ToolEvent([this] { form_.GroupAcceptClick(); }); });
}

void GroupWizardBox::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kToolsPart) && !changes.Has(kRegionsPart)) return;
  const GroupWizardState& wizard = state.tools.wizard;
  SetText(folder_, wizard.label4);
  const std::string* texts[] = {&wizard.edit10, &wizard.edit11, &wizard.edit12, &wizard.edit14};
  for (std::size_t i = 0; i < edits_.size(); ++i) SetText(edits_[i], *texts[i]);
}

}  // namespace habitopia::gui
