#include "HostilePictures.h"

#include <QtEndian>

#include <algorithm>

namespace pvstim::hostile {

namespace {

void appendLE16(QByteArray& out, quint16 v)
{
    out += char(v & 0xff);
    out += char(v >> 8);
}

void appendLE32(QByteArray& out, quint32 v)
{
    appendLE16(out, quint16(v & 0xffff));
    appendLE16(out, quint16(v >> 16));
}

void appendBE16(QByteArray& out, int v)
{
    out += char((v >> 8) & 0xff);
    out += char(v & 0xff);
}

// A marker segment: the marker, its length (which counts itself) and its body.
void appendSegment(QByteArray& out, quint8 marker, const QByteArray& body)
{
    out += char(0xff);
    out += char(marker);
    appendBE16(out, int(body.size()) + 2);
    out += body;
}

// Entropy-coded bits, most significant first, with a zero stuffed after every
// 0xff byte and the last byte padded with ones.
class BitWriter {
public:
    explicit BitWriter(QByteArray& out) : out_(out) { }
    void put(quint32 bits, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            byte_ = quint8((byte_ << 1) | ((bits >> i) & 1));
            if (++filled_ == 8)
                flush();
        }
    }
    void putZeros(qint64 count)
    {
        for (; count > 0 && filled_ != 0; --count)
            put(0, 1);
        out_ += QByteArray(qsizetype(count / 8), char(0));
        put(0, int(count % 8));
    }
    void finish()
    {
        while (filled_ != 0)
            put(1, 1);
    }

private:
    void flush()
    {
        out_ += char(byte_);
        if (byte_ == 0xff)
            out_ += char(0);
        byte_ = 0;
        filled_ = 0;
    }
    QByteArray& out_;
    quint8 byte_ = 0;
    int filled_ = 0;
};

// The AC table holds the fifteen end-of-band run symbols EOB0..EOB14 (run length
// 2^n plus n extra bits), each with the 4-bit code n.
void putEndOfBandRuns(BitWriter& bits, int blocks)
{
    while (blocks > 0) {
        const int run = std::min(blocks, 32767);
        int n = 0;
        while ((2 << n) <= run)
            ++n;
        bits.put(quint32(n), 4);
        bits.put(quint32(run - (1 << n)), n);
        blocks -= run;
    }
}

}  // namespace

QByteArray rleEndOnlyBitmap(int width, int height)
{
    constexpr int kPalette = 256;
    const QByteArray data = QByteArray::fromHex("0001");   // end of picture
    const quint32 dataStart = 14 + 40 + kPalette * 4;
    QByteArray file("BM");
    appendLE32(file, dataStart + quint32(data.size()));
    appendLE32(file, 0);
    appendLE32(file, dataStart);
    appendLE32(file, 40);
    appendLE32(file, quint32(width));
    appendLE32(file, quint32(height));
    appendLE16(file, 1);        // planes
    appendLE16(file, 8);        // bits a pixel
    appendLE32(file, 1);        // run-length 8-bit
    appendLE32(file, quint32(data.size()));
    appendLE32(file, 2835);
    appendLE32(file, 2835);
    appendLE32(file, 0);        // all 256 colours
    appendLE32(file, 0);
    for (int i = 0; i < kPalette; ++i)
        appendLE32(file, quint32(i * 0x010101));
    file += data;
    return file;
}

QByteArray manyScanJpeg(int side, int scans)
{
    const int lumaBlocks = (side / 8) * (side / 8);
    QByteArray file = QByteArray::fromHex("ffd8");

    QByteArray quant(1, char(0));
    quant += QByteArray(64, char(1));
    appendSegment(file, 0xdb, quant);

    // Progressive frame: Y sampled 2x2, Cb and Cr 1x1, all on table 0.
    QByteArray frame(1, char(8));
    appendBE16(frame, side);
    appendBE16(frame, side);
    frame += char(3);
    frame += QByteArray::fromHex("012200" "021100" "031100");
    appendSegment(file, 0xc2, frame);

    // DC table 0: the single symbol 0 (no difference) with the 1-bit code 0.
    QByteArray dc = QByteArray::fromHex("00");
    dc += char(1);
    dc += QByteArray(15, char(0));
    dc += char(0);
    // AC table 0: EOB0..EOB14 with 4-bit codes.
    QByteArray ac = QByteArray::fromHex("10");
    ac += QByteArray(3, char(0));
    ac += char(15);
    ac += QByteArray(12, char(0));
    for (int n = 0; n < 15; ++n)
        ac += char(n << 4);
    appendSegment(file, 0xc4, dc + ac);

    // The DC scan: 4 + 1 + 1 blocks per MCU, one zero bit each.
    appendSegment(file, 0xda, QByteArray::fromHex("03" "0100" "0200" "0300" "00" "00" "00"));
    {
        BitWriter bits(file);
        bits.putZeros(qint64(side / 16) * (side / 16) * 6);
        bits.finish();
    }

    // Luma AC scans: coefficient k first to point 7, then refined a bit at a time
    // down to 0; then the next coefficient, until the count is reached.
    constexpr int kFirstPoint = 7;
    int written = 1;
    for (int k = 1; k <= 63 && written < scans; ++k) {
        for (int low = kFirstPoint; low >= 0 && written < scans; --low, ++written) {
            const int high = low == kFirstPoint ? 0 : low + 1;
            QByteArray header = QByteArray::fromHex("01" "0100");
            header += char(k);
            header += char(k);
            header += char((high << 4) | low);
            appendSegment(file, 0xda, header);
            BitWriter bits(file);
            putEndOfBandRuns(bits, lumaBlocks);
            bits.finish();
        }
    }
    file += QByteArray::fromHex("ffd9");
    return file;
}

QList<HostileFile> hostileFiles()
{
    return {
        { QStringLiteral("rle_end_only_16000x4000.bmp"), rleEndOnlyBitmap() },
        { QStringLiteral("progressive_500_scans_8000x8000.jpg"), manyScanJpeg() },
    };
}

QList<HostileFile> smallHostileFiles()
{
    return {
        { QStringLiteral("rle_end_only_2048x2048.bmp"), rleEndOnlyBitmap(2048, 2048) },
        { QStringLiteral("progressive_500_scans_1024x1024.jpg"), manyScanJpeg(1024, 500) },
    };
}

}  // namespace pvstim::hostile
