// Moving to the next question with the panel: the question line read
// again, the title, strip and marks written, the question's pictures put
// back, and the screen built by the step engine's start timer. One
// iteration is one press of the next button, over the first unit of the
// sample (the last question wraps round to the first).
#include "bench_support.h"
#include "panel/frm_tm.h"
#include "sample_panel.h"

#include <benchmark/benchmark.h>

namespace {

void BM_NextQuestion(benchmark::State &state) {
    benchsupport::ScreenBench screen(sample::addPanelFiles);
    const int questions = screen.useUnit(0);
    if (questions < 2) {
        state.SkipWithError("the sample's first unit has too few questions");
        return;
    }
    auto &s = startup::state();
    s.PaperMode = startup::UnitAll;
    s.PaperIndex = 0;
    s.SubjectName = QStringLiteral("Windows7");
    s.QuestionFilePath = screen.dir().bankFile(QStringLiteral("288870"));
    for (int q = 1; q <= questions; ++q) {
        s.QuestionCodes[q - 1] = q;
        s.QuestionDone[q - 1] = QStringLiteral("F");
    }
    FrmTm *tm = forms::form<FrmTm>();
    tm->show();
    screen.frm()->show();
    forms::testing::advance(500);
    auto next = [&] {
        if (s.CurQuestion >= questions) s.CurQuestion = 0;
        tm->CmdGN_Click(panel::Next);
        forms::testing::advance(100); // the screen's start timer builds the step
    };
    // A first round puts every picture in the cache.
    for (int q = 0; q < questions; ++q) next();
    const int decodes = forms::pictureDecodeCount();
    for (auto _ : state) next();
    state.counters["decodes"] = forms::pictureDecodeCount() - decodes;
}

} // namespace

BENCHMARK(BM_NextQuestion)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
