// A menu or panel left open on the simulated screen is gone when the
// candidate goes to another question by any road of the question panel
// (上一题, 下一题, a question of the list, 重做本题): the question's first
// step shows nothing of it, and its first target takes the click and moves
// the question on. Between the steps of one question an entry of the start
// menu keeps the menu open; from one question to another nothing may: a
// question whose targets lie under a menu that stays could not be answered.
#include "panel/frm_tm.h"
#include "sample_judging.h"
#include "shell_sample_scripts.h"

#include <map>

namespace {

namespace ft = forms::testing;
using shellsample::Gestures;

// The start menu and the three levels of the panels.
constexpr unsigned StartMenu = 1, Level1 = 2, Level2 = 4, Level3 = 8;

unsigned shownPanels(FrmMain *f) {
    return (f->PicStart->isShown() ? StartMenu : 0) | (f->Pic1J->isShown() ? Level1 : 0) |
           (f->Pic2J->isShown() ? Level2 : 0) | (f->Pic3J->isShown() ? Level3 : 0);
}

const QString &shellQuestion(int i) {
    static const QStringList texts = sample::shellJudgingQuestionTexts();
    return texts[i];
}

// The sample's questions answered by judging the step's own pictures and
// target, that open a panel of their own (the bank's unit 3), and the
// questions the panel's roads lead to from them.
const QString kFirstFile = QStringLiteral("单击选中“报告”文件，然后双击将其打开。");
const QString kRunOk = QStringLiteral("在“运行”对话框中按下“确定”按钮。");
const QString kExtraPicture =
    QStringLiteral("单击工具栏上的“组织”按钮，再单击“视图”按钮，然后双击“布局”按钮。");
const QString kRecycleBin = QStringLiteral("双击桌面上的“回收站”图标将其打开。");
const QString kReportMenu = QStringLiteral("右键单击“报告”文件，在快捷菜单中选择“属性”命令。");

void clickTarget(FrmMain *f, int button = forms::vbLeftButton) {
    ft::click(f->Label1, midX(f->Label1), midY(f->Label1), button);
}

// The first step of a question, as a candidate answers it.
Gestures firstStepOf(int unit, const QString &text) {
    if (unit == sample::kShellJudgingUnit)
        return shellsample::scriptOf(int(sample::shellJudgingQuestionTexts().indexOf(text)))[0];
    static const std::map<QString, Gestures> judged = {
        {kFirstFile, [](FrmMain *f) { clickTarget(f); }},
        {kRunOk, [](FrmMain *f) { clickTarget(f); }},
        {kExtraPicture, [](FrmMain *f) { ft::click(f->ImgElse, 60, 60); }},
        {kRecycleBin, [](FrmMain *f) { ft::dblClick(f->Label1, 300, 300); }},
        {kReportMenu, [](FrmMain *f) { clickTarget(f, forms::vbRightButton); }},
    };
    const auto it = judged.find(text);
    return it == judged.end() ? Gestures() : it->second;
}

// A panel opened on a question's screen by the candidate's gestures.
struct Opening {
    const char *what;
    int unit; // the bank's
    QString question;
    Gestures open;
    unsigned shows;
};

void rightClickAt(FrmMain *f, double x, double y) {
    ft::click(f, x, y, forms::vbRightButton);
}

std::vector<Opening> openings() {
    const int shell = sample::kShellJudgingUnit, judging = sample::kJudgingUnit;
    const QString start = shellQuestion(4), commandBar = shellQuestion(0),
                  menuBar = shellQuestion(1), toolStrip = shellQuestion(2),
                  desktop = shellQuestion(3), ctrlPanel = shellQuestion(5),
                  computer = shellQuestion(6);
    return {
        {"the start menu alone", shell, start, [](FrmMain *f) { clickAt(f->StartMenu); },
         StartMenu},
        {"the start menu after a click on an entry that opens nothing", shell, start,
         [](FrmMain *f) {
             clickInTurn({f->StartMenu, f->LblZHU(71)});
         },
         StartMenu},
        {"所有程序", shell, start,
         [](FrmMain *f) {
             clickInTurn({f->StartMenu, f->LblZHU(84)});
         },
         StartMenu | Level1},
        {"附件 in 所有程序", shell, start,
         [](FrmMain *f) {
             clickInTurn({f->StartMenu, f->LblZHU(84), f->Lbl1J(10)});
         },
         StartMenu | Level1 | Level2},
        {"系统工具 in 附件", shell, start,
         [](FrmMain *f) {
             clickInTurn({f->StartMenu, f->LblZHU(84), f->Lbl1J(10), f->Lbl2J(1)});
         },
         StartMenu | Level1 | Level2 | Level3},
        {"入门 of the start menu", shell, start,
         [](FrmMain *f) {
             clickInTurn({f->StartMenu, f->LblZHU(80)});
         },
         StartMenu | Level1},
        {"the arrow beside 关机", shell, start,
         [](FrmMain *f) {
             clickInTurn({f->StartMenu, f->LblZHU(82)});
         },
         StartMenu | Level1},
        {"the start button's context menu", shell, start,
         [](FrmMain *f) { clickAt(f->StartMenu, forms::vbRightButton); }, Level1},
        {"the command bar's 组织 menu", shell, commandBar,
         [](FrmMain *f) { clickAt(f->LblZHU(1)); }, Level1},
        {"布局 in 组织", shell, commandBar,
         [](FrmMain *f) {
             clickInTurn({f->LblZHU(1), f->Lbl1J(7)});
         },
         Level1 | Level2},
        {"the view menu that opens above the command bar", shell, commandBar,
         [](FrmMain *f) { clickAt(f->LblZHU(7)); }, Level1},
        {"the menu bar's 文件 menu", shell, menuBar, [](FrmMain *f) { clickAt(f->LblZHU(1)); },
         Level1},
        {"保存 in 文件", shell, menuBar,
         [](FrmMain *f) {
             clickInTurn({f->LblZHU(1), f->Lbl1J(3)});
         },
         Level1 | Level2},
        {"the tool strip's 视图 button", shell, toolStrip,
         [](FrmMain *f) { clickNearTop(f->LblZHU(23)); }, Level1},
        {"the tool strip's context menu", shell, toolStrip,
         [](FrmMain *f) { ft::click(f->PicTool, 12000, 30, forms::vbRightButton); }, Level1},
        {"the desktop's context menu", shell, desktop,
         [](FrmMain *f) { rightClickAt(f, 4500, 4500); }, Level1},
        {"查看 in the desktop's context menu", shell, desktop,
         [](FrmMain *f) {
             rightClickAt(f, 4500, 4500);
             clickAt(f->Lbl1J(1));
         },
         Level1 | Level2},
        {"a desktop icon's context menu", shell, desktop,
         [](FrmMain *f) { clickAt(f->LblZHU(63), forms::vbRightButton); }, Level1},
        {"the Computer window's context menu", shell, computer,
         [](FrmMain *f) { clickAt(f->LblZHU(92), forms::vbRightButton); }, Level1},
        {"共享 in a drive's context menu", shell, computer,
         [](FrmMain *f) {
             clickAt(f->LblZHU(95), forms::vbRightButton);
             clickAt(f->Lbl1J(4));
         },
         Level1 | Level2},
        {"a Control Panel category's links, opened by pointing", shell, ctrlPanel,
         [](FrmMain *f) { moveTo(f->LblZHU(45)); }, Level1},
        {"the context menu at a step's target", judging, kRecycleBin,
         [](FrmMain *f) { clickTarget(f, forms::vbRightButton); }, Level1},
        {"the drop-down under a step's extra picture", judging, kExtraPicture,
         [](FrmMain *f) {
             // Its third step shows the button whose menu drops down.
             for (int k = 0; k < 3; ++k) ft::click(f->ImgElse, 60, 60);
         },
         Level1},
    };
}

// A road of the question panel to another question, or to the same one
// from its first step.
struct Road {
    const char *what;
    // The question it leads to from question q; 0 where it leads nowhere.
    int (*to)(int q, int count);
    void (*take)(FrmTm *tm, int to);
};

void press(FrmTm *tm, int button) {
    ft::click(tm->CmdGN(button), 150, 150);
}

const Road kRoads[] = {
    {"下一题", [](int q, int count) { return q < count ? q + 1 : 0; },
     [](FrmTm *tm, int) { press(tm, panel::Next); }},
    {"上一题", [](int q, int) { return q - 1; },
     [](FrmTm *tm, int) { press(tm, panel::Previous); }},
    {"the list", [](int q, int) { return q == 1 ? 2 : 1; },
     [](FrmTm *tm, int to) {
         press(tm, panel::List);
         ft::click(tm->CmTNO(to), 150, 150);
     }},
    {"重做本题", [](int q, int) { return q; }, [](FrmTm *tm, int) { press(tm, panel::Redo); }},
};

class QuestionRoads : public WholeSampleFixture {
protected:
    FrmTm *tm() { return forms::loadedForm<FrmTm>(); }
    FrmMain *screen() { return forms::loadedForm<FrmMain>(); }

    // The unit's set as the home page hands it over, at the question with
    // this text: the panel's timer loads the question, both windows show.
    // Returns the question's number.
    int openUnitAt(int unit, const QString &text) {
        startOn(unit);
        auto &s = S();
        s.UserDataFolder = dir().ksdata();
        s.PaperMode = startup::UnitAll;
        s.PaperIndex = unit;
        s.QuestionStatus.fill(0);
        s.CurQuestion = questionNumber(text);
        FrmTm *panel = forms::form<FrmTm>();
        panel->TimerREDO->setEnabled(true);
        panel->TimKsModel->setEnabled(true);
        panel->show();
        forms::form<FrmMain>()->show();
        ft::advance(500);
        return s.CurQuestion;
    }
    // The text of the current set's question n.
    QString textOf(int n) const { return questionTexts().value(n - 1); }
};

} // namespace

TEST_F(QuestionRoads, NoMenuOrPanelOutlivesItsQuestion) {
    for (const Opening &o : openings()) {
        for (const Road &road : kRoads) {
            SCOPED_TRACE(std::string(o.what) + ", then " + road.what);
            const int q = openUnitAt(o.unit, o.question);
            ASSERT_GT(q, 0);
            ASSERT_TRUE(tm() && screen());
            ASSERT_EQ(step(), 1);
            const int to = road.to(q, S().QuestionCount);
            if (to < 1) {
                // 上一题 on the first question and 下一题 on the last are off.
                ft::unloadAll();
                continue;
            }

            o.open(screen());
            ASSERT_EQ(shownPanels(screen()), o.shows) << "opened";
            ASSERT_EQ(S().CurQuestion, q) << "the opening answers nothing";

            road.take(tm(), to);
            ft::advance(100); // the screen builds the question's step
            ASSERT_EQ(S().CurQuestion, to);
            ASSERT_EQ(step(), 1);
            EXPECT_EQ(shownPanels(screen()), 0u);

            const Gestures first = firstStepOf(o.unit, textOf(to));
            ASSERT_TRUE(first) << textOf(to).toStdString();
            first(screen());
            EXPECT_EQ(step(), 2) << "the first target of " << textOf(to).toStdString();
            ft::unloadAll();
        }
    }
}

// The entry clicked before the road named a start-menu panel; the start
// menu opened again in the question the road leads to is that question's
// own, and closes as any does when the pointer travels on over the screen.
TEST_F(QuestionRoads, AStartMenuOpenedAfterTheRoadClosesWhenThePointerMovesOn) {
    for (const Road &road : kRoads) {
        SCOPED_TRACE(road.what);
        const int q = openUnitAt(sample::kShellJudgingUnit, shellQuestion(4));
        ASSERT_GT(q, 1);
        clickInTurn({screen()->StartMenu, screen()->LblZHU(84), screen()->Lbl1J(10)});
        const int to = road.to(q, S().QuestionCount);
        road.take(tm(), to);
        ft::advance(100);
        ASSERT_EQ(S().CurQuestion, to);

        FrmMain *f = screen();
        clickAt(f->StartMenu);
        ASSERT_TRUE(f->PicStart->isShown());
        // Over the bare window right of the menu, then far on.
        ft::move(f, 14000, 300);
        ft::move(f, 14000, 5000);
        EXPECT_FALSE(f->PicStart->isShown());
        ft::unloadAll();
    }
}
