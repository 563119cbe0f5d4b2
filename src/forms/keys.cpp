#include "keys.h"

#include <utility>

namespace forms {

namespace {
// Keys whose code is not a letter, digit or function key. Shifted symbols
// of a US keyboard map to the key that makes them.
const std::pair<int, int> kKeys[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},
    {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
    {Qt::Key_Exclam, 49},
    {Qt::Key_At, 50},
    {Qt::Key_NumberSign, 51},
    {Qt::Key_Dollar, 52},
    {Qt::Key_Percent, 53},
    {Qt::Key_AsciiCircum, 54},
    {Qt::Key_Ampersand, 55},
    {Qt::Key_Asterisk, 56},
    {Qt::Key_ParenLeft, 57},
    {Qt::Key_ParenRight, 48},
};
// The keypad's own codes.
const std::pair<int, int> kKeypad[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Slash, 111},
};
} // namespace

int keyCodeFromQt(int k, Qt::KeyboardModifiers m) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 65 + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return (m & Qt::KeypadModifier) ? 96 + (k - Qt::Key_0) : 48 + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    if (m & Qt::KeypadModifier)
        for (auto &p : kKeypad)
            if (p.first == k) return p.second;
    for (auto &p : kKeys)
        if (p.first == k) return p.second;
    return 0;
}

int qtKeyFromKeyCode(int c) {
    if (c >= 65 && c <= 90) return Qt::Key_A + (c - 65);
    if (c >= 48 && c <= 57) return Qt::Key_0 + (c - 48);
    if (c >= 96 && c <= 105) return Qt::Key_0 + (c - 96);
    if (c >= 112 && c <= 135) return Qt::Key_F1 + (c - 112);
    for (auto &p : kKeypad)
        if (p.second == c) return p.first;
    for (auto &p : kKeys)
        if (p.second == c) return p.first;
    return Qt::Key_unknown;
}

int shiftFromQt(Qt::KeyboardModifiers m) {
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
           ((m & Qt::AltModifier) ? 4 : 0);
}

Qt::KeyboardModifiers qtModifiersFromShift(int s) {
    Qt::KeyboardModifiers m;
    if (s & 1) m |= Qt::ShiftModifier;
    if (s & 2) m |= Qt::ControlModifier;
    if (s & 4) m |= Qt::AltModifier;
    return m;
}

int buttonFromQt(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int buttonsFromQt(Qt::MouseButtons b) {
    return ((b & Qt::LeftButton) ? 1 : 0) | ((b & Qt::RightButton) ? 2 : 0) |
           ((b & Qt::MiddleButton) ? 4 : 0);
}

Qt::MouseButton qtButtonFromCode(int b) {
    switch (b) {
    case 1:
        return Qt::LeftButton;
    case 2:
        return Qt::RightButton;
    case 4:
        return Qt::MiddleButton;
    default:
        return Qt::NoButton;
    }
}

Qt::MouseButtons qtButtonsFromCodes(int b) {
    Qt::MouseButtons r;
    if (b & 1) r |= Qt::LeftButton;
    if (b & 2) r |= Qt::RightButton;
    if (b & 4) r |= Qt::MiddleButton;
    return r;
}

} // namespace forms
