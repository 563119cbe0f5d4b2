#include "startup/program_end.h"

#include "forms/error.h"
#include "forms/form.h"
#include "platform/run_end.h"

namespace startup {

namespace {
bool g_ended = false;
int g_code = 0;
void (*g_handler)(int) = nullptr;
} // namespace

void endProgram(int exitCode) {
    g_ended = true;
    g_code = exitCode;
    // Every wait returns; none waits again, so the handler's exit is not
    // held up by a loop that would find its window or reply unchanged.
    platform::endRun();
    for (forms::Form *f : forms::loadedForms()) forms::skip([&] { f->hide(); });
    if (g_handler) g_handler(exitCode);
}

bool programEnded() {
    return g_ended;
}
int programExitCode() {
    return g_code;
}
void setEndHandler(void (*handler)(int)) {
    g_handler = handler;
}

void resetProgramEnded() {
    g_ended = false;
    g_code = 0;
    platform::resetRunEnded();
}

} // namespace startup
