#include "startup/run_state.h"

namespace startup {

RunState &state() {
    static RunState s;
    return s;
}

void resetState() {
    state() = RunState{};
}

int practiceSlot(const RunState &s) {
    return s.PaperMode + s.PaperIndex;
}

QString twoDigits(int n) {
    return (QStringLiteral("00") + QString::number(n)).right(2);
}

QString stepFileFor(const RunState &s, int slot) {
    return s.DataPath + QStringLiteral("2888") + twoDigits(slot) + QStringLiteral(".mxy");
}

QString questionFileFor(const RunState &s, int slot) {
    return s.DataPath + QStringLiteral("2888") + twoDigits(slot + 50) + QStringLiteral(".mxy");
}

void setExerciseFilePaths(RunState &s) {
    const int slot = practiceSlot(s);
    s.StepFilePath = stepFileFor(s, slot);
    s.QuestionFilePath = questionFileFor(s, slot);
}

} // namespace startup
