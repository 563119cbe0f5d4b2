#include "panel/options_file.h"

#include "platform/text.h"

namespace panel {

bool optionOnForNotice(const RecordFiles &files) {
    const RecordRead r = files.read(recname::Options);
    return !r.lines.isEmpty() && r.lines.first() == QStringLiteral("1");
}

bool optionOnForHome(const QString &firstLine) {
    return platform::val(firstLine) != 0;
}

bool writeOption(const RecordFiles &files, bool on) {
    return files.writeOneLine(recname::Options, on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace panel
