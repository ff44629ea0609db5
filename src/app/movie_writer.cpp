#include "app/movie_writer.h"

#include "files/avi_writer.h"
#include "files/file_io.h"

namespace habitopia {

namespace {

class AviMovieWriter : public MovieWriter {
 public:
  bool Open(const std::string& path, int width, int height, int framesPerSecond,
            std::string& error) override {
    return writer_.Open(path, width, height, framesPerSecond, error);
  }
  bool AddFrame(const RasterImage& frame, std::string& error) override {
    return writer_.AddFrame(frame, error);
  }
  bool Close(std::string&) override {
    writer_.Close();
    return true;
  }
  bool IsOpen() const override { return writer_.IsOpen(); }
  int FrameCount() const override { return writer_.FrameCount(); }

 private:
  AviWriter writer_;
};

}  // namespace

MovieFormat MovieFormatForPath(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension == ".mp4" || extension == ".m4v") return MovieFormat::Mp4;
  if (extension == ".webm") return MovieFormat::WebM;
  return MovieFormat::Avi;
}

std::unique_ptr<MovieWriter> MakeAviMovieWriter() { return std::make_unique<AviMovieWriter>(); }

std::unique_ptr<MovieWriter> MakeMovieWriter(MovieFormat format) {
  if (format == MovieFormat::Avi) return MakeAviMovieWriter();
  return MakeEncodedMovieWriter(format);
}

}  // namespace habitopia
