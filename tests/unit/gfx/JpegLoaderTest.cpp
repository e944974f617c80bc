#include "gfx/JpegLoader.h"

#include "HostilePictures.h"
#include "JpegTestEncoder.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace pvstim::gfx {
namespace {

using test::encodeJpeg;
using test::JpegColour;
using test::JpegOptions;
using test::quadrants;

Result<QImage> decode(const QByteArray& file, QSize target = {}, const PictureLimits& limits = {})
{
    return decodeJpeg(reinterpret_cast<const unsigned char*>(file.constData()), std::size_t(file.size()),
        target, limits);
}

bool near(QRgb a, QRgb b, int tolerance = 8)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance && qAlpha(a) == qAlpha(b);
}

std::string describe(QRgb c)
{
    return QStringLiteral("rgba(%1,%2,%3,%4)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)).arg(qAlpha(c)).toStdString();
}

// Offset of the frame header's height field (the width follows it).
int frameSizeOffset(const QByteArray& file)
{
    for (int i = 2; i + 9 < file.size(); ++i) {
        const auto marker = quint8(file[i + 1]);
        if (quint8(file[i]) == 0xff && (marker == 0xc0 || marker == 0xc1 || marker == 0xc2 || marker == 0xc9 || marker == 0xca))
            return i + 5;
    }
    return -1;
}

QByteArray withFrameSize(QByteArray file, int width, int height)
{
    const int at = frameSizeOffset(file);
    EXPECT_GT(at, 0);
    file[at] = char(height >> 8);
    file[at + 1] = char(height & 0xff);
    file[at + 2] = char(width >> 8);
    file[at + 3] = char(width & 0xff);
    return file;
}

int startOfScan(const QByteArray& file)
{
    return int(file.indexOf(QByteArray::fromHex("ffda")));
}

// --- Choosing the scale ----------------------------------------------------------

struct ScaleCase {
    QSize full;
    QSize target;
    int eighths;
};

void PrintTo(const ScaleCase& c, std::ostream* os)
{
    *os << c.full.width() << "x" << c.full.height() << " into " << c.target.width() << "x" << c.target.height();
}

class JpegScale : public ::testing::TestWithParam<ScaleCase> { };

TEST_P(JpegScale, PicksTheSmallestScaleThatCoversTheFittedPicture)
{
    const ScaleCase& c = GetParam();
    EXPECT_EQ(jpegScaleFor(c.full, c.target), c.eighths)
        << c.full.width() << "x" << c.full.height() << " into " << c.target.width() << "x" << c.target.height();
}

INSTANTIATE_TEST_SUITE_P(Table, JpegScale,
    ::testing::Values(
        ScaleCase { { 800, 600 }, { 0, 0 }, 8 },          // no target: full size
        ScaleCase { { 800, 600 }, { 0, 100 }, 8 },
        ScaleCase { { 800, 600 }, { -5, -5 }, 8 },
        ScaleCase { { 800, 600 }, { 100, 75 }, 1 },       // exactly an eighth
        ScaleCase { { 800, 600 }, { 101, 75 }, 1 },       // the height decides the fit
        ScaleCase { { 800, 600 }, { 100, 1000 }, 1 },     // a tall area: the width decides
        ScaleCase { { 800, 600 }, { 101, 76 }, 2 },       // a hair over an eighth
        ScaleCase { { 800, 600 }, { 400, 300 }, 4 },
        ScaleCase { { 800, 600 }, { 401, 301 }, 5 },
        ScaleCase { { 800, 600 }, { 799, 599 }, 8 },
        ScaleCase { { 800, 600 }, { 800, 600 }, 8 },
        ScaleCase { { 800, 600 }, { 1920, 1080 }, 8 },    // enlarged: still full size
        ScaleCase { { 9, 9 }, { 2, 2 }, 1 },              // 9/8 rounds up to 2
        ScaleCase { { 9, 9 }, { 3, 3 }, 2 },
        ScaleCase { { 1000, 1 }, { 1000, 1 }, 8 },
        ScaleCase { { 1000, 10 }, { 125, 1 }, 1 }));

// Decodes odd-sized pictures into a range of targets: the result has the size the
// chosen scale gives, covers the fitted picture, and one eighth less would not.
TEST(JpegLoader, DecodedSizeCoversTheFittedTargetAndNoSmallerScaleWould)
{
    const auto covers = [](QSize decoded, QSize full, QSize target) {
        const double f = std::min(double(target.width()) / full.width(), double(target.height()) / full.height());
        return decoded.width() >= full.width() * f - 1e-9 && decoded.height() >= full.height() * f - 1e-9;
    };
    for (QSize full : { QSize(37, 23), QSize(64, 48), QSize(101, 7), QSize(5, 90) }) {
        const QByteArray file = encodeJpeg(quadrants(full.width(), full.height()));
        for (QSize target : { QSize(), QSize(5, 5), QSize(10, 3), QSize(20, 20), QSize(37, 23), QSize(60, 90), QSize(300, 300) }) {
            const Result<QImage> r = decode(file, target);
            ASSERT_TRUE(r.ok()) << r.error().toStdString();
            const QSize got = r.value().size();
            const int eighths = jpegScaleFor(full, target);
            EXPECT_EQ(got, jpegScaledSize(full, eighths));
            if (target.isEmpty()) {
                EXPECT_EQ(got, full);
                continue;
            }
            EXPECT_TRUE(covers(got, full, target) || got == full)
                << full.width() << "x" << full.height() << " into " << target.width() << "x" << target.height();
            EXPECT_TRUE(got.width() >= full.scaled(target, Qt::KeepAspectRatio).width() || got == full);
            if (eighths > 1) {
                EXPECT_FALSE(covers(jpegScaledSize(full, eighths - 1), full, target));
            }
        }
    }
}

// --- Colours -----------------------------------------------------------------------

struct ColourCase {
    const char* name;
    JpegOptions options;
};

void PrintTo(const ColourCase& c, std::ostream* os) { *os << c.name; }

class JpegColours : public ::testing::TestWithParam<ColourCase> { };

TEST_P(JpegColours, DecodeToOpaqueRgb32WithTheQuadrantColours)
{
    const ColourCase& c = GetParam();
    const Result<QImage> r = decode(encodeJpeg(quadrants(32, 32), c.options));
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    const QImage& img = r.value();
    EXPECT_EQ(img.format(), QImage::Format_RGB32);
    ASSERT_EQ(img.size(), QSize(32, 32));
    const bool grey = c.options.colour == JpegColour::Grey;
    const auto expect = [&](QRgb rgb) { return grey ? qRgb(qGray(rgb), qGray(rgb), qGray(rgb)) : rgb; };
    const struct { QPoint at; QRgb colour; } probes[] = {
        { { 8, 8 }, qRgb(255, 0, 0) }, { { 24, 8 }, qRgb(0, 255, 0) },
        { { 8, 24 }, qRgb(0, 0, 255) }, { { 24, 24 }, qRgb(255, 255, 255) },
    };
    for (const auto& p : probes)
        EXPECT_TRUE(near(img.pixel(p.at), expect(p.colour))) << describe(img.pixel(p.at)) << " at " << p.at.x() << "," << p.at.y();
}

INSTANTIATE_TEST_SUITE_P(Kinds, JpegColours,
    ::testing::Values(
        ColourCase { "baseline", {} },
        ColourCase { "progressive", { .progressive = true } },
        ColourCase { "arithmetic", { .arithmetic = true } },
        ColourCase { "grey", { .colour = JpegColour::Grey } },
        ColourCase { "adobeCmyk", { .colour = JpegColour::AdobeCmyk } },
        ColourCase { "plainCmyk", { .colour = JpegColour::PlainCmyk } },
        ColourCase { "progressiveCmyk", { .colour = JpegColour::AdobeCmyk, .progressive = true } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegLoader, ScaledDecodeKeepsTheColours)
{
    const Result<QImage> r = decode(encodeJpeg(quadrants(64, 64)), QSize(8, 8));
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.value().size(), QSize(8, 8));
    EXPECT_TRUE(near(r.value().pixel(1, 1), qRgb(255, 0, 0), 12)) << describe(r.value().pixel(1, 1));
    EXPECT_TRUE(near(r.value().pixel(6, 6), qRgb(255, 255, 255), 12)) << describe(r.value().pixel(6, 6));
}

// --- Refusals ------------------------------------------------------------------------

struct RefusalCase {
    const char* name;
    std::function<QByteArray()> make;
    const char* text;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class JpegRefusal : public ::testing::TestWithParam<RefusalCase> { };

TEST_P(JpegRefusal, IsRefusedWithItsReason)
{
    const Result<QImage> r = decode(GetParam().make());
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().toStdString(), GetParam().text);
}

QByteArray sample(JpegOptions options = {})
{
    return encodeJpeg(quadrants(48, 32), options);
}

// A scan script that refines each coefficient one bit at a time: valid, but with
// far more scans than any real encoder writes.
QList<jpeg_scan_info> bitByBitScans()
{
    QList<jpeg_scan_info> scans;
    scans.append({ 1, { 0 }, 0, 0, 0, 0 });
    for (int k = 1; k < 64; ++k) {
        scans.append({ 1, { 0 }, k, k, 0, 9 });
        for (int al = 8; al >= 0; --al)
            scans.append({ 1, { 0 }, k, k, al + 1, al });
    }
    return scans;
}

INSTANTIATE_TEST_SUITE_P(Files, JpegRefusal,
    ::testing::Values(
        RefusalCase { "empty", [] { return QByteArray(); }, "Empty input file" },
        RefusalCase { "bitmap", [] { return QByteArray("BM\x10\0\0\0", 6); }, "Not a JPEG file: starts with 0x42 0x4d" },
        RefusalCase { "startMarkerOnly", [] { return QByteArray::fromHex("ffd8"); }, "Premature end of JPEG file" },
        RefusalCase { "cutInHeaders", [] { const QByteArray f = sample(); return f.left(startOfScan(f) - 10); },
            "Premature end of JPEG file" },
        RefusalCase { "cutInScan", [] { const QByteArray f = sample(); return f.left(startOfScan(f) + 40); },
            "Premature end of JPEG file" },
        RefusalCase { "noEndMarker", [] { return sample().chopped(2); }, "Premature end of JPEG file" },
        RefusalCase { "cutProgressive", [] { const QByteArray f = sample({ .progressive = true }); return f.left(f.size() * 2 / 3); },
            "Premature end of JPEG file" },
        RefusalCase { "cutArithmetic", [] { const QByteArray f = sample({ .arithmetic = true }); return f.left(f.size() - 20); },
            "Premature end of JPEG file" },
        RefusalCase { "endMarkerInsideScan",
            [] {
                QByteArray f = sample();
                f.insert(startOfScan(f) + 30, QByteArray::fromHex("ffd9"));
                return f;
            },
            "Corrupt JPEG data: premature end of data segment" },
        RefusalCase { "liesAboutSize", [] { return withFrameSize(sample(), 4000, 3000); },
            "Corrupt JPEG data: premature end of data segment" },
        RefusalCase { "liesAboutSizeProgressive", [] { return withFrameSize(sample({ .progressive = true }), 4000, 3000); },
            "Corrupt JPEG data: premature end of data segment" },
        RefusalCase { "over64Megapixels", [] { return withFrameSize(sample(), 16000, 16000); }, "JPEG image is too large" },
        RefusalCase { "overSideLimit", [] { return withFrameSize(sample(), 16385, 8); }, "JPEG image is too large" },
        // 8000 x 8000 is within the size limits, but its 192 MB of coefficients are
        // not paid for by a file of 246 kB.
        RefusalCase { "manyEmptyScansOverEightThousandSquare", [] { return hostile::manyScanJpeg(8000, 500); },
            "JPEG image is too large" },
        // Fits in memory, but its 300 scans over 15,876 luma blocks each are far more
        // work than a file of 7 kB pays for.
        RefusalCase { "manyEmptyScansOverAThousandSquare", [] { return hostile::manyScanJpeg(1008, 300); },
            "JPEG image has too many scans" },
        RefusalCase { "tooManyScans",
            [] {
                JpegOptions o { .colour = JpegColour::Grey };
                o.scans = bitByBitScans();
                return sample(o);
            },
            "JPEG image has too many scans" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegLoader, LimitsAreInclusive)
{
    const PictureLimits limits { 64, 1024 };
    const auto run = [&](int w, int h) { return decode(encodeJpeg(quadrants(w, h)), {}, limits); };
    EXPECT_TRUE(run(32, 32).ok());   // exactly maxPixels
    EXPECT_EQ(run(33, 32).error(), QStringLiteral("JPEG image is too large"));
    EXPECT_TRUE(run(64, 16).ok());   // exactly maxSide
    EXPECT_EQ(run(65, 8).error(), QStringLiteral("JPEG image is too large"));
    EXPECT_EQ(run(8, 65).error(), QStringLiteral("JPEG image is too large"));

    // Memory: the file, the coefficients of a file of several scans (128 bytes a
    // block) and the decoded rows; work: the blocks each scan covers and one pass
    // over every block for the output.
    for (const bool progressive : { false, true }) {
        const QByteArray file = encodeJpeg(quadrants(64, 64), { .colour = JpegColour::Grey, .progressive = progressive });
        const qint64 memory = file.size() + (progressive ? 64 * 128 : 0) + 64 * 64 * 4;
        const PictureLimits roomy;
        PictureLimits tight = roomy;
        tight.memoryPerFileByte = 0;
        tight.freeMemory = memory;
        EXPECT_TRUE(decode(file, {}, tight).ok()) << progressive;
        tight.freeMemory = memory - 1;
        EXPECT_EQ(decode(file, {}, tight).error(), QStringLiteral("JPEG image is too large")) << progressive;

        const Result<QImage> counted = decode(file, {}, { .freeBlocks = 64, .blocksPerFileByte = 0 });
        EXPECT_EQ(counted.error(), QStringLiteral("JPEG image has too many scans")) << progressive;
        const qint64 scans = progressive ? 6 : 1;   // grey: one DC and five AC scans
        EXPECT_TRUE(decode(file, {}, { .freeBlocks = 64 * (scans + 1), .blocksPerFileByte = 0 }).ok()) << progressive;
        EXPECT_FALSE(decode(file, {}, { .freeBlocks = 64 * (scans + 1) - 1, .blocksPerFileByte = 0 }).ok()) << progressive;
    }
}

// Warnings about harmless oddities do not refuse a picture, only those about
// damaged data do: stray bytes between two markers still decode.
TEST(JpegLoader, StrayBytesBetweenMarkersAreTolerated)
{
    QByteArray f = sample();
    f.insert(startOfScan(f), QByteArray::fromHex("00112233"));
    const Result<QImage> r = decode(f);
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_TRUE(near(r.value().pixel(4, 4), qRgb(255, 0, 0))) << describe(r.value().pixel(4, 4));
}

// A progressive picture with the scan count still within bounds loads.
TEST(JpegLoader, ManyScansWithinTheBoundLoad)
{
    JpegOptions o { .colour = JpegColour::Grey };
    o.scans = bitByBitScans().mid(0, 1 + 10 * 40);   // 401 scans, coefficients 1..40
    const Result<QImage> r = decode(sample(o));
    EXPECT_TRUE(r.ok()) << r.error().toStdString();
}

// --- Files -------------------------------------------------------------------------

TEST(JpegLoader, LoadsFromFileAndReportsOpenFailures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString good = dir.filePath(QStringLiteral("1.jpg"));
    const QString empty = dir.filePath(QStringLiteral("empty.jpg"));
    {
        QFile f(good);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(encodeJpeg(quadrants(64, 32)));
        QFile e(empty);
        ASSERT_TRUE(e.open(QIODevice::WriteOnly));
    }

    const PictureLoadResult full = loadJpeg(good);
    ASSERT_TRUE(full.ok()) << full.error().toStdString();
    EXPECT_EQ(full.value().size(), QSize(64, 32));
    const PictureLoadResult small = loadJpeg(good, QSize(16, 16));
    ASSERT_TRUE(small.ok());
    EXPECT_EQ(small.value().size(), QSize(16, 8));

    const PictureLoadResult none = loadJpeg(empty);
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.failureKind(), LoadFailure::NotValid);
    EXPECT_EQ(none.error(), QStringLiteral("Empty input file"));

    const QString missing = dir.filePath(QStringLiteral("2.jpg"));
    const PictureLoadResult absent = loadJpeg(missing);
    ASSERT_FALSE(absent.ok());
    EXPECT_TRUE(absent.isOpenFailure());
    QFile probe(missing);
    probe.open(QIODevice::ReadOnly);
    EXPECT_EQ(absent.error(), probe.errorString());
}

}  // namespace
}  // namespace pvstim::gfx
