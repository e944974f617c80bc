#include "framework/Timer.h"

#include "framework/Handler.h"
#include "platform/Platform.h"

namespace pvstim {

namespace {
constexpr std::int64_t kNsPerMs = 1000000;
}

TTimer::TTimer(QObject* owner, int intervalMs, bool enabled, TimerPrecision precision)
    : QObject(owner)
    , precision_(precision)
    , source_(platform().createTimer([this] { fire(); }, precision))
    , interval_(intervalMs)
{
    setEnabled(enabled);
}

TTimer::~TTimer() = default;

void TTimer::setEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    if (on)
        startCount();
    else
        source_->disarm();
    if (inHandler_)
        rescheduledInHandler_ = true;
}

void TTimer::setInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    if (enabled_)
        startCount();
    if (inHandler_)
        rescheduledInHandler_ = true;
}

void TTimer::startCount()
{
    if (interval_ <= 0) {
        source_->disarm();
        return;
    }
    deadline_ = firstDeadline(platform().monotonicNs());
    source_->armAt(deadline_);
}

std::int64_t TTimer::firstDeadline(std::int64_t now) const
{
    const std::int64_t intervalNs = std::int64_t(interval_) * kNsPerMs;
    if (precision_ != TimerPrecision::Poll)
        return now + intervalNs;
    return (now / intervalNs + 1) * intervalNs;
}

void TTimer::setNextDeadlineNs(std::int64_t deadline)
{
    if (inHandler_) {
        hasOverride_ = true;
        override_ = deadline;
        return;
    }
    if (enabled_ && interval_ > 0) {
        deadline_ = deadline;
        source_->armAt(deadline_);
    }
}

void TTimer::fire()
{
    if (!enabled_ || interval_ <= 0)
        return;
    if (inHandler_) {
        // The previous tick's handler is still running (a nested event loop):
        // this tick is dropped and the count goes on from its deadline.
        deadline_ += std::int64_t(interval_) * kNsPerMs;
        source_->armAt(deadline_);
        return;
    }
    ++ticks_;
    inHandler_ = true;
    rescheduledInHandler_ = false;
    hasOverride_ = false;
    runHandler(OnTimer);
    inHandler_ = false;

    if (!enabled_ || interval_ <= 0)
        return;
    if (hasOverride_) {
        deadline_ = override_;
    } else if (!rescheduledInHandler_) {
        deadline_ += std::int64_t(interval_) * kNsPerMs;
        // After a stall, tick once as soon as possible rather than in a burst (a
        // poll at its next grid point).
        const std::int64_t now = platform().monotonicNs();
        if (deadline_ < now)
            deadline_ = precision_ == TimerPrecision::Poll ? firstDeadline(now) : now;
    } else {
        return;  // the handler restarted the count; already armed
    }
    source_->armAt(deadline_);
}

}  // namespace pvstim
