// A candidate does what a sample question's text says, the way a person
// who sees the screen does it, not the one way the step was first written
// for: each gesture goes through the screen's real judging and must move
// the question on.
#include "sample_judging.h"
#include "sample_panel.h"
#include "screen_fixture.h"
#include "simulator/step_files.h"
#include "simulator/step_record.h"

namespace {

class SampleCandidate : public WholeSampleFixture {
protected:
    // Shows step `n` of the unit's question whose text begins so, as the
    // panel starts it.
    void startAt(int unit, const QString &textStart, int n) {
        startOn(unit);
        const QStringList texts = questionTexts();
        int q = 0;
        for (int i = 0; i < texts.size() && !q; ++i)
            if (texts[i].startsWith(textStart)) q = i + 1;
        ASSERT_GT(q, 0) << textStart.toStdString();
        S().CurQuestion = q;
        S().CurStep = 1;
        start();
        for (int k = 2; k <= n; ++k) build(k);
    }

    // A point of the screen, given in its pixels, in the form's twips.
    static QPointF twips(QPoint px) { return QPointF(px.x() * 15 + 7, px.y() * 15 + 7); }
};

} // namespace

TEST_F(SampleCandidate, TheVideoLibraryOpensByADoubleClickOnItsIcon) {
    const QRect icon =
        sample::screenItemPlace(sample::LibraryScreenPicture, QStringLiteral("视频"));
    ASSERT_FALSE(icon.isEmpty());
    startAt(sample::kShellUnit, QStringLiteral("在“库”中打开“视频”库"), 1);
    // On the folder picture and on the name under it.
    for (const QPoint at : {icon.center() - QPoint(0, 20), icon.center() + QPoint(0, 30)}) {
        SCOPED_TRACE(testing::Message() << at.x() << ", " << at.y());
        build(1);
        const QPointF p = twips(at);
        dblClick(frm(), p.x(), p.y());
        EXPECT_EQ(step(), 2);
    }
}

TEST_F(SampleCandidate, AValueTypedInACellIsConfirmedByAClickOnAnyOtherCell) {
    // The cell beside it, one further off, the first cell of the sheet and
    // one far below.
    for (const char *cell : {"C2", "D4", "A1", "F12"}) {
        SCOPED_TRACE(cell);
        const QRect place = sample::sheetCellPlace(QString::fromLatin1(cell));
        ASSERT_FALSE(place.isEmpty());
        startAt(sample::kJudgingUnit, QStringLiteral("在单元格B2中输入“100”"), 1);
        typeText(QStringLiteral("100"));
        const QPointF p = twips(place.center());
        click(frm(), p.x(), p.y());
        EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), QStringLiteral("9999"));
        forms::testing::unloadAll();
    }
}

TEST_F(SampleCandidate, AWindowIsResizedByDraggingItsCornerAsFarAsAPersonDoes) {
    // Each way the text asks, 50 pixels on both axes from the grip's
    // middle, in small moves as a hand makes them.
    const QPoint ways[] = {{-50, 50}, {50, 50}, {-50, -50}, {50, -50}};
    startAt(sample::kJudgingUnit, QStringLiteral("依次向左下、右下、左上、右上拖动窗口"), 1);
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(testing::Message() << "drag " << k + 1);
        ASSERT_EQ(step(), k + 1);
        forms::Image *grip = frm()->Image5;
        ASSERT_TRUE(grip->visible());
        const QPointF from(grip->left() + grip->width() / 2, grip->top() + grip->height() / 2);
        press(grip, grip->width() / 2, grip->height() / 2);
        for (int i = 1; i <= 10; ++i)
            move(frm(), from.x() + ways[k].x() * 15 * i / 10, from.y() + ways[k].y() * 15 * i / 10);
        release(frm(), from.x() + ways[k].x() * 15, from.y() + ways[k].y() * 15);
    }
    EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), QStringLiteral("9999"));
}

TEST_F(SampleCandidate, ABandFromAnyBlankSpotUpAndLeftOfTheFilesTakesThemIn) {
    // The files of the "文档" window: 报告, 备份 and 照片 in a row.
    const QRect files(80, 100, 320, 80);
    struct Case {
        const char *text;
        int shift;
    };
    const Case questions[] = {{"在“文档”窗口中，从左上方的空白处拖出一个选框", 0},
                              {"按住Shift键，从左上方的空白处拖出选框", forms::vbShiftMask}};
    // Spots a candidate takes: just outside the files' corner, near the
    // window's edge, and on the way to either.
    const QPoint starts[] = {files.topLeft() - QPoint(6, 6), {20, 66}, {50, 80}};
    const QPoint ends[] = {files.bottomRight() + QPoint(8, 8), {600, 300}};
    for (const Case &c : questions) {
        for (const QPoint from : starts) {
            for (const QPoint to : ends) {
                SCOPED_TRACE(testing::Message() << c.text << " from " << from.x() << ", "
                                                << from.y() << " to " << to.x() << ", " << to.y());
                startAt(sample::kJudgingUnit, QString::fromUtf8(c.text), 1);
                const QPointF a = twips(from), b = twips(to);
                press(frm(), a.x(), a.y(), forms::vbLeftButton, c.shift);
                for (int i = 1; i <= 10; ++i)
                    move(frm(), a.x() + (b.x() - a.x()) * i / 10, a.y() + (b.y() - a.y()) * i / 10,
                         c.shift);
                release(frm(), b.x(), b.y(), forms::vbLeftButton, c.shift);
                EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), QStringLiteral("9999"));
                forms::testing::unloadAll();
            }
        }
    }
}

TEST_F(SampleCandidate, TheTabDialogsGoBackByWhatTheyShow) {
    // The folder options: its tab "常规" shows that page again, the state
    // of the question's first step.
    {
        startAt(sample::kEngineUnit, QStringLiteral("在“文件夹选项”对话框中勾选"), 2);
        const sim::TabSetRow row(sample::sampleTabSetTable()[0]);
        forms::Image *page = frm()->Image2;
        click(frm(), page->left() + row.tabLeft(1) + row.tabWidth(1) / 2,
              page->top() + row.tabTop() + row.tabHeight() / 2);
        EXPECT_EQ(step(), 1);
        forms::testing::unloadAll();
    }
    // The advanced settings, left once the folder options in front of
    // them are closed: its "取消" button goes back to the folder options.
    {
        startAt(sample::kShellJudgingUnit, QStringLiteral("在“文件夹选项”对话框的“查看”选项卡"), 3);
        forms::Image *page = frm()->Image1;
        const sample::TwipRect cancel =
            sample::tabDialogCancelButton(int(page->left()), int(page->top()));
        click(frm(), cancel.x + cancel.w / 2, cancel.y + cancel.h / 2);
        EXPECT_EQ(step(), 2);
    }
}
