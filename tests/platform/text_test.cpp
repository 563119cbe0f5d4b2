#include "file_bytes.h"
#include "platform/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <unistd.h>

using namespace platform;

TEST(Gbk, ChineseLineRoundTrip) {
    const QString line = QStringLiteral("操作成功！ 第1题：打开“控制面板”");
    const QByteArray bytes = encodeGbk(line);
    // Two bytes per Chinese character, one per ASCII character.
    EXPECT_EQ(bytes.left(10), QByteArray("\xb2\xd9\xd7\xf7\xb3\xc9\xb9\xa6\xa3\xa1"));
    EXPECT_EQ(decodeGbk(bytes), line);
    // Columns count decoded characters, not bytes.
    EXPECT_EQ(decodeGbk(bytes).size(), line.size());
}

TEST(Gbk, InvalidBytesDecodeToReplacementCharacters) {
    struct Case {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {QByteArray("A\xff"
                    "B"),
         QStringLiteral("A\uFFFDB")},
        // A lead byte cut off by the end of the text.
        {QByteArray("AB\xb2"), QStringLiteral("AB\uFFFD")},
        // A lead byte followed by a byte that cannot trail it: the second byte is kept.
        {QByteArray("\xb2 A"), QStringLiteral("\uFFFD A")},
        {QByteArray("\xb2\xd9\xff\xb3\xc9"), QStringLiteral("操\uFFFD成")},
        {QByteArray("\x80"), QStringLiteral("€")},
        {QByteArray(), QString()},
    };
    for (const Case &c : cases) EXPECT_EQ(decodeGbk(c.bytes), c.text) << c.bytes.toHex().data();
}

TEST(Gbk, CharactersOutsideGbkEncodeAsQuestionMark) {
    EXPECT_EQ(encodeGbk(QStringLiteral("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(encodeGbk(QStringLiteral("한中")), QByteArray("?\xd6\xd0"));
    EXPECT_EQ(encodeGbk(QString()), QByteArray());
}

TEST(Lines, ReadSplitsAtEveryKindOfLineEnd) {
    QTemporaryDir dir;
    struct Case {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"", {}},
        {"\xb2\xd9\xd7\xf7\r\n\xff\r\n", {QStringLiteral("操作"), QStringLiteral("\uFFFD")}},
    };
    const QString path = dir.filePath("lines.mxy");
    for (const Case &c : cases) {
        ASSERT_TRUE(testsupport::writeBytes(path, c.bytes));
        const auto lines = readLines(path);
        ASSERT_TRUE(lines.has_value());
        EXPECT_EQ(*lines, c.lines) << c.bytes.toHex().data();
    }
    EXPECT_FALSE(readLines(dir.filePath("missing.mxy")).has_value());
    EXPECT_FALSE(readLines(dir.path()).has_value());
}

TEST(Lines, ReadLineOrLastFallsBackToLastLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath("three.mxy");
    ASSERT_TRUE(testsupport::writeBytes(path, "one\r\ntwo\r\nthree\r\n"));
    struct Case {
        int n;
        QString line;
    } cases[] = {{1, "one"}, {2, "two"}, {3, "three"}, {4, "three"}, {100, "three"}, {0, "one"}};
    for (const Case &c : cases) EXPECT_EQ(readLineOrLast(path, c.n), c.line) << c.n;

    ASSERT_TRUE(testsupport::writeBytes(path, ""));
    EXPECT_FALSE(readLineOrLast(path, 1).has_value());
    EXPECT_FALSE(readLineOrLast(dir.filePath("missing.mxy"), 1).has_value());
}

TEST(Lines, WriteAtomicWritesGbkWithCrLfAndReplacesWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("rec.mxy");
    ASSERT_TRUE(
        testsupport::writeBytes(path, "a much longer old content that must vanish completely\r\n"));
    ASSERT_TRUE(writeLinesAtomic(path, {QStringLiteral("操作"), "", "x"}));
    EXPECT_EQ(testsupport::readBytes(path), QByteArray("\xb2\xd9\xd7\xf7\r\n\r\nx\r\n"));
    EXPECT_EQ(readLines(path), (QStringList{QStringLiteral("操作"), "", "x"}));

    ASSERT_TRUE(writeLinesAtomic(path, {}));
    EXPECT_EQ(testsupport::readBytes(path), QByteArray());
    // No temporary file is left beside the record.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"rec.mxy"});
}

TEST(Lines, WriteAtomicFailureKeepsOldFile) {
    QTemporaryDir dir;
    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(writeLinesAtomic(dir.filePath("nofolder/rec.mxy"), {"x"}));
    // A folder in the file's place is not replaced.
    ASSERT_TRUE(QDir().mkdir(dir.filePath("taken")));
    EXPECT_FALSE(writeLinesAtomic(dir.filePath("taken"), {"x"}));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken")).isDir());
}

// The new text goes to a new file that takes the old one's name; the old
// file itself is never written into. A second name of the old file keeps
// the old bytes, as a rewrite cut off half way would leave the record.
TEST(Lines, WriteAtomicNeverWritesIntoTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("rec.mxy");
    const QString other = dir.filePath("rec-link.mxy");
    ASSERT_TRUE(testsupport::writeBytes(path, "old\r\n"));
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
    ASSERT_TRUE(writeLinesAtomic(path, {"new"}));
    EXPECT_EQ(testsupport::readBytes(path), QByteArray("new\r\n"));
    EXPECT_EQ(testsupport::readBytes(other), QByteArray("old\r\n"));
}

TEST(Val, ReadsTheLeadingNumber) {
    struct Case {
        const char16_t *field;
        double value;
    } cases[] = {
        {u"123", 123},
        {u"  42", 42},
        {u"\t7", 7},
        {u"1 2 3", 123},
        {u"- 5", -5},
        {u"+5", 5},
        {u"-0012.50", -12.5},
        {u".5", 0.5},
        {u"3.", 3},
        {u"1.2.3", 1.2},
        {u"12abc", 12},
        {u"abc12", 0},
        {u"", 0},
        {u"   ", 0},
        {u"-", 0},
        {u".", 0},
        {u"--5", 0},
        {u"+-5", 0},
        {u"1e3", 1000},
        {u"1E+2", 100},
        {u"25e-1", 2.5},
        {u"1d2", 100},
        {u"1e", 1},
        {u"1e-", 1},
        {u"1e 2", 100},
        {u"e5", 0},
        {u"&H10", 0},
        {u"1,000", 1},
        {u"$5", 0},
        {u"7\n8", 78},
        {u"7\r8", 7},
        {u"15360", 15360},
        {u"0000", 0},
        // Full-width digits are not digits of a number.
        {u"１２", 0},
        {u"1e999", 0},
    };
    for (const Case &c : cases) {
        const QString field = QString::fromUtf16(c.field);
        EXPECT_DOUBLE_EQ(val(field), c.value) << field.toStdString();
    }
}

TEST(RoundEven, HalvesGoToTheEvenNeighbour) {
    struct Case {
        double v;
        int64_t r;
    } cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4999, 2},
        {2.5001, 3},
        {-2.5001, -3},
        {7.0, 7},
        {0.0, 0},
        {1e15 + 0.5, static_cast<int64_t>(1e15)},
        {0.49999999999999994, 0},
        {1e300, std::numeric_limits<int64_t>::max()},
        {-1e300, std::numeric_limits<int64_t>::min()},
        {std::nan(""), 0},
    };
    for (const Case &c : cases) EXPECT_EQ(roundEven(c.v), c.r) << c.v;
}

TEST(TrimBlanks, RemovesSpacesOnly) {
    struct Case {
        QString in, out;
    } cases[] = {
        {"  a b  ", "a b"}, {"\ta\t", "\ta\t"},
        {" \ta ", "\ta"},   {"", ""},
        {"    ", ""},       {QStringLiteral("\u3000中\u3000"), QStringLiteral("\u3000中\u3000")},
        {"x", "x"},
    };
    for (const Case &c : cases) EXPECT_EQ(trimBlanks(c.in), c.out) << c.in.toStdString();
}

TEST(Mid1, CountsFromOneAndStopsAtTheEnds) {
    const QString s = QStringLiteral("ab中文e");
    struct Case {
        int from, len;
        QString out;
    } cases[] = {
        {1, 2, "ab"},
        {3, 2, QStringLiteral("中文")},
        {4, 10, QStringLiteral("文e")},
        {5, 1, "e"},
        {6, 1, ""},
        {100, 5, ""},
        {1, 0, ""},
        {2, -1, ""},
        {0, 3, "ab"},
        {-5, 3, ""},
    };
    for (const Case &c : cases) EXPECT_EQ(mid1(s, c.from, c.len), c.out) << c.from << "," << c.len;
    EXPECT_EQ(mid1(s, 3), QStringLiteral("中文e"));
    EXPECT_EQ(mid1(s, 0), s);
    EXPECT_EQ(mid1(s, 6), "");
    EXPECT_EQ(mid1("1201503071030288801", 14), "288801");
}
