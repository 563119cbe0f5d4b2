#include "simulator/shell_tab_strip.h"

#include "platform/text.h"

#include <algorithm>

namespace shell {

int frontRowFor(int index) {
    return index > FirstRowTabs ? 2 : 1;
}

TabTops tabTops(const sim::TabSetRow &row, int tabCount, int frontRow, double pagePicTop,
                Scale scale) {
    TabTops tops;
    const int count = std::min(tabCount, MaxTabs);
    const int offset = row.tabTop();
    for (int i = 1; i <= count; ++i) tops[i] = offset * scale.y + pagePicTop;
    const double front = (offset + 300) * scale.y + pagePicTop;
    if (frontRow == 2) {
        for (int i = FirstRowTabs + 1; i <= count; ++i) tops[i] = front;
    } else {
        for (int i = 1; i <= FirstRowTabs; ++i) tops[i] = front;
    }
    return tops;
}

QString wrongTabHint(int expected) {
    return QStringLiteral("请选择第") + QString::number(expected) + QStringLiteral("个选项卡");
}

QString withLineBreaks(const QString &hint) {
    QString s = hint;
    return s.replace(QLatin1Char('|'), QStringLiteral("\r\n"));
}

int backButtonStep(QStringView backEntry, int curStep) {
    int back = 1;
    if (backEntry.startsWith(u'Q')) {
        const int n = int(platform::val(platform::mid1(backEntry.toString(), 5, 1)));
        back = n == 0 ? 1 : n;
    }
    return std::max(1, curStep - back);
}

} // namespace shell
