#pragma once
// Ending the program. There is no central shut-down: a window ends the run
// (the home page's exit, a module number that does not match, a second
// copy at start-up) and nothing of the program runs after that.
namespace startup {

// Hides every window and leaves the event loop with the exit code. The
// caller returns at once; main does not enter the loop when the run ended
// before it.
void endProgram(int exitCode = 0);
bool programEnded();
int programExitCode();
// Tests: forget that the program ended.
void resetProgramEnded();
// What ending does besides hiding the windows: main leaves the event loop
// (QCoreApplication::exit); tests leave it unset, so that a later wait on
// the event loop still works.
void setEndHandler(void (*handler)(int exitCode));

} // namespace startup
