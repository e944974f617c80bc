#include "platform/QtTimerSource.h"

#include <algorithm>
#include <cstdint>

namespace pvstim {

QtTimerSource::QtTimerSource(MonotonicClock::time_point origin, std::function<void()> onFire)
    : origin_(origin)
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(onFire));
}

void QtTimerSource::armAt(std::int64_t deadlineNs)
{
    const std::int64_t waitNs = deadlineNs - nsSince(origin_);
    // Qt's timers count whole milliseconds: the nearest one keeps the mean
    // lateness at zero; callers that need exact moments read the deadline.
    const std::int64_t waitMs = waitNs <= 0 ? 0 : (waitNs + 500000) / 1000000;
    timer_.start(static_cast<int>(std::min<std::int64_t>(waitMs, INT32_MAX)));
}

}  // namespace pvstim
