// The demonstration draws no Control Panel page, desktop, Computer window,
// selected drive or extra picture of its own: it shows the step's
// background and the regions it lays over it (bars, task pane, tool strip,
// picture slots). So for every step of every sample question, where the
// demonstration acts and frames, the candidate must see what the practice
// screen shows there at the same step; a step whose page the sample put
// only into a region picture is demonstrated on a blank window, its red
// frame round empty space.
#include "demo_fixture.h"

#include "simulator/frm_main.h"

#include <QImage>
#include <QWidget>
#include <vector>

namespace {

QRect pxOf(const forms::Control *c) {
    if (!c->visible() || c->width() <= 15 || c->height() <= 15) return QRect();
    return QRect(c->originInFormPx(), c->rectPx().size());
}

class DemoSampleLook : public DemoFixture {
protected:
    // The practice screen on the current question. Its loading loads the
    // question panel, which starts the set's first question; the test
    // builds each step itself.
    FrmMain *screen() {
        if (FrmMain *m = forms::loadedForm<FrmMain>()) return m;
        auto &s = S();
        const auto kept = s;
        FrmMain *m = forms::form<FrmMain>();
        s = kept;
        m->Timer2->setEnabled(false);
        m->show();
        return m;
    }

    // The places of the step the demonstration shows (pixels of the
    // window): where its pointer goes (the hot spot it frames, the target,
    // the tab to switch to, the drag source, the answer box or the dragged
    // picture), the step's target rectangle and the red frame.
    static std::vector<QRect> placesOf(FrmYanShi *f) {
        const sim::StepRecord r = f->rec();
        QRect aim;
        switch (demo::stepAim(r.actionCode(), demo::tabToSwitch(r))) {
        case demo::StepAim::Tab:
            aim = pxOf(f->LblXXK(f->TabExpected));
            break;
        case demo::StepAim::Target:
        case demo::StepAim::TimedWait:
            aim = pxOf(f->Label1);
            break;
        case demo::StepAim::Source:
            aim = pxOf(f->Label4);
            break;
        case demo::StepAim::TextBox:
            aim = pxOf(f->Text1);
            break;
        case demo::StepAim::Picture:
            aim = pxOf(f->Image5);
            break;
        case demo::StepAim::HotSpot:
            aim = pxOf(f->Shape1);
            break;
        default: // a key or a wait acts nowhere
            break;
        }
        std::vector<QRect> places;
        for (const QRect &p : {aim, r.hasTarget() ? pxOf(f->Label1) : QRect(), pxOf(f->Shape1)}) {
            const QRect in = p.intersected(QRect(QPoint(0, 0), f->widget()->size()));
            if (!in.isEmpty() && std::find(places.begin(), places.end(), in) == places.end())
                places.push_back(in);
        }
        return places;
    }

    // The demonstration's window as the candidate sees it, without what
    // only the demonstration draws over the screen: the pointer, the
    // frames, the prompt, the question note and the edit bar it stands in
    // for a spreadsheet's own (looked at apart).
    static QImage demoShot(FrmYanShi *f) {
        std::vector<std::pair<forms::Control *, bool>> marks;
        for (forms::Control *c : std::initializer_list<forms::Control *>{
                 f->Shape1, f->Shape2, f->Shape4, f->Shape5, f->Shape6, f->LHelp, f->ImgLogo,
                 f->ImgICO, f->Text4})
            marks.emplace_back(c, c->visible());
        for (int i = 0; i < demo::OutlineLines; ++i)
            marks.emplace_back(f->LPoint(i), f->LPoint(i)->visible());
        for (int i = 0; i < demo::FillLines; ++i)
            marks.emplace_back(f->LPoinB(i), f->LPoinB(i)->visible());
        for (auto &[c, shown] : marks) c->setVisible(false);
        QImage img = f->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (auto &[c, shown] : marks) c->setVisible(shown);
        return img;
    }

    // The practice screen without its logo, which the question panel
    // docked over that corner hides from the candidate.
    static QImage screenShot(FrmMain *m) {
        const bool logo = m->ImgLogo->visible();
        m->ImgLogo->setVisible(false);
        QImage img = m->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        m->ImgLogo->setVisible(logo);
        return img;
    }

    // The pixels of r in which the two pictures differ.
    static int differing(const QImage &a, const QImage &b, const QRect &r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    }

    // The share of r that is white in img, or as near white as a picture
    // saved with loss keeps it.
    static double whiteShare(const QImage &img, const QRect &r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb c = img.pixel(x, y);
                n += qRed(c) >= 240 && qGreen(c) >= 240 && qBlue(c) >= 240;
            }
        }
        return double(n) / (r.width() * r.height());
    }
};

TEST_F(DemoSampleLook, EveryDemonstratedStepShowsItsPlacesAsThePracticeScreenDoes) {
    int steps = 0, compared = 0, editBars = 0;
    for (int unit : demotest::kSampleUnits) {
        demotest::demonstrateUnit(dir(), unit);
        const QList<int> counts = demostate::stepCounts(dir(), unit);
        for (int q = 1; q <= counts.size(); ++q) {
            S().CurQuestion = q;
            FrmMain *m = screen();
            FrmYanShi *f = open();
            f->show();
            for (int step = 1; step <= counts[q - 1]; ++step) {
                SCOPED_TRACE(QStringLiteral("unit %1 question %2 step %3")
                                 .arg(unit)
                                 .arg(q)
                                 .arg(step)
                                 .toStdString());
                // The screen is built step after step, as a candidate who
                // answers each one sees it.
                S().StudyMode = startup::Practice;
                S().CurStep = step;
                m->setData();
                S().StudyMode = startup::Guided;
                build(f, step);
                if (f->TimEnd->enabled()) continue; // the last step shows its success alone
                ++steps;
                const std::vector<QRect> places = placesOf(f);
                if (places.empty()) continue;
                const QImage demo = demoShot(f);
                const QImage practice = screenShot(m);
                ASSERT_EQ(demo.size(), practice.size());
                for (const QRect &r : places) {
                    const int n = differing(demo, practice, r);
                    EXPECT_EQ(n, 0)
                        << n << " of " << r.width() * r.height() << " pixels differ in " << r.x()
                        << ", " << r.y() << ", " << r.width() << " x " << r.height();
                }
                ++compared;
                // The edit bar the demonstration lays over the screen lies on
                // the sheet's own, whose field the practice screen shows
                // there, empty.
                if (f->Text4->visible()) {
                    ++editBars;
                    EXPECT_GT(whiteShare(practice, pxOf(f->Text4).adjusted(1, 1, -1, -1)), 0.95);
                }
            }
            forms::unloadForm<FrmYanShi>();
        }
        forms::unloadForm<FrmMain>();
    }
    // The sweep met the sample's steps: all but the keys and the waits have
    // a place to compare, and the edit bar was among them.
    EXPECT_GT(steps, 80);
    EXPECT_GT(compared, steps * 3 / 4);
    EXPECT_GT(editBars, 0);
}

} // namespace
