#include "home_fixture.h"
#include "panel/frm_logon.h"
#include "panel/frm_tm.h"
#include "panel/panel_link.h"
#include "sample_dir.h"
#include "simulator/frm_main.h"
#include "startup/frm_qhmsgbox.h"

#include <gtest/gtest.h>

using startup::state;

namespace {

namespace ft = forms::testing;

// Step lines named by unit and line, so that a copied block shows where
// it came from.
QStringList stepLines(int unit, int count) {
    QStringList lines;
    for (int n = 1; n <= count; ++n) lines << QStringLiteral("u%1-line%2").arg(unit).arg(n);
    return lines;
}

class ExerciseStart : public hometest::HomeFixture {
protected:
    // Unit 0: questions of 4, 6 and 5 steps; unit 1: 3 and 7; unit 2: one
    // question of 2 steps. The bank index lists the three units.
    ExerciseStart() {
        write(QStringLiteral("288870"), {"A001"
                                         "04"
                                         "第一题",
                                         "A002"
                                         "06"
                                         "第二题|两行",
                                         "A003"
                                         "05"
                                         "第三题"});
        write(QStringLiteral("288820"), stepLines(0, 15));
        write(QStringLiteral("288871"), {"B001"
                                         "03"
                                         "乙一",
                                         "B002"
                                         "07"
                                         "乙二"});
        write(QStringLiteral("288821"), stepLines(1, 10));
        write(QStringLiteral("288872"), {"C001"
                                         "02"
                                         "丙一"});
        write(QStringLiteral("288822"), stepLines(2, 2));
        // Unit 3 has files, but the bank index does not list it.
        write(QStringLiteral("288873"), {"D001" "01" "丁一"});
        write(QStringLiteral("288823"), stepLines(3, 1));
        EXPECT_TRUE(sample::writeBankIndex(dir(), {3, 2, 1}, {QString("0003").repeated(40)}));
        // Leftovers of an earlier set in slot 19, to see what is rewritten.
        write(QStringLiteral("288819"), {"old step"});
        write(QStringLiteral("288869"), {"old list"});
    }
    void write(const QString &name, const QStringList &lines) {
        ASSERT_TRUE(testsupport::writeBytes(dir().bankFile(name), testsupport::gbkLines(lines)));
    }
    QByteArray bank(const QString &name) const {
        return testsupport::readBytes(dir().bankFile(name));
    }
};

TEST_F(ExerciseStart, CodesFromTwoUnitsMakeTheExactExercisePair) {
    FrmFengmian *f = home();
    ASSERT_TRUE(f->InitShiTi(QStringLiteral("00030102"), 19));
    EXPECT_EQ(bank(QStringLiteral("288869")), testsupport::gbkLines({"A003"
                                                                     "05"
                                                                     "第三题",
                                                                     "B002"
                                                                     "07"
                                                                     "乙二"}));
    QStringList steps;
    for (int n = 11; n <= 15; ++n) steps << QStringLiteral("u0-line%1").arg(n);
    for (int n = 4; n <= 10; ++n) steps << QStringLiteral("u1-line%1").arg(n);
    EXPECT_EQ(bank(QStringLiteral("288819")), testsupport::gbkLines(steps));
    const startup::RunState &s = state();
    EXPECT_EQ(s.QuestionCount, 2);
    EXPECT_EQ(s.QuestionCodes[0], 3);
    EXPECT_EQ(s.QuestionCodes[1], 102);

    // The favourites mark the second question (0102), not the first.
    ASSERT_TRUE(writeKsdata(QStringLiteral("288862"), {"03120102"}));
    state().PaperMode = startup::UnitLearned;
    state().PaperIndex = 14;
    state().QuestionStatus.fill(0);
    f->startLianXi();
    EXPECT_EQ(s.QuestionFirstLine[0], 1);
    EXPECT_EQ(s.QuestionFirstLine[1], 6);
    EXPECT_EQ(s.QuestionFirstLine[2], 13);
    // (The panel has shown question 1 by now.)
    EXPECT_EQ(s.QuestionStatus[0] & startup::StatusMarked, 0);
    EXPECT_EQ(s.QuestionStatus[1], startup::StatusMarked);
    EXPECT_TRUE(s.StepFilePath.endsWith(QStringLiteral("/288819.mxy")));
    EXPECT_TRUE(s.QuestionFilePath.endsWith(QStringLiteral("/288869.mxy")));
    EXPECT_TRUE(s.TextFilePath.endsWith(QStringLiteral("/288890.mxy")));
    EXPECT_EQ(s.CurQuestion, 1);
    EXPECT_EQ(s.CurStep, 1);
    EXPECT_EQ(s.MinutesLeft, 50);
}

TEST_F(ExerciseStart, EmptyAndOddListsAndQuestionsPastTheEnd) {
    FrmFengmian *f = home();
    ASSERT_TRUE(f->InitShiTi(QString(), 19));
    EXPECT_EQ(state().QuestionCount, 0);
    EXPECT_TRUE(bank(QStringLiteral("288819")).isEmpty());
    EXPECT_TRUE(bank(QStringLiteral("288869")).isEmpty());

    // Six characters count two codes, the second from the last two; a
    // number past the unit's end takes its last question, 00 its first.
    ASSERT_TRUE(f->InitShiTi(QStringLiteral("000902"), 19));
    EXPECT_EQ(state().QuestionCount, 2);
    EXPECT_EQ(bank(QStringLiteral("288869")), testsupport::gbkLines({"A003"
                                                                     "05"
                                                                     "第三题",
                                                                     "A002"
                                                                     "06"
                                                                     "第二题|两行"}));
    ASSERT_TRUE(f->InitShiTi(QStringLiteral("0100"), 19));
    EXPECT_EQ(bank(QStringLiteral("288869")), testsupport::gbkLines({"B001"
                                                                     "03"
                                                                     "乙一"}));
}

TEST_F(ExerciseStart, ACodeOfAUnitTheBankLacksIsRefusedBeforeAnythingIsWritten) {
    QFile::remove(dir().bankFile(QStringLiteral("288872"))); // unit 2's question list
    FrmFengmian *f = home();
    const struct {
        const char *list;
        int unit; // as the message names it
    } cases[] = {{"00010301", 4}, {"2501", 26}, {"00010201", 3}, {"9999", 100}, {"2001", 21}};
    for (const auto &c : cases) {
        QString title, prompt;
        ft::setModalHook([&](forms::Form &form) {
            auto &box = static_cast<FrmQHMSGBOX &>(form);
            title = box.LblTitle->caption();
            prompt = box.LblPrompt->caption();
            ft::click(box.LblClick(1), 100, 100);
        });
        state().QuestionCount = 7;
        EXPECT_FALSE(f->InitShiTi(QString::fromLatin1(c.list), 19)) << c.list;
        EXPECT_EQ(title, QStringLiteral("无法开始练习"));
        EXPECT_EQ(prompt,
                  QStringLiteral("\r\n\r\n题库中没有第%1单元的试题，无法开始练习。").arg(c.unit))
            << c.list;
        EXPECT_EQ(bank(QStringLiteral("288819")), QByteArray("old step\r\n"));
        EXPECT_EQ(bank(QStringLiteral("288869")), QByteArray("old list\r\n"));
        EXPECT_EQ(state().QuestionCount, 7);
    }
}

TEST_F(ExerciseStart, PracticeOpensThePanelAndTheScreen) {
    FrmFengmian *f = home();
    ASSERT_TRUE(f->InitShiTi(QStringLiteral("0001"), 19));
    state().PaperMode = startup::UnitLearned;
    state().PaperIndex = 14;
    state().StudyMode = startup::Practice;
    f->startLianXi();
    EXPECT_EQ(forms::loadedForm<FrmFengmian>(), nullptr);
    ASSERT_NE(forms::loadedForm<FrmTm>(), nullptr);
    EXPECT_TRUE(forms::loadedForm<FrmTm>()->visible());
    ASSERT_NE(forms::loadedForm<FrmMain>(), nullptr);
    EXPECT_TRUE(forms::loadedForm<FrmMain>()->visible());
    EXPECT_EQ(forms::loadedForm<FrmLogon>(), nullptr);
    ft::advance(600);
    EXPECT_EQ(state().CurQuestion, 1);
    EXPECT_EQ(state().CurStep, 1);
}

TEST_F(ExerciseStart, APaperRowGoesThroughTheLogin) {
    FrmFengmian *f = home();
    clickButton(f, 5);
    ASSERT_TRUE(f->ClickBotn(70)->isShown());
    clickButton(f, 70);
    EXPECT_EQ(forms::loadedForm<FrmFengmian>(), nullptr);
    ASSERT_NE(forms::loadedForm<FrmLogon>(), nullptr);
    EXPECT_TRUE(forms::loadedForm<FrmLogon>()->visible());
    EXPECT_EQ(forms::loadedForm<FrmTm>(), nullptr);
    const startup::RunState &s = state();
    EXPECT_EQ(s.PaperMode, startup::MockPaper);
    EXPECT_EQ(s.PaperSlot, 0);
    EXPECT_EQ(s.QuestionCount, 40);
    EXPECT_EQ(s.StudyMode, startup::Exam);
    EXPECT_EQ(s.MinutesLeft, 50);
    EXPECT_TRUE(s.StepFilePath.endsWith(QStringLiteral("/288800.mxy")));
    // Paper 0 is question 3 of unit 0, forty times.
    QStringList list;
    for (int i = 0; i < 40; ++i)
        list << "A003"
                "05"
                "第三题";
    EXPECT_EQ(bank(QStringLiteral("288850")), testsupport::gbkLines(list));
    EXPECT_EQ(s.QuestionFirstLine[39], 1 + 39 * 5);
}

TEST_F(ExerciseStart, TheUnitsTabStartsTheWholeFirstUnit) {
    FrmFengmian *f = home();
    clickButton(f, 4);
    clickButton(f, 20);
    EXPECT_EQ(forms::loadedForm<FrmFengmian>(), nullptr);
    const startup::RunState &s = state();
    EXPECT_EQ(s.PaperMode, startup::UnitAll);
    EXPECT_EQ(s.QuestionCount, 3);
    EXPECT_TRUE(s.StepFilePath.endsWith(QStringLiteral("/288820.mxy")));
    EXPECT_EQ(s.QuestionFirstLine[2], 11);
    // The unit's own pair is not written.
    EXPECT_EQ(bank(QStringLiteral("288869")), QByteArray("old list\r\n"));
}

TEST_F(ExerciseStart, TheUnitPracticeReturnsToTheUnitsTab) {
    FrmFengmian *f = home();
    clickButton(f, 4);
    clickButton(f, 20);
    ft::advance(600);
    forms::form<FrmTm>()->JiaoJuan();
    f = forms::loadedForm<FrmFengmian>();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(state().HomeReturnButton, 16);
    EXPECT_FALSE(f->PicTiKu->visible());
    ft::advance(100);
    EXPECT_TRUE(f->PicTiKu->visible());
}

TEST_F(ExerciseStart, TheFinishedSetReopensItsTab) {
    panel::link::showHomePage(17);
    FrmFengmian *f = forms::loadedForm<FrmFengmian>();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->visible());
    EXPECT_FALSE(f->PicKaCH->visible());
    ft::advance(100);
    EXPECT_TRUE(f->PicKaCH->visible());
    EXPECT_FALSE(f->ClickBotn(17)->Enabled());
    forms::unloadForm<FrmFengmian>();
    // Leaving the login shows the cover page: no tab is reopened.
    panel::link::showHomePage(0);
    f = forms::loadedForm<FrmFengmian>();
    ft::advance(1000);
    EXPECT_FALSE(f->PicTOP->visible());
}

} // namespace
