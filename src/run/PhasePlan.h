#pragma once

namespace pvstim {

// Lengths of the flicker's phases in whole display frames.
//
// A phase ideally lasts R / 2f frames (R the refresh rate, f the stimulation
// frequency). The plan rounds the running sum of those ideal lengths, so the mean
// rate equals f to within the refresh's own accuracy and each phase stays within
// half a frame of its ideal length. A new frequency takes effect with the phase
// asked for next. Above R / 2 every phase lasts one frame, the display's limit.
//
// Frames the display missed lengthen the phase that was on show; the plan gives
// them back by shortening later phases one frame at a time, never below one frame
// and never more than a frame short of their ideal length, so it catches up
// without a burst of short phases. A stall longer than a phase is not repaid.
//
// The plan knows nothing of time, swaps or pictures.
class PhasePlan {
public:
    explicit PhasePlan(double refreshHz);

    double refreshHz() const { return refreshHz_; }
    // Frames a phase would last at `hz` if frames were divisible.
    double idealFrames(double hz) const;

    // The length of the next phase, in frames (at least 1). A frequency that is not
    // a positive number keeps the last one.
    int nextPhaseFrames(double hz);

    // The phase that just ended lasted `frames` longer than planned.
    void framesMissed(int frames);

    // Frames still owed after missed frames.
    int owedFrames() const { return owed_; }

private:
    double refreshHz_;
    double lastHz_ = 1.0;
    double carry_ = 0.0;  // ideal frames not yet given to a phase, within +-0.5
    int owed_ = 0;
};

}  // namespace pvstim
