// The sample installation as a new user meets it, read from the files the
// generator lays out: the subject that leads every title, drag steps that
// a bare press does not answer, and questions whose typing steps follow
// one another without asking for the same text twice.
#include "panel/panel_rules.h"
#include "platform/text.h"
#include "program_fixture.h"
#include "sample_home.h"
#include "sample_judging.h"
#include "sample_panel.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "simulator/shell_tables.h"
#include "simulator/step_record.h"
#include "startup/program_info.h"
#include "startup/run_state.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

class SampleRecords : public testsupport::ProgramFixture {
protected:
    SampleRecords()
        : ProgramFixture({sample::addStartupFiles, sample::addShellPictures,
                          sample::addStepEngineFiles, sample::addJudgingFiles,
                          sample::addShellQuestions, sample::addShellJudgingFiles,
                          sample::addPanelFiles, sample::addHomeBankIndex},
                         QStringLiteral("sample-records")) {}

    struct Question {
        int unit = 0, number = 0;
        QString text;
        QList<sim::StepRecord> steps;
    };
    // Every question of every unit of the bank, its steps in order.
    QList<Question> questions() const {
        QList<Question> all;
        for (int unit = 0; unit < sample::kHomeUnits; ++unit) {
            const auto list =
                platform::readLines(dir().bankFile(QStringLiteral("2888%1").arg(70 + unit)));
            const auto steps =
                platform::readLines(dir().bankFile(QStringLiteral("2888%1").arg(20 + unit)));
            EXPECT_TRUE(list && steps) << "unit " << unit;
            if (!list || !steps) continue;
            int line = 0;
            for (int i = 0; i < list->size(); ++i) {
                Question q{unit, i + 1, (*list)[i].mid(6), {}};
                const int count = int(platform::val((*list)[i].mid(4, 2)));
                for (int k = 0; k < count && line < steps->size(); ++k)
                    q.steps << sim::StepRecord((*steps)[line++]);
                all << q;
            }
        }
        return all;
    }
    // Line n of the answer-text file from its fourth character.
    QString answerText(const QString &field) const {
        const int n = field.toInt();
        if (n == 0) return {};
        const QStringList lines =
            platform::readLines(dir().bankFile(QStringLiteral("288890"))).value_or(QStringList());
        return n <= lines.size() ? lines[n - 1].mid(3) : QString();
    }
    static std::string where(const Question &q, int step) {
        return QStringLiteral("unit %1 question %2 step %3: %4")
            .arg(q.unit)
            .arg(q.number)
            .arg(step)
            .arg(q.text)
            .toStdString();
    }
};

// The subject as the home page and the about box name it, and so in the
// panel's titles and the program's title.
TEST_F(SampleRecords, TheSubjectLeadsEveryTitle) {
    auto &s = startup::state();
    startup::readInfo(s);
    EXPECT_EQ(s.SubjectName.toStdString(), "中文Windows 7");
    EXPECT_TRUE(s.ApplicationTitle.endsWith(QStringLiteral("——中文Windows 7模块")))
        << s.ApplicationTitle.toStdString();
    const struct {
        panel::TitleInput in;
        const char *title;
    } cases[] = {
        {{s.SubjectName, startup::UnitAll, 0, 0, 1, 6, 1, "F"}, "中文 1单元1/6题(未完成)"},
        {{s.SubjectName, startup::MockPaper, 0, 0, 1, 40, 1, "F"}, "中文 1套第1题(0101)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(panel::titleLine(c.in).value_or(QString()).toStdString(), c.title);
}

// The demonstration draws no Computer window picture: a step that shows the
// window must have its drive list in its background, where the simulated
// screen lays the window's picture, or the demonstration plays on an empty
// window.
TEST_F(SampleRecords, ComputerWindowStepsHaveTheDrivesInTheirBackground) {
    const QImage drives =
        QImage(dir().bankFile(QStringLiteral("9lX002"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(drives.isNull());
    const QPoint at(shell::ComputerPlace.left / 15, shell::ComputerPlace.top / 15);
    int checked = 0;
    for (const Question &q : questions()) {
        QString background;
        for (int n = 1; n <= q.steps.size(); ++n) {
            const sim::StepRecord &r = q.steps[n - 1];
            if (r.backPicture() != QLatin1String("888888")) background = r.backPicture();
            if (r.windowKind() != QLatin1String("P") || r.actionCode() == QLatin1String("9999"))
                continue;
            SCOPED_TRACE(where(q, n));
            const QImage screen =
                QImage(dir().bankFile(background)).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(screen.isNull()) << background.toStdString();
            EXPECT_TRUE(screen.copy(QRect(at, drives.size())) == drives)
                << "background " << background.toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 4);
}

// A band or a drag begins with a press on the source: a source branch of
// "0" would answer that press before anything is dragged. Each names its
// own step, so that a band or a drag released off the target shows the
// step again; the drop on the target is judged by its own branch.
TEST_F(SampleRecords, NoDragStepIsAnsweredByAPress) {
    int drags = 0;
    for (const Question &q : questions()) {
        for (int n = 1; n <= q.steps.size(); ++n) {
            const sim::StepRecord &r = q.steps[n - 1];
            const QString code = r.actionCode();
            if (!code.startsWith(QLatin1String("004")) && !code.startsWith(QLatin1String("005")))
                continue;
            ++drags;
            SCOPED_TRACE(where(q, n));
            ASSERT_TRUE(r.hasSource());
            EXPECT_EQ(sim::branchStep(r.sourceRect().branch), n)
                << "source branch \"" << r.sourceRect().branch.toStdString() << "\"";
            EXPECT_NE(sim::branchStep(r.dropBranch()), n) << "a drop would show the step again";
            EXPECT_TRUE(r.hasTarget());
        }
    }
    EXPECT_GT(drags, 4);
}

// A candidate can only choose the menu item a step wants when the question
// or the step's hint names it: the caption of the deepest item an entry asks
// for (without its access key and dots) must stand in one of them. Items of
// the Control Panel's pages, whose captions the overlay pictures draw, and
// the lists of "所有程序" are named by their own questions' texts and are
// not looked up here.
TEST_F(SampleRecords, EveryMenuItemAStepAsksForIsNamedByItsQuestionOrHint) {
    const QRegularExpression decoration(QStringLiteral("\\([A-Z]\\)|\\.\\.\\.$"));
    int items = 0;
    for (const Question &q : questions()) {
        for (int n = 1; n <= q.steps.size(); ++n) {
            const sim::StepRecord &r = q.steps[n - 1];
            for (int k = 1; k <= 4; ++k) {
                const sim::ExpectedHit e = r.expectedHit(k);
                const int item1 = e.level1().toInt(), item2 = e.level2().toInt();
                if (e.kind() != QLatin1String("H") || item1 == 0 || e.level3().toInt() != 0)
                    continue;
                const QString panel = item2 ? shell::subMenuId(e.hitCode(), item1) : e.hitCode();
                const QString caption =
                    sample::menuCaptions(panel).value(item2 ? item2 : item1).remove(decoration);
                if (caption.isEmpty()) continue;
                ++items;
                SCOPED_TRACE(where(q, n));
                const QString hint = answerText(r.hintLineField());
                EXPECT_TRUE(q.text.contains(caption) || hint.contains(caption))
                    << "names neither in the text nor in the hint \"" << hint.toStdString()
                    << "\": " << panel.toStdString() << " item " << (item2 ? item2 : item1)
                    << ", \"" << caption.toStdString() << "\"";
            }
        }
    }
    EXPECT_GT(items, 10);
}

// Outside the Control Panel pointing at an entry opens nothing; the
// candidate has to click it. A hint may say "指向" only on a step that
// judges the pointing itself, or on a Control Panel spot, whose panel of
// links opens under the pointer.
TEST_F(SampleRecords, AHintSaysPointOnlyWherePointingOpensOrAnswers) {
    const QString point = QStringLiteral("指向");
    int hints = 0;
    for (const Question &q : questions()) {
        for (int n = 1; n <= q.steps.size(); ++n) {
            const sim::StepRecord &r = q.steps[n - 1];
            const QString hint = answerText(r.hintLineField());
            if (!hint.contains(point)) continue;
            ++hints;
            SCOPED_TRACE(where(q, n));
            bool ctrlPanelSpot = false;
            for (int k = 1; k <= 4; ++k) {
                const QString code = r.expectedHit(k).hitCode();
                ctrlPanelSpot |= r.windowKind() == QLatin1String("N") &&
                                 code >= QLatin1String("41") && code <= QLatin1String("60");
            }
            EXPECT_TRUE(r.actionCode() == QLatin1String("0030") || ctrlPanelSpot)
                << "the hint \"" << hint.toStdString()
                << "\" asks to point where a click is needed";
        }
    }
    EXPECT_GE(hints, 3);
}

// Two typing steps in a row that want the same text, the second setting
// the box back to a text of its own, ask the candidate to type what was
// just accepted, as if it had been refused.
TEST_F(SampleRecords, NoQuestionAsksForTheSameTextTwiceInARow) {
    auto typing = [](const sim::StepRecord &r) {
        return r.actionCode().startsWith(QLatin1String("002")) && r.hasTextBox();
    };
    int pairs = 0;
    for (const Question &q : questions()) {
        for (int n = 2; n <= q.steps.size(); ++n) {
            const sim::StepRecord &before = q.steps[n - 2], &r = q.steps[n - 1];
            if (!typing(before) || !typing(r)) continue;
            ++pairs;
            SCOPED_TRACE(where(q, n));
            const QString typed = answerText(before.answerLineField()).section(u'|', 0, 0);
            const QString wanted = answerText(r.answerLineField()).section(u'|', 0, 0);
            const QString box = answerText(r.initialTextLineField()).section(u'|', 0, 0);
            EXPECT_FALSE(wanted == typed && box != typed)
                << "asks again for \"" << wanted.toStdString() << "\" in a box reset to \""
                << box.toStdString() << "\"";
        }
    }
    EXPECT_GT(pairs, 0);
}

} // namespace
