#include "panel/set_finish.h"

#include "forms/forms.h"
#include "panel/grading.h"

namespace panel {

const QString kRemoveDoneQuestionsPrompt =
    QStringLiteral("本次答对的题目要从“错题复习”中去掉吗？\r\n"
                   "如果你认为掌握的还不太好，建议你点“否”，把它们保留在错题记录中。");

namespace {

using startup::RunState;

int countOf(const RunState &s) {
    return std::clamp(s.QuestionCount, 0, startup::kMaxQuestions);
}

bool done(const RunState &s, int q) {
    return isDone(s.QuestionStatus[q - 1]);
}

// The units' lines written back: those of the bank's units, and every
// further line that was read, so that a bank index that could not be read
// (no units) never wipes the candidate's progress.
int writtenUnits(const RunState &s, const QStringList &lines) {
    return std::max(s.UnitCount, static_cast<int>(lines.size()));
}

void finishWholeUnit(const RunState &s, const RecordFiles &files) {
    bool readable = true;
    QStringList lines = files.readUnitProgress(&readable);
    if (!readable) return files.leaveOut({recname::UnitProgress});
    if (s.PaperIndex < 0 || s.PaperIndex >= kProgressLinesRead) return;
    while (lines.size() <= s.PaperIndex) lines << QString();
    QString line;
    for (int q = 1; q <= countOf(s); ++q) line += done(s, q) ? u'T' : u'F';
    lines[s.PaperIndex] = line;
    files.writeUnitProgress(lines, writtenUnits(s, lines));
}

void finishUnlearned(const RunState &s, const RecordFiles &files) {
    bool readable = true;
    QStringList lines = files.readUnitProgress(&readable);
    if (!readable) return files.leaveOut({recname::UnitProgress});
    if (s.PaperSlot < 0 || s.PaperSlot >= kProgressLinesRead) return;
    while (lines.size() <= s.PaperSlot) lines << QString();
    for (int q = 1; q <= countOf(s); ++q)
        if (done(s, q)) lines[s.PaperSlot] = setFlag(lines[s.PaperSlot], s.QuestionCodes[q - 1] % 100);
    files.writeUnitProgress(lines, writtenUnits(s, lines));
}

// The list and its flags, the flags brought to one per code so that codes
// past a short flag line have their own entry.
bool readFlagsOfList(const RecordFiles &files, const QString &listName, const QString &flagsName,
                     QString &flags) {
    bool readable = true;
    const CodesWithFlags list = files.readList(listName, flagsName, &readable);
    flags = flagsFor(list.flags, codeCount(list.codes));
    return readable;
}

void finishWholeList(const RunState &s, const RecordFiles &files, const QString &listName,
                     const QString &flagsName) {
    QString flags;
    if (!readFlagsOfList(files, listName, flagsName, flags)) return files.leaveOut({flagsName});
    for (int q = 1; q <= countOf(s); ++q)
        if (done(s, q)) flags = setFlag(flags, q);
    files.writeOneLine(flagsName, flags);
}

void finishUnreviewed(const RunState &s, const RecordFiles &files, const QString &listName,
                      const QString &flagsName) {
    QString flags;
    if (!readFlagsOfList(files, listName, flagsName, flags)) return files.leaveOut({flagsName});
    // The set held every entry whose flag is not "T", a stray lower-case
    // "t" included, so those are what question k counts.
    int k = 0;
    for (qsizetype i = 0; i < flags.size(); ++i) {
        if (flags[i] == u'T') continue;
        ++k;
        if (k <= countOf(s) && done(s, k)) flags[i] = u'T';
    }
    files.writeOneLine(flagsName, flags);
}

void favouritesFollowMarks(const RunState &s, const RecordFiles &files) {
    const QStringList both = {recname::Favourites, recname::FavouriteFlags};
    bool readable = true;
    CodesWithFlags list = files.readList(recname::Favourites, recname::FavouriteFlags, &readable);
    if (!readable) return files.leaveOut(both);
    list.flags = flagsFor(list.flags, codeCount(list.codes));
    const bool favouritesSet = s.PaperMode == startup::FavouritesAll ||
                               s.PaperMode == startup::FavouritesUnreviewed ||
                               s.PaperMode == startup::FavouritesReviewed;
    if (!favouritesSet) {
        QStringList marked;
        for (int q = 1; q <= countOf(s); ++q)
            if (isMarked(s.QuestionStatus[q - 1])) marked << codeText(s.QuestionCodes[q - 1]);
        list = appendCodes(list, marked);
        files.writeList(recname::Favourites, recname::FavouriteFlags, list);
        // Read back as written: the action's reads see its own writes.
        list = files.readList(recname::Favourites, recname::FavouriteFlags, &readable);
        if (!readable) return files.leaveOut(both);
        list.flags = flagsFor(list.flags, codeCount(list.codes));
    }
    for (int q = 1; q <= countOf(s); ++q)
        if (!isMarked(s.QuestionStatus[q - 1]))
            list = removeCode(list, codeText(s.QuestionCodes[q - 1]));
    files.writeList(recname::Favourites, recname::FavouriteFlags, list);
}

void shortenPaperWrongList(const RunState &s, const RecordFiles &files) {
    const QString name = paperWrongFileName(s.PaperSlot);
    bool readable = true;
    const QString line = files.readOneLine(name, &readable);
    if (!readable) return files.leaveOut({name});
    // Matched by code rather than position: a code the builder had to leave
    // out of the set was not answered and stays.
    QString kept;
    for (int i = 1; i <= codeCount(line); ++i) {
        const QString code = codeAt(line, i);
        bool answered = false;
        for (int q = 1; q <= countOf(s) && !answered; ++q)
            answered = done(s, q) && codeText(s.QuestionCodes[q - 1]) == code;
        if (!answered) kept += code;
    }
    files.writeOneLine(name, kept);
}

} // namespace

QStringList finishSetRecords(const RunState &s, const RecordFiles &records,
                             const std::function<bool()> &askRemoveDone, bool *othersSaved) {
    RecordAction files(records);
    bool anyDone = false;
    for (int q = 1; q <= countOf(s); ++q) anyDone = anyDone || done(s, q);
    if (anyDone) {
        switch (s.PaperMode) {
        case startup::UnitAll: finishWholeUnit(s, files); break;
        case startup::UnitUnlearned: finishUnlearned(s, files); break;
        case startup::FavouritesAll:
            finishWholeList(s, files, recname::Favourites, recname::FavouriteFlags);
            break;
        case startup::WrongBookAll:
            finishWholeList(s, files, recname::WrongQuestions, recname::WrongFlags);
            break;
        case startup::FavouritesUnreviewed:
            finishUnreviewed(s, files, recname::Favourites, recname::FavouriteFlags);
            break;
        case startup::WrongBookUnreviewed:
            finishUnreviewed(s, files, recname::WrongQuestions, recname::WrongFlags);
            break;
        default: break;
        }
    }
    favouritesFollowMarks(s, files);
    if (anyDone && s.PaperMode == startup::PaperWrongReview && askRemoveDone && askRemoveDone())
        shortenPaperWrongList(s, files);
    files.commit();
    if (othersSaved) *othersSaved = files.savedAny();
    return files.unsaved();
}

bool askRemoveDoneQuestions() {
    return forms::msgBox(kRemoveDoneQuestionsPrompt,
                         forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2,
                         startup::state().ApplicationTitle) == forms::vbYes;
}

int homeReturnButtonFor(int paperMode) {
    switch (paperMode) {
    case startup::UnitLearned:
    case startup::UnitUnlearned:
    case startup::UnitAll: return 16;
    case startup::FavouritesAll:
    case startup::FavouritesUnreviewed:
    case startup::FavouritesReviewed: return 18;
    case startup::WrongBookAll:
    case startup::WrongBookUnreviewed:
    case startup::WrongBookReviewed: return 19;
    default: return 0;
    }
}

} // namespace panel
