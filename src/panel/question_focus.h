#pragma once
// While a question is on, the keys belong to the simulated screen: its key
// steps (Alt+F4, Enter, a typed answer) are judged only there. The question
// panel, the boxes it opens and the illustration are only visited: once the
// candidate has clicked, typed in or dragged one of them, or one of them has
// closed, the screen takes the keys back. This is the one place of that
// rule; the windows only say when the candidate is done with them.
namespace forms {
class Form;
}

namespace panel {

// Gives the keys to the simulated screen (brought back when minimised, left
// maximised on a small desktop) when a question is on: the screen and the
// panel loaded, no demonstration on its way or playing, and no box open that
// must be answered first (its close comes back here).
void keysToScreen();

// The form hands the keys back whenever the candidate is done with it, also
// when a box opened from it has closed.
void handKeysBackAfterInput(forms::Form &f);

} // namespace panel
