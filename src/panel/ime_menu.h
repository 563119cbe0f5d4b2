#pragma once
// The question panel's input-method menu: "英语（美国）" and up to ten
// Chinese input methods from the desktop's list, each item storing the
// layout it shows, and the choice that the answer boxes switch to. The
// panel builds it while it loads and opens it from its small label.
#include "forms/forms.h"
#include "platform/system.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace panel {

constexpr int kImeLayoutsRead = 16;
constexpr int kChineseItems = 10;

struct ImeMenuModel {
    // 1 plus the number of entries that have a description (also past 10).
    int imeCount = 1;
    std::array<QString, kChineseItems> cnCaptions;
    std::array<bool, kChineseItems> cnVisible{};
    // What each item stores: item N the N-th entry with a description, the
    // English item the first entry without one (0 when there is none).
    uintptr_t engHandle = 0;
    std::array<uintptr_t, kChineseItems> cnHandles{};
};

extern const QString kEnglishItemCaption; // "英语（美国）"

// The menu for a list of layouts (the first 16 are read).
ImeMenuModel imeMenuFor(const std::vector<platform::KeyboardLayout> &layouts);
// The pop-up's top: 300 unscaled twips an item above the label.
double imePopupTop(double labelTop, int imeCount, double bodyTop);

// The menu as a form's pop-up, with its items' clicks connected to
// chooseInputLayout.
struct ImeMenu {
    std::unique_ptr<forms::Menu> mIme; // the pop-up; its items live with it
    forms::Menu *mEng = nullptr;
    std::array<forms::Menu *, kChineseItems> mCn{};
    ImeMenuModel model;
};
ImeMenu createImeMenu(forms::Form *owner, const std::vector<platform::KeyboardLayout> &layouts);

// A menu choice: InputLayout = handle, then the simulated screen back to
// normal, shown, and the answer box given the focus (each skipped if it fails).
void chooseInputLayout(uintptr_t handle);

} // namespace panel
