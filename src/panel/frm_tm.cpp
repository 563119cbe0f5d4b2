#include "panel/frm_tm.h"

#include "panel/frm_czts.h"
#include "panel/frm_ime.h"
#include "demo/frm_yanshi.h"
#include "home/frm_fengmian.h"
#include "home/home_files.h"
#include "panel/frm_picture.h"
#include "panel/hand_in.h"
#include "panel/panel_link.h"
#include "panel/panel_rules.h"
#include "panel/question_focus.h"
#include "panel/record_message.h"
#include "panel/set_finish.h"
#include "platform/system.h"
#include "platform/text.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"

using forms::skip;
using namespace panel;

namespace {

startup::RunState &S() {
    return startup::state();
}

bool validQuestion(int q) {
    return q >= 1 && q <= startup::kMaxQuestions;
}


} // namespace

FrmTm::FrmTm() : forms::Form(QStringLiteral("FrmTm")) {
    createControls();
    wireEvents();
    // Every click, key or drag on the panel, whatever control it met (a
    // button, a label with no action, the strip, the text), and every box
    // opened from it once closed, leaves the keys with the screen.
    handKeysBackAfterInput(*this);
}

QString FrmTm::bankPicture(const QString &name) const {
    return home::pathOf(S(), home::files::picture(name));
}

// ---------------------------------------------------------------- design

void FrmTm::createControls() {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::rgb(240, 240, 240));
    setWidth(kPanelWidth);
    setHeight(kPanelHeight);
    const forms::Color panelBack = forms::rgb(240, 240, 240);
    auto transparentLabel = [](forms::Container *in, const QString &name) {
        auto *l = new forms::Label(in, name);
        l->setBackStyle(forms::vbTransparent);
        l->setFontName(QStringLiteral("宋体"));
        return l;
    };

    // Title strip: windowless, beneath the windowed children.
    ImgLogo1 = add<forms::Image>(QStringLiteral("ImgLogo1"));
    LblBiao = transparentLabel(this, QStringLiteral("LblBiao"));
    LblBiao->setAutoSize(true);
    LblBiao->setForeColor(forms::rgb(255, 255, 255));
    LblBiao->setFontBold(true);
    lblMove = transparentLabel(this, QStringLiteral("lblMove"));

    // Body.
    FrmZhuYa = add<forms::PictureBox>(QStringLiteral("FrmZhuYa"));
    FrmZhuYa->setBorderStyle(0);
    FrmZhuYa->setBackColor(panelBack);
    FrmZhuYa->move(0, 450, kPanelWidth, 4125);
    for (int i = 0; i <= 11; ++i) CmdGN.load(i, FrmZhuYa);
    RtbTM = new forms::RichTextBox(FrmZhuYa, QStringLiteral("RtbTM"));
    RtbTM->setFontName(QStringLiteral("宋体"));
    Image2 = new kvtnButton(FrmZhuYa, QStringLiteral("Image2"));
    LblTime = transparentLabel(FrmZhuYa, QStringLiteral("LblTime"));
    LblTime->setCaption(QStringLiteral("剩余50分钟"));
    LblName = transparentLabel(FrmZhuYa, QStringLiteral("LblName"));
    LblIME = new forms::Label(FrmZhuYa, QStringLiteral("LblIME"));
    LblIME->setBackColor(forms::rgb(0, 0, 255));
    LblIME->setForeColor(forms::rgb(255, 255, 255));
    // Song's Latin letters are small at 9 points; the indicator reads "EN"
    // in the sans face, as the system's own indicator does.
    LblIME->setFontName(QStringLiteral("黑体"));
    LblIME->setCaption(QStringLiteral("EN"));
    PTime = new forms::PictureBox(FrmZhuYa, QStringLiteral("PTime"));
    PTime->setBackColor(forms::rgb(255, 255, 255));
    LblTimeJD = new forms::Label(PTime, QStringLiteral("LblTimeJD"));
    LblTimeJD->setBackColor(forms::rgb(0, 0, 255));
    LblTimeJD->move(0, 0, 0, 255);
    CmdEn = new kvtnButton(FrmZhuYa, QStringLiteral("CmdEn"));
    PicUnit = new forms::PictureBox(FrmZhuYa, QStringLiteral("PicUnit"));
    PicUnit->setBorderStyle(0);
    PicUnit->setBackColor(panelBack);
    LblUnit = transparentLabel(PicUnit, QStringLiteral("LblUnit"));
    LblUnit->setAutoSize(true);
    LblUnit->setCaption(QStringLiteral("未完成的题目:"));

    // Question list, over the body.
    FrmSelect = add<forms::Frame>(QStringLiteral("FrmSelect"));
    FrmSelect->setBorderStyle(0);
    FrmSelect->setBackColor(panelBack);
    for (int i = 1; i <= kListButtons; ++i) CmTNO.load(i, FrmSelect);
    CmdSelFH = new kvtnButton(FrmSelect, QStringLiteral("CmdSelFH"));
    CmdSelLast = new kvtnButton(FrmSelect, QStringLiteral("CmdSelLast"));
    CmdSelNext = new kvtnButton(FrmSelect, QStringLiteral("CmdSelNext"));

    // Candidate information, over the body.
    FrmKSXX = add<forms::Frame>(QStringLiteral("FrmKSXX"));
    FrmKSXX->setBorderStyle(0);
    FrmKSXX->setBackColor(panelBack);
    Image1 = new forms::Image(FrmKSXX, QStringLiteral("Image1"));
    Image1->setStretch(true);
    Image1->setBorderStyle(1);
    const char *fieldNames[] = {"姓    名：", "座 位 号：", "场    次：",
                                "档 案 号：", "报考科目：", "身份证号："};
    for (int k = 0; k <= 5; ++k) {
        auto *l = Label1.load(k, FrmKSXX);
        l->setBackStyle(forms::vbTransparent);
        l->setAutoSize(true);
        l->setFontName(QStringLiteral("宋体"));
        l->setCaption(QString::fromUtf8(fieldNames[k]));
    }
    KsName1 = transparentLabel(FrmKSXX, QStringLiteral("KsName1"));
    KsZWH1 = transparentLabel(FrmKSXX, QStringLiteral("KsZWH1"));
    KsCC1 = transparentLabel(FrmKSXX, QStringLiteral("KsCC1"));
    KsDAH1 = transparentLabel(FrmKSXX, QStringLiteral("KsDAH1"));
    KsKM1 = transparentLabel(FrmKSXX, QStringLiteral("KsKM1"));
    KsSFZ1 = transparentLabel(FrmKSXX, QStringLiteral("KsSFZ1"));
    for (auto *l : {KsName1, KsZWH1, KsCC1, KsDAH1, KsKM1, KsSFZ1}) l->setAutoSize(true);
    CmdKSFH = new kvtnButton(FrmKSXX, QStringLiteral("CmdKSFH"));

    // The strip's buttons, then the minimised bar over everything.
    LblZXH = new kvtnButton(this, QStringLiteral("LblZXH"));
    LblClose = new kvtnButton(this, QStringLiteral("LblClose"));
    FrmZXH = add<forms::PictureBox>(QStringLiteral("FrmZXH"));
    FrmZXH->setBorderStyle(0);
    FrmZXH->move(0, 0, 810, 870);
    FrmZXH->setVisible(false);
    Label2 = transparentLabel(FrmZXH, QStringLiteral("Label2"));
    Label2->move(-120, 0, 855, 255);
    Command2 = transparentLabel(FrmZXH, QStringLiteral("Command2"));

    TimeKS = new forms::Timer(this, QStringLiteral("TimeKS"));
    TimeKS->setInterval(60000);
    TimeKS->setEnabled(true);
    TimerREDO = new forms::Timer(this, QStringLiteral("TimerREDO"));
    TimerREDO->setInterval(100);
    TimKsModel = new forms::Timer(this, QStringLiteral("TimKsModel"));
    TimKsModel->setInterval(500);
    TimKsModel->setEnabled(true);
    TimStartYS = new forms::Timer(this, QStringLiteral("TimStartYS"));
    TimStartYS->setInterval(100);
}

void FrmTm::wireEvents() {
    onLoad = [this] { Form_Load(); };
    onQueryUnload = [this](int &cancel, int mode) { Form_QueryUnload(cancel, mode); };
    onUnload = [this](int &cancel) { Form_Unload(cancel); };
    onKeyUp = [this](int &k, int s) { Form_KeyUp(k, s); };
    CmdGN.onClick = [this](int i) { CmdGN_Click(i); };
    CmTNO.onClick = [this](int i) { CmTNO_Click(i); };
    CmdSelLast->onClick = [this] { CmdSelLast_Click(); };
    CmdSelNext->onClick = [this] { CmdSelNext_Click(); };
    CmdSelFH->onClick = [this] { CmdSelFH_Click(); };
    CmdKSFH->onClick = [this] { CmdKSFH_Click(); };
    CmdEn->onClick = [this] { CmdEn_Click(); };
    LblIME->onClick = [this] { LblIME_Click(); };
    TimeKS->onTimer = [this] { TimeKS_Timer(); };
    TimerREDO->onTimer = [this] { TimerREDO_Timer(); };
    TimKsModel->onTimer = [this] { TimKsModel_Timer(); };
    TimStartYS->onTimer = [this] { TimStartYS_Timer(); };
    LblZXH->onClick = [this] { LblZXH_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
    Command2->onMouseMove = [this](int b, int s, double x, double y) {
        Command2_MouseMove(b, s, x, y);
    };
    FrmZXH->onMouseMove = [this](int b, int s, double x, double y) {
        FrmZXH_MouseMove(b, s, x, y);
    };
    FrmZXH->onMouseDown = [this](int b, int s, double x, double y) {
        FrmZXH_MouseDown(b, s, x, y);
    };
    Label2->onMouseDown = [this](int b, int s, double x, double y) {
        Label2_MouseDown(b, s, x, y);
    };
    lblMove->onMouseDown = [this](int b, int s, double x, double y) {
        lblMove_MouseDown(b, s, x, y);
    };
    Image2->onClick = [this] { Image2_Click(); };
    LblUnit->onClick = [this] { LblUnit_Click(); };
    LblUnit->onMouseMove = [this](int b, int s, double x, double y) {
        LblUnit_MouseMove(b, s, x, y);
    };
    PicUnit->onKeyUp = [this](int &k, int s) { PicUnit_KeyUp(k, s); };
    RtbTM->onKeyUp = [this](int &k, int s) { RtbTM_KeyUp(k, s); };
    RtbTM->onClick = [this] { RtbTM_Click(); };
}

// ---------------------------------------------------------------- loading

void FrmTm::Form_Load() {
    auto &s = S();
    skip([&] { setIcon(forms::loadPicture(bankPicture(QStringLiteral("l62011")))); });
    skip([&] { setWidth(kPanelWidth * s.ScaleX); });
    skip([&] { setHeight(kPanelHeight * s.ScaleY); });
    skip([&] { setPicture(forms::loadPicture(bankPicture(QStringLiteral("l01046")))); });
    skip([&] { ImgLogo1->move(60 * s.ScaleX, 30 * s.ScaleY); });
    skip([&] { ImgLogo1->loadPicture(bankPicture(QStringLiteral("l20067"))); });
    StartTicks = 0;
    for (int q = 0; q < startup::kMaxQuestions; ++q) s.StepMemo[q] = 1;
    skip([&] { setTopmost(true); });
    skip([&] { setLeft(15360 * s.ScaleX - width()); });
    skip([&] { setTop(9000 * s.ScaleY - height()); });
    for (forms::Label *l : {LblUnit, LblTime, LblIME, LblName})
        skip([&] { l->setFontSize(9 * s.ScaleX); });
    layoutStrip();
    layoutButtons();
    layoutBody();
    layoutCandidate();
    startClock();
    layoutList();
    skip([&] { FrmSelect->setVisible(false); });
    skip([&] { FrmKSXX->setVisible(false); });
    skip([&] { Ime = createImeMenu(this, platform::keyboardLayouts().list()); });
    s.QuestionStatus[0] = shown(s.QuestionStatus[0]);
    skip([&] { DqExam(); });
    TimKsModel->setEnabled(true);
}

void FrmTm::layoutStrip() {
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY, w = width();
    skip([&] {
        LblBiao->move(510 * sx, 90 * sy);
        LblBiao->setFontSize(10 * sx);
    });
    skip([&] { lblMove->move(0, 0, w, 450 * sy); });
    skip([&] { LblClose->move(w - 390 * sx, 30 * sy, 330 * sx, 330 * sy); });
    skip([&] { LblClose->setPicture(forms::loadPicture(bankPicture(QStringLiteral("l20003")))); });
    skip([&] { LblZXH->move(w - 795 * sx, 30 * sy, 330 * sx, 330 * sy); });
    skip([&] { LblZXH->setPicture(forms::loadPicture(bankPicture(QStringLiteral("l20002")))); });
    skip([&] { FrmSelect->move(0, 450 * sy, w, 4035 * sy); });
    skip([&] { FrmKSXX->move(0, 450 * sy, w, 4035 * sy); });
    skip([&] { FrmZhuYa->move(0, 450 * sy, w, FrmZhuYa->height()); });
    skip([&] { FrmZXH->move(0, 0); });
    skip([&] { FrmZXH->loadPicture(bankPicture(QStringLiteral("l01050"))); });
}

void FrmTm::layoutButtons() {
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    struct Place {
        double left, top, width;
    };
    const Place places[] = {{90, 15, 720},   {1020, 15, 720}, {1950, 15, 870},   {3030, 15, 870},
                            {4110, 15, 720}, {90, 2355, 870}, {2010, 2355, 870}, {3930, 2355, 870},
                            {0, 2355, 870},  {0, 2355, 870},  {0, 2355, 870},    {0, 15, 870}};
    const bool exam = s.StudyMode == startup::Exam;
    for (int i = 0; i <= 11; ++i) {
        kvtnButton *b = CmdGN(i);
        skip([&] { b->setPicture(forms::loadPicture(bankPicture(buttonPicture(i, false)))); });
        skip([&] {
            b->move(places[i].left * sx, places[i].top * sy, places[i].width * sx, 330 * sy);
        });
    }
    // The exam trio and the unmark button share the places of the practice
    // trio and the mark button.
    const int twins[][2] = {{8, 5}, {9, 6}, {10, 7}, {11, 3}};
    for (const auto &t : twins) skip([&] { CmdGN(t[0])->setLeft(CmdGN(t[1])->left()); });
    if (exam) {
        for (int i : {3, 11})
            skip([&] {
                CmdGN(i)->setPicture(forms::loadPicture(bankPicture(buttonPicture(i, true))));
            });
    }
    skip([&] { Command2->move((FrmZXH->width() - 645 * sx) / 2, 270 * sy, 645 * sx, 540 * sy); });
}

void FrmTm::layoutBody() {
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    skip([&] {
        RtbTM->move(CmdGN(0)->left(), 450 * sy, 4770 * sx, 1815 * sy);
        RtbTM->setFontSize(11 * sx);
    });
    skip([&] {
        Image2->move(3720 * sx, 1800 * sy, 870 * sx, 330 * sy);
        Image2->setFontSize(9 * sx);
        Image2->setCaption(QStringLiteral("显示图片"));
        Image2->setForeColor(forms::rgb(0, 0, 0));
    });
    skip([&] { Image2->setPicture(forms::loadPicture(bankPicture(QStringLiteral("l01044")))); });
    skip([&] { LblTime->move(CmdGN(5)->left(), 2760 * sy, 1215 * sx, 285 * sy); });
    skip([&] { PTime->move(1365 * sx, LblTime->top(), 2055 * sx, LblTime->height()); });
    skip([&] { LblName->move(3450 * sx, LblTime->top(), 735 * sx, LblTime->height()); });
    skip([&] { LblIME->move(4230 * sx, LblTime->top(), 615 * sx, LblTime->height()); });
    skip([&] { PicUnit->move(LblTime->left(), LblTime->top(), 4080 * sx, LblTime->height()); });
    skip([&] {
        CmdEn->move(LblIME->left() + LblIME->width() - 240 * sx, LblIME->top(), 240 * sx, 270 * sy);
    });
    skip([&] { CmdEn->setPicture(forms::loadPicture(bankPicture(QStringLiteral("l01043")))); });
    // "EN" in the middle of the blue that CmdEn leaves free.
    skip([&] { LblIME->setCentredCaption(true, LblIME->left() + LblIME->width() - CmdEn->left()); });
}

void FrmTm::layoutCandidate() {
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    skip([&] { Image1->move(120 * sx, 120 * sy, 1455 * sx, 1740 * sy); });
    skip([&] { Image1->loadPicture(bankPicture(QStringLiteral("l01051"))); });
    skip([&] {
        Label1(0)->move(1680 * sx, 120 * sy);
        Label1(0)->setFontSize(9 * sx);
    });
    for (int k = 1; k <= 5; ++k)
        skip([&] {
            Label1(k)->move(Label1(0)->left(), Label1(k - 1)->top() + 315 * sy);
            Label1(k)->setFontSize(Label1(k - 1)->font().size);
        });
    forms::Label *values[] = {KsName1, KsZWH1, KsCC1, KsDAH1, KsKM1, KsSFZ1};
    // The login has set the seat, batch, answer-sheet and ID numbers before
    // the panel of a paper is created; before the first login they are empty.
    const QString texts[] = {s.CandidateName,     s.SeatNumber,  s.BatchNumber,
                             s.AnswerSheetNumber, s.SubjectName, s.IdNumber};
    for (int k = 0; k <= 5; ++k)
        skip([&] {
            values[k]->move(2640 * sx, Label1(k)->top());
            values[k]->setFontSize(Label1(k)->font().size);
            values[k]->setCaption(texts[k]);
        });
}

void FrmTm::startClock() {
    auto &s = S();
    s.MinutesLeft = kExamMinutes;
    skip([&] { LblTime->setCaption(clockCaption(s.MinutesLeft)); });
    skip([&] { LblTimeJD->setWidth(clockBarWidth(s.MinutesLeft, PTime->width())); });
    skip([&] { LblName->setCaption(s.CandidateName); });
}

void FrmTm::layoutList() {
    const auto &s = S();
    const double sx = s.ScaleX, sy = s.ScaleY;
    for (int i = 1; i <= kListButtons; ++i)
        skip([&] {
            kvtnButton *b = CmTNO(i);
            b->setForeColor(forms::rgb(0, 0, 0));
            b->move((60 + ((i - 1) % 10) * 480) * sx, (150 + ((i - 1) / 10) * 480) * sy, 450 * sx,
                    450 * sy);
        });
    ListPage = 0;
    skip([&] {
        CmdSelFH->setWidth(825 * sx);
        CmdSelFH->setHeight(330 * sy);
        CmdSelFH->setLeft((FrmSelect->width() - CmdSelFH->width()) / 2);
        CmdSelFH->setTop(CmTNO(35)->top() + CmTNO(35)->height() + 540 * sy);
    });
    skip([&] { CmdSelFH->setPicture(forms::loadPicture(bankPicture(QStringLiteral("l01045")))); });
    struct Follower {
        kvtnButton *button;
        double offset; // in widths of CmdSelFH
        const char *picture;
    };
    const Follower followers[] = {
        {CmdSelLast, -1.5, "l01047"}, {CmdKSFH, 0, "l01045"}, {CmdSelNext, 1.5, "l01048"}};
    for (const auto &f : followers) {
        skip([&] {
            f.button->move(CmdSelFH->left() + f.offset * CmdSelFH->width(), CmdSelFH->top(),
                           CmdSelFH->width(), CmdSelFH->height());
        });
        skip([&] {
            f.button->setPicture(forms::loadPicture(bankPicture(QString::fromLatin1(f.picture))));
        });
    }
}

void FrmTm::Form_QueryUnload(int &Cancel, int UnloadMode) {
    // Only the finish and the hand-in close the panel: a close from the
    // window manager would leave the candidate without the way back to the
    // home page, whatever the flag says.
    if (UnloadMode == forms::vbFormControlMenu) Cancel = 1;
}

void FrmTm::Form_Unload(int &Cancel) {
    if (!S().PanelMayClose) Cancel = 1;
}

// ---------------------------------------------------------------- question loading

void FrmTm::DqExam() {
    auto &s = S();
    const int q = s.CurQuestion;
    skip([&] { CmdGN(Previous)->setEnabled(q > 1); });
    skip([&] { CmdGN(Next)->setEnabled(q < s.QuestionCount); });
    readQuestionLine(q);
    showQuestionText();
    restoreScreenPictures();
    skip([] { forms::form<FrmMain>()->questionLoading(); });
    skip([&] { forms::form<FrmMain>()->Timer2->setEnabled(true); });
    showTitle();
    skip([&] { LblUnit->setCaption(unfinishedStrip(s.QuestionStatus, s.QuestionCount)); });
    if (validQuestion(q)) {
        s.QuestionStatus[q - 1] = shown(s.QuestionStatus[q - 1]);
        s.CurStep = s.StepMemo[q - 1];
    }
    if (s.StudyMode != startup::Exam) s.StudyMode = startup::Practice;
    if (validQuestion(q)) {
        const bool markShown = !isMarked(s.QuestionStatus[q - 1]);
        CmdGN(Mark)->setVisible(markShown);
        CmdGN(Unmark)->setVisible(!markShown);
    }
    if (s.PaperMode == startup::MockPaper && s.StudyMode == startup::Practice)
        TimKsModel->setEnabled(true);
    focusScreen();
}

void FrmTm::readQuestionLine(int q) {
    auto &s = S();
    if (s.QuestionFilePath.isEmpty()) return;
    if (const auto lines = platform::readLines(s.QuestionFilePath))
        if (const auto line = questionLine(*lines, q)) s.LineBuffer = *line;
}

void FrmTm::showQuestionText() {
    const QuestionText shownText = displayedQuestion(S().LineBuffer);
    skip([&] { RtbTM->setText(shownText.text); });
    skip([] { forms::form<FrmPicture>()->setVisible(false); });
    skip([&] { Image2->setVisible(false); });
    if (shownText.picture) offerPicture(shownText.pictureName);
}

void FrmTm::offerPicture(const QString &name) {
    skip([&] { forms::form<FrmPicture>()->Image1->loadPicture(bankPicture(name)); });
    skip([&] { Image2->setCaption(QStringLiteral("显示图片")); });
    skip([&] { Image2->setVisible(true); });
}

void FrmTm::restoreScreenPictures() {
    auto &s = S();
    const int q = s.CurQuestion;
    if (!validQuestion(q)) return;
    FrmMain *m = forms::form<FrmMain>();
    const auto &pics = s.QuestionPictures[q - 1];
    // A question never shown has no names: the screen keeps its pictures
    // until the step engine builds the first step.
    if (!pics[0].isEmpty()) skip([&] { m->setPicture(forms::loadPicture(bankPicture(pics[0]))); });
    forms::Image *images[] = {m->Image1, m->Image2, m->Image3, m->Image4, m->Image5};
    for (int k = 1; k <= 5; ++k)
        if (!pics[k].isEmpty()) skip([&] { images[k - 1]->loadPicture(bankPicture(pics[k])); });
    if (!pics[6].isEmpty()) skip([&] { m->Image6->loadPicture(bankPicture(pics[6])); });
}

void FrmTm::showTitle() {
    const auto &s = S();
    const int q = s.CurQuestion;
    if (!validQuestion(q)) return;
    const auto title = titleLine({s.SubjectName, s.PaperMode, s.PaperIndex, s.PaperSlot, q,
                                  s.QuestionCount, s.QuestionCodes[q - 1], s.QuestionDone[q - 1]});
    if (title) skip([&] { LblBiao->setCaption(*title); });
}

void FrmTm::focusScreen() {
    keysToScreen();
}

void FrmTm::hidePicture() {
    link::hidePicture();
}

// ---------------------------------------------------------------- buttons

void FrmTm::CmdGN_Click(int Index) {
    auto &s = S();
    const int q = s.CurQuestion;
    switch (Index) {
    case Previous:
        s.CurQuestion = std::max(q - 1, 1);
        DqExam();
        break;
    case Next:
        s.CurQuestion = std::min(q + 1, s.QuestionCount);
        DqExam();
        break;
    case Redo:
        if (validQuestion(q)) s.StepMemo[q - 1] = 1;
        DqExam();
        break;
    case Mark:
        if (validQuestion(q)) s.QuestionStatus[q - 1] = marked(s.QuestionStatus[q - 1]);
        CmdGN(Unmark)->setVisible(true);
        CmdGN(Mark)->setVisible(false);
        break;
    case Unmark:
        if (validQuestion(q)) s.QuestionStatus[q - 1] = unmarked(s.QuestionStatus[q - 1]);
        CmdGN(Mark)->setVisible(true);
        CmdGN(Unmark)->setVisible(false);
        break;
    case List:
        dqYeMian();
        break;
    case Finish:
        JiaoJuan();
        break;
    case Guide: {
        s.StudyMode = startup::Guided;
        FrmMain *m = forms::form<FrmMain>();
        forms::Control *hints[] = {m->LHelp, m->Shape1, m->Shape4, m->Shape2};
        for (forms::Control *c : hints) skip([&] { c->setVisible(true); });
        skip([&] { m->TimerDisFK->setEnabled(true); });
        break;
    }
    case Demo:
        startYanShi();
        break;
    case CandidateInfo:
        FrmKSXX->setVisible(true);
        break;
    case HandIn:
        skip([&] { setLeft(0); });
        skip([&] { setTop(0); });
        skip([&] { setVisible(false); });
        // The hand-in may close the panel: nothing of it is touched afterwards.
        openHandIn();
        break;
    case SeeAnswer:
        hidePicture();
        forms::form<FrmCZTS>()->show(forms::vbModal);
        break;
    default:
        break;
    }
}

void FrmTm::dqYeMian() {
    const auto &s = S();
    const panel::ListPage page = listPage(s.QuestionCount, ListPage);
    CmdSelLast->setVisible(page.pageButtons);
    CmdSelNext->setVisible(page.pageButtons);
    ListLastPage = page.lastPage;
    for (int i = 1; i <= kListButtons; ++i) {
        kvtnButton *b = CmTNO(i);
        if (i > page.buttons) {
            b->setVisible(false);
            continue;
        }
        const int j = page.firstQuestion + i - 1;
        b->setCaption(QString::number(j));
        const int status = validQuestion(j) ? s.QuestionStatus[j - 1] : 0;
        // A missing picture leaves the button as it was; the page still fills.
        skip([&] { b->setPicture(forms::loadPicture(bankPicture(listPicture(status)))); });
        b->setVisible(true);
    }
    FrmSelect->setVisible(true);
}

void FrmTm::CmTNO_Click(int Index) {
    S().CurQuestion = ListPage * kListButtons + Index;
    FrmSelect->setVisible(false);
    DqExam();
}

void FrmTm::CmdSelLast_Click() {
    ListPage = previousPage(ListPage);
    dqYeMian();
}

void FrmTm::CmdSelNext_Click() {
    ListPage = nextPage(ListPage, ListLastPage);
    dqYeMian();
}

void FrmTm::CmdSelFH_Click() {
    FrmSelect->setVisible(false);
}

void FrmTm::CmdKSFH_Click() {
    FrmKSXX->setVisible(false);
}

void FrmTm::CmdEn_Click() {
    LblZXH_Click();
    // Closing the notice restores the panel.
    forms::form<FrmIME>()->show(forms::vbModal);
}

void FrmTm::LblIME_Click() {
    if (S().UseInputMethod)
        skip([&] {
            popupMenu(Ime.mIme.get(), forms::vbPopupMenuRightAlign, LblIME->left(),
                      imePopupTop(LblIME->top(), Ime.model.imeCount, FrmZhuYa->top()));
        });
}

void FrmTm::startYanShi() {
    auto &s = S();
    holdScreen();
    hidePicture();
    s.DemoPlaying = true;
    readQuestionLine(s.CurQuestion);
    const QuestionText note = demonstrationQuestion(s.LineBuffer);
    skip([&] { RtbTM->setText(note.text); });
    skip([&] { Image2->setVisible(false); });
    if (note.picture) offerPicture(note.pictureName);
    s.DemoPlaying = true;
    TimStartYS->setEnabled(true);
}

void FrmTm::holdScreen() {
    // The screen's own timers would rebuild it from a step of their own and
    // write that step's record into CurRecord, which the demonstration
    // plays from. The reload after the demonstration (TimerREDO) builds the
    // remembered step again and starts them.
    if (FrmMain *m = forms::loadedForm<FrmMain>()) m->standStill();
}

void FrmTm::JiaoJuan() {
    auto &s = S();
    // A paper whose answers were seen ends here too: its clock must not run
    // out under the boxes of the set's end.
    TimeKS->setEnabled(false);
    hidePicture();
    LblZXH_Click();
    QStringList unsaved;
    bool othersSaved = false;
    skip([&] {
        unsaved = finishSetRecords(s, RecordFiles(s.UserDataFolder), askRemoveDoneQuestions,
                                   &othersSaved);
    });
    TimeKS->setEnabled(false);
    TimStartYS->setEnabled(false);
    TimerREDO->setEnabled(false);
    // Said before the set's windows close, with nothing left to tick under the box.
    tellUnsavedRecords(recordaction::SetEnd, unsaved, othersSaved);
    s.PanelMayClose = true;
    forms::unloadForm<FrmMain>();
    unload();
    link::showHomePage(homeReturnButtonFor(s.PaperMode));
}

// ---------------------------------------------------------------- timers

void FrmTm::TimeKS_Timer() {
    auto &s = S();
    if (!isTimedPaper(s.PaperMode)) {
        TimeKS->setEnabled(false);
        return;
    }
    skip([&] { LblTime->setCaption(clockCaption(s.MinutesLeft)); });
    skip([&] { LblTimeJD->setWidth(clockBarWidth(s.MinutesLeft, PTime->width())); });
    s.MinutesLeft -= 1;
    if (s.MinutesLeft <= 0) {
        // Off before the message, so that no later tick can hand in again.
        TimeKS->setEnabled(false);
        examTimeUp();
    }
}

void FrmTm::TimerREDO_Timer() {
    skip([&] { DqExam(); });
    TimerREDO->setEnabled(false);
}

void FrmTm::TimKsModel_Timer() {
    const bool practice = S().StudyMode != startup::Exam;
    PicUnit->setVisible(practice);
    for (int i = Finish; i <= SeeAnswer; ++i)
        CmdGN(i)->setVisible(i <= Demo ? practice : !practice);
    TimKsModel->setEnabled(false);
}

void FrmTm::TimStartYS_Timer() {
    // Also for a demonstration asked for elsewhere (the answer warning).
    holdScreen();
    StartTicks += 1;
    if (StartTicks <= 1) return;
    StartTicks = 0;
    TimStartYS->setEnabled(false);
    skip([] { forms::form<FrmMain>()->setVisible(false); });
    skip([&] { setVisible(false); });
    // The demonstration hands the screen and the panel back when it ends.
    skip([] { forms::form<FrmYanShi>()->show(); });
    S().DemoPlaying = true;
}

// ---------------------------------------------------------------- window handling

void FrmTm::LblZXH_Click() {
    skip([&] { setWidth(FrmZXH->width()); });
    skip([&] { setHeight(FrmZXH->height()); });
    skip([&] {
        FrmMain *m = forms::form<FrmMain>();
        setLeft(m->effectiveLeft());
        setTop(m->effectiveTop() + m->effectiveHeight() - height());
    });
    skip([&] { FrmZXH->setVisible(true); });
}

void FrmTm::Command2_Click() {
    const auto &s = S();
    focusScreen();
    skip([&] { setWidth(kPanelWidth * s.ScaleX); });
    skip([&] { setHeight(kPanelHeight * s.ScaleY); });
    skip([&] {
        FrmMain *m = forms::form<FrmMain>();
        setLeft(m->effectiveLeft() + m->effectiveWidth() - width());
        setTop(m->effectiveTop() + m->effectiveHeight() - height());
    });
    skip([&] { FrmZXH->setVisible(false); });
}

void FrmTm::Command2_MouseMove(int, int, double, double) {
    Command2->setBorderStyle(1);
}

void FrmTm::FrmZXH_MouseMove(int, int, double, double) {
    Command2->setBorderStyle(0);
}

void FrmTm::FrmZXH_MouseDown(int Button, int, double, double) {
    if (Button == forms::vbLeftButton) skip([&] { dragWindow(); });
    Command2->setBorderStyle(0);
}

void FrmTm::Label2_MouseDown(int Button, int, double, double) {
    if (Button == forms::vbLeftButton) skip([&] { dragWindow(); });
    Command2->setBorderStyle(0);
    focusScreen();
}

void FrmTm::lblMove_MouseDown(int Button, int, double, double) {
    if (Button == forms::vbLeftButton) skip([&] { dragWindow(); });
    focusScreen();
}

void FrmTm::Image2_Click() {
    if (Image2->Caption() == QStringLiteral("显示图片")) {
        FrmPicture *p = forms::form<FrmPicture>();
        p->show();
        p->Timer1->setEnabled(true);
        Image2->setCaption(QStringLiteral("隐藏图片"));
    } else {
        forms::form<FrmPicture>()->setVisible(false);
        Image2->setCaption(QStringLiteral("显示图片"));
    }
}

void FrmTm::LblUnit_Click() {
    LblUnit->setToolTipText(LblUnit->caption());
}

void FrmTm::LblUnit_MouseMove(int, int, double, double) {
    LblUnit->setToolTipText(LblUnit->caption());
}

void FrmTm::Form_KeyUp(int &, int) {
    focusScreen();
}

void FrmTm::PicUnit_KeyUp(int &, int) {
    focusScreen();
}

void FrmTm::RtbTM_KeyUp(int &, int) {
    focusScreen();
}

void FrmTm::RtbTM_Click() {
    focusScreen();
}
