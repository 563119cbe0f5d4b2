#pragma once
// The icons of the sample's Windows 7 pictures, drawn by code: one small
// drawing per kind, so that every program, place and device shows an icon
// of its own kind.
#include <QRect>
#include <QString>

class QPainter;

namespace sample {

enum class Icon {
    Computer,
    RecycleBin,
    Network, // also Internet Explorer's globe
    Folder,
    ControlPanel,
    Drive,
    OpticalDrive,
    User,
    Document,
    Music,
    Pictures,
    Video,
    Calculator,
    StickyNotes,
    SnippingTool,
    Paint,
    RemoteDesktop,
    Magnifier,
    Solitaire,
    MediaCenter,
    GettingStarted,
    Notepad,
    CommandPrompt,
    PowerShell,
    TabletPC,
    Game,
    Help,
    Backup,
    Defender,
    Program, // any other program: a window
    MediaPlayer,
    Printer,
};

// Draws the icon inside r (square or not: it keeps to r's smaller side).
void drawIcon(QPainter &p, const QRect &r, Icon icon);

// The icon of a program, place or folder by the name the pictures show
// ("计算器", "纸牌", "文档" ...); a folder for names it does not know.
Icon iconFor(const QString &name);

} // namespace sample
