// The rules of the control window's settings, checked on the whole window set:
// the states the window ends in after the user's and the program's changes.
#include "AppFixture.h"

#include "control/TForm1.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/FontDialog.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/TForm2.h"
#include "run/TForm3.h"

#include <QLineEdit>
#include <QMouseEvent>

using namespace pvstim;
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

std::vector<TLabel*> rhythmLabels() { return { Form1->Label5, Form1->Label6, Form1->Label7, Form1->Label8, Form1->Label9 }; }

// The controls that Manual enables and Auto disables, and the other way round.
std::vector<QWidget*> manualControls()
{
    return { Form1->Label5, Form1->Label6, Form1->Label7, Form1->Label8, Form1->Label9, Form1->SpinEdit1 };
}
std::vector<QWidget*> autoControls() { return { Form1->CheckBox4, Form1->CheckBox5, Form1->CheckBox6, Form1->Label2 }; }

void expectEnabled(const std::vector<QWidget*>& controls, bool enabled, const char* when)
{
    for (QWidget* control : controls)
        EXPECT_EQ(control->isEnabled(), enabled) << control->objectName().toStdString() << " " << when;
}

void expectRhythm(std::uint8_t mode, double frequency)
{
    EXPECT_EQ(Form1->rhythmMode, mode);
    EXPECT_DOUBLE_EQ(Form1->stimulationFrequency, frequency);
}

class SettingsRulesTest : public AppTest { };

TEST_F(SettingsRulesTest, StateAfterCreation)
{
    EXPECT_TRUE(Form1->CheckBox1->isChecked());
    EXPECT_FALSE(Form1->CheckBox2->isChecked());
    EXPECT_TRUE(Form1->CheckBox3->isChecked());
    expectEnabled(manualControls(), false, "after creation");
    expectEnabled(autoControls(), true, "after creation");
    EXPECT_TRUE(Form1->Label12->isEnabled());
    EXPECT_EQ(Form1->rhythmMode, 5);
    for (TLabel* label : rhythmLabels())
        EXPECT_EQ(label->Color(), TColor(0x00EBEAE7));
    EXPECT_TRUE(Form1->CheckBox9->isChecked());
    EXPECT_FALSE(Form1->CheckBox10->isChecked());
    EXPECT_TRUE(Form1->Label14->isHidden());
    EXPECT_NE(Form1->CheckBox4->isChecked(), Form1->CheckBox5->isChecked());
    EXPECT_EQ(Form1->ColorBox1->Selected(), Form1->example->Color());
    EXPECT_EQ(Form1->FontDialog1->Font, Form1->example->Font());
}

// ---- Manual and Auto ------------------------------------------------------------

enum class Via { ManualBox, AutoBox };

struct ModeCase {
    Via toManual;
    Via backToAuto;
    bool rhythmChosen;
};

class ManualAuto : public AppTest, public ::testing::WithParamInterface<ModeCase> { };

void clickVia(Via via) { (via == Via::ManualBox ? Form1->CheckBox2 : Form1->CheckBox3)->click(); }

TEST_P(ManualAuto, EitherBoxLeadsToTheSameTwoStates)
{
    const ModeCase& c = GetParam();
    if (c.rhythmChosen) {
        Form1->CheckBox2->click();
        clickLabel(Form1->Label7);
        Form1->CheckBox3->click();
        ASSERT_TRUE(Form1->CheckBox3->isChecked());
    }

    clickVia(c.toManual);
    EXPECT_TRUE(Form1->CheckBox2->isChecked());
    EXPECT_FALSE(Form1->CheckBox3->isChecked());
    expectEnabled(manualControls(), true, "in Manual");
    expectEnabled(autoControls(), false, "in Manual");
    EXPECT_EQ(Form1->Label12->isEnabled(), c.rhythmChosen);
    EXPECT_EQ(Form1->Label7->Color(), c.rhythmChosen ? TColor(0x00F0CAA6) : TColor(0x00EBEAE7));

    clickVia(c.backToAuto);
    EXPECT_FALSE(Form1->CheckBox2->isChecked());
    EXPECT_TRUE(Form1->CheckBox3->isChecked());
    expectEnabled(manualControls(), false, "back in Auto");
    expectEnabled(autoControls(), true, "back in Auto");
    EXPECT_EQ(Form1->Label12->isEnabled(), c.rhythmChosen) << "Auto leaves Start as Manual set it";
    EXPECT_EQ(Form1->Label7->Color(), c.rhythmChosen ? TColor(0x00F0CAA6) : TColor(0x00EBEAE7));
}

INSTANTIATE_TEST_SUITE_P(Table, ManualAuto, ::testing::Values(
    ModeCase { Via::ManualBox, Via::AutoBox, false }, ModeCase { Via::AutoBox, Via::ManualBox, false },
    ModeCase { Via::ManualBox, Via::ManualBox, false }, ModeCase { Via::AutoBox, Via::AutoBox, false },
    ModeCase { Via::ManualBox, Via::AutoBox, true }, ModeCase { Via::AutoBox, Via::ManualBox, true }));

TEST_F(SettingsRulesTest, ARhythmLabelEnablesStartHighlightsItselfAndSelectsItsPreset)
{
    Form1->CheckBox3->click();
    ASSERT_FALSE(Form1->Label12->isEnabled());

    clickLabel(Form1->Label7);
    EXPECT_TRUE(Form1->Label12->isEnabled());
    for (TLabel* label : rhythmLabels())
        EXPECT_EQ(label->Color(), label == Form1->Label7 ? TColor(0x00F0CAA6) : TColor(0x00EBEAE7))
            << label->objectName().toStdString();
    expectRhythm(2, 9.0);

    clickLabel(Form1->Label9);
    EXPECT_EQ(Form1->Label9->Color(), TColor(0x00F0CAA6));
    EXPECT_EQ(Form1->Label7->Color(), TColor(0x00EBEAE7));
    expectRhythm(4, 1.0);
}

TEST_F(SettingsRulesTest, ADisabledRhythmLabelTakesNoClick)
{
    Form1->CheckBox3->click();  // Manual: Start disabled, no rhythm
    Form1->CheckBox1->click();  // switch off: rhythm labels disabled
    clickLabel(Form1->Label6);
    EXPECT_FALSE(Form1->Label12->isEnabled());
    EXPECT_EQ(Form1->Label6->Color(), TColor(0x00EBEAE7));
    EXPECT_EQ(Form1->rhythmMode, 5);
}

// ---- Stimulation switch ---------------------------------------------------------

class StimulationSwitch : public AppTest, public ::testing::WithParamInterface<Via> { };

TEST_P(StimulationSwitch, OffDisablesTheTwelveAndOnEnablesThemAllWhateverTheMode)
{
    if (GetParam() == Via::ManualBox) {
        Form1->CheckBox2->click();
        clickLabel(Form1->Label5);
    }
    const bool manual = Form1->CheckBox2->isChecked();
    const bool startEnabled = Form1->Label12->isEnabled();
    std::vector<QWidget*> twelve { Form1->CheckBox2, Form1->CheckBox3 };
    for (auto* list : { &manualControls, &autoControls })
        for (QWidget* w : (*list)())
            twelve.push_back(w);
    ASSERT_EQ(twelve.size(), 12u);

    Form1->CheckBox1->click();
    expectEnabled(twelve, false, "switch off");
    Form1->CheckBox1->click();
    expectEnabled(twelve, true, "switch on again");

    EXPECT_EQ(Form1->CheckBox2->isChecked(), manual);
    EXPECT_EQ(Form1->CheckBox3->isChecked(), !manual);
    EXPECT_EQ(Form1->Label12->isEnabled(), startEnabled);
    EXPECT_TRUE(Form1->Label10->isEnabled());
    EXPECT_TRUE(Form1->SpinEdit2->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Modes, StimulationSwitch, ::testing::Values(Via::AutoBox, Via::ManualBox));

// ---- End-of-run pair and the time of day ------------------------------------------

TEST_F(SettingsRulesTest, EndOfRunPairKeepsExactlyOneChecked)
{
    const bool sleep = Form1->CheckBox4->isChecked();
    (sleep ? Form1->CheckBox4 : Form1->CheckBox5)->click();  // the checked one
    EXPECT_EQ(Form1->CheckBox4->isChecked(), !sleep);
    EXPECT_EQ(Form1->CheckBox5->isChecked(), sleep);
    Form1->CheckBox4->click();
    EXPECT_EQ(Form1->CheckBox4->isChecked(), sleep);
    EXPECT_EQ(Form1->CheckBox5->isChecked(), !sleep);
}

struct TimeCase {
    QTime time;
    bool leadingZero;
    bool twelveHour;
    bool sleep;
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
        fake.setLongTimeFormat(format);
    }
};

TEST_P(TimeOfDayDefault, ChoosesSleepOrWakefulnessAtCreationAndAtReset)
{
    const bool sleep = GetParam().sleep;
    EXPECT_EQ(Form1->CheckBox4->isChecked(), sleep) << fake.longTimeText().toStdString();
    EXPECT_EQ(Form1->CheckBox5->isChecked(), !sleep);

    Form1->CheckBox4->click();
    Form1->Label4Click();
    EXPECT_EQ(Form1->CheckBox4->isChecked(), sleep) << "reset";
    EXPECT_EQ(Form1->CheckBox5->isChecked(), !sleep) << "reset";
}

INSTANTIATE_TEST_SUITE_P(Table, TimeOfDayDefault, ::testing::Values(
    TimeCase { QTime(5, 59), true, false, true }, TimeCase { QTime(6, 0), true, false, false },
    TimeCase { QTime(20, 59), true, false, false }, TimeCase { QTime(21, 0), true, false, true },
    TimeCase { QTime(22, 0), true, false, true }, TimeCase { QTime(0, 30), true, false, true },
    TimeCase { QTime(9, 15), false, false, false }, TimeCase { QTime(5, 15), false, false, true },
    TimeCase { QTime(21, 15), false, false, true },
    // A 12-hour text is read by its first characters too: 9 PM reads as 9.
    TimeCase { QTime(21, 15), false, true, false }));

// ---- Text choice ------------------------------------------------------------------

TEST_F(SettingsRulesTest, TextChoicePairAndTheBrowseLabel)
{
    Form1->CheckBox9->click();
    EXPECT_FALSE(Form1->CheckBox9->isChecked());
    EXPECT_TRUE(Form1->CheckBox10->isChecked());
    EXPECT_FALSE(Form1->Label14->isHidden());

    Form1->CheckBox10->click();
    EXPECT_TRUE(Form1->CheckBox9->isChecked());
    EXPECT_FALSE(Form1->CheckBox10->isChecked());
    EXPECT_TRUE(Form1->Label14->isHidden());

    Form1->CheckBox10->click();
    EXPECT_FALSE(Form1->Label14->isHidden());
    Form1->CheckBox9->click();
    EXPECT_TRUE(Form1->Label14->isHidden());
}

// ---- Spin edits -------------------------------------------------------------------

struct NumberCase {
    const char* text;
    int result;
};

class Intensity : public AppTest, public ::testing::WithParamInterface<NumberCase> { };

TEST_P(Intensity, SetsTheOverlayOpacityAtOnce)
{
    Form1->SpinEdit1->editor()->setText(QStringLiteral("50"));
    ASSERT_EQ(Form3->AlphaBlendValue(), 127);
    Form1->SpinEdit1->editor()->setText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(Form3->AlphaBlendValue(), GetParam().result) << GetParam().text;
}

// Values typed outside the bounds reach the rule unchanged; the opacity is held to 0..255.
INSTANTIATE_TEST_SUITE_P(Table, Intensity, ::testing::Values(
    NumberCase { "10", 25 }, NumberCase { "20", 51 }, NumberCase { "99", 252 }, NumberCase { "100", 255 },
    NumberCase { "", 25 }, NumberCase { "0", 0 }, NumberCase { "-40", 0 }, NumberCase { "150", 255 },
    NumberCase { "2000000000", 255 }));

class LineInterval : public AppTest, public ::testing::WithParamInterface<NumberCase> { };

TEST_P(LineInterval, SetsTheTextTimerIntervalAtOnce)
{
    Form1->SpinEdit2->editor()->setText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(Form2->Timer2->Interval(), GetParam().result) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, LineInterval, ::testing::Values(
    NumberCase { "10", 100 }, NumberCase { "1", 10 }, NumberCase { "100", 1000 }, NumberCase { "1000", 10000 },
    NumberCase { "", 100 }, NumberCase { "-5", 0 }, NumberCase { "2000000000", 2147483647 }));

TEST_F(SettingsRulesTest, LineIntervalStartsFromTheStoredValue)
{
    EXPECT_EQ(Form1->SpinEdit2->Value(), 60);
    Form1->SpinEdit2->setValue(61);
    Form1->SpinEdit2->setValue(60);
    EXPECT_EQ(Form2->Timer2->Interval(), 600);
}

class RunLength : public AppTest, public ::testing::WithParamInterface<NumberCase> { };

TEST_P(RunLength, ShowsTheValueInLabel2)
{
    Form1->SpinEdit3->editor()->setText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(Form1->Label2->Caption(), QString::number(GetParam().result));
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
        EXPECT_EQ(Form1->example->Font(), kDesignedPreviewFont);
        EXPECT_EQ(Form1->example->Color(), TColor(0x00DEF2F5));
        EXPECT_EQ(Form1->ColorBox1->Selected(), TColor(0x00DEF2F5));
        EXPECT_EQ(Form1->FontDialog1->Font, kDesignedPreviewFont);
        EXPECT_TRUE(Form1->CheckBox1->isChecked());
        EXPECT_FALSE(Form1->CheckBox2->isChecked());
        EXPECT_TRUE(Form1->CheckBox3->isChecked());
        expectEnabled(manualControls(), false, "after reset");
        expectEnabled(autoControls(), true, "after reset");
        EXPECT_TRUE(Form1->CheckBox4->isChecked()) << "22:00 is sleep";
        EXPECT_FALSE(Form1->CheckBox5->isChecked());
        EXPECT_FALSE(Form1->CheckBox6->isChecked());
        EXPECT_TRUE(Form1->CheckBox7->isChecked());
        EXPECT_TRUE(Form1->CheckBox8->isChecked());
        EXPECT_TRUE(Form1->CheckBox9->isChecked());
        EXPECT_FALSE(Form1->CheckBox10->isChecked());
        EXPECT_TRUE(Form1->Label14->isHidden());
        EXPECT_EQ(Form1->rhythmMode, 5);
        for (TLabel* label : rhythmLabels())
            EXPECT_EQ(label->Color(), TColor(0x00EBEAE7)) << label->objectName().toStdString();
        EXPECT_EQ(Form1->SpinEdit1->text(), QStringLiteral("20"));
        EXPECT_EQ(Form3->AlphaBlendValue(), alpha);
        EXPECT_EQ(Form1->SpinEdit3->text(), QStringLiteral("27"));
        EXPECT_EQ(Form1->Label2->Caption(), QStringLiteral("27"));
        EXPECT_EQ(Form1->SpinEdit2->text(), QStringLiteral("60"));
        EXPECT_EQ(Form2->Timer2->Interval(), 600);
    }
};

TEST_F(ResetTest, ReturnsEveryControlOfTheResetList)
{
    Form1->CheckBox2->click();
    clickLabel(Form1->Label8);
    Form1->CheckBox1->click();
    Form1->CheckBox1->click();
    Form1->CheckBox5->click();
    Form1->CheckBox6->click();
    Form1->CheckBox7->click();
    Form1->CheckBox8->click();
    Form1->CheckBox10->click();
    Form1->SpinEdit1->setValue(80);
    Form1->SpinEdit2->setValue(300);
    Form1->SpinEdit3->setValue(45);
    const TFont changed { QStringLiteral("Arial"), 12, TFont::Italic | TFont::Underline, clRed, 204 };
    Form1->example->setFont(changed);
    Form1->FontDialog1->Font = changed;
    Form1->example->setColor(clNavy);
    Form1->ColorBox1->setSelected(clNavy);
    ASSERT_EQ(Form1->Label2->Caption(), QStringLiteral("45"));
    ASSERT_EQ(Form3->AlphaBlendValue(), 204);

    Form1->Label4Click();
    expectResetState(51);
}

TEST_F(ResetTest, FromASwitchedOffManualStateAndMinutesShownInLabel2)
{
    Form1->CheckBox2->click();
    Form1->CheckBox1->click();
    Form1->Label2->setCaption(QStringLiteral("13"));  // as a run shows the minutes left

    clickLabel(Form1->Label4);
    // The intensity was never changed, so its rule does not run and the overlay
    // keeps its designed alpha.
    expectResetState(25);
}

}  // namespace
