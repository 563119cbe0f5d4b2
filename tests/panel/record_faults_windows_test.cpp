// Writes that fail for real under the score sheet and the panel's finish,
// each in a child run of this test program with a file-size limit above
// the run log's size and below the new records': every old record stays,
// the sheet still shows the score, and the candidate is told once, in the
// program's own message box, which records could not be saved.
#include "windows_fixture.h"

#include "box_watch.h"
#include "child_process.h"
#include "file_size_limit.h"
#include "panel/frm_chengji.h"
#include "panel_fixture.h"
#include "platform/text.h"
#include "startup/frm_qhmsgbox.h"

#include <QDir>
#include <map>

namespace {

using testsupport::readBytes;
using testsupport::writeBytes;
using Snapshot = std::map<QString, QByteArray>;

constexpr rlim_t kLimit = 4096;

// The records of a folder, the run log left out.
Snapshot records(const QString &folder, const QString &runLog) {
    Snapshot out;
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        if (folder + name != runLog) out[name] = readBytes(folder + name);
    return out;
}

// Favourites of 2000 codes: more than the limit lets a new file take.
QByteArray manyFavourites() {
    QByteArray list;
    for (int k = 0; k < 2000; ++k) list += QByteArray::number(5000 + k);
    return list + "\r\n";
}

class SheetUnderFaults : public paneltest::ExamWindowsTest {};

TEST_F(SheetUnderFaults, ChildGradesPastAFileSizeLimit) {
    if (testsupport::childRole() != "fsize") GTEST_SKIP() << testsupport::kChildOnly;
    s.RunLogPath = dir().ksdata() + "run.log";
    const QString ks = dir().ksdata();
    ASSERT_TRUE(writeBytes(ks + "288862.mxy", manyFavourites()));
    ASSERT_TRUE(writeBytes(ks + "288872.mxy", QByteArray(2000, 'T') + "\r\n"));
    ASSERT_TRUE(writeBytes(ks + "288863.mxy", "0999\r\n"));
    ASSERT_TRUE(writeBytes(ks + "288873.mxy", "T\r\n"));
    ASSERT_TRUE(writeBytes(ks + "182400.mxy", "0101\r\n"));
    const Snapshot before = records(ks, s.RunLogPath);
    for (int i = 0; i < 40; ++i) s.QuestionStatus[i] = i % 4 == 0 ? 1 : 5; // 10 wrong
    s.QuestionStatus[5] = 7;                                               // marked
    QStringList boxes;
    testsupport::watchBoxes(&boxes);
    {
        testsupport::FileSizeLimit limit(kLimit);
        ASSERT_TRUE(limit.set());
        FrmChengji *sheet = forms::form<FrmChengji>();
        sheet->show();
        EXPECT_EQ(sheet->Label1->caption(), "第1套得分：75分");
        EXPECT_TRUE(boxes.isEmpty()); // said over the sheet, once it is up
        ft::advance(100);
        ft::advance(1000);
        EXPECT_TRUE(sheet->visible());
        EXPECT_EQ(sheet->Label1->caption(), "第1套得分：75分");
    }
    EXPECT_EQ(boxes,
              QStringList({"记录保存失败|\r\n\r\n成绩记录保存失败：收藏的题目、试卷错题、我的错题、"
                           "考试历史未能保存，仍是原来的内容。"}));
    EXPECT_EQ(records(ks, s.RunLogPath), before);
    const QString log = platform::decodeGbk(readBytes(s.RunLogPath));
    EXPECT_EQ(log.count("recordfiles"), 1) << log.toStdString();
    EXPECT_TRUE(log.contains("成绩记录保存失败：收藏的题目")) << log.toStdString();
}

class FinishUnderFaults : public PanelFixture {};

TEST_F(FinishUnderFaults, ChildEndsASetPastAFileSizeLimit) {
    if (testsupport::childRole() != "fsize") GTEST_SKIP() << testsupport::kChildOnly;
    auto &s = S();
    const QString ks = dir().ksdata();
    s.RunLogPath = ks + "run.log";
    ASSERT_TRUE(writeBytes(dir().bankFile("288891"), testsupport::gbkLines({"0102", "0203"})));
    ASSERT_TRUE(writeBytes(ks + "288893.mxy", "TT\r\nFFF\r\n"));
    ASSERT_TRUE(writeBytes(ks + "288862.mxy", manyFavourites()));
    ASSERT_TRUE(writeBytes(ks + "288872.mxy", QByteArray(2000, 'F') + "\r\n"));
    s.UnitCount = 2;
    s.PaperMode = startup::UnitAll;
    s.PaperIndex = 1;
    s.StudyMode = startup::Practice;
    s.PanelMayClose = false;
    s.QuestionStatus.fill(0);
    writeSet({QStringLiteral("题目1"), QStringLiteral("题目2"), QStringLiteral("题目3")});
    openSet();
    ft::click(frm()->Label1, 300, 300); // question 1 worked to its end
    press(panel::Mark);
    QStringList boxes;
    testsupport::watchBoxes(&boxes);
    {
        testsupport::FileSizeLimit limit(kLimit);
        ASSERT_TRUE(limit.set());
        press(panel::Finish);
        ft::advance(1000);
    }
    EXPECT_EQ(boxes,
              QStringList({"记录保存失败|\r\n\r\n练习记录保存失败：学习进度、收藏的题目未能保存，"
                           "仍是原来的内容。"}));
    EXPECT_FALSE(forms::loadedForm<FrmTm>());
    EXPECT_EQ(readBytes(ks + "288862.mxy"), manyFavourites());
    EXPECT_EQ(readBytes(ks + "288872.mxy"), QByteArray(2000, 'F') + "\r\n");
    // The unit's line is the old one (the home page has since brought the
    // file into the bank's shape, which keeps its lines).
    const auto progress = platform::readLines(ks + "288893.mxy");
    ASSERT_TRUE(progress);
    ASSERT_GE(progress->size(), 2);
    EXPECT_EQ(progress->at(0), "TT");
    EXPECT_EQ(progress->at(1), "FFF");
}

TEST(RecordFaultsWindows, FailedWritesUnderTheSheetAndTheFinishKeepTheRecordsAndTellTheCandidate) {
    for (const char *test : {"SheetUnderFaults.ChildGradesPastAFileSizeLimit",
                             "FinishUnderFaults.ChildEndsASetPastAFileSizeLimit"}) {
        const auto run = testsupport::runChild(test, "fsize");
        EXPECT_TRUE(run.passed()) << test << "\n" << run.output.toStdString();
    }
}

} // namespace
