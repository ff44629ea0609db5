// "Record &Movie": 101 frames at 30 a second, each at its own animation time;
// failures keep the frames written before them.

#include "app/movie_recorder.h"

#include <gtest/gtest.h>

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
    const int width = index >= resizeAt ? 24 : 20;
    return test::PatternImage(width, 12, static_cast<int>(seconds * 30 * 7));
  }
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
