#pragma once
// Building an exercise from a list of question codes: each code's question
// line and its block of step records are copied out of its unit's own files
// into the exercise pair, in list order. The score sheet's review of the
// wrong answers and the home page's starts share this one builder.
//
// Unit files: a question number past the end of the unit's question list
// takes the unit's last question, number 00 takes question 1, and a step
// file shorter than the block gives what it has. A code whose unit has no
// readable question list or step file is left out of the set (reported by
// the caller), so that every question line that is written has its block.
#include "startup/run_state.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace panel {

struct ExerciseBuild {
    QStringList questionLines;
    QStringList stepLines;
    std::vector<int> codes;   // the codes of the set, in order
    std::vector<int> skipped; // codes left out: their unit files are missing
};

// Number of codes of a list as the builder counts them: length / 4 rounded
// to the nearest whole number, halves to even (6 characters give 2).
int builderCodeCount(const QString &codeList);
// Builds the set from the bank folder's unit files.
ExerciseBuild buildExercise(const QString &codeList, const QString &dataPath);
// Writes the pair (step file, question file); false when either failed.
bool writeExercise(const ExerciseBuild &build, const QString &stepPath,
                   const QString &questionPath);

// QuestionFirstLine from an exercise question list: entry 0 is 1, entry i
// the previous one plus the step count of line i; stops at the end or at
// the first blank line. At most 500 entries.
std::vector<int> firstLinesOf(const QStringList &questionLines);

// The favourite marks a set starts with: StatusMarked added to every
// question of the set whose code is an entry of the favourites line.
void applyFavouriteMarks(startup::RunState &s, const QString &favouritesLine);

// The score sheet's review of a paper's wrong answers, without the window:
// writes the pair of slot 19 from the build of the paper's wrong list and
// sets the exercise in the shared state, favourites marked.
void startWrongAnswerReview(startup::RunState &s, const ExerciseBuild &b);

} // namespace panel
