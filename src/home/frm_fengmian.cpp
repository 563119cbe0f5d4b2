#include "home/frm_fengmian.h"

#include "home/home_files.h"
#include "panel/exercise_builder.h"
#include "panel/frm_logon.h"
#include "panel/frm_tm.h"
#include "panel/record_files.h"
#include "platform/system.h"
#include "platform/text.h"
#include "simulator/frm_main.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/program_end.h"
#include "startup/run_state.h"
#include "startup/services.h"
#include "update/openers.h"

using startup::state;

namespace {

// The window's title on the taskbar.
const QString kWindowCaption = QStringLiteral("职称计算机考试练习系统");
// The help title's blue (red 12, green 127, blue 233).
constexpr forms::Color kHelpTitleColour = 0xE97F0C;

QString bankPicture(const QString &name) {
    return home::pathOf(state(), home::files::picture(name));
}

// Line n (1-based) of a file that must be there: error 53 when it cannot
// be read, the empty text past its end.
QString requiredLine(const home::FileName &f, int n) {
    const auto lines = home::readFileLines(state(), f);
    if (!lines) forms::raise(forms::errFileNotFound);
    return lines->value(n - 1);
}

forms::PictureBox *makePanel(forms::Form *form, const QString &name) {
    auto *p = form->add<forms::PictureBox>(name);
    p->setBorderStyle(0);
    p->setVisible(false);
    return p;
}

} // namespace

FrmFengmian::FrmFengmian() : forms::Form(QStringLiteral("FrmFengmian")) {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::rgb(0xe8, 0xf0, 0xfa));
    setWidth(12000);
    setHeight(9000);

    // Windowless controls on the form lie beneath every windowed one, so
    // the cover picture and the information labels stay behind the cover
    // buttons, and the panels cover all of them.
    picShouYe = add<forms::Image>(QStringLiteral("picShouYe"));
    for (int i : {0, 1, 2, 3, 17, 18, 19, 20, 21}) {
        auto *l = LblInfo.load(i);
        l->setBackStyle(forms::vbTransparent);
        l->setAutoSize(i <= 3);
    }

    // Windowed controls stack in the order they are made: the cover's
    // buttons first, then the top bar and the panels over them, each with
    // its own buttons, and the banner strip in front of everything.
    createButtons(home::Holder::Window, this);

    PicTOP = makePanel(this, QStringLiteral("PicTOP"));
    PicTOP->move(0, 0, 12000, 1650);
    lblMove = PicTOP->add<forms::Label>(QStringLiteral("lblMove"));
    lblMove->setBackStyle(forms::vbTransparent);
    LblCaption = PicTOP->add<forms::Label>(QStringLiteral("LblCaption"));
    LblCaption->setBackStyle(forms::vbTransparent);
    LblCaption->setAutoSize(true);
    LblCaption->setForeColor(forms::rgb(255, 255, 255));

    PicTiKu = makePanel(this, QStringLiteral("PicTiKu"));
    PicKaCH = makePanel(this, QStringLiteral("PicKaCH"));
    PicBiaoZhi = makePanel(this, QStringLiteral("PicBiaoZhi"));
    PicCuoTi = makePanel(this, QStringLiteral("PicCuoTi"));
    PicHelp = makePanel(this, QStringLiteral("PicHelp"));
    for (forms::PictureBox *p : panels()) p->move(0, 1650, 12000, 6900);

    PicUnitLeft = PicTiKu->add<forms::Image>(QStringLiteral("PicUnitLeft"));
    PicUnitLeft->move(0, 0, 2715, 6870);
    PicHelpLeft = PicHelp->add<forms::Image>(QStringLiteral("PicHelpLeft"));
    PicHelpLeft->move(0, 0, 2715, 6870);
    LlbHelpCAP = PicHelp->add<forms::Label>(QStringLiteral("LlbHelpCAP"));
    LlbHelpCAP->setBackStyle(forms::vbTransparent);
    LlbHelpCAP->setAutoSize(true);
    LlbHelpCAP->setFontName(QStringLiteral("宋体"));
    LlbHelpCAP->setFontBold(true);
    LlbHelpCAP->setForeColor(kHelpTitleColour);
    WebHelpCON = PicHelp->add<forms::WebView>(QStringLiteral("WebHelpCON"));

    createButtons(home::Holder::TopBar, PicTOP);
    for (home::Holder h : {home::Holder::Units, home::Holder::Papers, home::Holder::Favourites,
                           home::Holder::Wrong, home::Holder::Help})
        createButtons(h, panelOf(h));
    // The new-random-paper button shows with its page's picture only.
    ClickBotn(21)->setVisible(false);

    PicAd = makePanel(this, QStringLiteral("PicAd"));
    PicAd->setBackColor(forms::rgb(255, 255, 255));
    LblAD = PicAd->add<forms::Label>(QStringLiteral("LblAD"));
    LblAD->setBackStyle(forms::vbTransparent);
    LblAD->setAutoSize(true);

    TimFH = new forms::Timer(this, QStringLiteral("TimFH"));
    TimFH->setInterval(100);

    onLoad = [this] { Form_Load(); };
    ClickBotn.onClick = [this](int i) { ClickBotn_Click(i); };
    LblInfo.onClick = [this](int i) { LblInfo_Click(i); };
    LblAD->onClick = [this] { LblAD_Click(); };
    lblMove->onMouseDown = [this](int b, int s, double x, double y) {
        lblMove_MouseDown(b, s, x, y);
    };
    picShouYe->onMouseDown = [this](int b, int s, double x, double y) {
        picShouYe_MouseDown(b, s, x, y);
    };
    TimFH->onTimer = [this] { TimFH_Timer(); };
}

void FrmFengmian::createButtons(home::Holder holder, forms::Container *in) {
    const home::HomeLayout placed = home::homeLayout(QStringLiteral("2"));
    for (int i = 0; i < home::kHomeButtons; ++i) {
        if (home::holderOf(i) != holder) continue;
        kvtnButton *b = ClickBotn.load(i, in);
        // The tabs' own sections place and show these rows; until a
        // section has placed a button it stays out of sight.
        if (!placed.buttons[i].place && holder != home::Holder::Window &&
            holder != home::Holder::Help)
            b->setVisible(false);
    }
}

std::array<forms::PictureBox *, 5> FrmFengmian::panels() const {
    return {PicTiKu, PicKaCH, PicBiaoZhi, PicCuoTi, PicHelp};
}

forms::PictureBox *FrmFengmian::panelOf(home::Holder h) const {
    switch (h) {
    case home::Holder::Units:
        return PicTiKu;
    case home::Holder::Papers:
        return PicKaCH;
    case home::Holder::Favourites:
        return PicBiaoZhi;
    case home::Holder::Wrong:
        return PicCuoTi;
    case home::Holder::Help:
        return PicHelp;
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------- load

void FrmFengmian::Form_Load() {
    forms::Trap trap(QStringLiteral("fmload"), startup::reportingHandler());
    startup::RunState &s = state();
    trap([&] { s.ScaleX = forms::Screen::twipsPerPixelX() / 15; });
    trap([&] { s.ScaleY = forms::Screen::twipsPerPixelY() / 15; });
    trap([&] { setWidth(12000 * s.ScaleX); });
    trap([&] { setHeight(9000 * s.ScaleY); });
    trap([&] { setIcon(forms::loadPicture(bankPicture(QStringLiteral("l62011")))); });
    trap([&] { setPicture(forms::loadPicture(bankPicture(QStringLiteral("l20060")))); });
    trap([&] { picShouYe->move(0, 0); });
    trap([&] { picShouYe->loadPicture(bankPicture(QStringLiteral("l20051"))); });
    trap([&] { PicTOP->move(0, 0, 12000 * s.ScaleX, 1650 * s.ScaleY); });
    trap([&] { PicTOP->loadPicture(bankPicture(QStringLiteral("l20052"))); });
    PicTOP->setVisible(false);
    trap([&] { lblMove->move(0, 0, 10455 * s.ScaleX, 675 * s.ScaleY); });
    trap([&] { PicTiKu->move(0, 1650 * s.ScaleY, 12000 * s.ScaleX, 6900 * s.ScaleY); });
    trap([&] { PicTiKu->loadPicture(bankPicture(QStringLiteral("l20053"))); });
    for (forms::PictureBox *p : panels()) {
        if (p != PicTiKu) {
            trap([&] {
                p->move(PicTiKu->left(), PicTiKu->top(), PicTiKu->width(), PicTiKu->height());
            });
            trap([&] { p->setPicture(PicTiKu->picture()); });
        }
        p->setVisible(false);
    }
    readBanner(trap);
    // Centred on the screen when first shown.
    trap([&] {
        move((forms::Screen::width() - width()) / 2, (forms::Screen::height() - height()) / 2);
    });
    FengMainCsh();
}

void FrmFengmian::readBanner(forms::Trap &trap) {
    startup::RunState &s = state();
    // A fresh installation has no banner until the first update check:
    // nothing to report, the strip is simply empty.
    const home::Banner banner = home::readBanner(home::optionalLines(s, home::files::adBanner()));
    AdLink = banner.link;
    trap([&] { PicAd->move(3000 * s.ScaleX, 8100 * s.ScaleY); });
    trap([&] { LblAD->move(0, 0); });
    trap([&] {
        cursor_ = forms::loadPicture(bankPicture(QStringLiteral("9l0015")));
        LblAD->setMouseIcon(cursor_);
        LblAD->setMousePointer(forms::vbCustom);
    });
    trap([&] { LblAD->setFontSize(10 * s.ScaleX); });
    LblAD->setCaption(banner.caption);
    trap([&] {
        if (!banner.colour) forms::raise(forms::errInvalidCall);
        LblAD->setForeColor(*banner.colour);
    });
    trap([&] { PicAd->move(PicAd->left(), PicAd->top(), LblAD->width(), LblAD->height()); });
    PicAd->setVisible(false);
}

// ---------------------------------------------------------------- page build

void FrmFengmian::FengMainCsh() {
    forms::Trap trap(QStringLiteral("fengmaincsh"), startup::reportingHandler());
    startup::RunState &s = state();

    QString versionLine;
    trap([&] { versionLine = requiredLine(home::files::bankVersion(), 1); });
    s.BankVersion = platform::trimBlanks(versionLine);

    // A bank of another module ends the run at once, silently.
    QString moduleLine;
    trap([&] { moduleLine = requiredLine(home::files::moduleNumber(), 1); });
    if (!home::moduleMatches(moduleLine, s.ModuleNumber)) {
        startup::endProgram();
        return;
    }

    const auto contacts = home::contactCaptions(s.InfoTable);
    for (int i = 1; i <= 3; ++i) trap([&] { LblInfo(i)->setCaption(contacts[i - 1]); });

    // The options file appears once the candidate answers the input-method
    // notice; until then the option is off.
    s.UseInputMethod =
        home::inputMethodOption(home::optionalLines(s, home::files::options()).value(0));

    trap([&] { setCaption(kWindowCaption); });
    trap([&] { LblCaption->move(240 * s.ScaleX, 120 * s.ScaleY); });
    trap([&] { LblCaption->setFontSize(10 * s.ScaleX); });
    trap([&] { LblInfo(0)->setCaption(home::versionCaption(versionLine)); });
    trap([&] { LblCaption->setCaption(s.ModuleName); });

    trap([&] {
        if (cursor_.isNull()) cursor_ = forms::loadPicture(bankPicture(QStringLiteral("9l0015")));
    });
    for (const auto &[i, button] : ClickBotn) {
        button->setMouseIcon(cursor_);
        button->setMousePointer(forms::vbCustom);
    }
    for (int i : {0, 1, 3, 17, 18, 19, 20, 21}) {
        LblInfo(i)->setMouseIcon(cursor_);
        LblInfo(i)->setMousePointer(forms::vbCustom);
    }
    ClickBotn(0)->setVisible(false);
    ClickBotn(1)->setVisible(false);
    ClickBotn(8)->setVisible(true);

    const home::InfoLine info = home::infoLine(s.InfoTable);
    for (int i = 0; i <= 3; ++i) {
        forms::Label *l = LblInfo(i);
        trap([&] { l->setTop(8670 * s.ScaleY); });
        trap([&] { l->setFontSize(9 * s.ScaleX); });
        trap([&] {
            if (!info.colour) forms::raise(forms::errInvalidCall);
            l->setForeColor(*info.colour);
        });
        trap([&] { l->setLeft(info.lefts[i] * s.ScaleX); });
    }

    layoutSection(trap);
    unitsSection(trap);
    papersSection(trap);
    helpSection(trap);
}

void FrmFengmian::layoutSection(forms::Trap &trap) {
    startup::RunState &s = state();
    QString first;
    trap([&] { first = requiredLine(home::files::bankIndex(), 1); });
    const home::BankCounts counts = home::bankCounts(first);
    s.PaperCount = counts.papers;
    s.UnitCount = counts.units;
    RandomPaperCount = home::randomPaperCount(home::optionalLines(s, home::files::randomPapers()));

    for (int i = 0; i <= 48; ++i)
        if (ClickBotn.exists(i))
            trap([&] {
                ClickBotn(i)->setPicture(forms::loadPicture(bankPicture(home::pictureOf(i))));
            });

    const home::HomeLayout layout = home::homeLayout(s.InfoTable[34], width() / s.ScaleX);
    for (const auto &[i, button] : ClickBotn) {
        const home::ButtonLayout &b = layout.buttons[i];
        // Clang 14 cannot capture a structured binding: the lambda takes a
        // plain pointer.
        auto *const placed = button;
        if (b.place)
            trap([&] {
                placed->move(b.place->left * s.ScaleX, b.place->top * s.ScaleY,
                             b.place->width * s.ScaleX, b.place->height * s.ScaleY);
            });
        if (b.hidden) button->setVisible(false);
    }
    for (int i = 17; i <= 21; ++i) {
        forms::Label *l = LblInfo(i);
        if (layout.linksShown) {
            const home::Place &p = layout.links[i - 17];
            l->move(p.left * s.ScaleX, p.top * s.ScaleY, p.width * s.ScaleX, p.height * s.ScaleY);
            l->setCaption(QString());
        }
        l->setVisible(layout.linksShown);
    }
}

void FrmFengmian::unitsSection(forms::Trap &trap) {
    startup::RunState &s = state();
    std::optional<QStringList> index;
    trap([&] {
        index = home::readFileLines(s, home::files::bankIndex());
        if (!index) forms::raise(forms::errFileNotFound);
    });
    const auto counts = home::unitQuestionCounts(index ? index->value(1) : QString());
    const panel::RecordFiles records(s.UserDataFolder);
    bool readable = true;
    const QStringList progress =
        home::normalisedProgress(records.readUnitProgress(&readable), counts);
    // Without a readable bank index every count is 0, and an unreadable
    // progress file is held back: writing either back would wipe the
    // candidate's progress, so the file is left alone.
    if (index && readable)
        trap([&] {
            if (!records.writeUnitProgress(progress, home::kProgressLines))
                forms::raise(forms::errFileAccess);
        });
    for (int u = 0; u < home::unitRows(s.UnitCount); ++u) {
        const QString line = platform::trimBlanks(progress.value(u));
        s.UnitTable[u][2] = QString::number(line.size());
        s.UnitTable[u][3] = QString::number(line.count(QLatin1Char('F')));
        s.UnitTable[u][4] = line;
    }
    trap([&] { PicUnitLeft->setLeft(0); });
    trap([&] { PicUnitLeft->setTop(PicTiKu->height() - PicUnitLeft->height() - 30 * s.ScaleY); });
    trap([&] { PicUnitLeft->loadPicture(bankPicture(QStringLiteral("l20054"))); });
}

void FrmFengmian::papersSection(forms::Trap &trap) {
    const startup::RunState &s = state();
    // The first sprint paper's start button, in its row's place, until the
    // papers tab lays out all its rows.
    kvtnButton *first = ClickBotn(70);
    trap([&] { first->move(5880 * s.ScaleX, 750 * s.ScaleY, 1275 * s.ScaleX, 450 * s.ScaleY); });
    trap([&] { first->setPicture(forms::loadPicture(bankPicture(QStringLiteral("l20047")))); });
    first->setVisible(home::paperRows(s.PaperCount) > 0);
}

void FrmFengmian::helpSection(forms::Trap &trap) {
    const startup::RunState &s = state();
    trap([&] { PicHelpLeft->move(PicUnitLeft->left(), PicUnitLeft->top()); });
    trap([&] { PicHelpLeft->setPicture(PicUnitLeft->picture()); });
    for (int i = 32; i <= 36; ++i)
        trap([&] {
            ClickBotn(i)->move(15 * s.ScaleX, (15 + 750 * (i - 32)) * s.ScaleY, 2700 * s.ScaleX,
                               750 * s.ScaleY);
        });
    trap([&] {
        WebHelpCON->move(2880 * s.ScaleX, 870 * s.ScaleY, 9090 * s.ScaleX, 5880 * s.ScaleY);
    });
    LlbHelpCAP->setCaption(QString());
    LlbHelpCAP->setAlignment(forms::vbCenter);
    trap([&] { LlbHelpCAP->move(6960 * s.ScaleX, 240 * s.ScaleY); });
    trap([&] { LlbHelpCAP->setFontSize(20 * s.ScaleX); });
    ClickBotn_Click(32);
}

// ---------------------------------------------------------------- clicks

void FrmFengmian::ClickBotn_Click(int Index) {
    forms::Trap trap(QStringLiteral("clickbotn"), startup::reportingHandler());
    startup::RunState &s = state();
    const int index = Index;
    switch (home::actionOf(index)) {
    case home::HomeAction::Minimise:
        trap([&] { setWindowState(forms::vbMinimized); });
        break;
    case home::HomeAction::Exit:
        exitAfterConfirmation();
        break;
    case home::HomeAction::UnitsTab:
        openListTab(PicTiKu, 16);
        break;
    case home::HomeAction::PapersTab:
        openListTab(PicKaCH, 17);
        break;
    case home::HomeAction::FavouritesTab:
        openListTab(PicBiaoZhi, 18);
        break;
    case home::HomeAction::WrongTab:
        openListTab(PicCuoTi, 19);
        break;
    case home::HomeAction::Update:
        trap([&] { update::openUpdateWindow(); });
        break;
    case home::HomeAction::HelpTab:
        openHelpTab();
        break;
    case home::HomeAction::WebSite:
        trap([&] { platform::shell().open(s.InfoTable[2]); });
        break;
    case home::HomeAction::Cover:
        showCover();
        break;
    case home::HomeAction::HelpPage:
        trap([&] { showHelpPage(index); });
        break;
    case home::HomeAction::UnitStart:
        startWholeUnit(0);
        break;
    case home::HomeAction::PaperRow:
        startPaper(index);
        break;
    default:
        break;
    }
}

void FrmFengmian::exitAfterConfirmation() {
    startup::RunState &s = state();
    s.MsgBoxResult = 0;
    auto *box = forms::form<FrmQHMSGBOX>();
    box->LblTitle->setCaption(QStringLiteral("退出系统"));
    forms::skip([&] { box->Image1->loadPicture(bankPicture(QStringLiteral("l20071"))); });
    box->LblPrompt->setCaption(QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"));
    box->show(forms::vbModal);
    if (s.MsgBoxResult == 1) startup::endProgram();
}

void FrmFengmian::showCover() {
    PicTOP->setVisible(false);
    for (forms::PictureBox *p : panels()) p->setVisible(false);
    for (int i = 15; i <= 19; ++i) ClickBotn(i)->setEnabled(true);
    PicAd->setVisible(false);
}

void FrmFengmian::openListTab(forms::PictureBox *panel, int topBarButton) {
    PicTOP->setVisible(true);
    panel->setVisible(true);
    for (forms::PictureBox *p : panels())
        if (p != panel) p->setVisible(false);
    for (int i = 15; i <= 19; ++i) ClickBotn(i)->setEnabled(true);
    ClickBotn(topBarButton)->setEnabled(false);
    PicAd->setVisible(true);
}

void FrmFengmian::openHelpTab() {
    PicTOP->setVisible(true);
    for (forms::PictureBox *p : {PicTiKu, PicKaCH, PicBiaoZhi, PicCuoTi}) p->setVisible(false);
    PicHelp->setVisible(true);
    PicAd->setVisible(true);
}

void FrmFengmian::showHelpPage(int index) {
    const int page = index - 32;
    for (int i = 32; i <= 36; ++i) ClickBotn(i)->setEnabled(true);
    const QString path = home::pathOf(state(), home::files::helpPage(page));
    LlbHelpCAP->setCaption(home::helpTitle(page));
    ClickBotn(index)->setEnabled(false);
    WebHelpCON->navigate(path);
}

void FrmFengmian::LblAD_Click() {
    // The banner file comes over plain HTTP: only a web address is opened,
    // never a program or a file it might name.
    if (home::isWebAddress(AdLink)) platform::shell().open(platform::trimBlanks(AdLink));
}

void FrmFengmian::LblInfo_Click(int Index) {
    forms::Trap trap(QStringLiteral("lblinfo"), startup::reportingHandler());
    const home::InfoLink link = home::infoLinkOf(Index);
    if (link.click == home::InfoClick::About) trap([&] { update::openAboutBox(); });
    if (link.click == home::InfoClick::Open)
        trap([&] { platform::shell().open(home::infoTarget(Index, state().InfoTable)); });
}

void FrmFengmian::lblMove_MouseDown(int Button, int, double, double) {
    if (Button == forms::vbLeftButton) dragWindow();
}

void FrmFengmian::picShouYe_MouseDown(int Button, int, double, double) {
    if (Button == forms::vbLeftButton) dragWindow();
}

void FrmFengmian::TimFH_Timer() {
    ClickBotn_Click(state().HomeReturnButton);
    TimFH->setEnabled(false);
}

// ---------------------------------------------------------------- exercise start

void FrmFengmian::startWholeUnit(int unit) {
    startup::RunState &s = state();
    if (unit >= home::unitRows(s.UnitCount)) return;
    // The unit's own pair: nothing is copied.
    const QString progress = s.UnitTable[unit][4];
    s.StudyMode = startup::Practice;
    s.PaperMode = startup::UnitAll;
    s.PaperIndex = unit;
    s.PaperSlot = unit;
    s.QuestionCount = std::clamp(static_cast<int>(platform::val(s.UnitTable[unit][2])), 0,
                                 startup::kMaxQuestions);
    s.QuestionStatus.fill(0);
    for (int i = 1; i <= s.QuestionCount; ++i) {
        const bool done = i <= progress.size() && progress[i - 1] == QLatin1Char('T');
        s.QuestionCodes[i - 1] = unit * 100 + i;
        s.QuestionDone[i - 1] = done ? QStringLiteral("T") : QStringLiteral("F");
        s.QuestionStatus[i - 1] = done ? startup::StatusDone : 0;
    }
    // A unit without questions has nothing to practise.
    if (s.QuestionCount > 0) startLianXi();
}

void FrmFengmian::startPaper(int index) {
    forms::Trap trap(QStringLiteral("clickbotn"), startup::reportingHandler());
    startup::RunState &s = state();
    const int slot = index - 70;
    const bool fixed = slot < 20;
    // Only the rows the page has: a fixed paper the bank holds, a random
    // paper the candidate drew.
    if (fixed ? slot >= home::paperRows(s.PaperCount) : slot - 20 >= RandomPaperCount) return;
    s.PaperSlot = slot;
    s.PaperIndex = fixed ? slot : 11;
    s.PaperMode = fixed ? startup::MockPaper : startup::RandomPaper;
    const home::FileName file = fixed ? home::files::bankIndex() : home::files::randomPapers();
    const int lineNumber = fixed ? slot + 3 : slot - 19;
    QString list;
    trap([&] {
        const auto line = platform::readLineOrLast(home::pathOf(s, file), lineNumber);
        if (!line) forms::raise(forms::errFileNotFound);
        list = *line;
    });
    if (!InitShiTi(list, s.PaperIndex + s.PaperMode)) return;
    s.QuestionCount = 40;
    s.StudyMode = startup::Exam;
    s.CurQuestion = 1;
    for (int q = 0; q < 40; ++q) {
        s.QuestionDone[q] = QStringLiteral("F");
        s.QuestionStatus[q] = 0;
    }
    startLianXi();
}

bool FrmFengmian::InitShiTi(const QString &btShuJu, int nBTTS) {
    forms::Trap trap(QStringLiteral("initshiti"), startup::reportingHandler());
    startup::RunState &s = state();
    // Unit u's files are 2888(20 + u) and 2888(70 + u): a unit the bank
    // does not list would read other bank files, so such a list is refused
    // before anything is written.
    const int units = home::unitRows(s.UnitCount);
    int missingUnit = -1;
    const int count = panel::builderCodeCount(btShuJu);
    for (int i = 1; i <= count && missingUnit < 0; ++i) {
        const int code = static_cast<int>(platform::val(platform::mid1(btShuJu, 4 * i - 3, 4)));
        if (code < 0 || code / 100 >= units) missingUnit = code / 100;
    }
    panel::ExerciseBuild build;
    if (missingUnit < 0) {
        build = panel::buildExercise(btShuJu, s.DataPath);
        if (!build.skipped.empty()) missingUnit = build.skipped.front() / 100;
    }
    if (missingUnit >= 0) {
        s.MsgBoxResult = 0;
        auto *box = forms::form<FrmQHMSGBOX>();
        box->LblTitle->setCaption(QStringLiteral("无法开始练习"));
        forms::skip([&] { box->Image1->loadPicture(bankPicture(QStringLiteral("l20072"))); });
        box->LblPrompt->setCaption(
            QStringLiteral("\r\n\r\n题库中没有第%1单元的试题，无法开始练习。")
                .arg(missingUnit + 1));
        box->show(forms::vbModal);
        return false;
    }
    trap([&] {
        if (!panel::writeExercise(build, home::pathOf(s, home::files::exerciseSteps(nBTTS)),
                                  home::pathOf(s, home::files::exerciseQuestions(nBTTS))))
            forms::raise(forms::errFileAccess);
    });
    s.QuestionCount = std::min(static_cast<int>(build.codes.size()), startup::kMaxQuestions);
    for (int q = 0; q < s.QuestionCount; ++q) s.QuestionCodes[q] = build.codes[q];
    return true;
}

void FrmFengmian::startLianXi() {
    forms::Trap trap(QStringLiteral("startlianxi"), startup::reportingHandler());
    startup::RunState &s = state();
    s.TextFilePath = home::pathOf(s, home::files::answerTexts());
    startup::setExerciseFilePaths(s);
    s.CurQuestion = 1;
    s.CurStep = 1;
    s.MinutesLeft = 50;
    // The screens a question showed belong to the set that showed them.
    for (auto &pictures : s.QuestionPictures) pictures.fill(QString());

    QStringList list;
    trap([&] {
        const auto lines = platform::readLines(s.QuestionFilePath);
        if (!lines) forms::raise(forms::errFileNotFound);
        list = *lines;
    });
    const std::vector<int> first = panel::firstLinesOf(list);
    for (size_t i = 0; i < first.size() && i < size_t(startup::kMaxQuestions); ++i)
        s.QuestionFirstLine[i] = first[i];

    const panel::RecordFiles records(s.UserDataFolder);
    panel::applyFavouriteMarks(s, records.readOneLine(panel::recname::Favourites));

    // The forms layer defers the deletion: this handler runs on to its end.
    unload();
    if (s.PaperMode == startup::MockPaper || s.PaperMode == startup::RandomPaper) {
        s.MinutesLeft = 50;
        trap([&] { forms::form<FrmLogon>()->show(); });
        return;
    }
    trap([&] { forms::form<FrmTm>()->TimerREDO->setEnabled(true); });
    trap([&] { forms::form<FrmTm>()->TimKsModel->setEnabled(true); });
    trap([&] { forms::form<FrmTm>()->show(); });
    trap([&] { forms::form<FrmMain>()->show(); });
}
