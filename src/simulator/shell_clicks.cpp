// Releases and double-clicks on the hot spots: the code of the spot hit,
// its pressed look, the panel it opens, and the judging of the click.
#include "simulator/shell_judging_frm.h"

using namespace shelljudge;

namespace {

// Opens the level-1 panel of a release: its picture, its place, its items.
void openReleasePanel(FrmMain &f, int index, const shell::ReleasePanel &panel, double X, double Y) {
    showShellPicture(f, f.Pic1J, panel.picture);

    forms::Label *spot = f.LblZHU(index);
    shell::ReleasePanelInput in;
    in.spot = rectOf(spot);
    switch (panel.place) {
    case shell::PanelPlace::UnderBar:
    case shell::PanelPlace::AboveLeftOfBar:
        in.region = rectOf(f.PicMenu);
        break;
    case shell::PanelPlace::UnderToolButton:
        in.region = rectOf(f.PicTool);
        break;
    case shell::PanelPlace::AllPrograms:
    case shell::PanelPlace::UserPanel:
    case shell::PanelPlace::ShutDownArrow:
        in.region = rectOf(f.PicStart);
        break;
    case shell::PanelPlace::IconCentre:
        in.region = rectOf(f.PicTable);
        break;
    case shell::PanelPlace::AtPointer:
        in.region = rectOf(f.PicMyPc);
        break;
    }
    in.pointer = shell::Point{X, Y};
    in.panelWidth = f.Pic1J->width();
    in.panelHeight = f.Pic1J->height();
    in.windowWidth = f.width();
    in.windowHeight = f.height();
    const shell::Point at = shell::placeReleasePanel(panel.place, in, scale());
    f.Pic1J->move(at.x, at.y);
    f.Pic1J->setVisible(true);
    f.Tool1JCSH();
}

} // namespace

void FrmMain::LblZHU_MouseUp(int Index, int Button, int, double X, double Y) {
    ShapeCSH();
    HitCode = shell::hitCode(rec().menuBarVariant(), Index);
    // The step change of a match clears the window's code; the entries
    // examined after it still answer this click.
    const QString code = HitCode;

    if (Button == forms::vbLeftButton) {
        for (forms::Image *img : {ImgMenu, ImgHui, ImgTool, ImgTable}) {
            if (!img->picture().isNull()) img->setPicture(forms::Picture());
        }
        Pic1J->setVisible(false);
    } else if (!shell::DesktopSpots.contains(Index) && !shell::ComputerSpots.contains(Index)) {
        // Any other button elsewhere only names the spot.
        return;
    }

    const shell::Look look = shell::pressedLook(Index, code, Button);
    if (forms::Image *img = carrierImage(*this, look.carrier)) {
        forms::Label *spot = LblZHU(Index);
        img->move(spot->left(), spot->top());
        showShellPicture(*this, img, look.picture);
    }

    if (const auto panel = shell::releasePanel(Index, code, Button)) {
        openReleasePanel(*this, Index, *panel, X, Y);
    } else if (Button == forms::vbLeftButton && shell::ToolStripSpots.contains(Index)) {
        // The tool-strip buttons lay out the items of their (hidden) panel
        // all the same.
        Tool1JCSH();
    }

    if (Button == forms::vbLeftButton) {
        judgeClick(*this, shell::Click{shell::ClickKind::HotSpotRelease, Index, code});
    }
}

void FrmMain::LblZHU_DblClick(int Index) {
    // The release before the double-click has named the spot already.
    judgeClick(*this, shell::Click{shell::ClickKind::HotSpotDoubleClick, Index, HitCode});
}

void FrmMain::Pic1J_MouseUp(int Button, int Shift, double X, double Y) {
    // A link of a Control Panel page shows only its hover look in the panel
    // laid over it, a panel without items: the click belongs to the link
    // beneath, whose place the panel shares.
    bool isNumber = false;
    const int index = HitCode.toInt(&isNumber);
    if (!isNumber || !shell::CtrlPanelSpots.contains(index)) return;
    const int view = shell::ctrlPanelView(firstChar(rec().viewVariant()));
    if (shell::ctrlPanelOverlay(index, view).layoutItems) return;
    LblZHU_MouseUp(index, Button, Shift, X, Y);
}
