#include "gfx/BmpLoader.h"

#include "BmpTestWriter.h"
#include "HostilePictures.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

namespace pvstim::gfx {
namespace {

using test::BmpSpec;
using test::bmpFile;
using test::packRows;

Result<QImage> decode(const QByteArray& file, const PictureLimits& limits = {})
{
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return decodeBmp(buffer, limits);
}

const QList<QRgb> kFourColours = { qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255) };

QList<QRgb> greyRamp(int n)
{
    QList<QRgb> p;
    for (int i = 0; i < n; ++i)
        p << qRgb(i * 255 / (n - 1), i * 255 / (n - 1), i * 255 / (n - 1));
    return p;
}

// A small picture for each depth, with distinct pixels in every corner, so that a
// flipped, mirrored or shifted decode shows.
struct DepthCase {
    const char* name;
    int bits;
    QList<QRgb> palette;
    QList<QList<quint32>> stored;   // top row first
    QList<QList<QRgb>> expected;
};

void PrintTo(const DepthCase& c, std::ostream* os) { *os << c.name; }

class BmpDepth : public ::testing::TestWithParam<DepthCase> { };

TEST_P(BmpDepth, DecodesEveryPixel)
{
    const DepthCase& c = GetParam();
    BmpSpec spec;
    spec.bits = c.bits;
    spec.width = int(c.stored[0].size());
    spec.height = int(c.stored.size());
    spec.palette = c.palette;
    spec.coloursUsed = quint32(c.palette.size());
    spec.data = packRows(c.stored, c.bits);

    const Result<QImage> r = decode(bmpFile(spec));
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    const QImage& img = r.value();
    EXPECT_EQ(img.format(), QImage::Format_RGB32);
    ASSERT_EQ(img.size(), QSize(spec.width, spec.height));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            EXPECT_EQ(img.pixel(x, y), c.expected[y][x]) << "pixel " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpDepth,
    ::testing::Values(
        DepthCase { "mono", 1, { qRgb(255, 255, 255), qRgb(200, 0, 0) },
            { { 0, 1, 1 }, { 1, 0, 0 } },
            { { qRgb(255, 255, 255), qRgb(200, 0, 0), qRgb(200, 0, 0) },
                { qRgb(200, 0, 0), qRgb(255, 255, 255), qRgb(255, 255, 255) } } },
        DepthCase { "nibbles", 4, kFourColours,
            { { 0, 1, 2 }, { 3, 2, 1 } },
            { { kFourColours[0], kFourColours[1], kFourColours[2] },
                { kFourColours[3], kFourColours[2], kFourColours[1] } } },
        DepthCase { "bytes", 8, greyRamp(256),
            { { 0, 128, 255 }, { 255, 1, 0 } },
            { { qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(255, 255, 255) },
                { qRgb(255, 255, 255), qRgb(1, 1, 1), qRgb(0, 0, 0) } } },
        DepthCase { "rgb24", 24, {},
            { { 0x102030, 0xff0000 }, { 0x00ff00, 0x0000ff } },
            { { qRgb(0x10, 0x20, 0x30), qRgb(255, 0, 0) }, { qRgb(0, 255, 0), qRgb(0, 0, 255) } } },
        DepthCase { "rgb32", 32, {},
            { { 0x102030, 0xff0000, 0x123456 }, { 0x00ff00, 0x0000ff, 0xabcdef } },
            { { qRgb(0x10, 0x20, 0x30), qRgb(255, 0, 0), qRgb(0x12, 0x34, 0x56) },
                { qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0xab, 0xcd, 0xef) } } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpLoader, RunLengthEncodedEightBitDecodesRunsAbsoluteRunsAndJumps)
{
    // Bottom row first: a run of 3 x index 1, end of line; then absolute mode with
    // indexes 2, 3, 1 (padded to a word), end of line; then a jump of one column
    // and a run of two 3s on the top row, end of picture.
    BmpSpec spec;
    spec.bits = 8;
    spec.compression = 1;
    spec.width = 3;
    spec.height = 3;
    spec.palette = kFourColours;
    spec.coloursUsed = 4;
    spec.data = QByteArray::fromHex("0301" "0000" "0003020301" "00" "0000" "00020100" "0203" "0001");

    const Result<QImage> r = decode(bmpFile(spec));
    ASSERT_TRUE(r.ok());
    const QImage& img = r.value();
    EXPECT_EQ(img.format(), QImage::Format_RGB32);
    const QList<QList<QRgb>> expected = {
        { kFourColours[0], kFourColours[3], kFourColours[3] },
        { kFourColours[2], kFourColours[3], kFourColours[1] },
        { kFourColours[1], kFourColours[1], kFourColours[1] },
    };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(img.pixel(x, y), expected[y][x]) << x << "," << y;
}

TEST(BmpLoader, RunLengthEncodedFourBitDecodesNibblePairs)
{
    // One row of five pixels: a run of 5 alternating 1,2 then end of picture.
    BmpSpec spec;
    spec.bits = 4;
    spec.compression = 2;
    spec.width = 5;
    spec.height = 1;
    spec.palette = kFourColours;
    spec.coloursUsed = 4;
    spec.data = QByteArray::fromHex("0512" "0001");

    const Result<QImage> r = decode(bmpFile(spec));
    ASSERT_TRUE(r.ok());
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(r.value().pixel(x, 0), kFourColours[x % 2 ? 2 : 1]) << x;
}

// Runs may skip pixels (jumps, early ends of line or picture); those show palette
// entry 0, never whatever the memory held before. Freed images of the same size
// are left behind first so that stale pixels would show.
TEST(BmpLoader, PixelsSkippedByRunsShowTheFirstPaletteEntry)
{
    BmpSpec spec;
    spec.bits = 8;
    spec.compression = 1;
    spec.width = 64;
    spec.height = 64;
    spec.palette = kFourColours;
    spec.coloursUsed = 4;
    spec.data = QByteArray::fromHex("00020505" "0302" "0001");  // jump to (5, 5), three 2s, end
    const QByteArray file = bmpFile(spec);
    for (int round = 0; round < 3; ++round) {
        {
            QImage stale(64, 64, QImage::Format_Indexed8);
            stale.fill(3);
            QImage staleWide(70, 64, QImage::Format_Indexed8);
            staleWide.fill(3);
        }
        const Result<QImage> r = decode(file);
        ASSERT_TRUE(r.ok());
        int wrong = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const bool run = y == 63 - 5 && x >= 5 && x < 8;
                wrong += r.value().pixel(x, y) != (run ? kFourColours[2] : kFourColours[0]);
            }
        }
        EXPECT_EQ(wrong, 0) << "round " << round;
    }
}

TEST(BmpLoader, TopDownCoreAndLongHeadersKeepTheirOrientation)
{
    const QList<QList<quint32>> rows = { { 0xff0000 }, { 0x0000ff } };
    for (int infoSize : { 12, 40, 108, 124 }) {
        for (bool topDown : { false, true }) {
            if (infoSize == 12 && topDown)
                continue;
            BmpSpec spec;
            spec.infoSize = infoSize;
            spec.height = topDown ? -2 : 2;
            QList<QList<quint32>> stored = rows;
            if (topDown)
                std::reverse(stored.begin(), stored.end());
            spec.data = packRows(stored, 24);
            const Result<QImage> r = decode(bmpFile(spec));
            ASSERT_TRUE(r.ok()) << infoSize << " " << topDown;
            EXPECT_EQ(r.value().size(), QSize(1, 2));
            EXPECT_EQ(r.value().pixel(0, 0), qRgb(255, 0, 0)) << infoSize << " " << topDown;
            EXPECT_EQ(r.value().pixel(0, 1), qRgb(0, 0, 255)) << infoSize << " " << topDown;
        }
    }
}

TEST(BmpLoader, AlphaMaskGivesArgb)
{
    BmpSpec spec;
    spec.infoSize = 108;
    spec.bits = 32;
    spec.compression = 3;
    spec.width = 2;
    spec.data = packRows({ { 0x80ff0000, 0xff00ff00 } }, 32);
    QByteArray file = bmpFile(spec);
    // Bit-field masks of the long header: red, green, blue, alpha.
    test::putLE32(file, 54, 0x00ff0000);
    test::putLE32(file, 58, 0x0000ff00);
    test::putLE32(file, 62, 0x000000ff);
    test::putLE32(file, 66, 0xff000000);

    const Result<QImage> r = decode(file);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value().format(), QImage::Format_ARGB32);
    EXPECT_EQ(r.value().pixel(0, 0), qRgba(255, 0, 0, 0x80));
    EXPECT_EQ(r.value().pixel(1, 0), qRgba(0, 255, 0, 0xff));
}

// For every depth and a range of widths, a file that holds exactly the rows its
// header claims loads, and one byte less is refused: the row size the loader
// computes must match the padded rows on disk.
TEST(BmpLoader, UncompressedFileMustHoldEveryRow)
{
    for (int bits : { 1, 4, 8, 16, 24, 32 }) {
        for (int width : { 1, 2, 3, 5, 7, 8, 9, 31, 33 }) {
            BmpSpec spec;
            spec.bits = bits;
            spec.width = width;
            spec.height = 3;
            if (bits <= 8) {
                spec.palette = greyRamp(1 << bits);
                spec.coloursUsed = 0;   // all 2^bits entries
            }
            QList<QList<quint32>> rows(3, QList<quint32>(width, 1));
            spec.data = packRows(rows, bits);
            const QByteArray whole = bmpFile(spec);
            EXPECT_TRUE(decode(whole).ok()) << bits << " bits, width " << width;
            const Result<QImage> cut = decode(whole.chopped(1));
            ASSERT_FALSE(cut.ok()) << bits << " bits, width " << width;
            EXPECT_EQ(cut.error(), QStringLiteral("Bitmap image is not valid"));
        }
    }
}

TEST(BmpLoader, RowsStartWhereTheHeaderSaysOrAfterThePalette)
{
    BmpSpec spec;
    spec.bits = 8;
    spec.width = 4;
    spec.height = 2;
    spec.palette = kFourColours;
    spec.coloursUsed = 4;
    spec.data = packRows({ { 1, 1, 1, 1 }, { 2, 2, 2, 2 } }, 8);
    const int afterPalette = 14 + 40 + 16;

    // A gap between the palette and the rows.
    spec.dataOffset = afterPalette + 20;
    const QByteArray gapped = bmpFile(spec);
    ASSERT_TRUE(decode(gapped).ok());
    EXPECT_EQ(decode(gapped).value().pixel(0, 0), kFourColours[1]);
    EXPECT_FALSE(decode(gapped.chopped(1)).ok());

    // An offset pointing into the headers: rows are read after the palette, so a
    // file holding them there is whole and one a byte shorter is not.
    spec.dataOffset.reset();
    QByteArray bogus = bmpFile(spec);
    test::putLE32(bogus, 10, 20);
    EXPECT_TRUE(decode(bogus).ok());
    EXPECT_FALSE(decode(bogus.chopped(1)).ok());

    // An offset past the end of the file.
    QByteArray beyond = bmpFile(spec);
    test::putLE32(beyond, 10, quint32(beyond.size() + 1));
    EXPECT_FALSE(decode(beyond).ok());
}

TEST(BmpLoader, CoreHeaderPaletteHasThreeBytesAnEntry)
{
    BmpSpec spec;
    spec.infoSize = 12;
    spec.bits = 8;
    spec.width = 2;
    spec.height = 1;
    spec.palette = greyRamp(256);
    spec.data = packRows({ { 255, 128 } }, 8);
    const QByteArray file = bmpFile(spec);
    const Result<QImage> r = decode(file);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(r.value().pixel(1, 0), qRgb(128, 128, 128));
    EXPECT_FALSE(decode(file.chopped(1)).ok());
}

struct MalformedCase {
    const char* name;
    std::function<QByteArray()> make;
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

class BmpMalformed : public ::testing::TestWithParam<MalformedCase> { };

QByteArray small24(const std::function<void(BmpSpec&)>& change)
{
    BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.data = packRows({ { 1, 2 }, { 3, 4 } }, 24);
    change(spec);
    return bmpFile(spec);
}

TEST_P(BmpMalformed, IsRefusedAsNotValid)
{
    const Result<QImage> r = decode(GetParam().make());
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error(), QStringLiteral("Bitmap image is not valid"));
}

INSTANTIATE_TEST_SUITE_P(Headers, BmpMalformed,
    ::testing::Values(
        MalformedCase { "empty", [] { return QByteArray(); } },
        MalformedCase { "signatureOnly", [] { return QByteArray("BM"); } },
        MalformedCase { "fileHeaderOnly", [] { return small24([](BmpSpec&) { }).left(14); } },
        MalformedCase { "infoHeaderCut", [] { return small24([](BmpSpec&) { }).left(30); } },
        MalformedCase { "notBM", [] { QByteArray f = small24([](BmpSpec&) { }); f[1] = 'A'; return f; } },
        MalformedCase { "pngContents", [] { return QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"); } },
        MalformedCase { "unknownInfoSize", [] { return small24([](BmpSpec& s) { s.infoSize = 52; }); } },
        MalformedCase { "zeroWidth", [] { return small24([](BmpSpec& s) { s.width = 0; }); } },
        MalformedCase { "negativeWidth", [] { return small24([](BmpSpec& s) { s.width = -2; }); } },
        MalformedCase { "zeroHeight", [] { return small24([](BmpSpec& s) { s.height = 0; }); } },
        MalformedCase { "mostNegativeHeight", [] { return small24([](BmpSpec& s) { s.height = INT32_MIN; }); } },
        MalformedCase { "twoPlanes", [] { return small24([](BmpSpec& s) { s.planes = 2; }); } },
        MalformedCase { "twoBitsAPixel", [] { return small24([](BmpSpec& s) { s.bits = 2; }); } },
        MalformedCase { "rle8OnTwentyFourBits", [] { return small24([](BmpSpec& s) { s.compression = 1; }); } },
        MalformedCase { "embeddedJpeg", [] { return small24([](BmpSpec& s) { s.compression = 4; }); } },
        MalformedCase { "paletteOver256",
            [] {
                return small24([](BmpSpec& s) {
                    s.bits = 8;
                    s.coloursUsed = 257;
                });
            } },
        MalformedCase { "rleWithoutData",
            [] {
                return small24([](BmpSpec& s) {
                    s.bits = 8;
                    s.compression = 1;
                    s.palette = kFourColours;
                    s.coloursUsed = 4;
                    s.data.clear();
                });
            } },
        MalformedCase { "rleDataOffsetPastEnd",
            [] {
                QByteArray f = small24([](BmpSpec& s) {
                    s.bits = 8;
                    s.compression = 1;
                    s.palette = kFourColours;
                    s.coloursUsed = 4;
                    s.data = QByteArray::fromHex("02010001");
                });
                test::putLE32(f, 10, quint32(f.size()));
                return f;
            } },
        MalformedCase { "liesAboutSize",
            [] {
                return small24([](BmpSpec& s) {
                    s.width = 4000;
                    s.height = 4000;
                });
            } },
        MalformedCase { "over64MegapixelsInTinyFile",
            [] {
                return small24([](BmpSpec& s) {
                    s.width = 16000;
                    s.height = 16000;
                });
            } },
        MalformedCase { "overSideLimitRle",
            [] {
                return small24([](BmpSpec& s) {
                    s.bits = 8;
                    s.compression = 1;
                    s.width = 16385;
                    s.height = 1;
                    s.palette = kFourColours;
                    s.coloursUsed = 4;
                    s.data = QByteArray::fromHex("0001");
                });
            } },
        // Within the size limits, but the memory its 64 million pixels take is not
        // paid for by two bytes of data.
        MalformedCase { "rleEndingAtOnceWithinTheSizeLimits", [] { return hostile::rleEndOnlyBitmap(16000, 4000); } },
        // Fits in memory, but is larger than a run-length picture may be for free
        // and carries no data to pay for the rest.
        MalformedCase { "rleEndingAtOnceJustOverTheFreePixels", [] { return hostile::rleEndOnlyBitmap(2048, 1024); } },
        MalformedCase { "hugeRleInTinyFile",
            [] {
                return small24([](BmpSpec& s) {
                    s.bits = 8;
                    s.compression = 1;
                    s.width = 16000;
                    s.height = 16000;
                    s.palette = kFourColours;
                    s.coloursUsed = 4;
                    s.data = QByteArray::fromHex("0001");
                });
            } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpLoader, LimitsAreInclusive)
{
    const PictureLimits limits { 64, 1000 };
    const auto run = [&](int w, int h) {
        BmpSpec spec;
        spec.bits = 8;
        spec.compression = 1;
        spec.width = w;
        spec.height = h;
        spec.palette = kFourColours;
        spec.coloursUsed = 4;
        spec.data = QByteArray::fromHex("0001");
        return decode(bmpFile(spec), limits).ok();
    };
    EXPECT_TRUE(run(40, 25));   // exactly maxPixels
    EXPECT_FALSE(run(41, 25));
    EXPECT_TRUE(run(64, 1));    // exactly maxSide
    EXPECT_FALSE(run(65, 1));
    EXPECT_TRUE(run(1, 64));
    EXPECT_FALSE(run(1, 65));
    EXPECT_TRUE(run(1, -64));
    EXPECT_FALSE(run(1, -65));

    // Memory: the file and five bytes a pixel, within what is free plus what the
    // file's size pays for.
    BmpSpec spec;
    spec.bits = 8;
    spec.compression = 1;
    spec.width = 40;
    spec.height = 25;
    spec.palette = kFourColours;
    spec.coloursUsed = 4;
    spec.data = QByteArray::fromHex("0001");
    const QByteArray file = bmpFile(spec);
    const qint64 cost = file.size() + 40 * 25 * 5;
    EXPECT_TRUE(decode(file, { .freeMemory = cost, .memoryPerFileByte = 0 }).ok());
    EXPECT_FALSE(decode(file, { .freeMemory = cost - 1, .memoryPerFileByte = 0 }).ok());
    EXPECT_TRUE(decode(file, { .freeMemory = cost - file.size(), .memoryPerFileByte = 1 }).ok());
    EXPECT_FALSE(decode(file, { .freeMemory = cost - file.size() - 1, .memoryPerFileByte = 1 }).ok());

    // Run-length pixels: free up to a count, beyond it paid for by the two data bytes.
    EXPECT_TRUE(decode(file, { .freeRunLengthPixels = 1000, .runLengthPixelsPerDataByte = 0 }).ok());
    EXPECT_FALSE(decode(file, { .freeRunLengthPixels = 999, .runLengthPixelsPerDataByte = 0 }).ok());
    EXPECT_TRUE(decode(file, { .freeRunLengthPixels = 0, .runLengthPixelsPerDataByte = 500 }).ok());
    EXPECT_FALSE(decode(file, { .freeRunLengthPixels = 0, .runLengthPixelsPerDataByte = 499 }).ok());
}

// Records how far into the file anything read, to show where a refusal happened.
class ReadRecorder : public QBuffer {
public:
    using QBuffer::QBuffer;
    qint64 furthest = 0;

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = QBuffer::readData(data, maxSize);
        furthest = std::max(furthest, pos() + std::max<qint64>(n, 0));
        return n;
    }
};

// A header claiming far more rows than the file holds is refused on the header
// alone: no pixel row is read, so nothing was allocated for the claimed size.
TEST(BmpLoader, LyingHeaderIsRefusedBeforeDecoding)
{
    BmpSpec spec;
    spec.width = 3000;
    spec.height = 3000;
    spec.data = QByteArray(4096, '\x55');
    QByteArray bytes = bmpFile(spec);
    ReadRecorder device(&bytes);
    device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);

    const Result<QImage> r = decodeBmp(device);
    EXPECT_FALSE(r.ok());
    EXPECT_LE(device.furthest, 14 + 124);
}

// Qt's reader has its own allocation limit, lower than the loader's; a picture the
// loader admits must load whatever that limit is, and the limit must be left as it was.
TEST(BmpLoader, AdmittedPictureLoadsUnderLowerQtAllocationLimit)
{
    const int saved = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    // 600 x 600 at 32 bits a pixel needs more than the 1 MB Qt is now allowed.
    BmpSpec spec;
    spec.bits = 24;
    spec.width = 600;
    spec.height = 600;
    spec.data = QByteArray(600 * 600 * 3, '\xff');
    const Result<QImage> r = decode(bmpFile(spec));
    const int after = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(saved);

    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value().size(), QSize(600, 600));
    EXPECT_EQ(r.value().pixel(599, 599), qRgb(255, 255, 255));
    EXPECT_EQ(after, 1);
}

}  // namespace
}  // namespace pvstim::gfx
