// Runs the real stimulation window full-screen on the real platform and measures
// its flicker at several frequencies: the flip rate against twice the frequency,
// how late each tick of the clock ends (its phase painted) against its exact due
// time, how long one phase takes to paint, phases whose tick never came, and the
// process's CPU use. When textures/ and mandals/ lie beside the executable, the
// first frequency runs again with markers and mandalas drawn every 2 s.
// Prints the figures beside their targets; fails only when a run records nothing.
//
// Beside its own figures it prints what the program's flip log says of each
// frequency: the rate measured from the phases' start times and the histogram of
// phase lengths in frames.
//
// Usage: pvstim_bench_flicker [seconds per frequency] [frequency ...]
// Run it on a 1920 x 1080 display (see bench/flicker.sh).
#include "app/WindowSet.h"
#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "platform/QtPlatform.h"
#include "run/FlickerOptions.h"
#include "run/StimulationWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace pvstim;

namespace {

// The windows of the program, made in main().
ControlWindow* controlWindow = nullptr;
StimulationWindow* stimulationWindow = nullptr;

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

// One tick of the flicker clock.
struct Tick {
    std::int64_t dueNs;   // when it was scheduled
    std::int64_t doneNs;  // when its handler, the phase's repaint included, ended
    std::int64_t paintNs; // how long the repaint took (-1: no repaint seen)
};

struct Result {
    double hz = 0;
    double rate = 0;          // flips a second
    double cpuPercent = 0;
    double paintWallPercent = 0;  // wall time spent painting phases; includes preemption
    int missed = 0;           // phases that never got their tick
    double longestStallMs = 0;
    std::vector<double> lateMs;
    std::vector<double> paintMs;
};

enum class Pictures { Off, On };

// Markers and mandalas, drawn every `waitMs` rather than at their random waits,
// so that a short run loads each file several times.
class PictureTimers {
public:
    PictureTimers(Pictures pictures, int waitMs)
        : on_(pictures == Pictures::On)
        , waitMs_(waitMs)
    {
        if (!on_)
            return;
        for (TTimer* timer : { stimulationWindow->markerTimer, stimulationWindow->mandalaTimer }) {
            saved_.push_back(timer->OnTimer);
            timer->OnTimer = [timer, tick = timer->OnTimer, waitMs] {
                // Restores the short wait even when the handler throws.
                struct Rearm {
                    TTimer* timer;
                    int ms;
                    ~Rearm() { timer->setInterval(ms); }
                } rearm { timer, waitMs };
                tick();
            };
            timer->setInterval(waitMs);
            timer->setEnabled(true);
        }
    }
    ~PictureTimers()
    {
        if (!on_)
            return;
        TTimer* timers[] = { stimulationWindow->markerTimer, stimulationWindow->mandalaTimer };
        for (std::size_t i = 0; i < 2; ++i) {
            timers[i]->setEnabled(false);
            timers[i]->OnTimer = saved_[i];
        }
        stimulationWindow->pictureArea->Picture().releaseBitmap();
        stimulationWindow->pictureArea->Picture().dropUnlessBitmap();
    }

private:
    bool on_;
    int waitMs_;
    std::vector<std::function<void()>> saved_;
};

Result measure(double hz, int seconds, Pictures pictures)
{
    std::vector<Tick> ticks;
    int flips = 0;
    std::int64_t firstFlipNs = -1;
    std::int64_t lastFlipNs = -1;
    bool recording = false;
    RepaintWatch watch;
    stimulationWindow->installEventFilter(&watch);

    TTimer& clock = *stimulationWindow->flipTimer;
    const auto tick = clock.OnTimer;
    clock.OnTimer = [&] {
        const std::int64_t due = clock.deadlineNs();
        const bool litBefore = stimulationWindow->litPhase();
        watch.startNs = -1;
        tick();
        const std::int64_t done = platform().monotonicNs();
        if (!recording)
            return;
        ticks.push_back({ due, done, watch.startNs < 0 ? -1 : done - watch.startNs });
        if (stimulationWindow->litPhase() != litBefore) {
            ++flips;
            if (firstFlipNs < 0)
                firstFlipNs = done;
            lastFlipNs = done;
        }
    };

    stimulationWindow->setFrequency(hz);
    clock.setEnabled(true);
    runEventLoopFor(1500);  // the first tick comes a phase after enabling; settle

    PictureTimers pictureTimers(pictures, 2000);
    recording = true;
    const double cpuBefore = cpuSeconds();
    const std::int64_t wallBefore = platform().monotonicNs();
    runEventLoopFor(seconds * 1000);
    const double cpu = cpuSeconds() - cpuBefore;
    const std::int64_t wallAfter = platform().monotonicNs();
    const double wall = double(wallAfter - wallBefore) / 1e9;
    recording = false;

    clock.setEnabled(false);
    clock.OnTimer = tick;
    stimulationWindow->removeEventFilter(&watch);

    Result r;
    r.hz = hz;
    r.cpuPercent = 100.0 * cpu / wall;
    if (flips >= 2)
        r.rate = double(flips - 1) / (double(lastFlipNs - firstFlipNs) / 1e9);
    // A phase is missed when its tick never came: count the whole phases between
    // the ends of successive ticks, and from the run's edges to its first and last.
    const double halfNs = 500e6 / hz;
    std::int64_t previous = wallBefore;
    double paintSeconds = 0;
    for (const Tick& t : ticks) {
        r.lateMs.push_back(double(t.doneNs - t.dueNs) / 1e6);
        if (t.paintNs >= 0) {
            r.paintMs.push_back(double(t.paintNs) / 1e6);
            paintSeconds += double(t.paintNs) / 1e9;
        }
        const double gap = double(t.doneNs - previous);
        r.missed += std::max(0, int(gap / halfNs + 0.5) - 1);
        r.longestStallMs = std::max(r.longestStallMs, gap / 1e6);
        previous = t.doneNs;
    }
    r.missed += std::max(0, int(double(wallAfter - previous) / halfNs + 0.5) - 1);
    r.paintWallPercent = 100.0 * paintSeconds / wall;
    return r;
}

std::string loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return "?";
    return file.readAll().split(' ').mid(0, 3).join(' ').toStdString();
}

// Ends the process when a run does not come back: a handler that never returns
// leaves nothing else to report.
class Watchdog {
public:
    explicit Watchdog(int seconds)
        : thread_([this, seconds] {
            std::unique_lock lock(mutex_);
            if (!done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return finished_; })) {
                std::fprintf(stderr, "flicker: no result after %d s; the interface thread is stalled\n", seconds);
                std::_Exit(1);
            }
        })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

void row(const char* figure, const std::string& measured, const char* target, bool met)
{
    std::printf("%-52s %-22s %-22s %s\n", figure, measured.c_str(), target, met ? "met" : "MISSED");
}

std::string format(const char* pattern, double a, double b = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
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
    // One run of the benchmark after another in one log: a run is a stretch of
    // phases at one frequency (the drift is off) without a pause between them.
    struct Run {
        double hz = 0;
        std::vector<double> startMs;
        std::map<int, int> histogram;
    };
    std::vector<Run> runs;
    file.readLine();  // header
    while (!file.atEnd()) {
        const QList<QByteArray> cells = file.readLine().trimmed().split(',');
        if (cells.size() < 7)
            continue;
        const double hz = cells[1].toDouble();
        const double startMs = cells[3].toDouble();
        const bool sameRun = !runs.empty() && runs.back().hz == hz && hz > 0
            && startMs - runs.back().startMs.back() < 4 * 500.0 / hz;
        if (!sameRun)
            runs.push_back(Run { hz, {}, {} });
        Run& run = runs.back();
        run.startMs.push_back(startMs);
        if (!cells[6].isEmpty())
            ++run.histogram[cells[6].toInt()];
    }
    std::printf("flip log %s:\n%8s %12s %9s  %s\n", qPrintable(path), "f (Hz)", "rate (Hz)", "error %",
        "phase lengths in frames (length x phases)");
    for (const Run& run : runs) {
        const double hz = run.hz;
        const std::vector<double>& t = run.startMs;
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
        if (run.histogram.empty())
            std::printf(" not known (no refresh rate reported)");
        for (const auto& [frames, count] : run.histogram)
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
    // The run with pictures needs the marker and mandala folders beside the
    // executable (bench/flicker.sh puts them there).
    const QDir beside(QCoreApplication::applicationDirPath());
    const bool withPictures = beside.exists(QStringLiteral("textures")) && beside.exists(QStringLiteral("mandals"));
    // Pictures decoded inside a tick may hold the thread for many seconds each.
    Watchdog watchdog(int(frequencies.size()) * (seconds + 5) + (withPictures ? seconds + 300 : 0) + 60);

    BenchPlatform platform;
    Platform::install(&platform);
    const QString flipLog = QDir::temp().filePath(QStringLiteral("pvstim_bench_flips.csv"));
    flickerOptions().flipLogPath = flipLog;
    // The stimulation window lists the reading texts beside the executable.
    beside.mkpath(QStringLiteral("to_read"));
    auto windows = std::make_unique<WindowSet>();
    controlWindow = &windows->control();
    stimulationWindow = &windows->stimulation();

    // As during a run: the control window is out of sight, the stimulation window
    // fills the screen with one line of text on its background colour.
    controlWindow->Hide();
    controlWindow->manualBox->setChecked(false);
    stimulationWindow->setColor(rgbColor(0xF5, 0xF3, 0xDE));
    TFont font;
    font.setName(QStringLiteral("Times New Roman"));
    font.size = 36;
    font.style = TFont::Bold;
    font.color = clGray;
    stimulationWindow->textLine->setFont(font);
    stimulationWindow->Show();
    stimulationWindow->textLine->setBounds(60, stimulationWindow->Height() / 2 - 40, stimulationWindow->Width() - 120, 241);
    stimulationWindow->textLine->setCaption(QStringLiteral("Строка текста для чтения"));
    runEventLoopFor(500);

    std::printf("platform %s, screen %dx%d, window %dx%d, %d s per run, %d cores, load average %s\n",
        qPrintable(QGuiApplication::platformName()), platform.screenSize().width(), platform.screenSize().height(),
        stimulationWindow->width(), stimulationWindow->height(), seconds, QThread::idealThreadCount(), loadAverage().c_str());
    std::printf("%8s %10s %9s %11s %11s %11s %11s %8s %13s %7s\n", "f (Hz)", "flips/s", "error %", "late p50",
        "late p99", "paint p50", "paint p99", "CPU %", "paint wall %", "missed");
    std::vector<Result> results;
    auto report = [](const Result& r, const char* note) {
        const double error = 100.0 * (r.rate - 2 * r.hz) / (2 * r.hz);
        std::printf("%8.3f %10.4f %+9.4f %8.3f ms %8.3f ms %8.3f ms %8.3f ms %8.2f %13.2f %7d%s\n", r.hz, r.rate,
            error, percentile(r.lateMs, 50), percentile(r.lateMs, 99), percentile(r.paintMs, 50),
            percentile(r.paintMs, 99), r.cpuPercent, r.paintWallPercent, r.missed, note);
        std::fflush(stdout);
    };
    for (double hz : frequencies) {
        results.push_back(measure(hz, seconds, Pictures::Off));
        report(results.back(), "");
    }
    std::optional<Result> hostile;
    if (withPictures) {
        hostile = measure(frequencies.front(), seconds, Pictures::On);
        report(*hostile, "  markers and mandalas every 2 s");
    }

    // The figures beside their targets; lateness and CPU from the first frequency.
    std::printf("\nload average %s\n", loadAverage().c_str());
    bool ran = true;
    for (const Result& r : results) {
        ran = ran && !r.lateMs.empty();
        const double error = 100.0 * (r.rate - 2 * r.hz) / (2 * r.hz);
        const std::string figure = format("flicker rate error at %g Hz", r.hz);
        row(figure.c_str(), format("%+.4f %%", error), "<= 0.1 %", std::fabs(error) <= 0.1);
    }
    const Result& first = results.front();
    const double p50 = percentile(first.lateMs, 50);
    const double p99 = percentile(first.lateMs, 99);
    row(format("flip lateness p50 / p99 at %g Hz (due -> painted)", first.hz).c_str(),
        format("%.3f / %.3f ms", p50, p99), "<= 0.3 / <= 1 ms", p50 <= 0.3 && p99 <= 1.0);
    row(format("CPU at %g Hz", first.hz).c_str(), format("%.2f %% of a core", first.cpuPercent), "<= 1.5 %",
        first.cpuPercent <= 1.5);
    if (hostile) {
        ran = ran && !hostile->lateMs.empty();
        const double hostileP99 = percentile(hostile->lateMs, 99);
        row("with hostile markers/mandalas: flips missed, p99", format("%.0f, %.3f ms", hostile->missed, hostileP99),
            "0, <= p99 + 1 ms", hostile->missed == 0 && hostileP99 <= p99 + 1.0);
        std::printf("  longest gap between ticks with pictures: %.1f ms\n", hostile->longestStallMs);
    } else {
        std::printf("(no textures/ and mandals/ beside the executable: the run with pictures was skipped)\n");
    }

    windows.reset();
    Platform::install(nullptr);
    if (!ran) {
        std::fprintf(stderr, "flicker: a run recorded no tick of the flicker clock\n");
        return 1;
    }

    printFlipLog(flipLog);
    return 0;
}
