// The viewer's camera, its commands, the headlight, repeatable animation frames
// and frames grabbed while the viewer is not on screen.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <cmath>

#include "files/model_codes.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

using Vec = std::array<double, 3>;

Vec Rotate(const std::array<double, 4>& r, const Vec& v) {
  // Rodrigues' rotation of v about the unit axis (r[0], r[1], r[2]) by r[3].
  const double n = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
  if (n == 0) return v;
  const Vec k{r[0] / n, r[1] / n, r[2] / n};
  const double c = std::cos(r[3]), s = std::sin(r[3]);
  const double kv = k[0] * v[0] + k[1] * v[1] + k[2] * v[2];
  const Vec cross{k[1] * v[2] - k[2] * v[1], k[2] * v[0] - k[0] * v[2], k[0] * v[1] - k[1] * v[0]};
  Vec out{};
  for (int i = 0; i < 3; ++i) out[i] = v[i] * c + cross[i] * s + k[i] * kv * (1 - c);
  return out;
}

double Distance(const Vec& a, const Vec& b) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                   (a[2] - b[2]) * (a[2] - b[2]));
}

double Length(const Vec& a) { return Distance(a, Vec{0, 0, 0}); }

// Two orientations are the same rotation when they turn both test vectors alike.
void ExpectSameOrientation(const std::array<double, 4>& a, const std::array<double, 4>& b,
                           double tolerance) {
  for (const Vec& v : {Vec{1, 0, 0}, Vec{0, 1, 0}})
    EXPECT_LT(Distance(Rotate(a, v), Rotate(b, v)), tolerance);
}

Vec ViewDirection(const ViewerCamera& camera) { return Rotate(camera.orientation, Vec{0, 0, -1}); }

// The position and field of view the scene's Viewpoint line gives.
struct SceneViewpoint {
  double distance = 0;
  double fieldOfView = 0;
};

SceneViewpoint ReadViewpoint(const QString& scene) {
  QFile file(scene);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  const QRegularExpression line(
      QStringLiteral("Viewpoint \\{ position 0 0 +([0-9.]+) fieldOfView +([0-9.]+)"));
  const QRegularExpressionMatch match = line.match(text);
  EXPECT_TRUE(match.hasMatch());
  return {match.captured(1).toDouble(), match.captured(2).toDouble()};
}

class ViewerCameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene_ = WriteExampleScene(folder_.path(), [this](ModelDocument& document) {
      document.switches[kSwitchAnimation] = animation_ ? 1 : 0;
    });
    ASSERT_FALSE(scene_.isEmpty());
    const SceneLoadResult result = LoadAndWait(viewer(), scene_);
    ASSERT_TRUE(result.ok) << result.error;
  }

  VrmlViewer& viewer() { return SharedViewer(); }

  ViewerCamera camera() {
    const auto c = viewer().Camera();
    EXPECT_TRUE(c.has_value());
    return c.value_or(ViewerCamera{});
  }

  QImage grab(const QString& name) {
    const QImage picture = viewer().GrabImage(kGrabTimeoutMs);
    KeepPicture(picture, name);
    EXPECT_FALSE(picture.isNull());
    return picture;
  }

  // Presses the left button at `from`, moves to `to` in steps and lets go.
  void drag(QPoint from, QPoint to) {
    QWidget* target = viewer().View()->focusProxy();
    ASSERT_NE(target, nullptr);
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button,
                    Qt::MouseButtons buttons) {
      QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons,
                        Qt::NoModifier);
      QCoreApplication::sendEvent(target, &event);
      settle(30);
    };
    // The pointer enters the picture, then the button goes down.
    send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    settle(30);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 8; ++step)
      send(QEvent::MouseMove, from + (to - from) * step / 8, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    settle(200);
  }

  void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  }

  QTemporaryDir folder_;
  QString scene_;
  bool animation_ = false;
};

TEST_F(ViewerCameraTest, CameraSetThenReadGivesTheSameValues) {
  ViewerCamera wanted;
  wanted.position = {1.5, -2.25, 40.125};
  const double n = std::sqrt(1.0 + 4.0 + 9.0);
  wanted.orientation = {1 / n, 2 / n, 3 / n, 0.7};
  wanted.fieldOfView = 0.09;
  ASSERT_TRUE(viewer().SetCamera(wanted));
  const ViewerCamera read = camera();
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(read.position[i], wanted.position[i], 1e-9);
  ExpectSameOrientation(read.orientation, wanted.orientation, 1e-9);
  EXPECT_NEAR(read.fieldOfView, wanted.fieldOfView, 1e-12);

  // The picture follows the camera: seen from elsewhere it changes.
  const QImage before = grab(QStringLiteral("camera_set"));
  wanted.position = {0, 0, 120};
  wanted.orientation = {0, 0, 1, 0};
  ASSERT_TRUE(viewer().SetCamera(wanted));
  EXPECT_NE(grab(QStringLiteral("camera_set_far")), before);
}

TEST_F(ViewerCameraTest, FitFillsThePictureAndRestoreReturnsToTheScenesViewpoint) {
  const SceneViewpoint scene = ReadViewpoint(scene_);
  const ViewerCamera start = camera();
  EXPECT_NEAR(Distance(start.position, Vec{0, 0, scene.distance}), 0, 1e-6);
  ExpectSameOrientation(start.orientation, {0, 0, 1, 0}, 1e-9);
  EXPECT_NEAR(start.fieldOfView, scene.fieldOfView, 1e-6);

  // Far away along the x axis, looking back at the crystal (-x).
  ViewerCamera far = start;
  far.position = {400, 0, 0};
  far.orientation = {0, 1, 0, M_PI / 2};
  ASSERT_TRUE(viewer().SetCamera(far));
  const QImage small = grab(QStringLiteral("fit_before"));
  const QRect smallBounds = ContentBounds(small, QColor(255, 255, 255));
  ASSERT_FALSE(smallBounds.isEmpty());
  EXPECT_LT(smallBounds.height(), small.height() / 3);

  ASSERT_TRUE(viewer().Command(ViewerCommand::Fit));
  const ViewerCamera fitted = camera();
  // Still on the x axis, looking at the crystal, now close enough to fill the view.
  EXPECT_GT(fitted.position[0], 0);
  EXPECT_LT(fitted.position[0], 400);
  EXPECT_LT(std::abs(fitted.position[1]) + std::abs(fitted.position[2]), 0.2 * fitted.position[0]);
  const Vec towards = ViewDirection(fitted);
  EXPECT_LT(towards[0], -0.98);
  const QImage filled = grab(QStringLiteral("fit_after"));
  const QRect bounds = ContentBounds(filled, QColor(255, 255, 255));
  EXPECT_GT(bounds.height(), filled.height() / 2);
  EXPECT_LE(bounds.height(), filled.height());
  EXPECT_LT(std::abs(bounds.center().x() - filled.width() / 2), filled.width() / 10);
  EXPECT_LT(std::abs(bounds.center().y() - filled.height() / 2), filled.height() / 10);

  ASSERT_TRUE(viewer().Command(ViewerCommand::Restore));
  const ViewerCamera restored = camera();
  EXPECT_NEAR(Distance(restored.position, start.position), 0, 1e-9);
  ExpectSameOrientation(restored.orientation, start.orientation, 1e-9);
  EXPECT_NEAR(restored.fieldOfView, start.fieldOfView, 1e-12);
}

TEST_F(ViewerCameraTest, EachNavigationModeDoesWhatItsNameSays) {
  const QPoint middle(viewer().width() / 2, viewer().height() / 2);
  const ViewerCamera start = camera();
  const double startDistance = Length(start.position);

  // turn: the model turns about its centre; the camera keeps its distance.
  ASSERT_TRUE(viewer().Command(ViewerCommand::Turn));
  drag(middle, middle + QPoint(90, 0));
  // X_ITE's examine viewer eases into the new orientation over a few frames.
  ViewerCamera c = camera();
  QElapsedTimer clock;
  clock.start();
  while (Distance(ViewDirection(c), ViewDirection(start)) < 0.05 && clock.elapsed() < 3000) {
    settle(50);
    c = camera();
  }
  settle(500);
  c = camera();
  EXPECT_GT(Distance(ViewDirection(c), ViewDirection(start)), 0.05) << "turn did not turn";
  EXPECT_NEAR(Length(c.position), startDistance, 0.01 * startDistance);

  // pan: the model slides; the camera keeps its direction and its depth.
  ASSERT_TRUE(viewer().Command(ViewerCommand::Restore));
  ASSERT_TRUE(viewer().Command(ViewerCommand::Pan));
  drag(middle, middle + QPoint(60, 40));
  c = camera();
  ExpectSameOrientation(c.orientation, start.orientation, 1e-9);
  EXPECT_GT(std::abs(c.position[0]) + std::abs(c.position[1]), 0.1) << "pan did not slide";
  EXPECT_NEAR(c.position[2], start.position[2], 1e-6);

  // plan: moving the pointer up walks forward in the horizontal plane, sideways
  // steps sideways; the height and the direction stay.
  ASSERT_TRUE(viewer().Command(ViewerCommand::Restore));
  ASSERT_TRUE(viewer().Command(ViewerCommand::Plan));
  drag(middle, middle + QPoint(0, -60));
  c = camera();
  EXPECT_LT(c.position[2], start.position[2] - 0.1) << "plan did not move forward";
  EXPECT_NEAR(c.position[0], start.position[0], 1e-6);
  EXPECT_NEAR(c.position[1], start.position[1], 1e-6);
  ExpectSameOrientation(c.orientation, start.orientation, 1e-9);
  const double forward = c.position[2];
  drag(middle, middle + QPoint(-50, 0));
  c = camera();
  EXPECT_GT(std::abs(c.position[0] - start.position[0]), 0.1) << "plan did not step sideways";
  EXPECT_NEAR(c.position[1], start.position[1], 1e-6);
  EXPECT_NEAR(c.position[2], forward, 1e-6);

  // roll: the picture turns about the line of sight; the camera stays put and
  // keeps looking the same way.
  ASSERT_TRUE(viewer().Command(ViewerCommand::Restore));
  ASSERT_TRUE(viewer().Command(ViewerCommand::Roll));
  drag(middle + QPoint(100, 0), middle + QPoint(0, 100));
  c = camera();
  EXPECT_NEAR(Distance(c.position, start.position), 0, 1e-9);
  EXPECT_LT(Distance(ViewDirection(c), ViewDirection(start)), 1e-6);
  const Vec up = Rotate(c.orientation, Vec{0, 1, 0});
  EXPECT_GT(std::abs(up[0]), 0.5) << "roll did not turn the picture";

  ASSERT_TRUE(viewer().Command(ViewerCommand::Turn));
  ASSERT_TRUE(viewer().Command(ViewerCommand::Restore));
}

TEST_F(ViewerCameraTest, HeadlightLightsTheCrystal) {
  const QImage dark = grab(QStringLiteral("headlight_off"));
  ASSERT_TRUE(viewer().SetHeadlight(true));
  EXPECT_EQ(viewer().Headlight(), std::optional<bool>(true));
  const QImage lit = grab(QStringLiteral("headlight_on"));
  EXPECT_NE(lit, dark);
  ASSERT_TRUE(viewer().SetHeadlight(false));
  EXPECT_EQ(viewer().Headlight(), std::optional<bool>(false));
  EXPECT_EQ(grab(QStringLiteral("headlight_off_again")), dark);
}

TEST_F(ViewerCameraTest, GrabWorksWhileTheViewerIsNotOnScreen) {
  const QImage shown = grab(QStringLiteral("shown"));
  viewer().hide();
  settle(300);
  const QImage hidden = grab(QStringLiteral("hidden"));
  // Loads finish out of sight too (an export may follow a calculation).
  const SceneLoadResult reload = LoadAndWait(viewer(), scene_);
  EXPECT_TRUE(reload.ok) << reload.error;
  EXPECT_FALSE(grab(QStringLiteral("hidden_reloaded")).isNull());
  viewer().show();
  settle(300);
  ASSERT_FALSE(hidden.isNull());
  EXPECT_EQ(hidden.size(), shown.size());
  EXPECT_GT(hidden.width() * hidden.height() - CountPixels(hidden, QColor(255, 255, 255), 3),
            hidden.width() * hidden.height() / 20);
}

class ViewerAnimationTest : public ViewerCameraTest {
 protected:
  ViewerAnimationTest() { animation_ = true; }
};

int DifferentPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return a.width() * a.height();
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) ++count;
  return count;
}

TEST_F(ViewerAnimationTest, FramesAtAFractionAreRepeatable) {
  viewer().SetAnimationFraction(0.1);
  const QImage first = grab(QStringLiteral("fraction_010"));
  viewer().SetAnimationFraction(0.35);
  const QImage other = grab(QStringLiteral("fraction_035"));
  viewer().SetAnimationFraction(0.1);
  const QImage again = grab(QStringLiteral("fraction_010_again"));
  EXPECT_GT(DifferentPixels(first, other), first.width() * first.height() / 100);
  EXPECT_EQ(DifferentPixels(first, again), 0);

  // Let go, the crystal turns on with the clock.
  viewer().ResumeAnimation();
  const QImage running = grab(QStringLiteral("running_1"));
  settle(400);
  EXPECT_GT(DifferentPixels(running, grab(QStringLiteral("running_2"))), 0);
}

}  // namespace
}  // namespace habitopia::gui::test
