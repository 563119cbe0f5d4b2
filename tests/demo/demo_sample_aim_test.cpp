// Every glide of the demonstration, over every step of every sample
// question, aims at a point inside what its own step acts on: the target,
// the drag source, the text box, the dragged picture, the tab, the hot
// spot, the start-menu entry or the panel item. A glide that keeps the aim
// of an earlier step, or that heads for the screen's top-left corner where
// the hot spots no layout placed lie, points the candidate at the wrong
// place. The pointer itself may stop short of its aim by the arrival
// distance; the aim is what the step chose.
#include "demo_fixture.h"

#include "panel/frm_tm.h"
#include "simulator/frm_main.h"

#include <vector>

namespace {

namespace ft = forms::testing;

struct Box {
    double l = 0, t = 0, w = 0, h = 0;
    bool contains(double x, double y) const { return x >= l && x <= l + w && y >= t && y <= t + h; }
    bool inside(const Box &o) const {
        return l >= o.l && t >= o.t && l + w <= o.l + o.w && t + h <= o.t + o.h;
    }
};
std::ostream &operator<<(std::ostream &o, const Box &b) {
    return o << "(" << b.l << ", " << b.t << ", " << b.w << ", " << b.h << ")";
}
Box boxOf(const forms::Control *c) {
    return Box{c->left(), c->top(), c->width(), c->height()};
}
Box boxOf(const sim::StepRect &r) {
    return Box{double(r.x), double(r.y), double(r.w), double(r.h)};
}

// The whole simulated screen, and its corner where every hot spot that no
// layout placed stands.
constexpr Box kScreen{0, 0, 15360, 9000};
constexpr Box kCorner{0, 0, 495, 375};
// The start button, where a start-menu entry's first leg goes.
constexpr Box kStartButton{0, 8400, 900, 795};

// One glide as its first tick finds it: which timer carries it, the step,
// the aim, and what the step wants it inside (a null `want` when the step
// has no target of its own for this glide).
struct Glide {
    QString timer;
    int step = 0;
    QString code;
    int32_t x = 0, y = 0;
    QString what;
    std::optional<Box> want;
    // The place that must hold `want`: the panel or menu the item is on.
    std::optional<Box> within;
};

class DemoSampleAim : public DemoFixture {
protected:
    // The box of the first leg of a main glide, by what the step aims at.
    static Glide firstLeg(FrmYanShi *f, const sim::StepRecord &r, Glide g) {
        if (demo::tabToSwitch(r)) {
            g.what = QStringLiteral("tab %1").arg(f->TabExpected);
            g.want = boxOf(f->LblXXK(f->TabExpected));
            g.within = kScreen;
            return g;
        }
        switch (demo::stepAim(r.actionCode(), false)) {
        case demo::StepAim::Target:
            g.what = QStringLiteral("target");
            if (r.hasTarget()) g.want = boxOf(r.targetRect());
            break;
        case demo::StepAim::Source:
            g.what = QStringLiteral("source");
            if (r.hasSource()) g.want = boxOf(r.sourceRect());
            break;
        case demo::StepAim::TextBox:
            g.what = QStringLiteral("text box");
            if (r.hasTextBox()) g.want = boxOf(r.textBoxRect());
            break;
        case demo::StepAim::Picture: {
            g.what = QStringLiteral("dragged picture");
            const sim::PictureSlot p = r.pictureSlot(5);
            g.want = Box{double(p.x), double(p.y), f->Image5->width(), f->Image5->height()};
            break;
        }
        case demo::StepAim::HotSpot: {
            const int n = demo::hotSpotIndex(f->HitCode);
            g.what = QStringLiteral("hot spot \"%1\"").arg(f->HitCode);
            if (demo::opensAtTarget(f->HitCode)) {
                if (r.hasTarget()) g.want = boxOf(r.targetRect());
            } else if (n >= 70 && n <= 91) {
                // Its frame runs past the screen's foot, as the taskbar does.
                g.want = kStartButton;
                return g;
            } else if (n >= 1 && f->LblZHU.exists(n)) {
                // A spot that some layout placed: not where they all start.
                const Box spot = boxOf(f->LblZHU(n));
                if (spot.l != kCorner.l || spot.t != kCorner.t || spot.w != kCorner.w ||
                    spot.h != kCorner.h)
                    g.want = spot;
            }
            break;
        }
        default:
            g.what = QStringLiteral("the aim of an earlier step");
            break;
        }
        g.within = kScreen;
        return g;
    }

    // What the glide about to tick on `timer` wants.
    static Glide glideOf(FrmYanShi *f, const QString &timer) {
        const sim::StepRecord r = f->rec();
        Glide g{timer, f->DemoStep, r.actionCode(), f->AimX, f->AimY, {}, {}, {}};
        if (timer == QLatin1String("Timer2")) {
            if (!f->stageMarker()) return firstLeg(f, r, g);
            g.what = QStringLiteral("target (second leg)");
            if (r.hasTarget()) g.want = boxOf(r.targetRect());
            g.within = kScreen;
        } else if (timer == QLatin1String("Timer3")) {
            // The drop point: the record's own on each axis it gives.
            g.what = QStringLiteral("drop point");
            const Box pic = boxOf(f->Image5);
            const double x = r.dragTargetX() ? r.dragTargetX() : pic.l + pic.w / 2;
            const double y = r.dragTargetY() ? r.dragTargetY() : pic.t + pic.h / 2;
            g.want = Box{x - 1, y - 1, 2, 2};
            g.within = kScreen;
        } else if (timer == QLatin1String("TimerStart")) {
            g.what = QStringLiteral("start-menu entry");
            const int n = demo::hotSpotIndex(f->HitCode);
            if (f->LblZHU.exists(n)) g.want = boxOf(f->LblZHU(n));
            g.within = boxOf(f->PicStart);
        } else {
            const int level = timer == QLatin1String("Timer6")   ? 1
                              : timer == QLatin1String("Timer7") ? 2
                                                                 : 3;
            g.what = QStringLiteral("level-%1 item").arg(level);
            const forms::Image *panel = level == 1 ? f->Pic1J : level == 2 ? f->Pic2J : f->Pic3J;
            const auto &items = level == 1 ? f->Lbl1J : level == 2 ? f->Lbl2J : f->Lbl3J;
            const int n = level == 1 ? f->Target1J : level == 2 ? f->Target2J : f->Target3J;
            if (panel->visible() && items.exists(n)) g.want = boxOf(items(n));
            g.within = boxOf(panel);
        }
        return g;
    }

    // Plays question q of `unit` to its end; every glide it started.
    std::vector<Glide> play(int unit, int q) {
        demotest::demonstrateUnit(dir(), unit);
        S().CurQuestion = q;
        FrmYanShi *f = open();
        f->show();
        std::vector<Glide> glides;
        auto watch = [&](forms::Timer *t) {
            std::function<void()> tick = t->onTimer;
            const QString name = t->name();
            t->onTimer = [f, name, tick, &glides] {
                const bool fresh = glides.empty() || glides.back().timer != name ||
                                   glides.back().step != f->DemoStep ||
                                   glides.back().x != f->AimX || glides.back().y != f->AimY;
                if (fresh) glides.push_back(glideOf(f, name));
                tick();
            };
        };
        for (forms::Timer *t :
             {f->Timer2, f->Timer3, f->Timer6, f->Timer7, f->Timer8, f->TimerStart})
            watch(t);
        for (int t = 0; forms::loadedForm<FrmYanShi>() && t < 120000; t += 100) ft::advance(100);
        if (forms::loadedForm<FrmYanShi>()) {
            ADD_FAILURE() << "the demonstration did not end";
            // Its timers watch this call's list of glides.
            forms::unloadForm<FrmYanShi>();
        }
        return glides;
    }
};

TEST_F(DemoSampleAim, EveryGlideAimsInsideItsOwnStepsTarget) {
    // The screen and the panel the demonstration hands back to.
    forms::form<FrmMain>();
    forms::form<FrmTm>();
    ft::advance(1000);
    int glides = 0;
    for (int unit : demotest::kSampleUnits) {
        const int questions = int(demostate::stepCounts(dir(), unit).size());
        for (int q = 1; q <= questions; ++q) {
            for (const Glide &g : play(unit, q)) {
                ++glides;
                SCOPED_TRACE(QStringLiteral("unit %1 question %2 step %3 (%4), %5 glide to %6")
                                 .arg(unit)
                                 .arg(q)
                                 .arg(g.step)
                                 .arg(g.code, g.timer, g.what)
                                 .toStdString());
                EXPECT_FALSE(kCorner.contains(g.x, g.y))
                    << "aims at the top-left corner: " << g.x << ", " << g.y;
                if (!g.want) {
                    ADD_FAILURE() << "the step has no place of its own for this glide to " << g.x
                                  << ", " << g.y;
                    continue;
                }
                EXPECT_TRUE(g.want->contains(g.x, g.y))
                    << "aims at " << g.x << ", " << g.y << ", outside " << *g.want;
                EXPECT_GT(g.want->w, 1) << *g.want;
                EXPECT_GT(g.want->h, 1) << *g.want;
                if (g.within) {
                    EXPECT_TRUE(g.want->inside(*g.within))
                        << *g.want << " not inside " << *g.within;
                }
            }
        }
    }
    // The sweep saw the sample's hundreds of glides.
    EXPECT_GT(glides, 100);
}

} // namespace
