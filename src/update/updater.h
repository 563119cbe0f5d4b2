#pragma once
// The question-bank update without its window: the online version check,
// the question, the downloads, the new version file, the hand-over of a new
// program to the external updater and the end of the run. Everything it
// reaches outside itself is passed in (HTTP client, file system, prompt,
// process start, program end, error report), so tests drive it with a
// fake or a real server on this machine and no window.
//
// A download never damages a file: the platform's download replaces a file
// only when it arrived whole. The version advances only when every file
// tried arrived, so that the next check tries the missing ones again.
#include "platform/http.h"
#include "update/update_list.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace update {

// The file system as the update uses it. Paths are the program's own
// (any letter case, see platform::resolvePath).
class UpdateFiles {
public:
    virtual ~UpdateFiles() = default;
    // Modification time (local time); nullopt when no such file.
    virtual std::optional<QDateTime> modified(const QString &path) = 0;
    virtual bool exists(const QString &path) = 0;
    // The file's bytes; nullopt when it cannot be read.
    virtual std::optional<QByteArray> readBytes(const QString &path) = 0;
    // Replaces the file with bytes, whole or not at all.
    virtual bool writeBytes(const QString &path, const QByteArray &bytes) = 0;
    // Writes one line and CR LF as the whole file, whole or not at all.
    virtual bool writeLine(const QString &path, const QString &line) = 0;
};
std::unique_ptr<UpdateFiles> makeDiskFiles();

// What the update works on. The window fills it from the run state.
struct UpdateConfig {
    QString host;               // "http://host:port"; empty: nothing is asked of any server
    QString programFolder;      // ending in "/"
    QString dataPath;           // the bank folder, ending in "/"
    QString subject;            // SubjectName
    QString bankVersion;        // the installed version
    QString bannerCode;         // InfoTable(12)
    QString programName;        // the running program's file name
    int listSeconds = 2;        // the version check's time limit, whole seconds
    int downloadIdleMs = 30000; // a download gives up after this long without data
    // The list is a few lines per file of the bank: anything longer is no
    // list, and is not read into memory.
    qint64 listMaxBytes = 1024 * 1024;
    // The banner comes while the window loads and holds up its first
    // showing: it gets less patience.
    int bannerIdleMs = 5000;
    int msIntoSecond = -1; // when the check starts within its second (-1: the clock's)
};

// Where the update keeps and finds its files.
QString savedListPath(const UpdateConfig &c);    // ksdata/288895.mxy
QString versionFilePath(const UpdateConfig &c);  // the bank's 288895.mxy
QString handoffFilePath(const UpdateConfig &c);  // uprun.dll
QString updaterPath(const UpdateConfig &c);      // qhitpk.rar
QString bannerPath(const UpdateConfig &c);       // ksdata/170100.mxy
QString instanceLockPath(const UpdateConfig &c); // ksdata/w7practice.lock
// The addresses on the server (empty without a host).
QString listUrl(const UpdateConfig &c);
QString bannerUrl(const UpdateConfig &c);

// What a check came to.
enum class Outcome {
    NoServer,     // no host configured: nothing asked
    TimedOut,     // no reply within the time limit
    HttpError,    // the server answered with an error status
    NoConnection, // the request failed (no server, connection refused)
    EmptyReply,   // a 2xx reply with no text
    ErrorReply,   // a reply beginning "error"
    NotAVersion,  // a reply that does not begin "20"
    CutOff,       // the server's reply broke off in its content
    TooLong,      // the server's reply is longer than any list
    UpToDate,     // the server's version is not newer
    Newer,        // the server's version is newer (the check goes on)
    ListFailed,   // the list could not be downloaded again
    ListChanged,  // the list downloaded again begins with another version line
    Declined,     // "No" at the question
    Updated,      // the files were fetched; the run ends
    Cancelled,    // the window was closed during a wait
};

struct CheckResult {
    Outcome outcome = Outcome::NoServer;
    QString serverVersion; // the first twelve characters of the version line, once read
    int httpStatus = 0;
    int tried = 0;
    int succeeded = 0;
    int rejected = 0; // list lines whose names were refused
    bool versionAdvanced = false;
    QString handoff; // the new program's path handed to the updater
};

// True for the outcomes in which the check got no answer from the server.
bool couldNotCheck(Outcome o);
// The window's text for the outcomes that leave it on screen.
QString outcomeText(const CheckResult &r);

struct UpdateHooks {
    // The question before the update; true for "Yes". The window hides
    // itself first.
    std::function<bool(const QString &prompt, const QString &title)> ask;
    // A message with OK alone.
    std::function<void(const QString &message)> tell;
    // Starts the external updater detached; false when it did not start.
    std::function<bool(const QString &program)> startProcess;
    std::function<void()> endProgram;
    // The error report: tag, number, text.
    std::function<void(const QString &, int32_t, const QString &)> report;
};

class Updater {
public:
    Updater(platform::Http &http, UpdateFiles &files, UpdateHooks hooks, UpdateConfig config);

    // Downloads the home page's banner into bannerPath; false when it did
    // not arrive (the old banner stays) or no host is configured. It never
    // takes longer than bannerIdleMs, even when its data keeps trickling.
    bool fetchBanner();
    // The check and, when the server is newer and the user agrees, the
    // update; the run ends after an update.
    CheckResult check();
    // Ends the request waiting now; the check then does nothing more.
    void cancel();
    // Cancelled, or the run ended: either way nothing more is done.
    bool cancelled() const;

    const UpdateConfig &config() const { return config_; }

    static const QString kPrompt;
    static const QString kPromptTitle;

private:
    CheckResult askServer();
    // list: the list as downloaded again, read and compared; lines: its lines.
    void applyList(CheckResult &r, const QByteArray &list, const QStringList &lines);
    void handOver(const QString &newProgram);
    void report(int32_t number, const QString &text);

    platform::Http &http_;
    UpdateFiles &files_;
    UpdateHooks hooks_;
    UpdateConfig config_;
    QString versionLine_; // the server's version line, as the check read it
    bool cancelled_ = false;
};

} // namespace update
