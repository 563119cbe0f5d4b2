#include "update/updater.h"

#include "platform/atomic_files.h"
#include "platform/paths.h"
#include "platform/run_end.h"
#include "platform/system.h"
#include "platform/text.h"
#include "startup/services.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

namespace update {

namespace {

class DiskFiles : public UpdateFiles {
public:
    std::optional<QDateTime> modified(const QString &path) override {
        const QFileInfo info(platform::resolvePath(path));
        if (!info.isFile()) return std::nullopt;
        return info.lastModified();
    }

    bool exists(const QString &path) override { return platform::fileExists(path); }

    // Only the saved list is read, which arrives up to the same limit.
    std::optional<QByteArray> readBytes(const QString &path) override {
        return platform::readFileBytes(platform::resolvePath(path), platform::readlimit::kRecord);
    }

    bool writeBytes(const QString &path, const QByteArray &bytes) override {
        return platform::replaceFile(path, bytes);
    }

    bool writeLine(const QString &path, const QString &line) override {
        return platform::writeLinesAtomic(path, {line});
    }
};

bool isSuccessStatus(int status) {
    return status >= 200 && status < 300;
}

QString firstLine(const QString &text) {
    return platform::trimBlanks(text.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0));
}

} // namespace

std::unique_ptr<UpdateFiles> makeDiskFiles() {
    return std::make_unique<DiskFiles>();
}

QString savedListPath(const UpdateConfig &c) {
    return c.programFolder + QStringLiteral("ksdata/288895.mxy");
}

QString versionFilePath(const UpdateConfig &c) {
    return c.dataPath + QStringLiteral("288895.mxy");
}

QString handoffFilePath(const UpdateConfig &c) {
    return c.programFolder + QStringLiteral("uprun.dll");
}

QString updaterPath(const UpdateConfig &c) {
    return c.programFolder + QStringLiteral("qhitpk.rar");
}

QString instanceLockPath(const UpdateConfig &c) {
    return c.programFolder + QStringLiteral("ksdata/") +
           platform::lockFileName(QLatin1String(startup::kInstanceLockName));
}

QString bannerPath(const UpdateConfig &c) {
    return c.programFolder + QStringLiteral("ksdata/170100.mxy");
}

namespace {

QString addressPrefix(const UpdateConfig &c) {
    return c.host + QStringLiteral("/up/qkwfb/") + encodeSegment(c.subject) + QLatin1Char('/');
}

} // namespace

QString listUrl(const UpdateConfig &c) {
    if (c.host.isEmpty()) return {};
    return addressPrefix(c) + encodeSegment(bareFolderName(c.dataPath, c.programFolder)) +
           QStringLiteral("/288895.txt");
}

QString bannerUrl(const UpdateConfig &c) {
    if (c.host.isEmpty()) return {};
    return c.host + QStringLiteral("/up/ad/") + encodeSegment(c.bannerCode) +
           QStringLiteral("/170100.rar");
}

bool couldNotCheck(Outcome o) {
    switch (o) {
    case Outcome::NoServer:
    case Outcome::TimedOut:
    case Outcome::HttpError:
    case Outcome::NoConnection:
    case Outcome::EmptyReply:
    case Outcome::ErrorReply:
    case Outcome::NotAVersion:
    case Outcome::CutOff:
    case Outcome::TooLong:
        return true;
    default:
        return false;
    }
}

QString outcomeText(const CheckResult &r) {
    switch (r.outcome) {
    case Outcome::NoServer:
        return QStringLiteral("未设置升级服务器，无法检测题库版本。");
    case Outcome::TimedOut:
        return QStringLiteral("网络超时，无法检测题库版本，请稍后重试。");
    case Outcome::HttpError:
        return QStringLiteral("服务器出错（%1），无法检测题库版本。").arg(r.httpStatus);
    case Outcome::NoConnection:
        return QStringLiteral("无法连接升级服务器，无法检测题库版本。");
    case Outcome::EmptyReply:
        return QStringLiteral("服务器没有回复版本，无法检测题库版本。");
    case Outcome::ErrorReply:
        return QStringLiteral("服务器出错，无法检测题库版本。");
    case Outcome::NotAVersion:
        return QStringLiteral("服务器回复的版本有误，无法检测题库版本。");
    case Outcome::CutOff:
        return QStringLiteral("服务器回复传输中断，无法检测题库版本，请稍后重试。");
    case Outcome::TooLong:
        return QStringLiteral("服务器回复过长，无法检测题库版本。");
    case Outcome::UpToDate:
        return QStringLiteral("已是最新版本，无需升级。");
    case Outcome::ListFailed:
        return QStringLiteral("升级列表下载失败，请稍后重试。");
    case Outcome::ListChanged:
        return QStringLiteral("升级列表正在更新，请稍后重试。");
    case Outcome::Newer:
    case Outcome::Declined:
    case Outcome::Updated:
    case Outcome::Cancelled:
        break;
    }
    return {};
}

const QString Updater::kPrompt = QStringLiteral("题库有新文件，是否要进行升级？");
const QString Updater::kPromptTitle = QStringLiteral("升级软件");

Updater::Updater(platform::Http &http, UpdateFiles &files, UpdateHooks hooks, UpdateConfig config)
    : http_(http), files_(files), hooks_(std::move(hooks)), config_(std::move(config)) {}

void Updater::cancel() {
    cancelled_ = true;
    http_.abortPending();
}

bool Updater::cancelled() const {
    return cancelled_ || platform::runEnded();
}

void Updater::report(int32_t number, const QString &text) {
    if (hooks_.report) hooks_.report(QStringLiteral("tkup"), number, text);
}

bool Updater::fetchBanner() {
    if (config_.host.isEmpty()) return false;
    // The check waits for the banner: a banner that keeps trickling in is
    // given up at the limit, as one that does not come at all.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, [this] { http_.abortPending(); });
    deadline.start(config_.bannerIdleMs);
    return http_.download(bannerUrl(config_), bannerPath(config_), config_.bannerIdleMs);
}

CheckResult Updater::check() {
    CheckResult r = askServer();
    if (r.outcome != Outcome::Newer) return r;

    // The list is fetched again as the file the update then reads; a list
    // that failed to arrive or that changed meanwhile is not applied, so
    // that an older saved list never stands in for it.
    const QString saved = savedListPath(config_);
    const bool arrived =
        http_.download(listUrl(config_), saved, config_.downloadIdleMs, config_.listMaxBytes);
    const auto bytes = arrived ? files_.readBytes(saved) : std::nullopt;
    const QStringList lines = bytes ? platform::linesFromBytes(*bytes) : QStringList();
    if (cancelled())
        r.outcome = Outcome::Cancelled;
    else if (!arrived)
        r.outcome = Outcome::ListFailed;
    else if (lines.isEmpty() || platform::trimBlanks(lines.first()) != versionLine_)
        r.outcome = Outcome::ListChanged;
    if (r.outcome != Outcome::Newer) return r;

    if (!hooks_.ask || !hooks_.ask(kPrompt, kPromptTitle)) {
        r.outcome = Outcome::Declined;
        return r;
    }
    applyList(r, *bytes, lines);
    return r;
}

CheckResult Updater::askServer() {
    CheckResult r;
    if (config_.host.isEmpty()) return r;
    const int msIntoSecond = config_.msIntoSecond >= 0 ? config_.msIntoSecond
                                                       : QDateTime::currentDateTime().time().msec();
    const platform::HttpReply reply =
        http_.get(listUrl(config_), ModZCB::waitLimitMs(msIntoSecond, config_.listSeconds),
                  config_.listMaxBytes);
    if (cancelled()) {
        r.outcome = Outcome::Cancelled;
        return r;
    }
    if (reply.outcome == platform::HttpReply::Outcome::Timeout) {
        r.outcome = Outcome::TimedOut;
        return r;
    }
    if (reply.status != 0 && !isSuccessStatus(reply.status)) {
        r.outcome = Outcome::HttpError;
        r.httpStatus = reply.status;
        return r;
    }
    if (reply.outcome == platform::HttpReply::Outcome::CutOff ||
        reply.outcome == platform::HttpReply::Outcome::TooLong) {
        r.outcome = reply.outcome == platform::HttpReply::Outcome::CutOff ? Outcome::CutOff
                                                                          : Outcome::TooLong;
        r.httpStatus = reply.status;
        report(startup::err::HttpFailed, reply.error);
        return r;
    }
    if (reply.outcome != platform::HttpReply::Outcome::Ok) {
        r.outcome = Outcome::NoConnection;
        report(startup::err::HttpFailed,
               reply.error.isEmpty() ? startup::err::text(startup::err::HttpFailed) : reply.error);
        return r;
    }
    const QString text = platform::trimBlanks(platform::decodeGbk(reply.body));
    if (text.trimmed().isEmpty()) {
        r.outcome = Outcome::EmptyReply;
    } else if (text.startsWith(QStringLiteral("error"))) {
        r.outcome = Outcome::ErrorReply;
    } else if (!text.startsWith(QStringLiteral("20"))) {
        r.outcome = Outcome::NotAVersion;
    } else {
        r.serverVersion = platform::trimBlanks(text.left(12));
        r.outcome =
            isNewer(r.serverVersion, config_.bankVersion) ? Outcome::Newer : Outcome::UpToDate;
        versionLine_ = firstLine(text);
    }
    return r;
}

void Updater::applyList(CheckResult &r, const QByteArray &list, const QStringList &lines) {
    PlanContext context;
    context.programFolder = config_.programFolder;
    context.bankFolder = bareFolderName(config_.dataPath, config_.programFolder);
    context.addressPrefix = addressPrefix(config_);
    context.programName = config_.programName;
    // The update's own files: a list line naming one of them would have
    // the server's bytes taken for the version or the hand-over. Nor may a
    // line write the program's own bookkeeping: a journal in any folder it
    // writes would be finished as the writer's own at the next write
    // there, and the installation's lock decides who may run.
    context.reserved = {savedListPath(config_), versionFilePath(config_), handoffFilePath(config_),
                        instanceLockPath(config_)};
    for (const QChar letter : QStringLiteral("DKEM")) {
        const QString folder = folderFor(letter, context.bankFolder, QString());
        context.reserved << context.programFolder +
                                (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) +
                                QLatin1String(platform::kJournalName);
    }
    context.reserved << config_.dataPath + QLatin1String(platform::kJournalName);
    const UpdatePlan plan =
        planUpdate(lines, context, [this](const QString &p) { return files_.modified(p); });

    for (const RejectedLine &line : plan.rejected) {
        ++r.rejected;
        report(startup::err::InvalidCall,
               QStringLiteral("Unusable file name in the update list, line %1: %2")
                   .arg(line.lineNumber)
                   .arg(line.line));
    }

    QString newProgram;
    for (const PlannedFile &f : plan.files) {
        if (!f.fetch) continue;
        ++r.tried;
        const bool ok = http_.download(f.url, f.localPath, config_.downloadIdleMs);
        if (ok) {
            ++r.succeeded;
            if (f.isProgram) newProgram = f.localPath;
        }
        if (cancelled()) break;
    }

    // A version file that names files which did not arrive would stop the
    // next check from fetching them.
    if (!cancelled() && r.succeeded == r.tried) {
        // The list this check compared, not the saved file read again.
        r.versionAdvanced = files_.writeBytes(versionFilePath(config_), list);
        if (!r.versionAdvanced) report(startup::err::PathAccess, versionFilePath(config_));
    }
    if (cancelled()) {
        r.outcome = Outcome::Cancelled;
        return;
    }

    if (hooks_.tell) {
        hooks_.tell(
            QStringLiteral("已更新%1/%2文件。请重新打开软件！").arg(r.succeeded).arg(r.tried));
    }
    // Only a program that arrived whole in this run is handed over: an
    // older "_bak" would be installed over the running program.
    if (!newProgram.isEmpty()) handOver(newProgram);
    r.handoff = newProgram;
    r.outcome = Outcome::Updated;
    if (hooks_.endProgram) hooks_.endProgram();
}

void Updater::handOver(const QString &newProgram) {
    const QString handoff = handoffFilePath(config_);
    if (!files_.writeLine(handoff, platform::resolvePath(newProgram))) {
        report(startup::err::PathAccess, handoff);
        return;
    }
    const QString program = updaterPath(config_);
    if (!files_.exists(program)) {
        report(startup::err::FileNotFound,
               QStringLiteral("The updater %1 is missing").arg(program));
        return;
    }
    if (!hooks_.startProcess || !hooks_.startProcess(program))
        report(startup::err::FileNotFound,
               QStringLiteral("The updater %1 could not be started").arg(program));
}

} // namespace update
