#include "gui/main_window.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedLayout>
#include <QStatusBar>
#include <QUrl>
#include <cstdio>

#include "gui/command_actions.h"
#include "gui/status_bar_widget.h"
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

  status_ = std::make_unique<StatusBarWidget>(*statusBar());
  // While a calculation runs this is the one live control.
  cancel_ = new QPushButton(QStringLiteral("CANCEL"), statusBar());
  cancel_->setObjectName(QStringLiteral("CANCELEDIT"));
  cancel_->setAccessibleName(QStringLiteral("CANCEL"));
  cancel_->hide();
  statusBar()->addPermanentWidget(cancel_);
  setAcceptDrops(true);

  timers_ = new QtTimers([this](TimerId id) { form_->TimerFired(id); }, this);
  form_ = std::make_unique<MainForm>(FormPorts{*viewer_, dialogs_, *timers_, clipboard_, shell_},
                                     workDirectory.toStdString());
  connect(cancel_, &QPushButton::clicked, this, [this] { form_->CANCELEDITClick(); });
  actions_ = new CommandActions(*form_, *this);
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
  // The tables talk to the form: they go while it is still there.
  delete tables_;
  tables_ = nullptr;
}

QLabel* MainWindow::StatusPanel(int index) const { return status_->Panel(index); }

QProgressBar* MainWindow::Progress() const { return status_->Progress(); }

void MainWindow::ShowState(const FormChanges& changes) {
  const FormState& state = form_->State();
  tables_->Show(state, changes);
  setWindowTitle(QString::fromStdString(state.caption));
  caption_->setText(QString::fromStdString(state.panel1Caption));
  caption_->setVisible(!state.sceneShown);
  status_->Show(state, changes);
  actions_->Show(state, changes);
  cancel_->setVisible(state.regions.locked);
  if (state.closeRequested) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (form_->FormClose(width(), height()))
    event->accept();
  else
    event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  event->acceptProposedAction();
  form_->DropFiles(paths);
}

}  // namespace habitopia::gui
