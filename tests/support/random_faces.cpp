#include "support/random_faces.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace habitopia::test {
namespace {

Real Uniform(std::mt19937_64& rng, Real lo, Real hi) {
  return lo + (hi - lo) * static_cast<Real>(rng() >> 11) / static_cast<Real>(1ULL << 53);
}

int UniformInt(std::mt19937_64& rng, int lo, int hi) {
  return lo + static_cast<int>(rng() % static_cast<std::uint64_t>(hi - lo + 1));
}

FaceRecord RandomFace(std::mt19937_64& rng, int maxIndex, Real lo, Real hi) {
  FaceRecord face;
  do {
    face.h = UniformInt(rng, -maxIndex, maxIndex);
    face.k = UniformInt(rng, -maxIndex, maxIndex);
    face.l = UniformInt(rng, -maxIndex, maxIndex);
  } while (face.h == 0 && face.k == 0 && face.l == 0);
  face.distance = Uniform(rng, lo, hi);
  return face;
}

}  // namespace

RandomFaceSet MakeRandomFaceSet(std::uint64_t seed, const RandomFaceOptions& options) {
  std::mt19937_64 rng(seed);
  RandomFaceSet set;
  if (options.randomCell) {
    set.cell = {Uniform(rng, 0.6L, 1.4L), Uniform(rng, 0.6L, 1.4L), Uniform(rng, 0.6L, 1.4L),
                Uniform(rng, 70, 110),    Uniform(rng, 70, 110),    Uniform(rng, 70, 110)};
  }
  // The six axis faces first keep most sets bounded.
  const Real axes[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  for (const auto& a : axes) {
    FaceRecord face;
    face.h = a[0];
    face.k = a[1];
    face.l = a[2];
    face.distance = Uniform(rng, options.minDistance, options.maxDistance) * 1.2L;
    set.faces.push_back(face);
  }
  while (static_cast<int>(set.faces.size()) < options.faceCount) {
    const Real roll = Uniform(rng, 0, 1);
    if (roll < options.duplicateChance && !set.faces.empty()) {
      set.faces.push_back(set.faces[UniformInt(rng, 0, static_cast<int>(set.faces.size()) - 1)]);
    } else if (roll < options.duplicateChance + options.farChance) {
      set.faces.push_back(RandomFace(rng, options.maxIndex, 20, 200));
    } else if (roll < options.duplicateChance + options.farChance + options.zeroChance) {
      FaceRecord zero;
      zero.distance = 1;
      set.faces.push_back(zero);
    } else {
      set.faces.push_back(
          RandomFace(rng, options.maxIndex, options.minDistance, options.maxDistance));
    }
  }
  if (options.cleavage) {
    FaceRecord plane = RandomFace(rng, options.maxIndex, 0.01L, 0.8L);
    set.faces.push_back(plane);
    set.cleavageFace = static_cast<int>(set.faces.size()) - 1;
  }
  return set;
}

RandomFaceSet MakeBenchmarkFaceSet(int faceCount, int maxIndex, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  RandomFaceSet set;
  set.cell = {0.9L, 1.0L, 1.1L, 82, 97, 104};
  for (int f = 0; f < faceCount; ++f) set.faces.push_back(RandomFace(rng, maxIndex, 1, 1.5L));
  return set;
}

RandomFaceSet MakeDenseFaceSet(int faceCount, std::uint64_t seed, bool cubic) {
  std::mt19937_64 rng(seed);
  RandomFaceSet set;
  set.cell = {0.9L, 1.0L, 1.1L, 82, 97, 104};
  if (cubic)
    set.cell = {};
  else if (seed != 0)
    set.cell = {Uniform(rng, 0.6L, 1.4L), Uniform(rng, 0.6L, 1.4L), Uniform(rng, 0.6L, 1.4L),
                Uniform(rng, 70, 110),    Uniform(rng, 70, 110),    Uniform(rng, 70, 110)};
  const CellMatrices cell = BuildCellMatrices(set.cell);
  std::vector<std::tuple<Real, int, int, int>> candidates;
  for (int h = -5; h <= 5; ++h)
    for (int k = -5; k <= 5; ++k)
      for (int l = -5; l <= 5; ++l)
        if (std::gcd(std::gcd(h, k), l) == 1)
          candidates.emplace_back(d_value(cell, {Real(h), Real(k), Real(l)}), h, k, l);
  std::sort(candidates.begin(), candidates.end());
  faceCount = std::min(faceCount, static_cast<int>(candidates.size()));
  if (seed != 0) std::shuffle(candidates.begin(), candidates.begin() + faceCount, rng);
  for (int f = 0; f < faceCount; ++f) {
    FaceRecord face;
    face.h = std::get<1>(candidates[f]);
    face.k = std::get<2>(candidates[f]);
    face.l = std::get<3>(candidates[f]);
    face.distance = 1;
    set.faces.push_back(face);
  }
  return set;
}

}  // namespace habitopia::test
