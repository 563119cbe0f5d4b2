#include "http_test_server.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace testsupport {

HttpTestServer::HttpTestServer() {
    qputenv("no_proxy", "127.0.0.1,localhost");
    qputenv("NO_PROXY", "127.0.0.1,localhost");
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = server_.nextPendingConnection()) {
            s->setParent(this);
            open_.insert(s);
            connect(s, &QTcpSocket::readyRead, this, [this, s] { onData(s); });
            connect(s, &QTcpSocket::disconnected, this, [this, s] { open_.remove(s); });
        }
    });
}

QString HttpTestServer::host() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

QString HttpTestServer::url(const QString &path) const {
    return host() + path;
}

void HttpTestServer::serve(const QString &path, const QByteArray &body, int status, Mode mode) {
    routes_[path] = {Route{status, body, mode}};
}

void HttpTestServer::then(const QString &path, const Route &route) {
    routes_[path].append(route);
}

void HttpTestServer::closeConnections() {
    const QSet<QTcpSocket *> sockets = open_;
    for (QTcpSocket *s : sockets) s->disconnectFromHost();
}

void HttpTestServer::onData(QTcpSocket *s) {
    QByteArray &buf = buffers_[s];
    buf += s->readAll();
    if (!buf.contains("\r\n\r\n")) return;
    const QList<QByteArray> first = buf.left(buf.indexOf("\r\n")).split(' ');
    buf.clear();
    const QString path = first.size() > 1 ? QString::fromLatin1(first[1]) : QString();
    paths.append(path);
    Route route{404, "no such page", Mode::Answer};
    auto it = routes_.find(path);
    if (it != routes_.end() && !it->isEmpty())
        route = it->size() > 1 ? it->takeFirst() : it->first();
    if (route.mode == Mode::Silent) return;
    const qsizetype announced = route.body.size() + (route.mode == Mode::CutShort ? 1000 : 0);
    s->write(QStringLiteral("HTTP/1.1 %1 X\r\nContent-Length: %2\r\nConnection: close\r\n\r\n")
                 .arg(route.status)
                 .arg(announced)
                 .toLatin1());
    if (route.mode == Mode::Trickle) return trickle(s, route.body);
    s->write(route.body);
    s->disconnectFromHost();
}

void HttpTestServer::trickle(QTcpSocket *s, const QByteArray &body) {
    auto *timer = new QTimer(s);
    const qsizetype piece = (body.size() + tricklePieces - 1) / tricklePieces;
    auto sent = std::make_shared<qsizetype>(0);
    connect(timer, &QTimer::timeout, s, [=] {
        s->write(body.mid(*sent, piece));
        *sent += piece;
        if (*sent >= body.size()) {
            timer->stop();
            s->disconnectFromHost();
        }
    });
    timer->start(trickleMs);
}

} // namespace testsupport
