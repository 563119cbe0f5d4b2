#include "platform/http.h"

#include "platform/paths.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace platform {

namespace {

struct ReplyDeleter {
    void operator()(QNetworkReply *r) const {
        if (!r) return;
        r->disconnect();
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

class NetworkHttp : public Http {
public:
    HttpReply get(const QString &url, int timeoutMs) override {
        HttpReply result;
        ReplyPtr reply(manager().get(request(url)));
        if (!waitFor(*reply, timeoutMs, nullptr)) {
            result.outcome = HttpReply::Outcome::Timeout;
            result.error = QStringLiteral("no reply within %1 ms").arg(timeoutMs);
            return result;
        }
        result.status = statusOf(*reply);
        if (reply->error() == QNetworkReply::NoError && isSuccess(result.status)) {
            result.outcome = HttpReply::Outcome::Ok;
            result.body = reply->readAll();
        } else {
            // An error page is no content: callers would read it as data.
            result.outcome = HttpReply::Outcome::Failed;
            result.error = result.status ? QStringLiteral("HTTP status %1").arg(result.status)
                                         : reply->errorString();
        }
        return result;
    }

    bool download(const QString &url, const QString &file, int timeoutMs) override {
        QSaveFile out(resolvePath(file));
        if (!out.open(QIODevice::WriteOnly)) return false;
        ReplyPtr reply(manager().get(request(url)));
        bool writeFailed = false;
        QNetworkReply *r = reply.get();
        auto drain = [&] {
            const QByteArray chunk = r->readAll();
            if (!writeFailed && out.write(chunk) != chunk.size()) {
                writeFailed = true;
                r->abort();
            }
        };
        const bool finished = waitFor(*reply, timeoutMs, drain);
        if (!finished || writeFailed || reply->error() != QNetworkReply::NoError ||
            !isSuccess(statusOf(*reply))) {
            out.cancelWriting();
            return false;
        }
        drain();
        return !writeFailed && out.commit();
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

    // Runs the event loop until the reply finishes or timeoutMs pass without
    // it. With onData the limit counts from the last data that arrived, so a
    // large file that keeps coming is not cut off. False on time-out.
    bool waitFor(QNetworkReply &reply, int timeoutMs, const std::function<void()> &onData) {
        pending_.append(&reply);
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        // A coarse timer may fire a little early; the limit is a minimum wait.
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        if (onData) {
            QObject::connect(&reply, &QNetworkReply::readyRead, &loop, [&] {
                onData();
                timer.start();
            });
        }
        timer.start(std::max(0, timeoutMs));
        while (!reply.isFinished() && timer.isActive()) loop.exec();
        QObject::disconnect(&reply, nullptr, &loop, nullptr);
        pending_.removeAll(&reply);
        return reply.isFinished();
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
