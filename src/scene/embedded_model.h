#pragma once
// The model carried at the end of a scene file: embedding the current model and
// reading it back out.

#include <string>

#include "files/model_document.h"
#include "files/model_reader.h"
#include "scene/scene_files.h"

namespace habitopia {

// The scene text with the model file of `document` appended as comment lines
// (replacing a model embedded earlier).
std::string SceneWithModel(const std::string& sceneText, const ModelDocument& document);

// Appends the model to the scene file in place (written atomically).
FileResult AddModelToScene(const std::string& scenePath, const ModelDocument& document);

// Reads the model embedded in a scene file (plain or gzip-compressed): its lines go
// to "tmp.mor" in `workDirectory`, which the model reader then reads. Not ok, with
// "no model embedded in " + the path, when the scene carries none.
ModelReadResult ReadEmbeddedModel(const std::string& scenePath, const std::string& workDirectory);

}  // namespace habitopia
