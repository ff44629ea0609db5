// Loading scenes into the viewer: the example crystal is drawn, failures are
// reported with their reason, compressed scenes and inlines load.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "gui/viewer_scheme.h"
#include "scene/scene_files.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
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
  const int crystal = CountPixelsWhere(
      picture, [](QColor c) { return c.red() > c.green() + 40 && c.red() > c.blue() + 40; });
  EXPECT_GT(crystal, all / 20) << "crystal faces missing";
}

}  // namespace
}  // namespace habitopia::gui::test

namespace habitopia::gui::test {
namespace {

// Drawn by the headlight, red on white.
const QByteArray kRedBox =
    "#VRML V2.0 utf8\n"
    "Shape { appearance Appearance { material Material { diffuseColor 1 0 0 } } geometry Box {} "
    "}\n";

bool WriteText(const QString& path, const QByteArray& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Pixels that are not the scene's white background.
int DrawnPixels(const QImage& picture) {
  return picture.width() * picture.height() - CountPixels(picture, QColor(255, 255, 255), 3);
}

TEST(ViewerLoad, FailuresAreReportedWithTheirReasonAndAGoodLoadFollows) {
  VrmlViewer& viewer = SharedViewer();
  QTemporaryDir root;
  const QString good = WriteExampleScene(root.path() + QStringLiteral("/good"));
  ASSERT_FALSE(good.isEmpty());

  const SceneLoadResult missing =
      LoadAndWait(viewer, root.path() + QStringLiteral("/none/missing.wrl"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("missing.wrl: file not found"), std::string::npos) << missing.error;

  const QString garbage = root.path() + QStringLiteral("/garbage/garbage.wrl");
  QByteArray noise;
  for (int i = 0; i < 4000; ++i) noise.append(static_cast<char>((i * 7919 + 13) % 251));
  ASSERT_TRUE(WriteText(garbage, noise));
  const SceneLoadResult bad = LoadAndWait(viewer, garbage);
  EXPECT_FALSE(bad.ok);
  EXPECT_FALSE(bad.error.empty());

  // A scene that reaches out of its folder (and the working directory) by a
  // relative Inline, by an absolute one and by a file: URL.
  ASSERT_TRUE(WriteText(root.path() + QStringLiteral("/private/secret.wrl"), kRedBox));
  const QString prying = root.path() + QStringLiteral("/scene/prying.wrl");
  ASSERT_TRUE(WriteText(prying, "#VRML V2.0 utf8\nInline { url \"../private/secret.wrl\" }\n"));
  const SceneLoadResult outside = LoadAndWait(viewer, prying);
  EXPECT_FALSE(outside.ok);
  EXPECT_NE(outside.error.find("secret.wrl: outside the folders the viewer may read"),
            std::string::npos)
      << outside.error;
  const QString absolute = root.path() + QStringLiteral("/scene/absolute.wrl");
  ASSERT_TRUE(
      WriteText(absolute, "#VRML V2.0 utf8\nInline { url \"" +
                              ViewerFileUrl(root.path() + QStringLiteral("/private/secret.wrl"))
                                  .toString(QUrl::FullyEncoded)
                                  .toUtf8() +
                              "\" }\n"));
  EXPECT_FALSE(LoadAndWait(viewer, absolute).ok);
  // A file: URL is not served at all: the inline stays empty, nothing is read.
  const QString fileUrl = root.path() + QStringLiteral("/scene/fileurl.wrl");
  ASSERT_TRUE(WriteText(fileUrl,
                        "#VRML V2.0 utf8\nViewpoint { position 0 0 10 }\n"
                        "Background { skyColor [1 1 1] }\nInline { url \"file://" +
                            root.path().toUtf8() + "/private/secret.wrl\" }\n"));
  const SceneLoadResult local = LoadAndWait(viewer, fileUrl);
  if (local.ok) {
    const QImage picture = viewer.GrabImage(kGrabTimeoutMs);
    EXPECT_EQ(DrawnPixels(picture), 0) << "a file: URL was read";
  }
  // The same box inlined from inside the scene's folder is drawn.
  ASSERT_TRUE(WriteText(root.path() + QStringLiteral("/scene/box.wrl"), kRedBox));
  const QString inside = root.path() + QStringLiteral("/scene/inside.wrl");
  ASSERT_TRUE(WriteText(inside,
                        "#VRML V2.0 utf8\nViewpoint { position 0 0 10 }\n"
                        "Background { skyColor [1 1 1] }\nInline { url \"box.wrl\" }\n"));
  ASSERT_TRUE(LoadAndWait(viewer, inside).ok);
  EXPECT_GT(DrawnPixels(viewer.GrabImage(kGrabTimeoutMs)), 1000);

  const SceneLoadResult after = LoadAndWait(viewer, good);
  ASSERT_TRUE(after.ok) << after.error;
  const QImage picture = viewer.GrabImage(kGrabTimeoutMs);
  KeepPicture(picture, QStringLiteral("after_failures"));
  EXPECT_GT(DrawnPixels(picture), picture.width() * picture.height() / 20);
}

TEST(ViewerLoad, CompressedSceneAndRelativeInlineInFoldersWithBlanksAndAccents) {
  VrmlViewer& viewer = SharedViewer();
  QTemporaryDir root;
  const QString folder = root.path() + QStringLiteral("/Kristall ä ö");
  const QString plain = WriteExampleScene(root.path() + QStringLiteral("/source"));
  QFile source(plain);
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  const std::string text = source.readAll().toStdString();

  const auto packed = GzipCompress(text, "scène.wrl");
  ASSERT_TRUE(packed.has_value());
  const QString wrz = folder + QStringLiteral("/scène.wrz");
  ASSERT_TRUE(WriteText(wrz, QByteArray::fromStdString(*packed)));
  const SceneLoadResult compressed = LoadAndWait(viewer, wrz);
  ASSERT_TRUE(compressed.ok) << compressed.error;
  const QImage fromWrz = viewer.GrabImage(kGrabTimeoutMs);
  KeepPicture(fromWrz, QStringLiteral("wrz"));
  EXPECT_GT(DrawnPixels(fromWrz), fromWrz.width() * fromWrz.height() / 20);

  ASSERT_TRUE(
      WriteText(folder + QStringLiteral("/teil é/crystal.wrl"), QByteArray::fromStdString(text)));
  const QString group = folder + QStringLiteral("/group.wrl");
  ASSERT_TRUE(WriteText(group,
                        "#VRML V2.0 utf8\n"
                        "Viewpoint { position 0 0 81 fieldOfView 0.06 }\n"
                        "Background { skyColor [0.2 0.4 0.6] }\n"
                        "Inline { url \"teil é/crystal.wrl\" }\n"));
  const SceneLoadResult inlined = LoadAndWait(viewer, group);
  ASSERT_TRUE(inlined.ok) << inlined.error;
  const QImage fromInline = viewer.GrabImage(kGrabTimeoutMs);
  KeepPicture(fromInline, QStringLiteral("inline"));
  const int all = fromInline.width() * fromInline.height();
  EXPECT_GT(all - CountPixels(fromInline, QColor(51, 102, 153), 3), all / 20);
}

TEST(ViewerLoad, LoadsInARowEachReadTheirOwnFolder) {
  VrmlViewer& viewer = SharedViewer();
  QTemporaryDir root;
  QStringList scenes;
  for (const QString& name : {QStringLiteral("first"), QStringLiteral("second")}) {
    const QString folder = root.path() + QLatin1Char('/') + name;
    ASSERT_TRUE(WriteText(folder + QStringLiteral("/box.wrl"), kRedBox));
    ASSERT_TRUE(WriteText(folder + QStringLiteral("/scene.wrl"),
                          "#VRML V2.0 utf8\nViewpoint { position 0 0 10 }\n"
                          "Background { skyColor [1 1 1] }\nInline { url \"box.wrl\" }\n"));
    scenes << folder + QStringLiteral("/scene.wrl");
  }
  std::vector<SceneLoadResult> results;
  viewer.SetLoadFinishedHandler([&](const SceneLoadResult& r) { results.push_back(r); });
  // The second load is asked for before the first has read its inline.
  viewer.LoadScene(scenes[0].toStdString());
  viewer.LoadScene(scenes[1].toStdString());
  QElapsedTimer clock;
  clock.start();
  while (results.size() < 2 && clock.elapsed() < kLoadTimeoutMs)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  viewer.SetLoadFinishedHandler(nullptr);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_TRUE(results[0].ok) << results[0].error;
  EXPECT_TRUE(results[1].ok) << results[1].error;
  EXPECT_GT(DrawnPixels(viewer.GrabImage(kGrabTimeoutMs)), 1000);
}

}  // namespace
}  // namespace habitopia::gui::test
