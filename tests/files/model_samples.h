#pragma once
// Models and file texts shared by the model-file tests.

#include <initializer_list>
#include <string>
#include <vector>

#include "core/model.h"
#include "files/model_document.h"

namespace habitopia::test {

// The lines joined with CR LF, the last one included.
std::string CrLfLines(std::initializer_list<std::string> lines);
std::vector<std::string> SplitCrLf(const std::string& text);

// The start-up model: point group 2, cell 1 1 1 90 90 90, faces
// (1 2 3), (-1 -1 1), (0 -1 -1), (0 1 0), all at distance 1, unique faces 0..3,
// initial display settings.
CrystalModel DefaultModel();

// Form values with every switch chosen explicitly: spotlights, grid, fill and
// solid on, renderer 1, no boxes shown, tumble off (panel code -1).
FormValues PlainForm();

}  // namespace habitopia::test
