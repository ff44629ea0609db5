// Pictures of the viewer's frame as bitmap and metafile files.

#include "app/picture_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/device_independent_bitmap.h"
#include "files/windows_metafile.h"
#include "picture_viewer.h"
#include "support/raster_samples.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

class PictureExport : public test::TempFolderTest {
 protected:
  PictureExport() : TempFolderTest("habitopia-picture") {}
};

TEST_F(PictureExport, TheViewersFrameBecomesABitmapOrAMetafile) {
  test::PictureViewer viewer;
  viewer.picture = test::PatternImage(30, 20, 3);
  std::string error;
  ASSERT_TRUE(SaveViewerPicture(viewer, Path("a.bmp"), PictureFormat::Bitmap, error)) << error;
  EXPECT_EQ(test::ReadText(Path("a.bmp")), WindowsBitmapBytes(*viewer.picture));
  ASSERT_TRUE(SaveViewerPicture(viewer, Path("a.wmf"), PictureFormat::Metafile, error)) << error;
  EXPECT_EQ(test::ReadText(Path("a.wmf")), PlaceableMetafileBytes(*viewer.picture));
  EXPECT_EQ(viewer.grabs, 2);
  EXPECT_STREQ(PictureDefaultExtension(PictureFormat::Bitmap), "bmp");
  EXPECT_STREQ(PictureDefaultExtension(PictureFormat::Metafile), "wmf");
}

TEST_F(PictureExport, NoPictureLeavesAnExistingFileAlone) {
  test::PictureViewer viewer;
  const std::string path = Write("old.bmp", "previous picture");
  std::string error;
  EXPECT_FALSE(SaveViewerPicture(viewer, path, PictureFormat::Bitmap, error));
  EXPECT_EQ(error, "the viewer gave no picture");
  EXPECT_EQ(test::ReadText(path), "previous picture");
}

}  // namespace
}  // namespace habitopia
