#include "panel/hand_in.h"

#include "home/home_files.h"
#include "panel/frm_chengji.h"
#include "panel/frm_czts.h"
#include "panel/frm_ime.h"
#include "panel/frm_tm.h"
#include "panel/panel_link.h"
#include "panel/question_focus.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"

namespace panel {

using forms::skip;
using startup::state;

namespace {

const QString kTimeUpText = QStringLiteral("时间已到，自动交卷！");

} // namespace

HandInDialog::HandInDialog(const QString &name) : forms::Form(name) {
    setBorderStyle(forms::vbFixedSingle);
    setCaption(QStringLiteral("重要提示"));
    setBackColor(forms::rgb(235, 233, 216));
    setWidth(4410);
    setHeight(2670);
    Frame1 = add<forms::Frame>(QStringLiteral("Frame1"));
    Frame1->move(90, 60, 4215, 1935);
    Frame1->setBackColor(forms::rgb(235, 233, 216));
    Label1 = new forms::Label(Frame1, QStringLiteral("Label1"));
    Label1->move(150 - 90, 240 - 60, 3855, 1575);
    Label1->setBackStyle(forms::vbTransparent);
    Label1->setWordWrap(true);
    Label1->setForeColor(forms::rgb(255, 0, 0));
    forms::Font f;
    f.name = QStringLiteral("宋体");
    f.size = 15;
    f.bold = true;
    Label1->setFont(f);
    Command1 = add<kvtnButton>(QStringLiteral("Command1"));
    Command1->move(600, 2160, 1320, 420);
    Command2 = add<kvtnButton>(QStringLiteral("Command2"));
    Command2->move(2400, 2160, 1320, 420);
    Command2->onClick = [this] { Command2_Click(); };
    // The title bar's close box answers "no".
    onQueryUnload = [this](int &cancel, int mode) {
        if (mode != forms::vbFormControlMenu) return;
        cancel = 1;
        Command2_Click();
    };
}

void HandInDialog::loadCommon() {
    const auto &s = state();
    auto picture = [&](const char *name) {
        return forms::loadPicture(home::pathOf(s, home::files::picture(QLatin1String(name))));
    };
    skip([&] { setIcon(picture("l62011")); });
    skip([&] { Command1->move(600, 2160, 1320 * s.ScaleX, 420 * s.ScaleY); });
    skip([&] { Command2->move(2400, 2160, 1320 * s.ScaleX, 420 * s.ScaleY); });
    skip([&] { Command1->setPicture(picture("l01041")); });
    skip([&] { Command2->setPicture(picture("l01042")); });
    skip([&] {
        move((forms::Screen::width() - width()) / 2, (forms::Screen::height() - height()) / 2);
    });
}

void HandInDialog::Command2_Click() {
    unload();
    link::dockAndShowPanel();
}

QString handInPrompt(const std::array<int, 500> &statuses) {
    bool warn = false;
    for (int q = 0; q < 40; ++q) warn = warn || (statuses[q] != 1 && statuses[q] != 5);
    return warn ? QStringLiteral("您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?")
                : QStringLiteral("\r\n您是否确定交卷?");
}

FrmEnd1::FrmEnd1() : HandInDialog(QStringLiteral("FrmEnd1")) {
    onLoad = [this] { Form_Load(); };
    Command1->onClick = [this] { Command1_Click(); };
}

void FrmEnd1::Form_Load() {
    loadCommon();
    Label1->setCaption(handInPrompt(state().QuestionStatus));
}

void FrmEnd1::Command1_Click() {
    unload();
    forms::form<FrmEnd2>()->show(forms::vbModal);
}

FrmEnd2::FrmEnd2() : HandInDialog(QStringLiteral("FrmEnd2")) {
    Label1->setCaption(QStringLiteral("按“交卷”后您将退出本场考试，并且不能重新登录!\r\n\r\n是否确定交卷?"));
    onLoad = [this] { Form_Load(); };
    Command1->onClick = [this] { Command1_Click(); };
}

void FrmEnd2::Form_Load() {
    loadCommon();
}

void FrmEnd2::Command1_Click() {
    auto &s = state();
    s.MinutesLeft = 50;
    link::showMinutesLeft();
    unload();
    s.PanelMayClose = true;
    forms::unloadForm<FrmTm>();
    forms::unloadForm<FrmMain>();
    forms::form<FrmChengji>()->show();
}

void openHandIn() {
    // The illustration stays on top of every window: it would cover the box.
    link::hidePicture();
    forms::form<FrmEnd1>()->show(forms::vbModal);
    keysToScreen();
}

namespace {

// What the candidate has open gives way to the time-up: the warning and the
// notice (and a box or menu over them) answer nothing once the paper is
// over, and a demonstration hands the screen back at once.
void closeWhatTimeUpOutranks() {
    forms::dismissOpenBoxes();
    forms::unloadForm<FrmCZTS>();
    forms::unloadForm<FrmIME>();
    link::endDemonstration();
    link::hidePicture();
}

// The paper's windows on show, so that the boxes have something to belong to.
void bringPaperBack() {
    for (forms::Form *f : {static_cast<forms::Form *>(forms::loadedForm<FrmMain>()),
                           static_cast<forms::Form *>(forms::loadedForm<FrmTm>())})
        if (f && f->visible() && f->windowState() == forms::vbMinimized)
            skip([&] { f->setWindowState(forms::vbNormal); });
}

HandInDialog *openHandInDialog() {
    if (auto *d = forms::loadedForm<FrmEnd2>()) return d;
    return forms::loadedForm<FrmEnd1>();
}

} // namespace

void examTimeUp() {
    const auto &s = state();
    closeWhatTimeUpOutranks();
    bringPaperBack();
    forms::msgBox(kTimeUpText, forms::vbOKOnly, s.SubjectName);
    if (HandInDialog *open = openHandInDialog()) {
        // Restoring the box brings back the windows it took along.
        skip([&] { open->setWindowState(forms::vbNormal); });
        skip([&] { open->bringToTop(); });
        return;
    }
    // The message may have outlived the paper (a window closed meanwhile).
    if (!forms::loadedForm<FrmTm>() || !forms::loadedForm<FrmMain>()) return;
    openHandIn();
}

} // namespace panel
