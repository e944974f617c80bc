#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Two picture files that are valid but cheap to make and costly to decode, for
// the loader tests, the fuzz seeds and the benchmarks. Both are written byte by
// byte, so making them costs nothing and needs no encoder.
namespace pvstim::hostile {

// A run-length 8-bit BMP whose data is a single end-of-picture code: at the
// default 16000 x 4000, 1,080 bytes that name 64 million pixels.
QByteArray rleEndOnlyBitmap(int width = 16000, int height = 4000);

// A progressive colour JPEG of `side` x `side` pixels (a multiple of 16; chroma
// halved both ways) and `scans` scans (1 to 505): one DC scan of all-zero differences, then AC scans over the luma that
// hold nothing but end-of-band runs, each coefficient first to point 7 and then
// refined a bit at a time. Every AC scan makes a decoder visit every luma block:
// at 8000 x 8000 and 500 scans, a million blocks 499 times over.
QByteArray manyScanJpeg(int side = 8000, int scans = 500);

struct HostileFile {
    QString name;
    QByteArray contents;
};

// Both files at their default sizes, under fixed names.
QList<HostileFile> hostileFiles();

// The same two kinds scaled down to fit in 2048 x 2048, for fuzzers that run with
// smaller limits than the program's.
QList<HostileFile> smallHostileFiles();

}  // namespace pvstim::hostile
