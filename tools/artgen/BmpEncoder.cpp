#include "BmpEncoder.h"

#include <cstdint>

namespace artgen {

namespace {

void putU16(QByteArray& out, std::uint16_t v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void putU32(QByteArray& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((v >> shift) & 0xFF));
}

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::uint32_t pixelsPerMetre96Dpi = 3780;

}  // namespace

QByteArray BmpEncoder::encode(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto width = std::uint32_t(image.width());
    const auto height = std::uint32_t(image.height());
    const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * height;
    const std::uint32_t offset = fileHeaderSize + infoHeaderSize;

    QByteArray out;
    out.reserve(int(offset + pixelBytes));
    out.append("BM", 2);
    putU32(out, offset + pixelBytes);
    putU32(out, 0);  // two reserved words
    putU32(out, offset);

    putU32(out, infoHeaderSize);
    putU32(out, width);
    putU32(out, height);  // positive: rows are stored bottom-up
    putU16(out, 1);       // planes
    putU16(out, 24);      // bits per pixel
    putU32(out, 0);       // no compression
    putU32(out, pixelBytes);
    putU32(out, pixelsPerMetre96Dpi);
    putU32(out, pixelsPerMetre96Dpi);
    putU32(out, 0);  // no palette
    putU32(out, 0);

    for (int y = int(height) - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint32_t written = 0;
        for (std::uint32_t x = 0; x < width; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
            written += 3;
        }
        for (; written < rowBytes; ++written)
            out.append('\0');
    }
    return out;
}

}  // namespace artgen
