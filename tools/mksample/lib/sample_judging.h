#pragma once
// Sample questions answered by keys, typed and selected texts, clicks on
// the target with each button and Shift state, pointing, rubber bands,
// drags from the source, picture drags, clicks on overlay pictures and the
// extra picture, and context menus on the target: one or more questions
// for every action code these answers use.
#include "sample_dir.h"

#include <QRect>
#include <QString>

namespace sample {

// The unit these questions are in: unit 3 ("文件与文件夹管理"), with the
// step file "288823" and the question list "288873".
constexpr int kJudgingUnit = 3;

bool addJudgingFiles(const SampleDir &dir);

// Where the spreadsheet of these questions draws the cell of this name
// ("B2"), in pixels of the screen; the tests click there as a candidate
// would.
QRect sheetCellPlace(const QString &name);

} // namespace sample
