// Typed and selected text answers: the three input boxes and the
// confirmation of a typed answer by a click.
#include "simulator/frm_main.h"

#include "platform/paths.h"
#include "platform/system.h"
#include "simulator/judging_rules.h"
#include "startup/run_state.h"
#include "startup/services.h"

using sim::ExpectedText;

namespace {

startup::RunState &S() {
    return startup::state();
}

bool is(const QString &code, const char *value) {
    return code == QLatin1String(value);
}

} // namespace

bool FrmMain::expectedTextOf(const QString &lineField, QString &text) {
    const sim::AnswerText t = sim::readExpectedText(S().TextFilePath, lineField);
    if (t.ok) {
        text = t.text;
        return true;
    }
    // Without the file no answer can be judged right, not even an empty
    // one; the candidate's text stays as typed.
    if (!AnswerTextFailureReported) {
        AnswerTextFailureReported = true;
        const bool missing = !platform::fileExists(S().TextFilePath);
        const int number = missing ? startup::err::FileNotFound : 62;
        startup::trapError(
            QStringLiteral("answertext"), number,
            (missing ? startup::err::text(number) : QStringLiteral("Input past end of file")) +
                QStringLiteral(": ") + S().TextFilePath);
    }
    return false;
}

bool FrmMain::confirmTypedAnswer() {
    QString t;
    if (!expectedTextOf(rec().answerLineField(), t)) return false;
    if (!sim::looseMatch(Text1->text(), ExpectedText::of(t))) return false;
    doNext();
    return true;
}

void FrmMain::Text1_Change() {
    const sim::StepRecord r = rec();
    ActionValue = r.actionValue();
    const QString code = r.actionCode();
    // Only these two codes judge a change; the file is not read for others.
    if (!is(code, "0020") && !is(code, "0025")) return;
    QString t;
    if (!expectedTextOf(r.answerLineField(), t)) return;
    const ExpectedText e = ExpectedText::of(t);
    const QString typed = Text1->text();
    if (is(code, "0020") && sim::looseMatch(typed, e)) doNext();
    if (is(code, "0025") && sim::exactMatch(typed, e)) doNext();
}

void FrmMain::Text1_KeyUp(int &KeyCode, int) {
    const sim::StepRecord r = rec();
    const QString code = r.actionCode();
    if (!is(code, "0022") && !is(code, "0024") && !is(code, "0028")) return;
    if (KeyCode != forms::vbKeyReturn) return;
    QString t;
    if (!expectedTextOf(r.answerLineField(), t)) return;
    if (sim::enterMatch(Text1->text(), ExpectedText::of(t))) {
        doNext();
        return;
    }
    Text1->setText(QString());
}

void FrmMain::Text1_MouseUp(int, int, double, double) {
    const sim::StepRecord r = rec();
    if (!is(r.actionCode(), "0023")) return;
    QString s;
    if (!expectedTextOf(r.hintLineField(), s)) return;
    if (sim::selectionMatch(Text1->selText(), s)) doNext();
}

void FrmMain::Text1_GotFocus() {
    const auto &s = S();
    if (s.UseInputMethod) forms::skip([&] { platform::keyboardLayouts().activate(s.InputLayout); });
    if (is(rec().actionCode(), "0027")) forms::skip([&] { Text3->setFocus(); });
}

void FrmMain::Text2_Change() {
    // Text2 stands for a new folder's name: its text is compared whole.
    QString t;
    if (!expectedTextOf(rec().answerLineField(), t)) return;
    if (sim::wholeMatch(Text2->text(), ExpectedText::of(t))) doNext();
}

void FrmMain::Text3_Change() {
    QString t;
    if (!expectedTextOf(rec().answerLineField(), t)) return;
    if (sim::looseMatch(Text3->text(), ExpectedText::of(t))) doNext();
}

void FrmMain::Text3_GotFocus() {
    const auto &s = S();
    if (s.UseInputMethod) forms::skip([&] { platform::keyboardLayouts().activate(s.InputLayout); });
}
