// Records that cannot be read (a named pipe, a link to /dev/zero, a file
// over a record's limit) told to the candidate once a run, in the program's
// box, and named in the run log: the history, which the start reads before
// it names the log, over the home page; the favourites list, which only
// the practice button reads, after that click. The pages show the records'
// defaults. In a child with a kill deadline, since a pipe opened or
// /dev/zero read would never end.
#include "child_process.h"
#include "start_fixture.h"
#include "startup/run_state.h"

#include <functional>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace ft = forms::testing;
using startup::state;
using testsupport::readBytes;
using testsupport::writeBytes;

void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class UnreadableRecords : public StartFixture {
protected:
    // The run log's entries that name a file.
    int logEntriesNaming(const QString &file) const {
        return QString::fromUtf8(readBytes(state().RunLogPath)).count(file);
    }
    static void click(FrmFengmian *home, int button) {
        kvtnButton *b = home->ClickBotn(button);
        ft::click(b, b->width() / 2, b->height() / 2);
    }
    // The next run of the same process.
    void endRun() {
        forms::unloadForm<FrmFengmian>();
        QFile::remove(state().RunLogPath);
        state().RunLogPath.clear();
        panel::forgetHeldBackRecords();
        startup::resetProgramEnded();
        boxes.clear();
    }
    QString record(const QString &name) const { return dir().ksdata() + name + ".mxy"; }
};

const struct Kind {
    const char *what;
    std::function<bool(const QByteArray &)> make;
} kKinds[] = {
    {"a named pipe", [](const QByteArray &p) { return ::mkfifo(p.constData(), 0644) == 0; }},
    {"a link to /dev/zero",
     [](const QByteArray &p) { return ::symlink("/dev/zero", p.constData()) == 0; }},
    {"a file over a record's limit",
     [](const QByteArray &p) {
         return writeBytes(QFile::decodeName(p), QByteArray(2 << 20, '0') + "\r\n");
     }},
};

QString told(const QString &records) {
    return "over the home page|记录无法读取|\r\n\r\n" + records +
           "无法读取，本次运行不会修改这些记录。";
}

TEST_F(UnreadableRecords, ChildStartsAndPractisesOverRecordsThatCannotBeRead) {
    if (testsupport::childRole() != "unreadable") GTEST_SKIP() << testsupport::kChildOnly;
    for (const Kind &k : kKinds) {
        SCOPED_TRACE(k.what);
        // The history: read by the page build, before the log is named.
        QFile::remove(record("288892"));
        ASSERT_TRUE(k.make(QFile::encodeName(record("288892"))));
        FrmFengmian *home = startToHomePage();
        ASSERT_TRUE(home);
        EXPECT_EQ(boxes, QStringList({told("考试历史")}));
        EXPECT_EQ(logEntriesNaming("288892.mxy"), 1);
        EXPECT_EQ(home->LblShiJuanTime(0)->caption(), "最后考试时间：您还未考试！");
        EXPECT_EQ(home->LblShiJuanScore(0)->caption(), "0");
        // Once a run, however often the page reads it again.
        click(home, 4);
        click(home, 17);
        ASSERT_TRUE(home->LblShiJuanTime(0)->isShown());
        EXPECT_EQ(boxes.size(), 1);
        EXPECT_EQ(logEntriesNaming("288892.mxy"), 1);
        endRun();
        QFile::remove(record("288892"));

        // The favourites list: read only by the practice button. The
        // counts come from the flags, which can be read.
        QFile::remove(record("288862"));
        ASSERT_TRUE(k.make(QFile::encodeName(record("288862"))));
        ASSERT_TRUE(writeBytes(record("288872"), "TF\r\n"));
        home = startToHomePage();
        ASSERT_TRUE(home);
        EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
        click(home, 4);
        click(home, 18);
        ASSERT_TRUE(home->ClickBotn(22)->isShown());
        EXPECT_EQ(home->LblBiaoZhiWei->caption(), "1");
        EXPECT_EQ(home->LblBiaoZhiYI->caption(), "1");
        click(home, 22);
        const QString noFavourites =
            "over the home page|收藏题目练习|\r\n\r\n\r\n您还没有已收藏题目！";
        EXPECT_EQ(boxes, QStringList({told("收藏的题目"), noFavourites}));
        EXPECT_EQ(logEntriesNaming("288862.mxy"), 1);
        click(home, 22);
        EXPECT_EQ(boxes, QStringList({told("收藏的题目"), noFavourites, noFavourites}));
        EXPECT_EQ(logEntriesNaming("288862.mxy"), 1);
        endRun();
        QFile::remove(record("288862"));
        QFile::remove(record("288872"));
    }
}

TEST(UnreadableRecordFiles, AreToldOnceARunAtTheStartAndAtAClick) {
    const auto run = testsupport::runChildWithin(
        60000, "UnreadableRecords.ChildStartsAndPractisesOverRecordsThatCannotBeRead",
        "unreadable");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

} // namespace
