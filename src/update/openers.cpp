#include "update/openers.h"

#include "startup/run_state.h"
#include "update/frm_about.h"
#include "update/frm_updata.h"

namespace update {

void openUpdateWindow() {
    startup::state().ShowUpdateWindow = 1;
    forms::form<FrmUpdata>()->show();
}

void openAboutBox() {
    forms::form<FrmAbout>()->show(forms::vbModal);
}

} // namespace update
