#include "startup/program_end.h"

#include "forms/error.h"
#include "forms/form.h"

#include <QCoreApplication>

namespace startup {

namespace {
bool g_ended = false;
int g_code = 0;
} // namespace

void endProgram(int exitCode) {
    g_ended = true;
    g_code = exitCode;
    for (forms::Form *f : forms::loadedForms()) forms::skip([&] { f->hide(); });
    QCoreApplication::exit(exitCode);
}

bool programEnded() {
    return g_ended;
}
int programExitCode() {
    return g_code;
}
void resetProgramEnded() {
    g_ended = false;
    g_code = 0;
}

} // namespace startup
