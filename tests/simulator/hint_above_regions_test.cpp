// In guided mode the hint, the red box and the success label are read over
// the region pictures (the desktop here), the start menu pops over them,
// and a click on a hot spot beneath the hint is judged as if it were not
// there: through the driver and through real events on the window.
#include "screen_fixture.h"

#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

namespace {

class HintAboveRegions : public ShellJudgingFixture {
protected:
    void SetUp() override {
        ShellJudgingFixture::SetUp();
        S().StudyMode = startup::Guided;
        useAnswers({QStringLiteral("双击桌面上的图标")});
    }
    // A desktop step answered by a double-click on icon 63, its hint at
    // (x, y) design twips and its red box on the icon, then the last step.
    void useIconStep(int x, int y) {
        const QRect icon = iconPx();
        useSteps(
            {StepBuilder()
                 .background("7d0001")
                 .menuBar(u'M')
                 .hint(x, y, 1)
                 .target(icon.left() * 15, icon.top() * 15, icon.width() * 15, icon.height() * 15)
                 .hit(1, hit("63")),
             StepBuilder().background("7d0001").menuBar(u'M').action("9999")});
    }
    // Icon 63 in the window's pixels, as a plain desktop step lays it out.
    QRect iconPx() {
        if (icon_.isNull()) {
            useFirstStep(StepBuilder().background("7d0001").menuBar(u'M'));
            build(1);
            forms::Label *l = frm()->LblZHU(63);
            icon_ = QRect(l->originInFormPx(), l->rectPx().size());
            forms::testing::unloadAll();
        }
        return icon_;
    }
    QImage shot() { return frm()->widget()->grab().toImage(); }
    static QColor at(const QImage &img, const forms::Control *c, int dx, int dy) {
        return img.pixelColor(c->originInFormPx() + QPoint(dx, dy));
    }
    // The share of a control's pixels that have this colour.
    static double share(const QImage &img, const forms::Control *c, QColor colour) {
        const QRect r(c->originInFormPx(), c->rectPx().size());
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += img.pixelColor(x, y) == colour;
        return double(n) / (r.width() * r.height());
    }

private:
    QRect icon_;
};

const QColor kHintYellow(255, 255, 192);
const QColor kRed(255, 0, 0);

} // namespace

TEST_F(HintAboveRegions, HintAndRedBoxAreSeenOverTheDesktopAndTheIconBeneathTakesTheClick) {
    enum class Way { Driver, RealEvents };
    for (Way way : {Way::Driver, Way::RealEvents}) {
        SCOPED_TRACE(way == Way::Driver ? "driver" : "real events");
        const QRect icon = iconPx();
        // The hint's top-left corner lies on the middle of the icon.
        useIconStep(icon.center().x() * 15, icon.center().y() * 15);
        start();
        FrmMain *f = frm();
        ASSERT_TRUE(f->PicTable->isShown());
        ASSERT_TRUE(f->LHelp->visible());
        ASSERT_TRUE(f->Shape1->visible());
        ASSERT_EQ(f->LHelp->caption(), QStringLiteral("双击桌面上的图标"));

        const QImage img = shot();
        EXPECT_GT(share(img, f->LHelp, kHintYellow), 0.3) << "the hint's background";
        EXPECT_GT(share(img, f->LHelp, kRed), 0.05) << "the hint's text";
        EXPECT_EQ(at(img, f->Shape1, 0, int(f->Shape1->height() / 30)), kRed)
            << "the red box's left edge";

        // A double-click on the part of the icon under the hint answers.
        const QPoint under = f->LHelp->originInFormPx() + QPoint(2, 2);
        ASSERT_TRUE(icon.contains(under));
        if (way == Way::Driver)
            dblClick(f->LblZHU(63), (under.x() - icon.left()) * 15 + 7,
                     (under.y() - icon.top()) * 15 + 7);
        else
            QTest::mouseDClick(f->widget(), Qt::LeftButton, {}, under);
        EXPECT_EQ(step(), 2);

        // The last step's success label is seen over the desktop too.
        ASSERT_TRUE(f->LblSuccess->visible());
        ASSERT_TRUE(f->PicTable->isShown());
        EXPECT_GT(share(shot(), f->LblSuccess, kRed), 0.05) << "red strokes of 操作成功！";
        forms::testing::unloadAll();
    }
}

TEST_F(HintAboveRegions, TheStartMenuPopsOverTheHint) {
    // Where the start menu opens, a hint lies on the desktop beneath it.
    useFirstStep(StepBuilder().background("7d0001").menuBar(u'M'));
    start();
    clickAt(frm()->StartMenu);
    ASSERT_TRUE(frm()->PicStart->isShown());
    const QRect menu = frm()->PicStart->rectPx();
    forms::testing::unloadAll();

    useIconStep(menu.center().x() * 15, menu.center().y() * 15);
    start();
    FrmMain *f = frm();
    ASSERT_TRUE(f->LHelp->visible());
    EXPECT_GT(share(shot(), f->LHelp, kHintYellow), 0.3) << "with the menu closed";
    clickAt(f->StartMenu);
    ASSERT_TRUE(f->PicStart->isShown());
    EXPECT_EQ(share(shot(), f->LHelp, kHintYellow), 0) << "with the menu open";
}
