#pragma once
// The pictures of the simulated Windows 7 shell in "examdata" (and the
// desktop, Computer-window and Control Panel backgrounds of the bank),
// drawn by code at the sizes the shell's layouts imply: the regions, the
// command and menu bars, the task panes, the Control Panel views, every
// drop-down panel of the layout tables with its level-2 panels and level-3
// lists, and the hover, pressed and selected looks of the hot spots.
#include "sample_dir.h"

#include <QImage>
#include <QString>

namespace sample {

bool addShellPictures(const SampleDir &dir);

// A bank picture of the whole desktop with its taskbar, for the
// background of steps that show the desktop.
inline const QString DesktopScreenPicture = QStringLiteral("7d0001");

// The picture the sample draws for a shell picture name (without ".mxy"),
// or a null image for a name it does not draw. Tests use the sizes.
QImage shellPicture(const QString &name);

} // namespace sample
