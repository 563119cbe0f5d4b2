// Text that arrives other than by a key (paste, input method) through the
// text box's KeyPress filter, and the default button of the message box.
#include "forms_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

using namespace forms;
using formstest::FormsTest;
namespace ft = forms::testing;

namespace {

// A box that takes digits, and an "X" only once it holds 5 characters.
class FilterForm : public Form {
public:
    FilterForm() : Form("FilterForm") {
        setBorderStyle(vbBSNone);
        move(0, 0, 6000, 3000);
        Text1 = add<TextBox>("Text1");
        Text1->move(300, 300, 3000, 300);
        Text1->setMaxLength(6);
        Text1->setFiltersArrivingText(true);
        Text1->onKeyPress = [this](int &k) {
            seen += QChar(k);
            const bool digit = k >= '0' && k <= '9';
            const bool x = k == 'X' && Text1->text().size() >= 5;
            if (!digit && !x && k != 8) k = 0;
        };
    }
    TextBox *Text1;
    QString seen;
};

void commit(QWidget *w, const QString &text) {
    QInputMethodEvent e(QString(), {});
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST_F(FormsTest, PastedAndCommittedTextGoesThroughKeyPress) {
    FilterForm f;
    f.show();
    f.Text1->setFocus();
    struct Case {
        const char *what;
        QString start;
        std::function<void()> arrive;
        QString expected;
    } cases[] = {
        {"typed", "", [] { ft::typeText("1a2"); }, "12"},
        {"inserted as a paste", "", [&] { f.Text1->insertArriving("1a2 3"); }, "123"},
        {"X judged with the length reached", "1234", [&] { f.Text1->insertArriving("X5X"); }, "12345X"},
        {"cut to the maximum length", "", [&] { f.Text1->insertArriving("123456789"); }, "123456"},
        {"committed by an input method", "", [&] { commit(f.Text1->widget(), "１2二3"); }, "23"},
        {"pasted with Ctrl+V after the filter let its character through", "9",
         [&] {
             QApplication::clipboard()->setText("8a7");
             f.Text1->onKeyPress = [&](int &k) {
                 if (k != 22 && (k < '0' || k > '9')) k = 0;
             };
             ft::keyDown(86, vbCtrlMask); // V
         },
         "987"},
    };
    for (const auto &c : cases) {
        f.Text1->setText(c.start);
        f.Text1->setSelStart(c.start.size());
        c.arrive();
        EXPECT_EQ(f.Text1->text(), c.expected) << c.what;
    }
}

TEST_F(FormsTest, WithoutTheFilterArrivingTextIsNotJudged) {
    FilterForm f;
    f.Text1->setFiltersArrivingText(false);
    f.show();
    f.Text1->setFocus();
    commit(f.Text1->widget(), "a二");
    EXPECT_EQ(f.Text1->text(), "a二");
    EXPECT_EQ(f.seen, "");
}

TEST_F(FormsTest, MessageBoxDefaultButton) {
    EXPECT_EQ(msgBoxDefaultAnswer(vbYesNo), vbYes);
    EXPECT_EQ(msgBoxDefaultAnswer(vbYesNo | vbQuestion | vbDefaultButton2), vbNo);
    EXPECT_EQ(msgBoxDefaultAnswer(vbYesNoCancel | vbDefaultButton3), vbCancel);
    EXPECT_EQ(msgBoxDefaultAnswer(vbOKOnly | vbDefaultButton2), vbOK);
    // Unanswered by a hook, a box takes its default button.
    EXPECT_EQ(msgBox("?", vbYesNo | vbDefaultButton2, "t"), vbNo);
    EXPECT_EQ(msgBox("?", vbYesNo, "t"), vbYes);
    ASSERT_EQ(ft::msgBoxes().size(), 2u);
    EXPECT_EQ(ft::msgBoxes()[0].style & vbDefaultButton2, vbDefaultButton2);
}
