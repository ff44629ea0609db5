// Movies and pictures from the real viewer: the animated example crystal, frame
// i at i/30 s, read back with ffprobe and ffmpeg.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/movie_recorder.h"
#include "app/picture_export.h"
#include "files/model_document.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

// Runs a program to its end; its standard output, or nothing when it failed.
std::optional<QByteArray> Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return std::nullopt;
  }
  return process.readAllStandardOutput();
}

// The pictures of a file decoded by ffmpeg as 8-bit red, green, blue.
std::optional<QByteArray> DecodeRgb(const QString& path) {
  return Output(QStringLiteral("ffmpeg"),
                {"-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
}

QByteArray Rgb(const ViewerImage& image) {
  QByteArray out;
  for (std::size_t i = 0; i + 3 < image.rgba.size(); i += 4)
    out.append(reinterpret_cast<const char*>(&image.rgba[i]), 3);
  return out;
}

class ViewerMovie : public ::testing::Test {
 protected:
  void Load(bool animation) {
    scene_ = WriteExampleScene(folder_.path(), [animation](ModelDocument& document) {
      document.switches[kSwitchAnimation] = animation ? 1 : 0;
    });
    ASSERT_FALSE(scene_.isEmpty());
    const SceneLoadResult result = LoadAndWait(SharedViewer(), scene_);
    ASSERT_TRUE(result.ok) << result.error;
  }

  // The time sensor's cycle as the scene gives it.
  double CycleSeconds() const {
    QFile file(scene_);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("DEF ts TimeSensor \\{cycleInterval +([0-9.]+)"))
            .match(QString::fromUtf8(file.readAll()));
    EXPECT_TRUE(match.hasMatch());
    return match.captured(1).toDouble();
  }

  QTemporaryDir folder_;
  QString scene_;
};

TEST_F(ViewerMovie, HundredAndOneFramesOfTheRunningAnimationAtThirtyPerSecond) {
  Load(true);
  const double cycle = CycleSeconds();
  ASSERT_GT(cycle, 0);
  const auto size = SharedViewer().GrabFrame(kGrabTimeoutMs);
  ASSERT_TRUE(size);

  ViewerMovieFrames frames(SharedViewer(), cycle, kGrabTimeoutMs);
  int reported = 0;
  MovieRecorder recorder(frames, [&](int done, int total) {
    EXPECT_EQ(total, 101);
    reported = done;
  });
  const QString movie = folder_.filePath(QStringLiteral("crystal.avi"));
  const MovieOutcome outcome = recorder.Record(movie.toStdString());
  ASSERT_EQ(outcome.message, "") << outcome.detail;
  EXPECT_EQ(reported, 101);

  const auto probe =
      Output(QStringLiteral("ffprobe"),
             {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
              "stream=nb_read_frames,r_frame_rate,width,height", "-of", "csv=p=0", movie});
  ASSERT_TRUE(probe);
  EXPECT_EQ(probe->toStdString(),
            QStringLiteral("%1,%2,30/1,101\n").arg(size->width).arg(size->height).toStdString());

  const auto decoded = DecodeRgb(movie);
  ASSERT_TRUE(decoded);
  const qsizetype frameBytes = qsizetype(size->width) * size->height * 3;
  ASSERT_EQ(decoded->size(), 101 * frameBytes);
  int repeated = 0;
  for (int i = 1; i < 101; ++i)
    if (decoded->mid(i * frameBytes, frameBytes) == decoded->mid((i - 1) * frameBytes, frameBytes))
      ++repeated;
  EXPECT_EQ(repeated, 0) << "frames repeat although the crystal turns";

  // Frame 50 is the animation at 50/30 s whenever it is drawn again.
  SharedViewer().SetAnimationFraction(AnimationFraction(50 / 30.0, cycle));
  const auto again = SharedViewer().GrabFrame(kGrabTimeoutMs);
  ASSERT_TRUE(again);
  EXPECT_TRUE(Rgb(*again) == decoded->mid(50 * frameBytes, frameBytes));
  SharedViewer().ResumeAnimation();
}

TEST_F(ViewerMovie, BitmapAndMetafileHoldTheCrystalAsShown) {
  Load(false);
  const auto shown = SharedViewer().GrabFrame(kGrabTimeoutMs);
  ASSERT_TRUE(shown);
  const QString bitmap = folder_.filePath(QStringLiteral("crystal.bmp"));
  std::string error;
  ASSERT_TRUE(SaveViewerPicture(SharedViewer(), bitmap.toStdString(), PictureFormat::Bitmap, error))
      << error;
  const auto decoded = DecodeRgb(bitmap);
  ASSERT_TRUE(decoded);
  EXPECT_TRUE(*decoded == Rgb(*shown)) << "the bitmap differs from the viewer's picture";

  const QString metafile = folder_.filePath(QStringLiteral("crystal.wmf"));
  ASSERT_TRUE(
      SaveViewerPicture(SharedViewer(), metafile.toStdString(), PictureFormat::Metafile, error))
      << error;
  const QString png = folder_.filePath(QStringLiteral("crystal.png"));
  ASSERT_TRUE(Output(
      QStringLiteral("wmf2gd"),
      {"-t", "png", QStringLiteral("--maxwidth=%1").arg(shown->width),
       QStringLiteral("--maxheight=%1").arg(shown->height), "--maxsize", "-o", png, metafile}));
  KeepPicture(QImage(png), QStringLiteral("metafile_by_libwmf"));
  const auto drawn = DecodeRgb(png);
  ASSERT_TRUE(drawn);
  EXPECT_EQ(drawn->size(), decoded->size());
}

}  // namespace
}  // namespace habitopia::gui::test
