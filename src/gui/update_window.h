#pragma once
// The update window TFormupdate: progress bar, percentage and what the update
// check is doing. It owns the check's network client and timers and gives them
// to the form.

#include <QDialog>

#include "gui/network_downloader.h"
#include "gui/update_platform.h"

class QLabel;
class QProgressBar;

namespace habitopia {
class MainForm;
}

namespace habitopia::gui {

class UpdateWindow : public QDialog {
  Q_OBJECT

 public:
  // The server is $HABITOPIA_UPDATE_URL or the built-in address; the version
  // file and the installer go to `workDirectory`.
  UpdateWindow(MainForm& form, const QString& workDirectory, QWidget* parent = nullptr);

  QProgressBar* Progress() const { return progress_; }

 private:
  void ShowChecker();

  MainForm& form_;
  NetworkDownloader downloader_;
  QtUpdateTimers timers_;
  QProgressBar* progress_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
};

}  // namespace habitopia::gui
