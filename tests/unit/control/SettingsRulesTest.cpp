// The rules of the control window's settings, checked on the whole window set:
// the states the window ends in after the user's and the program's changes.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/FontDialog.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/OverlayWindow.h"
#include "run/StimulationWindow.h"

#include <QLineEdit>
#include <QMouseEvent>

using namespace pvstim;
using namespace pvstim::test;
using pvstim::test::AppTest;

namespace {

// The preview label's designed font, which the reset brings back.
const TFont kDesignedPreviewFont { QStringLiteral("Times New Roman"), 36, TFont::Bold, TColor(0x00808080), 204 };

void clickLabel(TLabel* label)
{
    const QPoint p(3, 3);
    QMouseEvent press(QEvent::MouseButtonPress, p, label->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(label, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, label->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(label, &release);
}

std::vector<TLabel*> rhythmLabels() { return { controlWindow()->rhythmButton(Rhythm::LowBeta), controlWindow()->rhythmButton(Rhythm::HighAlpha), controlWindow()->rhythmButton(Rhythm::LowAlpha), controlWindow()->rhythmButton(Rhythm::Theta), controlWindow()->rhythmButton(Rhythm::Delta) }; }

// The controls that Manual enables and Auto disables, and the other way round.
std::vector<QWidget*> manualControls()
{
    return { controlWindow()->rhythmButton(Rhythm::LowBeta), controlWindow()->rhythmButton(Rhythm::HighAlpha), controlWindow()->rhythmButton(Rhythm::LowAlpha), controlWindow()->rhythmButton(Rhythm::Theta), controlWindow()->rhythmButton(Rhythm::Delta), controlWindow()->intensitySpin };
}
std::vector<QWidget*> autoControls() { return { controlWindow()->sleepBox, controlWindow()->wakeBox, controlWindow()->powerOffBox, controlWindow()->minutesLabel }; }

void expectEnabled(const std::vector<QWidget*>& controls, bool enabled, const char* when)
{
    for (QWidget* control : controls)
        EXPECT_EQ(control->isEnabled(), enabled) << control->objectName().toStdString() << " " << when;
}

void expectRhythm(Rhythm rhythm, double frequency)
{
    EXPECT_EQ(stimulationWindow()->flicker.rhythm, rhythm);
    EXPECT_DOUBLE_EQ(stimulationWindow()->flicker.frequency, frequency);
}

class SettingsRulesTest : public AppTest { };

TEST_F(SettingsRulesTest, StateAfterCreation)
{
    EXPECT_TRUE(controlWindow()->stimulationBox->isChecked());
    EXPECT_FALSE(controlWindow()->manualBox->isChecked());
    EXPECT_TRUE(controlWindow()->autoBox->isChecked());
    expectEnabled(manualControls(), false, "after creation");
    expectEnabled(autoControls(), true, "after creation");
    EXPECT_TRUE(controlWindow()->startButton->isEnabled());
    EXPECT_EQ(stimulationWindow()->flicker.rhythm, std::nullopt);
    for (TLabel* label : rhythmLabels())
        EXPECT_EQ(label->Color(), TColor(0x00EBEAE7));
    EXPECT_TRUE(controlWindow()->randomTextBox->isChecked());
    EXPECT_FALSE(controlWindow()->chosenTextBox->isChecked());
    EXPECT_TRUE(controlWindow()->browseButton->isHidden());
    EXPECT_NE(controlWindow()->sleepBox->isChecked(), controlWindow()->wakeBox->isChecked());
    EXPECT_EQ(controlWindow()->previewColorBox->Selected(), controlWindow()->textPreview->Color());
    EXPECT_EQ(controlWindow()->fontDialog->Font, controlWindow()->textPreview->Font());
}

// ---- Manual and Auto ------------------------------------------------------------

enum class Via { ManualBox, AutoBox };

struct ModeCase {
    Via toManual;
    Via backToAuto;
    bool rhythmChosen;
};

class ManualAuto : public AppTest, public ::testing::WithParamInterface<ModeCase> { };

void clickVia(Via via) { (via == Via::ManualBox ? controlWindow()->manualBox : controlWindow()->autoBox)->click(); }

TEST_P(ManualAuto, EitherBoxLeadsToTheSameTwoStates)
{
    const ModeCase& c = GetParam();
    if (c.rhythmChosen) {
        controlWindow()->manualBox->click();
        clickLabel(controlWindow()->rhythmButton(Rhythm::LowAlpha));
        controlWindow()->autoBox->click();
        ASSERT_TRUE(controlWindow()->autoBox->isChecked());
    }

    clickVia(c.toManual);
    EXPECT_TRUE(controlWindow()->manualBox->isChecked());
    EXPECT_FALSE(controlWindow()->autoBox->isChecked());
    expectEnabled(manualControls(), true, "in Manual");
    expectEnabled(autoControls(), false, "in Manual");
    EXPECT_EQ(controlWindow()->startButton->isEnabled(), c.rhythmChosen);
    EXPECT_EQ(controlWindow()->rhythmButton(Rhythm::LowAlpha)->Color(), c.rhythmChosen ? TColor(0x00F0CAA6) : TColor(0x00EBEAE7));

    clickVia(c.backToAuto);
    EXPECT_FALSE(controlWindow()->manualBox->isChecked());
    EXPECT_TRUE(controlWindow()->autoBox->isChecked());
    expectEnabled(manualControls(), false, "back in Auto");
    expectEnabled(autoControls(), true, "back in Auto");
    EXPECT_EQ(controlWindow()->startButton->isEnabled(), c.rhythmChosen) << "Auto leaves Start as Manual set it";
    EXPECT_EQ(controlWindow()->rhythmButton(Rhythm::LowAlpha)->Color(), c.rhythmChosen ? TColor(0x00F0CAA6) : TColor(0x00EBEAE7));
}

INSTANTIATE_TEST_SUITE_P(Table, ManualAuto, ::testing::Values(
    ModeCase { Via::ManualBox, Via::AutoBox, false }, ModeCase { Via::AutoBox, Via::ManualBox, false },
    ModeCase { Via::ManualBox, Via::ManualBox, false }, ModeCase { Via::AutoBox, Via::AutoBox, false },
    ModeCase { Via::ManualBox, Via::AutoBox, true }, ModeCase { Via::AutoBox, Via::ManualBox, true }));

TEST_F(SettingsRulesTest, ARhythmLabelEnablesStartHighlightsItselfAndSelectsItsPreset)
{
    controlWindow()->autoBox->click();
    ASSERT_FALSE(controlWindow()->startButton->isEnabled());

    clickLabel(controlWindow()->rhythmButton(Rhythm::LowAlpha));
    EXPECT_TRUE(controlWindow()->startButton->isEnabled());
    for (TLabel* label : rhythmLabels())
        EXPECT_EQ(label->Color(), label == controlWindow()->rhythmButton(Rhythm::LowAlpha) ? TColor(0x00F0CAA6) : TColor(0x00EBEAE7))
            << label->objectName().toStdString();
    expectRhythm(Rhythm::LowAlpha, 9.0);

    clickLabel(controlWindow()->rhythmButton(Rhythm::Delta));
    EXPECT_EQ(controlWindow()->rhythmButton(Rhythm::Delta)->Color(), TColor(0x00F0CAA6));
    EXPECT_EQ(controlWindow()->rhythmButton(Rhythm::LowAlpha)->Color(), TColor(0x00EBEAE7));
    expectRhythm(Rhythm::Delta, 1.0);
}

TEST_F(SettingsRulesTest, ADisabledRhythmLabelTakesNoClick)
{
    controlWindow()->autoBox->click();  // Manual: Start disabled, no rhythm
    controlWindow()->stimulationBox->click();  // switch off: rhythm labels disabled
    clickLabel(controlWindow()->rhythmButton(Rhythm::HighAlpha));
    EXPECT_FALSE(controlWindow()->startButton->isEnabled());
    EXPECT_EQ(controlWindow()->rhythmButton(Rhythm::HighAlpha)->Color(), TColor(0x00EBEAE7));
    EXPECT_EQ(stimulationWindow()->flicker.rhythm, std::nullopt);
}

// ---- Stimulation switch ---------------------------------------------------------

class StimulationSwitch : public AppTest, public ::testing::WithParamInterface<Via> { };

TEST_P(StimulationSwitch, OffDisablesTheTwelveAndOnEnablesThemAllWhateverTheMode)
{
    if (GetParam() == Via::ManualBox) {
        controlWindow()->manualBox->click();
        clickLabel(controlWindow()->rhythmButton(Rhythm::LowBeta));
    }
    const bool manual = controlWindow()->manualBox->isChecked();
    const bool startEnabled = controlWindow()->startButton->isEnabled();
    std::vector<QWidget*> twelve { controlWindow()->manualBox, controlWindow()->autoBox };
    for (auto* list : { &manualControls, &autoControls })
        for (QWidget* w : (*list)())
            twelve.push_back(w);
    ASSERT_EQ(twelve.size(), 12u);

    controlWindow()->stimulationBox->click();
    expectEnabled(twelve, false, "switch off");
    controlWindow()->stimulationBox->click();
    expectEnabled(twelve, true, "switch on again");

    EXPECT_EQ(controlWindow()->manualBox->isChecked(), manual);
    EXPECT_EQ(controlWindow()->autoBox->isChecked(), !manual);
    EXPECT_EQ(controlWindow()->startButton->isEnabled(), startEnabled);
    EXPECT_TRUE(controlWindow()->helpButton->isEnabled());
    EXPECT_TRUE(controlWindow()->lineIntervalSpin->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Modes, StimulationSwitch, ::testing::Values(Via::AutoBox, Via::ManualBox));

// ---- End-of-run pair and the time of day ------------------------------------------

TEST_F(SettingsRulesTest, EndOfRunPairKeepsExactlyOneChecked)
{
    const bool sleep = controlWindow()->sleepBox->isChecked();
    (sleep ? controlWindow()->sleepBox : controlWindow()->wakeBox)->click();  // the checked one
    EXPECT_EQ(controlWindow()->sleepBox->isChecked(), !sleep);
    EXPECT_EQ(controlWindow()->wakeBox->isChecked(), sleep);
    controlWindow()->sleepBox->click();
    EXPECT_EQ(controlWindow()->sleepBox->isChecked(), sleep);
    EXPECT_EQ(controlWindow()->wakeBox->isChecked(), !sleep);
}

struct TimeCase {
    QTime time;
    bool leadingZero;
    bool twelveHour;
    bool sleep;
    bool designatorFirst = false;
};

class TimeOfDayDefault : public AppTest, public ::testing::WithParamInterface<TimeCase> {
protected:
    void prepare() override
    {
        fake.setLocalTime(GetParam().time);
        LongTimeFormat format;
        format.leadingZeroHour = GetParam().leadingZero;
        format.twelveHour = GetParam().twelveHour;
        format.amDesignator = QStringLiteral("AM");
        format.pmDesignator = QStringLiteral("PM");
        format.designatorFirst = GetParam().designatorFirst;
        fake.setLongTimeFormat(format);
    }
};

TEST_P(TimeOfDayDefault, ChoosesSleepOrWakefulnessAtCreationAndAtReset)
{
    const bool sleep = GetParam().sleep;
    EXPECT_EQ(controlWindow()->sleepBox->isChecked(), sleep) << fake.longTimeText().toStdString();
    EXPECT_EQ(controlWindow()->wakeBox->isChecked(), !sleep);

    controlWindow()->sleepBox->click();
    controlWindow()->resetToDefaults();
    EXPECT_EQ(controlWindow()->sleepBox->isChecked(), sleep) << "reset";
    EXPECT_EQ(controlWindow()->wakeBox->isChecked(), !sleep) << "reset";
}

INSTANTIATE_TEST_SUITE_P(Table, TimeOfDayDefault, ::testing::Values(
    TimeCase { QTime(5, 59), true, false, true }, TimeCase { QTime(6, 0), true, false, false },
    TimeCase { QTime(20, 59), true, false, false }, TimeCase { QTime(21, 0), true, false, true },
    TimeCase { QTime(22, 0), true, false, true }, TimeCase { QTime(0, 30), true, false, true },
    TimeCase { QTime(9, 15), false, false, false }, TimeCase { QTime(5, 15), false, false, true },
    TimeCase { QTime(21, 15), false, false, true },
    // A 12-hour text gives the hour of the day, not its first characters:
    // "9:15:00 PM", "AM 9:15:00", "12:30:00 AM".
    TimeCase { QTime(21, 15), false, true, true }, TimeCase { QTime(9, 15), false, true, false, true },
    TimeCase { QTime(0, 30), false, true, true }));

// ---- Text choice ------------------------------------------------------------------

TEST_F(SettingsRulesTest, TextChoicePairAndTheBrowseLabel)
{
    controlWindow()->randomTextBox->click();
    EXPECT_FALSE(controlWindow()->randomTextBox->isChecked());
    EXPECT_TRUE(controlWindow()->chosenTextBox->isChecked());
    EXPECT_FALSE(controlWindow()->browseButton->isHidden());

    controlWindow()->chosenTextBox->click();
    EXPECT_TRUE(controlWindow()->randomTextBox->isChecked());
    EXPECT_FALSE(controlWindow()->chosenTextBox->isChecked());
    EXPECT_TRUE(controlWindow()->browseButton->isHidden());

    controlWindow()->chosenTextBox->click();
    EXPECT_FALSE(controlWindow()->browseButton->isHidden());
    controlWindow()->randomTextBox->click();
    EXPECT_TRUE(controlWindow()->browseButton->isHidden());
}

// ---- Spin edits -------------------------------------------------------------------

struct NumberCase {
    const char* text;
    int result;
};

class Intensity : public AppTest, public ::testing::WithParamInterface<NumberCase> { };

TEST_P(Intensity, SetsTheOverlayOpacityAtOnce)
{
    controlWindow()->intensitySpin->editor()->setText(QStringLiteral("50"));
    ASSERT_EQ(overlayWindow()->AlphaBlendValue(), 127);
    controlWindow()->intensitySpin->editor()->setText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(overlayWindow()->AlphaBlendValue(), GetParam().result) << GetParam().text;
}

// Values typed outside the bounds reach the rule unchanged; the opacity is held to 0..255.
INSTANTIATE_TEST_SUITE_P(Table, Intensity, ::testing::Values(
    NumberCase { "10", 25 }, NumberCase { "20", 51 }, NumberCase { "99", 252 }, NumberCase { "100", 255 },
    NumberCase { "", 25 }, NumberCase { "0", 0 }, NumberCase { "-40", 0 }, NumberCase { "150", 255 },
    NumberCase { "2000000000", 255 }));

class LineInterval : public AppTest, public ::testing::WithParamInterface<NumberCase> { };

TEST_P(LineInterval, SetsTheTextTimerIntervalAtOnce)
{
    controlWindow()->lineIntervalSpin->editor()->setText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(stimulationWindow()->lineTimer->Interval(), GetParam().result) << GetParam().text;
}

// Values typed outside the bounds are brought into 10..1000, as at Start.
INSTANTIATE_TEST_SUITE_P(Table, LineInterval, ::testing::Values(
    NumberCase { "10", 100 }, NumberCase { "1", 100 }, NumberCase { "100", 1000 }, NumberCase { "1000", 10000 },
    NumberCase { "", 100 }, NumberCase { "-5", 100 }, NumberCase { "2000000000", 10000 }));

TEST_F(SettingsRulesTest, LineIntervalStartsFromTheStoredValue)
{
    EXPECT_EQ(controlWindow()->lineIntervalSpin->Value(), 60);
    controlWindow()->lineIntervalSpin->setValue(61);
    controlWindow()->lineIntervalSpin->setValue(60);
    EXPECT_EQ(stimulationWindow()->lineTimer->Interval(), 600);
}

class RunLength : public AppTest, public ::testing::WithParamInterface<NumberCase> { };

TEST_P(RunLength, ShowsTheValueInLabel2)
{
    controlWindow()->runMinutesSpin->editor()->setText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(controlWindow()->minutesLabel->Caption(), QString::number(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(Table, RunLength, ::testing::Values(
    NumberCase { "45", 45 }, NumberCase { "", 10 }, NumberCase { "+45", 45 }, NumberCase { "045", 45 },
    NumberCase { "7", 7 }));

// ---- Reset ------------------------------------------------------------------------

class ResetTest : public AppTest {
protected:
    void prepare() override { fake.setLocalTime(QTime(22, 0)); }

    void expectResetState(int alpha)
    {
        EXPECT_EQ(controlWindow()->textPreview->Font(), kDesignedPreviewFont);
        EXPECT_EQ(controlWindow()->textPreview->Color(), TColor(0x00DEF2F5));
        EXPECT_EQ(controlWindow()->previewColorBox->Selected(), TColor(0x00DEF2F5));
        EXPECT_EQ(controlWindow()->fontDialog->Font, kDesignedPreviewFont);
        EXPECT_TRUE(controlWindow()->stimulationBox->isChecked());
        EXPECT_FALSE(controlWindow()->manualBox->isChecked());
        EXPECT_TRUE(controlWindow()->autoBox->isChecked());
        expectEnabled(manualControls(), false, "after reset");
        expectEnabled(autoControls(), true, "after reset");
        EXPECT_TRUE(controlWindow()->sleepBox->isChecked()) << "22:00 is sleep";
        EXPECT_FALSE(controlWindow()->wakeBox->isChecked());
        EXPECT_FALSE(controlWindow()->powerOffBox->isChecked());
        EXPECT_TRUE(controlWindow()->markersBox->isChecked());
        EXPECT_TRUE(controlWindow()->mandalasBox->isChecked());
        EXPECT_TRUE(controlWindow()->randomTextBox->isChecked());
        EXPECT_FALSE(controlWindow()->chosenTextBox->isChecked());
        EXPECT_TRUE(controlWindow()->browseButton->isHidden());
        EXPECT_EQ(stimulationWindow()->flicker.rhythm, std::nullopt);
        for (TLabel* label : rhythmLabels())
            EXPECT_EQ(label->Color(), TColor(0x00EBEAE7)) << label->objectName().toStdString();
        EXPECT_EQ(controlWindow()->intensitySpin->text(), QStringLiteral("20"));
        EXPECT_EQ(overlayWindow()->AlphaBlendValue(), alpha);
        EXPECT_EQ(controlWindow()->runMinutesSpin->text(), QStringLiteral("27"));
        EXPECT_EQ(controlWindow()->minutesLabel->Caption(), QStringLiteral("27"));
        EXPECT_EQ(controlWindow()->lineIntervalSpin->text(), QStringLiteral("60"));
        EXPECT_EQ(stimulationWindow()->lineTimer->Interval(), 600);
    }
};

TEST_F(ResetTest, ReturnsEveryControlOfTheResetList)
{
    controlWindow()->manualBox->click();
    clickLabel(controlWindow()->rhythmButton(Rhythm::Theta));
    controlWindow()->stimulationBox->click();
    controlWindow()->stimulationBox->click();
    controlWindow()->wakeBox->click();
    controlWindow()->powerOffBox->click();
    controlWindow()->markersBox->click();
    controlWindow()->mandalasBox->click();
    controlWindow()->chosenTextBox->click();
    controlWindow()->intensitySpin->setValue(80);
    controlWindow()->lineIntervalSpin->setValue(300);
    controlWindow()->runMinutesSpin->setValue(45);
    const TFont changed { QStringLiteral("Arial"), 12, TFont::Italic | TFont::Underline, clRed, 204 };
    controlWindow()->textPreview->setFont(changed);
    controlWindow()->fontDialog->Font = changed;
    controlWindow()->textPreview->setColor(clNavy);
    controlWindow()->previewColorBox->setSelected(clNavy);
    ASSERT_EQ(controlWindow()->minutesLabel->Caption(), QStringLiteral("45"));
    ASSERT_EQ(overlayWindow()->AlphaBlendValue(), 204);

    controlWindow()->resetToDefaults();
    expectResetState(51);
}

TEST_F(ResetTest, FromASwitchedOffManualStateAndMinutesShownInLabel2)
{
    controlWindow()->manualBox->click();
    controlWindow()->stimulationBox->click();
    controlWindow()->minutesLabel->setCaption(QStringLiteral("13"));  // as a run shows the minutes left

    clickLabel(controlWindow()->resetButton);
    // The intensity was never changed, so its rule does not run and the overlay
    // keeps its designed alpha.
    expectResetState(25);
}

}  // namespace
