// Every file the candidate's work lives in, made a file that cannot be read
// (a named pipe, a link to /dev/zero, a sparse file of 3 GiB, a folder,
// another user's file of mode 0600), on the whole sample started as the
// program starts: the record is told once a run, in the program's box,
// over the home page, and named once in the run log; the actions of the run
// that would rewrite it (a unit set with the input-method option changed on
// the way, a random paper drawn and deleted, the favourites and the book
// cleared) leave it as it is and name it where they say what they could
// not save; a list or flags that cannot be read makes its tab count the
// pair as empty. The banner's copy, which the next update fetches again,
// is only named in the run log. In children with a kill deadline, since a
// pipe opened or /dev/zero read would never end; another user's file in a
// child that has given up root.
#include "child_process.h"
#include "file_bytes.h"
#include "panel/frm_ime.h"
#include "panel/frm_logon.h"
#include "panel/frm_tm.h"
#include "platform/text.h"
#include "program_copy.h"
#include "simulator/frm_main.h"
#include "start_fixture.h"
#include "startup/run_state.h"

#include <QDir>
#include <bit>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

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

// What a candidate leaves in ksdata, every file readable: the option off,
// one random paper with one wrong answer, a history, some progress, two
// favourites not reviewed and one reviewed, a book of one of each.
const struct {
    const char *name;
    QStringList lines;
} kRecords[] = {
    {"288890", {"0"}},
    {"288892", {"2015-01-01 08:00:00", "90", "E"}},
    {"288893", {"TFFFFF", "FF"}},
    {"288862", {"010101020105"}},
    {"288872", {"TFF"}},
    {"288863", {"01030104"}},
    {"288873", {"FT"}},
    {"182420", {"0101"}},
};

// The actions of a run that write records.
enum Action : unsigned {
    SetWithOption = 1, // a unit set, a question done and marked, the option ticked on the way
    DrawAndDelete = 2, // a random paper drawn, the login left, the paper deleted
    Clear = 4,         // the favourites and the book cleared whole
};

const struct Row {
    const char *name;
    const char *title;  // as the box names it; null: told to nobody
    unsigned rewriting; // the actions that would rewrite it
} kRows[] = {
    {"288890", "输入法设置", SetWithOption},
    {"288891", "随机试卷", DrawAndDelete},
    {"288892", "考试历史", DrawAndDelete},
    {"288893", "学习进度", SetWithOption},
    {"288862", "收藏的题目", SetWithOption | Clear},
    {"288872", "收藏的题目", SetWithOption | Clear},
    {"288863", "我的错题", Clear},
    {"288873", "我的错题", Clear},
    {"182420", "试卷错题", DrawAndDelete},
    {"170100", nullptr, 0},
};

// What lies at a path, as far as a rewrite would change it: the kind of
// entry, its node, size, owner and time of change. Nothing is opened.
std::string whatLiesAt(const QString &path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return "nothing";
    return QStringLiteral("mode %1 node %2 size %3 owner %4 changed %5.%6")
        .arg(st.st_mode, 0, 8)
        .arg(st.st_ino)
        .arg(st.st_size)
        .arg(st.st_uid)
        .arg(st.st_mtim.tv_sec)
        .arg(st.st_mtim.tv_nsec)
        .toStdString();
}

struct Kind {
    const char *what;
    std::function<bool(const QString &path)> make;
};

const Kind kKinds[] = {
    {"a named pipe",
     [](const QString &p) { return ::mkfifo(QFile::encodeName(p).constData(), 0644) == 0; }},
    {"a link to /dev/zero",
     [](const QString &p) {
         return ::symlink("/dev/zero", QFile::encodeName(p).constData()) == 0;
     }},
    {"a sparse file of 3 GiB",
     [](const QString &p) { return testsupport::makeSparseFile(p, qint64(3) << 30); }},
    {"a folder", [](const QString &p) { return QDir().mkpath(p); }},
};

class UnreadableRecords : public StartFixture {
protected:
    UnreadableRecords() : StartFixture(testsupport::wholeSampleParts(), QStringLiteral("whole")) {
        testsupport::watchBoxes(&boxes, testsupport::BoxPlace::Noted,
                                [this](forms::Form &f) { onOtherWindow(f); });
        ft::setMsgBoxHook([](const forms::MsgBoxCall &) { return forms::vbYes; });
    }

    QString record(const QString &name) const { return dir().ksdata() + name + ".mxy"; }
    // The candidate's records as laid out above, the random paper being the
    // bank's first fixed paper, and a banner as an update leaves it.
    void layOut() {
        for (const auto &r : kRecords) writeRecord(r.name, r.lines);
        const QStringList index =
            platform::readLines(dir().bankFile("288891")).value_or(QStringList());
        writeRecord("288891", {index.value(2)});
        writeRecord("170100", {"banner", "255", "http://example.org/"});
    }
    void writeRecord(const QString &name, const QStringList &lines) {
        QFile::remove(record(name));
        ASSERT_TRUE(writeBytes(record(name), testsupport::gbkLines(lines)));
    }
    // The run log's entries that name a file.
    int logEntriesNaming(const QString &file) const {
        return QString::fromUtf8(readBytes(state().RunLogPath)).count(file);
    }
    static void click(FrmFengmian *home, int button) {
        kvtnButton *b = home->ClickBotn(button);
        ft::click(b, b->width() / 2, b->height() / 2);
    }
    // A list tab from wherever the home page stands.
    static void openTab(FrmFengmian *home, int topBarButton) {
        if (!home->PicTOP->visible()) click(home, 4);
        if (home->ClickBotn(topBarButton)->enabled()) click(home, topBarButton);
    }
    // The next run of the same process.
    void endRun() {
        ft::unloadAll();
        QFile::remove(state().RunLogPath);
        state().RunLogPath.clear();
        panel::forgetHeldBackRecords();
        startup::resetProgramEnded();
        boxes.clear();
    }
    void onOtherWindow(forms::Form &f) {
        if (f.name() != QLatin1String("FrmIME")) return;
        auto &ime = static_cast<FrmIME &>(f);
        ft::click(ime.Check1, 60, 60);
        optionTicked = ime.Check1->value() == forms::vbChecked;
        ft::click(ime.LblClick(0), 100, 100);
    }

    // The actions, each from the home page back to it.
    FrmFengmian *practiseWithOption(FrmFengmian *home) {
        openTab(home, 16);
        click(home, 20);
        ft::advance(500);
        FrmTm *tm = forms::loadedForm<FrmTm>();
        EXPECT_TRUE(tm);
        if (!tm) return forms::loadedForm<FrmFengmian>();
        // The sample's first question: the folder opened by a double click,
        // then its timed step runs to the last.
        FrmMain *screen = forms::loadedForm<FrmMain>();
        ft::dblClick(screen->Label1, screen->Label1->width() / 2, screen->Label1->height() / 2);
        ft::advance(3000);
        EXPECT_EQ(state().QuestionStatus[0] & startup::StatusDone, startup::StatusDone);
        ft::click(tm->CmdGN(panel::Mark), 150, 150);
        ft::click(tm->CmdEn, 100, 100);
        ft::click(tm->CmdGN(panel::Finish), 150, 150);
        ft::advance(100);
        return forms::loadedForm<FrmFengmian>();
    }
    // True when the draw came to the login, which is left unsat.
    bool drawAndDelete(FrmFengmian *home) {
        openTab(home, 17);
        click(home, 30);
        click(home, 21);
        FrmLogon *login = forms::loadedForm<FrmLogon>();
        if (login) {
            ft::advance(100);
            ft::click(login->CmdExit, 100, 100);
            home = forms::loadedForm<FrmFengmian>();
            if (!home) return true;
            openTab(home, 17);
        }
        click(home, 31);
        ft::click(home->LblShiJuanDel(20), 30, 30);
        return login;
    }
    void clearBoth(FrmFengmian *home) {
        for (const int tab : {18, 19}) {
            openTab(home, tab);
            click(home, tab == 18 ? 41 : 43); // the reviewed ones too
            click(home, tab == 18 ? 23 : 25);
        }
    }

    // Each record of the table made each kind of file that cannot be read,
    // one run each.
    void runTable(const std::vector<Kind> &kinds) {
        for (const Kind &kind : kinds) {
            for (const Row &row : kRows) {
                SCOPED_TRACE(std::string(row.name) + " as " + kind.what);
                layOut();
                const QString path = record(row.name);
                ASSERT_TRUE(QFile::remove(path));
                ASSERT_TRUE(kind.make(path));
                const std::string before = whatLiesAt(path);
                runOnce(row);
                EXPECT_EQ(whatLiesAt(path), before);
                endRun();
                if (QFileInfo(path).isDir()) {
                    ASSERT_TRUE(QDir(path).removeRecursively());
                }
            }
        }
    }
    void runOnce(const Row &row) {
        const QString name = QString::fromLatin1(row.name);
        FrmFengmian *home = startToHomePage();
        ASSERT_TRUE(home);
        const QString told = row.title ? "over the home page|记录无法读取|\r\n\r\n" +
                                             QString::fromUtf8(row.title) +
                                             "无法读取，本次运行不会修改这些记录。"
                                       : QString();
        EXPECT_EQ(boxes, row.title ? QStringList({told}) : QStringList());
        EXPECT_EQ(logEntriesNaming(name + ".mxy"), 1);
        if (name == "288892") {
            EXPECT_EQ(home->LblShiJuanTime(0)->caption(), "最后考试时间：您还未考试！");
            EXPECT_EQ(home->LblShiJuanScore(0)->caption(), "0");
        }
        // A list counts with its flags or not at all.
        const bool favourites = name == "288862" || name == "288872";
        const bool book = name == "288863" || name == "288873";
        EXPECT_EQ(home->LblBiaoZhiWei->caption(), favourites ? "0" : "2");
        EXPECT_EQ(home->LblBiaoZhiYI->caption(), favourites ? "0" : "1");
        EXPECT_EQ(home->LblCuoTiWei->caption(), book ? "0" : "1");
        EXPECT_EQ(home->LblCuoTiYI->caption(), book ? "0" : "1");

        // Every action, also those that have nothing to do with this file.
        optionTicked.reset();
        home = practiseWithOption(home);
        ASSERT_TRUE(home);
        // Ticked and stored, or set back when it could not be stored.
        EXPECT_EQ(optionTicked, std::optional<bool>(name != "288890"));
        if (name != "288890") {
            EXPECT_EQ(readBytes(record("288890")), "1\r\n");
        }
        const bool drawn = drawAndDelete(home);
        home = forms::loadedForm<FrmFengmian>();
        ASSERT_TRUE(home);
        // A draw and a delete that would move it refuse before they move
        // anything, and say so.
        EXPECT_EQ(drawn, !(row.rewriting & DrawAndDelete));
        EXPECT_EQ(boxes.filter("无法生成随机试卷").size(), drawn ? 0 : 1);
        EXPECT_EQ(boxes.filter("本套试卷没有删除").size(), drawn || name == "288891" ? 0 : 1);
        EXPECT_EQ(home->RandomPaperCount, name == "288891" ? 0 : 1);
        clearBoth(home);

        // Told once, however often the run read it again; every record the
        // actions could not save is this one.
        EXPECT_EQ(boxes.filter("|记录无法读取|").size(), row.title ? 1 : 0);
        for (const QString &box : boxes.filter("|记录保存失败|"))
            EXPECT_TRUE(row.title && box.contains(QString::fromUtf8(row.title)))
                << box.toStdString();
        // Once for each action that would have written it; a draw and a
        // delete refuse before they write anything, and say so.
        EXPECT_EQ(boxes.filter("|记录保存失败|").size(),
                  std::popcount(row.rewriting & (SetWithOption | Clear)))
            << boxes.join('\n').toStdString();
        EXPECT_EQ(logEntriesNaming(name + ".mxy"), 1);
    }

    std::optional<bool> optionTicked; // the notice's box once the candidate ticked it
};

TEST_F(UnreadableRecords, ChildRunsOverRecordsThatCannotBeRead) {
    if (testsupport::childRole() != "unreadable") GTEST_SKIP() << testsupport::kChildOnly;
    runTable({std::begin(kKinds), std::end(kKinds)});
}

// Root reads every file: another user's file cannot be read only by a
// process that has given root up. Everything the run writes is handed to
// the user it becomes first; root's files of mode 0600 wait beside, one for
// each record, to be moved into its place (a move needs no right to the
// file).
TEST_F(UnreadableRecords, ChildRunsAsAUserWhoMayNotReadTheRecords) {
    if (testsupport::childRole() != "nobody") GTEST_SKIP() << testsupport::kChildOnly;
    const QString others = dir().root + "/others/";
    ASSERT_TRUE(QDir().mkpath(others));
    ASSERT_TRUE(testsupport::chownTree(QDir::tempPath(), testsupport::kNobody));
    for (const Row &row : kRows) {
        const QString file = others + row.name;
        ASSERT_TRUE(writeBytes(file, "1\r\n"));
        ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    }
    ASSERT_TRUE(testsupport::becomeNobody());
    ASSERT_FALSE(QFile(others + "288890").open(QIODevice::ReadOnly)) << "readable after all";
    runTable({{"another user's file of mode 0600", [&](const QString &p) {
                   return QFile::rename(others + QFileInfo(p).completeBaseName(), p);
               }}});
}

TEST(UnreadableRecordFiles, AreToldOnceARunNeverRewrittenAndCountedAsAPair) {
    // A hang guard only: the table runs in a few seconds.
    const auto run = testsupport::runChildWithin(
        600000, "UnreadableRecords.ChildRunsOverRecordsThatCannotBeRead", "unreadable");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

TEST(UnreadableRecordFiles, OfAnotherUserAreToldOnceARunAndNeverRewritten) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    const auto run = testsupport::runChildWithin(
        600000, "UnreadableRecords.ChildRunsAsAUserWhoMayNotReadTheRecords", "nobody");
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

} // namespace
