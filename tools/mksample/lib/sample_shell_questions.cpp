#include "sample_shell_questions.h"

#include "sample_chrome.h"
#include "sample_icons.h"
#include "sample_pictures.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "simulator/shell_judging.h"
#include "step_builder.h"

#include <QPainter>

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
// of a category page; in the Computer window's blank part under the
// network drive, where the window's menu opens clear of the question
// panel.
constexpr QPoint kWindowHint(7500, 3900);
constexpr QPoint kStartMenuHint(7500, 1200);
constexpr QPoint kDesktopIconHint(1650, 3525);
constexpr QPoint kDesktopMenuHint(2400, 1200);
constexpr QPoint kCtrlPanelHint(2400, 6300);
constexpr QPoint kCtrlPanelPageHint(150, 4500);
constexpr QPoint kComputerHint(2700, 6450);

// The Computer window as its own steps show it: its drive view with the
// tool strip and the task pane beside it.
StepBuilder computerWindow() {
    return Hit()
        .background(ComputerScreenPicture)
        .windowKind(u'P')
        .viewVariant(u'C')
        .menuBar(u'O')
        .paneFlags(3);
}

// Where the tab dialogs' pages lie on the screen, and the hints beside
// them (twips).
constexpr int kDialogX = 3000;
constexpr int kDialogY = 2100;
constexpr int kHintX = 9600;

QString hitEntry(const char *code, int item1 = 0, int item2 = 0, int item3 = 0) {
    return StepBuilder::entry(u'H', QString::fromLatin1(code), item1, item2, item3, u'0');
}

// The "文档" window with a few files, right of the task pane and below the
// tool strip the steps lay over it, in large or (once the view is changed)
// medium icons.
QImage documentsUnderToolStrip(IconSize size) {
    QImage img = explorerWindowPicture(QSize(1024, 600), QStringLiteral("文档"),
                                       {QStringLiteral("库"), QStringLiteral("文档")}, true,
                                       ExplorerTop::ToolStrip);
    QPainter p(&img);
    drawIconGrid(p, kGridOrigin, kGridColumns,
                 {{Icon::Folder, QStringLiteral("报告")},
                  {Icon::Folder, QStringLiteral("照片")},
                  {Icon::Notepad, QStringLiteral("年度总结.txt")},
                  {Icon::Notepad, QStringLiteral("会议记录.txt")}},
                 size);
    return img;
}

// The "文档" window of the command-bar question as each of its steps finds
// it: the files left, the one selected, whether the menu bar is shown
// (between the address row and the command bar, which then lies lower)
// and whether the files show as medium icons. Its navigation pane is drawn
// in: these steps show no task pane, which would lie under a lowered
// command bar.
struct DocumentsLook {
    QStringList files;
    QString selected;
    bool menuBar = false;
    bool medium = false;
};

// Where the command bar lies (pixels), under the address row or under the
// menu bar.
int commandBarTop(bool menuBar) {
    return menuBar ? 81 : 56;
}

QImage documentsLook(const DocumentsLook &look) {
    QImage img = explorerWindowPicture(QSize(1024, 600), QStringLiteral("文档"),
                                       {QStringLiteral("库"), QStringLiteral("文档")}, true);
    QPainter p(&img);
    if (look.menuBar) {
        drawMenuRow(p, QRect(6, 56, 1012, 25),
                    {QStringLiteral("文件(F)"), QStringLiteral("编辑(E)"),
                     QStringLiteral("查看(V)"), QStringLiteral("工具(T)"),
                     QStringLiteral("帮助(H)")});
    }
    const int contentTop = commandBarTop(look.menuBar) + 32;
    p.setClipRect(QRect(6, contentTop, 1012, 554 - contentTop));
    p.drawImage(QPoint(0, contentTop), shellPicture(shell::taskPanePicture(1)));
    QList<GridItem> items;
    for (const QString &f : look.files) {
        items << GridItem{f.endsWith(QLatin1String(".txt")) ? Icon::Notepad : Icon::Folder, f,
                          f == look.selected};
    }
    drawIconGrid(p, QPoint(kGridOrigin.x(), contentTop + 16), kGridColumns, items,
                 look.medium ? IconSize::Medium : IconSize::Large);
    return img;
}

// The steps of the command-bar question, each with the look of the window
// it begins with, the last one's after it.
struct DocumentsStep {
    const char *background;
    DocumentsLook look;
};
QList<DocumentsStep> documentsSteps() {
    const QString report = QStringLiteral("报告"), photos = QStringLiteral("照片"),
                  summary = QStringLiteral("年度总结.txt"),
                  minutes = QStringLiteral("会议记录.txt");
    return {{"k20001", {{report, photos, summary, minutes}, summary}},
            {"k20008", {{report, photos, minutes}, {}}},
            {"k20009", {{report, photos, minutes}, {}, true}},
            {"k20010", {{report, photos, minutes}, {}, true, true}},
            {"k20011", {{report, photos, minutes}, minutes, true, true}},
            {"k20012", {{report, photos}, {}, true, true}}};
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
    const QImage window = documentsLook(documentsSteps()[2].look);
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
                       "再单击“共享”按钮，然后用“组织”菜单的“删除”命令删除另一个文件。"),
        QStringLiteral("在“画图”中用“文件”菜单“保存”子菜单中的“另存为”保存图片，再从“查看”"
                       "菜单选择“全屏显示”。"),
        QStringLiteral("用工具栏的“视图”按钮改用中等图标，再单击任务窗格中的“收藏夹”和工具栏的"
                       "“刷新”按钮。"),
        QStringLiteral("双击桌面上的“计算机”图标，在“计算机”窗口中打开D盘，再用桌面的快捷菜单"
                       "改用中等图标。"),
        QStringLiteral("从“开始”菜单的“所有程序”中打开“附件”里“系统工具”中的“磁盘清理”，"
                       "再打开个人文件夹、注销、"
                       "打开“入门”中的“传输文件和设置”，并用“开始”按钮的快捷菜单打开 Windows "
                       "资源管理器。"),
        QStringLiteral("在“控制面板”中选择“用户帐户和家庭安全”下的“添加或删除用户帐户”，再在"
                       "“系统和安全”中选择“系统”下的“检查体验指数”。"),
        QStringLiteral("在“计算机”窗口的空白处用快捷菜单查看属性，再用C盘快捷菜单中“共享”的"
                       "“不共享”取消共享。"),
        QStringLiteral("在“文件夹选项”对话框的“查看”选项卡中单击“还原为默认值”，"
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
    for (const DocumentsStep &step : documentsSteps()) {
        ok &= saveBankPicture(dir, QString::fromLatin1(step.background), documentsLook(step.look),
                              PictureFormat::Png);
    }
    ok &= saveBankPicture(dir, QStringLiteral("k20007"), documentsUnderToolStrip(IconSize::Large),
                          PictureFormat::Png);
    ok &= saveBankPicture(dir, QStringLiteral("k20013"), documentsUnderToolStrip(IconSize::Medium),
                          PictureFormat::Png);
    ok &= saveViewMenuPictures(dir);
    ok &= saveBankPicture(dir, QStringLiteral("k20003"),
                          explorerWindowPicture(QSize(1024, 600), QStringLiteral("控制面板"),
                                                {QStringLiteral("控制面板")}, true),
                          PictureFormat::Png);
    // The tab dialogs over the "文档" window, and the window once they close.
    ok &= saveBankPicture(dir, QStringLiteral("k20004"),
                          tabDialogScreen(QStringLiteral("文件夹选项"), kDialogX, kDialogY));
    ok &= saveBankPicture(dir, QStringLiteral("k20005"),
                          tabDialogScreen(QStringLiteral("高级设置"), kDialogX, kDialogY));
    ok &= saveBankPicture(dir, QStringLiteral("k20006"),
                          tabDialogScreen(QString(), kDialogX, kDialogY));

    const int hintView = appendAnswerText(dir, QStringLiteral("单击“查看”选项卡|再单击按钮"));
    const int hintOk = appendAnswerText(dir, QStringLiteral("单击第九个选项卡|再单击“确定”"));
    ok &= hintView && hintOk;
    // Every step tells what to do, at a place of its own.
    auto hinted = [&](StepBuilder step, const QString &hint, QPoint at) {
        const int line = appendAnswerText(dir, hint);
        ok &= line != 0;
        return step.hint(at.x(), at.y(), line);
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
        if (look.look.menuBar) step.barPosition(0, commandBarTop(true) * 15);
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
         explorer(3, hitEntry("A3"), QStringLiteral("单击“共享”按钮")),
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
    qs << SampleQuestion{
        texts[1],
        {paint(hitEntry("G1", 3, 2), QStringLiteral("单击“文件”|单击“保存”|选择“另存为”"))
             .background(PaintScreenPicture),
         paint(hitEntry("G3", 4), QStringLiteral("单击“查看”|选择“全屏显示”")),
         lastStep().menuBar(u'G').barPosition(PaintBarLeft, PaintBarTop)}};

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
                          strip(hitEntry("15"), QStringLiteral("单击“刷新”按钮")),
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
         hinted(Hit().menuBar(u'M').hit(1, hitEntry("69", 1, 2)).background(desktop),
                QStringLiteral("右击桌面左侧空白处|单击“查看”|选择“中等图标”"), kDesktopMenuHint),
         lastStep().menuBar(u'M')}};

    // The start menu: all three panel levels, an entry of its right-hand
    // column, the panels of the shut-down arrow and of the user's picture,
    // the start button's context panel.
    auto start = [&](const QString &entry, const QString &hint) {
        return hinted(Hit().menuBar(u'M').hit(1, entry), hint, kStartMenuHint);
    };
    qs << SampleQuestion{
        texts[4],
        {start(hitEntry("84", 10, 1, 1), QStringLiteral("单击“开始”|单击“所有程序”|依次单击"
                                                        "“附件”“系统工具”和“磁盘清理”"))
             .background(desktop),
         start(hitEntry("79"), QStringLiteral("单击“开始”|选择个人文件夹")),
         start(hitEntry("82", 2), QStringLiteral("单击“开始”|单击“关机”旁的箭头|选择“注销”")),
         start(hitEntry("80", 3), QStringLiteral("单击“开始”|单击“入门”|选择“传输文件和设置”")),
         start(hitEntry("70", 2), QStringLiteral("右击“开始”按钮|选择“打开 Windows 资源管理器”")),
         lastStep().menuBar(u'M')}};

    // The Control Panel: link panels that open by pointing, in both views.
    auto ctrl = [](QChar view, const QString &entry) {
        return Hit().windowKind(u'N').viewVariant(view).hit(1, entry);
    };
    qs << SampleQuestion{
        texts[5],
        {hinted(ctrl(u'0', hitEntry("45", 2)).background(QStringLiteral("k20003")),
                QStringLiteral("指向“用户帐户和家庭安全”|单击“添加或删除用户帐户”"),
                kCtrlPanelHint),
         hinted(ctrl(u'1', hitEntry("53", 3)), QStringLiteral("单击“系统”下的|“检查体验指数”"),
                kCtrlPanelPageHint),
         lastStep().windowKind(u'N').viewVariant(u'1')}};

    // The Computer window: its context panel and a drive's, with a level-2
    // menu.
    auto pc = [&](const QString &entry, const QString &hint) {
        return hinted(computerWindow().hit(1, entry), hint, kComputerHint);
    };
    qs << SampleQuestion{
        texts[6],
        {pc(hitEntry("92", 9), QStringLiteral("右击窗口空白处|选择“属性”")),
         pc(hitEntry("95", 4, 1), QStringLiteral("右击“本地磁盘 (C:)”|单击“共享”|选择“不共享”")),
         lastStep().windowKind(u'P').viewVariant(u'C').paneFlags(3)}};

    // Tab strips: one row of three tabs, then two rows of twelve, whose
    // tab set has a back button to the step before.
    const TwipRect restore = kRestoreDefaultsButton;
    const TwipRect ok9 = tabDialogOkButton(kDialogX, kDialogY);
    qs << SampleQuestion{
        texts[7],
        {StepBuilder()
             .background(QStringLiteral("k20004"))
             .picture(1, kDialogX, kDialogY, QStringLiteral("q00022"))
             .tabStep(u'A', u'1', u'2', 1)
             .target(kDialogX + restore.x, kDialogY + restore.y, restore.w, restore.h)
             .action(QStringLiteral("0001"))
             .hint(kHintX, kDialogY, hintView),
         StepBuilder()
             .background(QStringLiteral("k20005"))
             .picture(1, kDialogX, kDialogY, QStringLiteral("q00049"))
             .tabStep(u'B', u'1', u'9', 1)
             .target(ok9.x, ok9.y, ok9.w, ok9.h)
             .action(QStringLiteral("0001"))
             .hint(kHintX, kDialogY, hintOk),
         lastStep()
             .picture(1, 0, 0, QStringLiteral("000000"))
             .background(QStringLiteral("k20006"))}};

    ok &= appendQuestions(dir, kShellJudgingUnit, qs);
    return ok;
}

} // namespace sample
