#include "windows_fixture.h"

#include "home/frm_fengmian.h"
#include "panel/frm_chengji.h"
#include "panel/frm_czts.h"
#include "panel/frm_ime.h"
#include "panel/frm_logon.h"
#include "panel/frm_tm.h"
#include "panel/ime_menu.h"
#include "panel/exercise_builder.h"
#include "platform/text.h"
#include "sample_exam.h"
#include "sample_questions.h"
#include "sample_judging.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"

#include <QSet>

#include <QImage>
#include <QPixmap>
#include <QWidget>

using namespace paneltest;

namespace {

// ---------------------------------------------------------------- score sheet

class ScoreSheetTest : public ExamWindowsTest {
protected:
    FrmChengji *sheet() {
        for (int i = 0; i < 40; ++i) s.QuestionStatus[i] = i % 4 == 0 ? 1 : 5; // 10 wrong
        s.QuestionStatus[5] = 7;                                               // marked
        return forms::form<FrmChengji>();
    }
};

TEST_F(ScoreSheetTest, GridAndQuestionTexts) {
    for (const char *name : {"l01033", "l01034"}) {
        QImage img(120, 30, QImage::Format_RGB32);
        img.fill(name[5] == '3' ? Qt::green : Qt::red);
        ASSERT_TRUE(img.save(dir().bankFile(name), "PNG"));
    }
    FrmChengji *f = sheet();
    f->show();
    EXPECT_EQ(f->Label1->caption(), "第1套得分：75分");
    EXPECT_EQ(record("288862"), testsupport::gbkLines({"0006"}));
    EXPECT_EQ(record("182400"), testsupport::gbkLines({"0001000500090013001701010105010901130117"}));
    ft::click(f->CmTNO(7), 200, 200);
    EXPECT_EQ(f->LblTiMuYQ->caption(), "第7题： 第七题的图");
    ft::click(f->CmTNO(2), 200, 200);
    EXPECT_EQ(f->LblTiMuYQ->caption(), "第2题： 题目2");
    EXPECT_FALSE(f->CmTNO(1)->Picture() == f->CmTNO(2)->Picture());
    EXPECT_TRUE(f->CmTNO(2)->Picture() == f->CmTNO(3)->Picture());
    EXPECT_EQ(f->CmTNO(2)->Caption(), "2");
    // Centred on the first tick.
    ft::advance(100);
    EXPECT_DOUBLE_EQ(f->Picture1->left(), (f->effectiveWidth() - f->Picture1->width()) / 2);
    EXPECT_FALSE(f->Timer1->enabled());
}

TEST_F(ScoreSheetTest, BackToThePapersTabByItsButtonOrTheWindowManager) {
    for (bool button : {true, false}) {
        FrmChengji *f = sheet();
        f->show();
        s.HomeReturnButton = 0;
        if (button)
            ft::click(f->Command2, 100, 100);
        else
            f->unload(forms::vbFormControlMenu);
        EXPECT_FALSE(forms::loadedForm<FrmChengji>()) << button;
        EXPECT_TRUE(forms::loadedForm<FrmFengmian>()) << button;
        EXPECT_EQ(s.HomeReturnButton, 17) << button;
        EXPECT_FALSE(forms::loadedForm<FrmTm>()) << button;
        forms::unloadForm<FrmFengmian>();
    }
}

TEST_F(ScoreSheetTest, WrongAnswersReviewOrRefusalWhenThereAreNone) {
    s.QuestionStatus.fill(5);
    FrmChengji *f = forms::form<FrmChengji>();
    f->show();
    ft::click(f->Command3, 100, 100);
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(ft::msgBoxes()[0].title, "没有生成错题");
    EXPECT_TRUE(forms::loadedForm<FrmChengji>());
    EXPECT_EQ(s.PaperMode, startup::MockPaper);
    forms::unloadForm<FrmChengji>();

    f = sheet();
    f->show();
    ft::click(f->Command3, 100, 100);
    EXPECT_FALSE(forms::loadedForm<FrmChengji>());
    EXPECT_EQ(s.PaperMode, startup::PaperWrongReview);
    EXPECT_EQ(s.PaperSlot, 0);
    EXPECT_EQ(s.QuestionCount, 10);
    EXPECT_EQ(s.QuestionCodes[1], 5);
    EXPECT_EQ(s.StudyMode, startup::Practice);
    EXPECT_TRUE(forms::loadedForm<FrmMain>());
    FrmTm *tm = forms::form<FrmTm>();
    EXPECT_TRUE(tm->visible());
    EXPECT_EQ(testsupport::readBytes(dir().bankFile("288869")).count('\n'), 10);
    // The review runs without a clock, with the practice buttons, on its
    // first question; the list holds its ten questions.
    EXPECT_FALSE(tm->TimeKS->enabled());
    EXPECT_FALSE(tm->CmTNO(11)->visible());
    ft::advance(500);
    EXPECT_EQ(tm->RtbTM->text(), "第1单元第1题");
    EXPECT_TRUE(tm->CmdGN(panel::Finish)->visible());
    EXPECT_FALSE(tm->CmdGN(panel::HandIn)->visible());
}

TEST_F(ScoreSheetTest, WholePaperPractice) {
    FrmChengji *f = sheet();
    f->show();
    ft::click(f->Command1, 100, 100);
    EXPECT_FALSE(forms::loadedForm<FrmChengji>());
    EXPECT_EQ(s.StudyMode, startup::Practice);
    EXPECT_EQ(s.PaperMode, startup::MockPaper);
    EXPECT_EQ(s.QuestionDone[39], "F");
    EXPECT_EQ(s.QuestionStatus[5], 7); // as the exam left it
    EXPECT_FALSE(s.PanelMayClose);
    FrmTm *tm = forms::form<FrmTm>();
    EXPECT_TRUE(tm->visible());
    EXPECT_FALSE(tm->TimeKS->enabled());
    ft::advance(500);
    EXPECT_EQ(tm->RtbTM->text(), "题目1");
    EXPECT_TRUE(tm->CmdGN(panel::Finish)->visible());
    EXPECT_FALSE(tm->CmdGN(panel::HandIn)->visible());
}

// ---------------------------------------------------------------- login

class LoginTest : public ExamWindowsTest {};

TEST_F(LoginTest, SeatAndIdAreCompletedAndTheBarStartsThePaper) {
    s.CandidateName = "张三";
    s.SubjectName = "Windows 7";
    FrmLogon *f = forms::form<FrmLogon>();
    f->show();
    EXPECT_EQ(s.StepFilePath, dir().bankFile("288800"));
    EXPECT_EQ(s.QuestionFilePath, dir().bankFile("288850"));
    ft::advance(100);
    EXPECT_TRUE(f->Picture1->visible());
    EXPECT_FALSE(f->Picture2->visible());
    EXPECT_FALSE(f->Timer1->enabled());

    f->TxtZwh->setText("");
    ft::click(f->TxtZwh, 100, 100);
    ft::typeText("5");
    f->TxtSFZ->setText("");
    ft::click(f->TxtSFZ, 100, 100);
    ft::typeText("12a 3-X");
    EXPECT_EQ(f->TxtSFZ->text(), "123");
    f->TxtSFZ->insertArriving("45b6"); // pasted
    EXPECT_EQ(f->TxtSFZ->text(), "123456");

    ft::click(f->CmdLog, 100, 100);
    EXPECT_EQ(s.SeatNumber, "05");
    EXPECT_EQ(s.IdNumber, "198001011234123456");
    EXPECT_EQ(s.BatchNumber, "18");
    EXPECT_EQ(s.AnswerSheetNumber, "888888");
    EXPECT_EQ(f->LblName->caption(), "张三");
    EXPECT_EQ(f->LblKm->caption(), "Windows 7");
    EXPECT_EQ(f->LblDate->caption(), "2015年03月07日");
    EXPECT_FALSE(f->Picture1->visible());
    EXPECT_TRUE(f->Picture2->visible());

    ft::advance(600); // six ticks: 9255 twips, not past the frame yet
    EXPECT_TRUE(forms::loadedForm<FrmLogon>());
    EXPECT_DOUBLE_EQ(f->LJD->width(), 9255);
    ft::advance(100);
    EXPECT_FALSE(forms::loadedForm<FrmLogon>());
    EXPECT_EQ(s.ExamStartTime, "2015-03-07 09:05:02");
    EXPECT_EQ(s.CurQuestion, 1);
    EXPECT_TRUE(forms::form<FrmTm>()->visible());
    EXPECT_TRUE(forms::form<FrmMain>()->visible());
}

// What the candidate typed at the login is what the panel's candidate
// frame shows, completed as the login completes it.
TEST_F(LoginTest, ThePanelsCandidateFrameShowsTheLoginsNumbers) {
    s.CandidateName = "张三";
    s.SubjectName = "中文Windows 7";
    const struct {
        const char *seat, *id;
        const char *seatShown, *idShown;
    } cases[] = {{"7", "123", "07", "101198001011234123"},
                 {"", "", "00", "110101198001011234"},
                 {"123", "12345678901234567X", "23", "12345678901234567X"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.seat);
        FrmLogon *f = forms::form<FrmLogon>();
        f->show();
        ft::advance(100);
        f->TxtZwh->setText("");
        ft::click(f->TxtZwh, 100, 100);
        ft::typeText(QString::fromUtf8(c.seat));
        f->TxtSFZ->setText("");
        ft::click(f->TxtSFZ, 100, 100);
        ft::typeText(QString::fromUtf8(c.id));
        ft::click(f->CmdLog, 100, 100);
        ft::advance(700); // the bar full: the panel of the paper is created
        ASSERT_FALSE(forms::loadedForm<FrmLogon>());
        FrmTm *tm = forms::loadedForm<FrmTm>();
        ASSERT_TRUE(tm);
        ft::advance(500); // the exam buttons
        ASSERT_TRUE(tm->CmdGN(panel::CandidateInfo)->visible());
        ft::click(tm->CmdGN(panel::CandidateInfo), 150, 150);
        ASSERT_TRUE(tm->FrmKSXX->visible());
        EXPECT_EQ(tm->KsName1->caption(), "张三");
        EXPECT_EQ(tm->KsZWH1->caption(), QString::fromUtf8(c.seatShown));
        EXPECT_EQ(tm->KsCC1->caption(), "18");
        EXPECT_EQ(tm->KsDAH1->caption(), "888888");
        EXPECT_EQ(tm->KsKM1->caption(), "中文Windows 7");
        EXPECT_EQ(tm->KsSFZ1->caption(), QString::fromUtf8(c.idShown));
        // The next paper gets a new panel, as a hand-in leaves it.
        s.PanelMayClose = true;
        forms::unloadForm<FrmMain>();
        forms::unloadForm<FrmTm>();
        ASSERT_FALSE(forms::loadedForm<FrmTm>());
    }
}

TEST_F(LoginTest, IdBoxTakesAnXOnlyAfterSeventeenCharacters) {
    FrmLogon *f = forms::form<FrmLogon>();
    f->show();
    ft::advance(100);
    ft::click(f->TxtSFZ, 100, 100);
    f->TxtSFZ->setText("1234567890123456");
    f->TxtSFZ->setSelStart(16);
    ft::typeText("X");
    EXPECT_EQ(f->TxtSFZ->text(), "1234567890123456");
    ft::typeText("7X");
    EXPECT_EQ(f->TxtSFZ->text(), "12345678901234567X");
    ft::pressKey(forms::vbKeyBack);
    EXPECT_EQ(f->TxtSFZ->text(), "12345678901234567");
    ft::click(f->CmdLog, 100, 100);
    EXPECT_EQ(s.IdNumber, "412345678901234567");
}

TEST_F(LoginTest, ExitAsksWithNoAsDefault) {
    s.InfoTable[0] = "青禾";
    FrmLogon *f = forms::form<FrmLogon>();
    f->show();
    ft::advance(100);
    f->TxtZwh->setText("7");
    ft::click(f->CmdExit, 100, 100); // unanswered: the default button, No
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(ft::msgBoxes()[0].prompt, "确实要退出考试系统吗？");
    EXPECT_EQ(ft::msgBoxes()[0].title, "青禾职称计算机");
    EXPECT_EQ(ft::msgBoxes()[0].style, forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2);
    EXPECT_TRUE(forms::loadedForm<FrmLogon>());
    EXPECT_EQ(f->TxtZwh->text(), "7");

    f->unload(forms::vbFormControlMenu); // the window manager's close asks too
    EXPECT_TRUE(forms::loadedForm<FrmLogon>());
    EXPECT_EQ(ft::msgBoxes().size(), 2u);

    ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return forms::vbYes; });
    ft::click(f->CmdExit, 100, 100);
    EXPECT_FALSE(forms::loadedForm<FrmLogon>());
    EXPECT_TRUE(forms::loadedForm<FrmFengmian>());
    EXPECT_FALSE(forms::loadedForm<FrmTm>());
}

// ---------------------------------------------------------------- answer warning

class AnswerWarningTest : public ExamWindowsTest {};

TEST_F(AnswerWarningTest, ClicksOnTextOrBackgroundOnlyClose) {
    paperRunning();
    for (int where = 0; where < 3; ++where) {
        FrmCZTS *f = forms::form<FrmCZTS>();
        f->show();
        forms::Control *target = where == 0 ? static_cast<forms::Control *>(f->Label3)
                                 : where == 1 ? static_cast<forms::Control *>(f->Label2)
                                              : static_cast<forms::Control *>(f->Command1);
        ft::click(target, 60, 60);
        EXPECT_FALSE(forms::loadedForm<FrmCZTS>()) << where;
        EXPECT_EQ(s.StudyMode, startup::Exam);
    }
}

// The grey frame around the notice shows on all four sides inside the
// window, whose own edge is white on a white screen.
TEST_F(AnswerWarningTest, TheNoticeIsFramedOnEverySide) {
    paperRunning();
    FrmCZTS *f = forms::form<FrmCZTS>();
    f->show();
    const QImage shot = f->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shot.isNull());
    const QRgb grey = qRgb(128, 128, 128);
    // Whether a grey line runs along most of a column or row within `depth`
    // pixels of an edge.
    auto column = [&](int x) {
        int n = 0;
        for (int y = 0; y < shot.height(); ++y) n += shot.pixel(x, y) == grey;
        return n > shot.height() * 3 / 4;
    };
    auto row = [&](int y) {
        int n = 0;
        for (int x = 0; x < shot.width(); ++x) n += shot.pixel(x, y) == grey;
        return n > shot.width() * 3 / 4;
    };
    const int depth = 8;
    bool left = false, right = false, top = false, bottom = false;
    for (int d = 0; d < depth; ++d) {
        left |= column(d);
        right |= column(shot.width() - 1 - d);
        top |= row(d);
        bottom |= row(shot.height() - 1 - d);
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(top);
    EXPECT_TRUE(right);
    EXPECT_TRUE(bottom);
}

TEST_F(AnswerWarningTest, SeeingTheAnswerSwitchesToPracticeAfterYes) {
    paperRunning();
    FrmCZTS *f = forms::form<FrmCZTS>();
    f->show();
    EXPECT_TRUE(f->topmost());
    ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return forms::vbNo; });
    ft::click(f->Command2, 100, 100);
    EXPECT_TRUE(forms::loadedForm<FrmCZTS>());
    EXPECT_EQ(s.StudyMode, startup::Exam);
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(ft::msgBoxes()[0].title, "不建议您立即看答案");
    EXPECT_EQ(ft::msgBoxes()[0].style, forms::vbYesNo);

    ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return forms::vbYes; });
    s.PanelMayClose = true;
    s.CurStep = 4;
    ft::click(f->Command2, 100, 100);
    EXPECT_FALSE(forms::loadedForm<FrmCZTS>());
    EXPECT_EQ(s.StudyMode, startup::Practice);
    EXPECT_EQ(s.ExamStartTime, "-1");
    EXPECT_FALSE(s.PanelMayClose);
    EXPECT_TRUE(s.DemoPlaying);
    EXPECT_EQ(s.CurStep, 1);
    // The panel starts the demonstration on its timer's second tick.
    EXPECT_TRUE(forms::form<FrmTm>()->TimStartYS->enabled());
}

// ---------------------------------------------------------------- input methods

class ImeNoticeTest : public ExamWindowsTest {
protected:
    QString options() const { return dir().ksdata() + "288890.mxy"; }
};

TEST_F(ImeNoticeTest, OptionShownStoredAndTakenAtOnce) {
    paperRunning();
    const struct {
        QByteArray content;
        bool ticked;
    } cases[] = {{"1\r\n", true}, {" 1\r\n", false}, {"0\r\n", false}, {"", false}};
    for (const auto &c : cases) {
        testsupport::writeBytes(options(), c.content);
        s.UseInputMethod = false;
        FrmIME *f = forms::form<FrmIME>();
        EXPECT_EQ(f->Check1->value() == forms::vbChecked, c.ticked) << c.content.constData();
        // Ticked at load: written again and in force.
        EXPECT_EQ(s.UseInputMethod, c.ticked) << c.content.constData();
        EXPECT_EQ(testsupport::readBytes(options()), c.ticked ? QByteArray("1\r\n") : c.content);
        f->unload();
    }
    FrmIME *f = forms::form<FrmIME>();
    f->show();
    ft::click(f->Check1, 60, 60);
    EXPECT_EQ(testsupport::readBytes(options()), "1\r\n");
    EXPECT_TRUE(s.UseInputMethod);
    ft::click(f->Check1, 60, 60);
    EXPECT_EQ(testsupport::readBytes(options()), "0\r\n");
    EXPECT_FALSE(s.UseInputMethod);
    FrmTm *tm = forms::form<FrmTm>();
    ft::click(tm->LblZXH, 100, 100); // the notice opens over the minimised panel
    ASSERT_TRUE(tm->FrmZXH->visible());
    ft::click(f->LblClick(1), 100, 100);
    EXPECT_FALSE(forms::loadedForm<FrmIME>());
    // Restored beside the screen.
    EXPECT_TRUE(tm->visible());
    EXPECT_FALSE(tm->FrmZXH->visible());
    EXPECT_DOUBLE_EQ(tm->width(), 4980);
}

TEST(ImeMenu, ItemsStoreTheLayoutTheyShow) {
    using platform::KeyboardLayout;
    const struct {
        const char *what;
        std::vector<KeyboardLayout> layouts;
        int imeCount;
        uintptr_t eng;
        std::vector<QString> captions; // of the visible Chinese items
        std::vector<uintptr_t> handles;
    } cases[] = {
        {"layout, A, B", {{1, ""}, {2, "A"}, {3, "B"}}, 3, 1, {"A", "B"}, {2, 3}},
        {"A, layout", {{1, "A"}, {2, ""}}, 2, 2, {"A"}, {1}},
        {"nothing", {}, 1, 0, {"中文1"}, {0}},
        {"two layouts", {{7, " "}, {8, ""}}, 1, 7, {"中文1"}, {0}},
        {"twelve input methods", [] {
             std::vector<KeyboardLayout> l;
             for (int i = 1; i <= 12; ++i) l.push_back({uintptr_t(i), QStringLiteral("M%1").arg(i)});
             return l;
         }(), 13, 0, {"M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8", "M9", "M10"},
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const auto &c : cases) {
        const panel::ImeMenuModel m = panel::imeMenuFor(c.layouts);
        EXPECT_EQ(m.imeCount, c.imeCount) << c.what;
        EXPECT_EQ(m.engHandle, c.eng) << c.what;
        std::vector<QString> captions;
        std::vector<uintptr_t> handles;
        for (int n = 0; n < panel::kChineseItems; ++n)
            if (m.cnVisible[n]) {
                captions.push_back(m.cnCaptions[n]);
                handles.push_back(m.cnHandles[n]);
            }
        EXPECT_EQ(captions, c.captions) << c.what;
        EXPECT_EQ(handles, c.handles) << c.what;
    }
    EXPECT_DOUBLE_EQ(panel::imePopupTop(3000, 3, 100), 3000 - 900 + 100);
}

TEST_F(ImeNoticeTest, ChoosingAnItemStoresItsLayout) {
    FrmTm *tm = forms::form<FrmTm>();
    const panel::ImeMenu menu = panel::createImeMenu(tm, {{11, ""}, {12, "拼音"}, {13, "五笔"}});
    EXPECT_EQ(menu.mCn[1]->caption(), "五笔");
    EXPECT_FALSE(menu.mCn[2]->visible());
    ft::setPopupHook([&](forms::Menu &, double, double) { return menu.mCn[1]; });
    tm->popupMenu(menu.mIme.get(), forms::vbPopupMenuRightAlign, 0, 0);
    EXPECT_EQ(s.InputLayout, 13u);
    EXPECT_TRUE(forms::form<FrmMain>()->visible());
}

} // namespace

namespace {

// ---------------------------------------------------------------- home page

class HomeStartTest : public ExamWindowsTest {};

TEST_F(HomeStartTest, FirstFixedPaperGoesThroughTheLogin) {
    testsupport::writeBytes(dir().ksdata() + "288862.mxy", "0102\r\n");
    FrmFengmian *home = forms::form<FrmFengmian>();
    home->show();
    s.PaperMode = startup::FavouritesAll;
    ft::click(home->ClickBotn(5), 100, 100); // the papers tab holds the paper rows
    ft::click(home->ClickBotn(70), 100, 100);
    EXPECT_FALSE(forms::loadedForm<FrmFengmian>());
    EXPECT_TRUE(forms::loadedForm<FrmLogon>());
    EXPECT_FALSE(forms::loadedForm<FrmTm>());
    EXPECT_EQ(s.PaperMode, startup::MockPaper);
    EXPECT_EQ(s.StudyMode, startup::Exam);
    EXPECT_EQ(s.QuestionCount, 40);
    EXPECT_EQ(s.QuestionCodes[21], 102);
    EXPECT_EQ(s.QuestionStatus[21], startup::StatusMarked); // a favourite
    EXPECT_EQ(s.QuestionFirstLine[40], 81);
    EXPECT_EQ(s.MinutesLeft, 50);
    EXPECT_EQ(testsupport::readBytes(dir().bankFile("288800")).count('\n'), 80);
    EXPECT_EQ(testsupport::readBytes(dir().bankFile("288850")).count('\n'), 40);
}

TEST_F(HomeStartTest, ReturnTimerClicksTheTabOnce) {
    FrmChengji *f = forms::form<FrmChengji>();
    f->show();
    ft::click(f->Command2, 100, 100);
    FrmFengmian *home = forms::loadedForm<FrmFengmian>();
    ASSERT_TRUE(home);
    EXPECT_TRUE(home->TimFH->enabled());
    EXPECT_FALSE(home->PicKaCH->visible());
    ft::advance(100);
    EXPECT_FALSE(home->TimFH->enabled());
    EXPECT_TRUE(home->PicKaCH->visible()); // button 17: the papers tab
}

} // namespace

namespace {

// ---------------------------------------------------------------- sample

class SamplePapersTest : public testsupport::ProgramFixture {
protected:
    SamplePapersTest()
        : ProgramFixture({sample::addStartupFiles, sample::addStepEngineFiles, sample::addJudgingFiles,
                          sample::addShellPictures, sample::addShellQuestions,
                          sample::addShellJudgingFiles, sample::addExamFiles},
                         "exam") {}
};

TEST_F(SamplePapersTest, TwoFixedPapersOfFortyQuestionsWithTheirPictures) {
    const auto index = platform::readLines(dir().bankFile("288891"));
    ASSERT_TRUE(index);
    ASSERT_GE(index->size(), 4);
    EXPECT_EQ(index->at(0).left(2), "02");
    for (int k = 0; k < 2; ++k) {
        const QString codes = index->at(k + 2);
        EXPECT_EQ(codes.size(), 160) << k;
        const panel::ExerciseBuild b = panel::buildExercise(codes, dir().bank());
        EXPECT_EQ(b.codes.size(), 40u) << k;
        EXPECT_TRUE(b.skipped.empty()) << k;
        QSet<int> distinct(b.codes.begin(), b.codes.end());
        EXPECT_EQ(distinct.size(), 40) << k;
    }
    EXPECT_NE(index->at(2), index->at(3));
    for (const char *name : {"9l0056", "9l0057", "9l0058", "l01033", "l01034", "l01035", "l01036",
                             "l01037", "l01038", "l01039", "l01041", "l01042", "l20070"})
        EXPECT_FALSE(forms::loadPicture(dir().bankFile(name)).isNull()) << name;
}

} // namespace
