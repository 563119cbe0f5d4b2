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
#include "home/home_tabs.h"
#include "panel/record_files.h"
#include "startup/kvtn_button.h"

#include <optional>

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

    // ----- the units tab (the help column copies its column's place and picture)
    forms::Image *PicUnitLeft;
    forms::Image *ImgUnitGezi; // chart background
    forms::Image *imgPicIII;
    forms::Image *ImgUnitD; // learned bar
    forms::Image *ImgUnitC; // not-learned bar
    // 0 heading, 1 caption of the selection, 2 total, 3 learned, 4 not learned.
    forms::ControlArray<forms::Label> LblUnitDQCAP{this, QStringLiteral("LblUnitDQCAP")};
    int SelectedUnit = -1; // -1: the all-units button
    int ChapterFilter = 0; // 0 all, 1 learned, 2 not learned

    // ----- the papers tab: row i is paper slot i
    forms::Image *PicKaCHLeft;
    forms::Image *ImgSuiJi; // the new-random-paper page
    forms::Label *LblNoHis;
    forms::ControlArray<forms::Image> ImgShiJuan{this, QStringLiteral("ImgShiJuan")};
    forms::ControlArray<forms::Label> LblShiJuanBiao{this, QStringLiteral("LblShiJuanBiao")};
    forms::ControlArray<forms::Label> LblShiJuanTime{this, QStringLiteral("LblShiJuanTime")};
    forms::ControlArray<forms::Label> LblShiJuanSSSS{this, QStringLiteral("LblShiJuanSSSS")};
    forms::ControlArray<forms::Label> LblShiJuanScore{this, QStringLiteral("LblShiJuanScore")};
    forms::ControlArray<forms::Label> LblShiJuanCCC{this, QStringLiteral("LblShiJuanCCC")};
    forms::ControlArray<forms::Label> LblShiJuanCuoTi{this, QStringLiteral("LblShiJuanCuoTi")};
    forms::ControlArray<forms::Label> LblShiJuanDel{this, QStringLiteral("LblShiJuanDel")};
    int LastSprintRow = 7;
    panel::PaperHistoryTable PaperHistoryLines;
    // The random draw's source; the program seeds it from the clock.
    home::RandomSource randomSource;

    // ----- the favourites and the wrong-question book
    forms::Image *ImgBiaoZhiBack;
    forms::Label *LblBiaoZhiWei; // not yet reviewed
    forms::Label *LblBiaoZhiYI;  // reviewed
    forms::Image *ImgCuoTiBack;
    forms::Label *LblCuoTiWei;
    forms::Label *LblCuoTiYI;
    int FavouritesFilter = 0; // bit 1 not reviewed, bit 2 reviewed
    int WrongBookFilter = 0;

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
    // The links under a paper row: its last attempt's wrong answers as a
    // practice set, and the deletion of a random paper.
    void LblShiJuanCCC_Click(int Index);
    void LblShiJuanDel_Click(int Index);

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
    // Both take the bank index as the page build read it (nullopt: unreadable).
    void layoutSection(forms::Trap &trap, const std::optional<QStringList> &index);
    void unitsSection(forms::Trap &trap, const std::optional<QStringList> &index);
    void papersSection(forms::Trap &trap);
    void reviewSection(forms::Trap &trap, bool wrongBook);
    void helpSection(forms::Trap &trap);
    // What the rows of the click handler do.
    void exitAfterConfirmation();
    void showCover();
    void openListTab(forms::PictureBox *panel, int topBarButton);
    void openHelpTab();
    void showHelpPage(int index);
    // The units tab.
    void layoutUnits(forms::Trap &trap);
    void openUnitsTab();
    void selectUnit(int index);
    void showUnitPage(int page);
    void chooseChapterFilter(int index);
    void startUnitPractice();
    // The papers tab.
    void layoutPaperRow(forms::Trap &trap, int row);
    void openPapersTab();
    void showPaperPage(int index);
    void startPaper(int index);
    void drawRandomPaper();
    // The favourites tab and the wrong-question tab.
    struct ReviewPanel {
        const home::ReviewTab *tab;
        forms::PictureBox *panel;
        forms::Label *unreviewed, *reviewed;
        int *filter;
    };
    ReviewPanel reviewPanel(bool wrongBook);
    // The two counts as the flag file on disk has them.
    void showReviewCounts(const ReviewPanel &r);
    void clickReviewBox(bool wrongBook, int index);
    void practiseReview(bool wrongBook);
    void clearReview(bool wrongBook);
    // The home page's message box: true when the candidate confirmed.
    bool messageBox(const QString &title, bool question, const QString &prompt);
    void setButtonPicture(int index, const QString &name);
    forms::Picture cursor_;
};
