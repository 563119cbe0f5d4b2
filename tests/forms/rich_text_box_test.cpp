// The multi-line read-only text box: text kept as set, shown in lines,
// never changed by typing, and its mouse and keys on the usual route.
#include "forms_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QAbstractScrollArea>

using namespace forms;
using formstest::FormsTest;
namespace ft = forms::testing;

namespace {

class TextForm : public Form {
public:
    TextForm() : Form("TextForm") {
        setBorderStyle(vbBSNone);
        move(0, 0, 6000, 4500);
        Rtb = add<RichTextBox>("Rtb");
        Rtb->move(300, 300, 4500, 1800);
        Rtb->setBorderStyle(0);
    }
    RichTextBox *Rtb;
};

} // namespace

TEST_F(FormsTest, RichTextBoxKeepsItsTextAndShowsItsLines) {
    TextForm f;
    const struct {
        const char *text;
        const char *shown;
    } cases[] = {
        {"一行", "一行"},
        {"第一行\r\n第二行\r\n第三行", "第一行\n第二行\n第三行"},
        {"a\nb", "a\nb"},
        {"a\rb", "a\nb"},
        {"a\r\n\r\nb", "a\n\nb"},
        {"a|b", "a|b"},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        f.Rtb->setText(QString::fromUtf8(c.text));
        EXPECT_EQ(f.Rtb->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(f.Rtb->shownText(), QString::fromUtf8(c.shown));
    }
}

TEST_F(FormsTest, RichTextBoxIgnoresTypingAndRaisesItsKeys) {
    TextForm f;
    f.show();
    ft::setActiveForm(&f);
    f.Rtb->setText("题目\r\n第二行");
    QStringList keys;
    f.Rtb->onKeyUp = [&](int &k, int) { keys << QStringLiteral("Up %1").arg(k); };
    f.Rtb->setFocus();
    ft::typeText("x");
    ft::pressKey(vbKeyReturn);
    ft::pressKey(vbKeyBack);
    EXPECT_EQ(f.Rtb->text(), "题目\r\n第二行");
    EXPECT_EQ(f.Rtb->shownText(), "题目\n第二行");
    EXPECT_EQ(keys, QStringList({"Up 88", "Up 13", "Up 8"}));
}

TEST_F(FormsTest, RichTextBoxTakesTheMouseFromTheDriverAndFromQt) {
    TextForm f;
    f.show();
    f.Rtb->setText("abc");
    watchMouse(f.Rtb, "R");
    ft::click(f.Rtb, 150, 150);
    EXPECT_EQ(kinds(), QStringList({"R:Down", "R:Up", "R:Click"}));
    EXPECT_EQ(f.activeControl(), f.Rtb);

    // Qt hands the viewport's events to the box itself.
    log.clear();
    QWidget *view = static_cast<QAbstractScrollArea *>(f.Rtb->widget())->viewport();
    ASSERT_EQ(view->mapTo(f.Rtb->widget(), QPoint(0, 0)), QPoint(0, 0)); // no border
    const QPointF at(4, 5);
    for (auto [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                 std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
        QMouseEvent e(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    }
    EXPECT_EQ(log, QStringList({"R:Down(1,0,60,75)", "R:Up(1,0,60,75)", "R:Click"}));
}
