#include "sample_opened_screens.h"

#include "sample_chrome.h"
#include "sample_pictures.h"
#include "sample_shell.h"
#include "simulator/shell_tables.h"

#include <QPainter>

namespace sample {

namespace {

const QColor kHeading(0x1e, 0x39, 0x87);
const QColor kLink(0x1e, 0x5e, 0xb5);
const QColor kFieldEdge(0x8e, 0xa4, 0xc1);

void write(QPainter &p, const QRect &r, const QString &s, QColor colour = Qt::black, int size = 12,
           int flags = Qt::AlignLeft | Qt::AlignVCenter) {
    p.setPen(colour);
    p.setFont(uiFont(size));
    p.drawText(r, flags, s);
}

// A white field with its frame and its text.
void drawField(QPainter &p, const QRect &r, const QString &s) {
    p.setPen(kFieldEdge);
    p.setBrush(Qt::white);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    write(p, r.adjusted(4, 0, -4, 0), s);
}

// A list under its field, its first entry chosen.
void drawList(QPainter &p, const QRect &r, const QStringList &entries) {
    drawField(p, r, QString());
    for (int i = 0; i < entries.size() && 4 + 20 * (i + 1) <= r.height(); ++i) {
        const QRect row(r.left() + 2, r.top() + 2 + 20 * i, r.width() - 4, 20);
        if (i == 0) p.fillRect(row, QColor(0x33, 0x99, 0xff));
        write(p, row.adjusted(4, 0, 0, 0), entries[i], i == 0 ? Qt::white : Qt::black);
    }
}

// The heading of a group of a dialog or a page, with the line after it.
void drawGroupHeading(QPainter &p, QPoint at, int width, const QString &s, QColor colour) {
    write(p, QRect(at, QSize(width, 20)), s, colour, 13);
    const int end = at.x() + p.fontMetrics().horizontalAdvance(s) + 8;
    p.setPen(QColor(0xd5, 0xdf, 0xe5));
    p.drawLine(end, at.y() + 10, at.x() + width, at.y() + 10);
}

// The 字体 dialog of 记事本: where it stands on the screen (pixels).
constexpr QRect kFontDialog(220, 140, 440, 400);

QImage fontDialogScreen() {
    QImage img = shellPicture(QStringLiteral("bank:") + NotepadScreenPicture);
    QPainter p(&img);
    // The menu row the steps before lay there stays in sight behind the
    // dialog, which keeps the window's own bar from being used.
    p.drawImage(QPoint(NotepadBarLeft / 15, NotepadBarTop / 15),
                shellPicture(shell::menuBarPicture(u'H')));
    const QRect d = kFontDialog;
    drawDialog(p, d, QStringLiteral("字体"), QColor(240, 240, 240));
    const int x = d.left() + 16, y = d.top() + 44;
    const struct Column {
        int left, width;
        const char *label, *value;
        QStringList entries;
    } columns[] = {
        {x, 168, "字体(F):", "宋体", {"宋体", "仿宋", "黑体", "楷体", "微软雅黑"}},
        {x + 180, 118, "字形(Y):", "常规", {"常规", "倾斜", "粗体", "粗偏斜"}},
        {x + 310, 98, "大小(S):", "五号", {"五号", "小五", "六号", "小六", "七号"}},
    };
    for (const Column &c : columns) {
        write(p, QRect(c.left, y, c.width, 20), QString::fromUtf8(c.label));
        drawField(p, QRect(c.left, y + 22, c.width, 22), QString::fromUtf8(c.value));
        drawList(p, QRect(c.left, y + 46, c.width, 106), c.entries);
    }
    write(p, QRect(x + 180, y + 166, 80, 20), QStringLiteral("示例"));
    p.setPen(QColor(0xd5, 0xdf, 0xe5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(x + 180, y + 188, 228, 70));
    write(p, QRect(x + 180, y + 188, 228, 70), QStringLiteral("微软中文软件 AaBbYyZz"), Qt::black,
          14, Qt::AlignCenter);
    write(p, QRect(x + 180, y + 266, 80, 20), QStringLiteral("脚本(R):"));
    drawField(p, QRect(x + 180, y + 288, 228, 22), QStringLiteral("中文 GB2312"));
    write(p, QRect(x + 386, y + 288, 20, 22), QStringLiteral("▼"), Qt::black, 10, Qt::AlignCenter);
    drawDialogButton(p, fontDialogOkButton(), QStringLiteral("确定"));
    drawDialogButton(p, fontDialogOkButton().translated(90, 0), QStringLiteral("取消"));
    return img;
}

QImage videoNewFolderScreen() {
    QImage img = shellPicture(QStringLiteral("bank:") + VideoBarScreenPicture);
    QPainter p(&img);
    const QString name = QStringLiteral("新建文件夹");
    // The two items the library holds already stand where they were; the
    // new folder comes after them, selected, its name in an edit box.
    drawIconGrid(p, kGridOrigin, kGridColumns,
                 {{Icon::Folder, QStringLiteral("示例视频")},
                  {Icon::MediaPlayer, QStringLiteral("野生动物.wmv")},
                  {Icon::Folder, name, true}},
                 IconSize::Medium);
    const QRect at = iconGridPlace(kGridOrigin, kGridColumns, 2, IconSize::Medium);
    p.setFont(uiFont(12));
    const int w = p.fontMetrics().horizontalAdvance(name) + 6;
    const QRect edit(at.center().x() - w / 2, at.top() + 34, w, 18);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(edit.adjusted(-1, -1, 0, 0));
    p.fillRect(edit.adjusted(2, 1, -2, -1), QColor(0x33, 0x99, 0xff));
    write(p, edit, name, Qt::white, 12, Qt::AlignCenter);
    return img;
}

QImage systemScreen() {
    QImage img = shellPicture(QStringLiteral("bank:") + DesktopScreenPicture);
    QPainter p(&img);
    p.drawImage(QPoint(0, 0),
                explorerWindowPicture(QSize(1024, 560), QStringLiteral("系统"),
                                      {QStringLiteral("控制面板"), QStringLiteral("系统和安全"),
                                       QStringLiteral("系统")}));
    // The left column of the Control Panel's pages, then the page.
    const QRect nav(7, 57, 200, 496);
    p.fillRect(nav, QColor(0xee, 0xf3, 0xfa));
    const QStringList links = {QStringLiteral("控制面板主页"), QStringLiteral("设备管理器"),
                               QStringLiteral("远程设置"), QStringLiteral("系统保护"),
                               QStringLiteral("高级系统设置")};
    for (int i = 0; i < links.size(); ++i)
        write(p, QRect(nav.left() + 16, nav.top() + 16 + 28 * i, 180, 22), links[i], kLink);
    const int x = 232;
    write(p, QRect(x, 76, 600, 28), QStringLiteral("查看有关计算机的基本信息"), kHeading, 17);
    const struct Group {
        int top;
        const char *heading;
        QList<QPair<const char *, const char *>> rows;
    } groups[] = {
        {118,
         "Windows 版本",
         {{"", "Windows 7 旗舰版"},
          {"", "版权所有 © 2009 Microsoft Corporation。保留所有权利。"},
          {"", "Service Pack 1"}}},
        {218,
         "系统",
         {{"分级:", "Windows 体验指数"},
          {"处理器:", "Intel(R) Core(TM) i5 CPU  M 520 @ 2.40GHz"},
          {"安装内存(RAM):", "4.00 GB"},
          {"系统类型:", "64 位操作系统"}}},
        {348,
         "计算机名称、域和工作组设置",
         {{"计算机名:", "PC-01"}, {"计算机全名:", "PC-01"}, {"工作组:", "WORKGROUP"}}},
    };
    for (const Group &g : groups) {
        drawGroupHeading(p, QPoint(x, g.top), 760, QString::fromUtf8(g.heading), kHeading);
        for (int i = 0; i < g.rows.size(); ++i) {
            const int top = g.top + 26 + 24 * i;
            write(p, QRect(x + 16, top, 130, 22), QString::fromUtf8(g.rows[i].first));
            write(p, QRect(x + (*g.rows[i].first ? 150 : 16), top, 600, 22),
                  QString::fromUtf8(g.rows[i].second));
        }
    }
    return img;
}

// The properties of the taskbar and start menu: where they stand (pixels).
constexpr QRect kStartMenuProperties(250, 40, 410, 480);

QImage startMenuPropertiesScreen() {
    QImage img = shellPicture(QStringLiteral("bank:") + DesktopSmallIconsPicture);
    QPainter p(&img);
    const QRect d = kStartMenuProperties;
    drawDialog(p, d, QStringLiteral("任务栏和「开始」菜单属性"), QColor(240, 240, 240));
    // The tabs over the page, the chosen one joined to it.
    const QRect page(d.left() + 12, d.top() + 66, d.width() - 24, d.height() - 66 - 48);
    const QStringList tabs = {QStringLiteral("任务栏"), QStringLiteral("「开始」菜单"),
                              QStringLiteral("工具栏")};
    int left = page.left() + 2;
    for (int i = 0; i < tabs.size(); ++i) {
        const int w = i == 1 ? 100 : 64;
        const QRect tab(left, page.top() - (i == 1 ? 24 : 21), w, i == 1 ? 25 : 21);
        p.setPen(QColor(137, 140, 149));
        p.setBrush(i == 1 ? QColor(Qt::white) : QColor(0xe8, 0xec, 0xf2));
        p.drawRect(tab);
        write(p, tab, tabs[i], Qt::black, 12, Qt::AlignCenter);
        left += w;
    }
    p.setPen(QColor(137, 140, 149));
    p.setBrush(Qt::white);
    p.drawRect(page);
    p.fillRect(QRect(page.left() + 67, page.top(), 99, 1), Qt::white);
    const int x = page.left() + 14;
    write(p, QRect(x, page.top() + 12, page.width() - 28, 40),
          QStringLiteral("要自定义链接、图标和菜单在「开始」菜单中的外观和行为，请单击“自定义”。"),
          Qt::black, 12, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    drawDialogButton(p, QRect(page.right() - 96, page.top() + 56, 84, 24),
                     QStringLiteral("自定义(C)..."));
    write(p, QRect(x, page.top() + 100, 110, 22), QStringLiteral("电源按钮操作(B):"));
    drawField(p, QRect(x + 120, page.top() + 100, 130, 22), QStringLiteral("关机"));
    write(p, QRect(x + 230, page.top() + 100, 20, 22), QStringLiteral("▼"), Qt::black, 10,
          Qt::AlignCenter);
    drawGroupHeading(p, QPoint(x, page.top() + 144), page.width() - 28, QStringLiteral("隐私"),
                     Qt::black);
    const QStringList privacy = {
        QStringLiteral("存储并显示最近在「开始」菜单中打开的程序(P)"),
        QStringLiteral("存储并显示最近在「开始」菜单和任务栏中打开的项目(M)")};
    for (int i = 0; i < privacy.size(); ++i) {
        const int top = page.top() + 172 + 26 * i;
        drawCheckBox(p, QRect(x + 4, top + 4, 13, 13), true);
        write(p, QRect(x + 24, top, page.width() - 50, 22), privacy[i], Qt::black, 11);
    }
    write(p, QRect(x, page.bottom() - 34, page.width() - 28, 22),
          QStringLiteral("如何更改「开始」菜单的外观?"), kLink);
    const QString buttons[] = {QStringLiteral("确定"), QStringLiteral("取消"),
                               QStringLiteral("应用(A)")};
    for (int i = 0; i < 3; ++i)
        drawDialogButton(p, QRect(d.right() - 270 + 88 * i, d.bottom() - 36, 80, 24), buttons[i]);
    return img;
}

} // namespace

QRect fontDialogOkButton() {
    return QRect(kFontDialog.right() - 186, kFontDialog.bottom() - 40, 80, 24);
}

bool addOpenedScreens(const SampleDir &dir) {
    bool ok = true;
    const std::pair<QString, QImage> screens[] = {
        {FontDialogScreenPicture, fontDialogScreen()},
        {VideoNewFolderScreenPicture, videoNewFolderScreen()},
        {SystemScreenPicture, systemScreen()},
        {StartMenuPropertiesScreenPicture, startMenuPropertiesScreen()},
    };
    for (const auto &[name, image] : screens)
        ok &= saveBankPicture(dir, name, image, PictureFormat::Png);
    return ok;
}

} // namespace sample
