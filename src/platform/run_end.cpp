#include "platform/run_end.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

namespace {
bool g_ended = false;
std::vector<EndableWait *> g_waits;
} // namespace

EndableWait::EndableWait(std::function<void()> wake) : wake_(std::move(wake)) {
    g_waits.push_back(this);
}

EndableWait::~EndableWait() {
    g_waits.erase(std::remove(g_waits.begin(), g_waits.end(), this), g_waits.end());
}

void endRun() {
    g_ended = true;
    // A wake may end its wait's scope at once (a nested wait unwinding), so
    // the list is taken first and each wait is woken only while it lives.
    const std::vector<EndableWait *> waits = g_waits;
    for (auto it = waits.rbegin(); it != waits.rend(); ++it) {
        if (std::find(g_waits.begin(), g_waits.end(), *it) == g_waits.end()) continue;
        if ((*it)->wake_) {
            auto wake = std::exchange((*it)->wake_, nullptr);
            wake();
        }
    }
}

bool runEnded() {
    return g_ended;
}

void resetRunEnded() {
    g_ended = false;
}

int endableWaits() {
    return static_cast<int>(g_waits.size());
}

} // namespace platform
