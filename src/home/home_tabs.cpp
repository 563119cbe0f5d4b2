#include "home/home_tabs.h"

#include "platform/text.h"
#include "startup/run_state.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace home {

// ---------------------------------------------------------------- units tab

namespace {
int columnsOf(QChar c) {
    return platform::encodeGbk(QString(c)).size() == 1 ? 1 : 2;
}
} // namespace

int gbkColumns(const QString &text) {
    int w = 0;
    for (QChar c : text) w += columnsOf(c);
    return w;
}

QString unitButtonCaption(int unit, const QString &title) {
    const QString s = QString::number(unit + 1) + QLatin1Char('.') + title + QString(71, u' ');
    int w = 0;
    for (int k = 0; k < s.size(); ++k) {
        w += columnsOf(s[k]);
        if (w < 24) continue;
        QString out = s.left(k + 1);
        if (w == 24)
            out += (k + 1 < s.size() && columnsOf(s[k + 1]) == 1) ? QString(s[k + 1])
                                                                  : QStringLiteral(" ");
        return out;
    }
    return s;
}

int openingUnit(const std::vector<UnitCounts> &units) {
    if (units.empty()) return -1;
    for (size_t u = 0; u < units.size(); ++u) {
        int count = units[u].total, open = units[u].open;
        if (count == 0) count = open = 10;
        if (double(open) / count > 0.2) return int(u);
    }
    return int(units.size()) - 1;
}

std::optional<UnitBars> unitBars(int total, int open) {
    if (total == 0) return std::nullopt;
    return UnitBars{double(total - open) / total * 3570, double(open) / total * 3570};
}

QString selectionCaption(int unit, const QString &title) {
    if (unit < 0) return QStringLiteral("所有题库中题目");
    return QStringLiteral("第%1单元 ").arg(unit + 1) + title;
}

QString unitCodesFlagged(int unit, const QString &flags, QChar wanted) {
    QString list;
    for (int k = 1; k <= flags.size(); ++k)
        if (flags[k - 1] == wanted) list += startup::twoDigits(unit) + startup::twoDigits(k);
    return list;
}

// ---------------------------------------------------------------- papers tab

int lastSprintRow(int paperCount) {
    if (paperCount >= 4 && paperCount <= 7) return 1;
    if (paperCount >= 8 && paperCount <= 11) return 3;
    if (paperCount >= 12 && paperCount <= 15) return 5;
    return 7;
}

QString numeral(int n) {
    static const QString digits = QStringLiteral("一二三四五六七八九十");
    return n >= 1 && n <= 10 ? QString(digits[n - 1]) : QString();
}

PaperGroup paperGroup(int row, int lastSprint) {
    if (row >= 20) return PaperGroup::Random;
    return row <= lastSprint ? PaperGroup::Sprint : PaperGroup::Mock;
}

QString paperTitle(int row, int lastSprint) {
    switch (paperGroup(row, lastSprint)) {
    case PaperGroup::Sprint:
        return QStringLiteral("冲刺试卷") + numeral(row + 1);
    case PaperGroup::Mock:
        return QStringLiteral("模拟试卷") + numeral(row - lastSprint);
    default:
        return QStringLiteral("随机试卷") + numeral(row - 19);
    }
}

double paperRowTop(int row, int lastSprint) {
    int first = 0;
    switch (paperGroup(row, lastSprint)) {
    case PaperGroup::Sprint:
        first = 0;
        break;
    case PaperGroup::Mock:
        first = lastSprint + 1;
        break;
    default:
        first = 20;
        break;
    }
    return 120.0 + 1350 * ((row - first) / 2);
}

double paperRowLeft(int row) {
    return 2880.0 + 4560 * (row % 2);
}

QString lastExamCaption(const QString &stored) {
    return QStringLiteral("最后考试时间：") + stored.left(16);
}

QString wrongCountCaption(const QString &wrongListLine) {
    return QStringLiteral("(%1)").arg(platform::trimBlanks(wrongListLine).size() / 4);
}

int openingPaperPage(const panel::PaperHistoryTable &history, int lastSprint) {
    for (int k = 1; k <= lastSprint; ++k)
        if (platform::val(history.bestScore(k)) < 75) return 28;
    return 29;
}

PaperPage paperPage(int button, int lastSprint, int paperCount, int randomCount) {
    PaperPage p;
    switch (button) {
    case 28:
        for (int i = 0; i <= lastSprint; ++i) p.rows[i] = true;
        p.sprintPictures = true;
        break;
    case 29:
        for (int i = lastSprint + 1; i < std::min(paperCount, 20); ++i) p.rows[i] = true;
        break;
    case 30:
        p.newPaper = true;
        break;
    case 31:
        for (int i = 20; i < 20 + std::clamp(randomCount, 0, 10); ++i) p.rows[i] = true;
        p.noRandom = randomCount <= 0;
        break;
    default:
        break;
    }
    return p;
}

bool paperLineUsable(const QString &line) {
    return platform::trimBlanks(line).size() >= kPaperLineChars;
}

// ---------------------------------------------------------------- random papers

std::optional<QString> drawRandomPaper(const std::vector<int> &unitCounts,
                                       const RandomSource &random) {
    const int units = int(unitCounts.size());
    int total = 0;
    for (int n : unitCounts) total += std::clamp(n, 0, 99);
    if (units == 0 || total < kPaperCodes) return std::nullopt;
    std::set<QString> drawn;
    QString list;
    while (int(drawn.size()) < kPaperCodes) {
        const double r1 = random(), r2 = random();
        const int u = int(std::floor(r1 * 1000)) % units;
        const int n = std::clamp(unitCounts[u], 0, 99);
        // An empty unit has no question to give: the pair is drawn again.
        if (n == 0) continue;
        const int k = int(std::floor(r2 * 1000)) % n + 1;
        const QString code = startup::twoDigits(u) + startup::twoDigits(k);
        if (drawn.insert(code).second) list += code;
    }
    return list;
}

QStringList randomPapersAfterDraw(const QStringList &fileLines, const QString &newList) {
    QStringList out = {newList};
    for (int i = 0; i < 9; ++i)
        out << (i < std::min<int>(fileLines.size(), 15) ? fileLines[i] : QString());
    return out;
}

QStringList randomPapersAfterDelete(const QStringList &fileLines, int slot, int count) {
    QStringList lists;
    for (const QString &l : fileLines) {
        if (lists.size() >= 15 || platform::trimBlanks(l).isEmpty()) break;
        lists << l;
    }
    QStringList out;
    for (int j = 1; j <= count; ++j)
        if (j != slot - 19) out << lists.value(j - 1);
    out << QString();
    return out;
}

QStringList historyToWrite(const panel::PaperHistoryTable &t) {
    QStringList out = t.lines().mid(0, 3 * kPaperRows);
    out << QString();
    return out;
}

namespace {
// Record `to` takes the three lines of record `from`.
void moveRecord(QStringList &lines, int from, int to) {
    for (int k = 0; k < 3; ++k) lines[3 * to + k] = lines[3 * from + k];
}
} // namespace

panel::PaperHistoryTable historyAfterDraw(const panel::PaperHistoryTable &t, const QString &now) {
    QStringList lines = t.lines();
    for (int slot = 29; slot >= 21; --slot) moveRecord(lines, slot - 1, slot);
    lines[60] = now;
    lines[61] = QStringLiteral("0");
    lines[62] = QStringLiteral("E");
    return panel::PaperHistoryTable::fromLines(lines);
}

panel::PaperHistoryTable historyAfterDelete(const panel::PaperHistoryTable &t, int slot,
                                            int count) {
    QStringList lines = t.lines();
    for (int i = slot; i <= count + 18 && i + 1 < kPaperRows; ++i) moveRecord(lines, i + 1, i);
    return panel::PaperHistoryTable::fromLines(lines);
}

std::vector<WrongListCopy> wrongListsAfterDraw(int randomCount) {
    std::vector<WrongListCopy> copies;
    for (int j = std::min(randomCount, 9); j >= 1; --j) copies.push_back({19 + j, 20 + j});
    copies.push_back({-1, 20});
    return copies;
}

std::vector<WrongListCopy> wrongListsAfterDelete(int slot, int count) {
    std::vector<WrongListCopy> copies;
    for (int i = slot; i <= count + 18 && i + 1 < kPaperRows; ++i) copies.push_back({i + 1, i});
    return copies;
}

// ---------------------------------------------------------------- favourites and wrong book

const ReviewTab &favouritesTab() {
    static const ReviewTab tab = {
        panel::recname::Favourites,
        panel::recname::FavouriteFlags,
        6,
        18,
        QStringLiteral("l20057"),
        {40, 41},
        22,
        23,
        {startup::FavouritesUnreviewed, startup::FavouritesReviewed, startup::FavouritesAll},
        QStringLiteral("收藏题目练习"),
        QStringLiteral("您还没有已收藏题目！"),
        QStringLiteral("您没有未复习的收藏题目！"),
        QStringLiteral("您没有已复习的收藏题目！"),
        QStringLiteral("清除收藏的题目"),
        {QStringLiteral("您确实要清除未复习的收藏题目吗？"),
         QStringLiteral("您确实要清除已复习的收藏题目吗？"),
         QStringLiteral("您确实要清除全部收藏题目吗？")},
    };
    return tab;
}

const ReviewTab &wrongBookTab() {
    static const ReviewTab tab = {
        panel::recname::WrongQuestions,
        panel::recname::WrongFlags,
        7,
        19,
        QStringLiteral("l20058"),
        {42, 43},
        24,
        25,
        {startup::WrongBookUnreviewed, startup::WrongBookReviewed, startup::WrongBookAll},
        QStringLiteral("错题复习"),
        QStringLiteral("您还没有错题记录！"),
        QStringLiteral("您还没有未复习的错题记录！"),
        QStringLiteral("您还没有已复习的错题记录！"),
        QStringLiteral("清除我的错题"),
        {QStringLiteral("您确实要清除未学习的我的错题题目吗？"),
         QStringLiteral("您确实要清除已学习的我的错题题目吗？"),
         QStringLiteral("您确实要清除全部我的错题题目吗？")},
    };
    return tab;
}

QString boxPicture(int box, bool ticked) {
    return QStringLiteral("l200") + startup::twoDigits(ticked ? box + 50 : box);
}

int toggledFilter(int filter, int box) {
    const int bit = box == 0 ? 1 : 2;
    return (filter & bit) ? filter - bit : filter + bit;
}

ReviewCounts reviewCounts(const QString &flagsLine) {
    ReviewCounts c;
    for (QChar f : platform::trimBlanks(flagsLine)) (f == u'T' ? c.reviewed : c.unreviewed)++;
    return c;
}

ReviewGroups reviewGroups(const QString &list, const QString &flags) {
    ReviewGroups g;
    for (int i = 1; i <= flags.size(); ++i)
        (flags[i - 1] == u'T' ? g.reviewed : g.unreviewed) += panel::codeAt(list, i);
    return g;
}

ReviewPractice reviewPractice(const ReviewTab &tab, int filter, const QString &listLine,
                              const QString &flagsLine) {
    ReviewPractice p;
    if (filter < 1 || filter > 3) return p;
    const QString list = platform::trimBlanks(listLine);
    const QString flags = platform::trimBlanks(flagsLine);
    p.outcome = ReviewPractice::Refused;
    if (list.isEmpty() || flags.isEmpty()) {
        p.prompt = tab.noRecord;
        return p;
    }
    const ReviewGroups g = reviewGroups(list, flags);
    QString chosen;
    if (filter == 3) {
        chosen = list;
    } else if (filter == 1) {
        chosen = g.unreviewed;
        p.prompt = tab.noUnreviewed;
    } else {
        chosen = g.reviewed;
        p.prompt = tab.noReviewed;
    }
    chosen = platform::trimBlanks(chosen);
    if (chosen.isEmpty()) return p;
    p.outcome = ReviewPractice::Start;
    p.prompt.clear();
    p.list = chosen.left(2000);
    p.paperMode = tab.kinds[filter - 1];
    p.paperIndex = 19 - p.paperMode;
    p.questionCount = int(p.list.size() / 4);
    for (int q = 1; q <= 500; ++q) {
        // An entry past the last flag has never been reviewed.
        const bool reviewed =
            filter == 2 || (filter == 3 && q <= flags.size() && flags[q - 1] == u'T');
        p.done[q - 1] = reviewed ? QStringLiteral("T") : QStringLiteral("F");
        p.status[q - 1] = reviewed ? startup::StatusDone : 0;
    }
    return p;
}

std::optional<panel::CodesWithFlags> reviewAfterClear(int filter, const QString &listLine,
                                                      const QString &flagsLine) {
    const QString list = platform::trimBlanks(listLine);
    const QString flags = platform::trimBlanks(flagsLine);
    if (filter < 1 || filter > 3 || list.isEmpty() || flags.isEmpty()) return std::nullopt;
    const ReviewGroups g = reviewGroups(list, flags);
    panel::CodesWithFlags kept;
    if (filter == 1) {
        kept.codes = platform::trimBlanks(g.reviewed);
        kept.flags = QString(int(platform::roundEven(kept.codes.size() / 4.0)), u'T');
    } else if (filter == 2) {
        kept.codes = platform::trimBlanks(g.unreviewed);
        kept.flags = QString(int(platform::roundEven(kept.codes.size() / 4.0)), u'F');
    }
    return kept;
}

} // namespace home
