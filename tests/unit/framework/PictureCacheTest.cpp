// How much the picture cache keeps: a picture shown again within its limits costs
// no decoding, and the least recently used one gives way when either limit is
// passed, so a long run cannot fill memory with pictures.
#include "FakePlatform.h"
#include "framework/PictureCache.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;

struct LimitCase {
    const char* name;
    int files;
    int side;            // each file a square JPEG of this side, kept as 4 bytes a pixel
    bool firstKept;      // whether the first file is still kept after all were shown
};

void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }

class PictureCacheLimits : public ::testing::TestWithParam<LimitCase> {
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
    bool show(const QString& path)
    {
        int delivered = 0;
        const PictureCache::Outcome kept
            = PictureCache::instance().fetch(path, {}, [&](const PictureCache::Outcome&) { ++delivered; });
        if (kept)
            return false;
        EXPECT_EQ(fake.finishBackgroundJobs(), 1);
        EXPECT_EQ(delivered, 1);
        return true;
    }

    FakePlatform fake;
    QTemporaryDir dir;
};

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

}  // namespace
