// The demonstration's step set-up: one step of the question, read afresh
// from the step file, built in a fixed order of stages. Later stages
// overwrite what earlier ones set (above all whether the red frame Shape1
// shows), so the order is part of the behaviour. A statement that fails
// (a value a control refuses, a number that does not fit, an item that
// does not exist) is skipped on its own and the set-up goes on.
#include "demo/frm_yanshi.h"

#include "platform/paths.h"
#include "platform/text.h"
#include "simulator/judging_rules.h"
#include "simulator/shell_judging_frm.h"
#include "simulator/shell_tab_strip.h"
#include "simulator/shell_tables.h"
#include "simulator/step_controls.h"
#include "startup/run_state.h"

#include <limits>

using forms::skip;
using shelljudge::firstChar;
using shelljudge::place;
using shelljudge::rectOf;
using sim::StepRecord;

namespace {

startup::RunState &S() {
    return startup::state();
}

// Record positions and sizes are held as 16-bit numbers: one that does not
// fit leaves the property it feeds as it was.
bool fits16(int v) {
    return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

void setIf16(int v, const std::function<void(double)> &set) {
    if (fits16(v)) forms::skip([&] { set(double(v)); });
}

QString answerText(const QString &field) {
    return sim::answerTextOfField(S().TextFilePath, field);
}

} // namespace

void FrmYanShi::setData() {
    resetScene();
    if (!readRecord()) {
        // Replaying the record of the simulated screen, or of the step
        // before, would never end: the demonstration closes instead.
        TimEnd->setEnabled(true);
        return;
    }
    const StepRecord r = rec();
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;

    sim::parkTabLabels(LblXXK, {sx, sy});

    const QString back = r.backPicture();
    if (back != QLatin1String("888888")) {
        const forms::Picture p = bankPicture(back);
        if (p) setPicture(p);
    }
    buildOverlayPictures(r);
    DragTargetX = r.dragTargetX();
    DragTargetY = r.dragTargetY();
    buildTextBox(r);
    buildHint(r);
    buildTarget(r);
    buildTabStep(r);

    if (r.hasBackEntry()) {
        BackEntry = r.backEntry();
        forms::Label *l = LblXXK(0);
        l->setWidth(1095 * sx);
        l->setHeight(285 * sy);
        setIf16(r.backLabelX(), [&](double v) { l->setLeft(v * sx); });
        setIf16(r.backLabelY(), [&](double v) { l->setTop(v * sy); });
        l->setCaption(QString());
    } else {
        BackEntry = QStringLiteral("NONO");
    }
    buildSource(r);

    const QString code = r.actionCode();
    ActionValue = r.actionValue();
    // A picture drag is started by the player on arrival, never here.
    Timer3->setEnabled(false);
    if (code.startsWith(QLatin1String("80"))) {
        // Keeping their places, so that the frames keep theirs too.
        Label1->setWidth(1);
        Label1->setHeight(1);
        Label4->setWidth(1);
        Label4->setHeight(1);
    }
    if (code == QLatin1String("9999")) {
        LHelp->setCaption(QStringLiteral("操作成功！"));
        Shape1->setVisible(false);
        TimEnd->setEnabled(true);
        return;
    }
    Shape1->setVisible(LHelp->visible());

    if (code == QLatin1String("0021")) {
        Text2->setText(Text1->text());
        place(Text2, rectOf(Text1));
        Text2->setVisible(true);
        Text1->setVisible(false);
    } else {
        Text2->setVisible(false);
    }
    buildPrompts(r);

    // A point target, a picture drag or a step without a target has no frame.
    if (Label1->height() <= 10 || !Label1->visible()) Shape1->setVisible(false);
    Shape2->setVisible(LHelp->visible());

    const sim::PointerChoice pointer = sim::pointerOf(r.cursorCode(), false);
    Label1->setMousePointer(forms::vbDefault);
    if (pointer.kind == sim::PointerChoice::Standard) {
        skip([&] { Label1->setMousePointer(pointer.number); });
    } else if (pointer.kind == sim::PointerChoice::Custom) {
        Label1->setMousePointer(forms::vbCustom);
        const forms::Picture cursor = cachedPicture(platform::programFolder() + pointer.cursorFile);
        if (cursor) Label1->setMouseIcon(cursor);
    }

    buildRegions(r);
    buildHotSpotStep(r);
    LHelp->setCaption(shell::withLineBreaks(LHelp->caption()));

    skip([&] { CtrlCSH(); });
    skip([&] { CSH(); });
    skip([&] { ToolCSH(); });
    skip([&] { MuBiaoWei(); });
}

void FrmYanShi::resetScene() {
    auto &s = S();
    skip([&] { ToolCSH(); });
    Shape5->setBorderColor(forms::Color(0x0000FF));
    skip([&] { CSH(); });
    TypedCount = 0;
    startup::setExerciseFilePaths(s);
    StartMenuOpen = false;
    Img1J->setVisible(false);
    skip([&] { Text1->setFontSize(9 * s.ScaleX); });
    skip([&] { Text2->setFontSize(9 * s.ScaleX); });
    for (forms::Image *i : {PicMenu, PicTool, PicHui, PicStart}) i->setVisible(false);
    for (forms::Image *i : {ImgStart, ImgMenu, ImgHui, ImgTool, ImgMyPc})
        i->setPicture(forms::Picture());
    TickCount = 0;
    Shape6->setWidth(10);
    Shape6->setHeight(10);
    Dragging = false;
    HitCode = QStringLiteral("0");
    Target1J = Target2J = Target3J = 0;
    TargetBranch = QStringLiteral("0");
}

bool FrmYanShi::readRecord() {
    auto &s = S();
    // A question outside the table, or a line beyond a 16-bit number,
    // reads as line 0: the file's last line.
    int line = 0;
    const int q = s.CurQuestion - 1;
    if (q >= 0 && q < startup::kMaxQuestions) {
        const int l = s.QuestionFirstLine[size_t(q)] + DemoStep - 1;
        if (fits16(l)) line = l;
    }
    const std::optional<QString> text = sim::readLineNOrLast(s.StepFilePath, line);
    if (!text) return false;
    s.CurRecord = *text;
    return true;
}

void FrmYanShi::buildOverlayPictures(const StepRecord &r) {
    const auto &s = S();
    for (int slot = 1; slot <= 6; ++slot) {
        const sim::PictureSlot p = r.pictureSlot(slot);
        forms::Control *c = slot == 6 ? static_cast<forms::Control *>(Image6) : overlayImage(slot);
        if (p.picture == QLatin1String("000000") || (slot == 6 && p.picture.isEmpty())) {
            c->setVisible(false);
            continue;
        }
        setIf16(p.x, [&](double v) { c->setLeft(v * s.ScaleX); });
        setIf16(p.y, [&](double v) { c->setTop(v * s.ScaleY); });
        if (p.picture != QLatin1String("888888")) {
            const forms::Picture pic = bankPicture(p.picture);
            if (pic) {
                if (slot == 6)
                    Image6->setPicture(pic);
                else
                    showPicture(overlayImage(slot), pic);
            }
        }
        c->setVisible(true);
    }
}

void FrmYanShi::buildTextBox(const StepRecord &r) {
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    if (!r.hasTextBox()) {
        Text1->setVisible(false);
        Text2->setVisible(false);
        return;
    }
    const sim::StepRect b = r.textBoxRect();
    Text1->setVisible(true);
    setIf16(b.x, [&](double v) { Text1->setLeft(v * sx); });
    setIf16(b.y, [&](double v) { Text1->setTop(v * sy); });
    setIf16(b.w, [&](double v) { Text1->setWidth(v * sx); });
    setIf16(b.h, [&](double v) { Text1->setHeight(v * sy); });
    Text1->setText(sim::initialTextOf(answerText(r.initialTextLineField())));
    // The player types on after the text already in the box.
    skip([&] { Text1->setFocus(); });
    Text1->setSelStart(int(Text1->text().size()));
    Text1->setSelLength(0);

    sim::applyTextStyle(Text1, r.textStyle(), StyleTable, sx);
}

void FrmYanShi::buildHint(const StepRecord &r) {
    const auto &s = S();
    if (r.hasHintPos()) {
        setIf16(r.hintX(), [&](double v) { LHelp->setLeft(v * s.ScaleX); });
        setIf16(r.hintY(), [&](double v) { LHelp->setTop(v * s.ScaleY); });
        if (StepRecord::isAllZeros(r.hintLineField())) {
            LHelp->setCaption(QString());
        } else {
            TabHint = answerText(r.hintLineField());
            LHelp->setCaption(TabHint);
        }
    }
    const bool guided = s.StudyMode == startup::Guided;
    for (forms::Control *c : std::initializer_list<forms::Control *>{LHelp, Shape1, Shape2, Shape4})
        c->setVisible(guided);
}

void FrmYanShi::buildTarget(const StepRecord &r) {
    const auto &s = S();
    Label1->setWidth(1);
    Label1->setHeight(1);
    if (r.hasTarget()) {
        const sim::StepRect t = r.targetRect();
        Label1->setVisible(true);
        setIf16(t.x, [&](double v) { Label1->setLeft(v * s.ScaleX); });
        setIf16(t.y, [&](double v) { Label1->setTop(v * s.ScaleY); });
        if (fits16(t.w)) {
            TargetW = t.w;
            skip([&] { Label1->setWidth(t.w * s.ScaleX); });
        }
        if (fits16(t.h)) {
            TargetH = t.h;
            if (t.h != 0) skip([&] { Label1->setHeight(t.h * s.ScaleY); });
        }
    } else {
        Label1->setVisible(false);
        Shape1->setVisible(false);
    }
    // A target of height 0 is a point without a frame.
    if (TargetH == 0) {
        Label1->setWidth(1);
        Label1->setHeight(1);
        Shape1->setVisible(false);
    }
    place(Shape1, rectOf(Label1));
}

void FrmYanShi::buildTabStep(const StepRecord &r) {
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    const sim::TabSpec ts = r.tabSpec();
    if (!ts.isTabStep) {
        place(Shape1, rectOf(Label1));
        return;
    }
    Shape4->setVisible(false);
    const int shown = ts.shown;
    TabExpected = ts.expected;
    TabPicSlot = ts.pictureSlot;
    LHelp->setCaption(shell::wrongTabHint(TabExpected));
    // A letter past "U" names no row: the row of the tab step before stays.
    if (ts.row >= 0) TabSetRow = TabSetTable.row(ts.row);
    const sim::TabSetRow row(TabSetRow);
    if (TabPicSlot >= 1 && TabPicSlot <= 5) {
        forms::Image *page = overlayImage(TabPicSlot);
        TabPicLeft = int(platform::roundEven(page->left()));
        TabTop = int(platform::roundEven(page->top()));
        if (TabExpected != shown && shown >= 1) {
            const forms::Picture p = bankPicture(row.pagePicture(shown));
            if (p) showPicture(page, p);
        }
    }
    TabCount = row.tabCount();
    sim::placeTabLabels(LblXXK, row, TabPicLeft, TabTop, {sx, sy});
    if (TabCount >= shell::TwoRowTabCount) {
        TabRow = shell::frontRowFor(shown);
        skip([&] { DoubleXXK(); });
    }
    if (TabExpected == shown) {
        skip([&] { Label1->setWidth(TargetW * sx); });
        skip([&] { Label1->setHeight(TargetH * sy); });
        LHelp->setCaption(TabHint);
        place(Shape1, rectOf(Label1));
    } else {
        Label1->setWidth(1);
        Label1->setHeight(1);
        skip([&] { place(Shape1, rectOf(LblXXK(TabExpected))); });
    }
}

void FrmYanShi::buildSource(const StepRecord &r) {
    const auto &s = S();
    if (r.hasSource()) {
        const sim::StepRect src = r.sourceRect();
        Label4->setVisible(true);
        setIf16(src.x, [&](double v) { Label4->setLeft(v * s.ScaleX); });
        setIf16(src.y, [&](double v) { Label4->setTop(v * s.ScaleY); });
        setIf16(src.w, [&](double v) { Label4->setWidth(v * s.ScaleX); });
        setIf16(src.h, [&](double v) { Label4->setHeight(v * s.ScaleY); });
    } else {
        Label4->setWidth(1);
        Label4->setHeight(1);
        Label4->setLeft(-1);
    }
    // A new source rectangle also clears the stage marker of the step before.
    place(Shape4, rectOf(Label4));
}

void FrmYanShi::buildPrompts(const StepRecord &r) {
    const auto &s = S();
    const QString code = r.actionCode();
    if (code.startsWith(QLatin1String("002"))) {
        Shape1->setVisible(false);
        QString b = LHelp->caption();
        b.replace(QLatin1Char('|'), QStringLiteral("或  "));
        struct Prompt {
            const char *code;
            const char *before;
            const char *after;
            bool frame;
        };
        static const Prompt prompts[] = {
            {"0020", "输入 ", "", false},
            {"0021", "输入 ", "", false},
            {"0027", "输入 ", "", false},
            {"0022", "输入 ", " 并按回车键或点红色方框处", true},
            {"0023", "请选中 ", "", false},
            {"0024", "输入 ", " 并按回车键", false},
            {"0026", "输入 ", " 并点击红色方框处", true},
            {"0028", "在单元格或编辑栏中输入 ", " 并按回车键或点编辑区或点“√”", true},
        };
        QString caption = b;
        for (const Prompt &p : prompts) {
            if (code != QLatin1String(p.code)) continue;
            Text1->setSelLength(0);
            if (p.frame) Shape1->setVisible(LHelp->visible());
            caption = QString::fromUtf8(p.before) + b + QString::fromUtf8(p.after);
        }
        LHelp->setCaption(caption);
    }
    if (code == QLatin1String("0028")) {
        Text4->move(2880 * s.ScaleX, 1560 * s.ScaleY, 8865 * s.ScaleX, 225 * s.ScaleY);
        skip([&] { Text4->setFontSize(11 * s.ScaleX); });
        Text4->setText(QString());
        Text4->setVisible(true);
    } else {
        Text4->setVisible(false);
    }
}

void FrmYanShi::buildRegions(const StepRecord &r) {
    const QString kind = r.windowKind();
    const QString bar = r.menuBarVariant();
    showPicture(PicTool, shellPicture(shell::toolStripPicture(firstChar(r.viewVariant()))));
    PicMyPc->setVisible(false);
    if (kind == QLatin1String("P")) PicMyPc->setVisible(true);
    if (kind == QLatin1String("N")) skip([&] { CtrlCSH(); });

    // The taskbar and the task pane belong to a window with a bar, as the
    // simulated screen shows them.
    const QChar c = firstChar(bar);
    const bool barLetter =
        (c >= QLatin1Char('A') && c <= QLatin1Char('L')) || c == QLatin1Char('O');
    if (!barLetter || r.noBars()) return;
    if (c == QLatin1Char('O')) {
        PicMenu->setVisible(false);
    } else {
        showPicture(PicMenu, shellPicture(shell::menuBarPicture(c)));
        PicMenu->setVisible(true);
        skip([&] { MenuCSH(); });
    }
    const int flags = r.paneFlags();
    if (flags % 2 == 1) PicTool->setVisible(true);
    const int pane = flags / 2;
    if (pane != 0) {
        showPicture(PicHui, shellPicture(shell::taskPanePicture(pane)));
        PicHui->setVisible(true);
        skip([&] { HuiRenwuCSH(); });
    }
}

void FrmYanShi::buildHotSpotStep(const StepRecord &r) {
    if (!demo::isHotSpotStep(r.actionCode())) return;
    const demo::HotSpotClick click = demo::hotSpotClick(r);
    HitCode = click.hitCode;
    Target1J = click.target1;
    Target2J = click.target2;
    Target3J = click.target3;
    TargetBranch = click.branch;
    if (demo::opensAtTarget(HitCode))
        S().CurRecord = demo::withCodeInColumns4To5(S().CurRecord, HitCode);
}
