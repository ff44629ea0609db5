#pragma once
// Random face tables for differential tests and benchmarks (repeatable by seed).

#include <cstdint>
#include <random>
#include <vector>

#include "core/cell.h"
#include "core/face.h"

namespace habitopia::test {

struct RandomFaceOptions {
  int faceCount = 30;
  int maxIndex = 3;
  Real minDistance = 1, maxDistance = 1.5;
  bool randomCell = true;
  Real duplicateChance = 0;  // a face repeated exactly
  Real farChance = 0;        // a face far outside the crystal
  Real zeroChance = 0;       // a face with indices 0 0 0
  bool cleavage = false;     // the last face becomes a cleavage plane
};

struct RandomFaceSet {
  UnitCell cell;
  std::vector<FaceRecord> faces;
  int cleavageFace = -1;
};

RandomFaceSet MakeRandomFaceSet(std::uint64_t seed, const RandomFaceOptions& options);

// A triclinic cell and faces with integer indices up to `maxIndex`.
RandomFaceSet MakeBenchmarkFaceSet(int faceCount, int maxIndex, std::uint64_t seed);

// A sphere-like habit: the `faceCount` primitive index vectors (indices up to 5)
// of shortest reciprocal length, all at central distance 1. Every plane touches
// the unit sphere at its own point, so every face is present. Seed 0 gives a
// fixed triclinic cell and the faces by length; other seeds a random cell
// (cubic when `cubic`) and the faces in random order.
RandomFaceSet MakeDenseFaceSet(int faceCount, std::uint64_t seed = 0, bool cubic = false);

}  // namespace habitopia::test
