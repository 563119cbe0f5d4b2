#include "sample_icons.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace sample {

namespace {

// Every drawing fills b (a square); pen and brush are restored by drawIcon.

QLinearGradient vertical(const QRectF &b, QColor top, QColor bottom) {
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QRectF part(const QRectF &b, double x, double y, double w, double h) {
    return QRectF(b.left() + b.width() * x, b.top() + b.height() * y, b.width() * w,
                  b.height() * h);
}

void glyph(QPainter &p, const QRectF &r, const QString &s, QColor colour, bool bold = true) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(6, int(r.height() * 0.8)));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, s);
}

void monitor(QPainter &p, const QRectF &b) {
    p.setBrush(vertical(b, QColor(0x6c, 0xb6, 0xf0), QColor(0x1c, 0x5a, 0xa8)));
    p.setPen(QPen(QColor(0x30, 0x30, 0x40), 1.5));
    p.drawRoundedRect(part(b, 0, 0, 1, 0.7), 2, 2);
    p.setBrush(QColor(0x50, 0x50, 0x60));
    p.drawRect(part(b, 0.3, 0.78, 0.4, 0.12));
}

void recycleBin(QPainter &p, const QRectF &b) {
    p.setBrush(QColor(0xe8, 0xee, 0xf4));
    p.setPen(QPen(QColor(0x70, 0x80, 0x90), 1.2));
    QPainterPath path;
    path.moveTo(b.left() + b.width() * 0.15, b.top() + b.height() * 0.15);
    path.lineTo(b.right() - b.width() * 0.15, b.top() + b.height() * 0.15);
    path.lineTo(b.right() - b.width() * 0.25, b.bottom());
    path.lineTo(b.left() + b.width() * 0.25, b.bottom());
    path.closeSubpath();
    p.drawPath(path);
    p.setPen(QPen(QColor(0x2f, 0x9f, 0x4f), 2));
    p.drawEllipse(b.center(), b.width() * 0.15, b.width() * 0.15);
}

void globe(QPainter &p, const QRectF &b) {
    QRadialGradient g(b.center(), b.width() / 2);
    g.setColorAt(0, QColor(0x9f, 0xdf, 0xff));
    g.setColorAt(1, QColor(0x1f, 0x6f, 0xbf));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x1f, 0x4f, 0x8f), 1));
    p.drawEllipse(b);
    p.setPen(QPen(QColor(0x3f, 0xaf, 0x4f), 2));
    p.drawArc(b.adjusted(b.width() * 0.2, 0, -b.width() * 0.2, 0), 0, 16 * 360);
}

void folder(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0xb0, 0x8a, 0x2a), 1));
    p.setBrush(QColor(0xf6, 0xd3, 0x6e));
    p.drawRoundedRect(part(b, 0, 0.2, 1, 0.7), 2, 2);
    p.setBrush(QColor(0xfb, 0xe6, 0x9a));
    p.drawRoundedRect(part(b, 0, 0.1, 0.45, 0.25), 2, 2);
}

// A folder with a small sign on it: the libraries and the user's folders.
void signedFolder(QPainter &p, const QRectF &b, const QString &sign, QColor colour) {
    folder(p, b);
    glyph(p, part(b, 0.25, 0.35, 0.5, 0.5), sign, colour);
}

void controlPanel(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x40, 0x60, 0x90), 1));
    p.setBrush(QColor(0xdd, 0xe8, 0xf6));
    p.drawRoundedRect(b, 3, 3);
    const QColor c[] = {QColor(0xe0, 0x40, 0x30), QColor(0x30, 0xa0, 0x40),
                        QColor(0x30, 0x70, 0xd0), QColor(0xf0, 0xb0, 0x20)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(c[i]);
        p.drawRect(part(b, 0.15 + 0.4 * (i % 2), 0.15 + 0.4 * (i / 2), 0.3, 0.3));
    }
}

void drive(QPainter &p, const QRectF &b) {
    p.setBrush(vertical(b, QColor(0xf4, 0xf4, 0xf4), QColor(0x9a, 0x9a, 0xa4)));
    p.setPen(QPen(QColor(0x50, 0x50, 0x58), 1));
    p.drawRoundedRect(part(b, 0, 0.3, 1, 0.45), 3, 3);
    p.setBrush(QColor(0x30, 0xd0, 0x40));
    p.drawEllipse(QPointF(b.right() - b.width() * 0.15, b.top() + b.height() * 0.55), 1.5, 1.5);
}

void opticalDrive(QPainter &p, const QRectF &b) {
    drive(p, b);
    p.setBrush(QColor(0xd8, 0xe0, 0xf0));
    p.setPen(QPen(QColor(0x80, 0x80, 0x90), 0.8));
    p.drawEllipse(part(b, 0.1, 0.35, 0.35, 0.35));
}

void user(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x80, 0x50, 0x20), 1));
    p.setBrush(QColor(0xf4, 0xa4, 0x3c));
    p.drawRoundedRect(b, 3, 3);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(part(b, 0.35, 0.15, 0.3, 0.3));
    p.drawChord(part(b, 0.2, 0.5, 0.6, 0.6), 0, 16 * 180);
}

// A sheet of paper with lines; `band` colours its top.
void page(QPainter &p, const QRectF &b, QColor band) {
    const QRectF sheet = part(b, 0.15, 0.05, 0.7, 0.9);
    p.setPen(QPen(QColor(0x80, 0x88, 0x98), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.fillRect(QRectF(sheet.left(), sheet.top(), sheet.width(), sheet.height() * 0.18), band);
    p.setPen(QPen(QColor(0xa0, 0xb0, 0xc8), 1));
    for (int i = 0; i < 4; ++i) {
        const double y = sheet.top() + sheet.height() * (0.35 + 0.15 * i);
        p.drawLine(QPointF(sheet.left() + 3, y), QPointF(sheet.right() - 3, y));
    }
}

void calculator(QPainter &p, const QRectF &b) {
    const QRectF body = part(b, 0.12, 0.02, 0.76, 0.96);
    p.setPen(QPen(QColor(0x40, 0x48, 0x58), 1));
    p.setBrush(vertical(body, QColor(0xe0, 0xe4, 0xea), QColor(0xa0, 0xa8, 0xb4)));
    p.drawRoundedRect(body, 2, 2);
    p.setBrush(QColor(0xd8, 0xf0, 0xd0));
    p.drawRect(part(b, 0.2, 0.1, 0.6, 0.2));
    p.setPen(Qt::NoPen);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            p.setBrush(x == 2 && y == 2 ? QColor(0xe0, 0x70, 0x30) : QColor(0x58, 0x60, 0x70));
            p.drawRect(part(b, 0.22 + 0.2 * x, 0.4 + 0.18 * y, 0.14, 0.12));
        }
}

void stickyNotes(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0xb0, 0xa0, 0x30), 1));
    p.setBrush(QColor(0xfb, 0xf0, 0x8c));
    p.drawRect(part(b, 0.22, 0.05, 0.72, 0.72));
    p.setBrush(QColor(0xfd, 0xf6, 0xb0));
    p.drawRect(part(b, 0.06, 0.22, 0.72, 0.72));
}

void snippingTool(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(part(b, 0.08, 0.6, 0.3, 0.3));
    p.drawEllipse(part(b, 0.62, 0.6, 0.3, 0.3));
    p.setPen(QPen(QColor(0x70, 0x78, 0x88), 2));
    p.drawLine(part(b, 0.3, 0.62, 0, 0).topLeft(), part(b, 0.8, 0.05, 0, 0).topLeft());
    p.drawLine(part(b, 0.7, 0.62, 0, 0).topLeft(), part(b, 0.2, 0.05, 0, 0).topLeft());
}

void paintProgram(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x80, 0x60, 0x30), 1));
    p.setBrush(QColor(0xf0, 0xd8, 0xa8));
    p.drawEllipse(part(b, 0.02, 0.12, 0.96, 0.76));
    const QColor c[] = {QColor(0xe0, 0x30, 0x30), QColor(0x30, 0x90, 0xe0),
                        QColor(0x40, 0xb0, 0x40), QColor(0xf0, 0xc0, 0x20)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(c[i]);
        p.drawEllipse(part(b, 0.15 + 0.2 * i, i % 2 ? 0.3 : 0.5, 0.16, 0.16));
    }
}

void remoteDesktop(QPainter &p, const QRectF &b) {
    monitor(p, part(b, 0.15, 0.15, 0.85, 0.85));
    p.setPen(QPen(QColor(0x20, 0x90, 0x30), 2.5));
    p.drawLine(part(b, 0.02, 0.35, 0, 0).topLeft(), part(b, 0.4, 0.05, 0, 0).topLeft());
    p.drawLine(part(b, 0.4, 0.05, 0, 0).topLeft(), part(b, 0.2, 0.05, 0, 0).topLeft());
}

void magnifier(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x50, 0x50, 0x58), 3));
    p.drawLine(part(b, 0.6, 0.6, 0, 0).topLeft(), part(b, 0.95, 0.95, 0, 0).topLeft());
    p.setPen(QPen(QColor(0x40, 0x58, 0x80), 2));
    p.setBrush(QColor(0xc8, 0xe4, 0xff));
    p.drawEllipse(part(b, 0.05, 0.05, 0.62, 0.62));
}

void solitaire(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(QColor(0x2a, 0x60, 0xc0));
    p.drawRoundedRect(part(b, 0.05, 0.05, 0.55, 0.75), 2, 2);
    p.setBrush(Qt::white);
    p.drawRoundedRect(part(b, 0.38, 0.2, 0.55, 0.75), 2, 2);
    glyph(p, part(b, 0.4, 0.35, 0.5, 0.45), QStringLiteral("♥"), QColor(0xd0, 0x20, 0x20));
}

void mediaCenter(QPainter &p, const QRectF &b) {
    QRadialGradient g(b.center(), b.width() / 2);
    g.setColorAt(0, QColor(0x6c, 0xd0, 0x5c));
    g.setColorAt(1, QColor(0x1c, 0x7c, 0x2c));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x10, 0x50, 0x20), 1));
    p.drawEllipse(b);
    glyph(p, part(b, 0.2, 0.2, 0.6, 0.6), QStringLiteral("⊞"), Qt::white);
}

void mediaPlayer(QPainter &p, const QRectF &b) {
    QRadialGradient g(b.center(), b.width() / 2);
    g.setColorAt(0, QColor(0xff, 0xc0, 0x50));
    g.setColorAt(1, QColor(0xd0, 0x60, 0x10));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x80, 0x40, 0x10), 1));
    p.drawEllipse(b);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPainterPath tri;
    tri.moveTo(part(b, 0.38, 0.28, 0, 0).topLeft());
    tri.lineTo(part(b, 0.75, 0.5, 0, 0).topLeft());
    tri.lineTo(part(b, 0.38, 0.72, 0, 0).topLeft());
    tri.closeSubpath();
    p.drawPath(tri);
}

void gettingStarted(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x30, 0x50, 0x80), 1));
    p.setBrush(QColor(0xe8, 0xf0, 0xfa));
    p.drawRoundedRect(b, 3, 3);
    glyph(p, part(b, 0.1, 0.1, 0.8, 0.8), QStringLiteral("★"), QColor(0xf0, 0xa0, 0x10));
}

void console(QPainter &p, const QRectF &b, QColor back, const QString &prompt) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(back);
    p.drawRect(part(b, 0.02, 0.1, 0.96, 0.8));
    p.fillRect(part(b, 0.02, 0.1, 0.96, 0.15), QColor(0xc0, 0xd0, 0xe8));
    glyph(p, part(b, 0.05, 0.3, 0.9, 0.55), prompt, Qt::white);
}

void tabletPc(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x40), 1));
    p.setBrush(QColor(0x50, 0x58, 0x68));
    p.drawRoundedRect(part(b, 0.05, 0.1, 0.8, 0.8), 3, 3);
    p.setBrush(QColor(0x9c, 0xd0, 0xf8));
    p.drawRect(part(b, 0.15, 0.2, 0.6, 0.6));
    p.setPen(QPen(QColor(0xf0, 0xa0, 0x20), 2));
    p.drawLine(part(b, 0.6, 0.95, 0, 0).topLeft(), part(b, 0.95, 0.4, 0, 0).topLeft());
}

void game(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(QColor(0x40, 0x40, 0x48));
    p.drawEllipse(part(b, 0.35, 0.05, 0.3, 0.3));
    p.drawRect(part(b, 0.4, 0.3, 0.2, 0.4));
    p.drawRoundedRect(part(b, 0.2, 0.7, 0.6, 0.22), 2, 2);
}

void help(QPainter &p, const QRectF &b) {
    p.setBrush(QColor(0x2a, 0x70, 0xd0));
    p.setPen(QPen(QColor(0x10, 0x40, 0x90), 1));
    p.drawEllipse(b);
    glyph(p, part(b, 0.15, 0.15, 0.7, 0.7), QStringLiteral("?"), Qt::white);
}

void backup(QPainter &p, const QRectF &b) {
    drive(p, part(b, 0, 0.3, 1, 0.7));
    p.setPen(QPen(QColor(0x20, 0xa0, 0x40), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(part(b, 0.2, 0.02, 0.6, 0.6), 16 * 20, 16 * 250);
}

void defender(QPainter &p, const QRectF &b) {
    QPainterPath shield;
    shield.moveTo(part(b, 0.5, 0.02, 0, 0).topLeft());
    shield.lineTo(part(b, 0.92, 0.18, 0, 0).topLeft());
    shield.quadTo(part(b, 0.9, 0.8, 0, 0).topLeft(), part(b, 0.5, 0.98, 0, 0).topLeft());
    shield.quadTo(part(b, 0.1, 0.8, 0, 0).topLeft(), part(b, 0.08, 0.18, 0, 0).topLeft());
    shield.closeSubpath();
    p.setPen(QPen(QColor(0x20, 0x40, 0x70), 1));
    p.setBrush(vertical(b, QColor(0x70, 0xa8, 0xe8), QColor(0x20, 0x50, 0xa0)));
    p.drawPath(shield);
}

void program(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x40, 0x50, 0x68), 1));
    p.setBrush(Qt::white);
    p.drawRect(part(b, 0.05, 0.12, 0.9, 0.76));
    p.fillRect(part(b, 0.05, 0.12, 0.9, 0.18), QColor(0x50, 0x80, 0xc0));
}

void printer(QPainter &p, const QRectF &b) {
    p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1));
    p.setBrush(Qt::white);
    p.drawRect(part(b, 0.25, 0.05, 0.5, 0.4));
    p.setBrush(vertical(b, QColor(0xc8, 0xcc, 0xd4), QColor(0x70, 0x74, 0x80)));
    p.drawRoundedRect(part(b, 0.05, 0.35, 0.9, 0.4), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(part(b, 0.25, 0.65, 0.5, 0.3));
}

} // namespace

void drawIcon(QPainter &p, const QRect &r, Icon icon) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(r.width(), r.height());
    const QRectF b =
        QRectF(r.left() + (r.width() - side) / 2.0, r.top() + (r.height() - side) / 2.0, side, side)
            .adjusted(2, 2, -2, -2);
    switch (icon) {
    case Icon::Computer:
        monitor(p, b);
        break;
    case Icon::RecycleBin:
        recycleBin(p, b);
        break;
    case Icon::Network:
        globe(p, b);
        break;
    case Icon::Folder:
        folder(p, b);
        break;
    case Icon::ControlPanel:
        controlPanel(p, b);
        break;
    case Icon::Drive:
        drive(p, b);
        break;
    case Icon::OpticalDrive:
        opticalDrive(p, b);
        break;
    case Icon::User:
        user(p, b);
        break;
    case Icon::Document:
        signedFolder(p, b, QStringLiteral("≡"), QColor(0x30, 0x50, 0x90));
        break;
    case Icon::Music:
        signedFolder(p, b, QStringLiteral("♪"), QColor(0x30, 0x50, 0x90));
        break;
    case Icon::Pictures:
        signedFolder(p, b, QStringLiteral("▲"), QColor(0x30, 0x80, 0x40));
        break;
    case Icon::Video:
        signedFolder(p, b, QStringLiteral("▶"), QColor(0x30, 0x50, 0x90));
        break;
    case Icon::Calculator:
        calculator(p, b);
        break;
    case Icon::StickyNotes:
        stickyNotes(p, b);
        break;
    case Icon::SnippingTool:
        snippingTool(p, b);
        break;
    case Icon::Paint:
        paintProgram(p, b);
        break;
    case Icon::RemoteDesktop:
        remoteDesktop(p, b);
        break;
    case Icon::Magnifier:
        magnifier(p, b);
        break;
    case Icon::Solitaire:
        solitaire(p, b);
        break;
    case Icon::MediaCenter:
        mediaCenter(p, b);
        break;
    case Icon::GettingStarted:
        gettingStarted(p, b);
        break;
    case Icon::Notepad:
        page(p, b, QColor(0x50, 0x90, 0xd8));
        break;
    case Icon::CommandPrompt:
        console(p, b, Qt::black, QStringLiteral("C:\\"));
        break;
    case Icon::PowerShell:
        console(p, b, QColor(0x01, 0x24, 0x56), QStringLiteral(">_"));
        break;
    case Icon::TabletPC:
        tabletPc(p, b);
        break;
    case Icon::Game:
        game(p, b);
        break;
    case Icon::Help:
        help(p, b);
        break;
    case Icon::Backup:
        backup(p, b);
        break;
    case Icon::Defender:
        defender(p, b);
        break;
    case Icon::Program:
        program(p, b);
        break;
    case Icon::MediaPlayer:
        mediaPlayer(p, b);
        break;
    case Icon::Printer:
        printer(p, b);
        break;
    }
    p.restore();
}

Icon iconFor(const QString &name) {
    static const QHash<QString, Icon> icons = {
        {QStringLiteral("计算机"), Icon::Computer},
        {QStringLiteral("回收站"), Icon::RecycleBin},
        {QStringLiteral("网络"), Icon::Network},
        {QStringLiteral("Internet Explorer"), Icon::Network},
        {QStringLiteral("控制面板"), Icon::ControlPanel},
        {QStringLiteral("Administrator"), Icon::User},
        {QStringLiteral("文档"), Icon::Document},
        {QStringLiteral("音乐"), Icon::Music},
        {QStringLiteral("图片"), Icon::Pictures},
        {QStringLiteral("视频"), Icon::Video},
        {QStringLiteral("计算器"), Icon::Calculator},
        {QStringLiteral("便笺"), Icon::StickyNotes},
        {QStringLiteral("截图工具"), Icon::SnippingTool},
        {QStringLiteral("画图"), Icon::Paint},
        {QStringLiteral("远程桌面连接"), Icon::RemoteDesktop},
        {QStringLiteral("Windows 远程协助"), Icon::RemoteDesktop},
        {QStringLiteral("放大镜"), Icon::Magnifier},
        {QStringLiteral("纸牌"), Icon::Solitaire},
        {QStringLiteral("FreeCell"), Icon::Solitaire},
        {QStringLiteral("红心大战"), Icon::Solitaire},
        {QStringLiteral("Windows Media Center"), Icon::MediaCenter},
        {QStringLiteral("Windows Media Player"), Icon::MediaPlayer},
        {QStringLiteral("入门"), Icon::GettingStarted},
        {QStringLiteral("记事本"), Icon::Notepad},
        {QStringLiteral("命令提示符"), Icon::CommandPrompt},
        {QStringLiteral("Windows PowerShell"), Icon::PowerShell},
        {QStringLiteral("Tablet PC"), Icon::TabletPC},
        {QStringLiteral("Chess Titans"), Icon::Game},
        {QStringLiteral("Minesweeper"), Icon::Game},
        {QStringLiteral("Purble Place"), Icon::Game},
        {QStringLiteral("帮助和支持"), Icon::Help},
        {QStringLiteral("备份和还原"), Icon::Backup},
        {QStringLiteral("创建系统修复光盘"), Icon::OpticalDrive},
        {QStringLiteral("Windows Defender"), Icon::Defender},
        {QStringLiteral("Windows 资源管理器"), Icon::Folder},
        {QStringLiteral("设备和打印机"), Icon::Printer},
        {QStringLiteral("默认程序"), Icon::Program},
        {QStringLiteral("启动项"), Icon::Program},
    };
    return icons.value(name, Icon::Folder);
}

} // namespace sample
