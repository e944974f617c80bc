#include "FakePlatform.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

using namespace pvstim;

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::install(&fake); }
    void TearDown() override { Platform::install(nullptr); }
    FakePlatform fake;
};

TEST_F(FormTest, BoundsReadBackExactlyAsSetOneAtATime)
{
    TForm form(QStringLiteral("F"), WindowPlacement::Managed);
    form.setBounds(10, 20, 300, 200);
    form.Show();
    form.setTop(200000);
    EXPECT_EQ(form.Top(), 200000);
    EXPECT_EQ(form.Left(), 10);
    form.setLeft(-5000);
    EXPECT_EQ(form.Left(), -5000);
    form.setWidth(1);
    form.setHeight(0);
    EXPECT_EQ(form.Width(), 1);
    EXPECT_EQ(form.Height(), 0);
}

TEST_F(FormTest, WindowWhollyOffScreenStaysShownButIsNotMapped)
{
    TForm form(QStringLiteral("F"), WindowPlacement::Managed);
    form.setBounds(100, 100, 300, 200);
    form.Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(form.isOnScreen());

    const int savedTop = form.Top();
    form.setTop(200000);
    EXPECT_TRUE(form.Visible()) << "still counts as shown";
    EXPECT_FALSE(form.isOnScreen()) << "kept out of sight";

    form.setTop(savedTop);
    EXPECT_TRUE(form.isOnScreen());

    // Partly on screen is on screen: the parked clock plate's edge can show.
    form.setBounds(-299, -199, 300, 200);
    EXPECT_TRUE(form.isOnScreen());
    form.setBounds(-300, -200, 300, 200);
    EXPECT_FALSE(form.isOnScreen());
}

TEST_F(FormTest, MaximizedWindowCoversTheScreenWhenShown)
{
    fake.setScreenSize({ 1920, 1080 });
    TForm form(QStringLiteral("F"), WindowPlacement::Managed);
    form.setBounds(280, 167, 681, 421);
    form.setWindowStateTo(WindowState::Maximized);
    EXPECT_EQ(form.Width(), 681) << "laid out at its design size until shown";
    form.Show();
    EXPECT_EQ(QRect(form.Left(), form.Top(), form.Width(), form.Height()), QRect(0, 0, 1920, 1080));
}

TEST_F(FormTest, CloseRunsTheCloseHandlerOnceAndHidesTheWindow)
{
    TForm form(QStringLiteral("F"), WindowPlacement::Managed);
    form.setBounds(0, 0, 100, 100);
    form.Show();
    int closes = 0;
    form.OnClose = [&] {
        ++closes;
        form.Close();  // a nested close does nothing more
    };
    form.Close();
    form.Close();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(form.isClosed());
    EXPECT_FALSE(form.isOnScreen());
}

TEST_F(FormTest, CloseStillClosesWhenTheHandlerFails)
{
    TForm form(QStringLiteral("F"), WindowPlacement::Managed);
    form.OnClose = [] { throw std::runtime_error("Unable to write to /x/Config.ini"); };
    form.Close();
    EXPECT_TRUE(form.isClosed());
    EXPECT_EQ(fake.errors, QStringList { QStringLiteral("Unable to write to /x/Config.ini") });
}

TEST_F(FormTest, AlphaIsClampedAndTakesEffectAtOnce)
{
    TForm form(QStringLiteral("F"), WindowPlacement::Managed);
    form.setAlphaBlend(true);
    form.setAlphaBlendValue(51);
    EXPECT_EQ(form.AlphaBlendValue(), 51);
    EXPECT_NEAR(form.windowOpacity(), 51 / 255.0, 0.01);
    form.setAlphaBlendValue(300);
    EXPECT_EQ(form.AlphaBlendValue(), 255);
}

TEST_F(FormTest, SizeToControlsTakesTheControlsBounds)
{
    TForm form(QStringLiteral("F"), WindowPlacement::Unmanaged);
    form.setBounds(0, 0, 104, 25);
    auto* a = new QWidget(&form);
    a->setGeometry(0, 0, 81, 25);
    auto* b = new QWidget(&form);
    b->setGeometry(35, 0, 40, 13);
    form.sizeToControls();
    EXPECT_EQ(form.Width(), 81);
    EXPECT_EQ(form.Height(), 25);
}

// Only the end of the program closes a window for good: however a window other
// than the main one was taken away, the program's Show brings it back.
enum class TakenAway { WindowManagerClose, Iconified, NativeHide, ProgramHide };

class FormTakenAway : public FormTest, public ::testing::WithParamInterface<TakenAway> { };

TEST_P(FormTakenAway, ComesBackWithShow)
{
    TForm form(QStringLiteral("F"), WindowPlacement::Managed);
    form.setBounds(10, 10, 200, 100);
    form.Show();
    switch (GetParam()) {
    case TakenAway::WindowManagerClose: form.close(); break;
    case TakenAway::Iconified: form.showMinimized(); break;
    case TakenAway::NativeHide: form.QWidget::hide(); break;
    case TakenAway::ProgramHide: form.Hide(); break;
    }
    EXPECT_FALSE(form.isClosed());

    form.Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(form.isOnScreen());
    EXPECT_FALSE(form.isMinimized());
}

INSTANTIATE_TEST_SUITE_P(Ways, FormTakenAway,
    ::testing::Values(TakenAway::WindowManagerClose, TakenAway::Iconified, TakenAway::NativeHide, TakenAway::ProgramHide));
