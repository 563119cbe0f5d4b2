#pragma once
// Key codes are the Windows virtual-key codes; Shift is the sum of 1 Shift,
// 2 Ctrl, 4 Alt; mouse buttons 1 left, 2 right, 4 middle.
#include <Qt>

namespace forms {

enum MouseButtonCode { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftCode { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

enum KeyCode {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyClear = 12,
    vbKeyReturn = 13,
    vbKeyShift = 16,
    vbKeyControl = 17,
    vbKeyMenu = 18, // Alt
    vbKeyPause = 19,
    vbKeyCapital = 20,
    vbKeyEscape = 27,
    vbKeySpace = 32,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyPrint = 42,
    vbKeySnapshot = 44,
    vbKeyInsert = 45,
    vbKeyDelete = 46,
    vbKey0 = 48, // .. vbKey9 = 57
    vbKeyA = 65, // .. vbKeyZ = 90
    vbKeyLWin = 91,
    vbKeyRWin = 92,
    vbKeyApps = 93,
    vbKeyNumpad0 = 96, // .. 105
    vbKeyMultiply = 106,
    vbKeyAdd = 107,
    vbKeySubtract = 109,
    vbKeyDecimal = 110,
    vbKeyDivide = 111,
    vbKeyF1 = 112, // .. vbKeyF12 = 123
    vbKeyNumlock = 144,
    vbKeyScroll = 145,
};

// Qt key (+ modifiers for the keypad) -> virtual-key code; 0 when none.
int keyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Virtual-key code -> Qt key; Qt::Key_unknown when none.
int qtKeyFromKeyCode(int keyCode);
// Qt modifiers -> Shift sum, and back.
int shiftFromQt(Qt::KeyboardModifiers m);
Qt::KeyboardModifiers qtModifiersFromShift(int shift);
// Qt buttons -> button code(s), and back.
int buttonFromQt(Qt::MouseButton b);
int buttonsFromQt(Qt::MouseButtons b);
Qt::MouseButton qtButtonFromCode(int button);
Qt::MouseButtons qtButtonsFromCodes(int buttons);

} // namespace forms
