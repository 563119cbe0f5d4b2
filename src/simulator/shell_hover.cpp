// The pointer over the shell: hover looks of the hot spots, the Control
// Panel's link panels that open by pointing, and the hover frames and
// pictures of the panel items.
#include "platform/paths.h"
#include "simulator/shell_judging_frm.h"

using namespace shelljudge;

void FrmMain::LblZHU_MouseMove(int Index, int, int, double, double) {
    // The start menu keeps the frames of its sub-panel's items.
    if (Index < 70 || Index > 91) ShapeCSH();
    // Still over the spot whose panel is open.
    if (shell::ownsHitCode(Index, HitCode)) return;

    HitCode = QString::fromLatin1(shell::NoHitCode);
    Pic1J->setVisible(false);
    Pic2J->setVisible(false);
    Pic3J->setVisible(false);
    for (forms::Image *img : {ImgMenu, ImgHui, ImgTool}) {
        if (!img->picture().isNull()) img->setPicture(forms::Picture());
    }

    forms::Label *spot = LblZHU(Index);
    if (shell::CtrlPanelSpots.contains(Index)) {
        // A Control Panel spot opens its panel just by being pointed at,
        // and names it for the clicks on its items.
        Pic1J->move(PicCtrl->left() + spot->left(), PicCtrl->top() + spot->top());
        HitCode = shell::twoDigits(Index);
        const shell::CtrlOverlay overlay =
            shell::ctrlPanelOverlay(Index, shell::ctrlPanelView(firstChar(rec().viewVariant())));
        showShellPicture(*this, Pic1J, overlay.picture);
        Pic1J->setVisible(true);
        if (overlay.layoutItems) {
            Tool1JCSH();
        } else {
            // A look without items: the items of an earlier panel must not
            // lie in it and take the click meant for the link beneath.
            layoutItems(Lbl1J, [](shell::ItemRects &items) {
                shell::parkItems(items);
                return int(shell::NoError);
            });
        }
        return;
    }

    const shell::Look look = shell::hoverLook(Index, rec().menuBarVariant());
    forms::Image *img = carrierImage(*this, look.carrier);
    if (!img) return;
    img->move(spot->left(), spot->top());
    showShellPicture(*this, img, look.picture);
}

void FrmMain::Lbl1J_MouseMove(int Index, int, int, double, double) {
    forms::Label *item = Lbl1J(Index);
    if (shell::isLinkPanel(HitCode)) {
        if (!LinkCursorLoaded) {
            LinkCursorLoaded = true;
            forms::skip([&] {
                LinkCursor = forms::loadPicture(platform::programFolder() +
                                                QString::fromLatin1(shell::LinkCursorFile));
            });
        }
        // Without the cursor file the link keeps the ordinary pointer.
        if (!LinkCursor.isNull()) {
            if (!(item->mouseIcon() == LinkCursor)) item->setMouseIcon(LinkCursor);
            item->setMousePointer(forms::vbCustom);
        }
        Img1J->move(item->left(), item->top());
        const int view = shell::ctrlPanelView(firstChar(rec().viewVariant()));
        showShellPicture(*this, Img1J, shell::linkHoverPicture(HitCode, Index, view));
        place(Shape1J, shell::HiddenItemFrame);
    } else {
        item->setMousePointer(forms::vbDefault);
        place(Shape1J, rectOf(item));
        if (!Img1J->picture().isNull()) Img1J->setPicture(forms::Picture());
    }
    // Pointing at another item closes the sub-panels of the one clicked.
    if (Sel1J != Index) {
        Pic2J->setVisible(false);
        Pic3J->setVisible(false);
    }
}

void FrmMain::Lbl2J_MouseMove(int Index, int, int, double, double) {
    forms::Label *item = Lbl2J(Index);
    if (Img2J) Img2J->move(item->left(), item->top());
    place(Shape2J, rectOf(item));
    if (Sel2J != Index) Pic3J->setVisible(false);
}

void FrmMain::Lbl3J_MouseMove(int Index, int, int, double, double) {
    forms::Label *row = Lbl3J(Index);
    Img3J->move(row->left(), row->top());
    showShellPicture(*this, Img3J, shell::level3HoverPicture(Sel2J, Index));
}
