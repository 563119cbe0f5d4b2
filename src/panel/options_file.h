#pragma once
// The input-method option "调用输入法" kept across runs in the options file
// of the records folder: one line, "1" on, "0" off. The notice window takes
// only "1" as on; the home page takes any non-zero number.
#include "panel/record_files.h"

#include <QString>

namespace panel {

// The notice window's reading: the first line exactly "1".
bool optionOnForNotice(const RecordFiles &files);
// The home page's reading: the numeric value of the first line is not 0.
bool optionOnForHome(const QString &firstLine);
// Writes "1" or "0"; false when the file could not be written.
bool writeOption(const RecordFiles &files, bool on);

} // namespace panel
