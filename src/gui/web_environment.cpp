#include "gui/web_environment.h"

#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <string>

#include "gui/viewer_scheme.h"

namespace habitopia::gui {

namespace {

std::string g_renderer;

void AddChromiumFlag(const QByteArray& flag) {
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (flags.contains(flag)) return;
  if (!flags.isEmpty()) flags += ' ';
  flags += flag;
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

bool IsSoftwareRenderer(const QString& renderer) {
  const QString r = renderer.toLower();
  return r.contains(QLatin1String("llvmpipe")) || r.contains(QLatin1String("softpipe")) ||
         r.contains(QLatin1String("swrast")) || r.contains(QLatin1String("software"));
}

}  // namespace

void PrepareWebEngineBeforeApplication() {
  RegisterViewerScheme();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    std::fprintf(stderr,
                 "habitopia: running as root: Qt WebEngine's sandbox is switched off "
                 "(QTWEBENGINE_DISABLE_SANDBOX=1)\n");
  }
  // Lets the page free the previous scene's WebGL memory right after a reload.
  AddChromiumFlag("--js-flags=--expose-gc");
}

void PrepareWebEngineAfterApplication() {
  QOpenGLContext context;
  QOffscreenSurface surface;
  surface.create();
  if (context.create() && context.makeCurrent(&surface)) {
    const auto* text = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    g_renderer = text ? text : "";
    context.doneCurrent();
  }
  if (g_renderer.empty()) {
    std::fprintf(stderr,
                 "habitopia: no OpenGL context could be made; the viewer may draw nothing\n");
    return;
  }
  if (IsSoftwareRenderer(QString::fromStdString(g_renderer))) {
    AddChromiumFlag("--ignore-gpu-blocklist");
    std::fprintf(stderr,
                 "habitopia: OpenGL renderer is \"%s\" (software): WebGL enabled with "
                 "--ignore-gpu-blocklist\n",
                 g_renderer.c_str());
  }
}

const char* ProbedOpenGLRenderer() { return g_renderer.c_str(); }

}  // namespace habitopia::gui
