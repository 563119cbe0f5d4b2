// Reading the fields of step records, and the step-engine's bank files.
#include "simulator/step_files.h"
#include "simulator/step_record.h"
#include "step_builder.h"

#include "platform/text.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

using sample::StepBuilder;
using sim::StepRecord;

namespace {

// The records here are written out column by column, not through the
// sample's step builder: a column that the builder and the reader both
// got wrong would otherwise pass.

// A value in every field, so that a column read one place off shows up
// as a wrong value.
// clang-format off
const char *const kFullRecord =
    "L12" "P" "W" "B" "5"                    // 1-7 lead, window kind, view, bar, panes
    "0022" "l30001"                          // 8-17 action, background
    "00011" "1" "0012" "p00001"              // 18-33 picture 1: X, branch, Y, name
    "00021" "2" "0022" "p00002"              // 34-49 picture 2
    "00031" "3" "0032" "p00003"              // 50-65 picture 3
    "06600" "7" "7200" "07600" "08100"       // 66-85 target: X, branch, Y, W, H
    "01200" "0" "4500" "03000" "00450" "014" // 86-108 input box: X, -, Y, W, H, first text
    "109"                                    // 109-111 answer line
    "11200" "01170" "122"                    // 112-124 hint: X, Y, line
    "0" "120" "R" "0" "5" "2" "3" "4"        // 125-134 text: -, size, align, -, bits, font, colours
    "00041" "4" "0042" "p00004"              // 135-150 picture 4
    "00051" "5" "0052" "p00005"              // 151-166 picture 5
    "16700" "17200"                          // 167-176 drag target: X, Y
    "17700" "S" "1830" "01870" "01920"       // 177-196 source: X, branch, Y, W, H
    "00061" "6" "0062" "p00006";             // 197-212 picture 6
// clang-format on

StepRecord fullRecord() {
    return StepRecord(QString::fromLatin1(kFullRecord));
}

// 212 columns of "0" with the given texts at the given columns (from 1).
StepRecord zerosWith(std::initializer_list<std::pair<int, QString>> fields) {
    QString line(212, QLatin1Char('0'));
    for (const auto &[column, text] : fields) line.replace(column - 1, text.size(), text);
    return StepRecord(line);
}

} // namespace

// The sample's questions are written through the builder: it must put
// every field where the reader looks for it.
TEST(StepRecordTest, TheSampleBuilderWritesTheColumnsTheReaderReads) {
    const QString built = StepBuilder()
                              .lead("L12")
                              .windowKind('P')
                              .viewVariant('W')
                              .menuBar('B')
                              .paneFlags(5)
                              .action("0022")
                              .background("l30001")
                              .picture(1, 11, 12, "p00001", '1')
                              .picture(2, 21, 22, "p00002", '2')
                              .picture(3, 31, 32, "p00003", '3')
                              .target(6600, 7200, 7600, 8100, '7')
                              .textBox(1200, 4500, 3000, 450, 14)
                              .answerLine(109)
                              .hint(11200, 1170, 122)
                              .textStyle(120, 'R', 5, 2, 3, 4)
                              .picture(4, 41, 42, "p00004", '4')
                              .picture(5, 51, 52, "p00005", '5')
                              .dragTarget(16700, 17200)
                              .source(17700, 1830, 1870, 1920, 'S')
                              .picture(6, 61, 62, "p00006", '6')
                              .build();
    EXPECT_EQ(built, QString::fromLatin1(kFullRecord));

    // The fields that share columns with others.
    using B = StepBuilder;
    struct Case {
        QString built;
        int column;
        const char *text;
    };
    const Case cases[] = {
        {B().hit(1, B::entry('H', "A3", 2, 0, 0, '0')), 125, "HA30200000"},
        {B().hit(2, B::entry('D', "61", 4, 5, 6, 'B')), 86, "D61040506B"},
        {B().hit(3, B::entry('H', "84", 10, 3, 0, 'Z')), 96, "H84100300Z"},
        {B().hit(4, B::entry('Q', "00", 0, 0, 0, '3')), 167, "Q000000003"},
        {B().keyAlts("P6113", "P6213", "P6413"), 86, "P6113P6213P6413"},
        {B().cursor('M', 7), 101, "M0007"},
        {B().cursor('S', 12).dropBranch('4'), 101, "S4012"},
        {B().tabStep('B', '3', 'A', 2), 130, "XB3A2"},
        {B().backEntry("Q0002", 9000, 6600), 125, "Q0002"},
        {B().backEntry("Q0002", 9000, 6600), 167, "0900006600"},
        {B().extraPicture("e12345"), 167, "e123405"},
        {B().barPosition(1500, 2400), 167, "W150002400"},
        {B().contextPanel("69"), 126, "69"},
        {B().noBars(), 6, "EE"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.built.size(), 212);
        EXPECT_EQ(c.built.mid(c.column - 1, int(strlen(c.text))), QLatin1String(c.text));
    }
}

TEST(StepRecordTest, ReadsEveryFieldOfAFullRecord) {
    const StepRecord r = fullRecord();
    ASSERT_EQ(r.line().size(), 212);
    EXPECT_EQ(r.leadField(), "L12");
    EXPECT_EQ(r.windowKind(), "P");
    EXPECT_EQ(r.viewVariant(), "W");
    EXPECT_EQ(r.menuBarVariant(), "B");
    EXPECT_FALSE(r.noBars());
    EXPECT_EQ(r.paneFlags(), 5);
    EXPECT_TRUE(r.showsToolStrip());
    EXPECT_EQ(r.taskPaneVariant(), 2);
    EXPECT_EQ(r.actionCode(), "0022");
    EXPECT_EQ(r.actionValue(), 22);
    EXPECT_EQ(r.backPicture(), "l30001");

    struct SlotCase {
        int slot, x, y;
        const char *picture, *branch;
    };
    const SlotCase slotCases[] = {{1, 11, 12, "p00001", "1"}, {2, 21, 22, "p00002", "2"},
                                  {3, 31, 32, "p00003", "3"}, {4, 41, 42, "p00004", "4"},
                                  {5, 51, 52, "p00005", "5"}, {6, 61, 62, "p00006", "6"}};
    for (const auto &c : slotCases) {
        SCOPED_TRACE(c.slot);
        const auto s = r.pictureSlot(c.slot);
        EXPECT_EQ(s.x, c.x);
        EXPECT_EQ(s.y, c.y);
        EXPECT_EQ(s.picture, c.picture);
        EXPECT_EQ(s.branch, c.branch);
    }

    EXPECT_TRUE(r.hasTarget());
    const auto t = r.targetRect();
    EXPECT_EQ(t.x, 6600);
    EXPECT_EQ(t.branch, "7");
    EXPECT_EQ(t.y, 7200);
    EXPECT_EQ(t.w, 7600);
    EXPECT_EQ(t.h, 8100);

    EXPECT_TRUE(r.hasTextBox());
    const auto b = r.textBoxRect();
    EXPECT_EQ(b.x, 1200);
    EXPECT_EQ(b.y, 4500);
    EXPECT_EQ(b.w, 3000);
    EXPECT_EQ(b.h, 450);
    EXPECT_EQ(r.initialTextLineField(), "014");
    EXPECT_EQ(r.answerLineField(), "109");

    EXPECT_TRUE(r.hasHintPos());
    EXPECT_EQ(r.hintX(), 11200);
    EXPECT_EQ(r.hintY(), 1170);
    EXPECT_EQ(r.hintLineField(), "122");

    const auto st = r.textStyle();
    EXPECT_EQ(st.fontSizeTenths, 120);
    EXPECT_EQ(st.alignment, "R");
    EXPECT_EQ(st.styleBits, 5);
    EXPECT_EQ(st.fontIndex, 2);
    EXPECT_EQ(st.foreIndex, 3);
    EXPECT_EQ(st.backIndex, 4);

    EXPECT_EQ(r.dragTargetX(), 16700);
    EXPECT_EQ(r.dragTargetY(), 17200);
    EXPECT_FALSE(r.hasBarPosition());

    EXPECT_TRUE(r.hasSource());
    const auto s = r.sourceRect();
    EXPECT_EQ(s.x, 17700);
    EXPECT_EQ(s.branch, "S");
    EXPECT_EQ(s.y, 1830);
    EXPECT_EQ(s.w, 1870);
    EXPECT_EQ(s.h, 1920);
}

TEST(StepRecordTest, ReadsTheSharedColumnsEachWay) {
    // Answer entries: columns 125, 86, 96, 167.
    const StepRecord hits = zerosWith(
        {{125, "HA30200000"}, {86, "D61040506B"}, {96, "H84100300Z"}, {167, "Q000000003"}});
    EXPECT_EQ(hits.expectedHit(1).text(), "HA30200000");
    const auto h2 = hits.expectedHit(2);
    EXPECT_EQ(h2.kind(), "D");
    EXPECT_EQ(h2.hitCode(), "61");
    EXPECT_EQ(h2.level1(), "04");
    EXPECT_EQ(h2.level2(), "05");
    EXPECT_EQ(h2.level3(), "06");
    EXPECT_EQ(h2.branch(), "B");
    EXPECT_EQ(hits.expectedHit(3).text(), "H84100300Z");
    EXPECT_EQ(hits.expectedHit(4).kind(), "Q");
    EXPECT_EQ(hits.expectedHit(4).branch(), "3");
    // An entry in columns 86-95 begins with a letter: no input box.
    EXPECT_FALSE(hits.hasTextBox());

    // Key alternatives and the target's pointer share 86-105.
    const StepRecord keys = zerosWith({{8, "6013"}, {86, "P6113P6213P6413M0007"}});
    EXPECT_EQ(keys.keyAlt(1), "P6113");
    EXPECT_EQ(keys.keyAlt(2), "P6213");
    EXPECT_EQ(keys.keyAlt(3), "P6413");
    EXPECT_EQ(keys.cursorKind(), "M");
    EXPECT_EQ(keys.cursorNumber(), "07");
    EXPECT_FALSE(keys.hasTextBox());

    const StepRecord drop = zerosWith({{8, "0051"}, {101, "S4012"}});
    EXPECT_EQ(drop.cursorCode(), "S4012");
    EXPECT_EQ(drop.dropBranch(), "4");
    EXPECT_EQ(drop.actionShift(), 1);

    // TabSpec XB3A2: row 1, tab 3 shown, tab 10 expected, page in Image2.
    const auto ts = zerosWith({{130, "XB3A2"}}).tabSpec();
    EXPECT_TRUE(ts.isTabStep);
    EXPECT_EQ(ts.row, 1);
    EXPECT_EQ(ts.shown, 3);
    EXPECT_EQ(ts.expected, 10);
    EXPECT_EQ(ts.pictureSlot, 2);

    // Back-step entry and its label position.
    const StepRecord back = zerosWith({{125, "Q0002"}, {167, "0900006600"}});
    EXPECT_TRUE(back.hasBackEntry());
    EXPECT_EQ(back.backEntry(), "Q0002");
    EXPECT_EQ(back.backLabelX(), 9000);
    EXPECT_EQ(back.backLabelY(), 6600);

    // Extra picture: its name skips column 172, which names its hover look.
    const StepRecord extra = zerosWith({{4, "S"}, {167, "e123475"}});
    EXPECT_EQ(extra.extraPicCode(), "e123475");
    EXPECT_EQ(extra.extraPicName(), "e12345");
    EXPECT_EQ(extra.extraPicHoverName(), "e12347");
    EXPECT_TRUE(extra.namesExtraPic());

    // Bar position.
    const StepRecord bar = zerosWith({{6, "A"}, {167, "W150002400"}});
    EXPECT_TRUE(bar.hasBarPosition());
    EXPECT_EQ(bar.barX(), 1500);
    EXPECT_EQ(bar.barY(), 2400);

    // Context panel code of "7772"/"7777".
    EXPECT_EQ(zerosWith({{8, "7777"}, {125, "H69"}}).contextPanelCode(), "69");

    // "EE" in columns 6-7 and in columns 4-5 are read apart.
    const StepRecord noBars = zerosWith({{4, "PWEE"}});
    EXPECT_TRUE(noBars.noBars());
    EXPECT_FALSE(noBars.noWindow());
    const StepRecord noWindow = zerosWith({{4, "EEB1"}});
    EXPECT_TRUE(noWindow.noWindow());
    EXPECT_FALSE(noWindow.noBars());
    EXPECT_EQ(fullRecord().windowAndView(), "PW");
}

TEST(StepRecordTest, ARecordEndingEarlyReadsEmptyAndZeroFields) {
    struct Case {
        int length;
        bool target, textBox, source, hintPos;
        const char *slot6, *hit4;
    };
    const StepRecord full = fullRecord();
    const Case cases[] = {
        {212, true, true, true, true, "p00006", "1670017200"},
        {206, true, true, true, true, "", "1670017200"},
        {170, true, true, false, true, "", "1670"},
        {100, true, true, false, false, "", ""},
        {70, true, false, false, false, "", ""},
        {3, false, false, false, false, "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.length);
        const StepRecord r(full.line().left(c.length));
        // A field cut off by the record's end names nothing.
        EXPECT_EQ(r.hasTarget(), c.target);
        EXPECT_EQ(r.hasTextBox(), c.textBox);
        EXPECT_EQ(r.hasSource(), c.source);
        EXPECT_EQ(r.hasHintPos(), c.hintPos);
        EXPECT_EQ(r.slotPicture(6), c.slot6);
        EXPECT_EQ(r.expectedHit(4).text(), c.hit4);
    }
    const StepRecord empty;
    EXPECT_EQ(empty.actionCode(), "");
    EXPECT_EQ(empty.actionValue(), 0);
    EXPECT_EQ(empty.pictureSlot(3).x, 0);
    EXPECT_EQ(empty.tabSpec().row, -1);
    EXPECT_FALSE(empty.tabSpec().isTabStep);
}

TEST(StepRecordTest, LettersWhereDigitsBelongReadZero) {
    const StepRecord r =
        zerosWith({{66, "ab123"}, {72, "12x4"}, {8, "9a99"}, {131, "X"}, {18, " 1 2 "}});
    EXPECT_EQ(r.targetRect().x, 0);
    EXPECT_EQ(r.targetRect().y, 12);
    EXPECT_EQ(r.actionValue(), 9);
    EXPECT_EQ(r.textStyle().styleBits, 0);
    EXPECT_EQ(r.pictureSlot(1).x, 12); // blanks inside a number are skipped
}

TEST(StepRecordTest, TheInputBoxTestReadsAllTwentyDigits) {
    struct Case {
        const char *columns;
        bool box;
    };
    const Case cases[] = {
        {"00000000000000000000", false},
        {"00000000000000000001", true}, // the last digit alone counts
        {"99999999999999999999", true}, // more than any 64-bit integer holds
        {"01200045000300000450", true},
        {"H020100000D610000000", false}, // answer entries
        {"0000A000010000000000", false}, // the number ends at the letter
        {"   00 0 0 0 00000005", true},  // blanks are skipped
        {"P6013P6113P621300000", false},
        {"0000.000000000000001", true},
        {"-0000000000000000010", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.columns);
        const StepRecord r = zerosWith({{86, c.columns}});
        EXPECT_EQ(r.hasTextBox(), c.box);
    }
    // Columns 86-105 "01200", "0", "4500", "03000", "00450": a box at 1200, 4500.
    const StepRecord r = zerosWith({{86, "01200045000300000450"}});
    EXPECT_EQ(r.textBoxRect().x, 1200);
    EXPECT_EQ(r.textBoxRect().y, 4500);
    EXPECT_EQ(r.textBoxRect().w, 3000);
    EXPECT_EQ(r.textBoxRect().h, 450);
}

TEST(StepRecordTest, BranchCharactersNameSteps) {
    struct Case {
        const char *branch;
        int step;
    };
    const Case cases[] = {{"0", 0},  {"1", 1},  {"5", 5}, {"9", 9}, {"A", 10},
                          {"C", 12}, {"Z", 35}, {"a", 9}, {"#", 9}, {"", 9}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.branch);
        EXPECT_EQ(sim::branchStep(QString::fromLatin1(c.branch)), c.step);
    }
}

TEST(StepRecordTest, TabSpecLettersAndNumbers) {
    struct Case {
        char row, shown, expected;
        int wantRow, wantShown, wantExpected;
    };
    const Case cases[] = {{'A', '1', '9', 0, 1, 9},
                          {'U', 'D', 'B', 20, 13, 11},
                          {'V', 'C', '2', -1, 12, 2},
                          {'3', 'E', '0', -1, 0, 0},
                          {'a', '5', '5', -1, 5, 5}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.row);
        const auto t =
            zerosWith({{130, QStringLiteral("X") + c.row + c.shown + c.expected + '1'}}).tabSpec();
        EXPECT_EQ(t.row, c.wantRow);
        EXPECT_EQ(t.shown, c.wantShown);
        EXPECT_EQ(t.expected, c.wantExpected);
    }
}

// ---- files ----

class StepFilesTest : public ::testing::Test {
protected:
    QString write(const QString &name, const QStringList &lines) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(platform::writeLinesAtomic(path, lines));
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(StepFilesTest, LineNOrTheLastLine) {
    const QString path = write("288820.mxy", {"first", "second", "third"});
    struct Case {
        int n;
        const char *line;
    };
    const Case cases[] = {{1, "first"},  {2, "second"}, {3, "third"}, {4, "third"},
                          {99, "third"}, {0, "third"},  {-3, "third"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.n);
        ASSERT_TRUE(sim::readLineNOrLast(path, c.n).has_value());
        EXPECT_EQ(*sim::readLineNOrLast(path, c.n), c.line);
    }
    EXPECT_FALSE(sim::readLineNOrLast(dir.filePath("missing.mxy"), 1).has_value());
    EXPECT_FALSE(sim::readLineNOrLast(write("empty.mxy", {}), 1).has_value());
}

TEST_F(StepFilesTest, AnswerTextsAndAlternatives) {
    const QString path =
        write("288890.mxy", {"001abc|ABC", "002abc", "003x|y|z", QString::fromUtf8("004文件夹")});
    EXPECT_EQ(*sim::readAnswerText(path, 1), "abc|ABC");
    EXPECT_EQ(*sim::readAnswerText(path, 4), QString::fromUtf8("文件夹"));
    EXPECT_EQ(*sim::readAnswerText(path, 9), QString::fromUtf8("文件夹"));
    EXPECT_EQ(sim::splitAlternatives("abc|ABC"), std::make_pair(QString("abc"), QString("ABC")));
    EXPECT_EQ(sim::splitAlternatives("abc"), std::make_pair(QString("abc"), QString("abc")));
    EXPECT_EQ(sim::splitAlternatives("x|y|z"), std::make_pair(QString("x"), QString("y|z")));
    EXPECT_EQ(sim::initialTextOf("x|y"), "x");
    EXPECT_EQ(sim::initialTextOf("xy"), "xy");
    EXPECT_FALSE(sim::readAnswerText(dir.filePath("nothing.mxy"), 1).has_value());
}

TEST_F(StepFilesTest, StyleTableRows) {
    QStringList rows;
    rows << QString::fromUtf8("0宋体") << "  1Arial  ";
    while (rows.size() < 10) rows << QString();
    rows << " 0255000000 "
         << "0012034056"
         << "07ab12x009"
         << "0999999999";
    while (rows.size() < 20) rows << QString();
    rows << "0255255192";
    while (rows.size() < 45) rows << "overflow";
    sim::StyleTable t;
    t.load(write("288905.mxy", rows));
    EXPECT_EQ(t.fontName(0), QString::fromUtf8("宋体"));
    EXPECT_EQ(t.fontName(1), "Arial");
    EXPECT_EQ(t.fontName(2), "");
    EXPECT_EQ(t.colour(10), QColor(255, 0, 0));
    EXPECT_EQ(t.colour(11), QColor(12, 34, 56));
    EXPECT_EQ(t.colour(12), QColor(7, 12, 9)); // leading digits of each part
    EXPECT_EQ(t.colour(13), QColor(255, 255, 255));
    EXPECT_EQ(t.colour(14), QColor(0, 0, 0)); // an empty line is black
    EXPECT_EQ(t.colour(20), QColor(255, 255, 192));
    EXPECT_EQ(t.row(40), "overflow");
    EXPECT_EQ(t.row(41), ""); // lines beyond 41 are ignored

    sim::StyleTable missing;
    missing.load(dir.filePath("absent.mxy"));
    EXPECT_EQ(missing.fontName(0), "");
    EXPECT_EQ(missing.colour(10), QColor(0, 0, 0));
}

TEST_F(StepFilesTest, TabSetRowsAndTheirFields) {
    // Three tabs, top 0120, height 300; pages t00001.. with Lefts 0, 900,
    // 2000 and the strip's end 2600; back label at 0150/0200, width 0900.
    QString row = "03"
                  "0120"
                  "300";
    auto group = [](const QString &pic, int left) {
        return pic + QString::number(left).rightJustified(4, '0');
    };
    row +=
        group("t00001", 0) + group("t00002", 900) + group("t00003", 2000) + group("000000", 1500);
    row = row.leftJustified(139, '0');
    row += "0150"
           "0200"
           "0900";
    sim::TabSetTable table;
    QStringList rows{"", row};
    for (int i = 0; i < 25; ++i) rows << "x";
    table.load(write("288906.mxy", rows));
    EXPECT_EQ(table.row(20), "x");
    EXPECT_EQ(table.row(21), "");
    const sim::TabSetRow r(table.row(1));
    EXPECT_EQ(r.tabCount(), 3);
    EXPECT_EQ(r.tabTop(), 120);
    EXPECT_EQ(r.tabHeight(), 300);
    EXPECT_EQ(r.pagePicture(2), "t00002");
    EXPECT_EQ(r.tabLeft(3), 2000);
    EXPECT_EQ(r.tabWidth(1), 900);
    EXPECT_EQ(r.tabWidth(2), 1100);
    EXPECT_EQ(r.tabWidth(3), 990); // the strip's end lies left of tab 3
    EXPECT_EQ(r.backLeft(), 150);
    EXPECT_EQ(r.backTop(), 200);
    EXPECT_EQ(r.backWidth(), 900);
    EXPECT_EQ(r.backHeight(), 5002); // columns 142-145 overlap Left and Top

    EXPECT_EQ(sim::TabSetRow("0D").tabCount(), 13);
    EXPECT_EQ(sim::TabSetRow("0E").tabCount(), 0);
    EXPECT_EQ(sim::TabSetRow("").tabCount(), 0);

    sim::TabSetTable missing;
    missing.load(dir.filePath("absent.mxy"));
    EXPECT_EQ(missing.row(0), "");
}
