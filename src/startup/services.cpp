#include "startup/services.h"

#include "forms/error.h"
#include "platform/file_read.h"
#include "platform/http.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "startup/run_state.h"

#include <QFile>
#include <QSettings>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace startup {

namespace err {
QString text(int32_t number) {
    if (number == HttpFailed)
        return QStringLiteral("A connection with the server could not be established");
    return forms::errorText(number);
}
} // namespace err

void trapError(const QString &tag, int32_t number, const QString &text) {
    RunState &s = state();
    s.LastErrorProc = tag;
    s.LastErrorNumber = number;
    s.LastErrorText = text;
    ModZCB::SubmitError(s.LastErrorProc, s.LastErrorNumber, s.LastErrorText, QString());
}

forms::Trap::Handler reportingHandler() {
    return [](const QString &tag, const forms::Error &e) {
        trapError(tag, e.number(), e.description());
    };
}

void trapError(const QString &tag, int32_t number) {
    trapError(tag, number, err::text(number));
}

namespace {
std::function<QDateTime()> &nowOverride() {
    static std::function<QDateTime()> f;
    return f;
}
} // namespace

QDateTime localNow() {
    if (nowOverride()) return nowOverride()();
    return QDateTime::currentDateTime();
}

void setLocalNowForTests(std::function<QDateTime()> now) {
    nowOverride() = std::move(now);
}

QString errorEndpointHost() {
    return configuredHost(QStringLiteral("ErrorReport"));
}

QString configuredHost(const QString &group) {
    const QString file = platform::resolvePath(platform::programFolder() + kInstallConfigFile);
    // QSettings opens the file itself: a pipe or a device there would hold
    // or flood it, so the file is looked at first, as every file read is.
    if (platform::fileFault(file, platform::readlimit::kSettings) != platform::ReadFault::None)
        return {};
    QSettings ini(file, QSettings::IniFormat);
    QString host = ini.value(group + QStringLiteral("/Host")).toString().trimmed();
    if (host.isEmpty()) return {};
    if (!host.contains(QStringLiteral("://"))) host.prepend(QStringLiteral("http://"));
    while (host.endsWith(QLatin1Char('/'))) host.chop(1);
    return host;
}

} // namespace startup

namespace ModZCB {

using startup::state;

const QString kTimeoutText = QStringLiteral("error-timeout，网络状况不好，请重试！");

namespace {

// The text as stored by a text kind: as many GBK bytes as the text has
// characters, without splitting a double-byte character.
QString cutToCharCount(const QString &text) {
    const qsizetype limit = text.size();
    qsizetype used = 0;
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        // Keep surrogate pairs together: they are one character on disk.
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        const qsizetype bytes = platform::encodeGbk(ch).size();
        if (used + bytes > limit) break;
        used += bytes;
        out += ch;
        i += len;
    }
    return out;
}

constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;

QString fetch(const QString &url, int seconds, bool reporting) {
    const platform::HttpReply reply =
        platform::http().get(url, waitLimitMs(startup::localNow().time().msec(), seconds));
    if (reply.outcome == platform::HttpReply::Outcome::Timeout) return kTimeoutText;
    // A reply with an error status is no content: callers stop on the
    // "error" prefix instead of taking an error page for the answer.
    if (reply.status != 0 && (reply.status < 200 || reply.status > 299))
        return QStringLiteral("error-http") + QString::number(reply.status);
    if (reply.outcome == platform::HttpReply::Outcome::Failed) {
        if (!reporting) {
            startup::trapError(QStringLiteral("getHtmlStr"), startup::err::HttpFailed,
                               reply.error.isEmpty() ? startup::err::text(startup::err::HttpFailed)
                                                     : reply.error);
        }
        return {};
    }
    return platform::trimBlanks(platform::decodeGbk(reply.body));
}

} // namespace

int waitLimitMs(int msIntoSecond, int seconds) {
    // The wait ends once more than `seconds` whole-second boundaries have
    // passed since the request went out.
    return (seconds + 1) * 1000 - msIntoSecond;
}

long SetRegValue(long root, const QString &subKey, const QString &valueName, int kind,
                 QVariant &value, long &byteCount) {
    if (root != HKEY_CURRENT_USER) return kInvalidHandle;
    QString stored;
    switch (kind) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const QString text = value.toString();
        byteCount = static_cast<long>(text.size());
        stored = cutToCharCount(text);
        break;
    }
    case REG_DWORD: {
        const auto n = static_cast<int32_t>(value.toLongLong());
        byteCount = 4;
        value = n;
        stored = QString::number(n);
        break;
    }
    case REG_BINARY: {
        const auto n = static_cast<int32_t>(value.toLongLong());
        value = n;
        const long len = std::clamp(byteCount, 0L, 4L);
        QStringList bytes;
        for (long i = 0; i < len; ++i)
            bytes << QStringLiteral("%1").arg((static_cast<uint32_t>(n) >> (8 * i)) & 0xFF, 2, 16,
                                              QLatin1Char('0'));
        stored = QStringLiteral("hex:") + bytes.join(QLatin1Char(','));
        break;
    }
    default:
        return 0;
    }
    return platform::registry().setValue(subKey, valueName, stored) ? 0 : kAccessDenied;
}

QString getHtmlStr(const QString &url, int seconds) {
    return fetch(url, seconds, false);
}

QString errorReportUrl(const QString &host, const QString &tag, int32_t number, const QString &text,
                       const QString &extra) {
    const auto enc = [](const QString &v) {
        return QString::fromLatin1(QUrl::toPercentEncoding(v));
    };
    const startup::RunState &s = state();
    return host + QStringLiteral("/up/error/submit.asp") + QStringLiteral("?pronm=") +
           enc(s.SubjectName) + QStringLiteral("&pver=") + enc(s.BankVersion) +
           QStringLiteral("&osver=") + enc(s.OsVersion) + QStringLiteral("&errsub=") + enc(tag) +
           QStringLiteral("&errno=") + QString::number(number) + QStringLiteral("&errdescript=") +
           enc(text + extra);
}

void SubmitError(const QString &tag, int32_t number, const QString &text, const QString &extra) {
    // Copies: the shared error fields may change while the report waits.
    const QString tagCopy = tag, textCopy = text, extraCopy = extra;
    const QString host = startup::errorEndpointHost();
    if (!host.isEmpty()) fetch(errorReportUrl(host, tagCopy, number, textCopy, extraCopy), 1, true);
    const startup::RunState &s = state();
    const QString log = QStringLiteral("软件运行提示:") + tagCopy + textCopy +
                        QStringLiteral("\r\n") + QStringLiteral("系统版本:") + s.OsVersion +
                        QStringLiteral(",软件版本:") + s.BankVersion + QStringLiteral(",") +
                        QString::number(number) + QStringLiteral("\r\n");
    iWriteLog(s.RunLogPath, log);
}

void iWriteLog(const QString &path, const QString &text) {
    if (path.isEmpty()) return;
    // Appended to a regular file of this name only. The name is foreseeable
    // and ksdata may be shared: a link planted there (or a second name of
    // another file) would have the log appended to any file the user may
    // write, so it is not followed, and a pipe is never written (nor waited
    // for). Such a log is given up for the run, once, said where someone
    // looking into the run can see it.
    static std::set<QString> refused;
    const QString resolved = platform::resolvePath(path);
    if (refused.count(resolved)) return;
    const auto refuse = [&resolved] {
        refused.insert(resolved);
        std::fprintf(stderr,
                     "w7practice: the run log %s is a link or no regular file of its own; "
                     "this run writes no log\n",
                     QFile::encodeName(resolved).constData());
    };
    const QByteArray p = QFile::encodeName(resolved);
    const int fd = ::open(
        p.constData(),
        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == ELOOP || errno == ENXIO || errno == EISDIR) refuse();
        return;
    }
    QFile f;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink <= 1;
    if (!regular) refuse();
    if (!regular ||
        !f.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return;
    }
    const QString stamp = startup::localNow().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    f.write(platform::encodeGbk(QStringLiteral("\r\n") + stamp + QStringLiteral("\r\n") +
                                platform::trimBlanks(text) + QStringLiteral("\r\n")));
}

} // namespace ModZCB
