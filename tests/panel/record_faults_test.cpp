// The candidate's records under real faults, each in a child run of this
// test program: record files the candidate's user may write but not read,
// and kills at random instants while an action of every kind runs over
// and over on large records. After a kill the start's recovery runs, and
// then every file of the folder must be as one whole action left it.
#include "child_process.h"
#include "file_bytes.h"
#include "home/home_files.h"
#include "home/home_tabs.h"
#include "panel/grading.h"
#include "panel/record_files.h"
#include "panel/set_finish.h"
#include "platform/atomic_files.h"
#include "platform/text.h"
#include "reachable_temp.h"
#include "sanitizer.h"
#include "startup/run_state.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <iostream>
#include <map>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace panel;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

// Every file of a folder by name.
using Snapshot = std::map<QString, QByteArray>;

Snapshot snapshot(const QString &folder) {
    Snapshot out;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        out[name] = readBytes(folder + name);
    return out;
}

QByteArray hashOf(const Snapshot &s) {
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const auto &[name, bytes] : s) {
        h.addData(name.toUtf8() + '\0');
        h.addData(QByteArray::number(bytes.size()) + '\0');
        h.addData(bytes);
    }
    return h.result();
}

bool copyFolder(const QString &from, const QString &to) {
    QDir(to).removeRecursively();
    bool ok = QDir().mkpath(to);
    for (const auto &[name, bytes] : snapshot(from)) ok = writeBytes(to + name, bytes) && ok;
    return ok;
}

QString codes(int first, int n) {
    QString out;
    for (int k = 0; k < n; ++k) out += codeText((first + k) % 10000);
    return out;
}

QString timeOf(int i) {
    return QStringLiteral("2015-03-07 10:%1:%2")
        .arg(i / 60 % 60, 2, 10, QChar('0'))
        .arg(i % 60, 2, 10, QChar('0'));
}

void say(const QByteArray &line) {
    const QByteArray out = line + '\n';
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, out.constData(), out.size());
}

// ---------------------------------------------------------------- the actions

enum class Kind { Grading, SetEnd, DrawDelete, Clearing };
const std::map<QString, Kind> kKinds = {{"grading", Kind::Grading},
                                        {"set end", Kind::SetEnd},
                                        {"draw and delete", Kind::DrawDelete},
                                        {"clearing", Kind::Clearing}};

// Large records, as a candidate of many months has them.
void writeInitialRecords(const QString &folder) {
    QDir().mkpath(folder);
    const auto put = [&](const QString &name, const QStringList &lines) {
        writeBytes(folder + name + ".mxy", platform::linesToBytes(lines));
    };
    QString flags;
    for (int k = 0; k < 3000; ++k) flags += k % 2 ? 'T' : 'F';
    put(recname::Favourites, {codes(1000, 3000)});
    put(recname::FavouriteFlags, {flags});
    put(recname::WrongQuestions, {codes(4000, 3000)});
    put(recname::WrongFlags, {flags});
    QStringList history;
    for (int p = 0; p < 31; ++p) history << timeOf(p) << QString::number(p * 2.5) << "E";
    put(recname::PaperHistory, history << QString());
    QStringList progress;
    for (int u = 0; u < 26; ++u) progress << QString(99, u % 2 ? 'T' : 'F');
    put(recname::UnitProgress, progress << QString());
    QStringList papers;
    for (int j = 0; j < 10; ++j) papers << codes(100 * j + 1, 40);
    put(recname::RandomPapers, papers << QString());
    for (int slot = 0; slot < 30; ++slot) put(paperWrongFileName(slot), {codes(slot * 7, 1000)});
}

// Iteration i of an action of the kind on the folder's records: the same i
// on the same records writes the same bytes, and every iteration changes
// every file its action writes.
void runAction(Kind kind, const QString &folder, int i) {
    startup::RunState &s = startup::state();
    startup::resetState();
    s.UserDataFolder = folder;
    const RecordFiles records(folder);
    switch (kind) {
    case Kind::Grading: {
        s.PaperMode = startup::MockPaper;
        s.PaperIndex = s.PaperSlot = i % 20;
        s.QuestionCount = 40;
        s.ExamStartTime = timeOf(i);
        const QString paper = codes((10 + i % 80) * 100 + 1, 40);
        for (int q = 1; q <= 40; ++q) {
            s.QuestionCodes[q - 1] = (10 + i % 80) * 100 + q;
            s.QuestionStatus[q - 1] = ((q + i) % 3 ? startup::StatusDone : 0) |
                                      ((q * 7 + i) % 5 == 0 ? startup::StatusMarked : 0);
        }
        gradePaper(s, records, paper, timeOf(i));
        break;
    }
    case Kind::SetEnd: {
        s.PaperMode = startup::UnitAll;
        s.PaperIndex = i % 20;
        s.UnitCount = 26;
        s.QuestionCount = 99;
        for (int q = 1; q <= 99; ++q) {
            s.QuestionCodes[q - 1] = (i % 20) * 100 + q;
            s.QuestionStatus[q - 1] = ((q * 31 + i * 17) % 7 < 3 ? startup::StatusDone : 0) |
                                      ((q + i) % 4 == 0 ? startup::StatusMarked : 0);
        }
        finishSetRecords(s, records, {});
        break;
    }
    case Kind::DrawDelete: {
        const int count = home::randomPaperCount(records.read(recname::RandomPapers).lines);
        RecordAction action(records);
        if (i % 2 == 0 || count == 0)
            home::recordDraw(action, codes(2000 + 40 * i, 40), timeOf(i), count);
        else
            home::recordDelete(action, 20 + (i / 2) % count, count);
        action.commit();
        break;
    }
    case Kind::Clearing: {
        RecordAction action(records);
        if (i % 2 == 0) {
            // The favourites grow again, every other new one reviewed.
            CodesWithFlags list = action.readList(recname::Favourites, recname::FavouriteFlags);
            list.codes += codes(5000 + 300 * i, 300);
            for (int k = 0; k < 300; ++k) list.flags += k % 2 ? 'T' : 'F';
            action.writeList(recname::Favourites, recname::FavouriteFlags, list);
        } else {
            home::recordClear(action, recname::Favourites, recname::FavouriteFlags, 1 + i / 2 % 2);
        }
        action.commit();
        break;
    }
    }
}

// ---------------------------------------------------------------- kills

// The child: the action of W7_KILL_ACTION over and over on the records in
// W7_KILL_FOLDER, saying "ready" before the first and "done i" after each.
TEST(RecordKillsChild, LoopsAnAction) {
    if (testsupport::childRole() != "kill") GTEST_SKIP() << testsupport::kChildOnly;
    const QString folder = testsupport::childValue("W7_KILL_FOLDER");
    const Kind kind = kKinds.at(testsupport::childValue("W7_KILL_ACTION"));
    const int iterations = testsupport::childValue("W7_KILL_ITERATIONS").toInt();
    say("ready");
    for (int i = 0; i < iterations; ++i) {
        runAction(kind, folder, i);
        say("done " + QByteArray::number(i));
    }
}

#ifdef W7_UNDER_ASAN
constexpr int kKillsPerKind = 20; // every start of a child costs more there
#else
constexpr int kKillsPerKind = 60;
#endif
constexpr int kIterations = 30;

TEST(RecordKills, EveryActionIsWholeAfterAKillAtAnyInstant) {
    const quint64 seed = qEnvironmentVariableIsSet("W7_KILL_SEED")
                             ? qEnvironmentVariable("W7_KILL_SEED").toULongLong()
                             : std::random_device{}();
    std::cout << "kill test seed " << seed << " (W7_KILL_SEED=" << seed << " repeats it)\n";
    std::mt19937_64 random(seed);
    int kills = 0, inside = 0, filesChecked = 0, halfDone = 0;
    for (const auto &[name, kind] : kKinds) {
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir tmp;
        const QString initial = tmp.path() + "/initial/", model = tmp.path() + "/model/",
                      work = tmp.path() + "/ksdata/";
        writeInitialRecords(initial);
        // The folder after each whole action, from an uninterrupted run.
        ASSERT_TRUE(copyFolder(initial, model));
        std::vector<Snapshot> states = {snapshot(model)};
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < kIterations; ++i) {
            runAction(kind, model, i);
            states.push_back(snapshot(model));
        }
        const qint64 perAction = std::max<qint64>(clock.nsecsElapsed() / kIterations, 100000);
        std::map<QByteArray, int> stateOf;
        for (size_t k = 0; k < states.size(); ++k) stateOf[hashOf(states[k])] = static_cast<int>(k);
        ASSERT_EQ(stateOf.size(), states.size()) << "an iteration that changes nothing";

        for (int n = 0; n < kKillsPerKind; ++n) {
            ASSERT_TRUE(copyFolder(initial, work));
            testsupport::ChildProcess child("RecordKillsChild.LoopsAnAction", "kill",
                                            {"W7_KILL_FOLDER=" + work, "W7_KILL_ACTION=" + name,
                                             "W7_KILL_ITERATIONS=" + QString::number(kIterations)});
            ASSERT_TRUE(child.waitForLine("ready")) << child.output().toStdString();
            // Anywhere in the first few actions.
            child.runFor(std::uniform_int_distribution<qint64>(0, 3 * perAction)(random));
            child.kill();
            ++kills;
            const int lastDone = static_cast<int>(child.linesStartingWith("done ").size()) - 1;

            const platform::Recovery r = recoverRecords(work);
            EXPECT_TRUE(r.ok);
            if (r.finished + r.setAside + r.removed > 0) ++inside;
            const Snapshot after = snapshot(work);
            filesChecked += static_cast<int>(after.size());
            const auto found = stateOf.find(hashOf(after));
            if (found == stateOf.end()) {
                ++halfDone;
                QStringList differ;
                for (const auto &[file, bytes] : after)
                    if (states[lastDone + 1].count(file) == 0 ||
                        states[lastDone + 1].at(file) != bytes)
                        differ << file;
                ADD_FAILURE() << "kill " << n << " after action " << lastDone
                              << " left a folder no whole action leaves; files not as after it: "
                              << differ.join(' ').toStdString();
                continue;
            }
            // The action that said it was done is never undone, and at most
            // the one under way when the kill came is finished after it.
            EXPECT_GE(found->second, lastDone + 1) << "kill " << n;
            EXPECT_LE(found->second, lastDone + 2) << "kill " << n;
        }
    }
    std::cout << "kill test: " << kills << " kills, " << inside << " inside an action, "
              << filesChecked << " files checked, " << halfDone << " half-done actions (seed "
              << seed << ")\n";
    EXPECT_EQ(halfDone, 0);
    startup::resetState(); // the model runs pointed it at a folder now gone
}

// ---------------------------------------------------------------- files that cannot be read

constexpr uid_t kUnprivileged = 65534;

// The child: the candidate's user, not root, whose favourites and history
// may be written but not read. Every action leaves them out and says so;
// the rest of each action is saved.
TEST(RecordFaultsChild, ActionsOverRecordsThatCannotBeRead) {
    if (testsupport::childRole() != "unreadable") GTEST_SKIP() << testsupport::kChildOnly;
    if (::geteuid() == 0) {
        ASSERT_EQ(::setgroups(0, nullptr), 0);
        ASSERT_EQ(::setgid(kUnprivileged), 0);
        ASSERT_EQ(::setuid(kUnprivileged), 0);
    }
    const QString folder = testsupport::childValue("W7_RECORD_FOLDER");
    ASSERT_FALSE(QFile(folder + "288862.mxy").open(QIODevice::ReadOnly)) << "readable after all";
    startup::resetState();
    forgetHeldBackRecords();
    startup::RunState &s = startup::state();
    s.UserDataFolder = folder;
    s.RunLogPath = folder + "run.log";
    const RecordFiles records(folder);

    s.PaperMode = startup::MockPaper;
    s.PaperIndex = s.PaperSlot = 0;
    s.QuestionCount = 40;
    s.ExamStartTime = "2015-03-07 14:05:09";
    for (int q = 1; q <= 40; ++q) {
        s.QuestionCodes[q - 1] = 100 + q;
        s.QuestionStatus[q - 1] = q <= 38 ? startup::StatusDone : startup::StatusMarked;
    }
    const GradeResult graded = gradePaper(s, records, codes(101, 40), "2016-01-02 03:04:05");
    EXPECT_EQ(graded.scoreText, "95");
    EXPECT_EQ(graded.unsavedRecords, QStringList({"288862", "288872", "288892"}));

    s.PaperMode = startup::UnitAll;
    s.PaperIndex = 1;
    s.UnitCount = 2;
    s.QuestionCount = 3;
    for (int q = 1; q <= 3; ++q) {
        s.QuestionCodes[q - 1] = 100 + q;
        s.QuestionStatus[q - 1] = q == 1 ? startup::StatusDone | startup::StatusMarked : 0;
    }
    EXPECT_EQ(finishSetRecords(s, records, {}), QStringList({"288862", "288872"}));

    // A draw and a delete move the history with the papers: they refuse.
    const RecordAction draw(records);
    EXPECT_FALSE(home::recordDraw(draw, codes(201, 40), "2016-01-02 03:04:05", 3));
    const RecordAction deletion(records);
    EXPECT_FALSE(home::recordDelete(deletion, 21, 3));

    // Each file that cannot be read is reported once, by name.
    const QString log = platform::decodeGbk(readBytes(s.RunLogPath));
    EXPECT_EQ(log.count("288862.mxy"), 1) << log.toStdString();
    EXPECT_EQ(log.count("288892.mxy"), 1) << log.toStdString();
}

TEST(RecordFaults, RecordsThatCannotBeReadAreNeverRewrittenAndTheRestIsSaved) {
    // The child's user must reach the folder, wherever TMPDIR lies.
    testsupport::ReachableTemporaryDir tmp;
    const QString folder = tmp.path() + "/ksdata/";
    QDir().mkpath(folder);
    const Snapshot before = {
        {"288862.mxy", "0105\r\n"},
        {"288872.mxy", "T\r\n"},
        {"288863.mxy", "0999\r\n"},
        {"288873.mxy", "F\r\n"},
        {"288892.mxy", platform::linesToBytes({"2015-01-01 08:00:00", "90", "E", ""})},
        {"288893.mxy", "TTT\r\nFFF\r\n"},
        {"288891.mxy",
         platform::linesToBytes({codes(301, 40), codes(401, 40), codes(501, 40), ""})},
        {"182420.mxy", "0301\r\n"},
        {"182421.mxy", "0401\r\n"},
        {"182422.mxy", "0501\r\n"},
    };
    for (const auto &[name, bytes] : before) ASSERT_TRUE(writeBytes(folder + name, bytes));
    const bool root = ::geteuid() == 0;
    for (const QString &path : {tmp.path(), tmp.path() + "/ksdata"})
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0755), 0);
    for (const auto &[name, bytes] : before) {
        const QByteArray path = QFile::encodeName(folder + name);
        const bool writeOnly = name == "288862.mxy" || name == "288892.mxy";
        ASSERT_EQ(::chmod(path.constData(), writeOnly ? 0200 : 0600), 0);
        if (root) {
            ASSERT_EQ(::chown(path.constData(), kUnprivileged, kUnprivileged), 0);
        }
    }
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), kUnprivileged, kUnprivileged), 0);
    }

    const auto run = testsupport::runChild("RecordFaultsChild.ActionsOverRecordsThatCannotBeRead",
                                           "unreadable", {"W7_RECORD_FOLDER=" + folder});
    EXPECT_TRUE(run.passed()) << run.output.toStdString();

    const Snapshot after = snapshot(folder);
    for (const char *kept : {"288862.mxy", "288872.mxy", "288892.mxy", "288891.mxy", "182420.mxy",
                             "182421.mxy", "182422.mxy"})
        EXPECT_EQ(after.at(kept), before.at(kept)) << kept;
    // The rest of grading and of the set's end is saved.
    EXPECT_EQ(after.at("182400.mxy"), "01390140\r\n");
    EXPECT_EQ(after.at("288863.mxy"), "099901390140\r\n");
    EXPECT_EQ(after.at("288873.mxy"), "FFF\r\n");
    EXPECT_EQ(after.at("288893.mxy"), "TTT\r\nTFF\r\n\r\n");
}

// The test above, run where TMPDIR lies below a folder only its owner may
// enter: its child's user must still reach the records.
TEST(RecordFaults, TheChildsRecordsAreReachableWhereverTmpdirLies) {
    QTemporaryDir owners;
    const QString tmpdir = owners.path() + "/tmp";
    ASSERT_TRUE(QDir().mkpath(tmpdir));
    ASSERT_EQ(::chmod(QFile::encodeName(owners.path()).constData(), 0700), 0);
    const auto run = testsupport::runChild(
        "RecordFaults.RecordsThatCannotBeReadAreNeverRewrittenAndTheRestIsSaved", "tmpdir",
        {"TMPDIR=" + tmpdir});
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

} // namespace
