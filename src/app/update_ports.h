#pragma once
// What the update checker needs from the window besides the downloader: message
// boxes, its two one-shot timers, and the shell that starts the installer and
// ends the program.

#include <string>

namespace habitopia {

class UpdateDialogs {
 public:
  virtual ~UpdateDialogs() = default;
  // An information box with the text; lines are separated by "\n".
  virtual void ShowMessage(const std::string& text) = 0;
  // A question with the caption "Warning" and the buttons Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
};

// Timer1 drives the checker's steps; Timer2 is the connection watchdog.
enum class UpdateTimer { Step, Watchdog };

class UpdateTimers {
 public:
  virtual ~UpdateTimers() = default;
  // Starts (or restarts) the one-shot timer; when it expires the window calls
  // UpdateChecker::Timer1Timer or Timer2Timer.
  virtual void Start(UpdateTimer timer, int milliseconds) = 0;
  virtual void Stop(UpdateTimer timer) = 0;
};

class UpdateShell {
 public:
  virtual ~UpdateShell() = default;
  // Opens the file with the desktop's default action; false when that fails.
  virtual bool OpenDocument(const std::string& path) = 0;
  // Ends this program the normal way, so that the installer can replace it.
  virtual void EndProgram() = 0;
};

}  // namespace habitopia
