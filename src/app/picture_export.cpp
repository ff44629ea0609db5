#include "app/picture_export.h"

#include "app/movie_recorder.h"
#include "files/device_independent_bitmap.h"
#include "files/windows_metafile.h"

namespace habitopia {

const char* PictureDefaultExtension(PictureFormat format) {
  return format == PictureFormat::Bitmap ? "bmp" : "wmf";
}

bool SaveViewerPicture(Viewer& viewer, const std::string& path, PictureFormat format,
                       std::string& error, int grabTimeoutMs) {
  const std::optional<ViewerImage> frame = viewer.GrabFrame(grabTimeoutMs);
  if (!frame || frame->Empty()) {
    error = "the viewer gave no picture";
    return false;
  }
  const RasterImage image = ToRasterImage(*frame);
  return format == PictureFormat::Bitmap ? WriteWindowsBitmap(path, image, error)
                                         : WriteWindowsMetafile(path, image, error);
}

}  // namespace habitopia
