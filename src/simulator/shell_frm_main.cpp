// The simulated screen's side of the shell layouts: it copies the
// rectangles of its hot spots and panel items into the plain layout
// routines and back, places the region pictures, and opens the regions'
// context panels and the start menu.
#include "simulator/frm_main.h"

#include "simulator/shell_judging_frm.h"
#include "simulator/shell_layout.h"

using forms::skip;
using namespace shelljudge;

namespace {

// The hot spots first..last through a layout routine.
template <class Layout> void layoutSpots(FrmMain &f, shell::HotSpotRange range, Layout layout) {
    shell::SpotRects spots{};
    for (int i = range.first; i <= range.last; ++i) spots[size_t(i)] = rectOf(f.LblZHU(i));
    layout(spots);
    for (int i = range.first; i <= range.last; ++i) place(f.LblZHU(i), spots[size_t(i)]);
}

// The context panel of a region, opened by a release on it.
void openContextPanel(FrmMain &f, shell::ContextRegion region, int Button, double X, double Y) {
    const shell::ContextPanelRule &rule = shell::contextPanelRule(region);
    if (rule.parkFramesFirst) f.ShapeCSH();
    const bool opens =
        rule.rightButtonOnly ? Button == forms::vbRightButton : Button != forms::vbLeftButton;
    if (!opens) return;

    // A panel whose picture is missing stays closed: an empty box with
    // items over nothing would take clicks the candidate cannot see.
    const QString code = QString::fromLatin1(rule.code);
    const forms::Picture picture = shellPicture(f, shell::panelPicture(code));
    if (!picture) return;
    f.HitCode = code;
    f.Pic1J->setPicture(picture);

    shell::ContextPanelInput in;
    in.pointer = shell::Point{X, Y};
    const forms::PictureBox *box = region == shell::ContextRegion::Computer    ? f.PicMyPc
                                   : region == shell::ContextRegion::ToolStrip ? f.PicTool
                                                                               : f.PicTable;
    in.regionOrigin = shell::Point{box->left(), box->top()};
    in.regionHeight = box->height();
    in.windowWidth = f.width();
    in.windowHeight = f.height();
    in.panelWidth = f.Pic1J->width();
    in.panelHeight = f.Pic1J->height();
    const shell::Point at = shell::placeContextPanel(region, in, scale());
    f.Pic1J->move(at.x, at.y);
    f.Pic1J->setVisible(true);
    f.Tool1JCSH();
}

} // namespace

// ---------------------------------------------------------------- layouts

void FrmMain::ShapeCSH() {
    const shell::Scale s = scale();
    Shape1J->setLeft(-300 * s.x);
    Shape1J->setWidth(150 * s.x);
    Shape2J->setLeft(-300 * s.x);
    Shape2J->setWidth(150 * s.x);
}

void FrmMain::ToolCSH() {
    ShapeCSH();
    const shell::Scale s = scale();
    for (forms::Image *hover : {ImgMenu, ImgHui, ImgTool, ImgTable, ImgMyPc}) {
        skip([&] { hover->setPicture(forms::Picture()); });
    }
    skip([&] {
        const shell::PlacedItem b = shell::StartButtonRect;
        StartMenu->move(b.left * s.x, b.top * s.y, b.width * s.x, b.height * s.y);
    });
    for (forms::PictureBox *box : {Pic1J, Pic2J, Pic3J, PicCtrl}) {
        skip([&] { box->setVisible(false); });
    }
    // The level-2 panel's hover picture lies beneath its items.
    skip([&] {
        if (!Img2J) {
            Img2J = Pic2J->add<forms::Image>(QStringLiteral("Img2J"));
            Img2J->zOrder(forms::vbSendToBack);
        }
    });
    auto placeRegion = [&](forms::PictureBox *box, shell::RegionPlace at) {
        skip([&] { box->move(at.left * s.x, at.top * s.y); });
    };
    placeRegion(PicStart, shell::StartMenuPlace);
    skip(
        [&] { PicStart->loadPicture(shellPicture(QString::fromLatin1(shell::StartMenuPicture))); });
    placeRegion(PicTool, shell::ToolStripPlace);
    placeRegion(PicHui, shell::TaskPanePlace);
    placeRegion(PicTable, shell::DesktopPlace);
    placeRegion(PicMyPc, shell::ComputerPlace);
    // Spot 92 keeps the rectangle it was made with.
    for (shell::HotSpotRange range : {shell::ToolStripSpots, shell::DesktopSpots,
                                      shell::StartMenuSpots, shell::HotSpotRange{93, 99}}) {
        skip([&] { layoutSpots(*this, range, [&](auto &r) { shell::layoutFixedSpots(r, s); }); });
    }
}

void FrmMain::MenuCSH() {
    const sim::StepRecord r = rec();
    const shell::Scale s = scale();
    std::optional<shell::Point> stepPlace;
    if (r.hasBarPosition()) stepPlace = shell::Point{double(r.barX()), double(r.barY())};
    const shell::Point at = shell::menuBarPlace(stepPlace, s);
    PicMenu->move(at.x, at.y);
    const QChar letter = firstChar(r.menuBarVariant());
    layoutSpots(*this, shell::MenuBarSpots,
                [&](auto &spots) { shell::layoutMenuBar(spots, letter, s); });
}

void FrmMain::HuiRenwuCSH() {
    const int variant = rec().taskPaneVariant();
    layoutSpots(*this, shell::TaskPaneSpots,
                [&](auto &spots) { shell::layoutTaskPane(spots, variant, scale()); });
}

void FrmMain::CtrlCSH() {
    const QString view = rec().viewVariant();
    const shell::Scale s = scale();
    PicCtrl->move(0, shell::CtrlPanelTop * s.y);
    // A view whose picture is missing is not shown at all, rather than
    // laid over the picture of another view; its spots stay as they were.
    if (!skip([&] {
            PicCtrl->loadPicture(shellPicture(shell::ctrlPanelPicture(firstChar(view))));
        })) {
        PicCtrl->setVisible(false);
        return;
    }
    const int number = shell::ctrlPanelView(firstChar(view));
    layoutSpots(*this, shell::CtrlPanelSpots,
                [&](auto &spots) { shell::layoutCtrlPanel(spots, number, s); });
}

void FrmMain::Tool1JTop(QString &str1, int &dWith, int &dHeight, int &dLeft, int &dTop,
                        int &dJianju) {
    // The dimensions are 16-bit values of the layout tables.
    for (int v : {dHeight, dLeft, dTop, dJianju}) {
        if (v < INT16_MIN || v > INT16_MAX) forms::raise(forms::errOverflow);
    }
    const int error = layoutItems(Lbl1J, [&](shell::ItemRects &items) {
        return shell::stackItems(items, str1, dWith, int16_t(dHeight), int16_t(dLeft),
                                 int16_t(dTop), int16_t(dJianju), scale());
    });
    if (error != shell::NoError) forms::raise(error);
}

void FrmMain::Tool1JCSH() {
    skip([&] { ShapeCSH(); });
    skip([&] { Img1J->setPicture(forms::Picture()); });
    // The stacking may give up part-way (a panel of more than twenty
    // items); what it placed stays, and the rest of the build goes on.
    skip([&] {
        layoutItems(Lbl1J, [&](shell::ItemRects &items) {
            return shell::layoutLevel1(items, HitCode, scale());
        });
    });

    skip([&] { Img1jBK->setVisible(false); });
    const std::optional<shell::PreHighlight> mark =
        shell::preHighlight(rec().expectedHit(3).text(), HitCode);
    if (!mark) return;
    skip([&] {
        forms::Label *item = Lbl1J(mark->item);
        Img1jBK->move(item->left(), item->top());
        // A missing highlight picture shows nothing, not the one of an
        // earlier step.
        Img1jBK->setPicture(forms::loadPicture(shellPicture(mark->picture)));
        Img1jBK->setVisible(true);
    });
}

void FrmMain::Tool2JCSH() {
    skip([&] {
        if (Img2J) Img2J->setPicture(forms::Picture());
    });
    skip([&] {
        layoutItems(Lbl2J, [&](shell::ItemRects &items) {
            return shell::layoutLevel2(items, shell::subMenuId(HitCode, Sel1J), scale());
        });
    });
}

void FrmMain::Tool3JCSH() {
    skip([&] { Img3J->setPicture(forms::Picture()); });
    const auto rows = shell::level3Rows(scale());
    for (int k = 1; k <= shell::Level3RowCount; ++k) {
        skip([&] { place(Lbl3J(k), rows[size_t(k)]); });
    }
}

// ---------------------------------------------------------------- regions

void FrmMain::PicTable_MouseUp(int Button, int, double X, double Y) {
    openContextPanel(*this, shell::ContextRegion::Desktop, Button, X, Y);
}

void FrmMain::PicTool_MouseUp(int Button, int, double X, double Y) {
    openContextPanel(*this, shell::ContextRegion::ToolStrip, Button, X, Y);
}

void FrmMain::PicMyPc_MouseUp(int Button, int, double X, double Y) {
    openContextPanel(*this, shell::ContextRegion::Computer, Button, X, Y);
}

void FrmMain::StartMenu_MouseUp(int Button, int, double X, double Y) {
    if (Button == forms::vbLeftButton) {
        // Without its picture the start menu stays closed: its entries
        // would lie over nothing.
        if (PicStart->picture()) PicStart->setVisible(true);
        return;
    }
    openContextPanel(*this, shell::ContextRegion::StartButton, Button, X, Y);
}

void FrmMain::PicMyPc_MouseMove(int, int, double X, double Y) {
    // The drive the step names keeps its selected look whatever the hover
    // did to it.
    shelljudge::showSelectedDrive(*this, rec());
    MovementRule(X, Y);
}

void FrmMain::PicTable_MouseMove(int, int, double X, double Y) {
    MovementRule(X, Y);
}

void FrmMain::PicCtrl_MouseMove(int, int, double X, double Y) {
    MovementRule(X, Y);
}

// Keys pressed while a region or panel has the focus are judged: some
// regions when the key goes down, the bars and the pane when it comes up.
void FrmMain::Pic1J_KeyDown(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}
void FrmMain::Pic2J_KeyDown(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}
void FrmMain::PicMyPc_KeyDown(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}
void FrmMain::PicTable_KeyDown(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}
void FrmMain::PicCtrl_KeyDown(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}
void FrmMain::PicHui_KeyUp(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}
void FrmMain::PicMenu_KeyUp(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}
void FrmMain::PicTool_KeyUp(int &KeyCode, int Shift) {
    KeyClick(KeyCode, Shift);
}

namespace shelljudge {

void showSelectedDrive(FrmMain &f, const sim::StepRecord &r) {
    const QString view = r.viewVariant();
    const int p = view.isEmpty() ? 0 : int(QStringLiteral("CDEFA").indexOf(view.at(0))) + 1;
    if (p == 0 || r.windowKind() != QLatin1String("P")) return;
    const int n = 94 + p;
    f.ImgMyPc->move(f.LblZHU(n)->left(), f.LblZHU(n)->top());
    // Runs on pointer moves: the picture comes from the cache.
    showShellPicture(f, f.ImgMyPc, shell::pressedPicture(QString::number(n)));
}

} // namespace shelljudge
