#include "home/home_buttons.h"

#include <gtest/gtest.h>

using home::Holder;
using home::HomeAction;
using home::Place;

namespace {

TEST(HomeButtons, ClickRowsInTheirOrder) {
    const struct {
        int index;
        HomeAction action;
    } cases[] = {
        {0, HomeAction::None},
        {1, HomeAction::None},
        {2, HomeAction::Minimise},
        {13, HomeAction::Minimise},
        {3, HomeAction::Exit},
        {14, HomeAction::Exit},
        {4, HomeAction::UnitsTab},
        {16, HomeAction::UnitsTab},
        {5, HomeAction::PapersTab},
        {17, HomeAction::PapersTab},
        {6, HomeAction::FavouritesTab},
        {18, HomeAction::FavouritesTab},
        {7, HomeAction::WrongTab},
        {19, HomeAction::WrongTab},
        {8, HomeAction::Update},
        {9, HomeAction::None},
        {10, HomeAction::None},
        {11, HomeAction::HelpTab},
        {12, HomeAction::WebSite},
        {15, HomeAction::Cover},
        {20, HomeAction::UnitStart},
        {21, HomeAction::NewRandomPaper},
        {22, HomeAction::FavouritesStart},
        {23, HomeAction::FavouritesClear},
        {24, HomeAction::WrongStart},
        {25, HomeAction::WrongClear},
        {26, HomeAction::None},
        {27, HomeAction::None},
        {28, HomeAction::PaperPage},
        {31, HomeAction::PaperPage},
        {32, HomeAction::HelpPage},
        {36, HomeAction::HelpPage},
        {37, HomeAction::ChapterFilter},
        {39, HomeAction::ChapterFilter},
        {40, HomeAction::FavouritesBox},
        {41, HomeAction::FavouritesBox},
        {42, HomeAction::WrongBox},
        {43, HomeAction::WrongBox},
        {44, HomeAction::None},
        {46, HomeAction::None},
        {47, HomeAction::UnitListPage},
        {48, HomeAction::UnitListPage},
        {49, HomeAction::UnitChoice},
        {69, HomeAction::UnitChoice},
        {70, HomeAction::PaperRow},
        {99, HomeAction::PaperRow},
        {100, HomeAction::None},
        {-1, HomeAction::None},
    };
    for (const auto &c : cases) EXPECT_EQ(home::actionOf(c.index), c.action) << c.index;
}

TEST(HomeButtons, ContainersByIndex) {
    const struct {
        int index;
        Holder holder;
    } cases[] = {
        {0, Holder::Window},  {8, Holder::Window},      {9, Holder::None},
        {10, Holder::None},   {11, Holder::Window},     {12, Holder::Window},
        {13, Holder::TopBar}, {19, Holder::TopBar},     {20, Holder::Units},
        {21, Holder::Papers}, {22, Holder::Favourites}, {23, Holder::Favourites},
        {24, Holder::Wrong},  {25, Holder::Wrong},      {26, Holder::None},
        {28, Holder::Papers}, {32, Holder::Help},       {36, Holder::Help},
        {37, Holder::Units},  {40, Holder::Favourites}, {43, Holder::Wrong},
        {44, Holder::Window}, {46, Holder::Window},     {47, Holder::Units},
        {69, Holder::Units},  {70, Holder::Papers},     {99, Holder::Papers},
    };
    for (const auto &c : cases) EXPECT_EQ(home::holderOf(c.index), c.holder) << c.index;
}

TEST(HomeButtons, PlacesOfTheLayoutSection) {
    const home::HomeLayout l = home::homeLayout(QStringLiteral("2"));
    const struct {
        int index;
        Place place;
    } cases[] = {
        {2, {11175, 90, 330, 330}},    {3, {11580, 90, 330, 330}},    {13, {11175, 90, 330, 330}},
        {14, {11580, 90, 330, 330}},   {4, {2400, 3000, 2250, 2250}}, {5, {6900, 3000, 2250, 2250}},
        {8, {7800, 7320, 540, 825}},   {11, {9720, 7320, 540, 825}},  {12, {10680, 7320, 540, 825}},
        {15, {225, 435, 1230, 1200}},  {16, {1530, 435, 1230, 1200}}, {19, {5445, 435, 1230, 1200}},
        {20, {9000, 5880, 1800, 600}}, {21, {9750, 5850, 1800, 600}}, {22, {8880, 2310, 1800, 600}},
        {23, {6240, 3300, 1200, 375}}, {24, {8880, 2310, 1800, 600}}, {25, {6240, 3300, 1200, 375}},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(l.buttons[c.index].place) << c.index;
        EXPECT_EQ(*l.buttons[c.index].place, c.place) << c.index;
    }
    // Button 3 ends 90 twips inside the window; 2 ends 75 before 3.
    EXPECT_EQ(l.buttons[3].place->left + l.buttons[3].place->width, 12000 - 90);
    EXPECT_EQ(l.buttons[3].place->left - (l.buttons[2].place->left + l.buttons[2].place->width),
              75);
    // The tabs' own sections place the rest.
    for (int i : {28, 32, 37, 40, 47, 49, 70, 99}) EXPECT_FALSE(l.buttons[i].place) << i;
}

TEST(HomeButtons, TwoAndFourTileCovers) {
    const home::HomeLayout two = home::homeLayout(QStringLiteral("2"));
    EXPECT_TRUE(two.linksShown);
    EXPECT_TRUE(two.buttons[6].hidden);
    EXPECT_TRUE(two.buttons[7].hidden);
    const Place links[] = {{1440, 6840, 1380, 300},
                           {3030, 6840, 1380, 300},
                           {1440, 7440, 1380, 300},
                           {3030, 7440, 1380, 300},
                           {480, 6570, 2820, 300}};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(two.links[i], links[i]) << 17 + i;

    for (const QString &layout : {QStringLiteral("4"), QString(), QStringLiteral(" 2")}) {
        const home::HomeLayout four = home::homeLayout(layout);
        EXPECT_FALSE(four.linksShown);
        const double lefts[] = {750, 3450, 6150, 8850};
        for (int i = 4; i <= 7; ++i) {
            EXPECT_FALSE(four.buttons[i].hidden);
            EXPECT_EQ(*four.buttons[i].place, (Place{lefts[i - 4], 3840, 2250, 2400}));
        }
    }
    for (const QString &layout : {QStringLiteral("2"), QStringLiteral("4")}) {
        const home::HomeLayout l = home::homeLayout(layout);
        for (int i = 0; i < home::kHomeButtons; ++i)
            EXPECT_EQ(l.buttons[i].hidden,
                      i <= 1 || (i >= 44 && i <= 46) ||
                          (layout == QStringLiteral("2") && (i == 6 || i == 7)))
                << i;
    }
}

TEST(HomeButtons, PicturesAndHelpTitles) {
    EXPECT_EQ(home::pictureOf(5), QStringLiteral("l20005"));
    EXPECT_EQ(home::pictureOf(48), QStringLiteral("l20048"));
    EXPECT_EQ(home::pictureOf(37 + 50), QStringLiteral("l20087"));
    EXPECT_EQ(home::helpTitle(0), QStringLiteral("软件介绍"));
    EXPECT_EQ(home::helpTitle(1), QStringLiteral("备考指南"));
    EXPECT_EQ(home::helpTitle(2), QStringLiteral("考试大纲"));
    EXPECT_EQ(home::helpTitle(3), QStringLiteral("答题技巧"));
    EXPECT_EQ(home::helpTitle(4), QStringLiteral("常见问题"));
    EXPECT_EQ(home::helpTitle(5), QString());
}

TEST(HomeButtons, InformationLinksOpenTheirEntriesOrTheBuiltInOnes) {
    std::array<QString, startup::kInfoEntries> info;
    for (int k = 1; k <= 4; ++k) info[k] = QStringLiteral("entry%1").arg(k);
    info[26] = QStringLiteral("2015");
    const struct {
        int label;
        home::InfoClick click;
        const char *target;
    } cases[] = {
        {0, home::InfoClick::About, ""},       {21, home::InfoClick::About, ""},
        {2, home::InfoClick::Nothing, ""},     {5, home::InfoClick::Nothing, ""},
        {1, home::InfoClick::Open, "entry1"},  {17, home::InfoClick::Open, "entry1"},
        {18, home::InfoClick::Open, "entry2"}, {19, home::InfoClick::Open, "entry4"},
        {20, home::InfoClick::Open, "entry3"}, {3, home::InfoClick::Open, "entry3"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(home::infoLinkOf(c.label).click, c.click) << c.label;
        EXPECT_EQ(home::infoTarget(c.label, info), QString::fromLatin1(c.target)) << c.label;
    }
    info[26] = QStringLiteral(" 2099x");
    EXPECT_EQ(home::infoTarget(17, info), QStringLiteral("http://www.qhqm-soft.example/"));
    EXPECT_EQ(home::infoTarget(18, info), QStringLiteral("http://www.qhqm-exam.example/"));
    EXPECT_TRUE(home::infoTarget(19, info).startsWith(QStringLiteral("tencent://")));
    EXPECT_EQ(home::infoTarget(2, info), QString());
}

} // namespace
