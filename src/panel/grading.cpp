#include "panel/grading.h"

#include "home/home_files.h"
#include "platform/text.h"

#include <algorithm>

namespace panel {

bool isDone(int status) {
    return status >= startup::StatusDone;
}

QString scoreText(double score) {
    return QString::number(score, 'g', 10);
}

QString paperCodeList(const startup::RunState &s) {
    if (s.PaperMode != startup::RandomPaper)
        return platform::readLineOrLast(home::pathOf(s, home::files::bankIndex()), s.PaperIndex + 3,
                                        platform::readlimit::kBankText)
            .value_or(QString());
    // The candidate's own file, read as the records are: one that cannot
    // be read is told and held back.
    const QStringList lines = RecordFiles(s.UserDataFolder).read(recname::RandomPapers).lines;
    if (lines.isEmpty()) return {};
    return lines.value(std::max(s.PaperSlot - 19, 1) - 1, lines.last());
}

GradeResult gradePaper(startup::RunState &s, const RecordFiles &records, const QString &paperCodes,
                       const QString &now) {
    GradeResult r;
    RecordAction files(records);
    const int count = std::min(s.QuestionCount, startup::kMaxQuestions);

    QStringList marked;
    for (int i = 0; i < count; ++i)
        if (isMarked(s.QuestionStatus[i])) marked << codeText(s.QuestionCodes[i]);
    // A list that cannot be read is held back, and the action leaves it out.
    const CodesWithFlags favourites = files.readList(recname::Favourites, recname::FavouriteFlags);
    files.writeList(recname::Favourites, recname::FavouriteFlags, appendCodes(favourites, marked));

    const CodesWithFlags book = files.readList(recname::WrongQuestions, recname::WrongFlags);
    QString paperWrong;
    QStringList wrongCodes;
    for (int i = 1; i <= kPaperQuestions; ++i) {
        r.right[i - 1] = isDone(s.QuestionStatus[i - 1]);
        if (r.right[i - 1]) {
            r.score += 2.5;
        } else {
            // A paper line shorter than 40 codes has no code for the rest.
            const QString code = codeAt(paperCodes, i);
            if (code.size() < 4) continue;
            paperWrong += code;
            wrongCodes << code;
        }
    }
    // Without the paper's own list (the random papers could not be read)
    // its wrong list would be written empty over the last sitting's.
    if (codeCount(paperCodes) == 0)
        files.leaveOut({paperWrongFileName(s.PaperSlot)});
    else
        files.writeOneLine(paperWrongFileName(s.PaperSlot), paperWrong);
    files.writeList(recname::WrongQuestions, recname::WrongFlags, appendCodes(book, wrongCodes));

    r.scoreText = scoreText(r.score);
    r.scoreLine = s.PaperMode == startup::RandomPaper
                      ? QStringLiteral("随机题得分：") + r.scoreText + QStringLiteral("分")
                      : QStringLiteral("第%1套得分：").arg(s.PaperIndex + 1) + r.scoreText +
                            QStringLiteral("分");

    PaperHistoryTable history = files.readHistory();
    if (s.ExamStartTime == QStringLiteral("-1")) {
        history.setLastExamTime(s.PaperSlot, now);
    } else {
        history.setLastExamTime(s.PaperSlot, s.ExamStartTime);
        if (platform::val(history.bestScore(s.PaperSlot)) < r.score)
            history.setBestScore(s.PaperSlot, r.scoreText);
    }
    files.writeHistory(history);
    files.commit();
    r.unsavedRecords = files.unsaved();
    r.otherRecordsSaved = files.savedAny();
    s.ExamStartTime = QStringLiteral("-1");
    return r;
}

std::array<QString, kPaperQuestions> sheetQuestionTexts(const QStringList &questionLines) {
    std::array<QString, kPaperQuestions> texts;
    for (int i = 0; i < kPaperQuestions && i < questionLines.size(); ++i) {
        const QString &line = questionLines[i];
        texts[i] = platform::mid1(line, 7).startsWith(QStringLiteral("picture"))
                       ? platform::mid1(line, 20)
                       : platform::mid1(line, 7);
    }
    return texts;
}

} // namespace panel
