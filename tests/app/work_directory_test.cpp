#include "app/work_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace habitopia {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
  return [values](const char* name) -> std::optional<std::string> {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
  };
}

TEST(WorkDirectory, PathFollowsTheOverrideThenTheDataHomeThenHome) {
  EXPECT_EQ(
      WorkDirectoryPath(Environment(
          {{"HABITOPIA_WORKDIR", "/tmp/own"}, {"XDG_DATA_HOME", "/data"}, {"HOME", "/home/u"}})),
      "/tmp/own");
  EXPECT_EQ(WorkDirectoryPath(Environment({{"XDG_DATA_HOME", "/data"}, {"HOME", "/home/u"}})),
            "/data/Habitopia/tmp");
  // Empty and relative values do not count.
  EXPECT_EQ(
      WorkDirectoryPath(Environment(
          {{"HABITOPIA_WORKDIR", ""}, {"XDG_DATA_HOME", "relative/data"}, {"HOME", "/home/u"}})),
      "/home/u/.local/share/Habitopia/tmp");
  EXPECT_EQ(WorkDirectoryPath(Environment({})), "");
}

class WorkDirectoryCreation : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("habitopia_workdir_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

mode_t Mode(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 0777;
}

TEST_F(WorkDirectoryCreation, CreatesMissingFoldersForTheUserOnly) {
  const fs::path target = root_ / "share" / "Habitopia" / "tmp";
  std::string error;
  ASSERT_TRUE(EnsureWorkDirectory(target.string(), error)) << error;
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(Mode(target), 0700u);
  EXPECT_EQ(Mode(root_ / "share"), 0700u);
  // Once there, it is left as it is.
  ::chmod(target.c_str(), 0750);
  EXPECT_TRUE(EnsureWorkDirectory(target.string(), error));
  EXPECT_EQ(Mode(target), 0750u);
}

TEST_F(WorkDirectoryCreation, AFileInTheWayIsTheStartUpError) {
  std::ofstream(root_ / "blocked") << "x";
  std::string error;
  EXPECT_FALSE(EnsureWorkDirectory((root_ / "blocked" / "tmp").string(), error));
  EXPECT_EQ(error.rfind("Cannot create undo directory", 0), 0u) << error;
  error.clear();
  EXPECT_FALSE(EnsureWorkDirectory((root_ / "blocked").string(), error));
  EXPECT_EQ(error.rfind("Cannot create undo directory", 0), 0u) << error;
  EXPECT_FALSE(EnsureWorkDirectory("", error));
}

}  // namespace
}  // namespace habitopia
