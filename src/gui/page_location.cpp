#include "gui/page_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace habitopia::gui {

QString ViewerPageDirectory() {
  QStringList candidates;
  const QString own = qEnvironmentVariable("HABITOPIA_VIEWER_DIR");
  if (!own.isEmpty()) candidates << own;
  candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/viewer")
             << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/habitopia/viewer")
             << QStringLiteral(HABITOPIA_VIEWER_PAGE_DIR);
  for (const QString& folder : candidates)
    if (QFileInfo::exists(folder + QStringLiteral("/index.html"))) return QDir(folder).absolutePath();
  return {};
}

QString ExampleModelPath() {
  const QString program = QCoreApplication::applicationDirPath();
  for (const QString& installed : {program + QStringLiteral("/examples/Quartz.mor"),
                                   program + QStringLiteral("/../share/habitopia/examples/Quartz.mor")})
    if (QFileInfo::exists(installed)) return QFileInfo(installed).absoluteFilePath();
  return QStringLiteral(HABITOPIA_EXAMPLE_MODEL);
}

}  // namespace habitopia::gui
