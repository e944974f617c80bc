#include "AppFixture.h"

#include "control/TForm1.h"
#include "control/TForm4.h"
#include "framework/SpinEdit.h"
#include "run/TForm2.h"
#include "run/TForm3.h"
#include "run/TForm5.h"

using namespace pvstim;
using namespace pvstim::test;

class StartupTest : public AppTest { };

TEST_F(StartupTest, WithoutConfigOnlyTheControlWindowIsVisibleCentred)
{
    EXPECT_TRUE(Form1->Visible());
    EXPECT_TRUE(Form1->isOnScreen());
    EXPECT_EQ(QRect(Form1->Left(), Form1->Top(), Form1->Width(), Form1->Height()),
        QRect((1024 - 554) / 2, (768 - 381) / 2, 554, 381));
    EXPECT_TRUE(Form1->isMainForm());
    EXPECT_TRUE(Form1->stayOnTop());

    EXPECT_FALSE(Form2->Visible());
    EXPECT_FALSE(Form3->Visible());
    EXPECT_FALSE(Form4->Visible());
    // The clock window counts as shown from the start, parked above the corner.
    EXPECT_TRUE(Form5->Visible());
    EXPECT_FALSE(Form5->isOnScreen());
    EXPECT_EQ(Form5->Left(), 2 - Form5->Width());
    EXPECT_EQ(Form5->Top(), -Form5->Height() - 1);
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

TEST_F(StartupTest, WindowStylesAsDesigned)
{
    EXPECT_FALSE(Form2->isEnabled()) << "the stimulation window takes no input";
    EXPECT_FALSE(Form2->stayOnTop());
    EXPECT_EQ(Form2->windowState(), WindowState::Maximized);
    EXPECT_EQ(Form2->Color(), 0x00008400);
    EXPECT_TRUE(Form3->alphaBlend());
    EXPECT_EQ(Form3->AlphaBlendValue(), 25) << "opacity 20 leaves the designed alpha";
    EXPECT_EQ(QSize(Form3->Width(), Form3->Height()), QSize(1024, 768));
    EXPECT_TRUE(Form4->stayOnTop());
    EXPECT_TRUE(Form5->stayOnTop());
    EXPECT_EQ(QSize(Form5->Width(), Form5->Height()), QSize(81, 25));
    for (TForm* form : std::initializer_list<TForm*> { Form1, Form3, Form4 })
        EXPECT_TRUE(form->DoubleBuffered) << form->objectName().toStdString();
    EXPECT_FALSE(Form2->DoubleBuffered);
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
    EXPECT_EQ(Form1->SpinEdit2->Value(), 60);
    // Start-up went on: every window exists and the control window is shown.
    ASSERT_NE(Form5, nullptr);
    EXPECT_TRUE(Form1->isOnScreen());
}

class StartupWithOpacity : public AppTest {
    void prepare() override { writeFile(dir.path(), "Config.ini", "[MANUAL]\nopacity=50\n"); }
};

TEST_F(StartupWithOpacity, SetsTheOverlayAlphaDuringStartUp)
{
    EXPECT_EQ(Form1->SpinEdit1->Value(), 50);
    EXPECT_EQ(Form3->AlphaBlendValue(), 50 * 255 / 100);
}
