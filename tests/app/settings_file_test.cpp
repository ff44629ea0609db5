#include "app/settings_file.h"

#include <gtest/gtest.h>

#include "scene/scene_files.h"

namespace habitopia {
namespace {

std::vector<std::string> Lines(const std::string& text) { return SplitLines(text); }

TEST(SettingsFile, TheDefaultFileHasItsEighteenLines) {
  const std::vector<std::string> lines = DefaultSettingsLines();
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[1], "Version=**HB#081004**");
  EXPECT_EQ(lines[10], "640 480  0.00000000000000E+0000");
  EXPECT_EQ(lines[12], "[RecentFiles]");
  EXPECT_EQ(lines[17], "5");
}

TEST(SettingsFile, RecentFilesMoveDownAndTheSixthDropsTheOldest) {
  std::string text = RecordRecentFile(DefaultSettingsText(), "/m/a.mor");
  std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[13], "1 /m/a.mor");
  EXPECT_EQ(lines[14], "2");
  EXPECT_EQ(lines[17], "5");

  for (const char* name : {"/m/b.mor", "/m/c.mor", "/m/d.mor", "/m/e.mor", "/m/f.mor"})
    text = RecordRecentFile(text, name);
  EXPECT_EQ(RecentFiles(text), (std::array<std::string, 5>{"/m/f.mor", "/m/e.mor", "/m/d.mor",
                                                           "/m/c.mor", "/m/b.mor"}));
  // The same name twice is listed twice; names with blanks survive.
  text = RecordRecentFile(RecordRecentFile(text, "/m/my model.mor"), "/m/my model.mor");
  EXPECT_EQ(RecentFiles(text)[0], "/m/my model.mor");
  EXPECT_EQ(RecentFiles(text)[1], "/m/my model.mor");
  EXPECT_EQ(Lines(text).size(), 18u);
}

TEST(SettingsFile, EntriesOutsideOneToFiveAreIgnoredAndAMissingListIsAdded) {
  const std::string text =
      "[RecentFiles]\n7 /x/seven.mor\n2 /x/two.mor\n5 /x/five.mor\n1 /x/after.mor\n";
  EXPECT_EQ(RecentFiles(text),
            (std::array<std::string, 5>{"", "/x/two.mor", "", "", "/x/five.mor"}));

  const std::string without = RecordRecentFile("[Identification]\n", "/x/a.mor");
  EXPECT_EQ(RecentFiles(without)[0], "/x/a.mor");
}

TEST(SettingsFile, ClosingWritesVersionDirectoryAndWindowSize) {
  const std::string closed = SettingsOnClose(RecordRecentFile(DefaultSettingsText(), "/m/a.mor"),
                                             "/opt/habitopia", 800, 600);
  const std::vector<std::string> lines = Lines(closed);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[7], "Workdir=/opt/habitopia/");
  EXPECT_EQ(lines[10], "800 600  0.00000000000000E+0000");
  EXPECT_EQ(lines[13], "1 /m/a.mor") << "the recent files stay";
}

}  // namespace
}  // namespace habitopia
