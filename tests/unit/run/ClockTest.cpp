// The clock window in virtual time: the parked position, the slide into the
// top-left corner while the pointer rests there, parking and staying as the pointer
// moves, and the time text in the user's long time format.
#include "AppFixture.h"

#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "run/ClockPlate.h"

#include <QEvent>
#include <QImage>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;
using namespace pvstim::test;

constexpr int kTickMs = 20;
const QPoint kParked(2 - 81, -25 - 1);
const QPoint kAtRest(-1, 0);

class Clock : public test::AppTest {
protected:
    void prepare() override
    {
        fake.setCursor({ 600, 400 });
        fake.setLocalTime(QTime(9, 5, 7));
    }

    QPoint position() const { return { clockPlate()->Left(), clockPlate()->Top() }; }

    void ticks(int n) { fake.advanceMs(std::int64_t(n) * kTickMs); }

    // Slides `steps` steps in from the parked position, then moves (or warps) the
    // pointer to `to`.
    void slideIn(int steps, QPoint to, bool warp = false)
    {
        fake.setCursor({ 10, 10 });
        ticks(steps);
        warp ? fake.warpCursor(to) : fake.setCursor(to);
    }
};

TEST_F(Clock, DesignAndParkedAtStart)
{
    EXPECT_EQ(clockPlate()->Width(), 81);
    EXPECT_EQ(clockPlate()->Height(), 25);
    EXPECT_EQ(position(), kParked);
    EXPECT_TRUE(clockPlate()->Visible());
    EXPECT_TRUE(clockPlate()->stayOnTop());
    EXPECT_FALSE(clockPlate()->isOnScreen()) << "parked wholly above the screen";
    EXPECT_EQ(clockPlate()->timeText->geometry(), QRect(6, 4, 69, 15));
    EXPECT_EQ(clockPlate()->plate->geometry(), QRect(0, 0, 81, 25));
    EXPECT_TRUE(clockPlate()->tickTimer->Enabled());
    EXPECT_EQ(clockPlate()->tickTimer->Interval(), kTickMs);
    EXPECT_EQ(clockPlate()->timeText->Caption(), QStringLiteral("00:00:00"));

    // The plate: light edge along the top and left, navy along the right and bottom,
    // blue inside.
    const QImage plate = clockPlate()->plate->Picture().image();
    ASSERT_EQ(plate.size(), QSize(81, 25));
    EXPECT_EQ(plate.pixel(0, 12) & 0xFFFFFF, 0x9DBFFFu);
    EXPECT_EQ(plate.pixel(40, 0) & 0xFFFFFF, 0x9DBFFFu);
    EXPECT_EQ(plate.pixel(80, 12) & 0xFFFFFF, 0x000051u);
    EXPECT_EQ(plate.pixel(40, 24) & 0xFFFFFF, 0x000051u);
    const QColor inside = plate.pixelColor(40, 12);
    EXPECT_GT(inside.blue(), inside.red() + 40);
}

TEST_F(Clock, ShowsZerosUntilTheFirstTickThenTheTimeOfDay)
{
    fake.advanceMs(kTickMs - 1);
    EXPECT_EQ(clockPlate()->timeText->Caption(), QStringLiteral("00:00:00"));
    fake.advanceMs(1);
    EXPECT_EQ(clockPlate()->timeText->Caption(), QStringLiteral("09:05:07"));
    // The time of day goes on, whatever a run does: parked, the plate shows it
    // again from the tick after the pointer comes to the edge band.
    fake.advanceMs(1000);
    fake.setCursor({ 50, 300 });
    fake.advanceMs(kTickMs);
    EXPECT_EQ(clockPlate()->timeText->Caption(), QStringLiteral("09:05:08"));
}

TEST_F(Clock, NoTimerWakesTheIdleProgramWhileThePointerRestsOutsideTheBand)
{
    ticks(1);
    const std::uint64_t fired = fake.timersFired;
    fake.advanceMs(10000);
    EXPECT_EQ(fake.timersFired, fired);
    EXPECT_EQ(fake.nextDeadlineNs(), -1);
    // A move into the corner brings the plate in as before, with the time of day.
    fake.setCursor({ 50, 50 });
    ticks(13);
    EXPECT_EQ(position(), kAtRest);
    EXPECT_EQ(clockPlate()->timeText->Caption(), fake.longTimeText());
}

struct FormatCase {
    const char* name;
    LongTimeFormat format;
    QTime time;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class ClockFormat : public Clock, public ::testing::WithParamInterface<FormatCase> { };

TEST_P(ClockFormat, FollowsTheLongTimeFormat)
{
    fake.setLongTimeFormat(GetParam().format);
    fake.setLocalTime(GetParam().time);
    ticks(1);
    EXPECT_EQ(clockPlate()->timeText->Caption(), QString::fromUtf8(GetParam().expected));
}

LongTimeFormat format24(bool leadingZero, const char* separator)
{
    LongTimeFormat f;
    f.leadingZeroHour = leadingZero;
    f.separator = QString::fromUtf8(separator);
    return f;
}

LongTimeFormat format12(bool designatorFirst)
{
    LongTimeFormat f;
    f.twelveHour = true;
    f.leadingZeroHour = false;
    f.amDesignator = QStringLiteral("AM");
    f.pmDesignator = QStringLiteral("PM");
    f.designatorFirst = designatorFirst;
    return f;
}

// The first tick lands 20 ms after the time set.
INSTANTIATE_TEST_SUITE_P(Locales, ClockFormat,
    ::testing::Values(FormatCase { "no_leading_zero", format24(false, ":"), QTime(9, 5, 7), "9:05:07" },
        FormatCase { "leading_zero", format24(true, ":"), QTime(9, 5, 7), "09:05:07" },
        FormatCase { "dot_separator", format24(true, "."), QTime(23, 59, 58), "23.59.58" },
        FormatCase { "twelve_hour_pm", format12(false), QTime(21, 5, 7), "9:05:07 PM" },
        FormatCase { "twelve_hour_first", format12(true), QTime(0, 30, 0), "AM 12:30:00" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Clock, SlidesInThirteenStepsAndRestsInTheCorner)
{
    fake.setCursor({ 100, 100 });
    ticks(1);
    EXPECT_EQ(position(), kParked + QPoint(6, 2));
    EXPECT_TRUE(clockPlate()->isOnScreen()) << "its bottom row reaches the screen";
    ticks(11);
    EXPECT_EQ(position(), kParked + QPoint(72, 24));
    ticks(1);
    EXPECT_EQ(position(), kAtRest);
    // At rest it no longer moves while the pointer stays in the corner.
    ticks(100);
    EXPECT_EQ(position(), kAtRest);
    EXPECT_EQ(clockPlate()->Width(), 81);
    EXPECT_EQ(clockPlate()->Height(), 25);
}

// One tick with the pointer somewhere, from the parked, half-way and rest positions.
struct PointerCase {
    const char* name;
    QPoint pointer;
    enum { Slide, Park, Stay } effect;
};

void PrintTo(const PointerCase& c, std::ostream* os) { *os << c.name; }

// A warp (no motion told) is seen alike: in the band the plate still ticks.
class ClockPointer : public Clock, public ::testing::WithParamInterface<std::tuple<PointerCase, int, bool>> { };

TEST_P(ClockPointer, OneTick)
{
    const auto& [c, steps, warp] = GetParam();
    slideIn(steps, c.pointer, warp);
    const QPoint before = position();
    ticks(1);
    const bool canSlide = before.x() < 0 && before.y() < 0;
    QPoint expected = before;
    if (c.effect == PointerCase::Slide && canSlide)
        expected = before + QPoint(6, 2);
    else if (c.effect == PointerCase::Park)
        expected = kParked;
    EXPECT_EQ(position(), expected) << "from " << before.x() << "," << before.y();
}

INSTANTIATE_TEST_SUITE_P(Positions, ClockPointer,
    ::testing::Combine(
        ::testing::Values(PointerCase { "corner_far_edge", { 100, 100 }, PointerCase::Slide },
            PointerCase { "corner_origin", { 0, 0 }, PointerCase::Slide },
            PointerCase { "outside_band", { 101, 101 }, PointerCase::Park },
            PointerCase { "far_away", { 900, 700 }, PointerCase::Park },
            PointerCase { "top_edge", { 101, 50 }, PointerCase::Stay },
            PointerCase { "left_edge", { 50, 300 }, PointerCase::Stay },
            PointerCase { "just_below_corner", { 100, 101 }, PointerCase::Stay },
            PointerCase { "just_right_of_corner", { 101, 100 }, PointerCase::Stay },
            PointerCase { "left_of_screen", { -1, 50 }, PointerCase::Stay }),
        ::testing::Values(0, 6, 13), ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_after_" + std::to_string(std::get<1>(info.param))
            + (std::get<2>(info.param) ? "_warped" : "");
    });

TEST_F(Clock, LeavingAlongTheTopEdgeHalfWayLeavesItHalfWay)
{
    slideIn(6, { 300, 40 });
    const QPoint halfWay = kParked + QPoint(36, 12);
    ASSERT_EQ(position(), halfWay);
    ticks(200);
    EXPECT_EQ(position(), halfWay);
    // Back into the corner, the slide goes on from there.
    fake.setCursor({ 40, 40 });
    ticks(1);
    EXPECT_EQ(position(), halfWay + QPoint(6, 2));
    // Out of the band, it is parked at once, without sliding.
    fake.setCursor({ 500, 500 });
    ticks(1);
    EXPECT_EQ(position(), kParked);
}

// Counts the events a widget receives.
class EventCounter : public QObject {
public:
    EventCounter(QObject* watched, QEvent::Type type)
        : type_(type)
    {
        watched->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == type_;
        return false;
    }

private:
    QEvent::Type type_;
};

TEST_F(Clock, RepaintsOnlyWhenTheTextOrThePositionChanges)
{
    fake.setCursor({ 50, 50 });
    fake.setLocalTime(QTime(9, 5, 7));
    ticks(13);
    ASSERT_EQ(position(), kAtRest);
    QCoreApplication::processEvents();
    EventCounter labelPaints(clockPlate()->timeText, QEvent::Paint);
    EventCounter moves(clockPlate(), QEvent::Move);

    // 13 ticks took 260 ms; 30 more stay within the same second.
    ticks(30);
    QCoreApplication::processEvents();
    EXPECT_EQ(labelPaints.count, 0);
    EXPECT_EQ(moves.count, 0);

    ticks(30);   // the second changes
    QCoreApplication::processEvents();
    EXPECT_GE(labelPaints.count, 1);
    EXPECT_EQ(moves.count, 0);

    // Parked and out of the band: further ticks do not place the window again.
    fake.setCursor({ 600, 600 });
    ticks(1);
    QCoreApplication::processEvents();
    ASSERT_EQ(position(), kParked);
    const int movesWhenParked = moves.count;
    ticks(20);
    QCoreApplication::processEvents();
    EXPECT_EQ(moves.count, movesWhenParked);
}

}  // namespace
