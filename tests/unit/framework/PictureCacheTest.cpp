// How much the picture cache keeps: a picture shown again within its limits costs
// no decoding, and the least recently used one gives way when either limit is
// passed, so a long run cannot fill memory with pictures. A file that could not be
// opened is not kept at all.
#include "FakePlatform.h"
#include "framework/PictureCache.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using namespace pvstim;

struct LimitCase {
    const char* name;
    int files;
    int side;            // each file a square JPEG of this side, kept as 4 bytes a pixel
    bool firstKept;      // whether the first file is still kept after all were shown
};

void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }

class PictureCacheFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Platform::install(&fake);
        PictureCache::instance().clear();
    }
    void TearDown() override
    {
        PictureCache::instance().clear();
        Platform::install(nullptr);
    }

    QString writeJpeg(int index, int side)
    {
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(QColor(index * 10 % 256, 80, 160));
        const QString path = dir.filePath(QStringLiteral("%1.jpg").arg(index));
        EXPECT_TRUE(image.save(path, "JPG", 50));
        return path;
    }

    // Asks for the file; returns whether it had to be decoded.
    bool show(const QString& path, PictureCache::Outcome* shown = nullptr)
    {
        int delivered = 0;
        PictureCache::Outcome decoded;
        const PictureCache::Outcome kept = PictureCache::instance().fetch(path, {},
            [&](const PictureCache::Outcome& outcome) {
                ++delivered;
                decoded = outcome;
            });
        if (shown)
            *shown = kept;
        if (kept)
            return false;
        EXPECT_EQ(fake.finishBackgroundJobs(), 1);
        EXPECT_EQ(delivered, 1);
        if (shown)
            *shown = decoded;
        return true;
    }

    FakePlatform fake;
    QTemporaryDir dir;
};

class PictureCacheLimits : public PictureCacheFiles, public ::testing::WithParamInterface<LimitCase> { };

TEST_P(PictureCacheLimits, LeastRecentlyUsedGivesWay)
{
    const LimitCase& c = GetParam();
    std::vector<QString> paths;
    for (int i = 0; i < c.files; ++i) {
        paths.push_back(writeJpeg(i, c.side));
        ASSERT_TRUE(show(paths.back())) << "file " << i << " is new";
    }
    EXPECT_LE(PictureCache::instance().size(), PictureCache::kMaxEntries);
    EXPECT_EQ(show(paths.front()), !c.firstKept);
    // The last one shown is always kept.
    EXPECT_FALSE(show(paths.back()));
}

INSTANTIATE_TEST_SUITE_P(Limits, PictureCacheLimits,
    ::testing::Values(LimitCase { "entries_at_the_limit", int(PictureCache::kMaxEntries), 8, true },
        LimitCase { "one_entry_too_many", int(PictureCache::kMaxEntries) + 1, 8, false },
        LimitCase { "bytes_within_the_limit", 3, 2800, true },
        LimitCase { "bytes_over_the_limit", 3, 2900, false }),
    [](const auto& info) { return std::string(info.param.name); });

// A file that could not be opened may become readable without a change to its size
// or time (chmod +r): the next request tries it again. A named pipe, refused at
// opening, stands in for the unreadable file, since root may open any file.
TEST_F(PictureCacheFiles, AFileThatCouldNotBeOpenedIsTriedAgain)
{
    const QString path = dir.filePath(QStringLiteral("mark1.bmp"));
    const QByteArray name = QFile::encodeName(path);
    const timespec sameTime[2] = { { 1000000000, 0 }, { 1000000000, 0 } };
    ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
    ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), sameTime, 0), 0);
    PictureCache::Outcome outcome;
    ASSERT_TRUE(show(path, &outcome));
    ASSERT_TRUE(outcome->isOpenFailure());

    ASSERT_TRUE(QFile::remove(path));
    QFile empty(path);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), sameTime, 0), 0);
    EXPECT_TRUE(show(path, &outcome)) << "the refusal to open was kept";
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->isOpenFailure());
}

}  // namespace
