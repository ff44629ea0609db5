#include "gui/main_window.h"

#include <QDockWidget>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QStackedLayout>
#include <QStatusBar>
#include <cstdio>

#include "gui/tables_panel.h"
#include "gui/vrml_viewer.h"

namespace habitopia::gui {

MainWindow::MainWindow(const QString& pageDirectory, const QString& workDirectory, QWidget* parent)
    : QMainWindow(parent) {
  setObjectName(QStringLiteral("THabitopiaform"));

  panel1_ = new QFrame(this);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1Layout_ = new QStackedLayout(panel1_);
  panel1Layout_->setStackingMode(QStackedLayout::StackAll);
  panel1Layout_->setContentsMargins(0, 0, 0, 0);

  // The caption lies over the viewer while it draws nothing; the viewer keeps
  // running underneath so that its first frame is ready when the caption goes.
  caption_ = new QLabel(QString::fromUtf8(kNoModelRendered), panel1_);
  caption_->setObjectName(QStringLiteral("Panel1Caption"));
  caption_->setAlignment(Qt::AlignCenter);
  caption_->setWordWrap(true);
  caption_->setAutoFillBackground(true);
  viewer_ = new VrmlViewer(pageDirectory, workDirectory, panel1_);
  viewer_->setObjectName(QStringLiteral("Cortona1"));
  panel1Layout_->addWidget(viewer_);
  panel1Layout_->addWidget(caption_);
  caption_->raise();
  setCentralWidget(panel1_);

  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  const StatusPanels initial = InitialStatusPanels();
  for (int i = 0; i < kStatusPanelCount; ++i) {
    auto* label = new QLabel(QString::fromStdString(initial[i].text), bar);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    label->setFixedWidth(initial[i].width);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    bar->addWidget(label);
    panels_[static_cast<std::size_t>(i)] = label;
  }
  // The calculation's progress bar lies over the first panel.
  progress_ = new QProgressBar(panels_[kPointGroupPanel]);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->setTextVisible(false);
  progress_->hide();

  timers_ = new QtTimers([this](TimerId id) { form_->TimerFired(id); }, this);
  form_ = std::make_unique<MainForm>(FormPorts{*viewer_, dialogs_, *timers_, clipboard_, shell_},
                                     workDirectory.toStdString());
  form_->SetStateChanged([this](const FormChanges& changes) { ShowState(changes); });

  auto* tablesDock = new QDockWidget(this);
  tablesDock->setObjectName(QStringLiteral("TablesDock"));
  tablesDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
  tablesDock->setTitleBarWidget(new QWidget(tablesDock));
  tables_ = new TablesPanel(*form_, tablesDock);
  tablesDock->setWidget(tables_);
  addDockWidget(Qt::LeftDockWidgetArea, tablesDock);
  resize(900, 600);
  ShowState(FormChanges{kAllParts, {}});
}

MainWindow::~MainWindow() {
  form_->SetStateChanged(nullptr);
}

void MainWindow::ShowState(const FormChanges& changes) {
  const FormState& state = form_->State();
  tables_->Show(state, changes);
  setWindowTitle(QString::fromStdString(state.caption));
  caption_->setText(QString::fromStdString(state.panel1Caption));
  caption_->setVisible(!state.sceneShown);
  statusBar()->setVisible(state.regions.statusBar);
  for (int i = 0; i < kStatusPanelCount; ++i)
    panels_[static_cast<std::size_t>(i)]->setText(QString::fromStdString(state.statusPanels[i].text));
  progress_->setGeometry(panels_[kPointGroupPanel]->rect());
}

}  // namespace habitopia::gui
