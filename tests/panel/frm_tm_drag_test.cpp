// The minimised panel's bar and the input-method notice dragged with real
// Qt events, as the platform delivers them: the drag's own loop takes the
// release, and the first click after it must still restore the panel; only
// the left button drags.
#include "panel_fixture.h"
#include "panel/frm_ime.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>

#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

using namespace panel;

class PanelBarDrag : public PanelFixture {};

TEST_F(PanelBarDrag, TheFirstClickAfterDraggingTheBarRestoresThePanel) {
    writePracticeSet(2);
    openSet();
    FrmTm *p = tm();
    p->show();
    ft::click(p->LblZXH, 150, 150);
    ASSERT_TRUE(p->FrmZXH->visible());

    QWidget *w = p->widget();
    const QPoint start = w->pos();
    const QPoint grip = p->Label2->originInFormPx() + QPoint(30, 8);
    const QPoint by(-200, -150);
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        QTest::mouseMove(w, grip + by);
        QTest::mouseRelease(w, Qt::LeftButton, {}, grip);
    });
    QTest::mousePress(w, Qt::LeftButton, {}, grip);
    EXPECT_EQ(w->pos(), start + by);
    EXPECT_TRUE(p->FrmZXH->visible());

    QTest::mouseClick(w, Qt::LeftButton, {}, p->Command2->originInFormPx() + QPoint(10, 10));
    EXPECT_FALSE(p->FrmZXH->visible());
    EXPECT_EQ(p->width(), 4980);
}

// The notice's drag strip moves the window with the left button only, as
// every dragged window of the program does; a right-button drag leaves it
// where it is.
TEST_F(PanelBarDrag, TheImeNoticeMovesOnlyWithTheLeftButton) {
    writePracticeSet(2);
    openSet();
    const struct {
        Qt::MouseButton button;
        bool moves;
    } cases[] = {{Qt::RightButton, false}, {Qt::MiddleButton, false}, {Qt::LeftButton, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.button));
        FrmIME *f = forms::form<FrmIME>();
        f->show();
        QWidget *w = f->widget();
        const QPoint start = w->pos();
        const QPoint grip = f->lblMove->originInFormPx() + QPoint(40, 10);
        const QPoint by(-120, 90);
        QObject guard;
        // Queued: with a drag under way they reach its loop.
        QTimer::singleShot(0, &guard, [&] {
            QTest::mouseMove(w, grip + by);
            QTest::mouseRelease(w, c.button, {}, grip);
        });
        QTest::mousePress(w, c.button, {}, grip);
        QCoreApplication::processEvents();
        EXPECT_EQ(w->pos(), c.moves ? start + by : start);
        f->unload();
    }
}
