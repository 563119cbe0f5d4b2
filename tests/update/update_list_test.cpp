#include "update/update_list.h"

#include <QHash>
#include <gtest/gtest.h>

using namespace update;

namespace {

TEST(UpdateList, LinesAndTheirFields) {
    const struct {
        const char *line;
        bool used;
        char letter;
        const char *stamp;
        const char *name;
    } cases[] = {
        {"D201601010000288895", true, 'D', "201601010000", "288895"}, // 19 characters
        {"D20160101000028889", false, 0, "", ""},                     // 18
        {"  K201601010000l20001  ", true, 'K', "201601010000", "l20001"},
        {"201601010000 new bank", false, 0, "", ""}, // a version line
        {"20xxxxxxxxxxxxxxxxxxxxx", false, 0, "", ""},
        {"M201601010000readme.txt", true, 'M', "201601010000", "readme.txt"},
        {"X201601010000a b c d e", true, 'X', "201601010000", "a b c d e"},
        {"", false, 0, "", ""},
    };
    for (const auto &c : cases) {
        const auto e = parseListLine(QString::fromUtf8(c.line));
        ASSERT_EQ(e.has_value(), c.used) << c.line;
        if (!e) continue;
        EXPECT_EQ(e->folderLetter, QChar(c.letter)) << c.line;
        EXPECT_EQ(e->stamp, QString::fromUtf8(c.stamp)) << c.line;
        EXPECT_EQ(e->name, QString::fromUtf8(c.name)) << c.line;
    }
}

TEST(UpdateList, VersionsCompareAsText) {
    const struct {
        const char *candidate, *installed;
        bool newer;
    } cases[] = {
        {"201503070905", "201503070905", false},                   // equal
        {"201503070906", "201503070905", true},                    // one minute
        {"201503070904", "201503070905", false}, {"20", "", true}, // an empty installed version
        {"2015", "201503070905", false},                           // a beginning is the smaller
        {"201503070905x", "201503070905", true}, {"190011011030", "190011011029", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isNewer(QString::fromUtf8(c.candidate), QString::fromUtf8(c.installed)), c.newer)
            << c.candidate << " vs " << c.installed;
}

TEST(UpdateList, StampOfALocalTime) {
    EXPECT_EQ(stampOf(QDateTime(QDate(2015, 3, 7), QTime(9, 5, 59))), "201503070905");
    EXPECT_EQ(stampOf(QDateTime(QDate(2016, 12, 31), QTime(23, 0))), "201612312300");
}

TEST(UpdateList, BareFolderName) {
    const struct {
        const char *dataPath, *programFolder, *bare;
    } cases[] = {
        {"/opt/w7/w7tk/", "/opt/w7/", "w7tk"},
        {"/opt/w7/w7tk\\", "/opt/w7/", "w7tk"},
        {"/opt/w7/sub/w7tk/", "/opt/w7/", "subw7tk"},
        // The removal is exact: another letter case stays.
        {"/OPT/w7/w7tk/", "/opt/w7/", "OPTw7w7tk"},
        {"C:\\prog\\w7tk\\", "C:\\prog\\", "w7tk"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(bareFolderName(QString::fromUtf8(c.dataPath), QString::fromUtf8(c.programFolder)),
                  QString::fromUtf8(c.bare))
            << c.dataPath;
}

TEST(UpdateList, FolderLettersAndTheFolderKeptForOthers) {
    const struct {
        char letter;
        const char *current, *folder;
    } cases[] = {
        {'D', "", "w7tk"},     {'K', "w7tk", "ksdata"},       {'E', "", "examdata"},
        {'M', "examdata", ""}, {'X', "examdata", "examdata"}, {'d', "ksdata", "ksdata"},
        {'Z', "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(folderFor(QChar(c.letter), "w7tk", QString::fromUtf8(c.current)),
                  QString::fromUtf8(c.folder))
            << c.letter;
}

TEST(UpdateList, NamesFromTheServer) {
    const struct {
        const char *name;
        bool safe;
        const char *local, *server;
    } cases[] = {
        {"288895", true, "288895.mxy", "288895.rar"},
        {"l20001", true, "l20001.mxy", "l20001.rar"},
        {"a_b-c9", true, "a_b-c9.mxy", "a_b-c9.rar"},
        {"readme.txt", true, "readme.txt", "readme.rar"},
        // The server name drops four characters whatever the extension.
        {"help.html", true, "help.html", "help..rar"},
        {"ab.c9", true, "ab.c9", "a.rar"},
        {"ab.c", false, "", ""}, // four characters: no server name left
        {"a.b", false, "", ""},
        {"../../x1", false, "", ""},
        {"ab/cd1", false, "", ""},
        {"ab\\cd1", false, "", ""},
        {"c:abcd", false, "", ""},
        {"abc?d=1", false, "", ""},
        {"abc#frag", false, "", ""},
        {"a b c d", false, "", ""},
        {"a.b.txt", false, "", ""},
        {".hidden", false, "", ""},
        {"abcde.", false, "", ""},
        {"ab.t-t", false, "", ""},
        {"题库文件一", false, "", ""},
        {"", false, "", ""},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(isSafeName(name), c.safe) << c.name;
        if (!c.safe) continue;
        EXPECT_EQ(localName(name), QString::fromUtf8(c.local)) << c.name;
        EXPECT_EQ(serverName(name), QString::fromUtf8(c.server)) << c.name;
    }
}

TEST(UpdateList, AddressSegmentsAreEncoded) {
    EXPECT_EQ(fileUrl("http://h/up/qkwfb/Windows7/", "w7tk", "288895.rar"),
              "http://h/up/qkwfb/Windows7/w7tk/288895.rar");
    EXPECT_EQ(fileUrl("http://h/up/qkwfb/Windows7/", "", "readme.rar"),
              "http://h/up/qkwfb/Windows7/readme.rar");
    EXPECT_EQ(fileUrl("http://h/p/", "题库", "a b.rar"), "http://h/p/%E9%A2%98%E5%BA%93/a%20b.rar");
    EXPECT_EQ(encodeSegment("../x?y#z"), "..%2Fx%3Fy%23z");
}

// A plan over a small list: local times by path (any letter case, as on
// the disk), the rest missing.
class Plan : public ::testing::Test {
protected:
    PlanContext context{"/p/", "w7tk", "http://h/up/qkwfb/Windows7/", "w7practice", {}};
    QHash<QString, QDateTime> times;

    UpdatePlan plan(const QStringList &lines) {
        return planUpdate(lines, context, [this](const QString &path) -> std::optional<QDateTime> {
            const auto it = times.constFind(path.toLower());
            if (it == times.constEnd()) return std::nullopt;
            return *it;
        });
    }
    static QDateTime at(const char *stamp) {
        return QDateTime::fromString(QString::fromLatin1(stamp), QStringLiteral("yyyyMMddHHmm"));
    }
};

TEST_F(Plan, FoldersPathsAddressesAndStamps) {
    times["/p/w7tk/288891.mxy"] = at("201601010000");
    times["/p/ksdata/l20001.mxy"] = at("201601010001");
    times["/p/examdata/11a001.mxy"] = at("201512312359");
    times["/p/w7practice"] = at("201601010000");
    const UpdatePlan p = plan({
        "201601010000 version",
        "X201601010000before1",    // no folder yet: the program folder
        "D201601010000288891",     // equal: not fetched
        "K201601010000l20001",     // local newer: not fetched
        "E20160101000011A001",     // server newer by a minute
        "Q201601010000kept01",     // keeps "examdata"
        "M201601010005W7PRACTICE", // the program itself, any case
        "short line",
        "K201601010000readme.txt", // missing locally
    });
    ASSERT_EQ(p.files.size(), 7);
    EXPECT_TRUE(p.rejected.isEmpty());

    const struct {
        const char *folder, *path, *url, *localStamp;
        bool fetch, program;
    } expected[] = {
        {"", "/p/before1.mxy", "http://h/up/qkwfb/Windows7/before1.rar", "190011011030", true,
         false},
        {"w7tk", "/p/w7tk/288891.mxy", "http://h/up/qkwfb/Windows7/w7tk/288891.rar", "201601010000",
         false, false},
        {"ksdata", "/p/ksdata/l20001.mxy", "http://h/up/qkwfb/Windows7/ksdata/l20001.rar",
         "201601010001", false, false},
        {"examdata", "/p/examdata/11A001.mxy", "http://h/up/qkwfb/Windows7/examdata/11A001.rar",
         "201512312359", true, false},
        {"examdata", "/p/examdata/kept01.mxy", "http://h/up/qkwfb/Windows7/examdata/kept01.rar",
         "190011011030", true, false},
        // The stamp is the running program's; the new one goes beside it.
        {"", "/p/w7practice_bak", "http://h/up/qkwfb/Windows7/W7PRACTICE.rar", "201601010000", true,
         true},
        {"ksdata", "/p/ksdata/readme.txt", "http://h/up/qkwfb/Windows7/ksdata/readme.rar",
         "190011011030", true, false},
    };
    for (int i = 0; i < p.files.size(); ++i) {
        const PlannedFile &f = p.files[i];
        EXPECT_EQ(f.folder, QString::fromLatin1(expected[i].folder)) << i;
        EXPECT_EQ(f.localPath, QString::fromLatin1(expected[i].path)) << i;
        EXPECT_EQ(f.url, QString::fromLatin1(expected[i].url)) << i;
        EXPECT_EQ(f.localStamp, QString::fromLatin1(expected[i].localStamp)) << i;
        EXPECT_EQ(f.fetch, expected[i].fetch) << i;
        EXPECT_EQ(f.isProgram, expected[i].program) << i;
    }
}

TEST_F(Plan, UnsafeNamesAreRejectedAndTheirLettersStillCount) {
    const UpdatePlan p = plan({
        "201601010000",
        "D201601010000../../x1",
        "K201601010000ab/cd1",
        "Y201601010000good01", // the folder of the rejected "K" line
        "E201601010000x.y.zz",
    });
    ASSERT_EQ(p.rejected.size(), 3);
    EXPECT_EQ(p.rejected[0].lineNumber, 2);
    EXPECT_EQ(p.rejected[1].lineNumber, 3);
    EXPECT_EQ(p.rejected[2].lineNumber, 5);
    EXPECT_EQ(p.rejected[2].line, "E201601010000x.y.zz");
    ASSERT_EQ(p.files.size(), 1);
    EXPECT_EQ(p.files[0].localPath, "/p/ksdata/good01.mxy");
}

} // namespace
