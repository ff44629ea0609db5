#include "gui/page_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace habitopia::gui {

QString ViewerPageDirectory() {
  QStringList candidates;
  const QString own = qEnvironmentVariable("HABITOPIA_VIEWER_DIR");
  if (!own.isEmpty()) candidates << own;
  candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/viewer")
             << QCoreApplication::applicationDirPath() +
                    QStringLiteral("/../share/habitopia/viewer")
             << QStringLiteral(HABITOPIA_VIEWER_PAGE_DIR);
  for (const QString& folder : candidates)
    if (QFileInfo::exists(folder + QStringLiteral("/index.html")))
      return QDir(folder).absolutePath();
  return {};
}

QString ExampleModelPath() {
  const QString program = QCoreApplication::applicationDirPath();
  for (const QString& installed :
       {program + QStringLiteral("/examples/Quartz.mor"),
        program + QStringLiteral("/../share/habitopia/examples/Quartz.mor")})
    if (QFileInfo::exists(installed)) return QFileInfo(installed).absoluteFilePath();
  return QStringLiteral(HABITOPIA_EXAMPLE_MODEL);
}

ProgramFiles ShippedFiles() {
  ProgramFiles files;
  files.programDirectory = QCoreApplication::applicationDirPath().toStdString();
  const QString example = ExampleModelPath();
  files.exampleModel = example.toStdString();
  files.emptyScene =
      (QFileInfo(example).absolutePath() + QStringLiteral("/habitopiaempty.wrl")).toStdString();
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty() || !QFileInfo(documents).isDir()) documents = QDir::homePath();
  files.documentsDirectory = documents.toStdString();
  return files;
}

}  // namespace habitopia::gui
