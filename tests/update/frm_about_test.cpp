#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "program_fixture.h"
#include "sample_startup.h"
#include "sample_update.h"
#include "startup/program_info.h"
#include "startup/run_state.h"
#include "update/frm_about.h"

#include <gtest/gtest.h>

namespace ft = forms::testing;
using startup::state;

namespace {

class AboutBox : public testsupport::ProgramFixture {
protected:
    AboutBox()
        : ProgramFixture({sample::addStartupFiles, sample::addUpdateFiles},
                         QStringLiteral("startup+update")) {
        startup::readInfo(state());
        home = forms::form<FrmFengmian>();
        home->show();
    }

    // Opens the box from an information label of the home page; act runs
    // while it is shown.
    void openFrom(int label, const std::function<void(FrmAbout &)> &act) {
        int shown = 0;
        ft::setModalHook([&](forms::Form &f) {
            ++shown;
            ASSERT_EQ(f.name(), "FrmAbout");
            act(static_cast<FrmAbout &>(f));
        });
        ft::click(home->LblInfo(label), 30, 30);
        EXPECT_EQ(shown, 1) << "label " << label;
    }

    ft::Session session;
    FrmFengmian *home = nullptr;
};

TEST_F(AboutBox, ShowsTheProgramsInformation) {
    openFrom(0, [&](FrmAbout &box) {
        EXPECT_EQ(box.caption(), "青禾启明职称计算机考试练习系统——中文Windows 7模块");
        EXPECT_EQ(box.Label1(1)->caption(), "青禾启明职称计算机考试练习系统");
        EXPECT_EQ(box.Label1(2)->caption(), "青禾启明职称计算机考试练习系统");
        EXPECT_EQ(box.Label1(4)->caption(), "── 中文Windows 7操作系统");
        EXPECT_EQ(box.Label1(0)->caption(), "题库版本：V201503070905");
        EXPECT_EQ(box.Label1(3)->caption(), "系统工作目录: " + dir().root.chopped(1));
        EXPECT_EQ(box.Label1(6)->caption(), "青禾启明软件工作室");
        EXPECT_EQ(box.width(), 6300);
        EXPECT_EQ(box.height(), 4200);
        EXPECT_FALSE(box.picture().isNull());
        EXPECT_EQ(box.Label1(1)->foreColor(), forms::rgb(12, 127, 233));
        EXPECT_EQ(box.Label1(4)->left(), 480);
        EXPECT_EQ(box.Label1(3)->mousePointer(), forms::vbCustom);
        // The etched separator: grey, and white 15 twips right and down.
        EXPECT_EQ(box.Line1(4)->x1(), 360);
        EXPECT_EQ(box.Line1(4)->y1(), 2385);
        EXPECT_EQ(box.Line1(4)->x2(), 5760);
        EXPECT_EQ(box.Line1(3)->x1(), 375);
        EXPECT_EQ(box.Line1(3)->y1(), 2400);
        EXPECT_EQ(box.Line1(3)->x2(), 5775);
        EXPECT_EQ(box.Line1(3)->y2(), 2400);
        ft::click(box.LblClick(1), 100, 100);
    });
    EXPECT_EQ(forms::loadedForm<FrmAbout>(), nullptr);
}

TEST_F(AboutBox, OnlyTheFolderLineOpensTheFolder) {
    openFrom(21, [&](FrmAbout &box) {
        for (int i : {0, 1, 2, 4, 6}) ft::click(box.Label1(i), 15, 15);
        ft::click(box.lblMove, 15, 15, forms::vbRightButton);
        EXPECT_TRUE(shell().opened.isEmpty());
        ft::click(box.Label1(3), 300, 100);
        EXPECT_EQ(shell().opened, QStringList{dir().root});
        EXPECT_FALSE(box.isUnloaded());
        ft::click(box.LblClick(0), 50, 50);
        EXPECT_TRUE(box.isUnloaded());
    });
}

TEST_F(AboutBox, EachOpeningShowsTheCurrentVersionLine) {
    openFrom(0, [](FrmAbout &box) { ft::click(box.LblClick(0), 50, 50); });
    home->LblInfo(0)->setCaption("题库版本：V201601010000");
    openFrom(0, [](FrmAbout &box) {
        EXPECT_EQ(box.Label1(0)->caption(), "题库版本：V201601010000");
        ft::click(box.LblClick(1), 50, 50);
    });
}

TEST_F(AboutBox, TheCloseBoxStaysAtTheTopRightAtAnyScale) {
    for (double scale : {1.0, 1.25, 2.0}) {
        state().ScaleX = scale;
        state().ScaleY = scale;
        auto *box = forms::form<FrmAbout>();
        EXPECT_DOUBLE_EQ(box->LblClick(0)->left() + 420 * scale, box->width()) << scale;
        EXPECT_DOUBLE_EQ(box->width(), 6300 * scale) << scale;
        box->unload();
    }
}

} // namespace
