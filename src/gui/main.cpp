// habitopia [FILE]: the main window showing a model (.mor) or a scene (.wrl, .wrz);
// without FILE the example model.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <string>
#include <vector>

#include "app/work_directory.h"
#include "gui/main_window.h"
#include "gui/page_location.h"
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

  gui::MainWindow window(page, QString::fromStdString(workDirectory));
  window.show();

  std::vector<std::string> arguments;
  for (const QString& argument : application.arguments().mid(1)) arguments.push_back(argument.toStdString());
  window.Form().SetProgramFiles(gui::ShippedFiles());
  window.Form().FormActivate(arguments);
  if (!window.Form().State().error.empty())
    std::fprintf(stderr, "habitopia: %s\n", window.Form().State().error.c_str());
  return application.exec();
}
