#pragma once
// A cube whose polygons are laid down by hand, so that scene texts can be worked
// out exactly, and helpers to compare a scene with its expected text.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/polyhedron.h"
#include "scene/scene_files.h"

namespace habitopia::test {

// Faces (1 0 0), (-1 0 0), (0 1 0), (0 -1 0), (0 0 1), (0 0 -1), distance 1, in an
// identity cell. Corners are first met in the order (1,-1,-1), (1,1,-1), (1,1,1),
// (1,-1,1), (-1,-1,-1), (-1,-1,1), (-1,1,1), (-1,1,-1).
inline void MakeHandCube(CrystalModel& model, Polyhedron& polyhedron) {
  const Vec3 hkl[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  const std::vector<Vec3> polygons[6] = {
      {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},
      {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}},
      {{1, 1, -1}, {-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}},
      {{1, -1, -1}, {1, -1, 1}, {-1, -1, 1}, {-1, -1, -1}},
      {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}},
      {{1, 1, -1}, {1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}},
  };
  model = CrystalModel{};
  model.lastFace = 5;
  polyhedron = Polyhedron{};
  polyhedron.distanceScale = 1;
  for (int f = 0; f < 6; ++f) {
    FaceRecord& face = model.faces[f];
    face.h = hkl[f][0];
    face.k = hkl[f][1];
    face.l = hkl[f][2];
    face.distance = 1;
    polyhedron.planes.push_back({hkl[f], 1});
    polyhedron.presentIndex.push_back(f);
    PresentFace present;
    present.face = f;
    present.h = face.h;
    present.k = face.k;
    present.l = face.l;
    present.distance = 1;
    for (std::size_t e = 0; e < polygons[f].size(); ++e)
      present.polygon.push_back({polygons[f][e], e + 1 == polygons[f].size() ? 100.0L : 0.5L});
    polyhedron.presentFaces.push_back(present);
  }
}

// Copies the face marks of the model's table into the polyhedron's present faces,
// as a build would.
inline void CopyFaceMarks(const CrystalModel& model, Polyhedron& polyhedron) {
  for (PresentFace& p : polyhedron.presentFaces) {
    const FaceRecord& f = model.faces[p.face];
    p.faceColour = f.faceColour;
    p.colourShown = f.colourShown;
    p.textureFile = f.textureFile;
    p.labelSelected = f.labelSelected;
    p.growthSector = f.growthSector;
  }
}

inline std::string ReadGolden(const std::string& name) {
  const std::string path = std::string(HABITOPIA_SOURCE_DIR) + "/tests/scene/golden/" + name;
  auto text = ReadFileText(path);
  EXPECT_TRUE(text.has_value()) << path;
  return text.value_or("");
}

// Compares line by line and names the first line that differs.
inline ::testing::AssertionResult SameLines(const std::string& actual,
                                            const std::string& expected) {
  const auto a = SplitLines(actual);
  const auto e = SplitLines(expected);
  for (std::size_t i = 0; i < std::max(a.size(), e.size()); ++i) {
    const std::string al = i < a.size() ? a[i] : "<end of text>";
    const std::string el = i < e.size() ? e[i] : "<end of text>";
    if (al != el)
      return ::testing::AssertionFailure()
             << "line " << i + 1 << "\n  written:  [" << al << "]\n  expected: [" << el << "]";
  }
  if (actual.empty() || actual.back() != '\n')
    return ::testing::AssertionFailure() << "the text does not end with a line end";
  return ::testing::AssertionSuccess();
}

// Scenes written by the tests are also kept for the VRML parser check when
// HABITOPIA_SCENE_DUMP names a folder.
inline void KeepScene(const std::string& name, const std::string& text) {
  const char* folder = std::getenv("HABITOPIA_SCENE_DUMP");
  if (!folder || !*folder) return;
  std::filesystem::create_directories(folder);
  std::ofstream(std::string(folder) + "/" + name, std::ios::binary) << text;
}

}  // namespace habitopia::test
