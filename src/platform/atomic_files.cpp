#include "platform/atomic_files.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

const QString kTempMarker = QStringLiteral(".w7tmp-");
const QByteArray kJournalHeader = "w7files 1";

QByteArray native(const QString &path) {
    return QFile::encodeName(path);
}

QString temporaryPathFor(const QString &path) {
    return path + kTempMarker +
           QStringLiteral("%1").arg(QRandomGenerator::system()->generate64(), 16, 16,
                                    QLatin1Char('0'));
}

bool writeAll(int fd, const char *data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= n;
    }
    return true;
}

// A file that must not exist yet gets the bytes, reaches the disk and is
// closed, each step checked; a file that failed is removed again.
bool writeNewFile(const QString &path, const QByteArray &bytes, mode_t mode) {
    const QByteArray p = native(path);
    const int fd = ::open(p.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok =
        (mode == 0 || ::fchmod(fd, mode) == 0) && writeAll(fd, bytes.constData(), bytes.size());
    ok = ok && ::fsync(fd) == 0;
    // A close that fails may be the first word of a write that never
    // reached the disk (network file systems say it only there).
    ok = ::close(fd) == 0 && ok;
    if (!ok) ::unlink(p.constData());
    return ok;
}

// The renames in a folder reach the disk. A file system that has nothing
// to sync for a folder says EINVAL; that is no failure.
bool syncFolder(const QString &folder) {
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

bool renameOver(const QString &from, const QString &to) {
    return ::rename(native(from).constData(), native(to).constData()) == 0;
}

void removeFile(const QString &path) {
    ::unlink(native(path).constData());
}

// The permission bits the new file takes over from the old one (0: none to
// take, the new file gets the usual ones); false when the old file may not
// be written, which a replacement must respect as the old writer did.
bool modeToKeep(const QString &path, mode_t &mode) {
    mode = 0;
    struct stat st {};
    if (::stat(native(path).constData(), &st) != 0) return errno == ENOENT;
    if (!S_ISREG(st.st_mode)) return false;
    if (::access(native(path).constData(), W_OK) != 0) return false;
    mode = st.st_mode & 07777;
    return true;
}

struct Rename {
    QString from, to; // file names in the folder
};

// The journal's lines: its header, one "temporary<TAB>final" line per file,
// and "end <count>", so that a journal cut short is never taken as whole.
QByteArray journalText(const std::vector<Rename> &renames) {
    QByteArray text = kJournalHeader + '\n';
    for (const Rename &r : renames) text += r.from.toUtf8() + '\t' + r.to.toUtf8() + '\n';
    text += "end " + QByteArray::number(static_cast<qsizetype>(renames.size())) + '\n';
    return text;
}

// A plain name of a file in the folder, nothing that leads elsewhere.
bool isPlainName(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

// The renames of a whole journal; false for anything else. Only renames of
// a temporary file onto the name it was made for are accepted, so a damaged
// journal can never move any other file.
bool parseJournal(const QByteArray &text, std::vector<Rename> &renames) {
    if (!text.endsWith('\n')) return false;
    const QList<QByteArray> lines = text.left(text.size() - 1).split('\n');
    if (lines.size() < 2 || lines.first() != kJournalHeader) return false;
    const QByteArray end = lines.last();
    if (end != "end " + QByteArray::number(lines.size() - 2)) return false;
    renames.clear();
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> names = lines[i].split('\t');
        if (names.size() != 2) return false;
        const Rename r{QString::fromUtf8(names[0]), QString::fromUtf8(names[1])};
        if (!isPlainName(r.from) || !isPlainName(r.to) || !isTemporaryName(r.from) ||
            !r.from.startsWith(r.to + kTempMarker))
            return false;
        renames.push_back(r);
    }
    return true;
}

QString folderOf(const QString &resolvedPath) {
    return QFileInfo(resolvedPath).absolutePath();
}

QString inFolder(const QString &folder, const QString &name) {
    return folder + QLatin1Char('/') + name;
}

enum class JournalState { None, Finished, Dropped, Failed };

// Finishes the journal of a folder: its renames done and on the disk, then
// the journal removed. A journal that is not whole is removed unread.
JournalState finishJournal(const QString &folder) {
    const QString journal = inFolder(folder, QString::fromLatin1(kJournalName));
    QFile file(journal);
    if (!file.exists()) return JournalState::None;
    if (!file.open(QIODevice::ReadOnly)) return JournalState::Failed;
    const QByteArray text = file.readAll();
    const bool readOk = file.error() == QFileDevice::NoError;
    file.close();
    if (!readOk) return JournalState::Failed;
    std::vector<Rename> renames;
    if (!parseJournal(text, renames)) {
        removeFile(journal);
        return QFile::exists(journal) ? JournalState::Failed : JournalState::Dropped;
    }
    bool ok = true;
    // A temporary file that is gone was renamed before the run ended.
    for (const Rename &r : renames)
        if (QFileInfo::exists(inFolder(folder, r.from)))
            ok = renameOver(inFolder(folder, r.from), inFolder(folder, r.to)) && ok;
    if (!ok || !syncFolder(folder)) return JournalState::Failed;
    removeFile(journal);
    return JournalState::Finished;
}

} // namespace

bool isTemporaryName(const QString &fileName) {
    static const QRegularExpression pattern(QStringLiteral("^.+\\.w7tmp-[0-9a-f]{16}$"));
    return pattern.match(fileName).hasMatch();
}

bool replaceFile(const QString &path, const QByteArray &bytes) {
    const QString target = resolvePath(path);
    // A group the run could not finish would otherwise overwrite this file
    // with its older bytes at the next start.
    if (finishJournal(folderOf(target)) == JournalState::Failed) return false;
    mode_t mode = 0;
    if (!modeToKeep(target, mode)) return false;
    const QString temporary = temporaryPathFor(target);
    if (!writeNewFile(temporary, bytes, mode)) return false;
    if (!renameOver(temporary, target)) {
        removeFile(temporary);
        return false;
    }
    // The new file is in place; a folder that cannot be synced can only
    // lose the rename in a crash, which leaves the old file, never a torn one.
    syncFolder(folderOf(target));
    return true;
}

FileReplacement::FileReplacement(const QString &path) : target_(resolvePath(path)) {
    mode_t mode = 0;
    if (!modeToKeep(target_, mode)) return;
    temporary_ = temporaryPathFor(target_);
    fd_ = ::open(native(temporary_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0 && mode != 0 && ::fchmod(fd_, mode) != 0) cancel();
}

FileReplacement::~FileReplacement() {
    cancel();
}

bool FileReplacement::write(const char *data, qsizetype size) {
    if (fd_ < 0) return false;
    if (!writeAll(fd_, data, size)) {
        cancel();
        return false;
    }
    written_ += size;
    return true;
}

void FileReplacement::cancel() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    removeFile(temporary_);
}

bool FileReplacement::commit() {
    if (fd_ < 0) return false;
    const int fd = std::exchange(fd_, -1);
    bool ok = ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && finishJournal(folderOf(target_)) != JournalState::Failed;
    if (!ok || !renameOver(temporary_, target_)) {
        removeFile(temporary_);
        return false;
    }
    syncFolder(folderOf(target_));
    return true;
}

bool replaceTogether(const std::vector<FileBytes> &files) {
    if (files.empty()) return true;
    if (files.size() == 1) return replaceFile(files.front().path, files.front().bytes);

    std::vector<QString> targets;
    for (const FileBytes &f : files) targets.push_back(resolvePath(f.path));
    const QString folder = folderOf(targets.front());
    for (const QString &t : targets)
        if (folderOf(t) != folder || std::count(targets.begin(), targets.end(), t) != 1)
            return false;
    // An earlier group the run could not finish goes first: its journal
    // would otherwise be replaced by this one before its renames are done.
    if (finishJournal(folder) == JournalState::Failed) return false;

    std::vector<Rename> renames;
    const auto dropNewFiles = [&] {
        for (const Rename &r : renames) removeFile(inFolder(folder, r.from));
    };
    for (size_t i = 0; i < files.size(); ++i) {
        mode_t mode = 0;
        const QString temporary = temporaryPathFor(targets[i]);
        if (!modeToKeep(targets[i], mode) || !writeNewFile(temporary, files[i].bytes, mode)) {
            dropNewFiles();
            return false;
        }
        renames.push_back({QFileInfo(temporary).fileName(), QFileInfo(targets[i]).fileName()});
    }

    const QString journal = inFolder(folder, QString::fromLatin1(kJournalName));
    const QString journalTemporary = temporaryPathFor(journal);
    if (!writeNewFile(journalTemporary, journalText(renames), 0)) {
        dropNewFiles();
        return false;
    }
    if (!renameOver(journalTemporary, journal)) {
        removeFile(journalTemporary);
        dropNewFiles();
        return false;
    }
    // The group counts as written once the journal is surely on the disk;
    // until then it can still be taken back whole.
    if (!syncFolder(folder)) {
        removeFile(journal);
        dropNewFiles();
        return false;
    }

    bool renamed = true;
    for (const Rename &r : renames)
        renamed = renameOver(inFolder(folder, r.from), inFolder(folder, r.to)) && renamed;
    if (!renamed) return false;
    // Without the renames surely on the disk the journal stays: the next
    // start does them again, which changes nothing when they were there.
    if (syncFolder(folder)) removeFile(journal);
    return true;
}

Recovery recoverFolder(const QString &folder) {
    Recovery r;
    QString dir = resolvePath(folder);
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))) dir.chop(1);
    if (!QFileInfo(dir).isDir()) return r;
    switch (finishJournal(dir)) {
    case JournalState::Finished:
        ++r.finished;
        break;
    case JournalState::Dropped:
        ++r.dropped;
        break;
    case JournalState::Failed:
        r.ok = false;
        return r;
    case JournalState::None:
        break;
    }
    const QStringList names =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (!isTemporaryName(name)) continue;
        const QString path = inFolder(dir, name);
        removeFile(path);
        if (QFileInfo::exists(path))
            r.ok = false;
        else
            ++r.removed;
    }
    return r;
}

} // namespace platform
