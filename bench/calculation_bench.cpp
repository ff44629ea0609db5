// The engine's part of a calculation, step by step and whole, for the benchmark
// models: the face-table clean-up, the build, the scene text and the scene and
// snapshot files written (into a temporary folder). The window's edit-to-picture
// time is measured in bench/viewer.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_models.h"
#include "core/face_table.h"
#include "core/model.h"
#include "files/file_io.h"
#include "files/model_document.h"
#include "files/model_writer.h"
#include "scene/scene_writer.h"

namespace {

using namespace habitopia;
using habitopia::bench::BenchModel;

CrystalModel ModelOf(const BenchModel& bench) {
  CrystalModel model;
  model.cell = model.acceptedCell = bench.cell;
  model.matrices = BuildCellMatrices(bench.cell);
  for (std::size_t f = 0; f < bench.faces.size(); ++f) model.faces[f] = bench.faces[f];
  model.lastFace = model.lastUniqueFace = static_cast<int>(bench.faces.size()) - 1;
  return model;
}

std::string Folder() {
  static const std::string folder = [] {
    const auto path = std::filesystem::temp_directory_path() / "habitopia-calculation-bench";
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return folder;
}

enum Step { kCleanUp, kBuild, kSceneText, kFiles, kWhole };

void BM_Calculation(benchmark::State& state, const BenchModel& bench, Step step) {
  const CrystalModel original = ModelOf(bench);
  CrystalModel model = original;
  PrepareFaceTable(model);
  Polyhedron polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  const SceneSwitches switches;
  std::string text = WriteScene(model, polyhedron, model.display, switches).text;
  const std::string scenePath = Folder() + "/Habitopia.wrl";
  const std::string snapshotPath = Folder() + "/1.mor";
  std::string error;
  for (auto _ : state) {
    if (step == kCleanUp || step == kWhole) {
      model = original;
      PrepareFaceTable(model);
    }
    if (step == kBuild || step == kWhole) polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
    if (step == kSceneText || step == kWhole)
      text = WriteScene(model, polyhedron, model.display, switches).text;
    if (step == kFiles || step == kWhole) {
      if (!WriteFileAtomically(scenePath, text, error)) state.SkipWithError(error.c_str());
      if (!WriteModelFile(snapshotPath, MakeDocument(model, FormValues{}, SaveKind::UndoSnapshot))
               .ok)
        state.SkipWithError("snapshot not written");
    }
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["scene bytes"] = static_cast<double>(text.size());
}

}  // namespace

int main(int argc, char** argv) {
  static const std::vector<BenchModel> models = habitopia::bench::BenchModels();
  const std::pair<Step, const char*> steps[] = {{kCleanUp, "clean-up"},
                                                {kBuild, "build"},
                                                {kSceneText, "scene text"},
                                                {kFiles, "files"},
                                                {kWhole, "whole"}};
  for (const BenchModel& model : models)
    for (const auto& [step, name] : steps)
      benchmark::RegisterBenchmark(("Calculation/" + model.name + "/" + name).c_str(),
                                   BM_Calculation, model, step)
          ->Unit(benchmark::kMillisecond)
          ->Repetitions(3)
          ->ReportAggregatesOnly(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder());
  return 0;
}
