// Clicks on the items of the cascading panels: a level-1 item may open its
// level-2 panel, level-2 items 1-4 of the all-programs entry open a level-3
// list, and every other click is judged against the step.
#include "simulator/shell_judging_frm.h"
#include "simulator/shell_tables.h"

using namespace shelljudge;

namespace {

// The program folders of "All programs", which the level-2 tables lack.
void layoutAllProgramsFolders(FrmMain &f) {
    forms::skip([&] {
        layoutItems(f.Lbl2J, [](shell::ItemRects &items) {
            return shell::stackItems(items, shell::AllProgramsFolders, scale());
        });
    });
}

} // namespace

void FrmMain::Lbl1J_Click(int Index) {
    ShapeCSH();
    Sel1J = Index;
    const QString code = HitCode;
    const shell::Scale s = scale();

    const QString id = shell::subMenuId(code, Sel1J);
    if (shell::opensLevel2(id)) {
        showShellPicture(*this, Pic2J, shell::level2PictureName(id));
        shell::Level2Input in;
        in.pic1J = rectOf(Pic1J);
        in.item = rectOf(Lbl1J(Index));
        in.panelWidth = Pic2J->width();
        in.windowWidth = width();
        const shell::Point at = shell::openLevel2(id, code, in, s);
        Pic2J->move(at.x, at.y);
        Pic2J->setVisible(true);
        Tool2JCSH();
        if (id == QLatin1StringView(shell::AllProgramsFoldersId)) layoutAllProgramsFolders(*this);
    }
    // Kept on the screen, whether it opened now or stays as it was.
    const shell::Point kept = shell::clampLevel2(shell::Point{Pic2J->left(), Pic2J->top()},
                                                 Pic2J->width(), Pic2J->height(), Pic1J->left(), s);
    if (kept.x != Pic2J->left() || kept.y != Pic2J->top()) Pic2J->move(kept.x, kept.y);

    judgeClick(*this, shell::Click{shell::ClickKind::Level1Item, Index, code});
    // The item shown highlighted in advance answers by entry 3 alone.
    if (shell::preHighlightAnswers(ExpectedHits[3], code, Sel1J)) doNext();
}

void FrmMain::Lbl2J_Click(int Index) {
    Sel2J = Index;
    const QString code = HitCode;
    if (shell::opensLevel3(code, Sel1J, Index)) {
        showShellPicture(*this, Pic3J, shell::level3Picture(Index));
        const shell::Point at = shell::openLevel3(rectOf(Pic2J), Lbl2J(Index)->top(), scale());
        Pic3J->move(at.x, at.y);
        Pic3J->setVisible(true);
        Tool3JCSH();
        return;
    }
    judgeClick(*this, shell::Click{shell::ClickKind::Level2Item, Index, code});
}

void FrmMain::Lbl3J_Click(int Index) {
    judgeClick(*this, shell::Click{shell::ClickKind::Level3Item, Index, HitCode});
}
