#include "gui/status_bar_widget.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace habitopia::gui {

StatusBarWidget::StatusBarWidget(QStatusBar& bar) : bar_(bar) {
  bar.setObjectName(QStringLiteral("StatusBar1"));
  bar.setAccessibleName(QStringLiteral("Status bar"));
  bar.setSizeGripEnabled(false);
  const StatusPanels initial = InitialStatusPanels();
  for (int i = 0; i < kStatusPanelCount; ++i) {
    auto* label = new QLabel(QString::fromStdString(initial[i].text), &bar);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    label->setFixedWidth(initial[i].width);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    bar.addWidget(label);
    panels_[static_cast<std::size_t>(i)] = label;
  }
  progress_ = new QProgressBar(panels_[kPointGroupPanel]);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->setAccessibleName(QStringLiteral("Calculation progress"));
  progress_->setTextVisible(false);
  progress_->hide();
}

void StatusBarWidget::Show(const FormState& state, const FormChanges& changes) {
  if (changes.Has(kRegionsPart)) bar_.setVisible(state.regions.statusBar);
  if (!changes.Has(kStatusPart)) return;
  for (int i = 0; i < kStatusPanelCount; ++i) {
    QLabel* panel = panels_[static_cast<std::size_t>(i)];
    const QString text = QString::fromStdString(state.statusPanels[i].text);
    panel->setText(text);
    // Messages can be any length: that panel keeps its width and shows the
    // whole text as its tool tip, so no message widens the window.
    if (i == kMessagePanel) {
      panel->setToolTip(text);
      continue;
    }
    const int needed = panel->fontMetrics().horizontalAdvance(text) + 2 * panel->frameWidth() +
                       2 * panel->margin() + panel->fontMetrics().averageCharWidth();
    if (needed > panel->minimumWidth()) panel->setFixedWidth(needed);
  }
  progress_->setGeometry(panels_[kPointGroupPanel]->rect());
  progress_->setMaximum(state.progress.maximum);
  progress_->setValue(state.progress.position);
  progress_->setVisible(state.progress.visible);
}

}  // namespace habitopia::gui
