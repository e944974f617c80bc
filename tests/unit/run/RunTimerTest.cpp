// Whole runs in virtual time: the countdown, the gauges, the minutes shown, the
// progress strip, the automatic frequency program and the end of the run.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/Handler.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/StimulationWindow.h"
#include "widgets/TGauge.h"

#include <gtest/gtest.h>

namespace {

using namespace pvstim;
using namespace pvstim::test;

class RunTimer : public test::AppTest {
protected:
    // Long runs go without the flicker clock, which repaints the whole screen many
    // times a second and does not take part in the countdown.
    void withoutFlicker() { controlWindow()->stimulationBox->setChecked(false); }

    void startRun(int minutes)
    {
        controlWindow()->runMinutesSpin->setValue(minutes);
        ASSERT_TRUE(runHandler(controlWindow()->startButton->OnClick)) << fake.errors.join(u'\n').toStdString();
    }

    void second() { fake.advanceMs(1000); }
};

class RunTimerEnd : public RunTimer, public ::testing::WithParamInterface<bool> { };

TEST_P(RunTimerEnd, EndsExactly601SecondsAfterStartOfATenMinuteRun)
{
    const bool powerOff = GetParam();
    controlWindow()->powerOffBox->setChecked(powerOff);
    controlWindow()->lineIntervalSpin->setValue(77);
    int requestsAtClose = -1;
    const auto save = controlWindow()->OnClose;
    controlWindow()->OnClose = [&] {
        requestsAtClose = fake.powerOffRequests;
        save();
    };
    QByteArray settingsAtPowerOff;
    fake.onPowerOff = [&] { settingsAtPowerOff = test::readFile(path(QStringLiteral("Config.ini"))); };
    startRun(10);

    int lastProgress = 100;
    for (int tick = 1; tick <= 600; ++tick) {
        second();
        const int secondsToGo = 600 - (tick - 1);
        EXPECT_EQ(controlWindow()->progressNeedle->Progress(), secondsToGo * 100 / 600) << "tick " << tick;
        EXPECT_EQ(stimulationWindow()->progressStrip->Progress(), controlWindow()->progressNeedle->Progress()) << "tick " << tick;
        EXPECT_LE(controlWindow()->progressNeedle->Progress(), lastProgress) << "tick " << tick;
        lastProgress = controlWindow()->progressNeedle->Progress();
        EXPECT_EQ(controlWindow()->minutesLabel->Caption(), QString::number((600 - tick) / 60)) << "tick " << tick;
    }
    EXPECT_EQ(controlWindow()->minutesLabel->Caption(), QStringLiteral("0"));
    fake.advanceMs(999);
    EXPECT_FALSE(controlWindow()->isClosed());
    EXPECT_EQ(fake.powerOffRequests, 0);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Config.ini"))));

    fake.advanceMs(1);
    EXPECT_TRUE(controlWindow()->isClosed());
    EXPECT_EQ(controlWindow()->progressNeedle->Progress(), 0);
    EXPECT_EQ(stimulationWindow()->progressStrip->Progress(), 0);
    EXPECT_EQ(fake.powerOffRequests, powerOff ? 1 : 0);
    EXPECT_EQ(fake.keyboardKeptOn, nullptr);
    // A quick shutdown must not cut the save short.
    EXPECT_EQ(requestsAtClose, 0) << "the settings are saved before the power-off request";
    const QByteArray settings = test::readFile(path(QStringLiteral("Config.ini")));
    EXPECT_TRUE(settings.contains("freqency=77")) << settings.toStdString();
    if (powerOff) {
        EXPECT_EQ(settingsAtPowerOff, settings);
    }

    // Nothing counts on after the end.
    fake.advanceMs(5000);
    EXPECT_FALSE(controlWindow()->countdownTimer->Enabled());
    EXPECT_EQ(controlWindow()->minutesLabel->Caption(), QStringLiteral("0"));
    EXPECT_EQ(fake.powerOffRequests, powerOff ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(powerOff, RunTimerEnd, ::testing::Bool());

struct DriftCase {
    bool sleep;
    int minutes;
};

void PrintTo(const DriftCase& c, std::ostream* os)
{
    *os << (c.sleep ? "sleep, " : "wakefulness, ") << c.minutes << " min";
}

class RunTimerDrift : public RunTimer, public ::testing::WithParamInterface<DriftCase> { };

TEST_P(RunTimerDrift, MovesTheFrequencyEverySecondInAuto)
{
    const DriftCase& c = GetParam();
    withoutFlicker();
    controlWindow()->sleepBox->setChecked(c.sleep);
    controlWindow()->wakeBox->setChecked(!c.sleep);
    startRun(c.minutes);
    const int ticks = 60 * c.minutes;

    if (c.sleep) {
        const double step = 1.0 / (6.2 * c.minutes);
        for (int tick = 1; tick <= ticks; ++tick) {
            second();
            ASSERT_NEAR(stimulationWindow()->flicker.frequency, 10.0 - tick * step, 1e-9) << "tick " << tick;
        }
        EXPECT_NEAR(stimulationWindow()->flicker.frequency, 10.0 - 60.0 / 6.2, 1e-9);
    } else {
        const double step = 1.0 / (8.5 * c.minutes);
        double expected = 8.0;
        bool heldAtCeiling = false;
        for (int tick = 1; tick <= ticks; ++tick) {
            second();
            heldAtCeiling = heldAtCeiling || expected > 15.0;
            expected = heldAtCeiling ? 15.0 + step : 8.0 + tick * step;
            ASSERT_NEAR(stimulationWindow()->flicker.frequency, expected, 1e-9) << "tick " << tick;
            ASSERT_LE(stimulationWindow()->flicker.frequency, 15.0 + step + 1e-12);
        }
        EXPECT_TRUE(heldAtCeiling) << "60 / 8.5 Hz over a run passes 15 Hz";
    }
    // The run lasts its length and one second.
    fake.advanceMs(999);
    EXPECT_FALSE(controlWindow()->isClosed());
    fake.advanceMs(1);
    EXPECT_TRUE(controlWindow()->isClosed());
}

INSTANTIATE_TEST_SUITE_P(Table, RunTimerDrift, ::testing::Values(
    DriftCase { true, 10 }, DriftCase { true, 60 }, DriftCase { false, 10 }, DriftCase { false, 60 }));

TEST_F(RunTimer, LeavesTheFrequencyAloneInManual)
{
    withoutFlicker();  // and so without the manual drift of the flicker clock
    controlWindow()->manualBox->setChecked(true);
    controlWindow()->autoBox->setChecked(false);
    controlWindow()->chooseRhythm(Rhythm::HighAlpha);
    startRun(10);
    const double atStart = stimulationWindow()->flicker.frequency;
    for (int i = 0; i < 120; ++i)
        second();
    EXPECT_EQ(stimulationWindow()->flicker.frequency, atStart);
}

TEST_F(RunTimer, StartDuringARunCountsDownFromTheFullLengthAgain)
{
    startRun(10);
    fake.advanceMs(300500);
    EXPECT_EQ(controlWindow()->minutesLabel->Caption(), QStringLiteral("5"));
    stimulationWindow()->progressStrip->hide();

    ASSERT_TRUE(runHandler(controlWindow()->startButton->OnClick));
    EXPECT_EQ(controlWindow()->minutesLeft, 10);
    EXPECT_EQ(controlWindow()->secondsLeft, 0);
    EXPECT_TRUE(stimulationWindow()->progressStrip->Visible());
    EXPECT_EQ(controlWindow()->progressNeedle->Progress(), 100);

    second();
    EXPECT_EQ(controlWindow()->minutesLabel->Caption(), QStringLiteral("9"));
    EXPECT_EQ(controlWindow()->progressNeedle->Progress(), 100);
    fake.advanceMs(599999);
    EXPECT_FALSE(controlWindow()->isClosed());
    fake.advanceMs(1);
    EXPECT_TRUE(controlWindow()->isClosed());
}

TEST_F(RunTimer, ShowsTheStripOnlyWithThePointerOnTheTopRow)
{
    startRun(10);
    EXPECT_TRUE(stimulationWindow()->progressStrip->Visible()) << "visible and full right after Start";
    ASSERT_NE(fake.cursorPos().y(), 0);

    second();
    EXPECT_FALSE(stimulationWindow()->progressStrip->Visible());

    fake.advanceMs(300);
    fake.setCursor({ 700, 0 });
    fake.advanceMs(699);
    EXPECT_FALSE(stimulationWindow()->progressStrip->Visible()) << "the strip changes only at a tick";
    fake.advanceMs(1);
    EXPECT_TRUE(stimulationWindow()->progressStrip->Visible());

    fake.setCursor({ 0, 1 });
    second();
    EXPECT_FALSE(stimulationWindow()->progressStrip->Visible());
    fake.setCursor({ 1023, 0 });
    second();
    EXPECT_TRUE(stimulationWindow()->progressStrip->Visible());
}

}  // namespace
