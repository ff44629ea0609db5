#include "viewer_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "app/shown_file.h"
#include "files/model_reader.h"
#include "files/model_writer.h"
#include "gui/page_location.h"

namespace habitopia::gui::test {

QString ExampleModel() { return QStringLiteral(HABITOPIA_SOURCE_DIR "/examples/Quartz.mor"); }

namespace {

std::unique_ptr<VrmlViewer> viewer;

// The viewer must go before the application object.
class ViewerEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { viewer.reset(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ViewerEnvironment);

}  // namespace

VrmlViewer& SharedViewer() {
  if (!viewer) {
    // A working directory of its own, never a folder that holds the tests' files.
    static QTemporaryDir scratch;
    const QString work =
        qEnvironmentVariable("HABITOPIA_WORKDIR", scratch.path() + QStringLiteral("/work"));
    QDir().mkpath(work);
    viewer = std::make_unique<VrmlViewer>(ViewerPageDirectory(), work);
    viewer->resize(480, 360);
    viewer->show();
    viewer->WaitUntilReady(kLoadTimeoutMs);
  }
  return *viewer;
}

SceneLoadResult LoadAndWait(VrmlViewer& viewer, const QString& path, int timeoutMs) {
  bool done = false;
  SceneLoadResult result;
  viewer.SetLoadFinishedHandler([&](const SceneLoadResult& r) {
    result = r;
    done = true;
  });
  viewer.LoadScene(path.toStdString());
  QElapsedTimer clock;
  clock.start();
  while (!done && clock.elapsed() < timeoutMs)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  viewer.SetLoadFinishedHandler(nullptr);
  if (!done) result.error = "no answer from the viewer";
  return result;
}

QString WriteExampleScene(const QString& folder, const std::function<void(ModelDocument&)>& edit) {
  QDir().mkpath(folder);
  ModelReadResult read = ReadModelFile(ExampleModel().toStdString());
  if (!read.ok) return {};
  if (edit) edit(read.document);
  const std::string model = (folder + QStringLiteral("/model.mor")).toStdString();
  if (!WriteModelFile(model, read.document).ok) return {};
  const ShownFile shown = PrepareShownFile(model, folder.toStdString());
  return shown.ok ? QString::fromStdString(shown.scenePath) : QString();
}

void KeepPicture(const QImage& picture, const QString& name) {
  const QString folder = qEnvironmentVariable("HABITOPIA_TEST_SHOTS");
  if (folder.isEmpty() || picture.isNull()) return;
  QDir().mkpath(folder);
  picture.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

int CountPixelsWhere(const QImage& picture, const std::function<bool(QColor)>& test) {
  int count = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (test(picture.pixelColor(x, y))) ++count;
  return count;
}

int CountPixels(const QImage& picture, QColor colour, int tolerance) {
  return CountPixelsWhere(picture, [&](QColor c) {
    return std::abs(c.red() - colour.red()) <= tolerance &&
           std::abs(c.green() - colour.green()) <= tolerance &&
           std::abs(c.blue() - colour.blue()) <= tolerance;
  });
}

QRect ContentBounds(const QImage& picture, QColor background, int tolerance) {
  QRect bounds;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QColor c = picture.pixelColor(x, y);
      if (std::abs(c.red() - background.red()) > tolerance ||
          std::abs(c.green() - background.green()) > tolerance ||
          std::abs(c.blue() - background.blue()) > tolerance)
        bounds |= QRect(x, y, 1, 1);
    }
  return bounds;
}

}  // namespace habitopia::gui::test
