#pragma once
// Temporary folders and whole-file text for tests that write files.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

namespace habitopia::test {

// The whole file as it is on disk, byte for byte; empty when it cannot be read.
std::string ReadText(const std::string& path);
// Writes the text as it is (no line-end translation), replacing the file.
void WriteText(const std::string& path, const std::string& text);

// A fresh temporary folder, removed with everything in it when the object goes.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "habitopia-files");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// A fixture with a fresh temporary folder for every test. Fixtures that override
// SetUp call TempFolderTest::SetUp() first.
class TempFolderTest : public ::testing::Test {
 protected:
  explicit TempFolderTest(std::string prefix = "habitopia-test") : prefix_(std::move(prefix)) {}
  void SetUp() override;
  void TearDown() override;

  const std::string& Folder() const { return folder_->path(); }
  // `name` inside the test's folder.
  std::string Path(const std::string& name) const { return folder_->File(name); }
  // Writes `text` to `name` inside the folder and returns its path.
  std::string Write(const std::string& name, const std::string& text) const;
  static std::string ReadText(const std::string& path) { return test::ReadText(path); }

 private:
  std::string prefix_;
  std::unique_ptr<TempDir> folder_;
};

}  // namespace habitopia::test
