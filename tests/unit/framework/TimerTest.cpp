#include "FakePlatform.h"
#include "framework/Exceptions.h"
#include "framework/Timer.h"

#include <QObject>

#include <gtest/gtest.h>

#include <vector>

using namespace pvstim;

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::install(&fake); }
    void TearDown() override { Platform::install(nullptr); }

    // Records the milliseconds on the virtual clock at which the handler runs.
    void record(TTimer& timer)
    {
        timer.OnTimer = [this] { ticks.push_back(fake.monotonicNs() / 1000000); };
    }

    FakePlatform fake;
    QObject owner;
    std::vector<std::int64_t> ticks;
};

TEST_F(TimerTest, TicksEveryIntervalWhileEnabled)
{
    TTimer timer(&owner, 100, false);
    record(timer);
    fake.advanceMs(500);
    EXPECT_TRUE(ticks.empty()) << "a disabled timer must not tick";
    timer.setEnabled(true);
    fake.advanceMs(350);
    EXPECT_EQ(ticks, (std::vector<std::int64_t> { 600, 700, 800 }));
    timer.setEnabled(false);
    fake.advanceMs(1000);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(TimerTest, PollsStartedApartTickTogetherOnTheirIntervalsGrid)
{
    fake.advanceMs(7);
    TTimer early(&owner, 20, true, TimerPrecision::Poll);
    fake.advanceMs(6);
    TTimer late(&owner, 20, true, TimerPrecision::Poll);
    std::vector<std::int64_t> lateTicks;
    record(early);
    late.OnTimer = [&] { lateTicks.push_back(fake.monotonicNs() / 1000000); };
    fake.advanceMs(50);
    EXPECT_EQ(ticks, (std::vector<std::int64_t> { 20, 40, 60 }));
    EXPECT_EQ(lateTicks, ticks);
}

TEST_F(TimerTest, ChangedIntervalRestartsTheCountAndSameIntervalDoesNot)
{
    TTimer timer(&owner, 100, true);
    record(timer);
    fake.advanceMs(80);
    timer.setInterval(100);  // unchanged: the count goes on
    fake.advanceMs(40);
    ASSERT_EQ(ticks, (std::vector<std::int64_t> { 100 }));
    fake.advanceMs(50);      // now 170
    timer.setInterval(300);  // restart from 170
    fake.advanceMs(400);
    EXPECT_EQ(ticks, (std::vector<std::int64_t> { 100, 470 }));
}

TEST_F(TimerTest, IntervalZeroStopsAndANewIntervalResumes)
{
    TTimer timer(&owner, 100, true);
    record(timer);
    timer.setInterval(0);
    fake.advanceMs(1000);
    EXPECT_TRUE(ticks.empty());
    EXPECT_TRUE(timer.Enabled());
    timer.setInterval(50);
    fake.advanceMs(120);
    EXPECT_EQ(ticks, (std::vector<std::int64_t> { 1050, 1100 }));
}

TEST_F(TimerTest, HandlerTimeDoesNotDelayTheNextTick)
{
    TTimer timer(&owner, 100, true);
    std::vector<std::int64_t> times;
    timer.OnTimer = [&] {
        times.push_back(fake.monotonicNs() / 1000000);
        // The next deadline is counted from this tick's deadline, not from the
        // handler's end.
        fake.spendMs(30);
    };
    fake.advanceMs(1000);
    ASSERT_EQ(times.size(), 10u);
    for (std::size_t i = 0; i < times.size(); ++i)
        EXPECT_EQ(times[i], std::int64_t(100 * (i + 1)));
}

TEST_F(TimerTest, ExceptionGoesToTheErrorBoxAndTheTimerKeepsTicking)
{
    TTimer timer(&owner, 100, true);
    int calls = 0;
    timer.OnTimer = [&] {
        ++calls;
        throw EInvalidOperation(QStringLiteral("tick failed"));
    };
    fake.advanceMs(300);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(fake.errors, QStringList({ "tick failed", "tick failed", "tick failed" }));
}

TEST_F(TimerTest, HandlerMayDisableOrRetimeItsOwnTimer)
{
    TTimer timer(&owner, 100, true);
    std::vector<std::int64_t> times;
    timer.OnTimer = [&] {
        times.push_back(fake.monotonicNs() / 1000000);
        if (times.size() == 1)
            timer.setInterval(250);  // restarts from this tick
        else if (times.size() == 3)
            timer.setEnabled(false);
    };
    fake.advanceMs(2000);
    EXPECT_EQ(times, (std::vector<std::int64_t> { 100, 350, 600 }));
}

TEST_F(TimerTest, ExactNextDeadlineOverridesTheWholeMillisecondInterval)
{
    TTimer timer(&owner, 38, true);
    std::vector<std::int64_t> timesNs;
    // 13 Hz flips: 38.461538... ms apart, carried exactly.
    const double halfPeriodNs = 500e6 / 13.0;
    std::int64_t base = 0;
    timer.OnTimer = [&] {
        timesNs.push_back(fake.monotonicNs());
        if (timesNs.size() == 1)
            base = fake.monotonicNs();
        timer.setNextDeadlineNs(base + std::int64_t(halfPeriodNs * timesNs.size()));
    };
    fake.advanceMs(38 + 26 * 1000);
    // 26 s of 13 Hz give 676 flips after the first one.
    ASSERT_GE(timesNs.size(), 676u);
    const double spanMs = (timesNs[676] - timesNs[0]) / 1e6;
    EXPECT_NEAR(spanMs, 26000.0, 0.001);
}

TEST_F(TimerTest, TimersFireInDeadlineOrderWithTiesInArmingOrder)
{
    std::vector<int> order;
    TTimer a(&owner, 30, false);
    TTimer b(&owner, 20, false);
    TTimer c(&owner, 30, false);
    a.OnTimer = [&] { order.push_back(1); };
    b.OnTimer = [&] { order.push_back(2); };
    c.OnTimer = [&] { order.push_back(3); };
    a.setEnabled(true);
    b.setEnabled(true);
    c.setEnabled(true);
    fake.advanceMs(60);
    EXPECT_EQ(order, (std::vector<int> { 2, 1, 3, 2, 1, 3, 2 }));
}
