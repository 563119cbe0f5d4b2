#include "panel/frm_chengji.h"

#include "home/home_files.h"
#include "panel/exercise_builder.h"
#include "panel/frm_tm.h"
#include "panel/panel_link.h"
#include "panel/record_files.h"
#include "panel/record_message.h"
#include "platform/text.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"
#include "startup/services.h"

using forms::skip;
using startup::state;

namespace {

QString bankPicture(const char *name) {
    return home::pathOf(state(), home::files::picture(QLatin1String(name)));
}

forms::Font songTi(double size, bool bold) {
    forms::Font f;
    f.name = QStringLiteral("宋体");
    f.size = size;
    f.bold = bold;
    return f;
}

} // namespace

FrmChengji::FrmChengji() : forms::Form(QStringLiteral("FrmChengji")) {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::rgb(246, 249, 254));
    Picture1 = add<forms::PictureBox>(QStringLiteral("Picture1"));
    Picture1->setBorderStyle(0);
    Picture1->move(960, 480, 12000, 9000);
    Command3 = new kvtnButton(Picture1, QStringLiteral("Command3"));
    Command1 = new kvtnButton(Picture1, QStringLiteral("Command1"));
    Command2 = new kvtnButton(Picture1, QStringLiteral("Command2"));
    Command3->setVisible(false);
    Label1 = new forms::Label(Picture1, QStringLiteral("Label1"));
    Label1->setBackStyle(forms::vbTransparent);
    Label1->setAutoSize(true);
    Label1->setFont(songTi(12, true));
    Label1->setCaption(QStringLiteral("得分：0分"));
    Frame1 = new forms::Frame(Picture1, QStringLiteral("Frame1"));
    Frame1->setBorderStyle(0);
    Frame1->setBackColor(forms::rgb(246, 249, 254));
    for (int i = 1; i <= panel::kPaperQuestions; ++i) CmTNO.load(i, Frame1);
    LblTiMuYQ = new forms::Label(Picture1, QStringLiteral("LblTiMuYQ"));
    LblTiMuYQ->setBackStyle(forms::vbTransparent);
    LblTiMuYQ->setWordWrap(true);
    LblTiMuYQ->setFont(songTi(10.5, false));
    Timer1 = new forms::Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->setEnabled(true);

    onLoad = [this] { Form_Load(); };
    CmTNO.onClick = [this](int i) { CmTNO_Click(i); };
    Command1->onClick = [this] { Command1_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
    Command3->onClick = [this] { Command3_Click(); };
    Timer1->onTimer = [this] { Timer1_Timer(); };
    // The window manager's close goes back to the home page.
    onQueryUnload = [this](int &cancel, int mode) {
        if (mode != forms::vbFormControlMenu) return;
        cancel = 1;
        Command2_Click();
    };
}

void FrmChengji::Form_Load() {
    // The hand-in has closed both; a reference here must not bring them back.
    forms::unloadForm<FrmMain>();
    forms::unloadForm<FrmTm>();

    auto &s = state();
    const double sx = s.ScaleX, sy = s.ScaleY;
    skip([&] { setIcon(forms::loadPicture(bankPicture("l62011"))); });
    skip([&] { setCaption(s.ApplicationTitle); });
    skip([&] { setWindowState(forms::vbMaximized); });
    skip([&] { Command3->setVisible(true); });
    skip([&] { Picture1->loadPicture(bankPicture("9l0058")); });
    skip([&] { Command3->move(3480 * sx, 4080 * sy, 1920 * sx, 450 * sy); });
    skip([&] { Command3->setPicture(forms::loadPicture(bankPicture("l01036"))); });
    skip([&] {
        Command1->move(Command3->left() + Command3->width() + 120 * sx, 4080 * sy, Command3->width(),
                       Command3->height());
    });
    skip([&] { Command1->setPicture(forms::loadPicture(bankPicture("l01035"))); });
    skip([&] {
        Command2->move(Command1->left() + Command1->width() + 120 * sx, 4080 * sy, 870 * sx,
                       Command3->height());
    });
    skip([&] { Command2->setPicture(forms::loadPicture(bankPicture("l01037"))); });
    skip([&] { Label1->move(5010 * sx, 5040 * sy); });

    const panel::RecordFiles files(s.UserDataFolder);
    const QString now = startup::localNow().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    Result = panel::gradePaper(s, files, panel::paperCodeList(s), now);

    const forms::Picture right = [] {
        forms::Picture p;
        skip([&] { p = forms::loadPicture(bankPicture("l01033")); });
        return p;
    }();
    const forms::Picture wrong = [] {
        forms::Picture p;
        skip([&] { p = forms::loadPicture(bankPicture("l01034")); });
        return p;
    }();
    for (int i = 1; i <= panel::kPaperQuestions; ++i) {
        kvtnButton *b = CmTNO(i);
        skip([&] { b->setCaption(QString::number(i)); });
        skip([&] { b->move(((i - 1) % 10) * 480 * sx, ((i - 1) / 10) * 480 * sy, 450 * sx, 450 * sy); });
        b->setPicture(Result.right[i - 1] ? right : wrong);
        skip([&] { b->setFont(songTi(9, true)); });
        skip([&] { b->setForeColor(forms::rgb(0, 0, 0)); });
    }
    skip([&] {
        const kvtnButton *last = CmTNO(panel::kPaperQuestions);
        Frame1->setWidth(last->left() + last->width());
        Frame1->setHeight(last->top() + last->height());
        Frame1->move((Picture1->width() - Frame1->width()) / 2, 5520 * sy);
    });
    skip([&] {
        LblTiMuYQ->move(0, Frame1->top() + Frame1->height() + 360 * sy, 9855 * sx, 855 * sy);
        LblTiMuYQ->setLeft((Picture1->width() - LblTiMuYQ->width()) / 2);
    });
    skip([&] { Frame1->setEnabled(true); });
    Label1->setCaption(Result.scoreLine);

    skip([&] {
        const auto lines = platform::readLines(s.QuestionFilePath);
        if (lines) QuestionTexts = panel::sheetQuestionTexts(*lines);
    });
}

void FrmChengji::Timer1_Timer() {
    Picture1->move((effectiveWidth() - Picture1->width()) / 2,
                   (effectiveHeight() - Picture1->height()) / 2);
    Timer1->setEnabled(false);
    // Said over the sheet, which shows the score whatever was saved; once.
    const QStringList unsaved = std::exchange(Result.unsavedRecords, {});
    panel::tellUnsavedRecords(panel::recordaction::Grading, unsaved, Result.otherRecordsSaved);
}

void FrmChengji::CmTNO_Click(int Index) {
    if (Index < 1 || Index > panel::kPaperQuestions) return;
    LblTiMuYQ->setCaption(QStringLiteral("第%1题： ").arg(Index) + QuestionTexts[Index - 1]);
}

void FrmChengji::Command1_Click() {
    auto &s = state();
    s.StudyMode = startup::Practice;
    s.PanelMayClose = false;
    for (int q = 0; q < panel::kPaperQuestions; ++q) s.QuestionDone[q] = QStringLiteral("F");
    unload();
    panel::link::setButtonsForStudyMode();
    skip([] { forms::form<FrmMain>()->show(); });
    skip([] { forms::form<FrmTm>()->show(); });
    panel::link::clearUnfinishedList();
    s.CurQuestion = 1;
    panel::link::loadCurrentQuestion();
    panel::link::dockAndShowPanel();
    panel::link::stopExamClock();
}

void FrmChengji::Command2_Click() {
    forms::unloadForm<FrmMain>();
    unload(forms::vbFormCode);
    panel::link::showHomePage(17);
}

void FrmChengji::Command3_Click() {
    state().StudyMode = startup::Practice;
    InitShiTi();
}

void FrmChengji::InitShiTi() {
    auto &s = state();
    const panel::RecordFiles files(s.UserDataFolder);
    const panel::RecordRead list = files.read(panel::paperWrongFileName(s.PaperSlot));
    const QString line = list.lines.isEmpty() ? QString() : list.lines.first();
    const panel::ExerciseBuild build = panel::buildExercise(line, s.DataPath);
    for (int code : build.skipped)
        startup::trapError(QStringLiteral("initshiti"), startup::err::FileNotFound,
                           startup::err::text(startup::err::FileNotFound) + QStringLiteral(": ") +
                               panel::codeText(code));
    // No question to practise: the sheet stays as it is.
    if (build.codes.empty()) {
        forms::msgBox(QStringLiteral("本套试题没有错题，不能做错题练习。"), forms::vbOKOnly,
                      QStringLiteral("没有生成错题"));
        return;
    }
    panel::startWrongAnswerReview(s, build);
    panel::link::hideListButtonsFrom(s.QuestionCount + 1);
    panel::link::setButtonsForStudyMode();
    panel::link::clearUnfinishedList();
    s.CurQuestion = 1;
    panel::link::loadCurrentQuestion();
    unload();
    skip([] { forms::form<FrmMain>()->show(); });
    skip([] { forms::form<FrmTm>()->show(); });
    panel::link::dockAndShowPanel();
    panel::link::stopExamClock();
}
