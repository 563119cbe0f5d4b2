#pragma once
// A small HTTP server on 127.0.0.1 for tests of the program's downloads. It
// runs on the test's own event loop, which the program's HTTP client keeps
// running while it waits, and answers GET requests by their path (as sent,
// percent-encoding included).
//
//   testsupport::HttpTestServer server;
//   server.serve("/up/list.txt", "201601010000\r\n");            // 200
//   server.serve("/gone", "", 404);
//   server.serve("/slow", {}, 200, testsupport::HttpTestServer::Mode::Silent);
//   server.then("/up/list.txt", {404, "later"});                   // the next request
//   client.get(server.url("/up/list.txt"), 2000);
//   server.paths;                                                  // what was asked for
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

namespace testsupport {

class HttpTestServer : public QObject {
public:
    enum class Mode {
        Answer,   // the whole reply, then the connection closes
        Silent,   // the request is accepted and never answered
        CutShort, // announces 1000 bytes more than it sends, then closes
        Trickle,  // the body in tricklePieces pieces, one every trickleMs
    };
    struct Route {
        int status = 200;
        QByteArray body;
        Mode mode = Mode::Answer;
    };

    // Listens on a free port of 127.0.0.1; makes requests to this machine
    // bypass any proxy of the environment.
    HttpTestServer();

    // "http://127.0.0.1:port" and that with a path.
    QString host() const;
    QString url(const QString &path) const;

    // The reply to every request for path (replacing what was set).
    void serve(const QString &path, const QByteArray &body, int status = 200,
               Mode mode = Mode::Answer);
    // A reply for one later request: requests for path take the queued
    // replies in order; the last one stays for all further requests.
    void then(const QString &path, const Route &route);

    // Every path asked for, in order. Unknown paths get 404.
    QStringList paths;

    // Connections still open: closed neither by the client nor by the
    // server (which closes those it answered in full).
    int openConnections() const { return int(open_.size()); }
    // Closes every connection from the server's side, as a server does with
    // a request it kept waiting too long.
    void closeConnections();

    int trickleMs = 50;
    int tricklePieces = 20;

private:
    void onData(QTcpSocket *socket);
    void trickle(QTcpSocket *socket, const QByteArray &body);

    QTcpServer server_;
    QHash<QString, QList<Route>> routes_;
    QHash<QTcpSocket *, QByteArray> buffers_;
    QSet<QTcpSocket *> open_;
};

} // namespace testsupport
