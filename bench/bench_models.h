#pragma once
// The face tables the benchmarks time: a dense sphere-like habit with every one
// of 301 faces present, 301 random faces (most of them absent), a 60-face and a
// 20-face cubic crystal.

#include <array>
#include <string>
#include <vector>

#include "core/polyhedron.h"
#include "support/random_faces.h"

namespace habitopia::bench {

struct BenchModel {
  std::string name;
  UnitCell cell;
  std::vector<FaceRecord> faces;
};

// Every signed permutation of (h, k, l), once each, at central distance d.
inline void AddCubicForm(std::vector<FaceRecord>& faces, int h, int k, int l, Real d) {
  const std::array<std::array<int, 3>, 6> orders{
      {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
  const int v[3] = {h, k, l};
  for (const auto& o : orders)
    for (int signs = 0; signs < 8; ++signs) {
      FaceRecord face;
      face.h = (signs & 1 ? -1 : 1) * v[o[0]];
      face.k = (signs & 2 ? -1 : 1) * v[o[1]];
      face.l = (signs & 4 ? -1 : 1) * v[o[2]];
      face.distance = d;
      bool known = false;
      for (const FaceRecord& f : faces)
        known = known || (f.h == face.h && f.k == face.k && f.l == face.l);
      if (!known) faces.push_back(face);
    }
}

inline std::vector<BenchModel> BenchModels() {
  std::vector<BenchModel> models;
  const test::RandomFaceSet dense = test::MakeDenseFaceSet(301);
  models.push_back({"dense301", dense.cell, dense.faces});
  const test::RandomFaceSet random = test::MakeBenchmarkFaceSet(301, 4, 20261208);
  models.push_back({"random301", random.cell, random.faces});
  BenchModel cubic60{"cubic60", {}, {}};
  AddCubicForm(cubic60.faces, 2, 1, 0, 1.0L);   // 24 faces
  AddCubicForm(cubic60.faces, 2, 1, 1, 1.05L);  // 24 faces
  AddCubicForm(cubic60.faces, 1, 1, 0, 0.98L);  // 12 faces
  models.push_back(cubic60);
  BenchModel pyrite20{"pyrite20", {}, {}};
  for (const auto& [h, k, l] : std::vector<std::array<int, 3>>{{2, 1, 0},
                                                               {-2, 1, 0},
                                                               {2, -1, 0},
                                                               {-2, -1, 0},
                                                               {0, 2, 1},
                                                               {0, -2, 1},
                                                               {0, 2, -1},
                                                               {0, -2, -1},
                                                               {1, 0, 2},
                                                               {1, 0, -2},
                                                               {-1, 0, 2},
                                                               {-1, 0, -2}}) {
    FaceRecord face;
    face.h = h, face.k = k, face.l = l, face.distance = 1;
    pyrite20.faces.push_back(face);
  }
  AddCubicForm(pyrite20.faces, 1, 1, 1, 1.1L);  // 8 faces
  models.push_back(pyrite20);
  return models;
}

inline PolyhedronInput InputOf(const BenchModel& model) {
  PolyhedronInput input;
  input.faces = model.faces;
  input.cell = BuildCellMatrices(model.cell);
  return input;
}

}  // namespace habitopia::bench
