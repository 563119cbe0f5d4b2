#include "home/frm_fengmian.h"

#include "home/home_files.h"
#include "panel/exercise_builder.h"
#include "panel/frm_logon.h"
#include "panel/frm_tm.h"
#include "panel/options_file.h"
#include "panel/record_files.h"
#include "panel/record_message.h"
#include "platform/system.h"
#include "platform/text.h"
#include "simulator/frm_main.h"
#include "startup/frm_qhmsgbox.h"
#include "startup/program_end.h"
#include "startup/program_info.h"
#include "startup/run_state.h"
#include "startup/services.h"
#include "update/openers.h"

#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <random>
#include <tuple>

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

forms::Label *makeLabel(forms::Label *l, bool autoSize = true) {
    l->setBackStyle(forms::vbTransparent);
    l->setAutoSize(autoSize);
    l->setFontName(QStringLiteral("宋体"));
    l->setFontSize(9);
    return l;
}

// The chart's bars are the window's own pictures, stretched to their height.
forms::Picture barPicture(QColor top, QColor bottom) {
    QImage img(60, 40, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 60, 0);
    g.setColorAt(0, top);
    g.setColorAt(0.5, top.lighter(125));
    g.setColorAt(1, bottom);
    p.fillRect(img.rect(), g);
    p.setPen(bottom.darker(130));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    return forms::Picture::fromImage(img);
}

// The seconds of the clock, so that every run draws other papers.
home::RandomSource clockSeededSource() {
    auto gen =
        std::make_shared<std::mt19937>(static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));
    return [gen] { return std::uniform_real_distribution<double>(0, 1)(*gen); };
}

forms::PictureBox *makePanel(forms::Form *form, const QString &name) {
    auto *p = form->add<forms::PictureBox>(name);
    p->setBorderStyle(0);
    p->setVisible(false);
    return p;
}

// The banner's text on its white strip. The strip takes the label's size
// whenever the label sizes itself to a text, a font or a scale, also for a
// banner set after the page build, so that no text runs off the white.
class BannerLabel : public forms::Label {
public:
    BannerLabel(forms::PictureBox *strip, const QString &name)
        : forms::Label(strip, name), strip_(strip) {}

protected:
    void geometryChanged() override {
        forms::Label::geometryChanged();
        strip_->setWidth(width());
        strip_->setHeight(height());
    }

private:
    forms::PictureBox *strip_;
};

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
    ImgUnitGezi = PicTiKu->add<forms::Image>(QStringLiteral("ImgUnitGezi"));
    imgPicIII = PicTiKu->add<forms::Image>(QStringLiteral("imgPicIII"));
    ImgUnitD = PicTiKu->add<forms::Image>(QStringLiteral("ImgUnitD"));
    ImgUnitC = PicTiKu->add<forms::Image>(QStringLiteral("ImgUnitC"));
    ImgUnitD->setStretch(true);
    ImgUnitC->setStretch(true);
    ImgUnitD->setPicture(barPicture(QColor(0x3c, 0xa0, 0x4a), QColor(0x1f, 0x70, 0x2c)));
    ImgUnitC->setPicture(barPicture(QColor(0xf0, 0x8c, 0x1e), QColor(0xc0, 0x60, 0x10)));
    for (int i = 0; i <= 4; ++i) makeLabel(LblUnitDQCAP.load(i, PicTiKu));
    LblUnitDQCAP(0)->setCaption(QStringLiteral("学习进度信息"));
    LblUnitDQCAP(1)->setFontBold(true);
    LblUnitDQCAP(1)->setForeColor(forms::rgb(0x1e, 0x4e, 0x8c));

    PicKaCHLeft = PicKaCH->add<forms::Image>(QStringLiteral("PicKaCHLeft"));
    ImgSuiJi = PicKaCH->add<forms::Image>(QStringLiteral("ImgSuiJi"));
    ImgSuiJi->setVisible(false);
    // The row pictures first: labels of one container stack in the order made.
    for (int i = 0; i < home::kPaperRows; ++i) ImgShiJuan.load(i, PicKaCH)->setVisible(false);
    for (int i = 0; i < home::kPaperRows; ++i) {
        makeLabel(LblShiJuanBiao.load(i, PicKaCH))->setFontBold(true);
        makeLabel(LblShiJuanTime.load(i, PicKaCH));
        makeLabel(LblShiJuanSSSS.load(i, PicKaCH))->setCaption(QStringLiteral("最好成绩：    分"));
        forms::Label *score = makeLabel(LblShiJuanScore.load(i, PicKaCH), false);
        score->move(0, 0, 600, 195);
        score->setForeColor(forms::rgb(224, 0, 0));
        makeLabel(LblShiJuanCCC.load(i, PicKaCH))->setCaption(QStringLiteral("错题复习"));
        makeLabel(LblShiJuanCuoTi.load(i, PicKaCH));
        makeLabel(LblShiJuanDel.load(i, PicKaCH))->setForeColor(forms::rgb(0x1e, 0x4e, 0x8c));
    }
    LblNoHis = makeLabel(PicKaCH->add<forms::Label>(QStringLiteral("LblNoHis")));
    LblNoHis->setCaption(QStringLiteral("您还没有练习过随机试卷！"));
    LblNoHis->setForeColor(forms::rgb(0x66, 0x66, 0x66));
    LblNoHis->setVisible(false);

    ImgBiaoZhiBack = PicBiaoZhi->add<forms::Image>(QStringLiteral("ImgBiaoZhiBack"));
    ImgCuoTiBack = PicCuoTi->add<forms::Image>(QStringLiteral("ImgCuoTiBack"));
    for (auto [label, in, name] : {std::tuple{&LblBiaoZhiWei, PicBiaoZhi, "LblBiaoZhiWei"},
                                   std::tuple{&LblBiaoZhiYI, PicBiaoZhi, "LblBiaoZhiYI"},
                                   std::tuple{&LblCuoTiWei, PicCuoTi, "LblCuoTiWei"},
                                   std::tuple{&LblCuoTiYI, PicCuoTi, "LblCuoTiYI"}}) {
        *label = makeLabel(in->add<forms::Label>(QString::fromLatin1(name)), false);
        (*label)->move(0, 0, 600, 300);
        (*label)->setAlignment(forms::vbCenter);
        (*label)->setFontBold(true);
        (*label)->setForeColor(forms::rgb(224, 0, 0));
    }
    randomSource = clockSeededSource();
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
    LblAD = new BannerLabel(PicAd, QStringLiteral("LblAD"));
    LblAD->setBackStyle(forms::vbTransparent);
    LblAD->setAutoSize(true);

    TimFH = new forms::Timer(this, QStringLiteral("TimFH"));
    TimFH->setInterval(100);

    onLoad = [this] { Form_Load(); };
    // A record that a click found unreadable is told once the click is done.
    ClickBotn.onClick = [this](int i) {
        ClickBotn_Click(i);
        panel::tellUnreadableRecords();
    };
    LblInfo.onClick = [this](int i) { LblInfo_Click(i); };
    LblAD->onClick = [this] { LblAD_Click(); };
    lblMove->onMouseDown = [this](int b, int s, double x, double y) {
        lblMove_MouseDown(b, s, x, y);
    };
    picShouYe->onMouseDown = [this](int b, int s, double x, double y) {
        picShouYe_MouseDown(b, s, x, y);
    };
    TimFH->onTimer = [this] { TimFH_Timer(); };
    LblShiJuanCCC.onClick = [this](int i) {
        LblShiJuanCCC_Click(i);
        panel::tellUnreadableRecords();
    };
    LblShiJuanDel.onClick = [this](int i) {
        LblShiJuanDel_Click(i);
        panel::tellUnreadableRecords();
    };
    // The desktop's close (Alt+F4, a taskbar) asks as the exit button does.
    // Unloaded without a question, the page would leave the program
    // running with no window, holding the lock that refuses every later
    // start.
    onQueryUnload = [this](int &cancel, int mode) {
        if (mode != forms::vbFormControlMenu) return;
        cancel = 1;
        exitAfterConfirmation();
    };
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
    // nothing to report, the strip is simply empty. One that cannot be read
    // goes into the run log; the next update fetches it again.
    const home::Banner banner =
        home::readBanner(panel::RecordFiles(s.UserDataFolder).read(panel::recname::Banner).lines);
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

    // A bank of another module ends the run at once, silently. A module
    // file that cannot be read or holds no number is a damaged bank: the
    // run ends too, but the candidate is told which file to look at.
    const auto moduleLines = home::readFileLines(s, home::files::moduleNumber());
    trap([&] {
        if (!moduleLines) forms::raise(forms::errFileNotFound);
    });
    const QString modulePath = home::pathOf(s, home::files::moduleNumber());
    switch (home::checkModuleNumber(moduleLines, s.ModuleNumber)) {
    case home::ModuleCheck::ThisModule:
        break;
    case home::ModuleCheck::OtherModule:
        startup::endProgram();
        return;
    case home::ModuleCheck::Unreadable:
        startup::endForDamagedFile({modulePath, startup::DamagedFile::Fault::Unreadable});
        return;
    case home::ModuleCheck::NotANumber:
        startup::endForDamagedFile({modulePath, startup::DamagedFile::Fault::NotInFormat});
        return;
    }

    const auto contacts = home::contactCaptions(s.InfoTable);
    for (int i = 1; i <= 3; ++i) trap([&] { LblInfo(i)->setCaption(contacts[i - 1]); });

    // The options file appears once the candidate answers the input-method
    // notice; until then the option is off.
    s.UseInputMethod = panel::optionOnForHome(panel::RecordFiles(s.UserDataFolder));

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
    }
    // The configured edges are for the usual texts; a longer one pushes the
    // labels after it along instead of running into them.
    std::array<double, 4> widths{};
    for (int i = 0; i <= 3; ++i) widths[i] = LblInfo(i)->width() / s.ScaleX;
    const auto lefts = home::infoLabelLefts(info.lefts, widths);
    for (int i = 0; i <= 3; ++i) trap([&] { LblInfo(i)->setLeft(lefts[i] * s.ScaleX); });

    // Read once: both sections need it, and each reports it missing.
    const auto index = home::readFileLines(s, home::files::bankIndex());
    layoutSection(trap, index);
    unitsSection(trap, index);
    papersSection(trap);
    reviewSection(trap, false);
    reviewSection(trap, true);
    helpSection(trap);
}

void FrmFengmian::layoutSection(forms::Trap &trap, const std::optional<QStringList> &index) {
    startup::RunState &s = state();
    trap([&] {
        if (!index) forms::raise(forms::errFileNotFound);
    });
    const home::BankCounts counts = home::bankCounts(index ? index->value(0) : QString());
    s.PaperCount = counts.papers;
    s.UnitCount = counts.units;
    RandomPaperCount = home::randomPaperCount(
        panel::RecordFiles(s.UserDataFolder).read(panel::recname::RandomPapers).lines);

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

void FrmFengmian::setButtonPicture(int index, const QString &name) {
    ClickBotn(index)->setPicture(forms::loadPicture(bankPicture(name)));
}

void FrmFengmian::unitsSection(forms::Trap &trap, const std::optional<QStringList> &index) {
    startup::RunState &s = state();
    trap([&] {
        if (!index) forms::raise(forms::errFileNotFound);
    });
    const QString countLine = index ? index->value(1) : QString();
    const auto counts = home::unitQuestionCounts(countLine);
    const panel::RecordFiles records(s.UserDataFolder);
    bool readable = true;
    const QStringList progress =
        home::normalisedProgress(records.readUnitProgress(&readable), counts);
    // Without a count that gives a unit its questions, and from an
    // unreadable (held-back) file, the rewrite would wipe the candidate's
    // progress: the file is left alone. A failed rewrite is reported once
    // a run, not at every return to the page.
    if (home::progressRewritten(counts) && readable &&
        !records.writeUnitProgress(progress, home::kProgressLines) &&
        panel::firstTimeThisRun(QStringLiteral("progress rewrite")))
        trap([&] { forms::raise(forms::errFileAccess); });
    // The page has rows for 20 units; a larger bank is said once.
    if (s.UnitCount > home::kMaxUnits) trap([&] { forms::raise(startup::err::OutOfRange); });
    for (int u = 0; u < home::unitRows(s.UnitCount); ++u) {
        const QString line = platform::trimBlanks(progress.value(u));
        s.UnitTable[u][2] = QString::number(line.size());
        s.UnitTable[u][3] = QString::number(line.count(QLatin1Char('F')));
        s.UnitTable[u][4] = line;
    }
    layoutUnits(trap);
    ClickBotn_Click(49);
}

void FrmFengmian::layoutUnits(forms::Trap &trap) {
    const startup::RunState &s = state();
    const int units = home::unitRows(s.UnitCount);
    const auto sx = [&](double v) { return v * s.ScaleX; };
    const auto sy = [&](double v) { return v * s.ScaleY; };
    trap([&] { PicUnitLeft->setLeft(0); });
    trap([&] { PicUnitLeft->setTop(PicTiKu->height() - PicUnitLeft->height() - sy(30)); });
    trap([&] { PicUnitLeft->loadPicture(bankPicture(QStringLiteral("l20054"))); });
    for (int u = 0; u < home::kMaxUnits; ++u) {
        kvtnButton *b = ClickBotn(50 + u);
        trap([&] { b->move(sx(15), sy(870 + 525 * (u % 10)), sx(2700), sy(525)); });
        b->setFontSize(9 * s.ScaleX);
        b->setForeColor(forms::rgb(0, 0, 0));
        b->setCaption(u < units ? home::unitButtonCaption(u, s.UnitTable[u][1]) : QString());
        trap([&] { setButtonPicture(50 + u, QStringLiteral("l20045")); });
        b->setVisible(u < std::min(units, 10));
    }
    kvtnButton *all = ClickBotn(49);
    trap([&] { all->move(sx(15), 0, sx(2700), sy(870)); });
    trap([&] { setButtonPicture(49, QStringLiteral("l20044")); });
    all->setVisible(true);
    SelectedUnit = -1;
    for (int n : {47, 48}) {
        kvtnButton *b = ClickBotn(n);
        trap([&] { b->move(sx(n == 47 ? 150 : 1365), sy(6270), sx(1185), sy(555)); });
        b->setForeColor(forms::rgb(255, 255, 255));
        b->setFontSize(9 * s.ScaleX);
        b->setVisible(true);
        b->setEnabled(true);
        trap([&] {
            setButtonPicture(n, n == 47 ? QStringLiteral("l20086") : QStringLiteral("l20046"));
        });
    }
    ClickBotn(47)->setCaption(QStringLiteral("1-10单元"));
    ClickBotn(48)->setCaption(QStringLiteral("11-%1单元").arg(s.UnitCount));
    if (s.UnitCount <= 10) {
        ClickBotn(48)->setEnabled(false);
        ClickBotn(48)->setCaption(QString());
        ClickBotn(47)->setCaption(QStringLiteral("1-%1单元").arg(s.UnitCount));
    }
    trap([&] { ImgUnitGezi->move(sx(2730), sy(1680)); });
    trap([&] { ImgUnitGezi->loadPicture(bankPicture(QStringLiteral("l20055"))); });
    ImgUnitD->setLeft(sx(5910));
    ImgUnitD->setWidth(sx(900));
    ImgUnitC->setLeft(ImgUnitD->left() + sx(1500));
    ImgUnitC->setWidth(sx(900));
    ChapterFilter = 0;
    for (int f = 0; f < 3; ++f) {
        kvtnButton *b = ClickBotn(37 + f);
        trap([&] { b->move(sx(4485 + 1500 * f), sy(5700), sx(900), sy(375)); });
        b->setVisible(true);
    }
    trap([&] { setButtonPicture(37, home::pictureOf(87)); });
    ClickBotn(20)->setVisible(true);
    trap([&] { imgPicIII->move(sx(3150), sy(420)); });
    trap([&] { imgPicIII->loadPicture(bankPicture(QStringLiteral("l20064"))); });
    LblUnitDQCAP(1)->setFontSize(12 * s.ScaleX);
    LblUnitDQCAP(1)->move(sx(4245), sy(630));
    LblUnitDQCAP(0)->setFontSize(10 * s.ScaleX);
    LblUnitDQCAP(0)->move(LblUnitDQCAP(1)->left(), sy(975));
    for (int i = 2; i <= 4; ++i) LblUnitDQCAP(i)->setFontSize(10 * s.ScaleX);
    LblUnitDQCAP(2)->move(sx(4590), sy(1740));
    LblUnitDQCAP(3)->setLeft(ImgUnitD->left() + sx(240));
    LblUnitDQCAP(4)->setLeft(ImgUnitC->left() + sx(240));
}

void FrmFengmian::openUnitsTab() {
    const startup::RunState &s = state();
    openListTab(PicTiKu, 16);
    std::vector<home::UnitCounts> units;
    for (int u = 0; u < home::unitRows(s.UnitCount); ++u)
        units.push_back({static_cast<int>(platform::val(s.UnitTable[u][2])),
                         static_cast<int>(platform::val(s.UnitTable[u][3]))});
    ClickBotn_Click(50 + home::openingUnit(units));
}

void FrmFengmian::showUnitPage(int page) {
    const int units = home::unitRows(state().UnitCount);
    setButtonPicture(47, page == 1 ? QStringLiteral("l20086") : QStringLiteral("l20046"));
    setButtonPicture(48, page == 2 ? QStringLiteral("l20086") : QStringLiteral("l20046"));
    for (int u = 0; u < home::kMaxUnits; ++u)
        ClickBotn(50 + u)->setVisible(u < units && (u < 10) == (page == 1));
}

void FrmFengmian::selectUnit(int index) {
    forms::Trap trap(QStringLiteral("clickbotn"), startup::reportingHandler());
    const startup::RunState &s = state();
    const int units = home::unitRows(s.UnitCount);
    SelectedUnit = index - 50;
    int total = 0, open = 0;
    if (index == 49) {
        for (int u = 0; u < units; ++u) {
            total += static_cast<int>(platform::val(s.UnitTable[u][2]));
            open += static_cast<int>(platform::val(s.UnitTable[u][3]));
        }
        LblUnitDQCAP(1)->setCaption(home::selectionCaption(-1, QString()));
    } else {
        const int u = index - 50;
        trap([&] { showUnitPage(index < 60 ? 1 : 2); });
        LblUnitDQCAP(1)->setCaption(home::selectionCaption(u, s.UnitTable[u][1]));
        total = static_cast<int>(platform::val(s.UnitTable[u][2]));
        open = static_cast<int>(platform::val(s.UnitTable[u][3]));
    }
    LblUnitDQCAP(2)->setCaption(QStringLiteral("%1题").arg(total));
    LblUnitDQCAP(3)->setCaption(QStringLiteral("%1题").arg(total - open));
    LblUnitDQCAP(4)->setCaption(QStringLiteral("%1题").arg(open));
    // A selection without questions (an empty unit, an empty bank) keeps
    // the bars as they were; it is no fault to report.
    if (const auto bars = home::unitBars(total, open)) {
        ImgUnitC->setHeight(bars->openHeight * s.ScaleY);
        ImgUnitD->setHeight(bars->learnedHeight * s.ScaleY);
    }
    ImgUnitC->setTop(5550 * s.ScaleY - ImgUnitC->height());
    ImgUnitD->setTop(5550 * s.ScaleY - ImgUnitD->height());
    LblUnitDQCAP(3)->setTop(ImgUnitD->top() - 240 * s.ScaleY);
    LblUnitDQCAP(4)->setTop(ImgUnitC->top() - 240 * s.ScaleY);
    for (int i = 49; i <= 69; ++i) ClickBotn(i)->setEnabled(true);
    ClickBotn(index)->setEnabled(false);
}

void FrmFengmian::chooseChapterFilter(int index) {
    ChapterFilter = index - 37;
    for (int i = 37; i <= 39; ++i) setButtonPicture(i, home::pictureOf(i == index ? i + 50 : i));
}

void FrmFengmian::startUnitPractice() {
    startup::RunState &s = state();
    PicAd->setVisible(true);
    if (SelectedUnit < 0) {
        messageBox(QStringLiteral("单元练习"), false,
                   QStringLiteral("\r\n本模块共有%1单元\r\n\r\n"
                                  "请先点击左边单元名称选择您要学习的单元，再点开始学习！")
                       .arg(s.UnitCount));
        return;
    }
    const int u = SelectedUnit;
    if (u >= home::unitRows(s.UnitCount)) return;
    const QString flags = s.UnitTable[u][4];
    if (ChapterFilter == 0) {
        const int count = std::clamp(static_cast<int>(platform::val(s.UnitTable[u][2])), 0,
                                     startup::kMaxQuestions);
        // A unit without questions would open an empty panel.
        if (count == 0) {
            messageBox(QStringLiteral("章节练习"), false,
                       QStringLiteral("\r\n\r\n\r\n本单元没有题目！"));
            return;
        }
        s.StudyMode = startup::Practice;
        s.CurQuestion = 1;
        s.PaperIndex = u;
        s.PaperMode = startup::UnitAll;
        s.QuestionCount = count;
        s.QuestionStatus.fill(0);
        for (int q = 1; q <= count; ++q) {
            const bool done = q <= flags.size() && flags[q - 1] == QLatin1Char('T');
            s.QuestionCodes[q - 1] = u * 100 + q;
            s.QuestionDone[q - 1] = q <= flags.size() ? QString(flags[q - 1]) : QStringLiteral("F");
            s.QuestionStatus[q - 1] = done ? startup::StatusDone : 0;
        }
        startLianXi();
        return;
    }
    const bool learned = ChapterFilter == 1;
    s.StudyMode = startup::Practice;
    s.CurQuestion = 1;
    s.PaperIndex = u;
    const QString list = home::unitCodesFlagged(u, flags, learned ? u'T' : u'F');
    if (list.isEmpty()) {
        messageBox(QStringLiteral("章节练习"), false,
                   learned ? QStringLiteral("\r\n\r\n\r\n您本部分没有已学题！")
                           : QStringLiteral("\r\n\r\n\r\n您本部分没有未学题！"));
        return;
    }
    if (!InitShiTi(list, 19)) return;
    s.PaperMode = learned ? startup::UnitLearned : startup::UnitUnlearned;
    s.PaperSlot = u;
    s.PaperIndex = learned ? 14 : 13;
    for (int q = 1; q <= s.QuestionCount; ++q) {
        s.QuestionDone[q - 1] = learned ? QStringLiteral("T") : QStringLiteral("F");
        s.QuestionStatus[q - 1] = learned ? startup::StatusDone : 0;
    }
    startLianXi();
}

// ---------------------------------------------------------------- papers tab

void FrmFengmian::papersSection(forms::Trap &trap) {
    const startup::RunState &s = state();
    const auto sx = [&](double v) { return v * s.ScaleX; };
    const auto sy = [&](double v) { return v * s.ScaleY; };
    trap([&] { PicKaCHLeft->move(PicUnitLeft->left(), PicUnitLeft->top()); });
    trap([&] { PicKaCHLeft->setPicture(PicUnitLeft->picture()); });
    for (int n = 28; n <= 31; ++n) {
        trap([&] { ClickBotn(n)->move(sx(15), sy(15 + 750 * (n - 28)), sx(2700), sy(750)); });
        ClickBotn(n)->setVisible(true);
    }
    LastSprintRow = home::lastSprintRow(s.PaperCount);
    const panel::RecordFiles records(s.UserDataFolder);
    // A missing history is a candidate who never sat a paper: the defaults.
    PaperHistoryLines = records.readHistory();
    for (int i = 0; i < home::kPaperRows; ++i) layoutPaperRow(trap, i);
    trap([&] { ImgSuiJi->move(sx(2730), sy(90)); });
    trap([&] { ImgSuiJi->loadPicture(bankPicture(QStringLiteral("l20066"))); });
    ImgSuiJi->setVisible(false);
    ClickBotn(21)->setVisible(false);
    trap([&] { LblNoHis->move(sx(4680), sy(2160)); });
    LblNoHis->setFontSize(20 * s.ScaleX);
    LblNoHis->setVisible(false);
    ClickBotn_Click(28);
}

void FrmFengmian::layoutPaperRow(forms::Trap &trap, int i) {
    const startup::RunState &s = state();
    const auto sx = [&](double v) { return v * s.ScaleX; };
    const auto sy = [&](double v) { return v * s.ScaleY; };
    const double L = home::paperRowLeft(i), T = home::paperRowTop(i, LastSprintRow);
    const bool random = i >= 20;
    const bool sprint = home::paperGroup(i, LastSprintRow) == home::PaperGroup::Sprint;
    forms::Image *img = ImgShiJuan(i);
    trap([&] { img->move(sx(L), sy(T), sx(4410), sy(1200)); });
    trap([&] { img->loadPicture(bankPicture(QStringLiteral("l20065"))); });
    img->setVisible(sprint);
    forms::Label *title = LblShiJuanBiao(i);
    title->setCaption(home::paperTitle(i, LastSprintRow));
    title->setForeColor(sprint ? forms::rgb(12, 127, 233) : forms::rgb(51, 51, 51));
    title->setFontSize(10 * s.ScaleX);
    title->move(sx(L + 120), sy(T + 210));
    const struct {
        forms::Label *label;
        double dx, dy;
    } rest[] = {{LblShiJuanTime(i), 120, 555},   {LblShiJuanSSSS(i), 120, 870},
                {LblShiJuanScore(i), 900, 870},  {LblShiJuanCCC(i), 1800, 870},
                {LblShiJuanCuoTi(i), 2520, 870}, {LblShiJuanDel(i), 1800, 225}};
    for (const auto &r : rest) {
        r.label->setFontSize(9 * s.ScaleX);
        r.label->move(sx(L + r.dx), sy(T + r.dy));
    }
    // The score is centred on the gap of "最好成绩：    分" (a label 600
    // wide from L + 900 has the centre of one 120 wide from L + 1140), so
    // that "97.5" fits where a narrower label would cut it.
    LblShiJuanScore(i)->setAlignment(forms::vbCenter);
    LblShiJuanCCC(i)->setForeColor(forms::rgb(224, 0, 0));
    LblShiJuanCCC(i)->setMouseIcon(cursor_);
    LblShiJuanCCC(i)->setMousePointer(forms::vbCustom);
    // Fixed papers have no deletion link: an empty label that takes no click.
    forms::Label *del = LblShiJuanDel(i);
    del->setCaption(random ? QStringLiteral("删除试卷") : QString());
    del->setMousePointer(random ? forms::vbCustom : forms::vbDefault);
    if (random) del->setMouseIcon(cursor_);
    kvtnButton *start = ClickBotn(70 + i);
    trap([&] { start->move(sx(L + 3000), sy(T + 630), sx(1275), sy(450)); });
    const panel::RecordFiles records(state().UserDataFolder);
    LblShiJuanCuoTi(i)->setCaption(
        home::wrongCountCaption(records.readOneLine(panel::paperWrongFileName(i))));
    LblShiJuanTime(i)->setCaption(home::lastExamCaption(PaperHistoryLines.lastExamTime(i)));
    LblShiJuanScore(i)->setCaption(PaperHistoryLines.bestScore(i));
    for (forms::Control *c : std::initializer_list<forms::Control *>{
             title, LblShiJuanTime(i), LblShiJuanSSSS(i), LblShiJuanScore(i), LblShiJuanCCC(i),
             LblShiJuanCuoTi(i), del, start})
        c->setVisible(img->visible());
}

void FrmFengmian::openPapersTab() {
    openListTab(PicKaCH, 17);
    ClickBotn_Click(home::openingPaperPage(PaperHistoryLines, LastSprintRow));
}

void FrmFengmian::showPaperPage(int index) {
    forms::Trap trap(QStringLiteral("clickbotn"), startup::reportingHandler());
    const startup::RunState &s = state();
    LblNoHis->setVisible(false);
    for (int n = 28; n <= 31; ++n) ClickBotn(n)->setEnabled(true);
    ClickBotn(index)->setEnabled(false);
    const home::PaperPage page =
        home::paperPage(index, LastSprintRow, home::paperRows(s.PaperCount), RandomPaperCount);
    forms::Picture startPicture;
    trap([&] {
        startPicture = forms::loadPicture(
            bankPicture(page.sprintPictures ? QStringLiteral("l20047") : QStringLiteral("l20048")));
    });
    for (int i = 0; i < home::kPaperRows; ++i) {
        ImgShiJuan(i)->setVisible(page.rows[i]);
        if (page.rows[i] && !startPicture.isNull()) ClickBotn(70 + i)->setPicture(startPicture);
        for (forms::Control *c : std::initializer_list<forms::Control *>{
                 LblShiJuanBiao(i), LblShiJuanTime(i), LblShiJuanSSSS(i), LblShiJuanScore(i),
                 LblShiJuanCCC(i), LblShiJuanCuoTi(i), LblShiJuanDel(i), ClickBotn(70 + i)})
            c->setVisible(page.rows[i]);
    }
    ImgSuiJi->setVisible(page.newPaper);
    ClickBotn(21)->setVisible(page.newPaper);
    LblNoHis->setVisible(page.noRandom);
}

void FrmFengmian::startPaper(int index) {
    startup::RunState &s = state();
    const int slot = index - 70;
    const bool fixed = slot < 20;
    const int lineNumber = fixed ? slot + 3 : slot - 19;
    // Only a paper the bank holds or the candidate drew: a line the file
    // lacks, or one of fewer than 40 codes, would sit another paper, or a
    // broken one, under this row's slot. (The sprint page shows eight rows
    // also for a bank of fewer papers.)
    const bool listed = fixed ? slot < home::paperRows(s.PaperCount) : slot - 20 < RandomPaperCount;
    QStringList lines;
    if (listed && fixed)
        lines = home::readFileLines(s, home::files::bankIndex()).value_or(QStringList());
    else if (listed)
        lines = panel::RecordFiles(s.UserDataFolder).read(panel::recname::RandomPapers).lines;
    const QString list = lines.value(lineNumber - 1);
    if (!home::paperLineUsable(list)) {
        messageBox(QStringLiteral("无法开始考试"), false,
                   QStringLiteral("\r\n\r\n\r\n本套试卷的题目记录不完整，无法开始考试。"));
        return;
    }
    s.PaperSlot = slot;
    s.PaperIndex = fixed ? slot : 11;
    s.PaperMode = fixed ? startup::MockPaper : startup::RandomPaper;
    if (!InitShiTi(platform::trimBlanks(list), s.PaperIndex + s.PaperMode)) return;
    s.QuestionCount = home::kPaperCodes;
    s.StudyMode = startup::Exam;
    s.CurQuestion = 1;
    for (int q = 0; q < home::kPaperCodes; ++q) {
        s.QuestionDone[q] = QStringLiteral("F");
        s.QuestionStatus[q] = 0;
    }
    startLianXi();
}

void FrmFengmian::drawRandomPaper() {
    startup::RunState &s = state();
    PicAd->setVisible(true);
    std::vector<int> counts;
    for (int u = 0; u < home::unitRows(s.UnitCount); ++u)
        counts.push_back(static_cast<int>(platform::val(s.UnitTable[u][2])));
    const std::optional<QString> list = home::drawRandomPaper(counts, randomSource);
    if (!list) {
        messageBox(QStringLiteral("随机组卷"), false,
                   QStringLiteral("\r\n\r\n\r\n题库中的题目不足40道，无法生成随机试卷。"));
        return;
    }
    // Every record the draw moves must be readable first: a held-back file
    // would stay where it is while the others move past it.
    const panel::RecordFiles records(s.UserDataFolder);
    panel::RecordAction draw(records);
    const QString now = startup::localNow().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!home::recordDraw(draw, *list, now, RandomPaperCount)) {
        messageBox(QStringLiteral("随机组卷"), false,
                   QStringLiteral("\r\n\r\n\r\n随机试卷的记录文件无法读取，无法生成随机试卷。"));
        return;
    }
    if (!InitShiTi(*list, 19)) return;
    s.PaperSlot = 20;
    s.QuestionCount = home::kPaperCodes;
    s.StudyMode = startup::Exam;
    s.CurQuestion = 1;
    s.PaperIndex = 11;
    s.PaperMode = startup::RandomPaper;
    for (int q = 0; q < home::kPaperCodes; ++q) {
        s.QuestionDone[q] = QStringLiteral("F");
        s.QuestionStatus[q] = 0;
    }
    PaperHistoryLines = records.readHistory();
    // A paper whose list is not stored would be graded against another.
    if (!draw.commit()) {
        panel::tellUnsavedRecords(panel::recordaction::Draw, draw.unsaved(), draw.savedAny());
        // The records that were saved move the rows: the page shows them.
        if (draw.savedAny()) FengMainCsh();
        return;
    }
    startLianXi();
}

void FrmFengmian::LblShiJuanCCC_Click(int Index) {
    forms::Trap trap(QStringLiteral("lblshijuancc"), startup::reportingHandler());
    startup::RunState &s = state();
    if (Index < 0 || Index >= home::kPaperRows) return;
    const panel::RecordFiles records(s.UserDataFolder);
    const QString list = records.readOneLine(panel::paperWrongFileName(Index));
    if (list.isEmpty()) {
        messageBox(QStringLiteral("没有生成错题"), false,
                   QStringLiteral("\r\n\r\n\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n"
                                  "请点“开始考试”做本套试题。"));
        return;
    }
    if (!InitShiTi(list, 19)) return;
    s.QuestionCount = std::min(panel::codeCount(list), startup::kMaxQuestions);
    s.PaperSlot = Index;
    s.StudyMode = startup::Practice;
    s.CurQuestion = 1;
    s.PaperMode = startup::PaperWrongReview;
    s.PaperIndex = 17;
    for (int q = 0; q < s.QuestionCount; ++q) {
        s.QuestionDone[q] = QStringLiteral("F");
        s.QuestionStatus[q] = 0;
    }
    startLianXi();
}

void FrmFengmian::LblShiJuanDel_Click(int Index) {
    startup::RunState &s = state();
    const int count = RandomPaperCount;
    if (Index < 20 || Index > 19 + count) return;
    if (!messageBox(QStringLiteral("删除试卷"), true,
                    QStringLiteral("\r\n\r\n\r\n您确实要删除本套随机试题吗？")))
        return;
    panel::RecordAction deletion{panel::RecordFiles(s.UserDataFolder)};
    if (!home::recordDelete(deletion, Index, count)) {
        messageBox(QStringLiteral("删除试卷"), false,
                   QStringLiteral("\r\n\r\n\r\n随机试卷的记录文件无法读取，本套试卷没有删除。"));
        return;
    }
    if (!deletion.commit()) {
        panel::tellUnsavedRecords(panel::recordaction::Delete, deletion.unsaved(),
                                  deletion.savedAny());
        if (deletion.savedAny()) FengMainCsh();
        return;
    }
    FengMainCsh();
}

// ---------------------------------------------------------------- favourites and wrong book

FrmFengmian::ReviewPanel FrmFengmian::reviewPanel(bool wrongBook) {
    if (wrongBook)
        return {&home::wrongBookTab(), PicCuoTi, LblCuoTiWei, LblCuoTiYI, &WrongBookFilter};
    return {&home::favouritesTab(), PicBiaoZhi, LblBiaoZhiWei, LblBiaoZhiYI, &FavouritesFilter};
}

void FrmFengmian::reviewSection(forms::Trap &trap, bool wrongBook) {
    const startup::RunState &s = state();
    const ReviewPanel r = reviewPanel(wrongBook);
    const auto sx = [&](double v) { return v * s.ScaleX; };
    const auto sy = [&](double v) { return v * s.ScaleY; };
    forms::Image *back = wrongBook ? ImgCuoTiBack : ImgBiaoZhiBack;
    trap([&] { back->move(0, 0); });
    trap([&] { back->loadPicture(bankPicture(r.tab->background)); });
    r.unreviewed->setFontSize(10 * s.ScaleX);
    r.reviewed->setFontSize(10 * s.ScaleX);
    r.unreviewed->move(sx(7140), sy(2385));
    r.reviewed->move(r.unreviewed->left(), sy(2835));
    for (int b = 0; b < 2; ++b) {
        kvtnButton *box = ClickBotn(r.tab->boxes[b]);
        trap([&] { box->move(sx(5775), sy(2235 + 450 * b), sx(1200), sy(450)); });
        box->setVisible(true);
    }
    ClickBotn(r.tab->startButton)->setVisible(true);
    ClickBotn(r.tab->clearButton)->setVisible(true);
    *r.filter = 1;
    trap([&] { setButtonPicture(r.tab->boxes[0], home::boxPicture(r.tab->boxes[0], true)); });
    trap([&] { setButtonPicture(r.tab->boxes[1], home::boxPicture(r.tab->boxes[1], false)); });
    showReviewCounts(r);
}

void FrmFengmian::showReviewCounts(const ReviewPanel &r) {
    // Both files, though only the flags are counted: flags whose list
    // cannot be read count as none.
    const home::ReviewCounts counts =
        home::reviewCounts(panel::RecordFiles(state().UserDataFolder)
                               .readList(r.tab->listFile, r.tab->flagsFile)
                               .flags);
    r.unreviewed->setCaption(QString::number(counts.unreviewed));
    r.reviewed->setCaption(QString::number(counts.reviewed));
}

void FrmFengmian::clickReviewBox(bool wrongBook, int index) {
    const ReviewPanel r = reviewPanel(wrongBook);
    const int box = index == r.tab->boxes[0] ? 0 : 1;
    *r.filter = home::toggledFilter(*r.filter, box);
    const bool ticked = (*r.filter & (box == 0 ? 1 : 2)) != 0;
    setButtonPicture(index, home::boxPicture(index, ticked));
}

void FrmFengmian::practiseReview(bool wrongBook) {
    startup::RunState &s = state();
    const ReviewPanel r = reviewPanel(wrongBook);
    if (!wrongBook) PicAd->setVisible(true);
    if (*r.filter == 0) return;
    const panel::CodesWithFlags stored =
        panel::RecordFiles(s.UserDataFolder).readList(r.tab->listFile, r.tab->flagsFile);
    const home::ReviewPractice p =
        home::reviewPractice(*r.tab, *r.filter, stored.codes, stored.flags);
    if (p.outcome == home::ReviewPractice::Refused) {
        messageBox(r.tab->practiceTitle, false, QStringLiteral("\r\n\r\n\r\n") + p.prompt);
        return;
    }
    if (p.outcome != home::ReviewPractice::Start) return;
    s.PaperMode = p.paperMode;
    s.PaperIndex = p.paperIndex;
    for (int q = 0; q < startup::kMaxQuestions; ++q) {
        s.QuestionDone[q] = p.done[q];
        s.QuestionStatus[q] = p.status[q];
    }
    if (!InitShiTi(p.list, 19)) return;
    s.QuestionCount = p.questionCount;
    s.StudyMode = startup::Practice;
    startLianXi();
}

void FrmFengmian::clearReview(bool wrongBook) {
    const ReviewPanel r = reviewPanel(wrongBook);
    const int filter = *r.filter;
    if (filter == 0) return;
    if (!messageBox(r.tab->clearTitle, true,
                    QStringLiteral("\r\n\r\n\r\n") + r.tab->clearPrompts[filter - 1]))
        return;
    panel::RecordAction clearing{panel::RecordFiles(state().UserDataFolder)};
    const auto kept = home::recordClear(clearing, r.tab->listFile, r.tab->flagsFile, filter);
    const QString &action =
        wrongBook ? panel::recordaction::ClearWrongBook : panel::recordaction::ClearFavourites;
    if (!kept || !clearing.commit()) {
        // Nothing to clear says nothing; records that stay as they were do.
        panel::tellUnsavedRecords(action, clearing.unsaved(), clearing.savedAny());
        if (clearing.savedAny()) showReviewCounts(r);
        return;
    }
    if (filter != 2) r.unreviewed->setCaption(QStringLiteral("0"));
    if (filter != 1) r.reviewed->setCaption(QStringLiteral("0"));
}

bool FrmFengmian::messageBox(const QString &title, bool question, const QString &prompt) {
    // A record that could not be read explains the notice that follows
    // ("您还没有已收藏题目！" from a favourites list that cannot be read).
    panel::tellUnreadableRecords();
    startup::RunState &s = state();
    s.MsgBoxResult = 0;
    auto *box = forms::form<FrmQHMSGBOX>();
    box->LblTitle->setCaption(title);
    forms::skip([&] {
        box->Image1->loadPicture(
            bankPicture(question ? QStringLiteral("l20071") : QStringLiteral("l20072")));
    });
    box->LblPrompt->setCaption(prompt);
    box->show(forms::vbModal);
    return s.MsgBoxResult == 1;
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
        openUnitsTab();
        break;
    case home::HomeAction::PapersTab:
        openPapersTab();
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
        startUnitPractice();
        break;
    case home::HomeAction::NewRandomPaper:
        drawRandomPaper();
        break;
    case home::HomeAction::FavouritesStart:
    case home::HomeAction::WrongStart:
        practiseReview(index == 24);
        break;
    case home::HomeAction::FavouritesClear:
    case home::HomeAction::WrongClear:
        clearReview(index == 25);
        break;
    case home::HomeAction::PaperPage:
        showPaperPage(index);
        break;
    case home::HomeAction::ChapterFilter:
        trap([&] { chooseChapterFilter(index); });
        break;
    case home::HomeAction::FavouritesBox:
    case home::HomeAction::WrongBox:
        trap([&] { clickReviewBox(index >= 42, index); });
        break;
    case home::HomeAction::UnitChoice:
        selectUnit(index);
        break;
    case home::HomeAction::UnitListPage:
        SelectedUnit = (index - 47) * 10;
        ClickBotn_Click(50 + SelectedUnit);
        trap([&] { showUnitPage(index - 46); });
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
    panel::tellUnreadableRecords();
}

// ---------------------------------------------------------------- exercise start

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
        const int code = static_cast<int>(platform::val(panel::codeAt(btShuJu, i)));
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
