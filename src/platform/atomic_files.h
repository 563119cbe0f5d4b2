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
#include <QByteArray>
#include <QString>
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
};
// Replaces every file with its bytes, all of one folder, together. False
// when the group could not be written: every old file is then as it was.
// In one case the group is written only in part: when, after the journal is
// in place, the folder refuses a rename (a disk gone bad under the run).
// The result is false and the journal stays, so the next start finishes it.
bool replaceTogether(const std::vector<FileBytes> &files);

// What recoverFolder found: a journal finished, one dropped (not a whole
// journal), temporary files removed, and whether everything it tried worked.
struct Recovery {
    int finished = 0;
    int dropped = 0;
    int removed = 0;
    bool ok = true;
};
// For the start of a run, before any file of the folder is read: finishes
// a journal in place, then removes the writer's temporary files. While a
// journal cannot be finished its temporary files are kept for the next try.
Recovery recoverFolder(const QString &folder);

} // namespace platform
