#pragma once
// The simulated screen on a program folder with the start-up files, the
// shell pictures, the step engine's questions and tables and the shell
// questions, laid out once per test suite. Every test starts from a fresh
// run state, a manual clock and a faked 1366 x 768 screen, and acts on the
// screen only through the forms layer's mouse and key driver.
#include "forms/testing.h"
#include "program_fixture.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"
#include "step_builder.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

class ShellJudgingFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<testsupport::ProgramFolder>(std::vector<testsupport::AddFiles>{
            sample::addStartupFiles, sample::addShellPictures, sample::addStepEngineFiles,
            sample::addShellJudgingFiles});
        ASSERT_TRUE(folder_->laidOut());
    }
    static void TearDownTestSuite() { folder_.reset(); }

    void SetUp() override {
        startup::resetState();
        platform::setProgramFolder(dir().root);
        forms::Screen::setFake(1366, 768);
        auto &s = S();
        s.DataPath = dir().bank();
        s.ScaleX = s.ScaleY = 1;
        s.StudyMode = startup::Practice;
        s.TextFilePath = dir().bankFile(QStringLiteral("288890"));
        useUnit(sample::kShellJudgingUnit);
    }

    static const sample::SampleDir &dir() { return folder_->dir(); }
    FrmMain *frm() { return forms::form<FrmMain>(); }
    static startup::RunState &S() { return startup::state(); }

    // The questions of a sample unit, as the home page sets them up.
    void useUnit(int unit) {
        auto &s = S();
        auto bankName = [&](int n) {
            return dir().bankFile(QStringLiteral("2888%1").arg(n, 2, 10, QLatin1Char('0')));
        };
        s.StepFilePath = bankName(20 + unit);
        questions_ = platform::readLines(bankName(70 + unit)).value_or(QStringList());
        s.QuestionCount = static_cast<int>(questions_.size());
        s.QuestionFirstLine[0] = 1;
        for (int i = 1; i < questions_.size(); ++i)
            s.QuestionFirstLine[i] = s.QuestionFirstLine[i - 1] +
                                     static_cast<int>(platform::val(questions_[i - 1].mid(4, 2)));
        s.CurQuestion = 1;
        s.CurStep = 1;
    }
    // The number of the unit's question with this text (0: none).
    int questionNumber(const QString &text) const {
        for (int i = 0; i < questions_.size(); ++i)
            if (questions_[i].mid(6) == text) return i + 1;
        return 0;
    }

    // A step file of one question for the test alone.
    void useSteps(const QStringList &records) {
        const QString path = dir().bankFile(QStringLiteral("k88819"));
        ASSERT_TRUE(platform::writeLinesAtomic(path, records));
        auto &s = S();
        s.StepFilePath = path;
        s.QuestionCount = 1;
        s.QuestionFirstLine[0] = 1;
        s.CurQuestion = 1;
        s.CurStep = 1;
    }

    // Shows the screen and lets the start timer build the current step, as
    // the question panel does.
    void start() {
        frm()->show();
        forms::testing::setActiveForm(frm());
        frm()->Timer2->setEnabled(true);
        forms::testing::advance(100);
    }
    int step() const { return S().CurStep; }
    // A step that only marks where a test has arrived.
    static QString marker() { return sample::StepBuilder().action("0000"); }
    // A question whose first step is `first`, followed by markers: a branch
    // to step n shows in step().
    void useFirstStep(const QString &first, int markers = 4) {
        QStringList steps{first};
        for (int i = 0; i < markers; ++i) steps << marker();
        useSteps(steps);
    }

    // An answer entry of kind "H".
    static QString hit(const char *code, int item1 = 0, int item2 = 0, int item3 = 0,
                       QChar branch = u'0') {
        return sample::StepBuilder::entry(u'H', QString::fromLatin1(code), item1, item2, item3,
                                          branch);
    }

    // A shell picture as the forms layer loads it from the shell folder.
    static forms::Picture shellFile(const QString &name) {
        return forms::loadPicture(dir().examFile(name));
    }

    // Takes a shell picture out of the folder until the end of the test.
    class Removed {
    public:
        explicit Removed(const QString &name) : path_(dir().examFile(name)) {
            QFile f(path_);
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            bytes_ = f.readAll();
            f.close();
            EXPECT_TRUE(QFile::remove(path_)) << name.toStdString();
        }
        ~Removed() {
            QFile f(path_);
            if (f.open(QIODevice::WriteOnly)) f.write(bytes_);
        }
        Removed(const Removed &) = delete;
        Removed &operator=(const Removed &) = delete;

    private:
        QString path_;
        QByteArray bytes_;
    };

    forms::testing::Session session_;

private:
    static inline std::unique_ptr<testsupport::ProgramFolder> folder_;
    QStringList questions_;
};

// Gestures at the centre of a control.
inline void clickAt(forms::Control *c, int button = forms::vbLeftButton) {
    forms::testing::click(c, c->width() / 2, c->height() / 2, button);
}
inline void dblClickAt(forms::Control *c) {
    forms::testing::dblClick(c, c->width() / 2, c->height() / 2);
}
inline void moveTo(forms::Control *c) {
    forms::testing::move(c, c->width() / 2, c->height() / 2);
}
// The tool strip lies partly beneath a window's bar: its buttons are
// reached near their top edge.
inline void clickNearTop(forms::Control *c, int button = forms::vbLeftButton) {
    forms::testing::click(c, c->width() / 2, 30, button);
}
inline void moveNearTop(forms::Control *c) {
    forms::testing::move(c, c->width() / 2, 30);
}
