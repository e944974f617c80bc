// The marker and mandala timers in virtual time, with scripted random draws: which
// file each tick shows, the waits it draws, missing and broken files, and how the
// pictures give way to each other and to the text timer.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "run/ClockPlate.h"
#include "run/StimulationWindow.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

using namespace pvstim;
using namespace pvstim::test;
using Ranges = std::vector<std::pair<int, int>>;

QByteArray encoded(QColor colour, QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

// Each file is one solid colour, so the picture on show tells which file it came from.
const QColor kMark1 = QColor(255, 0, 0);
const QColor kMark2 = QColor(0, 0, 255);
const QColor kMandala[] = { QColor(0, 200, 0), QColor(200, 200, 0), QColor(0, 200, 200) };

constexpr Ranges::value_type kMarkerChoice { 0, 2 };
constexpr Ranges::value_type kMarkerWait { 15000, 120000 };
constexpr Ranges::value_type kMandalaChoice { 0, 3 };
constexpr Ranges::value_type kMandalaWait { 10000, 150000 };

class Pictures : public test::AppTest {
protected:
    void prepare() override
    {
        test::writeFile(dir.path(), QStringLiteral("textures/mark1.bmp"), encoded(kMark1, { 8, 6 }, "BMP"));
        test::writeFile(dir.path(), QStringLiteral("textures/mark2.bmp"), encoded(kMark2, { 8, 6 }, "BMP"));
        for (int i = 0; i < 3; ++i) {
            test::writeFile(dir.path(), QStringLiteral("mandals/%1.jpg").arg(i + 1),
                encoded(kMandala[i], { 64, 48 }, "JPG"));
        }
    }

    void SetUp() override
    {
        test::AppTest::SetUp();
        // Other timers of the program draw no random numbers; the record starts here.
        fake.randomRanges.clear();
        // The clock's 20 ms timer plays no part here; stopped, it lets minutes of
        // virtual time pass quickly.
        clockPlate()->tickTimer->setEnabled(false);
    }

    TPicture& picture() { return stimulationWindow()->pictureArea->Picture(); }

    // The colour of the picture on show (its centre), or an invalid colour if none.
    QColor shownColour()
    {
        if (picture().isEmpty())
            return {};
        const QImage& image = picture().image();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }

    static bool near(QColor a, QColor b)
    {
        return a.isValid() && std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8
            && std::abs(a.blue() - b.blue()) <= 8;
    }
};

// One tick of either timer: the draws scripted, the file chosen and the wait set.
struct TickCase {
    const char* name;
    bool mandala;
    int choice;
    int wait;
    int expectedFile;
};

void PrintTo(const TickCase& c, std::ostream* os) { *os << c.name; }

class PictureTick : public Pictures, public ::testing::WithParamInterface<TickCase> { };

TEST_P(PictureTick, ShowsTheDrawnFileAndSetsTheDrawnWait)
{
    const TickCase& c = GetParam();
    TTimer& timer = c.mandala ? *stimulationWindow()->mandalaTimer : *stimulationWindow()->markerTimer;
    const int firstWait = c.mandala ? 10000 : 15000;
    ASSERT_EQ(timer.Interval(), firstWait);
    fake.queueRandom(c.choice);
    fake.queueRandom(c.wait);
    timer.setEnabled(true);

    fake.advanceMs(firstWait - 1);
    EXPECT_TRUE(picture().isEmpty()) << "no tick before the first wait";
    fake.advanceMs(1);

    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join(u'\n').toStdString();
    EXPECT_EQ(fake.randomRanges, c.mandala ? Ranges({ kMandalaChoice, kMandalaWait })
                                           : Ranges({ kMarkerChoice, kMarkerWait }));
    EXPECT_EQ(picture().kind(), c.mandala ? TPicture::Kind::Jpeg : TPicture::Kind::Bitmap);
    const QColor expected = c.mandala ? kMandala[c.expectedFile - 1] : (c.expectedFile == 1 ? kMark1 : kMark2);
    EXPECT_TRUE(near(shownColour(), expected)) << shownColour().name().toStdString();
    EXPECT_EQ(timer.Interval(), c.wait);

    // The next tick comes exactly the drawn wait later.
    fake.queueRandom(0);
    fake.queueRandom(c.mandala ? 10000 : 15000);
    fake.advanceMs(c.wait - 1);
    EXPECT_EQ(timer.tickCount(), 1u);
    fake.advanceMs(1);
    EXPECT_EQ(timer.tickCount(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Draws, PictureTick,
    ::testing::Values(TickCase { "marker1_shortest", false, 0, 15000, 1 },
        TickCase { "marker2_longest", false, 1, 119999, 2 },
        TickCase { "marker1_middle", false, 0, 64000, 1 },
        TickCase { "mandala1_shortest", true, 0, 10000, 1 },
        TickCase { "mandala2_middle", true, 1, 75000, 2 },
        TickCase { "mandala3_longest", true, 2, 149999, 3 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Pictures, JpegIsDecodedForThePictureAreaNotAtFullSize)
{
    // A picture far larger than the area is decoded at a reduced scale that still
    // covers the area.
    test::writeFile(dir.path(), QStringLiteral("mandals/1.jpg"), encoded(kMandala[0], { 4096, 3072 }, "JPG"));
    stimulationWindow()->pictureArea->resize(500, 400);
    fake.queueRandom(0);
    fake.queueRandom(20000);
    stimulationWindow()->mandalaTimer->setEnabled(true);
    fake.advanceMs(10000);
    ASSERT_FALSE(picture().isEmpty());
    // Fitted into 500 x 400 the picture measures 500 x 375; one eighth (512 x 384)
    // is the smallest scale that covers it.
    EXPECT_EQ(picture().image().size(), QSize(512, 384));
}

TEST_F(Pictures, MissingMarkerFileShowsNothingAndStillDrawsTheWait)
{
    QFile::remove(path(QStringLiteral("textures/mark2.bmp")));
    fake.queueRandom(1);
    fake.queueRandom(30000);
    stimulationWindow()->markerTimer->setEnabled(true);
    fake.advanceMs(15000);

    EXPECT_TRUE(picture().isEmpty());
    EXPECT_TRUE(fake.errors.isEmpty());
    EXPECT_EQ(stimulationWindow()->markerTimer->Interval(), 30000);
    EXPECT_EQ(fake.randomRanges, Ranges({ kMarkerChoice, kMarkerWait }));

    // The other marker still shows.
    fake.queueRandom(0);
    fake.queueRandom(30000);
    fake.advanceMs(30000);
    EXPECT_TRUE(near(shownColour(), kMark1));
}

TEST_F(Pictures, AboutHalfTheMarkerTicksShowNothingWithoutMark2)
{
    QFile::remove(path(QStringLiteral("textures/mark2.bmp")));
    stimulationWindow()->markerTimer->setEnabled(true);
    // Unscripted draws come from the fake's seeded generator.
    int shown = 0;
    const int ticks = 200;
    for (int i = 0; i < ticks; ++i) {
        picture().releaseBitmap();
        const std::uint64_t before = stimulationWindow()->markerTimer->tickCount();
        fake.advanceMs(stimulationWindow()->markerTimer->Interval());
        ASSERT_EQ(stimulationWindow()->markerTimer->tickCount(), before + 1);
        shown += !picture().isEmpty();
    }
    EXPECT_GT(shown, ticks * 35 / 100);
    EXPECT_LT(shown, ticks * 65 / 100);
    EXPECT_TRUE(fake.errors.isEmpty());
}

struct BrokenCase {
    const char* name;
    bool mandala;
    const char* file;
    QByteArray bytes;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class BrokenPicture : public Pictures, public ::testing::WithParamInterface<BrokenCase> { };

TEST_P(BrokenPicture, OneErrorBoxAndTheTimerKeepsItsWait)
{
    const BrokenCase& c = GetParam();
    test::writeFile(dir.path(), QString::fromLatin1(c.file), c.bytes);
    TTimer& timer = c.mandala ? *stimulationWindow()->mandalaTimer : *stimulationWindow()->markerTimer;
    const int wait = timer.Interval();
    fake.queueRandom(0);
    timer.setEnabled(true);
    fake.advanceMs(wait);

    EXPECT_EQ(fake.errors.size(), 1);
    EXPECT_EQ(timer.Interval(), wait);
    EXPECT_TRUE(picture().isEmpty());
    // The rest of the tick is skipped: no wait was drawn.
    EXPECT_EQ(fake.randomRanges, Ranges({ c.mandala ? kMandalaChoice : kMarkerChoice }));

    // The timer goes on at the wait it had, and reports the file again.
    fake.queueRandom(0);
    fake.advanceMs(wait);
    EXPECT_EQ(timer.tickCount(), 2u);
    EXPECT_EQ(fake.errors.size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenPicture,
    ::testing::Values(BrokenCase { "marker_garbage", false, "textures/mark1.bmp", QByteArray("not a bitmap at all") },
        BrokenCase { "marker_truncated", false, "textures/mark1.bmp", QByteArray("BM\x10\x00", 4) },
        BrokenCase { "mandala_garbage", true, "mandals/1.jpg", QByteArray("plain text, not a JPEG") },
        BrokenCase { "mandala_empty", true, "mandals/1.jpg", QByteArray() }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Pictures, BrokenPictureLeavesThePictureOnShow)
{
    fake.queueRandom(1);
    fake.queueRandom(20000);
    stimulationWindow()->markerTimer->setEnabled(true);
    fake.advanceMs(15000);
    ASSERT_TRUE(near(shownColour(), kMark2));

    test::writeFile(dir.path(), QStringLiteral("textures/mark1.bmp"), QByteArray("broken"));
    fake.queueRandom(0);
    fake.advanceMs(20000);
    EXPECT_EQ(fake.errors.size(), 1);
    EXPECT_TRUE(near(shownColour(), kMark2));
    EXPECT_EQ(stimulationWindow()->markerTimer->Interval(), 20000);
}

TEST_F(Pictures, MarkerAndMandalaReplaceEachOther)
{
    // Mandala at 10 s, marker at 15 s, mandala again at 20 s, marker again at 31 s.
    fake.queueRandom(2);      // mandala 3
    fake.queueRandom(10000);
    stimulationWindow()->mandalaTimer->setEnabled(true);
    stimulationWindow()->markerTimer->setEnabled(true);

    fake.advanceMs(10000);
    EXPECT_EQ(picture().kind(), TPicture::Kind::Jpeg);
    EXPECT_TRUE(near(shownColour(), kMandala[2]));

    fake.queueRandom(1);      // marker 2
    fake.queueRandom(16000);
    fake.advanceMs(5000);
    EXPECT_EQ(picture().kind(), TPicture::Kind::Bitmap);
    EXPECT_TRUE(near(shownColour(), kMark2));

    fake.queueRandom(0);      // mandala 1
    fake.queueRandom(50000);
    fake.advanceMs(5000);     // 20 s: the mandala's tick
    EXPECT_EQ(picture().kind(), TPicture::Kind::Jpeg);
    EXPECT_TRUE(near(shownColour(), kMandala[0]));

    fake.queueRandom(0);      // marker 1
    fake.queueRandom(16000);
    fake.advanceMs(11000);    // 31 s: the marker's tick
    EXPECT_EQ(picture().kind(), TPicture::Kind::Bitmap);
    EXPECT_TRUE(near(shownColour(), kMark1));
    EXPECT_EQ(fake.randomRanges,
        Ranges({ kMandalaChoice, kMandalaWait, kMarkerChoice, kMarkerWait, kMandalaChoice, kMandalaWait,
            kMarkerChoice, kMarkerWait }));
}

TEST_F(Pictures, WithoutFlickerAMandalaStaysUntilTheNextTextTick)
{
    controlWindow()->stimulationBox->setChecked(false);
    stimulationWindow()->lineTimer->setInterval(600);
    stimulationWindow()->lineTimer->setEnabled(true);   // text ticks at 600, 1200, ... 9600, 10200
    fake.queueRandom(1);
    fake.queueRandom(40000);
    stimulationWindow()->mandalaTimer->setEnabled(true);   // mandala at 10000

    fake.advanceMs(10000);
    ASSERT_FALSE(stimulationWindow()->flipTimer->Enabled());
    EXPECT_EQ(picture().kind(), TPicture::Kind::Jpeg);
    EXPECT_FALSE(picture().isEmpty());
    fake.advanceMs(199);
    EXPECT_FALSE(picture().isEmpty()) << "still on show before the text tick";
    fake.advanceMs(1);
    EXPECT_TRUE(picture().isEmpty()) << "the text tick takes the mandala away";
    EXPECT_TRUE(fake.errors.isEmpty());
}

TEST_F(Pictures, OnlyTheNumberedFilesAreEverShown)
{
    // Files with other numbers, and a folder named like a picture, are never used.
    QFile::remove(path(QStringLiteral("mandals/2.jpg")));
    QDir(dir.path()).mkpath(QStringLiteral("mandals/2.jpg"));
    test::writeFile(dir.path(), QStringLiteral("mandals/4.jpg"), encoded(Qt::white, { 16, 16 }, "JPG"));
    test::writeFile(dir.path(), QStringLiteral("mandals/0.jpg"), encoded(Qt::white, { 16, 16 }, "JPG"));
    fake.queueRandom(1);
    fake.queueRandom(10000);
    stimulationWindow()->mandalaTimer->setEnabled(true);
    fake.advanceMs(10000);
    EXPECT_TRUE(picture().isEmpty());
    EXPECT_TRUE(fake.errors.isEmpty());
}

// ---- Decoding off the interface thread ------------------------------------------

struct UnfinishedCase {
    const char* name;
    bool mandala;
};

void PrintTo(const UnfinishedCase& c, std::ostream* os) { *os << c.name; }

class UnfinishedDecoding : public Pictures, public ::testing::WithParamInterface<UnfinishedCase> { };

// A picture whose decoding never ends holds up nothing on the interface thread:
// the tick only hands the file to a worker, every flip and every clock tick keeps
// its time, and a second tick that picks the same file does not decode it again.
TEST_P(UnfinishedDecoding, DelaysNoFlipAndNoClockTick)
{
    fake.finishJobsAfterEachCallback = false;
    TTimer& timer = *(GetParam().mandala ? stimulationWindow()->mandalaTimer : stimulationWindow()->markerTimer);
    std::vector<std::int64_t> flips;
    std::vector<bool> phases;
    const auto flip = stimulationWindow()->flipTimer->OnTimer;
    stimulationWindow()->flipTimer->OnTimer = [&, flip] {
        flip();
        flips.push_back(fake.monotonicNs());
        phases.push_back(stimulationWindow()->litPhase());
    };
    stimulationWindow()->setFrequency(8.0);
    stimulationWindow()->flipTimer->setEnabled(true);
    fake.setCursor({ 50, 300 });  // on the left edge: the clock ticks all along
    clockPlate()->tickTimer->setEnabled(true);
    const std::uint64_t clockTicks = clockPlate()->tickTimer->tickCount();
    const int wait = timer.Interval();
    fake.queueRandom(0);
    fake.queueRandom(0);
    timer.setEnabled(true);

    fake.advanceMs(2 * wait);   // two ticks, both choosing file 1
    EXPECT_EQ(timer.tickCount(), 2u);
    EXPECT_EQ(fake.pendingBackgroundJobs(), 1u) << "the file is decoded once, and not in the tick";
    EXPECT_TRUE(picture().isEmpty());
    EXPECT_TRUE(picture().isLoading());
    EXPECT_EQ(timer.Interval(), wait) << "no wait is drawn before the picture is on show";
    EXPECT_TRUE(fake.errors.isEmpty());

    // 8 Hz: a flip every 62.5 ms from the first to the last, alternating phases.
    const std::int64_t half = 62500000;
    ASSERT_GE(flips.size(), 2u);
    EXPECT_LE(flips.front(), half + 1000000);
    EXPECT_GT(flips.back(), fake.monotonicNs() - half);
    for (std::size_t i = 1; i < flips.size(); ++i) {
        ASSERT_EQ(flips[i] - flips[i - 1], half) << "flip " << i;
        ASSERT_NE(phases[i], phases[i - 1]) << "flip " << i;
    }
    EXPECT_EQ(clockPlate()->tickTimer->tickCount() - clockTicks, std::uint64_t(2 * wait / 20));
    EXPECT_EQ(clockPlate()->timeText->Caption(), fake.longTimeText());

    // Once decoding ends the picture appears, and each tick draws its next wait,
    // the first one too although the second took its place.
    fake.queueRandom(22222);
    fake.queueRandom(33333);
    EXPECT_EQ(fake.finishBackgroundJobs(), 1);
    EXPECT_FALSE(picture().isEmpty());
    EXPECT_EQ(timer.Interval(), 33333);
}

INSTANTIATE_TEST_SUITE_P(Kinds, UnfinishedDecoding,
    ::testing::Values(UnfinishedCase { "marker", false }, UnfinishedCase { "mandala", true }),
    [](const auto& info) { return std::string(info.param.name); });

// What the second choice of the same marker file costs, by what became of the
// file in between.
struct SecondChoiceCase {
    const char* name;
    QByteArray rewrite;      // null: the file is left alone; empty: it is removed
    int decodings;           // jobs the second tick starts
    QColor shown;
    int errors;
};

void PrintTo(const SecondChoiceCase& c, std::ostream* os) { *os << c.name; }

class SecondChoice : public Pictures, public ::testing::WithParamInterface<SecondChoiceCase> { };

TEST_P(SecondChoice, DecodesOnlyAChangedFile)
{
    const SecondChoiceCase& c = GetParam();
    fake.queueRandom(0);
    fake.queueRandom(20000);
    stimulationWindow()->markerTimer->setEnabled(true);
    fake.advanceMs(15000);
    ASSERT_TRUE(near(shownColour(), kMark1));

    if (!c.rewrite.isNull()) {
        QFile::remove(path(QStringLiteral("textures/mark1.bmp")));
        if (!c.rewrite.isEmpty())
            test::writeFile(dir.path(), QStringLiteral("textures/mark1.bmp"), c.rewrite);
    }
    fake.finishJobsAfterEachCallback = false;
    picture().releaseBitmap();
    fake.queueRandom(0);
    fake.queueRandom(25000);
    fake.advanceMs(20000);
    EXPECT_EQ(fake.finishBackgroundJobs(), c.decodings);
    if (c.shown.isValid())
        EXPECT_TRUE(near(shownColour(), c.shown)) << shownColour().name().toStdString();
    else
        EXPECT_TRUE(picture().isEmpty());
    EXPECT_EQ(fake.errors.size(), c.errors);
    EXPECT_EQ(stimulationWindow()->markerTimer->Interval(), c.errors ? 20000 : 25000);
}

INSTANTIATE_TEST_SUITE_P(Files, SecondChoice,
    ::testing::Values(SecondChoiceCase { "unchanged", QByteArray(), 0, kMark1, 0 },
        SecondChoiceCase { "rewritten", encoded(Qt::white, { 10, 6 }, "BMP"), 1, QColor(Qt::white), 0 },
        SecondChoiceCase { "broken", QByteArray("no longer a bitmap"), 1, QColor(), 1 },
        SecondChoiceCase { "removed", QByteArray(""), 0, QColor(), 0 }),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
