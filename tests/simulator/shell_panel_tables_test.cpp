// The drop-down panel tables and the stacking of their items, checked row
// by row against an independent copy of the layouts: each expected row
// below gives its item count outright, and the tops are computed by the
// closed formula rather than by the routine's running sum.
#include "shell_test_print.h"
#include "simulator/shell_layout.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

using namespace shell;

namespace {

constexpr Scale One{1, 1};

struct StackedCase {
    QStringList keys;
    QString groups;
    int items;
    int width;
    int height = 330;
    int left = 45;
    int top = 45;
    int gap = 120;
};

// The stacked rows of the level-1 table, with the three start-menu panels.
const std::vector<StackedCase> &stackedLevel1() {
    static const std::vector<StackedCase> rows = {
        {{"A1", "B1", "C1", "D1"}, "51241", 13, 2700},
        {{"B3", "C3"}, "41", 5, 2685, 315},
        {{"B4", "C4"}, "31", 4, 2715},
        {{"G1"}, "31", 4, 2835},
        {{"G2"}, "1", 1, 2415},
        {{"G3"}, "31", 4, 2055},
        {{"G4"}, "2", 2, 2070},
        {{"H1"}, "421", 7, 2955},
        {{"H2"}, "1442", 11, 3000},
        {{"H3"}, "2", 2, 2280},
        {{"H4"}, "1", 1, 2025},
        {{"H5"}, "11", 2, 2400},
        {{"23"}, "5", 5, 2560},
        {{"25"}, "32", 5, 1740},
        {{"S1"}, "431111", 11, 2760, 660, 15, 15, 30},
        {{"S2"}, "463", 13, 4230},
        {{"T1"}, "2221", 7, 2925},
        {{"T3"}, "1132", 7, 2535},
        {{"T4"}, "2", 2, 1905},
        {{"T5"}, "5", 5, 2385, 375, 15, 15, 120},
        {{"T6"}, "1412", 8, 2760},
        {{"T7"}, "12412", 10, 2760},
        {{"T8"}, "511321", 13, 2955},
        {{"U1"}, "51", 6, 2685},
        {{"U2"}, "431231", 14, 4515},
        {{"U3", "U5"}, "413111", 11, 3225},
        {{"U4"}, "51231", 12, 2760},
        {{"U6"}, "21", 3, 2745},
        {{"U7"}, "441", 9, 3105},
        {{"U8"}, "1111", 4, 1890},
        {{"U9"}, "4321", 10, 3105},
        {{"V1"}, "24121", 10, 3285},
        {{"V2"}, "1512", 9, 2610},
        {{"V3"}, "2", 2, 2880},
        {{"V4"}, "3131", 8, 2565},
        {{"V5"}, "331", 7, 2565},
        {{"V6"}, "51", 6, 3075},
        {{"V7"}, "416", 11, 2100},
        {{"V8"}, "5", 5, 2040},
        {{"61"}, "221", 5, 2565},
        {{"62"}, "212", 5, 2565},
        {{"63"}, "2231", 8, 2925},
        {{"64"}, "1221", 6, 2925},
        {{"65"}, "12", 3, 2565},
        {{"69", "T2"}, "3313", 10, 3105},
        {{"70"}, "2", 2, 3645},
        {{"92"}, "4311", 9, 3450},
        {{"93"}, "31121", 8, 2760},
        {{"94"}, "221111", 8, 2745},
        {{"95"}, "321121", 10, 2865},
        {{"96", "97", "98"}, "431121", 12, 2865},
        {{"99"}, "2111221", 10, 2745},
        {{"84"}, "F", 15, 3750, 315, 15, 45, 120},
        {{"80"}, "A", 10, 3060, 345, 225, 420, 120},
        {{"82"}, "311", 5, 1770, 300, 30, 30, 120},
    };
    return rows;
}

struct ExtraItem {
    QString key;
    int item;
    Rect rect;
};

// Items a stacked row places again after the stacking.
const std::vector<ExtraItem> &extraItems() {
    static const std::vector<ExtraItem> items = {
        {"S1", 12, {2400, 1995, 360, 660}},
        {"S1", 13, {2400, 2685, 360, 660}},
        {"84", 15, {45, 5805, 3690, 345}},
        {"80", 10, {120, 6375, 1350, 330}},
    };
    return items;
}

struct PlacedCase {
    QString key;
    std::vector<Rect> items; // items 1..k
};

const std::vector<PlacedCase> &placedLevel1() {
    static const std::vector<PlacedCase> rows = {
        {"41",
         {{915, 15, 1290, 300},
          {885, 315, 1770, 270},
          {915, 555, 1395, 315},
          {870, 870, 1440, 285}}},
        {"42", {{840, 45, 1920, 270}, {885, 270, 1785, 315}, {840, 585, 2025, 285}}},
        {"43", {{900, 30, 1335, 285}, {855, 300, 1650, 285}, {855, 615, 855, 255}}},
        {"44", {{810, 45, 735, 315}, {870, 360, 915, 315}}},
        {"45", {{810, 45, 2400, 270}, {840, 270, 2070, 315}, {855, 555, 2385, 315}}},
        {"46",
         {{795, 30, 1665, 285},
          {885, 315, 870, 255},
          {855, 585, 1245, 285},
          {885, 900, 1425, 240}}},
        {"47", {{840, 30, 2115, 285}, {900, 285, 1875, 300}, {855, 600, 1245, 270}}},
        {"48", {{855, 15, 1140, 300}, {870, 315, 2355, 270}, {855, 585, 1260, 285}}},
        {"51",
         {{600, 45, 945, 270},
          {600, 300, 900, 285},
          {1665, 300, 1245, 285},
          {3060, 300, 1785, 300},
          {5040, 315, 1245, 270},
          {6450, 270, 1605, 315}}},
        {"52",
         {{630, 30, 645, 270},
          {630, 285, 2280, 300},
          {3120, 300, 1410, 285},
          {4695, 315, 1650, 270}}},
        {"53",
         {{660, 30, 1305, 300},
          {615, 315, 1605, 270},
          {2370, 300, 1815, 285},
          {4305, 285, 1110, 300},
          {5580, 315, 3045, 270}}},
        {"54",
         {{630, 30, 2565, 285},
          {615, 300, 1800, 285},
          {2565, 315, 1965, 270},
          {4725, 285, 2265, 300}}},
        {"55",
         {{585, 30, 1665, 285},
          {645, 315, 840, 285},
          {1650, 315, 1425, 300},
          {3255, 300, 2265, 300},
          {4875, 285, 1740, 300}}},
        {"56", {{615, 30, 1395, 285}, {615, 315, 1770, 270}, {2595, 255, 2145, 330}}},
        {"57",
         {{585, 30, 720, 270},
          {585, 285, 2715, 285},
          {3465, 270, 1230, 330},
          {4875, 255, 1905, 345}}},
        {"A7",
         {{630, 105, 1875, 345},
          {630, 705, 1875, 345},
          {630, 1125, 1875, 345},
          {630, 1770, 1875, 345},
          {630, 2220, 1875, 345},
          {630, 2670, 1875, 345},
          {630, 3105, 1875, 345},
          {630, 3540, 1875, 345}}},
        {"T9",
         {{150, 525, 3135, 345},
          {150, 870, 3135, 345},
          {150, 1215, 3135, 345},
          {150, 1560, 3135, 345},
          {150, 1905, 3135, 345},
          {150, 2250, 3135, 345},
          {150, 3000, 3135, 345},
          {150, 3345, 3135, 345},
          {150, 3690, 3135, 345}}},
    };
    return rows;
}

// Top of stacked item i at scale 1: first top, whole steps, one gap per
// group that ends before the item.
int closedTop(const StackedCase &row, int item) {
    int before = 0;
    int groupsBefore = 0;
    for (QChar c : row.groups) {
        before += groupSize(c);
        if (before < item) ++groupsBefore;
    }
    return row.top + (item - 1) * row.height + groupsBefore * row.gap;
}

ItemRects rubbish() {
    // Whatever an earlier panel left: the layout must not depend on it.
    ItemRects items;
    for (int i = 0; i <= PanelItemCount; ++i) items[i] = Rect{11.0 * i, 7.0 * i, 3, 5};
    return items;
}

} // namespace

TEST(Menu1JTable, StackedRowsPlaceTheirItemsAndParkTheRest) {
    for (const StackedCase &row : stackedLevel1()) {
        int sum = 0;
        for (QChar c : row.groups) sum += groupSize(c);
        ASSERT_EQ(sum, row.items) << row.groups.toStdString();
        for (const QString &key : row.keys) {
            SCOPED_TRACE(key.toStdString());
            ItemRects items = rubbish();
            EXPECT_EQ(layoutLevel1(items, key, One), NoError);
            for (int i = 1; i <= PanelItemCount; ++i) {
                bool extra = false;
                for (const ExtraItem &e : extraItems()) {
                    if (e.key == key && e.item == i) {
                        EXPECT_EQ(items[i], e.rect) << "item " << i;
                        extra = true;
                    }
                }
                if (extra) continue;
                if (i <= row.items) {
                    EXPECT_EQ(items[i], (Rect{double(row.left), double(closedTop(row, i)),
                                              double(row.width), double(row.height)}))
                        << "item " << i;
                } else if (i <= 20) {
                    // Left out of this panel: out of reach to the left, no height.
                    EXPECT_EQ(items[i], (Rect{-60, -100, 30, 0})) << "item " << i;
                } else {
                    EXPECT_EQ(items[i], ParkedSpot) << "item " << i;
                }
            }
        }
    }
}

TEST(Menu1JTable, PlacedAndLoopedRowsGiveTheirRectanglesOnly) {
    for (const PlacedCase &row : placedLevel1()) {
        SCOPED_TRACE(row.key.toStdString());
        ItemRects items = rubbish();
        layoutLevel1(items, row.key, One);
        for (int i = 1; i <= PanelItemCount; ++i) {
            const Rect expected =
                size_t(i) <= row.items.size() ? row.items[size_t(i - 1)] : ParkedSpot;
            EXPECT_EQ(items[i], expected) << "item " << i;
        }
    }
    // The four command bars share the looped layout of their "7" menus.
    for (const char *key : {"B7", "C7", "D7"}) {
        ItemRects a = rubbish(), b = rubbish();
        layoutLevel1(a, u"A7", One);
        layoutLevel1(b, QString::fromLatin1(key), One);
        EXPECT_EQ(a, b) << key;
    }
}

TEST(Menu1JTable, EveryRowIsCheckedAndKeptInItsOrder) {
    // The rows as the chain tests them; "71-91" is the start-menu range.
    const QStringList order = {
        "A1 B1 C1 D1", "B3 C3", "B4 C4", "A7 B7 C7 D7", "G1", "G2", "G3", "G4", "H1",       "H2",
        "H3",          "H4",    "H5",    "41",          "42", "43", "44", "45", "46",       "47",
        "48",          "51",    "52",    "53",          "54", "55", "56", "57", "23",       "25",
        "S1",          "S2",    "T1",    "T3",          "T4", "T5", "T6", "T7", "T8",       "T9",
        "U1",          "U2",    "U3 U5", "U4",          "U6", "U7", "U8", "U9", "V1",       "V2",
        "V3",          "V4",    "V5",    "V6",          "V7", "V8", "61", "62", "63",       "64",
        "65",          "69 T2", "70",    "71-91",       "92", "93", "94", "95", "96 97 98", "99"};
    QStringList actual;
    for (const Menu1JRow &row : menu1JTable()) {
        if (row.kind == Menu1JRow::Kind::StartMenu) {
            actual << QString::fromLatin1(row.rangeLow.data(), row.rangeLow.size()) + "-" +
                          QString::fromLatin1(row.rangeHigh.data(), row.rangeHigh.size());
            continue;
        }
        QStringList keys;
        for (std::string_view k : row.keys) keys << QString::fromLatin1(k.data(), k.size());
        actual << keys.join(' ');
    }
    EXPECT_EQ(actual, order);

    QStringList inside;
    for (const Menu1JRow &row : startMenuPanelTable()) {
        for (std::string_view k : row.keys) inside << QString::fromLatin1(k.data(), k.size());
    }
    EXPECT_EQ(inside, (QStringList{"84", "80", "82"}));

    // Every key of the chain is one of the rows checked above, and no key
    // is held by two rows.
    QSet<QString> checked;
    for (const StackedCase &row : stackedLevel1()) {
        for (const QString &k : row.keys) checked << k;
    }
    for (const PlacedCase &row : placedLevel1()) checked << row.key;
    checked << "B7"
            << "C7"
            << "D7";
    QSet<QString> seen;
    for (const QString &keys : order + QStringList{"84 80 82"}) {
        if (keys == "71-91") continue;
        for (const QString &k : keys.split(' ')) {
            EXPECT_TRUE(checked.contains(k)) << k.toStdString();
            EXPECT_FALSE(seen.contains(k)) << k.toStdString();
            seen << k;
        }
    }
    EXPECT_EQ(seen, checked);
}

TEST(Menu1JTable, CodesWithoutALayoutLeaveEveryItemParked) {
    // "75", "71", "81" and "91" lie in the start-menu range but have no
    // panel; "7A" is inside the range by character order; lower case is
    // another code; a single character and an empty code match nothing.
    for (const char *code :
         {"00", "A2", "a1", "75", "71", "81", "91", "7A", "s1", "8", "", "100"}) {
        ItemRects items = rubbish();
        EXPECT_EQ(layoutLevel1(items, QString::fromLatin1(code), One), NoError);
        for (int i = 1; i <= PanelItemCount; ++i)
            EXPECT_EQ(items[i], ParkedSpot) << code << " " << i;
        EXPECT_EQ(findMenu1JRow(QString::fromLatin1(code)), nullptr) << code;
    }
}

TEST(Menu1JTable, ANewPanelLeavesNothingOfTheOneBefore) {
    ItemRects items;
    layoutLevel1(items, u"A1", One);
    layoutLevel1(items, u"G2", One);
    EXPECT_EQ(items[1], (Rect{45, 45, 2415, 330}));
    for (int i = 2; i <= 13; ++i) {
        EXPECT_EQ(items[i].top, -100) << i;
        EXPECT_EQ(items[i].height, 0) << i;
    }
}

TEST(Menu1JTable, ScaledPanelsSumTheirTopsInWholeTwips) {
    const Scale s{0.8, 0.8};
    ItemRects items;
    layoutLevel1(items, u"A1", s);
    const int tops[] = {36, 300, 564, 828, 1092, 1452, 1812, 2076, 2436, 2700, 2964, 3228, 3588};
    for (int i = 1; i <= 13; ++i) {
        EXPECT_EQ(items[i].top, tops[i - 1]) << i;
        EXPECT_DOUBLE_EQ(items[i].left, 45 * 0.8);
        EXPECT_DOUBLE_EQ(items[i].width, 2700 * 0.8);
        EXPECT_DOUBLE_EQ(items[i].height, 330 * 0.8);
    }
    // Items placed outright are scaled, not rounded.
    layoutLevel1(items, u"84", s);
    EXPECT_EQ(items[15], (Rect{45 * 0.8, 5805 * 0.8, 3690 * 0.8, 345 * 0.8}));
    // The looped tops scale base and step apart.
    layoutLevel1(items, u"T9", Scale{1, 0.7});
    EXPECT_DOUBLE_EQ(items[8].top, 3000 * 0.7 + 345 * 0.7);
}

struct StackCase {
    const char *name;
    QString groups;
    int width, height, left, top, gap;
    double scaleY;
    std::vector<double> tops; // of items 1..n
};

TEST(StackItems, TopsFollowTheGroupsAndRoundHalvesToEven) {
    const std::vector<StackCase> cases = {
        {"worked example",
         "51241",
         2700,
         330,
         45,
         45,
         120,
         1,
         {45, 375, 705, 1035, 1365, 1815, 2265, 2595, 3045, 3375, 3705, 4035, 4485}},
        {"a group of ten",
         "2A1",
         2715,
         330,
         45,
         45,
         120,
         1,
         {45, 375, 825, 1155, 1485, 1815, 2145, 2475, 2805, 3135, 3465, 3795, 4245}},
        {"one group has no visible gap",
         "5",
         4785,
         975,
         30,
         435,
         120,
         1,
         {435, 1410, 2385, 3360, 4335}},
        // Each top is rounded from the one before, so the error accumulates.
        {"running sum at 0.8", "5", 2000, 333, 45, 45, 120, 0.8, {36, 302, 568, 834, 1100}},
        // 4.5, 11.5, 19.5, 27.5: halves go to the even neighbour.
        {"halves to even", "4", 100, 5, 0, 3, 0, 1.5, {4, 12, 20, 28}},
        // A character outside the digits adds a gap but no item.
        {"lower-case gap", "1a1", 100, 330, 45, 45, 120, 1, {45, 615}},
        {"zero, blank and Q count nothing", "10 Q1", 100, 330, 45, 45, 120, 1, {45, 855}},
        {"empty string", "", 100, 330, 45, 45, 120, 1, {}},
    };
    for (const StackCase &c : cases) {
        SCOPED_TRACE(c.name);
        ItemRects items;
        parkItems(items);
        const Scale s{1, c.scaleY};
        EXPECT_EQ(stackItems(items, c.groups, c.width, int16_t(c.height), int16_t(c.left),
                             int16_t(c.top), int16_t(c.gap), s),
                  NoError);
        const int n = int(c.tops.size());
        for (int i = 1; i <= n; ++i) {
            EXPECT_EQ(items[i].top, c.tops[size_t(i - 1)]) << i;
            EXPECT_EQ(items[i].left, c.left);
            EXPECT_EQ(items[i].width, c.width);
            EXPECT_DOUBLE_EQ(items[i].height, c.height * c.scaleY);
        }
        // Item 1 is never re-parked; the others are moved out of reach.
        if (n == 0) {
            EXPECT_EQ(items[1], ParkedSpot);
        }
        for (int i = std::max(n + 1, 2); i <= 20; ++i)
            EXPECT_EQ(items[i], (Rect{-60, -100, 30, 0}));
        for (int i = 21; i <= PanelItemCount; ++i) EXPECT_EQ(items[i], ParkedSpot);
    }
}

TEST(StackItems, MoreThanTwentyItemsEndWithAnErrorAndNoStrayWrite) {
    struct Case {
        QString groups;
        int expectedError;
        int lastPlaced; // items 1..lastPlaced have their full rectangle
    };
    // "AB" is 21 items, "KK" 22, "P" 25, "PPPP" 100 (beyond the 44 items).
    const Case cases[] = {{"AB", NoError, 21},
                          {"KK", SubscriptError, 21},
                          {"P", SubscriptError, 21},
                          {"PPPP", SubscriptError, 21}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.groups.toStdString());
        ItemRects items;
        parkItems(items);
        EXPECT_EQ(stackItems(items, c.groups, 2000, 100, 45, 45, 0, One), c.expectedError);
        for (int i = 1; i <= 20; ++i)
            EXPECT_EQ(items[i], (Rect{45, 45 + 100.0 * (i - 1), 2000, 100}));
        // The 21st item has no computed top: it lands at the panel's top edge.
        EXPECT_EQ(items[21], (Rect{45, 0, 2000, 100}));
        if (c.expectedError == SubscriptError) {
            // The 22nd got its Left before the routine gave up.
            EXPECT_EQ(items[22], (Rect{45, -100, 0, 0}));
        } else {
            EXPECT_EQ(items[22], ParkedSpot);
        }
        for (int i = 23; i <= PanelItemCount; ++i) EXPECT_EQ(items[i], ParkedSpot);
    }
}

TEST(StackItems, ATopBeyondSixteenBitsEndsWithOverflow) {
    ItemRects items;
    parkItems(items);
    EXPECT_EQ(stackItems(items, u"5", 100, 330, 45, 32700, 120, One), OverflowError);
    EXPECT_EQ(items[1], ParkedSpot);
    EXPECT_EQ(stackItems(items, u"5", 100, 330, 45, 45, 120, Scale{1, 1000}), OverflowError);
}

struct Level2Case {
    QStringList ids;
    QString groups;
    int items;
    int width;
    bool tall = false;
};

TEST(Menu2JTable, EveryRowStacksItsIdsInOrder) {
    const std::vector<Level2Case> rows = {
        {{"A107", "B107", "C107", "D107"}, "13", 4, 1800},
        {{"G103", "V801"}, "2", 2, 3780},
        {{"G301"}, "41", 5, 2205},
        {{"S112"}, "5", 5, 4785, true},
        {{"S113"}, "3", 3, 4785, true},
        {{"S201"}, "21", 3, 2910},
        {{"S202"}, "5", 5, 3120},
        {{"S203"}, "2A1", 13, 2715},
        {{"S204"}, "63", 9, 5100},
        {{"T303"}, "2", 2, 1800},
        {{"T305"}, "5", 5, 1740},
        {{"T601", "T701"}, "51", 6, 2865},
        {{"T807", "U208", "U406"}, "B", 11, 4155},
        {{"U205"}, "31", 4, 2715},
        {{"U301", "U501"}, "812", 11, 2415},
        {{"U302", "U903"}, "521", 8, 2055},
        {{"U502", "U503"}, "521", 8, 2880},
        {{"U303", "U702"}, "621", 9, 2055},
        {{"U309", "U509"}, "31", 4, 2715},
        {{"U404"}, "71", 8, 4170},
        {{"U701"}, "8", 8, 2280},
        {{"U703"}, "721", 10, 2055},
        {{"U901"}, "82", 10, 2415},
        {{"U902"}, "421", 7, 2055},
        {{"V207"}, "6", 6, 2220},
        {{"V601"}, "44121", 12, 4410},
        {{"V602"}, "611133", 15, 3600},
        {{"V603"}, "314231", 14, 4500},
        {{"V604"}, "2111", 5, 2880},
        {{"V605"}, "14", 5, 4140},
        {{"6202"}, "41", 5, 1770},
        {{"6901", "T201"}, "322", 7, 2880},
        {{"6902", "T202"}, "4", 4, 1980},
        {{"6907", "T207", "U310", "U510"}, "29", 11, 3705},
        {{"9201"}, "82", 10, 2415},
        {{"9202"}, "421", 7, 2055},
        {{"9203"}, "521", 8, 2055},
        {{"9403", "9504", "9605", "9705", "9805", "9903"}, "1", 1, 2115},
        {{"9607", "9707", "9807", "U207"}, "41", 5, 1770},
    };
    ASSERT_EQ(menu2JTable().size(), rows.size());
    QSet<QString> all;
    for (size_t r = 0; r < rows.size(); ++r) {
        const Level2Case &row = rows[r];
        QStringList tableIds;
        for (std::string_view id : menu2JTable()[r].ids)
            tableIds << QString::fromLatin1(id.data(), id.size());
        EXPECT_EQ(tableIds, row.ids) << "row " << r + 1;
        StackedCase expected{row.ids, row.groups, row.items, row.width};
        if (row.tall)
            expected = StackedCase{row.ids, row.groups, row.items, row.width, 975, 30, 435, 120};
        for (const QString &id : row.ids) {
            SCOPED_TRACE(id.toStdString());
            all << id;
            EXPECT_TRUE(ownsLevel2Panel(id));
            ItemRects items = rubbish();
            EXPECT_EQ(layoutLevel2(items, id, One), NoError);
            for (int i = 1; i <= row.items; ++i) {
                EXPECT_EQ(items[i], (Rect{double(expected.left), double(closedTop(expected, i)),
                                          double(expected.width), double(expected.height)}))
                    << "item " << i;
            }
            for (int i = row.items + 1; i <= 20; ++i) EXPECT_EQ(items[i], (Rect{-60, -100, 30, 0}));
            for (int i = 21; i <= PanelItemCount; ++i) EXPECT_EQ(items[i], ParkedSpot);
        }
    }
    // The list that decides whether an item opens a panel holds exactly
    // the ids of the table.
    QSet<QString> listed;
    for (const QString &id : QString::fromLatin1(SubMenuIds).split('-', Qt::SkipEmptyParts))
        listed << id;
    EXPECT_EQ(all.size(), 64);
    EXPECT_EQ(listed, all);
}

TEST(Menu2JTable, IdsAreBuiltFromThePanelAndTheItem) {
    EXPECT_EQ(subMenuId(u"A1", 7), "A107");
    EXPECT_EQ(subMenuId(u"S1", 12), "S112");
    EXPECT_EQ(subMenuId(u"84", 10), "8410");
    // No item clicked yet gives an id that no row holds.
    EXPECT_EQ(subMenuId(u"A1", 0), "A100");
    ItemRects items = rubbish();
    layoutLevel2(items, u"A100", One);
    for (int i = 1; i <= PanelItemCount; ++i) EXPECT_EQ(items[i], ParkedSpot);
    // Only whole ids count, and letter case matters.
    for (const char *id : {"A10", "107-", "a107", "7-B1", "A107-", ""}) {
        EXPECT_FALSE(ownsLevel2Panel(QString::fromLatin1(id))) << id;
    }
}

TEST(Menu2JTable, DrivePanelsShareTheirPictures) {
    const std::pair<const char *, const char *> cases[] = {
        {"A107", "A10777"}, {"9403", "960577"}, {"9504", "960577"},
        {"9903", "960577"}, {"9605", "960577"}, {"9707", "960777"},
        {"9807", "960777"}, {"9607", "960777"}, {"6202", "620277"}};
    for (const auto &[id, picture] : cases)
        EXPECT_EQ(level2PictureName(QString::fromLatin1(id)), picture) << id;
}

TEST(Level3List, NineRowsFromTheTopEdge) {
    const auto rows = level3Rows(One);
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(rows[size_t(k)], (Rect{90, 345.0 * (k - 1), 2595, 345}));
    const auto scaled = level3Rows(Scale{0.8, 0.8});
    EXPECT_DOUBLE_EQ(scaled[9].top, 8 * 345 * 0.8);
    EXPECT_DOUBLE_EQ(scaled[9].width, 2595 * 0.8);
}

TEST(PreHighlight, OnlyADEntryForTheOpenPanelNamingAnItem) {
    struct Case {
        const char *entry;
        const char *hitCode;
        int item; // 0: nothing shown
        const char *picture;
    };
    const Case cases[] = {
        {"DA103xP1Z9", "A1", 3, "P1Z977"},
        {"D6902 T2a0", "69", 2, "T2a077"},
        {"DA144xABCD", "A1", 44, "ABCD77"},
        {"DB103xP1Z9", "A1", 0, ""}, // another panel
        {"HA103xP1Z9", "A1", 0, ""}, // not a pre-highlight entry
        {"dA103xP1Z9", "A1", 0, ""},
        {"DA100xP1Z9", "A1", 0, ""}, // names no item
        {"DA145xP1Z9", "A1", 0, ""},
        {"DA1-1xP1Z9", "A1", 0, ""},
        {"DA1", "A1", 0, ""}, // a record that ends early
        {"", "00", 0, ""},
    };
    for (const Case &c : cases) {
        const auto hl = preHighlight(QString::fromLatin1(c.entry), QString::fromLatin1(c.hitCode));
        if (c.item == 0) {
            EXPECT_FALSE(hl.has_value()) << c.entry;
        } else {
            ASSERT_TRUE(hl.has_value()) << c.entry;
            EXPECT_EQ(hl->item, c.item) << c.entry;
            EXPECT_EQ(hl->picture, c.picture) << c.entry;
        }
    }
}
