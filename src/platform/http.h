#pragma once
// HTTP GET with a time limit, and download to a file. Both let the event
// loop run while they wait, so timers and windows stay alive.
#include <QByteArray>
#include <QString>
#include <memory>

namespace platform {

struct HttpReply {
    enum class Outcome { Ok, Timeout, Failed };
    Outcome outcome = Outcome::Failed;
    int status = 0;  // HTTP status when a reply arrived (also with Failed, e.g. 404)
    QByteArray body; // the content; only with Ok (a 2xx status)
    QString error;   // why it failed, for logs
};

class Http {
public:
    virtual ~Http() = default;
    // Timeout when no complete reply came within timeoutMs.
    virtual HttpReply get(const QString &url, int timeoutMs) = 0;
    // Downloads url into file; true when the whole file arrived with a 2xx
    // status. The file is replaced only then: on any failure the old file
    // (or no file) stays. Gives up when timeoutMs pass without data arriving.
    virtual bool download(const QString &url, const QString &file, int timeoutMs) = 0;
    // Ends every get and download still waiting: a get returns Failed, a
    // download false (its file untouched). For a window closed while its
    // request waits.
    virtual void abortPending() {}
};

std::unique_ptr<Http> makeNetworkHttp();
Http &http();
void setHttp(std::unique_ptr<Http> h);

} // namespace platform
