#pragma once
// The input-method option "调用输入法" kept across runs in the options file
// of the records folder: one line, "1" on, "0" off. The notice window takes
// only "1" as on; the home page takes any non-zero number. Both read and
// write it as a record (record_files.h): an options file that cannot be
// read is the option off, told once, and not written over in that run.
#include "panel/record_files.h"

#include <QString>

namespace panel {

// The notice window's reading: the first line exactly "1".
bool optionOnForNotice(const RecordFiles &files);
// The home page's reading: the number value of the first line is not 0.
bool optionOnForHome(const RecordFiles &files);
// Writes "1" or "0"; false when the file could not be written (also when
// it is held back).
bool writeOption(const RecordFiles &files, bool on);

} // namespace panel
