// Every sample question answered on the shell is worked to its end with
// the mouse, as a candidate would: each step's gestures, then the success
// display of the last step. Every menu the gestures open, at the places the
// step shows the candidate, lies whole on the screen and clear of the
// question panel docked at its lower-right corner: an entry cut off or
// under the panel could not be chosen.
#include "panel/panel_rules.h"
#include "screen_fixture.h"

#include <functional>
#include <vector>

namespace {

class ShellJudgingSamples : public ShellJudgingFixture {};

using Gestures = std::function<void(FrmMain *)>;

// The open menus of every level lie whole on the screen and hold no entry
// under the docked panel.
void expectMenusClearOfThePanel(FrmMain *f) {
    const QRect panel(int(panel::kDockedPanelLeft / 15), int(panel::kDockedPanelTop / 15),
                      int(panel::kPanelWidth / 15), int(panel::kPanelHeight / 15));
    const QRect screen(QPoint(0, 0), f->rectPx().size());
    struct Level {
        forms::PictureBox *box;
        std::function<forms::Label *(int)> item;
        int count;
    };
    const Level levels[] = {{f->Pic1J, [f](int i) { return f->Lbl1J(i); }, 44},
                            {f->Pic2J, [f](int i) { return f->Lbl2J(i); }, 44},
                            {f->Pic3J, [f](int i) { return f->Lbl3J(i); }, 9}};
    for (const Level &level : levels) {
        if (!level.box->isShown()) continue;
        const QRect box(level.box->originInFormPx(), level.box->rectPx().size());
        EXPECT_TRUE(screen.contains(box))
            << level.box->name().toStdString() << " cut off at " << box.x() << ", " << box.y()
            << ", " << box.width() << " x " << box.height();
        for (int i = 1; i <= level.count; ++i) {
            forms::Label *item = level.item(i);
            const QRect r = QRect(item->originInFormPx(), item->rectPx().size()).intersected(box);
            if (r.isEmpty()) continue;
            EXPECT_FALSE(r.intersects(panel))
                << level.box->name().toStdString() << " entry " << i << " at " << r.x() << ", "
                << r.y() << " lies under the question panel";
        }
    }
}

// Chooses an entry of an open menu, once every open menu is seen clear of
// the panel.
void choose(forms::Control *entry) {
    expectMenusClearOfThePanel(forms::loadedForm<FrmMain>());
    clickAt(entry);
}

// A right click at a place of the form (twips), where the candidate is
// shown a blank spot.
void rightClickAt(FrmMain *f, QPointF at) {
    click(f, at.x(), at.y(), forms::vbRightButton);
}

// The gestures of one question, a step at a time, along the steps the
// text names first (a step that only another way leads to is passed by).
std::vector<Gestures> scriptOf(int question) {
    switch (question) {
    case 0: // the command bar "A"
        return {
            [](FrmMain *f) {
                clickAt(f->LblZHU(1));
                choose(f->Lbl1J(9));
            },
            [](FrmMain *f) {
                clickAt(f->LblZHU(1));
                choose(f->Lbl1J(7));
                choose(f->Lbl2J(1));
            },
            [](FrmMain *f) {
                clickAt(f->LblZHU(7));
                choose(f->Lbl1J(3));
            },
            [](FrmMain *f) { clickAt(f->LblZHU(3)); },
            [](FrmMain *f) {
                clickAt(f->LblZHU(1));
                choose(f->Lbl1J(9));
            },
        };
    case 1: // the menu bar "G"
        return {
            [](FrmMain *f) {
                clickAt(f->LblZHU(1));
                choose(f->Lbl1J(3));
                choose(f->Lbl2J(2));
            },
            [](FrmMain *f) {
                clickAt(f->LblZHU(3));
                choose(f->Lbl1J(4));
            },
        };
    case 2: // the tool strip and the task pane
        return {
            [](FrmMain *f) {
                clickAt(f->LblZHU(23));
                choose(f->Lbl1J(3));
            },
            [](FrmMain *f) { clickAt(f->LblZHU(26)); },
            [](FrmMain *f) { clickAt(f->LblZHU(15)); },
        };
    case 3: // the desktop
        return {
            [](FrmMain *f) { dblClickAt(f->LblZHU(63)); },
            [](FrmMain *f) { dblClickAt(f->LblZHU(96)); },
            [](FrmMain *f) {
                rightClickAt(f, QPointF(f->LHelp->left() + 300, f->LHelp->top() - 150));
                choose(f->Lbl1J(1));
                choose(f->Lbl2J(2));
            },
        };
    case 4: // the start menu
        return {
            [](FrmMain *f) {
                clickInTurn({f->StartMenu, f->LblZHU(84)});
                choose(f->Lbl1J(10));
                choose(f->Lbl2J(1));
                choose(f->Lbl3J(1));
            },
            [](FrmMain *f) {
                clickAt(f->StartMenu);
                clickAt(f->LblZHU(79));
            },
            [](FrmMain *f) {
                clickAt(f->StartMenu);
                clickAt(f->LblZHU(82));
                choose(f->Lbl1J(2));
            },
            [](FrmMain *f) {
                clickAt(f->StartMenu);
                clickAt(f->LblZHU(80));
                choose(f->Lbl1J(3));
            },
            [](FrmMain *f) {
                clickAt(f->StartMenu, forms::vbRightButton);
                choose(f->Lbl1J(2));
            },
        };
    case 5: // the Control Panel
        return {
            [](FrmMain *f) {
                moveTo(f->LblZHU(45));
                choose(f->Lbl1J(2));
            },
            [](FrmMain *f) {
                moveTo(f->LblZHU(53));
                choose(f->Lbl1J(3));
            },
        };
    case 6: // the Computer window
        return {
            [](FrmMain *f) {
                // Beside the hint, then on the spot the guided mode frames.
                rightClickAt(f, QPointF(f->LHelp->left() + 300, f->LHelp->top() - 150));
                expectMenusClearOfThePanel(f);
                clickAt(f->LblZHU(92), forms::vbRightButton);
                choose(f->Lbl1J(9));
            },
            [](FrmMain *f) {
                clickAt(f->LblZHU(95), forms::vbRightButton);
                choose(f->Lbl1J(4));
                choose(f->Lbl2J(1));
            },
        };
    case 7: // the tab strips, with a detour through the back button
        return {
            [](FrmMain *f) {
                clickAt(f->LblXXK(3));
                clickAt(f->Label1);
                clickAt(f->LblXXK(2));
                clickAt(f->Label1);
            },
            [](FrmMain *f) {
                clickAt(f->LblXXK(3));
                clickAt(f->LblXXK(0));
                ASSERT_EQ(startup::state().CurStep, 1);
                clickAt(f->LblXXK(2));
                clickAt(f->Label1);
                ASSERT_EQ(startup::state().CurStep, 2);
                clickAt(f->LblXXK(9));
                clickAt(f->Label1);
            },
        };
    }
    return {};
}

} // namespace

TEST_F(ShellJudgingSamples, EveryQuestionIsWorkedToItsEnd) {
    const QStringList texts = sample::shellJudgingQuestionTexts();
    for (int i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].toStdString());
        const int q = questionNumber(texts[i]);
        ASSERT_GT(q, 0);
        S().CurQuestion = q;
        S().CurStep = 1;
        start();
        FrmMain *f = frm();
        const std::vector<Gestures> script = scriptOf(i);
        ASSERT_FALSE(script.empty());
        int before = 0;
        for (size_t k = 0; k < script.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "gesture " << k + 1 << " on step " << step());
            // Each gesture moved the question on.
            ASSERT_GT(step(), before);
            before = step();
            // A gesture for each step before the last, none for the last.
            ASSERT_NE(f->rec().actionCode(), "9999");
            script[k](f);
        }
        EXPECT_EQ(f->rec().actionCode(), "9999");
        EXPECT_TRUE(f->LblSuccess->isShown());
        EXPECT_GE(S().QuestionStatus[size_t(q - 1)], startup::StatusDone);
        forms::testing::unloadAll();
    }
}
