#include "files/avi_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/device_independent_bitmap.h"

namespace habitopia {

namespace {

// Fixed places in the header this writer lays out.
constexpr long kRiffSizeAt = 4;
constexpr long kTotalFramesAt = 48;    // in the main header
constexpr long kStreamLengthAt = 140;  // in the stream header
constexpr long kMoviSizeAt = 216;
constexpr long kMoviListAt = 220;  // index offsets count from the "movi" code
constexpr long kFirstFrameAt = 224;
constexpr std::uint32_t kHasIndex = 0x10;
constexpr std::uint32_t kKeyFrame = 0x10;

std::string Header(int width, int height, int framesPerSecond, std::uint32_t frameBytes) {
  std::string out;
  AppendFourCC(out, "RIFF");
  AppendU32(out, 0);  // patched
  AppendFourCC(out, "AVI ");

  AppendFourCC(out, "LIST");
  AppendU32(out, 192);
  AppendFourCC(out, "hdrl");
  AppendFourCC(out, "avih");
  AppendU32(out, 56);
  AppendU32(out, static_cast<std::uint32_t>(1000000 / framesPerSecond));
  AppendU32(out, frameBytes * static_cast<std::uint32_t>(framesPerSecond));
  AppendU32(out, 0);  // padding granularity
  AppendU32(out, kHasIndex);
  AppendU32(out, 0);  // total frames, patched
  AppendU32(out, 0);  // initial frames
  AppendU32(out, 1);  // streams
  AppendU32(out, frameBytes + 8);
  AppendU32(out, static_cast<std::uint32_t>(width));
  AppendU32(out, static_cast<std::uint32_t>(height));
  for (int i = 0; i < 4; ++i) AppendU32(out, 0);

  AppendFourCC(out, "LIST");
  AppendU32(out, 116);
  AppendFourCC(out, "strl");
  AppendFourCC(out, "strh");
  AppendU32(out, 56);
  AppendFourCC(out, "vids");
  AppendU32(out, 0);  // no compression handler
  AppendU32(out, 0);  // flags
  AppendU32(out, 0);  // priority, language
  AppendU32(out, 0);  // initial frames
  AppendU32(out, 1);  // scale
  AppendU32(out,
            static_cast<std::uint32_t>(framesPerSecond));  // rate: rate / scale frames a second
  AppendU32(out, 0);                                       // start
  AppendU32(out, 0);                                       // length in frames, patched
  AppendU32(out, frameBytes);
  AppendU32(out, 0xFFFFFFFF);  // default quality
  AppendU32(out, 0);           // frames vary in size as far as the format knows
  AppendU16(out, 0);           // frame rectangle: left, top, right, bottom
  AppendU16(out, 0);
  AppendU16(out, static_cast<std::uint16_t>(width));
  AppendU16(out, static_cast<std::uint16_t>(height));
  AppendFourCC(out, "strf");
  AppendU32(out, kDibInfoHeaderSize);
  out += DibInfoHeader(width, height);

  AppendFourCC(out, "LIST");
  AppendU32(out, 4);  // patched
  AppendFourCC(out, "movi");
  return out;
}

std::string IndexChunk(const std::string& entries) {
  std::string out;
  AppendFourCC(out, "idx1");
  AppendU32(out, static_cast<std::uint32_t>(entries.size()));
  return out + entries;
}

std::string U32Bytes(std::uint32_t value) {
  std::string out;
  AppendU32(out, value);
  return out;
}

}  // namespace

AviWriter::~AviWriter() { Close(); }

bool AviWriter::Open(const std::string& path, int width, int height, int framesPerSecond,
                     std::string& error) {
  Close();
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF || framesPerSecond <= 0) {
    error = "a movie needs frames of a positive size";
    return false;
  }
  file_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (file_ < 0) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  width_ = width;
  height_ = height;
  frames_ = 0;
  frameBytes_ = DibPixelBytes(width, height);
  index_.clear();
  failed_ = false;
  moviEnd_ = kFirstFrameAt;
  if (!WriteAt(0, Header(width, height, framesPerSecond, frameBytes_) + IndexChunk(index_)) ||
      !UpdateCounts()) {
    error = path + ": " + std::strerror(errno);
    Close();
    ::unlink(path.c_str());
    return false;
  }
  return true;
}

bool AviWriter::AddFrame(const RasterImage& frame, std::string& error) {
  if (file_ < 0) {
    error = "the movie file is not open";
    return false;
  }
  if (!frame.Consistent() || frame.width != width_ || frame.height != height_) {
    error = "the frame's size differs from the movie's";
    return false;
  }
  std::string entry;
  AppendFourCC(entry, "00db");
  AppendU32(entry, kKeyFrame);
  AppendU32(entry, static_cast<std::uint32_t>(moviEnd_ - kMoviListAt));
  AppendU32(entry, frameBytes_);

  std::string chunk;
  AppendFourCC(chunk, "00db");
  AppendU32(chunk, frameBytes_);
  chunk += DibPixels(frame);
  const long newEnd = moviEnd_ + static_cast<long>(chunk.size());
  // Sizes and offsets are 32-bit: a frame that would carry the file past them is refused.
  if (newEnd + 8 + static_cast<long>(index_.size() + entry.size()) > 0xFFFFFFFFL) {
    error = "the movie would grow beyond the size an AVI file can hold";
    return false;
  }
  if (!WriteAt(moviEnd_, chunk + IndexChunk(index_ + entry))) {
    error = std::strerror(errno);
    // Put the previous index back where the frame was to go and cut the rest off.
    if (!WriteAt(moviEnd_, IndexChunk(index_)) ||
        ::ftruncate(file_, moviEnd_ + 8 + static_cast<long>(index_.size())) != 0)
      failed_ = true;
    return false;
  }
  moviEnd_ = newEnd;
  index_ += entry;
  ++frames_;
  if (!UpdateCounts()) {
    error = std::strerror(errno);
    failed_ = true;
    return false;
  }
  return true;
}

void AviWriter::Close() {
  if (file_ < 0) return;
  ::close(file_);
  file_ = -1;
}

bool AviWriter::WriteAt(long position, const std::string& bytes) {
  if (failed_) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::pwrite(file_, bytes.data() + done, bytes.size() - done,
                                     static_cast<off_t>(position + static_cast<long>(done)));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

bool AviWriter::UpdateCounts() {
  const long fileEnd = moviEnd_ + 8 + static_cast<long>(index_.size());
  const auto frames = static_cast<std::uint32_t>(frames_);
  return WriteAt(kRiffSizeAt, U32Bytes(static_cast<std::uint32_t>(fileEnd - 8))) &&
         WriteAt(kTotalFramesAt, U32Bytes(frames)) && WriteAt(kStreamLengthAt, U32Bytes(frames)) &&
         WriteAt(kMoviSizeAt, U32Bytes(static_cast<std::uint32_t>(moviEnd_ - kMoviListAt)));
}

}  // namespace habitopia
