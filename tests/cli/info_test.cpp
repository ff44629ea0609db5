// habitopia-cli info: runs the program on small model files and checks what it
// prints and its exit status.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli_test.h"

namespace {

using habitopia::test::CliRun;

class InfoTest : public habitopia::test::CliTest {
 protected:
  InfoTest() : CliTest("habitopia-cli-info") {}

  CliRun Info(const std::vector<std::string>& args) const { return Run("info", args); }
};

// A Release 1.5 model: point group `group`, a cubic cell of edge 1, and the given
// face lines (h k l d each as four fixed 5.3 fields).
std::string Model(int group, const std::vector<std::string>& faces) {
  std::string text =
      "Habitopia data Release 1.5\r\n0\r\n" + std::to_string(group) +
      "\r\n  1.00000   1.00000   1.00000\r\n 90.00000  90.00000  90.00000\r\n" + faces[0] +
      "\r\n 0.20 16777215 8421504 12632256 0 12615808 16777215     9    60 8388608  6.0E+0000  0.20"
      "\r\n0 1 0 0 0 0 0 0 1 1 0 0 0 1 1 -1\r\nSERIF\r\nBOLD\r\n0.2\r\n0\r\n\r\n0 0 1\r\n0 0 0\r\n0"
      "\r\n0 0 0\r\n";
  for (const std::string& face : faces) text += "  0   0   0  0  0  0 " + face + " \r\n";
  return text;
}

std::vector<std::string> CubeFaces(const std::string& d = "1.000") {
  return {"1.000 0.000 0.000 " + d,  "-1.000 0.000 0.000 " + d, "0.000 1.000 0.000 " + d,
          "0.000 -1.000 0.000 " + d, "0.000 0.000 1.000 " + d,  "0.000 0.000 -1.000 " + d};
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(InfoTest, CubeSummary) {
  const CliRun run = Info({Write("cube.mor", Model(1, CubeFaces()))});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(Contains(run.out, "Point group: 1 (1)\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Faces: 6\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Corners: 8\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Surface: 24\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Volume: 8\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Hull closed: yes\n")) << run.out;
  // One row per face: index, h k l, d, present, corners, area.
  EXPECT_TRUE(Contains(
      run.out, "    0        1        0        0          1      yes        4           4\n"))
      << run.out;
  EXPECT_TRUE(Contains(
      run.out, "    5        0        0       -1          1      yes        4           4\n"))
      << run.out;
}

TEST_F(InfoTest, JsonCarriesUnroundedModelUnits) {
  // All distances 2: the scene corners lie at +-2 in model units.
  const CliRun run = Info({Write("cube2.mor", Model(2, CubeFaces("2.000"))), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["pointGroup"]["number"], 2);
  EXPECT_EQ(json["pointGroup"]["symbol"], "-1");
  EXPECT_EQ(json["faces"], 6);
  EXPECT_EQ(json["corners"], 8);
  // The planes sit f * 5e-7 scaled units further out than their distances say.
  EXPECT_NEAR(json["surface"].get<double>(), 96, 1e-3);
  EXPECT_NEAR(json["volume"].get<double>(), 64, 1e-3);
  EXPECT_EQ(json["closed"], true);
  EXPECT_EQ(json["distanceScale"], 2.0);

  const auto& table = json["faceTable"];
  ASSERT_EQ(table.size(), 6u);
  EXPECT_EQ(table[1]["index"], 1);
  EXPECT_EQ(table[1]["h"], -1.0);
  EXPECT_EQ(table[1]["k"], 0.0);
  EXPECT_EQ(table[1]["l"], 0.0);
  EXPECT_EQ(table[1]["d"], 2.0);
  EXPECT_EQ(table[1]["present"], true);
  EXPECT_EQ(table[1]["corners"], 4);
  EXPECT_NEAR(table[1]["area"].get<double>(), 16, 1e-3);

  const auto& corners = json["sceneCorners"];
  ASSERT_EQ(corners.size(), 8u);
  for (const auto& corner : corners)
    for (const char* axis : {"x", "y", "z"})
      EXPECT_NEAR(std::fabs(corner[axis].get<double>()), 2, 1e-5) << corner.dump();
  // Unrounded: the 5e-7 plane offsets show in the digits.
  EXPECT_FALSE(Contains(run.out, "\"surface\":96,")) << run.out;
}

TEST_F(InfoTest, DroppedAndAbsentFaces) {
  std::vector<std::string> faces = CubeFaces();
  faces.insert(faces.begin() + 1, "0.000 0.000 0.000 1.000");  // index text "0 0 0"
  faces.push_back("0.000 0.000 0.0004 1.000");                 // reads as 0 0 0
  faces.push_back("1.000 1.000 1.000 0.000");                  // distance 0
  faces.push_back("1.000 1.000 -1.000 -2.000");                // negative distance
  faces.push_back("1.000 1.000 1.000 9.000");                  // far outside: absent
  const CliRun run = Info({Write("dropped.mor", Model(1, faces)), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["faces"], 6);
  EXPECT_EQ(json["corners"], 8);
  const auto& table = json["faceTable"];
  ASSERT_EQ(table.size(), 7u);
  EXPECT_EQ(table[1]["h"], -1.0);  // the faces after the dropped one moved up
  EXPECT_EQ(table[6]["index"], 6);
  EXPECT_EQ(table[6]["d"], 9.0);
  EXPECT_EQ(table[6]["present"], false);
  EXPECT_EQ(table[6]["corners"], 0);
  EXPECT_EQ(table[6]["area"], 0.0);
}

TEST_F(InfoTest, OpenHullExitsWithOne) {
  // Three faces meet in one corner and enclose nothing: volume 0.
  const std::vector<std::string> faces = {"1.000 0.000 0.000 1.000", "0.000 1.000 0.000 1.000",
                                          "0.000 0.000 1.000 1.000"};
  const CliRun run = Info({Write("open.mor", Model(1, faces))});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_TRUE(Contains(run.out, "Hull closed: no\n")) << run.out;
  const CliRun json = Info({Path("open.mor"), "--json"});
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(nlohmann::json::parse(json.out)["closed"], false);
}

TEST_F(InfoTest, BadInputExitsWithTwoAndOneLine) {
  const std::string cube = Model(1, CubeFaces());
  struct Case {
    std::string file;
    std::string message;
  };
  std::string badNumber = cube;
  badNumber.replace(badNumber.find("  1.00000   1.00000"), 9, "  1.0O000");
  const Case cases[] = {
      {Path("missing.mor"), "File not Found"},
      {Write("cube.txt", cube), "This is not a valid Habitopia - file (*.mor): .txt\n"},
      {Write("noextension", cube), "This is not a valid Habitopia - file (*.mor): \n"},
      {Write("marker.mor", "Habitopia data Release 1.5 \r\n" + cube.substr(cube.find("\r\n") + 2)),
       "line 1: not a Habitopia model file"},
      {Write("number.mor", badNumber), "line 4: \"1.0O000\" is not a number"},
  };
  for (const Case& c : cases) {
    const CliRun run = Info({c.file});
    EXPECT_EQ(run.status, 2) << c.file;
    EXPECT_EQ(run.out, "") << c.file;
    EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_EQ(Info({}).status, 2);
  EXPECT_EQ(Info({Path("cube.txt"), "--yaml"}).status, 2);
}

TEST_F(InfoTest, ExtensionTestIgnoresCase) {
  const CliRun run = Info({Write("CUBE.MOR", Model(1, CubeFaces()))});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "Faces: 6\n")) << run.out;
}

TEST_F(InfoTest, MoreThan300FacesAreCut) {
  // 6 cube faces and far-away faces that never reach the crystal.
  auto withFaces = [](int count) {
    std::vector<std::string> faces = CubeFaces();
    while (static_cast<int>(faces.size()) < count) faces.push_back("1.000 1.000 1.000 50.000");
    return faces;
  };
  CliRun run = Info({Write("f301.mor", Model(1, withFaces(301))), "--json"});
  EXPECT_EQ(run.status, 0);  // 301 faces fit; the warning still comes
  EXPECT_TRUE(Contains(run.err, "More than a total of 300 faces. Command aborted")) << run.err;
  EXPECT_EQ(nlohmann::json::parse(run.out)["faceTable"].size(), 301u);

  run = Info({Write("f302.mor", Model(1, withFaces(302))), "--json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.err, "More than a total of 300 faces. Command aborted")) << run.err;
  EXPECT_EQ(nlohmann::json::parse(run.out)["faceTable"].size(), 301u);
}

TEST_F(InfoTest, ShippedQuartzExample) {
  const CliRun run = Info({std::string(HABITOPIA_SOURCE_DIR) + "/examples/Quartz.mor"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "Point group: 10 (32)\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Faces: 18\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Hull closed: yes\n")) << run.out;
}

}  // namespace
