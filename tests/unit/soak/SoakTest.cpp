// A whole 60-minute run in virtual time with every timer of the program running:
// the flicker clock at a drifting frequency, the text feed, markers, mandalas, the
// clock plate and the title poll, with the pointer wandering over the hot corner,
// the screen's top row and the mini bar. The program's objects must not grow.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "control/MiniBar.h"
#include "framework/CheckBox.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/ClockPlate.h"
#include "run/OverlayWindow.h"
#include "run/StimulationWindow.h"

#include <QImage>

using namespace pvstim;
using namespace pvstim::test;

namespace {

int objectCount(QObject* root)
{
    return int(root->findChildren<QObject*>().size()) + 1;
}

int programObjects()
{
    int count = 0;
    for (QObject* form : std::initializer_list<QObject*> { controlWindow(), stimulationWindow(), overlayWindow(), miniBar(), clockPlate() })
        count += objectCount(form);
    return count;
}

}  // namespace

class SoakTest : public AppTest {
protected:
    void prepare() override
    {
        QByteArray text;
        for (int i = 1; i <= 50; ++i)
            text += "Строка номер " + QByteArray::number(i) + " длинного текста для чтения\n";
        writeFile(dir.path(), QStringLiteral("to_read/long.txt"), text);
        QImage marker(64, 48, QImage::Format_RGB32);
        marker.fill(Qt::magenta);
        marker.setPixel(10, 10, qRgb(255, 255, 255));
        QDir().mkpath(path(QStringLiteral("textures")));
        QDir().mkpath(path(QStringLiteral("mandals")));
        QDir().mkpath(path(QStringLiteral("fone")));
        ASSERT_TRUE(marker.save(path(QStringLiteral("textures/mark1.bmp")), "BMP"));
        ASSERT_TRUE(marker.save(path(QStringLiteral("textures/mark2.bmp")), "BMP"));
        QImage mandala(120, 120, QImage::Format_RGB32);
        mandala.fill(qRgb(200, 100, 50));
        for (int n = 1; n <= 3; ++n)
            ASSERT_TRUE(mandala.save(path(QStringLiteral("mandals/%1.jpg").arg(n)), "JPG"));
        QImage title(554, 25, QImage::Format_RGB32);
        title.fill(Qt::blue);
        ASSERT_TRUE(title.save(path(QStringLiteral("fone/title1.bmp")), "BMP"));
        title.fill(Qt::gray);
        ASSERT_TRUE(title.save(path(QStringLiteral("fone/title0.bmp")), "BMP"));
    }
};

TEST_F(SoakTest, SixtyMinuteRunWithEveryTimerKeepsItsObjects)
{
    // Manual at "Низкий Бета": the flicker drifts between 12 and 15 Hz.
    controlWindow()->manualBox->setChecked(true);
    controlWindow()->chooseRhythm(Rhythm::LowBeta);
    controlWindow()->runMinutesSpin->setValue(60);
    ASSERT_TRUE(controlWindow()->markersBox->isChecked());
    ASSERT_TRUE(controlWindow()->mandalasBox->isChecked());
    controlWindow()->startRun();
    ASSERT_TRUE(controlWindow()->countdownTimer->Enabled());

    const QPoint stops[] = { { 50, 50 }, { 600, 0 }, { 20, 750 }, { 500, 400 } };
    int baseline = -1;
    for (int minute = 0; minute < 60; ++minute) {
        for (int quarter = 0; quarter < 4; ++quarter) {
            fake.setCursor(stops[(minute * 4 + quarter) % 4]);
            fake.advanceMs(15000);
        }
        if (minute == 4) {
            baseline = programObjects();
        } else if (minute > 4) {
            ASSERT_EQ(programObjects(), baseline) << "objects grew by minute " << minute;
        }
        ASSERT_FALSE(controlWindow()->isClosed()) << "the run ended early, at minute " << minute;
    }
    EXPECT_TRUE(stimulationWindow()->flipTimer->Enabled()) << "the flicker clock ran";
    EXPECT_GT(stimulationWindow()->markerTimer->tickCount(), 20u) << "markers were drawn";
    EXPECT_GT(stimulationWindow()->mandalaTimer->tickCount(), 20u) << "mandalas were drawn";
    EXPECT_GT(stimulationWindow()->flipTimer->tickCount(), 60u * 60u * 20u) << "the flicker ran at its rate";
    fake.advanceMs(2000);
    EXPECT_TRUE(controlWindow()->isClosed()) << "a 60-minute run ends after 60 minutes and one second";
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}
