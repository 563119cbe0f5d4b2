#include "update/frm_about.h"

#include "home/frm_fengmian.h"
#include "platform/paths.h"
#include "platform/system.h"
#include "startup/run_state.h"

#include <QDir>
#include <QPainter>

using forms::skip;
using startup::state;

FrmAbout::FrmAbout() : forms::Form(QStringLiteral("FrmAbout")) {
    setBorderStyle(forms::vbBSNone);
    ImgLogo1 = add<forms::Image>(QStringLiteral("ImgLogo1"));
    for (int i : {0, 1, 2, 3, 4, 6}) {
        auto *l = Label1.load(i);
        l->setBackStyle(forms::vbTransparent);
        l->setAutoSize(i != 3);
    }
    Label1(2)->setForeColor(forms::rgb(255, 255, 255));
    Label1(2)->setFontName(QStringLiteral("宋体"));
    Label1(1)->setForeColor(forms::rgb(12, 127, 233));
    Label1(1)->setFontName(QStringLiteral("宋体"));
    Label1(4)->setForeColor(forms::rgb(255, 0, 0));
    Label1(4)->setFontName(QStringLiteral("宋体"));
    Label1(4)->setFontBold(true);
    Label1(3)->setMousePointer(forms::vbCustom);
    Label1(3)->setMouseIcon(handPointer());
    Line1.load(4)->setBorderColor(forms::rgb(128, 128, 128));
    Line1.load(3)->setBorderColor(forms::rgb(255, 255, 255));
    // The drag strip lies over the title, below the buttons.
    lblMove = add<forms::Label>(QStringLiteral("lblMove"));
    lblMove->setBackStyle(forms::vbTransparent);
    LblClick.load(0);
    LblClick.load(1);

    onLoad = [this] { Form_Load(); };
    Label1.onClick = [this](int i) { Label1_Click(i); };
    LblClick.onClick = [this](int i) { LblClick_Click(i); };
    lblMove->onMouseDown = [this](int b, int s, double x, double y) {
        lblMove_MouseDown(b, s, x, y);
    };
}

forms::Picture FrmAbout::handPointer() {
    // A picture made in code takes the mouse at its centre: the fingertip
    // is drawn there.
    QImage img(64, 64, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.translate(26, 32);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRect(4, 0, 4, 14), 2, 2); // index finger
    p.drawRoundedRect(QRect(8, 6, 4, 9), 2, 2);
    p.drawRoundedRect(QRect(12, 7, 4, 8), 2, 2);
    p.drawRoundedRect(QRect(16, 8, 4, 8), 2, 2);
    p.drawRoundedRect(QRect(1, 10, 3, 7), 1, 1);  // thumb
    p.drawRoundedRect(QRect(3, 13, 17, 9), 3, 3); // palm
    p.end();
    return forms::Picture::fromImage(img);
}

void FrmAbout::Form_Load() {
    // A missing picture leaves the box without it; the rest is built.
    const startup::RunState &s = state();
    const QString bank = s.DataPath;

    skip([&] { setIcon(forms::loadPicture(bank + QStringLiteral("l62011.mxy"))); });
    skip([&] {
        setCaption(s.InfoTable[0] + s.InfoTable[9] + QStringLiteral("——") + s.SubjectName +
                   QStringLiteral("模块"));
    });
    skip([&] { setWidth(6300 * s.ScaleX); });
    skip([&] { setHeight(4200 * s.ScaleY); });
    skip([&] { setPicture(forms::loadPicture(bank + QStringLiteral("l20070.mxy"))); });
    skip([&] { setTopmost(true); });

    skip([&] { ImgLogo1->move(120 * s.ScaleX, 90 * s.ScaleY); });
    skip([&] { ImgLogo1->loadPicture(bank + QStringLiteral("l20067.mxy")); });

    skip([&] { Label1(1)->setCaption(s.InfoTable[0] + s.InfoTable[9]); });
    skip([&] { Label1(2)->setCaption(Label1(1)->caption()); });

    skip([&] { lblMove->move(0, 0, 5580 * s.ScaleX, 540 * s.ScaleY); });

    skip([&] {
        LblClick(0)->move(width() - 420 * s.ScaleX, 90 * s.ScaleY, 330 * s.ScaleX, 330 * s.ScaleY);
    });
    skip([&] {
        LblClick(1)->move(4680 * s.ScaleX, 3480 * s.ScaleY, 1350 * s.ScaleX, 450 * s.ScaleY);
    });
    skip([&] { LblClick(0)->setPicture(forms::loadPicture(bank + QStringLiteral("l20003.mxy"))); });
    skip([&] { LblClick(1)->setPicture(forms::loadPicture(bank + QStringLiteral("l20001.mxy"))); });

    skip([&] {
        Label1(2)->move(600 * s.ScaleX, 180 * s.ScaleY);
        Label1(2)->setFontSize(10 * s.ScaleX);
    });
    skip([&] {
        Label1(1)->move(480 * s.ScaleX, 720 * s.ScaleY);
        Label1(1)->setFontSize(10 * s.ScaleX);
    });
    const double left = Label1(1)->left();
    skip([&] {
        Label1(4)->move(left, 1080 * s.ScaleY);
        Label1(4)->setFontSize(12 * s.ScaleX);
        Label1(4)->setCaption(QStringLiteral("── ") + s.ModuleName);
    });
    skip([&] {
        Label1(0)->move(left, 1500 * s.ScaleY);
        Label1(0)->setFontSize(10 * s.ScaleX);
        if (auto *home = forms::loadedForm<FrmFengmian>())
            Label1(0)->setCaption(home->LblInfo(0)->caption());
    });
    skip([&] {
        Label1(3)->move(left, 1800 * s.ScaleY, 5490 * s.ScaleX, 540 * s.ScaleY);
        Label1(3)->setFontSize(10 * s.ScaleX);
        Label1(3)->setCaption(QStringLiteral("系统工作目录: ") +
                              QDir::toNativeSeparators(QDir(platform::programFolder()).path()));
    });
    skip([&] {
        Label1(6)->move(left, 3600 * s.ScaleY);
        Label1(6)->setFontSize(10 * s.ScaleX);
        Label1(6)->setCaption(s.InfoTable[7]);
    });

    skip([&] {
        Line1(4)->setX1(360 * s.ScaleX);
        Line1(4)->setY1(2385 * s.ScaleY);
        Line1(4)->setX2(5760 * s.ScaleX);
        Line1(4)->setY2(2385 * s.ScaleY);
    });
    skip([&] {
        Line1(3)->setX1(Line1(4)->x1() + 15 * s.ScaleX);
        Line1(3)->setX2(Line1(4)->x2() + 15 * s.ScaleX);
        Line1(3)->setY1(Line1(4)->y1() + 15 * s.ScaleY);
        Line1(3)->setY2(Line1(3)->y1());
    });

    skip([&] {
        move((forms::Screen::width() - width()) / 2, (forms::Screen::height() - height()) / 2);
    });
}

void FrmAbout::Label1_Click(int index) {
    if (index != 3) return;
    skip([&] { platform::shell().open(platform::programFolder()); });
}

void FrmAbout::LblClick_Click(int) {
    unload();
}

void FrmAbout::lblMove_MouseDown(int button, int, double, double) {
    if (button == forms::vbLeftButton) dragWindow();
}
