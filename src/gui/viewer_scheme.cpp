#include "gui/viewer_scheme.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace habitopia::gui {

namespace {

const QString kPagePrefix = QStringLiteral("/viewer/");
const QString kFilePrefix = QStringLiteral("/files/");

bool Inside(const QString& canonicalPath, const QStringList& roots) {
  for (const QString& root : roots) {
    if (root.isEmpty()) continue;
    if (canonicalPath == root) return true;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if (canonicalPath.startsWith(prefix)) return true;
  }
  return false;
}

void Reply(QWebEngineUrlRequestJob* job, const QByteArray& contentType, const QByteArray& data) {
  auto* buffer = new QBuffer(job);
  buffer->setData(data);
  buffer->open(QIODevice::ReadOnly);
  job->reply(contentType, buffer);
}

}  // namespace

void RegisterViewerScheme() {
  QWebEngineUrlScheme scheme(kViewerScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
  // Secure (WebGL and modules behave as on https), same-origin requests allowed,
  // no access to file: or qrc: URLs.
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl ViewerFileUrl(const QString& absolutePath) {
  QUrl url;
  url.setScheme(QString::fromLatin1(kViewerScheme));
  url.setHost(QString::fromLatin1(kViewerHost));
  url.setPath(QStringLiteral("/files") + absolutePath);
  return url;
}

QUrl ViewerPageUrl() {
  QUrl url;
  url.setScheme(QString::fromLatin1(kViewerScheme));
  url.setHost(QString::fromLatin1(kViewerHost));
  url.setPath(kPagePrefix + QStringLiteral("index.html"));
  return url;
}

QByteArray ContentTypeFor(const QString& fileName) {
  static const QHash<QString, QByteArray> types = {
      {QStringLiteral("html"), "text/html"},        {QStringLiteral("js"), "text/javascript"},
      {QStringLiteral("mjs"), "text/javascript"},   {QStringLiteral("css"), "text/css"},
      {QStringLiteral("json"), "application/json"}, {QStringLiteral("wasm"), "application/wasm"},
      {QStringLiteral("png"), "image/png"},         {QStringLiteral("jpg"), "image/jpeg"},
      {QStringLiteral("jpeg"), "image/jpeg"},       {QStringLiteral("gif"), "image/gif"},
      {QStringLiteral("bmp"), "image/bmp"},         {QStringLiteral("svg"), "image/svg+xml"},
      {QStringLiteral("ttf"), "font/ttf"},          {QStringLiteral("otf"), "font/otf"},
      {QStringLiteral("woff"), "font/woff"},        {QStringLiteral("woff2"), "font/woff2"},
      {QStringLiteral("wrl"), "model/vrml"},        {QStringLiteral("wrz"), "model/vrml"},
      {QStringLiteral("x3d"), "model/x3d+xml"},     {QStringLiteral("x3dv"), "model/x3d+vrml"},
  };
  return types.value(QFileInfo(fileName).suffix().toLower(), "application/octet-stream");
}

ViewerSchemeHandler::ViewerSchemeHandler(QString pageDirectory, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent),
      pageDirectory_(QFileInfo(pageDirectory).canonicalFilePath()) {}

void ViewerSchemeHandler::SetAllowedFolders(const QStringList& folders) {
  allowed_.clear();
  for (const QString& folder : folders) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (!canonical.isEmpty() && !allowed_.contains(canonical)) allowed_.append(canonical);
  }
}

bool ViewerSchemeHandler::IsAllowed(const QString& path) const {
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return !canonical.isEmpty() && Inside(canonical, allowed_);
}

void ViewerSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  const QUrl url = job->requestUrl();
  if (job->requestMethod() != "GET" || url.host() != QLatin1String(kViewerHost)) {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  const QString path = url.path();
  if (path == kPagePrefix + QStringLiteral("qwebchannel.js")) {
    // The WebChannel client library ships inside Qt's resources.
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!file.open(QIODevice::ReadOnly)) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    Reply(job, "text/javascript", file.readAll());
    return;
  }
  if (path.startsWith(kPagePrefix)) {
    ServeFile(job, pageDirectory_ + QLatin1Char('/') + path.mid(kPagePrefix.size()),
              QStringList{pageDirectory_});
    return;
  }
  if (path.startsWith(kFilePrefix)) {
    ServeFile(job, path.mid(kFilePrefix.size() - 1), allowed_);
    return;
  }
  job->fail(QWebEngineUrlRequestJob::UrlNotFound);
}

void ViewerSchemeHandler::ServeFile(QWebEngineUrlRequestJob* job, const QString& path,
                                    const QStringList& roots) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  if (canonical.isEmpty() || !info.isFile()) {
    emit requestRefused(path, QStringLiteral("file not found"));
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  if (!Inside(canonical, roots)) {
    emit requestRefused(path, QStringLiteral("outside the folders the viewer may read"));
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  QFile file(canonical);
  if (!file.open(QIODevice::ReadOnly)) {
    emit requestRefused(path, QStringLiteral("cannot be read: ") + file.errorString());
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  Reply(job, ContentTypeFor(canonical), file.readAll());
}

}  // namespace habitopia::gui
