#include "forms/testing.h"
#include "program_fixture.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/program_info.h"
#include "startup/run_state.h"

#include <gtest/gtest.h>

namespace ft = forms::testing;
using startup::state;

namespace {

class MessageBox : public testsupport::ProgramFixture {
protected:
    MessageBox() { startup::readInfo(state()); }

    // The caller's side of the protocol; the hook plays the user.
    int ask(int setBefore, const std::function<void(FrmQHMSGBOX &)> &user) {
        ft::setModalHook([&](forms::Form &f) { user(static_cast<FrmQHMSGBOX &>(f)); });
        state().MsgBoxResult = setBefore;
        auto *box = forms::form<FrmQHMSGBOX>();
        box->LblTitle->setCaption(QStringLiteral("退出系统"));
        forms::skip(
            [&] { box->Image1->loadPicture(state().DataPath + QStringLiteral("l20071.mxy")); });
        box->LblPrompt->setCaption(QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"));
        box->show(forms::vbModal);
        return state().MsgBoxResult;
    }

    ft::Session session;
};

TEST_F(MessageBox, OnlyTheAffirmativeButtonAnswersOne) {
    EXPECT_EQ(ask(0, [](FrmQHMSGBOX &b) { ft::click(b.LblClick(1), 100, 100); }), 1);
    EXPECT_EQ(ask(0, [](FrmQHMSGBOX &b) { ft::click(b.LblClick(0), 100, 100); }), 0);
    EXPECT_EQ(ask(0, [](FrmQHMSGBOX &b) { ft::click(b.LblClick(3), 50, 50); }), 0);
    // Closed some other way: what the caller set stays.
    EXPECT_EQ(ask(7, [](FrmQHMSGBOX &) {}), 7);
    EXPECT_FALSE(forms::loadedForm<FrmQHMSGBOX>() && forms::loadedForm<FrmQHMSGBOX>()->visible());
}

TEST_F(MessageBox, EveryUseLoadsAFreshBox) {
    ask(0, [](FrmQHMSGBOX &b) {
        b.LblTitle->setCaption(QStringLiteral("changed"));
        ft::click(b.LblClick(0), 100, 100);
    });
    auto *box = forms::form<FrmQHMSGBOX>();
    EXPECT_EQ(box->LblTitle->caption(), QStringLiteral("青禾启明提示信息"));
    EXPECT_EQ(box->LblPrompt->caption(), QStringLiteral("你要清除全部题目吗？"));
}

TEST_F(MessageBox, LayoutFollowsTheScaleFactors) {
    forms::Screen::setFake(1280, 800, 12); // 120 dpi
    state().ScaleX = state().ScaleY = 0.8;
    auto *box = forms::form<FrmQHMSGBOX>();
    EXPECT_DOUBLE_EQ(box->width(), 4440);
    EXPECT_DOUBLE_EQ(box->height(), 3000);
    EXPECT_DOUBLE_EQ(box->LblClick(3)->left(), 4104);
    EXPECT_DOUBLE_EQ(box->LblClick(1)->left(), 2460 * 0.8);
    EXPECT_FALSE(box->LblClick(2)->visible());
    EXPECT_DOUBLE_EQ(box->LblTitle->font().size, 8);
    EXPECT_EQ(box->caption(), state().ApplicationTitle);
    EXPECT_TRUE(
        box->caption().endsWith(QStringLiteral("——") + sample::kSubject + QStringLiteral("模块")))
        << box->caption().toStdString();
    EXPECT_FALSE(box->picture().isNull());
    EXPECT_FALSE(box->LblClick(1)->Picture().isNull());
    EXPECT_TRUE(box->topmost());
    // The drag strip does not reach the close box.
    EXPECT_LT(box->lblMove->left() + box->lblMove->width(), box->LblClick(3)->left());
}

TEST_F(MessageBox, MissingPicturesLeaveAWorkingBox) {
    state().DataPath = dir().root + QStringLiteral("nothing/");
    EXPECT_EQ(ask(0,
                  [](FrmQHMSGBOX &b) {
                      EXPECT_TRUE(b.picture().isNull());
                      ft::click(b.LblClick(1), 100, 100);
                  }),
              1);
}

} // namespace
