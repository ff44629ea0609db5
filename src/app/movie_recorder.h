#pragma once
// "Record &Movie": 101 frames of the viewer's animation at 30 frames a second
// into an AVI, MP4 or WebM file (movie_writer.h). Frame i shows the animation at i/30 s whatever
// time the drawing takes, so a slow machine neither drops nor repeats frames.

#include <functional>
#include <optional>
#include <string>

#include "app/movie_writer.h"
#include "app/viewer.h"
#include "files/raster_image.h"

namespace habitopia {

inline constexpr int kMovieFrames = 101;
inline constexpr int kMovieFramesPerSecond = 30;
inline constexpr const char* kCouldNotAddFrame = "Could not add frame";
inline constexpr const char* kCouldNotCreateMovie = "Could not create the movie file";

// Where the frames come from.
class MovieFrameSource {
 public:
  virtual ~MovieFrameSource() = default;
  // The picture of frame `index`, the animation at `seconds`; nothing when no
  // picture came.
  virtual std::optional<RasterImage> RenderFrame(int index, double seconds) = 0;
  // Called once when the recording ends, however it ends.
  virtual void Finish() {}
};

struct MovieOutcome {
  int framesWritten = 0;
  // For the user: empty when all frames were written, else kCouldNotAddFrame or
  // kCouldNotCreateMovie.
  std::string message;
  std::string detail;  // the cause, one line
};

class MovieRecorder {
 public:
  // Called after every frame written, with the frames so far and kMovieFrames.
  using Progress = std::function<void(int framesWritten, int totalFrames)>;

  MovieRecorder(MovieFrameSource& source, Progress progress,
                MovieWriterFactory writers = MakeMovieWriter)
      : source_(source), progress_(std::move(progress)), writers_(std::move(writers)) {}

  // The file's extension chooses the format (MovieFormatForPath). The first frame
  // fixes the movie's size. A frame that cannot be had or written ends the
  // recording; the frames before it stay in the file.
  MovieOutcome Record(const std::string& path);

 private:
  MovieFrameSource& source_;
  Progress progress_;
  MovieWriterFactory writers_;
};

// The animation's position in its cycle at `seconds`, 0 to 1, for a time sensor
// of `cycleSeconds` (the scene's cycleInterval); 0 for a cycle that is not positive.
double AnimationFraction(double seconds, double cycleSeconds);

// Frames from the viewer: stops the animation at the frame's time, grabs the
// picture and lets the animation run on at the end.
class ViewerMovieFrames : public MovieFrameSource {
 public:
  ViewerMovieFrames(Viewer& viewer, double cycleSeconds, int grabTimeoutMs = 5000)
      : viewer_(viewer), cycleSeconds_(cycleSeconds), grabTimeoutMs_(grabTimeoutMs) {}
  std::optional<RasterImage> RenderFrame(int index, double seconds) override;
  void Finish() override;

 private:
  Viewer& viewer_;
  double cycleSeconds_;
  int grabTimeoutMs_;
};

// The viewer's picture as an image the file writers take.
RasterImage ToRasterImage(const ViewerImage& image);

}  // namespace habitopia
