#pragma once
// The candidate's record files in the "ksdata" folder: favourites and the
// wrong-question book with their review flags, every paper's wrong list, the
// paper history and the units' progress. This is the one place that knows
// their formats, defaults and update rules; grading, the end of a practice
// set and the home page read and write them only through it.
//
// Every file is GBK text with CR LF, read whole and rewritten whole through
// the platform's atomic writer (platform/atomic_files.h), so a crash or a
// full disk leaves either the old or the new content, never a torn or
// empty file, and a write that failed says so. A missing file reads as its
// default. A file that exists but cannot be read is not the same: it reads
// as its default, is reported once (into the run log, also when found
// before the log is named) and told to the candidate once
// (record_message.h), and is held back for the rest of the run (never
// rewritten), so that a passing fault never turns into a candidate's lost
// favourites or progress. This holds for every file the candidate's work
// lives in, the options and the random papers as much as the records of
// grading, and for every reader, since all of them read through here. The
// one file of the folder read here that is no work of the candidate's,
// the banner's copy, is fetched again by the next update: one that cannot
// be read is only reported once into the run log, neither told nor held
// back.
//
// The files one action of the candidate writes (a grading, the end of a
// set, a draw or a delete of a random paper, a clearing) belong together:
// a list and its flags, the random papers with their histories and wrong
// lists. Such an action goes through a RecordAction, which makes them new
// together or leaves every one as it was, after a failed write as after a
// kill at any instant; the start of the next run finishes or drops an
// action that was under way (recoverRecords). A held-back file is left out
// of its action, and the rest of the action still commits. A file is read
// only when it is a regular file of at most 1 MiB (platform/file_read.h):
// a pipe, a device, a folder or a huge file in a record's place is a file
// that cannot be read. When the folder refuses a rename once the action's
// journal is in place, the other files are new and that one stays as it
// was; the action names it, and the pages of the run read it as it is. A
// list and its flags stay a pair even then: when the rename of one is
// refused, the other is put back, and the action names both.
#include "platform/atomic_files.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace panel {

// File names of the records (without folder and ".mxy").
namespace recname {
inline const QString Favourites = QStringLiteral("288862");
inline const QString FavouriteFlags = QStringLiteral("288872");
inline const QString WrongQuestions = QStringLiteral("288863");
inline const QString WrongFlags = QStringLiteral("288873");
inline const QString PaperHistory = QStringLiteral("288892");
inline const QString UnitProgress = QStringLiteral("288893");
inline const QString RandomPapers = QStringLiteral("288891");
inline const QString Options = QStringLiteral("288890");
// The banner's copy, which the update writes; not the candidate's.
inline const QString Banner = QStringLiteral("170100");
} // namespace recname

// "1824" and the paper slot as two digits ("182403" for slot 3).
QString paperWrongFileName(int slot);

// ---------------------------------------------------------------- code lists

// A code as four digits with leading zeros (105 -> "0105").
QString codeText(int code);
// Number of whole codes in a list (length \ 4).
int codeCount(const QString &list);
// Code i (1-based): characters 4i - 3 to 4i.
QString codeAt(const QString &list, int i);
// Position (1-based) of the first entry equal to code, 0 when none. Only
// whole entries count: "0105" is not found in "1010" + "5000".
int entryOf(const QString &list, const QString &code);

// One flag per code: the flag line padded with "F" or cut to n characters.
QString flagsFor(const QString &flags, int n);
// Character k (1-based) made "T"; a shorter line is padded with "F" up to
// k - 1 first, so that the "T" lands on its own code.
QString setFlag(const QString &line, int k);
// The line without its character j (1-based); unchanged when j is outside.
QString removeChar(const QString &line, int j);

// A code list and its flag line, kept as a pair.
struct CodesWithFlags {
    QString codes;
    QString flags;
    bool operator==(const CodesWithFlags &) const = default;
};
// Appends every candidate that is not a whole entry of the list as given,
// each at most once; the flags are padded with "F" to one per code. A list
// with a ragged tail (1 to 3 characters after its last whole code) keeps
// it, and the new codes follow it.
CodesWithFlags appendCodes(const CodesWithFlags &list, const QStringList &candidates);
// Removes every entry equal to code, and the flag at its first position.
CodesWithFlags removeCode(const CodesWithFlags &list, const QString &code);

// ---------------------------------------------------------------- history

// The paper history as its readers hold it: 100 lines (records 0 to 32 and
// the first line of record 33), defaults first, then the file's lines over
// them. Lines past the 100th are not read.
class PaperHistoryTable {
public:
    static constexpr int kLines = 100;
    static constexpr int kWrittenRecords = 31; // grading writes records 0 to 30
    static const QString kNoExamYet;           // "您还未考试！"

    PaperHistoryTable();
    static PaperHistoryTable fromLines(const QStringList &fileLines);

    // The fields of the record of a paper slot; slots whose lines lie past
    // the table read as empty and are not kept.
    QString lastExamTime(int slot) const;
    QString bestScore(int slot) const;
    void setLastExamTime(int slot, const QString &t);
    void setBestScore(int slot, const QString &score);
    const QStringList &lines() const { return lines_; }
    // Records 0 to 30 (93 lines) and the empty line the file ends with.
    QStringList linesToWrite() const;

private:
    QString line(int n) const;
    void setLine(int n, const QString &text);
    QStringList lines_;
};

// ---------------------------------------------------------------- unit progress

constexpr int kProgressLinesRead = 26;
// The first 26 lines of the file.
QStringList unitProgressFrom(const QStringList &fileLines);
// Lines 1 to n (absent ones empty), then the empty line the file ends with.
QStringList unitProgressToWrite(const QStringList &lines, int n);
// The home page's shape of a stored line for a unit of count questions:
// cut to count, or padded with "F" up to count.
QString normalisedUnitLine(const QString &stored, int count);

// ---------------------------------------------------------------- files

// A file read whole: its lines, and whether it could be read. A missing
// file reads as no lines and counts as read.
struct RecordRead {
    QStringList lines;
    bool readable = true;
};

// The record files of one folder (UserDataFolder). Each write replaces its
// file at once; inside a RecordAction the writes wait for its commit.
class RecordFiles {
public:
    explicit RecordFiles(const QString &folder);

    QString path(const QString &name) const;

    // Inside an action, a file the action wrote reads as written.
    RecordRead read(const QString &name) const;
    // False when the file is held back (also a file found unreadable now,
    // which is held back from here on) or the write failed; the old file
    // stays as it was. Inside an action: false only for a held-back file.
    bool write(const QString &name, const QStringList &lines) const;
    // Inside an action: the records it will not write because what they
    // are made from could not be read count as unsaved. Outside: nothing.
    void leaveOut(const QStringList &names) const;

    // First line with blanks removed at both ends; "" for a missing, empty
    // or unreadable file.
    QString readOneLine(const QString &name, bool *readable = nullptr) const;
    // The file holds the text and CR LF.
    bool writeOneLine(const QString &name, const QString &text) const;

    // A list and its flag line; readable is false when either could not be
    // read, and then both read as empty: the half that could be read pairs
    // with nothing, and counted or practised alone it would show flags of
    // questions the list no longer names (or the reverse).
    CodesWithFlags readList(const QString &listName, const QString &flagsName,
                            bool *readable = nullptr) const;
    // Both lines, or neither when either file is held back or a rename is
    // refused: a list new with its flags old would move "reviewed" onto
    // other questions.
    bool writeList(const QString &listName, const QString &flagsName,
                   const CodesWithFlags &list) const;

    PaperHistoryTable readHistory() const;
    bool writeHistory(const PaperHistoryTable &table) const;

    QStringList readUnitProgress(bool *readable = nullptr) const;
    bool writeUnitProgress(const QStringList &lines, int n) const;

protected:
    struct Pending;
    std::shared_ptr<Pending> pending_; // set inside an action

private:
    bool mayWrite(const QString &resolved, const QString &name) const;
    QString folder_;
};

// One action of the candidate on the records: its writes wait, its reads
// see them, and commit makes them new together. Pass it wherever a
// RecordFiles is taken.
class RecordAction : public RecordFiles {
public:
    explicit RecordAction(const RecordFiles &files);
    // True when every file the action wrote is new (an action that wrote
    // nothing commits at once). False: every one of them is as it was, or,
    // when the folder refused a rename after the journal was in place,
    // the others are new (but for that file's list or flags).
    bool commit();
    // The records the action meant to write and did not: the held-back
    // files it was refused, and after a failed commit the files it wrote
    // that stayed as they were.
    QStringList unsaved() const;
    // After commit: some file the action wrote is new.
    bool savedAny() const;
};

// Start of a run: finishes an action a crash broke off after its list of
// renames was in place, drops one that had not got so far, and removes the
// writer's temporary files from the folder. Its notSaved are record names
// (recname), the records the next start must tell as not saved.
platform::Recovery recoverRecords(const QString &folder);

// The files found unreadable in this run (resolved paths); they are not
// rewritten until the run ends.
bool isHeldBack(const QString &path);
// Once the run log is named: the records held back in this run that the
// candidate has not been told of yet, in the order met, now counted as
// told; the reports of those held back before the log was named go into it
// first. Nothing while the log is not named.
QStringList heldBackToTell();
// True the first time in a run a trouble of this name is met, so that a
// failure met at every page build is reported once.
bool firstTimeThisRun(const QString &trouble);
// Tests start each case afresh: no file held back, no trouble met.
void forgetHeldBackRecords();

} // namespace panel
