// Building a 301-face crystal (random integer indices up to 4, triclinic cell,
// distances 1 to 1.5, fixed seed): the fast builder beside the exhaustive one.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "core/polyhedron.h"
#include "support/polyhedron_compare.h"
#include "support/random_faces.h"
#include "support/reference_polyhedron.h"

namespace {

using namespace habitopia;

const habitopia::test::RandomFaceSet& BenchmarkSet() {
  static const habitopia::test::RandomFaceSet set =
      habitopia::test::MakeBenchmarkFaceSet(301, 4, 20261208);
  return set;
}

PolyhedronInput Input() {
  PolyhedronInput input;
  input.faces = BenchmarkSet().faces;
  input.cell = BuildCellMatrices(BenchmarkSet().cell);
  return input;
}

// Refuses to time a builder whose output differs from the exhaustive method.
void CheckIdentical() {
  const Polyhedron fast = BuildPolyhedron(Input());
  const auto same =
      habitopia::test::IdenticalPolyhedra(fast, habitopia::test::BuildReferencePolyhedron(Input()));
  std::fprintf(stderr, "301 faces: %zu corners, %d present faces; fast and exhaustive %s\n",
               fast.corners.size(), fast.PresentFaceCount(), same ? "identical" : same.message());
  if (!same) std::exit(1);
}

void BM_BuildPolyhedron301(benchmark::State& state) {
  const PolyhedronInput input = Input();
  for (auto _ : state) benchmark::DoNotOptimize(BuildPolyhedron(input));
}
BENCHMARK(BM_BuildPolyhedron301)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ExhaustiveReference301(benchmark::State& state) {
  const PolyhedronInput input = Input();
  for (auto _ : state) benchmark::DoNotOptimize(habitopia::test::BuildReferencePolyhedron(input));
}
BENCHMARK(BM_ExhaustiveReference301)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SceneNumberingAndAreas301(benchmark::State& state) {
  const Polyhedron polyhedron = BuildPolyhedron(Input());
  for (auto _ : state) {
    const SceneCorners scene = NumberSceneCorners(polyhedron);
    benchmark::DoNotOptimize(BuildFaceIndexLists(polyhedron, scene, true));
  }
}
BENCHMARK(BM_SceneNumberingAndAreas301)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  CheckIdentical();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
