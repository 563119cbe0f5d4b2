#include "simulator/shell_judging.h"

#include "platform/text.h"

namespace shell {

namespace {

bool inRange(int i, int low, int high) {
    return i >= low && i <= high;
}

} // namespace

// ---- Answer entries ------------------------------------------------------

int itemNumber(QStringView twoColumns) {
    const double v = platform::val(twoColumns.toString());
    // Two columns hold at most "99"; anything else (a sign, a fraction)
    // cannot equal an item number anyway.
    return v == double(int(v)) ? int(v) : -1;
}

bool entryMatches(QStringView entry, const Click &click, Selection sel) {
    const QString e = entry.toString();
    const auto col = [&e](int from, int len) { return platform::mid1(e, from, len); };
    if (col(1, 1) != QLatin1StringView("H") || col(2, 2) != click.code) return false;
    const QString items = col(4, 4);
    switch (click.kind) {
    case ClickKind::HotSpotRelease:
        if (!inRange(click.index, 1, 60) && !inRange(click.index, 66, 92)) return false;
        return items == QLatin1StringView("0000");
    case ClickKind::HotSpotDoubleClick:
        if (!inRange(click.index, 61, 65) && !inRange(click.index, 93, 99)) return false;
        return items == QLatin1StringView("0000") || items == QLatin1StringView("0100");
    case ClickKind::Level1Item:
        return itemNumber(col(4, 2)) == sel.sel1J && col(6, 2) == QLatin1StringView("00");
    case ClickKind::Level2Item:
        return itemNumber(col(4, 2)) == sel.sel1J && itemNumber(col(6, 2)) == click.index &&
               col(8, 2) == QLatin1StringView("00");
    case ClickKind::Level3Item:
        return itemNumber(col(4, 2)) == sel.sel1J && itemNumber(col(6, 2)) == sel.sel2J &&
               itemNumber(col(8, 2)) == click.index;
    }
    return false;
}

bool preHighlightAnswers(QStringView entry3, QStringView code, int sel1J) {
    const QString e = entry3.toString();
    return platform::mid1(e, 1, 1) == QLatin1StringView("D") && platform::mid1(e, 2, 2) == code &&
           itemNumber(platform::mid1(e, 4, 2)) == sel1J;
}

QString branchOf(QStringView entry) {
    return platform::mid1(entry.toString(), 10, 1);
}

// ---- Looks of the hot spots ---------------------------------------------

bool ownsHitCode(int index, QStringView hitCode) {
    if (hitCode == twoDigits(index)) return true;
    if (hitCode.size() < 2) return false;
    const QChar bar = hitCode.at(0);
    return bar >= QLatin1Char('A') && bar <= QLatin1Char('L') &&
           hitCode.mid(1, 1) == QString::number(index);
}

Look hoverLook(int index, QStringView menuBarVariant) {
    if (inRange(index, 1, 10)) return {Carrier::Menu, hoverPicture(hitCode(menuBarVariant, index))};
    const QString code = twoDigits(index);
    if (inRange(index, 11, 23)) return {Carrier::Tool, hoverPicture(code)};
    if (inRange(index, 24, 40)) return {Carrier::Hui, hoverPicture(code)};
    if (inRange(index, 61, 66)) return {Carrier::Table, hoverPicture(code)};
    if (inRange(index, 71, 91)) return {Carrier::Start, hoverPicture(code)};
    if (inRange(index, 93, 99)) return {Carrier::MyPc, hoverPicture(code)};
    return {};
}

CtrlOverlay ctrlPanelOverlay(int index, int view) {
    const QString code = twoDigits(index);
    if (view == 1 && index < 50) return {hoverPicture(code), false};
    return {panelPicture(code), true};
}

Look pressedLook(int index, QStringView code, int button) {
    if (button == 1) {
        if (inRange(index, 1, 10)) return {Carrier::Menu, hoverPicture(code)};
        if (inRange(index, 11, 23)) return {Carrier::Tool, pressedPicture(twoDigits(index))};
        if (inRange(index, 61, 66)) return {Carrier::Table, pressedPicture(twoDigits(index))};
        if (inRange(index, 92, 99)) return {Carrier::MyPc, pressedPicture(code)};
        return {};
    }
    if (inRange(index, 61, 70)) return {Carrier::Table, pressedPicture(twoDigits(index))};
    if (inRange(index, 92, 99)) return {Carrier::MyPc, pressedPicture(twoDigits(index))};
    return {};
}

const char *const PlainButtonCodes =
    "A2-A3-A4-A5-A6-A8-A9-B2-B5-B6-B8-B9-C2-C5-C6-C8-C9-D2-D3-D5-D6-D8-D9";

bool isPlainButton(QStringView code) {
    // Only a whole code counts: a one-character code must not be found
    // inside a neighbour.
    if (code.size() != 2) return false;
    const QLatin1StringView codes(PlainButtonCodes);
    for (qsizetype at = 0; at + 2 <= codes.size(); at += 3) {
        if (codes.sliced(at, 2) == code) return true;
    }
    return false;
}

// ---- Panels opened by a release ----------------------------------------

std::optional<ReleasePanel> releasePanel(int index, QStringView code, int button) {
    const QString nn = twoDigits(index);
    if (button != 1) {
        if (inRange(index, 61, 70)) return ReleasePanel{panelPicture(nn), PanelPlace::IconCentre};
        if (inRange(index, 92, 99)) return ReleasePanel{panelPicture(nn), PanelPlace::AtPointer};
        return std::nullopt;
    }
    if (inRange(index, 1, 10)) {
        if (isPlainButton(code)) return std::nullopt;
        const bool shifted = code == u"A7" || code == u"B7" || code == u"C7" || code == u"D7";
        return ReleasePanel{panelPicture(code),
                            shifted ? PanelPlace::AboveLeftOfBar : PanelPlace::UnderBar};
    }
    if (index == 23) return ReleasePanel{panelPicture(nn), PanelPlace::UnderToolButton};
    if (index == 84) return ReleasePanel{panelPicture(nn), PanelPlace::AllPrograms};
    if (index == 80) return ReleasePanel{panelPicture(nn), PanelPlace::UserPanel};
    if (index == 82) return ReleasePanel{panelPicture(nn), PanelPlace::ShutDownArrow};
    return std::nullopt;
}

Point placeReleasePanel(PanelPlace place, const ReleasePanelInput &in, Scale scale) {
    const Rect &s = in.spot;
    const Rect &r = in.region;
    switch (place) {
    case PanelPlace::UnderBar:
        return {s.left + r.left, r.top + r.height};
    case PanelPlace::AboveLeftOfBar:
        return {s.left + r.left - 1245 * scale.x, r.top + r.height - 1245 * scale.y};
    case PanelPlace::UnderToolButton:
        return {s.left + r.left, s.top + r.top + s.height};
    case PanelPlace::AllPrograms:
        return {s.left - 45 * scale.x, r.top + 120 * scale.y};
    case PanelPlace::UserPanel:
        return {s.left + s.width, s.top + r.top - 30 * scale.y};
    case PanelPlace::ShutDownArrow:
        return {s.left + s.width, s.top + r.top + s.height - in.panelHeight};
    case PanelPlace::IconCentre:
        // The desktop lies at the window's origin.
        return {s.left + s.width / 2, s.top + s.height / 2};
    case PanelPlace::AtPointer: {
        Point p{s.left + r.left + in.pointer.x, s.top + r.top + in.pointer.y};
        if (in.windowWidth - in.panelWidth < p.x) p.x -= in.panelWidth;
        if (in.windowHeight - in.panelHeight < p.y) p.y -= in.panelHeight;
        return p;
    }
    }
    return {};
}

// ---- Panel items ---------------------------------------------------------

bool isLinkPanel(QStringView hitCode) {
    return hitCode.compare(u"41") >= 0 && hitCode.compare(u"59") <= 0;
}

QString linkHoverPicture(QStringView hitCode, int item, int view) {
    if (view == 1 && hitCode.compare(u"41") >= 0 && hitCode.compare(u"49") <= 0) return {};
    return hitCode.toString() + twoDigits(item) + QStringLiteral("88");
}

Point openLevel2(QStringView id, QStringView hitCode, const Level2Input &in, Scale scale) {
    const bool letterFirst = !id.isEmpty() && id.at(0).isLetter();
    const double overlap = (letterFirst || hitCode == u"69") ? 75 : 15;
    Point p{in.pic1J.left + in.pic1J.width - overlap * scale.x,
            in.pic1J.top + in.item.top - 45 * scale.y};
    if (in.windowWidth - in.panelWidth < p.x) p.x = in.pic1J.left - in.panelWidth + 15 * scale.x;
    // The two drive panels of "S1" stand right of the item, level with the
    // panel's top (the item's Left is inside Pic1J, taken as it is).
    if (id == u"S112" || id == u"S113") p = {in.item.left + in.item.width, in.pic1J.top};
    return p;
}

Point clampLevel2(Point at, double panelWidth, double panelHeight, double pic1JLeft, Scale scale) {
    // Compared in single precision, as the window's coordinates are held.
    if (float(at.y + panelHeight) > float(8820 * scale.y)) at.y = 8820 * scale.y - panelHeight;
    if (float(at.x + panelWidth) > float(15210 * scale.x)) {
        at.x = pic1JLeft - panelWidth + 15 * scale.x;
    }
    return at;
}

bool opensLevel2(QStringView subMenuId) {
    return ownsLevel2Panel(subMenuId) || subMenuId == QLatin1StringView(AllProgramsFoldersId);
}

bool opensLevel3(QStringView hitCode, int sel1J, int item) {
    return hitCode == u"84" && sel1J == 10 && item <= 4;
}

Point openLevel3(Rect pic2J, double itemTop, Scale scale) {
    return {pic2J.left + pic2J.width - 15 * scale.x, pic2J.top + itemTop};
}

QString level3HoverPicture(int sel2J, int row) {
    return QStringLiteral("SS0") + QString::number(sel2J) + QStringLiteral("0") +
           QString::number(row);
}

} // namespace shell
