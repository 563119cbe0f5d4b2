#include "simulator/shell_spots.h"

namespace shell {

Region regionOf(int index) {
    if (MenuBarSpots.contains(index)) return Region::MenuBar;
    if (ToolStripSpots.contains(index)) return Region::ToolStrip;
    if (TaskPaneSpots.contains(index)) return Region::TaskPane;
    if (CtrlPanelSpots.contains(index)) return Region::CtrlPanel;
    if (DesktopSpots.contains(index)) return Region::Desktop;
    if (StartMenuSpots.contains(index)) return Region::StartMenu;
    if (ComputerSpots.contains(index)) return Region::Computer;
    return Region::None;
}

QString hitCode(QStringView menuBarVariant, int index) {
    const QString code = menuBarVariant.toString() + QString::number(index);
    return code.right(2);
}

QString twoDigits(int n) {
    return (QStringLiteral("0") + QString::number(n)).right(2);
}

} // namespace shell
