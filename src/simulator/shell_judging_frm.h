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

// The image of a region that shows a hover or pressed look.
forms::Image *carrierImage(const FrmMain &f, shell::Carrier carrier);

// Judges a click against the step's four answer entries, in order and
// without stopping at a match: each entry is read when its turn comes, so
// after a match the later ones are those of the step now shown, compared
// with the same click and with Sel1J and Sel2J as they now stand. A match
// takes its branch and closes the start menu.
void judgeClick(FrmMain &f, const shell::Click &click);

} // namespace shelljudge
