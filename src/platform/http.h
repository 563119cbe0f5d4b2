#pragma once
// HTTP GET with a time limit, and download to a file. Both let the event
// loop run while they wait, so timers and windows stay alive.
#include <QByteArray>
#include <QString>
#include <memory>

namespace platform {

struct HttpReply {
    enum class Outcome {
        Ok,      // the whole content arrived with a 2xx status
        Timeout, // no complete reply within the time limit
        Failed,  // no answer (no server, refused, the run ended) or an error status
        CutOff,  // a 2xx answer whose content broke off before its end
        TooLong, // a 2xx answer whose content passed the caller's limit
    };
    Outcome outcome = Outcome::Failed;
    int status = 0;  // HTTP status when a reply arrived (also with Failed, e.g. 404)
    QByteArray body; // the content; only with Ok (a 2xx status)
    QString error;   // why it failed, for logs
};

// No limit on the size of a content.
inline constexpr qint64 kAnySize = -1;

class Http {
public:
    virtual ~Http() = default;
    // Timeout when no complete reply came within timeoutMs. A content of
    // more than maxBytes is not kept: TooLong.
    virtual HttpReply get(const QString &url, int timeoutMs, qint64 maxBytes = kAnySize) = 0;
    // Downloads url into file; true when the whole file arrived with a 2xx
    // status. The file is replaced only then: on any failure the old file
    // (or no file) stays. Gives up when timeoutMs pass without data
    // arriving, or when more than maxBytes arrive. The content goes to the
    // disk as it arrives: a large file is never held in memory.
    virtual bool download(const QString &url, const QString &file, int timeoutMs,
                          qint64 maxBytes = kAnySize) = 0;
    // Ends every get and download still waiting: a get returns Failed, a
    // download false (its file untouched). For a window closed while its
    // request waits.
    virtual void abortPending() {}
};

std::unique_ptr<Http> makeNetworkHttp();
Http &http();
void setHttp(std::unique_ptr<Http> h);

} // namespace platform
