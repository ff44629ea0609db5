// Loading scenes into the viewer: the example crystal is drawn, failures are
// reported with their reason, compressed scenes and inlines load.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "viewer_support.h"

namespace habitopia::gui::testing {
namespace {

TEST(ViewerLoad, ExampleCrystalIsDrawnInItsColoursOnItsBackground) {
  VrmlViewer& viewer = SharedViewer();
  ASSERT_TRUE(viewer.IsReady());
  ASSERT_TRUE(viewer.HasWebGL()) << viewer.WebGLRenderer().toStdString();

  QTemporaryDir folder;
  const QString scene = WriteExampleScene(folder.path(), [](ModelDocument& document) {
    document.backgroundColour = {20, 40, 90};
    document.fillColour = {230, 60, 30};
  });
  ASSERT_FALSE(scene.isEmpty());
  const SceneLoadResult result = LoadAndWait(viewer, scene);
  ASSERT_TRUE(result.ok) << result.error;

  const QImage picture = viewer.GrabImage(kGrabTimeoutMs);
  KeepPicture(picture, QStringLiteral("example_coloured"));
  ASSERT_FALSE(picture.isNull());
  const int all = picture.width() * picture.height();
  EXPECT_GT(CountPixels(picture, QColor(20, 40, 90), 2), all / 10) << "background missing";
  // Lit by coloured spotlights the faces are shades of the fill colour: red clearly
  // above green and blue.
  const int crystal = CountPixelsWhere(picture, [](QColor c) {
    return c.red() > c.green() + 40 && c.red() > c.blue() + 40;
  });
  EXPECT_GT(crystal, all / 20) << "crystal faces missing";
}

}  // namespace
}  // namespace habitopia::gui::testing
