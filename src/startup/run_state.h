#pragma once
// The run state every window shares: configuration read at start-up, the
// scale factors, the last reported error, the exercise being worked and the
// flags through which windows tell each other what to do.
//
// There is one instance for the whole run, reached through startup::state().
// Everything runs on the user-interface thread, so nothing is guarded.
#include <QString>
#include <array>
#include <cstdint>

namespace startup {

// Kinds of question set (values of PaperMode).
enum PaperKind : int {
    MockPaper = 0,
    PaperWrongReview = 2,
    UnitLearned = 5,
    UnitUnlearned = 6,
    RandomPaper = 8,
    FavouritesAll = 9,
    FavouritesUnreviewed = 10,
    FavouritesReviewed = 11,
    WrongBookAll = 12,
    WrongBookUnreviewed = 13,
    WrongBookReviewed = 14,
    UnitAll = 20,
};

// How a set is worked (values of StudyMode).
enum StudyKind : int {
    Guided = 1,
    Practice = 2,
    Exam = 3,
};

// Bits of QuestionStatus; a value above 3 counts as done.
enum QuestionStatusBit : int {
    StatusShown = 1,
    StatusMarked = 2,
    StatusDone = 4,
};

constexpr int kInfoEntries = 41;   // InfoTable(0..40)
constexpr int kUnitRows = 41;      // UnitTable(0..40, 1..4)
constexpr int kMaxQuestions = 500; // per-question arrays, index q - 1
constexpr int kQuestionPictures = 7;

struct RunState {
    // Design twips are multiplied by these when applied: Left and Width by
    // ScaleX, Top and Height by ScaleY, font sizes set by code by ScaleX.
    double ScaleX = 1.0;
    double ScaleY = 1.0;

    // Configuration, written at start-up and read-only afterwards.
    std::array<QString, kInfoEntries> InfoTable;
    QString SubjectName;
    QString ModuleName;
    // The question-bank folder, ending in a separator; callers append a
    // bank name with or without a leading backslash and ".mxy".
    QString DataPath;
    // The program folder's "ksdata" folder, ending in a separator.
    QString UserDataFolder;
    int ModuleNumber = 0;
    // UnitTable[u][c]: unit u (0-based), column c 1..4 (title, question
    // count, count not yet learned, progress string); column 0 is unused.
    std::array<std::array<QString, 5>, kUnitRows> UnitTable;
    QString CandidateName;
    QString OsVersion;
    QString BankVersion;
    QString RunLogPath;
    QString ApplicationTitle;
    int PaperCount = 0;
    int UnitCount = 0;

    // The error being reported (filled by the error trap).
    QString LastErrorProc;
    int32_t LastErrorNumber = 0;
    QString LastErrorText;

    // The current exercise.
    int PaperMode = 0;
    int PaperIndex = 0;
    int PaperSlot = 0;
    int StudyMode = 0;
    int QuestionCount = 0;
    int CurQuestion = 0;
    int CurStep = 0;
    int MinutesLeft = 0;
    QString StepFilePath;
    QString QuestionFilePath;
    QString TextFilePath;
    QString CurRecord;
    QString LineBuffer;
    // The login time of the paper being sat ("yyyy-mm-dd hh:mm:ss"), or "-1"
    // when its score is not to be recorded.
    QString ExamStartTime;

    // What the candidate entered at the login of a paper (empty until then).
    QString SeatNumber;
    QString BatchNumber;
    QString AnswerSheetNumber;
    QString IdNumber;

    // Per question q at index q - 1.
    std::array<int, kMaxQuestions> QuestionStatus{};
    std::array<int, kMaxQuestions> QuestionFirstLine{};
    std::array<int, kMaxQuestions> StepMemo{};
    std::array<std::array<QString, kQuestionPictures>, kMaxQuestions> QuestionPictures;
    std::array<int, kMaxQuestions> QuestionCodes{};
    std::array<QString, kMaxQuestions> QuestionDone;

    // Flags between windows.
    bool DemoPlaying = false;
    bool PanelMayClose = false;
    int HomeReturnButton = 0;
    uintptr_t InputLayout = 0;
    bool UseInputMethod = false;
    int MsgBoxResult = 0;
    int ShowUpdateWindow = 0;
};

// The one run state of the program.
RunState &state();
// Puts every value back to its start-of-run value (tests, between cases).
void resetState();

// The two-digit number NN that names the exercise files of a set:
// PaperMode + PaperIndex, as the last two characters of "00" & the number.
int practiceSlot(const RunState &s);
QString twoDigits(int n);
// DataPath & "2888" & NN & ".mxy" and the same with NN + 50.
QString stepFileFor(const RunState &s, int slot);
QString questionFileFor(const RunState &s, int slot);
// Sets StepFilePath and QuestionFilePath from PaperMode + PaperIndex.
void setExerciseFilePaths(RunState &s);

} // namespace startup
