#include "simulator/judging_rules.h"

#include "platform/text.h"
#include "simulator/step_files.h"

namespace sim {

// ---------------------------------------------------------------- keys

namespace {

// 6SKK read as the number its leading digits form; a key code only when
// the thousands digit is 6.
std::optional<ExpectedKey> keyOfDigits(const QString &four, int plus100Upto) {
    const int v = leadingDigits(four);
    if (v / 1000 != 6) return std::nullopt;
    ExpectedKey k{(v % 1000) / 100, v % 100};
    if (k.keyCode <= plus100Upto) k.keyCode += 100;
    return k;
}

} // namespace

std::optional<ExpectedKey> keyOfActionCode(const QString &code) {
    return keyOfDigits(code.left(4), -1);
}

std::optional<ExpectedKey> keyOfAlternative(const QString &alt, int k) {
    if (!alt.startsWith(QLatin1Char('P'))) return std::nullopt;
    const QString four = platform::mid1(alt, 2, 4);
    switch (k) {
    case 1:
        return keyOfDigits(four, 20);
    case 2:
        return keyOfDigits(four, -1);
    case 3:
        return keyOfDigits(four, 99);
    default:
        return std::nullopt;
    }
}

std::vector<ExpectedKey> expectedKeys(const StepRecord &r) {
    std::vector<ExpectedKey> keys;
    if (auto k = keyOfActionCode(r.actionCode())) keys.push_back(*k);
    for (int i = 1; i <= 3; ++i)
        if (auto k = keyOfAlternative(r.keyAlt(i), i)) keys.push_back(*k);
    return keys;
}

bool keyAnswers(const StepRecord &r, int keyCode, int shift) {
    for (const ExpectedKey &k : expectedKeys(r))
        if (k.keyCode == keyCode && k.shift == shift) return true;
    return false;
}

// ---------------------------------------------------------------- text

QString foldAsciiCase(const QString &s) {
    QString out = s;
    for (QChar &c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
    return out;
}

QString cleanedText(const QString &s) {
    QString out;
    out.reserve(s.size());
    for (const QChar c : s)
        if (c.unicode() >= 33 && c.unicode() <= 126) out.append(c);
    return out;
}

ExpectedText ExpectedText::of(const QString &text) {
    const auto [a, b] = splitAlternatives(text);
    return ExpectedText{text, a, b};
}

namespace {

QString loose(const QString &s) {
    return foldAsciiCase(platform::trimBlanks(s));
}

} // namespace

bool looseMatch(const QString &typed, const ExpectedText &t) {
    const QString x = loose(typed);
    return x == loose(t.first) || x == loose(t.second);
}

bool exactMatch(const QString &typed, const ExpectedText &t) {
    const QString x = platform::trimBlanks(typed);
    return x == platform::trimBlanks(t.first) || x == platform::trimBlanks(t.second);
}

bool wholeMatch(const QString &typed, const ExpectedText &t) {
    return platform::trimBlanks(typed) == platform::trimBlanks(t.whole);
}

bool enterMatch(const QString &typed, const ExpectedText &t) {
    return looseMatch(cleanedText(typed), t) || looseMatch(typed, t);
}

bool selectionMatch(const QString &selected, const QString &expected) {
    return loose(selected) == loose(expected);
}

AnswerText readExpectedText(const QString &path, const QString &lineField) {
    if (lineField == QLatin1String("000")) return AnswerText{true, QString()};
    const int n = wholeValue(lineField);
    const auto text = readAnswerText(path, n);
    if (!text) return AnswerText{};
    return AnswerText{true, *text};
}

// ---------------------------------------------------------------- pictures

DragAxes dragAxes(int v) {
    if (v == 8001 || v == 8002) return DragAxes{true, false};
    if (v == 8003 || v == 8004) return DragAxes{false, true};
    if (v >= 8006 && v <= 8009) return DragAxes{true, true};
    return DragAxes{};
}

bool dragReached(int v, double x, double y, double tx, double ty) {
    switch (v) {
    case 8001:
        return x <= tx;
    case 8002:
        return x >= tx;
    case 8003:
        return y <= ty;
    case 8004:
        return y >= ty;
    case 8006:
        return x <= tx && y >= ty;
    case 8007:
        return x >= tx && y >= ty;
    case 8008:
        return x <= tx && y <= ty;
    case 8009:
        return x >= tx && y <= ty;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- target

TargetRelease targetRelease(int v, int button, int shift) {
    switch (v) {
    case 1:
        return button == 1 && shift == 0 ? TargetRelease::TakeBranch : TargetRelease::Nothing;
    case 3:
        return button == 2 ? TargetRelease::TakeBranch : TargetRelease::Nothing;
    case 22:
    case 26:
    case 28:
        return button == 1 ? TargetRelease::ConfirmText : TargetRelease::Nothing;
    case 7772:
    case 7777:
        return button == 2 ? TargetRelease::ContextMenu : TargetRelease::Nothing;
    case 2:
        return TargetRelease::Nothing;
    default:
        break;
    }
    if (v >= 9000 && v <= 9999)
        return button == v % 100 && shift == (v / 100) % 10 ? TargetRelease::TakeBranch
                                                            : TargetRelease::Nothing;
    return TargetRelease::JumpIfBranch;
}

bool pointOnRect(double x, double y, double left, double top, double width, double height) {
    return left <= x && x <= left + width && top <= y && y <= top + height;
}

bool isBandStep(const StepRecord &r) {
    return r.actionCode().left(3) == QLatin1String("004");
}
bool isDragStep(const StepRecord &r) {
    return r.actionCode().left(3) == QLatin1String("005");
}

// ---------------------------------------------------------------- hint frame

int hintSpotNumber(const ExpectedHit &entry) {
    const QString code = entry.hitCode();
    int n = wholeValue(code);
    if (n <= 0 && !code.isEmpty() && code.at(0) < QLatin1Char('S')) n = wholeValue(code.mid(1, 1));
    return n;
}

HintFrame hintFrameOf(int n) {
    if (n >= 1 && n <= 10) return HintFrame::Menu;
    if (n >= 11 && n <= 23) return HintFrame::Tool;
    if (n >= 24 && n <= 40) return HintFrame::Hui;
    if (n >= 41 && n <= 60) return HintFrame::Ctrl;
    if ((n >= 61 && n <= 66) || n == 69) return HintFrame::Table;
    if (n >= 70 && n <= 91) return HintFrame::Start;
    if (n >= 92 && n <= 99) return HintFrame::MyPc;
    return HintFrame::None;
}

std::vector<HintMark> hintMarks(const StepRecord &r) {
    std::vector<HintMark> marks;
    auto pass = [&](int k, bool takesD) {
        const ExpectedHit e = r.expectedHit(k);
        const QString kind = e.kind();
        if (kind != QLatin1String("H") && !(takesD && kind == QLatin1String("D"))) return;
        const int n = hintSpotNumber(e);
        const HintFrame f = hintFrameOf(n);
        if (f != HintFrame::None) marks.push_back(HintMark{f, n});
    };
    pass(3, true);
    pass(2, true);
    pass(1, false);
    return marks;
}

// ---------------------------------------------------------------- pointers

PointerChoice pointerOf(const QString &cursorCode, bool customForAnyLetter) {
    PointerChoice p;
    const QString kind = cursorCode.left(1);
    const QString nn = platform::mid1(cursorCode, 4, 2);
    if (kind == QLatin1String("S")) {
        p.kind = PointerChoice::Standard;
        p.number = wholeValue(nn);
    } else if (kind == QLatin1String("M") || (customForAnyLetter && !kind.isEmpty())) {
        p.kind = PointerChoice::Custom;
        p.cursorFile = QStringLiteral("ico") + nn + QStringLiteral(".CUR");
    }
    return p;
}

} // namespace sim
