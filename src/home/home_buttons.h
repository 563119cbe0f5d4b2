#pragma once
// The home window's 100 buttons as data: which container holds each, where
// the layout section of the page build puts it, what its click does (the
// ordered rows the one click handler goes through), and the information
// links with what they open. The window applies these values; keeping them
// here lets the table be checked without a window. Places are design
// twips in the button's container; the window multiplies lefts and widths
// by ScaleX, tops and heights by ScaleY.
#include "startup/run_state.h"

#include <QString>
#include <array>
#include <optional>

namespace home {

constexpr int kHomeButtons = 100;

// What holds a button.
enum class Holder {
    None,       // no button has this index
    Window,     // the cover page
    TopBar,     // PicTOP
    Units,      // PicTiKu
    Papers,     // PicKaCH
    Favourites, // PicBiaoZhi
    Wrong,      // PicCuoTi
    Help,       // PicHelp
};
Holder holderOf(int index);

struct Place {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Place &) const = default;
};

// What the layout section does to one button.
struct ButtonLayout {
    std::optional<Place> place; // nullopt: left where it is (placed by a tab's section)
    bool hidden = false;        // hidden by the layout section
};

// The cover page: two tiles with five link areas over the picture, or
// four tiles without them ("2" in InfoTable(34) selects the two tiles).
bool twoTileCover(const QString &coverLayout);

struct HomeLayout {
    std::array<ButtonLayout, kHomeButtons> buttons;
    // The link areas LblInfo(17..21) of the two-tile cover; hidden on the
    // four-tile cover.
    std::array<Place, 5> links{};
    bool linksShown = false;
};
// The layout section for a window of windowWidth design twips (12000).
HomeLayout homeLayout(const QString &coverLayout, double windowWidth = 12000);

// The picture of button i by its index ("l20005"); the other picture of
// a selected filter or a ticked box is pictureOf(i + 50).
QString pictureOf(int index);

// ---------------------------------------------------------------- clicks

// What a click on a button does: the rows of the click handler in their
// order (the first that matches runs).
enum class HomeAction {
    None,
    Minimise,        // 2, 13
    Exit,            // 3, 14
    UnitsTab,        // 4, 16
    PapersTab,       // 5, 17
    FavouritesTab,   // 6, 18
    WrongTab,        // 7, 19
    Update,          // 8
    HelpTab,         // 11
    WebSite,         // 12
    Cover,           // 15
    UnitStart,       // 20
    NewRandomPaper,  // 21
    FavouritesStart, // 22
    FavouritesClear, // 23
    WrongStart,      // 24
    WrongClear,      // 25
    PaperPage,       // 28..31
    HelpPage,        // 32..36
    ChapterFilter,   // 37..39
    FavouritesBox,   // 40, 41
    WrongBox,        // 42, 43
    UnitChoice,      // 49..69
    UnitListPage,    // 47, 48
    PaperRow,        // 70..99
};
HomeAction actionOf(int index);

// The help pages: button 32 + n shows page n.
constexpr int kHelpPages = 5;
QString helpTitle(int page);

// ---------------------------------------------------------------- information links

enum class InfoClick { Nothing, About, Open };
struct InfoLink {
    InfoClick click = InfoClick::Nothing;
    int entry = 0; // InfoTable entry opened
};
// Labels 0..3 of the bottom line and 17..21 of the cover.
InfoLink infoLinkOf(int labelIndex);
// What an Open label opens: the built-in address of its kind when
// InfoTable(26) begins with "2099", else its InfoTable entry.
QString infoTarget(int labelIndex, const std::array<QString, startup::kInfoEntries> &info);

} // namespace home
