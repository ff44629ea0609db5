#pragma once
// The update checker's timers, message boxes and shell in the window toolkit.

#include <QObject>
#include <QTimer>
#include <functional>

#include "app/update_ports.h"

class QWidget;

namespace habitopia::gui {

// Two one-shot timers; `expired` runs on the event loop when one fires (the
// window calls the checker's Timer1Timer or Timer2Timer from it).
class QtUpdateTimers : public UpdateTimers {
 public:
  explicit QtUpdateTimers(std::function<void(UpdateTimer)> expired);
  void Start(UpdateTimer timer, int milliseconds) override;
  void Stop(UpdateTimer timer) override;
  bool IsActive(UpdateTimer timer) const { return Timer(timer).isActive(); }

 private:
  QTimer& Timer(UpdateTimer timer);
  const QTimer& Timer(UpdateTimer timer) const;
  QTimer step_;
  QTimer watchdog_;
};

class MessageBoxUpdateDialogs : public UpdateDialogs {
 public:
  explicit MessageBoxUpdateDialogs(QWidget* parent) : parent_(parent) {}
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  QWidget* parent_;
};

// Opens files with the desktop's default program; ends the program by leaving
// the event loop once the current handler has returned.
class DesktopUpdateShell : public UpdateShell {
 public:
  bool OpenDocument(const std::string& path) override;
  void EndProgram() override;
};

}  // namespace habitopia::gui
