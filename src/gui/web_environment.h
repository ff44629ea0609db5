#pragma once
// Process set-up Qt WebEngine needs for the viewer: the viewer's URL scheme, the
// sandbox when running as root, and WebGL on Mesa's software renderer. Each
// setting that is not the default is announced on stderr.

namespace habitopia::gui {

// Before the application object exists: registers the URL scheme, shares OpenGL
// contexts as WebEngine requires, and disables WebEngine's sandbox when the
// process runs as root (Chromium refuses to start its sandbox then).
void PrepareWebEngineBeforeApplication();

// After the application object exists and before the first web page: looks at the
// OpenGL renderer; on a software renderer (Xvfb, no GPU) Chromium's GPU block list
// would switch WebGL off, so it is told to ignore the list.
void PrepareWebEngineAfterApplication();

// The OpenGL renderer string found by the probe (empty when there was no context).
const char* ProbedOpenGLRenderer();

}  // namespace habitopia::gui
