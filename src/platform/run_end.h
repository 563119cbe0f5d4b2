#pragma once
// The end of the run as every wait of the program sees it. A wait that
// runs the event loop (an HTTP request, a modal window, a message box, a
// window drag) registers itself for as long as it waits; ending the run
// wakes each of them, and none may wait or loop again afterwards. Without
// this, a wait woken by the application's exit would find its condition
// unchanged and enter the event loop again, which then returns at once:
// the process spins for ever instead of ending.
#include <functional>

namespace platform {

// Marks the run as ended and wakes every registered wait. Safe to call
// again.
void endRun();
bool runEnded();
// Tests: a new run in the same process.
void resetRunEnded();

// Registers wake for its lifetime. wake must make the wait return (quit its
// event loop); it is called at most once, from endRun.
class EndableWait {
public:
    explicit EndableWait(std::function<void()> wake);
    ~EndableWait();
    EndableWait(const EndableWait &) = delete;
    EndableWait &operator=(const EndableWait &) = delete;

private:
    friend void endRun();
    std::function<void()> wake_;
};

// Number of waits registered now (tests).
int endableWaits();

} // namespace platform
