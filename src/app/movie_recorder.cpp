#include "app/movie_recorder.h"

#include <cmath>

namespace habitopia {

MovieOutcome MovieRecorder::Record(const std::string& path) {
  MovieOutcome outcome;
  const std::unique_ptr<MovieWriter> writer = writers_(MovieFormatForPath(path));
  for (int i = 0; i < kMovieFrames; ++i) {
    const std::optional<RasterImage> frame =
        source_.RenderFrame(i, static_cast<double>(i) / kMovieFramesPerSecond);
    if (!frame || !frame->Consistent()) {
      outcome.message = kCouldNotAddFrame;
      outcome.detail = "the viewer gave no picture for frame " + std::to_string(i);
      break;
    }
    if (!writer->IsOpen() &&
        !writer->Open(path, frame->width, frame->height, kMovieFramesPerSecond, outcome.detail)) {
      outcome.message = kCouldNotCreateMovie;
      break;
    }
    if (!writer->AddFrame(*frame, outcome.detail)) {
      outcome.message = kCouldNotAddFrame;
      break;
    }
    outcome.framesWritten = writer->FrameCount();
    if (progress_) progress_(outcome.framesWritten, kMovieFrames);
  }
  std::string closing;
  if (!writer->Close(closing) && outcome.message.empty()) {
    outcome.message = kCouldNotAddFrame;
    outcome.detail = closing;
  }
  source_.Finish();
  return outcome;
}

double AnimationFraction(double seconds, double cycleSeconds) {
  if (!(cycleSeconds > 0)) return 0;
  const double fraction = std::fmod(seconds / cycleSeconds, 1.0);
  return fraction < 0 ? fraction + 1 : fraction;
}

std::optional<RasterImage> ViewerMovieFrames::RenderFrame(int, double seconds) {
  viewer_.SetAnimationFraction(AnimationFraction(seconds, cycleSeconds_));
  const std::optional<ViewerImage> image = viewer_.GrabFrame(grabTimeoutMs_);
  if (!image || image->Empty()) return std::nullopt;
  return ToRasterImage(*image);
}

void ViewerMovieFrames::Finish() { viewer_.ResumeAnimation(); }

RasterImage ToRasterImage(const ViewerImage& image) {
  RasterImage raster;
  raster.width = image.width;
  raster.height = image.height;
  raster.rgba = image.rgba;
  return raster;
}

}  // namespace habitopia
