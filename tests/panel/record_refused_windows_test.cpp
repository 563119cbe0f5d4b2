// A rename the folder refuses once the grading's journal is in place (a
// record mounted over, in a child run of this test program with a mount
// namespace of its own): the other records are new, the history stays as
// it was, and the box over the score sheet names exactly the history and
// says the others were saved. The run reads the history as it is on disk
// and goes on saving. A list and its flags stay a pair.
#include "windows_fixture.h"

#include "box_watch.h"
#include "child_process.h"
#include "mounted_over.h"
#include "panel/frm_chengji.h"
#include "panel/record_files.h"
#include "platform/text.h"
#include "startup/frm_qhmsgbox.h"

#include <QDir>

namespace {

namespace ft = forms::testing;
using paneltest::paperCodes;
using testsupport::readBytes;
using testsupport::writeBytes;

class SheetOverARefusedRename : public paneltest::ExamWindowsTest {};

TEST_F(SheetOverARefusedRename, ChildGradesWhileTheHistoryCannotBeRenamedOver) {
    if (testsupport::childRole() != "refused") GTEST_SKIP() << testsupport::kChildOnly;
    const QString ks = dir().ksdata();
    s.RunLogPath = ks + "run.log";
    const QByteArray history = platform::linesToBytes({"2015-01-01 08:00:00", "90", "E", ""});
    ASSERT_TRUE(writeBytes(ks + "288892.mxy", history));
    ASSERT_TRUE(writeBytes(ks + "288863.mxy", "0999\r\n"));
    ASSERT_TRUE(writeBytes(ks + "288873.mxy", "T\r\n"));
    ASSERT_TRUE(writeBytes(dir().root + "history", history));
    testsupport::MountedOver mounted(dir().root + "history", ks + "288892.mxy");
    if (!mounted.why().empty()) GTEST_SKIP() << "no bind mount here (" << mounted.why() << ")";
    for (int i = 0; i < 40; ++i) s.QuestionStatus[i] = i < 38 ? 5 : 1; // 95 points
    QStringList boxes;
    testsupport::watchBoxes(&boxes);
    FrmChengji *sheet = forms::form<FrmChengji>();
    sheet->show();
    ft::advance(100);
    ft::advance(1000);
    EXPECT_EQ(sheet->Label1->caption(), "第1套得分：95分");
    EXPECT_EQ(boxes, QStringList({"记录保存失败|\r\n\r\n成绩记录保存失败：考试历史未能保存，"
                                  "仍是原来的内容。其它记录已经保存。"}));
    EXPECT_EQ(readBytes(ks + "288892.mxy"), history);
    const QString wrong = paperCodes().mid(38 * 4, 8);
    EXPECT_EQ(readBytes(ks + "182400.mxy"), wrong.toLatin1() + "\r\n");
    EXPECT_EQ(readBytes(ks + "288863.mxy"), "0999" + wrong.toLatin1() + "\r\n");
    EXPECT_EQ(readBytes(ks + "288873.mxy"), "TFF\r\n");
    // The run's pages read the history on disk; nothing is left to make it
    // new at the next start.
    const panel::RecordFiles records(ks);
    EXPECT_EQ(records.readHistory().bestScore(0), "90");
    EXPECT_EQ(
        QDir(ks).entryList({"w7files.journal*", "*.w7tmp-*"}, QDir::AllEntries | QDir::Hidden),
        QStringList());
    // Saving goes on in the same run.
    panel::RecordAction clearing(records);
    ASSERT_TRUE(clearing.writeList(panel::recname::WrongQuestions, panel::recname::WrongFlags, {}));
    EXPECT_TRUE(clearing.commit());
    EXPECT_EQ(readBytes(ks + "288863.mxy"), "\r\n");
}

// The favourites are a list and its flags: when the rename of either is
// refused, the other is put back, so that no flag moves onto another
// question; the box names the favourites, and the grading's other records
// are new.
TEST_F(SheetOverARefusedRename, ChildGradesWhileTheFavouritesCannotBeRenamedOver) {
    if (testsupport::childRole() != "refused favourites") GTEST_SKIP() << testsupport::kChildOnly;
    const QString ks = dir().ksdata();
    s.RunLogPath = ks + "run.log";
    for (const char *mountedOver : {"288872.mxy", "288862.mxy"}) {
        SCOPED_TRACE(mountedOver);
        const QByteArray history = platform::linesToBytes({"2015-01-01 08:00:00", "90", "E", ""});
        ASSERT_TRUE(writeBytes(ks + "288892.mxy", history));
        ASSERT_TRUE(writeBytes(ks + "288862.mxy", "0999\r\n"));
        ASSERT_TRUE(writeBytes(ks + "288872.mxy", "T\r\n"));
        ASSERT_TRUE(writeBytes(ks + "288863.mxy", "0999\r\n"));
        ASSERT_TRUE(writeBytes(ks + "288873.mxy", "T\r\n"));
        ASSERT_TRUE(writeBytes(dir().root + "shown", readBytes(ks + mountedOver)));
        testsupport::MountedOver mounted(dir().root + "shown", ks + mountedOver);
        if (!mounted.why().empty()) GTEST_SKIP() << "no bind mount here (" << mounted.why() << ")";
        // 95 points; the last question marked.
        for (int i = 0; i < 40; ++i) s.QuestionStatus[i] = i < 38 ? 5 : 1;
        s.QuestionStatus[39] = 3;
        QStringList boxes;
        testsupport::watchBoxes(&boxes);
        FrmChengji *sheet = forms::form<FrmChengji>();
        sheet->show();
        ft::advance(100);
        ft::advance(1000);
        EXPECT_EQ(boxes, QStringList({"记录保存失败|\r\n\r\n成绩记录保存失败：收藏的题目未能保存，"
                                      "仍是原来的内容。其它记录已经保存。"}));
        EXPECT_EQ(readBytes(ks + "288862.mxy"), "0999\r\n");
        EXPECT_EQ(readBytes(ks + "288872.mxy"), "T\r\n");
        const QString wrong = paperCodes().mid(38 * 4, 8);
        EXPECT_EQ(readBytes(ks + "288863.mxy"), "0999" + wrong.toLatin1() + "\r\n");
        EXPECT_EQ(readBytes(ks + "288873.mxy"), "TFF\r\n");
        EXPECT_NE(readBytes(ks + "288892.mxy"), history);
        EXPECT_EQ(
            QDir(ks).entryList({"w7files.journal*", "*.w7tmp-*"}, QDir::AllEntries | QDir::Hidden),
            QStringList());
        forms::unloadForm<FrmChengji>();
    }
}

TEST(RecordRefusedWindows, AListAndItsFlagsStayAPairUnderARefusedRename) {
    const auto run = testsupport::runChild(
        "SheetOverARefusedRename.ChildGradesWhileTheFavouritesCannotBeRenamedOver",
        "refused favourites");
    if (run.exitCode == 0 && run.output.contains("no bind mount here"))
        GTEST_SKIP() << "no bind mount here";
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

TEST(RecordRefusedWindows, ARefusedRenameNamesExactlyThatRecordOverTheScoreSheet) {
    const auto run = testsupport::runChild(
        "SheetOverARefusedRename.ChildGradesWhileTheHistoryCannotBeRenamedOver", "refused");
    if (run.exitCode == 0 && run.output.contains("no bind mount here"))
        GTEST_SKIP() << "no bind mount here";
    EXPECT_TRUE(run.passed()) << run.output.toStdString();
}

} // namespace
