// Bitmaps and metafiles are read back by programs that are not ours: ffmpeg for
// .bmp, libwmf's wmf2gd for the metafile.

#include <gtest/gtest.h>

#include <filesystem>

#include "files/device_independent_bitmap.h"
#include "files/windows_metafile.h"
#include "support/cli_runner.h"
#include "support/raster_samples.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

using test::DecodeToRgb;
using test::LargestDifference;
using test::PatternImage;
using test::RgbBytes;
using test::TileImage;

class ImageFiles : public test::TempFolderTest {
 protected:
  ImageFiles() : TempFolderTest("habitopia-images") {}
};

TEST_F(ImageFiles, BitmapReadsBackPixelForPixel) {
  // Widths 1 to 4 give every row padding.
  for (int width : {1, 2, 3, 4, 37}) {
    const RasterImage image = PatternImage(width, 9, width);
    const std::string path = Path("picture" + std::to_string(width) + ".bmp");
    std::string error;
    ASSERT_TRUE(WriteWindowsBitmap(path, image, error)) << error;
    EXPECT_EQ(std::filesystem::file_size(path), 54 + DibPixelBytes(width, 9));
    const auto decoded = DecodeToRgb(path, Folder());
    ASSERT_TRUE(decoded) << "ffmpeg could not read the bitmap of width " << width;
    EXPECT_EQ(*decoded, RgbBytes(image)) << "width " << width;
  }
}

// libwmf resamples the bitmap even at its own size, which blurs the edges between
// tiles by a pixel and may round a component by one; inside the tiles the colours
// must come back (tiles differ by 50 or more in each component).
TEST_F(ImageFiles, MetafileDrawsTheBitmapAtItsSize) {
  constexpr int kTile = 8;
  for (int width : {64, 101}) {
    const RasterImage image = TileImage(width, 48, kTile);
    const std::string wmf = Path("picture.wmf");
    const std::string png = Path("picture.png");
    std::string error;
    ASSERT_TRUE(WriteWindowsMetafile(wmf, image, error)) << error;

    // The metafile says 96 units per inch, libwmf draws at 72 points per inch:
    // the reader is told the picture's size in pixels.
    const test::CliRun run = test::RunProgram("wmf2gd",
                                              {"-t", "png", "--maxwidth=" + std::to_string(width),
                                               "--maxheight=48", "--maxsize", "-o", png, wmf},
                                              Folder());
    ASSERT_EQ(run.status, 0) << run.err;
    const test::CliRun size = test::RunProgram(
        "ffprobe", {"-v", "error", "-show_entries", "stream=width,height", "-of", "csv=p=0", png},
        Folder());
    EXPECT_EQ(size.out, std::to_string(width) + ",48\n");
    const auto decoded = DecodeToRgb(png, Folder());
    ASSERT_TRUE(decoded);
    const std::string expected = RgbBytes(image);
    ASSERT_EQ(decoded->size(), expected.size());
    int compared = 0;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < width; ++x) {
        if (x % kTile < 2 || x % kTile > kTile - 3 || y % kTile < 2 || y % kTile > kTile - 3)
          continue;
        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
        ASSERT_LE(LargestDifference(decoded->substr(at, 3), expected.substr(at, 3)), 1)
            << "pixel " << x << ", " << y;
        ++compared;
      }
    EXPECT_GE(compared, width * 48 / 5);
  }
}

TEST_F(ImageFiles, MetafileHeaderAndRecordsAreConsistent) {
  const RasterImage image = PatternImage(5, 3);
  const std::string bytes = PlaceableMetafileBytes(image);
  ASSERT_GE(bytes.size(), 40u);
  auto u16 = [&](std::size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
  };
  auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  EXPECT_EQ(u32(0), 0x9AC6CDD7u);
  unsigned checksum = 0;
  for (std::size_t i = 0; i < 20; i += 2) checksum ^= u16(i);
  EXPECT_EQ(u16(20), checksum);
  EXPECT_EQ(u16(10), 5u);  // right
  EXPECT_EQ(u16(12), 3u);  // bottom
  // The metafile header counts the whole file after the placeable header in words.
  EXPECT_EQ(u32(22 + 6) * 2, bytes.size() - 22);
  // The last record is the three-word end of file.
  EXPECT_EQ(bytes.substr(bytes.size() - 6), std::string("\x03\0\0\0\0\0", 6));
}

TEST_F(ImageFiles, EmptyOrOversizedPicturesAreRefusedAndNothingIsWritten) {
  std::string error;
  EXPECT_FALSE(WriteWindowsMetafile(Path("empty.wmf"), RasterImage{}, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(WriteWindowsBitmap(Path("empty.bmp"), RasterImage{}, error));
  RasterImage wide;
  wide.width = kMetafileMaxSide + 1;
  wide.height = 1;
  wide.rgba.assign(static_cast<std::size_t>(wide.width) * 4, 0);
  EXPECT_FALSE(WriteWindowsMetafile(Path("wide.wmf"), wide, error));
  EXPECT_EQ(error, "the picture is too large for a metafile");
  EXPECT_FALSE(std::filesystem::exists(Path("empty.wmf")));
  EXPECT_FALSE(std::filesystem::exists(Path("wide.wmf")));
  EXPECT_FALSE(WriteWindowsMetafile(Path("no/such/folder/a.wmf"), PatternImage(2, 2), error));
}

}  // namespace
}  // namespace habitopia
