// MP4 (H.264 by libx264) and WebM (VP9, else VP8, by libvpx) through FFmpeg's
// libraries. Frames are converted from RGBA to the 4:2:0 YUV that players
// expect; as 4:2:0 needs an even size, an odd width or height gets one more
// column or row, a copy of the last.

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/movie_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace habitopia {

namespace {

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

int Even(int n) { return n + (n & 1); }

struct EncoderChoice {
  const char* muxer;
  std::vector<const char*> encoders;  // the first the libraries have is used
};

EncoderChoice ChoiceFor(MovieFormat format) {
  if (format == MovieFormat::Mp4) return {"mp4", {"libx264"}};
  return {"webm", {"libvpx-vp9", "libvpx"}};
}

class EncodedMovieWriter : public MovieWriter {
 public:
  explicit EncodedMovieWriter(MovieFormat format) : format_(format) {}
  ~EncodedMovieWriter() override {
    std::string ignored;
    Close(ignored);
  }
  EncodedMovieWriter(const EncodedMovieWriter&) = delete;
  EncodedMovieWriter& operator=(const EncodedMovieWriter&) = delete;

  bool Open(const std::string& path, int width, int height, int framesPerSecond,
            std::string& error) override;
  bool AddFrame(const RasterImage& frame, std::string& error) override;
  bool Close(std::string& error) override;
  bool IsOpen() const override { return open_; }
  int FrameCount() const override { return frames_; }

 private:
  bool OpenEncoder(const AVCodec* codec, int framesPerSecond, std::string& error);
  // Sends `frame` (null: the end) to the encoder and writes what comes out.
  bool Encode(const AVFrame* frame, std::string& error);
  void Release();

  MovieFormat format_;
  std::string path_;
  AVFormatContext* output_ = nullptr;
  AVCodecContext* encoder_ = nullptr;
  AVStream* stream_ = nullptr;
  SwsContext* converter_ = nullptr;
  AVFrame* picture_ = nullptr;
  AVPacket* packet_ = nullptr;
  std::vector<std::uint8_t> padded_;  // the RGBA frame at the even size
  int width_ = 0, height_ = 0;
  int frames_ = 0;
  bool open_ = false;
};

bool EncodedMovieWriter::OpenEncoder(const AVCodec* codec, int framesPerSecond,
                                     std::string& error) {
  encoder_ = avcodec_alloc_context3(codec);
  if (!encoder_) {
    error = "no memory for the encoder";
    return false;
  }
  encoder_->width = Even(width_);
  encoder_->height = Even(height_);
  encoder_->time_base = AVRational{1, framesPerSecond};
  encoder_->framerate = AVRational{framesPerSecond, 1};
  encoder_->pix_fmt = AV_PIX_FMT_YUV420P;
  encoder_->gop_size = framesPerSecond;
  // swscale converts with the BT.601 matrix into the limited range.
  encoder_->color_range = AVCOL_RANGE_MPEG;
  encoder_->colorspace = AVCOL_SPC_SMPTE170M;
  encoder_->color_primaries = AVCOL_PRI_SMPTE170M;
  encoder_->color_trc = AVCOL_TRC_SMPTE170M;
  if (output_->oformat->flags & AVFMT_GLOBALHEADER) encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

  AVDictionary* options = nullptr;
  if (format_ == MovieFormat::Mp4) {
    // Drawn pictures with sharp edges: a quality close to the uncompressed frames.
    av_dict_set(&options, "preset", "medium", 0);
    av_dict_set(&options, "crf", "18", 0);
  } else {
    encoder_->bit_rate = 0;
    av_dict_set(&options, "crf", "24", 0);
    av_dict_set(&options, "deadline", "good", 0);
    av_dict_set(&options, "cpu-used", "4", 0);
    av_dict_set(&options, "row-mt", "1", 0);
  }
  const int opened = avcodec_open2(encoder_, codec, &options);
  av_dict_free(&options);
  if (opened < 0) {
    error = std::string("the encoder ") + codec->name + " cannot start: " + AvError(opened);
    return false;
  }
  return true;
}

bool EncodedMovieWriter::Open(const std::string& path, int width, int height, int framesPerSecond,
                              std::string& error) {
  Close(error);
  error.clear();
  path_ = path;
  width_ = width;
  height_ = height;
  frames_ = 0;
  if (width <= 0 || height <= 0 || framesPerSecond <= 0) {
    error = path + ": no frame size";
    return false;
  }
  // The encoders' statistics are not for the user; their errors come back here.
  av_log_set_level(AV_LOG_ERROR);
  const EncoderChoice choice = ChoiceFor(format_);
  const AVCodec* codec = nullptr;
  for (const char* name : choice.encoders)
    if ((codec = avcodec_find_encoder_by_name(name))) break;
  if (!codec) {
    error = path + ": FFmpeg's libraries have no encoder " + choice.encoders.front();
    return false;
  }
  int status = avformat_alloc_output_context2(&output_, nullptr, choice.muxer, path.c_str());
  if (status < 0 || !output_) {
    error = path + ": " + AvError(status);
    Release();
    return false;
  }
  if (!OpenEncoder(codec, framesPerSecond, error)) {
    error = path + ": " + error;
    Release();
    return false;
  }
  stream_ = avformat_new_stream(output_, nullptr);
  if (!stream_ || avcodec_parameters_from_context(stream_->codecpar, encoder_) < 0) {
    error = path + ": the stream cannot be made";
    Release();
    return false;
  }
  stream_->time_base = encoder_->time_base;
  stream_->avg_frame_rate = encoder_->framerate;
  status = avio_open(&output_->pb, path.c_str(), AVIO_FLAG_WRITE);
  if (status < 0) {
    error = path + ": cannot be created: " + AvError(status);
    Release();
    return false;
  }
  AVDictionary* muxing = nullptr;
  // The index first, so that a player can start before it has the whole file.
  if (format_ == MovieFormat::Mp4) av_dict_set(&muxing, "movflags", "+faststart", 0);
  status = avformat_write_header(output_, &muxing);
  av_dict_free(&muxing);
  if (status < 0) {
    error = path + ": " + AvError(status);
    Release();
    return false;
  }

  picture_ = av_frame_alloc();
  packet_ = av_packet_alloc();
  if (picture_) {
    picture_->format = encoder_->pix_fmt;
    picture_->width = encoder_->width;
    picture_->height = encoder_->height;
  }
  converter_ =
      sws_getContext(encoder_->width, encoder_->height, AV_PIX_FMT_RGBA, encoder_->width,
                     encoder_->height, encoder_->pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
  if (!picture_ || !packet_ || !converter_ || av_frame_get_buffer(picture_, 0) < 0) {
    error = path + ": no memory for the frames";
    Release();
    return false;
  }
  padded_.assign(static_cast<std::size_t>(encoder_->width) * encoder_->height * 4, 0);
  open_ = true;
  return true;
}

bool EncodedMovieWriter::Encode(const AVFrame* frame, std::string& error) {
  int status = avcodec_send_frame(encoder_, frame);
  if (status < 0) {
    error = "the encoder refused a frame: " + AvError(status);
    return false;
  }
  while ((status = avcodec_receive_packet(encoder_, packet_)) == 0) {
    av_packet_rescale_ts(packet_, encoder_->time_base, stream_->time_base);
    packet_->stream_index = stream_->index;
    status = av_interleaved_write_frame(output_, packet_);
    if (status < 0) {
      error = path_ + ": " + AvError(status);
      return false;
    }
  }
  if (status != AVERROR(EAGAIN) && status != AVERROR_EOF) {
    error = "the encoder failed: " + AvError(status);
    return false;
  }
  return true;
}

bool EncodedMovieWriter::AddFrame(const RasterImage& frame, std::string& error) {
  if (!open_) {
    error = "the movie file is not open";
    return false;
  }
  if (frame.width != width_ || frame.height != height_ || !frame.Consistent()) {
    error = "frame " + std::to_string(frames_) + " is " + std::to_string(frame.width) + " x " +
            std::to_string(frame.height) + " pixels, the movie " + std::to_string(width_) + " x " +
            std::to_string(height_);
    return false;
  }
  const int paddedWidth = encoder_->width;
  const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
  for (int y = 0; y < encoder_->height; ++y) {
    const std::uint8_t* source = frame.rgba.data() + std::min(y, height_ - 1) * rowBytes;
    std::uint8_t* target = padded_.data() + static_cast<std::size_t>(y) * paddedWidth * 4;
    std::memcpy(target, source, rowBytes);
    if (paddedWidth > width_) std::memcpy(target + rowBytes, source + rowBytes - 4, 4);
  }
  if (av_frame_make_writable(picture_) < 0) {
    error = "no memory for frame " + std::to_string(frames_);
    return false;
  }
  const std::uint8_t* planes[1] = {padded_.data()};
  const int strides[1] = {paddedWidth * 4};
  sws_scale(converter_, planes, strides, 0, encoder_->height, picture_->data, picture_->linesize);
  picture_->pts = frames_;
  if (!Encode(picture_, error)) return false;
  ++frames_;
  return true;
}

bool EncodedMovieWriter::Close(std::string& error) {
  bool ok = true;
  if (open_) {
    // The frames the encoder still holds, then the index.
    ok = Encode(nullptr, error);
    const int status = av_write_trailer(output_);
    if (status < 0 && ok) {
      error = path_ + ": " + AvError(status);
      ok = false;
    }
  }
  Release();
  return ok;
}

void EncodedMovieWriter::Release() {
  open_ = false;
  if (output_ && output_->pb) avio_closep(&output_->pb);
  if (output_) avformat_free_context(output_);
  output_ = nullptr;
  stream_ = nullptr;
  avcodec_free_context(&encoder_);
  av_frame_free(&picture_);
  av_packet_free(&packet_);
  sws_freeContext(converter_);
  converter_ = nullptr;
  padded_.clear();
}

}  // namespace

std::unique_ptr<MovieWriter> MakeEncodedMovieWriter(MovieFormat format) {
  return std::make_unique<EncodedMovieWriter>(format);
}

}  // namespace habitopia
