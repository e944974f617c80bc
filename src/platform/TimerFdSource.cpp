#include "platform/TimerFdSource.h"

#ifdef Q_OS_LINUX

#include <algorithm>
#include <cstdint>

#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace pvstim {

std::unique_ptr<TimerSource> TimerFdSource::create(MonotonicClock::time_point origin, std::function<void()>& onFire)
{
    const int fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // The default slack of 50 us would let the kernel defer the expiry to
    // batch wake-ups; this is the thread that runs the event loop.
    static const bool slackLowered [[maybe_unused]] = ::prctl(PR_SET_TIMERSLACK, 1UL) == 0;
    return std::unique_ptr<TimerSource>(new TimerFdSource(fd, origin, std::move(onFire)));
}

TimerFdSource::TimerFdSource(int fd, MonotonicClock::time_point origin, std::function<void()> onFire)
    : fd_(fd)
    , origin_(origin)
    , onFire_(std::move(onFire))
    , notifier_(fd, QSocketNotifier::Read)
{
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { expired(); });
}

TimerFdSource::~TimerFdSource()
{
    notifier_.setEnabled(false);
    ::close(fd_);
}

void TimerFdSource::armAt(std::int64_t deadlineNs)
{
    const std::int64_t originNs
        = std::chrono::duration_cast<std::chrono::nanoseconds>(origin_.time_since_epoch()).count();
    // A zero expiry would disarm the timer; a deadline in the past fires at once.
    const std::int64_t at = std::max<std::int64_t>(originNs + deadlineNs, 1);
    itimerspec spec {};
    spec.it_value.tv_sec = time_t(at / 1000000000);
    spec.it_value.tv_nsec = long(at % 1000000000);
    armed_ = ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr) == 0;
}

void TimerFdSource::disarm()
{
    const itimerspec none {};
    ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &none, nullptr);
    armed_ = false;
}

void TimerFdSource::expired()
{
    std::uint64_t expirations = 0;
    // Nothing to read: the timer was re-armed or disarmed since it expired.
    if (::read(fd_, &expirations, sizeof expirations) != ssize_t(sizeof expirations) || !armed_)
        return;
    armed_ = false;
    onFire_();
}

}  // namespace pvstim

#endif
