#include "timer.h"
#include "control.h"
#include "form.h"
#include "internal_p.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace forms {

// One scheduler for every timer: the next due tick across all of them runs
// first. With the real clock a single QTimer wakes at the earliest due time.
class Scheduler {
public:
    static Scheduler &instance() {
        static Scheduler s;
        return s;
    }

    qint64 now() const {
        return manual_ ? manualNow_ : offset_ + (real_.isValid() ? real_.elapsed() : 0);
    }
    bool manual() const { return manual_; }

    void useManual(qint64 start) {
        manual_ = true;
        manualNow_ = start;
        if (wake_) wake_->stop();
        for (Timer *t : timers_)
            if (t->due_ >= 0) t->reschedule();
    }
    void useReal() {
        if (!manual_) return;
        offset_ = manualNow_ - (real_.isValid() ? real_.elapsed() : 0);
        manual_ = false;
        arm();
    }

    void add(Timer *t) { timers_.push_back(t); }
    void remove(Timer *t) {
        timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
    }
    quint64 nextOrder() { return ++order_; }

    // Fires, in time order, every tick due at or before `upTo`.
    void runDue(qint64 upTo) {
        for (;;) {
            Timer *next = nullptr;
            for (Timer *t : timers_) {
                if (t->due_ < 0 || t->due_ > upTo || t->running_) continue;
                if (!next || t->due_ < next->due_ ||
                    (t->due_ == next->due_ && t->order_ < next->order_))
                    next = t;
            }
            if (!next) break;
            if (manual_ && next->due_ > manualNow_) manualNow_ = next->due_;
            next->fire();
        }
    }

    void advance(qint64 ms) {
        if (!manual_) return;
        const qint64 target = manualNow_ + std::max<qint64>(0, ms);
        runDue(target);
        manualNow_ = std::max(manualNow_, target);
    }

    // Real clock: wake at the earliest due time.
    void arm() {
        if (manual_ || !QCoreApplication::instance()) return;
        if (!real_.isValid()) real_.start();
        qint64 earliest = -1;
        for (Timer *t : timers_)
            if (t->due_ >= 0 && !t->running_ && (earliest < 0 || t->due_ < earliest))
                earliest = t->due_;
        if (!wake_) {
            // Owned by the application object, so it goes with it.
            wake_ = new QTimer(QCoreApplication::instance());
            wake_->setSingleShot(true);
            wake_->setTimerType(Qt::PreciseTimer);
            QObject::connect(wake_.data(), &QTimer::timeout, [this] {
                runDue(now());
                arm();
            });
        }
        if (earliest < 0) {
            wake_->stop();
            return;
        }
        wake_->start(int(std::clamp<qint64>(earliest - now(), 0, 1 << 30)));
    }

private:
    Scheduler() { real_.start(); }
    std::vector<Timer *> timers_;
    bool manual_ = false;
    qint64 manualNow_ = 0;
    qint64 offset_ = 0;
    QElapsedTimer real_;
    QPointer<QTimer> wake_;
    quint64 order_ = 0;
};

Timer::Timer(Container *owner, const QString &name) : name_(name), owner_(owner) {
    if (owner) owner->adoptTimer(this);
    Scheduler::instance().add(this);
}

Timer::~Timer() {
    Scheduler::instance().remove(this);
    if (owner_) owner_->dropTimer(this);
}

void Timer::setInterval(int ms) {
    if (ms < 0 || ms > 65535) raise(380);
    interval_ = ms;
    reschedule();
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    // A timer of an unloaded form stays off.
    if (on && owner_) {
        Form *f = owner_->form();
        if (f && f->isUnloaded()) return;
    }
    enabled_ = on;
    reschedule();
}

void Timer::reschedule() {
    auto &s = Scheduler::instance();
    if (enabled_ && interval_ > 0) {
        due_ = s.now() + interval_;
        order_ = s.nextOrder();
    } else {
        due_ = -1;
    }
    if (!running_) s.arm();
}

void Timer::fire() {
    auto &s = Scheduler::instance();
    // The next tick counts from this one's due time, so a manual clock
    // advanced by 1000 ms gives ten ticks of 100 ms.
    due_ = (enabled_ && interval_ > 0) ? due_ + interval_ : -1;
    order_ = s.nextOrder();
    running_ = true;
    // Armed before the handler runs: one that opens a dialog leaves the
    // other timers ticking under it (this one is skipped until it returns).
    s.arm();
    runHandler([&] {
        if (onTimer) onTimer();
    });
    running_ = false;
    // A handler that took longer than the interval (a dialog, a nested
    // advance of the manual clock) does not make the missed ticks pile up:
    // one tick comes at once, then the interval goes on from there.
    if (due_ >= 0 && due_ < s.now()) due_ = s.now();
    s.arm();
}

namespace clock {
qint64 now() {
    return Scheduler::instance().now();
}
bool isManual() {
    return Scheduler::instance().manual();
}
void useManual(qint64 start) {
    Scheduler::instance().useManual(start);
}
void useReal() {
    Scheduler::instance().useReal();
}
void advance(qint64 ms) {
    Scheduler::instance().advance(ms);
}
} // namespace clock

} // namespace forms
