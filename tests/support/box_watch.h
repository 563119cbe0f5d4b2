#pragma once
// The program's own message boxes, as a test sees them: every box shown
// is noted as "title|prompt" and answered by its first button, so that a
// run that meets a box goes on as a candidate who read it would.
#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "startup/frm_qhmsgbox.h"

#include <QStringList>
#include <functional>

namespace testsupport {

enum class BoxPlace { Left, Noted };

// With BoxPlace::Noted each entry starts with where the box stood:
// "over the home page|" or "before it|" (the start's boxes are told in
// an order against the page). Other windows shown modally go to others.
inline void watchBoxes(QStringList *seen, BoxPlace place = BoxPlace::Left,
                       std::function<void(forms::Form &)> others = {}) {
    forms::testing::setModalHook([seen, place, others](forms::Form &form) {
        if (form.name() != QLatin1String("FrmQHMSGBOX")) {
            if (others) others(form);
            return;
        }
        auto &box = static_cast<FrmQHMSGBOX &>(form);
        QString entry = box.LblTitle->caption() + "|" + box.LblPrompt->caption();
        if (place == BoxPlace::Noted) {
            const FrmFengmian *home = forms::loadedForm<FrmFengmian>();
            entry.prepend(home && home->visible() ? "over the home page|" : "before it|");
        }
        *seen << entry;
        forms::testing::click(box.LblClick(1), 100, 100);
    });
}

} // namespace testsupport
