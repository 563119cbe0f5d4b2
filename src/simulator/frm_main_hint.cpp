// The hint frame of the guided mode: one tick after every build of a step
// frames the hot spots the step's entries name, one frame per region.
#include "simulator/frm_main.h"

#include "simulator/judging_rules.h"
#include "startup/run_state.h"

void FrmMain::TimerDisFK_Timer() {
    const auto &s = startup::state();
    // In the order of sim::HintFrame, after None.
    forms::Shape *const frames[] = {ShapeMenu,  ShapeTool,  ShapeHui, ShapeCtrl,
                                    ShapeTable, ShapeStart, ShapeMyPc};
    for (forms::Shape *f : frames) f->setVisible(false);

    for (const sim::HintMark &m : sim::hintMarks(rec())) {
        if (m.frame == sim::HintFrame::None) continue;
        forms::Shape *frame = frames[static_cast<int>(m.frame) - 1];
        if (m.spot == 69) {
            // The whole desktop, one pixel inside its edges.
            frame->move(15 * s.ScaleX, 15 * s.ScaleY, PicTable->width() - 30 * s.ScaleX,
                        PicTable->height() - 30 * s.ScaleY);
        } else {
            const forms::Control *at = m.frame == sim::HintFrame::Start
                                           ? static_cast<forms::Control *>(StartMenu)
                                           : LblZHU(m.spot);
            frame->move(at->left(), at->top(), at->width(), at->height());
        }
        frame->setVisible(LHelp->visible());
    }
    TimerDisFK->setEnabled(false);
}
