#pragma once
// The start window: a small borderless splash. Its load does the start-up
// work that must come before anything is shown (one copy only, program
// information, scale factors, first run state); a one-shot timer then opens
// the home page, names the run log and closes the splash.
#include "forms/forms.h"
#include "startup/program_info.h"

#include <optional>

class FrmStart : public forms::Form {
public:
    FrmStart();

    forms::Label *Label1;
    forms::Timer *Timer1;
    bool StartPending = false;
    // The records an action of the last run left unsaved, told over the
    // home page, and whether the action saved others.
    QStringList LastRunUnsaved;
    bool LastRunOthersSaved = false;
    // The single-instance locks that could not be made, for the run log.
    QStringList LockFaults;

    void Form_Load();
    void Timer1_Timer();
    // The deferred start.
    void UpdataExe();
    // The program information; a damaged "ver.txt" comes back.
    std::optional<startup::DamagedFile> readInfo();
    QString GetOSVersionOF();

    // The text of the box shown to a second copy, and its title.
    static const QString kAlreadyRunning;
    static const QString kAlreadyRunningTitle;
};
