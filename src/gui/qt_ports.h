#pragma once
// The controller's ports on Qt: message boxes and common dialogs, one-shot
// timers, the clipboard and the desktop's default programs.

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "app/clipboard.h"
#include "app/dialogs.h"
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

}  // namespace habitopia::gui
