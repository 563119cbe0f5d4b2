#pragma once
// The question panel's part of the sample: its background with the blue
// title strip, the function buttons (practice and exam variants), the
// question-list status pictures and page buttons, the minimised bar, the
// candidate photograph, and one picture question with its illustration in
// the step engine's unit.
#include "sample_dir.h"

#include <QImage>

namespace sample {

// The illustration of the sample's picture question.
inline const QString kPanelIllustration = QStringLiteral("p01001");

// The panel's background: 332 x 242 pixels, a blue title strip over a
// light body.
QImage panelBackground();
// The minimised bar: the title strip's blue with a restore sign.
QImage panelBar();

bool addPanelFiles(const SampleDir &dir);

} // namespace sample
