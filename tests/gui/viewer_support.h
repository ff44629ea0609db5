#pragma once
// Helpers of the viewer tests: one shared viewer, scenes made from the example
// model with chosen settings, and measurements on grabbed pictures.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <string>

#include "app/viewer.h"
#include "files/model_document.h"
#include "gui/vrml_viewer.h"

namespace habitopia::gui::test {

inline constexpr int kLoadTimeoutMs = 30000;
inline constexpr int kGrabTimeoutMs = 10000;

QString ExampleModel();

// The viewer all tests share, shown in a window of 480 x 360 pixels.
VrmlViewer& SharedViewer();

// Loads the scene and waits for the viewer's report.
SceneLoadResult LoadAndWait(VrmlViewer& viewer, const QString& path,
                            int timeoutMs = kLoadTimeoutMs);

// Writes the scene of the example model into `folder` (as Habitopia.wrl), after
// `edit` has changed the model file's contents; returns the scene's path.
QString WriteExampleScene(const QString& folder,
                          const std::function<void(ModelDocument&)>& edit = nullptr);

// Saves the picture under $HABITOPIA_TEST_SHOTS (when set) for a look by eye.
void KeepPicture(const QImage& picture, const QString& name);

// Pixels whose colour is within `tolerance` (per channel) of `colour`.
int CountPixels(const QImage& picture, QColor colour, int tolerance = 0);
// Pixels matching `test`.
int CountPixelsWhere(const QImage& picture, const std::function<bool(QColor)>& test);
// The smallest rectangle holding every pixel that differs from `background`.
QRect ContentBounds(const QImage& picture, QColor background, int tolerance = 8);

}  // namespace habitopia::gui::test
