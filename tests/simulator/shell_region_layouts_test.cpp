// The hot-spot layouts of the screen regions: fixed spots, command and
// menu bars, task pane, Control Panel views and the placing of the
// regions' context panels.
#include "shell_test_print.h"
#include "simulator/shell_layout.h"

#include <gtest/gtest.h>

using namespace shell;

namespace {

constexpr Scale One{1, 1};
constexpr Scale Small{0.8, 0.8};

Rect scaled(Rect r, Scale s) {
    return Rect{r.left * s.x, r.top * s.y, r.width * s.x, r.height * s.y};
}

// Every spot somewhere recognisable, as if an earlier step had moved it.
SpotRects rubbish() {
    SpotRects spots;
    for (int i = 0; i <= LastHotSpot; ++i) spots[i] = Rect{3.0 * i, 5.0 * i, 7, 9};
    return spots;
}

// The ten bar spots as the window creates them, unscaled.
SpotRects designBar() {
    SpotRects spots = rubbish();
    for (int i = 1; i <= 6; ++i) spots[i] = Rect{0, 0, 495, 375};
    spots[7] = Rect{480, 0, 495, 375};
    spots[8] = Rect{480, -120, 495, 375};
    spots[9] = Rect{1440, 0, 495, 375};
    spots[10] = Rect{3240, 840, 375, 255};
    return spots;
}

} // namespace

TEST(HotSpotRanges, CodesAndRegions) {
    const std::tuple<const char *, int, const char *> codes[] = {
        {"B", 5, "B5"},  {"B", 12, "12"}, {"A", 10, "10"}, {"G", 2, "G2"},
        {"A", 69, "69"}, {"M", 99, "99"}, {"", 5, "5"}};
    for (const auto &[variant, index, code] : codes) {
        EXPECT_EQ(hitCode(QString::fromLatin1(variant), index), code) << variant << index;
    }
    const std::pair<int, Region> regions[] = {
        {0, Region::None},       {1, Region::MenuBar},    {10, Region::MenuBar},
        {11, Region::ToolStrip}, {23, Region::ToolStrip}, {24, Region::TaskPane},
        {40, Region::TaskPane},  {41, Region::CtrlPanel}, {60, Region::CtrlPanel},
        {61, Region::Desktop},   {70, Region::Desktop},   {71, Region::StartMenu},
        {91, Region::StartMenu}, {92, Region::Computer},  {99, Region::Computer},
        {100, Region::None}};
    for (const auto &[index, region] : regions) EXPECT_EQ(regionOf(index), region) << index;
}

TEST(FixedSpots, EveryRegionAtScaleOneAndScaled) {
    struct Case {
        int spot;
        Rect rect;
    };
    const Case cases[] = {
        {11, {30, 15, 1185, 570}},     {12, {1215, 15, 765, 570}},    {13, {1980, 15, 480, 570}},
        {14, {2580, 15, 945, 570}},    {15, {3525, 15, 1125, 570}},   {16, {4770, 15, 480, 570}},
        {17, {5250, 15, 480, 570}},    {18, {5730, 15, 480, 570}},    {19, {6330, 15, 480, 570}},
        {20, {6810, 15, 480, 570}},    {21, {7410, 15, 480, 570}},    {22, {8505, 15, 480, 570}},
        {23, {7890, 15, 585, 570}},    {61, {0, 75, 1170, 1080}},     {62, {0, 1755, 1170, 1080}},
        {63, {0, 3435, 1170, 1080}},   {64, {0, 5115, 1170, 1080}},   {65, {0, 6795, 1170, 1080}},
        {66, {0, -1050, 1170, 1080}},  {67, {0, -1050, 1170, 1080}},  {68, {0, -1050, 1170, 1080}},
        {69, {0, -1050, 1170, 1080}},  {70, {0, -1050, 1170, 1080}},  {71, {4005, 5490, 2040, 465}},
        {72, {4005, 4965, 2040, 465}}, {73, {4005, 4440, 2040, 465}}, {74, {4005, 3915, 2040, 465}},
        {75, {4005, 3345, 2040, 465}}, {76, {4005, 2820, 2040, 465}}, {77, {4005, 2250, 2040, 465}},
        {78, {4005, 1725, 2040, 465}}, {79, {4005, 1200, 2040, 465}}, {80, {165, 165, 3690, 540}},
        {81, {4005, 6510, 1020, 330}}, {82, {5010, 6510, 345, 330}},  {83, {165, 735, 3690, 540}},
        {84, {165, 5925, 3690, 540}},  {85, {165, 1305, 3690, 540}},  {86, {165, 1875, 3690, 540}},
        {87, {165, 2445, 3690, 540}},  {88, {165, 3015, 3690, 540}},  {89, {165, 3585, 3690, 540}},
        {90, {165, 4155, 3690, 540}},  {91, {165, 4725, 3690, 540}},  {93, {210, 3975, 3750, 855}},
        {94, {4020, 2730, 3750, 855}}, {95, {210, 495, 3750, 855}},   {96, {4020, 495, 3750, 855}},
        {97, {7830, 495, 3750, 855}},  {98, {210, 1410, 3750, 855}},  {99, {210, 2730, 3750, 855}},
    };
    for (Scale s : {One, Small}) {
        SpotRects spots = rubbish();
        const SpotRects before = spots;
        layoutFixedSpots(spots, s);
        for (const Case &c : cases) EXPECT_EQ(spots[c.spot], scaled(c.rect, s)) << c.spot;
        // Spot 92 keeps what it had; the per-step regions are not touched.
        EXPECT_EQ(spots[92], before[92]);
        for (int i = 1; i <= 10; ++i) EXPECT_EQ(spots[i], before[i]);
        for (int i = 24; i <= 60; ++i) EXPECT_EQ(spots[i], before[i]);
    }
}

TEST(MenuBar, EachBarLaysOutItsSpots) {
    struct Case {
        char letter;
        std::array<Rect, 10> spots; // Height from the design rectangles
    };
    const Case cases[] = {
        {'A',
         {{{45, 60, 1020, 375},
           {1065, 60, 1170, 375},
           {2235, 60, 1710, 375},
           {3945, 60, 1710, 375},
           {5655, 60, 1710, 375},
           {13440, 60, 390, 375},
           {13830, 60, 285, 375},
           {14265, 60, 420, 375},
           {14805, 60, 420, 375},
           {-2220, 60, 420, 255}}}},
        {'B',
         {{{45, 60, 1020, 375},
           {-1065, 60, 30, 375},
           {1065, 60, 1560, 375},
           {2625, 60, 1020, 375},
           {3645, 60, 1350, 375},
           {13440, 60, 390, 375},
           {13830, 60, 285, 375},
           {14265, 60, 420, 375},
           {14805, 60, 420, 375},
           {-2220, 60, 420, 255}}}},
        {'C',
         {{{45, 60, 1020, 375},
           {1065, 60, 1110, 375},
           {2175, 60, 1560, 375},
           {3735, 60, 1020, 375},
           {4755, 60, 1350, 375},
           {13440, 60, 390, 375},
           {13830, 60, 285, 375},
           {14265, 60, 420, 375},
           {14805, 60, 420, 375},
           {-2220, 60, 420, 255}}}},
        {'D',
         {{{45, 60, 1020, 375},
           {1065, 60, 1350, 375},
           {2415, 60, 1530, 375},
           {-3735, 60, 1020, 375},
           {-4755, 60, 1350, 375},
           {13440, 60, 390, 375},
           {13830, 60, 285, 375},
           {14265, 60, 420, 375},
           {14805, 60, 420, 375},
           {-2220, 60, 420, 255}}}},
        {'G',
         {{{15, 15, 780, 270},
           {795, 15, 780, 270},
           {1590, 15, 780, 270},
           {2385, 15, 780, 270},
           {8415, 15, 780, 270},
           {10515, 15, 780, 270},
           {12615, 15, 780, 270},
           {14715, 15, 780, 270},
           {16815, 15, 780, 270},
           {18915, 15, 780, 270}}}},
        {'H',
         {{{30, 15, 750, 240},
           {810, 15, 750, 240},
           {1605, 15, 750, 240},
           {2445, 15, 750, 240},
           {3255, 15, 750, 240},
           {10530, 15, 750, 240},
           {12630, 15, 750, 240},
           {14730, 15, 750, 240},
           {16830, 15, 750, 240},
           {18930, 15, 750, 240}}}},
    };
    for (const Case &c : cases) {
        for (Scale s : {One, Small}) {
            SpotRects spots = designBar();
            const SpotRects before = spots;
            layoutMenuBar(spots, QLatin1Char(c.letter), s);
            for (int n = 1; n <= 10; ++n) {
                Rect expected = scaled(c.spots[size_t(n - 1)], s);
                // Command bars leave the design height unscaled.
                if (c.letter <= 'D') expected.height = before[n].height;
                EXPECT_EQ(spots[n], expected) << c.letter << " spot " << n << " scale " << s.x;
            }
            for (int i = 11; i <= LastHotSpot; ++i) EXPECT_EQ(spots[i], before[i]);
        }
    }
}

TEST(MenuBar, HeightsCarryOverAndBarsWithoutLayoutChangeNothing) {
    SpotRects spots = designBar();
    layoutMenuBar(spots, u'H', One);
    layoutMenuBar(spots, u'A', One);
    // "A" sets its Tops but keeps the Height that "H" left.
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(spots[n].top, 60) << n;
        EXPECT_EQ(spots[n].height, 240) << n;
    }
    layoutMenuBar(spots, u'G', One);
    const SpotRects afterG = spots;
    for (QChar letter : {QChar(u'E'), QChar(u'F'), QChar(u'I'), QChar(u'L'), QChar(u'O'),
                         QChar(u'a'), QChar(u'g'), QChar()}) {
        layoutMenuBar(spots, letter, One);
        EXPECT_EQ(spots, afterG) << int(letter.unicode());
    }
}

TEST(MenuBar, PlacedByTheStepOrAtTheDefault) {
    EXPECT_EQ(menuBarPlace(std::nullopt, One), (Point{0, 840}));
    EXPECT_EQ(menuBarPlace(std::nullopt, Small), (Point{0, 840 * 0.8}));
    EXPECT_EQ(menuBarPlace(Point{300, 1200}, Small), (Point{300 * 0.8, 1200 * 0.8}));
    EXPECT_EQ(menuBarPlace(Point{-45, 0}, One), (Point{-45, 0}));
}

TEST(TaskPane, VariantsSetTheirRowsAndOthersKeepTheTops) {
    const int tops[3][17] = {
        {-735, -780, 135, 480, 825, 1170, 1860, 2205, 2550, 2895, 3240, 3930, 4620, 4965, 5310,
         5655, 6000},
        {4815, 5505, -735, -780, -825, -1170, 330, 675, 1020, 1365, 1710, 2400, 3090, 3435, 3780,
         4125, 4470},
        {5865, -960, -745, 0, 345, 690, 1380, 1725, 2070, 2415, 2760, 3450, 4140, 4485, 4830, 5175,
         5520},
    };
    for (int variant = 1; variant <= 3; ++variant) {
        for (Scale s : {One, Small}) {
            SpotRects spots = rubbish();
            const SpotRects before = spots;
            layoutTaskPane(spots, variant, s);
            for (int n = 24; n <= 40; ++n) {
                EXPECT_EQ(spots[n],
                          scaled(Rect{15, double(tops[variant - 1][n - 24]), 2085, 345}, s))
                    << "variant " << variant << " spot " << n;
            }
            for (int i = 1; i <= LastHotSpot; ++i) {
                if (!TaskPaneSpots.contains(i)) {
                    EXPECT_EQ(spots[i], before[i]);
                }
            }
        }
    }
    // Variant 4 after variant 2: the rows stay where variant 2 put them.
    SpotRects spots = rubbish();
    layoutTaskPane(spots, 2, One);
    const SpotRects afterTwo = spots;
    layoutTaskPane(spots, 4, One);
    EXPECT_EQ(spots, afterTwo);
    // Variant 4 first: the design Tops with the common size.
    SpotRects fresh = rubbish();
    for (int n = 24; n <= 40; ++n) fresh[n] = Rect{0, 0, 495, 375};
    fresh[24].top = 120;
    fresh[39].top = 2880;
    layoutTaskPane(fresh, 4, One);
    EXPECT_EQ(fresh[24], (Rect{15, 120, 2085, 345}));
    EXPECT_EQ(fresh[39], (Rect{15, 2880, 2085, 345}));
    EXPECT_EQ(fresh[30], (Rect{15, 0, 2085, 345}));
}

TEST(TaskPane, VariantFromThePaneFlags) {
    const std::pair<QChar, int> cases[] = {{u'0', 0}, {u'1', 0}, {u'2', 1},    {u'3', 1}, {u'4', 2},
                                           {u'5', 2}, {u'6', 3}, {u'7', 3},    {u'8', 4}, {u'9', 4},
                                           {u'x', 0}, {u' ', 0}, {QChar(), 0}, {u'-', 0}};
    for (const auto &[flags, variant] : cases)
        EXPECT_EQ(taskPaneVariant(flags), variant) << int(flags.unicode());
}

TEST(TaskPane, APointInTheRowsLandsWhereThePaneSays) {
    // Pane-relative Y 300: row 26 in variant 1, nothing in 2, row 27 in 3.
    const std::pair<int, int> cases[] = {{1, 26}, {2, 0}, {3, 27}};
    for (const auto &[variant, row] : cases) {
        SpotRects spots = rubbish();
        layoutTaskPane(spots, variant, One);
        int hit = 0;
        for (int n = 24; n <= 40; ++n) {
            if (spots[n].top <= 300 && 300 < spots[n].top + spots[n].height) hit = n;
        }
        EXPECT_EQ(hit, row) << variant;
    }
}

TEST(CtrlPanel, ViewsPlaceTheirSpotsFromAParkedStart) {
    const Rect parked{-30, -30, 15, 15};
    const Rect view0[8] = {{2400, 1065, 5250, 1290}, {2400, 2355, 5250, 1005},
                           {2400, 3360, 5250, 1005}, {2400, 4365, 5250, 810},
                           {7650, 1065, 5250, 1005}, {7650, 2070, 5250, 1290},
                           {7650, 3360, 5250, 1005}, {7650, 4365, 5250, 1005}};
    const Rect view1[8] = {{360, 195, 1230, 300},  {330, 690, 1080, 300}, {330, 1005, 1485, 315},
                           {315, 1335, 1140, 360}, {360, 1710, 525, 300}, {345, 2055, 1800, 315},
                           {285, 2745, 1680, 330}, {300, 3075, 960, 345}};
    const int rowTops[7] = {285, 1005, 1725, 2445, 3165, 3885, 4605};
    for (Scale s : {One, Small}) {
        SpotRects spots = rubbish();
        const SpotRects before = spots;
        layoutCtrlPanel(spots, 0, s);
        for (int n = 41; n <= 48; ++n) EXPECT_EQ(spots[n], scaled(view0[n - 41], s)) << n;
        for (int n = 49; n <= 60; ++n)
            EXPECT_EQ(spots[n], scaled(Rect{-375, -1935, 15, 330}, s)) << n;

        // View 1 after view 0: the spare spots go back to the plain park.
        layoutCtrlPanel(spots, 1, s);
        for (int n = 41; n <= 48; ++n) EXPECT_EQ(spots[n], scaled(view1[n - 41], s)) << n;
        for (int n = 51; n <= 57; ++n) {
            EXPECT_DOUBLE_EQ(spots[n].top, (n - 51) * 720 * s.y + 285 * s.y) << n;
            EXPECT_EQ(spots[n], scaled(Rect{3225, double(rowTops[n - 51]), 11985, 720}, s)) << n;
        }
        for (int n : {49, 50, 58, 59, 60}) EXPECT_EQ(spots[n], scaled(parked, s)) << n;

        for (int view : {2, 3, 9, 10, -1}) {
            layoutCtrlPanel(spots, view, s);
            for (int n = 41; n <= 60; ++n)
                EXPECT_EQ(spots[n], scaled(parked, s)) << view << " " << n;
        }
        for (int i = 1; i <= LastHotSpot; ++i) {
            if (!CtrlPanelSpots.contains(i)) {
                EXPECT_EQ(spots[i], before[i]);
            }
        }
    }
    // Any character that is not a digit reads as the category view.
    const std::pair<QChar, int> views[] = {{u'0', 0}, {u'1', 1}, {u'3', 3}, {u'9', 9},
                                           {u'F', 0}, {u'W', 0}, {u' ', 0}, {QChar(), 0}};
    for (const auto &[c, view] : views) EXPECT_EQ(ctrlPanelView(c), view) << int(c.unicode());
}

TEST(ContextPanels, PlacedAtThePointerAndFlippedAtTheEdges) {
    struct Case {
        const char *name;
        ContextRegion region;
        ContextPanelInput in;
        Point expected;
    };
    // The screen is 15360 x 9000 twips; the desktop covers it; the
    // Computer window's drive area starts at (2400, 1350); the tool strip
    // at (0, 735).
    const Point desk{0, 0}, pc{2400, 1350}, strip{0, 735};
    const Case cases[] = {
        {"desktop, room everywhere",
         ContextRegion::Desktop,
         {{1000, 1000}, desk, 9000, 15360, 9000, 3000, 2000},
         {1000, 1000}},
        {"desktop, right edge",
         ContextRegion::Desktop,
         {{14000, 1000}, desk, 9000, 15360, 9000, 3000, 2000},
         {11000, 1000}},
        {"desktop, exactly the room needed flips",
         ContextRegion::Desktop,
         {{12360, 1000}, desk, 9000, 15360, 9000, 3000, 2000},
         {9360, 1000}},
        {"desktop, one twip more room stays",
         ContextRegion::Desktop,
         {{12359, 1000}, desk, 9000, 15360, 9000, 3000, 2000},
         {12359, 1000}},
        {"desktop, bottom edge",
         ContextRegion::Desktop,
         {{1000, 8000}, desk, 9000, 15360, 9000, 3000, 2000},
         {1000, 6000}},
        {"desktop, taller than the room above",
         ContextRegion::Desktop,
         {{1000, 5000}, desk, 9000, 15360, 9000, 3000, 9500},
         {1000, 0}},
        {"desktop, tested against the desktop's height",
         ContextRegion::Desktop,
         {{1000, 5000}, desk, 6000, 15360, 9000, 3000, 2000},
         {1000, 3000}},
        {"computer, inside",
         ContextRegion::Computer,
         {{1000, 1000}, pc, 5000, 15360, 9000, 3000, 2000},
         {3400, 2350}},
        {"computer, bottom right",
         ContextRegion::Computer,
         {{12000, 7000}, pc, 5000, 15360, 9000, 3000, 2000},
         {11400, 6350}},
        {"computer, taller than the window",
         ContextRegion::Computer,
         {{100, 100}, pc, 5000, 15360, 9000, 3000, 9800},
         {2500, 0}},
        {"tool strip opens downward however tall",
         ContextRegion::ToolStrip,
         {{14000, 300}, strip, 600, 15360, 9000, 2000, 9000},
         {12000, 1035}},
        {"tool strip, left part",
         ContextRegion::ToolStrip,
         {{500, 100}, strip, 600, 15360, 9000, 2000, 1000},
         {500, 835}},
        {"start button, wherever the pointer",
         ContextRegion::StartButton,
         {{800, 700}, {0, 8400}, 795, 15360, 9000, 4000, 1000},
         {360, 7920}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(placeContextPanel(c.region, c.in, One), c.expected) << c.name;
    EXPECT_EQ(placeContextPanel(ContextRegion::StartButton, {}, Small),
              (Point{360 * 0.8, 7920 * 0.8}));

    EXPECT_STREQ(contextPanelRule(ContextRegion::Desktop).code, "69");
    EXPECT_STREQ(contextPanelRule(ContextRegion::ToolStrip).code, "25");
    EXPECT_STREQ(contextPanelRule(ContextRegion::StartButton).code, "70");
    EXPECT_STREQ(contextPanelRule(ContextRegion::Computer).code, "92");
    EXPECT_FALSE(contextPanelRule(ContextRegion::StartButton).rightButtonOnly);
    EXPECT_FALSE(contextPanelRule(ContextRegion::StartButton).parkFramesFirst);
}

TEST(ShellPictures, NamesOfTheRegionPictures) {
    EXPECT_EQ(toolStripPicture(u'W'), "1100W2");
    EXPECT_EQ(toolStripPicture(u'w'), "1100W1");
    EXPECT_EQ(toolStripPicture(u'A'), "1100W1");
    EXPECT_EQ(menuBarPicture(u'C'), "C00000");
    EXPECT_EQ(taskPanePicture(2), "41A002");
    EXPECT_EQ(ctrlPanelPicture(u'0'), "NN0000");
    EXPECT_EQ(ctrlPanelPicture(u'F'), "NN000F");
    EXPECT_EQ(panelPicture(u"92"), "920077");
    EXPECT_EQ(hoverPicture(u"A3"), "A30088");
    EXPECT_EQ(pressedPicture(u"95"), "950099");
    EXPECT_EQ(level3Picture(1), "SS0177");
}
