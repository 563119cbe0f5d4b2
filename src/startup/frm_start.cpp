#include "startup/frm_start.h"

#include "home/frm_fengmian.h"
#include "home/home_files.h"
#include "panel/record_files.h"
#include "panel/record_message.h"
#include "platform/atomic_files.h"
#include "platform/paths.h"
#include "platform/system.h"
#include "startup/program_end.h"
#include "startup/program_info.h"
#include "startup/run_state.h"
#include "startup/services.h"

#include <QDir>

using startup::state;

const QString FrmStart::kAlreadyRunning =
    QStringLiteral("考试练习系统已在运行。如果你没有找到，请关闭其它窗口和程序，或者注销或重启。");
const QString FrmStart::kAlreadyRunningTitle = QStringLiteral("系统提示");

FrmStart::FrmStart() : forms::Form(QStringLiteral("FrmStart")) {
    setBorderStyle(forms::vbBSNone);
    Label1 = add<forms::Label>(QStringLiteral("Label1"));
    Label1->setBackStyle(forms::vbTransparent);
    Label1->setAutoSize(true);
    Label1->setForeColor(forms::rgb(255, 255, 255));
    Timer1 = new forms::Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    onLoad = [this] { Form_Load(); };
    Timer1->onTimer = [this] { Timer1_Timer(); };
    // Only the deferred start closes the splash: closed from the desktop
    // before it, the home page would never open.
    onQueryUnload = [](int &cancel, int mode) {
        if (mode == forms::vbFormControlMenu) cancel = 1;
    };
}

void FrmStart::Form_Load() {
    forms::Trap trap(QStringLiteral("startload"), startup::reportingHandler());
    startup::RunState &s = state();

    // One copy only, per user and per installation: two copies on one
    // ksdata would each take the other's commit in progress for the
    // remains of a crash. The box comes before anything is read. The lock
    // makes ksdata when it is missing. A lock that cannot be made (a folder
    // that cannot be written, a lock file this user may not open) is no
    // other copy: the start goes on, and the run log tells it once named.
    const QString userData =
        platform::resolvePath(platform::programFolder() + QStringLiteral("ksdata/"));
    if (!platform::singleInstance().acquire(QLatin1String(startup::kInstanceLockName), userData)) {
        forms::msgBox(kAlreadyRunning, forms::vbOKOnly | forms::vbInformation,
                      kAlreadyRunningTitle);
        startup::endProgram();
        return;
    }
    LockFaults = platform::singleInstance().faults();

    std::optional<startup::DamagedFile> damaged;
    trap([&] { damaged = readInfo(); });
    if (damaged) {
        startup::endForDamagedFile(*damaged);
        return;
    }
    // The candidate's records and the run log live in ksdata: make it when
    // an installation comes without it.
    trap([&] {
        if (!QDir().mkpath(platform::resolvePath(s.UserDataFolder)))
            forms::raise(forms::errPathNotFound);
    });
    // An action on the records that the end of the last run broke off is
    // finished or dropped before anything reads them; what it could not
    // save is told once the home page is up.
    trap([&] {
        const platform::Recovery r = panel::recoverRecords(s.UserDataFolder);
        LastRunUnsaved = r.notSaved;
        LastRunOthersSaved = r.othersSaved;
        if (!r.ok) forms::raise(forms::errFileAccess);
    });
    // Downloads and the start of a set replace files one by one beside
    // them in these folders: what a kill left of theirs goes as well.
    const QString program = platform::programFolder();
    for (const QString &folder : {program, s.DataPath, program + QStringLiteral("examdata/")})
        trap([&] {
            if (!platform::removeTemporaryFiles(folder)) forms::raise(forms::errFileAccess);
        });

    // Design twips are 15 to the pixel; a screen of other density scales
    // every position and size the windows set.
    trap([&] { s.ScaleX = forms::Screen::twipsPerPixelX() / 15; });
    trap([&] { s.ScaleY = forms::Screen::twipsPerPixelY() / 15; });

    trap([&] { setWidth(6000 * s.ScaleX); });
    trap([&] { setHeight(3000 * s.ScaleY); });
    trap([&] { setPicture(forms::loadPicture(s.DataPath + QStringLiteral("l20059.mxy"))); });

    // The label is measured after its text and size are set.
    trap([&] { Label1->setTop(2160 * s.ScaleY); });
    trap([&] {
        Label1->setCaption(QStringLiteral("正在启动") + s.ModuleName +
                           QStringLiteral("，请稍候..."));
    });
    trap([&] { Label1->setFontSize(11 * s.ScaleX); });
    trap([&] { Label1->setLeft((width() - Label1->width()) / 2); });

    // A new run starts outside any paper and demonstration.
    s.PaperIndex = 0;
    s.DemoPlaying = false;
    trap([&] { s.CandidateName = s.InfoTable[8]; });

    trap([&] { setIcon(forms::loadPicture(s.DataPath + QStringLiteral("l62011.mxy"))); });
    trap([&] { setCaption(startup::infoDefaults()[9]); });

    trap([&] { s.OsVersion = GetOSVersionOF(); });

    // Centred on the screen.
    trap([&] {
        move((forms::Screen::width() - width()) / 2, (forms::Screen::height() - height()) / 2);
    });

    // The home page opens from the timer, once the splash has been shown.
    StartPending = true;
    Timer1->setEnabled(true);
}

void FrmStart::Timer1_Timer() {
    if (!StartPending) return;
    StartPending = false;
    Timer1->setEnabled(false);
    UpdataExe();
}

void FrmStart::UpdataExe() {
    FrmFengmian *home = nullptr;
    forms::skip([&] { home = forms::form<FrmFengmian>(); });
    // The page build ends the run when the bank is not this module's or is
    // damaged.
    if (startup::programEnded()) return;
    // A bank without units would open on an empty page that offers
    // nothing to practise: it is damaged as well.
    if (home::unitRows(state().UnitCount) == 0) {
        const auto index = home::readFileLines(state(), home::files::bankIndex());
        startup::endForDamagedFile({home::pathOf(state(), home::files::bankIndex()),
                                    index ? startup::DamagedFile::Fault::NoUnits
                                          : startup::DamagedFile::Fault::Unreadable});
        return;
    }
    forms::skip([&] {
        if (home) home->show();
    });
    forms::skip([] {
        state().RunLogPath = state().UserDataFolder +
                             startup::localNow().toString(QStringLiteral("yyyyMMddHHmmss")) +
                             QStringLiteral(".txt");
    });
    for (const QString &fault : LockFaults)
        startup::trapError(QStringLiteral("startload"), startup::err::PathAccess,
                           startup::err::text(startup::err::PathAccess) + QStringLiteral(": ") +
                               fault);
    const QStringList unsaved = LastRunUnsaved;
    const bool othersSaved = LastRunOthersSaved;
    forms::skip([this] { unload(); });
    // Over the home page, into the run log just named: first what the last
    // run left unsaved, then the records the page build could not read.
    forms::skip(
        [&] { panel::tellUnsavedRecords(panel::recordaction::LastRun, unsaved, othersSaved); });
    forms::skip([] { panel::tellUnreadableRecords(); });
}

std::optional<startup::DamagedFile> FrmStart::readInfo() {
    return startup::readInfo(state());
}

QString FrmStart::GetOSVersionOF() {
    return platform::osVersion();
}
