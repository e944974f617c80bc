#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "control/MiniBar.h"
#include "framework/SpinEdit.h"
#include "run/ClockPlate.h"
#include "run/OverlayWindow.h"
#include "run/StimulationWindow.h"

using namespace pvstim;
using namespace pvstim::test;

class StartupTest : public AppTest { };

TEST_F(StartupTest, WithoutConfigOnlyTheControlWindowIsVisibleCentred)
{
    EXPECT_TRUE(controlWindow()->Visible());
    EXPECT_TRUE(controlWindow()->isOnScreen());
    EXPECT_EQ(QRect(controlWindow()->Left(), controlWindow()->Top(), controlWindow()->Width(), controlWindow()->Height()),
        QRect((1024 - 554) / 2, (768 - 381) / 2, 554, 381));
    EXPECT_TRUE(controlWindow()->isMainForm());
    EXPECT_TRUE(controlWindow()->stayOnTop());

    EXPECT_FALSE(stimulationWindow()->Visible());
    EXPECT_FALSE(overlayWindow()->Visible());
    EXPECT_FALSE(miniBar()->Visible());
    // The clock window counts as shown from the start, parked above the corner.
    EXPECT_TRUE(clockPlate()->Visible());
    EXPECT_FALSE(clockPlate()->isOnScreen());
    EXPECT_EQ(clockPlate()->Left(), 2 - clockPlate()->Width());
    EXPECT_EQ(clockPlate()->Top(), -clockPlate()->Height() - 1);
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

TEST_F(StartupTest, WindowStylesAsDesigned)
{
    EXPECT_FALSE(stimulationWindow()->isEnabled()) << "the stimulation window takes no input";
    EXPECT_FALSE(stimulationWindow()->stayOnTop());
    EXPECT_EQ(stimulationWindow()->windowState(), WindowState::Maximized);
    EXPECT_EQ(stimulationWindow()->Color(), 0x00008400);
    EXPECT_TRUE(overlayWindow()->alphaBlend());
    EXPECT_EQ(overlayWindow()->AlphaBlendValue(), 25) << "opacity 20 leaves the designed alpha";
    EXPECT_EQ(QSize(overlayWindow()->Width(), overlayWindow()->Height()), QSize(1024, 768));
    EXPECT_TRUE(miniBar()->stayOnTop());
    EXPECT_TRUE(clockPlate()->stayOnTop());
    EXPECT_EQ(QSize(clockPlate()->Width(), clockPlate()->Height()), QSize(81, 25));
    for (TForm* form : std::initializer_list<TForm*> { controlWindow(), overlayWindow(), miniBar() })
        EXPECT_TRUE(form->DoubleBuffered) << form->objectName().toStdString();
    EXPECT_FALSE(stimulationWindow()->DoubleBuffered);
}

class StartupWithoutTextFolder : public AppTest {
    void prepare() override
    {
        QDir(path("to_read")).removeRecursively();
        writeFile(dir.path(), "Config.ini", "[GENERAL]\nfreqency=200\n");
    }
};

TEST_F(StartupWithoutTextFolder, ShowsOneErrorAndKeepsTheDesignedLineInterval)
{
    ASSERT_EQ(fake.errors.size(), 1);
    EXPECT_TRUE(fake.errors[0].contains(QStringLiteral("to_read"))) << fake.errors[0].toStdString();
    EXPECT_EQ(controlWindow()->lineIntervalSpin->Value(), 60);
    // Start-up went on: every window exists and the control window is shown.
    ASSERT_NE(clockPlate(), nullptr);
    EXPECT_TRUE(controlWindow()->isOnScreen());
}

class StartupWithOpacity : public AppTest {
    void prepare() override { writeFile(dir.path(), "Config.ini", "[MANUAL]\nopacity=50\n"); }
};

TEST_F(StartupWithOpacity, SetsTheOverlayAlphaDuringStartUp)
{
    EXPECT_EQ(controlWindow()->intensitySpin->Value(), 50);
    EXPECT_EQ(overlayWindow()->AlphaBlendValue(), 50 * 255 / 100);
}
