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

// The hover look of the extra picture: characters 1-6 of its code.
QString hoverName(const sim::StepRecord &r) {
    return r.cols(167, 6);
}

bool isPlainEntry(const QString &entry, const QString &code, const QString &items) {
    return platform::mid1(entry, 2, 2) == code && platform::mid1(entry, 4, 4) == items;
}

} // namespace

void FrmMain::ImgElse_MouseMove(int, int, double, double) {
    const sim::StepRecord r = rec();
    if (r.cols(167, 6) != QLatin1String("000000") &&
        !ExpectedHits[1].startsWith(QLatin1Char('Q')) && r.cols(167, 1) != QLatin1String("W"))
        showPictureOrNone(ImgElse, bankPicture(hoverName(r)));
}

void FrmMain::ImgElse_MouseUp(int Button, int, double X, double Y) {
    const auto &s = S();
    ShapeCSH();
    HitCode = rec().cols(4, 2);
    showPictureOrNone(ImgElse, bankPicture(hoverName(rec())));

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
            const QString e = ExpectedHits[k];
            if (e.startsWith(QLatin1String("HU6")) &&
                (platform::mid1(e, 4, 4) == QLatin1String("0000") ||
                 platform::mid1(e, 4, 4) == QLatin1String("0100"))) {
                takeBranch(platform::mid1(e, 10, 1));
                PicStart->setVisible(false);
            }
        }
    }
    const QString first = rec().expectedHit(1).text();
    if (first.startsWith(QLatin1Char('H')) && isPlainEntry(first, HitCode, QStringLiteral("0000")))
        takeBranch(platform::mid1(first, 10, 1));
}

void FrmMain::ImgElse_DblClick() {
    const QString e = rec().expectedHit(2).text();
    if (e.isEmpty() || e.at(0) < QLatin1Char('S')) return;
    if (isPlainEntry(e, HitCode, QStringLiteral("0000"))) takeBranch(platform::mid1(e, 10, 1));
}
