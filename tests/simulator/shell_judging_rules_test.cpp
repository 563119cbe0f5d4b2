// The rules behind the shell's pointer handlers, without a window: which
// answer entries a click satisfies, the hover and pressed looks, which
// panel a release opens and where, the cascade of the level-2 and level-3
// panels and the tab strips.
#include "shell_test_print.h"
#include "simulator/shell_judging.h"
#include "simulator/shell_tab_strip.h"

#include <gtest/gtest.h>

using namespace shell;

namespace {

constexpr Scale One{1, 1};
constexpr Scale Small{0.8, 0.8};

const char *kindName(ClickKind k) {
    switch (k) {
    case ClickKind::HotSpotRelease:
        return "release";
    case ClickKind::HotSpotDoubleClick:
        return "double-click";
    case ClickKind::Level1Item:
        return "level-1";
    case ClickKind::Level2Item:
        return "level-2";
    case ClickKind::Level3Item:
        return "level-3";
    }
    return "?";
}

} // namespace

TEST(ShellJudgingEntries, EachHandlerComparesItsOwnColumns) {
    struct Case {
        ClickKind kind;
        int index;
        const char *code;
        int sel1J;
        int sel2J;
        const char *entry;
        bool matches;
    };
    using K = ClickKind;
    const Case cases[] = {
        // A release on a hot spot: items "0000", columns 8-9 not read.
        {K::HotSpotRelease, 15, "15", 0, 0, "H150000001", true},
        {K::HotSpotRelease, 15, "15", 0, 0, "H150000990", true},
        {K::HotSpotRelease, 15, "15", 0, 0, "H150100000", false},
        {K::HotSpotRelease, 15, "15", 0, 0, "H160000000", false},
        {K::HotSpotRelease, 15, "15", 0, 0, "D150000000", false},
        {K::HotSpotRelease, 15, "15", 0, 0, "h150000000", false},
        {K::HotSpotRelease, 5, "B5", 0, 0, "HB50000000", true},
        {K::HotSpotRelease, 60, "60", 0, 0, "H600000000", true},
        // Desktop icons and Computer items open by double-click only.
        {K::HotSpotRelease, 63, "63", 0, 0, "H630000000", false},
        {K::HotSpotRelease, 66, "66", 0, 0, "H660000000", true},
        {K::HotSpotRelease, 92, "92", 0, 0, "H920000000", true},
        {K::HotSpotRelease, 95, "95", 0, 0, "H950000000", false},
        // A record that ends early has no items to compare.
        {K::HotSpotRelease, 15, "15", 0, 0, "H15", false},
        {K::HotSpotRelease, 15, "15", 0, 0, "", false},
        // A double-click also answers item 1 of the spot's panel.
        {K::HotSpotDoubleClick, 63, "63", 0, 0, "H630000000", true},
        {K::HotSpotDoubleClick, 63, "63", 0, 0, "H630100990", true},
        {K::HotSpotDoubleClick, 63, "63", 0, 0, "H630200000", false},
        {K::HotSpotDoubleClick, 63, "63", 0, 0, "H630001000", false},
        {K::HotSpotDoubleClick, 95, "95", 0, 0, "H950000000", true},
        {K::HotSpotDoubleClick, 66, "66", 0, 0, "H660000000", false},
        {K::HotSpotDoubleClick, 92, "92", 0, 0, "H920000000", false},
        // Level-1 items: columns 4-5 by value against Sel1J, 6-7 exactly "00".
        {K::Level1Item, 7, "A1", 7, 0, "HA10700000", true},
        {K::Level1Item, 7, "A1", 7, 0, "HA1 700000", true},
        {K::Level1Item, 7, "A1", 7, 0, "HA17 00000", true},
        {K::Level1Item, 7, "A1", 7, 0, "HA10700990", true},
        {K::Level1Item, 7, "A1", 7, 0, "HA10701000", false},
        {K::Level1Item, 7, "A1", 7, 0, "HA107 0000", false},
        {K::Level1Item, 7, "A1", 7, 0, "HA10800000", false},
        {K::Level1Item, 7, "A1", 7, 0, "HB10700000", false},
        // After a step change Sel1J is 0: only an entry naming item "00" answers.
        {K::Level1Item, 7, "A1", 0, 0, "HA10000000", true},
        {K::Level1Item, 7, "A1", 0, 0, "HA1xx00000", true},
        {K::Level1Item, 7, "A1", 0, 0, "HA10700000", false},
        // Level-2 items: Sel1J, the item, columns 8-9 exactly "00".
        {K::Level2Item, 3, "A1", 7, 3, "HA10703000", true},
        {K::Level2Item, 3, "A1", 7, 3, "HA107 3000", true},
        {K::Level2Item, 3, "A1", 7, 3, "HA10703010", false},
        {K::Level2Item, 3, "A1", 7, 3, "HA10704000", false},
        {K::Level2Item, 3, "A1", 6, 3, "HA10703000", false},
        // Level-3 rows: Sel1J, Sel2J and the row, all by value.
        {K::Level3Item, 5, "84", 10, 3, "H841003050", true},
        {K::Level3Item, 5, "84", 10, 3, "H8410 3050", true},
        {K::Level3Item, 5, "84", 10, 3, "H84100305", true},
        {K::Level3Item, 5, "84", 10, 3, "H841003040", false},
        {K::Level3Item, 5, "84", 10, 2, "H841003050", false},
        {K::Level3Item, 5, "85", 10, 3, "H841003050", false},
    };
    for (const Case &c : cases) {
        const Click click{c.kind, c.index, QString::fromLatin1(c.code)};
        EXPECT_EQ(entryMatches(QString::fromLatin1(c.entry), click, Selection{c.sel1J, c.sel2J}),
                  c.matches)
            << kindName(c.kind) << " on " << c.index << " code " << c.code << " sel " << c.sel1J
            << "/" << c.sel2J << " entry '" << c.entry << "'";
    }
}

TEST(ShellJudgingEntries, PreHighlightAndBranch) {
    EXPECT_TRUE(preHighlightAnswers(u"D45030ABCD", u"45", 3));
    EXPECT_TRUE(preHighlightAnswers(u"D45 30ABCD", u"45", 3));
    EXPECT_FALSE(preHighlightAnswers(u"D45030ABCD", u"45", 0));
    EXPECT_FALSE(preHighlightAnswers(u"D45030ABCD", u"46", 3));
    EXPECT_FALSE(preHighlightAnswers(u"H45030ABCD", u"45", 3));
    EXPECT_FALSE(preHighlightAnswers(u"", u"45", 0));

    EXPECT_EQ(branchOf(u"H150000001"), "1");
    EXPECT_EQ(branchOf(u"H15000000C"), "C");
    EXPECT_EQ(branchOf(u"H15"), "");
}

TEST(ShellJudgingLooks, OwnershipAndHoverPictures) {
    const std::tuple<int, const char *, bool> owners[] = {
        {15, "15", true}, {5, "05", true},   {3, "A3", true},  {3, "L3", true},  {3, "M3", false},
        {3, "a3", false}, {2, "G2", true},   {10, "10", true}, {1, "A10", true}, {16, "15", false},
        {45, "45", true}, {45, "00", false}, {3, "", false},   {3, "A", false}};
    for (const auto &[index, code, owns] : owners) {
        EXPECT_EQ(ownsHitCode(index, QString::fromLatin1(code)), owns) << index << " " << code;
    }

    const std::tuple<int, const char *, Carrier, const char *> hovers[] = {
        {3, "A", Carrier::Menu, "A30088"},   {10, "A", Carrier::Menu, "100088"},
        {2, "G", Carrier::Menu, "G20088"},   {16, "A", Carrier::Tool, "160088"},
        {30, "A", Carrier::Hui, "300088"},   {66, "M", Carrier::Table, "660088"},
        {67, "M", Carrier::None, ""},        {70, "M", Carrier::None, ""},
        {75, "M", Carrier::Start, "750088"}, {92, "M", Carrier::None, ""},
        {95, "M", Carrier::MyPc, "950088"}};
    for (const auto &[index, variant, carrier, picture] : hovers) {
        const Look look = hoverLook(index, QString::fromLatin1(variant));
        EXPECT_EQ(look.carrier, carrier) << index;
        EXPECT_EQ(look.picture, picture) << index;
    }

    EXPECT_EQ(ctrlPanelOverlay(45, 0).picture, "450077");
    EXPECT_TRUE(ctrlPanelOverlay(45, 0).layoutItems);
    EXPECT_EQ(ctrlPanelOverlay(44, 1).picture, "440088");
    EXPECT_FALSE(ctrlPanelOverlay(44, 1).layoutItems);
    EXPECT_EQ(ctrlPanelOverlay(53, 1).picture, "530077");
    EXPECT_TRUE(ctrlPanelOverlay(53, 1).layoutItems);
}

TEST(ShellJudgingLooks, PressedLooksAndPlainButtons) {
    const std::tuple<int, const char *, int, Carrier, const char *> looks[] = {
        {1, "A1", 1, Carrier::Menu, "A10088"},   {10, "10", 1, Carrier::Menu, "100088"},
        {12, "12", 1, Carrier::Tool, "120099"},  {30, "30", 1, Carrier::None, ""},
        {45, "45", 1, Carrier::None, ""},        {63, "63", 1, Carrier::Table, "630099"},
        {66, "66", 1, Carrier::Table, "660099"}, {67, "67", 1, Carrier::None, ""},
        {84, "84", 1, Carrier::None, ""},        {92, "92", 1, Carrier::MyPc, "920099"},
        {95, "95", 1, Carrier::MyPc, "950099"},  {67, "67", 2, Carrier::Table, "670099"},
        {95, "95", 4, Carrier::MyPc, "950099"},  {15, "15", 2, Carrier::None, ""},
        {1, "A1", 2, Carrier::None, ""}};
    for (const auto &[index, code, button, carrier, picture] : looks) {
        const Look look = pressedLook(index, QString::fromLatin1(code), button);
        EXPECT_EQ(look.carrier, carrier) << index << " button " << button;
        EXPECT_EQ(look.picture, picture) << index << " button " << button;
    }

    for (const char *plain : {"A2", "A9", "B5", "D3", "D9"})
        EXPECT_TRUE(isPlainButton(QString::fromLatin1(plain))) << plain;
    for (const char *opens : {"A1", "A7", "B3", "D4", "G2", "10", "-A", "2", ""}) {
        EXPECT_FALSE(isPlainButton(QString::fromLatin1(opens))) << opens;
    }
}

TEST(ShellJudgingPanels, WhichReleaseOpensWhichPanel) {
    struct Case {
        int index;
        const char *code;
        int button;
        std::optional<PanelPlace> place;
        const char *picture;
    };
    using P = PanelPlace;
    const Case cases[] = {{1, "A1", 1, P::UnderBar, "A10077"},
                          {2, "A2", 1, std::nullopt, ""},
                          {7, "B7", 1, P::AboveLeftOfBar, "B70077"},
                          {7, "G7", 1, P::UnderBar, "G70077"},
                          {10, "10", 1, P::UnderBar, "100077"},
                          {15, "15", 1, std::nullopt, ""},
                          {23, "23", 1, P::UnderToolButton, "230077"},
                          {30, "30", 1, std::nullopt, ""},
                          {84, "84", 1, P::AllPrograms, "840077"},
                          {80, "80", 1, P::UserPanel, "800077"},
                          {82, "82", 1, P::ShutDownArrow, "820077"},
                          {75, "75", 1, std::nullopt, ""},
                          {66, "66", 1, std::nullopt, ""},
                          {66, "66", 2, P::IconCentre, "660077"},
                          {70, "70", 4, P::IconCentre, "700077"},
                          {95, "95", 2, P::AtPointer, "950077"},
                          {92, "92", 2, P::AtPointer, "920077"},
                          {15, "15", 2, std::nullopt, ""},
                          {1, "A1", 2, std::nullopt, ""}};
    for (const Case &c : cases) {
        const auto panel = releasePanel(c.index, QString::fromLatin1(c.code), c.button);
        ASSERT_EQ(panel.has_value(), c.place.has_value()) << c.index << " button " << c.button;
        if (!panel) continue;
        EXPECT_EQ(panel->place, *c.place) << c.index;
        EXPECT_EQ(panel->picture, c.picture) << c.index;
    }
}

TEST(ShellJudgingPanels, PlacementOfTheReleasePanels) {
    ReleasePanelInput in;
    in.windowWidth = 15360;
    in.windowHeight = 9000;
    in.panelWidth = 3000;
    in.panelHeight = 2000;

    // Under the bar, and up-left of it for the "7" buttons of the command bars.
    in.spot = Rect{5000, 60, 495, 375};
    in.region = Rect{300, 840, 15360, 600};
    EXPECT_EQ(placeReleasePanel(PanelPlace::UnderBar, in, One), (Point{5300, 1440}));
    EXPECT_EQ(placeReleasePanel(PanelPlace::AboveLeftOfBar, in, One), (Point{4055, 195}));
    EXPECT_EQ(placeReleasePanel(PanelPlace::AboveLeftOfBar, in, Small),
              (Point{5300 - 1245 * 0.8, 1440 - 1245 * 0.8}));

    // Tool-strip spot 23, under the button.
    in.spot = Rect{7890, 15, 585, 570};
    in.region = Rect{0, 735, 15360, 600};
    EXPECT_EQ(placeReleasePanel(PanelPlace::UnderToolButton, in, One), (Point{7890, 1320}));

    // The start-menu panels.
    in.region = Rect{0, 1260, 6200, 7140};
    in.spot = Rect{165, 5925, 3690, 540};
    EXPECT_EQ(placeReleasePanel(PanelPlace::AllPrograms, in, One), (Point{120, 1380}));
    in.spot = Rect{165, 165, 3690, 540};
    EXPECT_EQ(placeReleasePanel(PanelPlace::UserPanel, in, One), (Point{3855, 1395}));
    in.spot = Rect{5010, 6510, 345, 330};
    EXPECT_EQ(placeReleasePanel(PanelPlace::ShutDownArrow, in, One), (Point{5355, 6100}));

    // A desktop icon's panel opens at the icon's centre.
    in.spot = Rect{0, 3435, 1170, 1080};
    EXPECT_EQ(placeReleasePanel(PanelPlace::IconCentre, in, One), (Point{585, 3975}));

    // In the Computer window at the pointer, flipped to stay inside the window.
    in.region = Rect{2400, 1350, 12000, 6000};
    in.spot = Rect{210, 495, 3750, 855};
    in.pointer = Point{300, 200};
    EXPECT_EQ(placeReleasePanel(PanelPlace::AtPointer, in, One), (Point{2910, 2045}));
    in.spot = Rect{7830, 495, 3750, 855};
    in.pointer = Point{3000, 200};
    EXPECT_EQ(placeReleasePanel(PanelPlace::AtPointer, in, One), (Point{10230, 2045}));
    in.spot = Rect{210, 2730, 3750, 855};
    in.pointer = Point{100, 800};
    in.panelHeight = 5000;
    EXPECT_EQ(placeReleasePanel(PanelPlace::AtPointer, in, One), (Point{2710, -120}));
    // Exactly at the edge the panel still fits.
    in.spot = Rect{0, 0, 495, 375};
    in.region = Rect{2400, 1350, 12000, 6000};
    in.pointer = Point{15360 - 3000 - 2400, 0};
    in.panelHeight = 2000;
    EXPECT_EQ(placeReleasePanel(PanelPlace::AtPointer, in, One).x, 12360);
}

TEST(ShellJudgingPanels, LinkPanelsAndTheirHoverPictures) {
    for (const char *link : {"41", "45", "49", "50", "59"})
        EXPECT_TRUE(isLinkPanel(QString::fromLatin1(link))) << link;
    for (const char *plain : {"40", "60", "A1", "84", "00"})
        EXPECT_FALSE(isLinkPanel(QString::fromLatin1(plain))) << plain;

    EXPECT_EQ(linkHoverPicture(u"45", 3, 0), "450388");
    EXPECT_EQ(linkHoverPicture(u"45", 3, 1), "");
    EXPECT_EQ(linkHoverPicture(u"49", 1, 1), "");
    EXPECT_EQ(linkHoverPicture(u"53", 2, 1), "530288");
    EXPECT_EQ(linkHoverPicture(u"57", 12, 0), "571288");
}

TEST(ShellJudgingPanels, LevelTwoAndThreeCascade) {
    Level2Input in;
    in.pic1J = Rect{1000, 1500, 2790, 4500};
    in.item = Rect{45, 1995, 2700, 330};
    in.panelWidth = 1890;
    in.windowWidth = 15360;
    // Letters and panel "69" overlap by 75, other digit ids by 15.
    EXPECT_EQ(openLevel2(u"A107", u"A1", in, One), (Point{3715, 3450}));
    EXPECT_EQ(openLevel2(u"6901", u"69", in, One), (Point{3715, 3450}));
    EXPECT_EQ(openLevel2(u"6202", u"62", in, One), (Point{3775, 3450}));
    EXPECT_EQ(openLevel2(u"A107", u"A1", in, Small),
              (Point{1000 + 2790 - 75 * 0.8, 1500 + 1995 - 45 * 0.8}));
    // Across the right edge it opens to the left of the level-1 panel.
    in.pic1J = Rect{12000, 1500, 2790, 4500};
    EXPECT_EQ(openLevel2(u"A107", u"A1", in, One), (Point{10125, 3450}));
    // The drive panels of "S1" stand right of the item, at the panel's top.
    in.item = Rect{15, 7275, 2760, 660};
    EXPECT_EQ(openLevel2(u"S112", u"S1", in, One), (Point{2775, 1500}));
    EXPECT_EQ(openLevel2(u"S113", u"S1", in, One), (Point{2775, 1500}));

    // Kept on the screen.
    EXPECT_EQ(clampLevel2(Point{3000, 8000}, 2000, 1000, 1000, One), (Point{3000, 7820}));
    EXPECT_EQ(clampLevel2(Point{3000, 7820}, 2000, 1000, 1000, One), (Point{3000, 7820}));
    EXPECT_EQ(clampLevel2(Point{14000, 100}, 2000, 1000, 11000, One), (Point{9015, 100}));
    EXPECT_EQ(clampLevel2(Point{13210, 100}, 2000, 1000, 11000, One), (Point{13210, 100}));
    EXPECT_EQ(clampLevel2(Point{3000, 7000}, 2000, 1000, 1000, Small),
              (Point{3000, 8820 * 0.8 - 1000}));

    // The tables' ids, and the folders of "All programs", which they lack.
    for (const char *id : {"A107", "6901", "9504", "S112", "8410"})
        EXPECT_TRUE(opensLevel2(QString::fromLatin1(id))) << id;
    for (const char *id : {"A108", "8409", "8411", "841", "7410"})
        EXPECT_FALSE(opensLevel2(QString::fromLatin1(id))) << id;

    EXPECT_TRUE(opensLevel3(u"84", 10, 1));
    EXPECT_TRUE(opensLevel3(u"84", 10, 4));
    EXPECT_FALSE(opensLevel3(u"84", 10, 5));
    EXPECT_FALSE(opensLevel3(u"84", 9, 1));
    EXPECT_FALSE(opensLevel3(u"83", 10, 1));
    EXPECT_EQ(openLevel3(Rect{4000, 1500, 3000, 4000}, 705, One), (Point{6985, 2205}));
    EXPECT_EQ(level3HoverPicture(2, 3), "SS0203");
    EXPECT_EQ(level3HoverPicture(4, 1), "SS0401");
}

TEST(ShellTabStrip, TwoRowPlacementHintsAndBackButton) {
    // Twelve tabs whose strip stands 450 twips below the page's top.
    const sim::TabSetRow row(QStringLiteral("0C0450300"));
    TabTops tops = tabTops(row, 12, 1, 1000, One);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(tops[i], 1750) << i;
    for (int i = 7; i <= 12; ++i) EXPECT_EQ(tops[i], 1450) << i;
    EXPECT_FALSE(tops[13].has_value());
    tops = tabTops(row, 12, 2, 1000, Small);
    for (int i = 1; i <= 6; ++i) EXPECT_DOUBLE_EQ(*tops[i], 450 * 0.8 + 1000) << i;
    for (int i = 7; i <= 12; ++i) EXPECT_DOUBLE_EQ(*tops[i], 750 * 0.8 + 1000) << i;

    EXPECT_EQ(frontRowFor(6), 1);
    EXPECT_EQ(frontRowFor(7), 2);
    EXPECT_EQ(wrongTabHint(9), QStringLiteral("请选择第9个选项卡"));
    EXPECT_EQ(wrongTabHint(12), QStringLiteral("请选择第12个选项卡"));
    EXPECT_EQ(withLineBreaks(QStringLiteral("一|二|三")), QStringLiteral("一\r\n二\r\n三"));

    const std::tuple<const char *, int, int> backs[] = {
        {"NONO", 1, 1},  {"NONO", 4, 3},  {"Q0003", 5, 2}, {"Q0000", 5, 4}, {"Q000x", 5, 4},
        {"Q0003", 3, 1}, {"Q0009", 3, 1}, {"Q0001", 1, 1}, {"Q", 4, 3}};
    for (const auto &[entry, step, to] : backs) {
        EXPECT_EQ(backButtonStep(QString::fromLatin1(entry), step), to) << entry << " at " << step;
    }
}
