#include "sample_demo.h"
#include "sample_dir.h"
#include "sample_exam.h"
#include "sample_home.h"
#include "sample_judging.h"
#include "sample_panel.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "sample_update.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

// Lays out the sample installation in the program folder given as the
// first argument. Each part of the program adds its files with one call
// below, in its own add... function of tools/mksample/lib.
int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mksample <program folder>\n");
        return 2;
    }
    const sample::SampleDir dir(QString::fromLocal8Bit(argv[1]));
    // The bank and the shell pictures belong to the installation: lay them
    // out afresh, so that nothing of an earlier layout stays behind. The
    // user's records in "ksdata" are kept.
    QDir(dir.bank()).removeRecursively();
    QDir(dir.examdata()).removeRecursively();
    bool ok = true;
    ok &= sample::addStartupFiles(dir);
    ok &= sample::addHomeFiles(dir);
    ok &= sample::addHomeBanner(dir);
    ok &= sample::addStepEngineFiles(dir);
    ok &= sample::addJudgingFiles(dir);
    ok &= sample::addShellPictures(dir);
    ok &= sample::addShellQuestions(dir);
    ok &= sample::addShellJudgingFiles(dir);
    ok &= sample::addDemoPictures(dir);
    ok &= sample::addUpdateFiles(dir);
    ok &= sample::addPanelFiles(dir);
    ok &= sample::addExamFiles(dir);
    // Last: the home page's bank index counts the units the parts above wrote.
    ok &= sample::addHomeBankIndex(dir);
    if (!ok) {
        std::fprintf(stderr, "mksample: some files of the sample could not be written\n");
        return 1;
    }
    return 0;
}
