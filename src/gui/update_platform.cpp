#include "gui/update_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace habitopia::gui {

QtUpdateTimers::QtUpdateTimers(std::function<void(UpdateTimer)> expired) {
  step_.setSingleShot(true);
  watchdog_.setSingleShot(true);
  QObject::connect(&step_, &QTimer::timeout, [expired] { expired(UpdateTimer::Step); });
  QObject::connect(&watchdog_, &QTimer::timeout, [expired] { expired(UpdateTimer::Watchdog); });
}

void QtUpdateTimers::Start(UpdateTimer timer, int milliseconds) {
  Timer(timer).start(milliseconds);
}

void QtUpdateTimers::Stop(UpdateTimer timer) { Timer(timer).stop(); }

QTimer& QtUpdateTimers::Timer(UpdateTimer timer) {
  return timer == UpdateTimer::Step ? step_ : watchdog_;
}

const QTimer& QtUpdateTimers::Timer(UpdateTimer timer) const {
  return timer == UpdateTimer::Step ? step_ : watchdog_;
}

void MessageBoxUpdateDialogs::ShowMessage(const std::string& text) {
  QMessageBox::information(parent_, QCoreApplication::applicationName(),
                           QString::fromStdString(text));
}

bool MessageBoxUpdateDialogs::AskYesNo(const std::string& text) {
  return QMessageBox::warning(parent_, QStringLiteral("Warning"), QString::fromStdString(text),
                              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool DesktopUpdateShell::OpenDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void DesktopUpdateShell::EndProgram() {
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}

}  // namespace habitopia::gui
