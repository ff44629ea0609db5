// habitopia [FILE]: the main window showing a model (.mor) or a scene (.wrl, .wrz);
// without FILE the built-in default crystal.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <string>
#include <vector>

#include "app/work_directory.h"
#include "gui/main_window.h"
#include "gui/page_location.h"
#include "gui/qt_ports.h"
#include "gui/splash_window.h"
#include "gui/web_environment.h"

int main(int argc, char** argv) {
  using namespace habitopia;
  gui::PrepareWebEngineBeforeApplication();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Habitopia"));
  gui::PrepareWebEngineAfterApplication();

  const QString page = gui::ViewerPageDirectory();
  if (page.isEmpty()) {
    std::fprintf(stderr, "habitopia: the viewer page (index.html and X_ITE) was not found\n");
    return 2;
  }
  const std::string workDirectory = WorkDirectoryPath();
  std::string error;
  EnsureWorkDirectory(workDirectory, error);
  gui::QtInstanceLock instance(QString::fromStdString(workDirectory) +
                               QStringLiteral("/habitopia.lock"));
  if (!instance.TryAcquire()) {
    gui::QtDialogs(nullptr).Message("Habitopia is already running", "Habitopia");
    return 1;
  }

  gui::MainWindow window(page, QString::fromStdString(workDirectory));
  window.Form().SetProgramFiles(gui::ShippedFiles());
  std::vector<std::string> arguments;
  for (const QString& argument : application.arguments().mid(1))
    arguments.push_back(argument.toStdString());

  // The main window waits behind the splash; it appears, and opens its model,
  // when the splash goes.
  QObject::connect(&window.Splash(), &gui::SplashWindow::closed, &window, [&window, arguments] {
    if (window.isVisible()) return;
    window.show();
    window.Form().FormActivate(arguments);
    if (!window.Form().State().error.empty())
      std::fprintf(stderr, "habitopia: %s\n", window.Form().State().error.c_str());
  });
  window.Form().ShowSplash();
  return application.exec();
}
