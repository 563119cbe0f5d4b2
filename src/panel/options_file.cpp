#include "panel/options_file.h"

#include "home/home_files.h"

namespace panel {

bool optionOnForNotice(const RecordFiles &files) {
    const RecordRead r = files.read(recname::Options);
    return !r.lines.isEmpty() && r.lines.first() == QStringLiteral("1");
}

bool optionOnForHome(const RecordFiles &files) {
    return home::inputMethodOption(files.readOneLine(recname::Options));
}

bool writeOption(const RecordFiles &files, bool on) {
    return files.writeOneLine(recname::Options, on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace panel
