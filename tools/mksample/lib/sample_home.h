#pragma once
#include "sample_dir.h"

#include <QImage>

namespace sample {

// What the home page shows: the window and cover pictures (the two-tile
// cover the sample's program information selects), the top bar, the tab
// background and the units column, the four-frame strips "l200NN" of the
// home buttons 0 to 48 and the selected or ticked strips of 37 to 43 and
// the unit page button, the hand cursor "9l0015", the five help pages
// "l38180" to "l38184" (GBK HTML, one of them with a picture named in
// other letter case).
bool addHomeFiles(const SampleDir &dir);
// The pictures of the list tabs: the units chart, the paper rows, the
// new-random-paper page and the favourites and wrong-question panels
// (part of addHomeFiles).
bool addHomeTabPictures(const SampleDir &dir);
// The tab panels' background ("l20053"), which the tabs' pictures continue.
QImage homeTabBackground();

// The advertisement banner "170100" in "ksdata", as the update window
// leaves it after its download (a fresh installation has none).
bool addHomeBanner(const SampleDir &dir);

// The bank index of the home page: twelve units, so that the units tab has
// two pages' worth of them, of which the sample's parts fill units 0 to 3
// and the others stay empty (an empty question list and step file each),
// and four fixed papers of 40 questions over all the questions (two sprint
// and two mock papers). Call after the units' files exist.
bool addHomeBankIndex(const SampleDir &dir);
constexpr int kHomeUnits = 12;
constexpr int kHomePapers = 4;

// The banner's three lines as the sample writes them.
QStringList bannerLines();

} // namespace sample
