#include "gfx/PictureLoader.h"

#include "BmpTestWriter.h"
#include "JpegTestEncoder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pvstim::gfx {
namespace {

struct ExtensionCase {
    const char* path;
    std::optional<PictureFormat> format;
};

void PrintTo(const ExtensionCase& c, std::ostream* os) { *os << c.path; }

class PictureExtension : public ::testing::TestWithParam<ExtensionCase> { };

TEST_P(PictureExtension, PicksTheFormat)
{
    EXPECT_EQ(formatFromExtension(QString::fromUtf8(GetParam().path)), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(Table, PictureExtension,
    ::testing::Values(
        ExtensionCase { "textures/mark1.bmp", PictureFormat::Bitmap },
        ExtensionCase { "fone\\TITLE1.BMP", PictureFormat::Bitmap },
        ExtensionCase { "mandals/1.jpg", PictureFormat::Jpeg },
        ExtensionCase { "Mandals/3.JPG", PictureFormat::Jpeg },
        ExtensionCase { "photo.JPEG", PictureFormat::Jpeg },
        ExtensionCase { "photo.jpe", std::nullopt },
        ExtensionCase { "picture.png", std::nullopt },
        ExtensionCase { "mark1.bmp.txt", std::nullopt },
        ExtensionCase { "bmp", std::nullopt },
        ExtensionCase { "folder.jpg/file", std::nullopt },
        ExtensionCase { "", std::nullopt }));

class PictureLoaderFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString write(const QString& name, const QByteArray& contents)
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contents);
        return path;
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    static QByteArray bitmap()
    {
        test::BmpSpec spec;
        spec.width = 2;
        spec.height = 1;
        spec.data = test::packRows({ { 0xff0000, 0x00ff00 } }, 24);
        return test::bmpFile(spec);
    }

    static QString systemText(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.errorString();
    }

private:
    QTemporaryDir dir_;
};

TEST_F(PictureLoaderFiles, DispatchesByExtensionWhateverTheCase)
{
    const PictureLoadResult bmp = loadPicture(write(QStringLiteral("MARK1.BMP"), bitmap()));
    ASSERT_TRUE(bmp.ok()) << bmp.error().toStdString();
    EXPECT_EQ(bmp.value().pixel(0, 0), qRgb(255, 0, 0));

    const QByteArray jpeg = test::encodeJpeg(test::quadrants(64, 48));
    const PictureLoadResult full = loadPicture(write(QStringLiteral("1.Jpg"), jpeg));
    ASSERT_TRUE(full.ok()) << full.error().toStdString();
    EXPECT_EQ(full.value().size(), QSize(64, 48));

    // The target reaches the JPEG decoder: a quarter-size area gives a quarter scale.
    const PictureLoadResult scaled = loadPicture(write(QStringLiteral("2.jpeg"), jpeg), QSize(16, 16));
    ASSERT_TRUE(scaled.ok());
    EXPECT_EQ(scaled.value().size(), QSize(16, 12));
}

// The kind of picture follows the extension, not the contents: a JPEG named .bmp is
// not a valid bitmap, and a bitmap named .jpg gets the JPEG library's text.
TEST_F(PictureLoaderFiles, ContentsOfTheOtherKindAreNotValid)
{
    const PictureLoadResult jpegAsBmp = loadPicture(write(QStringLiteral("mark2.bmp"), test::encodeJpeg(test::quadrants(16, 16))));
    ASSERT_FALSE(jpegAsBmp.ok());
    EXPECT_EQ(jpegAsBmp.failureKind(), LoadFailure::NotValid);
    EXPECT_EQ(jpegAsBmp.error(), QStringLiteral("Bitmap image is not valid"));

    const PictureLoadResult bmpAsJpeg = loadPicture(write(QStringLiteral("3.jpg"), bitmap()));
    ASSERT_FALSE(bmpAsJpeg.ok());
    EXPECT_EQ(bmpAsJpeg.failureKind(), LoadFailure::NotValid);
    EXPECT_EQ(bmpAsJpeg.error(), QStringLiteral("Not a JPEG file: starts with 0x42 0x4d"));
}

// loadBmp and loadJpeg give the system's text and the CannotOpen kind; loadPicture
// turns it into the full message the error box shows.
TEST_F(PictureLoaderFiles, OpenFailuresCarryTheSystemText)
{
    for (const QString& name : { QStringLiteral("close0.bmp"), QStringLiteral("3.jpg") }) {
        const QString missing = path(name);
        const QString system = systemText(missing);
        ASSERT_FALSE(system.isEmpty());

        const PictureLoadResult direct = name.endsWith(QLatin1String(".bmp")) ? loadBmp(missing) : loadJpeg(missing);
        ASSERT_FALSE(direct.ok());
        EXPECT_TRUE(direct.isOpenFailure());
        EXPECT_EQ(direct.error(), system);

        const PictureLoadResult viaPicture = loadPicture(missing);
        ASSERT_FALSE(viaPicture.ok());
        EXPECT_EQ(viaPicture.failureKind(), LoadFailure::CannotOpen);
        EXPECT_EQ(viaPicture.error(), QStringLiteral("Cannot open file \"%1\". %2").arg(missing, system));
    }
}

// The size is checked before anything is read: a file one byte over the limit
// fails as not valid, with each kind's own text.
TEST_F(PictureLoaderFiles, FilesOverTheSizeLimitAreNotRead)
{
    const struct {
        QString name;
        QByteArray contents;
        QString refusal;
    } files[] = {
        { QStringLiteral("mark1.bmp"), bitmap(), QStringLiteral("Bitmap image is not valid") },
        { QStringLiteral("1.jpg"), test::encodeJpeg(test::quadrants(16, 16)), QStringLiteral("JPEG image is too large") },
    };
    for (const auto& file : files) {
        const QString written = write(file.name, file.contents);
        EXPECT_TRUE(loadPicture(written, {}, { .maxFileBytes = file.contents.size() }).ok());
        const PictureLoadResult over = loadPicture(written, {}, { .maxFileBytes = file.contents.size() - 1 });
        ASSERT_FALSE(over.ok());
        EXPECT_EQ(over.failureKind(), LoadFailure::NotValid);
        EXPECT_EQ(over.error(), file.refusal);
    }
}

TEST_F(PictureLoaderFiles, AFolderNamedLikeAPictureCannotBeOpened)
{
    ASSERT_TRUE(QDir(path(QString())).mkdir(QStringLiteral("max0.bmp")));
    const PictureLoadResult r = loadPicture(path(QStringLiteral("max0.bmp")));
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.isOpenFailure());
    EXPECT_TRUE(r.error().startsWith(QStringLiteral("Cannot open file \""))) << r.error().toStdString();
}

TEST_F(PictureLoaderFiles, AnUnknownExtensionIsNotValid)
{
    const PictureLoadResult r = loadPicture(write(QStringLiteral("mark1.png"), bitmap()));
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.failureKind(), LoadFailure::NotValid);
    EXPECT_EQ(r.error(), QStringLiteral("Unknown picture file extension (.png)"));
}

TEST(PictureLimits, AdmitsUpToBothLimitsInclusive)
{
    const PictureLimits limits;
    EXPECT_TRUE(limits.admits(16384, 1));
    EXPECT_FALSE(limits.admits(16385, 1));
    EXPECT_FALSE(limits.admits(1, 16385));
    EXPECT_TRUE(limits.admits(8000, 8000));     // exactly 64 million
    EXPECT_FALSE(limits.admits(8000, 8001));
    EXPECT_FALSE(limits.admits(16384, 16384));
    EXPECT_FALSE(limits.admits(0, 10));
    EXPECT_FALSE(limits.admits(10, -1));
}

}  // namespace
}  // namespace pvstim::gfx
