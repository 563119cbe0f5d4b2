// Typed and selected text answers, typed and confirmed through the forms
// layer's keys and mouse.
#include "screen_fixture.h"

namespace {

class TextSteps : public JudgingFixture {
protected:
    // A text step of the given code: a box at (1500, 2400), the expected
    // text on answer line 1, the initial text on line `initial`; a target
    // and a source beside it for the codes confirmed by a click.
    void textStep(const char *code, const QString &expected, int initial = 0,
                  const QString &initialText = QString()) {
        QStringList answers = {expected};
        if (initial) answers << initialText;
        useAnswers(answers);
        useSteps({StepBuilder()
                      .action(QLatin1String(code))
                      .textBox(1500, 2400, 6000, 330, initial ? 2 : 0)
                      .answerLine(1)
                      .target(9000, 2400, 1200, 375)
                      .source(9000, 3300, 1200, 375),
                  marker()});
        start();
    }
    // The box a code types into.
    forms::TextBox *box(const char *code) {
        if (QLatin1String(code) == QLatin1String("0021")) return frm()->Text2;
        if (QLatin1String(code) == QLatin1String("0027")) return frm()->Text3;
        return frm()->Text1;
    }
    void typeInto(const char *code, const QString &text) {
        click(box(code), 30, 30);
        typeText(text);
    }
};

} // namespace

TEST_F(TextSteps, TypingIsJudgedAtEveryChangeByTheCodesRule) {
    struct Case {
        const char *code;
        const char *typed;
        bool answers;
    };
    // Expected: the alternatives abc and ABD.
    const Case cases[] = {
        {"0020", " Abd ", true},   {"0020", "abx", false}, {"0020", "ab", false},
        {"0025", "ABD", true},     {"0025", "abd", false}, {"0025", " abc", true},
        {"0021", "abc|ABD", true}, {"0021", "ABD", false}, {"0021", "abc", false},
        {"0027", "aBC", true},     {"0027", "abd ", true}, {"0027", "xyz", false},
        {"0022", "abc", false},    {"0024", "abc", false}, {"0028", "abc", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.code) + " typed \"" + c.typed + "\"");
        textStep(c.code, QStringLiteral("abc|ABD"));
        typeInto(c.code, QLatin1String(c.typed));
        EXPECT_EQ(step(), c.answers ? 2 : 1);
        forms::testing::unloadAll();
    }
}

TEST_F(TextSteps, EnterConfirmsWithTheCleanedTextAndEmptiesAWrongOne) {
    struct Case {
        const char *code;
        QString expected, typed;
        bool answers;
    };
    const Case cases[] = {
        {"0024", "ab", "a b", true},
        {"0022", "abc|ABD", " Abd ", true},
        {"0028", "100", "1 00", true},
        {"0024", "我的文档", " 我的文档 ", true},
        {"0024", "我的文档", "我的 文档", false},
        {"0024", "ab", "abc", false},
        {"0020", "ab", "xy", false}, // not an Enter step: nothing is emptied
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.code) + " typed \"" + c.typed.toStdString() + "\"");
        textStep(c.code, c.expected);
        typeInto(c.code, c.typed);
        pressKey(forms::vbKeyReturn, forms::vbShiftMask);
        EXPECT_EQ(step(), c.answers ? 2 : 1);
        if (!c.answers) {
            EXPECT_EQ(frm()->Text1->text(),
                      QLatin1String(c.code) == QLatin1String("0020") ? c.typed : QString());
        }
        forms::testing::unloadAll();
    }
}

TEST_F(TextSteps, AClickOnTheRedBoxOrTheSourceConfirms) {
    struct Case {
        const char *code;
        const char *typed;
        bool onTarget; // else released on the source
        bool answers;
    };
    const Case cases[] = {
        {"0022", " Abd ", true, true}, {"0026", "ABC", true, true},    {"0028", "abd", true, true},
        {"0028", "abc", false, true},  {"0022", "a b c", true, false}, {"0026", "x", true, false},
        {"0028", "x", false, false},   {"0024", "abc", true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.code) + " typed \"" + c.typed + "\"");
        textStep(c.code, QStringLiteral("abc|ABD"));
        typeInto(c.code, QLatin1String(c.typed));
        click(c.onTarget ? frm()->Label1 : frm()->Label4, 300, 150);
        EXPECT_EQ(step(), c.answers ? 2 : 1);
        // A wrong text stays as typed.
        if (!c.answers) {
            EXPECT_EQ(frm()->Text1->text(), QLatin1String(c.typed));
        }
        forms::testing::unloadAll();
    }
}

TEST_F(TextSteps, TheSelectionIsJudgedWhenAButtonIsReleasedInTheBox) {
    struct Case {
        int from, length;
        bool answers;
    };
    // "欢迎使用Windows 7操作系统": "Windows 7" starts at character 4.
    const Case cases[] = {{4, 9, true}, {3, 10, false}, {4, 10, false}, {4, 8, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << "+" << c.length);
        useAnswers({QStringLiteral("Windows 7"), QStringLiteral("欢迎使用Windows 7操作系统"),
                    QStringLiteral("欢迎使用 Windows 7 操作系统")});
        useSteps(
            {StepBuilder().action("0023").textBox(1500, 2400, 6000, 330, 2).hint(1500, 1800, 1),
             marker()});
        start();
        forms::TextBox *t = frm()->Text1;
        ASSERT_EQ(t->text(), QStringLiteral("欢迎使用Windows 7操作系统"));
        // Selected with the keys, then a right click in the box, which
        // keeps the selection.
        pressKey(forms::vbKeyHome);
        for (int i = 0; i < c.from; ++i) pressKey(forms::vbKeyRight);
        for (int i = 0; i < c.length; ++i) pressKey(forms::vbKeyRight, forms::vbShiftMask);
        click(t, 60, 60, forms::vbRightButton);
        EXPECT_EQ(step(), c.answers ? 2 : 1) << t->selText().toStdString();
        forms::testing::unloadAll();
    }
    // Blanks around the selection do not matter.
    useAnswers({QStringLiteral("Windows 7"), QStringLiteral("欢迎使用 Windows 7 操作系统")});
    useSteps({StepBuilder().action("0023").textBox(1500, 2400, 6000, 330, 2).hint(1500, 1800, 1),
              marker()});
    start();
    pressKey(forms::vbKeyHome);
    for (int i = 0; i < 4; ++i) pressKey(forms::vbKeyRight);
    for (int i = 0; i < 11; ++i) pressKey(forms::vbKeyRight, forms::vbShiftMask);
    click(frm()->Text1, 60, 60, forms::vbRightButton);
    EXPECT_EQ(step(), 2);
}

TEST_F(TextSteps, AnInitialTextThatIsTheAnswerAnswersAtOnce) {
    textStep("0020", QStringLiteral("新建文件夹"), 2, QStringLiteral("新建文件夹"));
    EXPECT_EQ(step(), 2);
}

TEST_F(TextSteps, WithoutTheAnswerFileNothingIsRightAndTheFailureIsReportedOnce) {
    for (const char *code : {"0020", "0024"}) {
        SCOPED_TRACE(code);
        useSteps(
            {StepBuilder().action(QLatin1String(code)).textBox(1500, 2400, 6000, 330).answerLine(1),
             marker()});
        S().TextFilePath = dir().bankFile(QStringLiteral("j88888"));
        S().LastErrorProc.clear();
        start();
        typeText(QStringLiteral("  "));
        pressKey(forms::vbKeyBack);
        pressKey(forms::vbKeyBack);
        pressKey(forms::vbKeyReturn);
        EXPECT_EQ(step(), 1);
        EXPECT_EQ(S().LastErrorProc, QStringLiteral("answertext"));
        EXPECT_EQ(S().LastErrorNumber, 53);
        // Once per window: the next keystrokes report nothing more, and the
        // candidate's text is kept.
        S().LastErrorProc.clear();
        typeText(QStringLiteral("x"));
        pressKey(forms::vbKeyReturn);
        EXPECT_TRUE(S().LastErrorProc.isEmpty());
        EXPECT_EQ(frm()->Text1->text(), QStringLiteral("x"));
        EXPECT_EQ(step(), 1);
        forms::testing::unloadAll();
    }
}

TEST_F(TextSteps, TheBoxesSwitchTheKeyboardLayoutOnlyWhenAsked) {
    auto &layouts = folder().keyboardLayouts();
    layouts.layouts = {{0x4090409, QStringLiteral("英语")}, {0xe0200804, QStringLiteral("拼音")}};
    S().InputLayout = 0xe0200804;
    for (const bool use : {false, true}) {
        SCOPED_TRACE(use);
        layouts.activations.clear();
        S().UseInputMethod = use;
        textStep("0027", QStringLiteral("abc"));
        click(frm()->Text3, 30, 30);
        if (use)
            EXPECT_FALSE(layouts.activations.empty());
        else
            EXPECT_TRUE(layouts.activations.empty());
        for (uintptr_t h : layouts.activations) EXPECT_EQ(h, 0xe0200804u);
        forms::testing::unloadAll();
    }
}
