// The home page's build on the sample installation, which every candidate
// waits for at start-up and after every exercise: the page build alone on
// the loaded form (as the rebuild after a random paper's deletion runs
// it), and a whole load of the form, its window and 100 buttons made,
// built and unloaded again (as every return from an exercise does), with
// the pictures in the cache after the first load.
#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "program_fixture.h"
#include "startup/program_info.h"
#include "startup/run_state.h"

#include <benchmark/benchmark.h>

namespace {

class HomeBench {
public:
    HomeBench() : folder_(testsupport::startupParts()) {
        forms::Screen::setFake(1366, 768);
        startup::readInfo(startup::state());
    }

private:
    forms::testing::Session session_;
    testsupport::ProgramFolder folder_;
};

void BM_HomePageBuild(benchmark::State &state) {
    HomeBench bench;
    FrmFengmian *f = forms::form<FrmFengmian>();
    f->show();
    for (auto _ : state) f->FengMainCsh();
}

void BM_HomeFormLoad(benchmark::State &state) {
    HomeBench bench;
    forms::form<FrmFengmian>()->show();
    forms::unloadForm<FrmFengmian>();
    const int decodes = forms::pictureDecodeCount();
    for (auto _ : state) {
        forms::form<FrmFengmian>()->show();
        forms::unloadForm<FrmFengmian>();
    }
    state.counters["decodes"] = forms::pictureDecodeCount() - decodes;
}

} // namespace

BENCHMARK(BM_HomePageBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HomeFormLoad)->Unit(benchmark::kMillisecond);
