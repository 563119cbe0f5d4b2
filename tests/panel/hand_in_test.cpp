#include "windows_fixture.h"

#include "home/frm_fengmian.h"
#include "panel/frm_chengji.h"
#include "panel/frm_czts.h"
#include "panel/hand_in.h"

using namespace paneltest;
using panel::FrmEnd1;
using panel::FrmEnd2;

namespace {

class HandInTest : public ExamWindowsTest {
protected:
    HandInTest() { s.QuestionStatus.fill(0); }
    // Answers each dialog by the button named for it ("yes" or "no").
    void answer(const QString &end1, const QString &end2) {
        ft::setModalHook([=, this](forms::Form &f) {
            modals << f.name();
            if (auto *d = dynamic_cast<panel::HandInDialog *>(&f)) {
                prompts << d->Label1->caption();
                const QString a = f.name() == "FrmEnd1" ? end1 : end2;
                ft::click(a == "yes" ? d->Command1 : d->Command2, 300, 150);
            }
        });
    }
    QStringList prompts;
};

TEST_F(HandInTest, FirstDialogWarnsOfQuestionsNotInOrder) {
    std::array<int, 500> st{};
    st.fill(1);
    EXPECT_EQ(panel::handInPrompt(st), "\r\n您是否确定交卷?");
    st.fill(5);
    st[10] = 1;
    EXPECT_EQ(panel::handInPrompt(st), "\r\n您是否确定交卷?");
    for (int bad : {0, 2, 3, 4, 6, 7}) {
        st[39] = bad;
        EXPECT_EQ(panel::handInPrompt(st), "您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?") << bad;
    }
}

TEST_F(HandInTest, BothConfirmationsHandInAndGrade) {
    paperRunning();
    for (int i = 0; i < 40; ++i) s.QuestionStatus[i] = i < 30 ? 5 : 1;
    answer("yes", "yes");
    forms::form<FrmEnd1>()->show(forms::vbModal);
    EXPECT_EQ(modals, QStringList({"FrmEnd1", "FrmEnd2"}));
    EXPECT_EQ(prompts[0], "\r\n您是否确定交卷?");
    EXPECT_EQ(prompts[1], "按“交卷”后您将退出本场考试，并且不能重新登录!\r\n\r\n是否确定交卷?");
    EXPECT_FALSE(forms::loadedForm<FrmTm>());
    EXPECT_FALSE(forms::loadedForm<FrmMain>());
    EXPECT_FALSE(forms::loadedForm<FrmEnd1>());
    EXPECT_FALSE(forms::loadedForm<FrmEnd2>());
    auto *sheet = forms::loadedForm<FrmChengji>();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->Label1->caption(), "第1套得分：75分");
    EXPECT_TRUE(s.PanelMayClose);
    EXPECT_EQ(s.MinutesLeft, 50);
    EXPECT_EQ(s.ExamStartTime, "-1");
    EXPECT_EQ(record("182400"), testsupport::gbkLines({paperCodes().mid(4 * 30)}));
    // The lines of slot 0 in the history.
    EXPECT_TRUE(record("288892").startsWith("2015-03-07 09:00:00\r\n75\r\nE\r\n"));
}

TEST_F(HandInTest, EitherNoReturnsToThePaperWithThePanelDocked) {
    for (const auto &[end1, end2] : {std::pair<QString, QString>{"no", ""}, {"yes", "no"}}) {
        paperRunning();
        FrmTm *tm = forms::form<FrmTm>();
        tm->move(0, 0); // the hand-in button puts it there and hides it
        tm->hide();
        modals.clear();
        answer(end1, end2);
        forms::form<FrmEnd1>()->show(forms::vbModal);
        FrmMain *m = forms::form<FrmMain>();
        EXPECT_TRUE(tm->visible()) << end1.toStdString();
        EXPECT_DOUBLE_EQ(tm->left() + tm->width(), m->effectiveLeft() + m->effectiveWidth()) << end1.toStdString();
        EXPECT_DOUBLE_EQ(tm->top() + tm->height(), m->effectiveTop() + m->effectiveHeight()) << end1.toStdString();
        EXPECT_FALSE(forms::loadedForm<FrmChengji>());
        EXPECT_FALSE(forms::loadedForm<FrmEnd1>());
        EXPECT_FALSE(forms::loadedForm<FrmEnd2>());
        EXPECT_FALSE(s.PanelMayClose);
    }
}

TEST_F(HandInTest, ClosingADialogByItsTitleBarIsItsNo) {
    paperRunning();
    forms::form<FrmTm>()->hide();
    ft::setModalHook([](forms::Form &f) { f.unload(forms::vbFormControlMenu); });
    forms::form<FrmEnd1>()->show(forms::vbModal);
    EXPECT_FALSE(forms::loadedForm<FrmEnd1>());
    EXPECT_TRUE(forms::form<FrmTm>()->visible());
}

TEST_F(HandInTest, TimeOutDuringAnOpenDialogOnlyShowsItsMessage) {
    paperRunning();
    s.SubjectName = "Windows 7";
    ft::setModalHook([this](forms::Form &f) {
        modals << f.name();
        if (f.name() != "FrmEnd1") return;
        panel::examTimeUp(); // the clock reaches zero now
        auto *d = static_cast<FrmEnd1 *>(&f);
        EXPECT_TRUE(d->visible());
        ft::click(d->Command2, 300, 150);
    });
    forms::form<FrmEnd1>()->show(forms::vbModal);
    EXPECT_EQ(modals, QStringList({"FrmEnd1"}));
    ASSERT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(ft::msgBoxes()[0].prompt, "时间已到，自动交卷！");
    EXPECT_EQ(ft::msgBoxes()[0].title, "Windows 7");
    EXPECT_EQ(ft::msgBoxes()[0].style, forms::vbOKOnly);
}

} // namespace
