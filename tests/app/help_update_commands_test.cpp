// The Help menu, the update check through the form, and registering the model
// file type, with scripted ports.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/desktop_registration.h"
#include "app/main_form.h"
#include "app/program_texts.h"
#include "app_test_support.h"
#include "scripted_ports.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;
using test::ScriptedPorts;

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class HelpUpdateTest : public ::testing::Test {
 protected:
  HelpUpdateTest() : work_((scratch_.Path() / "work").string()), form_(ports_.Ports(), work_) {
    ProgramFiles files;
    files.programDirectory = (scratch_.Path() / "bin").string();
    files.documentsDirectory = scratch_.Path().string();
    form_.SetProgramFiles(files);
    program_ = scratch_.Path() / "bin" / "habitopia";
    fs::create_directories(program_.parent_path());
    std::ofstream(program_) << "the program";
  }

  void AttachUpdates() {
    UpdateSettings settings;
    settings.baseUrl = "http://127.0.0.1:8765/updates";
    settings.workDirectory = work_;
    settings.programPath = program_.string();
    form_.SetUpdateServices(ports_.downloader, ports_.updateTimers, settings);
  }
  // Runs the update window's step timer; false when it was not running.
  bool Step() { return ports_.updateTimers.Fire(form_, UpdateTimer::Step); }

  ScratchFolder scratch_;
  std::string work_;
  ScriptedPorts ports_;
  MainForm form_;
  fs::path program_;
};

TEST_F(HelpUpdateTest, HelpOpensTheManualThroughTheShellAndIgnoresFailures) {
  form_.Run(CommandId::HelpContents);
  ASSERT_EQ(ports_.shell.opened.size(), 1u);
  EXPECT_EQ(fs::path(ports_.shell.opened[0]).filename(), "index.html");
  EXPECT_NE(FileText(ports_.shell.opened[0]).find("<html"), std::string::npos);

  ports_.shell.succeeds = false;
  const FormState before = form_.State();
  form_.Run(CommandId::HelpButton);
  EXPECT_EQ(ports_.shell.opened.size(), 2u);
  EXPECT_EQ(ports_.shell.opened[1], ports_.shell.opened[0]);
  EXPECT_TRUE(ports_.dialogs.messages.empty());
  EXPECT_EQ(form_.State().error, before.error);
}

TEST_F(HelpUpdateTest, InformationCommands) {
  form_.Run(CommandId::About);
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, AboutText());
  EXPECT_NE(AboutText().find("1.56"), std::string::npos);

  // The home page and the history share the place of the information panels.
  form_.Run(CommandId::HomePage);
  EXPECT_EQ(form_.State().regions.infoPanel, InfoPanel::HomePage);
  form_.Run(CommandId::History);
  EXPECT_EQ(form_.State().regions.infoPanel, InfoPanel::History);
  form_.Run(CommandId::History);
  EXPECT_EQ(form_.State().regions.infoPanel, InfoPanel::None);

  form_.Run(CommandId::Logo);
  EXPECT_TRUE(form_.State().splashShown);
  EXPECT_TRUE(form_.State().splashStays);
  form_.SplashClosed();
  EXPECT_FALSE(form_.State().splashShown);
}

TEST_F(HelpUpdateTest, SilentCheckAfterStartUpSaysNothingWhenUpToDate) {
  AttachUpdates();
  form_.FormActivate({});
  ports_.dialogs.messages.clear();
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer6));
  ASSERT_TRUE(Step());
  ASSERT_EQ(ports_.downloader.urls.size(), 1u);
  EXPECT_EQ(ports_.downloader.urls[0], "http://127.0.0.1:8765/updates/HabitopiaHome/version.txt");
  ports_.downloader.Serve("Habitopia\n1.5603\n1000\n");
  ASSERT_TRUE(Step());
  EXPECT_TRUE(ports_.dialogs.messages.empty());
  EXPECT_TRUE(ports_.dialogs.questions.empty());
  EXPECT_EQ(form_.Updates()->UpdateState(), 0);

  // The menu command answers even when there is nothing new.
  form_.Run(CommandId::CheckForUpdates);
  ASSERT_TRUE(Step());
  ports_.downloader.Serve("Habitopia\n1.5603\n1000\n");
  ASSERT_TRUE(Step());
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, "This Version is up-to-date");
}

TEST_F(HelpUpdateTest, MenuCheckDownloadsAndStartsTheInstallerThenClosesTheWindow) {
  AttachUpdates();
  form_.FormActivate({});
  EXPECT_TRUE(ports_.timers.Pending(TimerId::Timer6));
  form_.Run(CommandId::CheckForUpdates);
  EXPECT_FALSE(ports_.timers.Pending(TimerId::Timer6)) << "the menu check replaces the silent one";
  ASSERT_TRUE(Step());
  ports_.downloader.Serve("Habitopia\n1.5606\n12\na\nb\n");
  ports_.dialogs.answers.push_back(Answer::Yes);
  ASSERT_TRUE(Step());
  ASSERT_EQ(ports_.dialogs.questions.size(), 1u);
  EXPECT_EQ(ports_.dialogs.questions[0].text, "new version available, download and install now?");
  EXPECT_EQ(ports_.dialogs.questions[0].caption, "Warning");
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, "\na\nb");
  ASSERT_EQ(ports_.downloader.urls.size(), 2u);
  EXPECT_EQ(ports_.downloader.urls[1],
            "http://127.0.0.1:8765/updates/HabitopiaHome/HabitopiaInstall.MSI");
  ports_.downloader.Serve("twelve bytes");
  ASSERT_TRUE(Step());

  ASSERT_EQ(ports_.dialogs.messages.size(), 2u);
  EXPECT_EQ(ports_.dialogs.messages[1].text.rfind("Update successfully downloaded to ", 0), 0u);
  ASSERT_EQ(ports_.shell.opened.size(), 1u);
  EXPECT_EQ(ports_.shell.opened[0], form_.Updates()->LocalInstaller());
  EXPECT_EQ(FileText(form_.Updates()->BackupPath()), "the program");
  EXPECT_TRUE(form_.State().closeRequested) << "the program ends the normal way, asking to save";
}

TEST_F(HelpUpdateTest, AnInstallerOfTheWrongSizeIsRefusedAndTheWatchdogSpeaks) {
  AttachUpdates();
  form_.Run(CommandId::CheckForUpdates);
  ASSERT_TRUE(Step());
  ports_.downloader.Serve("Habitopia\n1.4\n100\n");
  ports_.dialogs.answers.push_back(Answer::Yes);
  ASSERT_TRUE(Step());
  ports_.downloader.Serve("short");
  ASSERT_TRUE(Step());
  ASSERT_FALSE(ports_.dialogs.messages.empty());
  EXPECT_EQ(ports_.dialogs.messages.back().text, "Download failed");
  EXPECT_FALSE(fs::exists(form_.Updates()->LocalInstaller()));
  EXPECT_TRUE(ports_.shell.opened.empty());
  EXPECT_FALSE(form_.State().closeRequested);

  // A server that never answers: the watchdog's message, even for the silent check.
  ports_.dialogs.messages.clear();
  ports_.timers.Start(TimerId::Timer6);
  ports_.timers.Fire(form_, TimerId::Timer6);
  ASSERT_TRUE(Step());
  EXPECT_TRUE(ports_.downloader.running);
  ASSERT_TRUE(ports_.updateTimers.Fire(form_, UpdateTimer::Watchdog));
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, "Could not make connection to Update Server");
}

TEST_F(HelpUpdateTest, WithoutUpdateServicesTheChecksDoNothing) {
  form_.Run(CommandId::CheckForUpdates);
  form_.TimerFired(TimerId::Timer6);
  EXPECT_EQ(form_.Updates(), nullptr);
  EXPECT_TRUE(ports_.dialogs.messages.empty());
}

TEST_F(HelpUpdateTest, RegisteringTheModelTypeWritesTheUsersFilesAndMakesTheProgramTheDefault) {
  const fs::path data = scratch_.Path() / "data";
  DesktopServices services;
  services.processRunner = &ports_.processRunner;
  services.environment = [data](const char* name) -> std::optional<std::string> {
    if (std::string(name) == "XDG_DATA_HOME") return data.string();
    return std::nullopt;
  };
  services.programPath = program_.string();
  form_.SetDesktopServices(services);
  form_.Run(CommandId::RegisterExtension);

  EXPECT_TRUE(ports_.dialogs.messages.empty()) << "registered without a message";
  EXPECT_NE(FileText(data / "applications" / "habitopia.desktop")
                .find("Exec=" + program_.string() + " %f"),
            std::string::npos);
  EXPECT_NE(FileText(data / "mime" / "packages" / "habitopia-mime.xml").find("*.mor"),
            std::string::npos);
  const std::vector<std::string> makeDefault{"xdg-mime", "default", "habitopia.desktop",
                                             "application/x-habitopia-model"};
  EXPECT_NE(
      std::find(ports_.processRunner.runs.begin(), ports_.processRunner.runs.end(), makeDefault),
      ports_.processRunner.runs.end());

  // A registration that did not happen is said.
  ports_.processRunner.status = 1;
  form_.Run(CommandId::RegisterExtension);
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text,
            "Could not register *.mor files: update-mime-database failed");
}

}  // namespace
}  // namespace habitopia
