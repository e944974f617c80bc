#include "run/FramePresenter.h"

#include "run/FlipLog.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pvstim {

namespace {

// Refresh rates a display can plausibly run at.
constexpr double kLowestRefreshHz = 24.0;
constexpr double kHighestRefreshHz = 500.0;
// Swaps paced by a display keep within this share of their median interval...
constexpr double kSteadyTolerance = 0.1;
// ... all but this share of them (a missed frame now and then is allowed)...
constexpr double kUnsteadyShare = 0.1;
// ... and the median agrees this closely with the refresh the system reports.
constexpr double kReportedTolerance = 0.03;

}  // namespace

FramePresenter::FramePresenter(FrameSurface& surface, Hooks hooks, FlipLog* log)
    : surface_(surface)
    , hooks_(std::move(hooks))
    , log_(log)
{
    surface_.onFrame = [this](std::int64_t swapNs) { onFrame(swapNs); };
}

FramePresenter::~FramePresenter()
{
    surface_.onFrame = nullptr;
}

std::optional<double> FramePresenter::steadyRefreshHz(const std::vector<std::int64_t>& swapsNs, double reportedHz)
{
    if (swapsNs.size() < 3)
        return std::nullopt;
    std::vector<double> intervals;
    for (std::size_t i = 1; i < swapsNs.size(); ++i)
        intervals.push_back(double(swapsNs[i] - swapsNs[i - 1]));
    std::vector<double> sorted = intervals;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const double median = sorted[sorted.size() / 2];
    if (!(median > 0))
        return std::nullopt;
    const double hz = 1e9 / median;
    if (hz < kLowestRefreshHz || hz > kHighestRefreshHz)
        return std::nullopt;
    if (reportedHz > 0 && std::fabs(hz - reportedHz) > kReportedTolerance * reportedHz)
        return std::nullopt;

    // Outliers allowed are whole missed frames; anything else is not a display's pace.
    std::size_t off = 0;
    double sumSteady = 0;
    std::size_t steady = 0;
    for (double interval : intervals) {
        const double frames = interval / median;
        const double whole = std::round(frames);
        if (std::fabs(frames - 1.0) <= kSteadyTolerance) {
            sumSteady += interval;
            ++steady;
        } else if (whole < 2 || std::fabs(frames - whole) > kSteadyTolerance) {
            return std::nullopt;
        } else {
            ++off;
        }
    }
    if (double(off) > kUnsteadyShare * double(intervals.size()) || steady == 0)
        return std::nullopt;
    return 1e9 / (sumSteady / double(steady));
}

void FramePresenter::measure(int swaps, int timeoutMs, std::function<void(std::optional<double>)> done)
{
    state_ = State::Measuring;
    swaps_.clear();
    swapsWanted_ = std::size_t(std::max(3, swaps + 1));
    done_ = std::move(done);
    timeout_ = platform().createTimer([this] {
        if (state_ != State::Measuring)
            return;
        state_ = State::Off;
        if (auto done = std::exchange(done_, nullptr))
            done(std::nullopt);
    }, TimerPrecision::Millisecond);
    timeout_->armAt(platform().monotonicNs() + std::int64_t(timeoutMs) * 1000000);
    surface_.start();
}

void FramePresenter::pace(double refreshHz, std::int64_t phaseBeganNs)
{
    state_ = State::Pacing;
    phaseBeganNs_ = phaseBeganNs;
    plan_.emplace(refreshHz);
    periodNs_ = 1e9 / plan_->refreshHz();
    lastSwapNs_ = -1;
    frameFraction_ = 0;
    frame_ = 0;
    flipped_ = false;
    surface_.start();
}

void FramePresenter::stop()
{
    state_ = State::Off;
    if (timeout_)
        timeout_->disarm();
    surface_.stop();
}

void FramePresenter::onFrame(std::int64_t swapNs)
{
    switch (state_) {
    case State::Off:
        return;
    case State::Measuring:
        measured(swapNs);
        return;
    case State::Pacing:
        paced(swapNs);
        return;
    }
}

void FramePresenter::measured(std::int64_t swapNs)
{
    swaps_.push_back(swapNs);
    if (swaps_.size() < swapsWanted_)
        return;
    state_ = State::Off;
    timeout_->disarm();
    const std::optional<double> hz = steadyRefreshHz(swaps_, surface_.reportedRefreshHz());
    if (auto done = std::exchange(done_, nullptr))
        done(hz);
}

void FramePresenter::paced(std::int64_t swapNs)
{
    const bool flippedAtLastSwap = flipped_;
    if (flipped_ && log_)
        log_->phaseOnScreen(swapNs);
    flipped_ = false;

    if (lastSwapNs_ < 0) {
        // A phase is counted from the swap before the refresh that first shows it:
        // the phase on show gets its planned length less the frames it has been up,
        // and one that is overdue turns at once, owing the frames it overran.
        lastSwapNs_ = swapNs;
        frame_ = 0;
        const double upNs = double(std::max<std::int64_t>(0, swapNs - phaseBeganNs_));
        phaseStart_ = -(std::int64_t(std::floor(upNs / periodNs_)) + 1);
        boundary_ = phaseStart_ + plan_->nextPhaseFrames(hooks_.frequency());
    } else {
        // Frames are counted from the time between swaps, so a swap that returned
        // without waiting for the display counts for no frame and one that waited
        // for two counts for both.
        const double interval = double(swapNs - lastSwapNs_);
        frameFraction_ += interval / periodNs_;
        const auto frames = std::int64_t(std::llround(frameFraction_));
        if (std::fabs(interval - periodNs_) < 0.05 * periodNs_) {
            // Follow the display's own rate so that rounding never drifts into a
            // miscount over a long run.
            periodNs_ += (interval - periodNs_) / 64.0;
        }
        frameFraction_ -= double(frames);
        lastSwapNs_ = swapNs;
        if (frames > 1) {
            missed_ += int(frames - 1);
            if (log_)
                log_->framesMissed(int(frames - 1));
            if (flippedAtLastSwap) {
                // The phase just turned reached the screen late: it keeps its
                // length from there, and the plan owes the frames it came late.
                phaseStart_ += frames - 1;
                boundary_ += frames - 1;
                plan_->framesMissed(int(frames - 1));
            }
        }
        frame_ += frames;
    }
    if (hooks_.running && !hooks_.running()) {
        // The phase on show holds; the plan starts from here when the flicker does.
        phaseStart_ = frame_;
        boundary_ = frame_ + 1;
        return;
    }
    if (frame_ < boundary_)
        return;

    // The frame drawn next begins the next phase.
    const std::int64_t late = frame_ - boundary_;
    plan_->framesMissed(int(late));
    const std::int64_t dueNs = swapNs - std::int64_t(double(late) * periodNs_);
    if (log_)
        log_->phaseLasted(int(frame_ - phaseStart_));
    phaseStart_ = frame_;
    const bool lit = hooks_.flip();
    surface_.show(lit ? FrameSurface::Picture::Lit : FrameSurface::Picture::Blank);
    const double hz = hooks_.frequency();
    const int length = plan_->nextPhaseFrames(hz);
    if (log_) {
        FlipLog::Phase phase;
        phase.lit = lit;
        phase.hz = hz;
        phase.dueNs = dueNs;
        phase.paintedNs = platform().monotonicNs();
        phase.frames = length;
        log_->phaseBegan(phase);
    }
    flipped_ = true;
    boundary_ = frame_ + length;
}

}  // namespace pvstim
