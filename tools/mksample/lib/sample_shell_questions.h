#pragma once
// Sample questions answered on the simulated shell itself: clicks and
// double-clicks on the hot spots of every region, the drop-down and
// context panels of all three levels, the Control Panel's link panels, an
// entry shown highlighted in advance and the tab strips with their back
// button, with the pictures they need beyond those of the shell.
#include "sample_dir.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

namespace sample {

// The unit these questions are in: unit 2 ("开始菜单与任务栏"), with the
// step file "288822" and the question list "288872".
constexpr int kShellJudgingUnit = 2;

// The questions in the order they are added; tests look them up by text.
QStringList shellJudgingQuestionTexts();

bool addShellJudgingFiles(const SampleDir &dir);

// Where the "文档" window of the command-bar question, once its menu bar is
// shown, draws "查看(V)" and, with its menu open, the menu's entry of this
// caption (pixels of the screen); an empty rectangle for any other. The
// tests act there as a candidate who sees it would.
QRect documentsViewMenuPlace(const QString &caption);

// The entries of the panel that the entry "附件" of "所有程序" opens.
QStringList accessoriesEntries();

// The extra shell pictures of these questions (name without ".mxy"): the
// level-2 list of the all-programs folders, the hover looks of the level-3
// rows and the highlight of an entry shown in advance. Null for other names.
QImage shellJudgingPicture(const QString &name);

} // namespace sample
