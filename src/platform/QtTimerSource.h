#pragma once

#include "platform/MonotonicClock.h"
#include "platform/Platform.h"

#include <QTimer>

#include <functional>

namespace pvstim {

// A one-shot timer on a Qt precise timer: fires to the nearest millisecond of the
// event loop. Works wherever Qt runs.
class QtTimerSource : public TimerSource {
public:
    QtTimerSource(MonotonicClock::time_point origin, std::function<void()> onFire);

    void armAt(std::int64_t deadlineNs) override;
    void disarm() override { timer_.stop(); }
    bool isArmed() const override { return timer_.isActive(); }

private:
    MonotonicClock::time_point origin_;
    QTimer timer_;
};

}  // namespace pvstim
