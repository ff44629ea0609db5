#pragma once
// The main window: the tables region Panel3 (with the tool boxes laid over it)
// on the left; the viewer Panel1 with the viewer controls Panel11 on the right;
// the utility panel panel2 below; the status bar StatusBar1 at the bottom. It
// shows the FormState of the MainForm and holds no behaviour of its own.

#include <QMainWindow>
#include <memory>

#include "app/main_form.h"
#include "gui/qt_ports.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStackedLayout;

namespace habitopia::gui {

class CommandActions;
class InformationPanels;
class LogoWidget;
class SplashWindow;
class StatusBarWidget;
class StereogramPanel;
class TablesPanel;
class ToolBoxHost;
class ToolBoxContents;
class UpdateWindow;
class UtilityPanel;
class ViewerControlsPanel;
class VrmlViewer;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(const QString& pageDirectory, const QString& workDirectory, QWidget* parent = nullptr);
  ~MainWindow() override;

  MainForm& Form() { return *form_; }
  VrmlViewer& Viewer() { return *viewer_; }
  TablesPanel& Tables() { return *tables_; }

  QLabel* StatusPanel(int index) const;
  QProgressBar* Progress() const;
  QLabel* Panel1Caption() const { return caption_; }
  CommandActions& Actions() { return *actions_; }
  QPushButton* CancelButton() const { return cancel_; }
  // The tables region: the face tables put their panel in here.
  QWidget* TablesRegion() const { return panel3_; }
  ToolBoxHost& ToolBoxes() const { return *toolBoxes_; }
  ToolBoxContents& ToolContents() const { return *toolContents_; }
  StereogramPanel& Stereogram() const { return *stereogram_; }
  SplashWindow& Splash() const { return *splash_; }
  LogoWidget& Logo() const { return *logo_; }
  InformationPanels& Information() const { return *information_; }

  // Copies the form's state into the widgets.
  void ShowState(const FormChanges& changes);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildRegions();
  void ShowRegions(const FormState& state);
  // Opening a tool box widens the tables region until the box shows whole.
  void WidenTablesAreaForToolBox(ToolBox shown);
  void ShowViewerBackground(const FormState& state);
  // The 3D view's description says what it shows (for assistive tools).
  void ShowViewerDescription(const FormState& state);
  // Splitter handles and scroll bars get names from the region they serve.
  void NameUnnamedControls();

  VrmlViewer* viewer_ = nullptr;
  QtDialogs dialogs_{this};
  QtTimers* timers_ = nullptr;
  QtClipboard clipboard_;
  QtShell shell_;
  std::unique_ptr<MainForm> form_;
  QSplitter* splitter_ = nullptr;
  QWidget* tablesArea_ = nullptr;  // Panel3 with the tool boxes over it
  QWidget* panel3_ = nullptr;
  ToolBoxHost* toolBoxes_ = nullptr;
  std::unique_ptr<ToolBoxContents> toolContents_;
  QWidget* panel1_ = nullptr;
  QStackedLayout* panel1Layout_ = nullptr;
  QLabel* caption_ = nullptr;
  TablesPanel* tables_ = nullptr;
  ViewerControlsPanel* viewerControls_ = nullptr;
  UtilityPanel* utilities_ = nullptr;
  InformationPanels* information_ = nullptr;
  LogoWidget* logo_ = nullptr;
  CommandActions* actions_ = nullptr;
  std::unique_ptr<StatusBarWidget> status_;
  QPushButton* cancel_ = nullptr;
  StereogramPanel* stereogram_ = nullptr;
  SplashWindow* splash_ = nullptr;
  UpdateWindow* updates_ = nullptr;
  int normalWindowRequests_ = 0;        // the picture commands' requests already followed
  ToolBox widenedFor_ = ToolBox::None;  // the tool box the tables region last widened for
};

}  // namespace habitopia::gui
