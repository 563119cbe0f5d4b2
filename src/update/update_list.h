#pragma once
// The update server's list of question-bank files and the rules that turn
// it into downloads. The list is text: a version line ("YYYYMMDDHHMM..."),
// then one line per file: a folder letter, the server copy's twelve-digit
// stamp and the file's name. A file is fetched when the server's stamp is
// newer than the local file's modification time; names from the server are
// never trusted as paths. Kept apart from the update window so that tests
// read lists and plans without a window, a network or a clock.
#include <QChar>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace update {

// The stamp of a local file that does not exist: older than any stamp of
// this century, so such a file is always fetched.
inline const QString kMissingFileStamp = QStringLiteral("190011011030");

// The bank folder's bare name: dataPath with every occurrence of the
// program folder's path removed (exact case), then every "\" and "/"
// removed. For a bank folder directly below the program folder this is the
// folder's own name.
QString bareFolderName(const QString &dataPath, const QString &programFolder);

// Versions and stamps compare as text, character codes from the left; a
// text that is the beginning of a longer one is the smaller. No number is
// parsed, so an empty or short version is older than any full one.
bool isNewer(const QString &candidate, const QString &installed);

// "YYYYMMDDHHMM" of a local time.
QString stampOf(const QDateTime &localTime);

// One file line of the list, blanks trimmed at both ends.
struct ListEntry {
    QChar folderLetter; // column 1
    QString stamp;      // columns 2-13
    QString name;       // column 14 to the end, as listed
};
// The entry of a list line; nullopt for the lines every reading skips:
// lines beginning with "20" (version lines) and lines of 18 characters or
// fewer once trimmed.
std::optional<ListEntry> parseListLine(const QString &line);

// The folder below the program folder that a folder letter names: "D" the
// bank (bankFolder, its bare name), "K" "ksdata", "E" "examdata", "M" the
// program folder itself (the empty text). Any other letter keeps current,
// the folder of the most recent lettered line.
QString folderFor(QChar letter, const QString &bankFolder, const QString &current);

// A listed name that may be used as a file name: ASCII letters, digits,
// "_" and "-", with at most one extension of letters and digits, and, when
// it has a dot, more than four characters (the server name drops the last
// four). Everything else ("..", slashes, colons, "?", "#", spaces) is not.
bool isSafeName(const QString &name);
// The local file name: the listed name when it has a dot, otherwise the
// name & ".mxy". (A line naming the running program saves it under the
// program's own name & "_bak", see planUpdate.)
QString localName(const QString &name);
// The name on the server: with a dot, the listed name less its last four
// characters (whatever the extension's length), & ".rar"; otherwise the
// name & ".rar".
QString serverName(const QString &name);

// What a plan needs to know of the installation.
struct PlanContext {
    QString programFolder; // ending in "/"
    QString bankFolder;    // bareFolderName of the bank
    QString addressPrefix; // update server & "/up/qkwfb/" & subject & "/", encoded
    QString programName;   // the running program's file name
    // Files no list line may write (the update's own: the saved list, the
    // version file, the hand-over file; the writer's journal of each folder
    // and the installation's lock), compared as the paths they resolve to,
    // whatever the case or spelling of the line.
    QStringList reserved;
};

// One listed file as the update treats it.
struct PlannedFile {
    QString listedName;
    QString folder;    // below the program folder ("" = the program folder)
    QString localPath; // where it is saved; the program's own gets "_bak"
    QString url;       // where it is fetched from
    QString serverStamp;
    QString localStamp; // of the local file, before any "_bak"
    bool isProgram = false;
    bool fetch = false; // the server's stamp is newer than the local one
};

// A file line that names no usable file.
struct RejectedLine {
    int lineNumber = 0; // 1-based line of the list
    QString line;
};

struct UpdatePlan {
    QList<PlannedFile> files;
    QList<RejectedLine> rejected;
};

// The modification time (local time) of a file, nullopt when it does not exist.
using ModifiedTime = std::function<std::optional<QDateTime>(const QString &path)>;

// Goes through the list's lines in order (the version line is skipped like
// every line beginning with "20"): each file line gives its folder, local
// path, address and stamps; a line with an unsafe name, or whose file is
// one of the reserved ones, is rejected (its folder letter still counts for
// the unlettered lines after it).
UpdatePlan planUpdate(const QStringList &lines, const PlanContext &context,
                      const ModifiedTime &modified);

// The address of one file: the prefix, then the folder and the server
// name, each path segment percent-encoded as UTF-8.
QString fileUrl(const QString &addressPrefix, const QString &folder, const QString &serverName);
// One path segment of an address, percent-encoded as UTF-8.
QString encodeSegment(const QString &segment);

} // namespace update
