// The reading-text feed of a run: pace, order, wrap, title step, flicker start and
// marker removal, driven by the text timer in virtual time.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/CheckBox.h"
#include "framework/Handler.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/StimulationWindow.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace pvstim;
using namespace pvstim::test;
using pvstim::test::writeFile;

// A run whose to_read/ holds the texts a test writes. Markers and mandalas are off
// so that only the feed touches the picture area.
class TextFeed : public test::AppTest {
protected:
    void prepare() override { writeTexts(); }

    void writeTexts()
    {
        QDir(path(QStringLiteral("to_read"))).removeRecursively();
        QDir(dir.path()).mkdir(QStringLiteral("to_read"));
        for (const auto& [name, bytes] : texts)
            writeFile(dir.path(), QStringLiteral("to_read/") + name, bytes);
    }

    // The program started afresh over other texts.
    void restartWith(std::vector<std::pair<QString, QByteArray>> others)
    {
        destroyWindowSet();
        texts = std::move(others);
        writeTexts();
        createWindowSet();
    }

    void clickStart(bool stimulation = true)
    {
        controlWindow()->stimulationBox->setChecked(stimulation);
        controlWindow()->markersBox->setChecked(false);
        controlWindow()->mandalasBox->setChecked(false);
        ASSERT_TRUE(runHandler(controlWindow()->startButton->OnClick)) << fake.errors.join(u'\n').toStdString();
    }

    QString caption() const { return stimulationWindow()->textLine->Caption(); }

    // The text line right after Start and after each of `ticks` text ticks.
    QStringList feed(int ticks)
    {
        QStringList shown { caption() };
        for (int i = 0; i < ticks; ++i) {
            fake.advanceMs(stimulationWindow()->lineTimer->Interval());
            shown << caption();
        }
        return shown;
    }

    std::vector<std::pair<QString, QByteArray>> texts { { QStringLiteral("text.txt"), "One\nTwo\nThree\n" } };
};

struct FeedCase {
    const char* what;
    QByteArray bytes;
    QStringList shown;  // after Start, then after each tick
};

void PrintTo(const FeedCase& c, std::ostream* os) { *os << c.what; }

class TextFeedOrder : public TextFeed, public ::testing::WithParamInterface<FeedCase> {
protected:
    void prepare() override
    {
        texts = { { QStringLiteral("text.txt"), GetParam().bytes } };
        writeTexts();
    }
};

TEST_P(TextFeedOrder, ShowsTheTitleOnceThenEveryLineOverAndOver)
{
    const FeedCase& c = GetParam();
    clickStart();
    EXPECT_EQ(feed(int(c.shown.size()) - 1), c.shown) << c.what;
}

const QString kTitle = QStringLiteral("text.txt");

INSTANTIATE_TEST_SUITE_P(Table, TextFeedOrder, ::testing::Values(
    FeedCase { "final line break", "One\nTwo\nThree\n",
        { kTitle, kTitle, "One", "Two", "Three", "One", "Two", "Three", "One" } },
    FeedCase { "no final line break", "One\nTwo\nThree",
        { kTitle, kTitle, "One", "Two", "Three", "One", "Two", "Three", "One" } },
    FeedCase { "CR LF and lone CR", "One\r\nTwo\rThree\r\n",
        { kTitle, kTitle, "One", "Two", "Three", "One", "Two" } },
    FeedCase { "blank line inside", "A\n\nB\n", { kTitle, kTitle, "A", "", "B", "A", "" } },
    FeedCase { "one line", "Only\n", { kTitle, kTitle, "Only", "Only", "Only", "Only" } },
    FeedCase { "empty file", "", { kTitle, kTitle, "", "", "" } },
    FeedCase { "code page 1251", "\xCF\xF0\xE8\xE2\xE5\xF2\r\n", { kTitle, kTitle, QStringLiteral("Привет"),
        QStringLiteral("Привет") } }));

TEST_F(TextFeed, CutsALongLineTo4096Characters)
{
    restartWith({ { QStringLiteral("long.txt"), "short\n" + QByteArray(5000, 'x') + "\nend\n" } });
    clickStart();
    const QStringList shown = feed(4);
    EXPECT_EQ(shown[3], QString(4096, u'x'));
    EXPECT_EQ(shown[4], QStringLiteral("end"));
}

class TextFeedPace : public TextFeed, public ::testing::WithParamInterface<int> { };

TEST_P(TextFeedPace, ShowsANewLineEveryLineIntervalTimesTenMilliseconds)
{
    const int lineInterval = GetParam();
    const int ms = lineInterval * 10;
    controlWindow()->lineIntervalSpin->setValue(lineInterval);
    clickStart();
    EXPECT_EQ(stimulationWindow()->lineTimer->Interval(), ms);

    fake.advanceMs(2 * ms - 1);
    EXPECT_EQ(caption(), kTitle);
    fake.advanceMs(1);
    EXPECT_EQ(caption(), QStringLiteral("One"));
    fake.advanceMs(ms - 1);
    EXPECT_EQ(caption(), QStringLiteral("One"));
    fake.advanceMs(1);
    EXPECT_EQ(caption(), QStringLiteral("Two"));
}

INSTANTIATE_TEST_SUITE_P(Intervals, TextFeedPace, ::testing::Values(10, 60, 1000));

struct FlickerCase {
    bool stimulation;
    QByteArray bytes;
};

void PrintTo(const FlickerCase& c, std::ostream* os)
{
    *os << (c.stimulation ? "switch on, " : "switch off, ") << (c.bytes.isEmpty() ? "empty text" : "one line");
}

class TextFeedFlickerStart : public TextFeed, public ::testing::WithParamInterface<FlickerCase> {
protected:
    void prepare() override
    {
        texts = { { QStringLiteral("text.txt"), GetParam().bytes } };
        writeTexts();
    }
};

TEST_P(TextFeedFlickerStart, StartsTheFlickerClockAtTheTitleStepOnlyWithTheSwitchOn)
{
    const FlickerCase& c = GetParam();
    clickStart(c.stimulation);
    const int ms = stimulationWindow()->lineTimer->Interval();
    EXPECT_FALSE(stimulationWindow()->flipTimer->Enabled()) << "Start itself must not start the flicker clock";
    fake.advanceMs(ms - 1);
    EXPECT_FALSE(stimulationWindow()->flipTimer->Enabled());
    fake.advanceMs(1);
    EXPECT_EQ(stimulationWindow()->flipTimer->Enabled(), c.stimulation);
    fake.advanceMs(10 * ms);
    EXPECT_EQ(stimulationWindow()->flipTimer->Enabled(), c.stimulation);
}

INSTANTIATE_TEST_SUITE_P(Table, TextFeedFlickerStart, ::testing::Values(
    FlickerCase { true, "One\n" }, FlickerCase { false, "One\n" },
    FlickerCase { true, "" }, FlickerCase { false, "" }));

TEST_F(TextFeed, NoTextChosenByHandFeedsEmptyLinesAndStillStartsTheFlicker)
{
    controlWindow()->chosenTextBox->setChecked(true);
    controlWindow()->randomTextBox->setChecked(false);
    clickStart();
    const QStringList shown = feed(3);
    EXPECT_EQ(shown.mid(1), QStringList({ "", "", "" }));
    EXPECT_TRUE(stimulationWindow()->flipTimer->Enabled());
}

TEST_F(TextFeed, TakesAwayAMarkerAndAMandalaAtTheNextTick)
{
    clickStart(false);
    const int ms = stimulationWindow()->lineTimer->Interval();
    fake.advanceMs(ms);
    TPicture& picture = stimulationWindow()->pictureArea->Picture();

    QImage marker(16, 16, QImage::Format_RGB32);
    marker.fill(Qt::red);
    picture.setBitmap(marker);
    fake.advanceMs(ms - 1);
    EXPECT_FALSE(picture.isEmpty()) << "the marker went before the next text tick";
    fake.advanceMs(1);
    EXPECT_TRUE(picture.isEmpty());
    EXPECT_EQ(picture.kind(), TPicture::Kind::Bitmap);

    ASSERT_TRUE(marker.save(path(QStringLiteral("mandala.jpg"))));
    picture.LoadFromFile(path(QStringLiteral("mandala.jpg")));
    ASSERT_EQ(picture.kind(), TPicture::Kind::Jpeg);
    fake.advanceMs(ms);
    EXPECT_TRUE(picture.isEmpty());
    EXPECT_EQ(picture.kind(), TPicture::Kind::Bitmap);
}

TEST_F(TextFeed, ASecondStartLoadsANewTextButKeepsCounting)
{
    restartWith({ { QStringLiteral("long.txt"), "1\n2\n3\n4\n5\n6\n" }, { QStringLiteral("short.txt"), "a\nb\n" } });
    fake.queueRandom(0);  // long.txt
    fake.queueRandom(1);  // short.txt
    clickStart();
    EXPECT_EQ(feed(5).mid(2), QStringList({ "1", "2", "3", "4" }));

    clickStart();
    EXPECT_EQ(caption(), QStringLiteral("short.txt"));
    // The count stands past the end of the shorter text, so the feed turns back to
    // its first line instead of showing empty lines or the title again.
    EXPECT_EQ(feed(3).mid(1), QStringList({ "a", "b", "a" }));
}

TEST_F(TextFeed, DrawsEveryTextOverManyStarts)
{
    restartWith({ { QStringLiteral("b.txt"), "x\n" }, { QStringLiteral("A.txt"), "y\n" } });
    fake.queueRandom(1);
    clickStart();
    EXPECT_EQ(stimulationWindow()->readingText.line(0), QStringLiteral("b.txt")) << "the list is not sorted without regard to case";

    std::set<QString> drawn;
    for (int i = 0; i < 30; ++i) {
        clickStart();
        drawn.insert(stimulationWindow()->readingText.line(0));
        fake.advanceMs(1000);
    }
    EXPECT_EQ(drawn, (std::set<QString> { QStringLiteral("A.txt"), QStringLiteral("b.txt") }));
    for (const auto& range : fake.randomRanges)
        EXPECT_EQ(range, std::make_pair(0, 2));
}

}  // namespace
