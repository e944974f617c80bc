// One paint of each of the program's two gauges: the picture composed off-screen
// and copied onto a window-sized surface, as the widget's paint does it.
#include "framework/Font.h"
#include "widgets/TGauge.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void paintOnce(const pvstim::TGauge& gauge, QImage& surface)
{
    QPainter painter(&surface);
    painter.drawImage(gauge.Left(), gauge.Top(), gauge.render().image());
}

void BM_NeedleGaugePaint(benchmark::State& state)
{
    pvstim::TGauge gauge;
    pvstim::configureNeedleGauge(gauge);
    QImage surface(554, 381, QImage::Format_RGB32);
    int progress = 0;
    for (auto _ : state) {
        gauge.setProgress(progress);
        progress = (progress + 7) % 101;
        paintOnce(gauge, surface);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_NeedleGaugePaint)->Unit(benchmark::kMicrosecond);

void BM_ProgressStripPaint(benchmark::State& state)
{
    pvstim::TGauge gauge;
    pvstim::configureProgressStrip(gauge);
    gauge.setBounds(0, 0, static_cast<int>(state.range(0)), 4);
    QImage surface(gauge.Width(), 16, QImage::Format_RGB32);
    int progress = 0;
    for (auto _ : state) {
        gauge.setProgress(progress);
        progress = (progress + 7) % 101;
        paintOnce(gauge, surface);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_ProgressStripPaint)->Arg(3840)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pvstim::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
