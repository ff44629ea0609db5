#include "local_http_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>

namespace habitopia::test {

LocalHttpServer::LocalHttpServer() {
  server_.listen(QHostAddress::LocalHost, 0);
  QObject::connect(&server_, &QTcpServer::newConnection, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      auto* request = new QByteArray;
      QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QObject::destroyed, [request] { delete request; });
      QObject::connect(socket, &QTcpSocket::readyRead, [this, socket, request] {
        request->append(socket->readAll());
        if (!request->contains("\r\n\r\n")) return;
        const QList<QByteArray> words = request->left(request->indexOf("\r\n")).split(' ');
        const QString path = words.size() > 1 ? QString::fromLatin1(words[1]) : QString();
        request->clear();
        requests_ << path;
        Answer(socket, path);
      });
    }
  });
}

QString LocalHttpServer::BaseUrl() const {
  return QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort());
}

void LocalHttpServer::Answer(QTcpSocket* socket, const QString& path) {
  const auto found = routes_.constFind(path);
  HttpRoute route;
  if (found == routes_.constEnd()) {
    route.status = 404;
    route.body = "not found";
  } else {
    route = *found;
  }
  if (route.silent) return;
  const qint64 length = route.announcedLength >= 0 ? route.announcedLength : route.body.size();
  QByteArray answer = "HTTP/1.1 " + QByteArray::number(route.status) + " Answer\r\n" +
                      "Content-Type: application/octet-stream\r\n" +
                      "Content-Length: " + QByteArray::number(length) + "\r\n" +
                      "Connection: close\r\n\r\n" + route.body;
  socket->write(answer);
  socket->disconnectFromHost();
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(1);
  }
  return done();
}

}  // namespace habitopia::test
