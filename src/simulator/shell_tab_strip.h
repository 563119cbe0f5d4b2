#pragma once
// The tab strips of dialog steps: where the tabs of a one- or two-row strip
// stand, what the hint says when the wrong tab is chosen, and how far the
// strip's back button steps back. Plain functions; the window applies them
// to its tab labels.
#include "simulator/shell_spots.h"
#include "simulator/step_files.h"

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace shell {

inline constexpr int MaxTabs = 13;
// From ten tabs on, the strip has two rows: tabs 1-6 and 7 onwards.
inline constexpr int TwoRowTabCount = 10;
inline constexpr int FirstRowTabs = 6;

// The row a click on tab `index` brings to the front (nearer the page).
int frontRowFor(int index);

// The Tops of tabs 1..13 after the two-row placement: every tab of the
// strip at the set's offset below the page's top, then the row in front
// 300 design twips lower. Tabs the placement leaves alone are nullopt.
using TabTops = std::array<std::optional<double>, MaxTabs + 1>;
TabTops tabTops(const sim::TabSetRow &row, int tabCount, int frontRow, double pagePicTop,
                Scale scale);

// The hint while another tab than the expected one is in front.
QString wrongTabHint(int expected);
// A hint's "|" marks become line breaks.
QString withLineBreaks(const QString &hint);

// The step the back button leads to. A back-step entry ("Q" in its first
// character) steps back by the number in its fifth, 1 when that reads 0;
// without one the button steps back by one. Never below step 1: a larger
// count would show a step of the question before in the shared step file.
int backButtonStep(QStringView backEntry, int curStep);

} // namespace shell
