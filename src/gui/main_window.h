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
class QStackedLayout;

namespace habitopia::gui {

class TablesPanel;
class VrmlViewer;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(const QString& pageDirectory, const QString& workDirectory, QWidget* parent = nullptr);
  ~MainWindow() override;

  MainForm& Form() { return *form_; }
  VrmlViewer& Viewer() { return *viewer_; }
  TablesPanel& Tables() { return *tables_; }

  QLabel* StatusPanel(int index) const { return panels_[static_cast<std::size_t>(index)]; }
  QLabel* Panel1Caption() const { return caption_; }

  // Copies the form's state into the widgets.
  void ShowState(const FormChanges& changes);

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
  QProgressBar* progress_ = nullptr;
  std::array<QLabel*, kStatusPanelCount> panels_{};
  TablesPanel* tables_ = nullptr;
};

}  // namespace habitopia::gui
