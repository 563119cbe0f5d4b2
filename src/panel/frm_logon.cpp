#include "panel/frm_logon.h"

#include "home/frm_fengmian.h"
#include "home/home_files.h"
#include "panel/frm_tm.h"
#include "panel/login_rules.h"
#include "panel/panel_link.h"
#include "platform/paths.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"
#include "startup/services.h"

using forms::skip;
using startup::state;

namespace {

forms::Label *dataLabel(forms::Container *on, const QString &name) {
    auto *l = new forms::Label(on, name);
    l->setBackStyle(forms::vbTransparent);
    l->setAutoSize(true);
    forms::Font f;
    f.name = QStringLiteral("宋体");
    f.size = 12;
    f.bold = true;
    l->setFont(f);
    return l;
}

forms::Label *paintedButton(forms::Container *on, const QString &name) {
    auto *l = new forms::Label(on, name);
    l->setBackStyle(forms::vbTransparent);
    l->setMousePointer(forms::vbCustom);
    return l;
}

} // namespace

FrmLogon::FrmLogon() : forms::Form(QStringLiteral("FrmLogon")) {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::Color(0x00808040));
    Picture1 = add<forms::PictureBox>(QStringLiteral("Picture1"));
    Picture1->setBorderStyle(0);
    Picture1->setBackColor(forms::Color(0x00FEF9F6));
    Picture1->move(0, 0, 12000, 9000);
    forms::Font boxFont;
    boxFont.name = QStringLiteral("宋体");
    boxFont.size = 12;
    boxFont.bold = true;
    TxtZwh = new forms::TextBox(Picture1, QStringLiteral("TxtZwh"));
    TxtZwh->setFont(boxFont);
    TxtZwh->setMaxLength(3);
    TxtZwh->setText(QStringLiteral("18"));
    TxtZwh->setWidth(3255);
    TxtZwh->setHeight(360);
    TxtSFZ = new forms::TextBox(Picture1, QStringLiteral("TxtSFZ"));
    TxtSFZ->setFont(boxFont);
    TxtSFZ->setMaxLength(18);
    TxtSFZ->setText(panel::kSampleIdNumber);
    TxtSFZ->setWidth(3255);
    TxtSFZ->setHeight(360);
    // Only digits and a final X, however they arrive.
    TxtSFZ->setFiltersArrivingText(true);
    CmdLog = paintedButton(Picture1, QStringLiteral("CmdLog"));
    CmdExit = paintedButton(Picture1, QStringLiteral("CmdExit"));

    Picture2 = add<forms::PictureBox>(QStringLiteral("Picture2"));
    Picture2->setBorderStyle(0);
    Picture2->setBackColor(forms::Color(0x00FEF9F6));
    Picture2->move(0, 0, 12000, 9000);
    Picture2->setVisible(false);
    LblName = dataLabel(Picture2, QStringLiteral("LblName"));
    LblZwh = dataLabel(Picture2, QStringLiteral("LblZwh"));
    LblCC = dataLabel(Picture2, QStringLiteral("LblCC"));
    LblKm = dataLabel(Picture2, QStringLiteral("LblKm"));
    LblSfz = dataLabel(Picture2, QStringLiteral("LblSfz"));
    LblDah = dataLabel(Picture2, QStringLiteral("LblDah"));
    LblDate = dataLabel(Picture2, QStringLiteral("LblDate"));
    P2 = new forms::PictureBox(Picture2, QStringLiteral("P2"));
    P2->setBorderStyle(1);
    P2->setBackColor(forms::sys::WindowBackground);
    P2->setHeight(180);
    LJD = new forms::Label(P2, QStringLiteral("LJD"));
    LJD->setBackColor(forms::Color(0x00FF0000));
    LJD->move(0, 0, 255, 375);

    Timer1 = new forms::Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->setEnabled(true);
    Timer2 = new forms::Timer(this, QStringLiteral("Timer2"));
    Timer2->setInterval(100);

    onLoad = [this] { Form_Load(); };
    Timer1->onTimer = [this] { Timer1_Timer(); };
    Timer2->onTimer = [this] { Timer2_Timer(); };
    TxtSFZ->onKeyPress = [this](int &k) { TxtSFZ_KeyPress(k); };
    CmdLog->onClick = [this] { CmdLog_Click(); };
    CmdExit->onClick = [this] { CmdExit_Click(); };
    // The window manager's close is the exit button, question included.
    onQueryUnload = [this](int &cancel, int mode) {
        if (mode != forms::vbFormControlMenu) return;
        cancel = 1;
        CmdExit_Click();
    };
}

void FrmLogon::Form_Load() {
    auto &s = state();
    const double sx = s.ScaleX, sy = s.ScaleY;
    auto picture = [&](const QString &name) { return home::pathOf(s, home::files::picture(name)); };
    skip([&] { setWindowState(forms::vbMaximized); });
    skip([&] { setIcon(forms::loadPicture(picture(QStringLiteral("l62011")))); });
    skip([&] { TxtZwh->move(5070 * sx, 4440 * sy); });
    skip([&] { TxtSFZ->move(TxtZwh->left(), 4905 * sy); });
    skip([&] { CmdLog->move(4275 * sx, 5640 * sy, 1335, 495); });
    skip([&] { CmdExit->move(6660 * sx, 5640 * sy, 1335, 495); });
    skip([&] { LblName->move(4080 * sx, 2610 * sy); });
    skip([&] { LblZwh->move(LblName->left(), 2940 * sy); });
    skip([&] { LblCC->move(LblName->left(), 3300 * sy); });
    skip([&] { LblKm->move(2505 * sx, 4215 * sy); });
    skip([&] { LblSfz->move(LblKm->left(), 4590 * sy); });
    skip([&] { LblDah->move(LblKm->left(), 4950 * sy); });
    skip([&] { LblDate->move(LblKm->left(), 5250 * sy); });
    skip([&] { P2->move(1110 * sx, 7980 * sy, 10335 * sx, P2->height()); });
    skip([&] { Picture1->loadPicture(picture(QStringLiteral("9l0056"))); });
    skip([&] { Picture2->loadPicture(picture(QStringLiteral("9l0057"))); });
    // The pointing hand of the simulated screen's links.
    skip([&] {
        const forms::Picture hand = forms::loadPicture(platform::programFolder() + QStringLiteral("ico15.CUR"));
        CmdLog->setMouseIcon(hand);
        CmdExit->setMouseIcon(hand);
    });
    s.TextFilePath = home::pathOf(s, home::files::answerTexts());
    startup::setExerciseFilePaths(s);
}

void FrmLogon::Timer1_Timer() {
    Picture1->move(0, 0);
    Picture2->move(Picture1->left(), Picture1->top());
    Picture1->setVisible(true);
    Picture2->setVisible(false);
    Timer1->setEnabled(false);
    skip([&] { TxtZwh->setFocus(); });
}

void FrmLogon::TxtSFZ_KeyPress(int &KeyAscii) {
    if (KeyAscii == 8) return; // Backspace
    if (!panel::idBoxAccepts(QChar(KeyAscii), static_cast<int>(TxtSFZ->text().size()))) KeyAscii = 0;
}

void FrmLogon::CmdLog_Click() {
    auto &s = state();
    s.PanelMayClose = false;
    s.SeatNumber = panel::seatNumberOf(TxtZwh->text());
    s.BatchNumber = QStringLiteral("18");
    s.IdNumber = panel::idNumberOf(TxtSFZ->text());
    s.AnswerSheetNumber = QStringLiteral("888888");
    LblName->setCaption(s.CandidateName);
    LblZwh->setCaption(s.SeatNumber);
    LblCC->setCaption(s.BatchNumber);
    LblKm->setCaption(s.SubjectName);
    LblSfz->setCaption(s.IdNumber);
    LblDah->setCaption(s.AnswerSheetNumber);
    LblDate->setCaption(panel::loginDateText(
        startup::localNow().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    Picture1->setVisible(false);
    Picture2->setVisible(true);
    Timer2->setEnabled(true);
}

void FrmLogon::Timer2_Timer() {
    auto &s = state();
    LJD->setWidth(LJD->width() + 1500 * s.ScaleX);
    if (!panel::loginBarFull(LJD->width(), s.ScaleX)) return;
    unload();
    s.ExamStartTime = startup::localNow().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    s.CurQuestion = 1;
    panel::link::loadCurrentQuestion();
    skip([] { forms::form<FrmMain>()->show(); });
    skip([] { forms::form<FrmTm>()->show(); });
}

void FrmLogon::CmdExit_Click() {
    const auto &s = state();
    // Asked during the confirmation (the desktop's close), the bar waits
    // for the answer: filling on under the box it would start the paper
    // that the answer may refuse.
    const bool confirming = Timer2->enabled();
    Timer2->setEnabled(false);
    const int answer = forms::msgBox(QStringLiteral("确实要退出考试系统吗？"),
                                     forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2,
                                     s.InfoTable[0] + QStringLiteral("职称计算机"));
    if (answer != forms::vbYes) {
        if (confirming) Timer2->setEnabled(true);
        return;
    }
    unload(forms::vbFormCode);
    skip([] { forms::form<FrmFengmian>()->show(); });
}
