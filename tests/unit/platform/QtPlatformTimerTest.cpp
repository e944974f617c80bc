// The real platform's timers against its own clock. Every timer of the program
// sits on these: one that fires before its deadline, keeps an earlier arming or
// fires after being disarmed breaks the flicker and every poll above it.
#include "platform/QtPlatform.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
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

// Turns the event loop until `done` holds. The deadline is generous: a busy machine
// makes the test slower, never red.
template <typename Done>
bool runEventLoopUntil(Done done)
{
    const QDeadlineTimer deadline(60000);
    QTimer wake;  // so that the wait below sees the deadline even when nothing else happens
    wake.start(100);
    QEventLoop loop;
    while (!done() && !deadline.hasExpired())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return done();
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
    ASSERT_TRUE(runEventLoopUntil([&] { return !fired.empty(); }));
    // Had the first arming stood, the timer would have fired before the deadline.
    EXPECT_GE(fired[0], deadline - GetParam().earlyNs) << "the later arming replaces the earlier one";
    EXPECT_FALSE(timer->isArmed());

    timer->armAt(platform.monotonicNs() - kMs);
    EXPECT_TRUE(runEventLoopUntil([&] { return fired.size() == 2; })) << "a deadline already past fires at once";

    // Disarmed before and after its deadline passed, before the event loop saw it.
    // A second timer due after both shows that the loop has come past them.
    bool laterFired = false;
    const auto later = platform.createTimer([&] { laterFired = true; }, GetParam().precision);
    timer->armAt(platform.monotonicNs() + 10 * kMs);
    timer->disarm();
    timer->armAt(platform.monotonicNs() - kMs);
    timer->disarm();
    later->armAt(platform.monotonicNs() + 20 * kMs);
    EXPECT_FALSE(timer->isArmed());
    ASSERT_TRUE(runEventLoopUntil([&] { return laterFired; }));
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

    // Far enough ahead that the second arming comes before it even on a busy machine.
    const std::int64_t deadline = platform.monotonicNs() + 500 * kMs;
    first->armAt(deadline);
    third->armAt(deadline);
    QCoreApplication::processEvents();
    second->armAt(deadline);
    if (platform.monotonicNs() >= deadline)
        GTEST_SKIP() << "the machine was too busy to arm the second poll before the deadline";
    ASSERT_TRUE(runEventLoopUntil([&] { return events.size() >= 3; }));
    EXPECT_EQ(events, (std::vector<std::string> { "first", "second", "loop turned" }));
}

}  // namespace
