// The player's arithmetic without a window: the glide, the arrival test,
// the click box's colour and flash, the step aim and the arrival rows.
#include "demo/demo_rules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Glide {
    int32_t x = 0, y = 0;
    int ticks = 0;
};

// Moves from (x, y) towards the aim until the arrival test holds.
Glide glideTo(int32_t x, int32_t y, int32_t ax, int32_t ay, double scaleX = 1) {
    demo::GlideStep g;
    EXPECT_TRUE(demo::aimPointer(x, y, ax, ay, g));
    Glide out{x, y, 0};
    do {
        out.x += g.dx;
        out.y += g.dy;
        ++out.ticks;
    } while (!demo::hasArrived(out.x, out.y, ax, ay, g.stepLen, scaleX) && out.ticks < 100);
    return out;
}

TEST(DemoGlide, StepsAndArrivals) {
    struct Case {
        const char *what;
        int32_t x, y, ax, ay;
        int16_t dx, dy;
        int ticks;
        int32_t endX, endY;
    };
    const Case cases[] = {
        // From far: 11 ticks, 812.7 twips short of the aim (no snap).
        {"far, diagonal", 7680, 5760, 1000, 1000, -547, -390, 11, 1663, 1470},
        {"along X", 0, 0, 3000, 0, 200, 0, 14, 2800, 0},
        {"along Y, upward", 500, 4000, 500, 1000, 0, -200, 14, 500, 1200},
        // Equal offsets: Y is the long axis, both steps CInt(94.28...).
        {"45 degrees", 0, 0, 1000, 1000, 94, 94, 10, 940, 940},
        {"30 degrees", 0, 0, 1732, 1000, 133, 77, 12, 1596, 924},
        // From near: one tick, by the 120-twip rule.
        {"near", 0, 0, 15, 7, 1, 1, 1, 1, 1},
        {"on the aim", 300, 300, 300, 300, 0, 0, 1, 300, 300},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        demo::GlideStep g;
        ASSERT_TRUE(demo::aimPointer(c.x, c.y, c.ax, c.ay, g));
        EXPECT_EQ(g.dx, c.dx);
        EXPECT_EQ(g.dy, c.dy);
        const Glide end = glideTo(c.x, c.y, c.ax, c.ay);
        EXPECT_EQ(end.ticks, c.ticks);
        EXPECT_EQ(end.x, c.endX);
        EXPECT_EQ(end.y, c.endY);
    }
    demo::GlideStep g;
    ASSERT_TRUE(demo::aimPointer(7680, 5760, 1000, 1000, g));
    EXPECT_NEAR(g.stepLen, 546.8292, 1e-4);
}

TEST(DemoGlide, ArrivalRules) {
    struct Case {
        const char *what;
        int32_t dx, dy;
        double stepLen, scaleX;
        bool arrived;
    };
    const Case cases[] = {
        {"within 1.2 steps on both axes", 120, 120, 100, 1, true},
        {"just beyond 1.2 steps on one axis", 121, 120, 100, 1, false},
        {"closer than 1.5 steps", 130, 0, 100, 1, true},
        {"exactly 1.5 steps", 150, 0, 100, 1, false},
        {"closer than 120 twips", 119, 0, 10, 1, true},
        {"120 twips", 120, 0, 10, 1, false},
        {"120 twips scale with X", 100, 0, 10, 0.8, false},
        {"95 twips at 0.8", 95, 0, 10, 0.8, true},
        {"far", 400, 0, 100, 1, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(demo::hasArrived(1000, 1000, 1000 + c.dx, 1000 - c.dy, c.stepLen, c.scaleX),
                  c.arrived)
            << c.what;
    }
}

TEST(DemoGlide, StepsFit16BitsAcrossTheWindow) {
    demo::GlideStep g;
    ASSERT_TRUE(demo::aimPointer(0, 0, 15360, 9000, g));
    EXPECT_NEAR(g.stepLen, 1186.8, 0.1);
    EXPECT_EQ(g.dx, 1187);
    EXPECT_EQ(g.dy, 695);
    // A step beyond 16 bits is refused (the window keeps the one it had).
    EXPECT_FALSE(demo::aimPointer(0, 0, 600000, 0, g));
}

TEST(DemoClickBox, ColourByActionCode) {
    struct Case {
        const char *code;
        uint32_t colour;
    };
    const Case cases[] = {
        {"0001", 0x0000FF}, {"0002", 0x00FF00}, {"0003", 0x00FFFF}, {"0004", 0x0000FF},
        {"3001", 0x00FFFF}, {"4100", 0x00FFFF}, {"5000", 0x00FFFF}, {"8888", 0x00FFFF},
        {"8123", 0x00FFFF}, {"8001", 0x0000FF}, {"9201", 0x0000FF}, {"7000", 0x0000FF},
        {"0000", 0x0000FF}, {"", 0x0000FF},
    };
    for (const Case &c : cases)
        EXPECT_EQ(demo::clickBoxColour(QString::fromLatin1(c.code)), c.colour) << c.code;
}

TEST(DemoClickBox, FlashShowsOnceInThreeTicks) {
    struct Case {
        int16_t count;
        bool visible;
        int16_t next;
        bool done;
    };
    const Case cases[] = {
        {0, true, 1, false}, {1, false, 2, false}, {2, false, 0, true}, {3, false, 0, true},
        {7, false, 0, true},
    };
    for (const Case &c : cases) {
        const demo::FlashTick t = demo::flashTick(c.count);
        EXPECT_EQ(t.visible, c.visible) << c.count;
        EXPECT_EQ(t.count, c.next) << c.count;
        EXPECT_EQ(t.done, c.done) << c.count;
    }
}

TEST(DemoStepRules, AimByActionCode) {
    using A = demo::StepAim;
    struct Case {
        const char *code;
        bool tab;
        A aim;
    };
    const Case cases[] = {
        {"0001", false, A::Target},   {"0030", false, A::Target},  {"3002", false, A::Target},
        {"9201", false, A::Target},   {"8123", false, A::Target},  {"0041", false, A::Source},
        {"0050", false, A::Source},   {"0020", false, A::TextBox}, {"0021", false, A::TextBox},
        {"8001", false, A::Picture},  {"8013", false, A::Previous}, {"7000", false, A::HotSpot},
        {"7771", false, A::HotSpot},  {"7001", false, A::Previous}, {"6013", false, A::KeyWait},
        {"8888", false, A::TimedWait}, {"0000", false, A::Previous}, {"0005", false, A::Previous},
        {"1000", false, A::Previous}, {"", false, A::Previous},
        // A tab still to switch glides to the tab whatever the code.
        {"6013", true, A::Tab},       {"8888", true, A::Tab},      {"0001", true, A::Tab},
    };
    for (const Case &c : cases)
        EXPECT_EQ(demo::stepAim(QString::fromLatin1(c.code), c.tab), c.aim) << c.code << c.tab;
}

TEST(DemoStepRules, ArrivalRowByActionCode) {
    using R = demo::Arrival;
    struct Case {
        const char *code;
        bool tab, marker;
        R row;
    };
    const Case cases[] = {
        {"0001", true, false, R::TabSwitch}, {"0001", true, true, R::EndClick},
        {"0002", false, false, R::EndClick}, {"0030", false, false, R::EndClick},
        {"L123", false, false, R::EndClick}, {"0022", false, true, R::EndClick},
        {"0041", false, false, R::DragStart}, {"0050", false, false, R::DragStart},
        {"0041", false, true, R::EndClick},  {"9201", false, false, R::MouseButton},
        {"0020", false, false, R::Typing},   {"0028", false, false, R::Typing},
        {"8003", false, false, R::PictureDrag}, {"9999", false, false, R::LastStep},
        {"7000", false, false, R::HotSpot},  {"7772", false, false, R::HotSpot},
        {"0000", false, false, R::None},     {"3001", false, false, R::None},
        {"8123", false, false, R::None},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(demo::arrival(QString::fromLatin1(c.code), c.tab, c.marker), c.row)
            << c.code << " tab " << c.tab << " marker " << c.marker;
    }
    EXPECT_TRUE(demo::endsByBranch("0002", "4"));
    EXPECT_TRUE(demo::endsByBranch("0001", " "));
    EXPECT_FALSE(demo::endsByBranch("0002", "0"));
    EXPECT_FALSE(demo::endsByBranch("0004", "4"));
    EXPECT_FALSE(demo::endsByBranch("0030", "4"));
}

TEST(DemoStepRules, TypingGoesOnAfterABeginningAlreadyThere) {
    EXPECT_EQ(demo::typingStart("", "abc"), 0);
    EXPECT_EQ(demo::typingStart("ab", "abc"), 2);
    EXPECT_EQ(demo::typingStart("abc", "abc"), 3);
    EXPECT_EQ(demo::typingStart("ax", "abc"), 0);
    EXPECT_EQ(demo::typingStart("abcd", "abc"), 0);
}

TEST(DemoPanelRules, OverlapsAndHighlights) {
    EXPECT_EQ(demo::level2Overlap(u"A107", u"A1"), 75);
    EXPECT_EQ(demo::level2Overlap(u"9403", u"94"), 15);
    EXPECT_EQ(demo::level2Overlap(u"6901", u"69"), 75);
    EXPECT_EQ(demo::level2Overlap(u"S112", u"S1"), 75);
    EXPECT_EQ(demo::level1Highlight(u"A1", 7), "A10700");
    EXPECT_EQ(demo::level1Highlight(u"5", 12), "051200");
    EXPECT_EQ(demo::level2Highlight(2), "841002");
}

} // namespace
