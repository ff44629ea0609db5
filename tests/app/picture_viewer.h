#pragma once
// A viewer for the picture and movie tests: gives a set picture (or none) and
// records the animation fractions it is asked for.

#include <optional>
#include <vector>

#include "app/viewer.h"
#include "files/raster_image.h"

namespace habitopia::test {

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
  void SetAnimationFraction(double fraction) override { fractions.push_back(fraction); }
  void ResumeAnimation() override { ++resumed; }

  std::optional<RasterImage> picture;  // nothing: the viewer gives no picture
  int grabs = 0;
  std::vector<double> fractions;
  int resumed = 0;
};

}  // namespace habitopia::test
