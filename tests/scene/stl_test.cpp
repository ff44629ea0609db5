// STL export: facet layout, scale, degenerate triangles, twins, and the example
// model checked with admesh.

#include "scene/stl.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "core/model.h"
#include "files/model_document.h"
#include "files/model_reader.h"
#include "scene/document_switches.h"
#include "scene/scene_files.h"
#include "scene_test_support.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

using test::SetCubeFaces;

std::string CubeStl(const std::string& name, TwinChoice twin = TwinChoice::None,
                    const std::string& twinFace = "") {
  CrystalModel model;
  SetCubeFaces(model);
  const Polyhedron cube = BuildPolyhedron(MakePolyhedronInput(model));
  SceneSwitches switches;
  switches.twin = twin;
  switches.twinFace = twinFace;
  return StlText(name, cube, BuildSceneGeometry(model, cube, switches), twin);
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
  return n;
}

TEST(Stl, CubeGivesTwelveFacetsOnAxisNormals) {
  const std::string text = CubeStl("crystal");
  const auto lines = SplitLines(text);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "solid crystal STL");
  EXPECT_EQ(lines.back(), "endsolid crystal STL");
  EXPECT_EQ(Count(text, "  facet normal "), 12);
  EXPECT_EQ(lines.size(), 2u + 12 * 7);
  const std::regex normal(R"(  facet normal (-?[01]\.000) (-?[01]\.000) (-?[01]\.000))");
  const std::regex vertex(R"(      vertex (-?14\.43) (-?14\.43) (-?14\.43))");
  std::map<std::string, int> normals;
  for (std::size_t i = 1; i + 1 < lines.size(); i += 7) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[i], m, normal)) << lines[i];
    // One unit component, the others zero.
    int units = 0;
    std::string key;
    for (int c = 1; c <= 3; ++c) {
      if (m[c].str().find('1') != std::string::npos) ++units;
      key += std::stod(m[c].str()) == 0 ? "0" : m[c].str();
      key += " ";
    }
    EXPECT_EQ(units, 1) << lines[i];
    ++normals[key];
    EXPECT_EQ(lines[i + 1], "    outer loop");
    for (int v = 2; v <= 4; ++v)
      EXPECT_TRUE(std::regex_match(lines[i + v], vertex)) << lines[i + v];
    EXPECT_EQ(lines[i + 5], "    endloop");
    EXPECT_EQ(lines[i + 6], "  endfacet");
  }
  // Two facets on each of the six outward normals.
  EXPECT_EQ(normals.size(), 6u);
  for (const auto& [key, count] : normals) EXPECT_EQ(count, 2) << key;
  EXPECT_EQ(normals.count("1.000 0 0 "), 1u);
  EXPECT_EQ(normals.count("0 0 -1.000 "), 1u);
}

TEST(Stl, NameWithoutFolderAndExtension) {
  EXPECT_EQ(StlName("/tmp/out/crystal.stl"), "crystal");
  EXPECT_EQ(StlName("C:\\work\\crystal.stl"), "crystal");
  EXPECT_EQ(StlName("crystal"), "crystal");
}

TEST(Stl, DegenerateTrianglesAreSkipped) {
  // Face 0's corner list starts at (1,-1,1); a corner put halfway to the next one,
  // (1,1,1), makes the first fan triangle (l0, l2, l1) one without area.
  CrystalModel model;
  Polyhedron polyhedron;
  test::MakeHandCube(model, polyhedron);
  auto& polygon = polyhedron.presentFaces[0].polygon;  // x = 1
  polygon.insert(polygon.begin() + 3, PolygonEntry{{1, 0, 1}, 0.5L});
  const SceneGeometry g = BuildSceneGeometry(model, polyhedron, SceneSwitches{});
  const std::string text = StlText("c", polyhedron, g, TwinChoice::None);
  // 5 corners on face 0 give 3 fan triangles, one of them collinear.
  EXPECT_EQ(Count(text, "facet normal"), 2 + 10);
  EXPECT_EQ(Count(text,
                  "vertex 14.43 -14.43 14.43\n      vertex 14.43 14.43 14.43\n      vertex 14.43 "
                  "0.00 14.43"),
            0);
}

TEST(Stl, ContactTwinLeavesOutBothContactFaces) {
  const std::string text = CubeStl("twin", TwinChoice::Contact, "1 0 0");
  EXPECT_EQ(Count(text, "facet normal"), 10 + 10);
  // Inversion keeps every face of both shapes.
  EXPECT_EQ(Count(CubeStl("twin", TwinChoice::Inversion), "facet normal"), 24);
  // A contact face that matches nothing: no twin shape, the crystal keeps all faces.
  EXPECT_EQ(Count(CubeStl("twin", TwinChoice::Contact, "1 1 1"), "facet normal"), 12);
}

// admesh's report on an STL file: closed, oriented and the volume it encloses.
struct MeshReport {
  int facets = -1, disconnected = -1, backwards = -1, reversed = -1, parts = -1;
  double volume = 0;
};
MeshReport RunAdmesh(const std::string& path) {
  MeshReport r;
  FILE* pipe = ::popen(("admesh '" + path + "' 2>&1").c_str(), "r");
  if (!pipe) return r;
  std::string out;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  ::pclose(pipe);
  std::smatch m;
  auto number = [&](const char* pattern, double& into) {
    if (std::regex_search(out, m, std::regex(pattern))) into = std::stod(m[1].str());
  };
  double v = -1;
  number(R"(Number of facets\s*:\s*(\d+))", v), r.facets = static_cast<int>(v);
  number(R"(Total disconnected facets\s*:\s*(\d+))", v), r.disconnected = static_cast<int>(v);
  number(R"(Backwards edges\s*:\s*(\d+))", v), r.backwards = static_cast<int>(v);
  number(R"(Facets reversed\s*:\s*(\d+))", v), r.reversed = static_cast<int>(v);
  number(R"(Number of parts\s*:\s*(\d+))", v), r.parts = static_cast<int>(v);
  number(R"(Volume\s*:\s*(-?[\d.]+))", r.volume);
  return r;
}

TEST(StlAdmesh, ExampleModelIsClosedOrientedAndKeepsItsVolume) {
  if (std::system("admesh --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "admesh not installed";
  const std::string example = std::string(HABITOPIA_SOURCE_DIR) + "/examples/Quartz.mor";
  const ModelReadResult read = ReadModelFile(example);
  ASSERT_TRUE(read.ok) << read.error;
  CrystalModel model;
  ApplyDocument(read.document, model);
  const Polyhedron polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  const SceneGeometry g = BuildSceneGeometry(model, polyhedron, SceneSwitches{});
  const std::string path =
      (std::filesystem::temp_directory_path() / "habitopia_quartz_test.stl").string();
  ASSERT_TRUE(WriteFileAtomic(path, StlText("quartz", polyhedron, g, TwinChoice::None)));
  const MeshReport r = RunAdmesh(path);
  std::filesystem::remove(path);
  EXPECT_GT(r.facets, 0);
  EXPECT_EQ(r.disconnected, 0);
  EXPECT_EQ(r.backwards, 0);
  EXPECT_EQ(r.reversed, 0);
  EXPECT_EQ(r.parts, 1);
  const Real scale = StlScale(polyhedron, g);
  const double expected =
      static_cast<double>(g.lists.volumeTotal * std::pow(scale / polyhedron.distanceScale, 3));
  EXPECT_GT(expected, 0);
  EXPECT_NEAR(r.volume, expected, 0.01 * expected);
}

TEST(StlAdmesh, InversionTwinIsASecondClosedOrientedBody) {
  if (std::system("admesh --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "admesh not installed";
  CrystalModel model;
  SetCubeFaces(model);
  model.twin.twinCentre = {2, 0, 0};  // the twin lies beside the crystal
  const Polyhedron cube = BuildPolyhedron(MakePolyhedronInput(model));
  SceneSwitches switches;
  switches.twin = TwinChoice::Inversion;
  const SceneGeometry g = BuildSceneGeometry(model, cube, switches);
  const std::string path =
      (std::filesystem::temp_directory_path() / "habitopia_twin_test.stl").string();
  ASSERT_TRUE(WriteFileAtomic(path, StlText("twin", cube, g, TwinChoice::Inversion)));
  const MeshReport r = RunAdmesh(path);
  std::filesystem::remove(path);
  EXPECT_EQ(r.facets, 24);
  EXPECT_EQ(r.disconnected, 0);
  EXPECT_EQ(r.backwards, 0);
  EXPECT_EQ(r.reversed, 0);
  EXPECT_EQ(r.parts, 2);
  const double cubeVolume = std::pow(2 * 25 / std::sqrt(3.0), 3);
  EXPECT_NEAR(r.volume, 2 * cubeVolume, 0.01 * 2 * cubeVolume);
}

}  // namespace
}  // namespace habitopia
