#include "simulator/shell_layout.h"

#include "platform/text.h"

#include <limits>

namespace shell {

Rect scaled(const PlacedItem &p, Scale s) {
    return Rect{p.left * s.x, p.top * s.y, p.width * s.x, p.height * s.y};
}

namespace {

// A top is held as a 16-bit whole number of twips, halves to even.
bool toTop(double v, int16_t &out) {
    const int64_t r = platform::roundEven(v);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max()) {
        return false;
    }
    out = int16_t(r);
    return true;
}

} // namespace

int stackItems(ItemRects &items, QStringView groups, int32_t dWith, int16_t dHeight, int16_t dLeft,
               int16_t dTop, int16_t dJianju, Scale scale) {
    // Tops for items 1..20, plus a 21st entry that is never computed.
    constexpr int Computed = 20;
    std::array<int16_t, Computed + 2> tops{};

    if (!toTop(dTop * scale.y, tops[1])) return OverflowError;
    for (int i = 2; i <= Computed; ++i) {
        // Items beyond the panel's count must not stay where an earlier
        // panel put them.
        items[i].width = 30 * scale.x;
        items[i].left = -60 * scale.x;
        if (!toTop(tops[i - 1] + dHeight * scale.y, tops[i])) return OverflowError;
    }

    int n = 0;
    for (QChar c : groups) {
        n += groupSize(c);
        for (int j = n + 1; j <= Computed; ++j) {
            if (!toTop(tops[j] + dJianju * scale.y, tops[j])) return OverflowError;
        }
    }

    for (int i = 1; i <= n; ++i) {
        items[i].left = dLeft * scale.x;
        if (i > Computed + 1) return SubscriptError;
        items[i].top = tops[i];
        items[i].width = dWith * scale.x;
        items[i].height = dHeight * scale.y;
    }
    return NoError;
}

int stackItems(ItemRects &items, const GroupLayout &column, Scale scale) {
    const QString groups =
        QString::fromLatin1(column.groups.data(), qsizetype(column.groups.size()));
    return stackItems(items, groups, column.dWith, column.dHeight, column.dLeft, column.dTop,
                      column.dJianju, scale);
}

void parkItems(ItemRects &items) {
    for (int i = 1; i <= PanelItemCount; ++i) items[i] = ParkedSpot;
}

int applyMenu1JRow(ItemRects &items, const Menu1JRow &row, Scale scale) {
    int error = NoError;
    switch (row.kind) {
    case Menu1JRow::Kind::Stacked:
        error = stackItems(items, row.column, scale);
        // The extra items are placed even when the stacking gave up.
        for (const PlacedItem &p : row.placed) items[p.item] = scaled(p, scale);
        break;
    case Menu1JRow::Kind::Placed:
        for (const PlacedItem &p : row.placed) items[p.item] = scaled(p, scale);
        break;
    case Menu1JRow::Kind::Looped:
        for (const TopRun &run : row.runs) {
            for (int i = run.first; i <= run.last; ++i) {
                items[i].left = row.loopLeft * scale.x;
                items[i].width = row.loopWidth * scale.x;
                items[i].height = row.loopHeight * scale.y;
                items[i].top = run.base * scale.y + (i - run.first) * (run.step * scale.y);
            }
        }
        break;
    case Menu1JRow::Kind::StartMenu:
        // The range itself lays out nothing; findMenu1JRow resolves its panels.
        break;
    }
    return error;
}

int layoutLevel1(ItemRects &items, QStringView hitCode, Scale scale) {
    parkItems(items);
    const Menu1JRow *row = findMenu1JRow(hitCode);
    return row ? applyMenu1JRow(items, *row, scale) : NoError;
}

int layoutLevel2(ItemRects &items, QStringView subMenuId, Scale scale) {
    parkItems(items);
    const Menu2JRow *row = findMenu2JRow(subMenuId);
    return row ? stackItems(items, row->column, scale) : NoError;
}

std::array<Rect, Level3RowCount + 1> level3Rows(Scale scale, int rowWidth) {
    std::array<Rect, Level3RowCount + 1> rows{};
    for (int k = 1; k <= Level3RowCount; ++k) {
        rows[k] = Rect{Level3Left * scale.x, (k - 1) * Level3RowHeight * scale.y,
                       rowWidth * scale.x, Level3RowHeight * scale.y};
    }
    return rows;
}

std::optional<PreHighlight> preHighlight(QStringView entry, QStringView hitCode) {
    const QString e = entry.toString();
    if (platform::mid1(e, 1, 1) != QLatin1String("D")) return std::nullopt;
    if (platform::mid1(e, 2, 2) != hitCode) return std::nullopt;
    const int64_t item = platform::roundEven(platform::val(platform::mid1(e, 4, 2)));
    if (item < 1 || item > PanelItemCount) return std::nullopt;
    return PreHighlight{int(item), platform::mid1(e, 7, 4) + QStringLiteral("77")};
}

void layoutFixedSpots(SpotRects &spots, Scale scale) {
    for (const PlacedItem &p : toolStripSpots()) spots[p.item] = scaled(p, scale);
    for (const PlacedItem &p : desktopSpots()) spots[p.item] = scaled(p, scale);
    for (const PlacedItem &p : startMenuSpots()) spots[p.item] = scaled(p, scale);
    for (const PlacedItem &p : computerSpots()) spots[p.item] = scaled(p, scale);
}

Point menuBarPlace(std::optional<Point> stepPlace, Scale scale) {
    if (stepPlace) return Point{stepPlace->x * scale.x, stepPlace->y * scale.y};
    return Point{0, MenuBarDefaultTop * scale.y};
}

void layoutMenuBar(SpotRects &spots, QChar letter, Scale scale) {
    const MenuBarRow *row = findMenuBarRow(letter);
    if (!row) return;
    for (int n = 1; n <= 10; ++n) {
        Rect &r = spots[n];
        if (row->commandBar) {
            // Command bars never set a Height: the spots keep the one
            // they had, whatever bar set it last.
            r.top = row->top * scale.y;
            r.left = row->lefts[n - 1] * scale.x;
            r.width = row->widths[n - 1] * scale.x;
        } else {
            r.left = (row->baseLeft + row->step * (n - 1)) * scale.x;
            r.top = row->top * scale.y;
            r.width = row->width * scale.x;
            r.height = row->height * scale.y;
        }
    }
    for (const auto &[spot, left] : row->fixedLefts) spots[spot].left = left * scale.x;
}

int taskPaneVariant(QChar paneFlags) {
    if (paneFlags < QLatin1Char('0') || paneFlags > QLatin1Char('9')) return 0;
    return (paneFlags.unicode() - '0') / 2;
}

void layoutTaskPane(SpotRects &spots, int variant, Scale scale) {
    for (int n = TaskPaneSpots.first; n <= TaskPaneSpots.last; ++n) {
        spots[n].height = TaskPaneRowHeight * scale.y;
        spots[n].left = TaskPaneLeft * scale.x;
        spots[n].width = TaskPaneWidth * scale.x;
    }
    if (variant < 1 || variant > 3) return;
    const std::array<int, 17> &tops = taskPaneTops()[size_t(variant - 1)];
    for (int n = TaskPaneSpots.first; n <= TaskPaneSpots.last; ++n) {
        spots[n].top = tops[size_t(n - TaskPaneSpots.first)] * scale.y;
    }
}

int ctrlPanelView(QChar viewVariant) {
    if (viewVariant < QLatin1Char('0') || viewVariant > QLatin1Char('9')) return 0;
    return viewVariant.unicode() - '0';
}

void layoutCtrlPanel(SpotRects &spots, int view, Scale scale) {
    for (int n = CtrlPanelSpots.first; n <= CtrlPanelSpots.last; ++n) {
        spots[n] = scaled(CtrlPanelParked, scale);
    }
    if (view == 0) {
        for (const PlacedItem &p : ctrlPanelView0()) spots[p.item] = scaled(p, scale);
        for (int n = 49; n <= CtrlPanelSpots.last; ++n) {
            spots[n].left = CtrlPanelView0SpareLeft * scale.x;
            spots[n].top = CtrlPanelView0SpareTop * scale.y;
            spots[n].height = CtrlPanelView0SpareHeight * scale.y;
        }
    } else if (view == 1) {
        for (const PlacedItem &p : ctrlPanelView1()) spots[p.item] = scaled(p, scale);
        const TopRun rows = CtrlPanelView1Rows;
        for (int n = rows.first; n <= rows.last; ++n) {
            spots[n].left = CtrlPanelView1RowLeft * scale.x;
            spots[n].top = (n - rows.first) * rows.step * scale.y + rows.base * scale.y;
            spots[n].width = CtrlPanelView1RowWidth * scale.x;
            spots[n].height = CtrlPanelView1RowHeight * scale.y;
        }
    }
}

const ContextPanelRule &contextPanelRule(ContextRegion region) {
    using Below = ContextPanelRule::Below;
    static const ContextPanelRule rules[] = {
        {ContextRegion::Desktop, DesktopContextCode, true, true, Below::RegionHeight, true, true},
        {ContextRegion::Computer, ComputerContextCode, true, true, Below::WindowHeight, true, true},
        // The tool strip's panel always opens downward, however tall.
        {ContextRegion::ToolStrip, ToolStripContextCode, true, true, Below::NotTested, false, true},
        // The start button's panel has one place of its own.
        {ContextRegion::StartButton, StartButtonContextCode, false, false, Below::NotTested, false,
         false},
    };
    for (const ContextPanelRule &rule : rules) {
        if (rule.region == region) return rule;
    }
    return rules[0];
}

Point placeContextPanel(ContextRegion region, const ContextPanelInput &in, Scale scale) {
    const ContextPanelRule &rule = contextPanelRule(region);
    Point p;
    switch (region) {
    case ContextRegion::Desktop:
        // The desktop lies at the window's origin: its coordinates are the window's.
        p = in.pointer;
        break;
    case ContextRegion::Computer:
        p = Point{in.regionOrigin.x + in.pointer.x, in.regionOrigin.y + in.pointer.y};
        break;
    case ContextRegion::ToolStrip:
        p = Point{in.pointer.x, in.regionOrigin.y + in.pointer.y};
        break;
    case ContextRegion::StartButton:
        return Point{StartButtonPanelPlace.left * scale.x, StartButtonPanelPlace.top * scale.y};
    }
    // The edge tests compare single-precision values, as the window's
    // coordinates are held.
    auto beyond = [&](double room, double at) {
        return in.flipOnlyBeyond ? float(room) < float(at) : float(room) <= float(at);
    };
    if (rule.flipAtRightEdge && beyond(in.windowWidth - in.panelWidth, p.x)) {
        p.x -= in.panelWidth;
    }
    double roomBelow = 0;
    switch (rule.below) {
    case ContextPanelRule::Below::NotTested:
        break;
    case ContextPanelRule::Below::RegionHeight:
        roomBelow = in.regionHeight - in.panelHeight;
        if (beyond(roomBelow, p.y)) p.y -= in.panelHeight;
        break;
    case ContextPanelRule::Below::WindowHeight:
        roomBelow = in.windowHeight - in.panelHeight;
        if (beyond(roomBelow, p.y)) p.y -= in.panelHeight;
        break;
    }
    if (rule.pinTopAtZero && !in.flipOnlyBeyond && p.y < 0) p.y = 0;
    return p;
}

} // namespace shell
