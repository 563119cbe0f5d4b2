// Target-label answers: clicks, double-clicks, pointing and the context
// menu on the target Label1; the press, the rubber band and the drag
// from the source Label4.
#include "simulator/frm_main.h"

#include "platform/paths.h"
#include "platform/text.h"
#include "simulator/judging_rules.h"
#include "simulator/shell_judging_frm.h"

#include <cmath>

using sim::TargetRelease;

namespace {

int whole(double v) {
    return static_cast<int>(platform::roundEven(v));
}

bool bandOrDrag(const sim::StepRecord &r) {
    return sim::isBandStep(r) || sim::isDragStep(r);
}

} // namespace

// ---------------------------------------------------------------- helpers

void FrmMain::takeBranch(const QString &branch) {
    if (branch.isEmpty()) return;
    if (branch == QLatin1String("0"))
        doNext();
    else
        GoStep(branch);
}

void FrmMain::jumpTo(const QString &branch) {
    if (branch.isEmpty()) return;
    GoStep(branch);
}

void FrmMain::showPictureOrNone(forms::PictureBox *box, const QString &path) {
    shelljudge::showCachedPicture(box, shelljudge::cachedPicture(*this, path));
}

void FrmMain::applyPointer(forms::Control *c, const QString &cursorCode, bool customForAnyLetter) {
    const sim::PointerChoice p = sim::pointerOf(cursorCode, customForAnyLetter);
    switch (p.kind) {
    case sim::PointerChoice::Default:
        c->setMousePointer(forms::vbDefault);
        break;
    case sim::PointerChoice::Standard:
        // A number the toolkit has no pointer for leaves the pointer as it is.
        forms::skip([&] { c->setMousePointer(p.number); });
        break;
    case sim::PointerChoice::Custom:
        c->setMousePointer(forms::vbCustom);
        // Runs on pointer moves: the cursor file comes from the cache.
        c->setMouseIcon(shelljudge::cachedPicture(*this, platform::programFolder() + p.cursorFile));
        break;
    }
}

// ---------------------------------------------------------------- Label1

void FrmMain::Label1_DblClick() {
    const sim::StepRecord r = rec();
    const QString code = r.actionCode();
    if (code == QLatin1String("0002") || code == QLatin1String("7772"))
        takeBranch(r.targetRect().branch);
}

void FrmMain::Label1_MouseMove(int, int, double, double) {
    const sim::StepRecord r = rec();
    if (r.actionCode() == QLatin1String("0030")) doNext();
    if (bandOrDrag(r)) {
        Label1->setMousePointer(forms::vbDefault);
        return;
    }
    // The pointer of the step now on show (the next one after a hover answer).
    applyPointer(Label1, rec().cursorCode(), false);
}

void FrmMain::Label1_MouseUp(int Button, int Shift, double X, double Y) {
    const sim::StepRecord r = rec();
    const QString b = r.targetRect().branch;
    ActionValue = r.actionValue();
    switch (sim::targetRelease(ActionValue, Button, Shift)) {
    case TargetRelease::Nothing:
        break;
    case TargetRelease::TakeBranch:
        takeBranch(b);
        break;
    case TargetRelease::ConfirmText:
        confirmTypedAnswer();
        break;
    case TargetRelease::JumpIfBranch:
        if (b != QLatin1String("0")) jumpTo(b);
        break;
    case TargetRelease::ContextMenu:
        HitCode = r.contextPanelCode();
        showPictureOrNone(Pic1J, shellPicture(HitCode + QStringLiteral("0077")));
        Pic1J->setLeft(Label1->left() + X);
        Pic1J->setTop(Label1->top() + Y);
        if (Pic1J->left() >= effectiveWidth() - Pic1J->width())
            Pic1J->setLeft(Pic1J->left() - Pic1J->width());
        // Upwards near the bottom of the desktop area, not of the window.
        if (Pic1J->top() >= PicTable->height() - Pic1J->height())
            Pic1J->setTop(Pic1J->top() - Pic1J->height());
        if (Pic1J->top() < 0) Pic1J->setTop(0);
        Pic1J->setVisible(true);
        Tool1JCSH();
        break;
    }
}

// ---------------------------------------------------------------- Label4

void FrmMain::Label4_MouseDown(int Button, int Shift, double X, double Y) {
    const sim::StepRecord r = rec();
    if (!r.noBars() && !r.noWindow() && Button == forms::vbLeftButton &&
        r.sourceRect().branch == QLatin1String("0") && r.actionCode() != QLatin1String("0028")) {
        doNext();
        return;
    }
    const bool shiftOk = Shift == r.actionShift();
    if (sim::isBandStep(r) && shiftOk) {
        Shape6->setWidth(15);
        Shape6->setHeight(15);
        Shape6->setVisible(true);
        BandX = whole(Label4->left() + X);
        BandY = whole(Label4->top() + Y);
    }
    if (bandOrDrag(r) && shiftOk) Dragging = true;
}

void FrmMain::Label4_MouseMove(int, int Shift, double X, double Y) {
    const sim::StepRecord r = rec();
    const bool shiftOk = Shift == r.actionShift();
    if (sim::isBandStep(r) && shiftOk) {
        if (!Shape6->visible()) return;
        // The corner stays at the start point; moving up or left of it
        // grows the band the other way by the same distance.
        Shape6->setLeft(BandX);
        Shape6->setTop(BandY);
        Shape6->setWidth(std::abs(Label4->left() + X - Shape6->left()));
        Shape6->setHeight(std::abs(Label4->top() + Y - Shape6->top()));
    }
    if (bandOrDrag(r) && shiftOk && Dragging) applyPointer(Label4, r.cursorCode(), true);
}

void FrmMain::Label4_MouseUp(int, int Shift, double X, double Y) {
    const sim::StepRecord r = rec();
    const bool shiftOk = Shift == r.actionShift();
    const double px = Label4->left() + X;
    const double py = Label4->top() + Y;
    const bool onTarget =
        sim::pointOnRect(px, py, Label1->left(), Label1->top(), Label1->width(), Label1->height());

    if (sim::isBandStep(r) && shiftOk) {
        Shape6->setWidth(15);
        Shape6->setHeight(15);
        if (Shape6->visible() && onTarget) {
            doNext();
            return;
        }
        Shape6->setVisible(false);
    }
    if (bandOrDrag(r) && shiftOk) {
        Dragging = false;
        // Only a drag that has moved (and so changed the pointer) drops.
        if (onTarget && Label4->mousePointer() != forms::vbDefault) {
            takeBranch(r.dropBranch());
            return;
        }
        Label4->setMousePointer(forms::vbDefault);
    }
    if (r.actionCode() == QLatin1String("0028") && confirmTypedAnswer()) return;
    const QString back = r.sourceRect().branch;
    if (back != QLatin1String("0")) jumpTo(back);
}
