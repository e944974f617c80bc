#include "gfx/BmpLoader.h"

#include <QBuffer>
#include <QImageReader>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace pvstim::gfx {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;     // 16-bit width and height
constexpr int kInfoHeaderSize = 40;     // and the longer headers that start like it
constexpr int kLargestInfoHeader = 124;

enum Compression : quint32 { Uncompressed = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

// What the loader needs from a BMP header: the picture's size and where its rows lie.
struct BmpHeader {
    qint64 width = 0;
    qint64 height = 0;      // negative for a picture stored top row first
    int bitsPerPixel = 0;
    quint32 compression = Uncompressed;
    qint64 dataStart = 0;   // where Qt's reader starts reading the rows

    qint64 rowCount() const { return std::abs(height); }
    qint64 bytesPerRow() const { return (width * bitsPerPixel + 31) / 32 * 4; }
};

template<typename T>
T littleEndianAt(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

bool compressionFits(quint32 compression, int bits)
{
    switch (compression) {
    case Uncompressed: return true;
    case Rle8: return bits == 8;
    case Rle4: return bits == 4;
    case BitFields: return bits == 16 || bits == 32;
    default: return false;
    }
}

// Reads the header the way Qt's reader does, so that the checks below judge the
// same numbers it will use. Nothing for a header the loader does not accept.
std::optional<BmpHeader> parseHeader(const QByteArray& bytes)
{
    if (bytes.size() < kFileHeaderSize + 4 || !bytes.startsWith("BM"))
        return std::nullopt;
    const quint32 dataOffset = littleEndianAt<quint32>(bytes, 10);
    const quint32 infoSize = littleEndianAt<quint32>(bytes, 14);

    BmpHeader header;
    int planes = 0;
    quint32 coloursUsed = 0;
    if (infoSize == kCoreHeaderSize) {
        if (bytes.size() < kFileHeaderSize + kCoreHeaderSize)
            return std::nullopt;
        header.width = littleEndianAt<qint16>(bytes, 18);
        header.height = littleEndianAt<qint16>(bytes, 20);
        planes = littleEndianAt<quint16>(bytes, 22);
        header.bitsPerPixel = littleEndianAt<quint16>(bytes, 24);
    } else if (infoSize == kInfoHeaderSize || infoSize == 64 || infoSize == 108
        || infoSize == kLargestInfoHeader) {
        if (bytes.size() < kFileHeaderSize + kInfoHeaderSize)
            return std::nullopt;
        header.width = littleEndianAt<qint32>(bytes, 18);
        header.height = littleEndianAt<qint32>(bytes, 22);
        planes = littleEndianAt<quint16>(bytes, 26);
        header.bitsPerPixel = littleEndianAt<quint16>(bytes, 28);
        header.compression = littleEndianAt<quint32>(bytes, 30);
        coloursUsed = littleEndianAt<quint32>(bytes, 46);
    } else {
        return std::nullopt;
    }

    const int bits = header.bitsPerPixel;
    if (planes != 1 || !(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)
        || !compressionFits(header.compression, bits) || header.width <= 0 || header.height == 0)
        return std::nullopt;

    // Rows start after the headers, the colour masks of a short header and the
    // palette, or further on where the file header says so.
    const qint64 paletteEntries = bits <= 8 ? (coloursUsed ? coloursUsed : 1u << bits) : 0;
    if (paletteEntries > 256)
        return std::nullopt;
    const qint64 masks = header.compression == BitFields && infoSize == kInfoHeaderSize ? 12 : 0;
    const qint64 paletteEntrySize = infoSize == kCoreHeaderSize ? 3 : 4;
    const qint64 headersEnd = kFileHeaderSize + infoSize + masks + paletteEntries * paletteEntrySize;
    header.dataStart = std::max<qint64>(dataOffset, headersEnd);
    return header;
}

// Qt's reader keeps whatever rows it read when the file ends early, so a short file
// is refused here. Run-length data has no fixed size; it must merely start.
bool rowsFitInFile(const BmpHeader& header, qint64 fileSize)
{
    if (header.compression == Rle8 || header.compression == Rle4)
        return header.dataStart < fileSize;
    return header.dataStart + header.bytesPerRow() * header.rowCount() <= fileSize;
}

// The file, the decoded pixels and, for a picture of palette indexes, the indexes
// Qt's reader decodes first.
qint64 decodingMemory(const BmpHeader& header, qint64 fileBytes)
{
    const qint64 bytesPerPixel = header.bitsPerPixel <= 8 ? 5 : 4;
    return fileBytes + header.width * header.rowCount() * bytesPerPixel;
}

// Qt's reader refuses a picture bigger than its own allocation limit, which may be
// lower than this loader's limits; raises it for one checked picture.
class AllocationLimitScope {
public:
    explicit AllocationLimitScope(qint64 bytes) : saved_(QImageReader::allocationLimit())
    {
        const qint64 megabytes = (bytes + (1 << 20) - 1) >> 20;
        if (saved_ != 0 && megabytes > saved_)
            QImageReader::setAllocationLimit(int(std::min<qint64>(megabytes, INT_MAX)));
    }
    ~AllocationLimitScope() { QImageReader::setAllocationLimit(saved_); }
    AllocationLimitScope(const AllocationLimitScope&) = delete;
    AllocationLimitScope& operator=(const AllocationLimitScope&) = delete;

private:
    int saved_;
};

}  // namespace

QString bitmapNotValidText()
{
    return QStringLiteral("Bitmap image is not valid");
}

Result<QImage> decodeBmp(QIODevice& device, const PictureLimits& limits)
{
    const auto notValid = [] { return Result<QImage>::failure(bitmapNotValidText()); };
    if (!device.isOpen() || device.isSequential())
        return notValid();

    const qint64 fileBytes = device.size() - device.pos();
    const std::optional<BmpHeader> header = parseHeader(device.peek(kFileHeaderSize + kLargestInfoHeader));
    if (!header || !limits.admits(header->width, header->rowCount()) || !rowsFitInFile(*header, fileBytes)
        || !limits.affordsMemory(decodingMemory(*header, fileBytes), fileBytes))
        return notValid();
    const bool runLength = header->compression == Rle8 || header->compression == Rle4;
    if (runLength && !limits.affordsRunLength(header->width * header->rowCount(), fileBytes - header->dataStart))
        return notValid();

    QImageReader reader(&device, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    if (reader.size() != QSize(int(header->width), int(header->height)))
        return notValid();

    QImage image;
    if (header->compression == Rle8 || header->compression == Rle4) {
        // Qt's reader writes only the pixels the runs name and leaves the rest of a
        // new image as it found the memory; pixels that jumps and early ends skip
        // must show palette entry 0 instead. It decodes into an image of its own
        // size and format when handed one.
        image = QImage(int(header->width), int(header->rowCount()), QImage::Format_Indexed8);
        if (image.isNull())
            return notValid();
        image.fill(0);
    }
    {
        AllocationLimitScope allocation(header->width * header->rowCount() * 4);
        if (!reader.read(&image))
            return notValid();
    }
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return notValid();
    return image;
}

PictureLoadResult loadBmp(const QString& path, const PictureLimits& limits)
{
    std::variant<QByteArray, LoadFailure> contents = readPictureFile(path, limits, bitmapNotValidText());
    if (auto* failure = std::get_if<LoadFailure>(&contents))
        return *failure;
    QBuffer buffer(&std::get<QByteArray>(contents));
    buffer.open(QIODevice::ReadOnly);
    return PictureLoadResult(decodeBmp(buffer, limits));
}

}  // namespace pvstim::gfx
