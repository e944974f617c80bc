// Writes the hostile picture files, and their scaled-down kin, into a folder.
//
//   pvstim_hostile DIR
#include "HostilePictures.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: pvstim_hostile DIR\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "pvstim_hostile: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const pvstim::hostile::HostileFile& file :
        pvstim::hostile::hostileFiles() + pvstim::hostile::smallHostileFiles()) {
        QFile out(QDir(folder).filePath(file.name));
        if (!out.open(QIODevice::WriteOnly) || out.write(file.contents) != file.contents.size()) {
            std::fprintf(stderr, "pvstim_hostile: cannot write %s\n", qPrintable(out.fileName()));
            return 1;
        }
        std::printf("%s %lld bytes\n", qPrintable(out.fileName()), static_cast<long long>(file.contents.size()));
    }
    return 0;
}
