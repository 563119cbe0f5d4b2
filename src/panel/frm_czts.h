#pragma once
// The answer warning of a timed paper: answers cannot be seen in the real
// examination; the score sheet's reviews show them after the paper. Its
// second button, confirmed, turns the rest of the paper into practice
// (its score then stays out of the history) and starts the demonstration.
#include "forms/forms.h"
#include "startup/kvtn_button.h"

class FrmCZTS : public forms::Form {
public:
    FrmCZTS();

    forms::Shape *Shape1;
    forms::Shape *Shape2;
    forms::Label *Label3;
    forms::Label *Label2;
    kvtnButton *Command1; // close
    kvtnButton *Command2; // see the answer now

    void Form_Load();
    // The close button, the background and both texts only close it.
    void Command1_Click();
    void Command2_Click();
};

namespace panel {
extern const QString kAnswerWarningText;
extern const QString kSeeAnswerPrompt;
} // namespace panel
