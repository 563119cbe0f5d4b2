#include "panel/panel_rules.h"

#include "startup/run_state.h"

namespace panel {

namespace {

QString num(int n) {
    return QString::number(n);
}

// The question text of a line: everything from character 7.
QString textOf(const QString &line) {
    return line.size() > 6 ? line.mid(6) : QString();
}

// A text that begins "picture" (exact case) carries its illustration's
// name; the question proper follows from character 14.
std::optional<QuestionText> pictureQuestion(const QString &text) {
    if (!text.startsWith(QLatin1String("picture"))) return std::nullopt;
    QuestionText q;
    q.picture = true;
    q.pictureName = text.mid(7, 6);
    q.text = text.mid(13);
    return q;
}

} // namespace

// ---------------------------------------------------------------- title

QString displayCode(int code) {
    return (QStringLiteral("0000") + num(code + 100)).right(4);
}

QString doneMarker(const QString &doneFlag) {
    return doneFlag == QLatin1String("F") ? QStringLiteral("(未完成)") : QStringLiteral("(已完成)");
}

std::optional<QString> titleLine(const TitleInput &in) {
    const QString p = in.subjectName.left(2);
    const QString d = displayCode(in.code);
    const QString m = doneMarker(in.doneFlag);
    const QString q = num(in.question), n = num(in.questionCount);
    // The counted sets: prefix, number of the question in the set, code, marker.
    auto counted = [&](const QString &prefix) {
        return p + prefix + q + QLatin1Char('/') + n + QLatin1Char('(') + d + QLatin1Char(')') + m;
    };
    switch (in.paperMode) {
    case startup::MockPaper:
        return p + QLatin1Char(' ') + num(in.paperIndex + 1) + QStringLiteral("套第") + q +
               QStringLiteral("题(") + d + QLatin1Char(')');
    case startup::PaperWrongReview:
        return p + QStringLiteral(" 错") + num(in.paperSlot + 1) + QLatin1Char('-') + q +
               QLatin1Char('/') + n + QLatin1Char('(') + d + QLatin1Char(')') + m;
    case startup::UnitLearned:
        return counted(QStringLiteral(" 已"));
    case startup::UnitUnlearned:
        return counted(QStringLiteral(" 未"));
    case startup::RandomPaper:
        return p + QStringLiteral(" 随") + num(in.paperSlot - 20) + QLatin1Char('-') + q +
               QLatin1Char('(') + d + QLatin1Char(')');
    case startup::FavouritesAll:
    case startup::FavouritesUnreviewed:
    case startup::FavouritesReviewed:
        return counted(QStringLiteral(" 藏"));
    case startup::WrongBookAll:
    case startup::WrongBookUnreviewed:
    case startup::WrongBookReviewed:
        return counted(QStringLiteral(" 复"));
    case startup::UnitAll:
        return p + QLatin1Char(' ') + num(in.paperIndex + 1) + QStringLiteral("单元") + q +
               QLatin1Char('/') + n + QStringLiteral("题") + m;
    default:
        return std::nullopt;
    }
}

// ---------------------------------------------------------------- question text

std::optional<QString> questionLine(const QStringList &lines, int q) {
    if (lines.isEmpty()) return std::nullopt;
    if (q < 1) return lines.first();
    return q <= lines.size() ? lines.at(q - 1) : lines.last();
}

QuestionText displayedQuestion(const QString &line) {
    const QString text = textOf(line);
    if (auto pic = pictureQuestion(text)) return *pic;
    QuestionText q;
    q.text.reserve(text.size() + 8);
    for (QChar c : text) {
        if (c == QLatin1Char('|'))
            q.text += QStringLiteral("\r\n");
        else
            q.text += c;
    }
    return q;
}

QuestionText demonstrationQuestion(const QString &line) {
    const QString text = textOf(line);
    if (auto pic = pictureQuestion(text)) return *pic;
    return QuestionText{text, false, QString()};
}

// ---------------------------------------------------------------- status

QString unfinishedStrip(std::span<const int> status, int questionCount) {
    QString strip = QStringLiteral("未完成的题目");
    const int n = std::min<int>(questionCount, static_cast<int>(status.size()));
    for (int i = 1; i <= n; ++i)
        if (status[i - 1] < startup::StatusDone) strip += QLatin1Char(' ') + num(i);
    return strip;
}

bool isMarked(int status) {
    return (status & startup::StatusMarked) != 0;
}

int marked(int status) {
    return isMarked(status) ? status : status + startup::StatusMarked;
}

int unmarked(int status) {
    return isMarked(status) ? status - startup::StatusMarked : status;
}

int shown(int status) {
    return status % 2 == 0 ? status + startup::StatusShown : status;
}

// ---------------------------------------------------------------- list

ListPage listPage(int questionCount, int page) {
    ListPage l;
    const int n = std::max(questionCount, 0);
    l.pageButtons = n > kListButtons;
    l.lastPage = n / kListButtons - (n % kListButtons == 0 ? 1 : 0);
    l.buttons = kListButtons;
    if (page * kListButtons + kListButtons > n) l.buttons = n % kListButtons;
    // A page past the set's end (fewer questions than the page starts at)
    // shows no button rather than numbers of questions that do not exist.
    if (page * kListButtons >= n) l.buttons = 0;
    l.firstQuestion = page * kListButtons + 1;
    return l;
}

int previousPage(int page) {
    return std::max(page - 1, 0);
}

int nextPage(int page, int lastPage) {
    return std::min(page + 1, lastPage);
}

QString listPicture(int status) {
    if (isMarked(status)) return QStringLiteral("l01032");
    return status % 2 != 0 ? QStringLiteral("l01031") : QStringLiteral("l01030");
}

// ---------------------------------------------------------------- clock

QString clockCaption(int minutesLeft) {
    return QStringLiteral("剩余") + num(minutesLeft) + QStringLiteral("分钟");
}

double clockBarWidth(int minutesLeft, double frameWidth) {
    const float gone = static_cast<float>(kExamMinutes - minutesLeft);
    return static_cast<double>(gone * static_cast<float>(frameWidth) / kExamMinutes);
}

bool isTimedPaper(int paperMode) {
    return paperMode == startup::MockPaper || paperMode == startup::RandomPaper;
}

// ---------------------------------------------------------------- buttons

QString buttonPicture(int index, bool exam) {
    if (exam && index == 3) return QStringLiteral("l01053");
    if (exam && index == 11) return QStringLiteral("l01054");
    return QStringLiteral("l010") + num(index).rightJustified(2, QLatin1Char('0'));
}

} // namespace panel
