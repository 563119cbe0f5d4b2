#pragma once
// The score sheet of a handed-in paper: grades it while it loads (the
// records are written then, once), shows the score line and a grid of the
// 40 questions, right or wrong, and the text of a question on request, and
// leads on to a practice of the whole paper, a practice of its wrong
// answers, or back to the papers tab of the home page.
#include "forms/forms.h"
#include "panel/grading.h"
#include "startup/kvtn_button.h"

class FrmChengji : public forms::Form {
public:
    FrmChengji();

    forms::PictureBox *Picture1;
    kvtnButton *Command1; // practise the whole paper
    kvtnButton *Command2; // back to the home page
    kvtnButton *Command3; // practise the wrong answers
    forms::Label *Label1; // the score line
    forms::Frame *Frame1;
    forms::ControlArray<kvtnButton> CmTNO{this, QStringLiteral("CmTNO")};
    forms::Label *LblTiMuYQ;
    forms::Timer *Timer1;

    std::array<QString, panel::kPaperQuestions> QuestionTexts;
    panel::GradeResult Result;

    void Form_Load();
    void CmTNO_Click(int Index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Timer1_Timer();
    // Builds the practice of the paper's wrong answers and starts it.
    void InitShiTi();
};
