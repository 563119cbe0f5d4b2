// How a label's lines and a text box's frame look: the air a label keeps
// between the lines of its caption, the air between the lines of wrapped
// labels and of a multi-line box, no focus ring around a text box, and the
// line a text box puts its text on.
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

// The bands of inked rows inside r, and the narrowest run of blank rows
// between two bands.
struct InkBands {
    int count = 0;
    int narrowestGap = 1 << 20;
};
InkBands inkBands(const QImage &img, const QRect &r, bool (*ink)(QColor)) {
    InkBands out;
    int blankRun = -1; // -1 before the first band
    bool inBand = false;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        bool inked = false;
        for (int x = r.left(); x <= r.right() && !inked; ++x) inked = ink(img.pixelColor(x, y));
        if (inked && !inBand) {
            ++out.count;
            if (blankRun >= 0) out.narrowestGap = std::min(out.narrowestGap, blankRun);
        }
        if (inked) blankRun = 0;
        else if (blankRun >= 0) ++blankRun;
        inBand = inked;
    }
    return out;
}

class LinesForm : public Form {
public:
    LinesForm() : Form("LinesForm") {
        setBorderStyle(vbBSNone);
        setBackColor(rgb(255, 255, 255));
        move(0, 0, 9000, 6000);
        Wrapped = add<Label>("Wrapped");
        Wrapped->setBackStyle(vbTransparent);
        Wrapped->setWordWrap(true);
        Wrapped->setAutoSize(true);
        Wrapped->move(150, 150, 1500, 0);
        Box = add<RichTextBox>("Box");
        Box->setBorderStyle(0);
        Box->move(3000, 150, 1500, 4500);
    }
    Label *Wrapped;
    RichTextBox *Box;
};

bool dark(QColor c) {
    return c.lightness() < 160;
}

} // namespace

// Wrapped lines and the lines of a multi-line box keep air between them at
// every size the program uses: quotation marks and commas never touch the
// line below.
TEST_F(FormsTest, WrappedLinesAndTheLinesOfABoxNeverTouch) {
    initApplication();
    LinesForm f;
    f.show();
    // Five lines or more either way: wrapped at the width, or broken into
    // six (a big size wraps a broken line once more); lines that touched
    // would merge into fewer bands of ink.
    const QString wrapped = QStringLiteral("“报告”，“备份”，“文件”，“总结”，“组织”，“关闭”，");
    const QString broken = QStringLiteral("“报告”，\r\n“备份”，\r\n“文件”，\r\n“总结”，\r\n“组织”，\r\n“关闭”，");
    for (double size : {9.0, 10.0, 11.0, 12.0}) {
        SCOPED_TRACE(size);
        for (const QString &text : {wrapped, broken}) {
            f.Wrapped->setFontSize(size);
            f.Wrapped->setCaption(text);
            f.Box->setFontSize(size);
            f.Box->setText(text);
            const QImage shot = f.widget()->grab().toImage();
            const InkBands label = inkBands(
                shot, QRect(f.Wrapped->originInFormPx(), f.Wrapped->rectPx().size()), dark);
            EXPECT_GE(label.count, 5) << "label";
            EXPECT_GE(label.narrowestGap, 2) << "label";
            const QImage box = f.Box->widget()->grab().toImage();
            const InkBands lines = inkBands(box, box.rect(), dark);
            EXPECT_GE(lines.count, 5) << "box";
            EXPECT_GE(lines.narrowestGap, 2) << "box";
        }
    }
}

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

// A box as tall as a page shows its text where a page does, on its first
// line, when it is multi-line; a one-line box centres it, the way a field
// does.
TEST_F(FormsTest, AMultiLineBoxShowsItsTextOnItsFirstLine) {
    LookForm f;
    f.show();
    f.Text1->move(150, 150, 4500, 2400);
    f.Text1->setText(QStringLiteral("今天天气很好"));
    for (const bool multiLine : {true, false}) {
        SCOPED_TRACE(multiLine);
        f.Text1->setMultiLine(multiLine);
        const QImage box = f.Text1->widget()->grab().toImage();
        // The rows of the text's ink, inside the frame.
        int first = -1, last = -1;
        for (int y = 3; y < box.height() - 3; ++y)
            for (int x = 3; x < box.width() - 3; ++x)
                if (dark(box.pixelColor(x, y))) {
                    if (first < 0) first = y;
                    last = y;
                }
        ASSERT_GE(first, 0);
        const int middle = (first + last) / 2;
        if (multiLine) {
            EXPECT_LT(last, 25) << "below the first line";
        } else {
            EXPECT_NEAR(middle, box.height() / 2, 3) << "not in the middle";
        }
    }
}
