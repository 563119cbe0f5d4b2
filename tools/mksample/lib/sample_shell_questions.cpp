#include "sample_shell_questions.h"

#include "sample_chrome.h"
#include "sample_icons.h"
#include "sample_pictures.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "simulator/shell_judging.h"
#include "step_builder.h"

#include <QPainter>
#include <QRadialGradient>

#include <functional>

namespace sample {

namespace {

using shell::Rect;

constexpr shell::Scale One{1, 1};

QRect px(const Rect &r) {
    return QRect(int(r.left / 15), int(r.top / 15), int(r.width / 15), int(r.height / 15));
}

// What the folder "附件" of "所有程序" holds, the panel its entry opens:
// four folders, which open their level-3 lists, then two programs.
const QStringList kFolders = {QStringLiteral("系统工具"),  QStringLiteral("轻松访问"),
                              QStringLiteral("Tablet PC"), QStringLiteral("Windows PowerShell"),
                              QStringLiteral("画图"),      QStringLiteral("计算器")};

shell::ItemRects foldersLayout() {
    shell::ItemRects items{};
    shell::parkItems(items);
    shell::stackItems(items, shell::AllProgramsFolders, One);
    return items;
}

// A Windows 7 menu of the folders, its entries at the item rectangles.
QImage foldersPanel() {
    const shell::ItemRects items = foldersLayout();
    const int n = int(kFolders.size());
    const Rect &last = items[size_t(n)];
    QImage img(px(Rect{0, 0, last.left * 2 + last.width, last.top + last.height + 45}).size() +
                   QSize(2, 2),
               QImage::Format_RGB32);
    img.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter p(&img);
    p.setPen(QColor(0x97, 0x97, 0x97));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.setFont(uiFont(12));
    for (int i = 1; i <= n; ++i) {
        const QRect r = px(items[size_t(i)]);
        // The folders and the programs after them, each with its icon.
        drawIcon(p, QRect(r.left() + 4, r.top() + (r.height() - 20) / 2, 20, 20),
                 i <= 4 ? Icon::Folder : iconFor(kFolders[i - 1]));
        p.setPen(Qt::black);
        p.drawText(r.adjusted(28, 0, 0, 0), Qt::AlignVCenter, kFolders[i - 1]);
        if (i <= 4) {
            p.drawText(r.adjusted(0, 0, -6, 0), Qt::AlignVCenter | Qt::AlignRight,
                       QStringLiteral("▶"));
        }
    }
    // The separator between the folders and the programs.
    const int y = (px(items[4]).bottom() + px(items[5]).top()) / 2;
    p.setPen(QColor(0xd7, 0xd7, 0xd7));
    p.drawLine(26, y, img.width() - 4, y);
    return img;
}

// A part of a picture in its highlighted look.
QImage highlighted(const QImage &from, const Rect &r) {
    QImage img = from.copy(px(r)).convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(0x33, 0x99, 0xff, 60));
    p.setPen(QColor(0x7d, 0xa2, 0xce));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    return img;
}

// The rows each level-3 list offers (the sample draws them in the shell's
// pictures).
constexpr int kListRows[] = {0, 7, 5, 2, 2};

// The step a question shows last.
StepBuilder lastStep() {
    return StepBuilder().action(QStringLiteral("9999"));
}

// A click on a main hot spot or a menu item, as the bank marks it: the
// demonstration plays only such steps as clicks.
StepBuilder Hit() {
    return StepBuilder().action(QStringLiteral("7000"));
}

// Where the hints of these steps stand (twips): in the middle of a
// window, clear of the menus that open from its bars at the left and the
// right; above the start menu and its lists; beside the desktop icons;
// under the Control Panel's categories, and under the left column's links
// of a category page; under the links of the page of the accounts; in the
// Computer window's blank part under the network drive, where the window's
// menu opens clear of the question panel.
constexpr QPoint kWindowHint(7500, 3900);
constexpr QPoint kStartMenuHint(7500, 1200);
constexpr QPoint kDesktopIconHint(1650, 3525);
constexpr QPoint kDesktopMenuHint(2400, 1200);
constexpr QPoint kCtrlPanelHint(2400, 6300);
constexpr QPoint kCtrlPanelPageHint(150, 4500);
constexpr QPoint kAccountsPageHint(600, 6300);
constexpr QPoint kComputerHint(2700, 6450);
// Beside the "另存为" dialog, above the question panel; under the close
// button of a window that fills the screen.
constexpr QPoint kSaveHint(10050, 4500);
constexpr QPoint kCloseHint(12000, 1500);

// The Computer window as its own steps show it, and the drive the candidate
// chose last selected ("0": none; a window just opened has nothing selected,
// as the background the demonstration shows has none).
StepBuilder computerWindow(QChar selected = u'0') {
    return onComputerWindow(Hit()).viewVariant(selected);
}

// Where the tab dialogs' pages lie on the screen, and the hints beside
// them (twips).
constexpr int kDialogX = 3000;
constexpr int kDialogY = 2100;
constexpr int kHintX = 9600;

// A left click on a place of the step's screen (pixels).
StepBuilder clickOn(const QRect &place) {
    return StepBuilder()
        .target(place.x() * 15, place.y() * 15, place.width() * 15, place.height() * 15)
        .action(QStringLiteral("0001"));
}

QString hitEntry(const char *code, int item1 = 0, int item2 = 0, int item3 = 0) {
    return StepBuilder::entry(u'H', QString::fromLatin1(code), item1, item2, item3, u'0');
}

// What a folder window shows: its title, the path in its address row and
// its items.
struct Folder {
    QString title;
    QStringList path;
    QList<GridItem> items;
};

GridItem folderItem(const QString &name, bool selected = false) {
    return GridItem{name.endsWith(QLatin1String(".txt")) ? Icon::Notepad : iconFor(name), name,
                    selected};
}

// A folder window right of the task pane and below the tool strip the
// steps lay over it, in large or (once the view is changed) medium icons.
QImage folderUnderToolStrip(const Folder &folder, IconSize size) {
    QImage img = explorerWindowPicture(QSize(1024, 600), folder.title, folder.path, true,
                                       ExplorerTop::ToolStrip);
    QPainter p(&img);
    drawIconGrid(p, kGridOrigin, kGridColumns, folder.items, size);
    return img;
}

Folder documents() {
    return {QStringLiteral("文档"),
            {QStringLiteral("库"), QStringLiteral("文档")},
            {folderItem(QStringLiteral("报告")), folderItem(QStringLiteral("照片")),
             folderItem(QStringLiteral("年度总结.txt")),
             folderItem(QStringLiteral("会议记录.txt"))}};
}

// What the entry "收藏夹" of the task pane opens.
Folder favourites() {
    return {QStringLiteral("收藏夹"),
            {QStringLiteral("收藏夹")},
            {folderItem(QStringLiteral("下载")), folderItem(QStringLiteral("桌面")),
             folderItem(QStringLiteral("最近访问的位置"))}};
}

// Where the command bar lies (pixels), under the address row or under the
// menu bar.
int commandBarTop(bool menuBar) {
    return menuBar ? 81 : 56;
}

// A folder window over the whole screen above the taskbar with its
// navigation pane drawn in, and, for a step that shows no command bar of
// its own, the bar "B" too: its content starts under the bar, or under the
// menu bar and the bar.
struct FolderLook {
    Folder folder;
    bool menuBar = false;
    IconSize icons = IconSize::Large;
    bool drawBar = false;
};

QImage folderScreen(const FolderLook &look) {
    QImage img = explorerWindowPicture(QSize(1024, 600), look.folder.title, look.folder.path, true);
    QPainter p(&img);
    if (look.menuBar) {
        drawMenuRow(p, QRect(6, 56, 1012, 25),
                    {QStringLiteral("文件(F)"), QStringLiteral("编辑(E)"),
                     QStringLiteral("查看(V)"), QStringLiteral("工具(T)"),
                     QStringLiteral("帮助(H)")});
    }
    const int barTop = commandBarTop(look.menuBar);
    if (look.drawBar) p.drawImage(QPoint(0, barTop), shellPicture(shell::menuBarPicture(u'B')));
    const int contentTop = barTop + 32;
    p.setClipRect(QRect(6, contentTop, 1012, 554 - contentTop));
    p.drawImage(QPoint(0, contentTop), shellPicture(shell::taskPanePicture(1)));
    drawIconGrid(p, QPoint(kGridOrigin.x(), contentTop + 16), kGridColumns, look.folder.items,
                 look.icons);
    return img;
}

// A folder a step opens in a window of its own: its command bar is drawn
// in, as the step lays none over it.
QImage folderWithBar(const Folder &folder) {
    return folderScreen({folder, false, IconSize::Large, true});
}

// The "文档" window of the command-bar question as each of its steps finds
// it: the files left, the one selected, whether the menu bar is shown
// (between the address row and the command bar, which then lies lower)
// and whether the files show as medium icons. These steps lay no task
// pane over the window, which would lie under a lowered command bar: its
// navigation pane is drawn in.
QImage documentsLook(const QStringList &files, const QString &selected, bool menuBar = false,
                     bool medium = false) {
    Folder folder = documents();
    folder.items.clear();
    for (const QString &f : files) folder.items << folderItem(f, f == selected);
    return folderScreen({folder, menuBar, medium ? IconSize::Medium : IconSize::Large});
}

// The steps of the command-bar question, each with the look of the window
// it begins with, the last one's after it. The folder the command bar
// makes comes last and selected, as Windows shows a new folder.
struct DocumentsStep {
    const char *background;
    bool menuBar;
    QImage look;
};
QList<DocumentsStep> documentsSteps() {
    const QString report = QStringLiteral("报告"), photos = QStringLiteral("照片"),
                  summary = QStringLiteral("年度总结.txt"),
                  minutes = QStringLiteral("会议记录.txt"), made = QStringLiteral("新建文件夹");
    return {{"k20001", false, documentsLook({report, photos, summary, minutes}, summary)},
            {"k20008", false, documentsLook({report, photos, minutes}, {})},
            {"k20009", true, documentsLook({report, photos, minutes}, {}, true)},
            {"k20010", true, documentsLook({report, photos, minutes}, {}, true, true)},
            {"k20011", true, documentsLook({report, photos, minutes, made}, made, true, true)},
            {"k20012", true, documentsLook({report, photos, minutes}, {}, true, true)}};
}

// ---- Windows and dialogs the steps open ------------------------------------

// A dialog over a screen: its shadow, its glass frame with the title and
// the close button, its grey face, then what `face` draws on it (pixels
// from the dialog's corner).
QImage dialogOver(QImage screen, const QRect &frame, const QString &title,
                  const std::function<void(QPainter &)> &face) {
    QPainter p(&screen);
    drawShadow(p, frame, WindowKind::Dialog);
    p.drawImage(frame.topLeft(), windowPicture(frame.size(), title, false, WindowKind::Dialog));
    p.translate(frame.topLeft());
    p.fillRect(QRect(7, 37, frame.width() - 14, frame.height() - 44), QColor(0xf0, 0xf0, 0xf0));
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    face(p);
    return screen;
}

// A text line of a dialog (pixels).
void line(QPainter &p, const QRect &r, const QString &s, int size = 12, bool bold = false,
          QColor colour = Qt::black) {
    p.setPen(colour);
    p.setFont(uiFont(size, bold));
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, s);
}

// A drop-down box showing its choice (pixels).
void dropDown(QPainter &p, const QRect &r, const QString &choice) {
    p.setPen(QColor(0x70, 0x70, 0x70));
    p.setBrush(Qt::white);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    line(p, r.adjusted(4, 0, -20, 0), choice);
    p.drawText(r.adjusted(r.width() - 20, 0, 0, 0), Qt::AlignCenter, QStringLiteral("▼"));
}

QImage desktopScreen() {
    return shellPicture(QStringLiteral("bank:") + DesktopScreenPicture);
}

// The close button of a window that fills the screen above the taskbar,
// as windowPicture draws it (pixels).
const QRect kCloseButton(1024 - 50, 1, 45, 19);

// The Paint window under a title of its own: a saved picture's name.
QImage paintTitled(const QString &title) {
    QImage img = shellPicture(QStringLiteral("bank:") + PaintScreenPicture);
    QPainter p(&img);
    p.drawImage(QPoint(0, 0), windowPicture(QSize(1024, 560), title), QRect(0, 0, 1024, 30));
    return img;
}

// The "另存为" dialog that the entry of Paint's "文件" menu opens, over the
// window with its menu bar, clear of the question panel, and its "保存(S)"
// button (pixels).
const QRect kSaveAsFrame(150, 80, 500, 360);
const QRect kSaveButton(kSaveAsFrame.width() - 190, kSaveAsFrame.height() - 40, 80, 24);

QImage paintSaveAs() {
    QImage paint = shellPicture(QStringLiteral("bank:") + PaintScreenPicture);
    {
        QPainter p(&paint);
        p.drawImage(QPoint(PaintBarLeft / 15, PaintBarTop / 15),
                    shellPicture(shell::menuBarPicture(u'G')));
    }
    return dialogOver(paint, kSaveAsFrame, QStringLiteral("另存为"), [](QPainter &p) {
        const int w = kSaveAsFrame.width();
        p.fillRect(QRect(14, 44, w - 28, 24), Qt::white);
        line(p, QRect(20, 44, 300, 24), QStringLiteral("▸ 库 ▸ 图片"));
        p.fillRect(QRect(14, 76, 120, 170), Qt::white);
        p.fillRect(QRect(140, 76, w - 154, 170), Qt::white);
        const QStringList places = {QStringLiteral("收藏夹"), QStringLiteral("库"),
                                    QStringLiteral("计算机"), QStringLiteral("网络")};
        for (int i = 0; i < places.size(); ++i) {
            drawIcon(p, QRect(20, 82 + 26 * i, 18, 18), iconFor(places[i]));
            line(p, QRect(44, 80 + 26 * i, 90, 22), places[i]);
        }
        drawIconGrid(p, QPoint(150, 84), 4, {{Icon::Folder, QStringLiteral("示例图片")}},
                     IconSize::Medium);
        line(p, QRect(20, 254, 90, 22), QStringLiteral("文件名(N):"));
        dropDown(p, QRect(116, 254, w - 136, 22), QStringLiteral("无标题"));
        line(p, QRect(20, 282, 90, 22), QStringLiteral("保存类型(T):"));
        dropDown(p, QRect(116, 282, w - 136, 22), QStringLiteral("PNG (*.png)"));
        drawDialogButton(p, kSaveButton, QStringLiteral("保存(S)"));
        drawDialogButton(p, kSaveButton.translated(90, 0), QStringLiteral("取消"));
    });
}

// Paint's full-screen view: the picture alone in the middle of the black
// screen.
QImage paintFullScreen() {
    QImage img(QSize(1024, 600), QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.fillRect(QRect((1024 - 520) / 2, (600 - 340) / 2, 520, 340), Qt::white);
    return img;
}

// The folder D: opened from the Computer window, in the same window.
QImage driveD() {
    return folderWithBar(
        {QStringLiteral("本地磁盘 (D:)"),
         {QStringLiteral("计算机"), QStringLiteral("本地磁盘 (D:)")},
         {folderItem(QStringLiteral("软件")), folderItem(QStringLiteral("资料")),
          folderItem(QStringLiteral("照片")), folderItem(QStringLiteral("说明.txt"))}});
}

// The windows of the start-menu question, each opened over the one before.
QImage diskCleanup() {
    return dialogOver(desktopScreen(), QRect(330, 190, 330, 170),
                      QStringLiteral("磁盘清理 : 驱动器选择"), [](QPainter &p) {
                          line(p, QRect(20, 48, 290, 22), QStringLiteral("选择要清理的驱动器。"));
                          line(p, QRect(20, 78, 80, 22), QStringLiteral("驱动器(D):"));
                          dropDown(p, QRect(100, 78, 210, 22), QStringLiteral("(C:)"));
                          drawDialogButton(p, QRect(140, 128, 80, 24), QStringLiteral("确定"));
                          drawDialogButton(p, QRect(230, 128, 80, 24), QStringLiteral("退出(X)"));
                      });
}

QImage personalFolder() {
    QList<GridItem> items;
    for (const char *name : {"联系人", "桌面", "下载", "收藏夹", "链接", "我的文档", "我的音乐",
                             "我的图片", "我的视频", "保存的游戏", "搜索"})
        items << folderItem(QString::fromUtf8(name));
    items[0].icon = Icon::User;
    items[5].icon = Icon::Document;
    items[6].icon = Icon::Music;
    items[7].icon = Icon::Pictures;
    items[8].icon = Icon::Video;
    items[9].icon = Icon::Game;
    return folderWithBar(
        {QStringLiteral("Administrator"), {QStringLiteral("Administrator")}, items});
}

QImage easyTransfer() {
    return dialogOver(personalFolder(), QRect(170, 70, 520, 400),
                      QStringLiteral("Windows 轻松传送"), [](QPainter &p) {
                          p.fillRect(QRect(7, 37, 506, 356), Qt::white);
                          line(p, QRect(30, 60, 460, 30),
                               QStringLiteral("欢迎使用 Windows 轻松传送"), 17, false,
                               QColor(0x1e, 0x39, 0x87));
                          const QStringList text = {
                              QStringLiteral("Windows 轻松传送允许您将文件和设置从一台计算机"),
                              QStringLiteral("复制到另一台计算机。它不会从旧计算机中删除任何"),
                              QStringLiteral("信息。"),
                              QString(),
                              QStringLiteral("您可以传送：用户帐户、文档和文件夹、音乐、图片"),
                              QStringLiteral("和视频、电子邮件、Internet 收藏夹以及程序设置。")};
                          for (int i = 0; i < text.size(); ++i)
                              line(p, QRect(30, 110 + 22 * i, 470, 22), text[i]);
                          drawDialogButton(p, QRect(400, 350, 90, 26), QStringLiteral("下一步(N)"));
                      });
}

QImage libraries() {
    return folderWithBar({QStringLiteral("库"),
                          {QStringLiteral("库")},
                          {{Icon::Document, QStringLiteral("文档")},
                           {Icon::Music, QStringLiteral("音乐")},
                           {Icon::Pictures, QStringLiteral("图片")},
                           {Icon::Video, QStringLiteral("视频")}}});
}

// The screen a log-off leaves: the dark blue of the welcome screen with
// the notice in its middle.
QImage loggingOff() {
    QImage img(QSize(1024, 600), QImage::Format_RGB32);
    QPainter p(&img);
    QRadialGradient glow(QPointF(512, 300), 600);
    glow.setColorAt(0, QColor(0x2a, 0x78, 0xb8));
    glow.setColorAt(1, QColor(0x0a, 0x2a, 0x5a));
    p.fillRect(img.rect(), glow);
    p.setPen(Qt::white);
    p.setFont(uiFont(22));
    p.drawText(QRect(0, 270, 1024, 40), Qt::AlignCenter, QStringLiteral("正在注销..."));
    p.setFont(uiFont(14));
    p.drawText(QRect(0, 560, 1024, 30), Qt::AlignCenter, QStringLiteral("Windows 7 旗舰版"));
    return img;
}

// The "系统" page of the Control Panel that "属性" of the Computer
// window's menu opens, over the whole screen above the taskbar.
QImage systemWindow() {
    QImage img = explorerWindowPicture(
        QSize(1024, 600), QStringLiteral("系统"),
        {QStringLiteral("控制面板"), QStringLiteral("系统和安全"), QStringLiteral("系统")}, true);
    QPainter p(&img);
    p.fillRect(QRect(7, 57, 200, 496), QColor(0xee, 0xf3, 0xfa));
    const QStringList links = {QStringLiteral("控制面板主页"), QStringLiteral("设备管理器"),
                               QStringLiteral("远程设置"), QStringLiteral("系统保护"),
                               QStringLiteral("高级系统设置")};
    for (int i = 0; i < links.size(); ++i)
        line(p, QRect(22, 72 + 28 * i, 180, 22), links[i], 12, false, QColor(0x1e, 0x5e, 0xb5));
    const QColor heading(0x1e, 0x39, 0x87);
    line(p, QRect(230, 68, 600, 28), QStringLiteral("查看有关计算机的基本信息"), 17, false,
         heading);
    const QList<QPair<QString, QStringList>> parts = {
        {QStringLiteral("Windows 版本"),
         {QStringLiteral("Windows 7 旗舰版"),
          QStringLiteral("版权所有 © 2009 Microsoft Corporation。保留所有权利。")}},
        {QStringLiteral("系统"),
         {QStringLiteral("分级：　　　　　　5.9 Windows 体验指数"),
          QStringLiteral("处理器：　　　　　Intel(R) Core(TM) i5 CPU 2.80GHz"),
          QStringLiteral("安装内存(RAM)：　 4.00 GB"),
          QStringLiteral("系统类型：　　　　64 位操作系统")}},
        {QStringLiteral("计算机名称、域和工作组设置"),
         {QStringLiteral("计算机名：　　　　PC-201503"),
          QStringLiteral("工作组：　　　　　WORKGROUP")}}};
    int y = 110;
    for (const auto &[title, rows] : parts) {
        line(p, QRect(240, y, 500, 22), title, 13, false, heading);
        y += 28;
        for (const QString &row : rows) {
            line(p, QRect(260, y, 700, 22), row);
            y += 24;
        }
        y += 14;
    }
    return img;
}

// The "高级设置" dialog stands behind the "文件夹选项" dialog, a little up
// and left of it, so that the candidate sees it there before closing the
// folder options.
constexpr int kBackDialogX = kDialogX - 450;
constexpr int kBackDialogY = kDialogY - 450;

// The two dialogs over the "文档" window: the advanced settings behind,
// the folder options in front (the pixels the front dialog and its shadow
// give the window).
QImage twoDialogs() {
    QImage img = tabDialogScreen(QStringLiteral("高级设置"), kBackDialogX, kBackDialogY);
    const QImage front = tabDialogScreen(QStringLiteral("文件夹选项"), kDialogX, kDialogY);
    const QImage window = tabDialogScreen(QString(), kDialogX, kDialogY);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (front.pixel(x, y) != window.pixel(x, y)) img.setPixel(x, y, front.pixel(x, y));
    return img;
}

// The screens the steps of these questions show, each as the action of
// the step before leaves it.
bool saveStepScreens(const SampleDir &dir) {
    QList<QPair<QString, QImage>> screens;
    for (const DocumentsStep &step : documentsSteps())
        screens.append({QString::fromLatin1(step.background), step.look});
    screens.append({
        {QStringLiteral("k20007"), folderUnderToolStrip(documents(), IconSize::Large)},
        {QStringLiteral("k20013"), folderUnderToolStrip(documents(), IconSize::Medium)},
        {QStringLiteral("k20018"), folderUnderToolStrip(favourites(), IconSize::Medium)},
        {QStringLiteral("k20015"), paintSaveAs()},
        {QStringLiteral("k20016"), paintTitled(QStringLiteral("无标题.png - 画图"))},
        {QStringLiteral("k20017"), paintFullScreen()},
        {QStringLiteral("k20019"), driveD()},
        {QStringLiteral("k20020"), desktopScreenPicture(DesktopIcons::Medium)},
        {QStringLiteral("k20021"), diskCleanup()},
        {QStringLiteral("k20022"), personalFolder()},
        {QStringLiteral("k20023"), easyTransfer()},
        {QStringLiteral("k20024"), libraries()},
        {QStringLiteral("k20025"), loggingOff()},
        {QStringLiteral("k20026"), systemWindow()},
        // The tab dialogs over the "文档" window, and the window once they
        // close.
        {QStringLiteral("k20004"), twoDialogs()},
        {QStringLiteral("k20005"),
         tabDialogScreen(QStringLiteral("高级设置"), kBackDialogX, kBackDialogY)},
        {QStringLiteral("k20006"), tabDialogScreen(QString(), kDialogX, kDialogY)},
    });
    bool ok = true;
    for (const auto &[name, image] : screens)
        ok &= saveBankPicture(dir, name, image, PictureFormat::Png);
    return ok;
}

// Once the menu bar is shown, its "查看(V)" (pixels, where drawMenuRow
// puts the third name) opens the view menu under it, the Computer
// window's view menu "9201" of the shell: a choice of its "中等图标(M)"
// answers the step that asks for medium icons, as the command bar's does.
// The menu opens over the command bar, which a step shows as a window of
// its own above every picture: the step with the menu open shows the bar
// as a picture under it instead. Bank pictures of the name as the window
// draws it and pressed, of the menu and of the bar.
const QRect kViewMenuName(132, 56, 58, 25);
const QPoint kViewMenuAt(132, 81);
const QString kViewMenuNamePicture = QStringLiteral("k2v001");
const QString kViewMenuNamePressed = QStringLiteral("k2v002");
const QString kViewMenuPicture = QStringLiteral("k2v003");
const QString kCommandBarPicture = QStringLiteral("k2v004");
constexpr int kMediumIconsEntry = 3;

Rect twips(const QRect &r) {
    return Rect{r.x() * 15.0, r.y() * 15.0, r.width() * 15.0, r.height() * 15.0};
}

// The place of an entry of the view menu on the screen (twips).
Rect viewMenuEntry(int entry) {
    shell::ItemRects items{};
    shell::layoutLevel2(items, u"9201", One);
    const Rect &r = items[size_t(entry)];
    return Rect{kViewMenuAt.x() * 15 + r.left, kViewMenuAt.y() * 15 + r.top, r.width, r.height};
}

bool saveViewMenuPictures(const SampleDir &dir) {
    const QImage window = documentsSteps()[2].look;
    const QImage menu = shellPicture(shell::level2PictureName(u"9201"));
    return !menu.isNull() &&
           saveBankPicture(dir, kViewMenuNamePicture, window.copy(kViewMenuName),
                           PictureFormat::Png) &&
           saveBankPicture(dir, kViewMenuNamePressed, spotLook(window, twips(kViewMenuName), true),
                           PictureFormat::Png) &&
           saveBankPicture(dir, kViewMenuPicture, menu, PictureFormat::Png) &&
           saveBankPicture(dir, kCommandBarPicture, shellPicture(shell::menuBarPicture(u'A')),
                           PictureFormat::Png);
}

} // namespace

QRect documentsViewMenuPlace(const QString &caption) {
    if (caption == QStringLiteral("查看(V)")) return kViewMenuName;
    const QMap<int, QString> entries = menuCaptions(QStringLiteral("9201"));
    const int entry = entries.key(caption);
    return entry ? px(viewMenuEntry(entry)) : QRect();
}

QStringList accessoriesEntries() {
    return kFolders;
}

QStringList shellJudgingQuestionTexts() {
    return {
        QStringLiteral("在“文档”窗口中用“组织”菜单删除选中的文件，显示菜单栏，改用中等图标显示，"
                       "再单击“新建文件夹”按钮，然后用“组织”菜单的“删除”命令删除新建的文件夹。"),
        QStringLiteral("在“画图”中用“文件”菜单“保存”子菜单中的“另存为”保存图片，再从“查看”"
                       "菜单选择“全屏显示”。"),
        QStringLiteral("用工具栏的“视图”按钮改用中等图标，再单击任务窗格中的“收藏夹”和工具栏的"
                       "“刷新”按钮。"),
        QStringLiteral("双击桌面上的“计算机”图标，在“计算机”窗口中打开D盘，关闭窗口，再用桌面的"
                       "快捷菜单改用中等图标。"),
        QStringLiteral("从“开始”菜单的“所有程序”中打开“附件”里“系统工具”中的“磁盘清理”，"
                       "再打开个人文件夹、打开“入门”中的“传输文件和设置”，用“开始”按钮的快捷"
                       "菜单打开 Windows 资源管理器，最后注销。"),
        QStringLiteral("在“控制面板”中选择“用户帐户和家庭安全”下的“添加或删除用户帐户”，再从"
                       "地址栏回到“控制面板”，在“系统和安全”中选择“系统”下的“检查体验指数”。"),
        QStringLiteral("在“计算机”窗口的空白处用快捷菜单查看属性，关闭“系统”窗口，再用C盘快捷"
                       "菜单中“共享”的“不共享”取消共享。"),
        QStringLiteral("在“文件夹选项”对话框的“查看”选项卡中单击“还原为默认值”和“确定”，"
                       "再在“高级设置”对话框的第九个选项卡中单击“确定”。"),
    };
}

QImage shellJudgingPicture(const QString &name) {
    if (name == shell::level2PictureName(QString::fromLatin1(shell::AllProgramsFoldersId)))
        return foldersPanel();
    // The hover looks of the level-3 rows.
    for (int list = 1; list <= 4; ++list) {
        for (int row = 1; row <= kListRows[list]; ++row) {
            if (name != shell::level3HoverPicture(list, row)) continue;
            const QImage whole = shellPicture(shell::level3Picture(list));
            if (whole.isNull()) return QImage();
            return highlighted(whole, shell::level3Rows(One)[size_t(row)]);
        }
    }
    // Entry 9 of the "组织" menu, shown highlighted in advance.
    if (name == QLatin1String("k20977")) {
        const QImage menu = shellPicture(shell::panelPicture(u"A1"));
        if (menu.isNull()) return QImage();
        shell::ItemRects items{};
        shell::layoutLevel1(items, u"A1", One);
        return highlighted(menu, items[9]);
    }
    return QImage();
}

bool addShellJudgingFiles(const SampleDir &dir) {
    bool ok = dir.makeFolders();

    // Pictures beyond the shell's own.
    QStringList names = {shell::level2PictureName(QString::fromLatin1(shell::AllProgramsFoldersId)),
                         QStringLiteral("k20977")};
    for (int list = 1; list <= 4; ++list) {
        for (int row = 1; row <= kListRows[list]; ++row)
            names << shell::level3HoverPicture(list, row);
    }
    for (const QString &name : names) {
        const QImage img = shellJudgingPicture(name);
        ok &= !img.isNull() && savePicture(img, dir.examFile(name), PictureFormat::Png);
    }
    ok &= saveStepScreens(dir);
    ok &= saveViewMenuPictures(dir);

    const int hintView = appendAnswerText(dir, QStringLiteral("单击“查看”选项卡|再单击按钮"));
    const int hintOk = appendAnswerText(dir, QStringLiteral("单击第九个选项卡|再单击“确定”"));
    ok &= hintView && hintOk;
    // Every step tells what to do, at a place of its own.
    auto hinted = [&](StepBuilder step, const QString &hint, QPoint at) {
        const int line = appendAnswerText(dir, hint);
        ok &= line != 0;
        return step.hint(at.x(), at.y(), line);
    };
    // A window the step before opened over the whole screen, which the
    // candidate closes to go on.
    auto closeWindow = [&](const QString &screen) {
        return hinted(clickOn(kCloseButton).background(screen), QStringLiteral("单击“关闭”按钮"),
                      kCloseHint);
    };

    const QStringList texts = shellJudgingQuestionTexts();
    const QString desktop = DesktopScreenPicture;
    QList<SampleQuestion> qs;

    // The command bar "A": a drop-down menu, a level-2 menu, the view menu
    // that opens above its button, a plain button, an entry shown in advance
    // (which the first entry names too, for the demonstration to click). Once
    // the menu bar is shown the command bar lies under it, low enough for
    // the view menu to open under the title bar. The medium icons are chosen
    // there or, the menu bar being shown, from its "查看(V)": a click on it
    // leads to step 4, which shows its menu open and takes the choice of
    // "中等图标(M)" (a click on "查看(V)" again closes it); the command
    // bar's way goes past it to step 5.
    const QList<DocumentsStep> looks = documentsSteps();
    auto explorer = [&](int k, const QString &entry, const QString &hint) {
        const DocumentsStep &look = looks[k];
        StepBuilder step =
            Hit().menuBar(u'A').hit(1, entry).background(QString::fromLatin1(look.background));
        if (look.menuBar) step.barPosition(0, commandBarTop(true) * 15);
        return hinted(step, hint, kWindowHint);
    };
    const Rect mediumIcons = viewMenuEntry(kMediumIconsEntry);
    const QPoint viewName = kViewMenuName.topLeft() * 15;
    qs << SampleQuestion{
        texts[0],
        {explorer(0, hitEntry("A1", 9), QStringLiteral("单击“组织”|选择“删除”")),
         explorer(1, hitEntry("A1", 7, 1), QStringLiteral("单击“组织”|单击“布局”|选择“菜单栏”")),
         explorer(2, StepBuilder::entry(u'H', QStringLiteral("A7"), 3, 0, 0, u'5'),
                  QStringLiteral("单击“视图”旁的箭头|选择“中等图标”"))
             .picture(1, viewName.x(), viewName.y(), kViewMenuNamePicture, u'4'),
         hinted(StepBuilder()
                    .action(QStringLiteral("0001"))
                    .background(QString::fromLatin1(looks[2].background))
                    .picture(1, 0, commandBarTop(true) * 15, kCommandBarPicture)
                    .picture(2, viewName.x(), viewName.y(), kViewMenuNamePressed, u'3')
                    .picture(3, kViewMenuAt.x() * 15, kViewMenuAt.y() * 15, kViewMenuPicture)
                    .target(int(mediumIcons.left), int(mediumIcons.top), int(mediumIcons.width),
                            int(mediumIcons.height)),
                QStringLiteral("选择“中等图标”"), kWindowHint),
         explorer(3, hitEntry("A5"), QStringLiteral("单击“新建文件夹”按钮")),
         explorer(4, hitEntry("A1", 9), QStringLiteral("单击“组织”|选择“删除”"))
             .hit(3, QStringLiteral("DA1090k209")),
         lastStep()
             .menuBar(u'A')
             .background(QString::fromLatin1(looks[5].background))
             .barPosition(0, commandBarTop(true) * 15)}};

    // The menu bar "G" of 画图: a level-2 menu, then an entry of another
    // menu.
    auto paint = [&](const QString &entry, const QString &hint) {
        return hinted(Hit().menuBar(u'G').barPosition(PaintBarLeft, PaintBarTop).hit(1, entry),
                      hint, kWindowHint);
    };
    // The entry "另存为" opens its dialog, whose "保存(S)" saves the
    // picture under its name; the full-screen view shows the picture alone.
    qs << SampleQuestion{
        texts[1],
        {paint(hitEntry("G1", 3, 2), QStringLiteral("单击“文件”|单击“保存”|选择“另存为”"))
             .background(PaintScreenPicture),
         hinted(clickOn(kSaveButton.translated(kSaveAsFrame.topLeft()))
                    .background(QStringLiteral("k20015")),
                QStringLiteral("单击“保存”按钮"), kSaveHint),
         paint(hitEntry("G3", 4), QStringLiteral("单击“查看”|选择“全屏显示”"))
             .background(QStringLiteral("k20016")),
         lastStep().background(QStringLiteral("k20017"))}};

    // The tool strip and the task pane, with no bar: the panel of button
    // 23, a row of the pane, a plain button. (Not the strip's context
    // panel: the demonstration opens no panel for a click on the strip.)
    auto strip = [&](const QString &entry, const QString &hint) {
        return hinted(Hit().menuBar(u'O').paneFlags(3).hit(1, entry), hint, kWindowHint);
    };
    qs << SampleQuestion{texts[2],
                         {strip(hitEntry("23", 3), QStringLiteral("单击“视图”按钮|选择“中等图标”"))
                              .background(QStringLiteral("k20007")),
                          strip(hitEntry("26"), QStringLiteral("单击左侧的“收藏夹”"))
                              .background(QStringLiteral("k20013")),
                          strip(hitEntry("15"), QStringLiteral("单击“刷新”按钮"))
                              .background(QStringLiteral("k20018")),
                          lastStep().menuBar(u'O').paneFlags(3)}};

    // The desktop: an icon opened by double-click, a drive of the Computer
    // window, the desktop's context panel with its level-2 menu.
    // The Computer window shows whole, as the demonstration shows it. The
    // desktop's menu opens where the candidate right-clicks; the hint asks
    // for the desktop's left part, where its submenu opens clear of the
    // question panel.
    qs << SampleQuestion{
        texts[3],
        {hinted(Hit().menuBar(u'M').hit(1, hitEntry("63")).background(desktop),
                QStringLiteral("双击桌面上的“计算机”图标"), kDesktopIconHint),
         hinted(computerWindow().hit(1, hitEntry("96")), QStringLiteral("双击“本地磁盘 (D:)”"),
                kComputerHint),
         closeWindow(QStringLiteral("k20019")),
         hinted(Hit().menuBar(u'M').hit(1, hitEntry("69", 1, 2)).background(desktop),
                QStringLiteral("右击桌面左侧空白处|单击“查看”|选择“中等图标”"), kDesktopMenuHint),
         lastStep().background(QStringLiteral("k20020"))}};

    // The start menu: all three panel levels, an entry of its right-hand
    // column, the panels of the user's picture, of the start button and of
    // the shut-down arrow. Each step shows, under the start menu, the
    // window the step before opened, and the log-off ends on its screen.
    auto start = [&](const QString &entry, const QString &hint, const char *screen) {
        return hinted(Hit().hit(1, entry).background(QString::fromLatin1(screen)), hint,
                      kStartMenuHint);
    };
    qs << SampleQuestion{
        texts[4],
        {start(hitEntry("84", 10, 1, 1),
               QStringLiteral("单击“开始”|单击“所有程序”|依次单击“附件”“系统工具”和“磁盘清理”"),
               "7d0001")
             .menuBar(u'M'),
         start(hitEntry("79"), QStringLiteral("单击“开始”|选择个人文件夹"), "k20021"),
         start(hitEntry("80", 3), QStringLiteral("单击“开始”|单击“入门”|选择“传输文件和设置”"),
               "k20022"),
         start(hitEntry("70", 2), QStringLiteral("右击“开始”按钮|选择“打开 Windows 资源管理器”"),
               "k20023"),
         start(hitEntry("82", 2), QStringLiteral("单击“开始”|单击“关机”旁的箭头|选择“注销”"),
               "k20024"),
         lastStep().background(QStringLiteral("k20025"))}};

    // The Control Panel: link panels that open by pointing, in both views,
    // each page shown once the step before has opened it, and the way back
    // to the home page by the address row between them.
    auto ctrl = [](QChar view, const QString &entry, const QString &page) {
        return Hit().windowKind(u'N').viewVariant(view).hit(1, entry).background(page);
    };
    const QRect crumb = ctrlPanelHomeCrumbPlace();
    qs << SampleQuestion{
        texts[5],
        {hinted(ctrl(u'0', hitEntry("45", 2), CtrlPanelHomeScreenPicture),
                QStringLiteral("指向“用户帐户和家庭安全”|单击“添加或删除用户帐户”"),
                kCtrlPanelHint),
         hinted(
             StepBuilder()
                 .action(QStringLiteral("0001"))
                 .background(CtrlPanelAccountsScreenPicture)
                 .target(crumb.x() * 15, crumb.y() * 15, crumb.width() * 15, crumb.height() * 15),
             QStringLiteral("单击地址栏中的“控制面板”"), kAccountsPageHint),
         hinted(ctrl(u'0', hitEntry("41", 1), CtrlPanelHomeScreenPicture),
                QStringLiteral("指向“系统和安全”|单击其标题"), kCtrlPanelHint),
         hinted(ctrl(u'1', hitEntry("53", 3), CtrlPanelCategoryScreenPicture),
                QStringLiteral("单击“系统”下的|“检查体验指数”"), kCtrlPanelPageHint),
         // The page the last link opened, with the hint of that link gone.
         lastStep()
             .background(CtrlPanelPerformanceScreenPicture)
             .hint(kCtrlPanelPageHint.x(), kCtrlPanelPageHint.y(), 0)}};

    // The Computer window: its context panel, whose "属性" opens the
    // "系统" window over it, and a drive's, with a level-2 menu.
    auto pc = [&](const QString &entry, const QString &hint) {
        return hinted(computerWindow().hit(1, entry), hint, kComputerHint);
    };
    qs << SampleQuestion{
        texts[6],
        {pc(hitEntry("92", 9), QStringLiteral("右击窗口空白处|选择“属性”")),
         closeWindow(QStringLiteral("k20026")),
         pc(hitEntry("95", 4, 1), QStringLiteral("右击“本地磁盘 (C:)”|单击“共享”|选择“不共享”")),
         computerWindow(u'C').action(QStringLiteral("9999"))}};

    // Tab strips: one row of three tabs, then, once the folder options
    // are closed, two rows of twelve in the dialog behind them, whose tab
    // set has a back button to the step before.
    const TwipRect restore = kRestoreDefaultsButton;
    const TwipRect closeOptions = tabDialogOkButton(kDialogX, kDialogY);
    const TwipRect ok9 = tabDialogOkButton(kBackDialogX, kBackDialogY);
    qs << SampleQuestion{
        texts[7],
        {StepBuilder()
             .background(QStringLiteral("k20004"))
             .picture(1, kDialogX, kDialogY, QStringLiteral("q00022"))
             .tabStep(u'A', u'1', u'2', 1)
             .target(kDialogX + restore.x, kDialogY + restore.y, restore.w, restore.h)
             .action(QStringLiteral("0001"))
             .hint(kHintX, kDialogY, hintView),
         hinted(StepBuilder()
                    .picture(1, kDialogX, kDialogY, QStringLiteral("q00022"))
                    .target(closeOptions.x, closeOptions.y, closeOptions.w, closeOptions.h)
                    .action(QStringLiteral("0001")),
                QStringLiteral("单击“确定”"), QPoint(kHintX, kDialogY)),
         StepBuilder()
             .background(QStringLiteral("k20005"))
             .picture(1, kBackDialogX, kBackDialogY, QStringLiteral("q00049"))
             .tabStep(u'B', u'1', u'9', 1)
             .target(ok9.x, ok9.y, ok9.w, ok9.h)
             .action(QStringLiteral("0001"))
             .hint(kHintX, kBackDialogY, hintOk),
         lastStep()
             .picture(1, 0, 0, QStringLiteral("000000"))
             .background(QStringLiteral("k20006"))}};

    ok &= appendQuestions(dir, kShellJudgingUnit, qs);
    return ok;
}

} // namespace sample
