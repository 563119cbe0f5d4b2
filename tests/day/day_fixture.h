#pragma once
// The whole sample installation as a program folder, started the way the
// executable starts it and driven through the forms layer's mouse and keys
// on its manual clock: the candidate's windows, reached as a person reaches
// them, for the tests of a whole day.
#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "http_test_server.h"
#include "panel/frm_chengji.h"
#include "panel/frm_logon.h"
#include "panel/frm_tm.h"
#include "panel/hand_in.h"
#include "platform/fakes.h"
#include "platform/http.h"
#include "platform/text.h"
#include "program_fixture.h"
#include "sample_demo.h"
#include "sample_exam.h"
#include "sample_home.h"
#include "sample_judging.h"
#include "sample_panel.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "sample_update.h"
#include "simulator/frm_main.h"
#include "simulator/step_record.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/frm_start.h"
#include "startup/program_end.h"
#include "startup/run_state.h"
#include "update/frm_about.h"
#include "update/frm_updata.h"
#include "demo/frm_yanshi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <map>

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os) {
    *os << '{' << l.join(", ").toStdString() << '}';
}

namespace daytest {

namespace ft = forms::testing;
using startup::state;

using Records = std::map<QString, QByteArray>;

class CandidateDay : public testsupport::ProgramFixture {
protected:
    CandidateDay() : ProgramFixture(testsupport::wholeSampleParts(), QStringLiteral("whole")) {
        startup::resetProgramEnded();
        forms::Screen::setFake(1366, 768);
        platform::setHttp(platform::makeNetworkHttp());
        testsupport::writeBytes(dir().root + "w7practice.ini",
                                "[Update]\r\nHost=" + server.host().toUtf8() + "\r\n");
        ft::setModalHook([this](forms::Form &f) {
            modals << f.name();
            if (const auto it = onModal.find(f.name()); it != onModal.end()) it->second(f);
        });
    }
    ~CandidateDay() override {
        startup::resetProgramEnded();
        platform::setHttp(std::make_unique<platform::FakeHttp>());
    }

    // What main does: the start window loaded, shown unless the start-up
    // ended the run; then the event loop, whose first tick is the deferred
    // start that opens the home page.
    FrmFengmian *startProgram() {
        FrmStart *start = forms::form<FrmStart>();
        if (startup::programEnded()) return nullptr;
        start->show();
        ft::advance(100);
        return forms::loadedForm<FrmFengmian>();
    }
    // The program ended and started again on the same folder.
    FrmFengmian *restart() {
        EXPECT_TRUE(startup::programEnded());
        ft::unloadAll();
        startup::resetProgramEnded();
        startup::resetState();
        return startProgram();
    }

    // The record files, the run logs left out (their names are the run's
    // start time).
    Records records() const {
        Records out;
        for (const QFileInfo &e : QDir(dir().ksdata()).entryInfoList(QDir::Files)) {
            if (e.suffix() == "txt") continue;
            out[e.fileName()] = testsupport::readBytes(e.filePath());
        }
        return out;
    }
    // The records expected: before, with the changed files' new bytes.
    static Records changed(Records before, const Records &changes) {
        for (const auto &[name, bytes] : changes) before[name] = bytes;
        return before;
    }

    // The record files compared one by one, their text shown on a mismatch.
    void expectRecords(const Records &expected, const char *when) {
        SCOPED_TRACE(when);
        const Records now = records();
        QStringList names, expectedNames;
        for (const auto &e : now) names << e.first;
        for (const auto &e : expected) expectedNames << e.first;
        EXPECT_EQ(names.join(' ').toStdString(), expectedNames.join(' ').toStdString());
        for (const auto &[name, bytes] : expected) {
            const auto it = now.find(name);
            if (it == now.end()) continue;
            EXPECT_EQ(platform::decodeGbk(it->second).toStdString(),
                      platform::decodeGbk(bytes).toStdString())
                << name.toStdString();
            EXPECT_EQ(it->second, bytes) << name.toStdString();
        }
    }

    FrmTm *tm() { return forms::loadedForm<FrmTm>(); }
    FrmMain *screen() { return forms::loadedForm<FrmMain>(); }
    void press(int button) { ft::click(tm()->CmdGN(button), 150, 150); }
    static void clickButton(FrmFengmian *f, int i) {
        kvtnButton *b = f->ClickBotn(i);
        ft::click(b, b->width() / 2, b->height() / 2);
    }
    static double midX(forms::Control *c) { return c->width() / 2; }
    static double midY(forms::Control *c) { return c->height() / 2; }
    QString actionCode() const { return sim::StepRecord(state().CurRecord).actionCode(); }
    // A list tab from wherever the home page stands: the cover's tile, or
    // the top bar's button when a tab is open.
    static void openTab(FrmFengmian *home, int topBarButton) {
        if (!home->PicTOP->visible()) clickButton(home, 4);
        if (home->ClickBotn(topBarButton)->enabled()) clickButton(home, topBarButton);
    }
    // Answers the program's own message box with its button (1 confirms).
    void confirmBoxes(int button = 1) {
        onModal["FrmQHMSGBOX"] = [this, button](forms::Form &f) {
            boxPrompts << static_cast<FrmQHMSGBOX &>(f).LblPrompt->caption();
            ft::click(static_cast<FrmQHMSGBOX &>(f).LblClick(button), 100, 100);
        };
    }
    // The home page's exit, confirmed in the program's own message box.
    void exitThroughHomePage(FrmFengmian *home) {
        modals.clear();
        onModal["FrmQHMSGBOX"] = [](forms::Form &f) {
            EXPECT_EQ(static_cast<FrmQHMSGBOX &>(f).LblTitle->caption(), "退出系统");
            ft::click(static_cast<FrmQHMSGBOX &>(f).LblClick(1), 100, 100);
        };
        clickButton(home, 3);
        EXPECT_EQ(modals, QStringList({"FrmQHMSGBOX"}));
        EXPECT_TRUE(startup::programEnded());
    }
    // The sample's folder question: a double click on the folder, then its
    // timed step runs to the last.
    void openTheFolder() {
        ft::dblClick(screen()->Label1, midX(screen()->Label1), midY(screen()->Label1));
        ft::advance(3000);
    }
    // The sample's drag question: the folder dragged onto the other.
    void dragTheFolder() {
        FrmMain *m = screen();
        ft::press(m->Label4, midX(m->Label4), midY(m->Label4));
        ft::move(m->Label1, midX(m->Label1), midY(m->Label1));
        ft::release(m->Label1, midX(m->Label1), midY(m->Label1));
    }
    // From the papers tab's first row through the login to question 1.
    void sitFirstPaper(FrmFengmian *home) {
        clickButton(home, 70);
        FrmLogon *login = forms::loadedForm<FrmLogon>();
        ASSERT_NE(login, nullptr);
        ft::advance(100);
        ft::click(login->CmdLog, 100, 100);
        ft::advance(700);
        ASSERT_FALSE(forms::loadedForm<FrmLogon>());
        ft::advance(500); // the panel's timers load the question and build its step
        ASSERT_TRUE(tm() && screen());
        ASSERT_EQ(state().PaperMode, startup::MockPaper);
    }
    // Hand-in through both confirmations to the score sheet.
    FrmChengji *handIn() {
        modals.clear();
        answerHandIn("FrmEnd1");
        answerHandIn("FrmEnd2");
        press(panel::HandIn);
        EXPECT_EQ(modals, QStringList({"FrmEnd1", "FrmEnd2"}));
        FrmChengji *sheet = forms::loadedForm<FrmChengji>();
        EXPECT_TRUE(sheet && sheet->visible());
        return sheet;
    }
    void answerHandIn(const QString &form) {
        onModal[form] = [](forms::Form &f) {
            ft::click(static_cast<panel::HandInDialog &>(f).Command1, 300, 150);
        };
    }

    testsupport::HttpTestServer server;
    QStringList modals, boxPrompts;
    std::map<QString, std::function<void(forms::Form &)>> onModal;
    ft::Session session;
};

} // namespace daytest
