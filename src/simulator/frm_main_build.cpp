// The screen builder: one step of a question, in a fixed order of stages.
// Later stages overwrite what earlier ones set (above all the visibility
// of the red box Shape1), so the order below is part of the behaviour.
// Every statement that can fail is skipped on its own and the build goes
// on: a value the control refuses (a negative size from the record, a font
// of 0 points) loses just that statement, and a step is always built as
// far as its data allows.
#include "simulator/frm_main.h"
#include "simulator/shell_tab_strip.h"
#include "simulator/shell_tables.h"
#include "simulator/step_controls.h"

#include "panel/frm_tm.h"
#include "platform/text.h"
#include "startup/run_state.h"

using forms::skip;
using sim::StepRecord;

namespace {

startup::RunState &S() {
    return startup::state();
}

bool validQuestion(int q) {
    return q >= 0 && q < startup::kMaxQuestions;
}

// The text of an answer-text line named by a three-digit field; empty for
// "000", and empty when the file cannot be read.
QString answerTextOf(const QString &field) {
    return sim::answerTextOfField(S().TextFilePath, field);
}

} // namespace

void FrmMain::setData() {
    auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    const int build = ++builds_;
    // A step that a text already answers (its box starts with the expected
    // text) builds the next step from inside this one. That build is
    // complete; going on here would lay this step's later stages over it.
    auto overtaken = [&] { return builds_ != build; };

    // What the step before may have left on the screen.
    LblSuccess->setVisible(false);
    raiseWindows();
    Pic1J->move(30000 * sx, 30000 * sy);
    for (forms::Control *c : std::initializer_list<forms::Control *>{PicMenu, PicTool, PicHui,
                                                                     PicTable, Shape6, PicCtrl})
        c->setVisible(false);
    skip([&] { Text1->setFontSize(9 * sx); });
    skip([&] { Text2->setFontSize(9 * sx); });
    skip([&] { Label4->setMousePointer(forms::vbDefault); });

    // The record. A file that cannot be read, or a question number out
    // of range, leaves the record on show as it was.
    const int q = s.CurQuestion - 1;
    if (validQuestion(q)) {
        const int line = s.QuestionFirstLine[q] + s.CurStep - 1;
        if (auto text = sim::readLineNOrLast(s.StepFilePath, line)) s.CurRecord = *text;
    }
    const StepRecord r = rec();

    // Tab labels parked off the screen until a tab step places them.
    sim::parkTabLabels(LblXXK, {sx, sy});

    // A question starts with no overlay pictures.
    if (s.CurStep == 1) {
        for (int k = 1; k <= 5; ++k) overlayImage(k)->setPicture(forms::Picture());
        Image6->setPicture(forms::Picture());
    }

    // The step to resume at.
    if (validQuestion(q)) s.StepMemo[q] = s.CurStep;

    // Background; "000000" is a picture like any other here.
    const QString back = r.backPicture();
    if (back != QLatin1String("888888")) {
        if (validQuestion(q)) s.QuestionPictures[q][0] = back;
        skip([&] { setPicture(forms::loadPicture(bankPicture(back))); });
    }

    buildOverlayPictures(r, q);
    DragTargetX = r.dragTargetX();
    DragTargetY = r.dragTargetY();

    buildTextBox(r, build);
    if (overtaken()) return;

    // The hint keeps the place and text of the step before unless the
    // record gives a place.
    if (r.hasHintPos()) {
        LHelp->setLeft(r.hintX() * sx);
        LHelp->setTop(r.hintY() * sy);
        if (StepRecord::isAllZeros(r.hintLineField())) {
            LHelp->setCaption(QString());
        } else {
            const QString t = answerTextOf(r.hintLineField());
            LHelp->setCaption(t);
            TabHint = t;
        }
    }

    // Only the guided mode shows the hint and its marks.
    const bool guided = s.StudyMode == startup::Guided;
    for (forms::Control *c : std::initializer_list<forms::Control *>{LHelp, Shape1, Shape2, Shape4})
        c->setVisible(guided);

    // The tab step moves the red box the target has just placed.
    buildTarget(r);
    buildTabStep(r);
    buildBackEntry(r);
    buildSource(r);

    // A timed step moves on by itself.
    ActionValue = r.actionValue();
    Timer3->setEnabled(ActionValue == 8888);

    // Picture drags: target and source must not catch the pointer.
    if (r.actionCode().startsWith(QLatin1String("80"))) {
        Label1->setWidth(1);
        Label1->setHeight(1);
        Label4->setWidth(1);
        Label4->setHeight(1);
    }

    buildLastStep(r);
    buildReplacementBoxes(r, build);
    if (overtaken()) return;
    buildPrompts(r);

    // A point target or a hidden one has no red box.
    if (Label1->height() <= 10 || !Label1->visible()) Shape1->setVisible(false);
    Shape2->setVisible(LHelp->visible());

    buildTargetPointer(r);
    buildRegions(r);

    for (int k = 1; k <= 4; ++k) ExpectedHits[k] = r.expectedHit(k).text();

    layoutHint();

    // The window order and the reset see the finished step; the hint frame
    // follows a tick later.
    raiseWindows();
    skip([&] { frmCsh(); });
    TimerDisFK->setEnabled(true);
}

void FrmMain::buildOverlayPictures(const StepRecord &r, int q) {
    auto &s = S();
    for (int slot = 1; slot <= 6; ++slot) {
        const sim::PictureSlot p = r.pictureSlot(slot);
        forms::Control *c = slot == 6 ? static_cast<forms::Control *>(Image6) : overlayImage(slot);
        if (p.picture == QLatin1String("000000") || (slot == 6 && p.picture.isEmpty())) {
            c->setVisible(false);
            continue;
        }
        c->setLeft(p.x * s.ScaleX);
        c->setTop(p.y * s.ScaleY);
        if (p.picture != QLatin1String("888888")) {
            if (validQuestion(q)) s.QuestionPictures[q][slot] = p.picture;
            skip([&] {
                const forms::Picture pic = forms::loadPicture(bankPicture(p.picture));
                if (slot == 6)
                    Image6->setPicture(pic);
                else
                    overlayImage(slot)->setPicture(pic);
            });
        }
        c->setVisible(true);
        if (slot == 5) {
            DragX = static_cast<int>(platform::roundEven(Image5->left()));
            DragY = static_cast<int>(platform::roundEven(Image5->top()));
        }
    }
}

void FrmMain::buildTextBox(const StepRecord &r, int build) {
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    if (!r.hasTextBox()) {
        Text1->setVisible(false);
        Text2->setVisible(false);
        return;
    }
    const sim::StepRect b = r.textBoxRect();
    Text1->setVisible(true);
    skip([&] { Text1->setLeft(b.x * sx); });
    skip([&] { Text1->setTop(b.y * sy); });
    skip([&] { Text1->setWidth(b.w * sx); });
    skip([&] { Text1->setHeight(b.h * sy); });
    Text1->setText(sim::initialTextOf(answerTextOf(r.initialTextLineField())));
    if (builds_ != build) return;
    // The window may not be shown yet: then the box simply has no focus.
    skip([&] { Text1->setFocus(); });
    Text1->setSelStart(0);
    Text1->setSelLength(static_cast<int>(Text1->text().size()));
    Text1->setFontSize(9 * sx);

    sim::applyTextStyle(Text1, r.textStyle(), StyleTable, sx);
}

void FrmMain::buildTarget(const StepRecord &r) {
    const auto &s = S();
    Label1->setHeight(1);
    Label1->setWidth(1);
    if (r.hasTarget()) {
        const sim::StepRect t = r.targetRect();
        Label1->setVisible(true);
        Label1->setLeft(t.x * s.ScaleX);
        Label1->setTop(t.y * s.ScaleY);
        TargetW = t.w;
        skip([&] { Label1->setWidth(t.w * s.ScaleX); });
        TargetH = t.h;
        Label1->setAutoSize(t.h == 0);
        skip([&] { Label1->setHeight(t.h * s.ScaleY); });
    } else {
        Label1->setVisible(false);
        Shape1->setVisible(false);
    }
    if (TargetH == 0) {
        Label1->setHeight(1);
        Label1->setWidth(1);
        Shape1->setVisible(false);
    }
    Shape1->move(Label1->left(), Label1->top(), Label1->width(), Label1->height());
}

void FrmMain::buildTabStep(const StepRecord &r) {
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    const sim::TabSpec ts = r.tabSpec();
    if (!ts.isTabStep) {
        Shape1->move(Label1->left(), Label1->top(), Label1->width(), Label1->height());
        return;
    }
    // A row letter past "U", or no letter, names no row: the row of the
    // tab step before stays.
    if (ts.row >= 0) TabSetRow = TabSetTable.row(ts.row);
    const int h = ts.shown;
    TabExpected = ts.expected;
    TabPicSlot = ts.pictureSlot;
    LHelp->setCaption(shell::wrongTabHint(TabExpected));
    const sim::TabSetRow row(TabSetRow);
    const QString page = row.pagePicture(h);
    skip([&] {
        forms::Image *img = overlayImage(TabPicSlot);
        TabPicLeft = static_cast<int>(platform::roundEven(img->left()));
        TabPicTop = static_cast<int>(platform::roundEven(img->top()));
        if (TabExpected != h) skip([&] { img->loadPicture(bankPicture(page)); });
        TabPicName = r.slotPicture(TabPicSlot);
    });
    TabCount = row.tabCount();
    sim::placeTabLabels(LblXXK, row, TabPicLeft, TabPicTop, {sx, sy});
    if (TabCount >= shell::TwoRowTabCount) {
        TabRow = shell::frontRowFor(h);
        skip([&] { DoubleXXK(); });
    }
    if (TabExpected == h) {
        skip([&] { Label1->setWidth(TargetW * sx); });
        skip([&] { Label1->setHeight(TargetH * sy); });
        LHelp->setCaption(TabHint);
        Shape1->move(Label1->left(), Label1->top(), Label1->width(), Label1->height());
    } else {
        Label1->setHeight(1);
        Label1->setWidth(1);
        skip([&] {
            forms::Label *tab = LblXXK(TabExpected);
            Shape1->move(tab->left(), tab->top(), tab->width(), tab->height());
        });
    }
}

void FrmMain::buildBackEntry(const StepRecord &r) {
    const auto &s = S();
    if (!r.hasBackEntry()) {
        BackEntry = QStringLiteral("NONO");
        return;
    }
    BackEntry = r.backEntry();
    forms::Label *l = LblXXK(0);
    l->setHeight(285 * s.ScaleY);
    l->setWidth(1095 * s.ScaleX);
    l->setLeft(r.backLabelX() * s.ScaleX);
    l->setTop(r.backLabelY() * s.ScaleY);
    l->setCaption(QString());
}

void FrmMain::buildSource(const StepRecord &r) {
    const auto &s = S();
    if (r.hasSource()) {
        const sim::StepRect src = r.sourceRect();
        Label4->setVisible(true);
        skip([&] { Label4->setLeft(src.x * s.ScaleX); });
        skip([&] { Label4->setTop(src.y * s.ScaleY); });
        skip([&] { Label4->setWidth(src.w * s.ScaleX); });
        skip([&] { Label4->setHeight(src.h * s.ScaleY); });
    } else {
        // Its Top and visibility stay: parked 1 x 1 left of the screen.
        Label4->setWidth(1);
        Label4->setHeight(1);
        Label4->setLeft(-1);
    }
    Shape4->move(Label4->left(), Label4->top(), Label4->width(), Label4->height());
}

void FrmMain::buildLastStep(const StepRecord &r) {
    auto &s = S();
    if (r.actionCode() != QLatin1String("9999")) {
        Shape1->setVisible(LHelp->visible());
        return;
    }
    PicStart->setVisible(false);
    markQuestionDone();
    Shape1->setVisible(false);
    if (s.StudyMode != startup::Exam) {
        LblSuccess->setVisible(true);
        LHelp->setVisible(false);
    }
    FrmTm *tm = forms::form<FrmTm>();
    QString list = QStringLiteral("未完成的题目");
    const int count = std::min(s.QuestionCount, startup::kMaxQuestions);
    for (int i = 1; i <= count; ++i)
        if (s.QuestionStatus[i - 1] < startup::StatusDone)
            list += QLatin1Char(' ') + QString::number(i);
    tm->LblUnit->setCaption(list);
    QString title = tm->LblBiao->caption();
    title.replace(QStringLiteral("(未完成)"), QStringLiteral("(已完成)"));
    tm->LblBiao->setCaption(title);
}

void FrmMain::buildReplacementBoxes(const StepRecord &r, int build) {
    const QString code = r.actionCode();
    if (code == QLatin1String("0021")) {
        Text2->setText(Text1->text());
        if (builds_ != build) return;
        Text2->move(Text1->left(), Text1->top(), Text1->width(), Text1->height());
        Text2->setVisible(true);
        Text1->setVisible(false);
    } else {
        Text2->setVisible(false);
    }
    if (code == QLatin1String("0027")) {
        Shape1->setVisible(false);
        Text3->setText(Text1->text());
        if (builds_ != build) return;
        Text3->move(Text1->left(), Text1->top(), Text1->width(), Text1->height());
        forms::Font f = Text3->font();
        f.size = Text1->font().size;
        f.name = Text1->font().name;
        f.bold = Text1->font().bold;
        Text3->setFont(f);
        Text3->setForeColor(Text1->foreColor());
        Text3->setBackColor(Text1->backColor());
        Text3->setVisible(true);
        Text1->setVisible(false);
    } else {
        Text3->setVisible(false);
    }
}

void FrmMain::buildPrompts(const StepRecord &r) {
    const QString code = r.actionCode();
    if (!code.startsWith(QLatin1String("002"))) return;
    Shape1->setVisible(false);
    QString c = LHelp->caption();
    c.replace(QLatin1Char('|'), QStringLiteral("或  "));
    auto noSelection = [&] { Text1->setSelLength(0); };
    if (code == QLatin1String("0020") || code == QLatin1String("0021") ||
        code == QLatin1String("0025") || code == QLatin1String("0027")) {
        noSelection();
        LHelp->setCaption(QStringLiteral("输入 ") + c);
    } else if (code == QLatin1String("0022")) {
        noSelection();
        Shape1->setVisible(LHelp->visible());
        LHelp->setCaption(QStringLiteral("输入 ") + c +
                          QStringLiteral(" 并按回车键或点红色方框处"));
    } else if (code == QLatin1String("0024")) {
        noSelection();
        LHelp->setCaption(QStringLiteral("输入 ") + c + QStringLiteral(" 并按回车键"));
    } else if (code == QLatin1String("0023")) {
        noSelection();
        LHelp->setCaption(QStringLiteral("请选中 ") + c);
    } else if (code == QLatin1String("0026")) {
        noSelection();
        Shape1->setVisible(LHelp->visible());
        LHelp->setCaption(QStringLiteral("输入 ") + c + QStringLiteral(" 并点击红色方框处"));
    } else {
        // "0028" keeps the selection and shows the hint alone, as does any
        // other text code.
        LHelp->setCaption(c);
    }
}

void FrmMain::buildTargetPointer(const StepRecord &r) {
    // A standard pointer number the toolkit lacks leaves the default one.
    Label1->setMousePointer(forms::vbDefault);
    applyPointer(Label1, r.cursorCode(), false);
}

void FrmMain::buildRegions(const StepRecord &r) {
    const QString view = r.viewVariant();
    const QString kind = r.windowKind();
    const QString bar = r.menuBarVariant();

    StartMenu->setVisible(true);
    if (view == QLatin1String("F")) StartMenu->setVisible(false);
    // A region whose picture cannot be loaded stays hidden, and its spots
    // stay where they are: the picture of an earlier step, or none, would
    // show the candidate a screen the spots do not fit.
    const bool toolStrip = skip([&] {
        PicTool->loadPicture(
            shellPicture(shell::toolStripPicture(view.isEmpty() ? QChar() : view.at(0))));
    });
    if (r.actionCode() == QLatin1String("9999")) StartMenu->setVisible(false);

    // The desktop and the Computer window have their pictures from the set-up.
    PicMyPc->setVisible(kind == QLatin1String("P") && PicMyPc->picture());

    PicCtrl->setVisible(false);
    if (kind == QLatin1String("N")) {
        PicCtrl->setVisible(true);
        skip([&] { CtrlCSH(); });
    }

    // "S" and every character after it in the code table show the extra
    // picture at the target. Its picture is decided from the new step's own
    // first entry (the reset at the end of the build does the same).
    if (!kind.isEmpty() && kind.at(0).unicode() >= 'S') {
        ImgElse->move(Label1->left(), Label1->top());
        ImgElse->setVisible(true);
        const bool own = r.namesExtraPic() && r.expectedHit(1).kind() != QLatin1String("Q");
        showPictureOrNone(ImgElse, bankPicture(own ? r.extraPicName() : QStringLiteral("000000")));
    } else {
        ImgElse->setVisible(false);
    }

    PicTable->setVisible(bar == QLatin1String("M") && PicTable->picture());

    const bool barLetter =
        bar.size() == 1 && ((bar.at(0) >= QLatin1Char('A') && bar.at(0) <= QLatin1Char('L')) ||
                            bar.at(0) == QLatin1Char('O'));
    if (barLetter && !r.noBars()) {
        if (bar == QLatin1String("O")) {
            PicMenu->setVisible(false);
        } else if (skip([&] {
                       PicMenu->loadPicture(shellPicture(shell::menuBarPicture(bar.at(0))));
                   })) {
            PicMenu->setVisible(true);
            skip([&] { MenuCSH(); });
        }
        if (r.showsToolStrip() && toolStrip) PicTool->setVisible(true);
        const int pane = r.taskPaneVariant();
        if (pane != 0 &&
            skip([&] { PicHui->loadPicture(shellPicture(shell::taskPanePicture(pane))); })) {
            PicHui->setVisible(true);
            skip([&] { HuiRenwuCSH(); });
        }
    }
}

void FrmMain::layoutHint() {
    QString c = LHelp->caption();
    c.replace(QLatin1Char('|'), QStringLiteral("\r\n"));
    LHelp->setCaption(c);
    const double formWidth = effectiveWidth();
    if (LHelp->left() + LHelp->width() >= formWidth + 60 * S().ScaleX)
        LHelp->setLeft(formWidth - LHelp->width());
}
