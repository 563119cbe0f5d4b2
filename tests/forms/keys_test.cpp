// Keys: codes, auto-repeat, KeyPress cancelling, text boxes and focus.
#include "forms_fixture.h"

#include <QApplication>
#include <QKeyEvent>

using namespace forms;
using formstest::FormsTest;
namespace ft = forms::testing;

namespace {

class KeyForm : public Form {
public:
    KeyForm() : Form("KeyForm") {
        setBorderStyle(vbBSNone);
        move(0, 0, 6000, 4500);
        Text1 = add<TextBox>("Text1");
        Text1->move(300, 300, 3000, 300);
        Text2 = add<TextBox>("Text2");
        Text2->move(300, 900, 3000, 300);
    }
    TextBox *Text1, *Text2;
};

} // namespace

TEST_F(FormsTest, QtKeysMapToWindowsKeyCodes) {
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers mods;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_A, {}, 65},
        {Qt::Key_Z, {}, 90},
        {Qt::Key_0, {}, 48},
        {Qt::Key_9, {}, 57},
        {Qt::Key_7, Qt::KeypadModifier, 103},
        {Qt::Key_F1, {}, 112},
        {Qt::Key_F12, {}, 123},
        {Qt::Key_Return, {}, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Escape, {}, 27},
        {Qt::Key_Tab, {}, 9},
        {Qt::Key_Backtab, {}, 9},
        {Qt::Key_Backspace, {}, 8},
        {Qt::Key_Delete, {}, 46},
        {Qt::Key_Left, {}, 37},
        {Qt::Key_Up, {}, 38},
        {Qt::Key_Right, {}, 39},
        {Qt::Key_Down, {}, 40},
        {Qt::Key_Shift, {}, 16},
        {Qt::Key_Control, {}, 17},
        {Qt::Key_Alt, {}, 18},
        {Qt::Key_Space, {}, 32},
        {Qt::Key_Home, {}, 36},
        {Qt::Key_PageDown, {}, 34},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_Asterisk, Qt::KeypadModifier, 106},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.qtKey);
        EXPECT_EQ(keyCodeFromQt(c.qtKey, c.mods), c.code);
    }
    // And back, for the driver.
    for (int code : {8, 9, 13, 27, 37, 40, 46, 48, 65, 90, 112, 123})
        EXPECT_EQ(keyCodeFromQt(qtKeyFromKeyCode(code)), code);
    EXPECT_EQ(shiftFromQt(Qt::ShiftModifier | Qt::AltModifier), 5);
}

TEST_F(FormsTest, HeldKeyRepeatsKeyDownButKeyUpComesOnce) {
    KeyForm f;
    f.show();
    QStringList got;
    f.onKeyDown = [&](int &k, int s) { got << QStringLiteral("down %1 %2").arg(k).arg(s); };
    f.onKeyUp = [&](int &k, int s) { got << QStringLiteral("up %1 %2").arg(k).arg(s); };
    ft::keyDown(vbKeyDown, vbCtrlMask);
    ft::keyUp(vbKeyDown, vbCtrlMask, true); // auto-repeat pair
    ft::keyDown(vbKeyDown, vbCtrlMask, true);
    ft::keyUp(vbKeyDown, vbCtrlMask, true);
    ft::keyDown(vbKeyDown, vbCtrlMask, true);
    ft::keyUp(vbKeyDown, vbCtrlMask);
    EXPECT_EQ(got, QStringList({"down 40 2", "down 40 2", "down 40 2", "up 40 2"}));
}

TEST_F(FormsTest, KeyPressCanCancelOrReplaceTheCharacter) {
    KeyForm f;
    f.show();
    f.Text1->setFocus();
    QStringList got;
    f.Text1->onKeyDown = [&](int &k, int) { got << QStringLiteral("down %1").arg(k); };
    f.Text1->onKeyPress = [&](int &a) {
        got << QStringLiteral("press %1").arg(a);
        if (a == 'x')
            a = 0; // cancelled
        else if (a == 'a')
            a = 'b';
    };
    ft::typeText("axc");
    EXPECT_EQ(f.Text1->text(), "bc");
    EXPECT_EQ(got,
              QStringList({"down 65", "press 97", "down 88", "press 120", "down 67", "press 99"}));
    // Enter and Backspace give character codes too; Backspace cancelled
    // keeps the text.
    got.clear();
    f.Text1->onKeyPress = [&](int &a) {
        got << QStringLiteral("press %1").arg(a);
        if (a == 8) a = 0;
    };
    ft::pressKey(vbKeyReturn);
    ft::pressKey(vbKeyBack);
    EXPECT_EQ(got, QStringList({"down 13", "press 13", "down 8", "press 8"}));
    EXPECT_EQ(f.Text1->text(), "bc");
}

TEST_F(FormsTest, KeyPreviewGivesTheFormTheKeysBeforeTheFocusedControl) {
    KeyForm f;
    f.show();
    f.Text1->setFocus();
    QStringList got;
    f.onKeyDown = [&](int &k, int) { got << QStringLiteral("form down %1").arg(k); };
    f.onKeyPress = [&](int &a) {
        got << QStringLiteral("form press %1").arg(a);
        if (a == 'x') a = 0;
    };
    f.onKeyUp = [&](int &k, int) {
        got << QStringLiteral("form up %1").arg(k);
        if (k == vbKeyEscape) k = 0;
    };
    f.Text1->onKeyDown = [&](int &k, int) { got << QStringLiteral("box down %1").arg(k); };
    f.Text1->onKeyPress = [&](int &a) { got << QStringLiteral("box press %1").arg(a); };
    f.Text1->onKeyUp = [&](int &k, int) { got << QStringLiteral("box up %1").arg(k); };

    // Off (the default): the focused box alone.
    ft::pressKey(vbKeySpace);
    EXPECT_EQ(got, QStringList({"box down 32", "box press 32", "box up 32"}));

    got.clear();
    f.setKeyPreview(true);
    ft::pressKey(vbKeySpace);
    ft::typeText("x");
    ft::pressKey(vbKeyEscape);
    EXPECT_EQ(got, QStringList({"form down 32", "box down 32", "form press 32", "box press 32",
                                "form up 32", "box up 32", "form down 88", "box down 88",
                                "form press 120", "form up 88", "box up 88", "form down 27",
                                "box down 27", "form press 27", "box press 27", "form up 27"}));
    // The character the form cancelled never reached the box.
    EXPECT_EQ(f.Text1->text(), "  ");
}

TEST_F(FormsTest, TextBoxChangeIsRaisedAtOnceAlsoWhenCodeSetsTheText) {
    KeyForm f;
    f.show();
    QStringList changes;
    f.Text1->onChange = [&] { changes << f.Text1->text(); };
    f.Text1->setText("abc");
    f.Text1->setText("abc"); // the same text: no Change
    f.Text1->setText("");
    EXPECT_EQ(changes, QStringList({"abc", ""}));

    changes.clear();
    f.Text1->setFocus();
    ft::typeText("Hi");
    ft::pressKey(vbKeyBack);
    EXPECT_EQ(changes, QStringList({"H", "Hi", "H"}));
}

TEST_F(FormsTest, TextBoxSelection) {
    KeyForm f;
    f.Text1->setText("Windows 7");
    f.Text1->setSelStart(2);
    f.Text1->setSelLength(4);
    EXPECT_EQ(f.Text1->selStart(), 2);
    EXPECT_EQ(f.Text1->selLength(), 4);
    EXPECT_EQ(f.Text1->selText(), "ndow");
    f.Text1->setSelText("X");
    EXPECT_EQ(f.Text1->text(), "WiXs 7");
    EXPECT_EQ(f.Text1->selStart(), 3);
    EXPECT_EQ(f.Text1->selLength(), 0);
    f.Text1->setSelLength(100); // clipped at the end
    EXPECT_EQ(f.Text1->selText(), "s 7");
    EXPECT_THROW(f.Text1->setSelStart(-1), Error);

    // MaxLength limits typing, not code; 0 means no limit.
    f.show();
    f.Text2->setMaxLength(3);
    f.Text2->setText("12345");
    EXPECT_EQ(f.Text2->text(), "12345");
    f.Text2->setText("");
    f.Text2->setFocus();
    ft::typeText("abcdef");
    EXPECT_EQ(f.Text2->text(), "abc");
    f.Text2->setLocked(true);
    ft::typeText("z");
    EXPECT_EQ(f.Text2->text(), "abc");
}

TEST_F(FormsTest, FocusRaisesGotAndLostFocusAndFailsOnHiddenControls) {
    KeyForm f;
    QStringList got;
    f.Text1->onGotFocus = [&] { got << "1 got"; };
    f.Text1->onLostFocus = [&] { got << "1 lost"; };
    f.Text2->onGotFocus = [&] { got << "2 got"; };
    // Not shown yet: SetFocus fails, as in a Load.
    try {
        f.Text1->setFocus();
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_EQ(e.number(), 5);
    }
    f.show();
    f.Text1->setFocus();
    f.Text1->setFocus(); // already there: nothing
    ft::click(f.Text2, 30, 30);
    EXPECT_EQ(got, QStringList({"1 got", "1 lost", "2 got"}));
    f.Text1->setVisible(false);
    EXPECT_THROW(f.Text1->setFocus(), Error);
    // Hiding the focused box gives the keys back to the form.
    f.Text2->setVisible(false);
    int formKey = 0;
    f.onKeyUp = [&](int &k, int) { formKey = k; };
    ft::pressKey(vbKeyEscape);
    EXPECT_EQ(formKey, 27);
}

TEST_F(FormsTest, RealQtKeyEventsReachTheFocusedControl) {
    KeyForm f;
    f.show();
    f.Text1->setFocus();
    int down = 0, up = 0;
    f.Text1->onKeyDown = [&](int &k, int s) { down = k * 10 + s; };
    f.Text1->onKeyUp = [&](int &k, int s) { up = k * 10 + s; };
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::AltModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F5, Qt::AltModifier);
    QApplication::sendEvent(f.Text1->widget(), &press);
    QApplication::sendEvent(f.Text1->widget(), &release);
    EXPECT_EQ(down, 116 * 10 + 4);
    EXPECT_EQ(up, 116 * 10 + 4);
}

TEST_F(FormsTest, CheckBoxClickFollowsItsValue) {
    KeyForm f;
    f.show();
    auto *c = f.add<CheckBox>("Check1");
    c->move(300, 1500, 1455, 255);
    c->setCaption("调用输入法");
    int clicks = 0;
    c->onClick = [&] { ++clicks; };
    c->setValue(vbChecked);
    c->setValue(vbChecked);
    EXPECT_EQ(clicks, 1);
    ft::click(c, 60, 120);
    EXPECT_EQ(c->value(), vbUnchecked);
    EXPECT_EQ(clicks, 2);
    EXPECT_THROW(c->setValue(3), Error);
}
