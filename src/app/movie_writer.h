#pragma once
// Where "Record &Movie" puts its frames: an uncompressed AVI file, or an MP4
// (H.264) or WebM (VP9) file encoded with FFmpeg's libraries. The file name's
// extension chooses.

#include <functional>
#include <memory>
#include <string>

#include "files/raster_image.h"

namespace habitopia {

enum class MovieFormat { Avi, Mp4, WebM };

// ".mp4" and ".m4v" give Mp4, ".webm" WebM, any other extension (the dialog's
// default ".AVI" among them) Avi; case does not matter.
MovieFormat MovieFormatForPath(const std::string& path);

class MovieWriter {
 public:
  virtual ~MovieWriter() = default;
  // Creates the file (replacing one of that name) for frames of this size;
  // false with `error` when it cannot be created.
  virtual bool Open(const std::string& path, int width, int height, int framesPerSecond,
                    std::string& error) = 0;
  // Appends one frame of the size given to Open; false with `error` otherwise or
  // when writing fails.
  virtual bool AddFrame(const RasterImage& frame, std::string& error) = 0;
  // Finishes the file with the frames added so far; idempotent.
  virtual bool Close(std::string& error) = 0;
  virtual bool IsOpen() const = 0;
  virtual int FrameCount() const = 0;
};

using MovieWriterFactory = std::function<std::unique_ptr<MovieWriter>(MovieFormat)>;

std::unique_ptr<MovieWriter> MakeAviMovieWriter();
// Encoded movies; the encoder is chosen when the file is opened, and Open says
// so when the libraries lack it.
std::unique_ptr<MovieWriter> MakeEncodedMovieWriter(MovieFormat format);
// The writer of each format.
std::unique_ptr<MovieWriter> MakeMovieWriter(MovieFormat format);

}  // namespace habitopia
