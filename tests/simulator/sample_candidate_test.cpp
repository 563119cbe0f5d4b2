// A candidate does what a sample question's text says, the way a person
// who sees the screen does it, not the one way the step was first written
// for: each gesture goes through the screen's real judging and must move
// the question on.
#include "sample_judging.h"
#include "sample_panel.h"
#include "sample_shell_questions.h"
#include "screen_fixture.h"
#include "simulator/step_files.h"
#include "simulator/step_record.h"

#include <QImage>
#include <QWidget>
#include <algorithm>

namespace {

// A hand on the 1366 x 768 screen: it points at pixels of the screen, as
// the candidate sees them, and moves a few pixels at a time, each move a
// pointer event of its own, wherever the events then go.
class Hand {
public:
    explicit Hand(forms::Form *screen) : form_(screen) {}

    void press(QPoint at, int button = forms::vbLeftButton) {
        at_ = at;
        forms::testing::press(form_, x(at), y(at), button);
    }
    // To `to` in moves of at most `step` pixels on each axis.
    void moveTo(QPoint to, int step) {
        while (at_ != to) {
            const QPoint d = to - at_;
            at_ += QPoint(std::clamp(d.x(), -step, step), std::clamp(d.y(), -step, step));
            forms::testing::move(form_, x(at_), y(at_));
        }
    }
    // Points at `at` with no button held.
    void point(QPoint at) {
        at_ = at;
        forms::testing::move(form_, x(at), y(at));
    }
    void release(int button = forms::vbLeftButton) {
        forms::testing::release(form_, x(at_), y(at_), button);
    }
    void drag(QPoint from, QPoint to, int step) {
        press(from);
        moveTo(to, step);
        release();
    }
    void click(QPoint at, int button = forms::vbLeftButton) {
        at_ = at;
        forms::testing::click(form_, x(at), y(at), button);
    }
    QPoint at() const { return at_; }

    // Where a control of the screen lies on the screen (pixels).
    QRect place(const forms::Control *c) const {
        return QRect(origin() + c->originInFormPx(), c->rectPx().size());
    }
    // The screen's own pixel p on the screen.
    QPoint onScreen(QPoint p) const { return origin() + p; }

private:
    QPoint origin() const { return QPoint(int(form_->left() / 15), int(form_->top() / 15)); }
    // The middle of a screen pixel, in the form's twips.
    double x(QPoint p) const { return (p.x() - origin().x()) * 15 + 7; }
    double y(QPoint p) const { return (p.y() - origin().y()) * 15 + 7; }

    forms::Form *form_;
    QPoint at_;
};

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

    QString actionCode() const { return sim::StepRecord(S().CurRecord).actionCode(); }
    // The background of the step on show, as the screen shows it.
    QImage background() { return frm()->picture().image().convertToFormat(QImage::Format_RGB32); }
};

bool white(const QImage &img, QPoint p) {
    const QColor c = img.pixelColor(p);
    return std::min({c.red(), c.green(), c.blue()}) >= 245;
}

// The last pixel of a line drawn on a white ground, from `from` on in the
// direction `way` (a unit step): where the line ends as the eye sees it.
QPoint endOfLine(const QImage &img, QPoint from, QPoint way) {
    QPoint p = from;
    while (img.rect().contains(p + way) && !white(img, p + way)) p += way;
    return p;
}

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
    // Each way the text asks, in turn; where on the grip the hand takes it
    // (its corners and its middle), how far it drags and in what moves.
    const QPoint ways[] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
    struct Drag {
        int distance, step;
    };
    const Drag drags[] = {{20, 1}, {20, 2}, {20, 4}, {20, 5}, {50, 5}};
    for (int k = 1; k <= 4; ++k) {
        for (const Drag &d : drags) {
            for (int corner = 0; corner < 5; ++corner) {
                SCOPED_TRACE(testing::Message()
                             << "step " << k << ", " << d.distance << " pixels in moves of "
                             << d.step << ", taken at " << corner);
                startAt(sample::kJudgingUnit,
                        QStringLiteral("依次向左下、右下、左上、右上拖动窗口"), k);
                Hand hand(frm());
                const QRect grip = hand.place(frm()->Image5);
                const QPoint taken[] = {grip.topLeft(), grip.topRight(), grip.bottomLeft(),
                                        grip.bottomRight(), grip.center()};
                const QPoint from = taken[corner];
                hand.drag(from, from + ways[k - 1] * d.distance, d.step);
                EXPECT_EQ(step(), k + 1);
                forms::testing::unloadAll();
            }
        }
        // One axis the wrong way: the window keeps its size.
        SCOPED_TRACE(testing::Message() << "step " << k << " dragged the wrong way");
        startAt(sample::kJudgingUnit, QStringLiteral("依次向左下、右下、左上、右上拖动窗口"), k);
        Hand hand(frm());
        const QPoint from = hand.place(frm()->Image5).center();
        hand.drag(from, from + QPoint(ways[k - 1].x(), -ways[k - 1].y()) * 20, 4);
        EXPECT_EQ(step(), k);
        forms::testing::unloadAll();
    }
}

TEST_F(SampleCandidate, TheResizeGripLiesOnTheCornerOfTheWindowEachStepDraws) {
    // The window's edges as the step's background draws them: a line of
    // one colour up from the grip's right side and left from its foot,
    // with something else on either side of it.
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(testing::Message() << "step " << k);
        startAt(sample::kJudgingUnit, QStringLiteral("依次向左下、右下、左上、右上拖动窗口"), k);
        const QImage screen = background();
        forms::Image *image = frm()->Image5;
        const QRect grip(image->originInFormPx(), image->rectPx().size());
        const QColor edge = screen.pixelColor(grip.right(), grip.top() - 1);
        for (int i = 1; i <= 40; ++i) {
            const QPoint side(grip.right(), grip.top() - i);
            const QPoint foot(grip.left() - i, grip.bottom());
            for (const auto &[p, across] :
                 {std::pair{side, QPoint(1, 0)}, std::pair{foot, QPoint(0, 1)}}) {
                EXPECT_EQ(screen.pixelColor(p), edge) << p.x() << ", " << p.y();
                EXPECT_NE(screen.pixelColor(p + across), edge)
                    << "outside " << p.x() << ", " << p.y();
                EXPECT_NE(screen.pixelColor(p - across), edge)
                    << "inside " << p.x() << ", " << p.y();
            }
        }
        forms::testing::unloadAll();
    }
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

TEST_F(SampleCandidate, TypingReachesTheNotepadPageWhereverItIsClicked) {
    // The page as the screen shows it: under the menu row, left of the
    // scroll bar, and as far down as it is seen beside the question panel.
    const QPoint clicks[] = {{185, 150}, {600, 380},  {190, 625},
                             {840, 625}, {1160, 160}, {1160, 430}};
    for (const QPoint at : clicks) {
        SCOPED_TRACE(testing::Message() << "clicked at " << at.x() << ", " << at.y());
        startAt(sample::kJudgingUnit, QStringLiteral("在记事本中输入“今天天气很好”"), 1);
        Hand hand(frm());
        hand.click(at);
        typeText(QStringLiteral("今天"));
        // The text stands where Notepad puts it, at the left of the page's
        // first line, and in black.
        const QImage shot = frm()->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect box(frm()->Text3->originInFormPx(), frm()->Text3->rectPx().size());
        QRect ink;
        QColor darkest = Qt::white;
        for (int y = box.top() + 2; y < box.bottom() - 1; ++y) {
            for (int x = box.left() + 2; x < box.right() - 1; ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.lightness() > 160) continue;
                ink |= QRect(x, y, 1, 1);
                if (c.lightness() < darkest.lightness()) darkest = c;
            }
        }
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_LT(ink.top() - box.top(), 20);
        EXPECT_LT(ink.left() - box.left(), 12);
        EXPECT_LT(darkest.red() - darkest.blue(), 40) << "coloured text";
        typeText(QStringLiteral("天气很好"));
        EXPECT_EQ(actionCode(), QStringLiteral("9999"));
        forms::testing::unloadAll();
    }
}

TEST_F(SampleCandidate, EachSliderKnobReachesBothEndsOfItsTrackAsAHandDragsIt) {
    // The knob's step, the way along its track, and the hand: where it
    // takes the knob (0 its near side, 1 its far side, in the way it is
    // dragged), how far it moves at a time, and where it lets go: with the
    // pointer on the end of the track as the candidate sees it, when the
    // knob's far side has reached that end, or short of the end.
    enum class Stop { PointerAtEnd, KnobAtEnd, Short };
    struct Hold {
        double along;
        int step;
        Stop stop;
    };
    const Hold holds[] = {{0.5, 2, Stop::PointerAtEnd}, {0.0, 4, Stop::PointerAtEnd},
                          {1.0, 8, Stop::PointerAtEnd}, {0.5, 10, Stop::PointerAtEnd},
                          {0.5, 3, Stop::KnobAtEnd},    {1.0, 6, Stop::KnobAtEnd},
                          {0.5, 4, Stop::Short}};
    const QPoint ways[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (int k = 1; k <= 4; ++k) {
        const QPoint way = ways[k - 1];
        for (const Hold &h : holds) {
            SCOPED_TRACE(testing::Message() << "step " << k << ", held at " << h.along
                                            << ", moves of " << h.step << ", stop " << int(h.stop));
            startAt(sample::kJudgingUnit, QStringLiteral("拖动滑块"), k);
            Hand hand(frm());
            forms::Image *knob = frm()->Image5;
            const QRect at = hand.place(knob);
            // The track's end, seen along the knob's middle line.
            const QPoint middle = QRect(knob->originInFormPx(), knob->rectPx().size()).center();
            const QPoint end = hand.onScreen(endOfLine(background(), middle, way));
            // Near and far side of the knob in the way it goes.
            const QPoint nearSide = way.x() + way.y() < 0 ? at.bottomRight() : at.topLeft();
            const QPoint farSide = way.x() + way.y() < 0 ? at.topLeft() : at.bottomRight();
            QPoint grab = at.center();
            if (way.x())
                grab.setX(nearSide.x() + int((farSide.x() - nearSide.x()) * h.along));
            else
                grab.setY(nearSide.y() + int((farSide.y() - nearSide.y()) * h.along));
            QPoint stop = way.x() ? QPoint(end.x(), grab.y()) : QPoint(grab.x(), end.y());
            if (h.stop == Stop::Short) stop -= way * 30;
            hand.press(grab);
            if (h.stop == Stop::KnobAtEnd) {
                // The eye follows the knob and the hand stops once it is there.
                const auto there = [&] {
                    const QRect r = hand.place(knob);
                    const QPoint far = way.x() + way.y() < 0 ? r.topLeft() : r.bottomRight();
                    return way.x() ? (far.x() - end.x()) * way.x() >= 0
                                   : (far.y() - end.y()) * way.y() >= 0;
                };
                for (int i = 0; i < 200 && !there(); ++i)
                    hand.moveTo(hand.at() + way * h.step, h.step);
            } else {
                hand.moveTo(stop, h.step);
            }
            hand.release();
            if (h.stop == Stop::Short) {
                EXPECT_EQ(step(), k);
                EXPECT_EQ(hand.place(knob), at) << "the knob goes back";
            } else {
                EXPECT_EQ(step(), k + 1);
            }
            forms::testing::unloadAll();
        }
    }
}

TEST_F(SampleCandidate, TheOtherNaturalWaysOfAStepAreTakenToo) {
    // Each case: the question, its step, the clicks of the hand (each where
    // the screen shows it when the click comes) and the step it leads to.
    using Place = std::function<QPoint(FrmMain *, Hand &)>;
    // The folder options' "查看" tab, as the tab-set table places it over
    // the page.
    const Place viewTab = [](FrmMain *f, Hand &hand) {
        const sim::TabSetRow row(sample::sampleTabSetTable()[0]);
        const QRect page = hand.place(f->Image2);
        return page.topLeft() + QPoint((row.tabLeft(2) + row.tabWidth(2) / 2) / 15,
                                       (row.tabTop() + row.tabHeight() / 2) / 15);
    };
    // The label of "隐藏已知文件类型的扩展名" as the page draws it: the ink
    // right of its check box on the box's row, at a fraction of its width,
    // or so many pixels past its end.
    const auto label = [](double along, int past = 0) -> Place {
        return [along, past](FrmMain *f, Hand &hand) {
            forms::Image *image = f->Image2;
            const QImage page = image->picture().image().convertToFormat(QImage::Format_RGB32);
            const sample::TwipRect b = sample::kHideExtensionsBox;
            const QRect row(b.x / 15 + b.w / 15, b.y / 15, 360, b.h / 15);
            QRect ink;
            for (int y = row.top(); y <= row.bottom(); ++y)
                for (int x = row.left(); x <= row.right(); ++x)
                    if (page.pixelColor(x, y).lightness() < 128) ink |= QRect(x, y, 1, 1);
            const QPoint at(ink.left() + int(ink.width() * along) + past, ink.center().y());
            return hand.place(image).topLeft() + at;
        };
    };
    const Place checkBox = [](FrmMain *f, Hand &hand) {
        const sample::TwipRect b = sample::kHideExtensionsBox;
        return hand.place(f->Image2).topLeft() +
               QRect(b.x / 15, b.y / 15, b.w / 15, b.h / 15).center();
    };
    const auto viewMenu = [](const char *caption) -> Place {
        return [caption](FrmMain *, Hand &hand) {
            const QRect r = sample::documentsViewMenuPlace(QString::fromUtf8(caption));
            EXPECT_FALSE(r.isEmpty()) << caption;
            return hand.onScreen(r.center());
        };
    };
    struct Case {
        int unit;
        const char *question;
        int step;
        std::vector<Place> clicks;
        int leadsTo;
    };
    const char *folderOptions = "在“文件夹选项”对话框中勾选";
    const char *commandBar = "在“文档”窗口中用“组织”菜单删除选中的文件";
    const Case cases[] = {
        // The check box ticks by its label, as in Windows.
        {sample::kEngineUnit, folderOptions, 1, {viewTab, checkBox}, 2},
        {sample::kEngineUnit, folderOptions, 1, {viewTab, label(0.05)}, 2},
        {sample::kEngineUnit, folderOptions, 1, {viewTab, label(0.5)}, 2},
        {sample::kEngineUnit, folderOptions, 1, {viewTab, label(0.95)}, 2},
        {sample::kEngineUnit, folderOptions, 1, {viewTab, label(1.0, 40)}, 1},
        // The menu bar just shown: "查看(V)" opens the view menu, whose
        // "中等图标(M)" changes the view; "查看(V)" again closes it.
        {sample::kShellJudgingUnit, commandBar, 3, {viewMenu("查看(V)")}, 4},
        {sample::kShellJudgingUnit,
         commandBar,
         3,
         {viewMenu("查看(V)"), viewMenu("中等图标(M)")},
         5},
        {sample::kShellJudgingUnit, commandBar, 3, {viewMenu("查看(V)"), viewMenu("查看(V)")}, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.question << " step " << c.step << ", "
                                        << c.clicks.size() << " clicks, to " << c.leadsTo);
        startAt(c.unit, QString::fromUtf8(c.question), c.step);
        Hand hand(frm());
        for (const Place &place : c.clicks) hand.click(place(frm(), hand));
        EXPECT_EQ(step(), c.leadsTo);
        forms::testing::unloadAll();
    }
}

TEST_F(SampleCandidate, TheViewMenuOfTheMenuBarOpensWholeOverTheWindow) {
    // Opened from "查看(V)", every entry of the menu lies over the window's
    // bars, not under one of them.
    startAt(sample::kShellJudgingUnit, QStringLiteral("在“文档”窗口中用“组织”菜单删除选中的文件"),
            3);
    Hand hand(frm());
    hand.click(hand.onScreen(sample::documentsViewMenuPlace(QStringLiteral("查看(V)")).center()));
    ASSERT_EQ(step(), 4);
    for (const char *entry : {"超大图标(X)", "大图标(R)", "中等图标(M)", "自定义此文件夹(F)..."}) {
        SCOPED_TRACE(entry);
        const QRect r = sample::documentsViewMenuPlace(QString::fromUtf8(entry));
        ASSERT_FALSE(r.isEmpty());
        for (const QPoint p :
             {r.topLeft() + QPoint(2, 2), r.center(), r.bottomRight() - QPoint(2, 2)}) {
            hand.point(hand.onScreen(p));
            forms::Control *under = forms::testing::controlUnderPointer();
            ASSERT_TRUE(under);
            EXPECT_TRUE(under == frm() || under->container() == frm())
                << "under " << under->name().toStdString();
        }
    }
}
