#pragma once

#include "platform/MonotonicClock.h"
#include "platform/Platform.h"

#include <QSocketNotifier>

#include <functional>
#include <memory>

#ifdef Q_OS_LINUX

namespace pvstim {

// A one-shot timer on a Linux timerfd, for deadlines kept to tens of microseconds.
//
// Qt's event dispatcher waits whole milliseconds and rounds up, so a QTimer fires
// up to a millisecond and a half after its deadline. A timerfd holds the deadline
// in nanoseconds on the kernel's monotonic clock (the one steady_clock reads) and
// wakes the event loop through its descriptor; with the thread's timer slack
// lowered, the wake-up comes within tens of microseconds of the deadline.
class TimerFdSource : public TimerSource {
public:
    // Must be called on the thread that runs the event loop, whose timer slack it
    // lowers. Returns nullptr, leaving `onFire` to the caller, when the system
    // has no timerfd to give.
    static std::unique_ptr<TimerSource> create(MonotonicClock::time_point origin, std::function<void()>& onFire);
    ~TimerFdSource() override;

    void armAt(std::int64_t deadlineNs) override;
    void disarm() override;
    bool isArmed() const override { return armed_; }

private:
    TimerFdSource(int fd, MonotonicClock::time_point origin, std::function<void()> onFire);

    void expired();

    int fd_;
    MonotonicClock::time_point origin_;
    std::function<void()> onFire_;
    QSocketNotifier notifier_;
    bool armed_ = false;
};

}  // namespace pvstim

#endif
