#include "home/home_files.h"
#include "program_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

using home::FileName;
using home::Folder;
namespace files = home::files;

namespace {

TEST(HomeFiles, EveryFileNamesItsFolder) {
    const struct {
        FileName file;
        Folder folder;
        const char *name;
    } cases[] = {
        {files::bankVersion(), Folder::Bank, "288895"},
        {files::moduleNumber(), Folder::Bank, "288899"},
        {files::bankIndex(), Folder::Bank, "288891"},
        {files::answerTexts(), Folder::Bank, "288890"},
        {files::helpPage(0), Folder::Bank, "l38180"},
        {files::helpPage(4), Folder::Bank, "l38184"},
        {files::unitSteps(0), Folder::Bank, "288820"},
        {files::unitSteps(3), Folder::Bank, "288823"},
        {files::unitQuestions(3), Folder::Bank, "288873"},
        {files::exerciseSteps(7), Folder::Bank, "288807"},
        {files::exerciseQuestions(7), Folder::Bank, "288857"},
        {files::exerciseSteps(19), Folder::Bank, "288819"},
        {files::exerciseQuestions(19), Folder::Bank, "288869"},
        {files::picture(QStringLiteral("l20051")), Folder::Bank, "l20051"},
        // The same names in ksdata are other files.
        {files::options(), Folder::UserData, "288890"},
        {files::randomPapers(), Folder::UserData, "288891"},
        {files::paperHistory(), Folder::UserData, "288892"},
        {files::unitProgress(), Folder::UserData, "288893"},
        {files::wrongFlags(), Folder::UserData, "288873"},
        {files::adBanner(), Folder::UserData, "170100"},
        {files::favourites(), Folder::UserData, "288862"},
        {files::favouriteFlags(), Folder::UserData, "288872"},
        {files::wrongQuestions(), Folder::UserData, "288863"},
        {files::paperWrong(0), Folder::UserData, "182400"},
        {files::paperWrong(29), Folder::UserData, "182429"},
    };
    startup::RunState s;
    s.DataPath = QStringLiteral("/p/w7tk/");
    s.UserDataFolder = QStringLiteral("/p/ksdata/");
    for (const auto &c : cases) {
        EXPECT_EQ(c.file.folder, c.folder) << c.name;
        EXPECT_EQ(c.file.name, QString::fromLatin1(c.name));
        const QString folder =
            c.folder == Folder::Bank ? QStringLiteral("/p/w7tk/") : QStringLiteral("/p/ksdata/");
        EXPECT_EQ(home::pathOf(s, c.file), folder + QLatin1String(c.name) + QStringLiteral(".mxy"));
    }
}

TEST(HomeFiles, NumberValueReadsHexadecimalAfterAmpersandH) {
    const struct {
        const char *text;
        double value;
    } cases[] = {
        {"&H666666", 0x666666},
        {"&hff0000", 0xff0000},
        {" & H 1F ", 31},
        {"&HFFz9", 255},
        {"&H", 0},
        {"255", 255},
        {" 0 7 ", 7},
        {"2.5", 2.5},
        {"abc", 0},
        {"", 0},
        {"12ab", 12},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(home::numberValue(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(HomeFiles, ColourValuesRoundToEvenAndRefuseWhatIsNoColour) {
    const struct {
        const char *text;
        std::optional<uint32_t> colour;
    } cases[] = {
        {"255", 255u},
        {"&HFF0000", 0xFF0000u},
        {"0", 0u},
        {"", 0u},
        {"red", 0u},
        {"2.5", 2u},
        {"3.5", 4u},
        {"&HFFFFFF", 0xFFFFFFu},
        {"&H1000000", std::nullopt},
        {"-1", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(home::colourValue(QString::fromLatin1(c.text)), c.colour) << c.text;
}

TEST(HomeFiles, BannerLinesGiveCaptionColourAndLink) {
    const struct {
        QStringList lines;
        QString caption;
        std::optional<uint32_t> colour;
        QString link;
    } cases[] = {
        {{QStringLiteral("  A◎B◎  "), QStringLiteral("255"), QStringLiteral(" http://x.example/ ")},
         QStringLiteral("A\r\nB\r\n"),
         255u,
         QStringLiteral(" http://x.example/ ")},
        {{QStringLiteral("只有一行")}, QStringLiteral("只有一行"), 0u, QString()},
        {{}, QString(), 0u, QString()},
        {{QStringLiteral("◎◎"), QStringLiteral("&H1000000"), QString()},
         QStringLiteral("\r\n\r\n"),
         std::nullopt,
         QString()},
    };
    for (const auto &c : cases) {
        const home::Banner b = home::readBanner(c.lines);
        EXPECT_EQ(b.caption, c.caption) << c.lines.join('|').toStdString();
        EXPECT_EQ(b.colour, c.colour);
        EXPECT_EQ(b.link, c.link);
    }
}

TEST(HomeFiles, OnlyAbsoluteWebAddressesAreWebAddresses) {
    const struct {
        const char *link;
        bool web;
    } cases[] = {
        {"http://www.example.org/", true},   {"https://example.org/a?b=1", true},
        {" HTTP://example.org ", true},      {"", false},
        {"www.example.org", false},          {"file:///etc/passwd", false},
        {"/usr/bin/xterm", false},           {"C:\\Windows\\notepad.exe", false},
        {"tencent://message/?uin=1", false}, {"http://", false},
        {"javascript:alert(1)", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(home::isWebAddress(QString::fromLatin1(c.link)), c.web) << c.link;
}

TEST(HomeFiles, ModuleNumberComparesNumbers) {
    const struct {
        const char *line;
        int module;
        bool matches;
    } cases[] = {
        {"07", 7, true}, {" 07 ", 7, true}, {"7", 7, true},   {"8", 7, false},
        {"", 7, false},  {"", 0, true},     {"ab", 7, false}, {"7b", 7, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(home::moduleMatches(QString::fromLatin1(c.line), c.module), c.matches) << c.line;
}

TEST(HomeFiles, ModuleCheckTellsAnotherModuleFromADamagedFile) {
    using home::ModuleCheck;
    const struct {
        const char *what;
        std::optional<QStringList> lines; // nullopt: unreadable
        ModuleCheck check;
    } cases[] = {
        {"07", QStringList{"07"}, ModuleCheck::ThisModule},
        {"blanks and a tab around", QStringList{" \t7 "}, ModuleCheck::ThisModule},
        {"later lines unread", QStringList{"7", "junk"}, ModuleCheck::ThisModule},
        {"another module", QStringList{"08"}, ModuleCheck::OtherModule},
        {"a large number", QStringList{"99999999999"}, ModuleCheck::OtherModule},
        {"unreadable", std::nullopt, ModuleCheck::Unreadable},
        {"no line", QStringList{}, ModuleCheck::NotANumber},
        {"an empty line", QStringList{""}, ModuleCheck::NotANumber},
        {"module 0", QStringList{"0"}, ModuleCheck::NotANumber},
        {"a letter after the digits", QStringList{"7b"}, ModuleCheck::NotANumber},
        {"a sign", QStringList{"-7"}, ModuleCheck::NotANumber},
        {"a replacement character", QStringList{QStringLiteral("\uFFFD7")},
         ModuleCheck::NotANumber},
        {"a full-width digit", QStringList{QStringLiteral("０7")}, ModuleCheck::NotANumber},
    };
    for (const auto &c : cases) EXPECT_EQ(home::checkModuleNumber(c.lines, 7), c.check) << c.what;
}

TEST(HomeFiles, InputMethodOptionIsAnyNumberButZero) {
    EXPECT_TRUE(home::inputMethodOption(QStringLiteral("1")));
    EXPECT_TRUE(home::inputMethodOption(QStringLiteral(" 2 ")));
    EXPECT_FALSE(home::inputMethodOption(QStringLiteral("0")));
    EXPECT_FALSE(home::inputMethodOption(QStringLiteral("yes")));
    EXPECT_FALSE(home::inputMethodOption(QString()));
}

TEST(HomeFiles, InformationLineFromTheProgramInformation) {
    std::array<QString, startup::kInfoEntries> info;
    info[10] = QStringLiteral("400-1");
    info[11] = QStringLiteral("8001");
    info[16] = QStringLiteral("www.a.example");
    info[29] = QStringLiteral("&H666666");
    info[30] = QStringLiteral("240");
    info[31] = QStringLiteral(" 5040 ");
    info[32] = QStringLiteral("x");
    info[33] = QStringLiteral("9930");
    const auto contacts = home::contactCaptions(info);
    EXPECT_EQ(contacts[0], QStringLiteral("官方网站：www.a.example"));
    EXPECT_EQ(contacts[1], QStringLiteral("客服电话：400-1"));
    EXPECT_EQ(contacts[2], QStringLiteral("客服QQ：8001"));
    const home::InfoLine line = home::infoLine(info);
    EXPECT_EQ(line.colour, 0x666666u);
    EXPECT_EQ(line.lefts, (std::array<double, 4>{240, 5040, 0, 9930}));
    // A label that would reach into the next pushes it (and those after) along.
    const struct {
        std::array<double, 4> widths, lefts;
    } fits[] = {
        {{2000, 2000, 2000, 1500}, {240, 5040, 7440, 9930}},
        {{2000, 2790, 2000, 1500}, {240, 4990, 8020, 10260}}, // drawn back from the edge
        {{4900, 1000, 1000, 1000}, {240, 5380, 7440, 9930}},
    };
    for (const auto &f : fits)
        EXPECT_EQ(home::infoLabelLefts({240, 5040, 7440, 9930}, f.widths), f.lefts);
    EXPECT_EQ(home::versionCaption(QStringLiteral(" 201503070905 ")),
              QStringLiteral("题库版本：V 201503070905 "));
}

TEST(HomeFiles, BankCountsFromTheFirstLine) {
    const struct {
        const char *line;
        home::BankCounts counts;
    } cases[] = {
        {"2010", {20, 10}}, {" 0812 ", {8, 12}}, {"", {0, 0}},       {"ab12", {0, 12}},
        {"9", {9, 0}},      {"1 2", {1, 2}},     {"9999", {99, 99}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(home::bankCounts(QString::fromLatin1(c.line)), c.counts) << c.line;
    EXPECT_EQ(home::paperRows(99), 20);
    EXPECT_EQ(home::paperRows(-3), 0);
    EXPECT_EQ(home::unitRows(12), 12);
    EXPECT_EQ(home::unitRows(25), 20);
}

TEST(HomeFiles, UnitCountsAndProgressNormalised) {
    const auto counts = home::unitQuestionCounts(QStringLiteral("0507501"));
    EXPECT_EQ(counts[0], 5);
    EXPECT_EQ(counts[1], 7);
    EXPECT_EQ(counts[2], 50);
    EXPECT_EQ(counts[3], 1); // a lone last digit
    EXPECT_EQ(counts[4], 0);
    const auto many = home::unitQuestionCounts(QString(60, QLatin1Char('3')));
    EXPECT_EQ(many[25], 33);

    const QStringList progress = home::normalisedProgress(
        {QStringLiteral("TTF"), QStringLiteral("TFTFTFF"), QString()}, counts);
    ASSERT_EQ(progress.size(), 25);
    EXPECT_EQ(progress[0], QStringLiteral("TTFFF"));
    EXPECT_EQ(progress[1], QStringLiteral("TFTFTFF"));
    EXPECT_EQ(progress[2], QString(50, QLatin1Char('F')));
    EXPECT_EQ(progress[3], QStringLiteral("F"));
    EXPECT_EQ(progress[4], QString());
}

// The page build brings the progress into the bank's shape only when line
// 2 of the bank index gives some unit a count: from a line without counts
// every line would be cut to nothing.
TEST(HomeFiles, ProgressIsRewrittenOnlyForACountAboveZero) {
    const QString zeros = QString(48, QLatin1Char('0'));
    const struct {
        QString countLine;
        bool rewritten;
    } cases[] = {
        {"", false},
        {"  ", false},
        {"\t", false},
        {"ab", false},
        {"a1", false},
        {"0000", false},
        {"00 0", false},
        {"-5", false},
        {"04", true},
        {"0004", true},
        {"a104", true},
        {" 4", true},
        {"1", true},
        {zeros + "01", true},    // unit 24, the last one written
        {zeros + "0001", false}, // unit 25 is not written: its count
                                 // would still cut every other line
    };
    for (const auto &c : cases)
        EXPECT_EQ(home::progressRewritten(home::unitQuestionCounts(c.countLine)), c.rewritten)
            << '"' << c.countLine.toStdString() << '"';
}

TEST(HomeFiles, RandomPapersCountUpToTheirTenRows) {
    const QString list(160, QLatin1Char('1'));
    EXPECT_EQ(home::randomPaperCount({list, list, list}), 3);
    EXPECT_EQ(home::randomPaperCount({list, QStringLiteral("  "), list}), 1);
    EXPECT_EQ(home::randomPaperCount({}), 0);
    EXPECT_EQ(home::randomPaperCount(QStringList(15, list)), 10);
}

class HomeFilesOnDisk : public testsupport::ProgramFixture {};

TEST_F(HomeFilesOnDisk, MissingOptionalFilesReadAsNoLines) {
    startup::RunState s;
    s.DataPath = dir().bank();
    s.UserDataFolder = dir().ksdata();
    const panel::RecordFiles records(s.UserDataFolder);
    QFile::remove(dir().ksdata() + QStringLiteral("170100.mxy"));
    const panel::RecordRead missing = records.read(panel::recname::Banner);
    EXPECT_TRUE(missing.lines.isEmpty());
    EXPECT_TRUE(missing.readable);
    EXPECT_FALSE(home::readFileLines(s, home::files::adBanner()).has_value());
    ASSERT_TRUE(testsupport::writeBytes(dir().ksdata() + QStringLiteral("170100.mxy"),
                                        testsupport::gbkLines({QStringLiteral("广告"), "255"})));
    EXPECT_EQ(records.read(panel::recname::Banner).lines,
              (QStringList{QStringLiteral("广告"), QStringLiteral("255")}));
}

} // namespace
