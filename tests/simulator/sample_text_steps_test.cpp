// Every step of the sample bank that asks for a typed text can be finished
// by typing what the question asks: the answer a candidate types (the whole
// expected text where the box compares it whole, else its first
// alternative) is typed into the step's box as the step leaves it,
// confirmed as the step wants, and must be judged right. The question's
// text names each such answer. The typing steps select nothing and leave
// the caret in front of the box's initial text (a click at the box's left
// end puts it there too, and gives the focus to the boxes that take the
// input box's place), so a box that starts with a text of its own must
// accept the answer typed in front of it.
#include "sample_panel.h"
#include "screen_fixture.h"
#include "simulator/step_record.h"

#include <set>

namespace {

class SampleTextSteps : public WholeSampleFixture {
protected:
    void SetUp() override { startOn(sample::kEngineUnit); }

    // Line n of the answer-text file from its 4th character ("000": empty;
    // past the end: the last line).
    static QString answerText(int n) {
        if (n == 0) return {};
        const QStringList lines = platform::readLines(S().TextFilePath).value_or(QStringList());
        if (lines.isEmpty()) return {};
        return lines[std::min(n, static_cast<int>(lines.size())) - 1].mid(3);
    }
};

} // namespace

TEST_F(SampleTextSteps, EveryTypedAnswerTypedIntoTheBoxAsTheStepLeavesItIsJudgedRight) {
    const std::set<QString> typed{"0020", "0021", "0022", "0024", "0025", "0026", "0027", "0028"};
    int swept = 0;
    for (int unit : {sample::kEngineUnit, sample::kShellUnit, sample::kShellJudgingUnit,
                     sample::kJudgingUnit}) {
        useUnit(unit);
        const QStringList texts = questionTexts();
        const QStringList records = platform::readLines(S().StepFilePath).value_or(QStringList());
        for (int q = 1; q <= texts.size(); ++q) {
            const int first = S().QuestionFirstLine[q - 1];
            const int last = q < texts.size() ? S().QuestionFirstLine[q] : records.size() + 1;
            for (int n = 1; first + n - 1 < last; ++n) {
                const sim::StepRecord r(records[first + n - 2]);
                const QString code = r.actionCode();
                if (!typed.count(code)) continue;
                SCOPED_TRACE(QStringLiteral("unit %1, %2, step %3 (%4)")
                                 .arg(unit)
                                 .arg(texts[q - 1])
                                 .arg(n)
                                 .arg(code)
                                 .toStdString());
                const QString expected = answerText(r.answerLineField().toInt());
                const QString answer = code == "0021" ? expected : expected.section(u'|', 0, 0);
                EXPECT_FALSE(answer.contains(u'|')) << "the candidate would type the separator";
                // The demonstration types it and a candidate must know it:
                // the question's text has to name what its steps want typed.
                EXPECT_TRUE(texts[q - 1].contains(answer))
                    << "the text does not name \"" << answer.toStdString() << "\"";

                S().CurQuestion = q;
                S().CurStep = n;
                start();
                forms::TextBox *box = code == "0021"   ? frm()->Text2
                                      : code == "0027" ? frm()->Text3
                                                       : frm()->Text1;
                const QString initial = box->text();
                click(box, 30, 30);
                typeText(answer);
                EXPECT_EQ(box->text().toStdString(), (answer + initial).toStdString())
                    << "the keys went elsewhere";
                if (code == "0022" || code == "0024" || code == "0028")
                    pressKey(forms::vbKeyReturn);
                if (code == "0026") click(frm()->Label1, midX(frm()->Label1), midY(frm()->Label1));
                EXPECT_NE(step(), n) << "typed \"" << answer.toStdString() << "\"";
                forms::testing::unloadAll();
                ++swept;
            }
        }
    }
    // The sample has text steps in several units; a sweep that found none
    // would prove nothing.
    EXPECT_GE(swept, 10);
}
