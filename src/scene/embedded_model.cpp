#include "scene/embedded_model.h"

#include <filesystem>

#include "files/model_writer.h"

namespace habitopia {

std::string SceneWithModel(const std::string& sceneText, const ModelDocument& document) {
  return EmbedModel(sceneText, FormatModelText(document));
}

FileResult AddModelToScene(const std::string& scenePath, const ModelDocument& document) {
  const auto scene = ReadFileText(scenePath);
  if (!scene) return {false, "cannot read " + scenePath};
  return WriteFileAtomic(scenePath, SceneWithModel(*scene, document));
}

ModelReadResult ReadEmbeddedModel(const std::string& scenePath, const std::string& workDirectory) {
  ModelReadResult result;
  auto scene = ReadFileText(scenePath);
  if (!scene) {
    result.error = "cannot read " + scenePath;
    return result;
  }
  if (LooksGzipped(*scene)) {
    bool tooLarge = false;
    scene = GzipDecompress(*scene, kInflateLimit, &tooLarge);
    if (!scene) {
      result.error = tooLarge ? scenePath + " inflates to more than " +
                                    std::to_string(kInflateLimit >> 20) +
                                    " MiB, far more than a scene with a model; not read"
                              : "cannot decompress " + scenePath;
      return result;
    }
  }
  const auto model = ExtractEmbeddedModel(*scene);
  if (!model) {
    result.error = "no model embedded in " + scenePath;
    return result;
  }
  const std::string temporary =
      (std::filesystem::path(workDirectory.empty() ? "." : workDirectory) / "tmp.mor").string();
  const FileResult written = WriteFileAtomic(temporary, *model);
  if (!written) {
    result.error = written.message;
    return result;
  }
  return ReadModelFile(temporary);
}

}  // namespace habitopia
