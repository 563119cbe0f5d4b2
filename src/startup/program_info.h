#pragma once
// The program-information table: built-in defaults, overridden by the coded
// lines of "ver.txt" in the program folder and of the bank's "288901", and
// the configuration derived from it.
#include "startup/run_state.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
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

// The built-in values of entries 0 to 38 (39 and 40 are empty).
const std::array<QString, kInfoEntries> &infoDefaults();

// Fills the program-information table and the configuration derived from
// it, sets the application title, and on a first run writes the program's
// folder and name into the registry and marks the run done in the flag
// file. Failures are reported with the tag "readInfo" and skipped.
void readInfo(RunState &s);

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
