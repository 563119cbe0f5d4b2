// Building the screen of a step and moving on to the next one, over the
// sample questions of the step engine, with the pictures in the cache
// after their first load. One iteration is one step transition.
#include "forms/testing.h"
#include "program_fixture.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_startup.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"

#include "platform/text.h"

#include <benchmark/benchmark.h>

namespace {

struct Sample {
    testsupport::ProgramFolder folder{
        {sample::addStartupFiles, sample::addShellPictures, sample::addStepEngineFiles}};
    int questions = 0;

    Sample() {
        auto &s = startup::state();
        const auto &dir = folder.dir();
        s.DataPath = dir.bank();
        s.ScaleX = s.ScaleY = 1;
        s.StudyMode = startup::Practice;
        s.TextFilePath = dir.bankFile(QStringLiteral("288890"));
        s.StepFilePath = dir.bankFile(QStringLiteral("288820"));
        const QStringList list =
            platform::readLines(dir.bankFile(QStringLiteral("288870"))).value_or(QStringList());
        questions = static_cast<int>(list.size());
        s.QuestionCount = questions;
        s.QuestionFirstLine[0] = 1;
        for (int i = 1; i < questions; ++i)
            s.QuestionFirstLine[i] =
                s.QuestionFirstLine[i - 1] + static_cast<int>(platform::val(list[i - 1].mid(4, 2)));
    }
};

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
    forms::testing::Session session;
    forms::Screen::setFake(1366, 768);
    Sample sample;
    if (sample.questions == 0) {
        state.SkipWithError("the sample has no questions");
        return;
    }
    FrmMain *f = forms::form<FrmMain>();
    f->show();
    // A first pass over every question puts the pictures in the cache.
    for (int q = 1; q <= sample.questions; ++q) {
        startQuestion(f, q);
        for (int guard = 0; guard < 50 && f->rec().actionCode() != QLatin1String("9999"); ++guard)
            f->doNext();
    }
    startQuestion(f, 1);
    const int decodes = forms::pictureDecodeCount();
    for (auto _ : state) transition(f, sample.questions);
    state.counters["decodes"] = forms::pictureDecodeCount() - decodes;
}

} // namespace

BENCHMARK(BM_StepTransition)->Unit(benchmark::kMicrosecond);
