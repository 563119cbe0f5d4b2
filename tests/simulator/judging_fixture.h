#pragma once
// The simulated screen on a program folder that holds the whole sample
// (start-up files, shell pictures, the step engine's and the judging
// questions), laid out once per test suite. Every test starts from a fresh
// run state, a manual clock and a faked 1366 x 768 screen, and acts on the
// screen only through the forms layer's mouse and key driver.
#include "forms/testing.h"
#include "program_fixture.h"
#include "sample_judging.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_startup.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"
#include "step_builder.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <gtest/gtest.h>
#include <memory>

class JudgingFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<testsupport::ProgramFolder>(std::vector<testsupport::AddFiles>{
            sample::addStartupFiles, sample::addShellPictures, sample::addStepEngineFiles,
            sample::addJudgingFiles});
        ASSERT_TRUE(folder_->laidOut());
    }
    static void TearDownTestSuite() { folder_.reset(); }

    void SetUp() override {
        startup::resetState();
        platform::setProgramFolder(dir().root);
        forms::Screen::setFake(1366, 768);
        auto &s = startup::state();
        s.DataPath = dir().bank();
        s.ScaleX = s.ScaleY = 1;
        s.StudyMode = startup::Practice;
        s.TextFilePath = dir().bankFile(QStringLiteral("288890"));
        useUnit(sample::kJudgingUnit);
    }

    static const sample::SampleDir &dir() { return folder_->dir(); }
    static testsupport::ProgramFolder &folder() { return *folder_; }
    FrmMain *frm() { return forms::form<FrmMain>(); }
    static startup::RunState &S() { return startup::state(); }

    // The questions of a sample unit, as the home page sets them up.
    void useUnit(int unit) {
        auto &s = S();
        auto bankName = [&](int n) {
            return dir().bankFile(QStringLiteral("2888%1").arg(n, 2, 10, QLatin1Char('0')));
        };
        s.StepFilePath = bankName(20 + unit);
        const QStringList list = platform::readLines(bankName(70 + unit)).value_or(QStringList());
        questions_ = list;
        s.QuestionCount = static_cast<int>(list.size());
        s.QuestionFirstLine[0] = 1;
        for (int i = 1; i < list.size(); ++i)
            s.QuestionFirstLine[i] =
                s.QuestionFirstLine[i - 1] + static_cast<int>(platform::val(list[i - 1].mid(4, 2)));
        s.CurQuestion = 1;
        s.CurStep = 1;
    }
    // The texts of the unit's questions, in order.
    QStringList questionTexts() const {
        QStringList t;
        for (const QString &l : questions_) t << l.mid(6);
        return t;
    }

    // A step file of one question for the test alone.
    void useSteps(const QStringList &records) {
        const QString path = dir().bankFile(QStringLiteral("j88819"));
        ASSERT_TRUE(platform::writeLinesAtomic(path, records));
        auto &s = S();
        s.StepFilePath = path;
        s.QuestionCount = 1;
        s.QuestionFirstLine[0] = 1;
        s.CurQuestion = 1;
        s.CurStep = 1;
    }
    // An answer-text file for the test alone: texts 1, 2, ... as given.
    void useAnswers(const QStringList &texts) {
        QStringList lines;
        for (int i = 0; i < texts.size(); ++i)
            lines << QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')) + texts[i];
        const QString path = dir().bankFile(QStringLiteral("j88890"));
        ASSERT_TRUE(platform::writeLinesAtomic(path, lines));
        S().TextFilePath = path;
    }

    // Shows the screen and lets the start timer build the current step, as
    // the question panel does.
    void start() {
        frm()->show();
        forms::testing::setActiveForm(frm());
        frm()->Timer2->setEnabled(true);
        forms::testing::advance(100);
    }
    int step() const { return S().CurStep; }
    // A step record that only marks where a test has arrived.
    static QString marker() { return sample::StepBuilder().action("0000"); }

    forms::testing::Session session_;

private:
    static inline std::unique_ptr<testsupport::ProgramFolder> folder_;
    QStringList questions_;
};

// Centre of a control, in its own twips.
inline double midX(const forms::Control *c) {
    return c->width() / 2;
}
inline double midY(const forms::Control *c) {
    return c->height() / 2;
}
