// The shell's part of the sample installation: its pictures cover the
// spots and items the layouts lay over them, and its questions show every
// region when the screen builds their steps.
#include "platform/text.h"
#include "program_fixture.h"
#include "sample_paint.h"
#include "sample_pictures.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "simulator/frm_main.h"
#include "simulator/shell_layout.h"
#include "simulator/step_record.h"
#include "startup/run_state.h"

#include "forms/testing.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

using namespace shell;

namespace {

constexpr Scale One{1, 1};

QSizeF twipsOf(const QString &name) {
    const QImage img = sample::shellPicture(name);
    return img.isNull() ? QSizeF() : QSizeF(img.width() * 15.0, img.height() * 15.0);
}

// Whether r lies inside a picture of the given size, to the pixel.
bool inside(const Rect &r, QSizeF size) {
    return r.left >= 0 && r.top >= 0 && r.left + r.width <= size.width() + 15 &&
           r.top + r.height <= size.height() + 15;
}

} // namespace

TEST(ShellSamplePictures, RegionPicturesCoverTheirSpots) {
    SpotRects fixed{};
    layoutFixedSpots(fixed, One);
    struct Region {
        QString picture;
        int first, last;
    };
    const Region regions[] = {{"1100W1", 11, 23}, {"1100W2", 11, 23}, {"706600", 71, 91}};
    for (const Region &r : regions) {
        for (int i = r.first; i <= r.last; ++i) {
            EXPECT_TRUE(inside(fixed[size_t(i)], twipsOf(r.picture)))
                << r.picture.toStdString() << i;
        }
    }
    // The bank's desktop ends at the taskbar, so the start button stays reachable.
    EXPECT_EQ(twipsOf(QStringLiteral("bank:9lX001")).height(), 8400);
    for (int i = 61; i <= 65; ++i)
        EXPECT_TRUE(inside(fixed[size_t(i)], twipsOf("bank:9lX001"))) << i;
    for (int i = 93; i <= 99; ++i)
        EXPECT_TRUE(inside(fixed[size_t(i)], twipsOf("bank:9lX002"))) << i;

    for (char letter : {'A', 'B', 'C', 'D', 'G', 'H'}) {
        SpotRects bar{};
        for (int i = 1; i <= 10; ++i) bar[size_t(i)] = Rect{0, 0, 495, 375};
        layoutMenuBar(bar, QLatin1Char(letter), One);
        const QSizeF size = twipsOf(menuBarPicture(QLatin1Char(letter)));
        ASSERT_FALSE(size.isEmpty()) << letter;
        // Command bars have nine buttons; the menu bars four and five menus
        // (their further spots run on past the screen's edge).
        const int last = letter == 'G' ? 4 : letter == 'H' ? 5 : 9;
        for (int i = 1; i <= last; ++i) {
            // Spots a bar lacks lie left of it on purpose.
            if (bar[size_t(i)].left < 0 || bar[size_t(i)].left > size.width()) continue;
            EXPECT_LE(bar[size_t(i)].top, size.height()) << letter << i;
            EXPECT_LE(bar[size_t(i)].left + bar[size_t(i)].width, size.width() + 15) << letter << i;
        }
    }
    for (int variant = 1; variant <= 3; ++variant) {
        SpotRects pane{};
        layoutTaskPane(pane, variant, One);
        for (int i = 24; i <= 40; ++i) {
            if (pane[size_t(i)].top < 0) continue;
            EXPECT_TRUE(inside(pane[size_t(i)], twipsOf(taskPanePicture(variant))))
                << variant << " " << i;
        }
    }
    for (int view = 0; view <= 1; ++view) {
        SpotRects ctrl{};
        layoutCtrlPanel(ctrl, view, One);
        for (int i = 41; i <= 60; ++i) {
            if (ctrl[size_t(i)].left < 0) continue;
            EXPECT_TRUE(inside(ctrl[size_t(i)], twipsOf(ctrlPanelPicture(QChar(u'0' + view)))))
                << view << " " << i;
        }
    }
}

TEST(ShellSamplePictures, HoverAndPressedLooksLightTheBackgroundAndKeepTextAndIcon) {
    // A light item (dark text and a blue icon on white) and a dark one
    // (white text on the wallpaper), 60 x 30 pixels each.
    struct Case {
        const char *what;
        QColor background, text, icon;
        bool dark;
    };
    const Case cases[] = {
        {"on a light picture", Qt::white, Qt::black, QColor(30, 100, 200), false},
        {"on the wallpaper", QColor(20, 60, 120), Qt::white, QColor(240, 200, 60), true},
    };
    for (const Case &c : cases) {
        for (bool strong : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (strong ? ", pressed" : ", hover"));
            QImage region(60, 30, QImage::Format_RGB32);
            region.fill(c.background);
            for (int y = 12; y < 18; ++y) {
                for (int x = 10; x < 20; ++x) region.setPixelColor(x, y, c.text);
                for (int x = 35; x < 45; ++x) region.setPixelColor(x, y, c.icon);
            }
            const QImage look = sample::spotLook(region, Rect{0, 0, 900, 450}, strong);
            ASSERT_EQ(look.size(), QSize(60, 30));
            EXPECT_EQ(look.pixelColor(15, 15).rgb(), c.text.rgb()) << "text unchanged";
            if (!c.dark) {
                EXPECT_EQ(look.pixelColor(40, 15).rgb(), c.icon.rgb()) << "icon unchanged";
            }
            const QColor bg = look.pixelColor(28, 8);
            if (c.dark) {
                EXPECT_GT(bg.lightness(), QColor(c.background).lightness() + 20) << "lit up";
            } else {
                EXPECT_NE(bg.rgb(), QColor(Qt::white).rgb()) << "the background takes the blue";
                EXPECT_GT(bg.blue(), bg.red());
                EXPECT_GT(bg.lightness(), 180) << "a light blue, not a dark wash";
            }
        }
    }
}

TEST(ShellSamplePictures, TheCategoryPageLinksFitTheirPlacesAtTheirSize) {
    // A row of the category page puts its links on one line under the
    // title, the first from the title's left edge (40 pixels into the row),
    // each up to the next one (6 pixels short of it), the last one up to 40
    // pixels past its item; at the links' 12 pixels each must fit there
    // whole, neither shrunk nor cut.
    const QFontMetrics fm(sample::uiFont(12));
    for (int spot = 51; spot <= 57; ++spot) {
        SCOPED_TRACE(spot);
        const QString code = QString::number(spot);
        ItemRects items{};
        layoutLevel1(items, code, One);
        int laidOut = 0;
        while (laidOut + 1 < int(items.size()) && items[size_t(laidOut + 1)].width > 0) ++laidOut;
        const QStringList texts = sample::ctrlPanelTexts(code);
        ASSERT_EQ(texts.size(), laidOut) << "a text for every item, and an item for every text";
        for (int k = 2; k <= laidOut; ++k) {
            const double from = k == 2 ? 40 : items[size_t(k)].left / 15;
            const double to = k < laidOut
                                  ? items[size_t(k + 1)].left / 15 - 6
                                  : (items[size_t(k)].left + items[size_t(k)].width) / 15 + 40;
            EXPECT_LE(fm.horizontalAdvance(texts[k - 1]), to - from) << texts[k - 1].toStdString();
        }
    }
}

TEST(ShellSamplePictures, EveryPanelOfTheTablesHasAPictureHoldingItsItems) {
    auto check = [](const QString &picture, const ItemRects &items) {
        const QSizeF size = twipsOf(picture);
        ASSERT_FALSE(size.isEmpty()) << picture.toStdString();
        for (int i = 1; i <= PanelItemCount; ++i) {
            const Rect &r = items[size_t(i)];
            if (r.width <= 0 || r.height <= 0 || r.left < 0 || r.top < 0) continue;
            EXPECT_TRUE(inside(r, size)) << picture.toStdString() << " item " << i;
        }
    };
    auto keysOf = [](const Menu1JRow &row) {
        QStringList keys;
        for (std::string_view k : row.keys)
            keys << QString::fromLatin1(k.data(), qsizetype(k.size()));
        return keys;
    };
    for (const auto *table : {&menu1JTable(), &startMenuPanelTable()}) {
        for (const Menu1JRow &row : *table) {
            for (const QString &code : keysOf(row)) {
                ItemRects items{};
                layoutLevel1(items, code, One);
                check(panelPicture(code), items);
            }
        }
    }
    for (const Menu2JRow &row : menu2JTable()) {
        for (std::string_view k : row.ids) {
            const QString id = QString::fromLatin1(k.data(), qsizetype(k.size()));
            ItemRects items{};
            layoutLevel2(items, id, One);
            check(level2PictureName(id), items);
        }
    }
    for (int n = 1; n <= 4; ++n) EXPECT_FALSE(twipsOf(level3Picture(n)).isEmpty()) << n;
    // The hover and pressed looks the spots ask for.
    for (const char *name : {"A30088", "H50088", "100088", "150088", "150099", "300088", "410088",
                             "610088", "610099", "840088", "950099", "990088"}) {
        EXPECT_FALSE(twipsOf(QString::fromLatin1(name)).isEmpty()) << name;
    }
}

// A menu item the candidate reads must name a command: an item without a
// text of its own, drawn as "命令 7", asks for a choice nobody can make.
TEST(ShellSamplePictures, EveryMenuItemTheTablesPlaceHasARealCaption) {
    const QRegularExpression numbered(QStringLiteral("^命令\\s*\\d+$"));
    QStringList codes;
    for (const auto *table : {&menu1JTable(), &startMenuPanelTable()}) {
        for (const Menu1JRow &row : *table) {
            if (row.kind == Menu1JRow::Kind::Placed) continue;
            for (std::string_view k : row.keys)
                codes << QString::fromLatin1(k.data(), qsizetype(k.size()));
        }
    }
    for (const Menu2JRow &row : menu2JTable())
        for (std::string_view k : row.ids)
            codes << QString::fromLatin1(k.data(), qsizetype(k.size()));
    int items = 0;
    for (const QString &code : codes) {
        ItemRects placed{};
        if (code.size() == 4)
            layoutLevel2(placed, code, One);
        else
            layoutLevel1(placed, code, One);
        const QMap<int, QString> captions = sample::menuCaptions(code);
        for (int i = 1; i <= PanelItemCount; ++i) {
            const Rect &r = placed[size_t(i)];
            if (r.width <= 0 || r.height <= 0 || r.left < 0 || r.top < 0) continue;
            ++items;
            const QString caption = captions.value(i);
            EXPECT_FALSE(caption.trimmed().isEmpty()) << code.toStdString() << " item " << i;
            EXPECT_FALSE(numbered.match(caption).hasMatch())
                << code.toStdString() << " item " << i << ": " << caption.toStdString();
        }
    }
    EXPECT_GT(items, 500);
}

// A step that asks for a right click on a blank spot of the Computer
// window frames, in guided mode, the window's own spot in its top-left
// corner: that spot must show nothing but the window's background.
TEST(ShellSamplePictures, TheComputerWindowsOwnSpotIsABlankPartOfIt) {
    const QImage window =
        sample::shellPicture(QStringLiteral("bank:9lX002")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(window.isNull());
    // Spot 92 keeps the rectangle the window gives it: 495 x 375 twips.
    const QRect spot(0, 0, 495 / 15, 375 / 15);
    int drawn = 0;
    for (int y = spot.top(); y <= spot.bottom(); ++y)
        for (int x = spot.left(); x <= spot.right(); ++x)
            drawn += window.pixel(x, y) != window.pixel(window.width() - 1, window.height() - 1);
    EXPECT_EQ(drawn, 0);
}

// The tool strip lights up under the pointer only where it shows a
// command: a spot on its bare face (the same from column to column) keeps
// that face, so that no button appears that is not drawn.
TEST(ShellSamplePictures, TheToolStripLightsOnlyItsCommands) {
    SpotRects fixed{};
    layoutFixedSpots(fixed, One);
    const QImage strip =
        sample::shellPicture(QStringLiteral("1100W1")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(strip.isNull());
    int bare = 0, lit = 0;
    for (int i = 11; i <= 23; ++i) {
        SCOPED_TRACE(i);
        const Rect &r = fixed[size_t(i)];
        const QImage face =
            strip.copy(int(r.left / 15), int(r.top / 15), int(r.width / 15), int(r.height / 15));
        bool plain = true;
        for (int y = 0; y < face.height() && plain; ++y)
            for (int x = 1; x < face.width() && plain; ++x)
                plain = face.pixel(x, y) == face.pixel(0, y);
        for (const QString &look :
             {hoverPicture(QString::number(i)), pressedPicture(QString::number(i))}) {
            const QImage shown = sample::shellPicture(look).convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(shown.size(), face.size()) << look.toStdString();
            if (plain)
                EXPECT_TRUE(shown == face) << look.toStdString() << " lights a bare face";
            else
                EXPECT_FALSE(shown == face) << look.toStdString() << " shows nothing";
        }
        (plain ? bare : lit)++;
    }
    EXPECT_GE(lit, 4); // 视图 and 刷新 among them
    EXPECT_GE(bare, 1);
}

// 画图's tool box shows its tools: every button has a drawing of its own,
// none is an empty face and no two are alike.
TEST(ShellSamplePictures, PaintsToolBoxHasADrawingOnEveryButton) {
    const QImage screen = sample::shellPicture(QStringLiteral("bank:") + sample::PaintScreenPicture)
                              .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(screen.isNull());
    const QRect column = sample::paintToolBox();
    QList<QImage> tools;
    for (int i = 0; i < sample::PaintToolCount; ++i) {
        SCOPED_TRACE(testing::Message() << "tool " << i);
        const QRect button = sample::paintToolButton(column, i);
        ASSERT_TRUE(column.contains(button));
        const QImage inside = screen.copy(button.adjusted(2, 2, -2, -2));
        int ink = 0;
        for (int y = 0; y < inside.height(); ++y)
            for (int x = 0; x < inside.width(); ++x) ink += qGray(inside.pixel(x, y)) < 160;
        EXPECT_GE(ink, 8) << "an empty button";
        for (int k = 0; k < tools.size(); ++k)
            EXPECT_FALSE(inside == tools[k]) << "drawn as tool " << k;
        tools << inside;
    }
}

// The entry "附件" of "所有程序" opens what the folder holds, not the
// entries of the panel it was chosen from again.
TEST(ShellSamplePictures, TheAccessoriesFolderOpensItsOwnEntries) {
    const QStringList opened = sample::accessoriesEntries();
    const QList<QString> from = sample::menuCaptions(QStringLiteral("84")).values();
    ASSERT_TRUE(from.contains(QStringLiteral("附件")));
    for (const QString &entry : opened)
        EXPECT_FALSE(from.contains(entry)) << entry.toStdString() << " repeated";
}

// A submenu shows what its entry names: "共享" the ways of sharing, not
// the places "发送到" sends to. Every submenu is checked against the
// caption of the entry that opens it, and submenus drawn in one shared
// picture must all have the entries that picture shows.
TEST(ShellSamplePictures, EverySubmenuIsDrawnWithTheEntriesOfItsOwnEntry) {
    struct Kind {
        const char *entry;  // the caption of the entry that opens it, from its start
        const char *has;    // an entry it must show (one of several, split by "|")
        const char *hasNot; // one it must not show (empty: none)
    };
    // Entries are compared without their access keys and dots. A browser's
    // "查看" menu shows its bars, a folder's its icon sizes.
    const Kind kinds[] = {
        {"共享", "不共享", "压缩(zipped)文件夹"},
        {"发送到", "压缩(zipped)文件夹", "不共享"},
        {"新建", "文件夹", ""},
        {"查看", "小图标|工具栏", ""},
        {"排序方式", "名称", "(无)"},
        {"分组依据", "(无)", ""},
        {"打开方式", "记事本", ""},
        {"布局", "菜单栏", ""},
        {"保存", "另存为", ""},
    };
    const QRegularExpression decoration(QStringLiteral("(\\([A-Z]\\))?(\\.\\.\\.)?$"));
    QMap<QString, QStringList> drawnIn; // picture name: the entries drawn in it
    int checked = 0;
    for (const Menu2JRow &row : menu2JTable()) {
        for (std::string_view k : row.ids) {
            const QString id = QString::fromLatin1(k.data(), qsizetype(k.size()));
            QStringList entries = sample::menuCaptions(id).values();
            for (QString &e : entries) e.remove(decoration);
            const QString entry = sample::menuCaptions(id.left(2)).value(id.mid(2).toInt());
            SCOPED_TRACE(id.toStdString() + " under \"" + entry.toStdString() + "\"");
            const QString picture = level2PictureName(id);
            if (drawnIn.contains(picture)) {
                EXPECT_EQ(entries, drawnIn.value(picture)) << "shares " << picture.toStdString();
            }
            drawnIn.insert(picture, entries);
            for (const Kind &kind : kinds) {
                if (!entry.startsWith(QString::fromUtf8(kind.entry))) continue;
                ++checked;
                const QStringList wanted = QString::fromUtf8(kind.has).split(u'|');
                EXPECT_TRUE(std::any_of(wanted.begin(), wanted.end(),
                                        [&](const QString &w) { return entries.contains(w); }))
                    << "lacks " << kind.has << ": " << entries.join(u'/').toStdString();
                if (*kind.hasNot) {
                    EXPECT_FALSE(entries.contains(QString::fromUtf8(kind.hasNot)))
                        << "shows " << kind.hasNot;
                }
            }
        }
    }
    EXPECT_GT(checked, 40);
}

// A drive's "共享" submenu lays out one entry, "不共享", but shows the
// whole of Windows 7's menu (not shared, the two homegroup entries,
// particular people, advanced sharing) under it, in the grey of entries
// that cannot be chosen.
TEST(ShellSamplePictures, ADrivesShareSubmenuShowsItsWholeMenuTheRestGreyed) {
    const QImage menu = sample::shellPicture(level2PictureName(u"9504"));
    ItemRects items{};
    layoutLevel2(items, u"9504", One);
    ASSERT_GT(items[1].height, 0);
    ASSERT_EQ(items[2].height, 0);
    // The darkest grey of the caption in the band of entry k (from 0),
    // right of the icon gutter.
    const auto darkest = [&](int k) {
        const QRect band(30, int((items[1].top + k * items[1].height) / 15), menu.width() - 32,
                         int(items[1].height / 15));
        EXPECT_TRUE(menu.rect().contains(band)) << "entry " << k + 1 << " cut off";
        int ink = 255;
        for (int y = band.top(); y <= band.bottom() && y < menu.height(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                ink = std::min(ink, qGray(menu.pixel(x, y)));
        return ink;
    };
    const int chosen = darkest(0);
    EXPECT_LT(chosen, 80);
    for (int k = 1; k < 5; ++k) {
        SCOPED_TRACE(k + 1);
        const int greyed = darkest(k);
        EXPECT_LT(greyed, 200) << "no caption";
        EXPECT_GT(greyed, chosen + 40) << "not greyed";
    }
}

namespace {

class ShellRegionQuestions : public testsupport::ProgramFixture {
protected:
    ShellRegionQuestions()
        : ProgramFixture(
              {sample::addStartupFiles, sample::addShellPictures, sample::addShellQuestions}) {
        auto &s = startup::state();
        s.DataPath = dir().bank();
        s.StepFilePath = dir().bankFile(QStringLiteral("28882%1").arg(sample::kShellUnit));
        s.TextFilePath = dir().bankFile(QStringLiteral("288890"));
        // Each line of the unit's list: code, two-digit step count, text.
        const QStringList list =
            platform::readLines(dir().bankFile(QStringLiteral("28887%1").arg(sample::kShellUnit)))
                .value_or(QStringList());
        s.QuestionCount = int(list.size());
        s.QuestionFirstLine[0] = 1;
        for (int q = 1; q < s.QuestionCount; ++q)
            s.QuestionFirstLine[size_t(q)] =
                s.QuestionFirstLine[size_t(q - 1)] + list[q - 1].mid(4, 2).toInt();
    }

    FrmMain *show(int question, int step) {
        if (!f_) {
            f_ = forms::form<FrmMain>();
            f_->show();
        }
        startup::state().CurQuestion = question;
        startup::state().CurStep = step;
        f_->setData();
        return f_;
    }

    static QString pictureName(const forms::PictureBox *box) {
        return box->picture().path().section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
    }

    forms::testing::Session session_;
    FrmMain *f_ = nullptr;
};

} // namespace

TEST_F(ShellRegionQuestions, EveryRegionIsShownBySomeStep) {
    FrmMain *f = show(1, 1);
    EXPECT_TRUE(f->PicTable->visible());
    EXPECT_TRUE(f->StartMenu->visible());

    // The Computer window with its own command bar, as every folder window.
    f = show(1, 2);
    EXPECT_TRUE(f->PicMyPc->visible());
    EXPECT_FALSE(f->PicTool->visible());
    EXPECT_TRUE(f->PicHui->visible());
    EXPECT_EQ(pictureName(f->PicHui), "41A001");
    EXPECT_EQ(f->LblZHU(26)->top(), 135);
    EXPECT_TRUE(f->PicMenu->visible());
    EXPECT_EQ(pictureName(f->PicMenu), "D00000");

    f = show(1, 3);
    EXPECT_TRUE(f->PicMenu->visible());
    EXPECT_EQ(pictureName(f->PicMenu), "A00000");
    EXPECT_EQ(f->PicMenu->top(), 840);
    EXPECT_EQ(f->LblZHU(5)->left(), 5655);
    EXPECT_FALSE(f->PicTool->visible());

    f = show(2, 2);
    EXPECT_TRUE(f->PicCtrl->visible());
    EXPECT_EQ(pictureName(f->PicCtrl), "NN0000");
    EXPECT_EQ(f->LblZHU(46)->left(), 7650);
    f = show(2, 4);
    EXPECT_EQ(pictureName(f->PicCtrl), "NN0001");
    EXPECT_EQ(f->LblZHU(57)->top(), 4605);

    f = show(3, 1);
    EXPECT_EQ(pictureName(f->PicMenu), "H00000");
    EXPECT_EQ(f->PicMenu->left(), 1515);
    EXPECT_EQ(f->PicMenu->top(), 1815);
    f = show(3, 4);
    EXPECT_EQ(pictureName(f->PicMenu), "G00000");
    EXPECT_EQ(f->PicMenu->left(), 105);
    EXPECT_EQ(f->PicMenu->top(), 555);
    EXPECT_FALSE(f->PicHui->visible());

    f = show(4, 1);
    EXPECT_EQ(pictureName(f->PicMenu), "B00000");
    EXPECT_EQ(f->LblZHU(30)->top(), 330);
    f = show(4, 2);
    EXPECT_TRUE(f->PicTool->visible());
    EXPECT_EQ(pictureName(f->PicTool), "1100W2");
    f = show(4, 3);
    EXPECT_EQ(pictureName(f->PicMenu), "C00000");
    f = show(4, 5);
    EXPECT_EQ(pictureName(f->PicMenu), "D00000");
    EXPECT_TRUE(f->PicMyPc->visible());
}

// The demonstration shows a step's background and no Control Panel page of
// its own: a step that shows the page must have it drawn in its background,
// where the screen lays it, or the demonstration plays on an empty window.
TEST_F(ShellRegionQuestions, ControlPanelStepsHaveTheirPageInTheirBackground) {
    const auto &s = startup::state();
    const QStringList records = platform::readLines(s.StepFilePath).value_or(QStringList());
    int checked = 0;
    for (int q = 1; q <= s.QuestionCount; ++q) {
        const int first = s.QuestionFirstLine[size_t(q - 1)];
        const int last =
            q < s.QuestionCount ? s.QuestionFirstLine[size_t(q)] : int(records.size()) + 1;
        for (int n = 1; first + n - 1 < last; ++n) {
            FrmMain *f = show(q, n);
            if (!f->PicCtrl->visible()) continue;
            SCOPED_TRACE(testing::Message() << "question " << q << ", step " << n);
            const QString background = sim::StepRecord(records[first + n - 2]).backPicture();
            const QImage screen = sample::shellPicture(QStringLiteral("bank:") + background)
                                      .convertToFormat(QImage::Format_RGB32);
            const QImage page =
                sample::shellPicture(pictureName(f->PicCtrl)).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(screen.isNull()) << background.toStdString();
            ASSERT_FALSE(page.isNull());
            EXPECT_EQ(screen.copy(QRect(QPoint(0, f->PicCtrl->top() / 15), page.size())), page)
                << "background " << background.toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 2); // both views
}

// The screen places the start menu at a fixed Top above the taskbar: its
// picture must reach down to where the taskbar and the start button begin,
// or a strip of the desktop shows between the menu and the taskbar.
TEST_F(ShellRegionQuestions, TheStartMenuReachesDownToTheTaskbar) {
    FrmMain *f = show(2, 1); // the desktop, where the candidate opens the start menu
    forms::testing::click(f->StartMenu, 450, 400);
    ASSERT_TRUE(f->PicStart->isShown());
    const QRect menu(f->PicStart->originInFormPx(), f->PicStart->rectPx().size());
    const int taskbarTop = f->StartMenu->originInFormPx().y();
    EXPECT_EQ(menu.bottom() + 1, taskbarTop);

    // What the candidate sees: every row from the menu's top down to the
    // taskbar is the menu's, and the taskbar of the step's background
    // begins right under it.
    const QImage shot = f->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage drawn =
        sample::shellPicture(QStringLiteral("706600")).convertToFormat(QImage::Format_RGB32);
    ASSERT_GE(drawn.height(), taskbarTop - menu.top());
    for (int y = menu.top(); y < taskbarTop; ++y) {
        for (int x : {2, drawn.width() / 2, drawn.width() - 3}) {
            ASSERT_EQ(shot.pixel(menu.left() + x, y), drawn.pixel(x, y - menu.top()))
                << "at " << x << ", " << y;
        }
    }
    const int beside = menu.right() + 100;
    EXPECT_GT(QColor(shot.pixel(beside, taskbarTop - 1)).lightness(), 110) << "the wallpaper";
    EXPECT_LT(QColor(shot.pixel(beside, taskbarTop + 5)).lightness(), 100) << "the taskbar";
}
