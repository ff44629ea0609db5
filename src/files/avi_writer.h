#pragma once
// Movies as Audio Video Interleaved files: one video stream of uncompressed
// 24-bit frames, every frame a key frame. The file on disk is complete after
// every frame, so a movie stopped early keeps the frames written so far.

#include <cstdint>
#include <string>

#include "files/raster_image.h"

namespace habitopia {

class AviWriter {
 public:
  AviWriter() = default;
  ~AviWriter();
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;

  // Creates the file (replacing one of that name) for frames of this size at
  // `framesPerSecond`; false with `error` when it cannot be created or written.
  bool Open(const std::string& path, int width, int height, int framesPerSecond,
            std::string& error);
  // Appends one frame; it must have the size given to Open. False with `error`
  // when it does not or the write fails; the frames before it stay in the file.
  bool AddFrame(const RasterImage& frame, std::string& error);
  // Closes the file; idempotent. The destructor closes too.
  void Close();

  bool IsOpen() const { return file_ >= 0; }
  int FrameCount() const { return frames_; }

 private:
  bool WriteAt(long position, const std::string& bytes);
  bool UpdateCounts();

  int file_ = -1;
  int width_ = 0;
  int height_ = 0;
  int frames_ = 0;
  std::uint32_t frameBytes_ = 0;
  long moviEnd_ = 0;     // where the next frame goes
  std::string index_;    // idx1 entries of the frames written
  bool failed_ = false;  // a write failed: the file keeps what it had before
};

}  // namespace habitopia
