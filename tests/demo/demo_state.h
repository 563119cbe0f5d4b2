#pragma once
// The run state of a demonstration over a sample program folder, as the
// question panel leaves it when it starts one. Shared by the
// demonstration's tests and its benchmark.
#include "sample_dir.h"
#include "sample_judging.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "startup/run_state.h"

#include "platform/text.h"

#include <QStringList>

namespace demostate {

// The sample units that have questions.
inline constexpr int kSampleUnits[] = {0, sample::kShellUnit, sample::kShellJudgingUnit,
                                       sample::kJudgingUnit};

// The question list of a unit: code, two-digit step count, text per line.
inline QStringList unitQuestions(const sample::SampleDir &dir, int unit) {
    const QString list =
        dir.bankFile(QStringLiteral("2888%1").arg(70 + unit, 2, 10, QLatin1Char('0')));
    return platform::readLines(list).value_or(QStringList());
}

// The number of steps of each question of a unit.
inline QList<int> stepCounts(const sample::SampleDir &dir, int unit) {
    QList<int> counts;
    for (const QString &l : unitQuestions(dir, unit)) counts << int(platform::val(l.mid(4, 2)));
    return counts;
}

// A demonstration of the unit's first question, at 1:1 scale, from the
// unit's own exercise pair (slot 20 + unit).
inline void demonstrateUnit(const sample::SampleDir &dir, int unit) {
    auto &s = startup::state();
    s.DataPath = dir.bank();
    s.ScaleX = s.ScaleY = 1;
    s.DemoPlaying = true;
    s.PaperMode = startup::UnitAll;
    s.PaperIndex = unit;
    s.TextFilePath = dir.bankFile(QStringLiteral("288890"));
    const QList<int> counts = stepCounts(dir, unit);
    s.QuestionCount = int(counts.size());
    s.QuestionFirstLine[0] = 1;
    for (int i = 1; i < counts.size(); ++i)
        s.QuestionFirstLine[size_t(i)] = s.QuestionFirstLine[size_t(i - 1)] + counts[i - 1];
    s.CurQuestion = 1;
    startup::setExerciseFilePaths(s);
}

} // namespace demostate
