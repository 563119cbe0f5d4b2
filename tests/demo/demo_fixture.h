#pragma once
// The demonstration window over a program folder that holds the whole
// sample installation (start-up files, shell pictures, the demonstration's
// highlights and every sample question), laid out once per test program.
// Every test starts from a fresh run state with a demonstration playing, a
// manual clock and a faked 1366 x 768 screen.
#include "demo/frm_yanshi.h"
#include "demo_state.h"
#include "forms/testing.h"
#include "program_fixture.h"
#include "sample_demo.h"
#include "sample_judging.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "startup/run_state.h"
#include "step_builder.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <gtest/gtest.h>
#include <memory>

using sample::StepBuilder;

namespace demotest {

inline std::vector<testsupport::AddFiles> sampleParts() {
    return {sample::addStartupFiles, sample::addShellPictures,  sample::addStepEngineFiles,
            sample::addJudgingFiles, sample::addShellQuestions, sample::addShellJudgingFiles,
            sample::addDemoPictures};
}

using demostate::demonstrateUnit;
using demostate::kSampleUnits;
using demostate::unitQuestions;

} // namespace demotest

class DemoFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<testsupport::ProgramFolder>(demotest::sampleParts(),
                                                               QStringLiteral("demo"));
        ASSERT_TRUE(folder_->laidOut());
    }
    static void TearDownTestSuite() { folder_.reset(); }

    void SetUp() override {
        startup::resetState();
        platform::setProgramFolder(dir().root);
        forms::Screen::setFake(1366, 768);
        demotest::demonstrateUnit(dir(), 0);
    }

    static const sample::SampleDir &dir() { return folder_->dir(); }
    static startup::RunState &S() { return startup::state(); }

    // A question of the given records for the test alone, in the exercise
    // pair of slot 19 (as a set built from a list of questions uses).
    void useSteps(const QStringList &records) {
        auto &s = S();
        s.PaperMode = startup::FavouritesAll;
        s.PaperIndex = 19 - startup::FavouritesAll;
        startup::setExerciseFilePaths(s);
        ASSERT_TRUE(platform::writeLinesAtomic(s.StepFilePath, records));
        s.QuestionCount = 1;
        s.QuestionFirstLine[0] = 1;
        s.CurQuestion = 1;
    }
    // Answer texts 1, 2, ... for the test alone.
    void useAnswers(const QStringList &texts) {
        QStringList lines;
        for (int i = 0; i < texts.size(); ++i)
            lines << QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')) + texts[i];
        const QString path = dir().bankFile(QStringLiteral("t88890"));
        ASSERT_TRUE(platform::writeLinesAtomic(path, lines));
        S().TextFilePath = path;
    }
    // Opens the demonstration window, which sets up step 1.
    FrmYanShi *open() { return forms::form<FrmYanShi>(); }
    // Opens it on a question of the given records.
    FrmYanShi *openOn(const QStringList &records) {
        useSteps(records);
        return open();
    }
    // Sets up step n of the current question.
    void build(FrmYanShi *f, int step) {
        f->DemoStep = step;
        f->setData();
    }
    static QString hit(const char *code, int item1 = 0, int item2 = 0, int item3 = 0,
                       QChar branch = u'0') {
        return StepBuilder::entry(u'H', QString::fromLatin1(code), item1, item2, item3, branch);
    }
    // A step that only marks where the demonstration has arrived.
    static QString marker() { return StepBuilder().action("0001").target(15, 15, 150, 150); }
    static forms::Picture shellFile(const QString &name) {
        return forms::loadPicture(dir().examFile(name));
    }
    static forms::Picture bankFile(const QString &name) {
        return forms::loadPicture(dir().bankFile(name));
    }

    forms::testing::Session session_;

private:
    static inline std::unique_ptr<testsupport::ProgramFolder> folder_;
};

// A control's rectangle, to compare with literal values.
struct R {
    double l, t, w, h;
    friend bool operator==(const R &, const R &) = default;
};
inline R rectOf(const forms::Control *c) {
    return R{c->left(), c->top(), c->width(), c->height()};
}
inline std::ostream &operator<<(std::ostream &o, const R &r) {
    return o << "(" << r.l << ", " << r.t << ", " << r.w << ", " << r.h << ")";
}
