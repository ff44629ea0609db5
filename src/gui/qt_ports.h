#pragma once
// The controller's ports on Qt: message boxes and common dialogs, one-shot
// timers, the clipboard and the desktop's default programs.

#include <QLockFile>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "app/clipboard.h"
#include "app/dialogs.h"
#include "app/instance_lock.h"
#include "app/shell.h"
#include "app/timers.h"

class QWidget;

namespace habitopia::gui {

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}
  void Message(const std::string& text, const std::string& caption) override;
  Answer Ask(const std::string& text, const std::string& caption, QuestionButtons buttons) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<Rgb> Colour(const Rgb& initial) override;
  std::optional<FontChoice> Font(const FontChoice& initial) override;
  std::optional<FontChoice> LabelFont(const FontChoice& initial,
                                      const std::function<void(const FontChoice&)>& apply) override;
  std::optional<std::string> Folder(const std::string& initial) override;

 private:
  QWidget* parent_;
};

class QtTimers : public QObject, public Timers {
  Q_OBJECT

 public:
  explicit QtTimers(std::function<void(TimerId)> fired, QObject* parent = nullptr);
  void Start(TimerId id) override;
  void Stop(TimerId id) override;
  bool Pending(TimerId id) const override;
  void ProcessMessages() override;

 private:
  std::array<QTimer, kTimerCount> timers_;
  std::function<void(TimerId)> fired_;
};

class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override;
  bool SetImage(const ViewerImage& image) override;
};

class QtShell : public Shell {
 public:
  bool Open(const std::string& documentOrUrl) override;
};

// A lock file in the user's working directory; a stale lock of a crashed
// process is taken over.
class QtInstanceLock : public InstanceLock {
 public:
  explicit QtInstanceLock(const QString& path) : lock_(path) { lock_.setStaleLockTime(0); }
  bool TryAcquire() override { return lock_.tryLock(0); }
  void Release() override { lock_.unlock(); }

 private:
  QLockFile lock_;
};

}  // namespace habitopia::gui
