// "&Register *.mor extension" in a temporary user data folder, checked with the
// desktop's own tools (xdg-mime, desktop-file-validate).

#include "app/desktop_registration.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "support/cli_runner.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;

// Points the freedesktop folders of this process (and the tools it runs) into
// the test's folder for the test's duration.
class UserFolders : public test::TempFolderTest {
 protected:
  // xdg-mime splits its folder lists at blanks: the folders have none.
  UserFolders() : TempFolderTest("habitopia-desktop") {}

  void SetUp() override {
    TempFolderTest::SetUp();
    for (const char* name :
         {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP"}) {
      const char* value = std::getenv(name);
      saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", "/usr/share", 1);
    ::unsetenv("XDG_CURRENT_DESKTOP");
    fs::create_directories(Path("config"));
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_)
      value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    TempFolderTest::TearDown();
  }

  test::CliRun Tool(const std::string& program, const std::vector<std::string>& arguments) const {
    fs::create_directories(Path("capture"));
    return test::RunProgram(program, arguments, Path("capture"));
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(UserFolders, RegisteringMakesTheProgramTheDefaultForModelFiles) {
  const std::string program = Write("bin dir/habitopia", "");
  PosixProcessRunner runner;
  DesktopRegistration registration(Path("data"), program, runner);
  std::string error;
  ASSERT_TRUE(registration.Register(error)) << error;

  const test::CliRun query =
      Tool("xdg-mime", {"query", "default", "application/x-habitopia-model"});
  EXPECT_EQ(query.out, "habitopia.desktop\n");

  // The type database knows the extension and the first line of a model file.
  const std::string globs = test::ReadText(Path("data/mime/globs2"));
  EXPECT_NE(globs.find("application/x-habitopia-model:*.mor"), std::string::npos) << globs;
  const std::string magic = test::ReadText(Path("data/mime/magic"));
  EXPECT_NE(magic.find("Habitopia data Release "), std::string::npos);

  // The entry is valid and names this program, quoted for its blank.
  const test::CliRun valid = Tool("desktop-file-validate", {registration.DesktopEntryPath()});
  EXPECT_EQ(valid.status, 0) << valid.out << valid.err;
  const std::string entry = test::ReadText(registration.DesktopEntryPath());
  EXPECT_NE(entry.find("Exec=\"" + program + "\" %f\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("MimeType=application/x-habitopia-model;\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(registration.IconPath()));
  EXPECT_NE(test::ReadText(Path("data/applications/mimeinfo.cache")).find("habitopia.desktop"),
            std::string::npos);
}

TEST_F(UserFolders, TheInstalledEntryIsValid) {
  const test::CliRun valid = Tool("desktop-file-validate",
                                  {std::string(HABITOPIA_SOURCE_DIR) + "/data/habitopia.desktop"});
  EXPECT_EQ(valid.status, 0) << valid.out << valid.err;
}

// Answers every program with the status given for it (0 when none is).
class ScriptedRunner : public ProcessRunner {
 public:
  int Run(const std::string& program, const std::vector<std::string>& arguments) override {
    calls.push_back(program + " " + (arguments.empty() ? "" : arguments.back()));
    const auto found = status.find(program);
    return found == status.end() ? 0 : found->second;
  }
  std::map<std::string, int> status;
  std::vector<std::string> calls;
};

TEST_F(UserFolders, OnlyTheTypeDatabaseAndTheDefaultAreRequired) {
  ScriptedRunner runner;
  runner.status["update-desktop-database"] = -1;  // not installed
  DesktopRegistration registration(Path("data"), "/opt/habitopia/bin/habitopia", runner);
  std::string error;
  EXPECT_TRUE(registration.Register(error)) << error;
  EXPECT_EQ(runner.calls,
            (std::vector<std::string>{"update-mime-database " + Path("data") + "/mime",
                                      "update-desktop-database " + Path("data") + "/applications",
                                      "xdg-mime application/x-habitopia-model"}));
  EXPECT_NE(test::ReadText(registration.DesktopEntryPath())
                .find("Exec=/opt/habitopia/bin/habitopia %f\n"),
            std::string::npos);

  runner.status["xdg-mime"] = 4;
  EXPECT_FALSE(registration.Register(error));
  EXPECT_NE(error.find("xdg-mime"), std::string::npos);
  runner.status["update-mime-database"] = 1;
  EXPECT_FALSE(registration.Register(error));
  EXPECT_EQ(error, "update-mime-database failed");
  EXPECT_FALSE(DesktopRegistration("", "/x", runner).Register(error));
}

TEST(DesktopEntry, ProgramPathsAreQuotedAsTheEntryFormatAsks) {
  EXPECT_EQ(DesktopExecProgram("/usr/bin/habitopia"), "/usr/bin/habitopia");
  EXPECT_EQ(DesktopExecProgram("/home/a b/habitopia"), "\"/home/a b/habitopia\"");
  EXPECT_EQ(DesktopExecProgram("/x/$y/h"), "\"/x/\\\\$y/h\"");
  EXPECT_EQ(DesktopExecProgram("/x\\y/h"), "\"/x\\\\\\\\y/h\"");
  EXPECT_EQ(DesktopExecProgram("/x%/h"), "\"/x%%/h\"");
}

TEST(DesktopEntry, UserDataHomeFollowsTheBaseDirectoryRules) {
  auto environment = [](std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
      const auto found = values.find(name);
      if (found == values.end()) return std::nullopt;
      return found->second;
    };
  };
  EXPECT_EQ(UserDataHome(environment({{"XDG_DATA_HOME", "/d"}, {"HOME", "/h"}})), "/d");
  EXPECT_EQ(UserDataHome(environment({{"XDG_DATA_HOME", "rel"}, {"HOME", "/h"}})),
            "/h/.local/share");
  EXPECT_EQ(UserDataHome(environment({})), "");
}

}  // namespace
}  // namespace habitopia
