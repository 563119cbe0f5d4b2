#pragma once
// The home window: the 800 x 600 borderless page from which the candidate
// chooses what to practise and to which every exercise returns. Each load
// rebuilds the cover page and the five tab panels from the question bank
// and the candidate's records (FengMainCsh); one click handler serves all
// 100 buttons through the ordered rows of home_buttons.h; the return timer
// reopens the tab an exercise came from. What the page reads from its
// files is decided in home_files.h, the button places in home_buttons.h.
#include "forms/forms.h"
#include "home/home_buttons.h"
#include "startup/kvtn_button.h"

class FrmFengmian : public forms::Form {
public:
    FrmFengmian();

    // ----- the cover page and the window's frame
    forms::Image *picShouYe; // the cover picture; a press drags the window
    forms::ControlArray<kvtnButton> ClickBotn{this, QStringLiteral("ClickBotn")};
    // 0..3 the bottom information line, 17..21 the cover's link areas.
    forms::ControlArray<forms::Label> LblInfo{this, QStringLiteral("LblInfo")};

    // ----- the top bar and the five tab panels stacked over the cover
    forms::PictureBox *PicTOP;
    forms::Label *lblMove; // drag strip of the top bar
    forms::Label *LblCaption;
    forms::PictureBox *PicTiKu;    // units
    forms::PictureBox *PicKaCH;    // papers
    forms::PictureBox *PicBiaoZhi; // favourites
    forms::PictureBox *PicCuoTi;   // wrong questions
    forms::PictureBox *PicHelp;    // help pages

    // ----- the advertisement strip, in front of the panels
    forms::PictureBox *PicAd;
    forms::Label *LblAD;
    QString AdLink; // line 3 of the banner file as read

    // ----- the units column (the help column copies its place and picture)
    forms::Image *PicUnitLeft;

    // ----- the help tab
    forms::Image *PicHelpLeft;
    forms::Label *LlbHelpCAP;
    forms::WebView *WebHelpCON;

    // ----- counts the tabs' sections read
    int RandomPaperCount = 0;

    // The one-shot return timer: clicks HomeReturnButton once.
    forms::Timer *TimFH;

    void Form_Load();
    void FengMainCsh();
    // Re-entrant: the page build, the return timer and the tabs call it
    // for a button; a nested call runs a whole dispatch of its own.
    void ClickBotn_Click(int Index);
    void LblAD_Click();
    void LblInfo_Click(int Index);
    void lblMove_MouseDown(int Button, int Shift, double X, double Y);
    void picShouYe_MouseDown(int Button, int Shift, double X, double Y);
    void TimFH_Timer();

    // The exercise start. InitShiTi writes the exercise pair of slot nBTTS
    // from a list of question codes through the shared exercise builder;
    // it refuses, with a message and before any file is written, a list
    // with a code whose unit the bank does not have (false). startLianXi
    // opens the prepared set and hands over to the question panel and the
    // simulated screen, or to the candidate login for a timed paper; the
    // home form is unloaded (its object lives until the handler ends).
    bool InitShiTi(const QString &btShuJu, int nBTTS);
    void startLianXi();

    // The tab panels in the order of the tab buttons 16..19, then help.
    std::array<forms::PictureBox *, 5> panels() const;
    // The panel a holder names (null for the window and the top bar).
    forms::PictureBox *panelOf(home::Holder h) const;

private:
    void createButtons(home::Holder holder, forms::Container *in);
    void readBanner(forms::Trap &trap);
    void layoutSection(forms::Trap &trap);
    void unitsSection(forms::Trap &trap);
    void papersSection(forms::Trap &trap);
    void helpSection(forms::Trap &trap);
    // What the rows of the click handler do.
    void exitAfterConfirmation();
    void showCover();
    void openListTab(forms::PictureBox *panel, int topBarButton);
    void openHelpTab();
    void showHelpPage(int index);
    // The starts the tabs offer until their own sections come: the whole
    // of a unit (the units tab's start button) and a paper of the papers
    // tab's rows.
    void startWholeUnit(int unit);
    void startPaper(int index);
    forms::Picture cursor_;
};
