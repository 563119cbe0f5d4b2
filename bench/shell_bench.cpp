// The pointer over the simulated shell: a mouse move that sweeps across
// the screen over the hot spots of the tool strip, the task pane and the
// Computer window (one iteration is one move event), and clicks that open
// a drop-down menu and its level-2 menu (one iteration is one click).
#include "bench_support.h"
#include "sample_shell_questions.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using benchsupport::ScreenBench;

// A path over the screen, window twips, 10 pixels apart: along the tool
// strip, down the task pane, across the drives of the Computer window.
std::vector<QPointF> sweep() {
    std::vector<QPointF> path;
    for (int x = 0; x < 15360; x += 150) path.emplace_back(x, 780);
    for (int y = 1335; y < 7500; y += 150) path.emplace_back(1000, y);
    for (int x = 2400; x < 15000; x += 150) path.emplace_back(x, 2250);
    for (int x = 15000; x > 2400; x -= 150) path.emplace_back(x, 4400);
    return path;
}

void BM_HoverSweep(benchmark::State &state) {
    ScreenBench screen(sample::addShellJudgingFiles);
    FrmMain *f = screen.showStep(sample::StepBuilder()
                                     .background(QStringLiteral("k20001"))
                                     .menuBar(u'O')
                                     .paneFlags(3)
                                     .windowKind(u'P'));
    const std::vector<QPointF> path = sweep();
    // A first pass loads the hover pictures.
    for (const QPointF &p : path) forms::testing::move(f, p.x(), p.y());
    const int decodes = forms::pictureDecodeCount();
    size_t i = 0;
    for (auto _ : state) {
        const QPointF &p = path[i];
        forms::testing::move(f, p.x(), p.y());
        i = (i + 1) % path.size();
    }
    state.counters["decodes"] = forms::pictureDecodeCount() - decodes;
}
BENCHMARK(BM_HoverSweep);

// A window with the command bar "A", whose first button opens a menu.
QString commandBarStep() {
    return sample::StepBuilder().background(QStringLiteral("k20001")).menuBar(u'A').paneFlags(1);
}

void BM_ClickOpensMenu(benchmark::State &state) {
    ScreenBench screen(sample::addShellJudgingFiles);
    FrmMain *f = screen.showStep(commandBarStep());
    forms::Label *organise = f->LblZHU(1);
    const double x = organise->width() / 2, y = organise->height() / 2;
    forms::testing::click(organise, x, y);
    for (auto _ : state) forms::testing::click(organise, x, y);
    if (!f->Pic1J->isShown()) state.SkipWithError("the menu did not open");
}
BENCHMARK(BM_ClickOpensMenu);

void BM_ClickOpensSubMenu(benchmark::State &state) {
    ScreenBench screen(sample::addShellJudgingFiles);
    FrmMain *f = screen.showStep(commandBarStep());
    forms::Label *organise = f->LblZHU(1);
    forms::testing::click(organise, organise->width() / 2, organise->height() / 2);
    forms::Label *layout = f->Lbl1J(7);
    const double x = layout->width() / 2, y = layout->height() / 2;
    forms::testing::click(layout, x, y);
    for (auto _ : state) forms::testing::click(layout, x, y);
    if (!f->Pic2J->isShown()) state.SkipWithError("the level-2 menu did not open");
}
BENCHMARK(BM_ClickOpensSubMenu);

} // namespace
