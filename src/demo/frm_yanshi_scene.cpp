// The demonstration's regions and panels: the shell's layouts applied to
// the window's own labels, then moved by the place of the picture they
// belong to, and the scripted click on a main hot spot that opens the
// first panel of a menu step.
#include "demo/frm_yanshi.h"

#include "simulator/shell_judging.h"
#include "simulator/shell_judging_frm.h"
#include "simulator/shell_layout.h"
#include "simulator/shell_tab_strip.h"
#include "startup/run_state.h"

using forms::skip;
using shelljudge::firstChar;
using shelljudge::place;
using shelljudge::rectOf;
using shelljudge::scale;

namespace {

// Moves items 1..last of a panel by the panel picture's place.
template <class Items> void moveBy(Items &items, int last, const forms::Control *panel) {
    for (int i = 1; i <= last; ++i) {
        forms::Label *l = items(i);
        l->setLeft(l->left() + panel->left());
        l->setTop(l->top() + panel->top());
    }
}

} // namespace

// ---------------------------------------------------------------- regions

void FrmYanShi::MenuCSH() {
    const sim::StepRecord r = rec();
    const shell::Scale sc = scale();
    std::optional<shell::Point> stepPlace;
    if (r.hasBarPosition()) stepPlace = shell::Point{double(r.barX()), double(r.barY())};
    const shell::Point at = shell::menuBarPlace(stepPlace, sc);
    PicMenu->move(at.x, at.y);
    shell::layoutMenuBar(barSpots_, firstChar(r.menuBarVariant()), sc);
    for (int i = shell::MenuBarSpots.first; i <= shell::MenuBarSpots.last; ++i) {
        shell::Rect f = barSpots_[size_t(i)];
        f.left += PicMenu->left();
        f.top += PicMenu->top();
        place(LblZHU(i), f);
    }
}

void FrmYanShi::DoubleXXK() {
    const shell::TabTops tops =
        shell::tabTops(sim::TabSetRow(TabSetRow), TabCount, TabRow, TabTop, scale());
    for (int i = 1; i <= shell::MaxTabs; ++i) {
        if (tops[size_t(i)]) skip([&] { LblXXK(i)->setTop(*tops[size_t(i)]); });
    }
}

void FrmYanShi::CtrlCSH() {
    const shell::Scale sc = scale();
    shell::SpotRects spots{};
    shell::layoutCtrlPanel(spots, shell::ctrlPanelView(firstChar(rec().viewVariant())), sc);
    // The demonstration has no Control Panel picture: its spots stand where
    // the simulated screen's Control Panel window stands.
    for (int i = shell::CtrlPanelSpots.first; i <= shell::CtrlPanelSpots.last; ++i) {
        shell::Rect f = spots[size_t(i)];
        f.top += shell::CtrlPanelTop * sc.y;
        place(LblZHU(i), f);
    }
}

void FrmYanShi::HuiRenwuCSH() {
    const QString flags = rec().cols(7, 1);
    shell::layoutTaskPane(paneSpots_, shell::taskPaneVariant(firstChar(flags)), scale());
    for (int i = shell::TaskPaneSpots.first; i <= shell::TaskPaneSpots.last; ++i) {
        shell::Rect f = paneSpots_[size_t(i)];
        f.left += PicHui->left();
        f.top += PicHui->top();
        place(LblZHU(i), f);
    }
}

// ---------------------------------------------------------------- ZhuClick

void FrmYanShi::ZhuClick(QString &hitCode) {
    const sim::StepRecord r = rec();
    const shell::Scale sc = scale();
    const int n = demo::hotSpotIndex(hitCode);
    for (forms::Image *i : {ImgMenu, ImgHui, ImgTool}) i->setPicture(forms::Picture());

    // A click that opens nothing ends the step. Task-pane rows open no
    // panel either, so a row that names a panel item ends its step too
    // rather than leaving the demonstration without a running timer.
    const bool taskPaneRow = n >= 26 && n <= 40;
    if ((n >= 41 && n <= 60) || (Target1J == 0 && Target2J == 0) || taskPaneRow) {
        Timer2->setEnabled(false);
        endStep();
        return;
    }
    Pic1J->setVisible(false);

    auto load1J = [&](const QString &code) {
        showPicture(Pic1J, shellPicture(shell::panelPicture(code)));
    };
    auto cornerAt = [&](const forms::Control *c) {
        skip([&] { Pic1J->setLeft(c->left() + c->width() / 2); });
        skip([&] { Pic1J->setTop(c->top() + c->height() / 2); });
    };
    auto box = [&] {
        return demo::PanelBox{Pic1J->left(), Pic1J->top(), Pic1J->width(), Pic1J->height()};
    };

    if (n <= 10) {
        const QString code = shell::hitCode(r.menuBarVariant(), n);
        // A code that names no spot (a negative number) places nothing.
        forms::Label *spot = LblZHU.exists(n) ? LblZHU(n) : nullptr;
        std::optional<double> spotLeft;
        if (spot) {
            spotLeft = spot->left();
            ImgMenu->move(spot->left(), spot->top());
        }
        showPicture(ImgMenu, shellPicture(shell::hoverPicture(code)));
        load1J(code);
        if (spot) Pic1J->move(spot->left(), spot->top() + spot->height());
        const QChar kind = firstChar(r.windowKind());
        if (kind >= QLatin1Char('S') && kind <= QLatin1Char('Z')) {
            ImgMenu->setPicture(forms::Picture());
            load1J(hitCode);
            showPicture(ImgMenu, bankPicture(r.cols(167, 6)));
            cornerAt(Label1);
            demo::PanelBox b = box();
            demo::pinToEdges(b, sc);
            Pic1J->move(b.left, b.top);
        }
        if (r.actionCode().left(3) == QLatin1String("777")) {
            load1J(r.contextPanelCode());
            cornerAt(Label1);
            demo::PanelBox b = box();
            demo::pinToEdges(b, sc);
            Pic1J->move(b.left, b.top);
        }
        demo::PanelBox b = box();
        demo::fitPanel(b, spotLeft, sc);
        Pic1J->move(b.left, b.top);
        Pic1J->setVisible(true);
        skip([&] { Tool1JCSH(); });
    } else if (n <= 25) {
        forms::Label *spot = LblZHU(n);
        ImgTool->move(spot->left(), spot->top());
        showPicture(ImgTool, shellPicture(shell::pressedPicture(shell::twoDigits(n))));
        if (n == 23) {
            load1J(QStringLiteral("23"));
            Pic1J->move(spot->left(), spot->top() + spot->height());
            Pic1J->setVisible(true);
        }
        skip([&] { Tool1JCSH(); });
    } else if (n >= 61 && n <= 69) {
        load1J(QString::number(n));
        cornerAt(LblZHU(n));
        Pic1J->setVisible(true);
        skip([&] { Tool1JCSH(); });
    } else if (n == 70) {
        load1J(QStringLiteral("70"));
        Pic1J->move(360 * sc.x, 6600 * sc.y);
        Pic1J->setVisible(true);
        skip([&] { Tool1JCSH(); });
    } else if (n >= 71 && n <= 91) {
        forms::Label *spot = LblZHU(n);
        ImgStart->move(spot->left(), spot->top());
        showPicture(ImgStart, shellPicture(shell::hoverPicture(QString::number(n))));
        if (n == 84) {
            Pic1J->move(spot->left() - 45 * sc.x, PicStart->top() + 120 * sc.y);
            load1J(QStringLiteral("84"));
            Pic1J->setVisible(true);
        } else if (n == 80) {
            Pic1J->move(spot->left() + spot->width(), spot->top() - 30 * sc.y);
            load1J(QStringLiteral("80"));
            Pic1J->setVisible(true);
        } else if (n == 82) {
            Pic1J->setLeft(spot->left() + spot->width());
            load1J(QStringLiteral("82"));
            Pic1J->setTop(spot->top() + spot->height() - Pic1J->height());
            Pic1J->setVisible(true);
        }
        skip([&] { Tool1JCSH(); });
    } else if (n >= 92 && n <= 99) {
        forms::Label *spot = LblZHU(n);
        ImgMyPc->move(spot->left(), spot->top());
        showPicture(ImgMyPc, shellPicture(shell::pressedPicture(hitCode)));
        load1J(hitCode);
        shell::ContextPanelInput in;
        in.pointer =
            shell::Point{spot->left() + spot->width() / 2, spot->top() + spot->height() / 2};
        in.regionOrigin = shell::Point{0, 0};
        in.windowWidth = width();
        in.windowHeight = height();
        in.panelWidth = Pic1J->width();
        in.panelHeight = Pic1J->height();
        in.flipOnlyBeyond = true;
        const shell::Point at = shell::placeContextPanel(shell::ContextRegion::Computer, in, sc);
        Pic1J->move(at.x, at.y);
        Pic1J->setVisible(true);
        skip([&] { Tool1JCSH(); });
    }
}

// ---------------------------------------------------------------- panels

void FrmYanShi::Tool1JCSH() {
    skip([&] { Img1J->setPicture(forms::Picture()); });
    // The stacking may give up part-way; what it placed stays.
    skip([&] {
        shelljudge::layoutItems(Lbl1J, [&](shell::ItemRects &items) {
            return shell::layoutLevel1(items, HitCode, scale());
        });
    });
    moveBy(Lbl1J, shell::PanelItemCount, Pic1J);
    // An item number that names no item leaves the aim and the frame as
    // they were; the glide starts all the same.
    skip([&] {
        forms::Label *t = Lbl1J(Target1J);
        aimAt(t);
        Shape1->move(t->left(), t->top(), t->width(), t->height());
    });
    skip([&] { AimPointer(); });
    Timer6->setEnabled(true);
}

void FrmYanShi::Tool2JCSH() {
    skip([&] { Img2J->setPicture(forms::Picture()); });
    const QString id = shell::subMenuId(HitCode, Target1J);
    skip([&] {
        shelljudge::layoutItems(Lbl2J, [&](shell::ItemRects &items) {
            // The program folders of "All programs" have no row in the
            // level-2 table; the simulated screen lays them out the same way.
            if (id == QLatin1StringView(shell::AllProgramsFoldersId)) {
                shell::parkItems(items);
                return shell::stackItems(items, shell::AllProgramsFolders, scale());
            }
            return shell::layoutLevel2(items, id, scale());
        });
    });
    moveBy(Lbl2J, shell::PanelItemCount, Pic2J);
    skip([&] {
        forms::Label *t = Lbl2J(Target2J);
        aimAt(t);
        Shape1->move(t->left(), t->top(), t->width(), t->height());
    });
    skip([&] { AimPointer(); });
    Timer7->setEnabled(true);
}

void FrmYanShi::Tool3JCSH() {
    const auto rows = shell::level3Rows(scale(), demo::DemoLevel3Width);
    for (int k = 1; k <= shell::Level3RowCount; ++k) {
        shell::Rect f = rows[size_t(k)];
        f.left += Pic3J->left();
        f.top += Pic3J->top();
        place(Lbl3J(k), f);
    }
    skip([&] {
        forms::Label *t = Lbl3J(Target3J);
        aimAt(t);
        Shape1->move(t->left(), t->top(), t->width(), t->height());
    });
    skip([&] { AimPointer(); });
    Timer8->setEnabled(true);
}
