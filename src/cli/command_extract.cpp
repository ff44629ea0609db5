// habitopia-cli extract SCENE.wrl -o OUT.mor: the model embedded in a scene file
// (plain or gzip-compressed), written as a model file.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/scene_model.h"
#include "files/model_writer.h"
#include "scene/embedded_model.h"

namespace habitopia::cli {

int RunExtract(const Arguments& args) {
  InputOutput a;
  if (auto problem = ParseInputOutput(args, {}, "usage: extract SCENE.wrl -o OUT.mor", a))
    return Fail(*problem);
  if (!std::filesystem::exists(a.input)) return Fail("File not Found: " + a.input);

  // The model's lines pass through "tmp.mor" in a working directory of our own.
  namespace fs = std::filesystem;
  std::error_code ec;
  const char* configured = std::getenv("HABITOPIA_WORKDIR");
  fs::path work =
      configured && *configured
          ? fs::path(configured) / ("extract-" + std::to_string(::getpid()))
          : fs::temp_directory_path(ec) / ("habitopia-extract-" + std::to_string(::getpid()));
  fs::create_directories(work, ec);
  if (ec) return Fail("cannot create the working folder " + work.string());
  const ModelReadResult read = ReadEmbeddedModel(a.input, work.string());
  fs::remove_all(work, ec);
  if (!read.ok) return Fail(read.error);

  const ModelWriteResult written = WriteModelFile(a.output, read.document);
  if (!written.ok) return Fail(written.error);
  return 0;
}

}  // namespace habitopia::cli
