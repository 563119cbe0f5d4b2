#include "startup/frm_qhmsgbox.h"

#include "startup/run_state.h"

using forms::skip;
using startup::state;

FrmQHMSGBOX::FrmQHMSGBOX() : forms::Form(QStringLiteral("FrmQHMSGBOX")) {
    setBorderStyle(forms::vbBSNone);
    ImgLogo1 = add<forms::Image>(QStringLiteral("ImgLogo1"));
    Image1 = add<forms::Image>(QStringLiteral("Image1"));
    LblTitle = add<forms::Label>(QStringLiteral("LblTitle"));
    LblTitle->setBackStyle(forms::vbTransparent);
    LblTitle->setAutoSize(true);
    LblTitle->setForeColor(forms::rgb(255, 255, 255));
    LblTitle->setCaption(QStringLiteral("青禾启明提示信息"));
    LblPrompt = add<forms::Label>(QStringLiteral("LblPrompt"));
    LblPrompt->setBackStyle(forms::vbTransparent);
    LblPrompt->setWordWrap(true);
    LblPrompt->setForeColor(forms::sys::ButtonText);
    LblPrompt->setCaption(QStringLiteral("你要清除全部题目吗？"));
    // The drag strip lies over the title, below the buttons.
    lblMove = add<forms::Label>(QStringLiteral("lblMove"));
    lblMove->setBackStyle(forms::vbTransparent);
    for (int i = 0; i <= 3; ++i) LblClick.load(i);

    onLoad = [this] { Form_Load(); };
    LblClick.onClick = [this](int i) { LblClick_Click(i); };
    lblMove->onMouseDown = [this](int b, int s, double x, double y) {
        lblMove_MouseDown(b, s, x, y);
    };
}

void FrmQHMSGBOX::Form_Load() {
    // Whatever fails is left out: a box without a picture still works.
    const startup::RunState &s = state();
    const QString bank = s.DataPath;
    skip([&] { setIcon(forms::loadPicture(bank + QStringLiteral("l62011.mxy"))); });
    skip([&] { setCaption(s.ApplicationTitle); });
    skip([&] { setWidth(5550 * s.ScaleX); });
    skip([&] { setHeight(3750 * s.ScaleY); });
    skip([&] { setPicture(forms::loadPicture(bank + QStringLiteral("l20069.mxy"))); });

    skip([&] { ImgLogo1->move(120 * s.ScaleX, 90 * s.ScaleY); });
    skip([&] { ImgLogo1->loadPicture(bank + QStringLiteral("l20067.mxy")); });

    skip([&] { setTopmost(true); });

    skip([&] { LblTitle->move(600 * s.ScaleX, 180 * s.ScaleY); });
    skip([&] { LblTitle->setFontSize(10 * s.ScaleX); });
    skip([&] {
        LblPrompt->move(1200 * s.ScaleX, 720 * s.ScaleY, 4080 * s.ScaleX, 1920 * s.ScaleY);
    });
    skip([&] { LblPrompt->setFontSize(10 * s.ScaleX); });
    skip([&] { Image1->move(240 * s.ScaleX, 690 * s.ScaleY); });
    skip([&] { lblMove->move(0, 0, 4500 * s.ScaleX, 540 * s.ScaleY); });

    skip([&] {
        LblClick(0)->move(3960 * s.ScaleX, 2880 * s.ScaleY, 1350 * s.ScaleX, 450 * s.ScaleY);
    });
    skip([&] {
        LblClick(1)->move(2460 * s.ScaleX, 2880 * s.ScaleY, 1350 * s.ScaleX, 450 * s.ScaleY);
    });
    skip([&] {
        LblClick(3)->move(width() - 420 * s.ScaleX, 90 * s.ScaleY, 330 * s.ScaleX, 330 * s.ScaleY);
    });
    skip([&] {
        LblClick(2)->move(4560 * s.ScaleX, 120 * s.ScaleY, 330 * s.ScaleX, 330 * s.ScaleY);
    });
    skip([&] { LblClick(2)->setVisible(false); });
    for (int i = 0; i <= 3; ++i) {
        skip([&] {
            LblClick(i)->setPicture(
                forms::loadPicture(bank + QStringLiteral("l2000%1.mxy").arg(i)));
        });
    }

    // Centred on the screen when it is shown.
    skip([&] {
        move((forms::Screen::width() - width()) / 2, (forms::Screen::height() - height()) / 2);
    });
}

void FrmQHMSGBOX::LblClick_Click(int index) {
    if (index == 1) state().MsgBoxResult = 1;
    unload();
}

void FrmQHMSGBOX::lblMove_MouseDown(int button, int, double, double) {
    if (button == forms::vbLeftButton) dragWindow();
}
