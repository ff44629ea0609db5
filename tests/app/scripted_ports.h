#pragma once
// Scripted stand-ins for the controller's ports: tests queue the user's answers,
// fire timers by hand and read back what the form asked for.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/clipboard.h"
#include "app/dialogs.h"
#include "app/downloader.h"
#include "app/main_form.h"
#include "app/process_runner.h"
#include "app/shell.h"
#include "app/timers.h"
#include "app/update_ports.h"
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
  bool SetSkin(std::string_view skin) override {
    skins.emplace_back(skin);
    return true;
  }
  std::string RendererName() const override { return std::string(kOpenGLRendererName); }
  std::optional<ViewerImage> GrabFrame(int) override;
  void SetAnimationFraction(double fraction) override { animationFractions.push_back(fraction); }
  void ResumeAnimation() override { ++resumes; }

  // Ends the last load as the browser would.
  void Finish(SceneLoadResult result) { handler_(result); }
  void FinishOk() { Finish(SceneLoadResult{true, {}, {}}); }

  std::vector<std::string> loads;
  std::vector<ViewerCommand> commands;
  std::vector<ViewerCamera> camerasSet;
  std::vector<bool> headlights;
  std::vector<std::string> skins;
  std::vector<double> animationFractions;
  int resumes = 0;
  std::optional<ViewerCamera> camera;
  std::optional<ViewerImage> frame;
  int grabs = 0;
  int grabsBeforeFailure = -1;  // from then on no picture comes; -1: always one

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

// Holds the one running download until the test serves or breaks it.
class ScriptedDownloader : public Downloader {
 public:
  bool Start(const std::string& url, const std::string& localPath,
             DownloadCallbacks callbacks) override;
  void Abort() override { aborted = true; }

  // Delivers `body` with progress, then done.
  void Serve(const std::string& body);
  // Some bytes arrive, then the connection breaks.
  void Break();

  std::vector<std::string> urls;
  bool running = false;
  bool aborted = false;

 private:
  std::string path_;
  DownloadCallbacks callbacks_;
};

// The update window's two timers, fired by the test.
class ManualUpdateTimers : public UpdateTimers {
 public:
  void Start(UpdateTimer timer, int milliseconds) override { running[timer] = milliseconds; }
  void Stop(UpdateTimer timer) override { running.erase(timer); }
  // Fires the timer on the form when it runs; false when it did not.
  bool Fire(MainForm& form, UpdateTimer timer);

  std::map<UpdateTimer, int> running;
};

// Records the helper programs run; each answers with `status`.
class FakeProcessRunner : public ProcessRunner {
 public:
  int Run(const std::string& program, const std::vector<std::string>& arguments) override;

  std::vector<std::vector<std::string>> runs;  // program, then its arguments
  int status = 0;
};

// All ports together, ready to give to a MainForm.
struct ScriptedPorts {
  FakeViewer viewer;
  ScriptedDialogs dialogs;
  ManualTimers timers;
  FakeClipboard clipboard;
  FakeShell shell;
  ScriptedDownloader downloader;
  ManualUpdateTimers updateTimers;
  FakeProcessRunner processRunner;

  FormPorts Ports() { return FormPorts{viewer, dialogs, timers, clipboard, shell}; }
};

}  // namespace habitopia::test
