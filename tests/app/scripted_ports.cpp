#include "scripted_ports.h"

#include <gtest/gtest.h>

#include <fstream>

namespace habitopia::test {

std::optional<ViewerImage> FakeViewer::GrabFrame(int) {
  ++grabs;
  if (grabsBeforeFailure >= 0 && grabs > grabsBeforeFailure) return std::nullopt;
  return frame;
}

bool FakeViewer::SetCamera(const ViewerCamera& value) {
  camerasSet.push_back(value);
  camera = value;
  return true;
}

bool FakeViewer::Command(ViewerCommand command) {
  commands.push_back(command);
  return true;
}

bool FakeViewer::SetHeadlight(bool on) {
  headlights.push_back(on);
  return true;
}

void ScriptedDialogs::Message(const std::string& text, const std::string& caption) {
  messages.push_back({text, caption});
}

Answer ScriptedDialogs::Ask(const std::string& text, const std::string& caption,
                            QuestionButtons buttons) {
  questions.push_back({text, caption});
  questionButtons.push_back(buttons);
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text;
    return Answer::No;
  }
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (files.empty()) {
    ADD_FAILURE() << "unexpected open dialog: " << request.title;
    return std::nullopt;
  }
  auto file = files.front();
  files.pop_front();
  return file;
}

std::optional<std::string> ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
  return OpenFile(request);
}

std::optional<std::string> ScriptedDialogs::Folder(const std::string&) {
  if (folders.empty()) {
    ADD_FAILURE() << "unexpected folder dialog";
    return std::nullopt;
  }
  auto folder = folders.front();
  folders.pop_front();
  return folder;
}

std::optional<Rgb> ScriptedDialogs::Colour(const Rgb&) {
  if (colours.empty()) {
    ADD_FAILURE() << "unexpected colour dialog";
    return std::nullopt;
  }
  auto colour = colours.front();
  colours.pop_front();
  return colour;
}

std::optional<FontChoice> ScriptedDialogs::Font(const FontChoice& initial) {
  fontStarts.push_back(initial);
  if (fonts.empty()) {
    ADD_FAILURE() << "unexpected font dialog";
    return std::nullopt;
  }
  auto font = fonts.front();
  fonts.pop_front();
  return font;
}

std::optional<FontChoice> ScriptedDialogs::LabelFont(
    const FontChoice& initial, const std::function<void(const FontChoice&)>& apply) {
  std::vector<FontChoice> pressed;
  std::swap(pressed, applied);
  for (const FontChoice& font : pressed) apply(font);
  return Font(initial);
}

void ManualTimers::Start(TimerId id) {
  pending.insert(id);
  started.push_back(id);
}

void ManualTimers::ProcessMessages() {
  ++messagesProcessed;
  if (duringMessages) duringMessages();
}

bool ManualTimers::Fire(MainForm& form, TimerId id) {
  if (!Pending(id)) return false;
  pending.erase(id);
  form.TimerFired(id);
  return true;
}

int ManualTimers::FireAll(MainForm& form, int limit) {
  int fired = 0;
  for (auto next = pending.begin(); fired < limit; next = pending.begin()) {
    // The logo's timer runs for ever: only Fire(Timer14) fires it.
    if (next != pending.end() && *next == TimerId::Timer14) ++next;
    if (next == pending.end()) break;
    Fire(form, *next);
    ++fired;
  }
  return fired;
}

bool FakeClipboard::SetImage(const ViewerImage& value) {
  image = value;
  return !value.Empty();
}

bool FakeShell::Open(const std::string& documentOrUrl) {
  opened.push_back(documentOrUrl);
  return succeeds;
}

bool ScriptedDownloader::Start(const std::string& url, const std::string& localPath,
                               DownloadCallbacks callbacks) {
  urls.push_back(url);
  path_ = localPath;
  callbacks_ = std::move(callbacks);
  running = true;
  return true;
}

void ScriptedDownloader::Serve(const std::string& body) {
  ASSERT_TRUE(running);
  running = false;
  const auto total = static_cast<std::int64_t>(body.size());
  callbacks_.progress(0, total);
  std::ofstream(path_, std::ios::binary) << body;
  callbacks_.progress(total, total);
  callbacks_.done();
}

void ScriptedDownloader::Break() {
  ASSERT_TRUE(running);
  running = false;
  callbacks_.progress(10, 100);
  callbacks_.failed("connection closed");
}

bool ManualUpdateTimers::Fire(MainForm& form, UpdateTimer timer) {
  if (running.erase(timer) == 0) return false;
  form.UpdateTimerFired(timer);
  return true;
}

int FakeProcessRunner::Run(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> run{program};
  run.insert(run.end(), arguments.begin(), arguments.end());
  runs.push_back(std::move(run));
  return status;
}

}  // namespace habitopia::test
