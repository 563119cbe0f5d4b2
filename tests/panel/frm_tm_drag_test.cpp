// The minimised panel's bar dragged and clicked with real Qt events, as the
// platform delivers them: the drag's own loop takes the release, and the
// first click after it must still restore the panel.
#include "panel_fixture.h"

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
