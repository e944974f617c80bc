// The flicker clock in virtual time: rhythm presets, the manual drift, the clock's
// interval and schedule, and how the phases meet marker and mandala pictures.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "run/StimulationWindow.h"

#include <QImage>

#include <cmath>
#include <vector>

using namespace pvstim;
using namespace pvstim::test;

namespace {

constexpr std::int64_t kNsPerMs = 1000000;

struct Tick {
    std::int64_t ns;   // virtual time of the tick
    double hz;         // stimulation frequency after it
    bool lit;          // phase after it
};

}  // namespace

class FlickerTest : public AppTest {
protected:
    // Records every flicker tick, then lets the clock run.
    void startClock()
    {
        auto tick = stimulationWindow()->flipTimer->OnTimer;
        stimulationWindow()->flipTimer->OnTimer = [this, tick] {
            tick();
            ticks.push_back({ fake.monotonicNs(), stimulationWindow()->flicker.frequency, stimulationWindow()->litPhase() });
        };
        stimulationWindow()->flipTimer->setEnabled(true);
    }

    void setManual(bool on) { controlWindow()->manualBox->setChecked(on); }

    // Runs timer by timer until `count` more flicker ticks have happened.
    void runTicks(std::size_t count)
    {
        const std::size_t target = ticks.size() + count;
        for (int guard = 0; ticks.size() < target && guard < 1000000; ++guard) {
            const std::int64_t next = fake.nextDeadlineNs();
            ASSERT_GE(next, 0) << "no timer armed";
            fake.advanceNs(next - fake.monotonicNs());
        }
        ASSERT_EQ(ticks.size(), target);
    }

    std::vector<Tick> ticks;
};

// --- Presets and the clock's interval -------------------------------------------

namespace {

struct IntervalCase {
    double hz;
    int intervalMs;
};

void PrintTo(const IntervalCase& c, std::ostream* out) { *out << c.hz << " Hz"; }

}  // namespace

class FlickerIntervalTest : public FlickerTest, public ::testing::WithParamInterface<IntervalCase> { };

TEST_P(FlickerIntervalTest, HalfThePeriodRoundedToWholeMilliseconds)
{
    const IntervalCase c = GetParam();
    stimulationWindow()->setFrequency(c.hz);
    EXPECT_EQ(stimulationWindow()->flipTimer->Interval(), c.intervalMs);
    EXPECT_DOUBLE_EQ(stimulationWindow()->flicker.frequency, c.hz);
    EXPECT_FALSE(stimulationWindow()->flipTimer->Enabled()) << "setting the frequency never starts the clock";
}

INSTANTIATE_TEST_SUITE_P(Frequencies, FlickerIntervalTest,
    ::testing::Values(IntervalCase { 13, 38 }, IntervalCase { 10, 50 }, IntervalCase { 9, 56 },
        IntervalCase { 5, 100 }, IntervalCase { 1, 500 }, IntervalCase { 0.4, 1250 },
        IntervalCase { 0.25, 2000 }, IntervalCase { 0.099, 5051 }, IntervalCase { 600, 1 },
        IntervalCase { 2000, 1 }));

TEST_F(FlickerTest, FrequenciesOfZeroOrBelowChangeNothing)
{
    stimulationWindow()->setFrequency(9);
    stimulationWindow()->flipTimer->setEnabled(true);
    for (double hz : { 0.0, -1.0, -0.001, std::nan("") }) {
        stimulationWindow()->setFrequency(hz);
        EXPECT_EQ(stimulationWindow()->flipTimer->Interval(), 56) << hz;
        EXPECT_DOUBLE_EQ(stimulationWindow()->flicker.frequency, 9.0) << hz;
        EXPECT_TRUE(stimulationWindow()->flipTimer->Enabled()) << hz;
    }
}

TEST_F(FlickerTest, SelectRhythmStoresTheModeAndTheBaseFrequencyWithoutStartingTheClock)
{
    const struct {
        Rhythm mode;
        double hz;
        int intervalMs;
    } presets[] = { { Rhythm::LowBeta, 13, 38 }, { Rhythm::HighAlpha, 10, 50 }, { Rhythm::LowAlpha, 9, 56 },
        { Rhythm::Theta, 5, 100 }, { Rhythm::Delta, 1, 500 } };
    for (const auto& p : presets) {
        stimulationWindow()->selectRhythm(p.mode);
        EXPECT_EQ(stimulationWindow()->flicker.rhythm, p.mode);
        EXPECT_DOUBLE_EQ(stimulationWindow()->flicker.frequency, p.hz) << int(p.mode);
        EXPECT_EQ(stimulationWindow()->flipTimer->Interval(), p.intervalMs) << int(p.mode);
        EXPECT_FALSE(stimulationWindow()->flipTimer->Enabled());
    }
    // Switching presets while the clock runs keeps it running.
    stimulationWindow()->flipTimer->setEnabled(true);
    stimulationWindow()->selectRhythm(Rhythm::Theta);
    EXPECT_TRUE(stimulationWindow()->flipTimer->Enabled());
    EXPECT_DOUBLE_EQ(stimulationWindow()->flicker.frequency, 5.0);
}

// --- The manual drift ----------------------------------------------------------

namespace {

struct BandCase {
    std::optional<Rhythm> mode;
    double hz;
    bool risingBefore;
    bool risingAfter;
    double hzAfter;
};

void PrintTo(const BandCase& c, std::ostream* out)
{
    *out << "mode " << (c.mode ? int(*c.mode) : 5) << " at " << c.hz << " Hz, " << (c.risingBefore ? "rising" : "falling");
}

}  // namespace

class FlickerBandTest : public FlickerTest, public ::testing::WithParamInterface<BandCase> { };

TEST_P(FlickerBandTest, OneTickTurnsAtTheBandEdgesAndStepsByThePhaseLengthWithinTheBand)
{
    const BandCase c = GetParam();
    setManual(true);
    stimulationWindow()->flicker.rhythm = c.mode;
    stimulationWindow()->flicker.frequency = c.hz;
    stimulationWindow()->flicker.driftRising = c.risingBefore;
    startClock();
    runTicks(1);
    EXPECT_EQ(stimulationWindow()->flicker.driftRising, c.risingAfter);
    EXPECT_NEAR(stimulationWindow()->flicker.frequency, c.hzAfter, 1e-6);
    EXPECT_EQ(stimulationWindow()->flicker.rhythm, c.mode);
}

// A step is 0.0001 Hz for each millisecond of the phase at the frequency before it.
INSTANTIATE_TEST_SUITE_P(Edges, FlickerBandTest,
    ::testing::Values(
        // Strict in Low Beta and High Alpha: the edge itself does not turn the drift, but a
        // step that would pass it ends there and turns.
        BandCase { Rhythm::LowBeta, 12.0, false, true, 12.0 }, BandCase { Rhythm::LowBeta, 11.999, false, true, 12.0031670 },
        BandCase { Rhythm::LowBeta, 15.0, true, false, 15.0 }, BandCase { Rhythm::LowBeta, 15.001, true, false, 14.9976669 },
        BandCase { Rhythm::HighAlpha, 9.0, false, true, 9.0 }, BandCase { Rhythm::HighAlpha, 12.0, true, false, 12.0 },
        BandCase { Rhythm::HighAlpha, 12.0005, true, false, 11.9963335 },
        // Inclusive in Low Alpha, Theta and Delta.
        BandCase { Rhythm::LowAlpha, 8.0, false, true, 8.00625 }, BandCase { Rhythm::LowAlpha, 10.0, true, false, 9.995 },
        BandCase { Rhythm::LowAlpha, 9.0, true, true, 9.0055556 }, BandCase { Rhythm::LowAlpha, 9.0, false, false, 8.9944444 },
        BandCase { Rhythm::Theta, 4.0, false, true, 4.0125 }, BandCase { Rhythm::Theta, 7.0, true, false, 6.9928571 },
        BandCase { Rhythm::Delta, 4.0, true, false, 3.9875 }, BandCase { Rhythm::Delta, 0.1, false, true, 0.6 },
        // A 3.3 s phase at 0.15 Hz would step to below zero: it ends on 0.1 Hz.
        BandCase { Rhythm::Delta, 0.15, false, true, 0.1 },
        // No preset chosen: the direction stays whatever the frequency, and no band holds it.
        BandCase { std::nullopt, 30.0, true, true, 30.0016667 }, BandCase { std::nullopt, 0.5, false, false, 0.4 }));

namespace {

struct PaceCase {
    Rhythm mode;
    double startHz;
    double turnHz;        // the edge reached first, falling
    double firstTurnS;    // seconds of flicker to reach it
    double otherHz;       // the other edge, rising
    double secondTurnS;   // seconds of flicker from the first edge to the other
};

void PrintTo(const PaceCase& c, std::ostream* out) { *out << "mode " << int(c.mode) << " from " << c.startHz; }

}  // namespace

class FlickerPaceTest : public FlickerTest, public ::testing::WithParamInterface<PaceCase> { };

TEST_P(FlickerPaceTest, DriftSweepsAboutATenthOfAHertzASecondWhateverTheFrequency)
{
    const PaceCase c = GetParam();
    setManual(true);
    stimulationWindow()->flicker.rhythm = c.mode;
    stimulationWindow()->setFrequency(c.startHz);
    stimulationWindow()->flicker.driftRising = false;
    startClock();
    const std::int64_t startNs = fake.monotonicNs();
    const auto secondsTo = [&](double hz, std::size_t from) {
        for (std::size_t i = from; i < 100000; ++i) {
            if (i >= ticks.size())
                runTicks(1);
            if (std::fabs(ticks[i].hz - hz) < 1e-9)
                return std::pair { (ticks[i].ns - startNs) / 1e9, i };
        }
        ADD_FAILURE() << hz << " Hz never reached";
        return std::pair { 0.0, from };
    };
    const auto [first, firstTick] = secondsTo(c.turnHz, 0);
    EXPECT_NEAR(first, c.firstTurnS, c.firstTurnS * 0.1);
    const auto [second, secondTick] = secondsTo(c.otherHz, firstTick);
    EXPECT_NEAR(second - first, c.secondTurnS, c.secondTurnS * 0.1);
    for (std::size_t i = 0; i <= secondTick; ++i)
        ASSERT_TRUE(ticks[i].hz >= std::min(c.turnHz, c.otherHz) && ticks[i].hz <= std::max(c.turnHz, c.otherHz))
            << "tick " << i << " at " << ticks[i].hz << " Hz";
}

INSTANTIATE_TEST_SUITE_P(Bands, FlickerPaceTest,
    ::testing::Values(PaceCase { Rhythm::LowBeta, 13.0, 12.0, 10.0, 15.0, 30.0 }, PaceCase { Rhythm::Delta, 1.0, 0.1, 9.0, 4.0, 39.0 },
        PaceCase { Rhythm::Theta, 5.0, 4.0, 10.0, 7.0, 30.0 }));

TEST_F(FlickerTest, ManualOffLeavesTheFrequencyButRewritesTextAndInterval)
{
    setManual(false);
    stimulationWindow()->flicker.rhythm = Rhythm::Theta;
    stimulationWindow()->flicker.frequency = 7.5;
    stimulationWindow()->flicker.driftRising = true;
    startClock();
    runTicks(1);
    EXPECT_EQ(controlWindow()->frequencyLabel->Caption(), QStringLiteral("Частота стимуляции ГМ: 7.500 Hz"));
    EXPECT_EQ(stimulationWindow()->flipTimer->Interval(), 67);
    runTicks(20);
    EXPECT_DOUBLE_EQ(stimulationWindow()->flicker.frequency, 7.5);

    // A frequency changed elsewhere is shown and applied on the next tick.
    stimulationWindow()->flicker.frequency = 0.3;
    controlWindow()->frequencyLabel->setCaption(QStringLiteral("-"));
    runTicks(1);
    EXPECT_EQ(controlWindow()->frequencyLabel->Caption(), QStringLiteral("Частота стимуляции ГМ: 0.300 Hz"));
    EXPECT_EQ(stimulationWindow()->flipTimer->Interval(), 1667);
    EXPECT_DOUBLE_EQ(stimulationWindow()->flicker.frequency, 0.3);
}

TEST_F(FlickerTest, FrequencyTextFollowsTheUserNumberFormat)
{
    NumberFormat comma;
    comma.decimalSeparator = QStringLiteral(",");
    comma.groupSeparator = QStringLiteral(" ");
    fake.setNumberFormat(comma);
    const struct {
        double hz;
        const char* text;
    } cases[] = {
        { 13.0, "13,000" },
        { 9.87654, "9,877" },
        { 0.0996, "0,100" },
        { 123.4567, "123,460" },   // five significant digits at most
        { 1234.5678, "1 234,600" },
        { 99999.4, "99 999,000" },
    };
    startClock();
    for (const auto& c : cases) {
        stimulationWindow()->flicker.frequency = c.hz;
        runTicks(1);
        EXPECT_EQ(controlWindow()->frequencyLabel->Caption(),
            QStringLiteral("Частота стимуляции ГМ: ") + QString::fromUtf8(c.text) + QStringLiteral(" Hz"))
            << c.hz;
    }
}

// --- Schedule ------------------------------------------------------------------

TEST_F(FlickerTest, WithoutARhythmTheFirstTickComesAfterTheDesignedSecond)
{
    fake.advanceMs(777);
    stimulationWindow()->flicker.frequency = 10.0;  // as Start sets it, without touching the clock
    startClock();
    runTicks(4);
    EXPECT_EQ(ticks[0].ns, (777 + 1000) * kNsPerMs);
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_EQ(ticks[i].ns - ticks[i - 1].ns, 50 * kNsPerMs) << i;
}

TEST_F(FlickerTest, AfterARhythmTheFirstTickComesHalfAPeriodAfterEnabling)
{
    stimulationWindow()->selectRhythm(Rhythm::HighAlpha);
    startClock();
    runTicks(1);
    EXPECT_EQ(ticks[0].ns, 50 * kNsPerMs);
}

class FlickerRateTest : public FlickerTest, public ::testing::WithParamInterface<double> { };

TEST_P(FlickerRateTest, MeanFlipRateOverAMinuteIsTwiceTheFrequency)
{
    const double hz = GetParam();
    stimulationWindow()->setFrequency(hz);
    startClock();
    runTicks(1);
    ticks.clear();
    const std::int64_t from = fake.monotonicNs();
    fake.advanceMs(60000);
    const double seconds = double(fake.monotonicNs() - from) / 1e9;
    // Flips are the ticks that changed the phase; none may be skipped or doubled.
    std::size_t flips = 0;
    bool lit = !ticks.front().lit;
    for (const Tick& t : ticks) {
        EXPECT_NE(t.lit, lit);
        lit = t.lit;
        ++flips;
    }
    const double rate = double(flips) / seconds;
    EXPECT_NEAR(rate, 2 * hz, 2 * hz * 0.005) << flips << " flips";
}

INSTANTIATE_TEST_SUITE_P(Frequencies, FlickerRateTest, ::testing::Values(13.0, 9.0, 7.3, 3.1, 1.7));

TEST_F(FlickerTest, FlipsFollowADriftingFrequencyExactly)
{
    setManual(true);
    stimulationWindow()->flicker.rhythm = Rhythm::LowBeta;
    stimulationWindow()->flicker.frequency = 13.0;
    startClock();
    runTicks(400);
    // Each flip lies half a period of the frequency then in force after the one
    // before, to the nanosecond, whatever the whole-millisecond interval says.
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const std::int64_t expected = std::llround(500.0 / ticks[i - 1].hz * kNsPerMs);
        ASSERT_NEAR(double(ticks[i].ns - ticks[i - 1].ns), double(expected), 1.0) << "tick " << i;
    }
}

// --- Phases and pictures -------------------------------------------------------

TEST_F(FlickerTest, EachTickTogglesThePhase)
{
    stimulationWindow()->setFrequency(10);
    EXPECT_TRUE(stimulationWindow()->litPhase());
    startClock();
    runTicks(6);
    for (std::size_t i = 0; i < ticks.size(); ++i)
        EXPECT_EQ(ticks[i].lit, i % 2 == 1) << "tick " << i;
}

TEST_F(FlickerTest, AMarkerHoldsTheLitPhaseUntilItIsTakenAway)
{
    QImage marker(16, 16, QImage::Format_RGB32);
    marker.fill(Qt::red);
    stimulationWindow()->setFrequency(10);
    startClock();
    runTicks(1);
    ASSERT_FALSE(stimulationWindow()->litPhase());

    // A marker arriving in the blank phase is shown at once.
    stimulationWindow()->pictureArea->Picture().setBitmap(marker);
    EXPECT_TRUE(stimulationWindow()->litPhase());
    runTicks(7);
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_TRUE(ticks[i].lit) << "tick " << i;
    EXPECT_FALSE(stimulationWindow()->pictureArea->Picture().isEmpty()) << "the marker stays on show";

    stimulationWindow()->pictureArea->Picture().releaseBitmap();
    runTicks(2);
    EXPECT_FALSE(ticks[ticks.size() - 2].lit);
    EXPECT_TRUE(ticks.back().lit);
}

class FlickerMandalaTest : public FlickerTest, public ::testing::WithParamInterface<std::size_t> { };

// Arriving in the blank phase (after one tick) or the lit one (after two), a mandala
// is on show from its arrival to the next tick, which drops it and shows the phase
// the flicker's alternation is in: a mandala never shifts the flicker.
TEST_P(FlickerMandalaTest, AMandalaShowsAtOnceWhateverThePhaseAndGoesAtTheNextTick)
{
    QImage mandala(32, 24, QImage::Format_RGB32);
    mandala.fill(Qt::blue);
    const QString file = path("mandals/1.jpg");
    QDir().mkpath(path("mandals"));
    ASSERT_TRUE(mandala.save(file, "JPG"));

    stimulationWindow()->setFrequency(10);
    startClock();
    runTicks(GetParam());
    stimulationWindow()->pictureArea->Picture().LoadFromFile(file);
    ASSERT_EQ(stimulationWindow()->pictureArea->Picture().kind(), TPicture::Kind::Jpeg);
    EXPECT_TRUE(stimulationWindow()->litPhase()) << "on show at once";
    runTicks(1);
    EXPECT_EQ(stimulationWindow()->pictureArea->Picture().kind(), TPicture::Kind::Bitmap);
    EXPECT_TRUE(stimulationWindow()->pictureArea->Picture().isEmpty());
    EXPECT_EQ(stimulationWindow()->litPhase(), GetParam() % 2 == 1) << "the flicker keeps its alternation";
}

INSTANTIATE_TEST_SUITE_P(Phases, FlickerMandalaTest, ::testing::Values(std::size_t(1), std::size_t(2)));
