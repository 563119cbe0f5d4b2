#include "home_fixture.h"
#include "sample_home.h"
#include "startup/frm_qhmsgbox.h"

#include <gtest/gtest.h>

using startup::state;

namespace {

using hometest::ft::advance;
namespace ft = forms::testing;

class HomeWindow : public hometest::HomeFixture {};

// The frame of a button's strip on view: 0 normal .. 3 disabled.
int frameOf(kvtnButton *b) {
    return static_cast<int>(-b->ImgBack->left() / b->width());
}

bool onCover(FrmFengmian *f) {
    bool anyPanel = false;
    for (forms::PictureBox *p : f->panels()) anyPanel |= p->visible();
    return !anyPanel && !f->PicTOP->visible() && !f->PicAd->visible();
}

TEST_F(HomeWindow, OpensOnTheCoverWithEveryButtonInPlace) {
    ASSERT_TRUE(sample::addHomeBanner(dir()));
    FrmFengmian *f = home();
    EXPECT_TRUE(state().LastErrorProc.isEmpty()) << state().LastErrorProc.toStdString();
    EXPECT_TRUE(onCover(f));
    EXPECT_DOUBLE_EQ(f->width(), 12000);
    EXPECT_DOUBLE_EQ(f->height(), 9000);
    EXPECT_EQ(f->caption(), QStringLiteral("职称计算机考试练习系统"));
    EXPECT_EQ(f->LblCaption->caption(), sample::kModuleName);
    EXPECT_EQ(f->LblInfo(0)->caption(), QStringLiteral("题库版本：V") + sample::kBankVersion);
    EXPECT_EQ(f->LblInfo(2)->caption(), QStringLiteral("客服电话：400-000-0000"));
    EXPECT_EQ(f->LblInfo(0)->foreColor(), 0x666666u);
    // The sample's web-site text is longer than the configured edges allow:
    // the line keeps its labels apart and inside the window.
    EXPECT_DOUBLE_EQ(f->LblInfo(0)->left(), 240);
    for (int i = 1; i <= 3; ++i)
        EXPECT_GE(f->LblInfo(i)->left(), f->LblInfo(i - 1)->left() + f->LblInfo(i - 1)->width())
            << i;
    EXPECT_DOUBLE_EQ(f->LblInfo(3)->left() + f->LblInfo(3)->width(), 12000 - 240);
    EXPECT_DOUBLE_EQ(f->LblInfo(1)->top(), 8670);
    for (int i : {0, 1, 6, 7, 44, 45, 46}) EXPECT_FALSE(f->ClickBotn(i)->visible()) << i;
    for (int i : {2, 3, 4, 5, 8, 11, 12}) {
        EXPECT_TRUE(f->ClickBotn(i)->isShown()) << i;
        EXPECT_FALSE(f->ClickBotn(i)->Picture().isNull()) << i;
        EXPECT_EQ(f->ClickBotn(i)->mousePointer(), forms::vbCustom) << i;
    }
    EXPECT_DOUBLE_EQ(f->ClickBotn(3)->left(), 11580);
    EXPECT_DOUBLE_EQ(f->ClickBotn(4)->left(), 2400);
    EXPECT_DOUBLE_EQ(f->ClickBotn(12)->left(), 10680);
    EXPECT_EQ(f->ClickBotn(13)->container(), f->PicTOP);
    EXPECT_EQ(f->ClickBotn(20)->container(), f->PicTiKu);
    EXPECT_EQ(f->ClickBotn(32)->container(), f->PicHelp);
    EXPECT_TRUE(f->LblInfo(17)->visible());
    EXPECT_DOUBLE_EQ(f->LblInfo(21)->width(), 2820);
    // The banner of the sample.
    EXPECT_EQ(f->LblAD->caption(), QStringLiteral("新版题库已上线\r\n点击查看备考资料"));
    EXPECT_EQ(f->LblAD->foreColor(), 0x1E4EC8u);
    EXPECT_EQ(f->AdLink, QStringLiteral("http://www.qhqm-soft.example/"));
    EXPECT_DOUBLE_EQ(f->PicAd->width(), f->LblAD->width());
    EXPECT_DOUBLE_EQ(f->PicAd->height(), f->LblAD->height());
}

TEST_F(HomeWindow, OpeningStepsOnBannerModuleAndOptionFiles) {
    const struct {
        const char *what;
        std::optional<QStringList> banner; // nullopt: no banner file
        QByteArray module;
        std::optional<QStringList> options; // nullopt: no options file
        bool ends;
        QString caption;
        forms::Color colour;
        QString link;
        bool inputMethod;
    } cases[] = {
        {"sample files", QStringList{QStringLiteral("  A◎B◎  "), "255", " http://a.example/"},
         "07\r\n", QStringList{"1"}, false, QStringLiteral("A\r\nB\r\n"), 255, " http://a.example/",
         true},
        {"hexadecimal colour, option 0", QStringList{"x", "&HFF0000", ""}, " 7 \r\n",
         QStringList{"0"}, false, "x", 0xFF0000, "", false},
        {"fresh installation", std::nullopt, "7\r\n", std::nullopt, false, "", 0, "", false},
        {"unknown colour text, one line", QStringList{"y", "red"}, "7", QStringList{"yes"}, false,
         "y", 0, "", false},
        {"module with letters", std::nullopt, "seven\r\n", QStringList{"1"}, true, "", 0, "",
         false},
        {"another module", std::nullopt, "8\r\n", QStringList{"1"}, true, "", 0, "", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        startup::resetProgramEnded();
        state().LastErrorProc.clear();
        state().UseInputMethod = false;
        if (c.banner)
            ASSERT_TRUE(writeKsdata(QStringLiteral("170100"), *c.banner));
        else
            removeKsdata(QStringLiteral("170100"));
        if (c.options)
            ASSERT_TRUE(writeKsdata(QStringLiteral("288890"), *c.options));
        else
            removeKsdata(QStringLiteral("288890"));
        ASSERT_TRUE(testsupport::writeBytes(dir().bankFile(QStringLiteral("288899")), c.module));
        FrmFengmian *f = forms::form<FrmFengmian>();
        EXPECT_EQ(startup::programEnded(), c.ends);
        if (c.ends) {
            // Nothing after the module check ran.
            EXPECT_TRUE(f->LblInfo(1)->caption().isEmpty());
        } else {
            EXPECT_EQ(f->LblAD->caption(), c.caption);
            EXPECT_EQ(f->LblAD->foreColor(), c.colour);
            EXPECT_EQ(f->AdLink, c.link);
            EXPECT_EQ(state().UseInputMethod, c.inputMethod);
            EXPECT_TRUE(state().LastErrorProc.isEmpty()) << state().LastErrorProc.toStdString();
        }
        forms::unloadForm<FrmFengmian>();
    }
}

TEST_F(HomeWindow, MissingBankFilesAreReportedAndTheBuildGoesOn) {
    QFile::remove(dir().bankFile(QStringLiteral("288895")));
    QFile::remove(dir().bankFile(QStringLiteral("288891")));
    QFile::remove(dir().bankFile(QStringLiteral("l20051")));
    FrmFengmian *f = home();
    EXPECT_FALSE(startup::programEnded());
    EXPECT_EQ(state().LastErrorProc, QStringLiteral("fengmaincsh"));
    EXPECT_EQ(state().LastErrorNumber, 53);
    EXPECT_EQ(f->LblInfo(0)->caption(), QStringLiteral("题库版本：V"));
    EXPECT_TRUE(state().BankVersion.isEmpty());
    EXPECT_EQ(state().PaperCount, 0);
    EXPECT_EQ(state().UnitCount, 0);
    EXPECT_TRUE(f->picShouYe->picture().isNull());
    EXPECT_EQ(f->LlbHelpCAP->caption(), QStringLiteral("软件介绍"));
}

TEST_F(HomeWindow, ProgressIsKeptWhenTheBankIndexCannotBeRead) {
    ASSERT_TRUE(writeKsdata(QStringLiteral("288893"), {"TTF", "TF"}));
    const QByteArray before = testsupport::readBytes(dir().ksdata() + "288893.mxy");
    QFile::remove(dir().bankFile(QStringLiteral("288891")));
    home();
    EXPECT_EQ(testsupport::readBytes(dir().ksdata() + "288893.mxy"), before);
}

TEST_F(HomeWindow, RandomPapersCountAtMostTheirRows) {
    ASSERT_TRUE(writeKsdata(QStringLiteral("288891"), QStringList(15, QString(160, '1'))));
    EXPECT_EQ(home()->RandomPaperCount, 10);
}

TEST_F(HomeWindow, OverLongContactLine) {
    state().InfoTable[16] = QString(3000, QLatin1Char('w'));
    FrmFengmian *f = home();
    EXPECT_EQ(f->LblInfo(1)->caption().size(), 5 + 3000);
    // The labels after it stand to its right instead of over it.
    EXPECT_GE(f->LblInfo(2)->left(), f->LblInfo(1)->left() + f->LblInfo(1)->width());
    EXPECT_GE(f->LblInfo(3)->left(), f->LblInfo(2)->left() + f->LblInfo(2)->width());
    EXPECT_TRUE(state().LastErrorProc.isEmpty()) << state().LastErrorProc.toStdString();
    clickButton(f, 4);
    EXPECT_TRUE(f->PicTiKu->visible());
}

TEST_F(HomeWindow, FourTileCover) {
    state().InfoTable[34] = QStringLiteral("4");
    FrmFengmian *f = home();
    for (int i = 4; i <= 7; ++i) {
        EXPECT_TRUE(f->ClickBotn(i)->visible()) << i;
        EXPECT_DOUBLE_EQ(f->ClickBotn(i)->top(), 3840) << i;
    }
    EXPECT_DOUBLE_EQ(f->ClickBotn(7)->left(), 8850);
    for (int i = 17; i <= 21; ++i) EXPECT_FALSE(f->LblInfo(i)->visible()) << i;
}

TEST_F(HomeWindow, HighDpiKeepsTheWindowAt800By600Pixels) {
    forms::Screen::setFake(1280, 800, 12);
    FrmFengmian *f = home();
    EXPECT_DOUBLE_EQ(state().ScaleX, 0.8);
    EXPECT_DOUBLE_EQ(f->width(), 9600);
    EXPECT_DOUBLE_EQ(f->height(), 7200);
    EXPECT_DOUBLE_EQ(f->ClickBotn(3)->left(), 11580 * 0.8);
    EXPECT_DOUBLE_EQ(f->LblInfo(0)->font().size, 9 * 0.8);
    EXPECT_DOUBLE_EQ(f->WebHelpCON->top(), 870 * 0.8);
}

// ---------------------------------------------------------------- buttons

TEST_F(HomeWindow, ButtonRowsThroughTheRealEventPath) {
    FrmFengmian *f = home();
    struct Row {
        std::vector<int> clicks;  // from the cover page
        forms::PictureBox *panel; // shown afterwards (null: none)
        int disabledTopButton;    // 0: all of 15..19 enabled
    };
    const Row rows[] = {
        {{4}, f->PicTiKu, 16},     {{5}, f->PicKaCH, 17},        {{11}, f->PicHelp, 0},
        {{4, 17}, f->PicKaCH, 17}, {{5, 18}, f->PicBiaoZhi, 18}, {{4, 19}, f->PicCuoTi, 19},
        {{4, 16}, f->PicTiKu, 16}, {{11, 16}, f->PicTiKu, 16},   {{5, 15}, nullptr, 0},
        {{11, 15}, nullptr, 0},
    };
    for (const Row &r : rows) {
        clickButton(f, 15); // back to the cover page (does nothing there)
        ASSERT_TRUE(onCover(f));
        for (int i : r.clicks) {
            if (i == 15) {
                clickButton(f, 15);
                continue;
            }
            clickButton(f, i);
        }
        const std::string trace =
            std::to_string(r.clicks.front()) + "," + std::to_string(r.clicks.back());
        for (forms::PictureBox *p : f->panels()) EXPECT_EQ(p->visible(), p == r.panel) << trace;
        EXPECT_EQ(f->PicTOP->visible(), r.panel != nullptr) << trace;
        EXPECT_EQ(f->PicAd->visible(), r.panel != nullptr) << trace;
        for (int i = 15; i <= 19; ++i)
            EXPECT_EQ(f->ClickBotn(i)->Enabled(), i != r.disabledTopButton) << trace << " " << i;
    }
}

TEST_F(HomeWindow, MinimiseFromTheCoverAndFromTheTopBar) {
    FrmFengmian *f = home();
    clickButton(f, 2);
    EXPECT_EQ(f->windowState(), forms::vbMinimized);
    f->setWindowState(forms::vbNormal);
    clickButton(f, 5);
    clickButton(f, 13);
    EXPECT_EQ(f->windowState(), forms::vbMinimized);
    f->setWindowState(forms::vbNormal);
    // Restored, it shows the same tab.
    EXPECT_TRUE(f->PicKaCH->visible());
}

TEST_F(HomeWindow, ExitAsksFirstFromTheCoverAndFromATab) {
    FrmFengmian *f = home();
    QString title, prompt;
    int answer = 0; // LblClick index: 0 no, 3 close box, 1 yes
    ft::setModalHook([&](forms::Form &form) {
        auto &box = static_cast<FrmQHMSGBOX &>(form);
        title = box.LblTitle->caption();
        prompt = box.LblPrompt->caption();
        ft::click(box.LblClick(answer), 100, 100);
    });
    for (int button : {3, 14}) {
        if (button == 14) clickButton(f, 4);
        for (int no : {0, 3}) {
            answer = no;
            clickButton(f, button);
            EXPECT_EQ(title, QStringLiteral("退出系统"));
            EXPECT_EQ(prompt, QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"));
            EXPECT_FALSE(startup::programEnded()) << button << " " << no;
        }
    }
    EXPECT_TRUE(f->PicTiKu->visible());
    answer = 1;
    clickButton(f, 14);
    EXPECT_TRUE(startup::programEnded());
}

TEST_F(HomeWindow, UpdateAndWebSiteButtons) {
    FrmFengmian *f = home();
    clickButton(f, 8);
    EXPECT_EQ(state().ShowUpdateWindow, 1);
    clickButton(f, 12);
    EXPECT_EQ(shell().opened, QStringList{state().InfoTable[2]});
}

TEST_F(HomeWindow, BannerOpensOnlyWebAddresses) {
    const struct {
        const char *link;
        const char *opened; // nullptr: nothing opened
    } cases[] = {
        {"http://www.qhqm-soft.example/", "http://www.qhqm-soft.example/"},
        {" https://a.example/x ", "https://a.example/x"},
        {"", nullptr},
        {"/bin/sh", nullptr},
        {"file:///etc/passwd", nullptr},
        {"C:\\Windows\\system32\\cmd.exe", nullptr},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(
            writeKsdata(QStringLiteral("170100"), {"广告", "0", QString::fromLatin1(c.link)}));
        FrmFengmian *f = home();
        clickButton(f, 4);
        shell().opened.clear();
        ft::click(f->LblAD, 30, 30);
        EXPECT_EQ(shell().opened,
                  c.opened ? QStringList{QString::fromLatin1(c.opened)} : QStringList())
            << c.link;
        forms::unloadForm<FrmFengmian>();
    }
}

TEST_F(HomeWindow, InformationLabelsOpenTheirLinks) {
    FrmFengmian *f = home();
    const auto &info = state().InfoTable;
    const struct {
        int label;
        QString opened; // empty: nothing
    } cases[] = {
        {1, info[1]},  {2, QString()}, {3, info[3]},  {17, info[1]},
        {18, info[2]}, {19, info[4]},  {20, info[3]},
    };
    for (const auto &c : cases) {
        shell().opened.clear();
        forms::Label *l = f->LblInfo(c.label);
        ft::click(l, std::min(l->width(), 300.0) / 2, l->height() / 2);
        EXPECT_EQ(shell().opened, c.opened.isEmpty() ? QStringList() : QStringList{c.opened})
            << c.label;
    }
    // The version line and the cover's last link open the about box, modal.
    for (int label : {0, 21}) {
        QString shown;
        ft::setModalHook([&](forms::Form &form) { shown = form.name(); });
        forms::Label *l = f->LblInfo(label);
        ft::click(l, std::min(l->width(), 300.0) / 2, l->height() / 2);
        EXPECT_EQ(shown, QStringLiteral("FrmAbout")) << label;
    }
    ft::setModalHook({});
    state().InfoTable[26] = QStringLiteral("2099");
    shell().opened.clear();
    ft::click(f->LblInfo(18), 100, 100);
    EXPECT_EQ(shell().opened, QStringList{QStringLiteral("http://www.qhqm-exam.example/")});
}

TEST_F(HomeWindow, ReturnTimerOpensTheTabOnceAfterTheFormIsShown) {
    const struct {
        int button;
        int panel; // index into panels(), -1 none
    } cases[] = {{16, 0}, {17, 1}, {18, 2}, {19, 3}, {0, -1}};
    for (const auto &c : cases) {
        state().HomeReturnButton = c.button;
        FrmFengmian *f = forms::form<FrmFengmian>();
        if (c.button) f->TimFH->setEnabled(true);
        f->show();
        EXPECT_TRUE(onCover(f));
        advance(99);
        EXPECT_TRUE(onCover(f));
        advance(1);
        for (int k = 0; k < 5; ++k) EXPECT_EQ(f->panels()[k]->visible(), k == c.panel) << c.button;
        EXPECT_FALSE(f->TimFH->enabled());
        clickButton(f, 15);
        advance(1000);
        EXPECT_TRUE(onCover(f)) << "a second tick";
        EXPECT_EQ(state().HomeReturnButton, c.button);
        forms::unloadForm<FrmFengmian>();
    }
}

// ---------------------------------------------------------------- help tab

TEST_F(HomeWindow, HelpTabShowsTheFivePages) {
    FrmFengmian *f = home();
    // After the page build, on the hidden panel: the first page.
    EXPECT_FALSE(f->PicHelp->visible());
    EXPECT_EQ(f->LlbHelpCAP->caption(), QStringLiteral("软件介绍"));
    EXPECT_TRUE(f->WebHelpCON->locationPath().endsWith(QStringLiteral("/l38180.mxy")));
    EXPECT_EQ(f->LlbHelpCAP->foreColor(), 0xE97F0Cu);
    EXPECT_DOUBLE_EQ(f->LlbHelpCAP->left(), 6960);
    // The buttons' hover timers tick once the form is up: the chosen page
    // keeps its fourth frame.
    advance(300);
    EXPECT_EQ(frameOf(f->ClickBotn(32)), kvtnButton::FrameDisabled);
    clickButton(f, 11);
    const struct {
        int button;
        const char *title;
        const char *text; // a phrase of the page
    } pages[] = {
        {35, "答题技巧", "不会做的题可以先跳过"},  {33, "备考指南", "按章节逐一练习"},
        {34, "考试大纲", "文件与文件夹的管理"},    {36, "常见问题", "为什么点击后没有反应"},
        {32, "软件介绍", "模拟的 Windows 7 屏幕"},
    };
    for (const auto &p : pages) {
        clickButton(f, p.button);
        EXPECT_EQ(f->LlbHelpCAP->caption(), QString::fromUtf8(p.title));
        EXPECT_TRUE(f->WebHelpCON->locationPath().endsWith(
            QStringLiteral("/l3818%1.mxy").arg(p.button - 32)));
        EXPECT_TRUE(f->WebHelpCON->documentText().contains(QString::fromUtf8(p.text))) << p.title;
        for (int i = 32; i <= 36; ++i)
            EXPECT_EQ(f->ClickBotn(i)->Enabled(), i != p.button) << p.button << " " << i;
    }
    // The disabled button keeps its fourth frame while the buttons' timers
    // tick, and a click on it does nothing.
    advance(1000);
    EXPECT_EQ(frameOf(f->ClickBotn(32)), kvtnButton::FrameDisabled);
    EXPECT_EQ(frameOf(f->ClickBotn(33)), kvtnButton::FrameNormal);
    clickButton(f, 33);
    clickButton(f, 15);
    EXPECT_TRUE(onCover(f));
    clickButton(f, 11);
    EXPECT_EQ(f->LlbHelpCAP->caption(), QStringLiteral("备考指南"));
    for (int i = 15; i <= 19; ++i) EXPECT_TRUE(f->ClickBotn(i)->Enabled()) << i;
}

TEST_F(HomeWindow, MissingOrOddHelpPages) {
    QFile::remove(dir().bankFile(QStringLiteral("l38183")));
    ASSERT_TRUE(testsupport::writeBytes(dir().bankFile(QStringLiteral("l38184")),
                                        QByteArray("\x89PNG\r\n\x1a\n\0\0\0binary", 18)));
    FrmFengmian *f = home();
    clickButton(f, 11);
    clickButton(f, 35);
    EXPECT_EQ(f->LlbHelpCAP->caption(), QStringLiteral("答题技巧"));
    EXPECT_FALSE(f->ClickBotn(35)->Enabled());
    EXPECT_TRUE(f->WebHelpCON->documentText().isEmpty());
    clickButton(f, 36);
    EXPECT_EQ(f->LlbHelpCAP->caption(), QStringLiteral("常见问题"));
    EXPECT_TRUE(f->ClickBotn(35)->Enabled());
}

TEST_F(HomeWindow, HelpPageLinksAndPictures) {
    FrmFengmian *f = home();
    forms::WebView *view = f->WebHelpCON;
    // The page's picture is named in other letter case.
    EXPECT_EQ(view->resolveRelative(QStringLiteral("L38189.MXY")),
              dir().bankFile(QStringLiteral("l38189")));
    EXPECT_EQ(view->resolveRelative(QStringLiteral(".\\L38189.mxy")),
              dir().bank() + QStringLiteral("./l38189.mxy"));
    const struct {
        const char *link;
        const char *page;   // the page shown afterwards
        const char *opened; // what the desktop opens (nullptr: nothing)
    } cases[] = {
        {"L38182.MXY", "l38182", nullptr},
        {"http://www.qhqm-soft.example/a", "l38182", "http://www.qhqm-soft.example/a"},
        {"https://b.example/", "l38182", "https://b.example/"},
        {"l38180.mxy#top", "l38180", nullptr},
        {"file:///etc/passwd", "l38180", nullptr},
        {"/etc/passwd", "l38180", nullptr},
        {"javascript:alert(1)", "l38180", nullptr},
        {"mailto:a@b.example", "l38180", nullptr},
        {"nosuchpage.mxy", "l38180", nullptr},
        {"l38181.mxy", "l38181", nullptr},
    };
    for (const auto &c : cases) {
        shell().opened.clear();
        view->followLink(QUrl(QString::fromLatin1(c.link)));
        EXPECT_TRUE(view->locationPath().endsWith(QLatin1String(c.page) + QStringLiteral(".mxy")))
            << c.link << " " << view->locationPath().toStdString();
        EXPECT_EQ(shell().opened,
                  c.opened ? QStringList{QString::fromLatin1(c.opened)} : QStringList())
            << c.link;
    }
    // A page of the bank shows through the same decoding (GBK).
    EXPECT_TRUE(view->documentText().contains(QStringLiteral("备考指南")));
}

} // namespace
