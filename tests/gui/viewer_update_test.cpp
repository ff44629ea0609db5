// A scene file rewritten by an edit: shown by updating the world in place when
// only field values changed, and then drawn exactly as a fresh load draws it.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "files/model_codes.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

// Pixels that differ by more than `tolerance` in some channel.
int DifferingPixels(const QImage& a, const QImage& b, int tolerance = 2) {
  if (a.size() != b.size()) return a.width() * a.height() + 1;
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
      if (std::abs(p.red() - q.red()) > tolerance || std::abs(p.green() - q.green()) > tolerance ||
          std::abs(p.blue() - q.blue()) > tolerance)
        ++count;
    }
  return count;
}

void MoveAFaceAndRecolour(ModelDocument& document) {
  document.faces[0].distance *= 1.15L;
  document.fillColour = {40, 160, 60};
  document.backgroundColour = {250, 240, 200};
  document.transparency = 0;
}

class ViewerUpdate : public ::testing::Test {
 protected:
  // Loads the scene as a fresh world (from a folder of its own) and grabs it.
  QImage FreshPicture(const std::function<void(ModelDocument&)>& edit) {
    const QString scene = WriteExampleScene(
        fresh_.path() + QStringLiteral("/") + QString::number(++freshLoads_), edit);
    const int inPlace = viewer_.InPlaceUpdates();
    EXPECT_TRUE(LoadAndWait(viewer_, scene).ok);
    EXPECT_EQ(viewer_.InPlaceUpdates(), inPlace) << "a new file was not loaded in full";
    return viewer_.GrabImage(kGrabTimeoutMs);
  }

  // Rewrites the one scene file and shows it again; true when done in place.
  bool Rewrite(const std::function<void(ModelDocument&)>& edit) {
    const int inPlace = viewer_.InPlaceUpdates();
    const QString scene = WriteExampleScene(work_.path(), edit);
    const SceneLoadResult result = LoadAndWait(viewer_, scene);
    EXPECT_TRUE(result.ok) << result.error;
    return viewer_.InPlaceUpdates() == inPlace + 1;
  }

  VrmlViewer& viewer_ = SharedViewer();
  QTemporaryDir work_;
  QTemporaryDir fresh_;
  int freshLoads_ = 0;
};

TEST_F(ViewerUpdate, AnEditedSceneIsUpdatedInPlaceAndDrawnAsAFreshLoadDrawsIt) {
  ASSERT_TRUE(viewer_.HasWebGL());
  const QImage freshEdited = FreshPicture(MoveAFaceAndRecolour);
  const QImage freshExample = FreshPicture(nullptr);

  EXPECT_FALSE(Rewrite(nullptr)) << "the first load of a file replaces the world";
  const QImage before = viewer_.GrabImage(kGrabTimeoutMs);
  EXPECT_LT(DifferingPixels(before, freshExample), 20);

  ASSERT_TRUE(Rewrite(MoveAFaceAndRecolour));
  const QImage edited = viewer_.GrabImage(kGrabTimeoutMs);
  KeepPicture(edited, QStringLiteral("update_in_place"));
  KeepPicture(freshEdited, QStringLiteral("update_fresh"));
  const int all = edited.width() * edited.height();
  ASSERT_GT(DifferingPixels(before, edited), all / 2) << "the edit did not reach the picture";
  EXPECT_LT(DifferingPixels(edited, freshEdited), 20);

  // And back: the same file, the example's values again.
  ASSERT_TRUE(Rewrite(nullptr));
  EXPECT_LT(DifferingPixels(viewer_.GrabImage(kGrabTimeoutMs), freshExample), 20);
}

TEST_F(ViewerUpdate, ChangedNodesLoadInFullAndAnUpdatedViewStartsFromTheScenesViewpoint) {
  ASSERT_TRUE(viewer_.HasWebGL());
  const auto gridOff = [](ModelDocument& document) {
    document.switches[kSwitchGrid] = 0;
    document.switches[kSwitchFill] = 1;
  };
  const QImage freshGridOff = FreshPicture(gridOff);
  Rewrite(nullptr);

  // Leaving out the edges changes the scene's nodes: a full load.
  EXPECT_FALSE(Rewrite(gridOff));
  EXPECT_LT(DifferingPixels(viewer_.GrabImage(kGrabTimeoutMs), freshGridOff), 20);
  EXPECT_FALSE(Rewrite(nullptr));

  // A turned view is put back on the scene's (new) viewpoint, as a reload does.
  const auto wide = [](ModelDocument& document) { document.perspectivePosition = 4; };
  FreshPicture(wide);
  const std::optional<ViewerCamera> freshCamera = viewer_.Camera();
  ASSERT_TRUE(freshCamera);
  Rewrite(nullptr);
  ViewerCamera turned = *freshCamera;
  turned.position = {30, 5, 20};
  turned.orientation = {0, 1, 0, 0.9};
  ASSERT_TRUE(viewer_.SetCamera(turned));
  ASSERT_TRUE(Rewrite(wide));
  const std::optional<ViewerCamera> camera = viewer_.Camera();
  ASSERT_TRUE(camera);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(camera->position[i], freshCamera->position[i], 1e-6);
  EXPECT_NEAR(camera->orientation[3], freshCamera->orientation[3], 1e-6);
  EXPECT_NEAR(camera->fieldOfView, freshCamera->fieldOfView, 1e-6);
}

TEST_F(ViewerUpdate, ABrokenRewriteFailsAsAFullLoadWouldAndTheNextLoadShowsTheScene) {
  ASSERT_TRUE(viewer_.HasWebGL());
  const QString scene = WriteExampleScene(work_.path());
  ASSERT_TRUE(LoadAndWait(viewer_, scene).ok);
  {
    QFile file(scene);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(
        "#VRML V2.0 utf8\nShape { geometry IndexedFaceSet { coord Coordinate { point [ 1 2 ");
  }
  const int inPlace = viewer_.InPlaceUpdates();
  const SceneLoadResult broken = LoadAndWait(viewer_, scene);
  EXPECT_FALSE(broken.ok);
  EXPECT_FALSE(broken.error.empty());
  EXPECT_EQ(viewer_.InPlaceUpdates(), inPlace);

  EXPECT_FALSE(Rewrite(nullptr)) << "after a failure the world is loaded anew";
  EXPECT_TRUE(Rewrite(MoveAFaceAndRecolour));
}

}  // namespace
}  // namespace habitopia::gui::test
