#include "gui/cell_boxes.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/key_forwarding.h"

namespace habitopia::gui {

CellBoxes::CellBoxes(MainForm& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName(QStringLiteral("Metric"));
  setAccessibleName(QStringLiteral("Metric"));
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  static const char* const kNames[] = {"a", "b", "c", "alpha", "beta", "gamma"};
  for (int box = 0; box < 6; ++box) {
    auto* label = new QLabel(QString::fromLatin1(kNames[box]), this);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Edit%1").arg(box + 4));
    edit->setAccessibleName(label->text());
    label->setBuddy(edit);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this,
            [this, box](const QString& text) { form_.Edit4Change(box, text.toStdString()); });
    layout->addWidget(label, box / 3, (box % 3) * 2);
    layout->addWidget(edit, box / 3, (box % 3) * 2 + 1);
    boxes_[static_cast<std::size_t>(box)] = edit;
  }
  close_ = new QPushButton(QStringLiteral("CLOSE"), this);
  close_->setObjectName(QStringLiteral("MetricClose"));
  close_->setAccessibleName(close_->text());
  connect(close_, &QPushButton::clicked, this, [this] { form_.SpeedButton17Click(); });
  layout->addWidget(close_, 2, 0, 1, 6);
}

bool CellBoxes::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* edit = qobject_cast<QLineEdit*>(watched);
  const int box = static_cast<int>(std::find(boxes_.begin(), boxes_.end(), edit) - boxes_.begin());
  return ForwardKey(static_cast<QKeyEvent*>(event), edit,
                    [this, box](char key) { return form_.Edit4KeyPress(box, key); });
}

void CellBoxes::Show(const FormState& state) {
  for (int box = 0; box < 6; ++box) {
    const EditBox& source = state.tables.cellEdits[static_cast<std::size_t>(box)];
    QLineEdit* edit = Box(box);
    const QString text = QString::fromStdString(source.text);
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(source.enabled);
  }
  close_->setVisible(state.tables.metricBox);
}

}  // namespace habitopia::gui
