// Every screen of the sample shows what the step before it did: once the
// candidate opens a dialog, a window, a menu or a folder, the next step
// shows a picture the step before did not, and not the bare desktop; and
// the Computer window shows selected no drive the step does not name.
// Checked over every step of every question, as the simulated screen
// builds them one after the other; a failure lists every step that breaks
// the rule.
#include "sample_shell.h"
#include "screen_fixture.h"
#include "simulator/shell_spots.h"
#include "simulator/shell_tables.h"
#include "simulator/step_record.h"

#include <QRegularExpression>
#include <QSet>

namespace {

// The name of a picture file, without folder and extension.
QString pictureName(const forms::Picture &p) {
    return p.path().section(u'/', -1).section(u'.', 0, 0).toLower();
}

// What a step shows: the background, the overlay pictures and the regions,
// each as "what:picture".
QSet<QString> picturesShown(FrmMain *f) {
    QSet<QString> shown{QStringLiteral("background:") + pictureName(f->picture())};
    for (forms::Image *image : {f->Image1, f->Image2, f->Image3, f->Image4, f->Image5})
        if (image->visible()) shown << image->name() + u':' + pictureName(image->picture());
    for (forms::PictureBox *box : {f->Image6, f->ImgElse, f->PicMenu, f->PicTool, f->PicHui,
                                   f->PicCtrl, f->PicMyPc, f->PicTable}) {
        const QString name = pictureName(box->picture());
        if (box->visible() && !name.isEmpty() && name != u"000000")
            shown << box->name() + u':' + name;
    }
    return shown;
}

// The desktop and nothing over it: no window, dialog or menu.
bool bareDesktop(const QSet<QString> &shown) {
    for (const QString &s : shown) {
        const QString what = s.section(u':', 0, 0), name = s.section(u':', 1);
        if (what == u"background"
                ? name != sample::DesktopScreenPicture && name != sample::DesktopSmallIconsPicture
                : what != u"PicTable")
            return false;
    }
    return true;
}

// The last name a hint puts in quotes ("单击“系统属性”": 系统属性): what a
// step whose target is drawn in its pictures asks the candidate to click.
QString lastQuoted(const QString &hint) {
    const QRegularExpression quoted(QStringLiteral("“([^”]+)”"));
    QString last;
    for (const auto &m : quoted.globalMatch(hint)) last = m.captured(1);
    return last;
}

// An entry or button named as opening something: a dialog ("..."), the
// properties, "打开".
bool nameOpens(QString caption) {
    caption.remove(QRegularExpression(QStringLiteral("\\([A-Z]\\)"))).remove(u'&');
    caption = caption.trimmed();
    return caption.endsWith(QLatin1String("...")) || caption.endsWith(u'…') ||
           caption.contains(QStringLiteral("属性")) || caption.startsWith(QStringLiteral("打开"));
}

// An answer and the step it leads to ("0": the next one).
struct Answer {
    QString what;
    QString branch;
};

// What a hot-spot answer opens: an entry of the start menu (but the
// shut-down button, its arrow's entries and the list of all programs
// alone), a place of the navigation pane, a Control Panel link, a button or
// picture that drops a menu of its own clicked with no entry chosen, or an
// entry named as opening. Empty when it opens nothing of these.
QString spotOpens(const sim::ExpectedHit &e, const QString &hint) {
    const QString code = e.hitCode();
    const int item1 = e.level1().toInt(), item2 = e.level2().toInt();
    bool numeric = false;
    const int spot = code.toInt(&numeric);
    if (numeric && shell::StartMenuSpots.contains(spot) && spot != 81 && spot != 82 &&
        (spot != 84 || item1 != 0))
        return QStringLiteral("the start menu's entry ") + code;
    if (numeric && shell::TaskPaneSpots.contains(spot))
        return QStringLiteral("the navigation pane's entry ") + code;
    if (numeric && shell::CtrlPanelSpots.contains(spot))
        return QStringLiteral("the Control Panel's link ") + code;
    if (item1 == 0) {
        // The menus of the desktop's icons, the drives and the start button
        // open on a right-click; a bar's buttons, the tool strip's and the
        // pictures a step lays drop theirs on a click.
        const bool dropsMenu = !numeric || shell::ToolStripSpots.contains(spot);
        if (dropsMenu && !sample::menuCaptions(code).isEmpty())
            return QStringLiteral("the button ") + code + QStringLiteral(", which has a menu");
        return nameOpens(lastQuoted(hint)) ? u'“' + lastQuoted(hint) + u'”' : QString();
    }
    const QString panel = item2 ? shell::subMenuId(code, item1) : code;
    const QString caption = sample::menuCaptions(panel).value(item2 ? item2 : item1);
    if (caption.isEmpty())
        return nameOpens(lastQuoted(hint)) ? u'“' + lastQuoted(hint) + u'”' : QString();
    return nameOpens(caption) ? u'“' + caption + u'”' : QString();
}

// The answers of a step that open a dialog, a window, a menu or a folder
// by what the candidate clicks.
QList<Answer> openingAnswers(const sim::StepRecord &r, const QString &hint) {
    QList<Answer> found;
    bool spots = false;
    for (int k = 1; k <= 4; ++k) {
        const sim::ExpectedHit e = r.expectedHit(k);
        if (e.kind() != u"H") continue;
        spots = true;
        const QString what = spotOpens(e, hint);
        if (!what.isEmpty()) found << Answer{what, e.branch()};
    }
    // A click on a target drawn in the step's pictures: the hint names it.
    const QString code = r.actionCode();
    const bool click =
        code == u"0001" || code == u"0003" || (code.startsWith(u'9') && code != u"9999");
    if (!spots && click && r.hasTarget() && nameOpens(lastQuoted(hint)))
        found << Answer{u'“' + lastQuoted(hint) + u'”', r.targetRect().branch};
    return found;
}

// A double-click on a file, a folder, a drive or an icon: a double-click
// step, or one whose hint asks for it.
bool doubleClick(const sim::StepRecord &r, const QString &hint) {
    return r.actionCode() == u"0002" || hint.startsWith(QStringLiteral("双击"));
}

class SampleScreens : public WholeSampleFixture {
protected:
    // A step as the walk met it.
    struct Met {
        SampleStep at;
        sim::StepRecord record;
        QString hint; // the text of its own hint line ("" without one)
        QSet<QString> shown;
    };

    // Every step of the sample, question by question.
    QList<QList<Met>> meetEveryStep() {
        QList<QList<Met>> questions;
        const int units = walkSample([&](FrmMain *f, const SampleStep &at) {
            const sim::StepRecord r(S().CurRecord);
            if (at.step == 1) questions.append(QList<Met>());
            questions.back() << Met{at, r, answerText(r.hintLineField()), picturesShown(f)};
        });
        EXPECT_GE(units, 4);
        return questions;
    }

    // Line n of the answer-text file from its fourth character.
    QString answerText(const QString &field) {
        if (answers_.isEmpty())
            answers_ = platform::readLines(S().TextFilePath).value_or(QStringList());
        const int n = field.toInt();
        return n >= 1 && n <= answers_.size() ? answers_[n - 1].mid(3) : QString();
    }

    // Checks the step each answer leads to: it shows a picture the step
    // before did not, and more than the bare desktop. Returns the steps that
    // break it, one line each; counts the answers checked.
    static QStringList whereNothingOpens(const QList<Met> &steps, int n,
                                         const QList<Answer> &answers, int &checked) {
        QStringList faults;
        for (const Answer &a : answers) {
            const int next = a.branch == u"0" ? n + 1 : sim::branchStep(a.branch);
            if (next < 1 || next > steps.size() || next == n) continue;
            ++checked;
            const Met &before = steps[n - 1], &after = steps[next - 1];
            QSet<QString> added = after.shown;
            added.subtract(before.shown);
            const QString where = QString::fromStdString(before.at.where()) + QStringLiteral(": ") +
                                  a.what + QStringLiteral(", then step %1 ").arg(next);
            if (added.isEmpty())
                faults << where + QStringLiteral("shows no picture that this step did not");
            else if (bareDesktop(after.shown))
                faults << where + QStringLiteral("shows the bare desktop");
        }
        return faults;
    }

private:
    QStringList answers_;
};

} // namespace

// A click on an entry or button that opens a dialog ("..."), the properties
// or a window ("打开"), on a button that drops its menu, on a start-menu
// program, a place of the navigation pane or a Control Panel link, is
// followed by a step that shows it.
TEST_F(SampleScreens, WhatAnEntryOpensShowsInTheNextStep) {
    int checked = 0;
    QStringList faults;
    for (const QList<Met> &steps : meetEveryStep())
        for (int n = 1; n <= steps.size(); ++n)
            faults << whereNothingOpens(
                steps, n, openingAnswers(steps[n - 1].record, steps[n - 1].hint), checked);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    EXPECT_GT(checked, 15);
}

// A double-click on a file, a folder, a drive or an icon opens it: the next
// step shows it.
TEST_F(SampleScreens, WhatADoubleClickOpensShowsInTheNextStep) {
    int checked = 0;
    QStringList faults;
    for (const QList<Met> &steps : meetEveryStep()) {
        for (int n = 1; n <= steps.size(); ++n) {
            const Met &m = steps[n - 1];
            if (!doubleClick(m.record, m.hint)) continue;
            QString branch =
                m.record.hasTarget() ? m.record.targetRect().branch : QStringLiteral("0");
            for (int k = 1; k <= 4; ++k)
                if (m.record.expectedHit(k).kind() == u"H")
                    branch = m.record.expectedHit(k).branch();
            faults << whereNothingOpens(
                steps, n, {Answer{QStringLiteral("the double-click"), branch}}, checked);
        }
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    EXPECT_GE(checked, 6);
}

// The Computer window shows the drive of the step's view selected. A drive
// shown selected that the step's hint does not name is a selection the
// candidate never made and is not asked to make.
TEST_F(SampleScreens, TheComputerWindowSelectsOnlyTheDriveItsStepNames) {
    int checked = 0;
    QStringList faults;
    for (const QList<Met> &steps : meetEveryStep()) {
        for (const Met &m : steps) {
            const QString view = m.record.viewVariant();
            if (m.record.windowKind() != u"P" || m.record.actionCode() == u"9999") continue;
            ++checked; // a Computer window met, with a drive selected or none
            if (view.isEmpty() || !QStringLiteral("CDEFA").contains(view.at(0))) continue;
            const QString drive = view.left(1);
            if (!m.hint.contains(QStringLiteral("(%1:)").arg(drive)) &&
                !m.hint.contains(drive + QStringLiteral("盘")))
                faults << QString::fromStdString(m.at.where()) + QStringLiteral(": drive ") +
                              drive + QStringLiteral(": selected, but the hint \"") + m.hint +
                              QStringLiteral("\" does not name it");
        }
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    EXPECT_GE(checked, 3);
}

// The start menu a click on the start button opens stays open while the
// hand goes up from the button and along to the entry a step asks for, in
// small moves as a hand makes them, and the entry's click answers the step.
TEST_F(SampleScreens, TheStartMenuStaysOpenOnTheWayToTheEntryAStepAsksFor) {
    struct Entry {
        SampleStep at;
        int spot;
        bool alone; // no panel entry after it
    };
    QList<Entry> entries;
    walkSample([&](FrmMain *, const SampleStep &at) {
        const sim::StepRecord r(S().CurRecord);
        for (int k = 1; k <= 4; ++k) {
            const sim::ExpectedHit e = r.expectedHit(k);
            bool numeric = false;
            const int spot = e.hitCode().toInt(&numeric);
            if (e.kind() == u"H" && numeric && shell::StartMenuSpots.contains(spot))
                entries << Entry{at, spot, e.level1().toInt() == 0};
        }
    });
    QStringList faults;
    for (const Entry &e : entries) {
        startOn(e.at.unit);
        S().CurQuestion = e.at.question;
        S().CurStep = 1;
        start();
        build(e.at.step);
        FrmMain *f = frm();
        clickAt(f->StartMenu);
        const QPointF from(f->StartMenu->left() + f->StartMenu->width() / 2,
                           f->StartMenu->top() + f->StartMenu->height() / 2);
        const forms::Label *spot = f->LblZHU(e.spot);
        const QPointF to(f->PicStart->left() + spot->left() + spot->width() / 2,
                         f->PicStart->top() + spot->top() + spot->height() / 2);
        // Up from the button into the menu, then along to the entry, ten
        // screen pixels a move at the most. (Over the taskbar beside the
        // button the screen's movement rule closes the menu, as it closes
        // every open panel.)
        const QPointF corner(from.x(), to.y());
        for (const auto &[a, b] : {std::pair{from, corner}, std::pair{corner, to}}) {
            const int moves =
                int(std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())) / 150) + 1;
            for (int i = 1; i <= moves; ++i)
                move(f, a.x() + (b.x() - a.x()) * i / moves, a.y() + (b.y() - a.y()) * i / moves);
        }
        const QString where =
            QString::fromStdString(e.at.where()) + QStringLiteral(": entry %1 ").arg(e.spot);
        if (!f->PicStart->visible()) {
            faults << where + QStringLiteral("out of reach: the start menu closed on the way");
        } else if (e.alone) {
            click(f, to.x(), to.y());
            if (step() == e.at.step) faults << where + QStringLiteral("clicked, the step stays");
        }
        forms::testing::unloadAll();
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    EXPECT_GE(entries.size(), 5);
}
