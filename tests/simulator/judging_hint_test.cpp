// The hint frame of the guided mode: 100 ms after a step is built, a red
// frame lies on each region's hot spot that the step's entries name.
#include "panel/frm_tm.h"
#include "screen_fixture.h"

#include <map>

namespace {

class HintFrames : public JudgingFixture {
protected:
    void SetUp() override {
        JudgingFixture::SetUp();
        S().StudyMode = startup::Guided;
    }
    // Every frame by the name of its region.
    std::map<std::string, forms::Shape *> frames() {
        FrmMain *f = frm();
        return {{"menu", f->ShapeMenu}, {"tool", f->ShapeTool},   {"hui", f->ShapeHui},
                {"ctrl", f->ShapeCtrl}, {"table", f->ShapeTable}, {"start", f->ShapeStart},
                {"mypc", f->ShapeMyPc}};
    }
    void expectOn(forms::Shape *s, const forms::Control *c) {
        EXPECT_EQ(s->left(), c->left());
        EXPECT_EQ(s->top(), c->top());
        EXPECT_EQ(s->width(), c->width());
        EXPECT_EQ(s->height(), c->height());
    }
};

} // namespace

TEST_F(HintFrames, EachRegionFramesItsHotSpotsAndLaterEntriesWin) {
    struct Case {
        const char *what;
        QString e1, e2, e3;
        std::map<std::string, int> shown; // frame -> hot spot (69: the desktop)
    };
    const QString none = QStringLiteral("0000000000");
    const Case cases[] = {
        {"menu-bar digit", "H050000000", none, none, {{"menu", 5}}},
        {"menu-bar letter", "HA50000000", none, none, {{"menu", 5}}},
        {"spot 10", "H100000000", none, none, {{"menu", 10}}},
        {"tool strip", "H120000000", none, none, {{"tool", 12}}},
        {"task pane, a panel item", "H300305000", none, none, {{"hui", 30}}},
        {"Control Panel", "H450000000", none, none, {{"ctrl", 45}}},
        {"desktop icon", "H630000000", none, none, {{"table", 63}}},
        {"the desktop itself", "H690000000", none, none, {{"table", 69}}},
        {"start button", "H700000000", none, none, {{"start", 70}}},
        {"start menu entry", "H750000000", none, none, {{"start", 75}}},
        {"Computer window", "H950000000", none, none, {{"mypc", 95}}},
        {"S1", "HS10000000", none, none, {}},
        {"Z3", "HZ30000000", none, none, {}},
        {"67", "H670000000", none, none, {}},
        {"68", "H680000000", none, none, {}},
        {"D in entry 1", "D050000000", none, none, {}},
        {"D in entry 2", none, "D050000000", none, {{"menu", 5}}},
        {"D in entry 3", none, none, "D120000000", {{"tool", 12}}},
        {"entry 1 wins over entry 3", "H150000000", none, "H120000000", {{"tool", 15}}},
        {"entry 2 wins over entry 3", none, "H130000000", "H120000000", {{"tool", 13}}},
        {"different regions", "H050000000", none, "H120000000", {{"menu", 5}, {"tool", 12}}},
        {"three at once",
         "H050000000",
         "H630000000",
         "H120000000",
         {{"menu", 5}, {"tool", 12}, {"table", 63}}},
        {"other kinds", "Q010000000", "S120000000", "P601300000", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        useSteps({StepBuilder().action("0000").hit(1, c.e1).hit(2, c.e2).hit(3, c.e3)});
        start();
        for (auto &[name, shape] : frames())
            EXPECT_FALSE(shape->visible()) << name << " before the tick";
        forms::testing::advance(100);
        EXPECT_FALSE(frm()->TimerDisFK->enabled());
        for (auto &[name, shape] : frames()) {
            SCOPED_TRACE(name);
            const auto it = c.shown.find(name);
            EXPECT_EQ(shape->visible(), it != c.shown.end());
            if (it == c.shown.end()) continue;
            const int n = it->second;
            if (n == 69) {
                const forms::PictureBox *d = frm()->PicTable;
                EXPECT_EQ(shape->left(), 15);
                EXPECT_EQ(shape->top(), 15);
                EXPECT_EQ(shape->width(), d->width() - 30);
                EXPECT_EQ(shape->height(), d->height() - 30);
            } else if (name == "start") {
                expectOn(shape, frm()->StartMenu);
            } else {
                expectOn(shape, frm()->LblZHU(n));
            }
        }
        forms::testing::unloadAll();
    }
}

TEST_F(HintFrames, EntryFourIsNeverFramed) {
    useSteps({StepBuilder().action("0000").hit(4, "H630000000")});
    start();
    forms::testing::advance(100);
    for (auto &[name, shape] : frames()) EXPECT_FALSE(shape->visible()) << name;
}

TEST_F(HintFrames, AFrameInAHiddenRegionIsSeenOnlyWithItsRegion) {
    // The task pane is not shown in this step.
    useSteps({StepBuilder().action("0000").hit(1, "H300000000")});
    start();
    forms::testing::advance(100);
    EXPECT_TRUE(frm()->ShapeHui->visible());
    EXPECT_FALSE(frm()->ShapeHui->isShown());
    forms::testing::unloadAll();

    useSteps({StepBuilder().action("0000").menuBar('A').paneFlags(2).hit(1, "H300000000")});
    start();
    forms::testing::advance(100);
    EXPECT_TRUE(frm()->ShapeHui->isShown());
}

TEST_F(HintFrames, OutsideGuidedStudyAndOnTheLastStepNoFrameIsSeen) {
    S().StudyMode = startup::Practice;
    useSteps({StepBuilder().action("0000").menuBar('M').hit(1, "H630000000"),
              StepBuilder().action("9999").menuBar('M').hit(1, "H630000000")});
    start();
    forms::testing::advance(100);
    for (auto &[name, shape] : frames()) EXPECT_FALSE(shape->visible()) << name;

    // The panel's hands-on help shows the frames of the step on show.
    forms::form<FrmTm>()->CmdGN_Click(6);
    EXPECT_FALSE(frm()->ShapeTable->visible());
    forms::testing::advance(100);
    EXPECT_TRUE(frm()->ShapeTable->isShown());
    expectOn(frm()->ShapeTable, frm()->LblZHU(63));

    // The last step, guided or not, shows none.
    forms::testing::unloadAll();
    S().StudyMode = startup::Guided;
    S().CurStep = 2;
    start();
    forms::testing::advance(100);
    EXPECT_TRUE(frm()->LblSuccess->visible());
    for (auto &[name, shape] : frames()) EXPECT_FALSE(shape->visible()) << name;
}
