// Timers on the manual clock, and on the real one where only it shows a fault.
#include "forms_fixture.h"

#include <QEventLoop>
#include <QTimer>
#include <functional>

using namespace forms;
using formstest::FormsTest;
namespace ft = forms::testing;

namespace {
class TimerForm : public Form {
public:
    TimerForm() : Form("TimerForm") {
        T1 = new Timer(this, "T1");
        T2 = new Timer(this, "T2");
    }
    Timer *T1, *T2;
};
} // namespace

TEST_F(FormsTest, TicksOfAllTimersRunInTimeOrder) {
    TimerForm f;
    f.T1->setInterval(30);
    f.T2->setInterval(50);
    f.T1->onTimer = [&] { log << QStringLiteral("T1@%1").arg(ft::now()); };
    f.T2->onTimer = [&] { log << QStringLiteral("T2@%1").arg(ft::now()); };
    f.T1->setEnabled(true);
    f.T2->setEnabled(true);
    ft::advance(29);
    EXPECT_TRUE(log.isEmpty());
    ft::advance(121);
    EXPECT_EQ(log, QStringList({"T1@30", "T2@50", "T1@60", "T1@90", "T2@100", "T1@120", "T2@150",
                                "T1@150"}));
    EXPECT_EQ(ft::now(), 150);
}

TEST_F(FormsTest, OneShotTimerSwitchesItselfOffInItsTick) {
    TimerForm f;
    f.T1->setInterval(100);
    int ticks = 0;
    f.T1->onTimer = [&] {
        ++ticks;
        f.T1->setEnabled(false);
    };
    f.T1->setEnabled(true);
    ft::advance(1000);
    EXPECT_EQ(ticks, 1);
    // Switched on again: a full interval from now.
    f.T1->setEnabled(true);
    ft::advance(99);
    EXPECT_EQ(ticks, 1);
    ft::advance(1);
    EXPECT_EQ(ticks, 2);
}

TEST_F(FormsTest, ReEnablingARunningTimerKeepsItsCountdown) {
    // A button's hover timer is switched on at every mouse move: were that
    // a restart, a pointer that keeps moving would hold its tick off.
    struct Case {
        const char *what;
        std::function<void(Timer *)> at60; // what the program does at 60 ms
        QStringList ticks;                 // up to 250 ms
    };
    const Case cases[] = {
        {"left alone", [](Timer *) {}, {"@100", "@200"}},
        {"enabled again", [](Timer *t) { t->setEnabled(true); }, {"@100", "@200"}},
        {"enabled again and again",
         [](Timer *t) {
             for (int i = 0; i < 5; ++i) {
                 t->setEnabled(true);
                 ft::advance(30);
             }
         },
         {"@100", "@200"}},
        {"disabled, then enabled",
         [](Timer *t) {
             t->setEnabled(false);
             t->setEnabled(true);
         },
         {"@160"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ft::Session fresh; // the clock at 0 again
        TimerForm f;
        QStringList ticks;
        f.T1->onTimer = [&] { ticks << QStringLiteral("@%1").arg(ft::now()); };
        f.T1->setInterval(100);
        f.T1->setEnabled(true);
        ft::advance(60);
        c.at60(f.T1);
        ft::advance(250 - ft::now());
        EXPECT_EQ(ticks, c.ticks);
    }
}

TEST_F(FormsTest, TickNeverRunsInsideTheSetters) {
    TimerForm f;
    bool inSetter = false;
    int ticks = 0;
    f.T1->onTimer = [&] {
        EXPECT_FALSE(inSetter);
        ++ticks;
    };
    // A chain: T2's tick switches T1 on, as the demonstration's timers do.
    f.T2->setInterval(10);
    f.T2->onTimer = [&] {
        f.T2->setEnabled(false);
        inSetter = true;
        f.T1->setInterval(1);
        f.T1->setEnabled(true);
        inSetter = false;
    };
    f.T2->setEnabled(true);
    inSetter = true;
    f.T1->setEnabled(false);
    f.T1->setInterval(0);
    f.T1->setEnabled(true); // interval 0: never ticks
    inSetter = false;
    ft::advance(10);
    EXPECT_EQ(ticks, 0);
    ft::advance(1);
    EXPECT_EQ(ticks, 1);
}

TEST_F(FormsTest, TimersTickWhileAModalFormIsOpen) {
    TimerForm owner;
    owner.show();
    TimerForm dialog;
    int ticks = 0;
    owner.T1->setInterval(100);
    owner.T1->onTimer = [&] { ++ticks; };
    owner.T1->setEnabled(true);
    ft::setModalHook([&](Form &shown) {
        EXPECT_EQ(&shown, &dialog);
        EXPECT_TRUE(shown.isModalShown());
        ft::advance(350);
        shown.hide();
    });
    dialog.show(vbModal);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(dialog.visible());

    // A message box answered by the hook also lets time pass.
    ft::setMsgBoxHook([&](const MsgBoxCall &) {
        ft::advance(100);
        return vbNo;
    });
    EXPECT_EQ(msgBox("?", vbYesNo | vbQuestion), vbNo);
    EXPECT_EQ(ticks, 4);
}

TEST_F(FormsTest, OnTheRealClockOtherTimersTickUnderADialogOpenedInATick) {
    // The exam clock's time-out box: a tick opens a modal dialog, and the
    // other timers must go on until it closes.
    clock::useReal();
    TimerForm f;
    TimerForm dialog;
    QEventLoop running;
    bool inDialog = false;
    int opener = 0, other = 0, otherUnderDialog = 0;
    f.T1->setInterval(5);
    f.T1->onTimer = [&] {
        if (++opener > 1) return;
        inDialog = true;
        dialog.show(vbModal);
        inDialog = false;
        f.T1->setEnabled(false);
        running.quit();
    };
    f.T2->setInterval(5);
    f.T2->onTimer = [&] {
        ++other;
        if (inDialog && ++otherUnderDialog == 3) dialog.hide();
    };
    // Should the other timer stop, the dialog is closed anyway (a hang
    // guard: three ticks take some 15 ms).
    QObject guard;
    QTimer::singleShot(20000, &guard, [&] { dialog.hide(); });
    f.T1->setEnabled(true);
    f.T2->setEnabled(true);
    running.exec();

    // A tick already due may still come before the dialog's loop returns
    // on a loaded machine.
    EXPECT_GE(otherUnderDialog, 3);
    EXPECT_EQ(opener, 1); // never re-entered while its handler had the dialog open
}

TEST_F(FormsTest, ManualClockDropsTheTicksOfATimerBlockedInItsHandler) {
    TimerForm f;
    f.T1->setInterval(100);
    f.T2->setInterval(300);
    int ticks = 0;
    f.T1->onTimer = [&] {
        log << QStringLiteral("T1@%1").arg(ft::now());
        // A dialog answered a second later, as a modal hook does.
        if (++ticks == 1) ft::advance(1000);
    };
    f.T2->onTimer = [&] { log << QStringLiteral("T2@%1").arg(ft::now()); };
    f.T1->setEnabled(true);
    f.T2->setEnabled(true);
    ft::advance(100);
    EXPECT_EQ(log, QStringList({"T1@100", "T2@300", "T2@600", "T2@900"}));
    EXPECT_EQ(ft::now(), 1100);
    // As on the real clock: one tick for all those missed, then the interval.
    log.clear();
    ft::advance(0);
    EXPECT_EQ(log, QStringList({"T1@1100"}));
    log.clear();
    ft::advance(200);
    EXPECT_EQ(log, QStringList({"T2@1200", "T1@1200", "T1@1300"}));
}

TEST_F(FormsTest, UnloadStopsTheFormsTimersForGood) {
    TimerForm f;
    f.load();
    int ticks = 0;
    f.T1->setInterval(10);
    f.T1->onTimer = [&] { ++ticks; };
    f.T1->setEnabled(true);
    ft::advance(10);
    EXPECT_TRUE(f.unload());
    ft::advance(100);
    f.T1->setEnabled(true); // a handler running on after its form unloaded
    ft::advance(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(f.T1->enabled());
}

TEST_F(FormsTest, ErrorInATickIsReportedAndTheClockGoesOn) {
    TimerForm f;
    std::vector<int> errors;
    setUnhandledErrorHook([&](const Error &e) { errors.push_back(e.number()); });
    int ticks = 0;
    f.T1->setInterval(10);
    f.T1->onTimer = [&] {
        ++ticks;
        forms::raise(53);
    };
    f.T1->setEnabled(true);
    ft::advance(30);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(errors, std::vector<int>({53, 53, 53}));
}
