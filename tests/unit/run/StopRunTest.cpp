// Every way a run ends: Escape in any window of the program, the window manager's
// close request on the stimulation window, the close images and the end of the
// countdown. Each takes the flicker off the screen first, stops every timer of the
// run, lets the screen idle again and never powers off unless the countdown ran out.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "control/MiniBar.h"
#include "framework/CheckBox.h"
#include "framework/Handler.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/ClockPlate.h"
#include "run/StimulationWindow.h"
#include "settings/IniFile.h"

#include <QKeyEvent>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;
using namespace pvstim::test;

enum class Ending {
    EscapeOnStimulation,  // the disabled, full-screen window
    EscapeOnMiniBar,
    EscapeOnControl,      // out of sight while the run goes on
    EscapeOnClock,
    EscapeAfterErrorBox,  // the first Escape closes an error box, the second ends the run
    WindowManagerClose,   // Alt+F4 or a close request on the stimulation window
    MiniBarClose,
    ControlClose,
    CountdownEnd,
};

enum class Save { Works, Fails };

struct StopCase {
    const char* name;
    Ending ending;
    Save save;
};

void pressEscape(QWidget* target)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

class StopRun : public test::AppTest, public ::testing::WithParamInterface<StopCase> {
protected:
    void prepare() override
    {
        // A settings file over the size the program accepts is never replaced: the
        // save fails with an error box.
        if (GetParam().save == Save::Fails)
            test::writeFile(dir.path(), QStringLiteral("Config.ini"), QByteArray(IniFile::kMaxFileSize + 1, ';'));
    }

    void end()
    {
        switch (GetParam().ending) {
        case Ending::EscapeOnStimulation: pressEscape(stimulationWindow()); break;
        case Ending::EscapeOnMiniBar: pressEscape(miniBar()->closeButton); break;
        case Ending::EscapeOnControl: pressEscape(controlWindow()->lineIntervalSpin); break;
        case Ending::EscapeOnClock: pressEscape(clockPlate()); break;
        case Ending::EscapeAfterErrorBox: escapeAnErrorBox(); pressEscape(stimulationWindow()); break;
        case Ending::WindowManagerClose: stimulationWindow()->close(); break;
        case Ending::MiniBarClose: runHandler(miniBar()->closeButton->OnClick); break;
        case Ending::ControlClose: runHandler(controlWindow()->closeButton->OnClick); break;
        case Ending::CountdownEnd: fake.advanceMs(10 * 60 * 1000); break;
        }
    }

    void escapeAnErrorBox()
    {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("Bitmap image is not valid"),
            QMessageBox::Ok, controlWindow());
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        pressEscape(&box);
        EXPECT_FALSE(box.isVisible()) << "Escape did not reach the box";
        EXPECT_FALSE(controlWindow()->isClosed()) << "Escape on the box ended the run";
        EXPECT_TRUE(stimulationWindow()->flipTimer->Enabled());
    }
};

TEST_P(StopRun, HidesTheFlickerStopsTheRunAndNeverPowersOffEarly)
{
    controlWindow()->powerOffBox->setChecked(true);  // "В конце выкл. ПК"
    controlWindow()->runMinutesSpin->setValue(10);
    controlWindow()->lineIntervalSpin->setValue(10);
    EXPECT_FALSE(fake.screenKeptAwake) << "the screen may idle before a run";
    ASSERT_TRUE(runHandler(controlWindow()->startButton->OnClick)) << fake.errors.join(u'\n').toStdString();
    EXPECT_TRUE(fake.screenKeptAwake) << "Start holds the screen awake";
    fake.advanceMs(2000);
    ASSERT_TRUE(stimulationWindow()->flipTimer->Enabled()) << "the flicker runs";
    const QString saveError = fake.errors.join(u'\n');
    ASSERT_TRUE(saveError.isEmpty()) << saveError.toStdString();

    end();

    EXPECT_TRUE(controlWindow()->isClosed()) << "the program ends";
    EXPECT_FALSE(stimulationWindow()->Visible());
    EXPECT_FALSE(stimulationWindow()->isOnScreen());
    EXPECT_FALSE(fake.screenKeptAwake) << "the screen may idle again";
    for (TTimer* timer : { controlWindow()->countdownTimer, stimulationWindow()->flipTimer, stimulationWindow()->lineTimer, stimulationWindow()->markerTimer, stimulationWindow()->mandalaTimer })
        EXPECT_FALSE(timer->Enabled());
    const int powerOffs = GetParam().ending == Ending::CountdownEnd ? 1 : 0;
    EXPECT_EQ(fake.powerOffRequests, powerOffs);
    if (GetParam().save == Save::Works) {
        EXPECT_TRUE(test::readFile(path(QStringLiteral("Config.ini"))).contains("freqency=10"));
        EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join(u'\n').toStdString();
    } else {
        EXPECT_EQ(fake.errors.size(), 1) << "the failed save is reported";
    }

    // An error box of the save runs its own event loop: nothing of the run may go
    // on in it, above all not the countdown to a power-off.
    fake.advanceMs(11 * 60 * 1000);
    EXPECT_EQ(fake.powerOffRequests, powerOffs);
    EXPECT_FALSE(stimulationWindow()->isOnScreen());
}

INSTANTIATE_TEST_SUITE_P(Endings, StopRun,
    ::testing::Values(StopCase { "EscapeOnStimulation", Ending::EscapeOnStimulation, Save::Works },
        StopCase { "EscapeOnMiniBar", Ending::EscapeOnMiniBar, Save::Works },
        StopCase { "EscapeOnControl", Ending::EscapeOnControl, Save::Works },
        StopCase { "EscapeOnClock", Ending::EscapeOnClock, Save::Works },
        StopCase { "EscapeAfterErrorBox", Ending::EscapeAfterErrorBox, Save::Works },
        StopCase { "WindowManagerClose", Ending::WindowManagerClose, Save::Works },
        StopCase { "MiniBarClose", Ending::MiniBarClose, Save::Works },
        StopCase { "ControlClose", Ending::ControlClose, Save::Works },
        StopCase { "CountdownEnd", Ending::CountdownEnd, Save::Works },
        StopCase { "EscapeSaveFails", Ending::EscapeOnStimulation, Save::Fails },
        StopCase { "WindowManagerCloseSaveFails", Ending::WindowManagerClose, Save::Fails },
        StopCase { "MiniBarCloseSaveFails", Ending::MiniBarClose, Save::Fails }),
    [](const auto& info) { return std::string(info.param.name); });

class StopKeyIdle : public test::AppTest { };

// Outside a run Escape belongs to whatever has the focus: it must not close the
// program.
TEST_F(StopKeyIdle, EscapeOutsideARunDoesNotStopTheProgram)
{
    pressEscape(controlWindow()->lineIntervalSpin);
    EXPECT_FALSE(controlWindow()->isClosed());
    EXPECT_FALSE(fake.screenKeptAwake);
}

}  // namespace
