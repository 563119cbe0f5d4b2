// The docked question panel covers the screen's lower-right corner: no
// sample question may put its red box, its hint or what the candidate acts
// on (a picture to drag and the place it goes to, an extra picture, an
// input box) there, or the candidate would be asked to act on a place that
// cannot be seen.
#include "panel/panel_rules.h"
#include "sample_demo.h"
#include "sample_panel.h"
#include "sample_update.h"
#include "screen_fixture.h"
#include "simulator/shell_tables.h"
#include "simulator/step_record.h"

#include <QFileInfo>
#include <functional>
#include <utility>
#include <vector>

namespace {

bool addEveryOtherPart(const sample::SampleDir &dir) {
    bool ok = sample::addJudgingFiles(dir);
    ok &= sample::addShellQuestions(dir);
    ok &= sample::addShellJudgingFiles(dir);
    ok &= sample::addDemoPictures(dir);
    ok &= sample::addUpdateFiles(dir);
    ok &= sample::addPanelFiles(dir);
    return ok;
}

QRectF rectOf(const forms::Control *c) {
    return QRectF(c->left(), c->top(), c->width(), c->height());
}

std::string text(const QRectF &r) {
    return QStringLiteral(" at %1, %2, %3 x %4")
        .arg(r.left())
        .arg(r.top())
        .arg(r.width())
        .arg(r.height())
        .toStdString();
}

// What the candidate acts on besides the target: the picture to drag and
// the place it goes to, an extra picture, an input box. A page to type on
// (a multi-line box) takes a click anywhere it shows and may reach under
// the panel; its text begins on its first line, which must be seen.
std::vector<std::pair<const char *, QRectF>> actedOn(FrmMain *f, const sim::StepRecord &r) {
    std::vector<std::pair<const char *, QRectF>> places;
    if (r.actionCode().startsWith(QLatin1String("80"))) {
        const QRectF picture = rectOf(f->Image5);
        places.emplace_back("picture to drag", picture);
        // Where the drag ends: the picture moved onto the target on each
        // axis the step gives.
        QRectF end = picture;
        if (r.dragTargetX()) end.moveLeft(r.dragTargetX());
        if (r.dragTargetY()) end.moveTop(r.dragTargetY());
        places.emplace_back("end of the drag", end);
    }
    if (f->ImgElse->visible()) places.emplace_back("extra picture", rectOf(f->ImgElse));
    for (forms::TextBox *box : {f->Text1, f->Text2, f->Text3}) {
        if (!box->visible()) continue;
        QRectF place = rectOf(box);
        // A line of the box's font with its margins: 1.5 em, 20 twips to
        // the point.
        if (box->multiLine()) place.setHeight(std::min(place.height(), box->font().size * 30));
        places.emplace_back("input box", place);
    }
    return places;
}

class SampleClearOfPanel : public ScreenFixture {
protected:
    static void SetUpTestSuite() { layOut(addEveryOtherPart, QStringLiteral("screen-all")); }

    // Every step of the sample, as the fixture's walk meets it.
    void walk(const std::function<void(FrmMain *, const std::string &where)> &look) {
        EXPECT_GE(walkSample([&](FrmMain *f, const SampleStep &at) { look(f, at.where()); }), 4);
    }
};

} // namespace

TEST_F(SampleClearOfPanel, NoStepPutsWhatTheCandidateActsOnUnderTheDockedPanel) {
    const QRectF panel(panel::kDockedPanelLeft, panel::kDockedPanelTop, panel::kPanelWidth,
                       panel::kPanelHeight);
    int boxes = 0, hints = 0, acted = 0;
    walk([&](FrmMain *f, const std::string &where) {
        if (f->Shape1->visible()) {
            ++boxes;
            EXPECT_FALSE(rectOf(f->Shape1).intersects(panel))
                << "red box, " << where << text(rectOf(f->Shape1));
        }
        if (f->LHelp->visible() && !f->LHelp->caption().isEmpty()) {
            ++hints;
            EXPECT_FALSE(rectOf(f->LHelp).intersects(panel))
                << "hint, " << where << text(rectOf(f->LHelp));
        }
        const sim::StepRecord r(S().CurRecord);
        for (const auto &[what, place] : actedOn(f, r)) {
            ++acted;
            EXPECT_FALSE(place.intersects(panel)) << what << ", " << where << text(place);
        }
    });
    // The walk met the boxes and hints it checks.
    EXPECT_GT(boxes, 20);
    EXPECT_GT(hints, 40);
    EXPECT_GT(acted, 20);
}

// In guided mode every step but the last says what to do, and its hint
// leaves the red box and the input box free.
TEST_F(SampleClearOfPanel, EveryStepButTheLastHasAHintBesideWhatItAsksFor) {
    int steps = 0;
    walk([&](FrmMain *f, const std::string &where) {
        const sim::StepRecord r(S().CurRecord);
        if (r.actionCode() == QLatin1String("9999") || r.actionCode() == QLatin1String("8888"))
            return;
        ++steps;
        EXPECT_TRUE(f->LHelp->visible() && !f->LHelp->caption().trimmed().isEmpty())
            << "no hint, " << where;
        const QRectF hint = rectOf(f->LHelp);
        if (f->Shape1->visible()) {
            EXPECT_FALSE(hint.intersects(rectOf(f->Shape1)))
                << "hint over the red box, " << where << text(hint);
        }
        for (const auto &[what, place] : actedOn(f, r))
            EXPECT_FALSE(hint.intersects(place))
                << "hint over the " << what << ", " << where << text(hint);
    });
    EXPECT_GT(steps, 80);
}

// The hint stands on the screen beside what it asks for, not on the
// window's own labelled places: a drive with its name, a link, an entry of
// the task pane, a button of a bar, a desktop icon. The shell's hot spots
// mark them, where a region shows them.
TEST_F(SampleClearOfPanel, TheHintLeavesTheWindowsLabelledPlacesFree) {
    int checked = 0;
    walk([&](FrmMain *f, const std::string &where) {
        const sim::StepRecord r(S().CurRecord);
        if (r.actionCode() == QLatin1String("9999") || !f->LHelp->visible() ||
            f->LHelp->caption().trimmed().isEmpty())
            return;
        const QRect hint(f->LHelp->originInFormPx(), f->LHelp->rectPx().size());
        for (int i = 1; i <= 99; ++i) {
            forms::Label *spot = f->LblZHU(i);
            if (!spot->isShown() || spot->rectPx().isEmpty()) continue;
            // The part of the spot its region shows.
            const forms::Control *region = spot->container();
            const QRect shown =
                QRect(spot->originInFormPx(), spot->rectPx().size())
                    .intersected(QRect(region->originInFormPx(), region->rectPx().size()));
            if (shown.isEmpty()) continue;
            ++checked;
            EXPECT_FALSE(hint.intersects(shown))
                << "hint over spot " << i << ", " << where << text(rectOf(f->LHelp));
        }
    });
    EXPECT_GT(checked, 200);
}

// A window's menu bar lies on its client area, right under its title bar:
// all it covers is the client area's white, and right above it the frame
// begins. A bar laid lower leaves an empty strip under the title bar; one
// wider than the client area runs over the window's frame.
TEST_F(SampleClearOfPanel, AMenuBarLiesAlongTheTopOfItsWindowsClientArea) {
    int bars = 0;
    walk([&](FrmMain *f, const std::string &where) {
        const QString letter = sim::StepRecord(S().CurRecord).menuBarVariant();
        if (!f->PicMenu->visible() || (letter != u"G" && letter != u"H")) return;
        ++bars;
        const QString background = S().QuestionPictures[size_t(S().CurQuestion - 1)][0];
        const QImage screen =
            QImage(dir().bankFile(background)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(screen.isNull()) << background.toStdString();
        const QRect bar(f->PicMenu->originInFormPx(), f->PicMenu->rectPx().size());
        // Near white: a picture may be kept as JPEG.
        const auto white = [&](int x, int y) {
            const QColor c = screen.pixelColor(x, y);
            return std::min({c.red(), c.green(), c.blue()}) >= 240;
        };
        int covered = 0, client = 0;
        for (int y = bar.top(); y <= bar.bottom(); ++y)
            for (int x = bar.left(); x <= bar.right(); ++x) covered += !white(x, y);
        for (int x = bar.left(); x <= bar.right(); ++x) client += white(x, bar.top() - 1);
        EXPECT_EQ(covered, 0) << "the bar covers more than the client area, " << where;
        EXPECT_EQ(client, 0) << "an empty strip of the client area above the bar, " << where;
    });
    EXPECT_GE(bars, 4);
}

// The Computer window looks like every other folder window of Windows 7:
// its address row, and under it its own command bar ("组织" and the
// window's commands), never the tool strip of buttons in their place.
TEST_F(SampleClearOfPanel, TheComputerWindowHasItsAddressRowAndCommandBar) {
    int steps = 0;
    walk([&](FrmMain *f, const std::string &where) {
        if (!f->PicMyPc->visible()) return;
        ++steps;
        EXPECT_FALSE(f->PicTool->visible()) << "the tool strip, " << where;
        ASSERT_TRUE(f->PicMenu->visible()) << "no command bar, " << where;
        EXPECT_EQ(QFileInfo(f->PicMenu->picture().path()).completeBaseName(),
                  shell::menuBarPicture(u'D'))
            << where;
        // The address field: white across most of the row above the bar.
        const QString background = sim::StepRecord(S().CurRecord).backPicture();
        const QImage screen =
            QImage(dir().bankFile(background)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(screen.isNull()) << background.toStdString();
        const int row = f->PicMenu->originInFormPx().y() - 13;
        int white = 0;
        for (int x = 0; x < screen.width(); ++x)
            white += screen.pixel(x, row) == qRgb(255, 255, 255);
        EXPECT_GT(white, screen.width() / 2) << "no address row, " << where;
    });
    EXPECT_GE(steps, 5);
}
