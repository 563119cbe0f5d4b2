#include "records_fixture.h"

#include "panel/login_rules.h"
#include "panel/options_file.h"

using namespace panel;

namespace {

TEST(LoginRules, SeatAndIdNumbersAreCompleted) {
    const struct {
        const char *typed, *seat;
    } seats[] = {{"", "00"}, {"5", "05"}, {"12", "12"}, {"123", "23"}, {"1234", "34"}, {" 7 ", "07"}, {"0", "00"}};
    for (const auto &c : seats) EXPECT_EQ(seatNumberOf(c.typed), c.seat) << c.typed;

    const struct {
        const char *typed, *id;
    } ids[] = {
        {"", "110101198001011234"},
        {"123", "101198001011234123"},
        {"12345678901234567", "412345678901234567"},
        {"12345678901234567X", "12345678901234567X"},
        {" 123 ", "101198001011234123"},
    };
    for (const auto &c : ids) EXPECT_EQ(idNumberOf(c.typed), c.id) << c.typed;
}

TEST(LoginRules, IdBoxLetsInDigitsAndAFinalX) {
    const struct {
        QChar ch;
        int length;
        bool accepted;
    } cases[] = {
        {'0', 0, true}, {'9', 17, true}, {'X', 16, false}, {'X', 17, true}, {'x', 17, true},
        {'A', 17, false}, {' ', 3, false}, {'-', 3, false}, {QChar(22), 3, false}, // Ctrl+V
        {QChar(0xFF11), 3, false}, // a full-width digit from an input method
    };
    for (const auto &c : cases) EXPECT_EQ(idBoxAccepts(c.ch, c.length), c.accepted) << int(c.ch.unicode()) << " " << c.length;
    EXPECT_EQ(idBoxFilter("12a3 4", 0), "1234");
    EXPECT_EQ(idBoxFilter("X12", 16), "12");  // X before the 17th character: dropped
    EXPECT_EQ(idBoxFilter("1X2", 16), "1X2"); // 17 reached, then the X; only the length counts
    EXPECT_EQ(idBoxFilter("１２", 0), "");
}

TEST(LoginRules, BarTicksAndDate) {
    EXPECT_FALSE(loginBarFull(loginBarWidth(6, 1), 1));
    EXPECT_TRUE(loginBarFull(loginBarWidth(7, 1), 1));
    EXPECT_DOUBLE_EQ(loginBarWidth(6, 1), 9255);
    EXPECT_FALSE(loginBarFull(loginBarWidth(6, 1.25), 1.25));
    EXPECT_TRUE(loginBarFull(loginBarWidth(7, 1.25), 1.25));
    EXPECT_EQ(loginDateText("2015-03-07 14:05:09"), "2015年03月07日");
}

class OptionsTest : public paneltest::RecordsTest {};

TEST_F(OptionsTest, OneAndZeroAndTheTwoReadings) {
    const struct {
        const char *content; // null: no file
        bool notice, home;
    } cases[] = {
        {nullptr, false, false}, {"", false, false},   {"1\r\n", true, true},
        {" 1\r\n", false, true}, {"0\r\n", false, false}, {"2\r\n", false, true},
        {"1", true, true},
    };
    for (const auto &c : cases) {
        QFile::remove(record("288890"));
        if (c.content) put("288890", c.content);
        EXPECT_EQ(optionOnForNotice(files), c.notice) << (c.content ? c.content : "none");
        EXPECT_EQ(optionOnForHome(files), c.home) << (c.content ? c.content : "none");
    }
    ASSERT_TRUE(writeOption(files, true));
    EXPECT_EQ(bytes("288890"), "1\r\n");
    ASSERT_TRUE(writeOption(files, false));
    EXPECT_EQ(bytes("288890"), "0\r\n");
    QDir(s.UserDataFolder).removeRecursively();
    EXPECT_FALSE(writeOption(files, true)); // no records folder
}

} // namespace
