#pragma once
// The update window: opened by the home page's update button, it fetches
// the home page's banner, then 100 ms after loading checks the update server
// for a newer question bank and shows the installed and the newest version.
// When the server is newer it hides, asks, and on "Yes" fetches the newer
// files and ends the program; "No" closes it. The work itself is the
// update::Updater; the window lays out, shows the answer and passes on the
// user's close.
#include "forms/forms.h"
#include "startup/kvtn_button.h"
#include "update/updater.h"

#include <memory>

class FrmUpdata : public forms::Form {
public:
    FrmUpdata();

    forms::Image *ImgLogo1;
    forms::Label *lblMove;
    forms::Label *Label4;
    forms::Label *Label3;
    forms::Label *LblVer;
    forms::Label *Label1;
    forms::Label *Label2;
    kvtnButton *Command1;
    forms::Timer *Timer1;

    void Form_Load();
    void Timer1_Timer();
    void TKUP();
    void Command1_Click();
    void lblMove_MouseDown(int button, int shift, double x, double y);

    // What the last check came to (shown in Label1 and Label2).
    const update::CheckResult &lastCheck() const { return lastCheck_; }

    // The version check's time limit in whole seconds for the windows
    // loaded from now on; 0 or less: the update's own. A test that must
    // tell a cancelled check from a timed-out one on a loaded machine
    // lengthens it.
    static void setListSecondsForTests(int seconds);

private:
    // The update on the run state, the installation's server and the
    // program's message boxes, process start and end.
    void createUpdater();
    void showAnswer();

    std::unique_ptr<update::UpdateFiles> files_;
    std::unique_ptr<update::Updater> updater_;
    update::CheckResult lastCheck_;
};
