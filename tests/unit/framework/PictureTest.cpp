// The picture a picture control holds: loading by extension, the errors a user
// sees, and taking the picture as a bitmap.
#include "framework/Exceptions.h"
#include "framework/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;

class Picture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        picture.OnChange = [this] { ++changes; };
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QString writeImage(const QString& name, const QImage& image, const char* format)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, format, 95));
        return write(name, bytes);
    }

    static QImage solid(QSize size, QColor colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    QTemporaryDir dir;
    TPicture picture;
    int changes = 0;
};

struct KindCase {
    const char* name;
    const char* file;
    const char* format;
    TPicture::Kind kind;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

class PictureKind : public Picture, public ::testing::WithParamInterface<KindCase> { };

TEST_P(PictureKind, KindFollowsTheExtension)
{
    const KindCase& c = GetParam();
    const QString path = writeImage(QString::fromLatin1(c.file), solid({ 20, 10 }, QColor(0, 0, 200)), c.format);
    picture.LoadFromFile(path);
    EXPECT_EQ(picture.kind(), c.kind);
    EXPECT_EQ(picture.image().size(), QSize(20, 10));
    EXPECT_GT(picture.image().pixelColor(10, 5).blue(), 180);
    EXPECT_EQ(changes, 1);
}

INSTANTIATE_TEST_SUITE_P(Files, PictureKind,
    ::testing::Values(KindCase { "bmp", "a.bmp", "BMP", TPicture::Kind::Bitmap },
        KindCase { "bmp_upper", "A.BMP", "BMP", TPicture::Kind::Bitmap },
        KindCase { "jpg", "a.jpg", "JPG", TPicture::Kind::Jpeg },
        KindCase { "jpeg_mixed", "a.JpEg", "JPG", TPicture::Kind::Jpeg }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Picture, JpegDecodedAtTheScaleThatCoversTheTarget)
{
    const QString path = writeImage(QStringLiteral("big.jpg"), solid({ 800, 400 }, Qt::gray), "JPG");
    picture.LoadFromFile(path, QSize(100, 100));
    EXPECT_EQ(picture.image().size(), QSize(100, 50));
    picture.LoadFromFile(path, QSize(300, 300));
    EXPECT_EQ(picture.image().size(), QSize(300, 150));
    picture.LoadFromFile(path);
    EXPECT_EQ(picture.image().size(), QSize(800, 400));
}

TEST_F(Picture, BitmapAlphaChannelIsIgnored)
{
    // A 32-bit bitmap whose alpha bytes are all zero still shows its colours.
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(qRgba(10, 200, 30, 0));
    const QString path = writeImage(QStringLiteral("alpha.bmp"), image, "BMP");
    picture.LoadFromFile(path);
    ASSERT_FALSE(picture.isEmpty());
    EXPECT_FALSE(picture.image().hasAlphaChannel());
    EXPECT_EQ(qGreen(picture.image().pixel(1, 1)), 200);
}

struct FailureCase {
    const char* name;
    const char* file;
    QByteArray bytes;   // the file is not written when empty and `missing` is set
    bool missing;
    bool openError;
    const char* textStart;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class PictureFailure : public Picture, public ::testing::WithParamInterface<FailureCase> { };

TEST_P(PictureFailure, ThrowsAndKeepsThePicture)
{
    const FailureCase& c = GetParam();
    picture.LoadFromFile(writeImage(QStringLiteral("old.bmp"), solid({ 3, 3 }, Qt::red), "BMP"));
    changes = 0;
    const QImage before = picture.image();
    const QString path = c.missing ? dir.filePath(QString::fromLatin1(c.file))
                                   : write(QString::fromLatin1(c.file), c.bytes);
    try {
        picture.LoadFromFile(path);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(c.openError) << e.message().toStdString();
        EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.textStart))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(path));
    } catch (const EInvalidGraphic& e) {
        EXPECT_FALSE(c.openError) << e.message().toStdString();
        EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.textStart))) << e.message().toStdString();
    }
    EXPECT_EQ(picture.kind(), TPicture::Kind::Bitmap);
    EXPECT_EQ(picture.image(), before);
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, PictureFailure,
    ::testing::Values(FailureCase { "missing", "none.bmp", {}, true, true, "Cannot open file \"" },
        FailureCase { "bmp_garbage", "bad.bmp", QByteArray("this is not a bitmap"), false, false,
            "Bitmap image is not valid" },
        FailureCase { "bmp_empty", "empty.bmp", QByteArray(), false, false, "Bitmap image is not valid" },
        FailureCase { "jpg_garbage", "bad.jpg", QByteArray("this is not a JPEG"), false, false, "" },
        FailureCase { "other_extension", "bad.png", QByteArray("whatever"), false, false, "" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Picture, TakingAJpegAsBitmapLeavesAnEmptyBitmap)
{
    picture.LoadFromFile(writeImage(QStringLiteral("m.jpg"), solid({ 8, 8 }, Qt::green), "JPG"));
    changes = 0;
    EXPECT_FALSE(picture.dropUnlessBitmap());
    EXPECT_EQ(picture.kind(), TPicture::Kind::Bitmap);
    EXPECT_TRUE(picture.isEmpty());
    EXPECT_EQ(changes, 1);
    // Already an empty bitmap: nothing changes any more.
    EXPECT_FALSE(picture.dropUnlessBitmap());
    EXPECT_EQ(changes, 1);
}

TEST_F(Picture, TakingABitmapAsBitmapKeepsIt)
{
    picture.LoadFromFile(writeImage(QStringLiteral("k.bmp"), solid({ 5, 4 }, Qt::blue), "BMP"));
    changes = 0;
    const quint64 generation = picture.generation();
    EXPECT_TRUE(picture.dropUnlessBitmap());
    EXPECT_EQ(picture.image().size(), QSize(5, 4));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(picture.generation(), generation);

    picture.releaseBitmap();
    EXPECT_TRUE(picture.isEmpty());
    EXPECT_EQ(picture.kind(), TPicture::Kind::Bitmap);
    EXPECT_EQ(changes, 1);
    picture.releaseBitmap();
    EXPECT_EQ(changes, 1);
}

TEST_F(Picture, NothingTakenAsBitmapBecomesAnEmptyBitmap)
{
    ASSERT_EQ(picture.kind(), TPicture::Kind::None);
    EXPECT_FALSE(picture.dropUnlessBitmap());
    EXPECT_EQ(picture.kind(), TPicture::Kind::Bitmap);
    EXPECT_EQ(changes, 0);
}

TEST_F(Picture, LoadingReplacesAPictureOfTheOtherKind)
{
    picture.LoadFromFile(writeImage(QStringLiteral("m.jpg"), solid({ 8, 8 }, Qt::green), "JPG"));
    picture.LoadFromFile(writeImage(QStringLiteral("k.bmp"), solid({ 5, 4 }, Qt::blue), "BMP"));
    EXPECT_EQ(picture.kind(), TPicture::Kind::Bitmap);
    EXPECT_EQ(picture.image().size(), QSize(5, 4));
    picture.LoadFromFile(dir.filePath(QStringLiteral("m.jpg")));
    EXPECT_EQ(picture.kind(), TPicture::Kind::Jpeg);
    EXPECT_EQ(picture.image().size(), QSize(8, 8));
    EXPECT_EQ(changes, 3);
}

TEST_F(Picture, ResourceMissingLeavesThePicture)
{
    picture.LoadFromFile(writeImage(QStringLiteral("k.bmp"), solid({ 5, 4 }, Qt::blue), "BMP"));
    EXPECT_FALSE(picture.LoadFromResource(QStringLiteral(":/no/such/picture.bmp")));
    EXPECT_EQ(picture.image().size(), QSize(5, 4));
}

}  // namespace
