#pragma once
// 画图's tool box as the sample's ribbon-less 画图 shows it: the sixteen
// tools in two columns at the window's left, each button with its own
// drawing, the pencil pressed as a new picture starts with it.
#include <QRect>

class QPainter;

namespace sample {

inline constexpr int PaintToolCount = 16;

// The place of tool `index` (0..15, row by row, two to a row) in the tool
// box filling `column` (pixels): from 3 pixels in and 8 down.
QRect paintToolButton(const QRect &column, int index);

// The tool box's face over `column` and its sixteen buttons.
void drawPaintToolBox(QPainter &p, const QRect &column);

} // namespace sample
