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
#include "simulator/step_record.h"

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

class SampleClearOfPanel : public ScreenFixture {
protected:
    static void SetUpTestSuite() { layOut(addEveryOtherPart, QStringLiteral("screen-all")); }
};

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

} // namespace

TEST_F(SampleClearOfPanel, NoStepPutsWhatTheCandidateActsOnUnderTheDockedPanel) {
    const QRectF panel(panel::kDockedPanelLeft, panel::kDockedPanelTop, panel::kPanelWidth,
                       panel::kPanelHeight);
    int boxes = 0, hints = 0, acted = 0;
    for (int unit = 0; unit <= 3; ++unit) {
        startOn(unit);
        // Each line of the unit's list: code, two-digit step count, text.
        const QStringList list =
            platform::readLines(dir().bankFile(QStringLiteral("2888%1").arg(70 + unit)))
                .value_or(QStringList());
        ASSERT_FALSE(list.isEmpty()) << "unit " << unit;
        for (int q = 1; q <= list.size(); ++q) {
            S().CurQuestion = q;
            const int count = list[q - 1].mid(4, 2).toInt();
            // The steps one after the other, as a candidate meets them: a
            // hint without a place of its own stays where the last one was.
            for (int k = 1; k <= count; ++k) {
                S().StudyMode = startup::Guided;
                S().CurStep = k;
                frm()->setData();
                const std::string where = QStringLiteral("unit %1 question %2 step %3 (%4)")
                                              .arg(unit)
                                              .arg(q)
                                              .arg(k)
                                              .arg(list[q - 1].mid(6))
                                              .toStdString();
                FrmMain *f = frm();
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
                std::vector<std::pair<const char *, QRectF>> places;
                if (r.actionCode().startsWith(QLatin1String("80"))) {
                    const QRectF picture = rectOf(f->Image5);
                    places.emplace_back("picture to drag", picture);
                    // Where the drag ends: the picture moved onto the
                    // target on each axis the step gives.
                    QRectF end = picture;
                    if (r.dragTargetX()) end.moveLeft(r.dragTargetX());
                    if (r.dragTargetY()) end.moveTop(r.dragTargetY());
                    places.emplace_back("end of the drag", end);
                }
                if (f->ImgElse->visible()) places.emplace_back("extra picture", rectOf(f->ImgElse));
                for (forms::TextBox *box : {f->Text1, f->Text2, f->Text3})
                    if (box->visible()) places.emplace_back("input box", rectOf(box));
                for (const auto &[what, place] : places) {
                    ++acted;
                    EXPECT_FALSE(place.intersects(panel)) << what << ", " << where << text(place);
                }
            }
        }
        forms::testing::unloadAll();
    }
    // The walk met the boxes and hints it checks.
    EXPECT_GT(boxes, 20);
    EXPECT_GT(hints, 40);
    EXPECT_GT(acted, 20);
}
