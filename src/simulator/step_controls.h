#pragma once
// What a step does to controls that both the simulated screen and the
// demonstration own, each their own copy: the look of the input box, the
// overlay pictures, the answer texts a step names and the labels of a
// dialog's tab strip. Each window passes its controls in.
#include "forms/forms.h"
#include "simulator/shell_tab_strip.h"
#include "simulator/step_files.h"
#include "simulator/step_record.h"

#include <array>

namespace sim {

// Applies a step's text style to `box` at horizontal scale `sx`. A size the
// box cannot take keeps the size it has; style bits beyond 7 leave bold,
// italic and underline as they are; an empty font row keeps the font name.
void applyTextStyle(forms::TextBox *box, const TextStyle &style, const StyleTable &table,
                    double sx);

// The overlay picture of slot 1..5 among a window's five; error 9 for any
// other slot.
forms::Image *overlaySlot(const std::array<forms::Image *, 5> &images, int slot);

// The answer text that a three-digit line field of a step names: empty for
// "000", and empty when the answer-text file cannot be read.
QString answerTextOfField(const QString &answerFile, const QString &field);

// Parks the tab labels 0..13 off the screen, one twip large and without
// caption, until a tab step places them.
void parkTabLabels(forms::ControlArray<forms::Label> &tabs, shell::Scale scale);

// Places the tab labels 0..13 of a strip for `row`, its page picture's
// top-left corner at (pageLeft, pageTop): every label up to the row's tab
// count parked one twip wide at the row's top without caption, tabs 1..
// at their places, on a two-row strip tabs 6 and 12 1050 twips wide (the
// window then sets the rows' tops), and label 0, the back button, at its
// place. A tab count beyond 13 places 13; a place a label cannot take is
// skipped.
void placeTabLabels(forms::ControlArray<forms::Label> &tabs, const TabSetRow &row, int pageLeft,
                    int pageTop, shell::Scale scale);

} // namespace sim
