#pragma once
// Where the program finds the files it ships: the viewer page and the example model.

#include <QString>

namespace habitopia::gui {

// $HABITOPIA_VIEWER_DIR, else "viewer" beside the executable, else the installed
// ../share/habitopia/viewer, else the build tree's copy; empty when none holds
// index.html.
QString ViewerPageDirectory();

// "examples/Quartz.mor" beside the executable or in ../share/habitopia, else the
// one in the source tree.
QString ExampleModelPath();

}  // namespace habitopia::gui
