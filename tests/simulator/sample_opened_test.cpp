// What a candidate opens on a sample question of the file unit shows on
// the next screen: the menu a right click opens at the pointer, the menus
// of the command bar under their buttons, the tooltip over the taskbar's
// button, the search results, the properties of a file, and the files as
// a move or a copy leaves them. Each gesture is made as a hand makes it, in
// screen pixels through the screen's real judging; the screen is then
// compared with the one the candidate acted on, in the place where the
// opened thing must stand.
#include "screen_fixture.h"
#include "simulator/step_record.h"

#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <functional>

namespace {

class SampleOpened : public JudgingFixture {
protected:
    // Shows the unit's question with this text at step n, as the panel
    // starts it and the steps before it leave it.
    void startAt(const QString &text, int n) {
        const int q = questionNumber(text);
        ASSERT_GT(q, 0) << text.toStdString();
        S().CurQuestion = q;
        S().CurStep = 1;
        start();
        for (int k = 2; k <= n; ++k) build(k);
    }
    QImage shot() { return frm()->widget()->grab().toImage(); }

    // A point of the screen, given in its pixels, in the form's twips.
    static QPointF twips(QPoint px) { return QPointF(px.x() * 15 + 7, px.y() * 15 + 7); }
    // A press, ten small moves and a release, from one place to another.
    void drag(QPoint from, QPoint to, int shift = 0) {
        const QPointF a = twips(from), b = twips(to);
        press(frm(), a.x(), a.y(), forms::vbLeftButton, shift);
        for (int i = 1; i <= 10; ++i)
            move(frm(), a.x() + (b.x() - a.x()) * i / 10, a.y() + (b.y() - a.y()) * i / 10, shift);
        release(frm(), b.x(), b.y(), forms::vbLeftButton, shift);
    }
    void clickAtPx(QPoint at, int button = forms::vbLeftButton, int shift = 0) {
        const QPointF p = twips(at);
        click(frm(), p.x(), p.y(), button, shift);
    }

    // Two pixels a person cannot tell apart: the pictures of the sample
    // are saved in several formats, JPEG among them, which changes a
    // picture's pixels a little where it has edges.
    static bool alike(QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 10 && std::abs(qGreen(a) - qGreen(b)) <= 10 &&
               std::abs(qBlue(a) - qBlue(b)) <= 10;
    }
    // The share of the pixels of r (screen pixels) in `after` that look as
    // those of `before` at `was`, a place of r's size.
    static double same(const QImage &before, const QRect &was, const QImage &after,
                       const QRect &r) {
        int n = 0;
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x)
                n += alike(before.pixel(was.topLeft() + QPoint(x, y)),
                           after.pixel(r.topLeft() + QPoint(x, y)));
        return double(n) / (r.width() * r.height());
    }
};

// The files of the "文档" window as the candidate sees them (pixels).
const QRect kReportPlace(80, 100, 80, 80), kBackupPlace(200, 100, 80, 80),
    kPhotosPlace(320, 100, 80, 80);

} // namespace

TEST_F(SampleOpened, TheNextScreenShowsWhatTheActionOpened) {
    struct Case {
        const char *what;
        const char *text;
        int step;
        std::function<void()> act;
        QRect opened;        // where what it opened must stand
        QRect cameFrom = {}; // where what stands there now stood before
    };
    const QPoint photos = kPhotosPlace.center(), backupName(240, 172);
    const Case cases[] = {
        {"the folder's menu at the pointer",
         "按住Ctrl键依次单击“报告”和“照片”，然后右键单击“照片”。", 3,
         [&] { clickAtPx(photos, forms::vbRightButton); },
         QRect(photos + QPoint(4, 4), QSize(120, 120))},
        {"the folder's menu at the pointer, with Shift",
         "按住Shift键右键单击“备份”文件夹，然后用鼠标中键单击“照片”文件夹。", 1,
         [&] { clickAtPx(backupName, forms::vbRightButton, forms::vbShiftMask); },
         QRect(backupName + QPoint(4, 8), QSize(120, 120))},
        {"the tooltip over the button", "将鼠标指向任务栏上的“Windows 资源管理器”图标。", 1,
         [&] {
             for (int x = 300; x >= 144; x -= 12) {
                 const QPointF p = twips(QPoint(x, 578));
                 move(frm(), p.x(), p.y());
             }
         },
         QRect(104, 540, 80, 16)},
        {"the folders closing up after the move", "将“报告”文件拖动到“备份”文件夹中。", 1,
         [&] { drag(kReportPlace.center(), kBackupPlace.center()); }, kReportPlace, kBackupPlace},
        {"the copied folder selected", "按住Ctrl键将“照片”文件夹复制到“备份”文件夹中。", 1,
         [&] { drag(photos, kBackupPlace.center(), forms::vbCtrlMask); }, kPhotosPlace},
        {"the search results without the folders",
         "在搜索框中输入“报告”，然后按回车键或单击搜索按钮。", 1,
         [&] {
             typeText(QStringLiteral("报告"));
             pressKey(forms::vbKeyReturn);
         },
         // The folders' icons.
         QRect(212, 104, 176, 56)},
        {"the menu of 组织 under it",
         "单击工具栏上的“组织”按钮，再单击“视图”按钮，然后双击“布局”按钮。", 1,
         [&] { clickAtPx(QPoint(50, 72)); }, QRect(14, 92, 100, 40)},
        {"the menu of 视图 under it",
         "单击工具栏上的“组织”按钮，再单击“视图”按钮，然后双击“布局”按钮。", 2,
         [&] { clickAtPx(QPoint(140, 72)); }, QRect(104, 92, 80, 60)},
        {"the properties of the file", "右键单击“报告”文件，在快捷菜单中选择“属性”命令。", 2,
         // 属性 where the menu the right click opened shows it.
         [&] { clickAt(frm()->Label1); }, QRect(330, 60, 320, 160)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        startAt(QString::fromUtf8(c.text), c.step);
        const QImage before = shot();
        c.act();
        EXPECT_EQ(step(), c.step + 1) << "the action was not taken";
        const QImage after = shot();
        if (c.cameFrom.isEmpty())
            EXPECT_LT(same(before, c.opened, after, c.opened), 0.8);
        else
            EXPECT_GT(same(before, c.cameFrom, after, c.opened), 0.85);
        forms::testing::unloadAll();
    }
}

// The menu a right click opened closes with the click after it, and the
// command bar's menus close when the last of their buttons is clicked
// twice: the last screens show no menu that the text did not leave open.
TEST_F(SampleOpened, AMenuClosesWithTheClickAfterIt) {
    startAt(QStringLiteral("按住Shift键右键单击“备份”文件夹，然后用鼠标中键单击“照片”文件夹。"), 1);
    clickAtPx(QPoint(240, 172), forms::vbRightButton, forms::vbShiftMask);
    ASSERT_EQ(step(), 2);
    EXPECT_TRUE(frm()->Image1->isShown());
    // 照片 where the menu leaves it in view.
    clickAtPx(QPoint(360, 112), forms::vbMiddleButton);
    EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), QStringLiteral("9999"));
    EXPECT_FALSE(frm()->Image1->isShown());
    forms::testing::unloadAll();

    startAt(QStringLiteral("单击工具栏上的“组织”按钮，再单击“视图”按钮，然后双击“布局”按钮。"), 1);
    clickAtPx(QPoint(50, 72));
    clickAtPx(QPoint(140, 72));
    ASSERT_EQ(step(), 3);
    EXPECT_TRUE(frm()->Image1->isShown());
    const QPointF layout = twips(QPoint(230, 72));
    dblClick(frm(), layout.x(), layout.y());
    EXPECT_EQ(sim::StepRecord(S().CurRecord).actionCode(), QStringLiteral("9999"));
    EXPECT_FALSE(frm()->Image1->isShown());
    EXPECT_FALSE(frm()->Pic1J->isShown());
}
