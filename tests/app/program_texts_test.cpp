// The information texts and the way to the user manual.

#include "app/program_texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "support/temp_folder.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;

TEST(ProgramTexts, AboutAndLogoCarryTheVersion) {
  EXPECT_NE(AboutText().find("Vers. 1.56"), std::string::npos);
  EXPECT_NE(LogoText().find("1.56"), std::string::npos);
  EXPECT_FALSE(HistoryText().empty());
  EXPECT_NE(HomePageHtml().find("habitopia-cli"), std::string::npos);
}

TEST(ProgramTexts, TheManualIsFoundBesideTheProgramThenInstalledThenInTheSources) {
  test::TempDir root("habitopia-help");
  const fs::path bin = fs::path(root.path()) / "prefix" / "bin";
  const fs::path installed = fs::path(root.path()) / "prefix" / "share" / "habitopia" / "help";
  fs::create_directories(bin);
  // Nothing installed: the source tree's manual.
  EXPECT_EQ(HelpManualPath(bin.string()),
            fs::weakly_canonical(fs::path(HABITOPIA_SOURCE_DIR) / "help" / "index.html").string());
  fs::create_directories(installed);
  test::WriteText((installed / "index.html").string(), "<html></html>");
  EXPECT_EQ(HelpManualPath(bin.string()), fs::weakly_canonical(installed / "index.html").string());
  fs::create_directories(bin / "help");
  test::WriteText((bin / "help" / "index.html").string(), "<html></html>");
  EXPECT_EQ(HelpManualPath(bin.string()), (bin / "help" / "index.html").string());
}

// Every menu command the window offers has its place in the manual, and the
// manual's links lead to its own sections.
TEST(ProgramTexts, TheManualDescribesEveryMenuCommand) {
  std::ifstream in(std::string(HABITOPIA_SOURCE_DIR) + "/help/index.html");
  const std::string manual((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(manual.empty());
  for (const char* caption : {"&amp;New Model",
                              "&amp;Load Data",
                              "Load &amp;Recent",
                              "Exam&amp;ples",
                              "&amp;Save Data",
                              "save wr&amp;z - file (compressed)",
                              "IUCr cif (*.CIF)",
                              "Windows Bitmap (*.BMP)",
                              "Windows Metafile (*WMF)",
                              "3-D-printer (*.STL)",
                              "&amp;Exit",
                              "Undo",
                              "Redu",
                              "Copy Bitmap to Clipboard",
                              "Speedbuttons",
                              "Tables",
                              "Utilities",
                              "VRML-controls",
                              "&amp;indices",
                              "{hkil}",
                              "&amp;grid",
                              "&amp;fill",
                              "a&amp;xes",
                              "&amp;animation",
                              "&amp;headlight",
                              "spotlights",
                              "s&amp;olid",
                              "&amp;Styles",
                              "&amp;Standard",
                              "Sparkling &amp;black",
                              "Sparkling bl&amp;ue",
                              "&amp;Crystal",
                              "&amp;Brillant",
                              "Brilliant &amp;white",
                              "Cad Style Viewer",
                              "Select Point Group &amp;Symmetry",
                              "Edit Crystallographic Axes (&amp;Metric)",
                              "Edit &amp;Unique Faces",
                              "Edit &amp;Face",
                              "Single Face &amp;Properties",
                              "Indicate &amp;Cleavage Face",
                              "&amp;Redraw Model",
                              "&amp;Automatic clean-up",
                              "&amp;Register *.mor extension",
                              "Combined &amp;Objects Wizard",
                              "&amp;Calculations",
                              "Record &amp;Movie",
                              "Morphology &amp;Prediction",
                              "R&amp;andomize Distances",
                              "Twinning Tool",
                              "&amp;About",
                              "&amp;Examples",
                              "&amp;Check for Updates",
                              "H&amp;istory",
                              "Lo&amp;go"})
    EXPECT_NE(manual.find(caption), std::string::npos) << caption;
  const std::regex link("href=\"#([a-z]+)\"");
  for (auto it = std::sregex_iterator(manual.begin(), manual.end(), link);
       it != std::sregex_iterator(); ++it)
    EXPECT_NE(manual.find("id=\"" + (*it)[1].str() + "\""), std::string::npos) << (*it)[1].str();
}

}  // namespace
}  // namespace habitopia
