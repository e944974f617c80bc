// Runs the real stimulation window full-screen on the real platform and measures
// its flicker at several frequencies: the flip rate against twice the frequency,
// how late each flip lands against its exact due time, how long one phase takes to
// paint, and the process's CPU use.
//
// Beside its own figures it prints what the program's flip log says of each
// frequency: the rate measured from the phases' start times and the histogram of
// phase lengths in frames.
//
// Usage: pvstim_bench_flicker [seconds per frequency] [frequency ...]
// Run it on a 1920 x 1080 display (see bench/flicker.sh).
#include "app/WindowSet.h"
#include "control/TForm1.h"
#include "framework/CheckBox.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "platform/QtPlatform.h"
#include "run/FlickerOptions.h"
#include "run/TForm2.h"
#include "windows/Forms.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

using namespace pvstim;

namespace {

// The real platform, with errors written to stderr instead of a modal box that
// would stop the measurement.
class BenchPlatform : public QtPlatform {
public:
    void showError(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
};

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = std::size_t(p / 100.0 * double(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

void runEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Sees the synchronous repaint that shows a phase start.
class RepaintWatch : public QObject {
public:
    std::int64_t startNs = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::UpdateRequest && startNs < 0)
            startNs = platform().monotonicNs();
        return false;
    }
};

struct Flip {
    std::int64_t dueNs;    // when the flip was scheduled
    std::int64_t shownNs;  // when its frame was complete
    std::int64_t paintNs;  // how long its repaint took (-1: not seen)
};

struct Result {
    double hz;
    double rate;
    double cpuPercent;
    double paintWallPercent;  // wall time spent painting phases; includes preemption
    std::vector<double> lateMs;
    std::vector<double> paintMs;
};

Result measure(double hz, int seconds)
{
    std::vector<Flip> flips;
    bool recording = false;
    RepaintWatch watch;
    Form2->installEventFilter(&watch);

    TTimer& clock = *Form2->Timer1;
    const auto tick = clock.OnTimer;
    clock.OnTimer = [&] {
        const std::int64_t due = clock.deadlineNs();
        const bool litBefore = Form2->litPhase();
        watch.startNs = -1;
        tick();
        const std::int64_t done = platform().monotonicNs();
        if (recording && Form2->litPhase() != litBefore)
            flips.push_back({ due, done, watch.startNs < 0 ? -1 : done - watch.startNs });
    };

    Form2->SetFrequency(hz);
    clock.setEnabled(true);
    runEventLoopFor(1500);  // the first tick comes a phase after enabling; settle

    recording = true;
    const double cpuBefore = cpuSeconds();
    const std::int64_t wallBefore = platform().monotonicNs();
    runEventLoopFor(seconds * 1000);
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = double(platform().monotonicNs() - wallBefore) / 1e9;
    recording = false;

    clock.setEnabled(false);
    clock.OnTimer = tick;
    Form2->removeEventFilter(&watch);

    Result r { hz, 0, 100.0 * cpu / wall, 0, {}, {} };
    if (flips.size() >= 2)
        r.rate = double(flips.size() - 1) / (double(flips.back().shownNs - flips.front().shownNs) / 1e9);
    double paintSeconds = 0;
    for (const Flip& f : flips) {
        r.lateMs.push_back(double(f.shownNs - f.dueNs) / 1e6);
        if (f.paintNs >= 0) {
            r.paintMs.push_back(double(f.paintNs) / 1e6);
            paintSeconds += double(f.paintNs) / 1e9;
        }
    }
    r.paintWallPercent = 100.0 * paintSeconds / wall;
    return r;
}

// Reads the flip log back and prints, for each frequency in it, the rate from a
// straight line through the phases' start times and the phase-length histogram.
void printFlipLog(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::printf("no flip log at %s\n", qPrintable(path));
        return;
    }
    struct Rows {
        std::vector<double> startMs;
        std::map<int, int> histogram;
    };
    std::map<double, Rows> byHz;
    file.readLine();  // header
    while (!file.atEnd()) {
        const QList<QByteArray> cells = file.readLine().trimmed().split(',');
        if (cells.size() < 7)
            continue;
        // The drift is off, so each frequency of the benchmark is one value here.
        Rows& rows = byHz[cells[1].toDouble()];
        rows.startMs.push_back(cells[3].toDouble());
        if (!cells[6].isEmpty())
            ++rows.histogram[cells[6].toInt()];
    }
    std::printf("flip log %s:\n%8s %12s %9s  %s\n", qPrintable(path), "f (Hz)", "rate (Hz)", "error %",
        "phase lengths in frames (length x phases)");
    for (const auto& [hz, rows] : byHz) {
        const std::vector<double>& t = rows.startMs;
        const double n = double(t.size());
        double sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (std::size_t i = 0; i < t.size(); ++i) {
            sx += double(i);
            sy += t[i];
            sxx += double(i) * double(i);
            sxy += double(i) * t[i];
        }
        const double denominator = n * sxx - sx * sx;
        const double slopeMs = denominator > 0 ? (n * sxy - sx * sy) / denominator : 0;
        const double rate = slopeMs > 0 ? 1000.0 / (2 * slopeMs) : 0;
        std::printf("%8.3f %12.5f %+9.4f ", hz, rate, hz > 0 ? 100.0 * (rate - hz) / hz : 0.0);
        if (rows.histogram.empty())
            std::printf(" not known (no refresh rate reported)");
        for (const auto& [frames, count] : rows.histogram)
            std::printf(" %dx%d", frames, count);
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();

    int seconds = 20;
    std::vector<double> frequencies { 13, 10, 5, 1 };
    if (argc > 1)
        seconds = std::max(1, QString::fromLocal8Bit(argv[1]).toInt());
    if (argc > 2) {
        frequencies.clear();
        for (int i = 2; i < argc; ++i)
            frequencies.push_back(QString::fromLocal8Bit(argv[i]).toDouble());
    }

    BenchPlatform platform;
    Platform::install(&platform);
    const QString flipLog = QDir::temp().filePath(QStringLiteral("pvstim_bench_flips.csv"));
    flickerOptions().flipLogPath = flipLog;
    // The stimulation window lists the reading texts beside the executable.
    QDir(QCoreApplication::applicationDirPath()).mkpath(QStringLiteral("to_read"));
    createWindowSet();

    // As during a run: the control window is out of sight, the stimulation window
    // fills the screen with one line of text on its background colour.
    Form1->Hide();
    Form1->CheckBox2->setChecked(false);
    Form2->setColor(rgbColor(0xF5, 0xF3, 0xDE));
    TFont font;
    font.setName(QStringLiteral("Times New Roman"));
    font.size = 36;
    font.style = TFont::Bold;
    font.color = clGray;
    Form2->Label1->setFont(font);
    Form2->Show();
    Form2->Label1->setBounds(60, Form2->Height() / 2 - 40, Form2->Width() - 120, 241);
    Form2->Label1->setCaption(QStringLiteral("Строка текста для чтения"));
    runEventLoopFor(500);

    std::printf("platform %s, screen %dx%d, window %dx%d, %d s per frequency, %d cores\n",
        qPrintable(QGuiApplication::platformName()), platform.screenSize().width(), platform.screenSize().height(),
        Form2->width(), Form2->height(), seconds, QThread::idealThreadCount());
    std::printf("%8s %10s %9s %11s %11s %11s %11s %8s %13s\n", "f (Hz)", "flips/s", "error %", "late p50",
        "late p99", "paint p50", "paint p99", "CPU %", "paint wall %");
    for (double hz : frequencies) {
        const Result r = measure(hz, seconds);
        const double error = 100.0 * (r.rate - 2 * hz) / (2 * hz);
        std::printf("%8.3f %10.4f %+9.4f %8.3f ms %8.3f ms %8.3f ms %8.3f ms %8.2f %13.2f\n", hz, r.rate, error,
            percentile(r.lateMs, 50), percentile(r.lateMs, 99), percentile(r.paintMs, 50),
            percentile(r.paintMs, 99), r.cpuPercent, r.paintWallPercent);
        std::fflush(stdout);
    }

    destroyWindowSet();
    Platform::install(nullptr);
    printFlipLog(flipLog);
    return 0;
}
