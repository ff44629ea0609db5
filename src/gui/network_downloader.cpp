#include "gui/network_downloader.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace habitopia::gui {

NetworkDownloader::NetworkDownloader(int stallTimeoutMs, QObject* parent)
    : QObject(parent), stallTimeoutMs_(stallTimeoutMs) {}

NetworkDownloader::~NetworkDownloader() {
  if (reply_) {
    reply_->disconnect(this);
    reply_->abort();
    reply_->deleteLater();
  }
  if (file_) file_->cancelWriting();
}

bool NetworkDownloader::Start(const std::string& url, const std::string& localPath,
                              DownloadCallbacks callbacks) {
  if (reply_) return false;
  const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
  if (!address.isValid() ||
      (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https")))
    return false;
  auto file = std::make_unique<QSaveFile>(QString::fromStdString(localPath));
  if (!file->open(QIODevice::WriteOnly)) return false;

  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setTransferTimeout(stallTimeoutMs_);
  file_ = std::move(file);
  callbacks_ = std::move(callbacks);
  writeError_.clear();
  reply_ = manager_.get(request);
  connect(reply_, &QNetworkReply::readyRead, this, &NetworkDownloader::OnReadyRead);
  connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
    if (callbacks_.progress) callbacks_.progress(received, total);
  });
  connect(reply_, &QNetworkReply::finished, this, &NetworkDownloader::OnFinished);
  return true;
}

void NetworkDownloader::Abort() {
  if (reply_) reply_->abort();
}

void NetworkDownloader::OnReadyRead() {
  if (!reply_ || !file_ || !writeError_.isEmpty()) return;
  const QByteArray data = reply_->readAll();
  if (file_->write(data) != data.size()) {
    writeError_ = file_->errorString();
    reply_->abort();
  }
}

void NetworkDownloader::OnFinished() {
  QNetworkReply* reply = reply_;
  if (!reply) return;
  OnReadyRead();
  QString error = writeError_;
  if (error.isEmpty() && reply->error() != QNetworkReply::NoError) error = reply->errorString();
  if (error.isEmpty() && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() >= 300)
    error = QStringLiteral("HTTP status %1")
                .arg(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt());
  // A body shorter than announced is a broken transfer, whatever the reply says.
  const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  if (error.isEmpty() && length.isValid() && file_->size() != length.toLongLong())
    error = QStringLiteral("the transfer ended early");
  if (error.isEmpty() && !file_->commit()) error = file_->errorString();
  if (!error.isEmpty()) file_->cancelWriting();

  file_.reset();
  reply_ = nullptr;
  reply->deleteLater();
  DownloadCallbacks callbacks = std::move(callbacks_);
  callbacks_ = {};
  if (error.isEmpty()) {
    if (callbacks.done) callbacks.done();
  } else if (callbacks.failed) {
    callbacks.failed(error.toStdString());
  }
}

}  // namespace habitopia::gui
