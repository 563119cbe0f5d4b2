#include "records_fixture.h"

#include "child_process.h"
#include "file_size_limit.h"
#include "panel/record_files.h"

using namespace panel;
using paneltest::crlf;

namespace {

struct AppendCase {
    const char *what;
    CodesWithFlags list;
    QStringList candidates;
    CodesWithFlags expected;
};

TEST(CodeLists, AppendKeepsOrderAndGivesEveryNewCodeAnF) {
    QString many, manyFlags;
    QStringList fortyFive;
    for (int i = 1; i <= 45; ++i) {
        fortyFive << QStringLiteral("01%1").arg(i, 2, 10, QLatin1Char('0'));
        many += fortyFive.last();
    }
    const AppendCase cases[] = {
        {"one new code after a known one", {"0105", "T"}, {"0105", "0301"}, {"01050301", "TF"}},
        {"short flag line padded to one per code", {"0101020203030404", "TT"}, {"0505"},
         {"01010202030304040505", "TTFFF"}},
        {"only whole entries count as held", {"10105000", "FF"}, {"0105"}, {"101050000105", "FFF"}},
        {"more than forty codes all get a flag", {"", ""}, fortyFive, {many, QString(45, 'F')}},
        {"long flag line cut to the codes", {"0101", "TFT"}, {}, {"0101", "T"}},
        {"empty list, no candidates", {"", ""}, {}, {"", ""}},
        {"a candidate named twice goes in once", {"", ""}, {"0301", "0301"}, {"0301", "F"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(appendCodes(c.list, c.candidates), c.expected) << c.what;
}

// A list damaged by hand, or read from bytes that are not GBK, may end in
// 1 to 3 characters that are no code. The codes appended follow that tail
// as they are (the list is not repaired), and every one of them gets in:
// a later candidate is compared with the whole entries as read and the
// codes appended so far, never with 4-character windows of the grown text
// (after "010502" + "0301", the window "0203" is no entry).
TEST(CodeLists, AppendAfterARaggedTailLosesNoCandidate) {
    // Expected lists written as the list, then the codes appended.
    const auto then = [](QStringList parts) { return parts.join(QString()); };
    const AppendCase cases[] = {
        {"tail of two, a code matching a window of the grown text",
         {"010502", "T"},
         {"0301", "0203"},
         {then({"010502", "0301", "0203"}), "TFF"}},
        {"tail of three",
         {"0105023", ""},
         {"0102", "0230"},
         {then({"0105023", "0102", "0230"}), "FFF"}},
        {"tail of one", {"01052", "F"}, {"0301", "2030"}, {then({"01052", "0301", "2030"}), "FFF"}},
        {"a whole entry of the list is held", {"010502", "F"}, {"0105"}, {"010502", "F"}},
        {"the tail itself is no entry",
         {"0105020", "F"},
         {"0200"},
         {then({"0105020", "0200"}), "FF"}},
        {"a candidate named twice still goes in once",
         {"010502", ""},
         {"0301", "0301"},
         {then({"010502", "0301"}), "FF"}},
    };
    for (const auto &c : cases) EXPECT_EQ(appendCodes(c.list, c.candidates), c.expected) << c.what;
}

TEST(CodeLists, RemoveTakesTheCodeAndTheFlagAtItsPosition) {
    struct Case {
        CodesWithFlags list;
        const char *code;
        CodesWithFlags expected;
    } cases[] = {
        {{"010502030301", "TFT"}, "0203", {"01050301", "TT"}},
        {{"010502030301", "TFT"}, "0105", {"02030301", "FT"}},
        {{"010502030301", "TF"}, "0301", {"01050203", "TF"}}, // no flag of its own
        {{"01050203", "TF"}, "0999", {"01050203", "TF"}},
        {{"10105000", "FF"}, "0105", {"10105000", "FF"}},    // not a whole entry
    };
    for (const auto &c : cases) EXPECT_EQ(removeCode(c.list, c.code), c.expected) << c.code;
}

TEST(CodeLists, FlagAndCodeHelpers) {
    EXPECT_EQ(setFlag("FFFF", 2), "FTFF");
    EXPECT_EQ(setFlag("FF", 5), "FFFFT"); // lands on its own code
    EXPECT_EQ(setFlag("", 1), "T");
    EXPECT_EQ(setFlag("TF", 0), "TF");
    EXPECT_EQ(removeChar("TFT", 2), "TT");
    EXPECT_EQ(removeChar("TFT", 4), "TFT");
    EXPECT_EQ(codeText(105), "0105");
    EXPECT_EQ(codeText(2401), "2401");
    EXPECT_EQ(codeCount("0105020"), 1);
    EXPECT_EQ(codeAt("01050203", 2), "0203");
    EXPECT_EQ(entryOf("010502030105", "0105"), 1);
    EXPECT_EQ(entryOf("10105000", "0105"), 0);
    EXPECT_EQ(paperWrongFileName(3), "182403");
    EXPECT_EQ(paperWrongFileName(22), "182422");
}

TEST(UnitProgress, HomePageShapeFillsToTheQuestionCount) {
    EXPECT_EQ(normalisedUnitLine("TTT", 12), "TTT" + QString(9, 'F'));
    EXPECT_EQ(normalisedUnitLine("TTTTTTT", 5), "TTTTT");
    EXPECT_EQ(normalisedUnitLine("", 0), "");
    EXPECT_EQ(normalisedUnitLine("", 50), QString(50, 'F')); // past 42 as well
    EXPECT_EQ(unitProgressToWrite({"TF", "FFF"}, 3), QStringList({"TF", "FFF", "", ""}));
}

class RecordFilesTest : public paneltest::RecordsTest {};

TEST_F(RecordFilesTest, OneLineFilesReadAsTheirTrimmedFirstLine) {
    struct Case {
        const char *what;
        QByteArray bytes; // empty: no file
        bool create;
        QString expected;
    } cases[] = {
        {"missing", "", false, ""},
        {"empty", "", true, ""},
        {"blanks around", "  0105 \r\n", true, "0105"},
        {"no line end", "01050203", true, "01050203"},
        {"more lines", "0105\r\n0999\r\n", true, "0105"},
        {"LF only", "0105\n0999", true, "0105"},
        {"bytes that are not GBK", "\xff\xff" "0105\r\n", true, QString(QChar(0xFFFD)) + QChar(0xFFFD) + "0105"},
    };
    for (const auto &c : cases) {
        QFile::remove(record("288862"));
        if (c.create) put("288862", c.bytes);
        bool readable = false;
        EXPECT_EQ(files.readOneLine("288862", &readable), c.expected) << c.what;
        EXPECT_TRUE(readable) << c.what;
    }
    EXPECT_EQ(reports(), 0);
}

TEST_F(RecordFilesTest, OneLineWriteHoldsTheLineAndCrLf) {
    ASSERT_TRUE(files.writeOneLine("288872", "TF"));
    EXPECT_EQ(bytes("288872"), "TF\r\n");
    ASSERT_TRUE(files.writeOneLine("288872", ""));
    EXPECT_EQ(bytes("288872"), "\r\n");
}

TEST_F(RecordFilesTest, UnreadableIsReportedOnceAndNeverRewritten) {
    makeUnreadable("288862");
    bool readable = true;
    EXPECT_EQ(files.readOneLine("288862", &readable), "");
    EXPECT_FALSE(readable);
    files.readOneLine("288862");
    EXPECT_EQ(reports(), 1);
    EXPECT_EQ(s.LastErrorProc, "recordfiles");
    EXPECT_FALSE(files.writeOneLine("288862", "0105"));
    EXPECT_TRUE(isHeldBack(record("288862")));
    // Another file is not affected.
    EXPECT_TRUE(files.writeOneLine("288872", "T"));
}

// Every file of the folder read here, met before the run log is named (as
// the start meets them): the report waits for the log and comes once; the
// candidate is told of the records, held back for the run, and not of the
// banner's copy, which the next update fetches again whatever it holds.
TEST_F(RecordFilesTest, UnreadableBeforeTheLogIsNamedIsReportedOnceThenAndToldUnlessFetchedAgain) {
    const struct {
        const char *name;
        bool record;
    } cases[] = {{"288890", true}, {"288891", true}, {"182429", true}, {"170100", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        forgetHeldBackRecords();
        QFile::remove(s.RunLogPath);
        const QString logPath = std::exchange(s.RunLogPath, QString());
        makeUnreadable(c.name);
        EXPECT_FALSE(files.read(c.name).readable);
        EXPECT_FALSE(files.read(c.name).readable);
        EXPECT_TRUE(heldBackToTell().isEmpty()); // nothing while no log is named
        s.RunLogPath = logPath;
        EXPECT_EQ(heldBackToTell(), c.record ? QStringList{c.name} : QStringList());
        EXPECT_EQ(reports(), 1);
        EXPECT_FALSE(files.read(c.name).readable);
        EXPECT_TRUE(heldBackToTell().isEmpty());
        EXPECT_EQ(reports(), 1);
        EXPECT_EQ(isHeldBack(record(c.name)), c.record);
    }
}

// A list whose flags cannot be read, or flags whose list cannot be, pair
// with nothing: both read as empty.
TEST_F(RecordFilesTest, AListAndItsFlagsReadAsNoneWhenEitherCannotBeRead) {
    for (const char *unreadable : {"288863", "288873"}) {
        SCOPED_TRACE(unreadable);
        forgetHeldBackRecords();
        put("288863", "01030104\r\n");
        put("288873", "FT\r\n");
        QFile::remove(record(unreadable));
        makeUnreadable(unreadable);
        bool readable = true;
        EXPECT_EQ(files.readList(recname::WrongQuestions, recname::WrongFlags, &readable),
                  CodesWithFlags{});
        EXPECT_FALSE(readable);
        QDir(record(unreadable)).removeRecursively();
    }
    put("288863", "01030104\r\n");
    put("288873", "FT\r\n");
    EXPECT_EQ(files.readList(recname::WrongQuestions, recname::WrongFlags),
              (CodesWithFlags{"01030104", "FT"}));
}

// One action writes its files together: until its commit nothing reaches
// the disk, and its own reads see what it wrote (the end of a set reads
// back the favourites it wrote; a favourites set writes their flags twice).
TEST_F(RecordFilesTest, AnActionsReadsSeeItsWritesWhichReachTheDiskTogetherAtItsCommit) {
    put("288862", "0105\r\n");
    put("288872", "T\r\n");
    RecordAction action(files);
    EXPECT_TRUE(action.writeList(recname::Favourites, recname::FavouriteFlags, {"01050301", "TF"}));
    EXPECT_TRUE(action.writeOneLine(recname::FavouriteFlags, "TT"));
    PaperHistoryTable history = action.readHistory();
    history.setBestScore(1, "85");
    EXPECT_TRUE(action.writeHistory(history));

    EXPECT_EQ(action.readList(recname::Favourites, recname::FavouriteFlags),
              CodesWithFlags({"01050301", "TT"}));
    EXPECT_EQ(action.readHistory().bestScore(1), "85");
    EXPECT_EQ(files.readList(recname::Favourites, recname::FavouriteFlags),
              CodesWithFlags({"0105", "T"}));
    EXPECT_EQ(bytes("288862"), "0105\r\n");
    EXPECT_FALSE(exists("288892"));

    EXPECT_TRUE(action.commit());
    EXPECT_TRUE(action.unsaved().isEmpty());
    EXPECT_EQ(bytes("288862"), "01050301\r\n");
    EXPECT_EQ(bytes("288872"), "TT\r\n");
    EXPECT_EQ(files.readHistory().bestScore(1), "85");
    // No temporary file and no journal is left.
    EXPECT_EQ(QDir(s.UserDataFolder).entryList(QDir::Files),
              QStringList({"288862.mxy", "288872.mxy", "288892.mxy"}));
    EXPECT_TRUE(RecordAction(files).commit()); // an action that wrote nothing
}

// After a commit the disk could not take (a full disk: here a file-size
// limit in a child), the action reads what stayed on the disk, not what it
// meant to write: the pages built from it must not show records that were
// never saved.
TEST_F(RecordFilesTest, ChildReadsTheDiskAfterACommitThatFailed) {
    if (testsupport::childRole() != "fsize") GTEST_SKIP() << testsupport::kChildOnly;
    put("288862", "0105\r\n");
    put("288872", "T\r\n");
    RecordAction action(files);
    QString codes, flags;
    for (int k = 0; k < 1000; ++k) {
        codes += QStringLiteral("%1").arg(1000 + k, 4, 10, QLatin1Char('0'));
        flags += 'F';
    }
    ASSERT_TRUE(action.writeList(recname::Favourites, recname::FavouriteFlags, {codes, flags}));
    EXPECT_EQ(action.readList(recname::Favourites, recname::FavouriteFlags).codes, codes);

    testsupport::FileSizeLimit limit(1024);
    ASSERT_TRUE(limit.set());
    EXPECT_FALSE(action.commit());
    EXPECT_EQ(action.unsaved(), QStringList({"288862", "288872"}));
    EXPECT_EQ(action.readList(recname::Favourites, recname::FavouriteFlags),
              CodesWithFlags({"0105", "T"}));
    EXPECT_EQ(bytes("288862"), "0105\r\n");
}

TEST(RecordFilesFaults, AnActionReadsTheDiskAfterACommitThatFailed) {
    const auto run =
        testsupport::runChild("RecordFilesTest.ChildReadsTheDiskAfterACommitThatFailed", "fsize");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

TEST_F(RecordFilesTest, HistoryReadsDefaultsUnderTheFileAndWritesThirtyOneRecords) {
    for (int n : {0, 3, 94, 150}) {
        QStringList lines;
        for (int i = 1; i <= n; ++i) lines << QStringLiteral("L%1").arg(i);
        QFile::remove(record("288892"));
        if (n) put("288892", crlf(lines));
        const PaperHistoryTable t = files.readHistory();
        ASSERT_EQ(t.lines().size(), 100) << n;
        for (int i = 1; i <= 100; ++i) {
            const QString dflt = i % 3 == 1 ? "您还未考试！" : i % 3 == 2 ? "0" : "E";
            EXPECT_EQ(t.lines()[i - 1], i <= n ? QStringLiteral("L%1").arg(i) : dflt) << n << " " << i;
        }
    }
    PaperHistoryTable t;
    t.setLastExamTime(2, "2015-03-07 14:05:09");
    t.setBestScore(2, "97.5");
    ASSERT_TRUE(files.writeHistory(t));
    const QByteArray written = bytes("288892");
    const QList<QByteArray> lines = written.split('\n');
    ASSERT_EQ(lines.size(), 95); // 93 lines, the empty line, and nothing after its CR LF
    EXPECT_EQ(lines[6], "2015-03-07 14:05:09\r");
    EXPECT_EQ(lines[7], "97.5\r");
    EXPECT_EQ(lines[8], "E\r");
    EXPECT_EQ(lines[92], "E\r");
    EXPECT_EQ(lines[93], "\r");
    EXPECT_TRUE(written.endsWith("E\r\n\r\n"));
    EXPECT_EQ(written.left(14), QByteArray("\xc4\xfa\xbb\xb9\xce\xb4\xbf\xbc\xca\xd4\xa3\xa1\r\n"));
}

TEST_F(RecordFilesTest, UnitProgressReadsTwentySixLinesAndWritesTheFirstN) {
    QStringList lines;
    for (int i = 0; i < 30; ++i) lines << QStringLiteral("T%1").arg(i);
    put("288893", crlf(lines));
    const QStringList read = files.readUnitProgress();
    ASSERT_EQ(read.size(), 26);
    EXPECT_EQ(read.last(), "T25");
    ASSERT_TRUE(files.writeUnitProgress({"TT", "F"}, 3));
    EXPECT_EQ(bytes("288893"), "TT\r\nF\r\n\r\n\r\n");
}

} // namespace
