#pragma once
// The question panel over the simulated screen on a sample program folder
// (start-up files, shell pictures, the step engine's questions and the
// panel's pictures). A set is written as its pair of exercise files and
// opened the way the home page hands it over; everything after that goes
// through the forms layer's mouse driver and its manual clock.
#include "forms/testing.h"
#include "panel/frm_picture.h"
#include "panel/frm_tm.h"
#include "program_fixture.h"
#include "sample_panel.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_startup.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"
#include "step_builder.h"

#include "platform/text.h"

#include <gtest/gtest.h>

namespace ft = forms::testing;

class PanelFixture : public testsupport::ProgramFixture {
protected:
    PanelFixture()
        : ProgramFixture({sample::addStartupFiles, sample::addShellPictures,
                          sample::addStepEngineFiles, sample::addPanelFiles},
                         QStringLiteral("panel")) {
        forms::Screen::setFake(1366, 768);
        auto &s = S();
        s.DataPath = dir().bank();
        s.UserDataFolder = dir().ksdata();
        s.ScaleX = s.ScaleY = 1;
        s.SubjectName = QStringLiteral("Windows7");
        s.ModuleNumber = sample::kModuleNumber;
        s.CandidateName = QStringLiteral("考生");
        s.TextFilePath = dir().bankFile(QStringLiteral("288890"));
    }

    static startup::RunState &S() { return startup::state(); }
    FrmTm *tm() { return forms::form<FrmTm>(); }
    FrmMain *frm() { return forms::form<FrmMain>(); }

    // Two steps a question: a click on the target, then the last step.
    static QStringList questionSteps() {
        return {sample::StepBuilder()
                    .background("q00005")
                    .target(2250, 1350, 1080, 1080)
                    .action("0001"),
                sample::StepBuilder().action("9999")};
    }

    // Writes a set of these question texts (each of the given steps, by
    // default two) as the exercise pair of the current PaperMode +
    // PaperIndex, and sets the questions as the home page does: codes 101,
    // 102, ..., not done.
    void writeSet(const QStringList &texts, const QStringList &eachSteps = questionSteps()) {
        auto &s = S();
        QStringList lines, steps;
        const int n = static_cast<int>(eachSteps.size());
        for (int i = 0; i < texts.size(); ++i) {
            const int code = 100 + i + 1;
            lines << QString::number(code).rightJustified(4, QLatin1Char('0')) +
                         QString::number(n).rightJustified(2, QLatin1Char('0')) + texts[i];
            steps << eachSteps;
            s.QuestionCodes[i] = code;
            s.QuestionDone[i] = QStringLiteral("F");
            s.QuestionFirstLine[i] = n * i + 1;
        }
        s.QuestionCount = static_cast<int>(texts.size());
        startup::setExerciseFilePaths(s);
        ASSERT_TRUE(platform::writeLinesAtomic(s.QuestionFilePath, lines));
        ASSERT_TRUE(platform::writeLinesAtomic(s.StepFilePath, steps));
    }
    // A practice set of n questions "题目1", "题目2", ... (favourites: slot 19).
    void writePracticeSet(int n) {
        auto &s = S();
        s.PaperMode = startup::FavouritesAll;
        s.PaperIndex = 10;
        s.StudyMode = startup::Practice;
        QStringList texts;
        for (int i = 1; i <= n; ++i) texts << QStringLiteral("题目%1").arg(i);
        writeSet(texts);
    }

    // The home page's hand-over for a set that is not a timed paper: the
    // panel's timers, then both windows shown; the timers have ticked when
    // this returns (the question is loaded and its first step built).
    void openSet() {
        auto &s = S();
        s.CurQuestion = 1;
        s.CurStep = 1;
        s.MinutesLeft = 50;
        tm()->TimerREDO->setEnabled(true);
        tm()->TimKsModel->setEnabled(true);
        tm()->show();
        frm()->show();
        ft::advance(500);
    }

    // Presses a function button of the panel.
    void press(int button) { ft::click(tm()->CmdGN(button), 150, 150); }

    ft::Session session;
};
