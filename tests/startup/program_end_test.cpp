// The end of the run from inside every kind of wait that runs the event
// loop, each in a child run of this test program with the program's own
// main loop and end (QCoreApplication::exit, as main sets it): control must
// leave the wait and the main loop, and the process must end at once with
// exit code 0, not spin in a wait whose loop returns at once after the
// exit.
#include "../demo/demo_state.h"
#include "child_process.h"
#include "demo/frm_yanshi.h"
#include "forms/forms.h"
#include "forms/testing.h"
#include "loopback_servers.h"
#include "platform/http.h"
#include "platform/paths.h"
#include "platform/run_end.h"
#include "program_fixture.h"
#include "sample_demo.h"
#include "sample_judging.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "startup/program_end.h"
#include "startup/run_state.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <gtest/gtest.h>

#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

using namespace forms;

namespace {

// The process ends within a second; only a hang takes this long.
constexpr int kHangGuardMs = 20000;

void say(const QByteArray &line) {
    std::printf("%s\n", line.constData());
    std::fflush(stdout);
}

// A wait that could not be set up ends the child at once, failed: the
// parent would otherwise wait for an end that never comes.
void cannotWait(const QByteArray &why) {
    say(why);
    QCoreApplication::exit(1);
}

class WaitForm : public Form {
public:
    WaitForm() : Form(QStringLiteral("WaitForm")) {
        Grip = add<Label>(QStringLiteral("Grip"));
        Grip->move(0, 0, 3000, 600);
        Grip->onMouseDown = [this](int, int, double, double) { dragWindow(); };
        Tick = new Timer(this, QStringLiteral("Tick"));
        Tick->setInterval(50);
    }
    Label *Grip = nullptr;
    Timer *Tick = nullptr;
};

// Enters the wait of a kind; returns once control has left it.
void enterWait(const QString &kind, const std::function<void()> &endInside) {
    if (kind == QLatin1String("get") || kind == QLatin1String("download")) {
        testsupport::SilentServer server;
        if (server.port() == 0) return cannotWait("no server");
        const QString url = server.url(QStringLiteral("/list.txt"));
        QTimer::singleShot(200, endInside);
        if (kind == QLatin1String("get")) {
            const platform::HttpReply r = platform::http().get(url, 60000);
            say("get outcome " + QByteArray::number(int(r.outcome)));
        } else {
            QTemporaryDir tmp;
            const QString file = tmp.filePath(QStringLiteral("f.mxy"));
            const bool ok = platform::http().download(url, file, 60000);
            say(QByteArray("download ") + (ok ? "true" : "false") +
                (QFile::exists(file) ? " file" : " no file"));
        }
    } else if (kind == QLatin1String("modal")) {
        QTimer::singleShot(200, endInside);
        form<WaitForm>()->show(vbModal);
    } else if (kind == QLatin1String("msgbox")) {
        forms::testing::setRealMessageBoxes(true);
        QTimer::singleShot(200, endInside);
        const int answer = msgBox(QStringLiteral("您确实要退出学习软件吗？"), vbYesNo);
        say("box answer " + QByteArray::number(answer));
    } else if (kind == QLatin1String("drag")) {
        WaitForm *f = form<WaitForm>();
        f->show();
        QTimer::singleShot(200, endInside);
        // The press stays down: only the end can leave the drag's loop.
        QTest::mousePress(f->widget(), Qt::LeftButton, {}, QPoint(20, 10));
    } else if (kind == QLatin1String("timer")) {
        // The end inside a timer's handler, which then goes on as the
        // update's does: a message and a modal window, neither of which may
        // wait any more.
        WaitForm *f = form<WaitForm>();
        f->Tick->onTimer = [f, endInside] {
            f->Tick->setEnabled(false);
            endInside();
            msgBox(QStringLiteral("已更新1/1文件。请重新打开软件！"), vbOKOnly);
            form<WaitForm>()->show(vbModal);
            say("handler went on");
        };
        f->Tick->setEnabled(true);
    } else if (kind == QLatin1String("demo")) {
        // Kept to the process's end: the run ends with the demonstration on it.
        auto *folder = new testsupport::ProgramFolder(std::vector<testsupport::AddFiles>{
            sample::addStartupFiles, sample::addShellPictures, sample::addStepEngineFiles,
            sample::addJudgingFiles, sample::addShellQuestions, sample::addShellJudgingFiles,
            sample::addDemoPictures});
        if (!folder->laidOut()) return cannotWait("no sample");
        startup::resetState();
        platform::setProgramFolder(folder->dir().root);
        Screen::setFake(1366, 768);
        demostate::demonstrateUnit(folder->dir(), 0);
        form<FrmYanShi>()->show();
        QTimer::singleShot(700, endInside);
    }
}

TEST(ProgramEndChild, FromInsideAWait) {
    if (testsupport::childRole() != QLatin1String("end")) GTEST_SKIP() << testsupport::kChildOnly;
    const QString kind = testsupport::childValue("W7_END_KIND");
    startup::setEndHandler([](int code) { QCoreApplication::exit(code); });
    const auto endInside = [] {
        say("ending");
        startup::endProgram();
    };
    QTimer::singleShot(0, [&] {
        enterWait(kind, endInside);
        say("left the wait");
    });
    const int code = QCoreApplication::exec();
    say("left the main loop " + QByteArray::number(code));
    EXPECT_TRUE(startup::programEnded());
    EXPECT_EQ(platform::endableWaits(), 0);
}

TEST(ProgramEnd, EndsFromInsideEveryKindOfWait) {
    const struct {
        const char *kind;
        QByteArray saysInside; // what the wait reports on its way out
    } cases[] = {
        {"get", "get outcome 2"}, // Failed: the run ended, no answer came
        {"download", "download false no file"},
        {"modal", ""},
        {"msgbox", "box answer 7"}, // vbNo: the box counted as dismissed
        {"drag", ""},
        {"timer", "handler went on"},
        {"demo", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        testsupport::ChildProcess child(
            QStringLiteral("ProgramEndChild.FromInsideAWait"), QStringLiteral("end"),
            {QStringLiteral("W7_END_KIND=") + QString::fromLatin1(c.kind)});
        ASSERT_TRUE(child.started());
        ASSERT_TRUE(child.waitForLine("ending")) << child.output().toStdString();
        QElapsedTimer sinceEnd;
        sinceEnd.start();
        // A spinning wait never ends, and the requests' waits would end only
        // at their limit of a minute: the kill after the hang guard fails
        // the case.
        child.runFor(qint64(kHangGuardMs) * 1000 * 1000);
        const qint64 ms = sinceEnd.elapsed();
        child.kill();
        const int code = child.wait();
        std::printf("[ figure ] end from inside %s: process gone %lld ms after the end\n", c.kind,
                    static_cast<long long>(ms));
        EXPECT_EQ(code, 0) << child.output().toStdString();
        const QByteArray out = child.output();
        EXPECT_TRUE(out.contains("left the wait\n")) << out.toStdString();
        EXPECT_TRUE(out.contains("left the main loop 0\n")) << out.toStdString();
        if (!c.saysInside.isEmpty()) {
            EXPECT_TRUE(out.contains(c.saysInside + '\n')) << out.toStdString();
        }
        EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
    }
}

} // namespace
