#pragma once
// The update checker's downloads over Qt Network. The body goes to a temporary
// file beside the target, which replaces the target only when the whole body
// has arrived; a failed or aborted download leaves no trace.

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QSaveFile>
#include <memory>

#include "app/downloader.h"

namespace habitopia::gui {

class NetworkDownloader : public QObject, public Downloader {
  Q_OBJECT

 public:
  // A transfer that stalls for `stallTimeoutMs` fails.
  explicit NetworkDownloader(int stallTimeoutMs = 60000, QObject* parent = nullptr);
  ~NetworkDownloader() override;

  // One download at a time: false while one runs, for addresses other than
  // http and https, and when the local file cannot be created.
  bool Start(const std::string& url, const std::string& localPath,
             DownloadCallbacks callbacks) override;
  void Abort() override;
  bool Running() const { return reply_ != nullptr; }

 private:
  void OnReadyRead();
  void OnFinished();

  QNetworkAccessManager manager_;
  int stallTimeoutMs_;
  QPointer<QNetworkReply> reply_;
  std::unique_ptr<QSaveFile> file_;
  DownloadCallbacks callbacks_;
  QString writeError_;
};

}  // namespace habitopia::gui
