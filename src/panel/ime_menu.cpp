#include "panel/ime_menu.h"

#include "simulator/frm_main.h"
#include "startup/run_state.h"

namespace panel {

const QString kEnglishItemCaption = QStringLiteral("英语（美国）");

ImeMenuModel imeMenuFor(const std::vector<platform::KeyboardLayout> &layouts) {
    ImeMenuModel m;
    for (int n = 0; n < kChineseItems; ++n) m.cnCaptions[n] = QStringLiteral("中文%1").arg(n + 1);
    bool engTaken = false;
    const size_t read = std::min(layouts.size(), static_cast<size_t>(kImeLayoutsRead));
    for (size_t i = 0; i < read; ++i) {
        const auto &l = layouts[i];
        if (l.name.trimmed().isEmpty()) {
            if (!engTaken) m.engHandle = l.handle;
            engTaken = true;
            continue;
        }
        if (m.imeCount <= kChineseItems) {
            m.cnCaptions[m.imeCount - 1] = l.name;
            m.cnHandles[m.imeCount - 1] = l.handle;
        }
        ++m.imeCount;
    }
    for (int k = 1; k <= kChineseItems; ++k) m.cnVisible[k - 1] = k == 1 || m.imeCount > k;
    return m;
}

double imePopupTop(double labelTop, int imeCount, double bodyTop) {
    return labelTop - imeCount * 300 + bodyTop;
}

ImeMenu createImeMenu(forms::Form *owner, const std::vector<platform::KeyboardLayout> &layouts) {
    ImeMenu menu;
    menu.model = imeMenuFor(layouts);
    menu.mIme = std::make_unique<forms::Menu>(owner, QStringLiteral("mIme"), QStringLiteral("输入法"));
    menu.mEng = menu.mIme->addItem(QStringLiteral("mEng"), kEnglishItemCaption);
    const uintptr_t eng = menu.model.engHandle;
    menu.mEng->onClick = [eng] { chooseInputLayout(eng); };
    for (int n = 0; n < kChineseItems; ++n) {
        forms::Menu *item = menu.mIme->addItem(QStringLiteral("mCn%1").arg(n + 1), menu.model.cnCaptions[n]);
        item->setVisible(menu.model.cnVisible[n]);
        const uintptr_t h = menu.model.cnHandles[n];
        item->onClick = [h] { chooseInputLayout(h); };
        menu.mCn[n] = item;
    }
    return menu;
}

void chooseInputLayout(uintptr_t handle) {
    startup::state().InputLayout = handle;
    FrmMain *m = nullptr;
    forms::skip([&] { m = forms::form<FrmMain>(); });
    if (!m) return;
    forms::skip([&] { m->setWindowState(forms::vbNormal); });
    forms::skip([&] { m->show(); });
    forms::skip([&] { m->Text1->setFocus(); });
}

} // namespace panel
