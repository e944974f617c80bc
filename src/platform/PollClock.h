#pragma once

#include "platform/Platform.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace pvstim {

// One Qt timer for every poll of the program. Polls due at the same moment (the
// window timers put their polls on a grid of their interval) fire in one wake-up
// of the event loop instead of one each.
class PollClock {
public:
    // `nowNs` reads the clock the deadlines are given in.
    explicit PollClock(std::function<std::int64_t()> nowNs);
    ~PollClock();

    std::unique_ptr<TimerSource> createSource(std::function<void()> onFire);

private:
    class Source;
    void arm(Source* source, std::int64_t deadlineNs);
    void disarm(Source* source);
    bool isArmed(const Source* source) const;
    void rearm();
    void fireDue();

    struct Arming {
        Source* source;
        std::int64_t deadlineNs;
    };
    std::function<std::int64_t()> nowNs_;
    std::vector<Arming> armed_;
    QTimer timer_;
};

}  // namespace pvstim
