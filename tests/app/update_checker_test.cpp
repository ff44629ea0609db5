// The update checker against a scripted server: version rule, release notes,
// silent and menu checks, the watchdog, and the checks on the installer.

#include "app/update_checker.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <set>

#include "support/temp_folder.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;

// Holds the one running download until the test answers it.
class ScriptedDownloader : public Downloader {
 public:
  bool Start(const std::string& url, const std::string& localPath,
             DownloadCallbacks callbacks) override {
    if (refuse) return false;
    urls.push_back(url);
    path_ = localPath;
    callbacks_ = std::move(callbacks);
    running = true;
    return true;
  }
  void Abort() override {}

  // Delivers `body` in two halves with progress, then done.
  void Serve(const std::string& body) {
    ASSERT_TRUE(running);
    running = false;
    const auto total = static_cast<std::int64_t>(body.size());
    callbacks_.progress(0, total);
    callbacks_.progress(total / 2, total);
    test::WriteText(path_, body);
    callbacks_.progress(total, total);
    callbacks_.done();
  }
  // Some bytes arrive, then the connection breaks.
  void Break() {
    ASSERT_TRUE(running);
    running = false;
    callbacks_.progress(10, 100);
    callbacks_.failed("connection closed");
  }

  std::vector<std::string> urls;
  bool running = false;
  bool refuse = false;

 private:
  std::string path_;
  DownloadCallbacks callbacks_;
};

class ScriptedDialogs : public UpdateDialogs {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    EXPECT_FALSE(answers.empty()) << "unexpected question: " << text;
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;
};

class ManualTimers : public UpdateTimers {
 public:
  void Start(UpdateTimer timer, int milliseconds) override { running[timer] = milliseconds; }
  void Stop(UpdateTimer timer) override { running.erase(timer); }
  bool IsRunning(UpdateTimer timer) const { return running.count(timer) != 0; }
  std::map<UpdateTimer, int> running;
};

class RecordingShell : public UpdateShell {
 public:
  bool OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return false;  // no program for installers here
  }
  void EndProgram() override { ++ended; }
  std::vector<std::string> opened;
  int ended = 0;
};

class UpdateCheck : public test::TempFolderTest {
 protected:
  UpdateCheck() : TempFolderTest("habitopia-update") {}

  void SetUp() override {
    TempFolderTest::SetUp();
    settings_.baseUrl = "http://updates.example.test:8080/files";
    settings_.workDirectory = Path("work");
    settings_.programPath = Write("habitopia", "the running program");
    checker_ = std::make_unique<UpdateChecker>(settings_, downloader_, dialogs_, timers_, shell_);
  }

  // Fires the step timer, which must be running.
  void Step() {
    ASSERT_TRUE(timers_.IsRunning(UpdateTimer::Step));
    EXPECT_EQ(timers_.running[UpdateTimer::Step], 200);
    checker_->Timer1Timer();
  }

  // Menu or silent check up to the answer to the version file.
  void CheckAgainst(const std::string& versionFile, bool interactive) {
    interactive ? checker_->CheckforupdatesClick() : checker_->CheckforupdatesClicksilent();
    Step();
    EXPECT_TRUE(timers_.IsRunning(UpdateTimer::Watchdog));
    downloader_.Serve(versionFile);
    EXPECT_FALSE(timers_.IsRunning(UpdateTimer::Watchdog));
    Step();
  }

  static std::string Version(const std::string& number, const std::string& size = "1234",
                             const std::string& notes = "") {
    return "Habitopia\r\n" + number + "\r\n" + size + "\r\n" + notes;
  }

  UpdateSettings settings_;
  ScriptedDownloader downloader_;
  ScriptedDialogs dialogs_;
  ManualTimers timers_;
  RecordingShell shell_;
  std::unique_ptr<UpdateChecker> checker_;
};

TEST(UpdateRule, ReleasesWithinHalfAThousandthAreTheSame) {
  EXPECT_FALSE(OffersUpdate(1.5603, 1.56));
  EXPECT_FALSE(OffersUpdate(1.56, 1.56));
  EXPECT_TRUE(OffersUpdate(1.5606, 1.56));
  EXPECT_TRUE(OffersUpdate(1.4, 1.56));  // older releases are offered too
}

TEST(UpdateRule, VersionFileLines) {
  const auto file = ParseVersionFile("Habitopia\n 1.5606 \r\n2048\na\r\nb\n");
  ASSERT_TRUE(file);
  EXPECT_DOUBLE_EQ(file->available, 1.5606);
  EXPECT_EQ(file->installerSize, 2048);
  EXPECT_EQ(file->releaseNotes, "\na\nb");
  EXPECT_FALSE(ParseVersionFile("Habitopia\n1.5606\n"));
  EXPECT_FALSE(ParseVersionFile("Habitopia\nnew\n2048\n"));
  EXPECT_FALSE(ParseVersionFile("Habitopia\n1.6\n0\n"));
  EXPECT_FALSE(ParseVersionFile("<html>Not Found</html>"));
}

TEST(UpdateRule, ServerAddressFromTheEnvironmentOrTheSettings) {
  auto none = [](const char*) -> std::optional<std::string> { return std::nullopt; };
  auto local = [](const char* name) -> std::optional<std::string> {
    if (std::string(name) == "HABITOPIA_UPDATE_URL") return "http://127.0.0.1:9000/u";
    if (std::string(name) == "HABITOPIA_UPDATE_WATCHDOG_MS") return "300";
    return std::nullopt;
  };
  EXPECT_EQ(UpdateBaseUrl(none, ""), kDefaultUpdateBaseUrl);
  EXPECT_EQ(UpdateBaseUrl(none, "http://mirror.test/x"), "http://mirror.test/x/");
  EXPECT_EQ(UpdateBaseUrl(local, "http://mirror.test/x"), "http://127.0.0.1:9000/u/");
  EXPECT_EQ(UpdateWatchdogMs(none), 15000);
  EXPECT_EQ(UpdateWatchdogMs(local), 300);
  EXPECT_EQ(UrlHost("http://updates.example.test:8080/files/"), "updates.example.test");
  EXPECT_EQ(UrlHost("https://user@[::1]:99/"), "[::1]");
}

TEST_F(UpdateCheck, UpToDateIsSaidOnlyWhenTheUserAsked) {
  CheckAgainst(Version("1.5603"), true);
  EXPECT_EQ(
      downloader_.urls,
      std::vector<std::string>{"http://updates.example.test:8080/files/HabitopiaHome/version.txt"});
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"This Version is up-to-date"});
  EXPECT_EQ(checker_->Window().label2, "Checking for Updates at updates.example.test");
  EXPECT_EQ(checker_->UpdateState(), 0);

  dialogs_.messages.clear();
  CheckAgainst(Version("1.5603"), false);
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_EQ(checker_->UpdateState(), 0);
  EXPECT_FALSE(checker_->Window().visible);
}

TEST_F(UpdateCheck, ADifferentReleaseIsOfferedAndNoLeavesEverythingAsItWas) {
  for (const std::string release : {"1.5606", "1.4"}) {
    dialogs_.answers = {false};
    CheckAgainst(Version(release), false);
    EXPECT_EQ(dialogs_.questions.back(), "new version available, download and install now?");
    EXPECT_EQ(downloader_.urls.size(), 1u);
    EXPECT_EQ(checker_->UpdateState(), 0);
    downloader_.urls.clear();
  }
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(shell_.ended, 0);
}

TEST_F(UpdateCheck, YesShowsTheNotesDownloadsChecksStartsTheInstallerAndEndsTheProgram) {
  const std::string installer(1500, 'i');
  dialogs_.answers = {true};
  CheckAgainst(Version("1.5606", "1500", "a\r\nb\r\n"), true);
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"\na\nb"});
  EXPECT_EQ(checker_->Window().progressMax, 1500);
  EXPECT_EQ(checker_->Window().label2, "Download Progress of Habitopia Update");
  ASSERT_EQ(downloader_.urls.size(), 2u);
  EXPECT_EQ(downloader_.urls[1],
            "http://updates.example.test:8080/files/HabitopiaHome/HabitopiaInstall.MSI");
  EXPECT_TRUE(fs::is_directory(Path("work/update")));

  downloader_.Serve(installer);
  EXPECT_EQ(checker_->Window().label1, "100 %");
  Step();
  EXPECT_EQ(test::ReadText(Path("work/update/Habitopiainstall.MSI")), installer);
  EXPECT_EQ(test::ReadText(Path("work/habitopia.old")), "the running program");
  ASSERT_EQ(dialogs_.messages.size(), 2u);
  const std::string work = Path("work");
  EXPECT_EQ(dialogs_.messages[1],
            "Update successfully downloaded to " + work +
                "/update.\n"
                "A backup of the old program has been generated (habitopia.old)\n"
                "habitopia will now close. \n"
                "Installation of Habitopia should start automaticaly. \n"
                "If not, run Habitopiainstall.MSI from " +
                work + "/update.");
  // The installer could not be started; the program ends all the same.
  EXPECT_EQ(shell_.opened, std::vector<std::string>{Path("work/update/Habitopiainstall.MSI")});
  EXPECT_EQ(shell_.ended, 1);
}

TEST_F(UpdateCheck, AnInstallerOfAnotherSizeIsDeletedAndNeverStarted) {
  dialogs_.answers = {true};
  CheckAgainst(Version("1.6", "1500"), false);
  downloader_.Serve(std::string(1499, 'i'));
  Step();
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"Download failed"});
  EXPECT_FALSE(fs::exists(Path("work/update/Habitopiainstall.MSI")));
  EXPECT_FALSE(fs::exists(Path("work/habitopia.old")));
  EXPECT_TRUE(shell_.opened.empty());
  EXPECT_EQ(shell_.ended, 0);
  EXPECT_EQ(checker_->UpdateState(), 0);
}

TEST_F(UpdateCheck, ABrokenInstallerDownloadSaysDownloadFailed) {
  dialogs_.answers = {true};
  CheckAgainst(Version("1.6", "1500"), false);
  downloader_.Break();
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"Download failed"});
  EXPECT_FALSE(timers_.IsRunning(UpdateTimer::Step));
  EXPECT_FALSE(timers_.IsRunning(UpdateTimer::Watchdog));
  EXPECT_EQ(shell_.ended, 0);
  EXPECT_EQ(checker_->UpdateState(), 0);
}

TEST_F(UpdateCheck, AFailedVersionDownloadIsSilentOnlyForTheSilentCheck) {
  checker_->CheckforupdatesClicksilent();
  Step();
  downloader_.Break();
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_FALSE(timers_.IsRunning(UpdateTimer::Watchdog));

  checker_->CheckforupdatesClick();
  Step();
  downloader_.Break();
  EXPECT_EQ(dialogs_.messages,
            std::vector<std::string>{"could not make connection to update server"});

  // A page that is not a version file.
  dialogs_.messages.clear();
  CheckAgainst("<html>moved</html>", true);
  EXPECT_EQ(dialogs_.messages,
            std::vector<std::string>{"could not make connection to update server"});
}

TEST_F(UpdateCheck, TheWatchdogSpeaksEvenForTheSilentCheckAndOnlyOnce) {
  checker_->CheckforupdatesClicksilent();
  Step();
  ASSERT_TRUE(timers_.IsRunning(UpdateTimer::Watchdog));
  EXPECT_EQ(timers_.running[UpdateTimer::Watchdog], 15000);
  checker_->Timer2Timer();
  EXPECT_EQ(dialogs_.messages,
            std::vector<std::string>{"Could not make connection to Update Server"});
  EXPECT_FALSE(checker_->Window().visible);
  // A second check waits for the abandoned download to end.
  checker_->CheckforupdatesClick();
  EXPECT_FALSE(timers_.IsRunning(UpdateTimer::Step));
  downloader_.Break();
  EXPECT_EQ(dialogs_.messages.size(), 1u);
}

TEST_F(UpdateCheck, ProgressShowsTheWindowAndStopsTheWatchdog) {
  int changes = 0;
  checker_->SetWindowChanged([&] { ++changes; });
  checker_->CheckforupdatesClick();
  Step();
  EXPECT_FALSE(checker_->Window().visible);
  EXPECT_EQ(checker_->Window().progressMax, 690);
  downloader_.Serve(Version("1.56"));
  EXPECT_GT(changes, 0);
  EXPECT_EQ(checker_->Window().label1, "100 %");
  EXPECT_EQ(checker_->Window().progressValue, static_cast<std::int64_t>(Version("1.56").size()));
  EXPECT_FALSE(checker_->Window().visible);  // hidden again when the file is in
}

TEST_F(UpdateCheck, ADownloadThatCannotStartIsReportedWithItsAddress) {
  downloader_.refuse = true;
  checker_->CheckforupdatesClick();
  Step();
  EXPECT_EQ(
      dialogs_.messages,
      std::vector<std::string>{
          "Error downloading http://updates.example.test:8080/files/HabitopiaHome/version.txt"});
  EXPECT_FALSE(timers_.IsRunning(UpdateTimer::Watchdog));
}

TEST_F(UpdateCheck, FilesOfAnEarlierCheckAreRemovedBeforeANewOne) {
  fs::create_directories(Path("work/update"));
  test::WriteText(Path("work/version.txt"), Version("9.9"));
  test::WriteText(Path("work/update/Habitopiainstall.MSI"), "stale");
  checker_->CheckforupdatesClick();
  Step();
  EXPECT_FALSE(fs::exists(Path("work/version.txt")));
  EXPECT_FALSE(fs::exists(Path("work/update/Habitopiainstall.MSI")));
}

}  // namespace
}  // namespace habitopia
