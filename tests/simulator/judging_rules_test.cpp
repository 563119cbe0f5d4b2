// The judging rules on their own: keys, texts, picture drags, target
// releases, hint frames and pointers, from step records made by the
// step builder.
#include "platform/text.h"
#include "simulator/judging_rules.h"
#include "step_builder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using sample::StepBuilder;
using namespace sim;

namespace {

StepRecord keyStep(const QString &action, const QString &a1 = QString(),
                   const QString &a2 = QString(), const QString &a3 = QString()) {
    StepBuilder b;
    b.action(action);
    if (!a1.isEmpty() || !a2.isEmpty() || !a3.isEmpty())
        b.keyAlts(a1.isEmpty() ? QStringLiteral("00000") : a1,
                  a2.isEmpty() ? QStringLiteral("00000") : a2,
                  a3.isEmpty() ? QStringLiteral("00000") : a3);
    return StepRecord(b.build());
}

} // namespace

TEST(JudgingKeys, ActionCodesAndAlternatives) {
    struct Case {
        const char *what;
        StepRecord step;
        int key, shift;
        bool answers;
    };
    const Case cases[] = {
        {"Enter alone", keyStep("6013"), 13, 0, true},
        {"Shift+Enter refused", keyStep("6013"), 13, 1, false},
        {"Ctrl+A", keyStep("6265"), 65, 2, true},
        {"A alone refused for Ctrl+A", keyStep("6265"), 65, 0, false},
        {"Ctrl+Shift+A refused for Ctrl+A", keyStep("6265"), 65, 3, false},
        {"Alt+F4 via alternative 3", keyStep("0000", "", "", "P6415"), 115, 4, true},
        {"Shift+Delete", keyStep("6146"), 46, 1, true},
        {"wrong key", keyStep("6013"), 27, 0, false},
        {"alt 1 P6012 is F1", keyStep("0000", "P6012"), 112, 0, true},
        {"alt 1 P6012 is not 12", keyStep("0000", "P6012"), 12, 0, false},
        {"alt 2 P6012 is 12", keyStep("0000", "", "P6012"), 12, 0, true},
        {"alt 2 P6012 is not F1", keyStep("0000", "", "P6012"), 112, 0, false},
        {"alt 3 P6012 is F1", keyStep("0000", "", "", "P6012"), 112, 0, true},
        {"alt 1 P6021 is 21", keyStep("0000", "P6021"), 21, 0, true},
        {"alt 1 P6021 is not F10", keyStep("0000", "P6021"), 121, 0, false},
        {"alt 3 P6021 is F10", keyStep("0000", "", "", "P6021"), 121, 0, true},
        {"alt 1 P6020 is F9", keyStep("0000", "P6020"), 120, 0, true},
        {"alt with Ctrl", keyStep("6013", "P6246"), 46, 2, true},
        {"alt needs its P", keyStep("0000", "06046"), 46, 0, false},
        {"a click step with a Delete alternative", keyStep("0001", "P6046"), 46, 0, true},
        {"a code not in the 6000s", keyStep("7013"), 13, 0, false},
    };
    for (const Case &c : cases) EXPECT_EQ(keyAnswers(c.step, c.key, c.shift), c.answers) << c.what;
}

TEST(JudgingKeys, TextBoxDigitsAreNoAlternatives) {
    // A text step's box rectangle in columns 86-105 must never read as keys.
    const StepRecord r(StepBuilder().action("0020").textBox(1200, 4500, 3000, 450).build());
    EXPECT_TRUE(expectedKeys(r).empty());
}

TEST(JudgingText, Comparisons) {
    const ExpectedText alt = ExpectedText::of(QStringLiteral("abc|ABD"));
    EXPECT_TRUE(looseMatch(QStringLiteral("  Abd "), alt));
    EXPECT_TRUE(looseMatch(QStringLiteral("ABC"), alt));
    EXPECT_FALSE(looseMatch(QStringLiteral("abc|ABD"), alt));
    EXPECT_TRUE(exactMatch(QStringLiteral(" ABD"), alt));
    EXPECT_FALSE(exactMatch(QStringLiteral("abd"), alt));
    EXPECT_TRUE(wholeMatch(QStringLiteral("abc|ABD "), alt));
    EXPECT_FALSE(wholeMatch(QStringLiteral("abc"), alt));
    EXPECT_FALSE(wholeMatch(QStringLiteral("ABD"), alt));

    // Only spaces are blanks; a tab is part of the text.
    const ExpectedText ab = ExpectedText::of(QStringLiteral("ab"));
    EXPECT_FALSE(looseMatch(QStringLiteral("\tab"), ab));
    // Only ASCII letters fold: full-width letters and Chinese stay as they are.
    EXPECT_TRUE(looseMatch(QStringLiteral("AB"), ab));
    EXPECT_FALSE(looseMatch(QStringLiteral("ＡＢ"), ExpectedText::of(QStringLiteral("ａｂ"))));
    EXPECT_TRUE(
        looseMatch(QStringLiteral(" 新建文件夹 "), ExpectedText::of(QStringLiteral("新建文件夹"))));

    // An empty expected text takes only an empty or blank answer.
    const ExpectedText none = ExpectedText::of(QString());
    EXPECT_TRUE(looseMatch(QStringLiteral("   "), none));
    EXPECT_FALSE(looseMatch(QStringLiteral("x"), none));
}

TEST(JudgingText, EnterRuleCleansTheText) {
    EXPECT_EQ(cleanedText(QStringLiteral(" a b\t文c~\x7f")), QStringLiteral("abc~"));
    EXPECT_TRUE(enterMatch(QStringLiteral("a b"), ExpectedText::of(QStringLiteral("ab"))));
    EXPECT_TRUE(enterMatch(QStringLiteral("A B"), ExpectedText::of(QStringLiteral("x|ab"))));
    // A Chinese answer is dropped by the cleaning: the whole text still counts.
    const ExpectedText zh = ExpectedText::of(QStringLiteral("我的文档"));
    EXPECT_TRUE(enterMatch(QStringLiteral(" 我的文档"), zh));
    EXPECT_FALSE(enterMatch(QStringLiteral("我的 文档"), zh));
    // Nor does a cleaned-away answer match an empty expected text by accident.
    EXPECT_FALSE(enterMatch(QStringLiteral("文档"), ExpectedText::of(QStringLiteral("x"))));
}

TEST(JudgingText, Selection) {
    EXPECT_TRUE(selectionMatch(QStringLiteral(" Hello "), QStringLiteral("hello")));
    EXPECT_FALSE(selectionMatch(QStringLiteral("Hell"), QStringLiteral("hello")));
    // "|" is no separator in a selection.
    EXPECT_FALSE(selectionMatch(QStringLiteral("a"), QStringLiteral("a|b")));
}

TEST(JudgingText, ExpectedTextFromTheAnswerFile) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("288890.mxy"));
    ASSERT_TRUE(
        platform::writeLinesAtomic(path, {QStringLiteral("001first"), QStringLiteral("002abc|ABD"),
                                          QStringLiteral("003记事本")}));

    EXPECT_EQ(readExpectedText(path, QStringLiteral("002")).text, QStringLiteral("abc|ABD"));
    EXPECT_EQ(readExpectedText(path, QStringLiteral("003")).text, QStringLiteral("记事本"));
    // Beyond the end: the last line.
    EXPECT_EQ(readExpectedText(path, QStringLiteral("009")).text, QStringLiteral("记事本"));
    const AnswerText none = readExpectedText(path, QStringLiteral("000"));
    EXPECT_TRUE(none.ok);
    EXPECT_TRUE(none.text.isEmpty());

    // A missing or empty file gives no text at all, rather than an empty one.
    EXPECT_FALSE(
        readExpectedText(tmp.filePath(QStringLiteral("nothere.mxy")), QStringLiteral("001")).ok);
    const QString empty = tmp.filePath(QStringLiteral("empty.mxy"));
    ASSERT_TRUE(platform::writeLinesAtomic(empty, {}));
    EXPECT_FALSE(readExpectedText(empty, QStringLiteral("001")).ok);
    // "000" needs no file.
    EXPECT_TRUE(
        readExpectedText(tmp.filePath(QStringLiteral("nothere.mxy")), QStringLiteral("000")).ok);
}

TEST(JudgingPictures, DragDirections) {
    struct Case {
        int code;
        double x, y;
        bool reached;
    };
    // Target at (1000, 2000). Every code is reached exactly on its
    // boundary and missed one twip short of it on each axis it checks.
    const Case cases[] = {
        // leftwards: x at most the target's, y free
        {8001, 1000, 2000, true},
        {8001, 1001, 2000, false},
        {8001, 999, 5000, true},
        // rightwards
        {8002, 1000, 2000, true},
        {8002, 999, 2000, false},
        {8002, 1001, 0, true},
        // upwards: y at most the target's, x free
        {8003, 1000, 2000, true},
        {8003, 1000, 2001, false},
        {8003, 5000, 1999, true},
        // downwards
        {8004, 1000, 2000, true},
        {8004, 1000, 1999, false},
        {8004, 0, 2001, true},
        // left and down
        {8006, 1000, 2000, true},
        {8006, 1001, 2000, false},
        {8006, 1000, 1999, false},
        {8006, 900, 2100, true},
        // right and down
        {8007, 1000, 2000, true},
        {8007, 999, 2000, false},
        {8007, 1000, 1999, false},
        {8007, 1100, 2100, true},
        // left and up
        {8008, 1000, 2000, true},
        {8008, 1001, 2000, false},
        {8008, 1000, 2001, false},
        {8008, 900, 1900, true},
        // right and up
        {8009, 1000, 2000, true},
        {8009, 999, 2000, false},
        {8009, 1000, 2001, false},
        {8009, 1100, 1900, true},
        // not a drag code
        {8005, 1000, 2000, false},
        {1, 1000, 2000, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dragReached(c.code, c.x, c.y, 1000, 2000), c.reached)
            << c.code << " " << c.x << "," << c.y;

    EXPECT_TRUE(dragAxes(8002).horizontal && !dragAxes(8002).vertical);
    EXPECT_TRUE(!dragAxes(8004).horizontal && dragAxes(8004).vertical);
    EXPECT_TRUE(dragAxes(8007).horizontal && dragAxes(8007).vertical);
    EXPECT_FALSE(dragAxes(8005).any());
}

TEST(JudgingTarget, Releases) {
    using R = TargetRelease;
    struct Case {
        int code, button, shift;
        R result;
    };
    const Case cases[] = {
        {1, 1, 0, R::TakeBranch},   {1, 1, 1, R::Nothing},       {1, 1, 2, R::Nothing},
        {1, 2, 0, R::Nothing},      {2, 1, 0, R::Nothing},       {3, 2, 0, R::TakeBranch},
        {3, 2, 3, R::TakeBranch},   {3, 1, 0, R::Nothing},       {22, 1, 1, R::ConfirmText},
        {26, 1, 0, R::ConfirmText}, {28, 2, 0, R::Nothing},      {7772, 2, 0, R::ContextMenu},
        {7777, 1, 0, R::Nothing},   {9102, 2, 1, R::TakeBranch}, {9102, 2, 3, R::Nothing},
        {9102, 1, 1, R::Nothing},   {9201, 1, 2, R::TakeBranch}, {9004, 4, 0, R::TakeBranch},
        {9999, 1, 7, R::Nothing},   {30, 1, 0, R::JumpIfBranch}, {20, 2, 4, R::JumpIfBranch},
    };
    for (const Case &c : cases)
        EXPECT_EQ(targetRelease(c.code, c.button, c.shift), c.result)
            << c.code << " " << c.button << " " << c.shift;

    EXPECT_TRUE(pointOnRect(100, 200, 100, 200, 50, 60));
    EXPECT_TRUE(pointOnRect(150, 260, 100, 200, 50, 60));
    EXPECT_FALSE(pointOnRect(151, 260, 100, 200, 50, 60));
    EXPECT_FALSE(pointOnRect(100, 199, 100, 200, 50, 60));
}

TEST(JudgingHintFrame, SpotNumbersAndFrames) {
    struct Case {
        const char *code;
        int n;
        HintFrame frame;
    };
    const Case cases[] = {
        {"05", 5, HintFrame::Menu},   {"A5", 5, HintFrame::Menu},   {"D7", 7, HintFrame::Menu},
        {"10", 10, HintFrame::Menu},  {"12", 12, HintFrame::Tool},  {"30", 30, HintFrame::Hui},
        {"45", 45, HintFrame::Ctrl},  {"63", 63, HintFrame::Table}, {"69", 69, HintFrame::Table},
        {"67", 67, HintFrame::None},  {"68", 68, HintFrame::None},  {"70", 70, HintFrame::Start},
        {"75", 75, HintFrame::Start}, {"95", 95, HintFrame::MyPc},  {"S1", 0, HintFrame::None},
        {"Z3", 0, HintFrame::None},   {"T0", 0, HintFrame::None},   {"00", 0, HintFrame::None},
        {"6A", 6, HintFrame::Menu},
    };
    for (const Case &c : cases) {
        const ExpectedHit e(QStringLiteral("H") + QLatin1String(c.code) +
                            QStringLiteral("0000000"));
        EXPECT_EQ(hintSpotNumber(e), c.n) << c.code;
        EXPECT_EQ(hintFrameOf(hintSpotNumber(e)), c.frame) << c.code;
    }
}

TEST(JudgingHintFrame, PassesInOrder) {
    auto marks = [](const QString &e1, const QString &e2, const QString &e3) {
        return hintMarks(StepRecord(StepBuilder().hit(1, e1).hit(2, e2).hit(3, e3).build()));
    };
    const QString none = QStringLiteral("0000000000");
    // Entry 3 first, entry 1 last; kind "D" only counts in entries 2 and 3.
    auto m = marks(QStringLiteral("H150000000"), none, QStringLiteral("H120000000"));
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].spot, 12);
    EXPECT_EQ(m[1].spot, 15);
    m = marks(QStringLiteral("D050000000"), QStringLiteral("D050000000"), none);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].frame, HintFrame::Menu);
    EXPECT_TRUE(marks(QStringLiteral("Q010000000"), none, none).empty());
    // Entry 4 is never read.
    EXPECT_TRUE(
        hintMarks(StepRecord(StepBuilder().hit(4, QStringLiteral("H630000000")).build())).empty());
}

TEST(JudgingPointers, CursorCodes) {
    PointerChoice p = pointerOf(QStringLiteral("S0015"));
    EXPECT_EQ(p.kind, PointerChoice::Standard);
    EXPECT_EQ(p.number, 15);
    p = pointerOf(QStringLiteral("M0003"));
    EXPECT_EQ(p.kind, PointerChoice::Custom);
    EXPECT_EQ(p.cursorFile, QStringLiteral("ico03.CUR"));
    EXPECT_EQ(pointerOf(QStringLiteral("00000")).kind, PointerChoice::Default);
    // The drag source takes any letter but "S" as a cursor file.
    p = pointerOf(QStringLiteral("00000"), true);
    EXPECT_EQ(p.kind, PointerChoice::Custom);
    EXPECT_EQ(p.cursorFile, QStringLiteral("ico00.CUR"));
}
