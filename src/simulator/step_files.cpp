#include "simulator/step_files.h"

#include "platform/text.h"
#include "simulator/step_record.h"

#include <algorithm>
#include <limits>

namespace sim {

std::optional<QString> readLineNOrLast(const QString &path, int n) {
    return platform::readLineOrLast(path, n >= 1 ? n : std::numeric_limits<int>::max());
}

std::optional<QString> readAnswerText(const QString &path, int n) {
    const auto line = readLineNOrLast(path, n);
    if (!line) return std::nullopt;
    return line->mid(3);
}

std::pair<QString, QString> splitAlternatives(const QString &text) {
    const int p = text.indexOf(QLatin1Char('|'));
    if (p < 0) return {text, text};
    return {text.left(p), text.mid(p + 1)};
}

QString initialTextOf(const QString &text) {
    return splitAlternatives(text).first;
}

int leadingDigits(const QString &field) {
    int v = 0;
    for (const QChar c : field) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        v = v * 10 + (c.unicode() - '0');
        if (v > 1000000) break; // fields are a few characters; nothing real gets here
    }
    return v;
}

namespace {

template <int N> void loadRows(QString (&rows)[N], const QString &path) {
    for (auto &r : rows) r.clear();
    const auto lines = platform::readLines(path);
    if (!lines) return;
    const int n = std::min<int>(N, lines->size());
    for (int k = 0; k < n; ++k) rows[k] = lines->at(k);
}

template <int N> void setRowsOf(QString (&rows)[N], const QStringList &src) {
    for (int k = 0; k < N; ++k) rows[k] = k < src.size() ? src.at(k) : QString();
}

const QString &emptyString() {
    static const QString s;
    return s;
}

} // namespace

void StyleTable::load(const QString &path) {
    loadRows(rows_, path);
}
void StyleTable::setRows(const QStringList &rows) {
    setRowsOf(rows_, rows);
}

const QString &StyleTable::row(int k) const {
    return (k >= 0 && k < kRows) ? rows_[k] : emptyString();
}

QString StyleTable::fontName(int d) const {
    return platform::trimBlanks(row(d)).mid(1);
}

QColor StyleTable::colour(int r) const {
    const QString t = platform::trimBlanks(row(r));
    auto part = [&](int from) { return std::min(255, leadingDigits(platform::mid1(t, from, 3))); };
    return QColor(part(2), part(5), part(8));
}

void TabSetTable::load(const QString &path) {
    loadRows(rows_, path);
}
void TabSetTable::setRows(const QStringList &rows) {
    setRowsOf(rows_, rows);
}

const QString &TabSetTable::row(int k) const {
    return (k >= 0 && k < kRows) ? rows_[k] : emptyString();
}

int TabSetRow::field(int from, int len) const {
    return leadingDigits(platform::mid1(text_, from, len));
}

int TabSetRow::tabCount() const {
    return tabNumber(platform::mid1(text_, 2, 1));
}

int TabSetRow::tabTop() const {
    return field(3, 4);
}
int TabSetRow::tabHeight() const {
    return field(7, 3);
}
QString TabSetRow::pagePicture(int i) const {
    return platform::mid1(text_, 10 * i, 6);
}
int TabSetRow::tabLeft(int i) const {
    return field(10 * i + 6, 4);
}

int TabSetRow::tabWidth(int i) const {
    const int w = tabLeft(i + 1) - tabLeft(i);
    return w < 0 ? 990 : w;
}

int TabSetRow::backLeft() const {
    return field(140, 4);
}
int TabSetRow::backTop() const {
    return field(144, 4);
}
int TabSetRow::backWidth() const {
    return field(148, 4);
}
int TabSetRow::backHeight() const {
    return field(142, 4);
}

} // namespace sim
