// The hint frame of the guided mode: one tick after every build of a step
// frames the hot spots the step's entries name, one frame per region.
#include "simulator/frm_main.h"

#include "simulator/judging_rules.h"
#include "startup/run_state.h"

void FrmMain::TimerDisFK_Timer() {
    const auto &s = startup::state();
    for (forms::Shape *f :
         {ShapeMenu, ShapeTool, ShapeHui, ShapeCtrl, ShapeTable, ShapeStart, ShapeMyPc})
        f->setVisible(false);

    for (const sim::HintMark &m : sim::hintMarks(rec())) {
        forms::Shape *frame = nullptr;
        switch (m.frame) {
        case sim::HintFrame::Menu:
            frame = ShapeMenu;
            break;
        case sim::HintFrame::Tool:
            frame = ShapeTool;
            break;
        case sim::HintFrame::Hui:
            frame = ShapeHui;
            break;
        case sim::HintFrame::Ctrl:
            frame = ShapeCtrl;
            break;
        case sim::HintFrame::Table:
            frame = ShapeTable;
            break;
        case sim::HintFrame::Start:
            frame = ShapeStart;
            break;
        case sim::HintFrame::MyPc:
            frame = ShapeMyPc;
            break;
        case sim::HintFrame::None:
            continue;
        }
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
