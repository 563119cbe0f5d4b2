#pragma once
// The simulated screen of a benchmark: a manual clock, a faked 1366 x 768
// screen and a program folder with the sample's start-up files, shell
// pictures and step engine questions (plus any further part), with the run
// state of a practice run over it.
#include "forms/testing.h"
#include "program_fixture.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_startup.h"
#include "simulator/frm_main.h"
#include "step_builder.h"

#include "../tests/simulator/screen_state.h"

#include <memory>

namespace benchsupport {

class ScreenBench {
public:
    explicit ScreenBench(testsupport::AddFiles part = {}) {
        forms::Screen::setFake(1366, 768);
        std::vector<testsupport::AddFiles> parts{sample::addStartupFiles, sample::addShellPictures,
                                                 sample::addStepEngineFiles};
        if (part) parts.push_back(std::move(part));
        folder_ = std::make_unique<testsupport::ProgramFolder>(parts);
        screenstate::practiseOn(folder_->dir());
    }

    const sample::SampleDir &dir() const { return folder_->dir(); }
    FrmMain *frm() const { return forms::form<FrmMain>(); }

    // The questions of a sample unit; their number.
    int useUnit(int unit) { return static_cast<int>(screenstate::useUnit(dir(), unit).size()); }
    // Shows a question of one step (and a last step) on the screen.
    FrmMain *showStep(const QString &step) {
        screenstate::useSteps(dir().bankFile(QStringLiteral("288819")),
                              {step, sample::StepBuilder().action(QStringLiteral("9999"))});
        FrmMain *f = frm();
        f->show();
        f->setData();
        return f;
    }

private:
    forms::testing::Session session_;
    std::unique_ptr<testsupport::ProgramFolder> folder_;
};

} // namespace benchsupport
