#include "panel/question_focus.h"

#include "forms/forms.h"
#include "panel/frm_tm.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"

namespace panel {

void keysToScreen() {
    FrmMain *m = forms::loadedForm<FrmMain>();
    if (!m || !forms::loadedForm<FrmTm>()) return;
    // The demonstration hands the screen back itself when it ends.
    if (startup::state().DemoPlaying) return;
    if (forms::boxOnShow()) return;
    forms::skip([&] {
        if (m->windowState() == forms::vbMinimized) m->setWindowState(forms::vbNormal);
        m->show();
    });
}

void handKeysBackAfterInput(forms::Form &f) {
    f.onInputDone = [] { keysToScreen(); };
}

} // namespace panel
