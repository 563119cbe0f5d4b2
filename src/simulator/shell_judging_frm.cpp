#include "simulator/shell_judging_frm.h"

#include "startup/run_state.h"

namespace shelljudge {

shell::Scale scale() {
    const auto &s = startup::state();
    return shell::Scale{s.ScaleX, s.ScaleY};
}

shell::Rect rectOf(const forms::Control *c) {
    return shell::Rect{c->left(), c->top(), c->width(), c->height()};
}

void place(forms::Control *c, shell::Rect r) {
    if (rectOf(c) != r) c->move(r.left, r.top, r.width, r.height);
}

forms::Picture shellPicture(FrmMain &f, const QString &name) {
    if (name.isEmpty()) return forms::Picture();
    auto it = f.ShellPictureCache.find(name);
    if (it != f.ShellPictureCache.end()) return it->second;
    forms::Picture picture;
    forms::skip(
        [&] { picture = forms::loadPicture(f.ExamDataDir + name + QStringLiteral(".mxy")); });
    f.ShellPictureCache.emplace(name, picture);
    return picture;
}

void showShellPicture(FrmMain &f, forms::Image *img, const QString &name) {
    const forms::Picture p = shellPicture(f, name);
    // Setting the same picture again would only repaint the region.
    if (!(img->picture() == p)) img->setPicture(p);
}

void showShellPicture(FrmMain &f, forms::PictureBox *box, const QString &name) {
    const forms::Picture p = shellPicture(f, name);
    if (!(box->picture() == p)) box->setPicture(p);
}

forms::Image *carrierImage(const FrmMain &f, shell::Carrier carrier) {
    switch (carrier) {
    case shell::Carrier::Menu:
        return f.ImgMenu;
    case shell::Carrier::Tool:
        return f.ImgTool;
    case shell::Carrier::Hui:
        return f.ImgHui;
    case shell::Carrier::Table:
        return f.ImgTable;
    case shell::Carrier::Start:
        return f.ImgStart;
    case shell::Carrier::MyPc:
        return f.ImgMyPc;
    case shell::Carrier::None:
        break;
    }
    return nullptr;
}

void judgeClick(FrmMain &f, const shell::Click &click) {
    for (int k = 1; k <= 4; ++k) {
        const QString entry = f.ExpectedHits[k];
        if (!shell::entryMatches(entry, click, shell::Selection{f.Sel1J, f.Sel2J})) continue;
        f.takeBranch(shell::branchOf(entry));
        f.PicStart->setVisible(false);
    }
}

} // namespace shelljudge
