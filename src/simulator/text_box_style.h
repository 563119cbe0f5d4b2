#pragma once
// The look a step gives its input box (alignment, size, font and colours
// from the style table), applied the same way by the simulated screen and
// the demonstration, which each own a box of their own.
#include "forms/forms.h"
#include "simulator/step_files.h"
#include "simulator/step_record.h"

namespace sim {

// Applies a step's text style to `box` at horizontal scale `sx`. A size the
// box cannot take keeps the size it has; style bits beyond 7 leave bold,
// italic and underline as they are; an empty font row keeps the font name.
void applyTextStyle(forms::TextBox *box, const TextStyle &style, const StyleTable &table,
                    double sx);

} // namespace sim
