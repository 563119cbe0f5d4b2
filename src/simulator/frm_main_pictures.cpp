// Picture answers: clicks on the overlay pictures, the picture drag of
// Image5 and the extra picture ImgElse with its panels.
#include "simulator/frm_main.h"

#include "platform/text.h"
#include "simulator/judging_rules.h"
#include "startup/run_state.h"

namespace {

startup::RunState &S() {
    return startup::state();
}

int whole(double v) {
    return static_cast<int>(platform::roundEven(v));
}

} // namespace

// ---------------------------------------------------------------- clicks

void FrmMain::Image1_Click() {
    HitCode = QStringLiteral("00");
    jumpTo(rec().pictureSlot(1).branch);
}

void FrmMain::Image2_Click() {
    HitCode = QStringLiteral("00");
    jumpTo(rec().pictureSlot(2).branch);
}

void FrmMain::Image3_Click() {
    jumpTo(rec().pictureSlot(3).branch);
}

void FrmMain::Image4_Click() {
    jumpTo(rec().pictureSlot(4).branch);
}

void FrmMain::Image5_Click() {
    jumpTo(rec().pictureSlot(5).branch);
}

void FrmMain::Image6_Click() {
    jumpTo(rec().pictureSlot(6).branch);
}

void FrmMain::Image1_MouseMove(int, int, double X, double Y) {
    MovementRule(X, Y);
}
void FrmMain::Image2_MouseMove(int, int, double X, double Y) {
    MovementRule(X, Y);
}
void FrmMain::Image3_MouseMove(int, int, double X, double Y) {
    MovementRule(X, Y);
}
void FrmMain::Image4_MouseMove(int, int, double X, double Y) {
    MovementRule(X, Y);
}

// ---------------------------------------------------------------- drag

void FrmMain::Image5_MouseMove(int Button, int, double X, double Y) {
    // X and Y are measured from the picture's own corner, so each move
    // brings its edge halfway to the pointer: the picture trails it.
    if (Button == forms::vbLeftButton) {
        const sim::DragAxes axes = sim::dragAxes(ActionValue);
        if (axes.horizontal) {
            Image5->setLeft(DragX + X / 2);
            DragX = whole(Image5->left());
        }
        if (axes.vertical) {
            Image5->setTop(DragY + Y / 2);
            DragY = whole(Image5->top());
        }
    }
    MovementRule(X, Y);
}

void FrmMain::Image5_MouseUp(int, int, double, double) {
    const auto &s = S();
    const sim::DragAxes axes = sim::dragAxes(ActionValue);
    if (!axes.any()) return;
    const double tx = DragTargetX * s.ScaleX;
    const double ty = DragTargetY * s.ScaleY;
    if (sim::dragReached(ActionValue, DragX, DragY, tx, ty)) {
        if (axes.vertical) Image5->setTop(ty);
        if (axes.horizontal) Image5->setLeft(tx);
        DragX = whole(Image5->left());
        DragY = whole(Image5->top());
        doNext();
        return;
    }
    // Short of the target: back to where the step placed it.
    const sim::PictureSlot slot = rec().pictureSlot(5);
    if (axes.vertical) Image5->setTop(slot.y * s.ScaleY);
    if (axes.horizontal) Image5->setLeft(slot.x * s.ScaleX);
    DragX = whole(Image5->left());
    DragY = whole(Image5->top());
}

// ---------------------------------------------------------------- extra picture

namespace {

// An entry naming this hot-spot code with these level-1 and level-2 items.
bool isPlainEntry(const sim::ExpectedHit &e, const QString &code, const QString &items) {
    return e.hitCode() == code && e.level1() + e.level2() == items;
}

} // namespace

void FrmMain::ImgElse_MouseMove(int, int, double, double) {
    const sim::StepRecord r = rec();
    if (r.extraPicHoverName() != QLatin1String("000000") &&
        !ExpectedHits[1].startsWith(QLatin1Char('Q')) && !r.hasBarPosition())
        showPictureOrNone(ImgElse, bankPicture(r.extraPicHoverName()));
}

void FrmMain::ImgElse_MouseUp(int Button, int, double X, double Y) {
    const auto &s = S();
    ShapeCSH();
    HitCode = rec().windowAndView();
    showPictureOrNone(ImgElse, bankPicture(rec().extraPicHoverName()));

    if (Button == forms::vbRightButton) {
        // Only the codes from "T0" on have a context panel.
        if (HitCode < QLatin1String("T0")) return;
        showPictureOrNone(Pic1J, shellPicture(HitCode + QStringLiteral("0077")));
        Pic1J->setLeft(ImgElse->left() + X);
        Pic1J->setTop(ImgElse->top() + Y);
        if (Pic1J->left() >= effectiveWidth() - Pic1J->width())
            Pic1J->setLeft(Pic1J->left() - Pic1J->width());
        if (Pic1J->top() >= effectiveHeight() - Pic1J->height())
            Pic1J->setTop(Pic1J->top() - Pic1J->height());
        if (Pic1J->top() < 0) Pic1J->setTop(0);
        Pic1J->setVisible(true);
        Tool1JCSH();
        return;
    }

    if (HitCode.startsWith(QLatin1Char('S'))) {
        // A drop-down panel below the target, held against the right edge.
        Pic1J->setLeft(Label1->left());
        Pic1J->setTop(Label1->top() + Label1->height() + 15 * s.ScaleY);
        showPictureOrNone(Pic1J, shellPicture(HitCode + QStringLiteral("0077")));
        if (Pic1J->left() >= effectiveWidth() - Pic1J->width())
            Pic1J->setLeft(effectiveWidth() - Pic1J->width());
        if (Pic1J->top() >= effectiveHeight() - Pic1J->height())
            Pic1J->setTop(Pic1J->top() - Pic1J->height());
        // A tall panel turned upwards must not lose its first items above
        // the window, where nobody can click them.
        if (Pic1J->top() < 0) Pic1J->setTop(0);
        Pic1J->setVisible(true);
        Tool1JCSH();
    }

    // Each test reads the step as it stands when it runs: a match that
    // moved on is followed by tests against the new step.
    if (HitCode == QLatin1String("U6")) {
        for (int k = 1; k <= 4; ++k) {
            const sim::ExpectedHit e(ExpectedHits[k]);
            if (e.kind() == QLatin1String("H") &&
                (isPlainEntry(e, QStringLiteral("U6"), QStringLiteral("0000")) ||
                 isPlainEntry(e, QStringLiteral("U6"), QStringLiteral("0100")))) {
                takeBranch(e.branch());
                PicStart->setVisible(false);
            }
        }
    }
    const sim::ExpectedHit first = rec().expectedHit(1);
    if (first.kind() == QLatin1String("H") && isPlainEntry(first, HitCode, QStringLiteral("0000")))
        takeBranch(first.branch());
}

void FrmMain::ImgElse_DblClick() {
    const sim::ExpectedHit e = rec().expectedHit(2);
    if (e.kind().isEmpty() || e.kind() < QLatin1String("S")) return;
    if (isPlainEntry(e, HitCode, QStringLiteral("0000"))) takeBranch(e.branch());
}
