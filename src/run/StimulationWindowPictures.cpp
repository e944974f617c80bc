// The marker and mandala timers: each tick shows one picture chosen at random in
// the picture area and draws a random wait until the next tick.
#include "run/StimulationWindow.h"

#include "framework/Image.h"
#include "framework/Timer.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

#include <QFileInfo>

namespace pvstim {

namespace {

// One kind of picture the run flashes: files "<prefix><n><suffix>" in the
// program's data folder with n in 1..count, and the range the next wait is drawn from.
struct PictureSeries {
    const char* prefix;
    const char* suffix;
    int count;
    int minWaitMs;
    int maxWaitMsExclusive;
};

constexpr PictureSeries kMarkers { "textures\\mark", ".bmp", 2, 15000, 120000 };
constexpr PictureSeries kMandalas { "mandals\\", ".jpg", 3, 10000, 150000 };

// Shows one picture of the series if its file exists, then sets the timer's next
// wait. The picture is decoded off the interface thread; the rest of the tick, the
// wait, follows once the file has proved a valid picture (at once for one decoded
// before), also when a later picture took its place meanwhile, so only a file that
// is not a valid picture leaves the timer with the wait it had, as a refusal
// thrown in the tick would. A tick that comes while the last picture still decodes
// chooses anew; the file decoding is not decoded a second time.
void showRandomPicture(const PictureSeries& series, TImage& area, TTimer& timer)
{
    const int n = platform().randomInRange(0, series.count) + 1;
    const QString path = inDataDir(
        QLatin1String(series.prefix) + QString::number(n) + QLatin1String(series.suffix));
    const auto drawWait = [&series, &timer] {
        timer.setInterval(platform().randomInRange(series.minWaitMs, series.maxWaitMsExclusive));
    };
    if (!QFileInfo(path).isFile()) {
        drawWait();
        return;
    }
    area.Picture().LoadFromFileInBackground(path, area.size(), TPicture::Refusal::Report, drawWait);
}

}  // namespace

void StimulationWindow::onMarkerDue() { showRandomPicture(kMarkers, *pictureArea, *markerTimer); }

void StimulationWindow::onMandalaDue() { showRandomPicture(kMandalas, *pictureArea, *mandalaTimer); }

}  // namespace pvstim
