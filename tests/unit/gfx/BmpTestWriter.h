#pragma once

// Builds BMP files byte by byte for the loader tests, so that every header field,
// including wrong ones, is under the test's control.

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QtEndian>

#include <functional>
#include <optional>

namespace pvstim::gfx::test {

struct BmpSpec {
    int infoSize = 40;            // 12, 40, 64, 108 or 124
    qint32 width = 1;
    qint32 height = 1;            // negative: rows stored top first
    int planes = 1;
    int bits = 24;
    quint32 compression = 0;      // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    quint32 coloursUsed = 0;
    QList<QRgb> palette;          // written as given, after the headers
    QList<quint32> masks;         // written after a 40-byte header (bit fields)
    std::optional<quint32> dataOffset;  // default: right after palette and masks
    QByteArray data;              // the pixel data as stored
};

inline void putLE16(QByteArray& b, int at, quint16 v) { qToLittleEndian<quint16>(v, b.data() + at); }
inline void putLE32(QByteArray& b, int at, quint32 v) { qToLittleEndian<quint32>(v, b.data() + at); }

inline QByteArray bmpFile(const BmpSpec& s)
{
    QByteArray file(14 + s.infoSize, '\0');
    file[0] = 'B';
    file[1] = 'M';
    putLE32(file, 14, quint32(s.infoSize));
    if (s.infoSize == 12) {
        putLE16(file, 18, quint16(qint16(s.width)));
        putLE16(file, 20, quint16(qint16(s.height)));
        putLE16(file, 22, quint16(s.planes));
        putLE16(file, 24, quint16(s.bits));
    } else {
        putLE32(file, 18, quint32(s.width));
        putLE32(file, 22, quint32(s.height));
        putLE16(file, 26, quint16(s.planes));
        putLE16(file, 28, quint16(s.bits));
        putLE32(file, 30, s.compression);
        putLE32(file, 34, quint32(s.data.size()));
        putLE32(file, 46, s.coloursUsed);
    }
    for (quint32 mask : s.masks) {
        QByteArray m(4, '\0');
        putLE32(m, 0, mask);
        file += m;
    }
    for (QRgb c : s.palette) {
        file += char(qBlue(c));
        file += char(qGreen(c));
        file += char(qRed(c));
        if (s.infoSize != 12)
            file += '\0';
    }
    const quint32 offset = s.dataOffset.value_or(quint32(file.size()));
    if (offset > quint32(file.size()))
        file += QByteArray(int(offset - file.size()), '\0');
    putLE32(file, 10, offset);
    file += s.data;
    putLE32(file, 2, quint32(file.size()));
    return file;
}

// Packs rows of pixel values (palette indexes, or 0xRRGGBB for 24 and 32 bits, or
// 16-bit words) into stored rows, bottom row first, each padded to four bytes.
inline QByteArray packRows(const QList<QList<quint32>>& rowsTopFirst, int bits)
{
    QByteArray out;
    for (auto row = rowsTopFirst.crbegin(); row != rowsTopFirst.crend(); ++row) {
        QByteArray packed;
        if (bits < 8) {
            const int perByte = 8 / bits;
            for (int x = 0; x < row->size(); x += perByte) {
                quint8 byte = 0;
                for (int i = 0; i < perByte; ++i) {
                    const quint32 v = x + i < row->size() ? (*row)[x + i] : 0;
                    byte |= quint8(v << (8 - bits * (i + 1)));
                }
                packed += char(byte);
            }
        } else {
            for (quint32 v : *row)
                for (int i = 0; i < bits / 8; ++i)
                    packed += char((v >> (8 * i)) & 0xff);
        }
        while (packed.size() % 4)
            packed += '\0';
        out += packed;
    }
    return out;
}

}  // namespace pvstim::gfx::test
