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
             << QStringLiteral(HABITOPIA_VIEWER_PAGE_DIR);
  for (const QString& folder : candidates)
    if (QFileInfo::exists(folder + QStringLiteral("/index.html"))) return QDir(folder).absolutePath();
  return {};
}

QString ExampleModelPath() {
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/examples/Quartz.mor");
  if (QFileInfo::exists(beside)) return beside;
  return QStringLiteral(HABITOPIA_EXAMPLE_MODEL);
}

}  // namespace habitopia::gui
