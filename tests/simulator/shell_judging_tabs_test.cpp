// Tab strips of dialog steps through the forms layer: the expected tab, a
// wrong tab, one- and two-row strips, and the strip's back button.
#include "sample_pictures.h"
#include "screen_fixture.h"

#include <QColor>

namespace {

// A tab-set row: count, Top and height of the tabs, the page and Left of
// each tab, the back button's Left, Top and Width.
QString tabSetRow(QChar count, int top, int height, const QStringList &pages,
                  const QList<int> &lefts, int backLeft, int backTop, int backWidth) {
    QString row =
        QStringLiteral("0") + count + StepBuilder::digits(top, 4) + StepBuilder::digits(height, 3);
    for (int i = 0; i < 13; ++i) {
        row += i < pages.size() ? pages[i] : QStringLiteral("000000");
        row += StepBuilder::digits(i < lefts.size() ? lefts[i] : 0, 4);
    }
    return row + StepBuilder::digits(backLeft, 4) + StepBuilder::digits(backTop, 4) +
           StepBuilder::digits(backWidth, 4);
}

QString page(int tab) {
    return QStringLiteral("k2t1%1").arg(tab, 2, 10, QLatin1Char('0'));
}

class TabStrips : public ShellJudgingFixture {
protected:
    void SetUp() override {
        ShellJudgingFixture::SetUp();
        // A page picture of its own for each of twelve tabs.
        for (int i = 1; i <= 12; ++i) {
            ASSERT_TRUE(sample::saveBankPicture(
                dir(), page(i),
                sample::placeholder(QSize(400, 300), page(i), QColor::fromHsv(i * 25, 120, 220)),
                sample::PictureFormat::Png));
        }
        hintLine_ = answerLineOf(QStringLiteral("单击第九个选项卡|再单击“确定”"));
        ASSERT_GT(hintLine_, 0);
    }

    // The window with tab-set row "C" replaced by a strip of twelve tabs in
    // two rows of six, each with its own page.
    FrmMain *screenWithTwelveTabs() {
        FrmMain *f = frm();
        QStringList rows;
        for (int k = 0; k < sim::TabSetTable::kRows; ++k) rows << f->TabSetTable.row(k);
        QStringList pages;
        QList<int> lefts;
        for (int i = 1; i <= 12; ++i) {
            pages << page(i);
            lefts << 90 + 900 * ((i - 1) % 6);
        }
        rows[2] = tabSetRow(u'C', 0, 300, pages, lefts, 4500, 4800, 1095);
        f->TabSetTable.setRows(rows);
        return f;
    }

    static int answerLineOf(const QString &text) {
        const QStringList lines =
            platform::readLines(dir().bankFile(QStringLiteral("288890"))).value_or(QStringList());
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].mid(3) == text) return i + 1;
        return 0;
    }

    static QRectF rectOf(const forms::Control *c) {
        return QRectF(c->left(), c->top(), c->width(), c->height());
    }

    int hintLine_ = 0;
};

} // namespace

TEST_F(TabStrips, TwoRowsOfTabsTheWrongTabAndTheExpectedOne) {
    // The step's own picture differs from the strip's page of tab 9, so
    // that choosing the expected tab shows which of the two it took.
    useFirstStep(StepBuilder()
                     .background("k20001")
                     .picture(1, 3000, 2000, "q00022")
                     .tabStep(u'C', u'1', u'9', 1)
                     .target(6000, 6000, 1200, 330)
                     .action("0001")
                     .hint(3000, 1500, hintLine_));
    FrmMain *f = screenWithTwelveTabs();
    start();
    // Tab 1 in front: its row lies 300 twips lower, next to the page.
    EXPECT_EQ(f->LblXXK(3)->top(), 2300);
    EXPECT_EQ(f->LblXXK(9)->top(), 2000);
    EXPECT_EQ(f->Image1->picture(), forms::loadPicture(dir().bankFile(page(1))));

    // A wrong tab: its page, the hint asking for tab 9, the target out of
    // reach and the red box on tab 9.
    clickAt(f->LblXXK(3));
    EXPECT_EQ(f->Image1->picture(), forms::loadPicture(dir().bankFile(page(3))));
    EXPECT_EQ(f->LblXXK(3)->top(), 2300) << "the front row stays";
    EXPECT_EQ(f->LHelp->caption(), QStringLiteral("请选择第9个选项卡"));
    EXPECT_EQ(f->Label1->width(), 1);
    EXPECT_EQ(f->Label1->height(), 1);
    EXPECT_EQ(rectOf(f->Shape1), rectOf(f->LblXXK(9)));
    forms::testing::click(f, 6000 + 600, 6000 + 165);
    EXPECT_EQ(step(), 1) << "the target cannot be hit";

    // The expected tab: its row comes to the front, the step's own page,
    // the target back at its size, the red box on it, the hint in lines.
    clickAt(f->LblXXK(9));
    EXPECT_EQ(f->LblXXK(9)->top(), 2300);
    EXPECT_EQ(f->LblXXK(12)->top(), 2300);
    EXPECT_EQ(f->LblXXK(3)->top(), 2000);
    EXPECT_EQ(f->Image1->picture(), forms::loadPicture(dir().bankFile("q00022")));
    EXPECT_EQ(f->Label1->width(), 1200);
    EXPECT_EQ(f->Label1->height(), 330);
    EXPECT_EQ(rectOf(f->Shape1), rectOf(f->Label1));
    EXPECT_EQ(f->LHelp->caption(), QStringLiteral("单击第九个选项卡\r\n再单击“确定”"));
    EXPECT_EQ(step(), 1) << "choosing the tab is no step of its own";

    // A tab of the first row sends it to the front again.
    clickAt(f->LblXXK(2));
    EXPECT_EQ(f->LblXXK(2)->top(), 2300);
    EXPECT_EQ(f->LblXXK(9)->top(), 2000);
    clickAt(f->LblXXK(9));
    clickAt(f->Label1);
    EXPECT_EQ(step(), 2);
}

TEST_F(TabStrips, AOneRowStripNeverMovesItsTabs) {
    useFirstStep(StepBuilder()
                     .background("k20001")
                     .picture(1, 3000, 2000, "q00022")
                     .tabStep(u'A', u'1', u'2', 1)
                     .target(4500, 5000, 1200, 330)
                     .action("0001"));
    start();
    FrmMain *f = frm();
    QList<double> tops;
    for (int i = 1; i <= 3; ++i) tops << f->LblXXK(i)->top();
    clickAt(f->LblXXK(3));
    EXPECT_EQ(f->Image1->picture(), forms::loadPicture(dir().bankFile("q00023")));
    EXPECT_EQ(f->LHelp->caption(), QStringLiteral("请选择第2个选项卡"));
    clickAt(f->LblXXK(2));
    EXPECT_EQ(f->Image1->picture(), forms::loadPicture(dir().bankFile("q00022")));
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(f->LblXXK(i)->top(), tops[i - 1]) << i;
    clickAt(f->Label1);
    EXPECT_EQ(step(), 2);
}

TEST_F(TabStrips, TheBackButtonStepsBackButNeverBelowStepOne) {
    struct Case {
        const char *what;
        QString step; // every step of the question is this one
        int from;
        int to;
    };
    // The tab set's own back button, without a back-step entry.
    const QString tabStep = StepBuilder()
                                .background("k20001")
                                .picture(1, 3000, 2000, "q00021")
                                .tabStep(u'B', u'1', u'9', 1)
                                .target(6000, 6000, 1200, 330)
                                .action("0001");
    auto backStep = [](const char *entry) {
        return StepBuilder()
            .background("k20001")
            .backEntry(QString::fromLatin1(entry), 9000, 7500)
            .build();
    };
    const Case cases[] = {
        {"no entry, at step 1", tabStep, 1, 1},
        {"no entry, at step 4", tabStep, 4, 3},
        {"three back, at step 5", backStep("Q0003"), 5, 2},
        {"a count of 0 is one back", backStep("Q0000"), 5, 4},
        {"a letter is one back", backStep("Q000x"), 5, 4},
        {"nine back from step 3 stops at step 1", backStep("Q0009"), 3, 1},
        {"one back at step 1 stays there", backStep("Q0001"), 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        useSteps({c.step, c.step, c.step, c.step, c.step});
        S().CurStep = c.from;
        start();
        FrmMain *f = frm();
        // Something the rebuild puts back.
        f->LblXXK(5)->setCaption(QStringLiteral("changed"));
        clickAt(f->LblXXK(0));
        EXPECT_EQ(step(), c.to);
        EXPECT_EQ(f->LblXXK(5)->caption(), QString()) << "the step is built again";
        forms::testing::unloadAll();
    }
}
