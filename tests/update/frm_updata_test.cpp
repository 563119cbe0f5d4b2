#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "platform/fakes.h"
#include "sample_dir.h"
#include "startup/program_end.h"
#include "startup/program_info.h"
#include "startup/run_state.h"
#include "update/frm_updata.h"
#include "update_fixture.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>

namespace ft = forms::testing;
using startup::state;
using testsupport::gbkLines;
using updatetest::kListPath;
using updatetest::serverPath;
using Mode = testsupport::HttpTestServer::Mode;

namespace {

const QString kBannerPath = QStringLiteral("/up/ad/kvtn/170100.rar");
// The window's version check gets a minute: no reply of the local server
// misses that, however loaded the machine, and a check that waits it out
// is told from one that ended early. Waits bounded here are hang guards.
constexpr int kListSeconds = 60;
constexpr qint64 kHangGuardMs = 20000;

// The update window opened from the home page's button, the update server
// configured in w7practice.ini as an installation would have it.
class UpdateWindow : public updatetest::UpdateFixture {
protected:
    UpdateWindow() {
        startup::resetProgramEnded();
        startup::readInfo(state());
        platform::setHttp(platform::makeNetworkHttp());
        server.serve(kBannerPath, gbkLines({"新题库◎已发布", "255", "http://www.example.org/"}));
        FrmUpdata::setListSecondsForTests(kListSeconds);
    }
    ~UpdateWindow() override {
        FrmUpdata::setListSecondsForTests(0);
        startup::resetProgramEnded();
    }

    void configureServer(const QString &host) {
        ASSERT_TRUE(testsupport::writeBytes(dir().root + "w7practice.ini",
                                            "[Update]\r\nHost=" + host.toUtf8() + "\r\n"));
    }

    FrmUpdata *openFromHome() {
        FrmFengmian *home = forms::form<FrmFengmian>();
        home->show();
        ft::click(home->ClickBotn(8), 100, 100);
        return forms::loadedForm<FrmUpdata>();
    }

    ft::Session session;
};

TEST_F(UpdateWindow, AcceptedUpdateFromTheHomePageToTheEndOfTheRun) {
    configureServer(server.host().mid(7)); // "127.0.0.1:port": http:// is added
    // The running program is this test program.
    const QByteArray list =
        gbkLines({"201601010000", "K201601010000l30001", "M201601010000test_update"});
    server.serve(kListPath, list);
    server.serve(serverPath("ksdata/l30001.rar"), "new picture");
    server.serve(serverPath("test_update.rar"), "new program");
    ASSERT_TRUE(testsupport::writeBytes(dir().root + "qhitpk.rar", "updater"));
    bool visibleAtQuestion = true;
    ft::setMsgBoxHook([&](const forms::MsgBoxCall &c) {
        if (c.title == "升级软件") {
            visibleAtQuestion = forms::loadedForm<FrmUpdata>()->visible();
            return int(forms::vbYes);
        }
        return int(forms::vbOK);
    });

    FrmUpdata *w = openFromHome();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(state().ShowUpdateWindow, 1);
    // The banner came while the window loaded; the check waits for the timer.
    EXPECT_EQ(bytes(dir().ksdata() + "170100.mxy"),
              gbkLines({"新题库◎已发布", "255", "http://www.example.org/"}));
    EXPECT_EQ(server.paths, QStringList{kBannerPath});
    EXPECT_EQ(w->LblVer->caption(), "201503070905");
    EXPECT_EQ(w->Label1->caption(), "");
    EXPECT_EQ(w->Label2->caption(), "");

    ft::advance(100);

    ASSERT_EQ(ft::msgBoxes().size(), 2u);
    EXPECT_EQ(ft::msgBoxes()[0].prompt, "题库有新文件，是否要进行升级？");
    EXPECT_EQ(ft::msgBoxes()[0].style, forms::vbYesNo | forms::vbQuestion);
    EXPECT_FALSE(visibleAtQuestion);
    EXPECT_EQ(ft::msgBoxes()[1].prompt, "已更新2/2文件。请重新打开软件！");
    EXPECT_EQ(ft::msgBoxes()[1].style, forms::vbOKOnly);
    EXPECT_EQ(bytes(dir().ksdata() + "l30001.mxy"), "new picture");
    EXPECT_EQ(bytes(dir().root + "test_update_bak"), "new program");
    EXPECT_EQ(bytes(dir().root + "uprun.dll"), gbkLines({dir().root + "test_update_bak"}));
    EXPECT_EQ(bytes(dir().bankFile("288895")), list);
    ASSERT_EQ(shell().started.size(), 1);
    EXPECT_EQ(shell().started[0].first, dir().root + "qhitpk.rar");
    EXPECT_TRUE(startup::programEnded());
}

// On the real clock the check's timer would fire inside the banner's wait,
// and an accepted update would end the run under that wait: the check must
// start only once the banner has arrived, and then end the run.
TEST_F(UpdateWindow, TheCheckStartsOnlyAfterTheBannerArrived) {
    configureServer(server.host());
    forms::clock::useReal();
    const QByteArray banner = gbkLines({"新题库◎已发布", "255", "http://www.example.org/"});
    server.trickleMs = 50;
    server.tricklePieces = 10; // half a second, well past the check's timer
    server.serve(kBannerPath, banner, 200, Mode::Trickle);
    server.serve(kListPath, gbkLines({"201601010000", "K201601010000l30001"}));
    server.serve(serverPath("ksdata/l30001.rar"), "new picture");
    QByteArray bannerAtQuestion;
    ft::setMsgBoxHook([&](const forms::MsgBoxCall &c) {
        if (c.title != "升级软件") return int(forms::vbOK);
        bannerAtQuestion = bytes(dir().ksdata() + "170100.mxy");
        return int(forms::vbYes);
    });

    ASSERT_NE(openFromHome(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return startup::programEnded(); }, kHangGuardMs));

    EXPECT_EQ(bannerAtQuestion, banner);
    EXPECT_EQ(server.paths,
              QStringList({kBannerPath, kListPath, kListPath, serverPath("ksdata/l30001.rar")}));
    ASSERT_EQ(ft::msgBoxes().size(), 2u);
    EXPECT_EQ(ft::msgBoxes()[1].prompt, "已更新1/1文件。请重新打开软件！");
}

TEST_F(UpdateWindow, UpToDateShowsBothVersionsUntilClosed) {
    configureServer(server.host());
    server.serve(kListPath, " 201503070905 \r\n");
    FrmUpdata *w = openFromHome();
    ASSERT_NE(w, nullptr);
    ft::advance(100);
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(w->Label4->caption(), "新版本检测——中文Windows 7操作系统");
    EXPECT_EQ(w->Label3->caption(), "当前题库版本是：");
    EXPECT_EQ(w->LblVer->caption(), "201503070905");
    EXPECT_EQ(w->Label1->caption(), "最新题库版本是：201503070905");
    EXPECT_EQ(w->Label2->caption(), "已是最新版本，无需升级。");
    EXPECT_EQ(w->caption(), "职称计算机考试练习系统");
    EXPECT_TRUE(ft::msgBoxes().empty());
    // The check runs once per loading: showing it again asks nothing.
    ft::advance(1000);
    EXPECT_EQ(server.paths, QStringList({kBannerPath, kListPath}));

    ft::click(w->Command1, 100, 100);
    EXPECT_EQ(forms::loadedForm<FrmUpdata>(), nullptr);
    EXPECT_FALSE(startup::programEnded());
}

TEST_F(UpdateWindow, WithoutAServerItSaysTheBankCannotBeChecked) {
    FrmUpdata *w = openFromHome();
    ASSERT_NE(w, nullptr);
    ft::advance(100);
    EXPECT_EQ(w->Label1->caption(), "");
    EXPECT_EQ(w->Label2->caption(), "未设置升级服务器，无法检测题库版本。");
    EXPECT_TRUE(server.paths.isEmpty());
    EXPECT_FALSE(exists(dir().ksdata() + "170100.mxy"));
}

TEST_F(UpdateWindow, AServerThatNeverAnswersIsGivenUpAfterTheTimeLimit) {
    FrmUpdata::setListSecondsForTests(0); // the program's own limit
    configureServer(server.host());
    server.serve(kListPath, {}, 200, Mode::Silent);
    const QByteArray version = bytes(dir().bankFile("288895"));
    FrmUpdata *w = openFromHome();
    ASSERT_NE(w, nullptr);
    QElapsedTimer clock;
    clock.start();
    ft::advance(100);
    // Two whole seconds, and what remained of the one the request began in.
    const qint64 waited = clock.elapsed();
    std::printf("[ figure ] a silent server given up after %lld ms\n",
                static_cast<long long>(waited));
    EXPECT_GE(waited, 2000);
    EXPECT_LT(waited, 10 * 3000) << "a hang guard, ten times the limit";
    EXPECT_EQ(w->Label1->caption(), "");
    EXPECT_EQ(w->Label2->caption(), "网络超时，无法检测题库版本，请稍后重试。");
    EXPECT_EQ(bytes(dir().bankFile("288895")), version);
    EXPECT_FALSE(exists(dir().ksdata() + "288895.mxy"));
    EXPECT_TRUE(ft::msgBoxes().empty());
}

TEST_F(UpdateWindow, NoAtTheQuestionClosesTheWindow) {
    configureServer(server.host());
    server.serve(kListPath, gbkLines({"201601010000", "K201601010000l30001"}));
    server.serve(serverPath("ksdata/l30001.rar"), "new picture");
    ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return int(forms::vbNo); });
    ASSERT_NE(openFromHome(), nullptr);
    ft::advance(100);
    EXPECT_EQ(ft::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::loadedForm<FrmUpdata>(), nullptr);
    EXPECT_FALSE(exists(dir().ksdata() + "l30001.mxy"));
    EXPECT_FALSE(startup::programEnded());
}

TEST_F(UpdateWindow, ClosingDuringTheWaitEndsTheCheck) {
    configureServer(server.host());
    server.serve(kListPath, {}, 200, Mode::Silent);
    FrmUpdata *w = openFromHome();
    ASSERT_NE(w, nullptr);
    // The close button is pressed while the request waits, as a user would.
    QTimer::singleShot(200, [&] { ft::click(w->Command1, 100, 100); });
    QElapsedTimer clock;
    clock.start();
    ft::advance(100);
    // Well before the check's minute, which a wait that did not end would
    // have run out.
    EXPECT_LT(clock.elapsed(), kHangGuardMs);
    EXPECT_EQ(forms::loadedForm<FrmUpdata>(), nullptr);
    EXPECT_EQ(w->lastCheck().outcome, update::Outcome::Cancelled);
    EXPECT_EQ(server.paths, QStringList({kBannerPath, kListPath}));
    EXPECT_TRUE(ft::msgBoxes().empty());
    EXPECT_TRUE(state().LastErrorProc.isEmpty()) << state().LastErrorText.toStdString();
}

TEST_F(UpdateWindow, ARunEndedWhileTheListCameAsksNothing) {
    configureServer(server.host());
    auto fake = std::make_unique<platform::FakeHttp>();
    const QString list = server.url(kListPath);
    fake->reply(list, "201601010000\r\nK201601010000l30001\r\n");
    fake->files.insert(list, "201601010000\r\nK201601010000l30001\r\n");
    // The home page's exit, taken while the request waits.
    fake->whileWaiting = [&](const QString &url) {
        if (url == list) startup::endProgram();
    };
    platform::FakeHttp *http = fake.get();
    platform::setHttp(std::move(fake));
    ASSERT_NE(openFromHome(), nullptr);
    ft::advance(100);
    EXPECT_TRUE(startup::programEnded());
    EXPECT_TRUE(ft::msgBoxes().empty());
    EXPECT_FALSE(http->requested.contains(server.url(serverPath("ksdata/l30001.rar"))));
    EXPECT_EQ(bytes(dir().bankFile("288895")), "201503070905\r\n");
}

} // namespace
