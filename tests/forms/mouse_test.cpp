// The mouse as the windows see it: what a point hits, capture by the
// control pressed, and the order of the events a click makes.
#include "forms_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <functional>

using namespace forms;
using formstest::FormsTest;
namespace ft = forms::testing;

namespace {

// A bare window with a transparent label, a picture box over a second
// label, a label inside the picture box and a drag bar.
class MouseForm : public Form {
public:
    MouseForm() : Form("MouseForm") {
        setBorderStyle(vbBSNone);
        move(0, 0, 9000, 6000);
        Label1 = add<Label>("Label1");
        Label1->move(1500, 1500, 1500, 750);
        Label1->setBackStyle(vbTransparent);
        Under = add<Label>("Under");
        Under->move(4500, 0, 1500, 1500);
        Pic = add<PictureBox>("Pic");
        Pic->setBorderStyle(0);
        Pic->move(4500, 0, 3000, 3000);
        InPic = new Label(Pic, "InPic");
        InPic->move(300, 300, 600, 600);
        lblMove = add<Label>("lblMove");
        lblMove->move(0, 0, 4500, 375);
        lblMove->setBackStyle(vbTransparent);
    }
    Label *Label1, *Under, *InPic, *lblMove;
    PictureBox *Pic;
};

// A user control with one windowless part on its left half.
class TestButton : public UserControl {
public:
    TestButton(Container *parent, const QString &name) : UserControl(parent, name) {
        part = add<Image>("ImgBack");
        part->setStretch(true);
        part->move(0, 0, 600, 450);
    }
    void userMouseDown(int b, int, double, double) override {
        events << QStringLiteral("bare down %1").arg(b);
    }
    void userMouseUp(int b, int, double, double) override {
        events << QStringLiteral("bare up %1").arg(b);
        raiseClick();
    }
    Image *part;
    QStringList events;
};

// A second window, global instance, for a form that goes away under the mouse.
class PopForm : public MouseForm {};

// Pixels of a control's top-left corner in its form.
QPoint pxOf(Control *c) {
    return c->originInFormPx();
}

} // namespace

TEST_F(FormsTest, PressedControlKeepsTheMouseOutsideItWithNegativeCoordinates) {
    MouseForm f;
    f.show();
    watchMouse(f.Label1, "L");
    watchMouse(&f, "F");

    ft::press(f.Label1, 150, 150);
    ft::move(f.Label1, -300, -450);
    ft::move(f.Label1, 6000, 45);
    ft::release(f.Label1, -300, -450);

    EXPECT_EQ(log, QStringList({"L:Down(1,0,150,150)", "L:Move(1,0,-300,-450)",
                                "L:Move(1,0,6000,45)", "L:Up(1,0,-300,-450)"}));
    // Released outside: no Click; the next move is a hover of the form.
    log.clear();
    ft::move(&f, 30, 4500);
    EXPECT_EQ(log, QStringList({"F:Move(0,0,30,4500)"}));
}

TEST_F(FormsTest, ClickSequencesFollowTheButtonAndWhereItIsReleased) {
    struct Case {
        const char *what;
        int button;
        int shift;
        bool releaseInside;
        QStringList expected;
    };
    const Case cases[] = {
        {"left", vbLeftButton, 0, true, {"L:Down", "L:Up", "L:Click"}},
        {"right with Ctrl", vbRightButton, vbCtrlMask, true, {"L:Down", "L:Up", "L:Click"}},
        {"middle", vbMiddleButton, 0, true, {"L:Down", "L:Up"}},
        {"left released outside", vbLeftButton, 0, false, {"L:Down", "L:Up"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MouseForm f;
        watchMouse(f.Label1, "L");
        log.clear();
        ft::press(f.Label1, 30, 30, c.button, c.shift);
        const double x = c.releaseInside ? 45 : 3000;
        ft::release(f.Label1, x, 30, c.button, c.shift);
        EXPECT_EQ(kinds(), c.expected);
        ASSERT_FALSE(log.isEmpty());
        EXPECT_TRUE(
            log.first().startsWith(QStringLiteral("L:Down(%1,%2,").arg(c.button).arg(c.shift)));
    }
}

TEST_F(FormsTest, DoubleClickGivesOneDownAndOneClick) {
    MouseForm f;
    watchMouse(f.Label1, "L");
    ft::dblClick(f.Label1, 60, 60);
    EXPECT_EQ(kinds(), QStringList({"L:Down", "L:Up", "L:Click", "L:DblClick", "L:Up"}));

    // The second press of a double-click that lands on another control
    // than the first is a plain press there.
    log.clear();
    watchMouse(&f, "F");
    ft::click(&f, 15, 4500);
    QWidget *w = f.widget();
    const QPointF at(100 + 2, 100 + 2); // inside Label1
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(w, &dbl);
    QApplication::sendEvent(w, &up);
    EXPECT_EQ(kinds(), QStringList({"F:Down", "F:Up", "F:Click", "L:Down", "L:Up", "L:Click"}));
}

TEST_F(FormsTest, WindowedChildrenCoverWindowlessControlsOfTheirContainer) {
    MouseForm f;
    watchMouse(f.Under, "U");
    watchMouse(f.Pic, "P");
    watchMouse(f.InPic, "I");
    ft::click(f.Under, 150, 150); // under the picture box
    ft::click(f.InPic, 15, 15);
    EXPECT_EQ(kinds(), QStringList({"P:Down", "P:Up", "P:Click", "I:Down", "I:Up", "I:Click"}));
    // X and Y are relative to the picture box, not to the form.
    EXPECT_TRUE(log.contains("P:Down(1,0,150,150)")) << log.join(' ').toStdString();
}

TEST_F(FormsTest, WindowlessZOrderDecidesWhichLabelTakesTheClick) {
    MouseForm f;
    auto *a = f.add<Label>("A");
    auto *b = f.add<Label>("B");
    a->move(300, 3000, 900, 900);
    b->move(600, 3300, 900, 900);
    watchMouse(a, "A");
    watchMouse(b, "B");
    ft::click(&f, 750, 3450); // where both overlap: B was created last
    a->zOrder(vbBringToFront);
    ft::click(&f, 750, 3450);
    a->zOrder(vbSendToBack);
    ft::click(&f, 750, 3450);
    EXPECT_EQ(kinds().filter("Click"), QStringList({"B:Click", "A:Click", "B:Click"}));
}

TEST_F(FormsTest, ControlsThatNeverTakeTheMouse) {
    struct Case {
        const char *what;
        std::function<void(MouseForm &, Label *)> setup;
        const char *receiver;
    };
    const Case cases[] = {
        {"transparent label without caption", [](MouseForm &, Label *) {}, "T"},
        {"one twip wide", [](MouseForm &, Label *t) { t->move(3000, 4500, 1, 1); }, "F"},
        {"parked outside the window",
         [](MouseForm &, Label *t) {
             t->move(-5000, -5000, 15000, 15000);
             t->move(-90000, 4500);
         },
         "F"},
        {"hidden", [](MouseForm &, Label *t) { t->setVisible(false); }, "F"},
        {"disabled lets the mouse through", [](MouseForm &, Label *t) { t->setEnabled(false); },
         "F"},
        {"a shape over it",
         [](MouseForm &f, Label *) {
             auto *s = f.add<Shape>("Shape1");
             s->move(2900, 4400, 1500, 1500);
             s->setFillStyle(vbFSSolid);
         },
         "T"},
        {"a line over it",
         [](MouseForm &f, Label *) {
             auto *l = f.add<Line>("Line1");
             l->setX1(2900);
             l->setY1(4500);
             l->setX2(4000);
             l->setY2(4500);
             l->setBorderWidth(5);
         },
         "T"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MouseForm f;
        auto *t = f.add<Label>("T");
        t->setBackStyle(vbTransparent);
        t->move(3000, 4500, 600, 600);
        c.setup(f, t);
        log.clear();
        watchMouse(&f, "F");
        watchMouse(t, "T");
        ft::click(&f, 3000, 4500);
        EXPECT_EQ(kinds(), QStringList({QString(c.receiver) + ":Down", QString(c.receiver) + ":Up",
                                        QString(c.receiver) + ":Click"}));
    }
}

TEST_F(FormsTest, DisabledPictureBoxSwallowsTheMouse) {
    MouseForm f;
    watchMouse(&f, "F");
    watchMouse(f.Pic, "P");
    watchMouse(f.InPic, "I");
    f.Pic->setEnabled(false);
    ft::click(f.InPic, 15, 15);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(FormsTest, HoverReachesWindowlessControlsWithNoButton) {
    MouseForm f;
    watchMouse(f.InPic, "I");
    watchMouse(f.Label1, "L");
    ft::move(f.InPic, 30, 45);
    ft::move(f.Label1, 0, 0);
    EXPECT_EQ(log, QStringList({"I:Move(0,0,30,45)", "L:Move(0,0,0,0)"}));
    EXPECT_EQ(ft::controlUnderPointer(), f.Label1);
}

TEST_F(FormsTest, PressInsideAPictureBoxGivesItTheKeys) {
    MouseForm f;
    f.show();
    QStringList keys;
    f.Pic->onGotFocus = [&] { keys << "Pic:GotFocus"; };
    f.Pic->onKeyDown = [&](int &k, int s) {
        keys << QStringLiteral("Pic:KeyDown %1 %2").arg(k).arg(s);
    };
    f.onKeyDown = [&](int &k, int) { keys << QStringLiteral("Form:KeyDown %1").arg(k); };
    ft::keyDown(vbKeyF1);
    ft::click(f.InPic, 15, 15); // a label in the picture box
    ft::keyDown(vbKeyA, vbShiftMask);
    ft::click(f.Label1, 15, 15); // a label on the form changes no focus
    ft::keyDown(vbKeyDelete);
    EXPECT_EQ(keys, QStringList({"Form:KeyDown 112", "Pic:GotFocus", "Pic:KeyDown 65 1",
                                 "Pic:KeyDown 46 0"}));
}

TEST_F(FormsTest, RealQtMouseEventsTakeTheSameRoute) {
    MouseForm f;
    f.show();
    watchMouse(f.InPic, "I");
    QWidget *target = f.Pic->widget();   // Qt delivers to the deepest widget
    const QPointF local(20 + 2, 20 + 3); // InPic is at 20,20 pixels in Pic
    QMouseEvent press(QEvent::MouseButtonPress, local, target->mapToGlobal(local), Qt::LeftButton,
                      Qt::LeftButton, Qt::ShiftModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, target->mapToGlobal(local),
                        Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    EXPECT_EQ(log, QStringList({"I:Down(1,1,30,45)", "I:Up(1,1,30,45)", "I:Click"}));
}

TEST_F(FormsTest, WindowDragTakesTheReleaseAwayFromTheLabel) {
    MouseForm f;
    f.show();
    watchMouse(f.lblMove, "M");
    f.lblMove->onMouseDown = [&](int b, int, double, double) {
        log << "M:Down";
        if (b == vbLeftButton) f.dragWindow(); // returns at once in tests
        log << "M:after drag";
    };
    ft::press(f.lblMove, 100, 100);
    ft::release(f.lblMove, 100, 100);
    ft::click(f.lblMove, 100, 100, vbRightButton);
    EXPECT_EQ(kinds(),
              QStringList({"M:Down", "M:after drag", "M:Down", "M:after drag", "M:Up", "M:Click"}));
}

TEST_F(FormsTest, UserControlGetsTheBareAreaAndItsPartsTheirOwnEvents) {
    MouseForm f;
    auto *btn = new TestButton(&f, "Btn");
    btn->move(300, 3000, 1350, 450);
    QStringList clicks;
    btn->onClick = [&] { clicks << "Btn:Click"; };
    watchMouse(btn->part, "Part");

    ft::click(btn, 900, 150); // bare right half
    EXPECT_EQ(btn->events, QStringList({"bare down 1", "bare up 1"}));
    EXPECT_EQ(clicks, QStringList({"Btn:Click"}));
    ft::click(btn, 150, 150); // on the part
    EXPECT_EQ(kinds(), QStringList({"Part:Down", "Part:Up", "Part:Click"}));
    EXPECT_TRUE(btn->pointerOver());
    ft::move(&f, 15, 5000);
    EXPECT_FALSE(btn->pointerOver());

    // Disabled: no mouse at all, not even for the form beneath.
    watchMouse(&f, "F");
    log.clear();
    btn->events.clear();
    btn->setEnabled(false);
    ft::click(btn, 900, 150);
    ft::click(btn, 150, 150);
    EXPECT_TRUE(btn->events.isEmpty());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(FormsTest, RealQtMouseEventsOnATextBoxRaiseItsEventsAndFocusIt) {
    MouseForm f;
    f.show();
    auto *text = f.add<TextBox>("Text1");
    text->move(300, 4500, 1500, 300);
    text->setText("abc");
    watchMouse(text, "T");
    QStringList focus;
    text->onGotFocus = [&] { focus << "T:GotFocus"; };
    QWidget *w = text->widget();
    const QPointF at(4, 5);
    for (auto [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                 std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
        QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    EXPECT_EQ(log, QStringList({"T:Down(1,0,60,75)", "T:Up(1,0,60,75)", "T:Click"}));
    EXPECT_EQ(focus, QStringList({"T:GotFocus"}));
    EXPECT_TRUE(text->hasFocus());
}

TEST_F(FormsTest, RealWindowDragMovesTheWindowAndTheNextClickCounts) {
    MouseForm f;
    f.show();
    watchMouse(f.Label1, "L");
    QStringList drag;
    f.lblMove->onMouseDown = [&](int b, int, double, double) {
        if (b == vbLeftButton) f.dragWindow();
        drag << "drag returned";
    };
    QWidget *w = f.widget();
    const QPoint start = w->pos();
    const QPoint grip = pxOf(f.lblMove) + QPoint(40, 10);
    const QPoint by(120, 80);
    // While the drag runs, the pointer moves and the button comes up.
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        QTest::mouseMove(w, grip + by);
        QTest::mouseRelease(w, Qt::LeftButton, {}, grip);
    });
    QTest::mousePress(w, Qt::LeftButton, {}, grip);

    EXPECT_EQ(drag, QStringList({"drag returned"}));
    EXPECT_EQ(w->pos(), start + by);
    EXPECT_EQ(f.left(), (start.x() + by.x()) * 15.0);
    EXPECT_EQ(f.top(), (start.y() + by.y()) * 15.0);
    // The drag took the release: the first click after it is a whole click.
    QTest::mouseClick(w, Qt::LeftButton, {}, pxOf(f.Label1) + QPoint(5, 5));
    EXPECT_EQ(kinds(), QStringList({"L:Down", "L:Up", "L:Click"}));
}

TEST_F(FormsTest, LostReleaseNeverOutlivesTheNextRealMouseEvent) {
    auto at = [](Control *c) { return pxOf(c) + QPoint(5, 5); };
    // A release some other loop takes before the widgets see it (a dialog
    // opened in the MouseDown, the platform's system move).
    struct Eater : QObject {
        bool eventFilter(QObject *, QEvent *e) override {
            return e->type() == QEvent::MouseButtonRelease;
        }
    };
    auto releaseTaken = [](QWidget *w, Qt::MouseButton b, QPoint p) {
        Eater eater;
        qApp->installEventFilter(&eater);
        QTest::mouseRelease(w, b, {}, p);
        qApp->removeEventFilter(&eater);
    };
    struct Case {
        const char *what;
        std::function<void(MouseForm &)> pressAndLose;
    };
    const Case cases[] = {
        {"form unloaded in its own MouseDown",
         [&](MouseForm &) {
             PopForm *pop = form<PopForm>();
             pop->Label1->onMouseDown = [pop](int, int, double, double) { pop->unload(); };
             pop->show();
             QTest::mousePress(pop->widget(), Qt::LeftButton, {}, at(pop->Label1));
             // The window is gone: its release reaches nobody of the layer.
         }},
        {"release taken by another loop",
         [&](MouseForm &f) {
             QTest::mousePress(f.widget(), Qt::LeftButton, {}, at(f.lblMove));
             releaseTaken(f.widget(), Qt::LeftButton, at(f.lblMove));
         }},
        {"second button lost, first released",
         [&](MouseForm &f) {
             QTest::mousePress(f.widget(), Qt::LeftButton, {}, at(f.lblMove));
             QTest::mousePress(f.widget(), Qt::RightButton, {}, at(f.lblMove));
             releaseTaken(f.widget(), Qt::RightButton, at(f.lblMove));
             QTest::mouseRelease(f.widget(), Qt::LeftButton, {}, at(f.lblMove));
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ft::Session fresh; // each case starts from a router that lost nothing
        MouseForm f;
        f.show();
        watchMouse(f.lblMove, "M");
        watchMouse(f.Label1, "L");
        c.pressAndLose(f);
        log.clear();
        QTest::mouseClick(f.widget(), Qt::LeftButton, {}, at(f.Label1));
        EXPECT_EQ(kinds(), QStringList({"L:Down", "L:Up", "L:Click"}));
        log.clear();
        QTest::mouseClick(f.widget(), Qt::RightButton, {}, at(f.lblMove));
        EXPECT_EQ(kinds(), QStringList({"M:Down", "M:Up", "M:Click"}));
    }
}
TEST_F(FormsTest, RealMovesOverAWebViewLeaveTheControlBefore) {
    MouseForm f;
    auto *btn = new TestButton(&f, "Btn");
    btn->move(300, 3000, 1350, 450);
    auto *web = f.add<WebView>("Web1");
    web->move(3000, 3600, 3000, 1500);
    f.show();
    QWidget *w = f.widget();
    QTest::mouseMove(w, pxOf(btn) + QPoint(60, 15));
    EXPECT_TRUE(btn->pointerOver());
    QTest::mouseMove(w, pxOf(web) + QPoint(20, 20));
    EXPECT_FALSE(btn->pointerOver());
    EXPECT_EQ(ft::controlUnderPointer(), web);
}
