// What the start makes of an action on the records that the last run could
// not finish whole, and of the temporary files of downloads and exercise
// files that a kill left beside their targets.
#include "start_fixture.h"
#include "startup/run_state.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <map>

namespace ft = forms::testing;
using startup::state;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

class StartJournal : public StartFixture {
protected:
    void start() { ASSERT_TRUE(startToHomePage()); }
};

QString told(const QString &text) {
    return "over the home page|记录保存失败|\r\n\r\n上次运行的记录保存失败：" + text;
}

// A journal that cannot be finished whole: every rename that can be done
// is done, one that cannot be read is set aside; either way the records
// whose new files were dropped are told once, over the home page, and the
// run saves as before.
TEST_F(StartJournal, WhatTheLastRunCouldNotSaveIsToldOnceAndSavingGoesOn) {
    const QString ks = dir().ksdata();
    const QString tFav = "288862.mxy.w7tmp-0123456789abcdef",
                  tFlags = "288872.mxy.w7tmp-00000000000000ff",
                  tHistory = "288892.mxy.w7tmp-fedcba9876543210";
    const QByteArray journal = "w7files 1\n" + tFav.toUtf8() + "\t288862.mxy\n" + tFlags.toUtf8() +
                               "\t288872.mxy\n" + tHistory.toUtf8() + "\t288892.mxy\nend 3\n";
    using Files = std::map<QString, QByteArray>;
    const Files newFiles = {{tFav, "01050301\r\n"}, {tFlags, "TF\r\n"}, {tHistory, "new history"}};
    const struct {
        const char *what;
        Files left;        // besides the new files (a name ending in "/x": a folder)
        QStringList boxes; // what follows "上次运行的记录保存失败："
        Files after;       // of the records and the journal's names
    } cases[] = {
        // The folder is a history the page build cannot read: told after
        // the last run's records.
        {"a rename refused: a folder in the history's place",
         {{"w7files.journal", journal}, {"288892.mxy/x", "x"}},
         {told("考试历史未能保存，仍是原来的内容。其它记录已经保存。"),
          "over the home page|记录无法读取|\r\n\r\n考试历史无法读取，本次运行不会修改这些记录。"},
         {{"288862.mxy", "01050301\r\n"}, {"288872.mxy", "TF\r\n"}, {"288892.mxy", "<folder>"}}},
        {"a journal cut short",
         {{"w7files.journal", journal.chopped(10)}},
         {told("收藏的题目、考试历史未能保存，仍是原来的内容。")},
         {{"288862.mxy", "0105\r\n"},
          {"288872.mxy", "T\r\n"},
          {"288892.mxy", "old history"},
          {"w7files.journal.unreadable-1", journal.chopped(10)}}},
        {"a folder as the journal",
         {{"w7files.journal/x", "x"}},
         {told("收藏的题目、考试历史未能保存，仍是原来的内容。")},
         {{"288862.mxy", "0105\r\n"},
          {"288872.mxy", "T\r\n"},
          {"288892.mxy", "old history"},
          {"w7files.journal.unreadable-1", "<folder>"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Files left = newFiles;
        left.insert(c.left.begin(), c.left.end());
        left.insert({{"288862.mxy", "0105\r\n"}, {"288872.mxy", "T\r\n"}});
        if (!left.count("288892.mxy/x")) left["288892.mxy"] = "old history";
        for (const auto &[name, bytes] : left) ASSERT_TRUE(writeBytes(ks + name, bytes));
        boxes.clear();
        ASSERT_NO_FATAL_FAILURE(start());
        EXPECT_EQ(boxes, c.boxes);
        for (const auto &[name, bytes] : c.after) {
            const QFileInfo info(ks + name);
            EXPECT_EQ(info.isDir() ? "<folder>" : readBytes(ks + name), bytes)
                << name.toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(ks + "w7files.journal"));
        EXPECT_TRUE(QDir(ks).entryList({"*.w7tmp-*"}, QDir::AllEntries).isEmpty());

        // The run saves as before.
        panel::RecordAction action{panel::RecordFiles(ks)};
        ASSERT_TRUE(action.writeList(panel::recname::Favourites, panel::recname::FavouriteFlags,
                                     {"0999", "F"}));
        EXPECT_TRUE(action.commit());
        EXPECT_EQ(readBytes(ks + "288862.mxy") + readBytes(ks + "288872.mxy"), "0999\r\nF\r\n");

        forms::unloadForm<FrmFengmian>();
        QDir(ks + "288892.mxy").removeRecursively();
        QDir(ks + "w7files.journal.unreadable-1").removeRecursively();
        QFile::remove(ks + "w7files.journal.unreadable-1");
        panel::forgetHeldBackRecords();
        startup::resetProgramEnded();
    }
}

// A journal that cannot be read and names nothing that is left: set
// aside, nothing to tell.
TEST_F(StartJournal, AnUnreadableJournalWithoutNewFilesIsSetAsideSilently) {
    const QString ks = dir().ksdata();
    ASSERT_TRUE(writeBytes(ks + "w7files.journal", QByteArray(3000, '\xfe')));
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    EXPECT_EQ(readBytes(ks + "w7files.journal.unreadable-1"), QByteArray(3000, '\xfe'));
    EXPECT_FALSE(QFileInfo::exists(ks + "w7files.journal"));
}

// Downloads write beside their targets in the program folder, the bank and
// examdata, the start of a set beside the exercise files: what a kill left
// there goes at the next start, as in ksdata. A name that ends in a line
// feed after the digits is none of the writer's and stays; a journal in a
// folder where no group is written is never run.
TEST_F(StartJournal, TemporaryFilesAreRemovedBesideDownloadsAndExerciseFilesToo) {
    const QString bankIndex = dir().bankFile("288891");
    const QString tIndex = QFileInfo(bankIndex).fileName() + ".w7tmp-0000000000000abc";
    const QString bank = QFileInfo(bankIndex).absolutePath() + "/";
    const QByteArray index = readBytes(bankIndex);
    ASSERT_FALSE(index.isEmpty());
    const QString lineFeed = "288890.mxy.w7tmp-0123456789abcdef\n";
    const std::map<QString, QByteArray> gone = {
        {dir().root + "qhitpk.rar.w7tmp-0123456789abcdef", "updater"},
        {bank + "288850.mxy.w7tmp-00000000000000a1", QByteArray(983040, 'd')},
        {bank + tIndex, "a bank index never committed"},
        {dir().examdata() + "NN0000.mxy.w7tmp-00000000000000b1", "picture"},
        {dir().ksdata() + "170100.mxy.w7tmp-00000000000000c1", "banner"},
    };
    const std::map<QString, QByteArray> kept = {
        {dir().ksdata() + lineFeed, "not a temporary file"},
        {dir().root + lineFeed, "not a temporary file"},
        {bank + "w7files.journal", "w7files 1\n" + tIndex.toUtf8() + "\t288891.mxy\nend 1\n"},
    };
    for (const auto &files : {gone, kept})
        for (const auto &[path, bytes] : files) ASSERT_TRUE(writeBytes(path, bytes));
    ASSERT_NO_FATAL_FAILURE(start());
    for (const auto &[path, bytes] : gone)
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
    for (const auto &[path, bytes] : kept) EXPECT_EQ(readBytes(path), bytes) << path.toStdString();
    EXPECT_EQ(readBytes(bankIndex), index);
}

} // namespace
