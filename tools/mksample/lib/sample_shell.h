#pragma once
// The pictures of the simulated Windows 7 shell in "examdata" (and the
// desktop, Computer-window and Control Panel backgrounds of the bank),
// drawn by code at the sizes the shell's layouts imply: the regions, the
// command and menu bars, the task panes, the Control Panel views, every
// drop-down panel of the layout tables with its level-2 panels and level-3
// lists, and the hover, pressed and selected looks of the hot spots.
#include "sample_dir.h"
#include "simulator/shell_spots.h"
#include "step_builder.h"

#include <QImage>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QString>

namespace sample {

bool addShellPictures(const SampleDir &dir);

// A bank picture of the whole desktop with its taskbar, for the
// background of steps that show the desktop.
inline const QString DesktopScreenPicture = QStringLiteral("7d0001");
// The same with the desktop's icons small.
inline const QString DesktopSmallIconsPicture = QStringLiteral("7d0014");

// The sizes the desktop's "查看" menu sets its icons to, and the whole
// screen with the desktop's icons at one of them (the large ones are the
// desktop's own).
enum class DesktopIcons { Large, Medium, Small };
QImage desktopScreenPicture(DesktopIcons icons);

// Bank pictures of the screen with one window open above the taskbar, for
// the background of steps that show the regions of that window. The video
// window comes in two looks: with the glass frame down to the tool strip,
// which holds its address and search fields, and ("Bar") with its address
// row, for a command bar under it. The Computer window has its address row
// and its own command bar, as every folder window of Windows 7.
inline const QString ComputerScreenPicture = QStringLiteral("7d0002");
inline const QString NotepadScreenPicture = QStringLiteral("7d0004");
inline const QString DriveScreenPicture = QStringLiteral("7d0005");
inline const QString PaintScreenPicture = QStringLiteral("7d0006");
inline const QString LibraryScreenPicture = QStringLiteral("7d0007");
inline const QString VideoScreenPicture = QStringLiteral("7d0008");
inline const QString VideoBarScreenPicture = QStringLiteral("7d0012");
// The Control Panel window on each of its pages, the page drawn in where
// the screen lays the page of a view and the address row naming it: the
// demonstration shows no page of its own, only the step's background.
inline const QString CtrlPanelHomeScreenPicture = QStringLiteral("7d0009");     // view 0
inline const QString CtrlPanelCategoryScreenPicture = QStringLiteral("7d0010"); // view 1
// Pages no view of the screen lays out, which a step shows as its
// background alone: the category view's page of "外观和个性化", the page
// "管理帐户" that "添加或删除用户帐户" opens, and the page "性能信息和工具"
// that "检查体验指数" opens.
inline const QString CtrlPanelAppearanceScreenPicture = QStringLiteral("7d0013");
inline const QString CtrlPanelAccountsScreenPicture = QStringLiteral("7dc001");
inline const QString CtrlPanelPerformanceScreenPicture = QStringLiteral("7dc002");

// The items of an Explorer window over the whole screen stand in rows
// from here (pixels), right of the task pane and 16 pixels under the
// command bar.
inline constexpr QPoint kGridOrigin(190, 104);
inline constexpr int kGridColumns = 7;

// The menu bars "G" (画图's) and "H" (记事本's) lie along the top of their
// window's client area, inside its border line, which their steps give as
// the bar's place (design twips): the Paint window fills the screen above
// the taskbar, the Notepad window stands a little right of the desktop's
// icons.
inline constexpr int PaintBarLeft = 105, PaintBarTop = 555;
// 画图's tool box in its screen picture (pixels): the column at the
// window's left under the menu bar.
QRect paintToolBox();
inline constexpr int NotepadBarLeft = 1515, NotepadBarTop = 1815;

// The unit of the shell's sample questions ("桌面与窗口").
constexpr int kShellUnit = 1;

// Questions whose steps show every region of the shell: the desktop, the
// start menu, the Computer window with its command bar and task pane, the
// tool strip, the command bars "A" to "D", the menu bars "G" and "H" (one
// placed by its step), the Control Panel in both views and the context
// panels.
bool addShellQuestions(const SampleDir &dir);

// A step on the Computer window: its drive view (the window's region),
// its command bar "D" with "组织" and the window's commands, and the task
// pane beside the drives. The step's view variant names the drive shown
// selected.
StepBuilder onComputerWindow(StepBuilder step);

// Where the screen picture of this name (one of the pictures above) draws
// the item of this name in its window, icon and name, in pixels of the
// screen; an empty rectangle for an item it does not draw. The tests act
// there as a candidate who sees it would.
QRect screenItemPlace(const QString &picture, const QString &item);

// The picture the sample draws for a shell picture name (without ".mxy"),
// or a null image for a name it does not draw. Tests use the sizes.
QImage shellPicture(const QString &name);

// Where the address row of a Control Panel page draws the part of its path
// that leads back to the Control Panel's home, in pixels of the screen.
QRect ctrlPanelHomeCrumbPlace();

// The texts of the Control Panel's panel "41".."48" (a category and its
// links) or "51".."57" (a row of the category page: its title, then its
// links), first the title.
QStringList ctrlPanelTexts(const QString &code);

// The captions the sample draws on the items of the level-1 panel of a
// two-character code or the level-2 panel of a four-character id, by item
// number, for every item its layout places (none for a code without a
// drawn menu).
QMap<int, QString> menuCaptions(const QString &code);

// A crop of a region or panel picture at a spot, with the light blue look
// of a Windows 7 item under the pointer (`strong`: selected or pressed).
QImage spotLook(const QImage &region, const shell::Rect &spot, bool strong);

} // namespace sample
