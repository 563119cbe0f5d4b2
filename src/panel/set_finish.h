#pragma once
// What the end of a practice set writes into the record files, by the
// set's kind, apart from the panel: the unit progress, the review flags,
// the favourites following the marks, and the paper's wrong list after a
// review of it. The panel's finish calls finishSetRecords and then closes
// the windows and returns to the home tab of homeReturnButtonFor.
//
// Question q of a set maps to its record entry as the set was built: the
// q-th question of the unit, the q-th code of a list, or for the
// unreviewed part of a list the q-th entry whose flag is not "T".
#include "panel/record_files.h"
#include "startup/run_state.h"

#include <QString>

#include <functional>

namespace panel {

// The question of a paper wrong-answer review: may the questions answered
// right leave the paper's wrong list? (Yes/No, No the default.)
extern const QString kRemoveDoneQuestionsPrompt;

// Asks kRemoveDoneQuestionsPrompt with Yes and No, the question icon and No
// as the default, titled with the application title; true for Yes.
bool askRemoveDoneQuestions();

// Writes the records of the set in the shared state, as one action: all of
// them or none. askRemoveDone is asked only for a paper wrong-answer review
// in which a question was done. Returns the records that could not be
// saved (names as in recname); empty when every one was. othersSaved (when
// given) tells whether some other record of the set was saved.
QStringList finishSetRecords(const startup::RunState &s, const RecordFiles &files,
                             const std::function<bool()> &askRemoveDone,
                             bool *othersSaved = nullptr);

// The home button whose tab the set returns to: 16 units, 18 favourites,
// 19 wrong questions, 0 none.
int homeReturnButtonFor(int paperMode);

} // namespace panel
