// Phases locked to display frames, in virtual time on the fake frame clock: the
// rate and the phase lengths the plan gives, the catch-up after missed frames, and
// the choice between the frame and the timer presenter at the start of a run.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/Timer.h"
#include "run/FlickerOptions.h"
#include "run/FlipLog.h"
#include "run/FramePresenter.h"
#include "run/StimulationWindow.h"

#include <QWidget>

#include <cmath>
#include <optional>
#include <vector>

using namespace pvstim;
using namespace pvstim::test;

namespace {

constexpr std::int64_t kNsPerS = 1000000000;

// Times of the swaps that showed a new phase.
std::vector<std::int64_t> flipTimes(const std::vector<FakePlatform::Frame>& frames)
{
    std::vector<std::int64_t> times;
    for (std::size_t i = 1; i < frames.size(); ++i)
        if (frames[i].lit != frames[i - 1].lit)
            times.push_back(frames[i].ns);
    return times;
}

// Lengths in display frames of the phases between the first and the last flip the
// surface showed (a missed refresh lengthens a phase though no swap came).
std::vector<int> phaseLengths(const std::vector<FakePlatform::Frame>& frames, double refreshHz)
{
    const std::vector<std::int64_t> flips = flipTimes(frames);
    std::vector<int> lengths;
    for (std::size_t i = 1; i < flips.size(); ++i)
        lengths.push_back(int(std::lround(double(flips[i] - flips[i - 1]) * refreshHz / 1e9)));
    return lengths;
}

// A frame presenter on the fake surface that flips a phase flag at a fixed frequency.
class PacedFlicker {
public:
    PacedFlicker(FakePlatform& fake, double hz)
        : surface_(fake.createFrameSurface(window_))
        , hz_(hz)
    {
        FramePresenter::Hooks hooks;
        hooks.frequency = [this] { return hz_; };
        hooks.flip = [this] { return lit_ = !lit_; };
        presenter_.emplace(*surface_, std::move(hooks), &log);
        log.setFramesCounted(true);
    }

    void run(FakePlatform& fake, double refreshHz, std::int64_t ns)
    {
        presenter_->pace(refreshHz, fake.monotonicNs());
        fake.advanceNs(ns);
        presenter_->stop();
    }

    FlipLog log;

private:
    QWidget window_;
    std::unique_ptr<FrameSurface> surface_;
    double hz_;
    bool lit_ = true;
    std::optional<FramePresenter> presenter_;
};

class FakePlatformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.frameClock.openGl = true;
        Platform::install(&fake);
    }
    void TearDown() override { Platform::install(nullptr); }
    FakePlatform fake;
};

}  // namespace

// --- Rate and phase lengths ------------------------------------------------------

class PhaseLengthTest : public FakePlatformTest,
                        public ::testing::WithParamInterface<std::tuple<double, double>> { };

TEST_P(PhaseLengthTest, AMinuteKeepsTheRateAndEveryPhaseWithinAFrameOfItsIdealLength)
{
    const auto [refreshHz, hz] = GetParam();
    fake.frameClock.refreshHz = refreshHz;
    PacedFlicker flicker(fake, hz);
    flicker.run(fake, refreshHz, 60 * kNsPerS);

    const double ideal = refreshHz / (2 * hz);
    const std::vector<int> lengths = phaseLengths(fake.frames, fake.frameClock.refreshHz);
    ASSERT_FALSE(lengths.empty());
    for (std::size_t i = 0; i < lengths.size(); ++i)
        ASSERT_LT(std::fabs(lengths[i] - ideal), 1.0) << "phase " << i << " of " << lengths[i] << " frames";
    const FlipLog::Summary s = flicker.log.summary();
    EXPECT_NEAR(s.measuredHz, hz, 1e-4 * hz) << s.text().toStdString();
    EXPECT_EQ(s.missedFrames, 0);
}

INSTANTIATE_TEST_SUITE_P(RefreshAndFrequency, PhaseLengthTest,
    ::testing::Combine(::testing::Values(60.0, 75.0, 144.0),
        ::testing::Values(0.1, 0.37, 1.0, 4.0, 7.77, 9.0, 10.0, 12.5, 13.0, 15.0, 23.4, 30.0)));

TEST_F(FakePlatformTest, AboveHalfTheRefreshEveryPhaseLastsOneFrame)
{
    PacedFlicker flicker(fake, 45.0);
    flicker.run(fake, 60.0, kNsPerS);
    for (int length : phaseLengths(fake.frames, fake.frameClock.refreshHz))
        ASSERT_EQ(length, 1);
    EXPECT_NEAR(flicker.log.summary().measuredHz, 30.0, 0.01) << "the display's limit";
    EXPECT_DOUBLE_EQ(flicker.log.summary().highestHz, 45.0) << "the frequency set is the one shown";
}

// --- Missed frames --------------------------------------------------------------

namespace {

struct MissCase {
    double refreshHz;
    double hz;
    std::vector<std::int64_t> missed;  // refreshes no swap completes at
    bool stall;                        // more than a phase behind: not given back
};

void PrintTo(const MissCase& c, std::ostream* out)
{
    *out << c.hz << " Hz at " << c.refreshHz << " Hz, " << c.missed.size() << " missed";
}

std::vector<std::int64_t> range(std::int64_t first, std::int64_t count)
{
    std::vector<std::int64_t> r;
    for (std::int64_t i = 0; i < count; ++i)
        r.push_back(first + i);
    return r;
}

}  // namespace

class MissedFrameTest : public FakePlatformTest, public ::testing::WithParamInterface<MissCase> { };

TEST_P(MissedFrameTest, ThePlanCatchesUpWithoutABurst)
{
    const MissCase c = GetParam();
    fake.frameClock.refreshHz = c.refreshHz;
    fake.frameClock.missed = c.missed;
    fake.frameClock.jitterNs = 300000;
    PacedFlicker flicker(fake, c.hz);
    flicker.run(fake, c.refreshHz, 60 * kNsPerS);

    EXPECT_EQ(flicker.log.summary().missedFrames, int(c.missed.size())) << "every missed refresh is seen";
    // No phase is cut below a frame short of its ideal length to make up time.
    const double ideal = c.refreshHz / (2 * c.hz);
    const int shortest = std::max(1, int(std::ceil(ideal)) - 1);
    for (int length : phaseLengths(fake.frames, fake.frameClock.refreshHz))
        ASSERT_GE(length, shortest);
    if (c.stall)
        return;
    // By the end of the minute the frames owed are given back: the last flip is
    // where the phases' ideal lengths put it.
    const std::vector<std::int64_t> flips = flipTimes(fake.frames);
    ASSERT_GT(flips.size(), 10u);
    const double frames = double(flips.back() - flips.front()) * c.refreshHz / 1e9;
    EXPECT_NEAR(frames, double(flips.size() - 1) * ideal, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Misses, MissedFrameTest,
    ::testing::Values(MissCase { 60, 13, { 100 }, false }, MissCase { 60, 13, range(700, 3), false },
        MissCase { 144, 10, { 500, 1000, 1001, 5000 }, false }, MissCase { 75, 1, range(40, 20), false },
        MissCase { 60, 5, range(600, 120), true }));

// --- The choice at the start of a run ------------------------------------------

namespace {

struct ChoiceCase {
    const char* name;
    FakePlatform::FrameClock clock;
    PresenterChoice option;
    const char* presenter;  // how the summary begins to name it
};

void PrintTo(const ChoiceCase& c, std::ostream* out) { *out << c.name; }

FakePlatform::FrameClock clockWith(double hz, std::int64_t jitterNs = 0)
{
    FakePlatform::FrameClock c;
    c.openGl = true;
    c.refreshHz = hz;
    c.jitterNs = jitterNs;
    return c;
}

}  // namespace

class PresenterChoiceTest : public AppTest, public ::testing::WithParamInterface<ChoiceCase> {
protected:
    void prepare() override
    {
        fake.frameClock = GetParam().clock;
        flickerOptions() = FlickerOptions { GetParam().option, path(QStringLiteral("flips.csv")) };
    }
    void TearDown() override
    {
        flickerOptions() = FlickerOptions {};
        AppTest::TearDown();
    }
};

TEST_P(PresenterChoiceTest, TheFramesTakeOverOnlyWhenSwapsAreSteadilyPaced)
{
    const ChoiceCase c = GetParam();
    stimulationWindow()->setFrequency(13.0);
    stimulationWindow()->flipTimer->setEnabled(true);
    fake.advanceMs(20000);
    destroyWindowSet();
    const QString summary = QString::fromUtf8(readFile(path(QStringLiteral("flips.csv.summary.txt"))));
    ASSERT_TRUE(summary.contains(QStringLiteral("presenter ") + QLatin1String(c.presenter))) << summary.toStdString();

    // Whichever presenter runs, the rate is the one set, and the two never flip
    // the same phase.
    const auto measured = summary.section(QStringLiteral("measured rate: "), 1).section(QLatin1Char(' '), 0, 0);
    EXPECT_NEAR(measured.toDouble(), 13.0, 0.013) << summary.toStdString();
    if (QLatin1String(c.presenter) == QLatin1String("frame") && !c.clock.unpaced) {
        const double ideal = c.clock.refreshHz / 26.0;
        const std::vector<int> lengths = phaseLengths(fake.frames, fake.frameClock.refreshHz);
        ASSERT_GT(lengths.size(), 100u);
        for (int length : lengths)
            ASSERT_LT(std::fabs(length - ideal), 1.0 + double(c.clock.missed.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Clocks, PresenterChoiceTest,
    ::testing::Values(ChoiceCase { "steady 60 Hz", clockWith(60), PresenterChoice::Auto, "frame" },
        ChoiceCase { "144 Hz with jitter", clockWith(144, 400000), PresenterChoice::Auto, "frame" },
        ChoiceCase { "60 Hz, a missed frame", [] { auto c = clockWith(60); c.missed = { 70 }; return c; }(),
            PresenterChoice::Auto, "frame" },
        ChoiceCase { "unpaced swaps", [] { auto c = clockWith(60); c.unpaced = true; return c; }(),
            PresenterChoice::Auto, "timer" },
        ChoiceCase { "jitter of half a frame", clockWith(60, 8000000), PresenterChoice::Auto, "timer" },
        ChoiceCase { "steady, off the reported rate", [] { auto c = clockWith(60); c.reportedHz = 75; return c; }(),
            PresenterChoice::Auto, "timer" },
        ChoiceCase { "no OpenGL", [] { auto c = clockWith(60); c.openGl = false; return c; }(),
            PresenterChoice::Auto, "timer" },
        ChoiceCase { "timer chosen", clockWith(60), PresenterChoice::Timer, "timer" },
        ChoiceCase { "frame chosen, unpaced", [] { auto c = clockWith(60); c.unpaced = true; return c; }(),
            PresenterChoice::Frame, "frame" }));

// At Start the swaps are measured while the window shows still; the frames must not
// flicker before the flicker clock runs (the first text line starts it).
class FramesBeforeTheFlickerTest : public AppTest {
protected:
    void prepare() override { fake.frameClock = clockWith(60); }
};

TEST_F(FramesBeforeTheFlickerTest, ThePhaseHoldsUntilTheClockRunsThenFollowsThePlan)
{
    stimulationWindow()->flicker.frequency = 10.0;  // as Start sets it, without touching the clock
    stimulationWindow()->Show();
    QApplication::processEvents();
    fake.advanceMs(3000);
    ASSERT_EQ(fake.frameSurfacesStarted, 1) << "the swaps are measured when the window shows";
    ASSERT_GT(fake.frames.size(), 100u);
    EXPECT_TRUE(flipTimes(fake.frames).empty()) << "no flip before the flicker clock runs";

    const std::int64_t enabledNs = fake.monotonicNs();
    stimulationWindow()->flipTimer->setEnabled(true);
    fake.advanceMs(4000);
    // As the flicker clock does without a rhythm: the first flip a second later.
    const std::vector<std::int64_t> flips = flipTimes(fake.frames);
    ASSERT_FALSE(flips.empty());
    EXPECT_GE(flips.front(), enabledNs + kNsPerS);
    EXPECT_LT(flips.front(), enabledNs + kNsPerS + 3 * kNsPerS / 60);
    const std::vector<int> lengths = phaseLengths(fake.frames, 60.0);
    ASSERT_GT(lengths.size(), 50u);
    for (int length : lengths)
        ASSERT_EQ(length, 3) << "10 Hz at 60 Hz: three frames a phase";
}
