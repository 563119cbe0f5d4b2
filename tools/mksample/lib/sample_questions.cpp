#include "sample_questions.h"

#include "sample_chrome.h"
#include "sample_pictures.h"
#include "sample_shell.h"
#include "step_builder.h"

#include "platform/text.h"
#include "simulator/shell_tab_strip.h"
#include "simulator/shell_tables.h"
#include "simulator/step_files.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <functional>

namespace sample {

namespace {

QString two(int n) {
    return StepBuilder::digits(n, 2);
}

// Sets unit u's question count in line 2 of the bank index.
bool setUnitCount(const SampleDir &dir, int unit, int count) {
    const QString path = dir.bankFile(QStringLiteral("288891"));
    QStringList lines = platform::readLines(path).value_or(QStringList());
    while (lines.size() < 2) lines << QString();
    QString counts = lines[1];
    const int need = 2 * (unit + 1);
    if (counts.size() < need) counts = counts.leftJustified(need, QLatin1Char('0'));
    counts.replace(2 * unit, 2, two(count));
    lines[1] = counts;
    // The number of units in line 1 must cover this one.
    QString head = lines[0].leftJustified(4, QLatin1Char('0'), true);
    if (platform::val(head.mid(2, 2)) < unit + 1) head.replace(2, 2, two(unit + 1));
    lines[0] = head;
    return platform::writeLinesAtomic(path, lines);
}

// ---- pictures

// Pictures of the finished screens and of a ticked box, which no tab set
// or step before them draws.
const QString kExtensionsHiddenPage = QStringLiteral("q00024");
const QString kSavedNameBox = QStringLiteral("q00013");
const QString kDocumentsAfterMove = QStringLiteral("q00014");
// 记事本 once its text is saved as "年度总结": the title names the file.
const QString kSavedNotepad = QStringLiteral("q00061");
// The menu of the "视图" button, open under it once the button is clicked.
const QString kViewMenu = QStringLiteral("q00062");
// The "文档" window the folder options stand over, once they are closed.
const QString kDocumentsBehindOptions = QStringLiteral("q00063");
// Where the folder options' steps lay the page of their tab (twips).
constexpr QPoint kFolderOptionsPage(3000, 1200);

// A folder icon with its name under it.
void drawFolder(QPainter &p, QPoint at, const QString &name) {
    p.setPen(QColor(180, 140, 40));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(at.x() + 8, at.y() + 10, 56, 40);
    p.drawRect(at.x() + 8, at.y() + 4, 22, 8);
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(QRect(at.x() - 8, at.y() + 54, 88, 18), Qt::AlignCenter, name);
}

// A flat grey button of the simple dialogs, in the painter's font.
void drawPlainButton(QPainter &p, const QRect &r, const QString &label) {
    p.setPen(QColor(112, 112, 112));
    p.setBrush(QColor(236, 236, 236));
    p.drawRect(r);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, label);
}

constexpr int kViewButtonHeight = 24;

// The "视图" button of the explorer window's tool row, normal or under the
// pointer: the extra picture of the step that clicks it.
QImage viewButton(bool hover) {
    return placeholder(QSize(100, kViewButtonHeight), QStringLiteral("视图 ▼"),
                       hover ? QColor(180, 210, 245) : QColor(220, 232, 248), Qt::black);
}
// Where the "视图" button stands (pixels).
constexpr QPoint kViewButtonAt(600, 38);

// An explorer window with its tool row, where a window that offers the
// "视图" button draws it too: the demonstration shows no extra picture.
QImage explorerWindow(const QString &title, const QStringList &folders, bool withTaskbar = false,
                      bool withViewButton = false) {
    QImage img = windowPicture(QSize(1024, 600), title, withTaskbar);
    QPainter p(&img);
    p.fillRect(7, 37, 1010, 28, QColor(232, 240, 250));
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(QRect(14, 37, 600, 28), Qt::AlignVCenter,
               QStringLiteral("组织 ▼    共享 ▼    新建文件夹"));
    if (withViewButton) p.drawImage(kViewButtonAt, viewButton(false));
    for (int i = 0; i < folders.size(); ++i) drawFolder(p, QPoint(40 + 110 * i, 90), folders[i]);
    return img;
}

// The file name box of the "另存为" dialog, where the steps lay their
// input box (pixels). It is drawn too: once the last step hides the input
// box, the label must not stand beside nothing.
const QRect kFileNameBox(140, 422, 400, 22);

// The file name box with a name in it, as the dialog shows it once the
// name is typed.
QImage fileNameBox(const QString &name) {
    QImage img(kFileNameBox.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QColor(112, 112, 112));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(img.rect().adjusted(4, 0, -4, 0), Qt::AlignVCenter, name);
    return img;
}

// The "另存为" dialog: the file name label beside its box, the file type
// under it, and the "保存(S)" and "取消" buttons right under the type,
// clear of the question panel docked at the screen's lower-right corner.
QImage saveAsDialog() {
    QImage img = windowPicture(QSize(1024, 600), QStringLiteral("另存为"));
    QPainter p(&img);
    p.setFont(uiFont(12));
    p.setPen(Qt::black);
    p.drawText(QRect(24, 422, 110, 22), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("文件名(N):"));
    p.drawImage(kFileNameBox.topLeft(), fileNameBox(QString()));
    p.drawText(QRect(24, 452, 110, 22), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("保存类型(T):"));
    p.setPen(QColor(112, 112, 112));
    p.drawRect(140, 452, 399, 21);
    p.setPen(Qt::black);
    p.drawText(QRect(146, 452, 390, 22), Qt::AlignVCenter, QStringLiteral("文本文档(*.txt)"));
    p.drawText(QRect(516, 452, 20, 22), Qt::AlignCenter, QStringLiteral("▼"));
    drawPlainButton(p, QRect(370, 490, 80, 24), QStringLiteral("保存(S)"));
    drawPlainButton(p, QRect(459, 490, 80, 24), QStringLiteral("取消"));
    return img;
}

// 记事本 as the shell's screen shows it, its title naming the saved file.
QImage savedNotepad() {
    QImage img = shellPicture(QStringLiteral("bank:") + NotepadScreenPicture);
    // The window stands where its menu bar's place puts it; only its title
    // bar is drawn again.
    const QPoint window(NotepadBarLeft / 15 - 7, NotepadBarTop / 15 - 37);
    const QImage titled = windowPicture(QSize(img.width() - window.x(), 560 - window.y()),
                                        QStringLiteral("年度总结.txt - 记事本"));
    QPainter p(&img);
    p.drawImage(window, titled, QRect(0, 0, titled.width(), 30));
    return img;
}

// The first folder of the explorer window as it looks selected, to be
// laid over it at 30, 80 pixels.
QImage selectedFolder(const QString &name) {
    QImage img(QSize(92, 86), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    drawSelection(p, QRect(2, 2, 87, 81));
    drawFolder(p, QPoint(10, 10), name);
    return img;
}

// ---- tab dialogs

// The width the window gives a step's back-step label (twips).
constexpr int kBackLabelWidth = 1095;

// Every tab page picture is this large; the page lies under the strip.
constexpr QSize kTabPageSize(400, 350);
constexpr int kTwipsPerPixel = 15;

QRect pixels(int x, int y, int w, int h) {
    return QRect(x / kTwipsPerPixel, y / kTwipsPerPixel, w / kTwipsPerPixel, h / kTwipsPerPixel);
}

// A check box or option button in front of a line of text.
void drawChoice(QPainter &p, QPoint at, const QString &text, bool checked, bool round = false) {
    drawCheckBox(p, QRect(at.x(), at.y() + 3, 13, 13), checked, round);
    p.setFont(uiFont(12));
    p.drawText(QRect(at.x() + 20, at.y(), 340, 20), Qt::AlignVCenter, text);
}

void drawText(QPainter &p, QPoint at, const QString &text) {
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(QRect(at.x(), at.y(), 360, 20), Qt::AlignVCenter, text);
}

// The rectangle of tab i as the window places its label for a page whose
// tab `front` was chosen: Left, Width and height from the row, the Top of
// a two-row strip by the row in front.
QRect tabRect(const sim::TabSetRow &row, int i, int front) {
    const int count = row.tabCount();
    const bool twoRows = count >= shell::TwoRowTabCount;
    int top = row.tabTop();
    int width = row.tabWidth(i);
    if (twoRows) {
        const shell::TabTops tops =
            shell::tabTops(row, count, shell::frontRowFor(front), 0, shell::Scale{});
        top = int(tops[size_t(i)].value_or(top));
        // The window widens the last tab of each row to 1050 twips.
        if (i == shell::FirstRowTabs || i == 2 * shell::FirstRowTabs) width = 1050;
    }
    return pixels(row.tabLeft(i), top, width, row.tabHeight());
}

// One page of a tab set: the tabs where the row of the tab-set table puts
// their labels, tab `front` in front and joined to the page, the page's
// content drawn by `body`. The tab set's back button is a label over a
// button of the dialog around the page, which draws it.
QImage tabPage(const sim::TabSetRow &row, const QStringList &captions, int front,
               const std::function<void(QPainter &, const QRect &)> &body) {
    QImage img(kTabPageSize, QImage::Format_RGB32);
    img.fill(QColor(240, 240, 240));
    QPainter p(&img);
    const int count = row.tabCount();
    int pageTop = 0;
    for (int i = 1; i <= count; ++i) pageTop = std::max(pageTop, tabRect(row, i, front).bottom());
    const QRect page(4, pageTop, kTabPageSize.width() - 8, kTabPageSize.height() - pageTop - 4);
    const QColor edge(137, 140, 149);
    p.setFont(uiFont(12));
    for (int i = 1; i <= count; ++i) {
        if (i == front) continue;
        const QRect r = tabRect(row, i, front).adjusted(0, 2, -1, 0);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0xf4, 0xf6, 0xf9));
        g.setColorAt(1, QColor(0xdc, 0xe3, 0xec));
        p.setPen(edge);
        p.setBrush(g);
        p.drawRect(r);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, captions.value(i - 1));
    }
    p.setPen(edge);
    p.setBrush(Qt::white);
    p.drawRect(page);
    // The chosen tab stands out over its neighbours and opens into the page.
    const QRect r = tabRect(row, front, front).adjusted(-2, 0, 1, 1);
    p.setPen(edge);
    p.drawRect(r.adjusted(0, 0, 0, -1));
    p.fillRect(r.adjusted(1, 1, 0, 0), Qt::white);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, captions.value(front - 1));
    body(p, page);
    return img;
}

// The three pages of the folder options, each with its restore button;
// on the "查看" page the box of "隐藏已知文件类型的扩展名" as it is before
// the candidate ticks it, or ticked.
void folderOptionsPage(QPainter &p, const QRect &page, int tab, bool extensionsHidden) {
    const int x = page.left() + 16;
    const int y = page.top() + 8;
    if (tab == 1) {
        drawText(p, {x, y}, QStringLiteral("浏览文件夹"));
        drawChoice(p, {x + 16, y + 24}, QStringLiteral("在同一窗口中打开每个文件夹(M)"), true,
                   true);
        drawChoice(p, {x + 16, y + 46}, QStringLiteral("在不同窗口中打开不同的文件夹(W)"), false,
                   true);
        drawText(p, {x, y + 80}, QStringLiteral("按如下方式单击项目"));
        drawChoice(p, {x + 16, y + 104}, QStringLiteral("通过单击打开项目(指向时选定)(S)"), false,
                   true);
        drawChoice(p, {x + 16, y + 126}, QStringLiteral("通过双击打开项目(单击时选定)(D)"), true,
                   true);
        drawText(p, {x, y + 160}, QStringLiteral("导航窗格"));
        drawChoice(p, {x + 16, y + 184}, QStringLiteral("显示所有文件夹(F)"), false);
        drawChoice(p, {x + 16, y + 206}, QStringLiteral("自动扩展到当前文件夹(E)"), false);
    } else if (tab == 2) {
        drawText(p, {x, y}, QStringLiteral("文件夹视图"));
        drawText(p, {x + 16, y + 22}, QStringLiteral("可以将此视图应用到这种类型的所有文件夹。"));
        drawDialogButton(p, QRect(x + 16, y + 48, 110, 23), QStringLiteral("应用到文件夹(L)"));
        drawDialogButton(p, QRect(x + 136, y + 48, 110, 23), QStringLiteral("重置文件夹(R)"));
        drawText(p, {x, y + 84}, QStringLiteral("高级设置:"));
        // The list's rows are 20 pixels high; the fourth holds the check
        // box the sample's questions tick.
        const QRect box = pixels(kHideExtensionsBox.x, kHideExtensionsBox.y, kHideExtensionsBox.w,
                                 kHideExtensionsBox.h);
        const int first = box.top() - 3 * 20;
        p.setPen(QColor(0x82, 0x87, 0x90));
        p.setBrush(Qt::white);
        p.drawRect(QRect(x, first - 4, page.width() - 32, 7 * 20 + 8));
        const QList<QPair<QString, bool>> rows = {
            {QStringLiteral("始终显示图标，从不显示缩略图"), false},
            {QStringLiteral("始终显示菜单"), false},
            {QStringLiteral("显示驱动器号"), true},
            {QStringLiteral("隐藏已知文件类型的扩展名"), extensionsHidden},
            {QStringLiteral("隐藏受保护的操作系统文件(推荐)"), true},
            {QStringLiteral("鼠标指向文件夹和桌面项时显示提示信息"), true},
            {QStringLiteral("在单独的进程中打开文件夹窗口"), false}};
        for (int i = 0; i < rows.size(); ++i)
            drawChoice(p, {box.left() + 3, first + 20 * i}, rows[i].first, rows[i].second);
    } else {
        drawText(p, {x, y}, QStringLiteral("搜索内容"));
        drawChoice(p, {x + 16, y + 24}, QStringLiteral("在有索引的位置搜索文件名和内容"), true,
                   true);
        drawChoice(p, {x + 16, y + 46}, QStringLiteral("始终搜索文件名和内容"), false, true);
        drawText(p, {x, y + 80}, QStringLiteral("搜索方式"));
        drawChoice(p, {x + 16, y + 104}, QStringLiteral("在搜索结果中包括子文件夹"), true);
        drawChoice(p, {x + 16, y + 126}, QStringLiteral("查找部分匹配"), true);
        drawChoice(p, {x + 16, y + 148}, QStringLiteral("使用自然语言搜索"), false);
    }
    drawDialogButton(p,
                     pixels(kRestoreDefaultsButton.x, kRestoreDefaultsButton.y,
                            kRestoreDefaultsButton.w, kRestoreDefaultsButton.h),
                     tab == 2 ? QStringLiteral("还原为默认值(D)")
                              : QStringLiteral("还原为默认值(R)"));
}

// The captions of the tab sets, by row of the tab-set table.
const QStringList kFolderOptionTabs = {QStringLiteral("常规"), QStringLiteral("查看"),
                                       QStringLiteral("搜索")};
const QStringList kSettingTabs = {
    QStringLiteral("常规"), QStringLiteral("显示"), QStringLiteral("声音"), QStringLiteral("键盘"),
    QStringLiteral("鼠标"), QStringLiteral("网络"), QStringLiteral("打印"), QStringLiteral("字体"),
    QStringLiteral("区域"), QStringLiteral("日期"), QStringLiteral("帐户"), QStringLiteral("更新")};

// A page of the twelve settings tabs.
void settingsPage(QPainter &p, const QRect &page, int tab) {
    const int x = page.left() + 16;
    const int y = page.top() + 8;
    drawText(p, {x, y}, QStringLiteral("“%1”设置").arg(kSettingTabs.value(tab - 1)));
    drawChoice(p, {x + 16, y + 24}, QStringLiteral("使用推荐的设置(U)"), true, true);
    drawChoice(p, {x + 16, y + 46}, QStringLiteral("使用自定义设置(C)"), false, true);
    drawChoice(p, {x + 16, y + 80}, QStringLiteral("更改设置前先询问(A)"), tab % 2 == 1);
}

// Every page of the tab sets the sample's questions use, one picture per
// tab, drawn from the rows of the tab-set table.
bool writeTabPages(const SampleDir &dir) {
    const QStringList table = sampleTabSetTable();
    struct Set {
        int row;
        const QStringList *captions;
        void (*page)(QPainter &, const QRect &, int);
    };
    const auto folderOptions = [](QPainter &p, const QRect &page, int tab) {
        folderOptionsPage(p, page, tab, false);
    };
    const Set sets[] = {{0, &kFolderOptionTabs, folderOptions}, {1, &kSettingTabs, settingsPage}};
    bool ok = true;
    for (const Set &set : sets) {
        const sim::TabSetRow row(table[set.row]);
        for (int tab = 1; tab <= row.tabCount(); ++tab) {
            const QImage img =
                tabPage(row, *set.captions, tab,
                        [&](QPainter &p, const QRect &page) { set.page(p, page, tab); });
            ok &= saveBankPicture(dir, row.pagePicture(tab), img);
        }
    }
    // The "查看" page once its box is ticked: no tab step shows it, the
    // step after the tick does.
    const QImage ticked =
        tabPage(sim::TabSetRow(table[0]), kFolderOptionTabs, 2,
                [](QPainter &p, const QRect &page) { folderOptionsPage(p, page, 2, true); });
    ok &= saveBankPicture(dir, kExtensionsHiddenPage, ticked);
    return ok;
}

QRect dialogPage(int pageX, int pageY) {
    return QRect(QPoint(pageX / kTwipsPerPixel, pageY / kTwipsPerPixel), kTabPageSize);
}

} // namespace

TwipRect tabDialogOkButton(int pageX, int pageY) {
    const QRect page = dialogPage(pageX, pageY);
    return TwipRect{(page.right() + 1 - 3 * 75 - 2 * 8) * kTwipsPerPixel,
                    (page.bottom() + 1 + 12) * kTwipsPerPixel, 75 * kTwipsPerPixel,
                    23 * kTwipsPerPixel};
}

TwipRect tabDialogCancelButton(int pageX, int pageY) {
    TwipRect r = tabDialogOkButton(pageX, pageY);
    r.x += 83 * kTwipsPerPixel;
    return r;
}

QImage tabDialogScreen(const QString &title, int pageX, int pageY) {
    QImage img = explorerWindow(
        QStringLiteral("文档"),
        {QStringLiteral("报告"), QStringLiteral("备份"), QStringLiteral("照片")}, true);
    if (title.isEmpty()) return img;
    QPainter p(&img);
    const QRect page = dialogPage(pageX, pageY);
    const QRect frame(page.left() - 12, page.top() - 38, page.width() + 24,
                      page.height() + 38 + 46);
    drawShadow(p, frame, WindowKind::Dialog);
    QLinearGradient glass(frame.topLeft(), frame.bottomLeft());
    glass.setColorAt(0, QColor(185, 209, 234));
    glass.setColorAt(1, QColor(160, 190, 222));
    p.setPen(QColor(0x55, 0x6e, 0x8c));
    p.setBrush(glass);
    p.drawRoundedRect(frame, 6, 6);
    p.fillRect(QRect(page.left() - 4, page.top() - 6, page.width() + 8, page.height() + 48),
               QColor(240, 240, 240));
    p.setPen(Qt::black);
    p.setFont(uiFont(13));
    p.drawText(QRect(frame.left() + 10, frame.top(), frame.width() - 60, 30), Qt::AlignVCenter,
               title);
    p.fillRect(QRect(frame.right() - 46, frame.top() + 1, 40, 18), QColor(199, 80, 80));
    p.setPen(Qt::white);
    p.drawText(QRect(frame.right() - 46, frame.top() + 1, 40, 18), Qt::AlignCenter,
               QStringLiteral("×"));
    const TwipRect ok = tabDialogOkButton(pageX, pageY);
    const QRect okPx = pixels(ok.x, ok.y, ok.w, ok.h);
    const QString labels[] = {QStringLiteral("确定"), QStringLiteral("取消"),
                              QStringLiteral("应用(A)")};
    for (int i = 0; i < 3; ++i) drawDialogButton(p, okPx.translated(83 * i, 0), labels[i]);
    return img;
}

namespace {

// The program's logo in the screen's lower-right corner, 116 x 23 pixels:
// the brand's green seal with "青" and the brand's name over the
// program's, on a light glass plate.
QImage programLogo() {
    QImage img(QSize(116, 23), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient plate(0, 0, 0, 23);
    plate.setColorAt(0, QColor(0xf4, 0xf8, 0xfd));
    plate.setColorAt(1, QColor(0xd6, 0xe4, 0xf5));
    p.setPen(QColor(0x7a, 0x9c, 0xc8));
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(0.5, 0.5, 115, 22), 4, 4);
    const QColor green(0x2f, 0x8f, 0x3f);
    p.setPen(green.darker(140));
    p.setBrush(green);
    p.drawEllipse(QRectF(3, 2.5, 18, 18));
    p.setPen(Qt::white);
    p.setFont(uiFont(12, true));
    p.drawText(QRectF(3, 2.5, 18, 18), Qt::AlignCenter, QStringLiteral("青"));
    p.setPen(QColor(0x1e, 0x4e, 0x8c));
    p.setFont(uiFont(10, true));
    p.drawText(QRectF(25, 0, 90, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("青禾启明"));
    p.setPen(QColor(0x2f, 0x6f, 0xc0));
    p.setFont(uiFont(9));
    p.drawText(QRectF(25, 11, 90, 11), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("职称计算机考试练习"));
    return img;
}

bool writePictures(const SampleDir &dir) {
    bool ok = true;
    const QStringList docs = {QStringLiteral("报告"), QStringLiteral("备份"),
                              QStringLiteral("照片")};
    ok &= saveBankPicture(dir, QStringLiteral("q00001"),
                          explorerWindow(QStringLiteral("文档"), docs));
    ok &= saveBankPicture(dir, QStringLiteral("q00002"),
                          explorerWindow(QStringLiteral("报告"), {QStringLiteral("年度总结")}));
    ok &= saveBankPicture(dir, QStringLiteral("q00003"), saveAsDialog());
    // The folder options over the "文档" window they were opened from, and
    // the window once they are closed.
    ok &= saveBankPicture(dir, QStringLiteral("q00004"),
                          tabDialogScreen(QStringLiteral("文件夹选项"), kFolderOptionsPage.x(),
                                          kFolderOptionsPage.y()));
    ok &=
        saveBankPicture(dir, kDocumentsBehindOptions,
                        tabDialogScreen(QString(), kFolderOptionsPage.x(), kFolderOptionsPage.y()));
    ok &= saveBankPicture(dir, QStringLiteral("q00005"),
                          explorerWindow(QStringLiteral("文档"), docs, false, true));
    ok &= saveBankPicture(dir, QStringLiteral("q00011"), selectedFolder(QStringLiteral("报告")));
    ok &= saveBankPicture(dir, kBackupSelected, selectedFolder(QStringLiteral("备份")));
    ok &= saveBankPicture(dir, kSavedNameBox, fileNameBox(QStringLiteral("年度总结")));
    ok &= saveBankPicture(dir, kDocumentsAfterMove,
                          explorerWindow(QStringLiteral("文档"), docs.mid(1), false, true));
    ok &= saveBankPicture(
        dir, QStringLiteral("q00012"),
        placeholder(QSize(250, 80), QStringLiteral("正在打开…"), QColor(230, 240, 255), Qt::black));
    ok &= writeTabPages(dir);
    ok &= saveBankPicture(dir, QStringLiteral("q00031"), viewButton(false));
    ok &= saveBankPicture(dir, QStringLiteral("q00032"), viewButton(true));
    ok &= saveBankPicture(dir, kSavedNotepad, savedNotepad(), PictureFormat::Png);
    ok &= saveBankPicture(dir, kViewMenu, shellPicture(shell::panelPicture(u"T1")));
    // "No extra picture" is a picture too: a small blank one.
    if (!QFile::exists(dir.bankFile(QStringLiteral("000000")))) {
        QImage blank(QSize(1, 1), QImage::Format_RGB32);
        blank.fill(QColor(195, 217, 249));
        ok &= saveBankPicture(dir, QStringLiteral("000000"), blank, PictureFormat::Bmp);
    }
    ok &= saveBankPicture(dir, QStringLiteral("l62009"), programLogo(), PictureFormat::Png);
    return ok;
}

} // namespace

bool appendQuestions(const SampleDir &dir, int unit, const QList<SampleQuestion> &questions) {
    const QString list = dir.bankFile(QStringLiteral("2888") + two(70 + unit));
    const QString steps = dir.bankFile(QStringLiteral("2888") + two(20 + unit));
    const QStringList listLines = platform::readLines(list).value_or(QStringList());
    const QStringList stepLines = platform::readLines(steps).value_or(QStringList());
    // The questions already there, with their blocks of steps. The sample
    // is laid out again over an existing folder on every build: a question
    // whose text is there already has its steps replaced, not added twice.
    QList<SampleQuestion> all;
    int at = 0;
    for (const QString &line : listLines) {
        const int count = static_cast<int>(platform::val(line.mid(4, 2)));
        all << SampleQuestion{line.mid(6), stepLines.mid(at, count)};
        at += count;
    }
    for (const SampleQuestion &q : questions) {
        auto same = std::find_if(all.begin(), all.end(),
                                 [&](const SampleQuestion &o) { return o.text == q.text; });
        if (same != all.end())
            *same = q;
        else
            all << q;
    }
    QStringList outList, outSteps;
    for (int i = 0; i < all.size(); ++i) {
        outList << two(unit) + two(i + 1) + two(static_cast<int>(all[i].steps.size())) +
                       all[i].text;
        outSteps << all[i].steps;
    }
    return platform::writeLinesAtomic(list, outList) &&
           platform::writeLinesAtomic(steps, outSteps) &&
           setUnitCount(dir, unit, static_cast<int>(outList.size()));
}

int appendAnswerText(const SampleDir &dir, const QString &text) {
    const QString path = dir.bankFile(QStringLiteral("288890"));
    QStringList lines = platform::readLines(path).value_or(QStringList());
    // Laid out again over an existing folder, a text keeps its line.
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].mid(3) == text) return i + 1;
    const int n = static_cast<int>(lines.size()) + 1;
    lines << StepBuilder::digits(n, 3) + text;
    return platform::writeLinesAtomic(path, lines) ? n : 0;
}

QStringList sampleStyleTable() {
    QStringList t = {QStringLiteral("0宋体"),
                     QStringLiteral("1黑体"),
                     QStringLiteral("2楷体"),
                     QStringLiteral("3Arial"),
                     QStringLiteral("4Times New Roman"),
                     QStringLiteral("5仿宋"),
                     QStringLiteral("6微软雅黑"),
                     QStringLiteral("7Tahoma"),
                     QStringLiteral("8Courier New"),
                     QStringLiteral("9Verdana")};
    // Text colours 10-19 and background colours 20-29: R, G, B as three
    // digits each after one unread character.
    const QStringList fore = {"0000000000", "0255000000", "0000000255", "0000128000", "0128000128",
                              "0128128128", "0255128000", "0000128128", "0064064064", "0192000000"};
    const QStringList back = {"0255255255", "0255255192", "0220230240", "0240240240", "0255240220",
                              "0200255200", "0000000000", "0255220220", "0230230255", "0192192192"};
    t << fore << back;
    while (t.size() < 41) t << QStringLiteral("0");
    return t;
}

namespace {

// One row of the tab-set table: count, tab Top and height, the groups of
// page picture and Left, then the back label's Left, Top and Width.
QString tabRow(QChar count, int top, int height, const QList<QPair<QString, int>> &groups,
               int backLeft, int backTop, int backWidth) {
    QString row =
        QStringLiteral("0") + count + StepBuilder::digits(top, 4) + StepBuilder::digits(height, 3);
    for (const auto &g : groups) row += g.first.left(6) + StepBuilder::digits(g.second, 4);
    row = row.leftJustified(139, QLatin1Char('0'), true);
    row += StepBuilder::digits(backLeft, 4) + StepBuilder::digits(backTop, 4) +
           StepBuilder::digits(backWidth, 4);
    return row;
}

} // namespace

QStringList sampleTabSetTable() {
    QStringList t;
    // Row A: the three tabs of the folder options, 750 twips each from
    // Left 90; the group after the last gives the strip's end.
    t << tabRow('3', 0, 300, {{"q00021", 90}, {"q00022", 840}, {"q00023", 1590}, {"000000", 2340}},
                0, 0, 0);
    // Row B: a two-row strip of twelve tabs, 900 twips each, pages
    // "q00041" to "q00052". Its back button goes back to the dialog the
    // question showed before: it lies on the dialog's "取消" button, under
    // the page (tabDialogCancelButton). Its height is read from columns
    // 142-145, across the ends of its Left and Top fields: Left 3603 and
    // Top 5430 make it 354 twips high, as high as the button.
    QList<QPair<QString, int>> twelve;
    for (int i = 1; i <= 12; ++i)
        twelve << qMakePair(QStringLiteral("q000%1").arg(40 + i), 90 + 900 * ((i - 1) % 6));
    twelve << qMakePair(QStringLiteral("000000"), 90 + 900 * 6);
    t << tabRow('C', 0, 300, twelve, 3603, 5430, 1125);
    while (t.size() < 21) t << QString();
    return t;
}

bool addStepEngineFiles(const SampleDir &dir) {
    bool ok = dir.makeFolders();
    ok &= writePictures(dir);
    ok &= writeGbkLines(dir.bankFile(QStringLiteral("288905")), sampleStyleTable());
    ok &= writeGbkLines(dir.bankFile(QStringLiteral("288906")), sampleTabSetTable());

    const int hintOpen = appendAnswerText(dir, QStringLiteral("双击“报告”文件夹|打开文件夹"));
    const int saveName = appendAnswerText(dir, QStringLiteral("年度总结|年度总结.txt"));
    const int keyword = appendAnswerText(dir, QStringLiteral("Windows 7"));
    const int hintView = appendAnswerText(dir, QStringLiteral("勾选“隐藏已知文件类型的扩展名”"));
    const int hintOk = appendAnswerText(dir, QStringLiteral("单击“确定”按钮"));
    const int hintDrag = appendAnswerText(dir, QStringLiteral("把“报告”拖到“备份”文件夹上"));
    const int hintMenu = appendAnswerText(dir, QStringLiteral("单击“视图”按钮"));
    // The name box compares its whole text: an answer with alternatives
    // would have the candidate type the "|".
    const int saveNameWhole = appendAnswerText(dir, QStringLiteral("年度总结"));
    const int hintSaveAs = appendAnswerText(dir, QStringLiteral("单击“文件”|选择“另存为”"));
    ok &= hintOpen && saveName && keyword && hintView && hintOk && hintDrag && hintMenu &&
          saveNameWhole && hintSaveAs;

    QList<SampleQuestion> qs;
    // The tab "常规" of the folder options' pages (twips from the page's
    // corner), as the tab-set table places it; the back-step label, as wide
    // as the window makes it, ends where the tab ends.
    const sim::TabSetRow folderTabs(sampleTabSetTable()[0]);
    const QRect generalTab(folderTabs.tabLeft(1), folderTabs.tabTop(), folderTabs.tabWidth(1),
                           folderTabs.tabHeight());

    // Opening a folder: a target on an overlay picture, a timed step that
    // keeps the first picture and adds a second, and the last step, which
    // hides both.
    qs << SampleQuestion{QStringLiteral("在“文档”窗口中打开“报告”文件夹。"),
                         {StepBuilder()
                              .background("q00001")
                              .picture(1, 450, 1200, "q00011")
                              .target(600, 1350, 1080, 1080)
                              .action("0002")
                              .hint(7500, 1500, hintOpen),
                          StepBuilder()
                              .action("8888")
                              .picture(1, 450, 1200, "888888")
                              .picture(2, 5000, 4000, "q00012"),
                          StepBuilder()
                              .background("q00002")
                              .picture(1, 0, 0, "000000")
                              .picture(2, 0, 0, "000000")
                              .action("9999")}};

    // Typing a file name, each step in a text style of its own, one step
    // for each input the text names: the name confirmed with Enter or the
    // "保存(S)" button, a keyword into a box that takes the name box's
    // place, then the name again. The text names every answer the steps
    // ask for: the demonstration types them, and a candidate can only
    // type what the text asks. A typing step selects nothing and leaves
    // the caret in front of the box's text, so the boxes start empty: a
    // name typed in front of "新建文本文档" would be judged wrong. Saving
    // closes the dialog: 记事本 shows under the saved name, and its menu
    // opens the dialog again. The last step shows the name the box was
    // left with.
    qs << SampleQuestion{
        QStringLiteral("在“另存为”对话框的文件名框中输入“年度总结”，然后保存；"
                       "再用“文件”菜单的“另存为”打开对话框，在文件名框中输入“Windows 7”，"
                       "最后将文件名改回“年度总结”。"),
        {StepBuilder()
             .background("q00003")
             .textBox(2100, 6330, 6000, 330)
             .answerLine(saveName)
             .hint(2100, 5700, saveName)
             .textStyle(0, 'L', 0, 0, 0, 0)
             .target(5550, 7350, 1200, 360)
             .action("0022"),
         StepBuilder()
             .background(kSavedNotepad)
             .menuBar('H')
             .barPosition(NotepadBarLeft, NotepadBarTop)
             .hit(1, StepBuilder::entry('H', "H1", 4))
             .action("7000")
             .hint(6750, 4350, hintSaveAs),
         StepBuilder()
             .background("q00003")
             .textBox(2100, 6330, 6000, 330, 0)
             .answerLine(keyword)
             .hint(2100, 5700, keyword)
             .textStyle(105, 'M', 4, 3, 2, 2)
             .action("0027"),
         StepBuilder()
             .textBox(2100, 6330, 6000, 330)
             .answerLine(saveNameWhole)
             .hint(2100, 5700, saveNameWhole)
             .textStyle(90, 'r', 2, 2, 3, 3)
             .action("0021"),
         StepBuilder().action("9999").picture(1, 2100, 6330, kSavedNameBox)}};

    // Folder options: a tab step on row A of the tab-set table (tab 1 in
    // front, tab 2 expected, its page in Image2 with the target on it),
    // then a step that shows the page with its box ticked, whose back-step
    // entry returns to step 1: its label lies on the tab "常规", which shows
    // that page again. The dialog stands over the "文档" window; the hints
    // stand under the dialog, and once "确定" is pressed the dialog is gone.
    const QPoint page = kFolderOptionsPage;
    const TwipRect okButton = tabDialogOkButton(page.x(), page.y());
    const int hintY = okButton.y + okButton.h + 300;
    qs << SampleQuestion{
        QStringLiteral("在“文件夹选项”对话框中勾选“隐藏已知文件类型的扩展名”，然后单击“确定”。"),
        {StepBuilder()
             .background("q00004")
             .picture(2, page.x(), page.y(), "q00022")
             .tabStep('A', '1', '2', 2)
             .target(page.x() + kHideExtensionsChoice.x, page.y() + kHideExtensionsChoice.y,
                     kHideExtensionsChoice.w, kHideExtensionsChoice.h)
             .action("0001")
             .hint(page.x(), hintY, hintView),
         StepBuilder()
             .picture(2, page.x(), page.y(), kExtensionsHiddenPage)
             .backEntry("Q0001", page.x() + generalTab.x() + generalTab.width() - kBackLabelWidth,
                        page.y() + generalTab.y())
             .target(okButton.x, okButton.y, okButton.w, okButton.h)
             .action("0001")
             .hint(page.x(), hintY, hintOk),
         StepBuilder().action("9999").background(kDocumentsBehindOptions)}};

    // A drag from the source onto the target, with the custom pointer. A
    // press alone answers nothing: a release off the target shows the drag
    // step again.
    qs << SampleQuestion{QStringLiteral("将“报告”文件夹拖动到“备份”文件夹中。"),
                         {StepBuilder()
                              .background("q00005")
                              .source(600, 1350, 1080, 1080, '1')
                              .target(2250, 1350, 1080, 1080)
                              .cursor('M', 15)
                              .action("0050")
                              .hint(7500, 1500, hintDrag),
                          StepBuilder().action("9999").background(kDocumentsAfterMove)}};

    // The extra picture: a "视图" button drawn at the target, answered by
    // a click on it (its code is columns 4-5, "T1"). A hot-spot step, so
    // that the demonstration clicks the button where the target lies. The
    // button's menu then stands open under it.
    qs << SampleQuestion{
        QStringLiteral("单击工具栏上的“视图”按钮。"),
        {StepBuilder()
             .background("q00005")
             .windowKind('T')
             .viewVariant('1')
             .target(9000, 570, 1500, 360)
             .extraPicture("q00031", '2')
             .hit(1, StepBuilder::entry('H', "T1"))
             .action("7000")
             .hint(10800, 630, hintMenu),
         StepBuilder().action("9999").picture(
             1, kViewButtonAt.x() * kTwipsPerPixel,
             (kViewButtonAt.y() + kViewButtonHeight) * kTwipsPerPixel, kViewMenu)}};

    ok &= appendQuestions(dir, kEngineUnit, qs);
    return ok;
}

} // namespace sample
