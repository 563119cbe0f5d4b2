// Modal boxes under a window manager: each is a dialog of the window it was
// opened from (transient for it, of the dialog type, of a fixed size, never
// maximised); with no window on show it is a dialog of its own. Minimised,
// a box takes the windows it blocks with it, and they come back with it,
// the box on top and answerable. Checked on the real widgets and platform
// windows, the window manager's changes sent in as the platform sends them.
#include "forms_fixture.h"

#include "forms/timer.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

using namespace forms;
using formstest::FormsTest;
namespace ft = forms::testing;

namespace {

// A window of the program: a button that answers a box by closing it.
class Window : public Form {
public:
    explicit Window(const QString &name) : Form(name) {
        Answer = add<Label>("Answer");
        Answer->move(300, 300, 900, 450);
        Answer->onClick = [this] {
            answered = true;
            unload();
        };
        move(1500, 1500, 6000, 4500);
    }
    Label *Answer;
    bool answered = false;
};
struct Owner : Window {
    Owner() : Window("Owner") {}
};
struct Panel : Window {
    Panel() : Window("Panel") { setTopmost(true); }
};
struct Box : Window {
    Box() : Window("Box") {
        setBorderStyle(vbFixedSingle);
        move(4500, 3000, 4410, 2670);
    }
};
struct BorderlessBox : Window {
    BorderlessBox() : Window("BorderlessBox") {
        setBorderStyle(vbBSNone);
        setTopmost(true);
        move(4500, 3000, 5550, 3750);
    }
};

using ft::byWindowManager;

class Boxes : public FormsTest {
protected:
    void SetUp() override { Screen::setFake(1366, 768); }
};

TEST_F(Boxes, AModalFormIsADialogOfTheWindowItWasOpenedFrom) {
    struct Case {
        const char *what;
        bool borderless;
        bool ownerShown;
        bool panelShown;   // a second window on show, topmost
        bool panelClicked; // the box opened from it
        bool panelHides;   // ... which hides itself first (the hand-in)
        const char *owner; // null: a dialog of its own
    };
    const Case cases[] = {
        {"from the window clicked", false, true, true, false, false, "Owner"},
        {"from the topmost panel", false, true, true, true, false, "Panel"},
        {"from a panel that hid itself first", false, true, true, true, true, "Owner"},
        {"borderless and topmost, from the window", true, true, false, false, false, "Owner"},
        {"before any window is up", false, false, false, false, false, nullptr},
        {"borderless, before any window is up", true, false, false, false, false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Owner *owner = form<Owner>();
        Panel *panel = form<Panel>();
        if (c.ownerShown) owner->show();
        if (c.panelShown) panel->show();
        if (c.ownerShown) ft::click(c.panelClicked ? static_cast<Form *>(panel) : owner, 100, 100);
        if (c.panelHides) panel->hide();
        Window *box = c.borderless ? static_cast<Window *>(form<BorderlessBox>()) : form<Box>();
        const QWindow *expected = !c.owner ? nullptr
                                  : QLatin1String(c.owner) == "Panel"
                                      ? panel->widget()->windowHandle()
                                      : owner->widget()->windowHandle();
        std::optional<ft::WindowLook> shown;
        QSize fixedAfterResize;
        ft::setModalHook([&](Form &f) {
            shown = ft::windowLook(f.widget());
            // Sized by the program while on show: fixed at the new size.
            f.setWidth(f.width() + 1500);
            fixedAfterResize = f.widget()->maximumSize();
        });
        box->show(vbModal);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->type, Qt::Dialog);
        EXPECT_EQ(shown->transientParent, expected);
        EXPECT_FALSE(shown->maximise);
        EXPECT_TRUE(shown->fixedSize);
        EXPECT_EQ(shown->onTop, c.borderless); // the topmost box stays on top
        EXPECT_EQ(fixedAfterResize, box->widget()->size());

        // Closed but kept (hidden, not unloaded): a plain window again.
        ASSERT_TRUE(box->isLoaded());
        EXPECT_FALSE(box->isBox());
        EXPECT_EQ(box->widget()->windowType(), Qt::Window);
        EXPECT_EQ(box->widget()->windowHandle()->transientParent(), nullptr);
        EXPECT_EQ(box->widget()->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        ft::unloadAll();
    }
}

TEST_F(Boxes, AMinimisedBoxTakesTheWindowsItBlocksAndComesBackOnTopAnswerable) {
    // How the minimised box comes back: restored itself, or one of the
    // windows it took along restored (a taskbar, a window switcher).
    for (const char *restored : {"Box", "Owner", "Panel"}) {
        SCOPED_TRACE(restored);
        Owner *owner = form<Owner>();
        Panel *panel = form<Panel>();
        owner->show();
        panel->show();
        ft::click(owner, 100, 100);
        Box *box = form<Box>();
        struct States {
            int owner, panel, box;
        };
        States minimised{}, back{};
        Form *activeAfter = nullptr;
        ft::setModalHook([&](Form &f) {
            byWindowManager(box, Qt::WindowMinimized);
            minimised = {owner->windowState(), panel->windowState(), box->windowState()};
            Form *which = QLatin1String(restored) == "Box"     ? static_cast<Form *>(box)
                          : QLatin1String(restored) == "Owner" ? static_cast<Form *>(owner)
                                                               : static_cast<Form *>(panel);
            byWindowManager(which, Qt::WindowNoState);
            back = {owner->windowState(), panel->windowState(), box->windowState()};
            EXPECT_FALSE(owner->widget()->isMinimized());
            EXPECT_FALSE(panel->widget()->isMinimized());
            EXPECT_FALSE(f.widget()->isMinimized());
            activeAfter = ft::activeForm();
            // Answerable: its button closes it.
            ft::click(box->Answer, 100, 100);
        });
        box->show(vbModal);
        EXPECT_EQ(minimised.owner, vbMinimized);
        EXPECT_EQ(minimised.panel, vbMinimized);
        EXPECT_EQ(minimised.box, vbMinimized);
        EXPECT_EQ(back.owner, vbNormal);
        EXPECT_EQ(back.panel, vbNormal);
        EXPECT_EQ(back.box, vbNormal);
        EXPECT_EQ(activeAfter, box);
        EXPECT_TRUE(box->answered);
        ft::unloadAll();
    }
}

TEST_F(Boxes, ABoxClosedWhileMinimisedGivesBackWhatItTookAlong) {
    Owner *owner = form<Owner>();
    owner->setWindowState(vbMaximized);
    owner->show();
    ft::click(owner, 100, 100);
    Window *hiddenBefore = form<Panel>();
    ft::setModalHook([&](Form &f) {
        byWindowManager(&f, Qt::WindowMinimized);
        ASSERT_EQ(owner->windowState(), vbMinimized);
        // Closed by the program (a time-out) while minimised.
        f.unload();
    });
    form<Box>()->show(vbModal);
    EXPECT_EQ(owner->windowState(), vbMaximized);
    EXPECT_FALSE(owner->widget()->isMinimized());
    EXPECT_EQ(owner->width(), Screen::width());
    // A window not on show stays as it was.
    EXPECT_FALSE(hiddenBefore->widget()->isVisible());
}

// The standard message box, real on the offscreen platform, looked at and
// minimised from inside its own loop.
TEST_F(Boxes, AMessageBoxIsADialogOfTheWindowItWasAskedFromAndMinimisesWithIt) {
    clock::useReal();
    ft::setRealMessageBoxes(true);
    for (bool withOwner : {true, false}) {
        SCOPED_TRACE(withOwner ? "asked from a window" : "before any window is up");
        Owner *owner = form<Owner>();
        Panel *panel = form<Panel>();
        if (withOwner) {
            owner->show();
            panel->show();
            ft::click(owner, 100, 100);
        }
        std::optional<ft::WindowLook> shown;
        int ownerMinimised = -1, panelMinimised = -1, ownerBack = -1, panelBack = -1;
        bool boxOnTop = false;
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            QWidget *box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            shown = ft::windowLook(box);
            if (withOwner) {
                box->windowHandle()->setWindowState(Qt::WindowMinimized);
                QCoreApplication::processEvents();
                ownerMinimised = owner->windowState();
                panelMinimised = panel->windowState();
                box->windowHandle()->setWindowState(Qt::WindowNoState);
                QCoreApplication::processEvents();
                ownerBack = owner->windowState();
                panelBack = panel->windowState();
                boxOnTop = !box->isMinimized();
            }
            QPushButton *yes = nullptr;
            for (QPushButton *b : box->findChildren<QPushButton *>())
                if (b->text() == QStringLiteral("是(&Y)")) yes = b;
            // Without its button the box would wait for good: closed, it
            // answers otherwise and the test fails instead.
            if (yes)
                yes->click();
            else
                box->close();
        });
        EXPECT_EQ(msgBox(QStringLiteral("确实要退出考试系统吗？"), vbYesNo | vbQuestion), vbYes);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->type, Qt::Dialog);
        EXPECT_TRUE(shown->fixedSize);
        EXPECT_FALSE(shown->maximise);
        if (withOwner) {
            EXPECT_EQ(shown->transientParent, owner->widget()->windowHandle());
            EXPECT_EQ(ownerMinimised, vbMinimized);
            EXPECT_EQ(panelMinimised, vbMinimized);
            EXPECT_EQ(ownerBack, vbNormal);
            EXPECT_EQ(panelBack, vbNormal);
            EXPECT_TRUE(boxOnTop);
        } else {
            EXPECT_EQ(shown->transientParent, nullptr);
        }
        ft::unloadAll();
    }
}

// A message box asked from a small window in a corner of the screen (the
// question panel's minimised bar) stands in the middle of the screen, as
// the program's own boxes do, not over its owner.
TEST_F(Boxes, AMessageBoxStandsInTheMiddleOfTheScreen) {
    clock::useReal();
    ft::setRealMessageBoxes(true);
    Owner *owner = form<Owner>();
    owner->move(0, Screen::height() - 900, 900, 900);
    owner->show();
    ft::click(owner, 100, 100);
    QPoint boxCentre, screenCentre;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        boxCentre = box->frameGeometry().center();
        screenCentre = box->screen()->availableGeometry().center();
        box->close();
    });
    msgBox(QStringLiteral("从错题复习中去掉吗？"), vbYesNo | vbQuestion);
    EXPECT_LE((boxCentre - screenCentre).manhattanLength(), 6)
        << boxCentre.x() << "," << boxCentre.y() << " for " << screenCentre.x() << ","
        << screenCentre.y();
}

// An end that outranks whatever is open closes the message boxes and the
// pop-up menu: each answers as its own close would, its caller goes on once
// the end's handler has returned, and a box dismissed no longer counts as
// open.
TEST_F(Boxes, DismissedBoxesAnswerAsTheirCloseWould) {
    clock::useReal();
    ft::setRealMessageBoxes(true);
    Owner *owner = form<Owner>();
    owner->show();
    Menu menu(owner, "mPop", "");
    bool chosen = false;
    menu.addItem("mItem", "项")->onClick = [&] { chosen = true; };
    bool openSeen = false, openAfter = true;
    int inner = -1;
    QObject guard;
    // An outer box, a question over it, and the end coming while both are up.
    QTimer::singleShot(0, &guard, [&] {
        QTimer::singleShot(0, &guard, [&] {
            openSeen = boxOnShow();
            dismissOpenBoxes();
            openAfter = boxOnShow();
        });
        inner = msgBox(QStringLiteral("您现在就要看答案吗？"), vbYesNo);
    });
    const int outer = msgBox(QStringLiteral("请注意"), vbOKCancel);
    EXPECT_TRUE(openSeen);
    EXPECT_FALSE(openAfter);
    EXPECT_EQ(inner, vbNo);
    EXPECT_EQ(outer, vbCancel);
    // A pop-up menu chooses nothing.
    QTimer::singleShot(0, &guard, [&] { dismissOpenBoxes(); });
    owner->popupMenu(&menu);
    EXPECT_FALSE(chosen);
    // A test's hook answering a box is overruled the same way.
    clock::useManual();
    ft::setMsgBoxHook([](const MsgBoxCall &) {
        dismissOpenBoxes();
        return vbYes;
    });
    EXPECT_EQ(msgBox(QStringLiteral("?"), vbYesNo), vbNo);
    ft::unloadAll();
}

} // namespace
