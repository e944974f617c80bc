// Decode time and peak memory of the shipped pictures and of the hostile files,
// each decoded in a process of its own so that its peak memory is its own.
//
//   pvstim_bench_pictures            every file, at full size and fitted to 1920x1080
//   pvstim_bench_pictures FILE...    the given files
#include "HostilePictures.h"
#include "gfx/PictureLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

// The resident high-water mark of this process, in kB.
qint64 peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Child: decodes one file up to three times (once when a decode takes over 1 s)
// and prints the fastest time, the peak memory over the process's start and the outcome.
int decodeOne(const QString& path, QSize target)
{
    const qint64 before = peakResidentKb();
    double best = 1e9;
    QString outcome;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const pvstim::gfx::PictureLoadResult result = pvstim::gfx::loadPicture(path, target);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        best = std::min(best, ms);
        outcome = result.ok() ? QStringLiteral("%1x%2").arg(result.value().width()).arg(result.value().height())
                              : QStringLiteral("refused: %1").arg(result.error());
        if (ms > 1000)
            break;
    }
    std::printf("%10.1f ms %8.1f MB  %s\n", best, double(peakResidentKb() - before) / 1024, qPrintable(outcome));
    return 0;
}

struct Worst {
    double ms = 0;
    double mb = 0;
};

// Decodes in a child and prints its line; files under 1 MB count towards `small`.
void measure(const QString& self, const QString& path, QSize target, Worst& small)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(self, { QStringLiteral("--one"), path, QString::number(target.width()),
                          QString::number(target.height()) });
    child.waitForFinished(-1);
    const QString size = target.isEmpty() ? QStringLiteral("full") : QStringLiteral("%1x%2").arg(target.width()).arg(target.height());
    const QByteArray line = child.readAllStandardOutput();
    std::printf("%-44s %9lld B %-9s %s", qPrintable(QFileInfo(path).fileName()), QFileInfo(path).size(),
        qPrintable(size), line.constData());
    std::fflush(stdout);
    if (QFileInfo(path).size() < 1024 * 1024) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        small.ms = std::max(small.ms, fields.value(0).toDouble());
        small.mb = std::max(small.mb, fields.value(2).toDouble());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 4 && args[0] == QLatin1String("--one"))
        return decodeOne(args[1], QSize(args[2].toInt(), args[3].toInt()));

    QTemporaryDir hostile;
    QStringList files = args;
    if (files.isEmpty()) {
        const QDir build(QStringLiteral(PVSTIM_BUILD_DIR));
        for (const QString& pattern : { QStringLiteral("fone/*.bmp"), QStringLiteral("textures/*.bmp"), QStringLiteral("mandals/*.jpg") }) {
            const QDir folder(build.filePath(pattern.section(QLatin1Char('/'), 0, 0)));
            for (const QString& name : folder.entryList({ pattern.section(QLatin1Char('/'), 1) }, QDir::Files, QDir::Name))
                files << folder.filePath(name);
        }
        for (const pvstim::hostile::HostileFile& file : pvstim::hostile::hostileFiles()) {
            QFile out(hostile.filePath(file.name));
            if (out.open(QIODevice::WriteOnly))
                out.write(file.contents);
            files << out.fileName();
        }
        // Smaller files of the same kind: each is accepted or refused within the
        // bounds the loader promises for files under 1 MB.
        for (const int side : { 1024, 2048, 4000 }) {
            QFile out(hostile.filePath(QStringLiteral("progressive_500_scans_%1x%1.jpg").arg(side)));
            if (out.open(QIODevice::WriteOnly))
                out.write(pvstim::hostile::manyScanJpeg(side, 500));
            files << out.fileName();
        }
    }
    std::printf("%-44s %11s %-9s %13s %11s  %s\n", "file", "size", "target", "decode", "peak", "result");
    Worst small;
    for (const QString& path : files) {
        measure(app.applicationFilePath(), path, QSize(), small);
        if (pvstim::gfx::formatFromExtension(path) == pvstim::gfx::PictureFormat::Jpeg)
            measure(app.applicationFilePath(), path, QSize(1920, 1080), small);
    }
    char measured[64];
    std::snprintf(measured, sizeof measured, "%.1f ms / %.1f MB", small.ms, small.mb);
    std::printf("%-52s %-22s %-22s %s\n", "slowest file under 1 MB (decode / peak)", measured,
        "<= 100 ms / 100 MB", small.ms <= 100 && small.mb <= 100 ? "met" : "MISSED");
    return 0;
}
