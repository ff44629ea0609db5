#pragma once
// The main window: the viewer fills Panel1, the status bar StatusBar1 sits below.
// It shows the FormState of the MainForm and holds no behaviour of its own.

#include <QMainWindow>
#include <array>
#include <memory>

#include "app/main_form.h"
#include "gui/qt_ports.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QStackedLayout;

namespace habitopia::gui {

class TablesPanel;
class VrmlViewer;
class CommandActions;
class StatusBarWidget;

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

  // Copies the form's state into the widgets.
  void ShowState(const FormChanges& changes);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  VrmlViewer* viewer_ = nullptr;
  QtDialogs dialogs_{this};
  QtTimers* timers_ = nullptr;
  QtClipboard clipboard_;
  QtShell shell_;
  std::unique_ptr<MainForm> form_;
  QWidget* panel1_ = nullptr;
  QStackedLayout* panel1Layout_ = nullptr;
  QLabel* caption_ = nullptr;
  TablesPanel* tables_ = nullptr;
  CommandActions* actions_ = nullptr;
  std::unique_ptr<StatusBarWidget> status_;
  QPushButton* cancel_ = nullptr;
};

}  // namespace habitopia::gui
