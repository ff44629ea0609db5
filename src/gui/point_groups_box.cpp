#include "gui/point_groups_box.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

#include "symmetry/point_groups.h"

namespace habitopia::gui {

PointGroupsBox::PointGroupsBox(MainForm& form, QWidget* parent)
    : QGroupBox(QStringLiteral("Point Groups"), parent), form_(form) {
  setObjectName(QStringLiteral("GroupBox1"));
  setAccessibleName(title());
  auto* layout = new QGridLayout(this);
  constexpr int kColumns = 4;
  for (int n = 1; n <= kPointGroupCount; ++n) {
    const PointGroup& group = GetPointGroup(n);
    auto* button = new QRadioButton(
        QString::fromUtf8(group.symbol.data(), static_cast<int>(group.symbol.size())), this);
    button->setObjectName(QStringLiteral("RadioButton%1").arg(n));
    button->setAccessibleName(button->text());
    if (!group.hint.empty())
      button->setToolTip(QString::fromUtf8(group.hint.data(), static_cast<int>(group.hint.size())));
    layout->addWidget(button, (n - 1) / kColumns, (n - 1) % kColumns);
    connect(button, &QRadioButton::toggled, this, [this, n](bool on) {
      if (on) form_.PointGroupRadioClick(n);
    });
    buttons_[static_cast<std::size_t>(n - 1)] = button;
  }
}

void PointGroupsBox::Show(const FormState& state) {
  const int choice = state.tables.pointGroupChoice;
  if (choice >= 1 && choice <= kPointGroupCount && !Button(choice)->isChecked()) {
    const QSignalBlocker block(Button(choice));
    Button(choice)->setChecked(true);
  }
  setVisible(state.regions.toolBox == ToolBox::PointGroups);
}

void PointGroupsBox::mouseDoubleClickEvent(QMouseEvent*) { form_.Edit1DblClick(); }

}  // namespace habitopia::gui
