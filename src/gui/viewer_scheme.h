#pragma once
// The viewer's own URL scheme. The page and X_ITE come from the page folder; scene
// files come only from the allowed folders (the folder of the scene being shown
// and the working directory), so a scene cannot read any other file of the user.
//
//   habitopia://app/viewer/<file>       the page, X_ITE and its assets
//   habitopia://app/files/<absolute path>  a file in an allowed folder

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace habitopia::gui {

inline constexpr char kViewerScheme[] = "habitopia";
inline constexpr char kViewerHost[] = "app";

// Registers the scheme with Qt WebEngine; must run before the application object
// is created.
void RegisterViewerScheme();

// The URL the page loads a file by.
QUrl ViewerFileUrl(const QString& absolutePath);
QUrl ViewerPageUrl();

class ViewerSchemeHandler : public QWebEngineUrlSchemeHandler {
  Q_OBJECT

 public:
  ViewerSchemeHandler(QString pageDirectory, QObject* parent = nullptr);

  // Folders whose files (and sub-folders) may be read; symbolic links are resolved
  // before the check.
  void SetAllowedFolders(const QStringList& folders);
  QStringList AllowedFolders() const { return allowed_; }

  // Whether `path` is a file the scheme would serve.
  bool IsAllowed(const QString& path) const;

  void requestStarted(QWebEngineUrlRequestJob* job) override;

 signals:
  // A file request that was refused: the path asked for and the reason.
  void requestRefused(const QString& path, const QString& reason);

 private:
  void ServeFile(QWebEngineUrlRequestJob* job, const QString& path, const QStringList& roots);

  QString pageDirectory_;
  QStringList allowed_;  // canonical paths
};

// Content type by file name.
QByteArray ContentTypeFor(const QString& fileName);

}  // namespace habitopia::gui
