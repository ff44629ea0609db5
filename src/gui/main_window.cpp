#include "gui/main_window.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedLayout>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>

#include "gui/choice_buttons.h"
#include "gui/command_actions.h"
#include "gui/command_icons.h"
#include "gui/information_panels.h"
#include "gui/logo_widget.h"
#include "gui/splash_window.h"
#include "gui/status_bar_widget.h"
#include "gui/stereogram_panel.h"
#include "gui/tables_panel.h"
#include "gui/tool_box_contents.h"
#include "gui/tool_box_host.h"
#include "gui/update_window.h"
#include "gui/utility_panel.h"
#include "gui/viewer_controls_panel.h"
#include "gui/vrml_viewer.h"

namespace habitopia::gui {

MainWindow::MainWindow(const QString& pageDirectory, const QString& workDirectory, QWidget* parent)
    : QMainWindow(parent) {
  InstallChoiceButtonAccessibility();
  setObjectName(QStringLiteral("THabitopiaform"));
  setWindowIcon(NamedIcon(QStringLiteral("habitopia")));

  // The viewer exists before the form, which talks to it.
  panel1_ = new QFrame(this);
  viewer_ = new VrmlViewer(pageDirectory, workDirectory, panel1_);
  timers_ = new QtTimers([this](TimerId id) { form_->TimerFired(id); }, this);
  form_ = std::make_unique<MainForm>(FormPorts{*viewer_, dialogs_, *timers_, clipboard_, shell_},
                                     workDirectory.toStdString());
  form_->SetDesktopServices(
      {nullptr, nullptr, QCoreApplication::applicationFilePath().toStdString()});
  updates_ = new UpdateWindow(*form_, workDirectory, this);
  BuildRegions();
  toolContents_ = std::make_unique<ToolBoxContents>(*form_, *toolBoxes_);

  status_ = std::make_unique<StatusBarWidget>(*statusBar());
  // While a calculation runs this is the one live control.
  cancel_ = new QPushButton(QStringLiteral("CANCEL"), statusBar());
  cancel_->setObjectName(QStringLiteral("CANCELEDIT"));
  cancel_->setAccessibleName(QStringLiteral("CANCEL"));
  cancel_->hide();
  statusBar()->addPermanentWidget(cancel_);
  setAcceptDrops(true);
  connect(cancel_, &QPushButton::clicked, this, [this] { form_->CANCELEDITClick(); });
  splash_ = new SplashWindow(*form_, this);
  logo_ = new LogoWidget(*form_, *this, *panel1_, *statusBar(), *utilities_);

  actions_ = new CommandActions(*form_, *this);
  for (const Command& command : Commands()) {
    const QIcon icon = CommandIcon(command.id);
    if (icon.isNull()) continue;
    QAction* action = actions_->Action(command.id);
    action->setIcon(icon);
    action->setIconVisibleInMenu(false);  // menus show their check marks
  }
  form_->SetStateChanged([this](const FormChanges& changes) { ShowState(changes); });

  resize(640, 480);
  ShowState(FormChanges{kAllParts, {}});
  NameUnnamedControls();
  // The tables region is never narrower than its own controls need.
  const int tablesWidth = panel3_->minimumSizeHint().width();
  tablesArea_->setMinimumWidth(tablesWidth);
  splitter_->setSizes({std::max(230, tablesWidth), 640 - std::max(230, tablesWidth)});
}

MainWindow::~MainWindow() {
  form_->SetStateChanged(nullptr);
  // The logo watches the window and its panels, and the panels talk to the
  // form: they go while all of those are still there.
  delete logo_;
  logo_ = nullptr;
  delete takeCentralWidget();
  tables_ = nullptr;
}

QLabel* MainWindow::StatusPanel(int index) const { return status_->Panel(index); }

QProgressBar* MainWindow::Progress() const { return status_->Progress(); }

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

void MainWindow::BuildRegions() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Regions"));
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  splitter_ = new QSplitter(Qt::Horizontal, central);
  splitter_->setObjectName(QStringLiteral("RegionSplitter"));
  splitter_->setAccessibleName(tr("Tables and viewer"));
  splitter_->setChildrenCollapsible(false);
  splitter_->setHandleWidth(4);

  // Tables, and the tool boxes over them.
  tablesArea_ = new QWidget(splitter_);
  tablesArea_->setObjectName(QStringLiteral("TablesArea"));
  auto* tablesLayout = new QStackedLayout(tablesArea_);
  tablesLayout->setStackingMode(QStackedLayout::StackAll);
  panel3_ = new QFrame(tablesArea_);
  panel3_->setObjectName(QStringLiteral("Panel3"));
  panel3_->setAccessibleName(tr("Tables"));
  auto* panel3Layout = new QVBoxLayout(panel3_);
  panel3Layout->setContentsMargins(4, 4, 4, 4);
  tables_ = new TablesPanel(*form_, panel3_);
  panel3Layout->addWidget(tables_);
  toolBoxes_ = new ToolBoxHost(tablesArea_);
  tablesLayout->addWidget(panel3_);
  tablesLayout->addWidget(toolBoxes_);

  // The viewer, and its controls beside it.
  auto* viewerArea = new QWidget(splitter_);
  viewerArea->setObjectName(QStringLiteral("ViewerArea"));
  auto* viewerLayout = new QHBoxLayout(viewerArea);
  viewerLayout->setContentsMargins(0, 0, 0, 0);
  viewerLayout->setSpacing(0);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setAccessibleName(tr("Crystal"));
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
  viewer_->setObjectName(QStringLiteral("Cortona1"));
  viewer_->setAccessibleName(QString::fromUtf8(kViewerAccessibleName));
  viewer_->View()->setAccessibleName(QString::fromUtf8(kViewerAccessibleName));
  panel1Layout_->addWidget(viewer_);
  panel1Layout_->addWidget(caption_);
  caption_->raise();
  information_ = new InformationPanels(*form_, panel1_);
  panel1Layout_->addWidget(information_);
  viewerLayout->addWidget(panel1_, 1);
  stereogram_ = new StereogramPanel(viewerArea);
  viewerLayout->addWidget(stereogram_);
  viewerControls_ = new ViewerControlsPanel(*form_, viewerArea);
  viewerLayout->addWidget(viewerControls_);

  splitter_->addWidget(tablesArea_);
  splitter_->addWidget(viewerArea);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({230, 410});
  layout->addWidget(splitter_, 1);

  utilities_ = new UtilityPanel(*form_, central);
  layout->addWidget(utilities_);
  setCentralWidget(central);

  // A double click on the viewer shows or hides its controls; a right click
  // copies its picture.
  viewer_->View()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(viewer_->View(), &QWidget::customContextMenuRequested, this,
          [this] { form_->Cortona1RightClick(); });
  viewer_->View()->installEventFilter(this);
  if (QWidget* proxy = viewer_->View()->focusProxy()) proxy->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ChildAdded && watched == viewer_->View()) {
    // WebEngine draws through a child widget that gets the mouse.
    if (QWidget* proxy = viewer_->View()->focusProxy()) proxy->installEventFilter(this);
  } else if (event->type() == QEvent::MouseButtonDblClick &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    form_->Cortona1DblClick();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (form_) form_->FormResize();
}

void MainWindow::ShowRegions(const FormState& state) {
  const Regions& regions = state.regions;
  panel3_->setVisible(regions.tables);
  tablesArea_->setVisible(regions.tables || regions.toolBox != ToolBox::None);
}

void MainWindow::ShowViewerBackground(const FormState& state) {
  const Rgb& sky = state.display.settings.backgroundColour;
  const QColor background(sky.red, sky.green, sky.blue);
  QPalette palette = caption_->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, background.lightnessF() < 0.5 ? Qt::white : Qt::black);
  caption_->setPalette(palette);
}

void MainWindow::ShowViewerDescription(const FormState& state) {
  const QString description = QString::fromStdString(state.viewerDescription);
  for (QWidget* view : std::initializer_list<QWidget*>{viewer_, viewer_->View()}) {
    if (view->accessibleDescription() == description) continue;
    view->setAccessibleDescription(description);
    QAccessibleEvent changed(view, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

void MainWindow::NameUnnamedControls() {
  for (QSplitterHandle* handle : findChildren<QSplitterHandle*>())
    if (handle->accessibleName().isEmpty())
      handle->setAccessibleName(QStringLiteral("Divider between tables and viewer"));
  for (QAbstractScrollArea* area : findChildren<QAbstractScrollArea*>()) {
    QString owner = area->accessibleName();
    for (QWidget* up = area->parentWidget(); owner.isEmpty() && up; up = up->parentWidget())
      owner = up->accessibleName();
    if (area->accessibleName().isEmpty()) area->setAccessibleName(owner);
    for (auto [bar, side] : {std::pair{area->horizontalScrollBar(), QStringLiteral("horizontal")},
                             std::pair{area->verticalScrollBar(), QStringLiteral("vertical")}})
      if (bar && bar->accessibleName().isEmpty())
        bar->setAccessibleName(QStringLiteral("%1 %2 scroll bar").arg(owner, side).trimmed());
  }
}

void MainWindow::WidenTablesAreaForToolBox(ToolBox shown) {
  // Once per box opened: a width the user then drags to stays.
  if (shown == widenedFor_) return;
  widenedFor_ = shown;
  const int wanted = toolBoxes_->WidthWanted();
  QList<int> sizes = splitter_->sizes();
  if (wanted <= 0 || sizes.size() != 2 || sizes[0] >= wanted) return;
  // The viewer keeps at least half of the room.
  const int total = sizes[0] + sizes[1];
  sizes[0] = std::min(wanted, total / 2);
  sizes[1] = total - sizes[0];
  splitter_->setSizes(sizes);
}

void MainWindow::ShowState(const FormChanges& changes) {
  const FormState& state = form_->State();
  setWindowTitle(QString::fromStdString(state.caption));
  caption_->setText(QString::fromStdString(state.panel1Caption));
  caption_->setVisible(!state.sceneShown);
  ShowViewerDescription(state);
  if (changes.Has(kRegionsPart)) ShowRegions(state);
  if (changes.Has(kDisplayPart)) ShowViewerBackground(state);
  tables_->Show(state, changes);
  toolBoxes_->Show(state, changes);
  toolContents_->Show(state, changes);
  if (changes.Has(kRegionsPart)) WidenTablesAreaForToolBox(state.regions.toolBox);
  viewerControls_->Show(state, changes);
  utilities_->Show(state, changes);
  status_->Show(state, changes);
  actions_->Show(state, changes);
  information_->Show(state, changes);
  splash_->Show(state, changes);
  logo_->Show(state, changes);
  cancel_->setVisible(state.regions.locked);
  stereogram_->Show(state, changes);
  if (state.pictures.normalWindowRequests != normalWindowRequests_) {
    normalWindowRequests_ = state.pictures.normalWindowRequests;
    if (isMaximized() || isFullScreen()) showNormal();
  }
  if (state.closeRequested) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

}  // namespace habitopia::gui
