#pragma once
// A small HTTP server on 127.0.0.1 inside the test program: each path answers
// with a fixed status and body, a body cut short, or nothing at all.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <functional>

namespace habitopia::test {

struct HttpRoute {
  int status = 200;
  QByteArray body;
  qint64 announcedLength = -1;  // Content-Length when it should differ from the body's
  bool silent = false;          // accept the request and never answer
};

class LocalHttpServer {
 public:
  LocalHttpServer();
  // "http://127.0.0.1:PORT/"
  QString BaseUrl() const;
  void Route(const QString& path, HttpRoute route) { routes_[path] = std::move(route); }
  const QStringList& Requests() const { return requests_; }

 private:
  void Answer(class QTcpSocket* socket, const QString& path);
  QTcpServer server_;
  QMap<QString, HttpRoute> routes_;
  QStringList requests_;
};

// Runs the event loop until `done` holds or `timeoutMs` has passed; returns `done()`.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);

}  // namespace habitopia::test
