#include "panel/frm_ime.h"

#include "home/home_files.h"
#include "panel/options_file.h"
#include "panel/panel_link.h"
#include "panel/record_message.h"
#include "startup/run_state.h"

using forms::skip;
using startup::state;

namespace panel {
const QString kImeNoticeText = QStringLiteral(
    "如果输入文字时出现计算机考试***.exe遇到问题需要关闭时，说明您另外安装的输入法和本软件不兼容，"
    "您可以取消调用输入法，在您需要输入汉字时，可以按Ctrl+Shift键切换，或者点击电脑右下角的输入法按钮。");
}

FrmIME::FrmIME() : forms::Form(QStringLiteral("FrmIME")) {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::rgb(225, 255, 255));
    setWidth(6300);
    setHeight(4200);
    ImgLogo1 = add<forms::Image>(QStringLiteral("ImgLogo1"));
    auto *title = Label1.load(2);
    title->setBackStyle(forms::vbTransparent);
    title->setAutoSize(true);
    title->setForeColor(forms::rgb(255, 255, 255));
    title->setCaption(QStringLiteral("输入法调用提示"));
    auto *notice = Label1.load(0);
    notice->setBackStyle(forms::vbTransparent);
    notice->setWordWrap(true);
    notice->setCaption(panel::kImeNoticeText);
    Check1 = add<forms::CheckBox>(QStringLiteral("Check1"));
    Check1->setBackColor(forms::Color(0x00E1FFFF));
    Check1->setForeColor(forms::Color(0x000000FF));
    Check1->setCaption(QStringLiteral("调用输入法"));
    lblMove = add<forms::Label>(QStringLiteral("lblMove"));
    lblMove->setBackStyle(forms::vbTransparent);
    LblClick.load(0);
    LblClick.load(1);

    onLoad = [this] { Form_Load(); };
    onUnload = [this](int &cancel) { Form_Unload(cancel); };
    Check1->onClick = [this] { Check1_Click(); };
    LblClick.onClick = [this](int i) { LblClick_Click(i); };
    lblMove->onMouseDown = [this](int b, int s, double x, double y) { lblMove_MouseDown(b, s, x, y); };
}

void FrmIME::Form_Load() {
    const auto &s = state();
    const double sx = s.ScaleX, sy = s.ScaleY;
    auto picture = [&](const char *name) {
        return forms::loadPicture(home::pathOf(s, home::files::picture(QLatin1String(name))));
    };
    skip([&] { setIcon(picture("l62011")); });
    skip([&] {
        setCaption(s.InfoTable[0] + s.InfoTable[9] + QStringLiteral("——") + s.SubjectName +
                   QStringLiteral("模块"));
    });
    skip([&] { setWidth(6300 * sx); });
    skip([&] { setHeight(4200 * sy); });
    skip([&] { setPicture(picture("l20070")); });
    skip([&] { ImgLogo1->move(120 * sx, 90 * sy); });
    skip([&] {
        ImgLogo1->loadPicture(home::pathOf(s, home::files::picture(QStringLiteral("l20067"))));
    });
    skip([&] { lblMove->move(0, 0, 5580 * sx, 540 * sy); });
    skip([&] { LblClick(0)->move(width() - 420 * sx, 90 * sy, 330 * sx, 330 * sy); });
    skip([&] { LblClick(0)->setPicture(picture("l20003")); });
    skip([&] { LblClick(1)->move(4620 * sx, 3480 * sy, 1350 * sx, 450 * sy); });
    skip([&] { LblClick(1)->setPicture(picture("l20001")); });
    skip([&] { Label1(0)->move(720 * sx, 1440 * sy, 4695 * sx, 1215 * sy); });
    skip([&] { Label1(0)->setFontSize(9 * sx); });
    skip([&] { Check1->move(2400 * sx, 2520 * sy, 1455 * sx, 255 * sy); });
    skip([&] {
        forms::Font f = Check1->font();
        f.size = 9 * sx;
        Check1->setFont(f);
    });
    skip([&] { Label1(2)->move(600 * sx, 180 * sy); });
    skip([&] { Label1(2)->setFontSize(10 * sx); });
    skip([&] {
        move((forms::Screen::width() - width()) / 2, (forms::Screen::height() - height()) / 2);
    });
    // Ticking the box is a change of it, so the option is written again.
    const panel::RecordFiles files(s.UserDataFolder);
    if (panel::optionOnForNotice(files)) Check1->setValue(forms::vbChecked);
}

void FrmIME::Check1_Click() {
    if (puttingBack_) return;
    const bool on = Check1->value() != forms::vbUnchecked;
    // The option takes effect only once it is stored.
    if (panel::writeOption(panel::RecordFiles(state().UserDataFolder), on)) {
        state().UseInputMethod = on;
        return;
    }
    // Not stored (a full disk, an options file held back): the box shows
    // the option as it stands, and the candidate is told why.
    puttingBack_ = true;
    Check1->setValue(state().UseInputMethod ? forms::vbChecked : forms::vbUnchecked);
    puttingBack_ = false;
    panel::tellUnsavedRecords(panel::recordaction::InputMethodOption, {panel::recname::Options});
}

void FrmIME::LblClick_Click(int) {
    unload();
}

void FrmIME::lblMove_MouseDown(int Button, int, double, double) {
    if (Button == forms::vbLeftButton) dragWindow();
}

void FrmIME::Form_Unload(int &) {
    panel::link::restorePanel();
}
