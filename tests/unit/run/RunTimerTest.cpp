// Whole runs in virtual time: the countdown, the gauges, the minutes shown, the
// progress strip, the automatic frequency program and the end of the run.
#include "AppFixture.h"

#include "control/TForm1.h"
#include "framework/CheckBox.h"
#include "framework/Handler.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/TForm2.h"
#include "widgets/TGauge.h"

#include <gtest/gtest.h>

namespace {

using namespace pvstim;

class RunTimer : public test::AppTest {
protected:
    // Long runs go without the flicker clock, which repaints the whole screen many
    // times a second and does not take part in the countdown.
    void withoutFlicker() { Form1->CheckBox1->setChecked(false); }

    void startRun(int minutes)
    {
        Form1->SpinEdit3->setValue(minutes);
        ASSERT_TRUE(runHandler(Form1->Label12->OnClick)) << fake.errors.join(u'\n').toStdString();
    }

    void second() { fake.advanceMs(1000); }
};

class RunTimerEnd : public RunTimer, public ::testing::WithParamInterface<bool> { };

TEST_P(RunTimerEnd, EndsExactly601SecondsAfterStartOfATenMinuteRun)
{
    const bool powerOff = GetParam();
    Form1->CheckBox6->setChecked(powerOff);
    Form1->SpinEdit2->setValue(77);
    int requestsAtClose = -1;
    const auto save = Form1->OnClose;
    Form1->OnClose = [&] {
        requestsAtClose = fake.powerOffRequests;
        save();
    };
    startRun(10);

    int lastProgress = 100;
    for (int tick = 1; tick <= 600; ++tick) {
        second();
        const int secondsToGo = 600 - (tick - 1);
        EXPECT_EQ(Form1->Gauge1->Progress(), secondsToGo * 100 / 600) << "tick " << tick;
        EXPECT_EQ(Form2->Gauge1->Progress(), Form1->Gauge1->Progress()) << "tick " << tick;
        EXPECT_LE(Form1->Gauge1->Progress(), lastProgress) << "tick " << tick;
        lastProgress = Form1->Gauge1->Progress();
        EXPECT_EQ(Form1->Label2->Caption(), QString::number((600 - tick) / 60)) << "tick " << tick;
    }
    EXPECT_EQ(Form1->Label2->Caption(), QStringLiteral("0"));
    fake.advanceMs(999);
    EXPECT_FALSE(Form1->isClosed());
    EXPECT_EQ(fake.powerOffRequests, 0);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Config.ini"))));

    fake.advanceMs(1);
    EXPECT_TRUE(Form1->isClosed());
    EXPECT_EQ(Form1->Gauge1->Progress(), 0);
    EXPECT_EQ(Form2->Gauge1->Progress(), 0);
    EXPECT_EQ(fake.powerOffRequests, powerOff ? 1 : 0);
    EXPECT_EQ(requestsAtClose, powerOff ? 1 : 0) << "the power-off request must come before the close";
    const QByteArray settings = test::readFile(path(QStringLiteral("Config.ini")));
    EXPECT_TRUE(settings.contains("freqency=77")) << settings.toStdString();

    // Nothing counts on after the end.
    fake.advanceMs(5000);
    EXPECT_FALSE(Form1->Timer2->Enabled());
    EXPECT_EQ(Form1->Label2->Caption(), QStringLiteral("0"));
    EXPECT_EQ(fake.powerOffRequests, powerOff ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(PowerOff, RunTimerEnd, ::testing::Bool());

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
    Form1->CheckBox4->setChecked(c.sleep);
    Form1->CheckBox5->setChecked(!c.sleep);
    startRun(c.minutes);
    const int ticks = 60 * c.minutes;

    if (c.sleep) {
        const double step = 1.0 / (6.2 * c.minutes);
        for (int tick = 1; tick <= ticks; ++tick) {
            second();
            ASSERT_NEAR(Form1->stimulationFrequency, 10.0 - tick * step, 1e-9) << "tick " << tick;
        }
        EXPECT_NEAR(Form1->stimulationFrequency, 10.0 - 60.0 / 6.2, 1e-9);
    } else {
        const double step = 1.0 / (8.5 * c.minutes);
        double expected = 8.0;
        bool heldAtCeiling = false;
        for (int tick = 1; tick <= ticks; ++tick) {
            second();
            heldAtCeiling = heldAtCeiling || expected > 15.0;
            expected = heldAtCeiling ? 15.0 + step : 8.0 + tick * step;
            ASSERT_NEAR(Form1->stimulationFrequency, expected, 1e-9) << "tick " << tick;
            ASSERT_LE(Form1->stimulationFrequency, 15.0 + step + 1e-12);
        }
        EXPECT_TRUE(heldAtCeiling) << "60 / 8.5 Hz over a run passes 15 Hz";
    }
    // The run lasts its length and one second.
    fake.advanceMs(999);
    EXPECT_FALSE(Form1->isClosed());
    fake.advanceMs(1);
    EXPECT_TRUE(Form1->isClosed());
}

INSTANTIATE_TEST_SUITE_P(Table, RunTimerDrift, ::testing::Values(
    DriftCase { true, 10 }, DriftCase { true, 60 }, DriftCase { false, 10 }, DriftCase { false, 60 }));

TEST_F(RunTimer, LeavesTheFrequencyAloneInManual)
{
    withoutFlicker();  // and so without the manual drift of the flicker clock
    Form1->CheckBox2->setChecked(true);
    Form1->CheckBox3->setChecked(false);
    Form1->Label6Click();
    startRun(10);
    const double atStart = Form1->stimulationFrequency;
    for (int i = 0; i < 120; ++i)
        second();
    EXPECT_EQ(Form1->stimulationFrequency, atStart);
}

TEST_F(RunTimer, StartDuringARunCountsDownFromTheFullLengthAgain)
{
    startRun(10);
    fake.advanceMs(300500);
    EXPECT_EQ(Form1->Label2->Caption(), QStringLiteral("5"));
    Form2->Gauge1->hide();

    ASSERT_TRUE(runHandler(Form1->Label12->OnClick));
    EXPECT_EQ(Form1->minutesLeft, 10);
    EXPECT_EQ(Form1->secondsLeft, 0);
    EXPECT_TRUE(Form2->Gauge1->Visible());
    EXPECT_EQ(Form1->Gauge1->Progress(), 100);

    second();
    EXPECT_EQ(Form1->Label2->Caption(), QStringLiteral("9"));
    EXPECT_EQ(Form1->Gauge1->Progress(), 100);
    fake.advanceMs(599999);
    EXPECT_FALSE(Form1->isClosed());
    fake.advanceMs(1);
    EXPECT_TRUE(Form1->isClosed());
}

TEST_F(RunTimer, ShowsTheStripOnlyWithThePointerOnTheTopRow)
{
    startRun(10);
    EXPECT_TRUE(Form2->Gauge1->Visible()) << "visible and full right after Start";
    ASSERT_NE(fake.cursorPos().y(), 0);

    second();
    EXPECT_FALSE(Form2->Gauge1->Visible());

    fake.advanceMs(300);
    fake.setCursor({ 700, 0 });
    fake.advanceMs(699);
    EXPECT_FALSE(Form2->Gauge1->Visible()) << "the strip changes only at a tick";
    fake.advanceMs(1);
    EXPECT_TRUE(Form2->Gauge1->Visible());

    fake.setCursor({ 0, 1 });
    second();
    EXPECT_FALSE(Form2->Gauge1->Visible());
    fake.setCursor({ 1023, 0 });
    second();
    EXPECT_TRUE(Form2->Gauge1->Visible());
}

}  // namespace
