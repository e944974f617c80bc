#include "run/PhasePlan.h"

#include <algorithm>
#include <cmath>

namespace pvstim {

PhasePlan::PhasePlan(double refreshHz)
    : refreshHz_(refreshHz > 0.0 && std::isfinite(refreshHz) ? refreshHz : 60.0)
{
}

double PhasePlan::idealFrames(double hz) const
{
    return refreshHz_ / (2.0 * hz);
}

int PhasePlan::nextPhaseFrames(double hz)
{
    if (hz > 0.0 && std::isfinite(hz))
        lastHz_ = hz;
    const double ideal = idealFrames(lastHz_);
    if (ideal <= 1.0) {
        // The display cannot show a shorter phase; there is nothing to diffuse and
        // nothing that could be given back.
        carry_ = 0.0;
        owed_ = 0;
        return 1;
    }
    const double wanted = carry_ + ideal;
    int frames = int(std::lround(wanted));
    carry_ = wanted - frames;

    // Give back one owed frame where the phase stays within a frame of its ideal
    // length; the rounding above then evens out the rest.
    const int shortest = std::max(1, int(std::ceil(ideal)) - 1);
    if (owed_ > 0 && frames > shortest) {
        --frames;
        --owed_;
    }
    return frames;
}

void PhasePlan::framesMissed(int frames)
{
    if (frames <= 0)
        return;
    // More than a phase behind is a stall: the flicker goes on from where it is.
    const int limit = int(std::ceil(idealFrames(lastHz_)));
    owed_ = std::min(owed_ + frames, limit);
    if (idealFrames(lastHz_) <= 1.0)
        owed_ = 0;
}

}  // namespace pvstim
