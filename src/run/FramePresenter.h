#pragma once

#include "platform/Platform.h"
#include "run/PhasePlan.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace pvstim {

class FlipLog;

// Flips the flicker's phases on whole display frames, counted from the swaps of a
// frame surface, with the lengths a PhasePlan gives. Frames that a swap skipped are
// counted as missed and the plan catches up on them.
//
// Before it takes over, it measures a few dozen swaps; they show whether the
// surface is paced by the display (a working swap interval) or not. It never
// decides what a phase shows: the window's flip does that.
class FramePresenter {
public:
    struct Hooks {
        std::function<double()> frequency;  // the stimulation frequency now
        std::function<bool()> flip;         // turns the phase; returns true when lit
        // Whether the flicker runs; while it does not, the phase on show stays.
        // Unset: always.
        std::function<bool()> running;
    };
    enum class State { Off, Measuring, Pacing };

    FramePresenter(FrameSurface& surface, Hooks hooks, FlipLog* log);
    ~FramePresenter();

    // Starts the surface and measures `swaps` swap intervals. `done` gets the
    // refresh rate the swaps keep to, or nothing when they are not steadily paced
    // or do not come within `timeoutMs`. The surface keeps running either way.
    void measure(int swaps, int timeoutMs, std::function<void(std::optional<double>)> done);
    // From the next swap on, the phases follow the frames of a display refreshing
    // at `refreshHz`. The phase on show began at `phaseBeganNs`; the time it has
    // been up counts towards its length.
    void pace(double refreshHz, std::int64_t phaseBeganNs);
    void stop();

    State state() const { return state_; }
    int missedFrames() const { return missed_; }
    double refreshHz() const { return periodNs_ > 0 ? 1e9 / periodNs_ : 0.0; }

    // The refresh rate that swaps completed at these times keep to, or nothing
    // when they are not steady enough to lock phases to. `reportedHz` is what the
    // system says the screen refreshes at (0: unknown); swaps well off it are
    // paced by something other than the display.
    static std::optional<double> steadyRefreshHz(const std::vector<std::int64_t>& swapsNs, double reportedHz);

private:
    void onFrame(std::int64_t swapNs);
    void measured(std::int64_t swapNs);
    void paced(std::int64_t swapNs);

    FrameSurface& surface_;
    Hooks hooks_;
    FlipLog* log_;
    State state_ = State::Off;

    // Measuring.
    std::vector<std::int64_t> swaps_;
    std::size_t swapsWanted_ = 0;
    std::function<void(std::optional<double>)> done_;
    std::unique_ptr<TimerSource> timeout_;

    // Pacing.
    std::optional<PhasePlan> plan_;
    double periodNs_ = 0;
    std::int64_t lastSwapNs_ = -1;
    double frameFraction_ = 0;   // frames counted from swap times, not yet whole
    std::int64_t frame_ = 0;     // frames since pacing began
    std::int64_t boundary_ = 0;
    std::int64_t phaseStart_ = 0;  // the frame the next phase begins at
    std::int64_t phaseBeganNs_ = 0;
    bool flipped_ = false;       // a phase was flipped at the last swap
    int missed_ = 0;
};

}  // namespace pvstim
