#pragma once
// What the shell's pointer handlers of the simulated screen share: the
// window's cache of shell pictures, the judging loop over the step's
// answer entries and the geometry of its controls as the rules read it.
#include "simulator/frm_main.h"
#include "simulator/shell_judging.h"

namespace shelljudge {

shell::Scale scale();
shell::Rect rectOf(const forms::Control *c);
void place(forms::Control *c, shell::Rect r);
// The first character of a record field; none when the record ends early.
QChar firstChar(const QString &s);

// The items of a panel through a layout routine; its error (the stacking
// giving up) is returned after every item has been written back.
template <class Items, class Layout> int layoutItems(Items &array, Layout layout) {
    shell::ItemRects items{};
    for (int i = 1; i <= shell::PanelItemCount; ++i) items[size_t(i)] = rectOf(array(i));
    const int error = layout(items);
    for (int i = 1; i <= shell::PanelItemCount; ++i) place(array(i), items[size_t(i)]);
    return error;
}

// A picture file, from the window's cache (blank when it cannot be loaded).
forms::Picture cachedPicture(FrmMain &f, const QString &path);
// A shell picture by name, from the window's cache.
forms::Picture shellPicture(FrmMain &f, const QString &name);
// Shows a picture from the cache; a missing one leaves the control blank,
// so that the click, hover or reset goes on to its end.
void showCachedPicture(forms::Image *img, const forms::Picture &p);
void showCachedPicture(forms::PictureBox *box, const forms::Picture &p);
void showShellPicture(FrmMain &f, forms::Image *img, const QString &name);
void showShellPicture(FrmMain &f, forms::PictureBox *box, const QString &name);
// The Computer window's drive named by the step keeps its selected look.
void showSelectedDrive(FrmMain &f, const sim::StepRecord &r);

// The image of a region that shows a hover or pressed look.
forms::Image *carrierImage(const FrmMain &f, shell::Carrier carrier);

// Judges a click against the step's four answer entries, in order and
// without stopping at a match: each entry is read when its turn comes, so
// after a match the later ones are those of the step now shown, compared
// with the same click and with Sel1J and Sel2J as they now stand. A match
// takes its branch and closes the start menu.
void judgeClick(FrmMain &f, const shell::Click &click);

} // namespace shelljudge
