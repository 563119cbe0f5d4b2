#pragma once
// Timers, all on one clock. The program runs on the real clock; tests
// switch to a manual clock and advance it (testing.h), which fires the due
// ticks in time order. A tick never runs inside the Enabled or Interval
// setter; a handler may switch its own timer off (one-shot) or on again.
// Timers keep ticking while a modal form or a message box is open, also one
// opened by a timer's own handler; that timer does not tick again until its
// handler returns, and then ticks once for all it missed.
#include <QString>
#include <QtGlobal>
#include <functional>

namespace forms {

class Container;

class Timer {
public:
    // Created disabled with interval 0, as the windows' timers are designed.
    Timer(Container *owner, const QString &name);
    ~Timer();
    Timer(const Timer &) = delete;
    Timer &operator=(const Timer &) = delete;

    const QString &name() const { return name_; }
    Container *owner() const { return owner_; }

    // Milliseconds; 0 stops ticking (Enabled is kept).
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);

    std::function<void()> onTimer;

    // When the next tick is due (clock ms), or -1 when it does not run.
    qint64 dueAt() const { return due_; }

private:
    friend class Scheduler;
    void reschedule();
    void fire();
    QString name_;
    Container *owner_;
    int interval_ = 0;
    bool enabled_ = false;
    bool running_ = false; // inside its own handler
    qint64 due_ = -1;
    quint64 order_ = 0; // tie-break: earlier scheduled first
};

// The clock all timers run on, milliseconds.
namespace clock {
qint64 now();
bool isManual();
// Tests: switch to a manual clock starting at `start` ms; back to real.
void useManual(qint64 start = 0);
void useReal();
// Manual clock: moves time forward by ms, firing every tick due on the way
// in order (each handler sees now() at its due time). May be called from
// a handler or a modal hook.
void advance(qint64 ms);
} // namespace clock

} // namespace forms
