// Movies are checked with ffprobe and decoded with ffmpeg: frame count, rate,
// size, and every frame's pixels as written.

#include "files/avi_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "files/device_independent_bitmap.h"
#include "support/cli_runner.h"
#include "support/raster_samples.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

using test::DecodeToRgb;
using test::PatternImage;
using test::RgbBytes;

class AviMovie : public test::TempFolderTest {
 protected:
  AviMovie() : TempFolderTest("habitopia-avi") {}

  // ffprobe's count of decoded frames, rate and size, as "frames,rate,width,height".
  std::string Probe(const std::string& path) const {
    const test::CliRun run =
        test::RunProgram("ffprobe",
                         {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                          "stream=nb_read_frames,r_frame_rate,width,height,codec_name", "-of",
                          "default=noprint_wrappers=1", path},
                         Folder());
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
  }

  // Writes `frames` frames of the pattern, each with its own seed.
  void WriteMovie(const std::string& path, int width, int height, int frames) const {
    AviWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Open(path, width, height, 30, error)) << error;
    for (int i = 0; i < frames; ++i)
      ASSERT_TRUE(writer.AddFrame(PatternImage(width, height, i), error)) << error;
    EXPECT_EQ(writer.FrameCount(), frames);
  }

  std::string ExpectedFrames(int width, int height, int frames) const {
    std::string all;
    for (int i = 0; i < frames; ++i) all += RgbBytes(PatternImage(width, height, i));
    return all;
  }
};

TEST_F(AviMovie, HundredAndOneFramesAtThirtyPerSecondReadBackAsWritten) {
  const std::string path = Path("movie.avi");
  WriteMovie(path, 64, 40, 101);
  EXPECT_EQ(Probe(path),
            "codec_name=rawvideo\nwidth=64\nheight=40\nr_frame_rate=30/1\nnb_read_frames=101\n");
  const auto decoded = DecodeToRgb(path, Folder());
  ASSERT_TRUE(decoded);
  EXPECT_TRUE(*decoded == ExpectedFrames(64, 40, 101)) << "the decoded frames differ";
}

TEST_F(AviMovie, RowsOfAnOddWidthArePaddedAndReadBack) {
  const std::string path = Path("odd.avi");
  WriteMovie(path, 13, 7, 3);
  EXPECT_EQ(Probe(path),
            "codec_name=rawvideo\nwidth=13\nheight=7\nr_frame_rate=30/1\nnb_read_frames=3\n");
  const auto decoded = DecodeToRgb(path, Folder());
  ASSERT_TRUE(decoded);
  EXPECT_TRUE(*decoded == ExpectedFrames(13, 7, 3));
}

TEST_F(AviMovie, AFailedWriteKeepsTheFramesWrittenBefore) {
  const std::string path = Path("full.avi");
  constexpr int kWidth = 32, kHeight = 32;
  const auto frameChunk = static_cast<rlim_t>(8 + DibPixelBytes(kWidth, kHeight));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The file may grow to the header, three frames and a little more.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t size = 224 + 3 * frameChunk + 200;
    const rlimit limit{size, size};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    AviWriter writer;
    std::string error;
    if (!writer.Open(path, kWidth, kHeight, 30, error)) ::_exit(10);
    int written = 0;
    while (written < 10 && writer.AddFrame(PatternImage(kWidth, kHeight, written), error))
      ++written;
    ::_exit(written);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 3);
  EXPECT_NE(Probe(path).find("nb_read_frames=3\n"), std::string::npos);
  const auto decoded = DecodeToRgb(path, Folder());
  ASSERT_TRUE(decoded);
  EXPECT_TRUE(*decoded == ExpectedFrames(kWidth, kHeight, 3));
}

TEST_F(AviMovie, AFileThatCannotBeCreatedIsReported) {
  AviWriter writer;
  std::string error;
  EXPECT_FALSE(writer.Open(Path("missing/folder/movie.avi"), 8, 8, 30, error));
  EXPECT_NE(error.find("missing/folder/movie.avi"), std::string::npos);
  EXPECT_FALSE(writer.AddFrame(PatternImage(8, 8), error));
}

}  // namespace
}  // namespace habitopia
