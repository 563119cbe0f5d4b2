#include "demo/demo_rules.h"

#include "platform/text.h"

#include <cmath>
#include <limits>

namespace demo {

namespace {

struct Offsets {
    int x1, y1, x2, y2;
};

// Design offsets of the arrow's lines from the pointer position. The
// eighth outline line is not listed: it joins two of the others.
constexpr std::array<Offsets, OutlineLines - 1> OutlineOffsets{{
    {60, 0, 60, 240},
    {60, 240, 120, 180},
    {120, 180, 180, 300},
    {150, 150, 225, 285},
    {165, 150, 240, 150},
    {60, -15, 240, 165},
    {195, 300, 225, 270},
}};
constexpr std::array<Offsets, FillLines> FillOffsets{{
    {75, 15, 75, 210},
    {105, 45, 105, 180},
    {135, 75, 135, 150},
    {165, 105, 165, 135},
    {195, 120, 195, 135},
    {135, 165, 210, 300},
}};

Segment placed(const Offsets &o, int32_t x, int32_t y, shell::Scale s) {
    // Computed in double precision and held by the line in single precision.
    auto fx = [&](int d) { return double(float(x + d * s.x)); };
    auto fy = [&](int d) { return double(float(y + d * s.y)); };
    return Segment{fx(o.x1), fy(o.y1), fx(o.x2), fy(o.y2)};
}

bool toInt16(double v, int16_t &out) {
    const int64_t r = platform::roundEven(v);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        return false;
    out = int16_t(r);
    return true;
}

} // namespace

PointerLines pointerLines(int32_t x, int32_t y, shell::Scale scale) {
    PointerLines p;
    for (size_t i = 0; i < OutlineOffsets.size(); ++i)
        p.outline[i] = placed(OutlineOffsets[i], x, y, scale);
    p.outline[7] = Segment{p.outline[2].x2, p.outline[2].y2, p.outline[6].x1, p.outline[6].y1};
    for (size_t i = 0; i < FillOffsets.size(); ++i) p.fill[i] = placed(FillOffsets[i], x, y, scale);
    return p;
}

double noteHeight(const QString &text, double scaleY) {
    const int lines = int(text.size()) / 14 + 1;
    return lines * 180 * scaleY + 15 * scaleY;
}

double noteLeft(double scaleX) {
    return (3360 + 9420) * scaleX;
}

bool aimPointer(int32_t pointerX, int32_t pointerY, int32_t aimX, int32_t aimY, GlideStep &out) {
    const double dx = double(aimX) - pointerX;
    const double dy = double(aimY) - pointerY;
    GlideStep g;
    g.stepLen = std::sqrt(dx * dx + dy * dy) / 15;
    const double ax = std::fabs(dx), ay = std::fabs(dy);
    if (ax == 0 && ay == 0) {
        out = g;
        return true;
    }
    bool ok;
    if (ax > ay)
        ok = toInt16(g.stepLen, g.dx) && toInt16(ay * g.stepLen / ax, g.dy);
    else
        ok = toInt16(ax * g.stepLen / ay, g.dx) && toInt16(g.stepLen, g.dy);
    if (!ok) return false;
    if (aimX < pointerX) g.dx = int16_t(-g.dx);
    if (aimY < pointerY) g.dy = int16_t(-g.dy);
    out = g;
    return true;
}

int32_t centreOf(double start, double extent) {
    return int32_t(platform::roundEven(start + extent / 2));
}

bool hasArrived(int32_t pointerX, int32_t pointerY, int32_t aimX, int32_t aimY, double stepLen,
                double scaleX) {
    const double dx = double(aimX) - pointerX;
    const double dy = double(aimY) - pointerY;
    const double dist = std::sqrt(dx * dx + dy * dy);
    const double near = 1.2 * stepLen;
    const double close = 1.5 * stepLen;
    const double least = 120 * scaleX;
    return (std::fabs(dx) <= near && std::fabs(dy) <= near) || dist < close || dist < least;
}

uint32_t clickBoxColour(const QString &a) {
    uint32_t colour = 0x0000FF;
    if (a == QLatin1String("0002")) colour = 0x00FF00;
    const QChar c = a.isEmpty() ? QChar() : a.front();
    if (a == QLatin1String("0003") || c == u'3' || c == u'4' || c == u'5' ||
        (c == u'8' && !a.startsWith(QLatin1String("80"))))
        colour = 0x00FFFF;
    return colour;
}

FlashTick flashTick(int16_t count) {
    FlashTick t;
    t.visible = count % 2 == 0;
    t.count = int16_t(count + 1);
    if (t.count >= 3) {
        t.count = 0;
        t.visible = false;
        t.done = true;
    }
    return t;
}

StepAim stepAim(const QString &a, bool tabToSwitch) {
    if (tabToSwitch) return StepAim::Tab;
    const QChar c = a.isEmpty() ? QChar() : a.front();
    if (a == QLatin1String("8888")) return StepAim::TimedWait;
    if (a == QLatin1String("0001") || a == QLatin1String("0002") || a == QLatin1String("0003") ||
        a == QLatin1String("0004") || a == QLatin1String("0030") || c == u'3' || c == u'4' ||
        c == u'5' || c == u'9' || (c == u'8' && !a.startsWith(QLatin1String("80"))))
        return StepAim::Target;
    if (a.startsWith(QLatin1String("004")) || a.startsWith(QLatin1String("005")))
        return StepAim::Source;
    if (a.startsWith(QLatin1String("002"))) return StepAim::TextBox;
    if (a.startsWith(QLatin1String("800"))) return StepAim::Picture;
    if (isHotSpotStep(a)) return StepAim::HotSpot;
    if (c == u'6') return StepAim::KeyWait;
    return StepAim::Previous;
}

bool tabToSwitch(const sim::StepRecord &r) {
    return r.cols(130, 1) == QLatin1String("X") && r.cols(132, 1) != r.cols(133, 1);
}

Arrival arrival(const QString &a, bool tabToSwitch, bool stageMarker) {
    const QString a3 = a.left(3);
    if (tabToSwitch && !stageMarker) return Arrival::TabSwitch;
    if (a == QLatin1String("0001") || a == QLatin1String("0002") || a == QLatin1String("0003") ||
        a == QLatin1String("0004") || a == QLatin1String("0030") || a.startsWith(u'L') ||
        stageMarker)
        return Arrival::EndClick;
    if (a3 == QLatin1String("004") || a3 == QLatin1String("005")) return Arrival::DragStart;
    if (a.startsWith(u'9') && a != QLatin1String("9999")) return Arrival::MouseButton;
    if (a3 == QLatin1String("002")) return Arrival::Typing;
    if (a3 == QLatin1String("800")) return Arrival::PictureDrag;
    if (a == QLatin1String("9999")) return Arrival::LastStep;
    if (isHotSpotStep(a)) return Arrival::HotSpot;
    return Arrival::None;
}

bool endsByBranch(const QString &a, const QString &branch) {
    return (a == QLatin1String("0001") || a == QLatin1String("0002") ||
            a == QLatin1String("0003")) &&
           branch != QLatin1String("0");
}

int typingStart(const QString &boxText, const QString &typed) {
    return typed.left(boxText.size()) == boxText ? int(boxText.size()) : 0;
}

int level2Overlap(QStringView subMenuId, QStringView hitCode) {
    const bool numeric = sim::wholeValue(subMenuId.toString()) != 0;
    const bool wide = hitCode == u"69" || hitCode == u"S1" || hitCode == u"S2";
    return numeric && !wide ? 15 : 75;
}

QString level1Highlight(QStringView hitCode, int item) {
    return (QStringLiteral("0") + hitCode.toString()).right(2) +
           (QStringLiteral("0") + QString::number(item)).right(2) + QStringLiteral("00");
}

QString level2Highlight(int item) {
    return QStringLiteral("8410") + (QStringLiteral("0") + QString::number(item)).right(2);
}

bool isHotSpotStep(const QString &actionCode) {
    return actionCode == QLatin1String("7000") || actionCode.startsWith(QLatin1String("777"));
}

HotSpotClick hotSpotClick(const sim::StepRecord &r) {
    const sim::ExpectedHit first = r.expectedHit(1);
    const sim::ExpectedHit e = first.kind() == QLatin1String("H") ? first : r.expectedHit(2);
    HotSpotClick c;
    c.hitCode = e.hitCode();
    c.target1 = sim::wholeValue(e.level1());
    c.target2 = sim::wholeValue(e.level2());
    c.target3 = sim::wholeValue(e.level3());
    c.branch = e.branch();
    return c;
}

bool opensAtTarget(QStringView hitCode) {
    if (hitCode.isEmpty()) return false;
    const QChar c = hitCode.front();
    return c >= QLatin1Char('S') && c <= QLatin1Char('V');
}

QString withCodeInColumns4To5(const QString &record, const QString &hitCode) {
    return record.left(3) + hitCode + platform::mid1(record, 6);
}

int hotSpotIndex(QStringView hitCode) {
    const QString code = hitCode.toString();
    int n = sim::wholeValue(code);
    if (n == 0 && !code.isEmpty()) n = sim::wholeValue(code.right(1));
    return n;
}

namespace {

// A region's spots, scaled, moved by the place of the region's picture.
template <class Table>
void placeSpots(shell::SpotRects &spots, const Table &table, shell::Point origin,
                shell::Scale scale) {
    for (const shell::PlacedItem &p : table) {
        shell::Rect r = shell::scaled(p, scale);
        r.left += origin.x;
        r.top += origin.y;
        spots[size_t(p.item)] = r;
    }
}

} // namespace

void layoutLoadSpots(shell::SpotRects &spots, shell::Point startMenu, shell::Point computer,
                     shell::Scale scale) {
    for (const shell::PlacedItem &p : shell::desktopSpots()) {
        if (p.item != WholeDesktopSpot.item) spots[size_t(p.item)] = shell::scaled(p, scale);
    }
    placeSpots(spots, shell::startMenuSpots(), startMenu, scale);
    placeSpots(spots, shell::computerSpots(), computer, scale);
    spots[size_t(WholeDesktopSpot.item)] = shell::scaled(WholeDesktopSpot, scale);
    spots[size_t(ComputerInsideSpot.item)] = shell::scaled(ComputerInsideSpot, scale);
}

void layoutToolStripSpots(shell::SpotRects &spots, shell::Point toolStrip, shell::Scale scale) {
    placeSpots(spots, shell::toolStripSpots(), toolStrip, scale);
}

void pinToEdges(PanelBox &panel, shell::Scale scale) {
    // Compared in single precision, as the window holds its coordinates.
    if (float(panel.left + panel.width) >= float(15330 * scale.x))
        panel.left = 15360 * scale.x - panel.width;
    if (float(panel.top + panel.height) >= float(8800 * scale.y))
        panel.top = 8820 * scale.y - panel.height;
}

void fitPanel(PanelBox &panel, std::optional<double> spotLeft, shell::Scale scale) {
    if (spotLeft && float(panel.left + panel.width) >= float(15360 * scale.x))
        panel.left = *spotLeft - panel.width;
    if (float(panel.top + panel.height) >= float(8820 * scale.y))
        panel.top = 8820 * scale.y - panel.height;
}

} // namespace demo
