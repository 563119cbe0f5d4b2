#include "update/frm_updata.h"

#include "platform/paths.h"
#include "platform/system.h"
#include "startup/program_end.h"
#include "startup/program_info.h"
#include "startup/run_state.h"
#include "startup/services.h"

#include <QCoreApplication>
#include <QFileInfo>

using startup::state;

namespace {

forms::Label *addLabel(forms::Form *f, const QString &name) {
    auto *l = f->add<forms::Label>(name);
    l->setBackStyle(forms::vbTransparent);
    l->setAutoSize(true);
    return l;
}

int &listSecondsForTests() {
    static int seconds = 0;
    return seconds;
}

update::UpdateConfig configFromRunState() {
    const startup::RunState &s = state();
    update::UpdateConfig c;
    if (listSecondsForTests() > 0) c.listSeconds = listSecondsForTests();
    c.host = startup::configuredHost(QStringLiteral("Update"));
    c.programFolder = platform::programFolder();
    c.dataPath = s.DataPath;
    c.subject = s.SubjectName;
    c.bankVersion = s.BankVersion;
    c.bannerCode = s.InfoTable[12];
    c.programName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return c;
}

} // namespace

void FrmUpdata::setListSecondsForTests(int seconds) {
    listSecondsForTests() = seconds;
}

FrmUpdata::FrmUpdata() : forms::Form(QStringLiteral("FrmUpdata")) {
    setBorderStyle(forms::vbBSNone);
    ImgLogo1 = add<forms::Image>(QStringLiteral("ImgLogo1"));
    Label4 = addLabel(this, QStringLiteral("Label4"));
    Label4->setForeColor(forms::rgb(255, 255, 255));
    Label4->setFontName(QStringLiteral("宋体"));
    Label3 = addLabel(this, QStringLiteral("Label3"));
    LblVer = addLabel(this, QStringLiteral("LblVer"));
    LblVer->setAutoSize(false);
    Label1 = addLabel(this, QStringLiteral("Label1"));
    Label2 = addLabel(this, QStringLiteral("Label2"));
    Label2->setForeColor(forms::rgb(255, 0, 0));
    Label2->setFontName(QStringLiteral("宋体"));
    // The reasons a check got no answer are longer than a line.
    Label2->setWordWrap(true);
    // The drag strip lies over the title, below the button.
    lblMove = addLabel(this, QStringLiteral("lblMove"));
    lblMove->setAutoSize(false);
    Command1 = add<kvtnButton>(QStringLiteral("Command1"));
    Timer1 = new forms::Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(100);

    onLoad = [this] { Form_Load(); };
    // A window closed while the check waits ends the request; the check
    // then does nothing more.
    onUnload = [this](int &) {
        if (updater_) updater_->cancel();
    };
    Timer1->onTimer = [this] { Timer1_Timer(); };
    Command1->onClick = [this] { Command1_Click(); };
    lblMove->onMouseDown = [this](int b, int s, double x, double y) {
        lblMove_MouseDown(b, s, x, y);
    };
}

void FrmUpdata::Form_Load() {
    forms::Trap trap(QStringLiteral("upload"), startup::reportingHandler());
    const startup::RunState &s = state();
    const QString bank = s.DataPath;

    trap([&] { setTopmost(true); });
    trap([&] { setWidth(5550 * s.ScaleX); });
    trap([&] { setHeight(3750 * s.ScaleY); });
    trap([&] { setIcon(forms::loadPicture(bank + QStringLiteral("l62011.mxy"))); });
    trap([&] { setCaption(startup::infoDefaults()[9]); });
    trap([&] { setPicture(forms::loadPicture(bank + QStringLiteral("l20069.mxy"))); });

    trap([&] { ImgLogo1->move(120 * s.ScaleX, 90 * s.ScaleY); });
    trap([&] { ImgLogo1->loadPicture(bank + QStringLiteral("l20067.mxy")); });

    trap([&] { lblMove->move(0, 0, 5580 * s.ScaleX, 540 * s.ScaleY); });
    trap([&] {
        Label3->move(360 * s.ScaleX, 960 * s.ScaleY);
        Label3->setFontSize(9 * s.ScaleX);
    });
    trap([&] {
        Label1->move(Label3->left(), 1440 * s.ScaleY);
        Label1->setFontSize(9 * s.ScaleX);
    });
    trap([&] {
        LblVer->move(1800 * s.ScaleX, Label3->top(), 1935, 255);
        LblVer->setFontSize(9 * s.ScaleX);
    });
    trap([&] {
        Label2->move(Label3->left(), 1920 * s.ScaleY, 4950 * s.ScaleX, 300 * s.ScaleY);
        Label2->setFontSize(14 * s.ScaleX);
    });
    trap([&] {
        Label4->move(600 * s.ScaleX, 150 * s.ScaleY);
        Label4->setFontSize(10 * s.ScaleX);
        Label4->setCaption(QStringLiteral("新版本检测——") + s.ModuleName);
    });

    trap(
        [&] { Command1->move(3480 * s.ScaleX, 2880 * s.ScaleY, 1350 * s.ScaleX, 450 * s.ScaleY); });
    trap([&] { Command1->setPicture(forms::loadPicture(bank + QStringLiteral("l20001.mxy"))); });

    // The newest version and the verdict wait for the server's answer.
    trap([&] { Label3->setCaption(QStringLiteral("当前题库版本是：")); });
    trap([&] { LblVer->setCaption(s.BankVersion); });
    trap([&] { Label1->setCaption(QString()); });
    trap([&] { Label2->setCaption(QString()); });

    trap([&] {
        move((forms::Screen::width() - width()) / 2, (forms::Screen::height() - height()) / 2);
    });

    createUpdater();

    trap([&] { hide(); });
    // The banner's wait runs the event loop: the check's timer starts only
    // after it, so that the check never runs inside that wait (it would
    // then end the run under a wait still on the stack). The banner has a
    // limit of its own, so it holds the check up no longer than that.
    trap([&] { updater_->fetchBanner(); });
    if (updater_->cancelled()) return;
    trap([&] { Timer1->setEnabled(true); });
}

void FrmUpdata::createUpdater() {
    files_ = update::makeDiskFiles();
    update::UpdateHooks hooks;
    hooks.ask = [this](const QString &prompt, const QString &title) {
        // The run may have ended from the home page while the list came.
        if (startup::programEnded()) return false;
        forms::skip([&] { hide(); });
        return forms::msgBox(prompt, forms::vbYesNo | forms::vbQuestion, title) == forms::vbYes;
    };
    hooks.tell = [](const QString &message) { forms::msgBox(message, forms::vbOKOnly); };
    hooks.startProcess = [](const QString &program) {
        return platform::shell().startProcess(program, {});
    };
    hooks.endProgram = [] { startup::endProgram(); };
    hooks.report = [](const QString &tag, int32_t number, const QString &text) {
        startup::trapError(tag, number, text);
    };
    updater_ = std::make_unique<update::Updater>(platform::http(), *files_, std::move(hooks),
                                                 configFromRunState());
}

void FrmUpdata::Timer1_Timer() {
    setVisible(state().ShowUpdateWindow != 0);
    Timer1->setEnabled(false);
    TKUP();
}

void FrmUpdata::TKUP() {
    forms::Trap trap(QStringLiteral("tkup"), startup::reportingHandler());
    trap([&] { lastCheck_ = updater_->check(); });
    switch (lastCheck_.outcome) {
    case update::Outcome::Cancelled:
    case update::Outcome::Updated:
        return;
    case update::Outcome::Declined:
        unload();
        return;
    default:
        trap([&] { showAnswer(); });
    }
}

void FrmUpdata::showAnswer() {
    if (!lastCheck_.serverVersion.isEmpty())
        Label1->setCaption(QStringLiteral("最新题库版本是：") + lastCheck_.serverVersion);
    Label2->setCaption(update::outcomeText(lastCheck_));
}

void FrmUpdata::Command1_Click() {
    unload();
}

void FrmUpdata::lblMove_MouseDown(int button, int, double, double) {
    if (button == forms::vbLeftButton) dragWindow();
}
