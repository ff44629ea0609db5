// Our polyhedron builder beside Qhull's half-space intersection on the same
// planes, in one run: the dense 301-face habit, 301 random faces, a 60-face and
// a 20-face crystal. Qhull works in double precision and merges what it finds
// coplanar; it is timed here only as the speed to measure ours against.
//
// With --cli=PATH (habitopia-cli) it also times the whole calculation:
// "info --json" on the dense habit saved as a model file, less "info --json" on
// a 6-face cube (the process start and the file reading), against Qhull on the
// same habit, all in CPU time and taken in turn.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

extern "C" {
#include <libqhull_r/qhull_ra.h>
}

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "bench_models.h"
#include "core/model.h"
#include "core/polyhedron.h"
#include "files/model_writer.h"
#include "support/clipped_polyhedron.h"

namespace {

using namespace habitopia;
using habitopia::bench::BenchModel;

// One row a, b per plane: a . x + b <= 0 keeps the crystal side.
std::vector<double> HalfSpaces(const BenchModel& model) {
  const PolyhedronInput input = habitopia::bench::InputOf(model);
  const std::vector<FacePlane> planes = ComputeFacePlanes(input, ComputeDistanceScale(input));
  std::vector<double> rows;
  for (const FacePlane& plane : planes) {
    const Real norm = Norm(plane.normal);
    for (int i = 0; i < 3; ++i) rows.push_back(static_cast<double>(plane.normal[i] / norm));
    rows.push_back(static_cast<double>(-plane.offset));
  }
  return rows;
}

// The corners Qhull finds: one per facet of the dual hull.
std::vector<std::array<double, 3>> QhullCorners(std::vector<double>& rows) {
  qhT context;
  qhT* qh = &context;
  qh_zero(qh, stderr);
  char command[] = "qhull H0,0,0";
  std::vector<std::array<double, 3>> corners;
  const int count = static_cast<int>(rows.size() / 4);
  if (qh_new_qhull(qh, 4, count, rows.data(), False, command, nullptr, stderr) == 0) {
    facetT* facet;
    FORALLfacets {
      if (facet->offset >= -qh->MINdenom) continue;  // a direction without corner
      std::array<double, 3> x;
      for (int k = 0; k < 3; ++k) x[k] = facet->normal[k] / -facet->offset + qh->feasible_point[k];
      corners.push_back(x);
    }
  }
  qh_freeqhull(qh, !qh_ALL);
  int curlong, totlong;
  qh_memfreeshort(qh, &curlong, &totlong);
  return corners;
}

void BM_Ours(benchmark::State& state, const BenchModel& model) {
  const PolyhedronInput input = habitopia::bench::InputOf(model);
  for (auto _ : state) benchmark::DoNotOptimize(BuildPolyhedron(input));
}

void BM_Qhull(benchmark::State& state, const BenchModel& model) {
  std::vector<double> rows = HalfSpaces(model);
  for (auto _ : state) benchmark::DoNotOptimize(QhullCorners(rows));
}

// Prints both builders' corner counts and refuses to time a builder whose volume
// or face areas differ from the clipped half-space intersection.
void CheckModels(const std::vector<BenchModel>& models) {
  for (const BenchModel& model : models) {
    const PolyhedronInput input = habitopia::bench::InputOf(model);
    const Polyhedron ours = BuildPolyhedron(input);
    const FaceIndexLists lists = BuildFaceIndexLists(ours, NumberSceneCorners(ours), false);
    const habitopia::test::ClippedPolyhedron clipped = habitopia::test::ClipHalfSpaces(input);
    Real worst = std::fabs(lists.volumeTotal - clipped.volume) / clipped.volume;
    for (int f = 0; f < ours.FaceCount(); ++f) {
      const int p = ours.presentIndex[f];
      const Real area = p == kAbsentFace ? 0 : lists.faceArea[p];
      worst = std::max(worst, std::fabs(area - clipped.faceArea[f]) / clipped.surface);
    }
    const bool same = worst <= 1e-9L;
    std::vector<double> rows = HalfSpaces(model);
    const auto qhull = QhullCorners(rows);
    std::fprintf(stderr,
                 "%-10s %3zu faces: ours %zu corners, %d present faces (largest difference from "
                 "the clipped intersection %.1Le); Qhull %zu corners\n",
                 model.name.c_str(), model.faces.size(), ours.corners.size(),
                 ours.PresentFaceCount(), worst, qhull.size());
    if (!same) std::exit(1);
  }
}

// The model file of a bench model, point group 1: the faces as they are.
std::string WriteBenchModel(const BenchModel& bench, const std::filesystem::path& folder) {
  CrystalModel model;
  SetCell(model, bench.cell);
  model.pointGroup = 1;
  for (std::size_t f = 0; f < bench.faces.size(); ++f) model.faces[f] = bench.faces[f];
  model.lastFace = model.lastUniqueFace = static_cast<int>(bench.faces.size()) - 1;
  const std::string path = (folder / (bench.name + ".mor")).string();
  const ModelWriteResult written = WriteModelFile(path, MakeDocument(model, FormValues{}));
  if (!written.ok) {
    std::fprintf(stderr, "%s\n", written.error.c_str());
    std::exit(1);
  }
  return path;
}

// CPU time (user and system) of one "CLI info --json FILE", its output thrown
// away: unlike the wall time it leaves out the moments the machine gives to
// others.
double InfoSeconds(const std::string& cli, const std::string& file) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string command = "info", flag = "--json";
  std::string fileArgument = file;
  char* argv[] = {const_cast<char*>(cli.c_str()), command.data(), fileArgument.data(), flag.data(),
                  nullptr};
  pid_t child = 0;
  int status = 0;
  rusage usage{};
  if (posix_spawn(&child, cli.c_str(), &actions, nullptr, argv, environ) != 0 ||
      wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s info --json %s failed\n", cli.c_str(), file.c_str());
    std::exit(1);
  }
  posix_spawn_file_actions_destroy(&actions);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * t.tv_usec; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// CPU seconds of this process so far.
double ProcessSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

struct WholeCalculation {
  double milliseconds = 0;  // the median of the dense habit's info less the cube's
  double qhullMilliseconds = 0;
  double ratio = 0;  // the median of the per-round ratios
};

// Rounds of "info --json" on the dense habit, on the cube and Qhull on the
// same habit (the mean of 20 in this process), in turn, so that a drift of the
// machine's speed weighs on all three alike; CPU times.
WholeCalculation TimeWholeCalculation(const std::string& cli, const BenchModel& dense) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("habitopia-info-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  BenchModel cube{"cube6", {}, {}};
  habitopia::bench::AddCubicForm(cube.faces, 1, 0, 0, 1.0L);
  const std::string densePath = WriteBenchModel(dense, folder);
  const std::string cubePath = WriteBenchModel(cube, folder);
  std::vector<double> rows = HalfSpaces(dense);
  auto qhullSeconds = [&rows] {
    constexpr int kRepeats = 20;
    const double start = ProcessSeconds();
    for (int i = 0; i < kRepeats; ++i) benchmark::DoNotOptimize(QhullCorners(rows));
    return (ProcessSeconds() - start) / kRepeats;
  };
  std::vector<double> denseTimes, cubeTimes, differences, qhullTimes, ratios;
  for (int run = 0; run < 5; ++run) InfoSeconds(cli, densePath), InfoSeconds(cli, cubePath);
  for (int run = 0; run < 101; ++run) {
    denseTimes.push_back(InfoSeconds(cli, densePath));
    cubeTimes.push_back(InfoSeconds(cli, cubePath));
    qhullTimes.push_back(qhullSeconds());
    differences.push_back(denseTimes.back() - cubeTimes.back());
    ratios.push_back(differences.back() / qhullTimes.back());
  }
  if (!std::getenv("HABITOPIA_BENCH_KEEP")) std::filesystem::remove_all(folder);
  std::printf("info --json: %s %.3f ms, cube6 %.3f ms (median CPU times of 101 runs each)\n",
              dense.name.c_str(), 1e3 * Median(denseTimes), 1e3 * Median(cubeTimes));
  return {1e3 * Median(differences), 1e3 * Median(qhullTimes), Median(ratios)};
}

// Collects the median CPU times and prints ours / Qhull per model at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        medians_[run.run_name.function_name] = run.GetAdjustedCPUTime();
  }
  double Median(const std::string& name) const {
    const auto found = medians_.find(name);
    return found == medians_.end() ? 0 : found->second;
  }
  void PrintRatios(const std::vector<BenchModel>& models) const {
    std::printf("\n%-10s %12s %12s %8s   (median CPU time, ms)\n", "model", "ours", "Qhull",
                "ratio");
    for (const BenchModel& model : models) {
      const auto ours = medians_.find("Ours/" + model.name);
      const auto qhull = medians_.find("Qhull/" + model.name);
      if (ours == medians_.end() || qhull == medians_.end()) continue;
      std::printf("%-10s %12.3f %12.3f %8.2f\n", model.name.c_str(), ours->second, qhull->second,
                  ours->second / qhull->second);
    }
  }

 private:
  std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  std::string cli;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("--cli=", 0) == 0)
      cli = argument.substr(6);
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  static const std::vector<BenchModel> models = habitopia::bench::BenchModels();
  CheckModels(models);
  for (const BenchModel& model : models) {
    benchmark::RegisterBenchmark("Ours", BM_Ours, model)
        ->Name("Ours/" + model.name)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark("Qhull", BM_Qhull, model)
        ->Name("Qhull/" + model.name)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true);
  }
  // The repetitions of all benchmarks in random order, so that a machine whose
  // speed drifts during the run weighs on both builders alike.
  std::vector<char*> arguments(argv, argv + argc);
  static char interleave[] = "--benchmark_enable_random_interleaving=true";
  static char minimumTime[] = "--benchmark_min_time=0.2";
  arguments.insert(arguments.begin() + 1, {interleave, minimumTime});
  argc = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);
  argv = arguments.data();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios(models);
  if (!cli.empty()) {
    const WholeCalculation whole = TimeWholeCalculation(cli, models[0]);
    std::printf(
        "whole calculation (info --json less the cube's): %.3f ms, Qhull %.3f ms in the same "
        "rounds, ratio %.2f (median of the rounds' ratios)\n",
        whole.milliseconds, whole.qhullMilliseconds, whole.ratio);
  }
  benchmark::Shutdown();
  return 0;
}
