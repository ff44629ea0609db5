#include "gui/update_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "app/main_form.h"

namespace habitopia::gui {

UpdateWindow::UpdateWindow(MainForm& form, const QString& workDirectory, QWidget* parent)
    : QDialog(parent),
      form_(form),
      timers_([&form](UpdateTimer timer) { form.UpdateTimerFired(timer); }) {
  setObjectName(QStringLiteral("Formupdate"));
  setWindowTitle(QStringLiteral("Habitopia Update"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  label2_ = new QLabel(this);
  label2_->setObjectName(QStringLiteral("Label2"));
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->setAccessibleName(tr("Download progress"));
  progress_->setTextVisible(false);
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(label2_);
  layout->addWidget(progress_);
  layout->addWidget(label1_);
  resize(360, 110);

  const EnvironmentLookup environment = ProcessEnvironment();
  UpdateSettings settings;
  settings.baseUrl = UpdateBaseUrl(environment, {});
  settings.watchdogMs = UpdateWatchdogMs(environment);
  settings.workDirectory = workDirectory.toStdString();
  settings.programPath = QCoreApplication::applicationFilePath().toStdString();
  form_.SetUpdateServices(downloader_, timers_, settings);
  form_.Updates()->SetWindowChanged([this] { ShowChecker(); });
}

void UpdateWindow::ShowChecker() {
  const habitopia::UpdateWindow& window = form_.Updates()->Window();
  // The bar counts in steps that fit its int range.
  const std::int64_t maximum = std::max<std::int64_t>(window.progressMax, 1);
  const std::int64_t step = maximum / std::numeric_limits<int>::max() + 1;
  progress_->setRange(0, static_cast<int>(maximum / step));
  progress_->setValue(
      static_cast<int>(std::clamp<std::int64_t>(window.progressValue, 0, maximum) / step));
  label1_->setText(QString::fromStdString(window.label1));
  label2_->setText(QString::fromStdString(window.label2));
  setVisible(window.visible);
}

}  // namespace habitopia::gui
