#include "scene/scene_files.h"

#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/numbers.h"
#include "files/file_io.h"
#include "scene/scene_writer.h"

namespace habitopia {

namespace fs = std::filesystem;

FileResult WriteFileAtomic(const std::string& path, const std::string& contents) {
  std::string error;
  if (!WriteFileAtomically(path, contents, error)) return {false, error};
  return {};
}

std::optional<std::string> ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const bool last = end == std::string::npos;
    if (last) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = last ? text.size() : end + 1;
  }
  return lines;
}

namespace {
bool IsMarker(const std::string& line) {
  return line == kEmbeddedMarker12 || line == kEmbeddedMarker15;
}
}  // namespace

std::string EmbedModel(const std::string& sceneText, const std::string& modelText) {
  std::string out;
  // Everything up to an earlier embedded model is kept; that model and its marker
  // give way to the current model, which brings its own (Release 1.5) marker, so a
  // scene embedded under Release 1.2 reads back correctly afterwards.
  for (const std::string& line : SplitLines(sceneText)) {
    if (IsMarker(line)) break;
    out += line + "\n";
  }
  for (const std::string& line : SplitLines(modelText)) out += "#" + line + "\n";
  return out;
}

std::optional<std::string> ExtractEmbeddedModel(const std::string& sceneText) {
  const std::vector<std::string> lines = SplitLines(sceneText);
  std::size_t i = 0;
  while (i < lines.size() && !IsMarker(lines[i])) ++i;
  if (i == lines.size()) return std::nullopt;
  std::string model = lines[i].substr(1) + "\r\n";
  for (++i; i < lines.size(); ++i)
    model += (lines[i].empty() ? lines[i] : lines[i].substr(1)) + "\r\n";
  return model;
}

bool LooksGzipped(const std::string& data) {
  return data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0x1f &&
         static_cast<unsigned char>(data[1]) == 0x8b;
}

std::optional<std::string> GzipCompress(const std::string& data, const std::string& storedName) {
  z_stream stream{};
  // 15 window bits plus 16: a gzip header and trailer instead of zlib's.
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return std::nullopt;
  gz_header header{};
  std::vector<Bytef> name(storedName.begin(), storedName.end());
  name.push_back(0);
  if (!storedName.empty()) {
    header.name = name.data();
    header.os = 3;  // Unix
    deflateSetHeader(&stream, &header);
  }
  std::string out;
  out.resize(deflateBound(&stream, data.size()) + storedName.size() + 64);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&stream, Z_FINISH);
  const std::size_t produced = stream.total_out;
  deflateEnd(&stream);
  if (status != Z_STREAM_END) return std::nullopt;
  out.resize(produced);
  return out;
}

std::optional<std::string> GzipDecompress(const std::string& data, std::size_t limit,
                                          bool* tooLarge) {
  if (tooLarge) *tooLarge = false;
  z_stream stream{};
  if (inflateInit2(&stream, 15 + 16) != Z_OK) return std::nullopt;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  std::string out;
  char buffer[65536];
  int status = Z_OK;
  while (status == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    status = inflate(&stream, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) break;
    const std::size_t produced = sizeof buffer - stream.avail_out;
    if (produced > limit - out.size()) {
      inflateEnd(&stream);
      if (tooLarge) *tooLarge = true;
      return std::nullopt;
    }
    out.append(buffer, produced);
  }
  inflateEnd(&stream);
  if (status != Z_STREAM_END) return std::nullopt;
  return out;
}

FileResult GzipSceneFile(const std::string& scenePath) {
  const auto text = ReadFileText(scenePath);
  if (!text) return {false, "cannot read " + scenePath};
  const auto packed = GzipCompress(*text, fs::path(scenePath).filename().string());
  if (!packed) return {false, "cannot compress " + scenePath};
  FileResult written = WriteFileAtomic(scenePath + ".gz", *packed);
  if (!written) return written;
  std::error_code error;
  fs::remove(scenePath, error);
  return {};
}

FileResult SaveCompressedScene(const std::string& scenePath, const std::string& target) {
  const std::string packed = scenePath + ".gz";
  std::error_code error;
  fs::remove(packed, error);
  FileResult result = GzipSceneFile(scenePath);
  if (result) {
    const auto data = ReadFileText(packed);
    result = data ? WriteFileAtomic(target, *data) : FileResult{false, "cannot read " + packed};
  }
  fs::remove(packed, error);
  if (!result) return {false, "compression failed: " + result.message};
  return result;
}

std::string GroupSceneText(const GroupScene& group) {
  std::string out;
  auto line = [&out](const std::string& text) { out += text + "\n"; };
  auto inlineLine = [&](const std::string& file) {
    line("Inline {url [\"" + VrmlStringText(file) + "\"]}}}}");
  };
  const Rgb& c = group.background;
  line("#VRML V2.0 utf8");
  line("NavigationInfo {  headlight TRUE type \"EXAMINE\" }");
  line("Background {skyColor [");
  line(FormatFixed(c.red / 255.0L, 6, 3) + " " + FormatFixed(c.green / 255.0L, 6, 3) + " " +
       FormatFixed(c.blue / 255.0L, 6, 3) + "]}");
  line("Viewpoint { fieldOfView 0.09  }");
  line("DEF ps ProximitySensor { center 0 0 0 size 9000 9000 9000}");
  line("DEF tr Transform {children");
  line("Transform {translation 4 0 -100 children");
  line("DEF tr2 Transform {children");
  inlineLine(group.morphology);
  line("DEF tr3 Transform {children");
  line("Transform {translation -13 0 -300 children");
  line("DEF tr4 Transform {children");
  inlineLine(group.structure);
  line("DEF tr5 Transform {children");
  line("Transform {translation 0 0 -170 children");
  line("DEF tr6 Transform {children");
  inlineLine(group.tensor);
  line("DEF Clock TimeSensor {  cycleInterval 20 loop TRUE }");
  line(
      "DEF Spin OrientationInterpolator {key [0.0 0.5 1.0] keyValue [0.0 1.0 1.0 0.0, 0.0 1.0 "
      "1.0 -3.14, 0.0 1.0 1.0 -6.28]}");
  if (group.animation) line("ROUTE Clock.fraction_changed TO Spin.set_fraction");
  line("ROUTE Spin.value_changed TO tr2.set_rotation");
  line("ROUTE Spin.value_changed TO tr4.set_rotation");
  line("ROUTE Spin.value_changed TO tr6.set_rotation");
  line("ROUTE ps.orientation_changed TO tr.set_rotation");
  line("ROUTE ps.position_changed    TO tr.set_translation");
  line("ROUTE ps.orientation_changed TO tr2.set_rotation");
  line("ROUTE ps.orientation_changed TO tr3.set_rotation");
  line("ROUTE ps.position_changed    TO tr3.set_translation");
  line("ROUTE ps.orientation_changed TO tr4.set_rotation");
  line("ROUTE ps.orientation_changed TO tr5.set_rotation");
  line("ROUTE ps.position_changed    TO tr5.set_translation");
  line("ROUTE ps.orientation_changed TO tr6.set_rotation");
  return out;
}

}  // namespace habitopia
