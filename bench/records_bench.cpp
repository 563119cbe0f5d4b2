// What the candidate waits for when an action's records are saved: every
// new file written and synced beside its old one, the journal synced, the
// renames and the folder synced. One iteration of BM_GradingRecords is the
// records of one graded paper (six files, on records of a candidate of
// many months); one of BM_OneRecord is one small record replaced alone.
#include "panel/grading.h"
#include "panel/record_files.h"
#include "platform/text.h"
#include "startup/run_state.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString codes(int first, int n) {
    QString out;
    for (int k = 0; k < n; ++k) out += panel::codeText((first + k) % 10000);
    return out;
}

void BM_GradingRecords(benchmark::State &state) {
    QTemporaryDir tmp;
    const QString folder = tmp.path() + QStringLiteral("/");
    platform::writeLinesAtomic(folder + "288862.mxy", {codes(1000, 3000)});
    platform::writeLinesAtomic(folder + "288872.mxy", {QString(3000, QLatin1Char('F'))});
    platform::writeLinesAtomic(folder + "288863.mxy", {codes(4000, 3000)});
    platform::writeLinesAtomic(folder + "288873.mxy", {QString(3000, QLatin1Char('T'))});
    startup::resetState();
    auto &s = startup::state();
    s.UserDataFolder = folder;
    s.QuestionCount = 40;
    const panel::RecordFiles records(folder);
    int i = 0;
    for (auto _ : state) {
        s.PaperMode = startup::MockPaper;
        s.PaperIndex = s.PaperSlot = i % 20;
        s.ExamStartTime = QStringLiteral("2015-03-07 10:00:00");
        for (int q = 1; q <= 40; ++q) {
            s.QuestionCodes[q - 1] = (10 + i % 80) * 100 + q;
            s.QuestionStatus[q - 1] = (q + i) % 3 ? startup::StatusDone : startup::StatusMarked;
        }
        const auto r = panel::gradePaper(s, records, codes((10 + i % 80) * 100 + 1, 40),
                                         QStringLiteral("2016-01-02 03:04:05"));
        if (!r.unsavedRecords.isEmpty()) state.SkipWithError("records not saved");
        ++i;
    }
}

void BM_OneRecord(benchmark::State &state) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("288872.mxy"));
    int i = 0;
    for (auto _ : state)
        if (!platform::writeLinesAtomic(path, {QString(++i % 40 + 1, QLatin1Char('T'))}))
            state.SkipWithError("not written");
}

} // namespace

BENCHMARK(BM_GradingRecords)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OneRecord)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
