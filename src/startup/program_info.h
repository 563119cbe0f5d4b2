#pragma once
// The program-information table: built-in defaults, overridden by the coded
// lines of "ver.txt" in the program folder and of the bank's "288901", and
// the configuration derived from it.
#include "startup/run_state.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace startup {

// One character group of a coded line that could not be decoded.
struct CodedLineError {
    int group = 0;    // 1-based position of the six-character group
    int64_t code = 0; // the character code it stood for
};

// Decodes a coded line: six-character groups of decimal digits, each the
// GBK code of one character plus 200000 (or plus 500000; negative codes
// name the same double-byte character as code + 65536). A group reading 0
// stands for nothing; a code outside -32768..65535 is skipped and listed
// in errors when errors is given.
QString decodeCodedLine(const QString &line, std::vector<CodedLineError> *errors = nullptr);

// Whether a line of "ver.txt" or the bank's information file is what its
// format says: blanks and decimal digits only, every group 0 or the code
// of a printable character of GBK. A flipped byte, a cut in the middle of
// a group or bytes that are not GBK all break it.
bool codedLineWellFormed(const QString &line);

// A file that the program cannot run without, found unreadable or not
// holding what its format says. The run then ends with a message naming
// it, rather than going on with whatever could be read (a bank folder
// that is not there, module 0, a home page without units).
struct DamagedFile {
    enum class Fault {
        Unreadable,  // missing, a folder in its place, no access
        NotInFormat, // read, but not what its format says
        NoUnits,     // the bank index, read, yields no unit to practise
    };
    QString path; // as the program opens it
    Fault fault = Fault::NotInFormat;
    bool operator==(const DamagedFile &) const = default;
};

// What is wrong with "ver.txt", from its lines (nullopt: it could not be
// read): fewer than the four lines of the configuration (subject, module
// name, bank folder, module number), a line not well formed, no plain
// folder name in line 3, or no module number (1 to 32767) in line 4.
std::optional<DamagedFile::Fault> versionFileFault(const std::optional<QStringList> &lines);

// The message of a damaged file, which names it by its path within the
// program folder.
QString damagedFileMessage(const DamagedFile &file);
// Tells the candidate in a standard message box, then ends the program
// (exit code 0); the caller returns at once.
void endForDamagedFile(const DamagedFile &file);

// The built-in values of entries 0 to 38 (39 and 40 are empty).
const std::array<QString, kInfoEntries> &infoDefaults();

// Fills the program-information table and the configuration derived from
// it, sets the application title, and on a first run writes the program's
// folder and name into the registry and marks the run done in the flag
// file. Failures are reported with the tag "readInfo" and skipped. A
// damaged "ver.txt" is returned (the table is filled as far as its lines
// go), and then nothing is written: the run is about to end.
std::optional<DamagedFile> readInfo(RunState &s);

// The registry names and data of the first run, for the module number and
// the program's folder and executable name.
struct FirstRunValues {
    QString key;      // "Software\\" & InfoTable(15)
    QString pathName; // "ProPath" & NN
    QString pathData; // folder & 72 "*"
    QString nameName; // "ProName" & NN
    QString nameData; // executable name & 36 "*"
};
FirstRunValues firstRunValues(const RunState &s, const QString &programFolder,
                              const QString &exeName);

} // namespace startup
