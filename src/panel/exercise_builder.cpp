#include "panel/exercise_builder.h"

#include "home/home_files.h"
#include "panel/record_files.h"
#include "platform/text.h"

#include <algorithm>
#include <map>
#include <optional>

namespace panel {

namespace {

int stepCountOf(const QString &questionLine) {
    return static_cast<int>(platform::val(platform::mid1(questionLine, 5, 2)));
}

// A unit's two files, read once per build.
struct UnitFiles {
    std::optional<QStringList> questions;
    std::optional<QStringList> steps;
};

} // namespace

int builderCodeCount(const QString &codeList) {
    return static_cast<int>(platform::roundEven(codeList.size() / 4.0));
}

ExerciseBuild buildExercise(const QString &codeList, const QString &dataPath) {
    ExerciseBuild b;
    std::map<int, UnitFiles> units;
    const int count = builderCodeCount(codeList);
    for (int i = 1; i <= count; ++i) {
        const int code = static_cast<int>(platform::val(platform::mid1(codeList, 4 * i - 3, 4)));
        const int unit = code / 100;
        const int k = code % 100;
        auto found = units.find(unit);
        if (found == units.end()) {
            UnitFiles f;
            if (unit >= 0) {
                f.questions = platform::readLines(dataPath + QStringLiteral("2888") +
                                                  QString::number(70 + unit) + QStringLiteral(".mxy"));
                f.steps = platform::readLines(dataPath + QStringLiteral("2888") +
                                              QString::number(20 + unit) + QStringLiteral(".mxy"));
            }
            found = units.emplace(unit, std::move(f)).first;
        }
        const UnitFiles &f = found->second;
        if (!f.questions || f.questions->isEmpty() || !f.steps) {
            b.skipped.push_back(code);
            continue;
        }
        const QStringList &list = *f.questions;
        const int line = std::clamp(k, 1, static_cast<int>(list.size()));
        int sum = 0;
        for (int n = 0; n < line; ++n) sum += stepCountOf(list[n]);
        const int steps = stepCountOf(list[line - 1]);
        const int first = sum - steps + 1;
        b.questionLines << list[line - 1];
        for (int n = std::max(first, 1); n <= first + steps - 1 && n <= f.steps->size(); ++n)
            b.stepLines << f.steps->at(n - 1);
        b.codes.push_back(code);
    }
    return b;
}

bool writeExercise(const ExerciseBuild &build, const QString &stepPath,
                   const QString &questionPath) {
    const bool steps = platform::writeLinesAtomic(stepPath, build.stepLines);
    const bool questions = platform::writeLinesAtomic(questionPath, build.questionLines);
    return steps && questions;
}

std::vector<int> firstLinesOf(const QStringList &questionLines) {
    std::vector<int> first{1};
    for (const QString &line : questionLines) {
        if (first.size() >= static_cast<size_t>(startup::kMaxQuestions)) break;
        if (platform::trimBlanks(line).isEmpty()) break;
        first.push_back(first.back() + stepCountOf(line));
    }
    return first;
}

void applyFavouriteMarks(startup::RunState &s, const QString &favouritesLine) {
    const QString line = platform::trimBlanks(favouritesLine);
    const int count = std::min(s.QuestionCount, startup::kMaxQuestions);
    for (int q = 0; q < count; ++q)
        if (entryOf(line, codeText(s.QuestionCodes[q])) != 0)
            s.QuestionStatus[q] += startup::StatusMarked;
}

void startWrongAnswerReview(startup::RunState &s, const ExerciseBuild &b) {
    const int slot = 19;
    writeExercise(b, startup::stepFileFor(s, slot), startup::questionFileFor(s, slot));

    s.QuestionCount = std::min(static_cast<int>(b.codes.size()), startup::kMaxQuestions);
    for (int q = 0; q < s.QuestionCount; ++q) s.QuestionCodes[q] = b.codes[q];
    s.StudyMode = startup::Practice;
    s.TextFilePath = home::pathOf(s, home::files::answerTexts());
    s.StepFilePath = startup::stepFileFor(s, slot);
    s.QuestionFilePath = startup::questionFileFor(s, slot);
    s.CurQuestion = 1;
    s.CurStep = 1;
    s.MinutesLeft = 50;
    const std::vector<int> first = firstLinesOf(b.questionLines);
    for (size_t i = 0; i < first.size(); ++i) s.QuestionFirstLine[i] = first[i];
    for (int q = 0; q < s.QuestionCount; ++q) {
        s.QuestionDone[q] = QStringLiteral("F");
        s.QuestionStatus[q] = 0;
    }
    s.PaperMode = startup::PaperWrongReview;
    s.PaperIndex = 17;
    RecordFiles files(s.UserDataFolder);
    applyFavouriteMarks(s, files.readOneLine(recname::Favourites));
}

} // namespace panel
