// The real platform's timers against its own clock. Every timer of the program
// sits on these: one that fires before its deadline, keeps an earlier arming or
// fires after being disarmed breaks the flicker and every poll above it.
#include "platform/QtPlatform.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace pvstim;

namespace {

constexpr std::int64_t kMs = 1000000;

struct TimerCase {
    const char* name;
    TimerPrecision precision;
    std::int64_t earlyNs;  // how early it may fire: Qt's timers round to the nearest millisecond
};

class QtPlatformTimerTest : public ::testing::TestWithParam<TimerCase> { };

void runEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST_P(QtPlatformTimerTest, FiresOnceAtItsLastArmingAndNotAfterADisarm)
{
    QtPlatform platform;
    std::vector<std::int64_t> fired;
    const auto timer = platform.createTimer([&] { fired.push_back(platform.monotonicNs()); }, GetParam().precision);

    timer->armAt(platform.monotonicNs() + 5 * kMs);
    const std::int64_t deadline = platform.monotonicNs() + 40 * kMs;
    timer->armAt(deadline);
    EXPECT_TRUE(timer->isArmed());
    runEventLoopFor(400);
    ASSERT_EQ(fired.size(), 1u) << "the later arming replaces the earlier one";
    EXPECT_GE(fired[0], deadline - GetParam().earlyNs);
    EXPECT_LT(fired[0], deadline + 300 * kMs) << "a loaded machine may delay it, not this much";
    EXPECT_FALSE(timer->isArmed());

    timer->armAt(platform.monotonicNs() - kMs);
    runEventLoopFor(100);
    EXPECT_EQ(fired.size(), 2u) << "a deadline already past fires at once";

    // Disarmed before and after its deadline passed, before the event loop saw it.
    timer->armAt(platform.monotonicNs() + 10 * kMs);
    timer->disarm();
    timer->armAt(platform.monotonicNs() - kMs);
    timer->disarm();
    EXPECT_FALSE(timer->isArmed());
    runEventLoopFor(100);
    EXPECT_EQ(fired.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Precisions, QtPlatformTimerTest,
    ::testing::Values(TimerCase { "Millisecond", TimerPrecision::Millisecond, kMs },
        TimerCase { "Microsecond", TimerPrecision::Microsecond, 0 },
        TimerCase { "Poll", TimerPrecision::Poll, kMs }),
    [](const auto& info) { return std::string(info.param.name); });

// Polls due at one moment fire in one pass of the event loop, even when armed a
// moment apart; a poll that another's handler disarms does not fire.
TEST(QtPlatformPollTest, PollsDueTogetherFireInOnePassOfTheEventLoop)
{
    QtPlatform platform;
    std::vector<std::string> events;
    std::unique_ptr<TimerSource> third;
    const auto first = platform.createTimer([&] {
        events.push_back("first");
        QTimer::singleShot(0, [&] { events.push_back("loop turned"); });
        third->disarm();
    }, TimerPrecision::Poll);
    const auto second = platform.createTimer([&] { events.push_back("second"); }, TimerPrecision::Poll);
    third = platform.createTimer([&] { events.push_back("third"); }, TimerPrecision::Poll);

    const std::int64_t deadline = platform.monotonicNs() + 30 * kMs;
    first->armAt(deadline);
    third->armAt(deadline);
    runEventLoopFor(5);
    second->armAt(deadline);
    runEventLoopFor(200);
    EXPECT_EQ(events, (std::vector<std::string> { "first", "second", "loop turned" }));
}

}  // namespace
