#pragma once
// The program's start on a sample folder, with the run's records state
// fresh: every message box it shows is noted, with where it stood against
// the home page (box_watch.h), and answered.
#include "box_watch.h"
#include "forms/testing.h"
#include "home/frm_fengmian.h"
#include "panel/record_files.h"
#include "program_fixture.h"
#include "startup/frm_start.h"
#include "startup/program_end.h"

#include <QStringList>

class StartFixture : public testsupport::ProgramFixture {
protected:
    StartFixture() { resetRun(); }
    StartFixture(std::vector<testsupport::AddFiles> parts, const QString &cacheKey)
        : ProgramFixture(std::move(parts), cacheKey) {
        resetRun();
    }
    void resetRun() {
        startup::resetProgramEnded();
        panel::forgetHeldBackRecords();
        testsupport::watchBoxes(&boxes, testsupport::BoxPlace::Noted);
    }
    ~StartFixture() override {
        startup::resetProgramEnded();
        panel::forgetHeldBackRecords();
    }
    // The start to its home page; null when none came.
    FrmFengmian *startToHomePage() {
        forms::form<FrmStart>();
        forms::testing::advance(100);
        return forms::loadedForm<FrmFengmian>();
    }

    forms::testing::Session session;
    QStringList boxes;
};
