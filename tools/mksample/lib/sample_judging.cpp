#include "sample_judging.h"

#include "sample_chrome.h"
#include "sample_pictures.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "simulator/shell_layout.h"
#include "simulator/shell_tables.h"
#include "step_builder.h"

#include <QFontMetrics>
#include <QPainter>

namespace sample {

namespace {

// A labelled place of a scene, in design twips (15 per pixel); a file or
// folder may be drawn selected.
struct Box {
    int x, y, w, h;
    QString label;
    bool selected = false;
};

QRect px(const Box &b) {
    return QRect(b.x / 15, b.y / 15, b.w / 15, b.h / 15);
}

// How a place of a scene looks in r (pixels), by its label: a file or
// folder with its name, an input field, a button, a spreadsheet cell or a
// slider's track.
void drawPlace(QPainter &p, const QRect &r, const QString &label, bool selected = false) {
    static const QStringList files = {QStringLiteral("报告"), QStringLiteral("总结")};
    static const QStringList folders = {QStringLiteral("备份"), QStringLiteral("照片"),
                                        QStringLiteral("新建文件夹"), QStringLiteral("资料")};
    if (files.contains(label) || folders.contains(label)) {
        if (selected) drawSelection(p, r.adjusted(0, 0, -1, -1));
        drawIcon(p, QRect(r.left() + 12, r.top() + 4, 56, 56),
                 files.contains(label) ? Icon::Notepad : Icon::Folder);
        p.setPen(Qt::black);
        p.drawText(QRect(r.left(), r.top() + 60, r.width(), 18), Qt::AlignCenter, label);
    } else if (label.isEmpty() || label == QLatin1String("B2")) {
        p.setPen(QColor(0x8e, 0xa4, 0xc1));
        p.setBrush(Qt::white);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (label == QStringLiteral("滑轨")) {
        // Along the longer side: the slider runs across, the volume up.
        p.setPen(QColor(0x90, 0x98, 0xa8));
        p.setBrush(QColor(0xe4, 0xe8, 0xee));
        if (r.width() >= r.height())
            p.drawRoundedRect(QRectF(r.left(), r.center().y() - 3, r.width(), 6), 3, 3);
        else
            p.drawRoundedRect(QRectF(r.center().x() - 3, r.top(), 6, r.height()), 3, 3);
    } else {
        // Buttons: "确定", the formula bar's "√".
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0xf6, 0xf6, 0xf6));
        g.setColorAt(1, QColor(0xdd, 0xdd, 0xdd));
        p.setPen(QColor(0x70, 0x70, 0x70));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, label);
    }
}

void drawPlace(QPainter &p, const Box &b) {
    drawPlace(p, px(b), b.label, b.selected);
}

// The spreadsheet's grid (pixels): the column letters in the row from
// kSheetTop, the row numbers left of kSheetLeft, then rows 1 to kSheetRows
// of cells A to J.
constexpr int kSheetLeft = 30, kSheetTop = 128, kColumnWidth = 100, kRowHeight = 20;
constexpr int kSheetRows = 20;
constexpr int kSheetRight = 1017, kSheetBottom = kSheetTop + (kSheetRows + 1) * kRowHeight;
// The formula bar's input field, where the demonstration of a typing step
// into a cell lays its own empty edit bar (design twips 2880, 1560,
// 8865 x 225): the field's inside is that bar's place.
const QRect kFormulaField(191, 103, 593, 17);

// The spreadsheet's menu row and the ribbon under it, with the names of
// its groups.
void drawRibbon(QPainter &p) {
    drawMenuRow(p, QRect(7, 37, 1010, 21),
                {QStringLiteral("文件"), QStringLiteral("开始"), QStringLiteral("插入"),
                 QStringLiteral("页面布局"), QStringLiteral("公式"), QStringLiteral("数据"),
                 QStringLiteral("审阅"), QStringLiteral("视图")});
    p.fillRect(QRect(7, 58, 1010, 38), QColor(0xf3, 0xf6, 0xfa));
    p.setPen(QColor(0xc5, 0xd2, 0xe3));
    p.drawLine(7, 95, 1016, 95);
    const QStringList groups = {QStringLiteral("剪贴板"),   QStringLiteral("字体"),
                                QStringLiteral("对齐方式"), QStringLiteral("数字"),
                                QStringLiteral("样式"),     QStringLiteral("单元格"),
                                QStringLiteral("编辑")};
    p.setFont(uiFont(11));
    for (int i = 0; i < groups.size(); ++i) {
        const QRect group(7 + 120 * i, 60, 120, 34);
        p.setPen(QColor(0x5a, 0x6a, 0x80));
        p.drawText(group, Qt::AlignHCenter | Qt::AlignBottom, groups[i]);
        p.setPen(QColor(0xd5, 0xdf, 0xec));
        p.drawLine(group.right(), group.top() + 2, group.right(), group.bottom());
    }
    p.setFont(uiFont(12));
}

// A sheet of cells behind the places of a spreadsheet: the ribbon, the
// formula bar with the name box, the column letters and the row numbers.
void drawSheet(QPainter &p) {
    drawRibbon(p);
    p.fillRect(QRect(7, 96, 1010, 30), QColor(0xdf, 0xe8, 0xf5));
    p.setPen(QColor(0x8e, 0xa4, 0xc1));
    p.setBrush(Qt::white);
    p.drawRect(QRect(8, 101, 110, 21));
    p.drawRect(kFormulaField.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    p.drawText(QRect(156, 101, 30, 21), Qt::AlignCenter, QStringLiteral("fx"));
    const int top = kSheetTop;
    p.fillRect(QRect(7, top, kSheetRight - 7, kRowHeight), QColor(0xe8, 0xee, 0xf6));
    p.fillRect(QRect(7, top, kSheetLeft - 7, kSheetBottom - top), QColor(0xe8, 0xee, 0xf6));
    p.setPen(QColor(0xd0, 0xd7, 0xe5));
    for (int x = kSheetLeft; x < kSheetRight; x += kColumnWidth)
        p.drawLine(x, top, x, kSheetBottom);
    for (int y = top; y < kSheetBottom; y += kRowHeight) p.drawLine(7, y, kSheetRight - 1, y);
    p.setPen(QColor(0x30, 0x30, 0x30));
    for (int c = 0; c < 10; ++c)
        p.drawText(QRect(kSheetLeft + c * kColumnWidth, top, kColumnWidth, kRowHeight),
                   Qt::AlignCenter, QString(QChar(u'A' + c)));
    for (int r = 1; r <= kSheetRows; ++r)
        p.drawText(QRect(7, top + r * kRowHeight, kSheetLeft - 7, kRowHeight), Qt::AlignCenter,
                   QString::number(r));
}

// A full-screen window with a title bar and the places the question's
// steps point at; the "文档" window has its address row, which shows the
// path given or the library's, the spreadsheet its sheet.
QImage scene(const QString &title, const QList<Box> &boxes, const QStringList &path = {}) {
    const bool documents = title == QStringLiteral("文档");
    QImage img = documents
                     ? explorerWindowPicture(
                           QSize(1024, 600), title,
                           path.isEmpty() ? QStringList{QStringLiteral("库"), title} : path, true)
                     : windowPicture(QSize(1024, 600), title, true);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(uiFont(12));
    if (title.endsWith(QLatin1String("Excel"))) drawSheet(p);
    for (const Box &b : boxes) drawPlace(p, b);
    return img;
}

// The look of a command-bar button, normal or under the pointer: the
// extra picture of its step, and the background's own drawing of it.
QImage commandButton(const QString &label, bool hover) {
    return placeholder(QSize(80, 26), label, hover ? QColor(180, 210, 245) : QColor(220, 232, 248),
                       Qt::black);
}

// Places shared by several questions (design twips).
const Box kReport{1200, 1500, 1200, 1200, QStringLiteral("报告")};
const Box kBackup{3000, 1500, 1200, 1200, QStringLiteral("备份")};
const Box kPhotos{4800, 1500, 1200, 1200, QStringLiteral("照片")};
// A folder just made, beside the others, and the name it is given.
const Box kNewFolder{6600, 1500, 1200, 1200, QStringLiteral("新建文件夹")};
// A place drawn with another name, or selected.
Box renamed(Box b, const QString &name) {
    b.label = name;
    return b;
}
Box selected(Box b) {
    b.selected = true;
    return b;
}
// The pinned Windows Explorer on the desktop's taskbar (the notification
// area at the right lies under the docked question panel).
const Box kExplorerButton{1860, 8430, 600, 540, QString()};
// The address field, the search field and its button of the "文档"
// window's address row (as drawAddressRow lays them out at 1024 pixels).
const Box kAddress{930, 480, 10770, 330, QString()};
const Box kSearch{12150, 480, 2670, 330, QString()};
const Box kSearchButton{14850, 480, 300, 330, QString()};
// The name boxes of a rename lie over the name under the icon.
const Box kNameBox{1050, 2385, 1500, 300, QString()};
const Box kNewFolderName{6450, 2385, 1500, 300, QString()};
// The "运行" dialog as the start menu opens it (pixels), over the
// desktop and clear of the hint and the docked panel, with its input
// field "打开(O):" and its "确定" button.
const QRect kRunDialog(40, 100, 560, 220);
const Box kRunBox{1560, 2970, 7050, 330, QString()};
const Box kRunOk{4770, 4200, 1200, 375, QStringLiteral("确定")};
// The "打开方式" dialog (pixels) over the "文档" window, above the hint:
// the rows of its list that the steps lay as pictures, and its "确定".
const QRect kOpenWithDialog(150, 80, 410, 340);
const Box kOpenWithNotepad{2850, 2850, 2400, 450, QString()};
const Box kOpenWithWordPad{2850, 3330, 2400, 450, QString()};
const Box kOpenWithOk{5550, 5700, 1200, 375, QStringLiteral("确定")};

// Overlay pictures of what an action opens: the menu of a folder, which
// opens at the pointer (laid at the middle of the folder clicked, or on
// its name, which leaves the folder beside it in view), the menus of the
// command bar's "组织" and "视图", which drop below their buttons as the
// shell's drop-down panels do, and the tooltip of the taskbar's Windows
// Explorer, centred over it above the taskbar.
const QString kFolderMenu = QStringLiteral("j30140");
const QString kOrganiseMenu = QStringLiteral("j30141");
const QString kViewsMenu = QStringLiteral("j30142");
const QString kExplorerTooltip = QStringLiteral("j30143");
constexpr QSize kTooltipSize(130, 22);
QPoint menuAt(const Box &clicked) {
    return QPoint(clicked.x + clicked.w / 2, clicked.y + clicked.h / 2);
}
QPoint menuOnNameAt(const Box &clicked) {
    return QPoint(clicked.x + clicked.w / 2, clicked.y + clicked.h - 60);
}
QPoint dropDownAt(const Box &button) {
    return QPoint(button.x, button.y + button.h + 15);
}
// The file menu "V5" as the right click on 报告 opens it, its top-left
// corner at the pointer, and the place of its item 7, "属性(R)".
const QPoint kFileMenuAt(1800, 2100);
constexpr int kPropertiesItem = 7;
Box fileMenuItem(int item) {
    shell::ItemRects items{};
    shell::layoutLevel1(items, u"V5", shell::Scale{1, 1});
    const shell::Rect &r = items[size_t(item)];
    return Box{kFileMenuAt.x() + int(r.left), kFileMenuAt.y() + int(r.top), int(r.width),
               int(r.height), QString()};
}

// The command bar under the address row, and its buttons as the extra
// pictures draw them (80 x 26 pixels), clear of the back and forward
// buttons and the path above.
const QRect kCommandBar(7, 57, 1010, 32);
const Box kOrganise{150, 885, 1200, 390, QStringLiteral("组织 ▼")};
const Box kViews{1500, 885, 1200, 390, QStringLiteral("视图 ▼")};
const Box kLayout{2850, 885, 1200, 390, QStringLiteral("布局 ▼")};
const Box kCommandButtons[] = {kOrganise, kViews, kLayout};
// The spreadsheet's cell B2, framed where the value goes, and the formula
// bar's "√" button; every other cell of the sheet confirms the value too.
Box cellBox(const QString &name) {
    const QRect r = sheetCellPlace(name);
    return Box{r.x() * 15, r.y() * 15, r.width() * 15, r.height() * 15, name};
}
const Box kCellB2 = cellBox(QStringLiteral("B2"));
const Box kOtherCells{kSheetLeft * 15, (kSheetTop + kRowHeight) * 15,
                      (kSheetRight - kSheetLeft) * 15, (kSheetBottom - kSheetTop - kRowHeight) * 15,
                      QString()};
const Box kEnterButton{1920, 1515, 330, 330, QStringLiteral("√")};

// The Notepad window: its menu row under the title bar and the page under
// it, where the typing step lays its box (kNotepadPage).
QImage notepadScene(const QString &title) {
    QImage img = windowPicture(QSize(1024, 600), title, true);
    QPainter p(&img);
    drawMenuRow(p, QRect(7, 37, 1010, 21),
                {QStringLiteral("文件(F)"), QStringLiteral("编辑(E)"), QStringLiteral("格式(O)"),
                 QStringLiteral("查看(V)"), QStringLiteral("帮助(H)")});
    p.setPen(QColor(0xd5, 0xdb, 0xe3));
    p.drawLine(7, 58, 1016, 58);
    // The vertical scroll bar at the page's right edge.
    p.fillRect(QRect(1000, 59, 17, 461), QColor(0xe8, 0xe8, 0xec));
    return img;
}

// The find box of Notepad's "查找" dialog, where its typing step lays its
// box (design twips).
const Box kFindBox{5100, 2880, 3300, 330, QString()};

// Notepad with its "查找" dialog open: the find box with its label, the
// buttons beside it and "区分大小写" ticked, as the question has it.
QImage findDialogScene() {
    QImage img = notepadScene(QStringLiteral("无标题 - 记事本"));
    QPainter p(&img);
    const QRect dialog(240, 150, 440, 140);
    drawDialog(p, dialog, QStringLiteral("查找"), QColor(240, 240, 240));
    p.setFont(uiFont(12));
    p.setPen(Qt::black);
    const QRect box = px(kFindBox);
    p.drawText(QRect(dialog.left() + 12, box.top(), box.left() - dialog.left() - 14, box.height()),
               Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("查找内容(N):"));
    p.setPen(QColor(0x8e, 0xa4, 0xc1));
    p.setBrush(Qt::white);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    for (const auto &[top, label] : {std::pair{box.top() - 1, QStringLiteral("查找下一个(F)")},
                                     std::pair{box.top() + 30, QStringLiteral("取消")}})
        drawPlace(p, QRect(box.right() + 14, top, 95, 24), label);
    const QRect check(dialog.left() + 16, box.bottom() + 40, 13, 13);
    drawCheckBox(p, check, true);
    p.drawText(QRect(check.right() + 6, check.top() - 4, 160, 20), Qt::AlignVCenter,
               QStringLiteral("区分大小写(C)"));
    return img;
}

// The "文档" window with its three files selected and, over them, the
// question 回车 answers after Delete: move them to the recycle bin?
QImage deleteConfirmationScene(const QList<Box> &files) {
    QImage img = scene(QStringLiteral("文档"), files);
    QPainter p(&img);
    const QRect dialog(300, 220, 420, 150);
    drawDialog(p, dialog, QStringLiteral("删除多个项目"), Qt::white);
    p.setPen(QColor(0x1e, 0x39, 0x87));
    p.setFont(uiFont(13));
    p.drawText(QRect(dialog.left() + 20, dialog.top() + 46, 380, 40), Qt::AlignVCenter,
               QStringLiteral("确实要将这 3 项移动到回收站吗?"));
    p.setFont(uiFont(12));
    drawPlace(p, QRect(dialog.right() - 190, dialog.bottom() - 38, 80, 24),
              QStringLiteral("是(Y)"));
    drawPlace(p, QRect(dialog.right() - 100, dialog.bottom() - 38, 80, 24),
              QStringLiteral("否(N)"));
    return img;
}

// The "运行" dialog over the desktop: the program's icon and the line
// that says what it opens, the box "打开(O):" with `typed` in it, and the
// buttons under it.
QImage runDialogScene(const QString &typed = QString()) {
    QImage img = shellPicture(QStringLiteral("bank:") + DesktopScreenPicture);
    QPainter p(&img);
    drawDialog(p, kRunDialog, QStringLiteral("运行"), QColor(240, 240, 240));
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(uiFont(12));
    const QRect box = px(kRunBox);
    drawIcon(p, QRect(kRunDialog.left() + 16, kRunDialog.top() + 44, 32, 32), Icon::Program);
    p.setPen(Qt::black);
    p.drawText(QRect(box.left(), kRunDialog.top() + 40, box.width(), 44),
               Qt::TextWordWrap | Qt::AlignVCenter,
               QStringLiteral("Windows 将根据您所输入的名称，为您打开相应的程序、文件夹、"
                              "文档或 Internet 资源。"));
    p.drawText(
        QRect(kRunDialog.left() + 8, box.top(), box.left() - kRunDialog.left() - 14, box.height()),
        Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("打开(O):"));
    drawPlace(p, kRunBox);
    p.setPen(Qt::black);
    p.drawText(box.adjusted(4, 0, -4, 0), Qt::AlignVCenter, typed);
    const QString buttons[] = {kRunOk.label, QStringLiteral("取消"), QStringLiteral("浏览(B)...")};
    for (int i = 0; i < 3; ++i) drawPlace(p, px(kRunOk).translated(88 * i, 0), buttons[i]);
    return img;
}

// A button as a picture of its own, on a dialog's face.
QImage buttonPicture(const Box &b) {
    QImage img(px(b).size(), QImage::Format_RGB32);
    img.fill(QColor(240, 240, 240));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(uiFont(12));
    drawPlace(p, img.rect(), b.label);
    return img;
}

// A row of the "打开方式" dialog's list of programs: the program's icon
// and name, on the selection's blue once chosen.
QImage programRow(const QString &name, Icon icon, bool chosen) {
    QImage img(px(kOpenWithNotepad).size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (chosen) drawSelection(p, img.rect().adjusted(0, 0, -1, -1));
    drawIcon(p, QRect(4, 3, 24, 24), icon);
    p.setFont(uiFont(12));
    p.setPen(Qt::black);
    p.drawText(img.rect().adjusted(34, 0, 0, 0), Qt::AlignVCenter, name);
    return img;
}

// The "打开方式" dialog over the "文档" window with 报告 selected: the
// file it opens, the list of programs (whose rows the steps lay over it
// as pictures), the box that keeps the choice and the buttons.
QImage openWithScene() {
    QImage img = scene(QStringLiteral("文档"), {selected(kReport), kBackup, kPhotos});
    QPainter p(&img);
    drawDialog(p, kOpenWithDialog, QStringLiteral("打开方式"), QColor(240, 240, 240));
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(uiFont(12));
    p.setPen(Qt::black);
    const int left = kOpenWithDialog.left() + 20, width = kOpenWithDialog.width() - 40;
    p.drawText(QRect(left, kOpenWithDialog.top() + 38, width, 18), Qt::AlignVCenter,
               QStringLiteral("选择要用来打开此文件的程序:"));
    p.drawText(QRect(left, kOpenWithDialog.top() + 60, width, 18), Qt::AlignVCenter,
               QStringLiteral("文件:  报告.txt"));
    const QRect notepad = px(kOpenWithNotepad), wordPad = px(kOpenWithWordPad);
    const QRect list(left, notepad.top() - 24, width, wordPad.bottom() + 64 - notepad.top());
    p.setPen(QColor(0x82, 0x87, 0x90));
    p.setBrush(Qt::white);
    p.drawRect(list.adjusted(0, 0, -1, -1));
    p.setPen(QColor(0x1e, 0x39, 0x87));
    p.drawText(QRect(list.left() + 8, list.top() + 2, width - 16, 20), Qt::AlignVCenter,
               QStringLiteral("推荐的程序"));
    p.drawImage(notepad.topLeft(), programRow(QStringLiteral("记事本"), Icon::Notepad, false));
    p.drawImage(wordPad.topLeft(), programRow(QStringLiteral("写字板"), Icon::Document, false));
    const QRect check(left + 2, list.bottom() + 14, 13, 13);
    drawCheckBox(p, check, false);
    p.setPen(Qt::black);
    p.drawText(QRect(check.right() + 6, check.top() - 4, width - 20, 20), Qt::AlignVCenter,
               QStringLiteral("始终使用选择的程序打开这种文件(A)"));
    drawPlace(p, px(kOpenWithOk), kOpenWithOk.label);
    drawPlace(p, px(kOpenWithOk).translated(90, 0), QStringLiteral("取消"));
    return img;
}

// The properties of 报告 over the "文档" window, on the page "常规": its
// name, type, program, place, size, times and attributes.
QImage propertiesScene() {
    QImage img = scene(QStringLiteral("文档"), {selected(kReport), kBackup, kPhotos});
    QPainter p(&img);
    const QRect dialog(300, 24, 380, 410);
    drawDialog(p, dialog, QStringLiteral("报告 属性"), QColor(240, 240, 240));
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(uiFont(12));
    const QRect page(dialog.left() + 12, dialog.top() + 62, dialog.width() - 24,
                     dialog.height() - 62 - 44);
    const QColor line(0x89, 0x8c, 0x95);
    p.setPen(line);
    p.setBrush(Qt::white);
    p.drawRect(page);
    int x = page.left();
    const QStringList tabs = {QStringLiteral("常规"), QStringLiteral("安全"),
                              QStringLiteral("详细信息"), QStringLiteral("以前的版本")};
    for (int i = 0; i < tabs.size(); ++i) {
        const int w = p.fontMetrics().horizontalAdvance(tabs[i]) + 18;
        const bool front = i == 0;
        const QRect tab(x, page.top() - (front ? 22 : 19), w, front ? 22 : 19);
        p.setPen(line);
        p.setBrush(front ? QColor(Qt::white) : QColor(0xe6, 0xe6, 0xe6));
        p.drawRect(tab);
        if (front) p.fillRect(QRect(tab.left() + 1, page.top(), w - 1, 1), Qt::white);
        p.setPen(Qt::black);
        p.drawText(tab, Qt::AlignCenter, tabs[i]);
        x += w;
    }
    const int label = page.left() + 12, value = page.left() + 96;
    drawIcon(p, QRect(label, page.top() + 10, 32, 32), Icon::Notepad);
    drawPlace(p, QRect(value, page.top() + 14, page.right() - 12 - value, 22), QString());
    p.setPen(Qt::black);
    p.drawText(QRect(value + 4, page.top() + 14, 200, 22), Qt::AlignVCenter,
               QStringLiteral("报告"));
    // The rows in groups, a line between two groups.
    const QList<QList<QPair<QString, QString>>> groups = {
        {{QStringLiteral("文件类型:"), QStringLiteral("文本文档 (.txt)")},
         {QStringLiteral("打开方式:"), QStringLiteral("记事本")}},
        {{QStringLiteral("位置:"), QStringLiteral("C:\\Users\\Administrator\\Documents")},
         {QStringLiteral("大小:"), QStringLiteral("1.17 KB (1,206 字节)")},
         {QStringLiteral("占用空间:"), QStringLiteral("4.00 KB (4,096 字节)")}},
        {{QStringLiteral("创建时间:"), QStringLiteral("2013年5月20日，9:30:12")},
         {QStringLiteral("修改时间:"), QStringLiteral("2013年5月21日，16:05:48")},
         {QStringLiteral("访问时间:"), QStringLiteral("2013年5月21日，16:05:48")}},
        {{QStringLiteral("属性:"), QString()}}};
    int y = page.top() + 50;
    for (const auto &group : groups) {
        p.setPen(QColor(0xd0, 0xd0, 0xd0));
        p.drawLine(label, y, page.right() - 12, y);
        y += 10;
        for (const auto &[name, text] : group) {
            p.setPen(Qt::black);
            p.drawText(QRect(label, y, value - label, 22), Qt::AlignVCenter, name);
            p.drawText(QRect(value, y, page.right() - value, 22), Qt::AlignVCenter, text);
            y += 22;
        }
    }
    drawPlace(p, QRect(page.right() - 98, page.top() + 82, 86, 21), QStringLiteral("更改(C)..."));
    // The attributes, in the last row.
    const int attributes = y - 22;
    const QString boxes[] = {QStringLiteral("只读(R)"), QStringLiteral("隐藏(H)")};
    for (int i = 0; i < 2; ++i) {
        const QRect check(value + 80 * i, attributes + 5, 13, 13);
        drawCheckBox(p, check, false);
        p.setPen(Qt::black);
        p.drawText(QRect(check.right() + 5, attributes, 60, 22), Qt::AlignVCenter, boxes[i]);
    }
    drawPlace(p, QRect(page.right() - 98, attributes, 86, 22), QStringLiteral("高级(D)..."));
    const QString buttons[] = {QStringLiteral("确定"), QStringLiteral("取消"),
                               QStringLiteral("应用(A)")};
    for (int i = 0; i < 3; ++i)
        drawPlace(p, QRect(dialog.right() - 8 - 82 * (3 - i), dialog.bottom() - 34, 76, 24),
                  buttons[i]);
    return img;
}

// The tooltip the taskbar shows over a pinned program the pointer rests
// on.
QImage tooltip(const QString &text) {
    const QFont font = uiFont(12);
    QImage img(kTooltipSize, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, img.height());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(0xe4, 0xec, 0xf7));
    p.fillRect(img.rect(), g);
    p.setPen(QColor(0x76, 0x76, 0x76));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.setFont(font);
    p.setPen(QColor(0x4c, 0x4c, 0x4c));
    p.drawText(img.rect(), Qt::AlignCenter, text);
    return img;
}

// A window of its own size on the desktop, its lower-right corner where
// the resize steps lay the grip they drag.
QImage resizeScene(const QString &title, const QRect &window) {
    QImage img(QSize(1024, 600), QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, 600);
    sky.setColorAt(0, QColor(0x0b, 0x4d, 0x9e));
    sky.setColorAt(1, QColor(0x4a, 0x9c, 0xe4));
    p.fillRect(img.rect(), sky);
    drawTaskbar(p, QRect(0, 560, 1024, 40));
    drawWindowOver(p, window, title, WindowKind::Window);
    return img;
}

// A picture dragged in small moves trails the pointer: each move takes its
// corner halfway there, so that it stands behind the pointer by about the
// length of one move (pixels; a hand moves a few pixels at a time near
// where it stops). The drag targets of the sample allow for it.
constexpr int kTrailing = 10;

// The resize question drags the window's corner grip four times: where
// the grip lies when each step begins and once they are done (pixels), and
// the background that shows the window at that size. Each step's window
// differs from the last by 40 pixels or more on both axes, so that the
// candidate sees the drag take effect.
struct ResizeStage {
    QPoint grip;
    const char *background;
};
const ResizeStage kResizeStages[] = {{{500, 300}, "j30010"},
                                     {{460, 340}, "j30019"},
                                     {{510, 380}, "j30020"},
                                     {{470, 340}, "j30021"},
                                     {{510, 300}, "j30022"}};
// The grip is the window's corner, as large as the size grip of a
// Windows 7 window.
constexpr int kGripSize = 12;
// How far each drag must take the grip's corner (pixels, on both axes): a
// drag of 20 pixels from anywhere on the grip gets there. Taken at its far
// side, 11 pixels in, the pointer ends 9 pixels past the corner, which
// trails it by up to 4 pixels in moves of 5.
constexpr int kGripReach = 5;
QRect resizedWindow(QPoint grip) {
    return QRect(QPoint(120, 60), grip + QPoint(kGripSize - 1, kGripSize - 1));
}

// The volume window's two sliders (pixels): the track across, whose knob
// the first steps drag to either end, and the volume's track up and down,
// above the question panel docked at the screen's lower-right corner,
// where its knob can be reached. Each track runs along the middle of its
// box, and its knob stands across it.
constexpr QRect kSliderTrack(200, 266, 440, 40);
constexpr QRect kVolumeTrack(805, 100, 20, 240);
constexpr QSize kSliderKnob(11, 21);
constexpr QSize kVolumeKnob(21, 11);
// Where a knob stops at each end of its track (its corner, pixels along
// the track): at the near end the knob trailing a pointer dropped there
// still counts; at the far end the knob whose far side reaches the end
// counts, and so does one trailing a pointer dropped there, as the knob is
// wider than it trails.
static_assert(kSliderKnob.width() >= kTrailing && kVolumeKnob.height() >= kTrailing);
constexpr int kSliderLeftStop = kSliderTrack.left() + kTrailing;
constexpr int kSliderRightStop = kSliderTrack.left() + kSliderTrack.width() - kSliderKnob.width();
constexpr int kVolumeTopStop = kVolumeTrack.top() + kTrailing;
constexpr int kVolumeBottomStop = kVolumeTrack.top() + kVolumeTrack.height() - kVolumeKnob.height();
// The knobs' places across their tracks, and where they start.
const QPoint kSliderKnobStart(400, kSliderTrack.center().y() - kSliderKnob.height() / 2);
const QPoint kVolumeKnobStart(kVolumeTrack.center().x() - kVolumeKnob.width() / 2, 300);

Box twipBox(const QRect &r, const QString &label = QString()) {
    return Box{r.x() * 15, r.y() * 15, r.width() * 15, r.height() * 15, label};
}

// The Notepad page, all of it under the menu row and left of the scroll
// bar: the typing step's box, so that the typing reaches it wherever the
// candidate clicks in the page. Its text starts at the top-left corner in
// the page's own look (宋体, 10.5 points, black), and the last step shows
// the line so typed (kNotepadLine, pixels). The hint stands in the menu
// row, right of the menus, leaving the page free.
const Box kNotepadPage{105, 885, 14895, 7410, QString()};
const QRect kNotepadLine(7, 59, 993, 22);

// The "文档" window with its command bar: the buttons the extra pictures
// lie over are drawn in it, so that a screen without those pictures (the
// demonstration's) shows them where the steps act.
QImage documentsWithCommandBar(const QList<Box> &boxes) {
    QImage img = scene(QStringLiteral("文档"), boxes);
    QPainter p(&img);
    QLinearGradient g(kCommandBar.topLeft(), kCommandBar.bottomLeft());
    g.setColorAt(0, QColor(0xf5, 0xfa, 0xff));
    g.setColorAt(1, QColor(0xdc, 0xe9, 0xf7));
    p.fillRect(kCommandBar, g);
    p.setPen(QColor(0xa0, 0xaf, 0xc3));
    p.drawLine(kCommandBar.bottomLeft(), kCommandBar.bottomRight());
    for (const Box &b : kCommandButtons)
        p.drawImage(px(b).topLeft(), commandButton(b.label, false));
    return img;
}

// The same window once its layout shows the preview pane: the right part
// of the window, under the command bar, says what it would preview.
QImage documentsWithPreviewPane(const QList<Box> &boxes) {
    QImage img = documentsWithCommandBar(boxes);
    QPainter p(&img);
    const QRect pane(img.width() - 268, kCommandBar.bottom() + 1, 260,
                     img.height() - kCommandBar.bottom() - 10);
    p.fillRect(pane, Qt::white);
    p.setPen(QColor(0xa0, 0xaf, 0xc3));
    p.drawLine(pane.topLeft(), pane.bottomLeft());
    p.setPen(QColor(0x6d, 0x6d, 0x6d));
    p.setFont(uiFont(12));
    // High in the pane, clear of the question panel docked below.
    p.drawText(pane.adjusted(0, 120, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("选择要预览的文件。"));
    return img;
}

// A text as a finished step leaves it in its place: the typed name, the
// cell's number, the line of a page.
QImage typedText(const Box &b, const QString &text, Qt::Alignment align, QColor colour = Qt::black,
                 bool bold = false, int pixels = 12) {
    const QRect r = px(b);
    QImage img(r.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QColor(0x8e, 0xa4, 0xc1));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.setPen(colour);
    p.setFont(uiFont(pixels, bold));
    p.drawText(img.rect().adjusted(3, 0, -3, 0), align | Qt::AlignVCenter, text);
    return img;
}

// A line typed into the Notepad page, as the page shows it.
QImage notepadLine(const QString &text) {
    QImage img(kNotepadLine.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setFont(uiFont(14));
    p.drawText(img.rect().adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
    return img;
}

// A text with a part of it selected, as a selecting step leaves it.
QImage selectedText(const Box &b, const QString &before, const QString &part,
                    const QString &after) {
    QImage img = typedText(b, QString(), Qt::AlignLeft);
    QPainter p(&img);
    p.setFont(uiFont(12));
    const QFontMetrics m(p.font());
    const QRect text = img.rect().adjusted(3, 0, -3, 0);
    int x = text.left();
    const auto segment = [&](const QString &t, bool chosen) {
        const QRect r(x, text.top() + 2, m.horizontalAdvance(t), text.height() - 4);
        if (chosen) p.fillRect(r, QColor(0x33, 0x99, 0xff));
        p.setPen(chosen ? Qt::white : Qt::black);
        p.drawText(QRect(x, text.top(), r.width() + 1, text.height()), Qt::AlignVCenter, t);
        x += r.width();
    };
    segment(before, false);
    segment(part, true);
    segment(after, false);
    return img;
}

// Saves bank pictures by name; remembers whether every one was written.
struct PictureSaver {
    const SampleDir &dir;
    bool ok = true;
    void operator()(const QString &name, const QImage &img,
                    std::optional<PictureFormat> format = std::nullopt) {
        ok &= saveBankPicture(dir, name, img, format);
    }
};

// The backgrounds: one window per kind of question, and the windows as
// the questions leave them.
void saveScenes(PictureSaver &save) {
    const QList<Box> files = {kReport, kBackup, kPhotos};
    const QString documents = QStringLiteral("文档");
    save("j30001", scene(documents, files));
    save("j30002", notepadScene(QStringLiteral("报告 - 记事本")));
    save("j30003", documentsWithCommandBar(files));
    save("j30004", scene(documents, files));
    save("j30005", scene(documents, files));
    save("j30006", runDialogScene());
    save("j30007", scene(QStringLiteral("Book1 - Excel"), {kCellB2, kEnterButton}));
    save("j30008", scene(QStringLiteral("音量"), {twipBox(kSliderTrack, QStringLiteral("滑轨")),
                                                  twipBox(kVolumeTrack, QStringLiteral("滑轨"))}));
    save("j30009", openWithScene());
    // The grip is cut from these: they keep their exact pixels.
    for (const ResizeStage &stage : kResizeStages)
        save(QString::fromLatin1(stage.background),
             resizeScene(documents, resizedWindow(stage.grip)), PictureFormat::Png);
    // The window keeps its items in rows: the moved file's place is
    // taken by the folders after it.
    save("j30011",
         scene(documents, {renamed(kReport, kBackup.label), renamed(kBackup, kPhotos.label)}));
    save("j30012", scene(documents, {}));
    save("j30013", scene(documents, {renamed(kReport, QStringLiteral("总结")), kBackup, kPhotos}));
    save("j30014", scene(documents, files + QList<Box>{kNewFolder}));
    save("j30015",
         scene(documents, files + QList<Box>{renamed(kNewFolder, QStringLiteral("资料"))}));
    save("j30016", notepadScene(QStringLiteral("无标题 - 记事本")));
    save("j30017", scene(documents, {selected(kReport), selected(kBackup), selected(kPhotos)}));
    save("j30018", explorerWindowPicture(QSize(1024, 600), QStringLiteral("回收站"),
                                         {QStringLiteral("回收站")}, true));
    save("j30023", findDialogScene());
    // The files as the clicks before a step leave them selected.
    const QList<Box> allSelected = {selected(kReport), selected(kBackup), selected(kPhotos)};
    save("j30024", deleteConfirmationScene(allSelected));
    save("j30025", scene(documents, {selected(kReport), kBackup, kPhotos}));
    save("j30026", scene(documents, {selected(kReport), kBackup, selected(kPhotos)}));
    save("j30027", scene(documents, {kReport, selected(kBackup), kPhotos}));
    // The folder a drag copied stays selected.
    save("j30040", scene(documents, {kReport, kBackup, selected(kPhotos)}));
    save("j30041", propertiesScene());
    save("j30042", scene(documents, {kReport}, {QStringLiteral("搜索结果位于 文档")}));
    save("j30043", runDialogScene(QStringLiteral("notepad")));
    // The layout the double-click on "布局" changed: the preview pane shown.
    save("j30044", documentsWithPreviewPane(files));
}

// A slider's knob on the window's white: a rounded glassy block.
QImage knobPicture(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(0xf2, 0xf8, 0xfe));
    g.setColorAt(1, QColor(0xb9, 0xd6, 0xf2));
    p.setPen(QColor(0x3c, 0x7f, 0xb1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    return img;
}

// The grip: the window's lower-right corner as the first stage draws it,
// with the size grip's six dots.
QImage gripPicture() {
    const QPoint at = kResizeStages[0].grip;
    QImage img = resizeScene(QStringLiteral("文档"), resizedWindow(at))
                     .copy(QRect(at, QSize(kGripSize, kGripSize)));
    QPainter p(&img);
    for (const QPoint dot :
         {QPoint(8, 2), QPoint(5, 5), QPoint(8, 5), QPoint(2, 8), QPoint(5, 8), QPoint(8, 8)}) {
        p.fillRect(QRect(dot + QPoint(1, 1), QSize(2, 2)), Qt::white);
        p.fillRect(QRect(dot, QSize(2, 2)), QColor(0x5a, 0x66, 0x78));
    }
    return img;
}

// Overlay pictures: the knobs and the window corner of the picture drags,
// the program list and buttons of a dialog.
void saveOverlays(PictureSaver &save) {
    // A knob the picture-drag tests of the program take, large enough for
    // a pointer anywhere on it.
    save("j30101",
         placeholder(QSize(30, 40), QStringLiteral("▮"), QColor(120, 160, 220), Qt::black));
    save("j30102", gripPicture(), PictureFormat::Png);
    save("j30114", knobPicture(kSliderKnob));
    save("j30115", knobPicture(kVolumeKnob));
    save("j30103", programRow(QStringLiteral("记事本"), Icon::Notepad, false));
    save("j30104", programRow(QStringLiteral("写字板"), Icon::Document, false));
    save("j30105", buttonPicture(kOpenWithOk));
    save("j30106", programRow(QStringLiteral("记事本"), Icon::Notepad, true));
    // What the typing questions leave in their places.
    save("j30107", notepadLine(QStringLiteral("今天天气很好")));
    save("j30108", typedText(kCellB2, QStringLiteral("100"), Qt::AlignRight));
    save("j30109", typedText(kAddress, QStringLiteral("C:\\Windows"), Qt::AlignLeft));
    save("j30110", typedText(kSearch, QStringLiteral("报告"), Qt::AlignLeft));
    save("j30111", typedText(kFindBox, QStringLiteral("Abc123"), Qt::AlignLeft));
    save("j30112", selectedText(kRunBox, QStringLiteral("欢迎使用"), QStringLiteral("Windows 7"),
                                QStringLiteral("操作系统")));
    save("j30113", shellPicture(shell::panelPicture(u"V5")));
    // The menus a right click on a folder and the command bar's "组织"
    // and "视图" open, as the shell draws them, and the taskbar's tooltip.
    save(kFolderMenu, shellPicture(shell::panelPicture(u"V1")));
    save(kOrganiseMenu, shellPicture(shell::panelPicture(u"U6")));
    save(kViewsMenu, shellPicture(shell::panelPicture(u"T1")));
    save(kExplorerTooltip, tooltip(QStringLiteral("Windows 资源管理器")));
}

// The extra picture: each code's normal ("n") and hover ("h") looks. The
// normal look stands for the button the background draws beneath it, which
// is all the demonstration shows: it is saved without loss, to agree with
// the background to the pixel.
void saveExtraPictureLooks(PictureSaver &save) {
    for (int i = 0; i < 3; ++i) {
        const QString b = QStringLiteral("j3e0%1").arg(i + 1);
        save(b + QLatin1Char('n'), commandButton(kCommandButtons[i].label, false),
             PictureFormat::Png);
        save(b + QLatin1Char('h'), commandButton(kCommandButtons[i].label, true));
    }
}

bool writePictures(const SampleDir &dir) {
    PictureSaver save{dir};
    saveScenes(save);
    saveOverlays(save);
    saveExtraPictureLooks(save);
    // The pointer of a copying drag.
    save.ok &= writeCursor(dir.root + QStringLiteral("ico03.CUR"), arrowPointer(), 0, 0);
    return save.ok;
}

StepBuilder at(StepBuilder b, const Box &t, QChar branch = '0') {
    return b.target(t.x, t.y, t.w, t.h, branch);
}

StepBuilder from(StepBuilder b, const Box &s, QChar branch = '0') {
    return b.source(s.x, s.y, s.w, s.h, branch);
}

StepBuilder done() {
    return StepBuilder().action("9999");
}

// Texts appended to the sample's answer-text file in the order the
// questions ask for them; remembers whether every one was written.
class AnswerTexts {
public:
    explicit AnswerTexts(const SampleDir &dir) : dir_(dir) {}
    // Appends a text and gives its line number.
    int operator()(const QString &t) {
        const int n = appendAnswerText(dir_, t);
        ok_ &= n != 0;
        return n;
    }
    // A step with a hint at the place every judging question uses.
    StepBuilder hinted(StepBuilder b, const QString &hint) {
        return b.hint(4800, 6600, (*this)(hint));
    }
    bool ok() const { return ok_; }

private:
    const SampleDir &dir_;
    bool ok_ = true;
};

// The target: buttons and Shift states.
QList<SampleQuestion> targetQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    qs << SampleQuestion{
        QStringLiteral("单击选中“报告”文件，然后双击将其打开。"),
        {text.hinted(at(StepBuilder().background("j30001").action("0001"), kReport),
                     QStringLiteral("单击“报告”")),
         text.hinted(at(StepBuilder().background("j30025").action("0002"), kReport),
                     QStringLiteral("双击“报告”")),
         done().background("j30002")}};
    qs << SampleQuestion{
        QStringLiteral("按住Ctrl键依次单击“报告”和“照片”，然后右键单击“照片”。"),
        {text.hinted(at(StepBuilder().background("j30001").action("9201"), kReport),
                     QStringLiteral("按住Ctrl键单击“报告”")),
         text.hinted(at(StepBuilder().background("j30025").action("9201"), kPhotos),
                     QStringLiteral("按住Ctrl键单击“照片”")),
         text.hinted(at(StepBuilder().background("j30026").action("0003"), kPhotos),
                     QStringLiteral("右键单击“照片”")),
         done().picture(1, menuAt(kPhotos).x(), menuAt(kPhotos).y(), kFolderMenu)}};
    qs << SampleQuestion{
        QStringLiteral("按住Shift键右键单击“备份”文件夹，然后用鼠标中键单击“照片”文件夹。"),
        {text.hinted(at(StepBuilder().background("j30001").action("9102"), kBackup),
                     QStringLiteral("按住Shift键右键单击“备份”")),
         text.hinted(at(StepBuilder().background("j30027").action("9004").picture(
                            1, menuOnNameAt(kBackup).x(), menuOnNameAt(kBackup).y(), kFolderMenu),
                        kPhotos),
                     QStringLiteral("用中键单击“照片”")),
         done()}};
    qs << SampleQuestion{
        QStringLiteral("将鼠标指向任务栏上的“Windows 资源管理器”图标。"),
        {text.hinted(
             at(StepBuilder().background(DesktopScreenPicture).action("0030").cursor('S', 1),
                kExplorerButton),
             QStringLiteral("指向“Windows 资源管理器”图标")),
         done().picture(1, kExplorerButton.x + (kExplorerButton.w - kTooltipSize.width() * 15) / 2,
                        kExplorerButton.y - (kTooltipSize.height() + 2) * 15, kExplorerTooltip)}};
    return qs;
}

// Rubber bands and drags from the source. Each names its own step as the
// source's branch: a press answers nothing, and a band or drag released
// off the target shows the step again. A band that takes in all three
// files starts anywhere in the blank corner up and left of them and ends
// anywhere in the blank area down and right of them, under the address
// row and clear of the question panel.
QList<SampleQuestion> sourceQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    const Box bandStart{120, 870, 1260, 690, QString()};
    const Box bandEnd{6030, 2730, 4170, 2520, QString()};
    qs << SampleQuestion{
        QStringLiteral("在“文档”窗口中，从左上方的空白处拖出一个选框，框住全部文件。"),
        {text.hinted(
             at(from(StepBuilder().background("j30004").action("0040"), bandStart, '1'), bandEnd),
             QStringLiteral("从文件左上方的空白处|拖到文件右下方的空白处")),
         done().background("j30017")}};
    qs << SampleQuestion{
        QStringLiteral("按住Shift键，从左上方的空白处拖出选框，框住全部文件。"),
        {text.hinted(
             at(from(StepBuilder().background("j30004").noBars().action("0041"), bandStart, '1'),
                bandEnd),
             QStringLiteral("按住Shift键|从文件左上方的空白处|拖到文件右下方的空白处")),
         done().background("j30017")}};
    qs << SampleQuestion{
        QStringLiteral("将“报告”文件拖动到“备份”文件夹中。"),
        {text.hinted(at(from(StepBuilder().background("j30001").action("0050").cursor('S', 12),
                             kReport, '1'),
                        kBackup),
                     QStringLiteral("把“报告”拖到“备份”上")),
         done().background("j30011")}};
    qs << SampleQuestion{
        QStringLiteral("按住Ctrl键将“照片”文件夹复制到“备份”文件夹中。"),
        {text.hinted(at(from(StepBuilder().background("j30001").action("0052").cursor('M', 3),
                             kPhotos, '1'),
                        kBackup),
                     QStringLiteral("按住Ctrl键把“照片”拖到“备份”上")),
         done().background("j30040")}};
    return qs;
}

// Keys. A function key is past the two digits of the action code: its
// step is a key step of key code 0, which no key sends, and the key is its
// alternative (the first adds 100 to 13, the third to 15).
QList<SampleQuestion> keyQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    qs << SampleQuestion{
        QStringLiteral("按Ctrl+A键选中全部文件，按Delete键删除，再按回车键确认。"),
        {text.hinted(StepBuilder().background("j30001").action("6265"), QStringLiteral("按Ctrl+A")),
         text.hinted(StepBuilder().background("j30017").action("6046").keyAlts("00000", "P6146"),
                     QStringLiteral("按Delete|或Shift+Delete")),
         text.hinted(StepBuilder().background("j30024").action("6013"), QStringLiteral("按回车键")),
         done().background("j30012")}};
    // The name box starts empty: a typing step leaves the caret in front
    // of the box's text and selects nothing, so "总结" typed in front of
    // "报告" would be judged wrong.
    qs << SampleQuestion{
        QStringLiteral("选中“报告”文件，按F2键将其重命名为“总结”，并按回车键确认。"),
        {text.hinted(at(StepBuilder().background("j30001").action("0001"), kReport),
                     QStringLiteral("单击“报告”")),
         text.hinted(StepBuilder().background("j30025").action("6000").keyAlts("P6013"),
                     QStringLiteral("按F2键")),
         StepBuilder()
             .action("0024")
             .textBox(kNameBox.x, kNameBox.y, kNameBox.w, kNameBox.h)
             .answerLine(text(QStringLiteral("总结")))
             .hint(4800, 6600, text(QStringLiteral("“总结”")))
             .textStyle(0, 'M', 0, 0, 0, 0),
         done().background("j30013")}};
    qs << SampleQuestion{QStringLiteral("按Alt+F4键关闭“文档”窗口。"),
                         {text.hinted(StepBuilder().background("j30001").action("6000").keyAlts(
                                          "00000", "00000", "P6415"),
                                      QStringLiteral("按Alt+F4")),
                          done().background(DesktopScreenPicture)}};
    return qs;
}

// Typed and selected texts.
QList<SampleQuestion> textQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    qs << SampleQuestion{QStringLiteral("在地址栏中输入“C:\\Windows”。"),
                         {StepBuilder()
                              .background("j30005")
                              .action("0020")
                              .textBox(kAddress.x, kAddress.y, kAddress.w, kAddress.h)
                              .answerLine(text(QStringLiteral("C:\\Windows|C:\\Windows\\")))
                              .hint(4800, 6600, text(QStringLiteral("C:\\Windows"))),
                          done().picture(1, kAddress.x, kAddress.y, "j30109")}};
    // A text compared with its letter case: what 记事本 finds with
    // "区分大小写" ticked.
    qs << SampleQuestion{
        QStringLiteral("在记事本的“查找”对话框中，在“查找内容”框中输入“Abc123”（区分大小写）。"),
        {StepBuilder()
             .background("j30023")
             .action("0025")
             .textBox(kFindBox.x, kFindBox.y, kFindBox.w, kFindBox.h)
             .answerLine(text(QStringLiteral("Abc123")))
             .hint(4800, 6600, text(QStringLiteral("“Abc123”"))),
         done().picture(1, kFindBox.x, kFindBox.y, "j30111")}};
    // The new folder's name box starts empty, as the rename's does.
    qs << SampleQuestion{
        QStringLiteral("将新建的文件夹命名为“资料”。"),
        {StepBuilder()
             .background("j30014")
             .action("0021")
             .textBox(kNewFolderName.x, kNewFolderName.y, kNewFolderName.w, kNewFolderName.h)
             .answerLine(text(QStringLiteral("资料")))
             .hint(4800, 6600, text(QStringLiteral("“资料”"))),
         done().background("j30015")}};
    qs << SampleQuestion{
        QStringLiteral("在记事本中输入“今天天气很好”。"),
        {StepBuilder()
             .background("j30002")
             .action("0027")
             .textBox(kNotepadPage.x, kNotepadPage.y, kNotepadPage.w, kNotepadPage.h)
             .answerLine(text(QStringLiteral("今天天气很好")))
             .hint(5400, 585, text(QStringLiteral("“今天天气很好”")))
             .textStyle(105, 'L', 0, 0, 0, 0),
         done().picture(1, kNotepadLine.x() * 15, kNotepadLine.y() * 15, "j30107")}};
    qs << SampleQuestion{QStringLiteral("在搜索框中输入“报告”，然后按回车键或单击搜索按钮。"),
                         {at(StepBuilder()
                                 .background("j30005")
                                 .action("0022")
                                 .textBox(kSearch.x, kSearch.y, kSearch.w, kSearch.h)
                                 .answerLine(text(QStringLiteral("报告")))
                                 .hint(4800, 6600, text(QStringLiteral("“报告”"))),
                             kSearchButton),
                          done().background("j30042").picture(1, kSearch.x, kSearch.y, "j30110")}};
    qs << SampleQuestion{QStringLiteral("在“运行”对话框中输入“notepad”，然后单击“确定”按钮。"),
                         {at(StepBuilder()
                                 .background("j30006")
                                 .action("0026")
                                 .textBox(kRunBox.x, kRunBox.y, kRunBox.w, kRunBox.h)
                                 .answerLine(text(QStringLiteral("notepad")))
                                 .hint(4800, 6600, text(QStringLiteral("notepad"))),
                             kRunOk),
                          done().background("j30016")}};
    qs << SampleQuestion{QStringLiteral("在文本框中选中“Windows 7”。"),
                         {StepBuilder()
                              .background("j30006")
                              .action("0023")
                              .textBox(kRunBox.x, kRunBox.y, kRunBox.w, kRunBox.h,
                                       text(QStringLiteral("欢迎使用Windows 7操作系统")))
                              .hint(4800, 6600, text(QStringLiteral("Windows 7"))),
                          done().picture(1, kRunBox.x, kRunBox.y, "j30112")}};
    qs << SampleQuestion{
        QStringLiteral(
            "在单元格B2中输入“100”，然后按回车键、单击其他单元格或编辑栏的“√”按钮确认。"),
        {from(at(StepBuilder()
                     .background("j30007")
                     .action("0028")
                     .textBox(kCellB2.x, kCellB2.y, kCellB2.w, kCellB2.h)
                     .answerLine(text(QStringLiteral("100")))
                     .hint(4800, 6600, text(QStringLiteral("在B2中输入100并确认"))),
                 kOtherCells),
              kEnterButton),
         done().picture(1, kCellB2.x, kCellB2.y, "j30108")}};
    return qs;
}

// Picture drags: the two sliders, each knob to both ends of its track;
// once the volume's knob is dragged, the first slider's knob stays drawn
// at the right end it was dragged to. Then the window's corner, each way.
QList<SampleQuestion> pictureDragQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    const auto twips = [](int pixels) { return pixels * 15; };
    const QPoint sliderRight(kSliderRightStop, kSliderKnobStart.y());
    const QPoint volumeTop(kVolumeKnobStart.x(), kVolumeTopStop);
    const QPoint volumeBottom(kVolumeKnobStart.x(), kVolumeBottomStop);
    qs << SampleQuestion{
        QStringLiteral(
            "拖动滑块：先拖到最左端，再拖到最右端；然后将音量滑块向上拖到顶，再向下拖到底。"),
        {text.hinted(
             StepBuilder()
                 .background("j30008")
                 .action("8001")
                 .picture(5, twips(kSliderKnobStart.x()), twips(kSliderKnobStart.y()), "j30114")
                 .dragTarget(twips(kSliderLeftStop), 0),
             QStringLiteral("向左拖动滑块")),
         text.hinted(StepBuilder()
                         .action("8002")
                         .picture(5, twips(kSliderLeftStop), twips(kSliderKnobStart.y()), "888888")
                         .dragTarget(twips(kSliderRightStop), 0),
                     QStringLiteral("向右拖动滑块")),
         text.hinted(
             StepBuilder()
                 .action("8003")
                 .picture(1, twips(sliderRight.x()), twips(sliderRight.y()), "j30114")
                 .picture(5, twips(kVolumeKnobStart.x()), twips(kVolumeKnobStart.y()), "j30115")
                 .dragTarget(0, twips(kVolumeTopStop)),
             QStringLiteral("向上拖动滑块")),
         text.hinted(StepBuilder()
                         .action("8004")
                         .picture(1, twips(sliderRight.x()), twips(sliderRight.y()), "888888")
                         .picture(5, twips(volumeTop.x()), twips(volumeTop.y()), "888888")
                         .dragTarget(0, twips(kVolumeBottomStop)),
                     QStringLiteral("向下拖动滑块")),
         done()
             .picture(1, twips(sliderRight.x()), twips(sliderRight.y()), "888888")
             .picture(5, twips(volumeBottom.x()), twips(volumeBottom.y()), "888888")}};
    // Each drag's code and the way it takes the corner, in pixels.
    struct Resize {
        const char *action;
        QPoint way;
        const char *hint;
    };
    const Resize resizes[] = {{"8006", {-1, 1}, "向左下拖动窗口的右下角"},
                              {"8007", {1, 1}, "向右下拖动窗口的右下角"},
                              {"8008", {-1, -1}, "向左上拖动窗口的右下角"},
                              {"8009", {1, -1}, "向右上拖动窗口的右下角"}};
    QStringList resize;
    for (int k = 0; k < 4; ++k) {
        const QPoint from = kResizeStages[k].grip;
        const QPoint to = from + resizes[k].way * kGripReach;
        resize << text.hinted(StepBuilder()
                                  .background(QString::fromLatin1(kResizeStages[k].background))
                                  .action(QString::fromLatin1(resizes[k].action))
                                  .picture(5, twips(from.x()), twips(from.y()),
                                           k == 0 ? QStringLiteral("j30102") : "888888")
                                  .dragTarget(twips(to.x()), twips(to.y())),
                              QString::fromUtf8(resizes[k].hint));
    }
    resize << done()
                  .background(QString::fromLatin1(kResizeStages[4].background))
                  .picture(5, 0, 0, "000000");
    qs << SampleQuestion{
        QStringLiteral("依次向左下、右下、左上、右上拖动窗口的右下角，调整窗口大小。"), resize};
    return qs;
}

// Overlay pictures. Every step has a target on the picture it wants
// clicked, for the red box and for the demonstration to point at: on the
// list's "记事本" the target takes the click itself; "确定" in slot 6, a
// window of its own, lies above the target and answers with its branch.
QList<SampleQuestion> overlayQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    qs << SampleQuestion{
        QStringLiteral("在“打开方式”对话框中单击“记事本”，再单击“确定”按钮。"),
        {text.hinted(at(StepBuilder()
                            .background("j30009")
                            .action("0001")
                            .picture(1, kOpenWithNotepad.x, kOpenWithNotepad.y, "j30103")
                            .picture(4, kOpenWithWordPad.x, kOpenWithWordPad.y, "j30104"),
                        kOpenWithNotepad),
                     QStringLiteral("单击“记事本”")),
         text.hinted(at(StepBuilder()
                            .action("0001")
                            .picture(1, kOpenWithNotepad.x, kOpenWithNotepad.y, "j30106")
                            .picture(4, kOpenWithWordPad.x, kOpenWithWordPad.y, "888888")
                            .picture(6, kOpenWithOk.x, kOpenWithOk.y, "j30105", '3'),
                        kOpenWithOk),
                     QStringLiteral("单击“确定”")),
         done().background("j30002")}};
    qs << SampleQuestion{QStringLiteral("在“运行”对话框中按下“确定”按钮。"),
                         {text.hinted(at(StepBuilder().background("j30043").action("0001"), kRunOk),
                                      QStringLiteral("按下“确定”")),
                          done().background("j30016")}};
    return qs;
}

// The extra picture: a click on code U6, a click on a plain code,
// a double-click on an "S" code, on the buttons of the window's command
// bar. The double-click comes last: the release that ends it is judged
// against the step after it. They are hot-spot steps: the demonstration
// clicks the code's spot, which it lays on the target under the extra
// picture; the background draws the buttons too, for the demonstration,
// which shows no extra picture.
QList<SampleQuestion> extraPictureQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    qs << SampleQuestion{
        QStringLiteral("单击工具栏上的“组织”按钮，再单击“视图”按钮，然后双击“布局”按钮。"),
        {text.hinted(at(StepBuilder()
                            .background("j30003")
                            .action("7000")
                            .windowKind('U')
                            .viewVariant('6')
                            .extraPicture(QStringLiteral("j3e01n"), 'h')
                            .hit(1, StepBuilder::entry('H', "U6")),
                        kOrganise),
                     QStringLiteral("单击“组织”")),
         text.hinted(
             at(StepBuilder()
                    .action("7000")
                    .windowKind('T')
                    .viewVariant('1')
                    .extraPicture(QStringLiteral("j3e02n"), 'h')
                    .picture(1, dropDownAt(kOrganise).x(), dropDownAt(kOrganise).y(), kOrganiseMenu)
                    .hit(1, StepBuilder::entry('H', "T1")),
                kViews),
             QStringLiteral("单击“视图”")),
         text.hinted(at(StepBuilder()
                            .action("7000")
                            .windowKind('S')
                            .viewVariant('2')
                            .extraPicture(QStringLiteral("j3e03n"), 'h')
                            .picture(1, dropDownAt(kViews).x(), dropDownAt(kViews).y(), kViewsMenu)
                            .hit(2, StepBuilder::entry('S', "S2")),
                        kLayout),
                     QStringLiteral("双击“布局”")),
         done().background("j30044")}};
    return qs;
}

// Context menus on the target.
QList<SampleQuestion> contextMenuQuestions(AnswerTexts &text) {
    QList<SampleQuestion> qs;
    // The recycle bin's icon on the desktop (spot 61's place). Its first
    // entry names the context panel "T5", the recycle bin's menu, which
    // opens at the target: the demonstration points there, and its
    // double-click ends the step and opens the bin.
    const Box bin{0, 75, 1170, 1080, QString()};
    qs << SampleQuestion{QStringLiteral("双击桌面上的“回收站”图标将其打开。"),
                         {text.hinted(at(StepBuilder()
                                             .background(DesktopScreenPicture)
                                             .action("7772")
                                             .hit(1, StepBuilder::entry('H', "T5"))
                                             .contextPanel("T5"),
                                         bin),
                                      QStringLiteral("双击“回收站”")),
                          done().background("j30018")}};
    // The right click on 报告, then its menu as a picture with the target
    // on "属性(R)": a context panel of a "7777" step has no frame of its
    // own for the guided mode, the target of this step has the red box.
    qs << SampleQuestion{
        QStringLiteral("右键单击“报告”文件，在快捷菜单中选择“属性”命令。"),
        {text.hinted(at(StepBuilder().background("j30001").action("0003"), kReport),
                     QStringLiteral("右键单击“报告”")),
         text.hinted(at(StepBuilder().background("j30025").action("0001").picture(
                            1, kFileMenuAt.x(), kFileMenuAt.y(), "j30113"),
                        fileMenuItem(kPropertiesItem)),
                     QStringLiteral("选择“属性”")),
         done().background("j30041")}};
    return qs;
}

} // namespace

QRect sheetCellPlace(const QString &name) {
    const int column = name.isEmpty() ? -1 : name.at(0).unicode() - u'A';
    const int row = name.mid(1).toInt();
    if (column < 0 || column > 9 || row < 1 || row > kSheetRows) return QRect();
    return QRect(kSheetLeft + column * kColumnWidth, kSheetTop + row * kRowHeight, kColumnWidth,
                 kRowHeight);
}

bool addJudgingFiles(const SampleDir &dir) {
    bool ok = dir.makeFolders();
    ok &= writePictures(dir);

    // The questions' order is the unit's order, and their answer texts are
    // numbered as they come.
    AnswerTexts text(dir);
    QList<SampleQuestion> qs;
    qs << targetQuestions(text);
    qs << sourceQuestions(text);
    qs << keyQuestions(text);
    qs << textQuestions(text);
    qs << pictureDragQuestions(text);
    qs << overlayQuestions(text);
    qs << extraPictureQuestions(text);
    qs << contextMenuQuestions(text);
    ok &= text.ok();

    ok &= appendQuestions(dir, kJudgingUnit, qs);
    return ok;
}

} // namespace sample
