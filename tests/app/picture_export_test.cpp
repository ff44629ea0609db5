// Pictures of the viewer's frame as bitmap and metafile files.

#include "app/picture_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/device_independent_bitmap.h"
#include "files/windows_metafile.h"
#include "support/raster_samples.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

class PictureViewer : public Viewer {
 public:
  void SetLoadFinishedHandler(LoadFinished) override {}
  void LoadScene(const std::string&) override {}
  std::optional<ViewerCamera> Camera() override { return std::nullopt; }
  bool SetCamera(const ViewerCamera&) override { return false; }
  bool Command(ViewerCommand) override { return false; }
  bool SetHeadlight(bool) override { return false; }
  std::string RendererName() const override { return std::string(kOpenGLRendererName); }
  std::optional<ViewerImage> GrabFrame(int) override {
    ++grabs;
    if (!picture) return std::nullopt;
    ViewerImage image;
    image.width = picture->width;
    image.height = picture->height;
    image.rgba = picture->rgba;
    return image;
  }
  void SetAnimationFraction(double) override {}
  void ResumeAnimation() override {}

  std::optional<RasterImage> picture;
  int grabs = 0;
};

class PictureExport : public test::TempFolderTest {
 protected:
  PictureExport() : TempFolderTest("habitopia-picture") {}
};

TEST_F(PictureExport, TheViewersFrameBecomesABitmapOrAMetafile) {
  PictureViewer viewer;
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
  PictureViewer viewer;
  const std::string path = Write("old.bmp", "previous picture");
  std::string error;
  EXPECT_FALSE(SaveViewerPicture(viewer, path, PictureFormat::Bitmap, error));
  EXPECT_EQ(error, "the viewer gave no picture");
  EXPECT_EQ(test::ReadText(path), "previous picture");
}

}  // namespace
}  // namespace habitopia
