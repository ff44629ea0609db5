#include "gui/history_panel.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/program_texts.h"

namespace habitopia::gui {

HistoryPanel::HistoryPanel(QWidget* parent) : QGroupBox(tr("History"), parent) {
  setObjectName(QStringLiteral("Panel21"));
  setAccessibleName(tr("History"));
  auto* layout = new QVBoxLayout(this);
  memo_ = new QPlainTextEdit(QString::fromStdString(HistoryText()), this);
  memo_->setObjectName(QStringLiteral("HistoryMemo"));
  memo_->setAccessibleName(tr("History"));
  memo_->setReadOnly(true);
  layout->addWidget(memo_);
}

}  // namespace habitopia::gui
