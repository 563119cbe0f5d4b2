#include "platform/http.h"

#include "platform/atomic_files.h"
#include "platform/paths.h"
#include "platform/run_end.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVariant>

#include <functional>

namespace platform {

namespace {

// A reply given up (its time ran out, the run ended) is aborted, which
// closes its connection: left open, the network module would send the
// same request again once the server closed it. The wait's own connections
// are gone with its loop by now; the reply's others must stay, as they are
// the ones that carry the abort to the network's thread.
struct ReplyDeleter {
    void operator()(QNetworkReply *r) const {
        if (!r) return;
        if (!r->isFinished()) r->abort();
        r->deleteLater();
    }
};
using ReplyPtr = std::unique_ptr<QNetworkReply, ReplyDeleter>;

int statusOf(const QNetworkReply &reply) {
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

bool isSuccess(int status) {
    return status >= 200 && status < 300;
}

// The most a reply holds in memory before the network stops reading:
// a large download goes to the disk a piece at a time.
constexpr qint64 kReadBufferBytes = 64 * 1024;

enum class Wait { Finished, TimedOut, Ended };

// A reply given up from inside its own readyRead: aborted once the signal
// has returned (the network code does not expect its reply to end inside
// the signal), which still ends the wait on the next turn of the loop.
void abortSoon(QNetworkReply *r) {
    QMetaObject::invokeMethod(
        r, [r] { r->abort(); }, Qt::QueuedConnection);
}

// A 2xx reply that ended in an error broke off in its content: the server
// did answer, so it is no failure to connect.
bool cutOff(const QNetworkReply &reply) {
    return reply.error() != QNetworkReply::NoError &&
           reply.error() != QNetworkReply::OperationCanceledError && isSuccess(statusOf(reply));
}

QString cutOffText(const QNetworkReply &reply, qint64 received) {
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    const QString of =
        length.isValid() ? QStringLiteral(" of %1").arg(length.toLongLong()) : QString();
    return QStringLiteral("The reply's content was cut off after %1 bytes%2 (HTTP status %3: %4)")
        .arg(received)
        .arg(of)
        .arg(statusOf(reply))
        .arg(reply.errorString());
}

class NetworkHttp : public Http {
public:
    HttpReply get(const QString &url, int timeoutMs, qint64 maxBytes) override {
        HttpReply result;
        ReplyPtr reply(manager().get(request(url)));
        QNetworkReply *r = reply.get();
        QByteArray body;
        bool tooLong = false;
        auto drain = [&] {
            if (tooLong || !r->isOpen()) return;
            body += r->readAll();
            if (maxBytes >= 0 && body.size() > maxBytes) {
                tooLong = true;
                body.clear();
                abortSoon(r);
            }
        };
        const Wait wait = waitFor(*reply, timeoutMs, false, drain);
        if (wait == Wait::Ended) {
            result.error = QStringLiteral("the run ended while the request waited");
            return result;
        }
        if (wait == Wait::TimedOut) {
            result.outcome = HttpReply::Outcome::Timeout;
            result.error = QStringLiteral("no reply within %1 ms").arg(timeoutMs);
            return result;
        }
        result.status = statusOf(*reply);
        drain();
        if (tooLong) {
            result.outcome = HttpReply::Outcome::TooLong;
            result.error =
                QStringLiteral("The reply's content is longer than %1 bytes (HTTP status %2)")
                    .arg(maxBytes)
                    .arg(result.status);
            return result;
        }
        if (reply->error() == QNetworkReply::NoError && isSuccess(result.status)) {
            result.outcome = HttpReply::Outcome::Ok;
            result.body = std::move(body);
        } else if (cutOff(*reply)) {
            result.outcome = HttpReply::Outcome::CutOff;
            result.error = cutOffText(*reply, body.size());
        } else {
            // An error page is no content: callers would read it as data.
            result.outcome = HttpReply::Outcome::Failed;
            result.error = result.status ? QStringLiteral("HTTP status %1").arg(result.status)
                                         : reply->errorString();
        }
        return result;
    }

    bool download(const QString &url, const QString &file, int timeoutMs,
                  qint64 maxBytes) override {
        FileReplacement out(file);
        if (!out.ok()) return false;
        ReplyPtr reply(manager().get(request(url)));
        bool failed = false;
        QNetworkReply *r = reply.get();
        // Written only once the status is known to be 2xx: an error page
        // is never data. Each piece goes to the disk before the next is read.
        auto drain = [&] {
            if (failed || !r->isOpen() || r->bytesAvailable() <= 0) return;
            if (!isSuccess(statusOf(*r))) {
                failed = true;
                abortSoon(r);
                return;
            }
            while (r->bytesAvailable() > 0) {
                const QByteArray chunk = r->read(kReadBufferBytes);
                if (chunk.isEmpty() || !out.write(chunk) ||
                    (maxBytes >= 0 && out.written() > maxBytes)) {
                    failed = true;
                    abortSoon(r);
                    return;
                }
            }
        };
        const Wait wait = waitFor(*reply, timeoutMs, true, drain);
        if (wait != Wait::Finished || failed || reply->error() != QNetworkReply::NoError ||
            !isSuccess(statusOf(*reply))) {
            out.cancel();
            return false;
        }
        drain();
        return !failed && out.commit();
    }

    void abortPending() override {
        // Aborting finishes a reply at once, which ends its wait; copy the
        // list first, as the waits take their replies off it.
        const auto pending = pending_;
        for (const QPointer<QNetworkReply> &r : pending)
            if (r && !r->isFinished()) r->abort();
    }

    ~NetworkHttp() override { delete manager_.data(); }

private:
    // Owned by the application object as well, so that the one kept in a
    // static for the whole run is gone before the application is.
    QNetworkAccessManager &manager() {
        if (!manager_) manager_ = new QNetworkAccessManager(QCoreApplication::instance());
        return *manager_;
    }

    static QNetworkRequest request(const QString &url) {
        QNetworkRequest req(QUrl(url, QUrl::TolerantMode));
        req.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
        return req;
    }

    // Runs the event loop until the reply finishes, timeoutMs pass without
    // it or the run ends. With idleLimit the limit counts from the last
    // data that arrived, so a large file that keeps coming is not cut off.
    // onData takes each piece as it arrives, so that the reply never holds
    // more than its capped buffer.
    Wait waitFor(QNetworkReply &reply, int timeoutMs, bool idleLimit,
                 const std::function<void()> &onData) {
        if (runEnded()) return Wait::Ended;
        reply.setReadBufferSize(kReadBufferBytes);
        pending_.append(&reply);
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        // A coarse timer may fire a little early; the limit is a minimum wait.
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&reply, &QNetworkReply::readyRead, &loop, [&] {
            onData();
            if (idleLimit) timer.start();
        });
        timer.start(std::max(0, timeoutMs));
        {
            EndableWait endable([&loop] { loop.quit(); });
            while (!reply.isFinished() && timer.isActive() && !runEnded()) loop.exec();
        }
        QObject::disconnect(&reply, nullptr, &loop, nullptr);
        pending_.removeAll(&reply);
        if (reply.isFinished()) return Wait::Finished;
        return runEnded() ? Wait::Ended : Wait::TimedOut;
    }

    QPointer<QNetworkAccessManager> manager_;
    QList<QPointer<QNetworkReply>> pending_;
};

std::unique_ptr<Http> &installed() {
    static std::unique_ptr<Http> h;
    return h;
}

} // namespace

std::unique_ptr<Http> makeNetworkHttp() {
    return std::make_unique<NetworkHttp>();
}

Http &http() {
    auto &h = installed();
    if (!h) h = makeNetworkHttp();
    return *h;
}

void setHttp(std::unique_ptr<Http> h) {
    installed() = std::move(h);
}

} // namespace platform
