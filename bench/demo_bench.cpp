// The demonstration's step set-up over every step of every sample
// question, with the pictures in the window's cache after a first pass.
// One iteration is one step set-up; the glide timer ticks every 100 ms, so
// a set-up must stay far below that (and below a display frame).
#include "demo/frm_yanshi.h"
#include "forms/testing.h"
#include "program_fixture.h"
#include "sample_demo.h"
#include "sample_judging.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"

#include "platform/paths.h"

#include "../tests/demo/demo_state.h"

#include <benchmark/benchmark.h>

namespace {

struct Step {
    int unit;
    int question;
    int step;
};

void BM_DemoStepSetUp(benchmark::State &state) {
    forms::testing::Session session;
    forms::Screen::setFake(1366, 768);
    testsupport::ProgramFolder folder({sample::addStartupFiles, sample::addShellPictures,
                                       sample::addStepEngineFiles, sample::addJudgingFiles,
                                       sample::addShellQuestions, sample::addShellJudgingFiles,
                                       sample::addDemoPictures});
    startup::resetState();
    const sample::SampleDir &dir = folder.dir();
    platform::setProgramFolder(dir.root);

    std::vector<Step> steps;
    for (int unit : demostate::kSampleUnits) {
        const QList<int> counts = demostate::stepCounts(dir, unit);
        for (int q = 1; q <= counts.size(); ++q) {
            for (int k = 1; k <= counts[q - 1]; ++k) steps.push_back(Step{unit, q, k});
        }
    }
    if (steps.empty()) {
        state.SkipWithError("the sample has no questions");
        return;
    }
    demostate::demonstrateUnit(dir, 0);
    FrmYanShi *f = forms::form<FrmYanShi>();
    auto setUp = [&](const Step &s) {
        if (startup::state().PaperIndex != s.unit) demostate::demonstrateUnit(dir, s.unit);
        startup::state().CurQuestion = s.question;
        f->DemoStep = s.step;
        f->setData();
    };
    for (const Step &s : steps) setUp(s); // fills the picture cache

    size_t i = 0;
    const int decodes = forms::pictureDecodeCount();
    for (auto _ : state) {
        setUp(steps[i]);
        i = (i + 1) % steps.size();
    }
    state.counters["steps"] = double(steps.size());
    state.counters["decodes"] = forms::pictureDecodeCount() - decodes;
}

// The demonstration over the whole sample, playing: a folder, the run
// state of unit 0 and a loaded window.
struct PlayBench {
    forms::testing::Session session;
    testsupport::ProgramFolder folder{{sample::addStartupFiles, sample::addShellPictures,
                                       sample::addStepEngineFiles, sample::addJudgingFiles,
                                       sample::addShellQuestions, sample::addShellJudgingFiles,
                                       sample::addDemoPictures}};
    PlayBench() {
        forms::Screen::setFake(1366, 768);
        startup::resetState();
        platform::setProgramFolder(folder.dir().root);
        demostate::demonstrateUnit(folder.dir(), 0);
    }
};

// One tick of the main glide that does not arrive: the move, the arrow's
// fourteen lines, the arrival test.
void BM_DemoGlideTick(benchmark::State &state) {
    PlayBench b;
    FrmYanShi *f = forms::form<FrmYanShi>();
    for (forms::Timer *t : f->timers()) t->setEnabled(false);
    for (auto _ : state) {
        f->PointerX = 7680;
        f->PointerY = 5760;
        f->AimX = 1000;
        f->AimY = 1000;
        f->AimPointer();
        f->Timer2_Timer();
    }
    if (f->DemoStep != 1) state.SkipWithError("the glide arrived");
}

// One whole sample question played on the manual clock, from the loading
// of the window to its closing; the questions in turn.
void BM_DemoSampleQuestion(benchmark::State &state) {
    PlayBench b;
    struct Question {
        int unit, number;
    };
    std::vector<Question> questions;
    for (int unit : demostate::kSampleUnits) {
        const int n = int(demostate::stepCounts(b.folder.dir(), unit).size());
        for (int q = 1; q <= n; ++q) questions.push_back(Question{unit, q});
    }
    size_t i = 0;
    int ticks = 0;
    for (auto _ : state) {
        const Question &q = questions[i];
        i = (i + 1) % questions.size();
        demostate::demonstrateUnit(b.folder.dir(), q.unit);
        startup::state().CurQuestion = q.number;
        forms::form<FrmYanShi>();
        while (forms::loadedForm<FrmYanShi>() && ticks < 10000000) {
            forms::testing::advance(100);
            ++ticks;
        }
    }
    state.counters["questions"] = double(questions.size());
    state.counters["ticks/question"] =
        benchmark::Counter(double(ticks), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_DemoGlideTick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DemoSampleQuestion)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK(BM_DemoStepSetUp)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
