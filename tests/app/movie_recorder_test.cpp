// "Record &Movie": 101 frames at 30 a second, each at its own animation time;
// failures keep the frames written before them.

#include "app/movie_recorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "picture_viewer.h"
#include "support/cli_runner.h"
#include "support/raster_samples.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

// Frames whose pixels follow the animation time; it can fail or change size at
// a given frame.
class ScriptedFrames : public MovieFrameSource {
 public:
  std::optional<RasterImage> RenderFrame(int index, double seconds) override {
    times.push_back(seconds);
    if (index == failAt) return std::nullopt;
    if (large) {
      // Smooth enough for a lossy encoder, and moving: a bright square on a
      // gradient, a few pixels further each frame.
      recorded.push_back(MovingSquare(odd ? 63 : 64, odd ? 47 : 48, index));
      return recorded.back();
    }
    const int width = index >= resizeAt ? 24 : 20;
    return test::PatternImage(width, 12, static_cast<int>(seconds * 30 * 7));
  }

  static RasterImage MovingSquare(int width, int height, int index) {
    RasterImage image;
    image.width = width;
    image.height = height;
    image.rgba.resize(static_cast<std::size_t>(width) * height * 4);
    const int left = (index * 3) % (width - 16);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        const bool square = x >= left && x < left + 16 && y >= 16 && y < 32;
        p[0] = square ? 250 : static_cast<std::uint8_t>(x * 2);
        p[1] = square ? 230 : static_cast<std::uint8_t>(60 + y);
        p[2] = square ? 40 : static_cast<std::uint8_t>((index * 2) % 200);
        p[3] = 255;
      }
    return image;
  }

  bool large = false;
  bool odd = false;
  std::vector<RasterImage> recorded;
  void Finish() override { ++finished; }

  std::vector<double> times;
  int failAt = -1;
  int resizeAt = 1 << 30;
  int finished = 0;
};

class MovieRecording : public test::TempFolderTest {
 protected:
  MovieRecording() : TempFolderTest("habitopia-movie") {}

  MovieOutcome Record(ScriptedFrames& frames, const std::string& path) {
    MovieRecorder recorder(frames,
                           [this](int done, int total) { progress.emplace_back(done, total); });
    return recorder.Record(path);
  }

  std::string Probe(const std::string& path) const {
    const test::CliRun run = test::RunProgram(
        "ffprobe",
        {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
         "stream=nb_read_frames,r_frame_rate,width,height", "-of", "csv=p=0", path},
        Folder());
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
  }

  std::string ProbeCodec(const std::string& path) const {
    const test::CliRun run =
        test::RunProgram("ffprobe",
                         {"-v", "error", "-select_streams", "v:0", "-show_entries",
                          "stream=codec_name", "-of", "csv=p=0", path},
                         Folder());
    return run.out.substr(0, run.out.find('\n'));
  }

  // Mean absolute difference per colour component of two RGB buffers.
  static double MeanDifference(const std::string& a, const std::string& b) {
    if (a.size() != b.size() || a.empty()) return 1e9;
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
      sum += std::abs(static_cast<int>(static_cast<unsigned char>(a[i])) -
                      static_cast<int>(static_cast<unsigned char>(b[i])));
    return sum / static_cast<double>(a.size());
  }

  std::vector<std::pair<int, int>> progress;
};

TEST_F(MovieRecording, WritesHundredAndOneDistinctFramesAtThirtyPerSecond) {
  ScriptedFrames frames;
  const std::string path = Path("crystal.avi");
  const MovieOutcome outcome = Record(frames, path);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(outcome.framesWritten, 101);
  EXPECT_EQ(frames.finished, 1);
  ASSERT_EQ(frames.times.size(), 101u);
  for (int i = 0; i < 101; ++i) EXPECT_DOUBLE_EQ(frames.times[i], i / 30.0);
  ASSERT_EQ(progress.size(), 101u);
  EXPECT_EQ(progress.front(), std::make_pair(1, 101));
  EXPECT_EQ(progress.back(), std::make_pair(101, 101));

  EXPECT_EQ(Probe(path), "20,12,30/1,101\n");
  const auto decoded = test::DecodeToRgb(path, Folder());
  ASSERT_TRUE(decoded);
  const std::size_t frameBytes = 20 * 12 * 3;
  ASSERT_EQ(decoded->size(), 101 * frameBytes);
  for (int i = 1; i < 101; ++i)
    EXPECT_NE(decoded->substr(i * frameBytes, frameBytes),
              decoded->substr((i - 1) * frameBytes, frameBytes))
        << "frame " << i << " repeats frame " << i - 1;
}

TEST_F(MovieRecording, AMissingOrResizedFrameStopsWithCouldNotAddFrameAndKeepsTheFramesBefore) {
  {
    ScriptedFrames frames;
    frames.failAt = 40;
    const std::string path = Path("missing.avi");
    const MovieOutcome outcome = Record(frames, path);
    EXPECT_EQ(outcome.message, "Could not add frame");
    EXPECT_EQ(outcome.framesWritten, 40);
    EXPECT_EQ(frames.finished, 1);
    EXPECT_EQ(Probe(path), "20,12,30/1,40\n");
  }
  {
    progress.clear();
    ScriptedFrames frames;
    frames.resizeAt = 10;
    const std::string path = Path("resized.avi");
    const MovieOutcome outcome = Record(frames, path);
    EXPECT_EQ(outcome.message, "Could not add frame");
    EXPECT_EQ(outcome.framesWritten, 10);
    EXPECT_EQ(progress.size(), 10u);
    EXPECT_EQ(Probe(path), "20,12,30/1,10\n");
  }
}

TEST_F(MovieRecording, AFileThatCannotBeCreatedIsReportedAndNoFrameIsWritten) {
  ScriptedFrames frames;
  const MovieOutcome outcome = Record(frames, Path("no/such/folder/movie.avi"));
  EXPECT_EQ(outcome.message, kCouldNotCreateMovie);
  EXPECT_NE(outcome.detail.find("no/such/folder/movie.avi"), std::string::npos);
  EXPECT_EQ(outcome.framesWritten, 0);
  EXPECT_TRUE(progress.empty());
  EXPECT_EQ(frames.finished, 1);
}

// Encoded movies: the extension chooses MP4 (H.264) or WebM (VP9); read back with
// ffprobe and ffmpeg they hold 101 frames at 30 a second, each close to the
// frame recorded and different from the one before.
class EncodedMovie : public MovieRecording, public ::testing::WithParamInterface<const char*> {};

TEST_P(EncodedMovie, HoldsEveryFrameAtThirtyPerSecondCloseToThePictures) {
  ScriptedFrames frames;
  frames.large = true;
  const std::string path = Path(std::string("crystal") + GetParam());
  const MovieOutcome outcome = Record(frames, path);
  ASSERT_EQ(outcome.message, "") << outcome.detail;
  EXPECT_EQ(outcome.framesWritten, 101);
  EXPECT_EQ(Probe(path), "64,48,30/1,101\n");
  EXPECT_EQ(ProbeCodec(path), std::string(GetParam()) == ".mp4" ? "h264" : "vp9");

  const auto decoded = test::DecodeToRgb(path, Folder());
  ASSERT_TRUE(decoded);
  const std::size_t frameBytes = 64 * 48 * 3;
  ASSERT_EQ(decoded->size(), 101 * frameBytes);
  for (int i = 0; i < 101; ++i) {
    const std::string frame = decoded->substr(i * frameBytes, frameBytes);
    EXPECT_LT(MeanDifference(frame, test::RgbBytes(frames.recorded[i])), 6.0) << "frame " << i;
    if (i > 0) {
      EXPECT_GT(MeanDifference(frame, decoded->substr((i - 1) * frameBytes, frameBytes)), 1.0)
          << "frame " << i << " repeats frame " << i - 1;
    }
  }
}

TEST_P(EncodedMovie, AnOddSizeGetsOneMoreRowAndColumnAndAFailureKeepsTheFramesBefore) {
  ScriptedFrames frames;
  frames.large = true;
  frames.odd = true;
  frames.failAt = 40;
  const std::string path = Path(std::string("short") + GetParam());
  const MovieOutcome outcome = Record(frames, path);
  EXPECT_EQ(outcome.message, "Could not add frame");
  EXPECT_EQ(outcome.framesWritten, 40);
  EXPECT_EQ(Probe(path), "64,48,30/1,40\n");

  const MovieOutcome missing = Record(frames, Path(std::string("no/such/folder/m") + GetParam()));
  EXPECT_EQ(missing.message, kCouldNotCreateMovie);
  EXPECT_NE(missing.detail.find("no/such/folder"), std::string::npos) << missing.detail;
}

INSTANTIATE_TEST_SUITE_P(Mp4AndWebM, EncodedMovie, ::testing::Values(".mp4", ".webm"));

TEST(MovieFormats, TheExtensionChoosesTheFormatAndAviIsTheRest) {
  EXPECT_EQ(MovieFormatForPath("a/b.mp4"), MovieFormat::Mp4);
  EXPECT_EQ(MovieFormatForPath("B.M4V"), MovieFormat::Mp4);
  EXPECT_EQ(MovieFormatForPath("c.WebM"), MovieFormat::WebM);
  EXPECT_EQ(MovieFormatForPath("d.AVI"), MovieFormat::Avi);
  EXPECT_EQ(MovieFormatForPath("e.mov"), MovieFormat::Avi);
  EXPECT_EQ(MovieFormatForPath("webm"), MovieFormat::Avi);
}

TEST(MovieFromViewer, EachFrameStopsTheAnimationAtItsTimeThenTheAnimationRunsOn) {
  test::PictureViewer viewer;
  RasterImage picture;
  picture.width = 2;
  picture.height = 1;
  picture.rgba = {1, 2, 3, 255, 4, 5, 6, 255};
  viewer.picture = picture;
  ViewerMovieFrames frames(viewer, 2.0);
  const auto first = frames.RenderFrame(0, 0.0);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->width, 2);
  EXPECT_EQ(first->rgba, (std::vector<std::uint8_t>{1, 2, 3, 255, 4, 5, 6, 255}));
  frames.RenderFrame(30, 1.0);
  frames.RenderFrame(75, 2.5);
  EXPECT_EQ(viewer.fractions, (std::vector<double>{0.0, 0.5, 0.25}));
  frames.Finish();
  EXPECT_EQ(viewer.resumed, 1);

  viewer.picture.reset();
  EXPECT_FALSE(frames.RenderFrame(1, 1 / 30.0));
}

TEST(MovieFromViewer, AnimationFractionWrapsAndIgnoresCyclesThatAreNotPositive) {
  EXPECT_DOUBLE_EQ(AnimationFraction(0.9, 0.6), 0.5);
  EXPECT_DOUBLE_EQ(AnimationFraction(3.0, 1.0), 0.0);
  EXPECT_EQ(AnimationFraction(1.0, 0.0), 0.0);
  EXPECT_EQ(AnimationFraction(1.0, -2.0), 0.0);
}

}  // namespace
}  // namespace habitopia
