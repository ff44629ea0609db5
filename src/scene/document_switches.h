#pragma once
// The scene switches and twin settings a model file records.

#include "core/cell.h"
#include "core/model.h"
#include "files/model_document.h"
#include "scene/scene_writer.h"

namespace habitopia {

// Check boxes of the switches line, tumble from the panel code, the cleavage
// panel's boxes and the twin choice with its contact face caption. Four-index
// labels and the decimal comma are not part of a model file and stay off.
SceneSwitches SceneSwitchesFromDocument(const ModelDocument& document);

// The twin settings applying the twin tool gives for the document's twin texts.
TwinSettings TwinSettingsFromDocument(const ModelDocument& document, const CellMatrices& cell);

}  // namespace habitopia
