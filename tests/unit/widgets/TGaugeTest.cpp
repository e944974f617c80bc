#include "widgets/TGauge.h"

#include "framework/Exceptions.h"
#include "gfx/Painter.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

using namespace pvstim;

namespace {

constexpr TColor kFace = 0x00EBEAE7;
constexpr TColor kInverseGreen = 0x00FFFFFF & ~clMoneyGreen;
constexpr TColor kInverseMaroon = 0x00FFFFFF & ~clMaroon;

using PixelSet = std::set<std::pair<int, int>>;

PixelSet differences(const gfx::Bitmap& a, const gfx::Bitmap& b)
{
    PixelSet out;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                out.insert({ x, y });
    return out;
}

gfx::Bitmap needleAt(int progress, bool showText)
{
    TGauge g;
    configureNeedleGauge(g);
    g.setShowText(showText);
    g.setProgress(progress);
    return g.render();
}

gfx::Bitmap stripAt(int width, int progress, bool showText)
{
    TGauge g;
    configureProgressStrip(g);
    g.setWidth(width);
    g.setShowText(showText);
    g.setProgress(progress);
    return g.render();
}

QString messageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EInvalidOperation& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

}  // namespace

TEST(TGauge, StartsWithTheDocumentedDefaults)
{
    TGauge g;
    EXPECT_EQ(g.MinValue(), 0);
    EXPECT_EQ(g.MaxValue(), 100);
    EXPECT_EQ(g.Progress(), 0);
    EXPECT_EQ(g.Kind(), TGaugeKind::gkHorizontalBar);
    EXPECT_TRUE(g.ShowText());
    EXPECT_EQ(g.BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_EQ(g.ForeColor(), clBlack);
    EXPECT_EQ(g.BackColor(), clWhite);
    EXPECT_EQ(g.Width(), 100);
    EXPECT_EQ(g.Height(), 100);
    EXPECT_TRUE(g.testAttribute(Qt::WA_OpaquePaintEvent));
}

struct PercentCase {
    int min, max, progress, percent;
};

class TGaugePercentage : public ::testing::TestWithParam<PercentCase> { };

TEST_P(TGaugePercentage, IsTruncatedAndClamped)
{
    const PercentCase c = GetParam();
    TGauge g;
    g.setLoading(true);
    g.setMinValue(c.min);
    g.setMaxValue(c.max);
    g.setLoading(false);
    g.setProgress(c.progress);
    EXPECT_EQ(g.Percentage(), c.percent);
}

INSTANTIATE_TEST_SUITE_P(Ranges, TGaugePercentage,
    ::testing::Values(PercentCase { 0, 100, 37, 37 }, PercentCase { 0, 3, 1, 33 }, PercentCase { 0, 3, 2, 66 },
        PercentCase { -7, 0, -6, 14 }, PercentCase { 0, 100, -5, 0 }, PercentCase { 0, 100, 250, 100 },
        PercentCase { 10, 20, 0, 0 }, PercentCase { 10, 20, 99, 100 }, PercentCase { 5, 5, 5, 0 },
        PercentCase { 0, 1000, 999, 99 },
        // A range wider than 2^31 stays within 0..100.
        PercentCase { -2000000000, 2000000000, 0, 50 }, PercentCase { INT_MIN, INT_MAX, INT_MAX, 100 }));

TEST(TGauge, ProgressIsClampedIntoTheRange)
{
    TGauge g;
    g.setMaxValue(40);
    g.setMinValue(-10);
    g.setProgress(-11);
    EXPECT_EQ(g.Progress(), -10);
    g.setProgress(41);
    EXPECT_EQ(g.Progress(), 40);
    g.setMinValue(40);   // equal ends are allowed
    EXPECT_EQ(g.Percentage(), 0);
    g.setMaxValue(90);
    g.setMinValue(60);
    EXPECT_EQ(g.Progress(), 60);   // raising the minimum carries Progress along
    g.setProgress(90);
    g.setMaxValue(70);
    EXPECT_EQ(g.Progress(), 70);   // lowering the maximum pulls it down
}

TEST(TGauge, RangeErrorsQuoteTheAllowedBoundsAndStoreNothing)
{
    TGauge g;
    g.setProgress(30);
    EXPECT_EQ(messageOf([&] { g.setMinValue(101); }), QStringLiteral("Value must be between -2147483647 and 99"));
    EXPECT_EQ(messageOf([&] { g.setMaxValue(-1); }), QStringLiteral("Value must be between 1 and 2147483647"));
    EXPECT_EQ(g.MinValue(), 0);
    EXPECT_EQ(g.MaxValue(), 100);
    EXPECT_EQ(g.Progress(), 30);

    g.setMaxValue(500);
    g.setMinValue(20);
    EXPECT_EQ(messageOf([&] { g.setMaxValue(19); }), QStringLiteral("Value must be between 21 and 2147483647"));
    EXPECT_EQ(messageOf([&] { g.setMinValue(501); }), QStringLiteral("Value must be between -2147483647 and 499"));
    EXPECT_EQ(g.MinValue(), 20);
    EXPECT_EQ(g.MaxValue(), 500);
}

TEST(TGauge, WhileLoadingTheEndsAreTakenInAnyOrder)
{
    TGauge g;
    g.setLoading(true);
    g.setMinValue(200);
    g.setMaxValue(300);
    g.setLoading(false);
    EXPECT_EQ(g.MinValue(), 200);
    EXPECT_EQ(g.MaxValue(), 300);
    EXPECT_EQ(g.Progress(), 200);
}

TEST(TGauge, RepaintsAtOnceOnlyWhenSomethingVisibleChanges)
{
    QWidget parent;
    auto* g = new TGauge(&parent);
    g->setMaxValue(1000);
    int count = g->repaintCount();
    const auto repainted = [&] {
        const int now = g->repaintCount();
        const bool changed = now != count;
        count = now;
        return changed;
    };

    g->setProgress(105);
    EXPECT_TRUE(repainted());    // 0 % -> 10 %
    g->setProgress(109);
    EXPECT_FALSE(repainted());   // still 10 %
    EXPECT_EQ(g->Progress(), 109);
    g->setProgress(109);
    EXPECT_FALSE(repainted());
    g->setProgress(5000);
    EXPECT_TRUE(repainted());
    g->setProgress(6000);        // clamped to the value it already has
    EXPECT_FALSE(repainted());

    g->setKind(TGaugeKind::gkNeedle);
    EXPECT_TRUE(repainted());
    g->setKind(TGaugeKind::gkNeedle);
    g->setShowText(true);
    g->setBorderStyle(TBorderStyle::bsSingle);
    g->setForeColor(clBlack);
    g->setBackColor(clWhite);
    g->setMinValue(0);
    g->setMaxValue(1000);
    EXPECT_FALSE(repainted());
    g->setShowText(false);
    EXPECT_TRUE(repainted());
    g->setBorderStyle(TBorderStyle::bsNone);
    EXPECT_TRUE(repainted());
    g->setForeColor(clRed);
    EXPECT_TRUE(repainted());
    g->setBackColor(clRed);
    EXPECT_TRUE(repainted());
    g->setMinValue(1);
    EXPECT_TRUE(repainted());
    g->setMaxValue(999);
    EXPECT_TRUE(repainted());

    g->hide();
    g->setProgress(10);
    EXPECT_FALSE(repainted());   // a hidden gauge is not painted
    TGauge orphan;
    orphan.setProgress(50);
    EXPECT_EQ(orphan.repaintCount(), 0);   // nor one without a parent window
}

TEST(TGauge, OnScreenTheRepaintHappensBeforeTheSetterReturns)
{
    QWidget parent;
    parent.resize(200, 120);
    auto* g = new TGauge(&parent);
    configureNeedleGauge(*g);
    g->move(10, 10);
    parent.show();
    QApplication::processEvents();
    const int paints = g->paintCount();
    g->setProgress(40);
    EXPECT_EQ(g->paintCount(), paints + 1);
    g->setProgress(40);
    EXPECT_EQ(g->paintCount(), paints + 1);

    // The widget shows exactly the rendered picture.
    const QImage shown = g->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const gfx::Bitmap picture = g->render();
    ASSERT_EQ(shown.size(), QSize(89, 41));
    EXPECT_EQ(shown, picture.image());
}

struct FillCase {
    int percentage, pixels, length;
};

class TGaugeFill : public ::testing::TestWithParam<FillCase> { };

TEST_P(TGaugeFill, IsTheExactTruncatedShare)
{
    const FillCase c = GetParam();
    EXPECT_EQ(TGauge::fillLength(c.percentage, c.pixels), c.length);
}

INSTANTIATE_TEST_SUITE_P(Shares, TGaugeFill,
    ::testing::Values(FillCase { 5, 20, 1 }, FillCase { 50, 1023, 511 }, FillCase { 100, 3839, 3839 },
        FillCase { 0, 3839, 0 }, FillCase { 99, 100, 99 }, FillCase { 33, 3, 0 }, FillCase { 29, 100, 29 },
        FillCase { 57, 100, 57 }, FillCase { 100, 2147483647, 2147483647 }));

TEST(TGauge, BarOfTwentyPixelsAtFivePercentFillsOneColumn)
{
    for (auto [width, progress, filled] : { std::tuple { 19, 5, 1 }, std::tuple { 1022, 50, 511 } }) {
        TGauge g;
        g.resize(width, 5);
        g.setBorderStyle(TBorderStyle::bsNone);
        g.setShowText(false);
        g.setProgress(progress);
        const gfx::Bitmap b = g.render();
        EXPECT_EQ(b.pixel(filled - 1, 2), clBlack) << width;
        EXPECT_EQ(b.pixel(filled, 2), clWhite) << width;
    }
}

struct TipCase {
    int percent, x, y;
};

class TGaugeNeedle : public ::testing::TestWithParam<TipCase> { };

TEST_P(TGaugeNeedle, PointsAtTheListedTip)
{
    const TipCase c = GetParam();
    EXPECT_EQ(TGauge::needleTip(89, 41, c.percent), QPoint(c.x, c.y));

    // On the picture: the needle adds black pixels to the bare face, all of them
    // along the line from the hub (44, 40) to the tip, and reaches the tip.
    const gfx::Bitmap face = needleAt(0, false);
    const gfx::Bitmap pic = needleAt(c.percent, false);
    const PixelSet added = differences(face, pic);
    const double len = std::hypot(c.x - 44.0, c.y - 40.0);
    bool nextToTip = false;
    for (auto [x, y] : added) {
        ASSERT_EQ(pic.pixel(x, y), clBlack);
        const double off = std::abs((x - 44.0) * (c.y - 40.0) - (y - 40.0) * (c.x - 44.0)) / len;
        ASSERT_LE(off, 0.5) << x << "," << y;
        nextToTip |= std::max(std::abs(x - c.x), std::abs(y - c.y)) == 1;
        ASSERT_FALSE(x == c.x && y == c.y);
    }
    // The tip itself keeps the colour of the bare face: the rim, or for 25 % and
    // 75 % the green just inside it.
    EXPECT_EQ(pic.pixel(c.x, c.y), face.pixel(c.x, c.y));
    if (c.percent < 100) {
        EXPECT_TRUE(nextToTip);
    }
}

INSTANTIATE_TEST_SUITE_P(Listed, TGaugeNeedle,
    ::testing::Values(TipCase { 1, 0, 39 }, TipCase { 10, 2, 28 }, TipCase { 25, 13, 12 }, TipCase { 50, 44, 0 },
        TipCase { 75, 75, 12 }, TipCase { 90, 86, 28 }, TipCase { 99, 88, 39 }, TipCase { 100, 88, 40 }));

TEST(TGauge, NeedleAtFullScaleLiesAlongTheBottomRow)
{
    // The face's rim already blackens row 40, so the needle's own pixels are checked
    // with the same line drawn alone.
    gfx::Bitmap alone(89, 41);
    gfx::Painter p(alone);
    p.setPen(clWhite);
    p.line({ 44, 40 }, TGauge::needleTip(89, 41, 100));
    for (int x = 0; x < 89; ++x)
        EXPECT_EQ(alone.pixel(x, 40), x >= 44 && x <= 87 ? clWhite : clBlack) << x;

    const gfx::Bitmap pic = needleAt(100, false);
    for (int x = 0; x < 89; ++x)
        EXPECT_EQ(pic.pixel(x, 40), clBlack) << x;
    EXPECT_TRUE(differences(needleAt(0, false), pic).empty());
}

TEST(TGauge, NeedleGaugeAtZeroShowsTheBareHalfDisc)
{
    const gfx::Bitmap pic = needleAt(0, false);
    for (int x = 0; x < 89; ++x)
        EXPECT_EQ(pic.pixel(x, 40), clBlack) << x;
    EXPECT_EQ(pic.pixel(0, 0), kFace);
    EXPECT_EQ(pic.pixel(88, 0), kFace);
    EXPECT_EQ(pic.pixel(44, 0), clBlack);
    for (int y = 1; y < 40; ++y)
        EXPECT_EQ(pic.pixel(44, y), clMoneyGreen) << y;   // no needle
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 89; ++x) {
            const TColor c = pic.pixel(x, y);
            ASSERT_TRUE(c == kFace || c == clMoneyGreen || c == clBlack) << x << "," << y;
            ASSERT_EQ(c, pic.pixel(88 - x, y)) << x << "," << y;
            if (c == clBlack) {
                // The outline is the rim: every black pixel touches the face colour.
                const bool rim = (x == 0 || pic.pixel(x - 1, y) == kFace) || (x == 88 || pic.pixel(x + 1, y) == kFace)
                    || (y == 0 || pic.pixel(x, y - 1) == kFace) || pic.pixel(x, y + 1) == kFace;
                ASSERT_TRUE(rim) << x << "," << y;
            }
        }
    }
}

TEST(TGauge, NeedleTextInvertsWhateverLiesBeneathIt)
{
    int overFace = 0;
    int overNeedle = 0;
    for (int percent : { 40, 45, 50, 55, 60 }) {
        const gfx::Bitmap bare = needleAt(percent, false);
        const gfx::Bitmap pic = needleAt(percent, true);
        const PixelSet text = differences(bare, pic);
        ASSERT_FALSE(text.empty());
        const QSize extent = gfx::Painter::textExtent(TFont {}.toQFont(), QString::asprintf("%d%%", percent));
        const int left = (90 - extent.width()) / 2;
        for (auto [x, y] : text) {
            ASSERT_EQ(pic.pixel(x, y), 0x00FFFFFF & ~bare.pixel(x, y));
            ASSERT_TRUE(y >= 14 && y < 14 + 13) << y;
            ASSERT_TRUE(x >= left - 1 && x <= left + extent.width()) << x;
            overFace += bare.pixel(x, y) == clMoneyGreen;
            overNeedle += bare.pixel(x, y) == clBlack;
        }
        for (auto [x, y] : text) {
            if (bare.pixel(x, y) == clMoneyGreen) {
                ASSERT_EQ(pic.pixel(x, y), kInverseGreen);
            }
        }
    }
    EXPECT_GT(overFace, 0);
    EXPECT_GT(overNeedle, 0);   // shown white

    // The font's own colour plays no part.
    TGauge g;
    configureNeedleGauge(g);
    g.setProgress(50);
    TFont red = g.Font();
    red.color = clRed;
    g.setFont(red);
    EXPECT_EQ(g.render().image(), needleAt(50, true).image());
}

struct StripCase {
    int width, percent, barEnd;   // bar covers x 1 .. barEnd - 1
};

class TGaugeStrip : public ::testing::TestWithParam<StripCase> { };

TEST_P(TGaugeStrip, HasAFrameTwoRowsAndTheBar)
{
    const StripCase c = GetParam();
    const gfx::Bitmap b = stripAt(c.width, c.percent, false);
    ASSERT_EQ(b.height(), 4);
    for (int x = 0; x < c.width; ++x) {
        ASSERT_EQ(b.pixel(x, 0), clBlack) << x;
        ASSERT_EQ(b.pixel(x, 3), clBlack) << x;
        for (int y = 1; y <= 2; ++y) {
            const TColor want = (x == 0 || x == c.width - 1) ? clBlack : x < c.barEnd ? clMaroon : clWhite;
            ASSERT_EQ(b.pixel(x, y), want) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, TGaugeStrip,
    ::testing::Values(StripCase { 60, 0, 0 }, StripCase { 60, 50, 29 }, StripCase { 60, 100, 59 },
        StripCase { 3840, 50, 1919 }, StripCase { 3840, 100, 3839 }, StripCase { 3840, 1, 38 },
        StripCase { 1024, 50, 511 }));

TEST(TGauge, StripShowsOnlyTwoRowsOfTheInvertedText)
{
    const int width = 3840;
    const gfx::Bitmap bare = stripAt(width, 50, false);
    const gfx::Bitmap pic = stripAt(width, 50, true);
    const PixelSet text = differences(bare, pic);
    ASSERT_FALSE(text.empty());
    int onBar = 0;
    int onWhite = 0;
    for (auto [x, y] : text) {
        ASSERT_TRUE(y == 1 || y == 2) << y;
        ASSERT_TRUE(x >= 1 && x < width - 1) << x;
        if (bare.pixel(x, y) == clMaroon) {
            ASSERT_EQ(pic.pixel(x, y), kInverseMaroon);
            ++onBar;
        } else {
            ASSERT_EQ(bare.pixel(x, y), clWhite);
            ASSERT_EQ(pic.pixel(x, y), clBlack);
            ++onWhite;
        }
    }
    EXPECT_GT(onBar, 0);
    EXPECT_GT(onWhite, 0);

    // The rows shown are the text cell's rows 6 and 7: the cell's top is at -5.
    const QFont font = TFont {}.toQFont();
    const int left = (width - 1 - gfx::Painter::textExtent(font, QStringLiteral("50%")).width()) / 2;
    gfx::Bitmap cell(width, 13);
    gfx::Painter(cell).textOut(left, 0, QStringLiteral("50%"), font, clWhite, cell.rect());
    PixelSet expected;
    for (int y = 6; y <= 7; ++y)
        for (int x = 1; x < width - 1; ++x)
            if (cell.pixel(x, y) == clWhite)
                expected.insert({ x, y - 5 });
    EXPECT_EQ(text, expected);
}

TEST(TGauge, EmptyRangeShowsNoBarNoNeedleAndZeroPercent)
{
    TGauge bar;
    bar.resize(60, 20);
    bar.setMinValue(50);
    bar.setProgress(50);
    bar.setMaxValue(50);
    bar.setShowText(false);
    EXPECT_EQ(bar.Percentage(), 0);
    for (int x = 1; x < 59; ++x)
        ASSERT_EQ(bar.render().pixel(x, 10), clWhite) << x;

    TGauge needle;
    configureNeedleGauge(needle);
    needle.setMinValue(7);
    needle.setMaxValue(7);
    EXPECT_EQ(needle.Percentage(), 0);
    needle.setShowText(false);
    EXPECT_EQ(needle.render().image(), needleAt(0, false).image());
    needle.setShowText(true);
    EXPECT_EQ(needle.render().image(), needleAt(0, true).image());   // the text 0%
    EXPECT_NE(needleAt(0, true).image(), needleAt(0, false).image());
}

class TGaugeKinds : public ::testing::TestWithParam<TGaugeKind> { };

TEST_P(TGaugeKinds, SingleBorderKeepsTheOuterRingBlack)
{
    for (int progress : { 0, 50, 100 }) {
        TGauge g;
        g.resize(23, 11);   // small enough for the text to reach the border
        g.setKind(GetParam());
        g.setColor(clYellow);
        g.setProgress(progress);
        const gfx::Bitmap b = g.render();
        for (int x = 0; x < 23; ++x)
            ASSERT_TRUE(b.pixel(x, 0) == clBlack && b.pixel(x, 10) == clBlack) << x;
        for (int y = 0; y < 11; ++y)
            ASSERT_TRUE(b.pixel(0, y) == clBlack && b.pixel(22, y) == clBlack) << y;
    }
}

INSTANTIATE_TEST_SUITE_P(All, TGaugeKinds,
    ::testing::Values(TGaugeKind::gkText, TGaugeKind::gkHorizontalBar, TGaugeKind::gkVerticalBar, TGaugeKind::gkPie,
        TGaugeKind::gkNeedle));

TEST(TGauge, OtherKindsDrawTheirShapes)
{
    TGauge g;   // 100 x 100, single border: paint rectangle (1, 1, 99, 99)
    g.setShowText(false);
    g.setForeColor(clNavy);
    g.setProgress(50);

    g.setKind(TGaugeKind::gkVerticalBar);
    gfx::Bitmap b = g.render();
    EXPECT_EQ(b.pixel(50, 49), clWhite);
    EXPECT_EQ(b.pixel(50, 50), clNavy);
    EXPECT_EQ(b.pixel(98, 98), clNavy);

    g.setKind(TGaugeKind::gkText);
    b = g.render();
    EXPECT_EQ(b.pixel(1, 1), clWhite);
    EXPECT_EQ(b.pixel(98, 98), clWhite);

    g.setKind(TGaugeKind::gkPie);
    g.setColor(clYellow);
    g.setProgress(25);   // the quarter from the right, counterclockwise to the top
    b = g.render();
    EXPECT_EQ(b.pixel(2, 2), clYellow);
    EXPECT_EQ(b.pixel(70, 30), clNavy);
    EXPECT_EQ(b.pixel(30, 30), clWhite);
    EXPECT_EQ(b.pixel(70, 70), clWhite);
    g.setProgress(100);
    b = g.render();
    EXPECT_EQ(b.pixel(30, 70), clNavy);
    EXPECT_EQ(b.pixel(70, 30), clNavy);
}

TEST(TGauge, EmptyGaugeRendersNothing)
{
    TGauge g;
    g.resize(0, 0);
    EXPECT_TRUE(g.render().isNull());
    g.resize(1, 1);
    EXPECT_EQ(g.render().pixel(0, 0), clBlack);
}
