// Figures of the viewer (not a test): cold start to the first drawn frame, memory
// at that frame, time per grabbed frame, the time an edit takes to reach the
// picture, and memory over many reloads.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/.../bench/viewer/viewer_bench [RELOADS]

#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/shown_file.h"
#include "files/model_codes.h"
#include "files/model_reader.h"
#include "files/model_writer.h"
#include "gui/page_location.h"
#include "gui/vrml_viewer.h"
#include "gui/web_environment.h"

namespace {

// Seconds since the process started (the kernel's start time, 10 ms steps).
double SecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  unsigned long long start = 0;
  for (int i = 3; i <= 22 && fields >> field; ++i)
    if (i == 22) start = std::stoull(field);
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return now.tv_sec + now.tv_nsec / 1e9 - static_cast<double>(start) / sysconf(_SC_CLK_TCK);
}

// Resident and proportional set size (kB) of a process, from smaps_rollup.
std::pair<long, long> Memory(int pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/smaps_rollup");
  std::string key;
  long value = 0, rss = 0, pss = 0;
  std::string unit;
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream in(line);
    if (!(in >> key >> value)) continue;
    if (key == "Rss:") rss = value;
    if (key == "Pss:") pss = value;
  }
  return {rss, pss};
}

std::vector<int> Descendants(int root) {
  std::vector<int> found{root};
  for (std::size_t i = 0; i < found.size(); ++i) {
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
      bool number = false;
      const int pid = entry.toInt(&number);
      if (!number) continue;
      std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
      std::string text((std::istreambuf_iterator<char>(stat)), {});
      const auto close = text.rfind(')');
      if (close == std::string::npos) continue;
      std::istringstream fields(text.substr(close + 2));
      std::string state;
      int parent = 0;
      fields >> state >> parent;
      if (parent == found[i]) found.push_back(pid);
    }
  }
  return found;
}

// CPU seconds used so far by a process (user and system).
double CpuSeconds(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  const auto close = text.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i)
    if (i == 14 || i == 15) ticks += std::stod(field);
  return ticks / sysconf(_SC_CLK_TCK);
}

double TotalCpuSeconds() {
  double total = 0;
  for (int pid : Descendants(getpid())) total += CpuSeconds(pid);
  return total;
}

// Lets the event loop run for a while without spinning.
void Idle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct Footprint {
  long rss = 0, pss = 0;  // kB, this process and its helpers
};

Footprint TotalMemory() {
  Footprint total;
  for (int pid : Descendants(getpid())) {
    const auto [rss, pss] = Memory(pid);
    total.rss += rss;
    total.pss += pss;
  }
  return total;
}

bool LoadAndWait(habitopia::gui::VrmlViewer& viewer, const std::string& scene) {
  bool done = false, ok = false;
  viewer.SetLoadFinishedHandler([&](const habitopia::SceneLoadResult& r) {
    done = true;
    ok = r.ok;
  });
  viewer.LoadScene(scene);
  QElapsedTimer clock;
  clock.start();
  while (!done && clock.elapsed() < 60000)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  return ok;
}

// Writes the example with `change` applied as the scene the calculation writes
// (the same file every time, as in the window).
bool WriteVariant(const QTemporaryDir& work,
                  const std::function<void(habitopia::ModelDocument&)>& change,
                  std::string& scene) {
  habitopia::ModelReadResult read =
      habitopia::ReadModelFile(habitopia::gui::ExampleModelPath().toStdString());
  change(read.document);
  const std::string model = work.path().toStdString() + "/variant.mor";
  habitopia::WriteModelFile(model, read.document);
  const habitopia::ShownFile shown = habitopia::PrepareShownFile(model, work.path().toStdString());
  scene = shown.scenePath;
  return shown.ok;
}

struct EditTiming {
  double ms = 0;  // per load, from the call to the report of the drawn frame
  int inPlace = 0;
  bool ok = false;
};

// Loads `count` times, alternating between the example with `change` and the
// example, after the example itself; the scene file is rewritten before each load
// and only the loads are timed.
EditTiming TimeEdits(habitopia::gui::VrmlViewer& viewer, const QTemporaryDir& work,
                     const std::function<void(habitopia::ModelDocument&)>& change, int count) {
  EditTiming timing;
  // Untimed: the example shown first, as an edit starts from the scene shown.
  std::string start;
  if (!WriteVariant(
          work, [](habitopia::ModelDocument&) {}, start) ||
      !LoadAndWait(viewer, start))
    return timing;
  const int inPlaceBefore = viewer.InPlaceUpdates();
  qint64 total = 0;
  for (int i = 0; i < count; ++i) {
    std::string scene;
    const bool written = WriteVariant(
        work, i % 2 == 0 ? change : [](habitopia::ModelDocument&) {}, scene);
    if (!written) return timing;
    QElapsedTimer clock;
    clock.start();
    if (!LoadAndWait(viewer, scene)) return timing;
    total += clock.elapsed();
  }
  timing.ms = total / static_cast<double>(std::max(count, 1));
  timing.inPlace = viewer.InPlaceUpdates() - inPlaceBefore;
  timing.ok = true;
  return timing;
}

}  // namespace

int main(int argc, char** argv) {
  habitopia::gui::PrepareWebEngineBeforeApplication();
  QApplication application(argc, argv);
  const double applicationMade = SecondsSinceProcessStart();
  habitopia::gui::PrepareWebEngineAfterApplication();
  const int reloads = argc > 1 ? std::atoi(argv[1]) : 100;

  QTemporaryDir work;
  const habitopia::ShownFile shown = habitopia::PrepareShownFile(
      habitopia::gui::ExampleModelPath().toStdString(), work.path().toStdString());
  if (!shown.ok) {
    std::fprintf(stderr, "viewer_bench: %s\n", shown.error.c_str());
    return 2;
  }

  habitopia::gui::VrmlViewer viewer(habitopia::gui::ViewerPageDirectory(), work.path());
  viewer.resize(640, 420);
  double pageReady = 0;
  QObject::connect(&viewer, &habitopia::gui::VrmlViewer::pageReady,
                   [&pageReady] { pageReady = SecondsSinceProcessStart(); });
  viewer.show();
  if (!LoadAndWait(viewer, shown.scenePath)) {
    std::fprintf(stderr, "viewer_bench: the example scene did not load\n");
    return 1;
  }
  const double firstFrame = SecondsSinceProcessStart();
  const Footprint atFirst = TotalMemory();

  const int grabs = 30;
  viewer.GrabImage(10000);
  QElapsedTimer clock;
  clock.start();
  int grabbed = 0;
  for (int i = 0; i < grabs; ++i)
    if (!viewer.GrabImage(10000).isNull()) ++grabbed;
  const double perGrab = clock.elapsed() / static_cast<double>(std::max(grabbed, 1));

  std::printf("renderer: %s\n", qPrintable(viewer.WebGLRenderer()));
  std::printf("cold start to first drawn frame: %.2f s\n", firstFrame);
  std::printf(
      "cold start in steps: %.2f s to the Qt application, %.2f s more to the page with X_ITE "
      "ready, %.2f s more to the first scene drawn\n",
      applicationMade, pageReady - applicationMade, firstFrame - pageReady);
  std::printf(
      "memory at first frame: %.0f MB resident, %.0f MB proportional (with helper processes)\n",
      atFirst.rss / 1024.0, atFirst.pss / 1024.0);
  std::printf("grabbed frame (640 x 420 PNG from the canvas): %.1f ms each over %d grabs\n",
              perGrab, grabbed);

  // CPU while the crystal stands still, and while it turns (the page caps the
  // frame rate).
  {
    const double before = TotalCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    Idle(5000);
    const double used = TotalCpuSeconds() - before;
    std::printf("CPU while the crystal stands still: %.0f %% of one core\n",
                100.0 * used / (wall.elapsed() / 1000.0));
  }
  {
    habitopia::ModelReadResult read =
        habitopia::ReadModelFile(habitopia::gui::ExampleModelPath().toStdString());
    read.document.switches[habitopia::kSwitchAnimation] = 1;
    const std::string model = work.path().toStdString() + "/animated.mor";
    habitopia::WriteModelFile(model, read.document);
    const habitopia::ShownFile animated =
        habitopia::PrepareShownFile(model, work.path().toStdString());
    if (animated.ok && LoadAndWait(viewer, animated.scenePath)) {
      const double before = TotalCpuSeconds();
      QElapsedTimer wall;
      wall.start();
      Idle(5000);
      const double used = TotalCpuSeconds() - before;
      std::printf("CPU while the animation runs: %.0f %% of one core (%.1f s in %.1f s)\n",
                  100.0 * used / (wall.elapsed() / 1000.0), used, wall.elapsed() / 1000.0);
    }
  }

  // From edit to picture: the scene file rewritten and shown again.
  const std::function<void(habitopia::ModelDocument&)> moveAFace =
      [](habitopia::ModelDocument& document) {
        if (!document.faces.empty()) document.faces[0].distance *= 1.08L;
        document.fillColour = {200, 170, 120};
      };
  const auto gridOff = [](habitopia::ModelDocument& document) {
    document.switches[habitopia::kSwitchGrid] = 0;
  };
  const std::function<void(habitopia::ModelDocument&)> unchanged = [](habitopia::ModelDocument&) {};
  const EditTiming same = TimeEdits(viewer, work, unchanged, 20);
  const EditTiming edit = TimeEdits(viewer, work, moveAFace, 20);
  const EditTiming toggle = TimeEdits(viewer, work, gridOff, 10);
  if (!same.ok || !edit.ok || !toggle.ok) {
    std::fprintf(stderr, "viewer_bench: a reload failed\n");
    return 1;
  }
  const auto ratio = [perGrab](double ms) { return ms / std::max(perGrab, 1e-9); };
  std::printf("reload of the example scene: %.0f ms each over 20 reloads (%d drawn in place)\n",
              same.ms, same.inPlace);
  std::printf(
      "edit (a face moved, the fill colour changed): %.0f ms each over 20 loads (%d in place)\n",
      edit.ms, edit.inPlace);
  std::printf("switch (grid off and on, other nodes): %.0f ms each over 10 loads (%d in place)\n",
              toggle.ms, toggle.inPlace);
  std::printf("ratio reload / grabbed frame: %.2f (goal 1.5)\n", ratio(same.ms));
  std::printf("ratio edit / grabbed frame: %.2f (goal 1.5)\n", ratio(edit.ms));
  std::printf("ratio switch / grabbed frame: %.2f\n", ratio(toggle.ms));
  std::printf("ratio cold start / 1.0 s: %.2f (goal 1.0)\n", firstFrame / 1.0);

  std::printf("memory over edits (MB proportional):");
  for (int i = 1; i <= reloads; ++i) {
    std::string scene;
    if (!WriteVariant(work, i % 2 ? moveAFace : unchanged, scene) || !LoadAndWait(viewer, scene)) {
      std::fprintf(stderr, "viewer_bench: reload %d failed\n", i);
      return 1;
    }
    if (i == 10 || i % 50 == 0 || i == reloads) {
      std::printf(" %d: %.0f", i, TotalMemory().pss / 1024.0);
      std::fflush(stdout);
    }
  }
  std::printf("\n");
  return 0;
}
