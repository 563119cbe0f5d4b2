// Building the screen of a step and moving on to the next one, over the
// sample questions of the step engine, with the pictures in the cache
// after their first load. One iteration is one step transition.
#include "bench_support.h"

#include <benchmark/benchmark.h>

namespace {

void startQuestion(FrmMain *f, int q) {
    auto &s = startup::state();
    s.CurQuestion = q;
    s.CurStep = 1;
    f->setData();
}

// One transition: the next step of the question, or, after its last step,
// the first step of the next question.
void transition(FrmMain *f, int questions) {
    auto &s = startup::state();
    if (f->rec().actionCode() == QLatin1String("9999"))
        startQuestion(f, s.CurQuestion % questions + 1);
    else
        f->doNext();
}

void BM_StepTransition(benchmark::State &state) {
    benchsupport::ScreenBench screen;
    const int questions = screen.useUnit(0);
    if (questions == 0) {
        state.SkipWithError("the sample has no questions");
        return;
    }
    FrmMain *f = screen.frm();
    f->show();
    // A first pass over every question puts the pictures in the cache.
    for (int q = 1; q <= questions; ++q) {
        startQuestion(f, q);
        for (int guard = 0; guard < 50 && f->rec().actionCode() != QLatin1String("9999"); ++guard)
            f->doNext();
    }
    startQuestion(f, 1);
    const int decodes = forms::pictureDecodeCount();
    for (auto _ : state) transition(f, questions);
    state.counters["decodes"] = forms::pictureDecodeCount() - decodes;
    state.counters["cacheMB"] = double(forms::pictureCacheBytes()) / (1024 * 1024);
    state.counters["liveMB"] = double(forms::livePictureBytes()) / (1024 * 1024);
}

} // namespace

BENCHMARK(BM_StepTransition)->Unit(benchmark::kMicrosecond);
