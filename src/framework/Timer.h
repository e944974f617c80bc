#pragma once

#include "platform/Platform.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

namespace pvstim {

// A window timer: ticks every Interval milliseconds while Enabled.
//  - Setting an interval that differs from the current one restarts the count;
//    an interval of 0 stops the ticks (the timer stays enabled and resumes when
//    given an interval again).
//  - Ticks are scheduled from the previous tick's deadline, not from the end of
//    its handler, so handler time does not accumulate into drift.
//  - A tick never interrupts a running handler of the same timer: a tick that
//    falls due while its handler is still running (inside a modal dialog or
//    error box) is skipped.
//  - An exception escaping the handler is shown in the error box; the timer goes on.
//  - A poll (TimerPrecision::Poll) ticks on a grid of its interval counted from
//    the clock's origin: its first tick comes at most one interval after it starts,
//    and polls of one interval tick together.
class TTimer : public QObject {
public:
    explicit TTimer(QObject* owner, int intervalMs = 1000, bool enabled = false,
        TimerPrecision precision = TimerPrecision::Millisecond);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    int Interval() const { return interval_; }
    void setInterval(int ms);

    std::function<void()> OnTimer;
    int Tag = 0;

    // The deadline (monotonic clock, ns) of the tick being handled, or of the
    // next tick when no handler runs.
    std::int64_t deadlineNs() const { return deadline_; }
    // Makes the next tick fall due at an exact moment rather than a whole number
    // of milliseconds after this one; used where the rate must not drift.
    void setNextDeadlineNs(std::int64_t deadline);
    // For tests and diagnostics.
    std::uint64_t tickCount() const { return ticks_; }

private:
    void startCount();
    void fire();
    // The first deadline of a count started at `now`.
    std::int64_t firstDeadline(std::int64_t now) const;

    TimerPrecision precision_;
    std::unique_ptr<TimerSource> source_;
    bool enabled_ = false;
    int interval_ = 1000;
    std::int64_t deadline_ = 0;
    bool inHandler_ = false;
    bool rescheduledInHandler_ = false;
    bool hasOverride_ = false;
    std::int64_t override_ = 0;
    std::uint64_t ticks_ = 0;
};

}  // namespace pvstim
