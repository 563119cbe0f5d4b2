#include "panel/frm_czts.h"

#include "home/home_files.h"
#include "panel/panel_link.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"

using forms::skip;
using startup::state;

namespace panel {
const QString kAnswerWarningText = QStringLiteral(
    "1.正式考试时不能看答案。\r\n\r\n"
    "2.如果有不会做的题目，在结束考试后，可以点“本次错题复习”或者“本次考题复习”，这时，所有试题都可以查看答案（手把手教和操作演示都可以）。\r\n\r\n"
    "3.如果你实在等不及了，可以点“我想立即看答案”。");
const QString kSeeAnswerPrompt =
    QStringLiteral("立即看答案将不能测试您的实际水平，如果你坚持现在看答案，成绩将不记入本次练习记录！\r\n"
                   "您现在就要看答案吗？");
} // namespace panel

FrmCZTS::FrmCZTS() : forms::Form(QStringLiteral("FrmCZTS")) {
    setBorderStyle(forms::vbFixedSingle);
    setCaption(QStringLiteral("操作提示"));
    setBackColor(forms::rgb(255, 255, 255));
    setWidth(4815);
    setHeight(5130);
    Shape1 = add<forms::Shape>(QStringLiteral("Shape1"));
    Shape1->move(60, 60, 4695, 5010);
    Shape1->setBorderColor(forms::rgb(128, 128, 128));
    Shape1->setBackStyle(forms::vbOpaque);
    Shape1->setBackColor(forms::rgb(128, 128, 128));
    // The white card lies one pixel right of and below the grey one, which
    // therefore edges it on the left and the top only; the card's own grey
    // border closes the frame on the right and at the foot.
    Shape2 = add<forms::Shape>(QStringLiteral("Shape2"));
    Shape2->move(75, 75, 4695, 5010);
    Shape2->setBorderColor(forms::rgb(128, 128, 128));
    Shape2->setBackStyle(forms::vbOpaque);
    Shape2->setBackColor(forms::rgb(255, 255, 255));
    forms::Font f;
    f.name = QStringLiteral("宋体");
    f.size = 12;
    Label3 = add<forms::Label>(QStringLiteral("Label3"));
    Label3->move(240, 360, 1080, 240);
    Label3->setBackStyle(forms::vbTransparent);
    Label3->setFont(f);
    Label3->setForeColor(forms::rgb(0, 0, 255));
    Label3->setCaption(QStringLiteral("请注意!!!"));
    Label2 = add<forms::Label>(QStringLiteral("Label2"));
    Label2->move(240, 840, 4380, 3540);
    Label2->setBackStyle(forms::vbTransparent);
    Label2->setWordWrap(true);
    Label2->setFont(f);
    Label2->setForeColor(forms::rgb(255, 0, 0));
    Label2->setCaption(panel::kAnswerWarningText);
    Command1 = add<kvtnButton>(QStringLiteral("Command1"));
    Command1->move(360, 4440, 1920, 450);
    Command2 = add<kvtnButton>(QStringLiteral("Command2"));
    Command2->move(2520, 4440, 1920, 450);

    onLoad = [this] { Form_Load(); };
    onClick = [this] { Command1_Click(); };
    Label2->onClick = [this] { Command1_Click(); };
    Label3->onClick = [this] { Command1_Click(); };
    Command1->onClick = [this] { Command1_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
}

void FrmCZTS::Form_Load() {
    const auto &s = state();
    auto picture = [&](const char *name) {
        return forms::loadPicture(home::pathOf(s, home::files::picture(QLatin1String(name))));
    };
    skip([&] { setIcon(picture("l62011")); });
    skip([&] { setCaption(s.ApplicationTitle); });
    skip([&] { setTopmost(true); });
    skip([&] { Command1->move(360, 4440, 1920 * s.ScaleX, 450 * s.ScaleY); });
    skip([&] { Command2->move(2520, 4440, 1920 * s.ScaleX, 450 * s.ScaleY); });
    skip([&] { Command1->setPicture(picture("l01038")); });
    skip([&] { Command2->setPicture(picture("l01039")); });
    skip([&] {
        move((forms::Screen::width() - width()) / 2, (forms::Screen::height() - height()) / 2);
    });
}

void FrmCZTS::Command1_Click() {
    unload();
}

void FrmCZTS::Command2_Click() {
    if (forms::msgBox(panel::kSeeAnswerPrompt, forms::vbYesNo, QStringLiteral("不建议您立即看答案")) !=
        forms::vbYes)
        return;
    auto &s = state();
    s.StudyMode = startup::Practice;
    panel::link::showPracticeButtons();
    s.PanelMayClose = false;
    s.ExamStartTime = QStringLiteral("-1");
    unload();
    skip([] { forms::form<FrmMain>()->show(); });
    s.DemoPlaying = true;
    s.CurStep = 1;
    panel::link::startDemonstration();
    panel::link::setButtonsForStudyMode();
}
