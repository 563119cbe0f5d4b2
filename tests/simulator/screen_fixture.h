#pragma once
// The simulated screen on a program folder that holds the sample's start-up
// files, shell pictures and step engine questions, plus the questions of
// the part under test, laid out once per test program and copied for each
// suite. Every test starts from a fresh run state, a manual clock and a
// faked 1366 x 768 screen, and acts on the screen only through the forms
// layer's mouse and key driver.
//
//   EngineFixture        the step engine's questions (unit 0)
//   JudgingFixture       the answer-judging questions
//   ShellJudgingFixture  the questions answered on the shell's hot spots
#include "forms/testing.h"
#include "program_fixture.h"
#include "sample_home.h"
#include "sample_judging.h"
#include "sample_panel.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "screen_state.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"
#include "step_builder.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>

// The driver's gestures, by the short names every screen test uses.
using forms::testing::click;
using forms::testing::dblClick;
using forms::testing::keyDown;
using forms::testing::keyUp;
using forms::testing::move;
using forms::testing::press;
using forms::testing::pressKey;
using forms::testing::release;
using forms::testing::typeText;
using sample::StepBuilder;

class ScreenFixture : public ::testing::Test {
protected:
    // The suite's folder: the screen's own files and the given part's.
    static void layOut(testsupport::AddFiles part, const QString &cacheKey) {
        std::vector<testsupport::AddFiles> parts{sample::addStartupFiles, sample::addShellPictures,
                                                 sample::addStepEngineFiles};
        if (part) parts.push_back(std::move(part));
        folder_ = std::make_unique<testsupport::ProgramFolder>(parts, cacheKey);
        ASSERT_TRUE(folder_->laidOut());
    }
    static void TearDownTestSuite() { folder_.reset(); }

    // A fresh run state on the unit's questions.
    void startOn(int unit) {
        startup::resetState();
        platform::setProgramFolder(dir().root);
        forms::Screen::setFake(1366, 768);
        screenstate::practiseOn(dir());
        useUnit(unit);
    }

    static const sample::SampleDir &dir() { return folder_->dir(); }
    static testsupport::ProgramFolder &folder() { return *folder_; }
    // The screen. Creating it creates the question panel, whose loading
    // starts the set's first question: it sets the study mode, the step and
    // the shown bit and arms the screen's start timer. The tests prepare
    // the state of the step under test themselves, so that state is put
    // back and the start timer is left to them.
    FrmMain *frm() {
        if (FrmMain *f = forms::loadedForm<FrmMain>()) return f;
        auto &s = S();
        const int studyMode = s.StudyMode, curStep = s.CurStep;
        const auto status = s.QuestionStatus;
        FrmMain *f = forms::form<FrmMain>();
        s.StudyMode = studyMode;
        s.CurStep = curStep;
        s.QuestionStatus = status;
        f->Timer2->setEnabled(false);
        return f;
    }
    static startup::RunState &S() { return startup::state(); }

    // The questions of a sample unit, as the home page sets them up.
    void useUnit(int unit) { questions_ = screenstate::useUnit(dir(), unit); }
    // The texts of the unit's questions, in order.
    QStringList questionTexts() const {
        QStringList t;
        for (const QString &l : questions_) t << l.mid(6);
        return t;
    }
    // The number of the unit's question with this text (0: none).
    int questionNumber(const QString &text) const {
        for (int i = 0; i < questions_.size(); ++i)
            if (questions_[i].mid(6) == text) return i + 1;
        return 0;
    }

    // A step file of one question (or of several, with their step counts)
    // for the test alone.
    void useSteps(const QStringList &records, const QList<int> &counts = {}) {
        ASSERT_TRUE(
            screenstate::useSteps(dir().bankFile(QStringLiteral("288819")), records, counts));
    }
    // An answer-text file for the test alone, its lines written as given
    // (their first three characters are the line's number).
    void useAnswerLines(const QStringList &lines) {
        const QString path = dir().bankFile(QStringLiteral("t88890"));
        ASSERT_TRUE(platform::writeLinesAtomic(path, lines));
        S().TextFilePath = path;
    }
    // The same with texts 1, 2, ... as given.
    void useAnswers(const QStringList &texts) {
        QStringList lines;
        for (int i = 0; i < texts.size(); ++i)
            lines << QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')) + texts[i];
        useAnswerLines(lines);
    }

    // A step of the sample met on a walk: its unit in the bank, its
    // question and step, and the question's text.
    struct SampleStep {
        int unit = 0, question = 0, step = 0;
        QString text;
        // As the question panel numbers it ("0415": unit 4 question 15),
        // then as the bank does.
        std::string where() const {
            return QStringLiteral("%1%2 step %3 (unit %4 question %5: %6)")
                .arg(unit + 1, 2, 10, QLatin1Char('0'))
                .arg(question, 2, 10, QLatin1Char('0'))
                .arg(step)
                .arg(unit)
                .arg(question)
                .arg(text)
                .toStdString();
        }
    };
    // Builds every step of every unit of the sample in guided mode, one
    // after the other as a candidate meets them (a hint without a place of
    // its own stays where the last one was), and hands each to `look`.
    // Returns the number of units with questions.
    int walkSample(const std::function<void(FrmMain *, const SampleStep &)> &look) {
        int units = 0;
        for (int unit = 0; unit < sample::kHomeUnits; ++unit) {
            startOn(unit);
            if (questions_.isEmpty()) continue;
            ++units;
            for (int q = 1; q <= questions_.size(); ++q) {
                S().CurQuestion = q;
                const int count = questions_[q - 1].mid(4, 2).toInt();
                for (int k = 1; k <= count; ++k) {
                    S().StudyMode = startup::Guided;
                    S().CurStep = k;
                    frm()->setData();
                    look(frm(), SampleStep{unit, q, k, questions_[q - 1].mid(6)});
                }
            }
            forms::testing::unloadAll();
        }
        return units;
    }

    // Builds step n of the current question directly.
    void build(int step) {
        S().CurStep = step;
        frm()->setData();
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
    // A step record that only marks where a test has arrived.
    static QString marker() { return StepBuilder().action("0000"); }
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
        return StepBuilder::entry(u'H', QString::fromLatin1(code), item1, item2, item3, branch);
    }

    // A shell picture as the forms layer loads it from the shell folder.
    static forms::Picture shellFile(const QString &name) {
        return forms::loadPicture(dir().examFile(name));
    }

    // Takes a shell picture (or any file of the folder, by its path) out of
    // the folder until the end of the test.
    class Removed {
    public:
        struct Path {};
        explicit Removed(const QString &name) : Removed(dir().examFile(name), Path{}) {}
        Removed(const QString &path, Path) : path_(path) {
            QFile f(path_);
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path_.toStdString();
            bytes_ = f.readAll();
            f.close();
            EXPECT_TRUE(QFile::remove(path_)) << path_.toStdString();
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

// The whole sample's questions, as the program folder has them.
class WholeSampleFixture : public ScreenFixture {
protected:
    static void SetUpTestSuite() {
        layOut(
            [](const sample::SampleDir &d) {
                return sample::addJudgingFiles(d) && sample::addShellQuestions(d) &&
                       sample::addShellJudgingFiles(d) && sample::addPanelFiles(d);
            },
            QStringLiteral("screen-all-questions"));
    }
};

class EngineFixture : public ScreenFixture {
protected:
    static void SetUpTestSuite() { layOut({}, QStringLiteral("screen")); }
    void SetUp() override {
        startOn(0);
        S().UserDataFolder = dir().ksdata();
    }
};

class JudgingFixture : public ScreenFixture {
protected:
    static void SetUpTestSuite() {
        layOut(sample::addJudgingFiles, QStringLiteral("screen-judging"));
    }
    void SetUp() override { startOn(sample::kJudgingUnit); }
};

class ShellJudgingFixture : public ScreenFixture {
protected:
    static void SetUpTestSuite() {
        layOut(sample::addShellJudgingFiles, QStringLiteral("screen-shell-judging"));
    }
    void SetUp() override { startOn(sample::kShellJudgingUnit); }
};

// Centre of a control, in its own twips.
inline double midX(const forms::Control *c) {
    return c->width() / 2;
}
inline double midY(const forms::Control *c) {
    return c->height() / 2;
}

// Gestures at the centre of a control.
inline void clickAt(forms::Control *c, int button = forms::vbLeftButton) {
    forms::testing::click(c, c->width() / 2, c->height() / 2, button);
}
// Clicks each control in turn, as a path through the menus.
inline void clickInTurn(std::initializer_list<forms::Control *> path) {
    for (forms::Control *c : path) clickAt(c);
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
