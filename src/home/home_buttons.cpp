#include "home/home_buttons.h"

#include "platform/text.h"

namespace home {

Holder holderOf(int index) {
    struct Range {
        int first, last;
        Holder holder;
    };
    static constexpr Range ranges[] = {
        {0, 8, Holder::Window},   {11, 12, Holder::Window},     {13, 19, Holder::TopBar},
        {20, 20, Holder::Units},  {21, 21, Holder::Papers},     {22, 23, Holder::Favourites},
        {24, 25, Holder::Wrong},  {28, 31, Holder::Papers},     {32, 36, Holder::Help},
        {37, 39, Holder::Units},  {40, 41, Holder::Favourites}, {42, 43, Holder::Wrong},
        {44, 46, Holder::Window}, {47, 69, Holder::Units},      {70, 99, Holder::Papers},
    };
    for (const Range &r : ranges)
        if (index >= r.first && index <= r.last) return r.holder;
    return Holder::None;
}

bool twoTileCover(const QString &coverLayout) {
    return coverLayout == QLatin1String("2");
}

HomeLayout homeLayout(const QString &coverLayout, double windowWidth) {
    HomeLayout l;
    auto place = [&](int i, double left, double top, double width, double height) {
        l.buttons[i].place = Place{left, top, width, height};
    };
    // Window buttons: kept at the right edge whatever the window's width;
    // 13 and 14 on the top bar lie exactly over them.
    place(2, windowWidth - 825, 90, 330, 330);
    place(3, windowWidth - 420, 90, 330, 330);
    l.buttons[13].place = l.buttons[2].place;
    l.buttons[14].place = l.buttons[3].place;

    for (int i : {0, 1, 44, 45, 46}) l.buttons[i].hidden = true;

    if (twoTileCover(coverLayout)) {
        place(4, 2400, 3000, 2250, 2250);
        place(5, 6900, 3000, 2250, 2250);
        // Tiles 6 and 7 are not part of this cover.
        l.buttons[6].hidden = true;
        l.buttons[7].hidden = true;
        for (int i = 17; i <= 21; ++i)
            l.links[i - 17] = {1440.0 + 1590 * ((i + 1) % 2), 6840.0 + 600 * ((i - 17) / 2), 1380,
                               300};
        l.links[4] = {480, 6570, 2820, 300};
        l.linksShown = true;
    } else {
        for (int i = 4; i <= 7; ++i) place(i, 750.0 + 2700 * (i - 4), 3840, 2250, 2400);
    }

    place(8, 7800, 7320, 540, 825);
    for (int i : {11, 12}) place(i, 7800.0 + 960 * (i - 9), 7320, 540, 825);
    for (int i = 15; i <= 19; ++i) place(i, 225.0 + 1305 * (i - 15), 435, 1230, 1200);

    place(20, 9000, 5880, 1800, 600);
    place(21, 9750, 5850, 1800, 600);
    place(22, 8880, 2310, 1800, 600);
    place(23, 6240, 3300, 1200, 375);
    place(24, 8880, 2310, 1800, 600);
    place(25, 6240, 3300, 1200, 375);
    return l;
}

QString pictureOf(int index) {
    return QStringLiteral("l200") + startup::twoDigits(index);
}

HomeAction actionOf(int index) {
    struct Row {
        int first, last;
        HomeAction action;
    };
    // In the handler's order: the first row that matches runs.
    static constexpr Row rows[] = {
        {2, 2, HomeAction::Minimise},
        {13, 13, HomeAction::Minimise},
        {3, 3, HomeAction::Exit},
        {14, 14, HomeAction::Exit},
        {4, 4, HomeAction::UnitsTab},
        {16, 16, HomeAction::UnitsTab},
        {5, 5, HomeAction::PapersTab},
        {17, 17, HomeAction::PapersTab},
        {6, 6, HomeAction::FavouritesTab},
        {18, 18, HomeAction::FavouritesTab},
        {7, 7, HomeAction::WrongTab},
        {19, 19, HomeAction::WrongTab},
        {8, 8, HomeAction::Update},
        {11, 11, HomeAction::HelpTab},
        {12, 12, HomeAction::WebSite},
        {15, 15, HomeAction::Cover},
        {20, 20, HomeAction::UnitStart},
        {21, 21, HomeAction::NewRandomPaper},
        {22, 22, HomeAction::FavouritesStart},
        {23, 23, HomeAction::FavouritesClear},
        {24, 24, HomeAction::WrongStart},
        {25, 25, HomeAction::WrongClear},
        {28, 31, HomeAction::PaperPage},
        {32, 36, HomeAction::HelpPage},
        {37, 39, HomeAction::ChapterFilter},
        {40, 41, HomeAction::FavouritesBox},
        {42, 43, HomeAction::WrongBox},
        {49, 69, HomeAction::UnitChoice},
        {47, 48, HomeAction::UnitListPage},
        {70, 99, HomeAction::PaperRow},
    };
    for (const Row &r : rows)
        if (index >= r.first && index <= r.last) return r.action;
    return HomeAction::None;
}

QString helpTitle(int page) {
    static const QString titles[kHelpPages] = {
        QStringLiteral("软件介绍"), QStringLiteral("备考指南"), QStringLiteral("考试大纲"),
        QStringLiteral("答题技巧"), QStringLiteral("常见问题"),
    };
    return page >= 0 && page < kHelpPages ? titles[page] : QString();
}

InfoLink infoLinkOf(int labelIndex) {
    switch (labelIndex) {
    case 0:
    case 21:
        return {InfoClick::About, 0};
    case 1:
    case 17:
        return {InfoClick::Open, 1};
    case 18:
        return {InfoClick::Open, 2};
    case 3:
    case 20:
        return {InfoClick::Open, 3};
    case 19:
        return {InfoClick::Open, 4};
    default:
        return {InfoClick::Nothing, 0};
    }
}

QString infoTarget(int labelIndex, const std::array<QString, startup::kInfoEntries> &info) {
    const InfoLink link = infoLinkOf(labelIndex);
    if (link.click != InfoClick::Open) return QString();
    // The built-in addresses by entry: web site, second web site, chat
    // link, second chat link.
    static const QString builtIn[5] = {
        QString(),
        QStringLiteral("http://www.qhqm-soft.example/"),
        QStringLiteral("http://www.qhqm-exam.example/"),
        QStringLiteral("tencent://message/?uin=800000001&Site=qhqm&Menu=yes"),
        QStringLiteral("tencent://message/?uin=800000002&Site=qhqm&Menu=yes"),
    };
    if (platform::trimBlanks(info[26]).left(4) == QLatin1String("2099")) return builtIn[link.entry];
    return info[link.entry];
}

} // namespace home
