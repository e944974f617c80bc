#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pvstim;

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkpath(QStringLiteral("fone"));
        QDir(dir.path()).mkpath(QStringLiteral("mandals"));
        QDir(dir.path()).mkpath(QStringLiteral("to_read"));
        for (const char* name : { "fone/title1.bmp", "mandals/3.jpg" }) {
            QFile f(dir.path() + QLatin1Char('/') + QLatin1String(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
    }
    QString resolve(const char* relative) { return resolveCaseInsensitive(dir.path(), QString::fromUtf8(relative)); }
    QTemporaryDir dir;
};

TEST_F(PathsTest, BackslashesAndCaseFindTheFile)
{
    const QString expected = dir.path() + QStringLiteral("/mandals/3.jpg");
    EXPECT_EQ(resolve("Mandals/3.jpg"), expected);
    EXPECT_EQ(resolve("mandals\\3.jpg"), expected);
    EXPECT_EQ(resolve("MANDALS\\3.JPG"), expected);
    EXPECT_EQ(resolve("fone\\title1.bmp"), dir.path() + QStringLiteral("/fone/title1.bmp"));
}

TEST_F(PathsTest, FolderKeepsItsTrailingSeparator)
{
    EXPECT_EQ(resolve("to_read\\"), dir.path() + QStringLiteral("/to_read/"));
    EXPECT_EQ(resolve("TO_READ/"), dir.path() + QStringLiteral("/to_read/"));
}

TEST_F(PathsTest, MissingEntriesStayAsWrittenAndDoNotExist)
{
    const QString missing = resolve("fone\\title0.bmp");
    EXPECT_EQ(missing, dir.path() + QStringLiteral("/fone/title0.bmp"));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(resolve("Nowhere\\Deeper\\x.txt"), dir.path() + QStringLiteral("/Nowhere/Deeper/x.txt"));
}

TEST_F(PathsTest, ExactNameWinsOverAnotherCase)
{
    QFile f(dir.path() + QStringLiteral("/fone/TITLE1.bmp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    EXPECT_EQ(resolve("fone\\TITLE1.bmp"), dir.path() + QStringLiteral("/fone/TITLE1.bmp"));
    EXPECT_EQ(resolve("fone\\title1.bmp"), dir.path() + QStringLiteral("/fone/title1.bmp"));
}
