#include "home/home_files.h"

#include "home/home_tabs.h"
#include "panel/record_files.h"
#include "platform/text.h"

#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace home {

namespace files {
namespace {
FileName bank(const QString &name) {
    return {Folder::Bank, name};
}
FileName user(const QString &name) {
    return {Folder::UserData, name};
}
QString bankNumbered(int n) {
    return QStringLiteral("2888") + startup::twoDigits(n);
}
} // namespace

FileName bankVersion() {
    return bank(QStringLiteral("288895"));
}
FileName moduleNumber() {
    return bank(QStringLiteral("288899"));
}
FileName bankIndex() {
    return bank(QStringLiteral("288891"));
}
FileName answerTexts() {
    return bank(QStringLiteral("288890"));
}
FileName helpPage(int page) {
    return bank(QStringLiteral("l3818") + QString::number(page));
}
FileName unitSteps(int unit) {
    return bank(bankNumbered(20 + unit));
}
FileName unitQuestions(int unit) {
    return bank(bankNumbered(70 + unit));
}
FileName exerciseSteps(int slot) {
    return bank(bankNumbered(slot));
}
FileName exerciseQuestions(int slot) {
    return bank(bankNumbered(slot + 50));
}
FileName picture(const QString &name) {
    return bank(name);
}

FileName options() {
    return user(panel::recname::Options);
}
FileName adBanner() {
    return user(panel::recname::Banner);
}
FileName randomPapers() {
    return user(panel::recname::RandomPapers);
}
FileName paperHistory() {
    return user(panel::recname::PaperHistory);
}
FileName unitProgress() {
    return user(panel::recname::UnitProgress);
}
FileName favourites() {
    return user(panel::recname::Favourites);
}
FileName favouriteFlags() {
    return user(panel::recname::FavouriteFlags);
}
FileName wrongQuestions() {
    return user(panel::recname::WrongQuestions);
}
FileName wrongFlags() {
    return user(panel::recname::WrongFlags);
}
FileName paperWrong(int slot) {
    return user(panel::paperWrongFileName(slot));
}
} // namespace files

QString pathOf(const startup::RunState &s, const FileName &f) {
    const QString &folder = f.folder == Folder::Bank ? s.DataPath : s.UserDataFolder;
    return folder + f.name + QStringLiteral(".mxy");
}

std::optional<QStringList> readFileLines(const startup::RunState &s, const FileName &f) {
    return platform::readLines(pathOf(s, f), f.folder == Folder::Bank
                                                 ? platform::readlimit::kBankText
                                                 : platform::readlimit::kRecord);
}

// ---------------------------------------------------------------- numbers

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
} // namespace

double numberValue(const QString &text) {
    QString packed;
    for (QChar c : text)
        if (!isBlank(c)) packed += c;
    if (!packed.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) return platform::val(text);
    double value = 0;
    for (QChar c : QStringView(packed).mid(2)) {
        const int digit = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    return value;
}

std::optional<uint32_t> colourValue(const QString &text) {
    const int64_t v = platform::roundEven(numberValue(text));
    if (v < 0 || v > 0xFFFFFF) return std::nullopt;
    return static_cast<uint32_t>(v);
}

// ---------------------------------------------------------------- banner

QString bannerCaption(const QString &line) {
    QString out = platform::trimBlanks(line);
    out.replace(QStringLiteral("◎"), QStringLiteral("\r\n"));
    return out;
}

Banner readBanner(const QStringList &lines) {
    Banner b;
    b.caption = bannerCaption(lines.value(0));
    b.colour = colourValue(lines.value(1));
    b.link = lines.value(2);
    return b;
}

bool isWebAddress(const QString &link) {
    const QUrl url(platform::trimBlanks(link), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

// ---------------------------------------------------------------- page build

bool moduleMatches(const QString &line, int moduleNumber) {
    return numberValue(line) == moduleNumber;
}

ModuleCheck checkModuleNumber(const std::optional<QStringList> &lines, int moduleNumber) {
    if (!lines) return ModuleCheck::Unreadable;
    const QString line = lines->value(0);
    static const QRegularExpression digits(QStringLiteral("^[ \\t]*[0-9]+[ \\t]*$"));
    if (!digits.match(line).hasMatch() || numberValue(line) == 0) return ModuleCheck::NotANumber;
    return moduleMatches(line, moduleNumber) ? ModuleCheck::ThisModule : ModuleCheck::OtherModule;
}

bool inputMethodOption(const QString &line) {
    return numberValue(line) != 0;
}

QString versionCaption(const QString &versionLine) {
    return QStringLiteral("题库版本：V") + versionLine;
}

std::array<QString, 3> contactCaptions(const std::array<QString, startup::kInfoEntries> &info) {
    return {QStringLiteral("官方网站：") + info[16], QStringLiteral("客服电话：") + info[10],
            QStringLiteral("客服QQ：") + info[11]};
}

InfoLine infoLine(const std::array<QString, startup::kInfoEntries> &info) {
    InfoLine l;
    l.colour = colourValue(info[29]);
    for (int i = 0; i < 4; ++i) l.lefts[i] = numberValue(info[30 + i]);
    return l;
}

std::array<double, 4> infoLabelLefts(const std::array<double, 4> &lefts,
                                     const std::array<double, 4> &widths, double windowWidth) {
    std::array<double, 4> out = lefts;
    const auto pushRight = [&] {
        for (int i = 1; i < 4; ++i)
            out[i] = std::max(out[i], out[i - 1] + widths[i - 1] + kInfoGap);
    };
    pushRight();
    double limit = windowWidth - kInfoGap;
    for (int i = 3; i >= 1; --i) {
        out[i] = std::max(std::min(out[i], limit - widths[i]), 0.0);
        limit = out[i] - kInfoGap;
    }
    // Too long a line to fit: the labels stay apart and it runs off the edge.
    pushRight();
    return out;
}

// ---------------------------------------------------------------- bank index

namespace {
// A two-character field read as a decimal number (no "&H" here: the bank
// index holds decimal digits only).
int field2(const QString &line, int from) {
    return static_cast<int>(platform::val(platform::mid1(line, from, 2)));
}
} // namespace

BankCounts bankCounts(const QString &firstLine) {
    const QString line = platform::trimBlanks(firstLine);
    return {field2(line, 1), field2(line, 3)};
}

int paperRows(int paperCount) {
    return std::clamp(paperCount, 0, kMaxFixedPapers);
}

int unitRows(int unitCount) {
    return std::clamp(unitCount, 0, kMaxUnits);
}

std::array<int, kCountGroups> unitQuestionCounts(const QString &countLine) {
    std::array<int, kCountGroups> counts{};
    for (int i = 1, u = 0; i <= countLine.size() && u < kCountGroups; i += 2, ++u)
        counts[u] = field2(countLine, i);
    return counts;
}

QStringList normalisedProgress(const QStringList &stored,
                               const std::array<int, kCountGroups> &counts) {
    QStringList out;
    for (int u = 0; u < kProgressLines; ++u)
        out << panel::normalisedUnitLine(stored.value(u), std::max(counts[u], 0));
    return out;
}

bool progressRewritten(const std::array<int, kCountGroups> &counts) {
    return std::any_of(counts.begin(), counts.begin() + kProgressLines,
                       [](int c) { return c > 0; });
}

int randomPaperCount(const QStringList &lines) {
    int n = 0;
    while (n < kMaxRandomPapers && n < lines.size() && !platform::trimBlanks(lines[n]).isEmpty())
        ++n;
    return n;
}

// ---------------------------------------------------------------- record actions

namespace {

// Every file read, so that an unreadable one is known (and held back)
// before anything is written.
bool allReadable(const panel::RecordFiles &records, const QStringList &names) {
    bool readable = true;
    for (const QString &name : names) readable = records.read(name).readable && readable;
    return readable;
}

QStringList randomSlotFiles(int fromSlot) {
    QStringList names = {panel::recname::RandomPapers, panel::recname::PaperHistory};
    for (int slot = fromSlot; slot < kPaperRows; ++slot) names << panel::paperWrongFileName(slot);
    return names;
}

// A source that does not exist is an empty list: the destination must not
// keep another paper's wrong answers.
void copyWrongList(const panel::RecordFiles &records, const WrongListCopy &c) {
    QStringList lines = {QString()};
    if (c.from >= 0) {
        const QStringList from = records.read(panel::paperWrongFileName(c.from)).lines;
        if (!from.isEmpty()) lines = from;
    }
    records.write(panel::paperWrongFileName(c.to), lines);
}

} // namespace

bool recordDraw(const panel::RecordFiles &records, const QString &list, const QString &now,
                int randomCount) {
    if (!allReadable(records, randomSlotFiles(kPaperRows - kMaxRandomPapers))) return false;
    records.write(panel::recname::RandomPapers,
                  randomPapersAfterDraw(records.read(panel::recname::RandomPapers).lines, list));
    const auto history =
        panel::PaperHistoryTable::fromLines(records.read(panel::recname::PaperHistory).lines);
    records.write(panel::recname::PaperHistory, historyToWrite(historyAfterDraw(history, now)));
    for (const WrongListCopy &c : wrongListsAfterDraw(randomCount)) copyWrongList(records, c);
    return true;
}

bool recordDelete(const panel::RecordFiles &records, int slot, int count) {
    if (!allReadable(records, randomSlotFiles(slot))) return false;
    records.write(
        panel::recname::RandomPapers,
        randomPapersAfterDelete(records.read(panel::recname::RandomPapers).lines, slot, count));
    for (const WrongListCopy &c : wrongListsAfterDelete(slot, count)) copyWrongList(records, c);
    const auto history =
        panel::PaperHistoryTable::fromLines(records.read(panel::recname::PaperHistory).lines);
    records.write(panel::recname::PaperHistory,
                  historyToWrite(historyAfterDelete(history, slot, count)));
    return true;
}

std::optional<panel::CodesWithFlags> recordClear(const panel::RecordFiles &records,
                                                 const QString &listFile, const QString &flagsFile,
                                                 int filter) {
    bool readable = true;
    const panel::CodesWithFlags stored = records.readList(listFile, flagsFile, &readable);
    if (!readable) {
        records.leaveOut({listFile, flagsFile});
        return std::nullopt;
    }
    const auto kept = reviewAfterClear(filter, stored.codes, stored.flags);
    if (kept) records.writeList(listFile, flagsFile, *kept);
    return kept;
}

} // namespace home
