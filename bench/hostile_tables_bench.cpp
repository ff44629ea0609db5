// Building 301-face tables whose numbers no reader lets through: a cell whose
// metric overflows (every triple point NaN or infinite) and a face with an index
// near 1e3000. Each build must stay well under a second.

#include <benchmark/benchmark.h>

#include "core/polyhedron.h"
#include "support/random_faces.h"

namespace {

using namespace habitopia;

const test::RandomFaceSet& FaceSet() {
  static const test::RandomFaceSet set = test::MakeBenchmarkFaceSet(301, 4, 20261208);
  return set;
}

void BuildWith(benchmark::State& state, const UnitCell& cell, Real hugeIndex) {
  std::vector<FaceRecord> faces = FaceSet().faces;
  if (hugeIndex != 0) faces[5].h = hugeIndex;
  PolyhedronInput input;
  input.faces = faces;
  input.cell = BuildCellMatrices(cell);
  for (auto _ : state) benchmark::DoNotOptimize(BuildPolyhedron(input));
}

void BM_MetricOverflow301(benchmark::State& state) {
  BuildWith(state, {1e-4000L, 1, 1, 90, 90, 90}, 0);
}
void BM_ZeroLength301(benchmark::State& state) { BuildWith(state, {0, 1, 1, 90, 90, 90}, 0); }
void BM_HugeIndex301(benchmark::State& state) { BuildWith(state, FaceSet().cell, 1e3000L); }

BENCHMARK(BM_MetricOverflow301)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ZeroLength301)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HugeIndex301)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
