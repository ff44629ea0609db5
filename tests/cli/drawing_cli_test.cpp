// habitopia-cli drawing, stereo and export: options, refusals, and the angle the
// stereogram reports against the angle command's.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/cli_test.h"
#include "scene/scene_files.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;

using test::CliRun;

class DrawingCli : public test::CliTest {
 protected:
  DrawingCli() : CliTest("habitopia_drawing_cli") {}

  const std::string example = std::string(HABITOPIA_SOURCE_DIR) + "/examples/Quartz.mor";
};

TEST_F(DrawingCli, StereogramAngleIsTheAngleCommandsAngle) {
  const CliRun angle = Run({"angle", example, "0", "2"});
  ASSERT_EQ(angle.status, 0) << angle.err;
  const CliRun stereo = Run({"stereo", example, "-o", Path("s.svg"), "--angle", "0", "2"});
  ASSERT_EQ(stereo.status, 0) << stereo.err;
  // "face 0: 1 0 0", "face 2: 0 1 1", then the caption.
  const auto lines = SplitLines(angle.out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(stereo.out, "(1 0 0) / (0 1 1): " + lines[2] + "\n");
  const std::string svg = ReadFileText(Path("s.svg")).value_or("");
  EXPECT_NE(svg.find("<polyline class=\"angle-arc\""), std::string::npos);
}

TEST_F(DrawingCli, DrawingOptionsAndRefusals) {
  CliRun run = Run({"drawing", example, "-o", Path("d.svg"), "--view", "1", "0", "0", "--hidden",
                    "none", "--labels", "--hkil"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string svg = ReadFileText(Path("d.svg")).value_or("");
  EXPECT_EQ(svg.find("class=\"hidden-edge\""), std::string::npos);
  EXPECT_NE(svg.find("(1 0 <tspan text-decoration=\"overline\">1</tspan> 0)"), std::string::npos);
  EXPECT_NE(svg.find("<title>Quartz, seen on (1 0 0)</title>"), std::string::npos);

  run = Run({"drawing", example, "-o", Path("x.svg"), "--view", "1", "0", "0", "--camera"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("choose one of --view, --direction and --camera"), std::string::npos);
  run = Run({"drawing", example, "-o", Path("x.svg"), "--hidden", "dotted"});
  EXPECT_EQ(run.status, 2);
  run = Run({"drawing", example, "-o", Path("x.svg"), "--view", "0", "0"});
  EXPECT_EQ(run.status, 2);
  run = Run({"drawing", example, "-o", Path("x.svg"), "--direction", "0", "0", "0"});
  EXPECT_EQ(run.status, 2);
  run = Run({"drawing", example, "-o", Path("x.svg"), "--perspective", "0.5"});
  EXPECT_EQ(run.status, 2);
  run = Run({"drawing", example, "-o", Path("x.png")});
  EXPECT_EQ(run.status, 2);
  EXPECT_FALSE(fs::exists(Path("x.svg")));
  EXPECT_FALSE(fs::exists(Path("x.png")));
  run = Run({"stereo", example, "-o", Path("x.svg"), "--zone", "0", "99"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("no face 0 or 99"), std::string::npos);
}

TEST_F(DrawingCli, ExportFollowsTheExtension) {
  CliRun run = Run({"export", example, "-o", Path("q.obj")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(ReadFileText(Path("q.obj")).value_or("").find("mtllib q.mtl\n"), std::string::npos);
  EXPECT_NE(ReadFileText(Path("q.mtl")).value_or("").find("newmtl fill\n"), std::string::npos);
  run = Run({"export", example, "-o", Path("q.GLB")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileText(Path("q.GLB")).value_or("").substr(0, 4), "glTF");
  run = Run({"export", example, "-o", Path("q.3mf")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileText(Path("q.3mf")).value_or("").substr(0, 2), "PK");
  run = Run({"export", example, "-o", Path("q.ply")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("unknown export format \".ply\""), std::string::npos);
  EXPECT_FALSE(fs::exists(Path("q.ply")));
}

// Quartz with its twin: lines 14 to 19 of the model file hold the twin tool's
// type and texts (here a quarter turn about a).
std::string TwinnedQuartz(const std::string& example, const std::string& path) {
  std::vector<std::string> lines = SplitLines(ReadFileText(example).value_or(""));
  lines[13] = "2";
  lines[15] = "1 0 0";
  lines[17] = "90";
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  EXPECT_TRUE(WriteFileAtomic(path, text));
  return path;
}

TEST_F(DrawingCli, DrawingAndStereogramShowTheTwin) {
  const std::string twinned = TwinnedQuartz(example, Path("twinned.mor"));
  CliRun run = Run({"drawing", twinned, "-o", Path("t.svg")});
  ASSERT_EQ(run.status, 0) << run.err;
  std::string svg = ReadFileText(Path("t.svg")).value_or("");
  EXPECT_NE(svg.find("class=\"twin-face\""), std::string::npos);
  run = Run({"drawing", example, "-o", Path("q.svg")});
  EXPECT_EQ(ReadFileText(Path("q.svg")).value_or("").find("twin"), std::string::npos);

  run = Run({"stereo", twinned, "-o", Path("t-stereo.svg")});
  ASSERT_EQ(run.status, 0) << run.err;
  svg = ReadFileText(Path("t-stereo.svg")).value_or("");
  EXPECT_NE(svg.find("class=\"pole twin upper\""), std::string::npos);
  EXPECT_NE(svg.find("<title>twinned, stereographic projection</title>"), std::string::npos);
}

TEST_F(DrawingCli, PdfDrawingsAndTheWebPage) {
  CliRun run = Run({"drawing", example, "-o", Path("d.PDF"), "--labels"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string pdf = ReadFileText(Path("d.PDF")).value_or("");
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(pdf.find("/Title (Quartz)"), std::string::npos);
  run = Run({"stereo", example, "-o", Path("s.pdf")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(
      ReadFileText(Path("s.pdf")).value_or("").find("/Title (Quartz, stereographic projection)"),
      std::string::npos);

  run = Run({"export", example, "-o", Path("q.html")});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string page = ReadFileText(Path("q.html")).value_or("");
  EXPECT_NE(page.find("<x3d-canvas id=\"crystal\""), std::string::npos);
  EXPECT_NE(page.find("<li>18 Faces</li>"), std::string::npos);
  EXPECT_NE(page.find("/* X_ITE v15.0.1 */"), std::string::npos);
}

TEST_F(DrawingCli, EqualAreaProjectionWithItsNet) {
  CliRun run = Run({"stereo", example, "-o", Path("ea.svg"), "--schmidt-net"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::string svg = ReadFileText(Path("ea.svg")).value_or("");
  EXPECT_NE(svg.find("<title>Quartz, equal-area projection</title>"), std::string::npos);
  EXPECT_NE(svg.find("id=\"schmidt-net\""), std::string::npos);
  run = Run({"stereo", example, "-o", Path("ea2.svg"), "--equal-area"});
  ASSERT_EQ(run.status, 0) << run.err;
  svg = ReadFileText(Path("ea2.svg")).value_or("");
  EXPECT_EQ(svg.find("-net\""), std::string::npos);
  run = Run({"stereo", example, "-o", Path("wulff.svg")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(svg.substr(svg.find("<g id=\"poles\"")),
            ReadFileText(Path("wulff.svg")).value_or("").substr(svg.find("<g id=\"poles\"")));
  run = Run({"stereo", example, "-o", Path("x.svg"), "--equal-area", "--wulff-net"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("use --schmidt-net"), std::string::npos);
}

}  // namespace
}  // namespace habitopia
