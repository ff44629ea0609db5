// Saving never destroys the previous file, and failures are reported.

#include "files/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "files/model_samples.h"
#include "files/model_writer.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

int EntriesIn(const std::string& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(FileIo, WriteReplacesTheFileAndLeavesNoTemporary) {
  TempDir dir;
  const std::string path = dir.File("model.mor");
  WriteText(path, "old contents that are longer than the new ones");
  ::chmod(path.c_str(), 0640);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "new", error)) << error;
  EXPECT_EQ(ReadText(path), "new");
  EXPECT_EQ(EntriesIn(dir.path()), 1);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(FileIo, UncreatableFileIsAnError) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir.File("missing/folder/model.mor"), "x", error));
  EXPECT_NE(error.find("missing/folder/model.mor"), std::string::npos) << error;

  const ModelWriteResult result =
      WriteModelFile(dir.path(), MakeDocument(test::DefaultModel(), test::PlainForm()));
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
}

// A write that fails half-way (file size limit) must keep the old file intact.
TEST(FileIo, FailedWriteKeepsThePreviousFile) {
  TempDir dir;
  const std::string path = dir.File("model.mor");
  const std::string previous = "Habitopia data Release 1.5\r\nprevious model\r\n";
  WriteText(path, previous);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::string error;
    const bool ok = WriteFileAtomically(path, std::string(100000, 'x'), error);
    ::_exit(ok ? 0 : error.find("Cannot write") != std::string::npos ? 3 : 4);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 3);
  EXPECT_EQ(ReadText(path), previous);
  EXPECT_EQ(EntriesIn(dir.path()), 1);
}

TEST(FileIo, ReadWholeFileReportsMissingFilesAndFolders) {
  TempDir dir;
  std::string text, error;
  EXPECT_FALSE(ReadWholeFile(dir.File("none.mor"), text, error));
  EXPECT_NE(error.find("none.mor"), std::string::npos);
  EXPECT_FALSE(ReadWholeFile(dir.path(), text, error));
}

}  // namespace
}  // namespace habitopia
