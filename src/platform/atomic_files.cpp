#include "platform/atomic_files.h"

#include "platform/file_read.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

const QString kTempMarker = QStringLiteral(".w7tmp-");
const QString kSetAsideMarker = QStringLiteral(".unreadable-");
const QByteArray kJournalHeader = "w7files 2";
const QByteArray kJournalHeaderWithoutBonds = "w7files 1";

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

bool unlinkOrGone(const QString &path) {
    return ::unlink(native(path).constData()) == 0 || errno == ENOENT;
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
    int bond = 0;     // 0: a file of its own
    // A bonded file: the second name of its old file, kept until the bond's
    // renames are done, or an empty stand-in when there was no old file.
    QString kept{};
    bool hadFile = true;
};

// The journal's lines: its header, one line per file, and "end <count>", so
// that a journal cut short is never taken as whole. A file of its own is
// "temporary<TAB>final"; a bonded one adds "<TAB>bond<TAB>kept<TAB>old" or
// "...<TAB>none" when there was no old file.
QByteArray journalText(const std::vector<Rename> &renames) {
    QByteArray text = kJournalHeader + '\n';
    for (const Rename &r : renames) {
        text += r.from.toUtf8() + '\t' + r.to.toUtf8();
        if (r.bond > 0)
            text += '\t' + QByteArray::number(r.bond) + '\t' + r.kept.toUtf8() +
                    (r.hadFile ? "\told" : "\tnone");
        text += '\n';
    }
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
    // A journal the last version left has no bonds.
    const bool bonds = !lines.isEmpty() && lines.first() == kJournalHeader;
    if (lines.size() < 2 || (!bonds && lines.first() != kJournalHeaderWithoutBonds)) return false;
    const QByteArray end = lines.last();
    if (end != "end " + QByteArray::number(lines.size() - 2)) return false;
    const auto madeFor = [](const QString &temporary, const QString &name) {
        return isPlainName(temporary) && isTemporaryName(temporary) &&
               temporary.startsWith(name + kTempMarker);
    };
    renames.clear();
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        if (fields.size() != 2 && !(bonds && fields.size() == 5)) return false;
        Rename r{QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1])};
        if (!isPlainName(r.to) || !madeFor(r.from, r.to)) return false;
        if (fields.size() == 5) {
            bool number = false;
            r.bond = fields[2].toInt(&number);
            r.kept = QString::fromUtf8(fields[3]);
            r.hadFile = fields[4] == "old";
            if (!number || r.bond <= 0 || !madeFor(r.kept, r.to) || r.kept == r.from ||
                (fields[4] != "old" && fields[4] != "none"))
                return false;
        }
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

// Something is there under the name, a link that leads nowhere too.
bool isThere(const QString &path) {
    struct stat st {};
    return ::lstat(native(path).constData(), &st) == 0;
}

// A second name for the old file at path, for putting it back: a hard
// link, or a copy where the folder makes no links (a FAT stick, a file
// mounted over), read as any file of the program is read, within the
// largest limit of any kind; an empty stand-in when there is no old file.
// False when it could not be made (nothing is left of it then).
bool keepOldFile(const QString &path, const QString &kept, mode_t mode, bool &hadFile) {
    hadFile = isThere(path);
    if (!hadFile) return writeNewFile(kept, {}, 0);
    if (::link(native(path).constData(), native(kept).constData()) == 0) return true;
    const auto bytes = readFileBytes(path, readlimit::kBankText);
    return bytes && writeNewFile(kept, *bytes, mode);
}

// The folders whose journal this run could not settle: each is settled
// again before anything of it is written.
std::set<QString> &unsettledFolders() {
    static std::set<QString> folders;
    return folders;
}

// What settling a folder's journal did.
struct Settlement {
    bool found = false;
    bool readable = true;
    // False while a journal stays that could still bring a dropped new
    // file into place (it could be neither removed nor set aside).
    bool settled = true;
    int renamed = 0;
    QStringList notSaved; // names in the folder
};

// A bond given up: each of its files goes back to its old file, the one
// whose rename was refused first. Taking away that file's second name is
// what marks the bond as given up, so it comes before any temporary file
// is dropped: a start after a kill at any point here finds the mark and
// gives the bond up again, never mistaking a dropped file for a renamed one.
// Named: the files that are as they were; one renamed that cannot be put
// back is new and not named.
void giveUpBond(const QString &folder, const std::vector<Rename> &renames, int bond,
                qsizetype refused, std::vector<bool> &renamed, bool atStart, Settlement &s,
                bool &dropFailed) {
    std::vector<qsizetype> order{refused};
    for (qsizetype i = 0; i < qsizetype(renames.size()); ++i)
        if (renames[i].bond == bond && i != refused) order.push_back(i);
    for (const qsizetype i : order) {
        const Rename &r = renames[i];
        const QString from = inFolder(folder, r.from), to = inFolder(folder, r.to);
        const QString kept = inFolder(folder, r.kept);
        // At the start a temporary file that is gone was renamed.
        const bool wasRenamed = atStart ? !isThere(from) : renamed[i];
        bool asItWas = true;
        if (isThere(kept)) {
            // A file not renamed is put back as well: from its own second
            // name that changes nothing, from a copy the same bytes.
            const bool back = r.hadFile ? renameOver(kept, to) : !wasRenamed || unlinkOrGone(to);
            asItWas = back || !wasRenamed;
            removeFile(kept);
        }
        renamed[i] = renamed[i] && !asItWas;
        removeFile(from);
        dropFailed = dropFailed || isThere(from);
        if (asItWas) s.notSaved << r.to;
    }
}

// The renames of a whole journal, every one that can be done; a new file
// whose rename is refused is dropped and named, and so are the other files
// of its bond, each put back to its old file. In the run a temporary file
// that is gone was taken away under the writer (a second copy's start):
// its rename is refused. Then the journal goes, once the renames are surely
// on the disk; without that it stays, so the next start does them again,
// unless a dropped new file is still there, which it would bring in after
// all. The second names of the old files go with the journal, not before:
// a journal whose bond has lost one means a bond given up.
void finishRenames(const QString &folder, const std::vector<Rename> &renames, Settlement &s,
                   bool atStart) {
    bool dropFailed = false;
    std::vector<bool> renamed(renames.size(), false);
    std::set<int> givenUp;
    // A kill while a bond was given up: it is given up again, whole.
    if (atStart)
        for (qsizetype i = 0; i < qsizetype(renames.size()); ++i) {
            const Rename &r = renames[i];
            if (r.bond > 0 && !givenUp.count(r.bond) && !isThere(inFolder(folder, r.kept))) {
                givenUp.insert(r.bond);
                giveUpBond(folder, renames, r.bond, i, renamed, atStart, s, dropFailed);
            }
        }
    for (qsizetype i = 0; i < qsizetype(renames.size()); ++i) {
        const Rename &r = renames[i];
        if (r.bond > 0 && givenUp.count(r.bond)) continue;
        const QString from = inFolder(folder, r.from);
        const bool there = isThere(from);
        if (!there && atStart) continue;
        if (there && renameOver(from, inFolder(folder, r.to))) {
            renamed[i] = true;
            continue;
        }
        if (r.bond > 0) {
            givenUp.insert(r.bond);
            giveUpBond(folder, renames, r.bond, i, renamed, atStart, s, dropFailed);
            continue;
        }
        removeFile(from);
        dropFailed = dropFailed || isThere(from);
        s.notSaved << r.to;
    }
    s.renamed = static_cast<int>(std::count(renamed.begin(), renamed.end(), true));
    const QString journal = inFolder(folder, QString::fromLatin1(kJournalName));
    if (syncFolder(folder) || dropFailed) removeFile(journal);
    s.settled = !dropFailed || !isThere(journal);
    if (!isThere(journal))
        for (const Rename &r : renames)
            if (r.bond > 0) removeFile(inFolder(folder, r.kept));
}

// The folder's temporary files, the journal's own left out: the names of
// the files they were made for, as the files are dropped.
QStringList dropTemporaryFiles(const QString &folder, bool journalsToo, int *removed, bool *ok) {
    QStringList names;
    const QString journalTemporary = QString::fromLatin1(kJournalName) + kTempMarker;
    const QStringList entries =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : entries) {
        if (!isTemporaryName(name)) continue;
        const bool journalOwn = name.startsWith(journalTemporary);
        if (journalOwn && !journalsToo) continue;
        const QString path = inFolder(folder, name);
        removeFile(path);
        if (isThere(path)) {
            if (ok) *ok = false;
        } else if (removed) {
            ++*removed;
        }
        // A file of a bond may have two: its new file and its old one's second name.
        const QString made = name.left(name.size() - kTempMarker.size() - 16);
        if (!journalOwn && !names.contains(made)) names << made;
    }
    return names;
}

// A journal that cannot be read goes out of the way, never lost: a link
// is removed (what it leads to stays), anything else is renamed beside
// itself. Its new files cannot be told from others: every temporary file
// of the folder is dropped and named.
void setAside(const QString &folder, Settlement &s) {
    const QString journal = inFolder(folder, QString::fromLatin1(kJournalName));
    struct stat st {};
    bool moved = false;
    if (::lstat(native(journal).constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        moved = ::unlink(native(journal).constData()) == 0;
    } else {
        // The first free name: journals set aside earlier stay as they are.
        int n = 1;
        while (n < 1000 && isThere(journal + kSetAsideMarker + QString::number(n))) ++n;
        const QString aside = journal + kSetAsideMarker + QString::number(n);
        moved = !isThere(aside) && renameOver(journal, aside);
    }
    s.notSaved = dropTemporaryFiles(folder, false, nullptr, nullptr);
    syncFolder(folder);
    s.settled = moved;
}

// Settles the journal of a folder where groups are written, as the header
// says; nothing when there is none.
Settlement settleJournal(const QString &folder) {
    Settlement s;
    const QString journal = inFolder(folder, QString::fromLatin1(kJournalName));
    if (!isThere(journal)) {
        unsettledFolders().erase(folder);
        return s;
    }
    s.found = true;
    const auto text = readFileBytes(journal, readlimit::kJournal);
    std::vector<Rename> renames;
    if (text && parseJournal(*text, renames)) {
        finishRenames(folder, renames, s, true);
    } else {
        s.readable = false;
        setAside(folder, s);
    }
    if (s.settled)
        unsettledFolders().erase(folder);
    else
        unsettledFolders().insert(folder);
    return s;
}

// Before a single file is written: a folder whose journal this run could
// not settle is settled first, and nothing of it is written while that
// fails. Other folders hold no journal of this writer and are not looked at.
bool mayWriteIn(const QString &folder) {
    return unsettledFolders().count(folder) == 0 || settleJournal(folder).settled;
}

} // namespace

bool isTemporaryName(const QString &fileName) {
    // Checked to the true end of the name: a pattern's "$" would also take
    // a name that ends in a line feed after the digits.
    constexpr qsizetype kDigits = 16;
    const qsizetype marker = fileName.size() - kDigits - kTempMarker.size();
    if (marker < 1 || !QStringView(fileName).mid(marker).startsWith(kTempMarker)) return false;
    for (qsizetype i = fileName.size() - kDigits; i < fileName.size(); ++i) {
        const char16_t c = fileName[i].unicode();
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return false;
    }
    return true;
}

bool replaceFile(const QString &path, const QByteArray &bytes) {
    const QString target = resolvePath(path);
    if (!mayWriteIn(folderOf(target))) return false;
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
    ok = ok && mayWriteIn(folderOf(target_));
    if (!ok || !renameOver(temporary_, target_)) {
        removeFile(temporary_);
        return false;
    }
    syncFolder(folderOf(target_));
    return true;
}

bool replaceTogether(const std::vector<FileBytes> &files, QStringList *notSaved) {
    std::vector<QString> targets;
    for (const FileBytes &f : files) targets.push_back(resolvePath(f.path));
    const auto nothingSaved = [&] {
        if (notSaved)
            for (const QString &t : targets) *notSaved << t;
        return false;
    };
    if (files.empty()) return true;
    if (files.size() == 1)
        return replaceFile(targets.front(), files.front().bytes) || nothingSaved();

    const QString folder = folderOf(targets.front());
    for (const QString &t : targets)
        if (folderOf(t) != folder || std::count(targets.begin(), targets.end(), t) != 1)
            return nothingSaved();
    // A journal already there goes first (one this run could not settle,
    // or one no start has seen): this group's journal would otherwise
    // replace it before its renames are done.
    if (!settleJournal(folder).settled) return nothingSaved();

    std::vector<Rename> renames;
    const auto dropNewFiles = [&] {
        for (const Rename &r : renames) {
            removeFile(inFolder(folder, r.from));
            if (r.bond > 0) removeFile(inFolder(folder, r.kept));
        }
        return nothingSaved();
    };
    for (size_t i = 0; i < files.size(); ++i) {
        mode_t mode = 0;
        const QString temporary = temporaryPathFor(targets[i]);
        if (!modeToKeep(targets[i], mode) || !writeNewFile(temporary, files[i].bytes, mode))
            return dropNewFiles();
        renames.push_back({QFileInfo(temporary).fileName(), QFileInfo(targets[i]).fileName()});
        if (files[i].bond <= 0) continue;
        // The old file keeps a second name until the bond's renames are done.
        const QString kept = temporaryPathFor(targets[i]);
        Rename &r = renames.back();
        if (!keepOldFile(targets[i], kept, mode, r.hadFile)) return dropNewFiles();
        r.bond = files[i].bond;
        r.kept = QFileInfo(kept).fileName();
    }

    const QString journal = inFolder(folder, QString::fromLatin1(kJournalName));
    const QString journalTemporary = temporaryPathFor(journal);
    if (!writeNewFile(journalTemporary, journalText(renames), 0)) return dropNewFiles();
    if (!renameOver(journalTemporary, journal)) {
        removeFile(journalTemporary);
        return dropNewFiles();
    }
    // The group counts as written once the journal is surely on the disk;
    // until then it can still be taken back whole.
    if (!syncFolder(folder)) {
        removeFile(journal);
        return dropNewFiles();
    }

    Settlement done;
    finishRenames(folder, renames, done, false);
    if (!done.settled) unsettledFolders().insert(folder);
    if (notSaved)
        for (const QString &name : done.notSaved) *notSaved << inFolder(folder, name);
    return done.notSaved.isEmpty();
}

namespace {
QString withoutTrailingSlash(const QString &folder) {
    QString dir = resolvePath(folder);
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))) dir.chop(1);
    return dir;
}
} // namespace

Recovery recoverFolder(const QString &folder) {
    Recovery r;
    const QString dir = withoutTrailingSlash(folder);
    if (!QFileInfo(dir).isDir()) return r;
    const Settlement s = settleJournal(dir);
    if (s.found) ++(s.readable ? r.finished : r.setAside);
    r.notSaved = s.notSaved;
    r.othersSaved = s.renamed > 0;
    r.ok = s.settled;
    dropTemporaryFiles(dir, true, &r.removed, &r.ok);
    return r;
}

bool removeTemporaryFiles(const QString &folder) {
    const QString dir = withoutTrailingSlash(folder);
    if (!QFileInfo(dir).isDir()) return true;
    bool ok = true;
    dropTemporaryFiles(dir, true, nullptr, &ok);
    return ok;
}

} // namespace platform
