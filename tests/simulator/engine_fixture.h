#pragma once
// A program folder with the sample's start-up files, the step engine's
// questions and the shell pictures, laid out once per test suite; every
// test starts from a fresh run state on the sample unit's step file, with a
// manual clock and a faked 1366 x 768 screen.
#include "forms/testing.h"
#include "program_fixture.h"
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

class EngineFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<testsupport::ProgramFolder>(std::vector<testsupport::AddFiles>{
            sample::addStartupFiles, sample::addShellPictures, sample::addStepEngineFiles});
        ASSERT_TRUE(folder_->laidOut());
    }
    static void TearDownTestSuite() { folder_.reset(); }

    void SetUp() override {
        startup::resetState();
        platform::setProgramFolder(dir().root);
        forms::Screen::setFake(1366, 768);
        auto &s = startup::state();
        s.DataPath = dir().bank();
        s.UserDataFolder = dir().ksdata();
        s.ScaleX = s.ScaleY = 1;
        s.StudyMode = startup::Practice;
        s.TextFilePath = dir().bankFile(QStringLiteral("288890"));
        s.StepFilePath = dir().bankFile(QStringLiteral("288820"));
        const QStringList list =
            platform::readLines(dir().bankFile(QStringLiteral("288870"))).value_or(QStringList());
        s.QuestionCount = static_cast<int>(list.size());
        s.QuestionFirstLine[0] = 1;
        for (int i = 1; i < list.size(); ++i)
            s.QuestionFirstLine[i] =
                s.QuestionFirstLine[i - 1] + static_cast<int>(platform::val(list[i - 1].mid(4, 2)));
        s.CurQuestion = 1;
        s.CurStep = 1;
    }

    static const sample::SampleDir &dir() { return folder_->dir(); }
    FrmMain *frm() { return forms::form<FrmMain>(); }

    // A step file of one question (or of several, with their step counts)
    // for the test alone.
    void useSteps(const QStringList &records, const QList<int> &counts = {}) {
        const QString path = dir().bankFile(QStringLiteral("288819"));
        ASSERT_TRUE(platform::writeLinesAtomic(path, records));
        auto &s = startup::state();
        s.StepFilePath = path;
        const QList<int> c =
            counts.isEmpty() ? QList<int>{static_cast<int>(records.size())} : counts;
        s.QuestionCount = static_cast<int>(c.size());
        s.QuestionFirstLine[0] = 1;
        for (int i = 1; i < c.size(); ++i)
            s.QuestionFirstLine[i] = s.QuestionFirstLine[i - 1] + c[i - 1];
        s.CurQuestion = 1;
        s.CurStep = 1;
    }
    // An answer-text file for the test alone; lines are written as given
    // (their first three characters are the line's number).
    void useAnswers(const QStringList &lines) {
        const QString path = dir().bankFile(QStringLiteral("t88890"));
        ASSERT_TRUE(platform::writeLinesAtomic(path, lines));
        startup::state().TextFilePath = path;
    }
    // Builds step n of the current question.
    void build(int step) {
        startup::state().CurStep = step;
        frm()->setData();
    }

    forms::testing::Session session_;

private:
    static inline std::unique_ptr<testsupport::ProgramFolder> folder_;
};
