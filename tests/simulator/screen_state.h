#pragma once
// The run state of a practice run over a sample program folder, as the
// home page leaves it before the simulated screen builds a step. Shared by
// the screen's tests and benchmarks.
#include "sample_dir.h"
#include "startup/run_state.h"

#include "platform/text.h"

#include <QList>
#include <QStringList>

namespace screenstate {

// Practice at 1:1 scale on the folder's bank; the answer texts of the
// step engine's questions.
inline void practiseOn(const sample::SampleDir &dir) {
    auto &s = startup::state();
    s.DataPath = dir.bank();
    s.ScaleX = s.ScaleY = 1;
    s.StudyMode = startup::Practice;
    s.TextFilePath = dir.bankFile(QStringLiteral("288890"));
}

// Questions of the given step counts, in one step file, starting at the
// first step of the first.
inline void setQuestions(const QString &stepFile, const QList<int> &stepCounts) {
    auto &s = startup::state();
    s.StepFilePath = stepFile;
    s.QuestionCount = static_cast<int>(stepCounts.size());
    s.QuestionFirstLine[0] = 1;
    for (int i = 1; i < stepCounts.size(); ++i)
        s.QuestionFirstLine[i] = s.QuestionFirstLine[i - 1] + stepCounts[i - 1];
    s.CurQuestion = 1;
    s.CurStep = 1;
}

// The questions of a sample unit: its step file and its question list
// (each line: code, two-digit step count, text). Returns the list.
inline QStringList useUnit(const sample::SampleDir &dir, int unit) {
    auto bankName = [&](int n) {
        return dir.bankFile(QStringLiteral("2888%1").arg(n, 2, 10, QLatin1Char('0')));
    };
    const QStringList list = platform::readLines(bankName(70 + unit)).value_or(QStringList());
    QList<int> counts;
    for (const QString &l : list) counts << static_cast<int>(platform::val(l.mid(4, 2)));
    setQuestions(bankName(20 + unit), counts);
    return list;
}

// A step file of its own: one question of all the records, or several
// with the given step counts.
inline bool useSteps(const QString &stepFile, const QStringList &records,
                     const QList<int> &stepCounts = {}) {
    if (!platform::writeLinesAtomic(stepFile, records)) return false;
    setQuestions(stepFile,
                 stepCounts.isEmpty() ? QList<int>{static_cast<int>(records.size())} : stepCounts);
    return true;
}

} // namespace screenstate
