#pragma once
// Scripted stand-ins for the controller's ports: tests queue the user's answers,
// fire timers by hand and read back what the form asked for.

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/clipboard.h"
#include "app/dialogs.h"
#include "app/main_form.h"
#include "app/shell.h"
#include "app/timers.h"
#include "app/viewer.h"

namespace habitopia::test {

// Records what the form asks of the viewer; the test decides how loads end.
class FakeViewer : public Viewer {
 public:
  void SetLoadFinishedHandler(LoadFinished handler) override { handler_ = std::move(handler); }
  void LoadScene(const std::string& path) override { loads.push_back(path); }
  std::optional<ViewerCamera> Camera() override { return camera; }
  bool SetCamera(const ViewerCamera& value) override;
  bool Command(ViewerCommand command) override;
  bool SetHeadlight(bool on) override;
  std::string RendererName() const override { return std::string(kOpenGLRendererName); }
  std::optional<ViewerImage> GrabFrame(int) override { return frame; }
  void SetAnimationFraction(double fraction) override { animationFractions.push_back(fraction); }
  void ResumeAnimation() override { ++resumes; }

  // Ends the last load as the browser would.
  void Finish(SceneLoadResult result) { handler_(result); }
  void FinishOk() { Finish(SceneLoadResult{true, {}, {}}); }

  std::vector<std::string> loads;
  std::vector<ViewerCommand> commands;
  std::vector<ViewerCamera> camerasSet;
  std::vector<bool> headlights;
  std::vector<double> animationFractions;
  int resumes = 0;
  std::optional<ViewerCamera> camera;
  std::optional<ViewerImage> frame;

 private:
  LoadFinished handler_;
};

// Every message and question is recorded; questions take the queued answers in
// order and fail the test when none is queued.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    std::string text;
    std::string caption;
  };

  void Message(const std::string& text, const std::string& caption) override;
  Answer Ask(const std::string& text, const std::string& caption, QuestionButtons buttons) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<Rgb> Colour(const Rgb& initial) override;
  std::optional<FontChoice> Font(const FontChoice& initial) override;
  // Presses Apply with each of `applied` before answering from `fonts`.
  std::optional<FontChoice> LabelFont(const FontChoice& initial,
                                      const std::function<void(const FontChoice&)>& apply) override;
  std::optional<std::string> Folder(const std::string& initial) override;

  std::vector<Shown> messages;
  std::vector<Shown> questions;
  std::vector<QuestionButtons> questionButtons;
  std::vector<FileDialogRequest> fileRequests;
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;  // answers to open and save dialogs
  std::deque<std::optional<Rgb>> colours;
  std::deque<std::optional<FontChoice>> fonts;
  std::vector<FontChoice> applied;
  std::vector<FontChoice> fontStarts;  // what each font dialog opened with
  std::deque<std::optional<std::string>> folders;
};

// Timers that fire only when the test says so.
class ManualTimers : public Timers {
 public:
  void Start(TimerId id) override;
  void Stop(TimerId id) override { pending.erase(id); }
  bool Pending(TimerId id) const override { return pending.count(id) != 0; }
  // Counts the calls and runs `duringMessages` (a user acting during a long step).
  void ProcessMessages() override;

  // Fires the timer on the form when it is pending; false when it was not.
  bool Fire(MainForm& form, TimerId id);
  // Fires pending timers until none is left (at most `limit` firings); the
  // logo's running Timer14 is left to Fire.
  int FireAll(MainForm& form, int limit = 1000);

  std::set<TimerId> pending;
  std::vector<TimerId> started;
  int messagesProcessed = 0;
  std::function<void()> duringMessages;
};

class FakeClipboard : public Clipboard {
 public:
  void SetText(const std::string& value) override { text = value; }
  bool SetImage(const ViewerImage& value) override;

  std::string text;
  std::optional<ViewerImage> image;
};

class FakeShell : public Shell {
 public:
  bool Open(const std::string& documentOrUrl) override;

  std::vector<std::string> opened;
  bool succeeds = true;
};

// All ports together, ready to give to a MainForm.
struct ScriptedPorts {
  FakeViewer viewer;
  ScriptedDialogs dialogs;
  ManualTimers timers;
  FakeClipboard clipboard;
  FakeShell shell;

  FormPorts Ports() { return FormPorts{viewer, dialogs, timers, clipboard, shell}; }
};

}  // namespace habitopia::test
