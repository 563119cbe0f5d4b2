#include "simulator/shell_tables.h"

#include <QLatin1StringView>

namespace shell {

namespace {

bool sameCode(QStringView code, std::string_view key) {
    return code == QLatin1StringView(key.data(), qsizetype(key.size()));
}

// Most panels share the item height, margins and group gap of a menu.
constexpr GroupLayout menu(std::string_view groups, int32_t width) {
    return GroupLayout{groups, width, 330, 45, 45, 120};
}

Menu1JRow stacked(std::vector<std::string_view> keys, GroupLayout column,
                  std::vector<PlacedItem> after = {}) {
    Menu1JRow row;
    row.kind = Menu1JRow::Kind::Stacked;
    row.keys = std::move(keys);
    row.column = column;
    row.placed = std::move(after);
    return row;
}

Menu1JRow placed(std::string_view key, std::vector<PlacedItem> items) {
    Menu1JRow row;
    row.kind = Menu1JRow::Kind::Placed;
    row.keys = {key};
    row.placed = std::move(items);
    return row;
}

Menu1JRow looped(std::vector<std::string_view> keys, int left, int width, int height,
                 std::vector<TopRun> runs) {
    Menu1JRow row;
    row.kind = Menu1JRow::Kind::Looped;
    row.keys = std::move(keys);
    row.loopLeft = left;
    row.loopWidth = width;
    row.loopHeight = height;
    row.runs = std::move(runs);
    return row;
}

Menu1JRow startMenuRange(std::string_view low, std::string_view high) {
    Menu1JRow row;
    row.kind = Menu1JRow::Kind::StartMenu;
    row.rangeLow = low;
    row.rangeHigh = high;
    return row;
}

} // namespace

int groupSize(QChar c) {
    for (size_t i = 0; i < GroupDigits.size(); ++i) {
        if (c == QLatin1Char(GroupDigits[i])) return int(i) + 1;
    }
    return 0;
}

bool Menu1JRow::holds(QStringView code) const {
    if (kind == Kind::StartMenu) {
        const QLatin1StringView low(rangeLow.data(), qsizetype(rangeLow.size()));
        const QLatin1StringView high(rangeHigh.data(), qsizetype(rangeHigh.size()));
        return QStringView(code).compare(low) >= 0 && QStringView(code).compare(high) <= 0;
    }
    for (std::string_view key : keys) {
        if (sameCode(code, key)) return true;
    }
    return false;
}

const std::vector<Menu1JRow> &menu1JTable() {
    static const std::vector<Menu1JRow> table = {
        stacked({"A1", "B1", "C1", "D1"}, menu("51241", 2700)),
        stacked({"B3", "C3"}, GroupLayout{"41", 2685, 315, 45, 45, 120}),
        stacked({"B4", "C4"}, menu("31", 2715)),
        looped({"A7", "B7", "C7", "D7"}, 630, 1875, 345,
               {{1, 1, 105, 0},
                {2, 2, 705, 0},
                {3, 3, 1125, 0},
                {4, 4, 1770, 0},
                {5, 5, 2220, 0},
                {6, 6, 2670, 0},
                {7, 7, 3105, 0},
                {8, 8, 3540, 0}}),
        stacked({"G1"}, menu("31", 2835)),
        stacked({"G2"}, menu("1", 2415)),
        stacked({"G3"}, menu("31", 2055)),
        stacked({"G4"}, menu("2", 2070)),
        stacked({"H1"}, menu("421", 2955)),
        stacked({"H2"}, menu("1442", 3000)),
        stacked({"H3"}, menu("2", 2280)),
        stacked({"H4"}, menu("1", 2025)),
        stacked({"H5"}, menu("11", 2400)),
        // The Control Panel categories and links: items lie over the link
        // texts of the overlay picture, wherever the text happens to be.
        placed("41", {{1, 915, 15, 1290, 300},
                      {2, 885, 315, 1770, 270},
                      {3, 915, 555, 1395, 315},
                      {4, 870, 870, 1440, 285}}),
        placed("42", {{1, 840, 45, 1920, 270}, {2, 885, 270, 1785, 315}, {3, 840, 585, 2025, 285}}),
        placed("43", {{1, 900, 30, 1335, 285}, {2, 855, 300, 1650, 285}, {3, 855, 615, 855, 255}}),
        placed("44", {{1, 810, 45, 735, 315}, {2, 870, 360, 915, 315}}),
        placed("45", {{1, 810, 45, 2400, 270}, {2, 840, 270, 2070, 315}, {3, 855, 555, 2385, 315}}),
        placed("46", {{1, 795, 30, 1665, 285},
                      {2, 885, 315, 870, 255},
                      {3, 855, 585, 1245, 285},
                      {4, 885, 900, 1425, 240}}),
        placed("47", {{1, 840, 30, 2115, 285}, {2, 900, 285, 1875, 300}, {3, 855, 600, 1245, 270}}),
        placed("48", {{1, 855, 15, 1140, 300}, {2, 870, 315, 2355, 270}, {3, 855, 585, 1260, 285}}),
        placed("51", {{1, 600, 45, 945, 270},
                      {2, 600, 300, 900, 285},
                      {3, 1665, 300, 1245, 285},
                      {4, 3060, 300, 1785, 300},
                      {5, 5040, 315, 1245, 270},
                      {6, 6450, 270, 1605, 315}}),
        placed("52", {{1, 630, 30, 645, 270},
                      {2, 630, 285, 2280, 300},
                      {3, 3120, 300, 1410, 285},
                      {4, 4695, 315, 1650, 270}}),
        placed("53", {{1, 660, 30, 1305, 300},
                      {2, 615, 315, 1605, 270},
                      {3, 2370, 300, 1815, 285},
                      {4, 4305, 285, 1110, 300},
                      {5, 5580, 315, 3045, 270}}),
        placed("54", {{1, 630, 30, 2565, 285},
                      {2, 615, 300, 1800, 285},
                      {3, 2565, 315, 1965, 270},
                      {4, 4725, 285, 2265, 300}}),
        placed("55", {{1, 585, 30, 1665, 285},
                      {2, 645, 315, 840, 285},
                      {3, 1650, 315, 1425, 300},
                      {4, 3255, 300, 2265, 300},
                      {5, 4875, 285, 1740, 300}}),
        placed("56",
               {{1, 615, 30, 1395, 285}, {2, 615, 315, 1770, 270}, {3, 2595, 255, 2145, 330}}),
        placed("57", {{1, 585, 30, 720, 270},
                      {2, 585, 285, 2715, 285},
                      {3, 3465, 270, 1230, 330},
                      {4, 4875, 255, 1905, 345}}),
        stacked({"23"}, menu("5", 2560)),
        stacked({"25"}, menu("32", 1740)),
        // Tall entries; two of them have a narrow button at their right end.
        stacked({"S1"}, GroupLayout{"431111", 2760, 660, 15, 15, 30},
                {{12, 2400, 1995, 360, 660}, {13, 2400, 2685, 360, 660}}),
        stacked({"S2"}, menu("463", 4230)),
        stacked({"T1"}, menu("2221", 2925)),
        stacked({"T3"}, menu("1132", 2535)),
        stacked({"T4"}, menu("2", 1905)),
        stacked({"T5"}, GroupLayout{"5", 2385, 375, 15, 15, 120}),
        stacked({"T6"}, menu("1412", 2760)),
        stacked({"T7"}, menu("12412", 2760)),
        stacked({"T8"}, menu("511321", 2955)),
        looped({"T9"}, 150, 3135, 345, {{1, 6, 525, 345}, {7, 9, 3000, 345}}),
        stacked({"U1"}, menu("51", 2685)),
        stacked({"U2"}, menu("431231", 4515)),
        stacked({"U3", "U5"}, menu("413111", 3225)),
        stacked({"U4"}, menu("51231", 2760)),
        stacked({"U6"}, menu("21", 2745)),
        stacked({"U7"}, menu("441", 3105)),
        stacked({"U8"}, menu("1111", 1890)),
        stacked({"U9"}, menu("4321", 3105)),
        stacked({"V1"}, menu("24121", 3285)),
        stacked({"V2"}, menu("1512", 2610)),
        stacked({"V3"}, menu("2", 2880)),
        stacked({"V4"}, menu("3131", 2565)),
        stacked({"V5"}, menu("331", 2565)),
        stacked({"V6"}, menu("51", 3075)),
        stacked({"V7"}, menu("416", 2100)),
        stacked({"V8"}, menu("5", 2040)),
        stacked({"61"}, menu("221", 2565)),
        stacked({"62"}, menu("212", 2565)),
        stacked({"63"}, menu("2231", 2925)),
        stacked({"64"}, menu("1221", 2925)),
        stacked({"65"}, menu("12", 2565)),
        stacked({"69", "T2"}, menu("3313", 3105)),
        stacked({"70"}, menu("2", 3645)),
        startMenuRange("71", "91"),
        stacked({"92"}, menu("4311", 3450)),
        stacked({"93"}, menu("31121", 2760)),
        stacked({"94"}, menu("221111", 2745)),
        stacked({"95"}, menu("321121", 2865)),
        stacked({"96", "97", "98"}, menu("431121", 2865)),
        stacked({"99"}, menu("2111221", 2745)),
    };
    return table;
}

const std::vector<Menu1JRow> &startMenuPanelTable() {
    static const std::vector<Menu1JRow> table = {
        // All programs: fifteen entries, the last ("back") at the foot.
        stacked({"84"}, GroupLayout{"F", 3750, 315, 15, 45, 120}, {{15, 45, 5805, 3690, 345}}),
        // The first entry of the left column: ten entries and one at the foot.
        stacked({"80"}, GroupLayout{"A", 3060, 345, 225, 420, 120}, {{10, 120, 6375, 1350, 330}}),
        // The arrow beside the shut-down button.
        stacked({"82"}, GroupLayout{"311", 1770, 300, 30, 30, 120}),
    };
    return table;
}

const Menu1JRow *findMenu1JRow(QStringView hitCode) {
    for (const Menu1JRow &row : menu1JTable()) {
        if (!row.holds(hitCode)) continue;
        if (row.kind != Menu1JRow::Kind::StartMenu) return &row;
        for (const Menu1JRow &panel : startMenuPanelTable()) {
            if (panel.holds(hitCode)) return &panel;
        }
        return nullptr;
    }
    return nullptr;
}

const std::vector<Menu2JRow> &menu2JTable() {
    // The panels beside the narrow buttons of "S1" hold tall entries.
    constexpr auto tall = [](std::string_view groups) {
        return GroupLayout{groups, 4785, 975, 30, 435, 120};
    };
    static const std::vector<Menu2JRow> table = {
        {{"A107", "B107", "C107", "D107"}, menu("13", 1800)},
        {{"G103", "V801"}, menu("2", 3780)},
        {{"G301"}, menu("41", 2205)},
        {{"S112"}, tall("5")},
        {{"S113"}, tall("3")},
        {{"S201"}, menu("21", 2910)},
        {{"S202"}, menu("5", 3120)},
        {{"S203"}, menu("2A1", 2715)},
        {{"S204"}, menu("63", 5100)},
        {{"T303"}, menu("2", 1800)},
        {{"T305"}, menu("5", 1740)},
        {{"T601", "T701"}, menu("51", 2865)},
        {{"T807", "U208", "U406"}, menu("B", 4155)},
        {{"U205"}, menu("31", 2715)},
        {{"U301", "U501"}, menu("812", 2415)},
        {{"U302", "U903"}, menu("521", 2055)},
        {{"U502", "U503"}, menu("521", 2880)},
        {{"U303", "U702"}, menu("621", 2055)},
        {{"U309", "U509"}, menu("31", 2715)},
        {{"U404"}, menu("71", 4170)},
        {{"U701"}, menu("8", 2280)},
        {{"U703"}, menu("721", 2055)},
        {{"U901"}, menu("82", 2415)},
        {{"U902"}, menu("421", 2055)},
        {{"V207"}, menu("6", 2220)},
        {{"V601"}, menu("44121", 4410)},
        {{"V602"}, menu("611133", 3600)},
        {{"V603"}, menu("314231", 4500)},
        {{"V604"}, menu("2111", 2880)},
        {{"V605"}, menu("14", 4140)},
        {{"6202"}, menu("41", 1770)},
        {{"6901", "T201"}, menu("322", 2880)},
        {{"6902", "T202"}, menu("4", 1980)},
        {{"6907", "T207", "U310", "U510"}, menu("29", 3705)},
        {{"9201"}, menu("82", 2415)},
        {{"9202"}, menu("421", 2055)},
        {{"9203"}, menu("521", 2055)},
        {{"9403", "9504", "9605", "9705", "9805", "9903"}, menu("1", 2115)},
        {{"9607", "9707", "9807", "U207"}, menu("41", 1770)},
    };
    return table;
}

const Menu2JRow *findMenu2JRow(QStringView subMenuId) {
    for (const Menu2JRow &row : menu2JTable()) {
        for (std::string_view id : row.ids) {
            if (sameCode(subMenuId, id)) return &row;
        }
    }
    return nullptr;
}

const char *const SubMenuIds =
    "A107-B107-C107-D107-T201-T202-T207-T303-T305-T601-T701-T807-U205-U207-U208-U301-U302-U303-"
    "U309-U310-U404-U406-U501-U502-U503-U509-U510-U701-U702-U703-U901-U902-U903-V207-6202-6901-"
    "6902-6907-9201-9202-9203-9403-9504-9605-9607-9705-9707-9805-9807-9903-"
    "S112-S113-S201-S202-S203-S204-V601-V602-V603-V604-V605-G103-G301-V801-";

bool ownsLevel2Panel(QStringView subMenuId) {
    // Only a whole id counts: a code that is not two characters long must
    // not open a panel by matching part of a neighbour.
    if (subMenuId.size() != 4) return false;
    const QLatin1StringView ids(SubMenuIds);
    for (qsizetype at = 0; at + 4 <= ids.size(); at += 5) {
        if (ids.sliced(at, 4) == subMenuId) return true;
    }
    return false;
}

QString subMenuId(QStringView hitCode, int sel1J) {
    return hitCode.toString() + twoDigits(sel1J);
}

QString level2PictureName(QStringView id) {
    static const char *const sharedDrivePanel[] = {"9403", "9504", "9605", "9705", "9805", "9903"};
    for (const char *shared : sharedDrivePanel) {
        if (id == QLatin1StringView(shared)) return QStringLiteral("960577");
    }
    if (id == QLatin1StringView("9707") || id == QLatin1StringView("9807")) {
        return QStringLiteral("960777");
    }
    return id.toString() + QStringLiteral("77");
}

const std::vector<MenuBarRow> &menuBarTable() {
    static const std::vector<MenuBarRow> table = [] {
        // The four buttons at the right end are the same on every command
        // bar; spot 10 is never on a bar.
        auto command = [](char letter, std::array<int, 5> lefts, std::array<int, 5> widths) {
            MenuBarRow row;
            row.letter = letter;
            row.commandBar = true;
            row.lefts = {lefts[0], lefts[1], lefts[2], lefts[3], lefts[4],
                         13440,    13830,    14265,    14805,    -2220};
            row.widths = {widths[0], widths[1], widths[2], widths[3], widths[4],
                          390,       285,       420,       420,       420};
            row.top = 60;
            return row;
        };
        auto menuBar = [](char letter, int base, int width, int height,
                          std::vector<std::pair<int, int>> fixed) {
            MenuBarRow row;
            row.letter = letter;
            row.commandBar = false;
            row.baseLeft = base;
            row.step = 2100;
            row.top = 15;
            row.width = width;
            row.height = height;
            row.fixedLefts = std::move(fixed);
            return row;
        };
        return std::vector<MenuBarRow>{
            command('A', {45, 1065, 2235, 3945, 5655}, {1020, 1170, 1710, 1710, 1710}),
            command('B', {45, -1065, 1065, 2625, 3645}, {1020, 30, 1560, 1020, 1350}),
            command('C', {45, 1065, 2175, 3735, 4755}, {1020, 1110, 1560, 1020, 1350}),
            command('D', {45, 1065, 2415, -3735, -4755}, {1020, 1350, 1530, 1020, 1350}),
            menuBar('G', 15, 780, 270, {{2, 795}, {3, 1590}, {4, 2385}}),
            menuBar('H', 30, 750, 240, {{2, 810}, {3, 1605}, {4, 2445}, {5, 3255}}),
        };
    }();
    return table;
}

const MenuBarRow *findMenuBarRow(QChar letter) {
    for (const MenuBarRow &row : menuBarTable()) {
        if (letter == QLatin1Char(row.letter)) return &row;
    }
    return nullptr;
}

const std::array<std::array<int, 17>, 3> &taskPaneTops() {
    static const std::array<std::array<int, 17>, 3> tops = {{
        // Spots 24 to 40, one row per variant.
        {-735, -780, 135, 480, 825, 1170, 1860, 2205, 2550, 2895, 3240, 3930, 4620, 4965, 5310,
         5655, 6000},
        {4815, 5505, -735, -780, -825, -1170, 330, 675, 1020, 1365, 1710, 2400, 3090, 3435, 3780,
         4125, 4470},
        {5865, -960, -745, 0, 345, 690, 1380, 1725, 2070, 2415, 2760, 3450, 4140, 4485, 4830, 5175,
         5520},
    }};
    return tops;
}

const std::array<PlacedItem, 8> &ctrlPanelView0() {
    static const std::array<PlacedItem, 8> spots = {{
        {41, 2400, 1065, 5250, 1290},
        {42, 2400, 2355, 5250, 1005},
        {43, 2400, 3360, 5250, 1005},
        {44, 2400, 4365, 5250, 810},
        {45, 7650, 1065, 5250, 1005},
        {46, 7650, 2070, 5250, 1290},
        {47, 7650, 3360, 5250, 1005},
        {48, 7650, 4365, 5250, 1005},
    }};
    return spots;
}

const std::array<PlacedItem, 8> &ctrlPanelView1() {
    static const std::array<PlacedItem, 8> spots = {{
        {41, 360, 195, 1230, 300},
        {42, 330, 690, 1080, 300},
        {43, 330, 1005, 1485, 315},
        {44, 315, 1335, 1140, 360},
        {45, 360, 1710, 525, 300},
        {46, 345, 2055, 1800, 315},
        {47, 285, 2745, 1680, 330},
        {48, 300, 3075, 960, 345},
    }};
    return spots;
}

Rect designSpotRect(int index) {
    static constexpr PlacedItem elsewhere[] = {
        {7, 480, 0, SpotDesignWidth, SpotDesignHeight},
        {8, 480, -120, SpotDesignWidth, SpotDesignHeight},
        {9, 1440, 0, SpotDesignWidth, SpotDesignHeight},
        {10, 3240, 840, 375, 255},
        {24, 0, 120, SpotDesignWidth, SpotDesignHeight},
        {39, 0, 2880, SpotDesignWidth, SpotDesignHeight},
    };
    for (const PlacedItem &p : elsewhere)
        if (p.item == index)
            return Rect{double(p.left), double(p.top), double(p.width), double(p.height)};
    return Rect{0, 0, SpotDesignWidth, SpotDesignHeight};
}

const std::array<PlacedItem, 13> &toolStripSpots() {
    // One row from the left edge; 23 sits between 21 and 22.
    static const std::array<PlacedItem, 13> spots = {{
        {11, 30, 15, 1185, 570},
        {12, 1215, 15, 765, 570},
        {13, 1980, 15, 480, 570},
        {14, 2580, 15, 945, 570},
        {15, 3525, 15, 1125, 570},
        {16, 4770, 15, 480, 570},
        {17, 5250, 15, 480, 570},
        {18, 5730, 15, 480, 570},
        {19, 6330, 15, 480, 570},
        {20, 6810, 15, 480, 570},
        {21, 7410, 15, 480, 570},
        {22, 8505, 15, 480, 570},
        {23, 7890, 15, 585, 570},
    }};
    return spots;
}

const std::array<PlacedItem, 10> &desktopSpots() {
    // Five icons down the left edge; 66 to 70 wait above the desktop.
    static const std::array<PlacedItem, 10> spots = {{
        {61, 0, 75, 1170, 1080},
        {62, 0, 1755, 1170, 1080},
        {63, 0, 3435, 1170, 1080},
        {64, 0, 5115, 1170, 1080},
        {65, 0, 6795, 1170, 1080},
        {66, 0, -1050, 1170, 1080},
        {67, 0, -1050, 1170, 1080},
        {68, 0, -1050, 1170, 1080},
        {69, 0, -1050, 1170, 1080},
        {70, 0, -1050, 1170, 1080},
    }};
    return spots;
}

const std::array<PlacedItem, 21> &startMenuSpots() {
    // The right-hand column from the bottom up, then the left-hand column
    // with the shut-down button and its arrow at the foot of the right one.
    static const std::array<PlacedItem, 21> spots = {{
        {71, 4005, 5490, 2040, 465}, {72, 4005, 4965, 2040, 465}, {73, 4005, 4440, 2040, 465},
        {74, 4005, 3915, 2040, 465}, {75, 4005, 3345, 2040, 465}, {76, 4005, 2820, 2040, 465},
        {77, 4005, 2250, 2040, 465}, {78, 4005, 1725, 2040, 465}, {79, 4005, 1200, 2040, 465},
        {80, 165, 165, 3690, 540},   {81, 4005, 6510, 1020, 330}, {82, 5010, 6510, 345, 330},
        {83, 165, 735, 3690, 540},   {84, 165, 5925, 3690, 540},  {85, 165, 1305, 3690, 540},
        {86, 165, 1875, 3690, 540},  {87, 165, 2445, 3690, 540},  {88, 165, 3015, 3690, 540},
        {89, 165, 3585, 3690, 540},  {90, 165, 4155, 3690, 540},  {91, 165, 4725, 3690, 540},
    }};
    return spots;
}

const std::array<PlacedItem, 7> &computerSpots() {
    // Drives C, D, E in the first row, F below C, the floppy A below F.
    static const std::array<PlacedItem, 7> spots = {{
        {93, 210, 3975, 3750, 855},
        {94, 4020, 2730, 3750, 855},
        {95, 210, 495, 3750, 855},
        {96, 4020, 495, 3750, 855},
        {97, 7830, 495, 3750, 855},
        {98, 210, 1410, 3750, 855},
        {99, 210, 2730, 3750, 855},
    }};
    return spots;
}

QString toolStripPicture(QChar viewVariant) {
    return viewVariant == QLatin1Char('W') ? QStringLiteral("1100W2") : QStringLiteral("1100W1");
}

QString menuBarPicture(QChar letter) {
    return QString(letter) + QStringLiteral("00000");
}

QString taskPanePicture(int variant) {
    return QStringLiteral("41A00") + QString::number(variant);
}

QString ctrlPanelPicture(QChar viewVariant) {
    return viewVariant.isNull() ? QStringLiteral("NN000") : QStringLiteral("NN000") + viewVariant;
}

QString panelPicture(QStringView code) {
    return code.toString() + QStringLiteral("0077");
}
QString hoverPicture(QStringView code) {
    return code.toString() + QStringLiteral("0088");
}
QString pressedPicture(QStringView code) {
    return code.toString() + QStringLiteral("0099");
}
QString level3Picture(int item) {
    return QStringLiteral("SS0") + QString::number(item) + QStringLiteral("77");
}

} // namespace shell
