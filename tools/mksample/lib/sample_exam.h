#pragma once
#include "sample_dir.h"

namespace sample {

// What a timed paper shows: the two screens of the candidate login, the
// hand-in dialogs' buttons, the score sheet's background and buttons, the
// answer warning's buttons and the input-method notice's background; and
// the bank index rewritten with the
// question count of every sample unit and two fixed papers of 40
// questions drawn from them. Call after the units' question lists exist.
bool addExamFiles(const SampleDir &dir);

} // namespace sample
