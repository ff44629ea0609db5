#pragma once
// Where the program finds the files it ships: the viewer page and the example model.

#include <QString>

#include "app/main_form.h"

namespace habitopia::gui {

// $HABITOPIA_VIEWER_DIR, else "viewer" beside the executable, else the build
// tree's copy; empty when none holds index.html.
QString ViewerPageDirectory();

// "examples/Quartz.mor" beside the executable, else the one in the source tree.
QString ExampleModelPath();

// The files the program ships and the user's documents folder, for the controller.
ProgramFiles ShippedFiles();

}  // namespace habitopia::gui
