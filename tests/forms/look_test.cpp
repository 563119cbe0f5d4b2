// How a label's lines and a text box's frame look: the air a label keeps
// between the lines of its caption, and no focus ring around a text box.
#include "forms_fixture.h"

using namespace forms;
using formstest::FormsTest;

namespace {

class LookForm : public Form {
public:
    LookForm() : Form("LookForm") {
        setBorderStyle(vbBSNone);
        setBackColor(rgb(255, 255, 255));
        move(0, 0, 6000, 3000);
        Hint = add<Label>("Hint");
        Hint->setBackColor(rgb(255, 255, 192));
        Hint->setForeColor(rgb(255, 0, 0));
        Font f;
        f.name = QStringLiteral("AR PL UMing CN");
        f.size = 11;
        f.bold = true;
        Hint->setFont(f);
        Hint->setAutoSize(true);
        Hint->move(150, 150, 0, 0);
        Text1 = add<TextBox>("Text1");
        Text1->move(150, 1500, 3000, 330);
        Other = add<TextBox>("Other");
        Other->move(150, 2250, 3000, 330);
    }
    Label *Hint;
    TextBox *Text1, *Other;
};

// The rows of the label that hold no red at all, from its top.
std::vector<bool> blankRows(const QImage &img, const Control *c) {
    const QRect r(c->originInFormPx(), c->rectPx().size());
    std::vector<bool> blank;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        bool ink = false;
        for (int x = r.left(); x <= r.right() && !ink; ++x)
            ink = img.pixelColor(x, y).red() > 200 && img.pixelColor(x, y).blue() < 120;
        blank.push_back(!ink);
    }
    return blank;
}

// The longest run of blank rows between the first and the last inked row.
int widestGap(const std::vector<bool> &blank) {
    int first = -1, last = -1;
    for (int i = 0; i < int(blank.size()); ++i)
        if (!blank[size_t(i)]) {
            if (first < 0) first = i;
            last = i;
        }
    int widest = 0, run = 0;
    for (int i = first; i >= 0 && i <= last; ++i) {
        run = blank[size_t(i)] ? run + 1 : 0;
        widest = std::max(widest, run);
    }
    return widest;
}

} // namespace

TEST_F(FormsTest, ALabelKeepsItsLineGapBetweenTheLinesOfItsCaption) {
    LookForm f;
    f.show();
    f.Hint->setCaption(QStringLiteral("单击“组织”\r\n选择“关闭”"));
    const double tight = f.Hint->height();
    const int tightGap = widestGap(blankRows(f.widget()->grab().toImage(), f.Hint));

    f.Hint->setLineGap(3);
    EXPECT_EQ(f.Hint->height(), tight + 3 * 15) << "auto-size counts the gap";
    EXPECT_GE(widestGap(blankRows(f.widget()->grab().toImage(), f.Hint)), tightGap + 3);

    // One line has no gap to keep.
    f.Hint->setCaption(QStringLiteral("单击“组织”"));
    const double one = f.Hint->height();
    f.Hint->setLineGap(0);
    EXPECT_EQ(f.Hint->height(), one);
}

TEST_F(FormsTest, ATextBoxWithTheFocusKeepsThePlainFrame) {
    LookForm f;
    f.show();
    f.widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.widget()));
    f.Other->setFocus();
    const QImage before = f.Text1->widget()->grab().toImage();
    f.Text1->setFocus();
    ASSERT_TRUE(f.Text1->widget()->hasFocus());
    const QImage after = f.Text1->widget()->grab().toImage();
    ASSERT_EQ(before.size(), after.size());
    // The frame: the two outer rings of pixels.
    int differing = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const bool frame =
                x < 2 || y < 2 || x >= before.width() - 2 || y >= before.height() - 2;
            if (frame && before.pixel(x, y) != after.pixel(x, y)) ++differing;
        }
    EXPECT_EQ(differing, 0);
}
