// "&Check for Updates" from end to end: the checker, the network downloader and
// the Qt timers against a local server named by HABITOPIA_UPDATE_URL.

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>

#include "app/update_checker.h"
#include "gui/network_downloader.h"
#include "gui/update_platform.h"
#include "local_http_server.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

class AnsweringDialogs : public UpdateDialogs {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return answerYes;
  }
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool answerYes = true;
};

class EndingShell : public UpdateShell {
 public:
  bool OpenDocument(const std::string& path) override {
    opened = path;
    return true;
  }
  void EndProgram() override { ended = true; }
  std::string opened;
  bool ended = false;
};

std::optional<std::string> ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

class UpdateOverNetwork : public test::TempFolderTest {
 protected:
  UpdateOverNetwork() : TempFolderTest("habitopia-update-net") {}

  void SetUp() override {
    TempFolderTest::SetUp();
    ::setenv("HABITOPIA_UPDATE_URL", server_.BaseUrl().toStdString().c_str(), 1);
    ::setenv("HABITOPIA_UPDATE_WATCHDOG_MS", "400", 1);
    UpdateSettings settings;
    settings.baseUrl = UpdateBaseUrl(ProcessEnvironment, "https://elsewhere.invalid/");
    settings.watchdogMs = UpdateWatchdogMs(ProcessEnvironment);
    settings.workDirectory = Path("work");
    settings.programPath = Write("habitopia", "program");
    checker_ = std::make_unique<UpdateChecker>(settings, downloader_, dialogs_, timers_, shell_);
  }
  void TearDown() override {
    ::unsetenv("HABITOPIA_UPDATE_URL");
    ::unsetenv("HABITOPIA_UPDATE_WATCHDOG_MS");
    TempFolderTest::TearDown();
  }

  test::LocalHttpServer server_;
  gui::NetworkDownloader downloader_{5000};
  AnsweringDialogs dialogs_;
  EndingShell shell_;
  std::unique_ptr<UpdateChecker> checker_;
  gui::QtUpdateTimers timers_{[this](UpdateTimer timer) {
    timer == UpdateTimer::Step ? checker_->Timer1Timer() : checker_->Timer2Timer();
  }};
};

TEST_F(UpdateOverNetwork, ANewerReleaseIsOfferedDownloadedAndStarted) {
  const QByteArray installer(4096, 'm');
  server_.Route("/HabitopiaHome/version.txt", {200, "Habitopia\r\n1.5606\r\n4096\r\nfaster\r\n"});
  server_.Route("/HabitopiaHome/HabitopiaInstall.MSI", {200, installer});
  checker_->CheckforupdatesClick();
  ASSERT_TRUE(test::WaitFor([&] { return shell_.ended || dialogs_.messages.size() >= 2; }));
  EXPECT_EQ(dialogs_.questions,
            std::vector<std::string>{"new version available, download and install now?"});
  ASSERT_EQ(dialogs_.messages.size(), 2u);
  EXPECT_EQ(dialogs_.messages[0], "\nfaster");
  EXPECT_EQ(dialogs_.messages[1].rfind("Update successfully downloaded to ", 0), 0u);
  EXPECT_TRUE(shell_.ended);
  EXPECT_EQ(shell_.opened, Path("work/update/Habitopiainstall.MSI"));
  EXPECT_EQ(test::ReadText(shell_.opened), installer.toStdString());
  EXPECT_EQ(server_.Requests(),
            QStringList({"/HabitopiaHome/version.txt", "/HabitopiaHome/HabitopiaInstall.MSI"}));
}

TEST_F(UpdateOverNetwork, AServerThatNeverAnswersTripsTheWatchdogOfTheSilentCheck) {
  server_.Route("/HabitopiaHome/version.txt", {200, {}, -1, true});
  checker_->CheckforupdatesClicksilent();
  ASSERT_TRUE(test::WaitFor([&] { return !dialogs_.messages.empty(); }, 5000));
  EXPECT_EQ(dialogs_.messages,
            std::vector<std::string>{"Could not make connection to Update Server"});
  EXPECT_TRUE(dialogs_.questions.empty());
}

}  // namespace
}  // namespace habitopia
