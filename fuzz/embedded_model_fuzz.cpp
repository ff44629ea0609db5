// Reading the model embedded in a scene from arbitrary bytes: plain or gzip
// (inflated up to a small limit here, so that each input stays quick), the
// embedded lines cut out and read as a model file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "files/model_reader.h"
#include "scene/scene_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace habitopia;
  std::string scene(reinterpret_cast<const char*>(data), size);
  if (LooksGzipped(scene)) {
    const auto inflated = GzipDecompress(scene, std::size_t{1} << 20);
    if (!inflated) return 0;
    scene = *inflated;
  }
  const auto model = ExtractEmbeddedModel(scene);
  if (!model) return 0;
  ParseModelText(*model, "tmp.mor");
  return 0;
}
