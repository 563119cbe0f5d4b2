// Forms: global instances, unloading, modal showing, message boxes,
// window placement, control arrays and the error helpers.
#include "forms_fixture.h"

#include <QApplication>
#include <QTemporaryFile>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <unistd.h>

using namespace forms;
using formstest::FormsTest;
namespace ft = forms::testing;

namespace {

int g_loads = 0;

class FrmTest : public Form {
public:
    FrmTest() : Form("FrmTest") {
        LblClick = std::make_unique<ControlArray<Label>>(this, "LblClick");
        for (int i : {0, 1, 3}) LblClick->load(i)->move(300 + 900 * i, 300, 600, 300);
        Text1 = add<TextBox>("Text1");
        onLoad = [this] {
            ++g_loads;
            loadNumber = g_loads;
        };
        onQueryUnload = [this](int &cancel, int mode) {
            lastMode = mode;
            if (refuse) cancel = 1;
        };
        // Closes itself inside its own click, and goes on to the end.
        LblClick->onClick = [this](int index) {
            clicked = index;
            unload();
            Text1->setText(QStringLiteral("after unload %1").arg(index));
            afterUnload = Text1->text();
        };
    }
    std::unique_ptr<ControlArray<Label>> LblClick;
    TextBox *Text1;
    int loadNumber = 0;
    bool refuse = false;
    int lastMode = -1;
    int clicked = -1;
    QString afterUnload;
};

inline FormRef<FrmTest> frmTest;

} // namespace

TEST_F(FormsTest, FormIsLoadedOnFirstReferenceAndFreshAfterUnload) {
    g_loads = 0;
    EXPECT_EQ(loadedForm<FrmTest>(), nullptr);
    FrmTest *first = form<FrmTest>();
    EXPECT_EQ(g_loads, 1);
    EXPECT_EQ(frmTest.get(), first);
    frmTest->Text1->setText("kept");
    EXPECT_EQ(form<FrmTest>()->Text1->text(), "kept");
    EXPECT_EQ(g_loads, 1);

    EXPECT_TRUE(frmTest.unload());
    EXPECT_FALSE(frmTest.loaded());
    EXPECT_EQ(first->lastMode, vbFormCode);
    FrmTest *second = form<FrmTest>();
    EXPECT_EQ(g_loads, 2);
    EXPECT_EQ(second->loadNumber, 2);
    EXPECT_EQ(second->Text1->text(), "");
}

TEST_F(FormsTest, RefusedUnloadKeepsTheSameInstance) {
    FrmTest *f = form<FrmTest>();
    f->show();
    f->refuse = true;
    EXPECT_FALSE(f->unload());
    EXPECT_EQ(loadedForm<FrmTest>(), f);
    EXPECT_TRUE(f->visible());
    // Also when the Unload event refuses.
    f->refuse = false;
    f->onUnload = [](int &cancel) { cancel = -1; };
    EXPECT_FALSE(f->unload());
    EXPECT_EQ(loadedForm<FrmTest>(), f);
    f->onUnload = nullptr;
    EXPECT_TRUE(f->unload());
}

TEST_F(FormsTest, FormUnloadingItselfInItsHandlerRunsOnToTheEnd) {
    FrmTest *f = form<FrmTest>();
    f->show();
    ft::click(f->LblClick->at(3), 30, 30);
    EXPECT_EQ(f->clicked, 3);
    EXPECT_EQ(f->afterUnload, "after unload 3"); // the object still lives
    EXPECT_FALSE(f->isLoaded());
    EXPECT_FALSE(f->visible());
    EXPECT_EQ(loadedForm<FrmTest>(), nullptr);
    EXPECT_NE(form<FrmTest>()->loadNumber, f->loadNumber);
}

TEST_F(FormsTest, ControlArrayIsSparseAndItsHandlerGetsTheIndex) {
    FrmTest *f = form<FrmTest>();
    f->LblClick->onClick = nullptr; // it would unload the form
    EXPECT_EQ(f->LblClick->count(), 3);
    EXPECT_EQ(f->LblClick->ubound(), 3);
    EXPECT_TRUE(f->LblClick->exists(1));
    EXPECT_FALSE(f->LblClick->exists(2));
    try {
        f->LblClick->at(2)->setLeft(0);
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_EQ(e.number(), 340);
    }
    EXPECT_THROW(f->LblClick->load(1), Error);
    f->LblClick->load(2)->move(3000, 3000, 300, 300);
    QStringList downs;
    f->LblClick->onMouseDown = [&](int i, int b, int, double, double) {
        downs << QStringLiteral("%1/%2").arg(i).arg(b);
    };
    ft::press(f->LblClick->at(2), 15, 15, vbRightButton);
    ft::release(f->LblClick->at(2), 15, 15, vbRightButton);
    EXPECT_EQ(downs, QStringList({"2/2"}));
    f->LblClick->unload(2);
    EXPECT_FALSE(f->LblClick->exists(2));

    // An element inside a picture box made after the array.
    auto *pic = f->add<PictureBox>("Pic");
    pic->setBorderStyle(0);
    pic->move(1500, 1500, 1500, 1500);
    Label *inPic = f->LblClick->load(7, pic);
    inPic->move(150, 150, 300, 300);
    EXPECT_EQ(inPic->container(), pic);
    downs.clear();
    ft::click(f, 1500 + 200, 1500 + 200, vbLeftButton);
    EXPECT_EQ(downs, QStringList({"7/1"}));
    f->LblClick->unload(7);
    downs.clear();
    ft::click(f, 1500 + 200, 1500 + 200, vbLeftButton);
    EXPECT_TRUE(downs.isEmpty());
}

TEST_F(FormsTest, ModalFormIsAnsweredByTheHook) {
    FrmTest *owner = form<FrmTest>();
    owner->show();
    QStringList seen;
    ft::setModalHook([&](Form &f) {
        seen << f.name();
        auto *t = dynamic_cast<FrmTest *>(&f);
        ASSERT_NE(t, nullptr);
        ft::click(t->LblClick->at(1), 15, 15); // unloads it
    });
    class Dialog : public FrmTest {};
    Dialog *dlg = form<Dialog>();
    dlg->show(vbModal);
    EXPECT_EQ(seen, QStringList({"FrmTest"}));
    EXPECT_EQ(dlg->clicked, 1);
    EXPECT_EQ(loadedForm<Dialog>(), nullptr);
    EXPECT_EQ(loadedForm<FrmTest>(), owner);
}

TEST_F(FormsTest, ModalFormClosedInItsOwnLoopIsFreedOnlyAfterTheLoop) {
    // The program's own loop: the real clock, no hook; show() called as
    // start-up code or a plain slot calls it, with no handler around it.
    clock::useReal();
    static int deleted;
    static bool deletedWhileModal;
    deleted = 0;
    deletedWhileModal = false;
    class Dialog : public FrmTest {
    public:
        ~Dialog() override {
            ++deleted;
            deletedWhileModal = isModalShown();
        }
    };
    Dialog *dlg = form<Dialog>();
    QWidget *w = dlg->widget();
    const QPoint close = dlg->LblClick->at(1)->originInFormPx() + QPoint(5, 5);
    QObject guard;
    QTimer::singleShot(0, &guard, [&] { QTest::mouseClick(w, Qt::LeftButton, {}, close); });
    dlg->show(vbModal);

    EXPECT_EQ(loadedForm<Dialog>(), nullptr);
    EXPECT_FALSE(deletedWhileModal);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(deleted, 1);
}

TEST_F(FormsTest, MessageBoxGoesThroughTheHookWithTheApplicationTitle) {
    setAppTitle("计算机应用能力考试");
    std::vector<MsgBoxCall> calls;
    ft::setMsgBoxHook([&](const MsgBoxCall &c) {
        calls.push_back(c);
        return c.style & vbYesNo ? vbYes : vbOK;
    });
    EXPECT_EQ(msgBox("确定退出吗？", vbYesNo | vbQuestion), vbYes);
    EXPECT_EQ(msgBox("完成", vbOKOnly, "系统提示"), vbOK);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].title, "计算机应用能力考试");
    EXPECT_EQ(calls[0].style & 0x70, vbQuestion);
    EXPECT_EQ(calls[1].title, "系统提示");
    EXPECT_EQ(ft::msgBoxes().size(), 2u);
}

// Outside a test session, on the offscreen platform the tests run on, as
// the program itself runs when nobody looks: a box would wait for ever.
TEST(MessageBoxNobodySees, GoesToStandardErrorAndCountsAsClosed) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    // A box that does open is found and closed, so that the test fails
    // instead of hanging.
    int opened = 0;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            ++opened;
            w->close();
        }
    });
    guard.start(50);

    const struct {
        int style;
        int answer;
    } cases[] = {
        {vbOKOnly | vbCritical, vbOK},      {vbOKCancel, vbCancel},    {vbYesNo | vbQuestion, vbNo},
        {vbYesNo | vbDefaultButton2, vbNo}, {vbYesNoCancel, vbCancel},
    };
    QTemporaryFile errors;
    ASSERT_TRUE(errors.open());
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(errors.handle(), 2);
    std::vector<int> answers;
    for (const auto &c : cases) answers.push_back(msgBox(QStringLiteral("正文"), c.style, "标题"));
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);

    EXPECT_EQ(opened, 0);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(answers[i], cases[i].answer) << "style " << cases[i].style;
    errors.seek(0);
    EXPECT_EQ(QString::fromUtf8(errors.readAll()), QStringLiteral("标题: 正文\n").repeated(5));
}

TEST_F(FormsTest, MaximisedFormReadsTheScreenAndRefusesToMove) {
    Screen::setFake(1024, 650);
    EXPECT_EQ(Screen::width(), 15360);
    EXPECT_EQ(Screen::height(), 9750);
    FrmTest *f = form<FrmTest>();
    f->move(1000, 1000, 15360, 9000);
    f->setWindowState(vbMaximized);
    EXPECT_EQ(f->left(), 0);
    EXPECT_EQ(f->width(), 15360);
    EXPECT_EQ(f->height(), 9750);
    try {
        f->setLeft(0);
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_EQ(e.number(), 384);
    }
    f->setWindowState(vbNormal);
    EXPECT_EQ(f->left(), 1000);
    EXPECT_EQ(f->height(), 9000);

    // A 1366 × 768 screen: centring arithmetic on the faked size.
    Screen::setFake(1366, 768);
    f->setLeft((Screen::width() - f->width()) / 2);
    EXPECT_EQ(f->left(), 2565);
    // Other twips per pixel (a 120-dpi screen) change the conversions.
    Screen::setFake(1024, 768, 12);
    EXPECT_EQ(Screen::twipsPerPixelX(), 12);
    f->Text1->move(1200, 0, 120, 120);
    EXPECT_EQ(f->Text1->rectPx(), QRect(100, 0, 10, 10));
}

TEST_F(FormsTest, WindowStateFollowsTheWindowManagerAndTheProgramCanRestore) {
    // The window manager changes the state behind the program's back (the
    // user minimises it from the taskbar); the platform reports it to Qt.
    struct Case {
        const char *what;
        int state; // what the program set before the user minimised it
    };
    for (const Case &c : {Case{"normal", vbNormal}, Case{"maximised", vbMaximized}}) {
        SCOPED_TRACE(c.what);
        Screen::setFake(1024, 768);
        FrmTest *f = form<FrmTest>();
        f->move(1500, 1500, 6000, 4500);
        f->show();
        f->setWindowState(c.state);
        const double width = f->width();

        forms::testing::byWindowManager(f, Qt::WindowMinimized);
        EXPECT_EQ(f->windowState(), vbMinimized);
        forms::testing::byWindowManager(f, Qt::WindowNoState);
        EXPECT_EQ(f->windowState(), c.state);
        EXPECT_EQ(f->width(), width);

        // Minimised by the user, restored by the program (the panel gives
        // the focus back to the screen this way).
        forms::testing::byWindowManager(f, Qt::WindowMinimized);
        f->setWindowState(c.state);
        EXPECT_FALSE(f->widget()->isMinimized());
        EXPECT_FALSE(f->widget()->windowHandle()->windowStates() & Qt::WindowMinimized);
        EXPECT_EQ(f->windowState(), c.state);
        EXPECT_EQ(f->width(), width);
        f->unload();
    }
}

TEST_F(FormsTest, ErrorHelpersSkipOrTrapOneStatement) {
    QStringList ran;
    EXPECT_TRUE(skip([&] { ran << "a"; }));
    EXPECT_FALSE(skip([&] {
        forms::raise(53);
        ran << "never";
    }));
    EXPECT_FALSE(skip([&] { throw std::runtime_error("boom"); }));
    ran << "b";
    EXPECT_EQ(ran, QStringList({"a", "b"}));

    std::vector<std::tuple<QString, int, QString>> trapped;
    Trap trap("readinfo", [&](const QString &tag, const Error &e) {
        trapped.emplace_back(tag, e.number(), e.description());
    });
    trap([&] { forms::raise(9); });
    trap([&] { ran << "c"; });
    trap([&] { forms::raise(481, "bad"); });
    EXPECT_EQ(trap.failures(), 2);
    ASSERT_EQ(trapped.size(), 2u);
    EXPECT_EQ(trapped[0],
              std::make_tuple(QString("readinfo"), 9, QString("Subscript out of range")));
    EXPECT_EQ(std::get<2>(trapped[1]), "bad");
    EXPECT_EQ(ran.last(), "c");
}

TEST_F(FormsTest, ErrorEscapingAHandlerIsReportedNotFatal) {
    FrmTest *f = form<FrmTest>();
    std::vector<int> errors;
    setUnhandledErrorHook([&](const Error &e) { errors.push_back(e.number()); });
    f->LblClick->onClick = nullptr;
    f->LblClick->at(0)->onMouseDown = [](int, int, double, double) { forms::raise(340); };
    QStringList after;
    f->LblClick->at(0)->onMouseUp = [&](int, int, double, double) { after << "up"; };
    ft::click(f->LblClick->at(0), 15, 15);
    EXPECT_EQ(errors, std::vector<int>({340}));
    EXPECT_EQ(after, QStringList({"up"}));
}

// The desktop's close (Alt+F4, a taskbar) as the window system delivers it:
// QueryUnload is asked with vbFormControlMenu and may refuse; an error in
// the window's answer is the program's, reported like any handler's, and
// never thrown into the window system's event.
TEST_F(FormsTest, TheDesktopsCloseAsksQueryUnloadAndAnErrorInItIsReported) {
    std::vector<int> errors;
    setUnhandledErrorHook([&](const Error &e) { errors.push_back(e.number()); });
    for (bool refuse : {true, false}) {
        FrmTest *f = form<FrmTest>();
        f->refuse = refuse;
        f->move(3000, 3000);
        f->show();
        f->widget()->windowHandle()->close();
        EXPECT_EQ(f->lastMode, vbFormControlMenu);
        EXPECT_EQ(f->isUnloaded(), !refuse) << refuse;
        EXPECT_EQ(f->visible(), refuse) << refuse;
    }
    FrmTest *f = form<FrmTest>();
    f->move(3000, 3000);
    f->show();
    f->onQueryUnload = [](int &, int) { forms::raise(5); };
    f->widget()->windowHandle()->close();
    EXPECT_EQ(errors, std::vector<int>({5}));
    EXPECT_EQ(loadedForm<FrmTest>(), f);
    EXPECT_TRUE(f->visible());
}

// A framed window, also at the screen's corner, is shown without moving
// itself on and on: Left/Top place its client area, and a move by the window
// system (its frame placed elsewhere) is followed once, not pushed on by
// the frame's width at every move event.
TEST_F(FormsTest, AFramedWindowStaysWhereItIsPutAndFollowsTheWindowSystemsMove) {
    struct Case {
        int border;
        double left, top;
    };
    for (const Case &c :
         {Case{vbSizable, 0, 0}, Case{vbFixedDialog, 0, 0}, Case{vbSizable, 1500, 900}}) {
        FrmTest *f = form<FrmTest>();
        f->setBorderStyle(c.border);
        f->move(c.left, c.top);
        f->show();
        QCoreApplication::processEvents();
        // The window system may keep a frame at the corner on the screen.
        if (c.left > 0) {
            EXPECT_EQ(f->left(), c.left) << c.border;
            EXPECT_EQ(f->top(), c.top) << c.border;
            EXPECT_EQ(f->widget()->geometry().topLeft(),
                      QPoint(qRound(c.left / 15), qRound(c.top / 15)));
        }
        f->widget()->windowHandle()->setFramePosition(QPoint(200, 100));
        QCoreApplication::processEvents();
        const QPoint client = f->widget()->geometry().topLeft();
        EXPECT_EQ(f->left(), client.x() * 15.0) << c.border;
        EXPECT_EQ(f->top(), client.y() * 15.0) << c.border;
        EXPECT_EQ(f->widget()->frameGeometry().topLeft(), QPoint(200, 100)) << c.border;
        f->unload();
    }
}

TEST_F(FormsTest, PopupMenuRunsTheChosenItem) {
    FrmTest *f = form<FrmTest>();
    Menu mIme(f, "mIme", "输入法");
    Menu *eng = mIme.addItem("mEng", "英语（美国）");
    Menu *cn1 = mIme.addItem("mCn1", "中文1");
    QStringList chosen;
    eng->onClick = [&] { chosen << "eng"; };
    cn1->onClick = [&] { chosen << "cn1"; };
    ft::setPopupHook([&](Menu &m, double x, double y) -> Menu * {
        EXPECT_EQ(m.items().size(), 2u);
        EXPECT_EQ(x, 600);
        EXPECT_EQ(y, 300);
        return m.items()[1];
    });
    f->popupMenu(&mIme, vbPopupMenuRightAlign, 600, 300);
    EXPECT_EQ(chosen, QStringList({"cn1"}));
}

TEST_F(FormsTest, WebViewShowsGbkHelpPagesByAWindowsPath) {
    FrmTest *f = form<FrmTest>();
    auto *web = f->add<WebView>("WebBrowser1");
    QByteArray page = "<html><head><meta charset=gb2312></head><body>";
    page += QByteArray::fromHex("B0EFD6FA"); // 帮助 in GBK
    page += "</body></html>";
    write("l38180.mxy", page);
    web->navigate(dir.path() + "\\L38180.MXY");
    EXPECT_EQ(web->documentText().trimmed(), QStringLiteral("帮助"));
    web->navigate(dir.path() + "\\missing.mxy");
    EXPECT_TRUE(web->documentText().trimmed().isEmpty());
}
