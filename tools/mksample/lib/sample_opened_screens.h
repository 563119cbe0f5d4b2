#pragma once
// Screens of the shell's questions once a step has opened something: the
// shell's screen of the step before with the dialog, the window or the new
// folder drawn over it, so that the step after an action shows what the
// action did.
#include "sample_dir.h"

#include <QRect>
#include <QString>

namespace sample {

// 记事本 with its menu row and, over it, the "字体" dialog.
inline const QString FontDialogScreenPicture = QStringLiteral("m10001");
// The video library in medium icons with the folder "新建文件夹" just
// made, its name ready to be typed over.
inline const QString VideoNewFolderScreenPicture = QStringLiteral("m10002");
// The "系统" window of the Control Panel, which "系统属性" opens.
inline const QString SystemScreenPicture = QStringLiteral("m10003");
// The desktop with small icons and, over it, the properties of the taskbar
// and start menu on their "「开始」菜单" page, which the start button's
// "属性" opens.
inline const QString StartMenuPropertiesScreenPicture = QStringLiteral("m10004");

// Where FontDialogScreenPicture draws the dialog's "确定" button (pixels).
QRect fontDialogOkButton();

bool addOpenedScreens(const SampleDir &dir);

} // namespace sample
