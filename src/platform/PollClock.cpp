#include "platform/PollClock.h"

#include <algorithm>
#include <climits>

namespace pvstim {

namespace {
// Qt counts whole milliseconds: a poll due within the millisecond after the one
// that woke the timer fires with it rather than on a wake-up of its own.
constexpr std::int64_t kSameWakeUpNs = 1000000;
}  // namespace

class PollClock::Source : public TimerSource {
public:
    Source(PollClock& clock, std::function<void()> onFire)
        : clock_(clock)
        , onFire_(std::move(onFire))
    {
    }
    ~Source() override { clock_.disarm(this); }
    void armAt(std::int64_t deadlineNs) override { clock_.arm(this, deadlineNs); }
    void disarm() override { clock_.disarm(this); }
    bool isArmed() const override { return clock_.isArmed(this); }
    void fire() { onFire_(); }

private:
    PollClock& clock_;
    std::function<void()> onFire_;
};

PollClock::PollClock(std::function<std::int64_t()> nowNs)
    : nowNs_(std::move(nowNs))
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fireDue(); });
}

PollClock::~PollClock() = default;

std::unique_ptr<TimerSource> PollClock::createSource(std::function<void()> onFire)
{
    return std::make_unique<Source>(*this, std::move(onFire));
}

void PollClock::arm(Source* source, std::int64_t deadlineNs)
{
    std::erase_if(armed_, [source](const Arming& a) { return a.source == source; });
    armed_.push_back(Arming { source, deadlineNs });
    rearm();
}

void PollClock::disarm(Source* source)
{
    if (std::erase_if(armed_, [source](const Arming& a) { return a.source == source; }) > 0)
        rearm();
}

bool PollClock::isArmed(const Source* source) const
{
    return std::any_of(armed_.begin(), armed_.end(), [source](const Arming& a) { return a.source == source; });
}

void PollClock::rearm()
{
    if (armed_.empty()) {
        timer_.stop();
        return;
    }
    const auto first = std::min_element(armed_.begin(), armed_.end(),
        [](const Arming& a, const Arming& b) { return a.deadlineNs < b.deadlineNs; });
    const std::int64_t waitNs = first->deadlineNs - nowNs_();
    // Rounded up: a poll never fires before its deadline's millisecond.
    const std::int64_t waitMs = waitNs <= 0 ? 0 : (waitNs + 999999) / 1000000;
    timer_.start(int(std::min<std::int64_t>(waitMs, INT_MAX)));
}

void PollClock::fireDue()
{
    const std::int64_t due = nowNs_() + kSameWakeUpNs;
    std::vector<Source*> firing;
    for (const Arming& a : armed_)
        if (a.deadlineNs <= due)
            firing.push_back(a.source);
    // Each fires disarmed and arms itself again; a poll that an earlier handler of
    // this wake-up disarmed, re-armed for later or deleted does not fire.
    for (Source* source : firing) {
        const auto armed = std::find_if(armed_.begin(), armed_.end(), [source](const Arming& a) { return a.source == source; });
        if (armed == armed_.end() || armed->deadlineNs > due)
            continue;
        armed_.erase(armed);
        source->fire();
    }
    rearm();
}

}  // namespace pvstim
