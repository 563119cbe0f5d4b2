#pragma once
// Grading of a handed-in paper, apart from the score sheet: which of the
// 40 questions are right, the score and its line, and what the result
// writes into the record files (favourites, the wrong-question book, the
// paper's wrong list, the history), as one action: all of them or none.
// The score sheet calls gradePaper once while it loads and only shows what
// comes back.
#include "panel/panel_rules.h"
#include "panel/record_files.h"
#include "startup/run_state.h"

#include <QString>
#include <QStringList>
#include <array>

namespace panel {

constexpr int kPaperQuestions = 40;

struct GradeResult {
    std::array<bool, kPaperQuestions> right{};
    double score = 0;
    QString scoreText; // shortest decimal form: "0", "2.5", "97.5", "100"
    QString scoreLine; // "第3套得分：85分" or "随机题得分：85分"
    // The records that could not be saved (names as in recname); empty
    // when every one was; and whether some other record was saved.
    QStringList unsavedRecords;
    bool otherRecordsSaved = false;
};

// Right: StatusDone set (4 or more); marked is the panel's isMarked.
bool isDone(int status);
QString scoreText(double score);

// The paper's code list: line PaperIndex + 3 of the bank index for a fixed
// paper, line PaperSlot - 19 of the random papers for a random one (the
// last line read when the file is shorter, empty when it cannot be read).
QString paperCodeList(const startup::RunState &s);

// Grades the paper in the shared state against its code list and writes
// the records; now is the grading time "yyyy-mm-dd hh:mm:ss", used when the
// candidate saw an answer (ExamStartTime "-1"). Sets ExamStartTime to "-1".
GradeResult gradePaper(startup::RunState &s, const RecordFiles &files, const QString &paperCodes,
                       const QString &now);

// The 40 question texts of the score sheet from the exercise's question
// lines: the line from character 7, or from character 20 when the text
// starts with "picture" (its picture name skipped).
std::array<QString, kPaperQuestions> sheetQuestionTexts(const QStringList &questionLines);

} // namespace panel
