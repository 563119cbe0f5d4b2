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

QChar firstChar(const QString &s) {
    return s.isEmpty() ? QChar() : s.at(0);
}

forms::Picture cachedPicture(FrmMain &f, const QString &path) {
    auto it = f.PictureCache.find(path);
    if (it != f.PictureCache.end()) return it->second;
    forms::Picture picture;
    forms::skip([&] { picture = forms::loadPicture(path); });
    f.PictureCache.emplace(path, picture);
    return picture;
}

forms::Picture shellPicture(FrmMain &f, const QString &name) {
    if (name.isEmpty()) return forms::Picture();
    return cachedPicture(f, f.ExamDataDir + name + QStringLiteral(".mxy"));
}

void showCachedPicture(forms::Image *img, const forms::Picture &p) {
    // Setting the same picture again would only repaint the region.
    if (!(img->picture() == p)) img->setPicture(p);
}

void showCachedPicture(forms::PictureBox *box, const forms::Picture &p) {
    if (!(box->picture() == p)) box->setPicture(p);
}

void showShellPicture(FrmMain &f, forms::Image *img, const QString &name) {
    showCachedPicture(img, shellPicture(f, name));
}

void showShellPicture(FrmMain &f, forms::PictureBox *box, const QString &name) {
    showCachedPicture(box, shellPicture(f, name));
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
