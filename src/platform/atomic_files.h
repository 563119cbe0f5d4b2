#pragma once
// Files replaced whole, so that a crash, a full disk or a failing disk
// never leaves a file torn or empty, and groups of files of one folder
// replaced together: all of them new, or all as they were, also when the
// program is killed in the middle.
//
// One file (replaceFile): the new bytes go to a temporary file beside the
// old one, named "<name>.w7tmp-<16 hex digits>". Every write, the sync to
// the disk and the close are checked; only then is the temporary file
// renamed over the old one. On any failure it is removed and the old file
// stays as it was. (QSaveFile is not used: its commit ignores a failed
// sync, and a full disk then leaves an empty file behind a true result.)
//
// A group (replaceTogether): every new file is written and synced beside
// its old one first. Then the list of renames, the journal, is written,
// synced and renamed into place as "w7files.journal": from that moment the
// group counts as written. Then each new file is renamed over its old one
// and the journal is removed. The next start calls recoverFolder, which
// finishes the renames of a journal in place and removes every temporary
// file, so the new files of a group whose journal never got in place are
// dropped and their old files stay.
//
// A journal in place is finished as far as it can be, in the run as at
// the start: every rename that can be done is done; a new file whose
// rename the folder refuses is dropped, and its file is named as not
// saved. In the run, a temporary file that is gone (a second copy's start
// took it away) counts as a refused rename; at the start it was renamed
// before the run ended.
//
// Files of a group may be bonded (a list and its flags): they end the
// group all new or all as they were. Before the journal, each old file of
// a bond gets a second name of the temporary shape (a hard link, or a copy
// where the folder makes no links; an empty stand-in where there was no
// file), listed in the journal. When a rename of the bond is refused, the
// bond is given up: the files already renamed are put back from their
// second names, the others dropped, and all of them named. Losing the
// refused file's second name is the mark of a bond given up, so that a
// kill in the middle leaves a journal the next start gives up the same
// way. Only when a file cannot be put back (its rename is refused too)
// does it stay new, unnamed. The second names go with the journal.
//
// A journal that cannot be read at all (no regular file, over its
// limit, not whole) is set aside: a link is removed (never what it leads
// to), anything else renamed to "w7files.journal.unreadable-<n>" (a
// folder is never deleted); the temporary files of the folder are dropped
// and their files named as not saved. Either way the journal is gone
// afterwards and the folder is written as before. Only the folders where
// groups are written (the ones recoverFolder and replaceTogether are given)
// ever hold a journal: a single file's replacement looks for none, so that
// a journal put anywhere else is never run.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform {

// The names this writer gives its temporary files: "<name>.w7tmp-" and 16
// lower-case hexadecimal digits. Nothing else in a folder has that shape.
bool isTemporaryName(const QString &fileName);
inline constexpr const char *kJournalName = "w7files.journal";

// Replaces the file at path (created when missing) with bytes. False when
// anything failed; the old file is then as it was. A file that exists but
// may not be written is not replaced.
bool replaceFile(const QString &path, const QByteArray &bytes);

// replaceFile for bytes that arrive in pieces (a download): each piece
// goes to the temporary file as it comes, so that no more than a piece is
// held in memory; commit then syncs and renames as replaceFile does. A
// replacement not committed (or destroyed first) removes its temporary
// file and leaves the old file as it was.
class FileReplacement {
public:
    explicit FileReplacement(const QString &path);
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    // False once anything failed (also when the temporary file could not
    // be made, or the old file may not be written).
    bool ok() const { return fd_ >= 0; }
    bool write(const char *data, qsizetype size);
    bool write(const QByteArray &bytes) { return write(bytes.constData(), bytes.size()); }
    qint64 written() const { return written_; }
    // True when the new file is in place.
    bool commit();
    void cancel();

private:
    QString target_;
    QString temporary_;
    int fd_ = -1;
    qint64 written_ = 0;
};

struct FileBytes {
    QString path;
    QByteArray bytes;
    // Files with the same bond above 0 are new together or old together.
    int bond = 0;
};
// Replaces every file with its bytes, all of one folder, together. True
// when every file is new. False when the group could not be written: every
// old file is then as it was. In one case the group is written only in
// part: when, after the journal is in place, the folder refuses a rename
// (an immutable file, a disk gone bad under the run, a temporary file taken
// away); the others are new, but for the files bonded with it, which are
// put back. notSaved (when given) gets the paths of the files left as they
// were.
bool replaceTogether(const std::vector<FileBytes> &files, QStringList *notSaved = nullptr);

// What recoverFolder found: a journal finished, one set aside (it could not
// be read), temporary files removed, the files whose new bytes a journal
// could not bring into place (names in the folder, as "288892.mxy"), whether
// other files of that journal were made new, and whether everything it
// tried worked (false: a journal still in place, or a temporary file that
// could not be removed).
struct Recovery {
    int finished = 0;
    int setAside = 0;
    int removed = 0;
    QStringList notSaved;
    bool othersSaved = false;
    bool ok = true;
};
// For the start of a run, before any file of the folder is read, in a
// folder where groups are written: settles a journal in place as said
// above, then removes the writer's temporary files.
Recovery recoverFolder(const QString &folder);
// For the start of a run in a folder where files are replaced one by one
// (downloads, the exercise files): removes the writer's temporary files, a
// journal's too, and looks for no journal. False when one could not be
// removed.
bool removeTemporaryFiles(const QString &folder);

} // namespace platform
