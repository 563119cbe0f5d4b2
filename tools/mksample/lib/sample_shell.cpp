#include "sample_shell.h"

#include "sample_chrome.h"
#include "sample_icons.h"
#include "sample_opened_screens.h"
#include "sample_paint.h"
#include "sample_pictures.h"
#include "sample_questions.h"
#include "simulator/shell_layout.h"
#include "step_builder.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace sample {

namespace {

using shell::ItemRects;
using shell::Rect;
using shell::SpotRects;

constexpr shell::Scale One{1, 1};

// Twips of the design screen to pixels.
int px(double twips) {
    return int(std::lround(twips / 15.0));
}
QRect pxRect(const Rect &r) {
    return QRect(px(r.left), px(r.top), px(r.width), px(r.height));
}

QImage canvas(int w, int h, QColor fill) {
    QImage img(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

const QColor kLink(0x1e, 0x5e, 0xb5);
const QColor kCategory(0x1b, 0x7b, 0x1b);
const QColor kMenuText(0x1a, 0x1a, 0x1a);
const QColor kGreyedText(0x8d, 0x8d, 0x8d);

} // namespace

// The texts over the items of the Control Panel panels "41".."57".
QStringList ctrlPanelTexts(const QString &code) {
    static const QHash<QString, QStringList> texts = {
        {"41", {"系统和安全", "查看您的计算机状态", "备份您的计算机", "查找并解决问题"}},
        {"42", {"网络和 Internet", "查看网络状态和任务", "选择家庭组和共享选项"}},
        {"43", {"硬件和声音", "查看设备和打印机", "添加设备"}},
        {"44", {"程序", "卸载程序"}},
        {"45", {"用户帐户和家庭安全", "添加或删除用户帐户", "为所有用户设置家长控制"}},
        {"46", {"外观和个性化", "更改主题", "更改桌面背景", "调整屏幕分辨率"}},
        {"47", {"时钟、语言和区域", "更改键盘或其他输入法", "更改显示语言"}},
        {"48", {"轻松访问", "使用 Windows 建议的设置", "优化视频显示"}},
        // The page of a category lists its links on one line under each
        // title, in the narrow places the layout gives them.
        {"51",
         {"操作中心", "检查状态", "用户帐户控制", "常见问题疑难解答", "还原计算机", "查看事件"}},
        {"52", {"Windows 防火墙", "检查防火墙状态", "允许的程序", "高级设置"}},
        {"53", {"系统", "查看内存和速度", "检查体验指数", "远程访问", "查看该计算机的名称"}},
        {"54", {"Windows Update", "启用或禁用自动更新", "检查更新", "查看已安装的更新"}},
        {"55", {"电源选项", "唤醒密码", "电源按钮功能", "更改睡眠时间", "选择电源计划"}},
        {"56", {"备份和还原", "备份您的计算机", "从备份还原文件"}},
        {"57", {"管理工具", "释放磁盘空间", "碎片整理", "创建并格式化硬盘分区"}},
    };
    return texts.value(code);
}

namespace {

// Is the picture under r dark (the wallpaper, the taskbar)? Pictures on
// other devices count as light.
bool darkUnder(QPainter &p, const QRect &r) {
    const auto *img = dynamic_cast<const QImage *>(p.device());
    if (!img) return false;
    const QRect in = p.transform().mapRect(r).intersected(img->rect());
    if (in.isEmpty()) return false;
    double sum = 0;
    int n = 0;
    for (int y = in.top(); y <= in.bottom(); y += 2)
        for (int x = in.left(); x <= in.right(); x += 2, ++n) sum += qGray(img->pixel(x, y));
    return n > 0 && sum / n < 110;
}

} // namespace

// The light blue look of a Windows 7 item under the pointer; `strong` for
// a selected or pressed item. The highlight lies behind what is already
// drawn in r: on a light picture only the background takes the blue (the
// darker of the two wins, so text and icon stay as they are); on a dark
// one (wallpaper, taskbar) a light glass brightens it, white text staying
// white.
void drawHoverLook(QPainter &p, const QRect &r, bool strong) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (darkUnder(p, r)) {
        g.setColorAt(0, strong ? QColor(0x60, 0x78, 0x90) : QColor(0x48, 0x58, 0x68));
        g.setColorAt(1, strong ? QColor(0x40, 0x58, 0x70) : QColor(0x28, 0x38, 0x48));
        p.setCompositionMode(QPainter::CompositionMode_Screen);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(box, 3, 3);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(QPen(QColor(255, 255, 255, strong ? 150 : 100), 1));
    } else {
        g.setColorAt(0, strong ? QColor(0xdc, 0xeb, 0xfc) : QColor(0xf2, 0xf8, 0xff));
        g.setColorAt(1, strong ? QColor(0xc1, 0xdb, 0xfc) : QColor(0xdc, 0xec, 0xfc));
        p.setCompositionMode(QPainter::CompositionMode_Darken);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(box, 3, 3);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(QPen(strong ? QColor(0x7d, 0xa2, 0xce) : QColor(0xb8, 0xd6, 0xfb), 1));
    }
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box, 3, 3);
    p.restore();
}

// A crop of a region picture at a spot, with the hover or pressed look.
QImage spotLook(const QImage &region, const Rect &spot, bool strong) {
    QRect r = pxRect(spot);
    if (r.width() <= 0 || r.height() <= 0) return QImage();
    QImage img = canvas(r.width(), r.height(), Qt::transparent);
    QPainter p(&img);
    p.drawImage(QPoint(0, 0), region, r);
    drawHoverLook(p, img.rect(), strong);
    return img;
}

namespace {

// A caption inside r. One wider than r is drawn smaller, down to 9
// pixels, and then shortened with "…", so that it never runs over the spot
// beside it nor is cut off in the middle of a character.
void text(QPainter &p, const QRect &r, const QString &s, QColor colour, int size,
          int flags = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false) {
    QFont f = uiFont(size, bold);
    while (size > 9 && QFontMetrics(f).horizontalAdvance(s) > r.width()) f = uiFont(--size, bold);
    p.setPen(colour);
    p.setFont(f);
    p.drawText(r, flags | Qt::TextSingleLine,
               QFontMetrics(f).elidedText(s, Qt::ElideRight, std::max(r.width(), 1)));
}

// ---- Regions ---------------------------------------------------------------

SpotRects fixedSpots() {
    SpotRects s{};
    shell::layoutFixedSpots(s, One);
    return s;
}

QStringList desktopIconNames() {
    // Spots 61..65 from the top.
    return {QStringLiteral("回收站"), QStringLiteral("网络"), QStringLiteral("计算机"),
            QStringLiteral("控制面板"), QStringLiteral("Administrator")};
}

// The wallpaper with its icons, and the taskbar below it.
void paintDesktop(QPainter &p, const QRect &area, DesktopIcons icons = DesktopIcons::Large) {
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 600);
    sky.setColorAt(0, QColor(0x0b, 0x4d, 0x9e));
    sky.setColorAt(1, QColor(0x4a, 0x9c, 0xe4));
    p.fillRect(area, sky);
    // The soft swirl of the default background.
    for (int i = 0; i < 6; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 18 + 6 * i), 18 - 2 * i));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(700 + 10 * i, 300 - 4 * i), 420 - 30 * i, 160 - 12 * i);
    }
    const SpotRects spots = fixedSpots();
    const QStringList names = desktopIconNames();
    for (int i = 0; i < 5; ++i) {
        // Smaller icons stand closer, in the upper part of the large ones'
        // column.
        const QRect r = icons == DesktopIcons::Small    ? QRect(0, 8 + 52 * i, 78, 48)
                        : icons == DesktopIcons::Medium ? QRect(0, 8 + 80 * i, 78, 64)
                                                        : pxRect(spots[size_t(61 + i)]);
        const int icon = icons == DesktopIcons::Small    ? 20
                         : icons == DesktopIcons::Medium ? 30
                                                         : 40;
        drawIcon(p, QRect(r.center().x() - icon / 2, r.top() + 4, icon, icon), iconFor(names[i]));
        const QRect label(r.left(), r.top() + icon + 6, r.width(), 22);
        text(p, label.translated(1, 1), names[i], QColor(0, 0, 0, 160), 12, Qt::AlignCenter);
        text(p, label, names[i], Qt::white, 12, Qt::AlignCenter);
    }
}

// The desktop area: everything above the taskbar, which belongs to the
// screen behind it together with the start button.
QImage desktop() {
    QImage img = canvas(1024, 560, Qt::black);
    QPainter p(&img);
    paintDesktop(p, img.rect());
    return img;
}

// The whole screen as a step's background shows it.
QImage desktopScreen(DesktopIcons icons = DesktopIcons::Large) {
    QImage img = canvas(1024, 600, Qt::black);
    QPainter p(&img);
    paintDesktop(p, img.rect(), icons);
    drawTaskbar(p, QRect(0, 560, 1024, 40));
    return img;
}

// The screen with a window of this title open at the given place (pixels),
// reaching to the screen's right edge and down to the taskbar.
QImage windowScreen(const QString &title, QPoint at = QPoint(0, 0)) {
    QImage img = desktopScreen();
    QPainter p(&img);
    p.drawImage(at, windowPicture(QSize(1024 - at.x(), 560 - at.y()), title));
    return img;
}

} // namespace

QRect paintToolBox() {
    const int top = px(PaintBarTop) + 20;
    return QRect(7, top, 56, 553 - top);
}

namespace {

// The Paint window over the screen above the taskbar: under its menu bar
// (which the steps lay along the client area's top) the tool box at the
// left and the grey work area with the white picture in it.
QImage paintScreen() {
    QImage img = windowScreen(QStringLiteral("无标题 - 画图"));
    QPainter p(&img);
    const int top = px(PaintBarTop) + 20;
    p.fillRect(QRect(7, top, 1010, 553 - top), QColor(0xab, 0xb9, 0xcd));
    drawPaintToolBox(p, paintToolBox());
    p.fillRect(QRect(70, top + 10, 520, 340), Qt::white);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(QRect(70, top + 10, 520, 340));
    return img;
}

// An Explorer window over the whole screen above the taskbar: its address
// row shows the path, or the tool strip the steps lay there holds it; its
// content, right of the task pane and below the command bar or the strip,
// shows the items.
struct ExplorerScreen {
    QString picture, title;
    QStringList path;
    QList<GridItem> items;
    ExplorerTop top = ExplorerTop::AddressRow;
    IconSize icons = IconSize::Large;
};

QImage explorerScreen(const ExplorerScreen &w) {
    QImage img = desktopScreen();
    QPainter p(&img);
    p.drawImage(QPoint(0, 0),
                explorerWindowPicture(QSize(1024, 560), w.title, w.path, false, w.top));
    drawIconGrid(p, kGridOrigin, kGridColumns, w.items, w.icons);
    return img;
}

// The video window is shown both with a command bar under its address row
// and with the tool strip in its place: one picture for each.
QList<ExplorerScreen> explorerScreens() {
    const auto folder = [](const char *name) {
        return GridItem{Icon::Folder, QString::fromUtf8(name)};
    };
    const QStringList computer = {QStringLiteral("计算机")};
    const QStringList video = {QStringLiteral("库"), QStringLiteral("视频")};
    const QList<GridItem> videos = {folder("示例视频"),
                                    {Icon::MediaPlayer, QStringLiteral("野生动物.wmv")}};
    return {
        {ComputerScreenPicture, computer.front(), computer, {}},
        {DriveScreenPicture,
         QStringLiteral("本地磁盘 (C:)"),
         {QStringLiteral("计算机"), QStringLiteral("本地磁盘 (C:)")},
         {folder("PerfLogs"), folder("Program Files"), folder("Windows"), folder("用户")}},
        {LibraryScreenPicture,
         QStringLiteral("库"),
         {QStringLiteral("库")},
         {{Icon::Document, QStringLiteral("文档")},
          {Icon::Music, QStringLiteral("音乐")},
          {Icon::Pictures, QStringLiteral("图片")},
          {Icon::Video, QStringLiteral("视频")}}},
        {VideoScreenPicture, video.back(), video, videos, ExplorerTop::ToolStrip},
        // The video library once its view is changed to medium icons.
        {VideoBarScreenPicture, video.back(), video, videos, ExplorerTop::AddressRow,
         IconSize::Medium},
    };
}

QImage computerWindow() {
    QImage img = canvas(864, 470, Qt::white);
    QPainter p(&img);
    const SpotRects spots = fixedSpots();
    // The headings stand right of the window's own spot in its top-left
    // corner, which the guided mode frames for a click on a blank spot.
    auto header = [&](int y, const QString &s) {
        text(p, QRect(40, y, 300, 18), s, QColor(0x1e, 0x39, 0x87), 13);
        p.setPen(QColor(0xe2, 0xe8, 0xf0));
        p.drawLine(40 + 150, y + 9, 840, y + 9);
    };
    header(10, QStringLiteral("硬盘 (4)"));
    header(158, QStringLiteral("有可移动存储的设备 (2)"));
    header(243, QStringLiteral("网络位置 (1)"));
    const QString names[] = {QStringLiteral("网络驱动器 (Z:)"), QStringLiteral("DVD 驱动器 (G:)"),
                             QStringLiteral("本地磁盘 (C:)"),   QStringLiteral("本地磁盘 (D:)"),
                             QStringLiteral("本地磁盘 (E:)"),   QStringLiteral("本地磁盘 (F:)"),
                             QStringLiteral("软盘驱动器 (A:)")};
    for (int i = 93; i <= 99; ++i) {
        const QRect r = pxRect(spots[size_t(i)]);
        const Icon icon = i == 93 ? Icon::Network : i == 94 ? Icon::OpticalDrive : Icon::Drive;
        drawIcon(p, QRect(r.left() + 4, r.top() + 8, 40, 40), icon);
        text(p, QRect(r.left() + 52, r.top() + 4, r.width() - 56, 16), names[i - 93], kMenuText,
             12);
        if (i >= 95 && i <= 98) {
            const QRect bar(r.left() + 52, r.top() + 23, 180, 12);
            p.setPen(QColor(0xbc, 0xbc, 0xbc));
            p.setBrush(QColor(0xe6, 0xe6, 0xe6));
            p.drawRect(bar);
            p.fillRect(bar.adjusted(1, 1, -(60 + 20 * (i - 95)), 0), QColor(0x26, 0xa0, 0xda));
            text(p, QRect(r.left() + 52, r.top() + 37, 200, 16),
                 QStringLiteral("%1 GB 可用，共 %2 GB").arg(20 + 11 * (i - 95)).arg(60),
                 QColor(0x6d, 0x6d, 0x6d), 11);
        }
    }
    return img;
}

// The left column of a category page: its links one under the other, all
// from one left edge, each as wide as the column allows; the page on show
// (the spot of its link) in black.
void paintCategoryNav(QPainter &p, const SpotRects &spots, int current) {
    p.fillRect(QRect(0, 0, 200, 504), QColor(0xee, 0xf3, 0xfa));
    const QStringList nav = {
        "控制面板主页", "系统和安全",         "网络和 Internet", "硬件和声音",
        "程序",         "用户帐户和家庭安全", "外观和个性化",    "时钟、语言和区域"};
    for (int i = 41; i <= 48; ++i) {
        const QRect r = pxRect(spots[size_t(i)]);
        text(p, QRect(20, r.top(), 176, r.height()), nav[i - 41], i == current ? kMenuText : kLink,
             12, Qt::AlignLeft | Qt::AlignVCenter, i == current);
    }
}

// How the links of a category row stand on their line: each in the place
// the layout of the row's spot gives it, up to the next one, or, on a page
// no view lays out, one after the other as wide as their texts.
enum class LinkPlaces { Layout, Flow };

// One row of a category page at the row's spot: its icon, its title alone
// on the first line and its links on the second (texts: the title, then
// the links).
void paintCategoryRow(QPainter &p, const QRect &row, int spot, Icon icon, const QStringList &t,
                      LinkPlaces places) {
    drawIcon(p, QRect(row.left() - 40, row.top() + 6, 36, 36), icon);
    ItemRects items{};
    shell::layoutLevel1(items, QString::number(spot), One);
    const auto place = [&](int item) {
        return pxRect(items[size_t(item)]).translated(row.topLeft());
    };
    const int left = row.left() + 40;
    const QRect title = place(1);
    text(p, QRect(left, title.top(), 600, title.height()), t[0], kCategory, 15);
    const QFontMetrics links(uiFont(12));
    int flowX = left;
    for (int k = 1; k < t.size(); ++k) {
        QRect at;
        if (places == LinkPlaces::Flow) {
            const QRect line = place(2);
            at = QRect(flowX, line.top(), links.horizontalAdvance(t[k]) + 2, line.height());
            flowX += at.width() + 24;
        } else {
            const QRect ir = place(k + 1);
            const int from = k == 1 ? left : ir.left();
            const int to = k + 1 < t.size() ? place(k + 2).left() - 6 : ir.right() + 40;
            at = QRect(from, ir.top(), to - from, ir.height());
        }
        text(p, at, t[k], kLink, 12);
    }
}

QImage ctrlPanel(int view) {
    QImage img = canvas(1024, 504, Qt::white);
    QPainter p(&img);
    SpotRects spots{};
    shell::layoutCtrlPanel(spots, view, One);
    if (view == 0) {
        text(p, QRect(160, 30, 400, 24), QStringLiteral("调整计算机的设置"),
             QColor(0x1e, 0x39, 0x87), 17);
        text(p, QRect(760, 32, 240, 20), QStringLiteral("查看方式：类别 ▾"), kMenuText, 12);
        for (int i = 41; i <= 48; ++i) {
            const QRect r = pxRect(spots[size_t(i)]);
            const Icon icons[] = {Icon::Defender, Icon::Network,  Icon::Printer, Icon::Program,
                                  Icon::User,     Icon::Computer, Icon::Network, Icon::Magnifier};
            drawIcon(p, QRect(r.left() + 4, r.top() + 2, 48, 48), icons[i - 41]);
            const QStringList t = ctrlPanelTexts(QString::number(i));
            ItemRects items{};
            shell::layoutLevel1(items, QString::number(i), One);
            for (int k = 0; k < t.size(); ++k) {
                const QRect ir = pxRect(items[size_t(k + 1)]).translated(r.topLeft());
                text(p, ir, t[k], k == 0 ? kCategory : kLink, k == 0 ? 15 : 12);
            }
        }
    } else if (view == 1) {
        paintCategoryNav(p, spots, 42);
        const Icon icons[] = {Icon::Defender, Icon::Network, Icon::Computer,    Icon::Program,
                              Icon::Drive,    Icon::Backup,  Icon::ControlPanel};
        for (int i = 51; i <= 57; ++i) {
            paintCategoryRow(p, pxRect(spots[size_t(i)]), i, icons[i - 51],
                             ctrlPanelTexts(QString::number(i)), LinkPlaces::Layout);
        }
    } else {
        text(p, QRect(160, 30, 600, 24), QStringLiteral("所有控制面板项"), QColor(0x1e, 0x39, 0x87),
             17);
    }
    return img;
}

// The "外观和个性化" page of the category view, which no view of the
// screen lays out: its rows stand where those of "系统和安全" do, each
// title over its links.
QImage appearancePage() {
    QImage img = canvas(1024, 504, Qt::white);
    QPainter p(&img);
    SpotRects spots{};
    shell::layoutCtrlPanel(spots, 1, One);
    paintCategoryNav(p, spots, 47);
    const QList<QStringList> rows = {
        {"个性化", "更改主题", "更改桌面背景", "更改半透明窗口颜色", "更改声音效果"},
        {"显示", "放大或缩小文本和其他项目", "调整屏幕分辨率"},
        {"桌面小工具", "向桌面添加小工具", "联机获取更多小工具"},
        {"任务栏和「开始」菜单", "自定义「开始」菜单", "自定义任务栏上的图标"},
        {"轻松访问中心", "使用 Windows 建议的设置", "优化视频显示"},
        {"文件夹选项", "指定单击或双击以打开", "显示隐藏的文件和文件夹"},
        {"字体", "预览、删除或者显示和隐藏字体", "更改字体设置"}};
    const Icon icons[] = {Icon::Computer,  Icon::Computer, Icon::ControlPanel, Icon::Program,
                          Icon::Magnifier, Icon::Folder,   Icon::Document};
    for (int i = 0; i < rows.size(); ++i) {
        const int spot = 51 + i;
        paintCategoryRow(p, pxRect(spots[size_t(spot)]), spot, icons[i], rows[i], LinkPlaces::Flow);
    }
    return img;
}

// The start menu stands on the taskbar: the screen places it at a fixed
// Top, so its picture reaches from there down to the taskbar's top edge,
// where the start button begins.
int startMenuHeight() {
    return px(shell::StartButtonRect.top - shell::StartMenuPlace.top);
}

// The page "管理帐户", which "添加或删除用户帐户" opens: the accounts to
// choose from, and the links under them.
QImage accountsPage() {
    QImage img = canvas(1024, 504, Qt::white);
    QPainter p(&img);
    text(p, QRect(40, 24, 600, 28), QStringLiteral("选择希望更改的帐户"), QColor(0x1e, 0x39, 0x87),
         17);
    struct Account {
        QString name, kind, state;
    };
    const Account accounts[] = {
        {QStringLiteral("Administrator"), QStringLiteral("管理员"), QStringLiteral("密码保护")},
        {QStringLiteral("Guest"), QStringLiteral("来宾帐户没有启用"), QString()}};
    for (int i = 0; i < 2; ++i) {
        const QRect tile(40 + 320 * i, 72, 290, 76);
        p.setPen(QColor(0xd6, 0xe0, 0xec));
        p.setBrush(Qt::NoBrush);
        p.drawRect(tile.adjusted(0, 0, -1, -1));
        drawIcon(p, QRect(tile.left() + 10, tile.top() + 10, 56, 56), Icon::User);
        text(p, QRect(tile.left() + 76, tile.top() + 10, 200, 20), accounts[i].name, kMenuText, 14);
        text(p, QRect(tile.left() + 76, tile.top() + 32, 200, 18), accounts[i].kind,
             QColor(0x6d, 0x6d, 0x6d), 12);
        text(p, QRect(tile.left() + 76, tile.top() + 50, 200, 18), accounts[i].state,
             QColor(0x6d, 0x6d, 0x6d), 12);
    }
    text(p, QRect(40, 176, 400, 20), QStringLiteral("创建一个新帐户"), kLink, 12);
    text(p, QRect(40, 200, 400, 20), QStringLiteral("什么是用户帐户?"), kLink, 12);
    text(p, QRect(40, 248, 400, 22), QStringLiteral("其他您可以执行的操作"),
         QColor(0x1e, 0x39, 0x87), 14);
    text(p, QRect(40, 276, 400, 20), QStringLiteral("设置家长控制"), kLink, 12);
    text(p, QRect(40, 300, 400, 20), QStringLiteral("转到主“用户帐户”页面"), kLink, 12);
    return img;
}

// The page "性能信息和工具", which "检查体验指数" opens: the links of the
// left column, and the Windows Experience Index of each part with the
// base score beside them.
QImage performancePage() {
    QImage img = canvas(1024, 504, Qt::white);
    QPainter p(&img);
    p.fillRect(QRect(0, 0, 200, 504), QColor(0xee, 0xf3, 0xfa));
    const QStringList nav = {"控制面板主页", "调整视觉效果", "调整索引选项",
                             "调整电源设置", "打开磁盘清理", "高级工具"};
    for (int i = 0; i < nav.size(); ++i)
        text(p, QRect(20, 20 + 30 * i, 176, 20), nav[i], kLink, 12);
    text(p, QRect(230, 20, 700, 28), QStringLiteral("评价和提高计算机的性能"),
         QColor(0x1e, 0x39, 0x87), 17);
    text(p, QRect(230, 56, 700, 20),
         QStringLiteral("Windows 体验指数评估计算机关键组件的性能，分数范围为 1.0 到 7.9。"),
         kMenuText, 12);
    const QRect table(230, 92, 560, 214);
    p.setPen(QColor(0xc8, 0xd4, 0xe4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(table);
    p.fillRect(QRect(table.left() + 1, table.top() + 1, table.width() - 1, 28),
               QColor(0xe8, 0xef, 0xf8));
    const int columns[] = {table.left() + 10, table.left() + 130, table.left() + 400,
                           table.left() + 470};
    const QStringList head = {"组件", "评估项目", "子分数", "基础分数"};
    for (int c = 0; c < 4; ++c)
        text(p, QRect(columns[c], table.top() + 4, 120, 22), head[c], kMenuText, 12,
             Qt::AlignLeft | Qt::AlignVCenter, true);
    const QStringList rows[] = {{"处理器", "每秒计算", "6.9"},
                                {"内存 (RAM)", "每秒内存操作", "5.9"},
                                {"图形", "Windows Aero 的桌面性能", "5.9"},
                                {"游戏图形", "3D 商业和游戏图形性能", "6.4"},
                                {"主硬盘", "磁盘数据传输速率", "5.9"}};
    for (int r = 0; r < 5; ++r) {
        const int y = table.top() + 34 + 36 * r;
        for (int c = 0; c < 3; ++c)
            text(p, QRect(columns[c], y, c == 1 ? 260 : 110, 22), rows[r][c], kMenuText, 12);
    }
    // The base score: the lowest sub-score, on its blue tile.
    const QRect score(columns[3], table.top() + 60, 72, 72);
    p.setPen(QColor(0x2c, 0x68, 0xb0));
    p.setBrush(QColor(0x3c, 0x7f, 0xcf));
    p.drawRect(score);
    text(p, score, QStringLiteral("5.9"), Qt::white, 30, Qt::AlignCenter, true);
    text(p, QRect(columns[3] - 10, score.bottom() + 6, 100, 18), QStringLiteral("由最低分决定"),
         QColor(0x6d, 0x6d, 0x6d), 11, Qt::AlignCenter);
    text(p, QRect(230, 330, 500, 20), QStringLiteral("重新运行评估"), kLink, 12);
    return img;
}

QImage startMenu() {
    const int height = startMenuHeight();
    QImage img = canvas(404, height, QColor(0x1e, 0x3c, 0x5e));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient glass(0, 0, 0, height);
    glass.setColorAt(0, QColor(0x3c, 0x6a, 0x96));
    glass.setColorAt(1, QColor(0x1a, 0x34, 0x52));
    p.fillRect(img.rect(), glass);
    // The white column of programs ends a little under "所有程序"; the
    // search box stands on the glass below it.
    const int searchTop = height - 30;
    p.setBrush(Qt::white);
    p.setPen(QColor(0x90, 0xa8, 0xc0));
    p.drawRoundedRect(QRectF(6, 6, 256, searchTop - 16), 4, 4);
    const SpotRects s = fixedSpots();
    const QHash<int, QString> left = {
        {80, "入门"}, {83, "Windows Media Center"}, {85, "计算器"}, {86, "便笺"}, {87, "截图工具"},
        {88, "画图"}, {89, "远程桌面连接"},         {90, "放大镜"}, {91, "纸牌"}, {84, "所有程序"}};
    for (auto it = left.begin(); it != left.end(); ++it) {
        const QRect r = pxRect(s[size_t(it.key())]);
        if (it.key() != 84)
            drawIcon(p, QRect(r.left() + 2, r.top() + 2, 32, 32), iconFor(it.value()));
        text(p, r.adjusted(it.key() == 84 ? 24 : 40, 0, 0, 0), it.value(), kMenuText, 13);
    }
    p.setPen(QColor(0xd6, 0xe0, 0xec));
    p.drawLine(14, 392, 254, 392);
    // The search box at the foot of the left column.
    p.setBrush(Qt::white);
    p.setPen(QColor(0x8a, 0xa0, 0xb8));
    p.drawRoundedRect(QRectF(12, searchTop, 244, 22), 3, 3);
    text(p, QRect(20, searchTop, 230, 22), QStringLiteral("搜索程序和文件"),
         QColor(0x8a, 0x8a, 0x8a), 12, Qt::AlignLeft | Qt::AlignVCenter);
    // The user's picture above the right column.
    p.setBrush(QColor(0xf4, 0xa4, 0x3c));
    p.setPen(QPen(Qt::white, 2));
    p.drawRoundedRect(QRectF(300, 14, 52, 52), 5, 5);
    const QHash<int, QString> right = {{79, "Administrator"}, {78, "文档"},     {77, "图片"},
                                       {76, "音乐"},          {75, "计算机"},   {74, "控制面板"},
                                       {73, "设备和打印机"},  {72, "默认程序"}, {71, "帮助和支持"}};
    for (auto it = right.begin(); it != right.end(); ++it) {
        text(p, pxRect(s[size_t(it.key())]).adjusted(8, 0, 0, 0), it.value(), Qt::white, 13);
    }
    // The shut-down button and its arrow.
    const QRect off = pxRect(s[81]), arrow = pxRect(s[82]);
    QLinearGradient b(off.topLeft(), off.bottomLeft());
    b.setColorAt(0, QColor(0xd8, 0x5a, 0x3c));
    b.setColorAt(1, QColor(0xa0, 0x30, 0x18));
    p.setBrush(b);
    p.setPen(QColor(0x50, 0x18, 0x10));
    p.drawRoundedRect(QRectF(off).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.drawRoundedRect(QRectF(arrow).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    text(p, off, QStringLiteral("关机"), Qt::white, 12, Qt::AlignCenter);
    text(p, arrow, QStringLiteral("▶"), Qt::white, 9, Qt::AlignCenter);
    return img;
}

// The tool strip's commands by spot, in the flat look of a Windows 7
// command bar: its menus and commands from the left, the view button and
// help further on. The spots between them lie on the bar's bare face, as
// the space between a command bar's two groups does.
QHash<int, QString> toolStripLabels() {
    return {{11, "组织 ▾"}, {12, "共享 ▾"}, {13, "刻录"}, {14, "新建文件夹"},
            {15, "刷新"},   {23, "视图 ▾"}, {22, "?"}};
}

QImage toolStrip(bool second) {
    QImage img = canvas(1024, 40, Qt::white);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 40);
    g.setColorAt(0, QColor(0xf5, 0xfa, 0xff));
    g.setColorAt(1, QColor(0xdc, 0xe9, 0xf7));
    p.fillRect(img.rect(), g);
    p.setPen(QColor(0xa0, 0xaf, 0xc3));
    p.drawLine(0, 39, 1023, 39);
    const SpotRects s = fixedSpots();
    const QHash<int, QString> labels = toolStripLabels();
    for (auto it = labels.begin(); it != labels.end(); ++it) {
        const QRect r = pxRect(s[size_t(it.key())]);
        const bool help = it.key() == 22;
        text(p, r, it.value(), help ? QColor(0x2a, 0x4a, 0x7a) : kMenuText, help ? 14 : 12,
             Qt::AlignCenter);
    }
    // The window's search box, which the strip takes over from the address
    // row it stands in for. The first strip shows in the "文档" window and
    // searches the window it is in; the second only in the video library.
    p.setBrush(Qt::white);
    p.setPen(QColor(0x8a, 0xa0, 0xb8));
    p.drawRect(QRect(780, 9, 230, 22));
    text(p, QRect(786, 9, 220, 22), second ? QStringLiteral("搜索 视频") : QStringLiteral("搜索"),
         QColor(0x8a, 0x8a, 0x8a), 12);
    return img;
}

SpotRects barSpots(char letter) {
    // The ten spots as the window creates them, then the bar's layout.
    SpotRects s{};
    for (int i = 1; i <= 6; ++i) s[size_t(i)] = Rect{0, 0, 495, 375};
    s[7] = Rect{480, 0, 495, 375};
    s[8] = Rect{480, -120, 495, 375};
    s[9] = Rect{1440, 0, 495, 375};
    s[10] = Rect{3240, 840, 375, 255};
    shell::layoutMenuBar(s, QLatin1Char(letter), One);
    return s;
}

QStringList barLabels(char letter) {
    switch (letter) {
    case 'A':
        return {"组织 ▾", "打开", "共享 ▾", "刻录", "新建文件夹"};
    case 'B':
        return {"组织 ▾", "", "包含到库中 ▾", "共享 ▾", "新建文件夹"};
    case 'C':
        return {"组织 ▾", "打开", "包含到库中 ▾", "共享 ▾", "新建文件夹"};
    case 'D':
        return {"组织 ▾", "系统属性", "卸载或更改程序"};
    case 'G':
        return {"文件(F)", "编辑(E)", "查看(V)", "帮助(H)"};
    case 'H':
        return {"文件(F)", "编辑(E)", "格式(O)", "查看(V)", "帮助(H)"};
    default:
        return {};
    }
}

// Commands a bar shows after its last spot, which no step asks for: the
// Computer window's "D" has four commands and spots for two of them.
QStringList barCommandsWithoutSpot(char letter) {
    if (letter == 'D') return {"映射网络驱动器", "打开控制面板"};
    return {};
}

// The window a bar belongs to and the window's client width (pixels): a
// menu bar is as wide as the client area it lies in, the command bars span
// the screen.
int barWidth(char letter) {
    switch (letter) {
    case 'G':
        return 1024 - 2 * px(PaintBarLeft);
    case 'H':
        return 1024 - px(NotepadBarLeft) - 7;
    default:
        return 1024;
    }
}

QImage bar(char letter) {
    const bool command = letter <= 'D';
    QImage img = canvas(barWidth(letter), command ? 32 : 20, Qt::white);
    QPainter p(&img);
    if (command) {
        QLinearGradient g(0, 0, 0, 32);
        g.setColorAt(0, QColor(0xf5, 0xfa, 0xff));
        g.setColorAt(1, QColor(0xdc, 0xe9, 0xf7));
        p.fillRect(img.rect(), g);
        p.setPen(QColor(0xa0, 0xaf, 0xc3));
        p.drawLine(0, 31, img.width() - 1, 31);
    } else {
        p.fillRect(img.rect(), QColor(0xf0, 0xf0, 0xf0));
    }
    const SpotRects s = barSpots(letter);
    const QStringList labels = barLabels(letter);
    for (int i = 0; i < labels.size(); ++i) {
        const QRect r = pxRect(s[size_t(i + 1)]);
        text(p, QRect(r.left(), r.top(), r.width(), command ? 25 : r.height()), labels[i],
             kMenuText, 12, Qt::AlignCenter);
    }
    // Spaced as the commands before them: their text and 9 pixels each side.
    int x = labels.isEmpty() ? 0 : pxRect(s[size_t(labels.size())]).right() + 1;
    const QFontMetrics metrics(uiFont(12));
    for (const QString &more : barCommandsWithoutSpot(letter)) {
        const int w = metrics.horizontalAdvance(more) + 18;
        text(p, QRect(x, pxRect(s[1]).top(), w, 25), more, kMenuText, 12, Qt::AlignCenter);
        x += w;
    }
    if (command) {
        // View, its arrow, preview pane and help at the right end.
        const QString right[] = {"▦", "▾", "▯", "?"};
        for (int i = 0; i < 4; ++i) {
            const QRect r = pxRect(s[size_t(6 + i)]);
            text(p, QRect(r.left(), r.top(), r.width(), 25), right[i], QColor(0x2a, 0x4a, 0x7a), 14,
                 Qt::AlignCenter);
        }
    }
    return img;
}

QStringList taskPaneLabels() {
    // Spots 24..40; a spot shows the same entry in every pane variant.
    return {"网络",           "控制面板",     "收藏夹", "下载",          "桌面",
            "最近访问的位置", "库",           "视频",   "图片",          "文档",
            "音乐",           "家庭组",       "计算机", "本地磁盘 (C:)", "本地磁盘 (D:)",
            "本地磁盘 (E:)",  "本地磁盘 (F:)"};
}

QImage taskPane(int variant) {
    QImage img = canvas(160, 471, Qt::white);
    QPainter p(&img);
    QLinearGradient g(0, 0, 160, 0);
    g.setColorAt(0, QColor(0xf1, 0xf5, 0xfb));
    g.setColorAt(1, Qt::white);
    p.fillRect(img.rect(), g);
    p.setPen(QColor(0xd5, 0xdf, 0xe5));
    p.drawLine(159, 0, 159, 470);
    if (variant < 1 || variant > 3) {
        text(p, QRect(10, 10, 140, 20), QStringLiteral("详细信息"), kMenuText, 12);
        return img;
    }
    SpotRects s{};
    shell::layoutTaskPane(s, variant, One);
    const QStringList labels = taskPaneLabels();
    for (int i = 24; i <= 40; ++i) {
        const QRect r = pxRect(s[size_t(i)]);
        if (r.bottom() < 0) continue;
        const bool head = i == 26 || i == 30 || i == 35 || i == 36 || i == 24;
        drawIcon(p, QRect(r.left() + (head ? 4 : 18), r.top() + 3, 17, 17),
                 i >= 37 ? Icon::Drive : iconFor(labels[i - 24]));
        text(p, r.adjusted(head ? 24 : 38, 0, 0, 0), labels[i - 24], kMenuText, 12);
    }
    return img;
}

// ---- Panels ----------------------------------------------------------------

// The entries of every panel the layout tables place items on, in item
// order; a panel of a row that several codes share may have none of its
// own and then shows the entries of the row's first code. Entries that
// open a further panel get their arrow when drawn. The "S" to "V" panels
// open from the extra pictures of the bank's questions; the sample gives
// them the menus of the buttons and files it draws there ("T1" the view
// menu of "视图", "U6" that of "组织", "V5" a file's menu).
QStringList panelTexts(const QString &code) {
    static const QHash<QString, QStringList> texts = {
        {"A1",
         {"剪切", "复制", "粘贴", "撤消", "重做", "全选", "布局", "文件夹和搜索选项", "删除",
          "重命名", "删除属性", "属性", "关闭"}},
        {"A107", {"菜单栏", "细节窗格", "预览窗格", "导航窗格"}},
        {"A7", {"超大图标", "大图标", "中等图标", "小图标", "列表", "详细信息", "平铺", "内容"}},
        {"G1", {"新建", "打开", "保存", "退出"}},
        {"G2", {"全选"}},
        {"G3", {"工具栏", "状态栏", "缩放", "全屏显示"}},
        {"G4", {"查看帮助", "关于"}},
        {"H1",
         {"新建(N)", "打开(O)...", "保存(S)", "另存为(A)...", "页面设置(U)...", "打印(P)...",
          "退出(X)"}},
        {"H2",
         {"撤消(U)", "剪切(T)", "复制(C)", "粘贴(P)", "删除(L)", "查找(F)...", "查找下一个(N)",
          "替换(R)...", "转到(G)...", "全选(A)", "时间/日期(D)"}},
        {"H3", {"自动换行(W)", "字体(F)..."}},
        {"H4", {"状态栏(S)"}},
        {"H5", {"查看帮助(H)", "关于记事本(A)"}},
        {"69",
         {"查看(V)", "排序方式(O)", "刷新(E)", "粘贴(P)", "粘贴快捷方式(S)", "撤消重命名(U)",
          "新建(W)", "屏幕分辨率(C)", "小工具(G)", "个性化(R)"}},
        {"6901",
         {"大图标(R)", "中等图标(M)", "小图标(N)", "自动排列图标(A)", "将图标与网格对齐(I)",
          "显示桌面图标(D)", "显示桌面小工具(G)"}},
        {"6902", {"名称", "大小", "项目类型", "修改日期"}},
        {"6907",
         {"文件夹(F)", "快捷方式(S)", "BMP 图像", "联系人", "Microsoft Word 文档", "日记本文档",
          "Microsoft PowerPoint 演示文稿", "RTF 文档", "文本文档", "Microsoft Excel 工作表",
          "压缩(zipped)文件夹"}},
        {"70", {"属性(R)", "打开 Windows 资源管理器(P)"}},
        {"82", {"切换用户(W)", "注销(L)", "锁定(O)", "重新启动(R)", "睡眠(S)"}},
        {"84",
         {"Internet Explorer", "Windows DVD Maker", "Windows Media Center", "Windows Media Player",
          "Windows Update", "Windows 传真和扫描", "XPS Viewer", "默认程序", "桌面小工具库", "附件",
          "游戏", "维护", "启动", "Windows Live", "◀ 返回"}},
        {"92",
         {"查看(V)", "排序方式(O)", "分组依据(P)", "刷新(E)", "粘贴(P)", "粘贴快捷方式(S)",
          "撤消(U)", "添加一个网络位置(L)", "属性(R)"}},
        {"9201",
         {"超大图标(X)", "大图标(R)", "中等图标(M)", "小图标(N)", "列表(L)", "详细信息(D)",
          "平铺(S)", "内容(T)", "更多(M)...", "自定义此文件夹(F)..."}},
        {"23", {"超大图标", "大图标", "中等图标", "小图标", "列表", "详细信息", "平铺", "内容"}},
        {"25", {"菜单栏", "细节窗格", "预览窗格", "导航窗格", "库窗格"}},
        {"G103", {"保存(S)", "另存为(A)...", "全部保存(L)"}},
        {"64",
         {"打开(O)", "在新窗口中打开(E)", "创建快捷方式(S)", "删除(D)", "重命名(M)", "属性(R)"}},
        {"65",
         {"打开(O)", "在新窗口中打开(E)", "共享(H)", "还原以前的版本(V)", "包含到库中(I)",
          "发送到(N)", "剪切(T)", "复制(C)", "创建快捷方式(S)", "删除(D)", "重命名(M)", "属性(R)"}},
        {"80",
         {"了解 Windows 7", "个性化 Windows", "传输文件和设置", "使用家庭组共享", "更改 UAC 设置",
          "备份您的文件", "添加新用户", "更改文本大小", "获取 Windows Live 软件", "联机帮助"}},
        {"93",
         {"打开(O)", "在新窗口中打开(E)", "还原以前的版本(V)", "断开(I)", "复制(C)",
          "创建快捷方式(S)", "重命名(M)", "属性(R)"}},
        {"94",
         {"打开(O)", "在新窗口中打开(E)", "共享(H)", "格式化(A)...", "弹出(J)", "复制(C)",
          "创建快捷方式(S)", "属性(R)"}},
        {"95",
         {"打开(O)", "在新窗口中打开(E)", "还原以前的版本(V)", "共享(H)", "包含到库中(I)",
          "格式化(A)...", "复制(C)", "创建快捷方式(S)", "重命名(M)", "属性(R)"}},
        {"96",
         {"打开(O)", "在新窗口中打开(E)", "还原以前的版本(V)", "包含到库中(I)", "共享(H)",
          "格式化(A)...", "发送到(N)", "复制(C)", "粘贴(P)", "创建快捷方式(S)", "重命名(M)",
          "属性(R)"}},
        {"99",
         {"打开(O)", "在新窗口中打开(E)", "共享(H)", "自动播放(Y)", "格式化(A)...", "弹出(J)",
          "复制(C)", "创建快捷方式(S)", "重命名(M)", "属性(R)"}},
        {"9403", {"不共享", "家庭组(读取)", "家庭组(读取/写入)", "特定用户...", "高级共享..."}},
        {"9607", {"压缩(zipped)文件夹", "桌面快捷方式", "文档", "邮件收件人", "DVD 驱动器 (G:)"}},
        {"61", {"打开(O)", "清空回收站(B)", "创建快捷方式(S)", "重命名(M)", "属性(R)"}},
        {"6202", {"Z:", "Y:", "X:", "W:", "浏览(B)..."}},
        {"9202", {"名称", "类型", "总大小", "可用空间", "递增(A)", "递减(D)", "更多(M)..."}},
        {"9203",
         {"名称", "类型", "总大小", "可用空间", "文件系统", "递增(A)", "递减(D)", "(无)(N)"}},
        {"B3", {"文档", "音乐", "图片", "视频", "创建新库"}},
        {"B4", {"不共享", "家庭组(读取)", "家庭组(读取/写入)", "特定用户..."}},
        {"G301", {"标准按钮", "地址栏", "链接", "状态栏", "自定义(C)..."}},
        // Eleven tall entries of programs, then the narrow buttons beside
        // two of them that open their lists of recent files.
        {"S1",
         {"入门", "Windows Media Center", "计算器", "便笺", "截图工具", "画图", "远程桌面连接",
          "放大镜", "纸牌", "记事本", "Internet Explorer", "▶", "▶"}},
        {"S112", {"年度总结.txt", "会议记录.txt", "报告.txt", "计划.txt", "说明.txt"}},
        {"S113", {"照片.bmp", "风景.jpg", "图标.png"}},
        {"S2",
         {"查看(V)", "排序方式(O)", "分组依据(P)", "新建(W)", "刷新(E)", "自定义此文件夹(F)...",
          "粘贴(P)", "粘贴快捷方式(S)", "撤消重命名(U)", "共享(H)", "打开命令窗口(W)", "属性(R)",
          "关闭(C)"}},
        {"S201", {"大图标(R)", "小图标(N)", "详细信息(D)"}},
        {"S202", {"名称", "修改日期", "类型", "大小", "递增(A)"}},
        {"S203",
         {"名称", "修改日期", "类型", "大小", "作者", "标记", "标题", "创建日期", "拍摄日期",
          "分级", "长度", "文件夹路径", "(无)(N)"}},
        {"S204",
         {"文件夹(F)", "快捷方式(S)", "BMP 图像", "联系人", "文本文档", "压缩(zipped)文件夹",
          "Microsoft Word 文档", "Microsoft Excel 工作表", "Microsoft PowerPoint 演示文稿"}},
        {"T1", {"超大图标", "大图标", "中等图标", "小图标", "列表", "详细信息", "平铺"}},
        {"T3",
         {"打开(O)", "以管理员身份运行(A)", "打开方式(H)", "共享(H)", "发送到(N)", "剪切(T)",
          "属性(R)"}},
        {"T303", {"记事本", "写字板"}},
        {"T305", {"压缩(zipped)文件夹", "桌面快捷方式", "文档", "邮件收件人", "DVD 驱动器 (G:)"}},
        {"T4", {"展开(E)", "在新窗口中打开(E)"}},
        {"T5", {"打开(O)", "清空回收站(B)", "创建快捷方式(S)", "重命名(M)", "属性(R)"}},
        {"T6",
         {"新建(W)", "剪切(T)", "复制(C)", "粘贴(P)", "删除(D)", "重命名(M)", "刷新(E)",
          "属性(R)"}},
        {"T601",
         {"文件夹(F)", "快捷方式(S)", "文本文档", "BMP 图像", "压缩(zipped)文件夹", "联系人"}},
        {"T7",
         {"新建(W)", "撤消(U)", "重做(R)", "剪切(T)", "复制(C)", "粘贴(P)", "删除(D)", "全选(A)",
          "刷新(E)", "属性(R)"}},
        {"T8",
         {"打开(O)", "打开文件位置(I)", "以管理员身份运行(A)", "锁定到任务栏(K)",
          "附到「开始」菜单(U)", "还原以前的版本(V)", "发送到(N)", "剪切(T)", "复制(C)", "粘贴(P)",
          "删除(D)", "重命名(M)", "属性(R)"}},
        {"T807",
         {"压缩(zipped)文件夹", "桌面快捷方式", "文档", "传真收件人", "邮件收件人",
          "DVD 驱动器 (G:)", "软盘驱动器 (A:)", "本地磁盘 (D:)", "本地磁盘 (E:)", "本地磁盘 (F:)",
          "网络驱动器 (Z:)"}},
        {"T9",
         {"向右旋转 90 度(R)", "向左旋转 90 度(L)", "旋转 180 度(O)", "垂直翻转(V)", "水平翻转(H)",
          "拉伸/扭曲(S)", "重新调整大小(R)", "裁剪(C)", "全选(A)"}},
        {"U1", {"大图标(R)", "中等图标(M)", "小图标(N)", "列表(L)", "详细信息(D)", "刷新(E)"}},
        {"U2",
         {"打开(O)", "编辑(E)", "打印(P)", "预览(V)", "打开方式(H)", "还原以前的版本(V)", "共享(H)",
          "发送到(N)", "剪切(T)", "复制(C)", "创建快捷方式(S)", "删除(D)", "重命名(M)", "属性(R)"}},
        {"U205", {"记事本", "写字板", "画图", "选择默认程序(C)..."}},
        {"U207", {"不共享", "家庭组(读取)", "家庭组(读取/写入)", "特定用户...", "高级共享..."}},
        {"U3",
         {"查看(V)", "排序方式(O)", "分组依据(P)", "刷新(E)", "自定义此文件夹(F)...", "粘贴(P)",
          "粘贴快捷方式(S)", "撤消(U)", "共享(H)", "新建(W)", "属性(R)"}},
        {"U301",
         {"超大图标(X)", "大图标(R)", "中等图标(M)", "小图标(N)", "列表(L)", "详细信息(D)",
          "平铺(S)", "内容(T)", "自动排列(A)", "将图标与网格对齐(I)", "显示桌面图标(D)"}},
        {"U302", {"名称", "修改日期", "类型", "大小", "标记", "递增(A)", "递减(D)", "更多(M)..."}},
        {"U303",
         {"名称", "修改日期", "类型", "大小", "标记", "作者", "递增(A)", "递减(D)", "(无)(N)"}},
        {"U309", {"不共享", "家庭组(读取)", "家庭组(读取/写入)", "特定用户..."}},
        {"U502", {"名称", "修改日期", "类型", "大小", "标记", "递增(A)", "递减(D)", "更多(M)..."}},
        {"U503", {"名称", "修改日期", "类型", "大小", "标记", "递增(A)", "递减(D)", "(无)(N)"}},
        {"U4",
         {"打开(O)", "编辑(E)", "打印(P)", "打开方式(H)", "还原以前的版本(V)", "发送到(N)",
          "剪切(T)", "复制(C)", "创建快捷方式(S)", "删除(D)", "重命名(M)", "属性(R)"}},
        {"U404",
         {"记事本", "写字板", "画图", "Internet Explorer", "Windows Media Player",
          "Windows 照片查看器", "Word", "选择默认程序(C)..."}},
        {"U6", {"全选(A)", "文件夹和搜索选项", "关闭"}},
        {"U7",
         {"查看(V)", "分组依据(P)", "排序方式(O)", "刷新(E)", "粘贴(P)", "粘贴快捷方式(S)",
          "撤消(U)", "自定义此文件夹(F)...", "属性(R)"}},
        {"U701",
         {"超大图标(X)", "大图标(R)", "中等图标(M)", "小图标(N)", "列表(L)", "详细信息(D)",
          "平铺(S)", "内容(T)"}},
        {"U703",
         {"名称", "修改日期", "类型", "大小", "标记", "作者", "分级", "递增(A)", "递减(D)",
          "更多(M)..."}},
        {"U8", {"还原(R)", "最小化(N)", "最大化(X)", "关闭(C)"}},
        {"U9",
         {"查看(V)", "分组依据(P)", "排序方式(O)", "刷新(E)", "粘贴(P)", "粘贴快捷方式(S)",
          "撤消(U)", "自定义此文件夹(F)...", "共享(H)", "属性(R)"}},
        {"U901",
         {"超大图标(X)", "大图标(R)", "中等图标(M)", "小图标(N)", "列表(L)", "详细信息(D)",
          "平铺(S)", "内容(T)", "自动排列(A)", "将图标与网格对齐(I)"}},
        {"U902", {"名称", "修改日期", "类型", "大小", "递增(A)", "递减(D)", "(无)(N)"}},
        {"V1",
         {"打开(O)", "在新窗口中打开(E)", "剪切(T)", "复制(C)", "粘贴(P)", "删除(D)", "重命名(M)",
          "创建快捷方式(S)", "包含到库中(I)", "属性(R)"}},
        {"V2",
         {"打开(O)", "剪切(T)", "复制(C)", "粘贴(P)", "删除(D)", "重命名(M)", "发送到(N)",
          "创建快捷方式(S)", "属性(R)"}},
        {"V207",
         {"压缩(zipped)文件夹", "桌面快捷方式", "文档", "传真收件人", "邮件收件人",
          "DVD 驱动器 (G:)"}},
        {"V3", {"撤消(U)", "重做(R)"}},
        {"V4",
         {"剪切(T)", "复制(C)", "粘贴(P)", "全选(A)", "向右旋转 90 度", "向左旋转 90 度",
          "旋转 180 度", "属性(R)"}},
        {"V5", {"打开(O)", "编辑(E)", "打印(P)", "剪切(T)", "复制(C)", "删除(D)", "属性(R)"}},
        {"V6", {"文件(F)", "编辑(E)", "查看(V)", "收藏夹(A)", "工具(T)", "帮助(H)"}},
        {"V601",
         {"新建选项卡(T)", "重新打开上次浏览会话(S)", "新建窗口(N)", "打开(O)...",
          "用记事本编辑(D)", "保存(S)", "另存为(A)...", "关闭选项卡(C)", "页面设置(U)...",
          "打印(P)...", "打印预览(V)...", "退出(X)"}},
        {"V602",
         {"剪切(T)", "复制(C)", "粘贴(P)", "删除(D)", "全选(A)", "撤消(U)", "在此页上查找(F)...",
          "重做(R)", "选择性粘贴(S)...", "查找下一个(N)", "替换(E)...", "转到(G)...",
          "时间/日期(D)", "自动换行(W)", "字体(F)..."}},
        {"V603",
         {"工具栏(T)", "快速导航选项卡(Q)", "浏览器栏(E)", "转到(O)", "停止(P)", "刷新(R)",
          "缩放(Z)", "文字大小(X)", "编码(D)", "样式(Y)", "插入光标浏览(B)", "源(C)", "安全报告(S)",
          "全屏显示(F)"}},
        {"V604",
         {"添加到收藏夹(A)...", "添加到收藏夹栏(B)", "整理收藏夹(O)...", "收藏夹栏",
          "Microsoft 网站"}},
        {"V605",
         {"删除浏览的历史记录(D)...", "InPrivate 浏览(I)", "弹出窗口阻止程序(P)", "管理加载项(A)",
          "Internet 选项(O)"}},
        {"V7",
         {"后退(B)", "前进(O)", "重新加载(R)", "停止(S)", "另存为(A)...", "打印(P)...", "全选(A)",
          "复制(C)", "粘贴(P)", "查看源(V)", "属性(R)"}},
        {"V8", {"另存为(A)", "打印(P)...", "页面设置(U)...", "属性(R)", "关闭(C)"}},
        {"62",
         {"打开(O)", "映射网络驱动器(N)...", "断开网络驱动器(C)...", "创建快捷方式(S)", "属性(R)"}},
        {"63",
         {"打开(O)", "管理(G)", "映射网络驱动器(N)...", "断开网络驱动器(C)...", "创建快捷方式(S)",
          "删除(D)", "重命名(M)", "属性(R)"}},
    };
    return texts.value(code);
}

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

// Whether an item is too narrow for a caption after the icon gutter: the
// narrow buttons beside a tall entry show their arrow alone, centred.
bool narrowItem(const QRect &r) {
    return r.width() < 40;
}

bool placedItem(const Rect &r) {
    return r.width > 0 && r.height > 0 && r.left >= 0 && r.top >= 0;
}

// The captions of the placed items of a panel, by item number.
QMap<int, QString> captionsOf(const ItemRects &items, const QStringList &texts) {
    QMap<int, QString> captions;
    for (int i = 1; i <= shell::PanelItemCount; ++i)
        if (placedItem(items[size_t(i)])) captions.insert(i, texts.value(i - 1));
    return captions;
}

// The rectangle that holds the placed items, with the margins the first
// item leaves at the top and left repeated at the right and bottom, or
// with a narrow margin at the right.
QRect panelBounds(const ItemRects &items, bool narrowRight = false) {
    double right = 0, bottom = 0, left = 1e9, top = 1e9;
    for (int i = 1; i <= shell::PanelItemCount; ++i) {
        const Rect &r = items[size_t(i)];
        if (r.width <= 0 || r.height <= 0 || r.left < 0 || r.top < 0) continue;
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
        left = std::min(left, r.left);
        top = std::min(top, r.top);
    }
    if (right == 0) return QRect(0, 0, 120, 40);
    return QRect(0, 0, px(right + (narrowRight ? 90 : left)) + 2, px(bottom + top) + 2);
}

// The view menus of the command bars ("A7" to "D7") open up and to the
// left of their arrow, near the screen's right edge: their picture ends
// close to their entries, and their wide gutter holds the view slider.
bool isViewMenu(const QString &code) {
    return code.size() == 2 && code.at(0) >= u'A' && code.at(0) <= u'D' && code.at(1) == u'7';
}

void drawViewSlider(QPainter &p, const ItemRects &items) {
    int first = -1, last = -1;
    for (int i = 1; i <= shell::PanelItemCount; ++i) {
        if (!placedItem(items[size_t(i)])) continue;
        const int y = pxRect(items[size_t(i)]).center().y();
        if (first < 0) first = y;
        last = y;
    }
    if (first < 0) return;
    p.setPen(QColor(0x8a, 0x98, 0xb0));
    p.drawLine(20, first, 20, last);
    for (int i = 1; i <= shell::PanelItemCount; ++i) {
        if (!placedItem(items[size_t(i)])) continue;
        const int y = pxRect(items[size_t(i)]).center().y();
        p.drawLine(17, y, 23, y);
    }
    p.setBrush(QColor(0xdc, 0xe8, 0xf6));
    p.drawRoundedRect(QRectF(12, first - 4, 16, 8), 2, 2);
}

// A Windows 7 menu: grey face, icon gutter, entries at the item rectangles,
// separators in the gaps between groups, an arrow on entries that open a
// further panel; the entries from `greyedFrom` on in the grey of entries
// that cannot be chosen.
QImage menuPanel(const QString &code, const ItemRects &items, const QMap<int, QString> &captions,
                 bool level2, int greyedFrom = shell::PanelItemCount + 1) {
    const bool viewMenu = !level2 && isViewMenu(code);
    const QRect bounds = panelBounds(items, viewMenu);
    QImage img = canvas(bounds.width(), bounds.height(), QColor(0xf0, 0xf0, 0xf0));
    QPainter p(&img);
    p.setPen(QColor(0x97, 0x97, 0x97));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    if (viewMenu) drawViewSlider(p, items);
    p.setPen(QColor(0xe2, 0xe3, 0xe3));
    p.drawLine(28, 2, 28, img.height() - 3);
    p.setPen(Qt::white);
    p.drawLine(29, 2, 29, img.height() - 3);
    int lastBottom = -1;
    for (int i = 1; i <= shell::PanelItemCount; ++i) {
        const Rect &ir = items[size_t(i)];
        if (!placedItem(ir)) continue;
        const QRect r = pxRect(ir);
        if (lastBottom >= 0 && r.top() - lastBottom >= 4) {
            // Level-1 separators have a white line under the grey one.
            const int y = (r.top() + lastBottom) / 2;
            p.setPen(QColor(0xe0, 0xe0, 0xe0));
            p.drawLine(30, y, img.width() - 3, y);
            if (!level2) {
                p.setPen(Qt::white);
                p.drawLine(30, y + 1, img.width() - 3, y + 1);
            }
        }
        lastBottom = r.top() + r.height();
        if (narrowItem(r)) {
            text(p, r, captions.value(i), kMenuText, 8, Qt::AlignCenter);
            continue;
        }
        const int textLeft = std::max(r.left() + 30, 32);
        text(p, QRect(textLeft, r.top(), r.right() - textLeft, r.height()), captions.value(i),
             i < greyedFrom ? kMenuText : kGreyedText, std::min(12, std::max(9, r.height() - 8)));
        if (!level2 && shell::ownsLevel2Panel(shell::subMenuId(code, i))) {
            text(p, QRect(r.right() - 16, r.top(), 14, r.height()), QStringLiteral("▶"), kMenuText,
                 8, Qt::AlignCenter);
        }
    }
    return img;
}

// A Control Panel overlay: the category block or page row under the
// pointer, lit, with its links where the items lie.
QImage ctrlOverlay(const QImage &view, const Rect &spot) {
    return spotLook(view, spot, false);
}

void addPicture(QMap<QString, QImage> &out, const QString &name, const QImage &img) {
    if (!img.isNull()) out.insert(name, img);
}

// The region pictures, drawn once: the looks of their spots are cut from
// them.
struct Regions {
    QImage desk = desktop();
    QImage pc = computerWindow();
    QImage view0 = ctrlPanel(0), view1 = ctrlPanel(1);
    QImage start = startMenu();
    QImage strip1 = toolStrip(false), strip2 = toolStrip(true);
};

// The pages of the Control Panel that steps show, each under the path
// its address row names.
struct CtrlPanelScreen {
    QString picture;
    QStringList path;
    QImage page;
};
QList<CtrlPanelScreen> ctrlPanelScreens(const Regions &g) {
    const QString home = QStringLiteral("控制面板");
    return {
        {CtrlPanelHomeScreenPicture, {home}, g.view0},
        {CtrlPanelCategoryScreenPicture, {home, QStringLiteral("系统和安全")}, g.view1},
        {CtrlPanelAppearanceScreenPicture,
         {home, QStringLiteral("外观和个性化")},
         appearancePage()},
        {CtrlPanelAccountsScreenPicture,
         {home, QStringLiteral("用户帐户和家庭安全"), QStringLiteral("用户帐户"),
          QStringLiteral("管理帐户")},
         accountsPage()},
        {CtrlPanelPerformanceScreenPicture,
         {home, QStringLiteral("系统和安全"), QStringLiteral("性能信息和工具")},
         performancePage()},
    };
}

// The bank's backgrounds of the desktop, Computer window and Control
// Panel, and the whole screens that steps show behind them.
void addScreens(QMap<QString, QImage> &out, const Regions &g) {
    using namespace shell;
    out.insert(QStringLiteral("bank:9lX001"), g.desk);
    out.insert(QStringLiteral("bank:9lX002"), g.pc);
    out.insert(QStringLiteral("bank:9lX003"), g.view0);
    out.insert(QStringLiteral("bank:") + DesktopScreenPicture, desktopScreen());
    out.insert(QStringLiteral("bank:") + DesktopSmallIconsPicture,
               desktopScreen(DesktopIcons::Small));
    for (const ExplorerScreen &w : explorerScreens()) {
        QImage img = explorerScreen(w);
        if (w.picture == ComputerScreenPicture) {
            // The demonstration shows no drive list of its own: the steps'
            // background has it where the screen lays the Computer window.
            QPainter p(&img);
            p.drawImage(QPoint(ComputerPlace.left / 15, ComputerPlace.top / 15), g.pc);
        }
        out.insert(QStringLiteral("bank:") + w.picture, img);
    }
    for (const CtrlPanelScreen &c : ctrlPanelScreens(g)) {
        QImage img = explorerScreen({c.picture, QStringLiteral("控制面板"), c.path, {}});
        QPainter p(&img);
        p.drawImage(QPoint(0, CtrlPanelTop / 15), c.page);
        out.insert(QStringLiteral("bank:") + c.picture, img);
    }
    out.insert(QStringLiteral("bank:") + PaintScreenPicture, paintScreen());
    // The window's client area starts 36 pixels below its top, where the
    // step places the menu bar.
    out.insert(QStringLiteral("bank:") + NotepadScreenPicture,
               windowScreen(QStringLiteral("无标题 - 记事本"),
                            QPoint(px(NotepadBarLeft) - 7, px(NotepadBarTop) - 37)));
}

// The regions a step shows: start menu, tool strips, bars with the looks
// of their spots, task panes and the Control Panel's views.
void addRegions(QMap<QString, QImage> &out, const Regions &g) {
    using namespace shell;
    out.insert(QString::fromLatin1(StartMenuPicture), g.start);
    out.insert(toolStripPicture(u'A'), g.strip1);
    out.insert(toolStripPicture(u'W'), g.strip2);
    for (char letter : {'A', 'B', 'C', 'D', 'G', 'H'}) {
        const QImage b = bar(letter);
        out.insert(menuBarPicture(QLatin1Char(letter)), b);
        const SpotRects s = barSpots(letter);
        for (int i = 1; i <= 9; ++i) {
            addPicture(out, hoverPicture(hitCode(QString(QLatin1Char(letter)), i)),
                       spotLook(b, s[size_t(i)], false));
        }
        if (letter == 'A')
            addPicture(out, hoverPicture(u"10"), spotLook(b, Rect{0, 60, 420, 375}, false));
    }
    for (int v = 1; v <= 4; ++v) out.insert(taskPanePicture(v), taskPane(v));
    for (int view = 0; view <= 3; ++view) {
        out.insert(ctrlPanelPicture(QChar(u'0' + view)), view == 0   ? g.view0
                                                         : view == 1 ? g.view1
                                                                     : ctrlPanel(view));
    }
}

// Hover and pressed looks of the fixed spots.
void addFixedSpotLooks(QMap<QString, QImage> &out, const Regions &g) {
    using namespace shell;
    const SpotRects fixed = fixedSpots();
    // A spot on the strip's bare face stays bare under the pointer.
    const QHash<int, QString> stripLabels = toolStripLabels();
    for (int i = 11; i <= 23; ++i) {
        const QString code = QString::number(i);
        const Rect &r = fixed[size_t(i)];
        if (!stripLabels.contains(i)) {
            const QImage bare = g.strip1.copy(pxRect(r));
            addPicture(out, hoverPicture(code), bare);
            addPicture(out, pressedPicture(code), bare);
            continue;
        }
        addPicture(out, hoverPicture(code), spotLook(g.strip1, r, false));
        addPicture(out, pressedPicture(code), spotLook(g.strip1, r, true));
    }
    for (int i = 61; i <= 66; ++i) {
        const QString code = QString::number(i);
        const Rect r = i == 66 ? Rect{0, 0, 1170, 1080} : fixed[size_t(i)];
        addPicture(out, hoverPicture(code), spotLook(g.desk, r, false));
        addPicture(out, pressedPicture(code), spotLook(g.desk, r, true));
    }
    for (int i = 71; i <= 91; ++i) {
        addPicture(out, hoverPicture(QString::number(i)),
                   spotLook(g.start, fixed[size_t(i)], false));
    }
    for (int i = 93; i <= 99; ++i) {
        const QString code = QString::number(i);
        addPicture(out, hoverPicture(code), spotLook(g.pc, fixed[size_t(i)], false));
        addPicture(out, pressedPicture(code), spotLook(g.pc, fixed[size_t(i)], true));
    }
}

// Task-pane rows: one look per spot, as wide as the row, from the first
// variant or, for a row hidden there, from the second.
void addTaskPaneLooks(QMap<QString, QImage> &out) {
    using namespace shell;
    SpotRects s1{}, s2{};
    layoutTaskPane(s1, 1, One);
    layoutTaskPane(s2, 2, One);
    const QImage pane1 = out.value(taskPanePicture(1)), pane2 = out.value(taskPanePicture(2));
    for (int i = 24; i <= 40; ++i) {
        const bool first = s1[size_t(i)].top >= 0;
        addPicture(out, hoverPicture(QString::number(i)),
                   spotLook(first ? pane1 : pane2, (first ? s1 : s2)[size_t(i)], false));
    }
}

// Control Panel: the links of view 1 light up alone; every other spot
// opens its overlay panel.
void addCtrlPanelLooks(QMap<QString, QImage> &out, const Regions &g) {
    using namespace shell;
    SpotRects v0{}, v1{};
    layoutCtrlPanel(v0, 0, One);
    layoutCtrlPanel(v1, 1, One);
    for (int i = 41; i <= 48; ++i) {
        const QString code = QString::number(i);
        addPicture(out, hoverPicture(code), spotLook(g.view1, v1[size_t(i)], false));
        addPicture(out, panelPicture(code), ctrlOverlay(g.view0, v0[size_t(i)]));
    }
    for (int i = 51; i <= 57; ++i) {
        addPicture(out, panelPicture(QString::number(i)), ctrlOverlay(g.view1, v1[size_t(i)]));
    }
    // The link looks inside the overlays.
    for (int i : {41, 42, 43, 44, 45, 46, 47, 48, 51, 52, 53, 54, 55, 56, 57}) {
        const QString code = QString::number(i);
        const QImage overlay = out.value(panelPicture(code));
        ItemRects items{};
        layoutLevel1(items, code, One);
        for (int k = 1; k <= PanelItemCount; ++k) {
            if (items[size_t(k)].width <= 0) continue;
            addPicture(out, code + (QStringLiteral("0") + QString::number(k)).right(2) + "88",
                       spotLook(overlay, items[size_t(k)], true));
        }
    }
}

// Level-1 panels of every row of the table (the Control Panel rows above).
void addLevel1Panels(QMap<QString, QImage> &out) {
    using namespace shell;
    auto level1 = [&](const Menu1JRow &row) {
        if (row.kind == Menu1JRow::Kind::Placed) return;
        for (std::string_view k : row.keys) {
            const QString code = latin1(k);
            ItemRects items{};
            layoutLevel1(items, code, One);
            out.insert(panelPicture(code), menuPanel(code, items, menuCaptions(code), false));
        }
    };
    for (const Menu1JRow &row : menu1JTable()) level1(row);
    for (const Menu1JRow &row : startMenuPanelTable()) level1(row);
}

// The entries of a submenu that its layout leaves without a place are
// drawn under the placed ones, one after another at their pitch and greyed:
// Windows shows the whole menu, though only the placed entries can be
// chosen. Returns the first of them.
int addUnplacedEntries(ItemRects &items, QMap<int, QString> &captions, const QStringList &entries) {
    const int first = captions.isEmpty() ? shell::PanelItemCount + 1 : captions.lastKey() + 1;
    for (int i = first; i <= entries.size() && i <= shell::PanelItemCount; ++i) {
        Rect r = items[size_t(i - 1)];
        r.top += r.height;
        items[size_t(i)] = r;
        captions.insert(i, entries[i - 1]);
    }
    return first;
}

// Level-2 panels.
void addLevel2Panels(QMap<QString, QImage> &out) {
    using namespace shell;
    for (const Menu2JRow &row : menu2JTable()) {
        for (std::string_view k : row.ids) {
            const QString id = latin1(k);
            const QString name = level2PictureName(id);
            if (out.contains(name)) continue;
            ItemRects items{};
            layoutLevel2(items, id, One);
            QMap<int, QString> captions = menuCaptions(id);
            const QStringList own = panelTexts(id);
            const int greyedFrom = addUnplacedEntries(
                items, captions, own.isEmpty() ? panelTexts(latin1(row.ids.front())) : own);
            out.insert(name, menuPanel(id, items, captions, true, greyedFrom));
        }
    }
}

// Level-3 lists, nine rows at most: the folders inside "附件" of "All
// programs", in the order its panel lists them.
void addLevel3Lists(QMap<QString, QImage> &out) {
    using namespace shell;
    const QStringList lists[] = {
        {"磁盘清理", "磁盘碎片整理程序", "任务计划程序", "系统还原", "系统信息", "资源监视器",
         "字符映射表"},
        {"Windows 语音识别", "放大镜", "讲述人", "屏幕键盘", "轻松访问中心"},
        {"Tablet PC 输入面板", "Windows 日记本"},
        {"Windows PowerShell", "Windows PowerShell ISE"},
    };
    const auto rows = level3Rows(One);
    for (int n = 1; n <= 4; ++n) {
        const QStringList &entries = lists[n - 1];
        const int h = px(rows[size_t(entries.size())].top + rows[size_t(entries.size())].height);
        QImage img = canvas(px(Level3Left * 2 + Level3Width), h + 4, Qt::white);
        QPainter p(&img);
        p.setPen(QColor(0x97, 0x97, 0x97));
        p.drawRect(img.rect().adjusted(0, 0, -1, -1));
        for (int k = 1; k <= entries.size(); ++k) {
            const QRect r = pxRect(rows[size_t(k)]);
            // The lists hold programs: a name without an icon of its own
            // gets a program's.
            const Icon icon = iconFor(entries[k - 1]);
            drawIcon(p, QRect(r.left() + 2, r.top() + 3, 17, 17),
                     icon == Icon::Folder ? Icon::Program : icon);
            text(p, r.adjusted(24, 0, 0, 0), entries[k - 1], kMenuText, 12);
        }
        out.insert(level3Picture(n), img);
    }
}

QMap<QString, QImage> drawAll() {
    QMap<QString, QImage> out;
    const Regions g;
    addScreens(out, g);
    addRegions(out, g);
    addFixedSpotLooks(out, g);
    // The task-pane looks are cut from the panes just added.
    addTaskPaneLooks(out);
    addCtrlPanelLooks(out, g);
    addLevel1Panels(out);
    addLevel2Panels(out);
    addLevel3Lists(out);
    return out;
}

const QMap<QString, QImage> &allPictures() {
    static const QMap<QString, QImage> pictures = drawAll();
    return pictures;
}

} // namespace

QMap<int, QString> menuCaptions(const QString &code) {
    using namespace shell;
    ItemRects items{};
    QString first;
    if (code.size() == 4) {
        const Menu2JRow *row = findMenu2JRow(code);
        if (!row) return {};
        layoutLevel2(items, code, One);
        first = latin1(row->ids.front());
    } else {
        const Menu1JRow *row = findMenu1JRow(code);
        // The Control Panel's rows place their items over links that the
        // overlay pictures draw.
        if (!row || row->kind == Menu1JRow::Kind::Placed) return {};
        layoutLevel1(items, code, One);
        first = latin1(row->keys.front());
    }
    const QStringList own = panelTexts(code);
    return captionsOf(items, own.isEmpty() ? panelTexts(first) : own);
}

QRect screenItemPlace(const QString &picture, const QString &item) {
    for (const ExplorerScreen &w : explorerScreens()) {
        if (w.picture != picture) continue;
        for (int i = 0; i < w.items.size(); ++i)
            if (w.items[i].name == item)
                return iconGridPlace(kGridOrigin, kGridColumns, i, w.icons);
    }
    return QRect();
}

QImage desktopScreenPicture(DesktopIcons icons) {
    return desktopScreen(icons);
}

QImage shellPicture(const QString &name) {
    return allPictures().value(name);
}

QRect ctrlPanelHomeCrumbPlace() {
    return addressPartPlace(1024, {QStringLiteral("控制面板")}, 0);
}

namespace {

// The Control Panel's views are saved without loss: the backgrounds of the
// steps that show a view carry the same page, which the demonstration
// shows in its place, and the two must agree to the pixel.
PictureFormat shellPictureFormat(const QString &name) {
    if (!name.isEmpty() && name == shell::ctrlPanelPicture(name.back())) return PictureFormat::Png;
    return formatFor(name);
}

} // namespace

bool addShellPictures(const SampleDir &dir) {
    if (!dir.makeFolders()) return false;
    bool ok = true;
    const QMap<QString, QImage> &pictures = allPictures();
    for (auto it = pictures.begin(); it != pictures.end(); ++it) {
        if (it.key().startsWith(QStringLiteral("bank:"))) {
            ok &= saveBankPicture(dir, it.key().mid(5), it.value(), PictureFormat::Png);
        } else {
            ok &= savePicture(it.value(), dir.examFile(it.key()), shellPictureFormat(it.key()));
        }
    }
    return ok;
}

namespace {

// Where a shell step's hint goes unless the step names a place: in the
// empty middle of the screen, above the question panel docked at the
// lower-right corner and left of it.
constexpr QPoint kHintPlace(6750, 4350);
// In the Computer window its hints stand in the blank part under the
// network drive, far enough from the question panel that the window's
// menu, opened there, stays clear of it.
constexpr QPoint kComputerHintPlace(2700, 6450);
// On a page of the Control Panel's category view, the left column under
// its links.
constexpr QPoint kCategoryPageHintPlace(150, 4500);

// A step of the shell questions: the screen behind is the desktop, and
// the hint says what to do, at `at` (design twips) beside the place to act.
StepBuilder shellStep(const SampleDir &dir, const QString &hint, QPoint at = kHintPlace) {
    StepBuilder step;
    step.lead(QStringLiteral("001"))
        .windowKind(QLatin1Char('0'))
        .viewVariant(QLatin1Char('0'))
        // A hot-spot click, as the bank marks it.
        .action(QStringLiteral("7000"))
        .background(DesktopScreenPicture)
        .hint(at.x(), at.y(), appendAnswerText(dir, hint));
    return step;
}

QString hitEntry(const QString &code, int item1 = 0, int item2 = 0) {
    return StepBuilder::entry(QLatin1Char('H'), code, item1, item2, 0, QLatin1Char('0'));
}

// A step's target on a place of its screen picture (pixels).
StepBuilder twipsTarget(StepBuilder step, const QRect &place) {
    return step.target(place.x() * 15, place.y() * 15, place.width() * 15, place.height() * 15);
}

// A step in 记事本, its menu bar along the top of the window's client area.
StepBuilder notepadStep(const SampleDir &dir, const QString &hint) {
    return shellStep(dir, hint)
        .background(NotepadScreenPicture)
        .menuBar(QLatin1Char('H'))
        .barPosition(NotepadBarLeft, NotepadBarTop);
}

// The last step shows the screen as the question's last action leaves it.
StepBuilder lastStep(const SampleDir &dir, const QString &background = DesktopScreenPicture) {
    return shellStep(dir, QString()).action(QStringLiteral("9999")).background(background);
}

} // namespace

StepBuilder onComputerWindow(StepBuilder step) {
    step.background(ComputerScreenPicture)
        .windowKind(QLatin1Char('P'))
        .menuBar(QLatin1Char('D'))
        .paneFlags(2);
    return step;
}

bool addShellQuestions(const SampleDir &dir) {
    if (!dir.makeFolders() || !addOpenedScreens(dir)) return false;
    QList<SampleQuestion> questions;

    // The desktop, the Computer window with its tool strip and task pane,
    // and a command bar with its first menu.
    questions << SampleQuestion{
        QStringLiteral("打开“计算机”窗口，在其中打开本地磁盘 (C:)，然后用“组织”菜单关闭窗口。"),
        {shellStep(dir, QStringLiteral("双击桌面上的“计算机”图标"), QPoint(1650, 3525))
             .menuBar(QLatin1Char('M'))
             .hit(1, hitEntry(QStringLiteral("63")))
             .build(),
         onComputerWindow(shellStep(dir, QStringLiteral("双击“本地磁盘 (C:)”"), kComputerHintPlace))
             .hit(1, hitEntry(QStringLiteral("95")))
             .build(),
         shellStep(dir, QStringLiteral("单击“组织”|选择“关闭”"))
             .background(DriveScreenPicture)
             .menuBar(QLatin1Char('A'))
             .paneFlags(2)
             .hit(1, hitEntry(QStringLiteral("A1"), 13))
             .build(),
         lastStep(dir)}};

    // The start menu and the Control Panel in its two views. The page of
    // "外观和个性化" is a picture of its own: the candidate goes on from it
    // by the left column's link, where the category view has it, to the
    // page of "系统和安全", which the screen lays out.
    SpotRects categoryView{};
    shell::layoutCtrlPanel(categoryView, 1, One);
    const shell::Rect systemLink = categoryView[42];
    questions << SampleQuestion{
        QStringLiteral("通过“开始”菜单打开“控制面板”，打开“外观和个性化”，然后转到“系统和安全”。"),
        {shellStep(dir, QStringLiteral("单击“开始”按钮|选择“控制面板”"), QPoint(6750, 3000))
             .menuBar(QLatin1Char('M'))
             .hit(1, hitEntry(QStringLiteral("74")))
             .build(),
         shellStep(dir, QStringLiteral("指向“外观和个性化”|单击其标题"), QPoint(2400, 6300))
             .background(CtrlPanelHomeScreenPicture)
             .windowKind(QLatin1Char('N'))
             .menuBar(QLatin1Char('O'))
             .hit(1, hitEntry(QStringLiteral("46"), 1))
             .build(),
         shellStep(dir, QStringLiteral("单击左侧的“系统和安全”"), kCategoryPageHintPlace)
             .background(CtrlPanelAppearanceScreenPicture)
             .action(QStringLiteral("0001"))
             .target(int(systemLink.left), int(systemLink.top + shell::CtrlPanelTop),
                     int(systemLink.width), int(systemLink.height))
             .build(),
         lastStep(dir, CtrlPanelCategoryScreenPicture)
             .windowKind(QLatin1Char('N'))
             .viewVariant(QLatin1Char('1'))
             .menuBar(QLatin1Char('O'))}};

    // The menu bars of 记事本 and 画图, each laid by its step along the top
    // of its window's client area. The "字体" dialog shows over 记事本 once
    // it is opened, and 画图 only once the start menu has opened it.
    const QRect fontOk = fontDialogOkButton();
    questions << SampleQuestion{
        QStringLiteral("在“记事本”中打开“字体”对话框并单击“确定”，"
                       "然后从“开始”菜单打开画图程序，在其中新建图片。"),
        {notepadStep(dir, QStringLiteral("单击“格式”|选择“字体”"))
             .hit(1, hitEntry(QStringLiteral("H3"), 2))
             .build(),
         twipsTarget(shellStep(dir, QStringLiteral("单击“确定”"),
                               QPoint((fontOk.left() - 200) * 15, fontOk.top() * 15)),
                     fontOk)
             .action(QStringLiteral("0001"))
             .background(FontDialogScreenPicture)
             .build(),
         notepadStep(dir, QStringLiteral("单击“开始”按钮|选择“画图”"))
             .hit(1, hitEntry(QStringLiteral("88")))
             .build(),
         shellStep(dir, QStringLiteral("单击“文件”|选择“新建”"))
             .background(PaintScreenPicture)
             .menuBar(QLatin1Char('G'))
             .barPosition(PaintBarLeft, PaintBarTop)
             .hit(1, hitEntry(QStringLiteral("G1"), 1))
             .build(),
         lastStep(dir, PaintScreenPicture)
             .menuBar(QLatin1Char('G'))
             .barPosition(PaintBarLeft, PaintBarTop)}};

    // The other command bars, the task pane's second variant and the tool
    // strip's own panel. The text names every step, the Computer window's
    // bar last. The library opens as a candidate opens it in the window,
    // with a double-click on its icon, or by its entry in the task pane.
    // The new folder stands in the library before the candidate goes on by
    // the task pane to the Computer window, where no drive is selected, and
    // "系统属性" opens the "系统" window.
    questions << SampleQuestion{
        QStringLiteral("在“库”中打开“视频”库，再用工具栏的“视图”按钮改用中等图标，"
                       "然后新建文件夹，最后从左侧转到“计算机”窗口，单击“系统属性”。"),
        {twipsTarget(shellStep(dir, QStringLiteral("双击“视频”库的图标|或单击左侧的“视频”")),
                     screenItemPlace(LibraryScreenPicture, QStringLiteral("视频")))
             .action(QStringLiteral("0002"))
             .background(LibraryScreenPicture)
             .menuBar(QLatin1Char('B'))
             .paneFlags(4)
             .hit(1, hitEntry(QStringLiteral("31")))
             .build(),
         shellStep(dir, QStringLiteral("单击“视图”按钮|选择“中等图标”"))
             .background(VideoScreenPicture)
             .viewVariant(QLatin1Char('W'))
             .menuBar(QLatin1Char('O'))
             .paneFlags(1)
             .hit(1, hitEntry(QStringLiteral("23"), 3))
             .build(),
         shellStep(dir, QStringLiteral("单击“新建文件夹”"))
             .background(VideoBarScreenPicture)
             .menuBar(QLatin1Char('C'))
             .paneFlags(2)
             .hit(1, hitEntry(QStringLiteral("C5")))
             .build(),
         shellStep(dir, QStringLiteral("单击左侧的“计算机”"))
             .background(VideoNewFolderScreenPicture)
             .menuBar(QLatin1Char('C'))
             .paneFlags(2)
             .hit(1, hitEntry(QStringLiteral("36")))
             .build(),
         onComputerWindow(shellStep(dir, QStringLiteral("单击“系统属性”"), kComputerHintPlace))
             .hit(1, hitEntry(QStringLiteral("D2")))
             .build(),
         lastStep(dir, SystemScreenPicture)}};

    // Context panels: the desktop's with its level-2 panel, and the start
    // button's, whose "属性" opens the properties of the taskbar and start
    // menu. Once the desktop shows small icons, the steps show it as their
    // background: the desktop's own region draws the large ones.
    questions << SampleQuestion{
        QStringLiteral("将桌面图标改为“小图标”，然后打开“开始”按钮的属性。"),
        {shellStep(dir, QStringLiteral("右击桌面空白处|单击“查看”|选择“小图标”"), QPoint(1650, 900))
             .menuBar(QLatin1Char('M'))
             .hit(1, hitEntry(QStringLiteral("69"), 1, 3))
             .build(),
         shellStep(dir, QStringLiteral("右击“开始”按钮|选择“属性”"), QPoint(6750, 3000))
             .background(DesktopSmallIconsPicture)
             .hit(1, hitEntry(QStringLiteral("70"), 1))
             .build(),
         lastStep(dir, StartMenuPropertiesScreenPicture)}};

    return appendQuestions(dir, kShellUnit, questions);
}

} // namespace sample
