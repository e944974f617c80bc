// Measures the time from starting the program to the control window's first paint
// on screen, and the program's resident memory at that moment. Runs on the current
// X display (a virtual one from bench/startup.sh); prints the median of several runs.
//
//   pvstim_bench_startup <path to pvstim> [runs]
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A point of the face picture's light grey field, in screen coordinates, for the
// control window centred on the screen.
QPoint faceFieldPoint(const QSize& screen)
{
    return QPoint((screen.width() - 554) / 2 + 10, (screen.height() - 381) / 2 + 200);
}

bool isFaceField(QRgb c)
{
    return qAbs(qRed(c) - 233) <= 2 && qAbs(qGreen(c) - 233) <= 2 && qAbs(qBlue(c) - 233) <= 2;
}

long residentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

template<typename T>
T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <pvstim> [runs]\n", argv[0]);
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint probe = faceFieldPoint(screen->size());

    std::vector<double> times;
    std::vector<long> memory;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        process.setWorkingDirectory(QFileInfo(program).absolutePath());
        QElapsedTimer clock;
        clock.start();
        process.start(program, {});
        if (!process.waitForStarted(5000))
            return 1;
        bool painted = false;
        while (clock.elapsed() < 10000) {
            const QImage pixel = screen->grabWindow(0, probe.x(), probe.y(), 1, 1).toImage();
            if (!pixel.isNull() && isFaceField(pixel.pixel(0, 0))) {
                painted = true;
                break;
            }
            QThread::usleep(500);
        }
        const double ms = clock.nsecsElapsed() / 1e6;
        const long rss = residentKiB(process.processId());
        process.kill();
        process.waitForFinished(5000);
        if (!painted) {
            std::fprintf(stderr, "run %d: the control window was not painted within 10 s\n", i);
            return 1;
        }
        times.push_back(ms);
        memory.push_back(rss);
        std::printf("run %d: first paint after %.1f ms, resident %.1f MiB\n", i, ms, rss / 1024.0);
        QThread::msleep(300);
    }
    const double firstPaint = median(times);
    const double residentMiB = median(memory) / 1024.0;
    std::printf("startup: median first paint %.1f ms, median resident memory %.1f MiB (%d runs)\n", firstPaint,
        residentMiB, runs);
    char measured[64];
    std::snprintf(measured, sizeof measured, "%.1f ms / %.1f MiB", firstPaint, residentMiB);
    std::printf("%-52s %-22s %-22s %s\n", "first paint (median) / resident memory then", measured,
        "<= 150 ms / <= 40 MiB", firstPaint <= 150 && residentMiB <= 40 ? "met" : "MISSED");
    return 0;
}
