// The Start command: what it sets, shows, starts and disables, the random text
// choice, the run length it accepts, and a Start that finds no text to load.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "control/MiniBar.h"
#include "framework/CheckBox.h"
#include "framework/ColorBox.h"
#include "framework/Handler.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/OverlayWindow.h"
#include "run/ReadingTextLoad.h"
#include "run/StimulationWindow.h"
#include "widgets/TGauge.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace pvstim;
using namespace pvstim::test;
using pvstim::test::writeFile;

class RunControlStart : public test::AppTest {
protected:
    bool clickStart() { return runHandler(controlWindow()->startButton->OnClick); }

    std::vector<TTimer*> runTimers() const
    {
        return { controlWindow()->countdownTimer, stimulationWindow()->flipTimer, stimulationWindow()->lineTimer, stimulationWindow()->markerTimer, stimulationWindow()->mandalaTimer };
    }
};

TEST_F(RunControlStart, ShowsTheStimulationWindowInThePreviewsLookAndStartsTheRun)
{
    const TFont font { QStringLiteral("Arial"), 20, TFont::Italic, 0x000000FF, 204 };
    controlWindow()->textPreview->setFont(font);
    controlWindow()->textPreview->setColor(0x00112233);
    const int topBefore = controlWindow()->Top();

    ASSERT_TRUE(clickStart()) << fake.errors.join(u'\n').toStdString();

    EXPECT_TRUE(stimulationWindow()->Visible());
    EXPECT_EQ(QRect(stimulationWindow()->Left(), stimulationWindow()->Top(), stimulationWindow()->Width(), stimulationWindow()->Height()), QRect(0, 0, 1024, 768));
    EXPECT_EQ(stimulationWindow()->Color(), TColor(0x00112233));
    EXPECT_EQ(stimulationWindow()->textLine->Font(), font);
    EXPECT_EQ(stimulationWindow()->textLine->geometry(), QRect(30, 768 / 2 - 80, 1024 - 60, 241));

    // Minimized behind the mini bar, which keeps the keyboard for the run, with the
    // pointer on its restore image.
    EXPECT_EQ(fake.keyboardKeptOn, miniBar());
    EXPECT_EQ(controlWindow()->topBeforeMinimize, topBefore);
    EXPECT_EQ(controlWindow()->Top(), 200000);
    EXPECT_TRUE(miniBar()->Visible());
    EXPECT_EQ(fake.cursorPos(), QPoint(miniBar()->Left() + 10, miniBar()->Top() + 10));
    EXPECT_EQ(fake.cursorPos(), QPoint(10, 768 - miniBar()->Height() + 10));

    EXPECT_EQ(controlWindow()->minutesLeft, 27);
    EXPECT_EQ(controlWindow()->secondsLeft, 0);
    EXPECT_TRUE(controlWindow()->countdownTimer->Enabled());
    EXPECT_EQ(controlWindow()->countdownTimer->Interval(), 1000);
    EXPECT_TRUE(stimulationWindow()->lineTimer->Enabled());
    EXPECT_EQ(stimulationWindow()->lineTimer->Interval(), 600);
    EXPECT_TRUE(stimulationWindow()->markerTimer->Enabled());
    EXPECT_TRUE(stimulationWindow()->mandalaTimer->Enabled());
    EXPECT_FALSE(stimulationWindow()->flipTimer->Enabled()) << "the text timer starts the flicker clock, not Start";

    EXPECT_EQ(stimulationWindow()->readingText.lines(), QStringList({ "sample.txt", "First line", "Second line", "Third line" }));
    EXPECT_EQ(stimulationWindow()->textLine->Caption(), QStringLiteral("sample.txt"));
    EXPECT_TRUE(stimulationWindow()->progressStrip->Visible());
    EXPECT_EQ(stimulationWindow()->progressStrip->Progress(), 100);
    EXPECT_EQ(controlWindow()->progressNeedle->Progress(), 100);
}

// The stimulation window takes no input, but its text line is drawn in the
// preview's colours all the same, not greyed as a disabled control.
TEST_F(RunControlStart, DrawsTheTitleLineInThePreviewsColours)
{
    controlWindow()->textPreview->setFont(TFont { QStringLiteral("Arial"), 36, TFont::Bold, 0x000000FF, 204 });
    controlWindow()->textPreview->setColor(0x00FFFF00);
    ASSERT_TRUE(clickStart());

    const QImage line = stimulationWindow()->grab(stimulationWindow()->textLine->geometry()).toImage();
    int ink = 0;
    int background = 0;
    for (int y = 0; y < line.height(); ++y)
        for (int x = 0; x < line.width(); ++x) {
            const QRgb p = line.pixel(x, y) & 0xFFFFFF;
            ink += p == 0xFF0000;
            background += p == 0x00FFFF;
        }
    EXPECT_GT(ink, 100) << "the title line is not drawn in the font's colour";
    EXPECT_GT(background, line.width() * line.height() / 2);
}

TEST_F(RunControlStart, StartsMarkersAndMandalasOnlyWhenChosen)
{
    controlWindow()->markersBox->setChecked(false);
    controlWindow()->mandalasBox->setChecked(true);
    ASSERT_TRUE(clickStart());
    EXPECT_FALSE(stimulationWindow()->markerTimer->Enabled());
    EXPECT_TRUE(stimulationWindow()->mandalaTimer->Enabled());
}

struct IntensityCase {
    int intensity;
    int alpha;
};

void PrintTo(const IntensityCase& c, std::ostream* os) { *os << "intensity " << c.intensity; }

class RunControlIntensity : public RunControlStart, public ::testing::WithParamInterface<IntensityCase> { };

TEST_P(RunControlIntensity, SetsTheOverlayOpacity)
{
    controlWindow()->intensitySpin->setValue(GetParam().intensity);
    overlayWindow()->setAlphaBlendValue(0);
    ASSERT_TRUE(clickStart());
    EXPECT_EQ(overlayWindow()->AlphaBlendValue(), GetParam().alpha);
}

INSTANTIATE_TEST_SUITE_P(Table, RunControlIntensity, ::testing::Values(
    IntensityCase { 10, 25 }, IntensityCase { 20, 51 }, IntensityCase { 55, 140 }, IntensityCase { 100, 255 }));

struct ModeCase {
    const char* what;
    bool manual;
    bool sleep;
    double frequency;
    AutoDrift drift;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.what; }

class RunControlMode : public RunControlStart, public ::testing::WithParamInterface<ModeCase> { };

TEST_P(RunControlMode, SetsTheStartFrequencyAndTheAutoDrift)
{
    const ModeCase& c = GetParam();
    controlWindow()->manualBox->setChecked(c.manual);
    controlWindow()->autoBox->setChecked(!c.manual);
    if (c.manual)
        controlWindow()->chooseRhythm(Rhythm::LowAlpha);
    controlWindow()->sleepBox->setChecked(c.sleep);
    controlWindow()->wakeBox->setChecked(!c.sleep);
    stimulationWindow()->flicker.frequency = 3.0;

    ASSERT_TRUE(clickStart());
    EXPECT_DOUBLE_EQ(stimulationWindow()->flicker.frequency, c.frequency) << c.what;
    EXPECT_EQ(stimulationWindow()->flicker.autoDrift, c.drift) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, RunControlMode, ::testing::Values(
    ModeCase { "auto, sleep", false, true, 10.0, AutoDrift::Falling },
    ModeCase { "auto, wakefulness", false, false, 8.0, AutoDrift::Rising },
    ModeCase { "manual, sleep", true, true, 10.0, AutoDrift::None },
    ModeCase { "manual, wakefulness", true, false, 8.0, AutoDrift::None }));

TEST_F(RunControlStart, DisablesTheSettingsThatMayNotChangeAndLeavesTheRest)
{
    controlWindow()->browseButton->show();
    const std::vector<QWidget*> kept { controlWindow()->intensitySpin, controlWindow()->lineIntervalSpin, controlWindow()->powerOffBox, controlWindow()->rhythmButton(Rhythm::LowBeta),
        controlWindow()->rhythmButton(Rhythm::HighAlpha), controlWindow()->rhythmButton(Rhythm::LowAlpha), controlWindow()->rhythmButton(Rhythm::Theta), controlWindow()->rhythmButton(Rhythm::Delta), controlWindow()->helpButton, controlWindow()->bookButton, controlWindow()->startButton,
        controlWindow()->minimizeButton, controlWindow()->closeButton };
    std::vector<bool> before;
    for (QWidget* w : kept)
        before.push_back(w->isEnabled());

    ASSERT_TRUE(clickStart());

    for (QWidget* w : std::initializer_list<QWidget*> { controlWindow()->stimulationBox, controlWindow()->manualBox, controlWindow()->autoBox,
             controlWindow()->sleepBox, controlWindow()->wakeBox, controlWindow()->markersBox, controlWindow()->mandalasBox, controlWindow()->randomTextBox,
             controlWindow()->chosenTextBox, controlWindow()->previewColorBox, controlWindow()->fontButton, controlWindow()->resetButton, controlWindow()->runMinutesSpin })
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(controlWindow()->browseButton->isHidden());
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(kept[i]->isEnabled(), before[i]) << kept[i]->objectName().toStdString();
    EXPECT_TRUE(controlWindow()->startButton->isEnabled());
}

TEST_F(RunControlStart, KeepsATextChosenByHandAndDrawsNone)
{
    controlWindow()->chosenTextBox->setChecked(true);
    controlWindow()->randomTextBox->setChecked(false);
    writeFile(dir.path(), QStringLiteral("elsewhere/mine.txt"), "mine\n");
    setReadingTextFromFile(*stimulationWindow(), path(QStringLiteral("elsewhere/mine.txt")));

    ASSERT_TRUE(clickStart());
    EXPECT_EQ(stimulationWindow()->readingText.lines(), QStringList({ "mine.txt", "mine" }));
    EXPECT_EQ(stimulationWindow()->textLine->Caption(), QStringLiteral("mine.txt"));
    EXPECT_TRUE(fake.randomRanges.empty());
}

TEST_F(RunControlStart, DrawsFromAllTheTextsInTheList)
{
    writeFile(dir.path(), QStringLiteral("to_read/zeta.txt"), "z\n");
    destroyWindowSet();
    createWindowSet();
    fake.queueRandom(1);
    ASSERT_TRUE(clickStart());
    EXPECT_EQ(stimulationWindow()->readingText.line(0), QStringLiteral("zeta.txt"));
    ASSERT_FALSE(fake.randomRanges.empty());
    EXPECT_EQ(fake.randomRanges.back(), std::make_pair(0, 2));
}

struct LengthCase {
    const char* typed;
    int length;
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << "typed \"" << c.typed << '"'; }

class RunControlRunLength : public RunControlStart, public ::testing::WithParamInterface<LengthCase> { };

TEST_P(RunControlRunLength, BringsATypedRunLengthIntoRange)
{
    const LengthCase& c = GetParam();
    controlWindow()->runMinutesSpin->editor()->setText(QString::fromUtf8(c.typed));
    ASSERT_TRUE(clickStart());
    EXPECT_EQ(controlWindow()->runMinutesSpin->Value(), c.length);
    EXPECT_EQ(controlWindow()->minutesLabel->Caption(), QString::number(c.length));
    EXPECT_EQ(controlWindow()->minutesLeft, c.length);

    fake.advanceMs(1000);
    EXPECT_EQ(controlWindow()->minutesLabel->Caption(), QString::number(c.length - 1));
    EXPECT_EQ(controlWindow()->progressNeedle->Progress(), 100);
}

INSTANTIATE_TEST_SUITE_P(Table, RunControlRunLength, ::testing::Values(
    LengthCase { "0", 10 }, LengthCase { "-5", 10 }, LengthCase { "", 10 }, LengthCase { "9", 10 },
    LengthCase { "35", 35 }, LengthCase { "61", 60 }, LengthCase { "99999999999", 10 }));

struct LineIntervalCase {
    const char* typed;
    int lineInterval;
};

void PrintTo(const LineIntervalCase& c, std::ostream* os) { *os << "typed \"" << c.typed << '"'; }

class RunControlLineInterval : public RunControlStart, public ::testing::WithParamInterface<LineIntervalCase> { };

// A typed interval reaches Start unclamped; 0 or less would never show a line and
// never start the flicker.
TEST_P(RunControlLineInterval, BringsATypedLineIntervalIntoRangeAndTheFeedStarts)
{
    const LineIntervalCase& c = GetParam();
    controlWindow()->lineIntervalSpin->editor()->setText(QString::fromUtf8(c.typed));
    ASSERT_TRUE(clickStart());
    EXPECT_EQ(controlWindow()->lineIntervalSpin->Value(), c.lineInterval);
    EXPECT_EQ(stimulationWindow()->lineTimer->Interval(), c.lineInterval * 10);
    fake.advanceMs(c.lineInterval * 10);
    EXPECT_TRUE(stimulationWindow()->flipTimer->Enabled()) << "the first line's tick starts the flicker";
}

INSTANTIATE_TEST_SUITE_P(Table, RunControlLineInterval, ::testing::Values(
    LineIntervalCase { "0", 10 }, LineIntervalCase { "-5", 10 }, LineIntervalCase { "1", 10 },
    LineIntervalCase { "9", 10 }, LineIntervalCase { "10", 10 }, LineIntervalCase { "60", 60 },
    LineIntervalCase { "1000", 1000 }, LineIntervalCase { "1001", 1000 }));

// Start with "1. Случайно" and no text it can load.
enum class NoText { MissingFolder, NoTxtFile, DrawnFileGone, DrawnFileTooLarge };

class RunControlNoText : public RunControlStart, public ::testing::WithParamInterface<NoText> {
protected:
    void prepare() override
    {
        QDir folder(path(QStringLiteral("to_read")));
        switch (GetParam()) {
        case NoText::MissingFolder:
            folder.removeRecursively();
            break;
        case NoText::NoTxtFile:
            QFile::remove(folder.filePath(QStringLiteral("sample.txt")));
            writeFile(dir.path(), QStringLiteral("to_read/notes.doc"), "x");
            folder.mkdir(QStringLiteral("inner.txt"));
            break;
        case NoText::DrawnFileGone:
            break;
        case NoText::DrawnFileTooLarge: {
            QFile big(folder.filePath(QStringLiteral("sample.txt")));
            if (!big.open(QIODevice::ReadWrite) || !big.resize(17 * 1024 * 1024))
                ADD_FAILURE() << "cannot grow the text";
            break;
        }
        }
    }
};

TEST_P(RunControlNoText, ShowsAnErrorNamingTheFolderAndChangesNothing)
{
    if (GetParam() == NoText::DrawnFileGone) {
        ASSERT_TRUE(QFile::remove(path(QStringLiteral("to_read/sample.txt"))));
    }
    writeFile(dir.path(), QStringLiteral("elsewhere/kept.txt"), "kept\n");
    setReadingTextFromFile(*stimulationWindow(), path(QStringLiteral("elsewhere/kept.txt")));
    fake.errors.clear();
    const int top = controlWindow()->Top();

    EXPECT_FALSE(clickStart());

    ASSERT_EQ(fake.errors.size(), 1);
    EXPECT_TRUE(fake.errors[0].contains(QDir::toNativeSeparators(path(QStringLiteral("to_read")))))
        << fake.errors[0].toStdString();
    if (GetParam() == NoText::DrawnFileTooLarge) {
        EXPECT_TRUE(fake.errors[0].contains(QStringLiteral("Text exceeds memo capacity")));
    }
    EXPECT_EQ(controlWindow()->Top(), top);
    EXPECT_FALSE(stimulationWindow()->Visible());
    EXPECT_FALSE(miniBar()->Visible());
    for (TTimer* timer : runTimers())
        EXPECT_FALSE(timer->Enabled());
    EXPECT_TRUE(controlWindow()->runMinutesSpin->isEnabled());
    EXPECT_TRUE(controlWindow()->randomTextBox->isEnabled());
    EXPECT_EQ(controlWindow()->minutesLeft, 27);
    EXPECT_TRUE(fake.cursorMoves.empty());
    EXPECT_EQ(stimulationWindow()->readingText.lines(), QStringList({ "kept.txt", "kept" }));
    EXPECT_EQ(stimulationWindow()->textLine->Caption(), QStringLiteral("kept.txt"));
}

INSTANTIATE_TEST_SUITE_P(Cases, RunControlNoText, ::testing::Values(
    NoText::MissingFolder, NoText::NoTxtFile, NoText::DrawnFileGone, NoText::DrawnFileTooLarge));

// ---- A setting changed during a run reaches its target --------------------------------

struct DuringRunCase {
    const char* what;
    std::function<void()> change;
    std::function<bool()> reached;
};

void PrintTo(const DuringRunCase& c, std::ostream* os) { *os << c.what; }

class RunControlDuringRun : public RunControlStart, public ::testing::WithParamInterface<DuringRunCase> { };

// A rewiring that drops a connection leaves the run with the value it started with.
TEST_P(RunControlDuringRun, ReachesItsTarget)
{
    controlWindow()->manualBox->setChecked(true);
    controlWindow()->chooseRhythm(Rhythm::LowBeta);
    ASSERT_TRUE(clickStart());
    ASSERT_FALSE(GetParam().reached());
    GetParam().change();
    EXPECT_TRUE(GetParam().reached()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Table, RunControlDuringRun, ::testing::Values(
    DuringRunCase { "intensity -> overlay alpha", [] { controlWindow()->intensitySpin->setValue(55); },
        [] { return overlayWindow()->AlphaBlendValue() == 140; } },
    DuringRunCase { "line interval -> line timer", [] { controlWindow()->lineIntervalSpin->setValue(250); },
        [] { return stimulationWindow()->lineTimer->Interval() == 2500; } },
    DuringRunCase { "typed line interval 0 -> line timer at the least interval",
        [] { controlWindow()->lineIntervalSpin->editor()->setText(QStringLiteral("0")); },
        [] { return stimulationWindow()->lineTimer->Interval() == 100 && stimulationWindow()->lineTimer->Enabled(); } },
    DuringRunCase { "rhythm -> flip schedule", [] { runHandler(controlWindow()->rhythmButton(Rhythm::Theta)->OnClick); },
        [] { return stimulationWindow()->flipTimer->Interval() == 100 && stimulationWindow()->flicker.rhythm == Rhythm::Theta; } },
    DuringRunCase { "stop -> every timer stopped", [] { runHandler(miniBar()->closeButton->OnClick); },
        [] {
            for (TTimer* timer : { controlWindow()->countdownTimer, stimulationWindow()->flipTimer, stimulationWindow()->lineTimer,
                     stimulationWindow()->markerTimer, stimulationWindow()->mandalaTimer })
                if (timer->Enabled())
                    return false;
            return !stimulationWindow()->Visible();
        } }));

class RunControlPowerOff : public RunControlStart, public ::testing::WithParamInterface<bool> { };

TEST_P(RunControlPowerOff, AsksThePlatformAndReportsItsAnswer)
{
    fake.powerOffAccepted = GetParam();
    EXPECT_EQ(controlWindow()->powerOff(), GetParam());
    EXPECT_EQ(fake.powerOffRequests, 1);
}

INSTANTIATE_TEST_SUITE_P(Answers, RunControlPowerOff, ::testing::Bool());

}  // namespace
