#include "gfx/Painter.h"

#include "framework/Font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

using namespace pvstim;
using namespace pvstim::gfx;

namespace {

constexpr TColor kPaper = 0x00102030;
constexpr TColor kPen = 0x000000C0;
constexpr TColor kBrush = 0x0000C000;

Bitmap paper(int w, int h)
{
    Bitmap b(w, h);
    Painter p(b);
    p.setBrush(kPaper);
    p.fillRect(b.rect());
    return b;
}

// Pixels that are no longer the paper colour.
std::set<std::pair<int, int>> marked(const Bitmap& b)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) != kPaper)
                out.insert({ x, y });
    return out;
}

Rect bounds(const std::set<std::pair<int, int>>& pixels)
{
    Rect r { 1 << 20, 1 << 20, -(1 << 20), -(1 << 20) };
    for (auto [x, y] : pixels)
        r = { std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1) };
    return r;
}

}  // namespace

TEST(GfxBitmap, ColoursKeepTheirChannelsThroughPixels)
{
    Bitmap b(2, 1);
    b.setPixel(0, 0, 0x00112233);
    b.setPixel(1, 0, clMaroon);
    EXPECT_EQ(b.pixel(0, 0), 0x00112233);
    // The stored layout is the one Qt reads: red 0x33, green 0x22, blue 0x11.
    EXPECT_EQ(b.image().pixel(0, 0), 0xFF332211u);
    EXPECT_EQ(b.image().pixel(1, 0), 0xFF800000u);
    EXPECT_EQ(Bitmap(3, 2).pixel(2, 1), clBlack);
}

TEST(GfxPainter, FillRectExcludesRightAndBottomAndClips)
{
    Bitmap b = paper(10, 6);
    Painter p(b);
    p.setBrush(kBrush);
    p.fillRect({ 2, 1, 5, 3 });
    p.fillRect({ 8, 4, 20, 20 });
    p.fillRect({ 4, 5, 3, 6 });   // right before left: empty
    EXPECT_EQ(bounds(marked(b)), (Rect { 2, 1, 10, 6 }));
    EXPECT_EQ(marked(b).size(), 3u * 2u + 2u * 2u);
    EXPECT_EQ(b.pixel(4, 2), kBrush);
    EXPECT_EQ(b.pixel(5, 2), kPaper);
    EXPECT_EQ(b.pixel(4, 3), kPaper);
}

TEST(GfxPainter, BlackenIgnoresTheBrush)
{
    Bitmap b = paper(4, 4);
    Painter p(b);
    p.setBrush(kBrush);
    p.blacken({ 1, 1, 3, 3 });
    EXPECT_EQ(b.pixel(1, 1), clBlack);
    EXPECT_EQ(b.pixel(2, 2), clBlack);
    EXPECT_EQ(b.pixel(3, 3), kPaper);
    EXPECT_EQ(marked(b).size(), 4u);
}

TEST(GfxPainter, CopyAndExclusiveOrWithOffsetAndClipping)
{
    Bitmap src(3, 2);
    src.setPixel(0, 0, 0x00FF00FF);
    src.setPixel(2, 1, clWhite);
    Bitmap dst = paper(4, 4);
    Painter p(dst);

    p.drawBitmap(2, 2, src, RasterOp::SrcInvert);   // the source's right column falls off
    EXPECT_EQ(dst.pixel(2, 2), kPaper ^ 0x00FF00FF);
    EXPECT_EQ(dst.pixel(3, 3), kPaper);             // XOR with black changes nothing
    EXPECT_EQ(dst.pixel(1, 1), kPaper);
    p.drawBitmap(2, 2, src, RasterOp::SrcInvert);   // a second XOR restores the picture
    EXPECT_TRUE(marked(dst).empty());

    p.drawBitmap(-1, 1, src, RasterOp::SrcCopy);
    EXPECT_EQ(dst.pixel(0, 1), clBlack);
    EXPECT_EQ(dst.pixel(1, 2), clWhite);
    EXPECT_EQ(dst.pixel(2, 1), kPaper);
    EXPECT_EQ(marked(dst).size(), 4u);
}

// Boxes for the ellipse: odd and even sizes, tiny ones, offsets, the needle face.
class GfxEllipse : public ::testing::TestWithParam<Rect> { };

TEST_P(GfxEllipse, FillsItsBoxExactlyAndSymmetrically)
{
    const Rect box = GetParam();
    Bitmap b = paper(100, 90);
    Painter p(b);
    p.setPen(kPen);
    p.setBrush(kBrush);
    p.ellipse(box);
    const auto pixels = marked(b);
    // Inscribed: touches all four edges of the box, never its right or bottom edge.
    EXPECT_EQ(bounds(pixels), box);
    for (auto [x, y] : pixels) {
        const int mx = box.left + box.right - 1 - x;
        const int my = box.top + box.bottom - 1 - y;
        ASSERT_TRUE(pixels.count({ mx, y }) && pixels.count({ x, my })) << x << "," << y;
        const bool edge = !pixels.count({ x - 1, y }) || !pixels.count({ x + 1, y })
            || !pixels.count({ x, y - 1 }) || !pixels.count({ x, y + 1 });
        ASSERT_EQ(b.pixel(x, y), edge ? kPen : kBrush) << x << "," << y;
    }
    // Each row is one run of pixels.
    for (int y = box.top; y < box.bottom; ++y) {
        int runs = 0;
        for (int x = box.left; x < box.right; ++x)
            runs += pixels.count({ x, y }) && !pixels.count({ x - 1, y });
        EXPECT_EQ(runs, 1) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, GfxEllipse,
    ::testing::Values(Rect { 0, 0, 1, 1 }, Rect { 3, 3, 5, 5 }, Rect { 0, 0, 5, 5 }, Rect { 10, 20, 19, 27 },
        Rect { 1, 1, 99, 89 }, Rect { 0, 0, 89, 81 }, Rect { 5, 2, 45, 12 }, Rect { 7, 7, 8, 30 }));

TEST(GfxPainter, SmallCircleHasItsRingAndCore)
{
    Bitmap b = paper(5, 5);
    Painter p(b);
    p.setPen(kPen);
    p.setBrush(kBrush);
    p.ellipse({ 0, 0, 5, 5 });
    const char* expected[] = { ".ppp.", "pbbbp", "pbbbp", "pbbbp", ".ppp." };
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const TColor want = expected[y][x] == 'p' ? kPen : expected[y][x] == 'b' ? kBrush : kPaper;
            EXPECT_EQ(b.pixel(x, y), want) << x << "," << y;
        }
}

TEST(GfxPainter, PieThroughOppositeRaysIsTheUpperHalfWithItsDiameter)
{
    const Rect box { 0, 0, 89, 81 };
    Bitmap whole = paper(95, 90);
    {
        Painter p(whole);
        p.setPen(kPen);
        p.setBrush(kBrush);
        p.ellipse(box);
    }
    Bitmap half = paper(95, 90);
    Painter p(half);
    p.setPen(kPen);
    p.setBrush(kBrush);
    p.pie(box, { 89, 40 }, { 0, 40 });

    std::set<std::pair<int, int>> upper;
    for (auto xy : marked(whole))
        if (xy.second <= 40)
            upper.insert(xy);
    EXPECT_EQ(marked(half), upper);
    for (int x = 0; x <= 88; ++x)
        EXPECT_EQ(half.pixel(x, 40), kPen) << x;
    EXPECT_EQ(half.pixel(89, 40), kPaper);
    EXPECT_EQ(half.pixel(44, 0), kPen);
    EXPECT_EQ(half.pixel(44, 20), kBrush);
}

TEST(GfxPainter, PieRunsCounterclockwiseFromTheFirstRay)
{
    const Rect box { 0, 0, 21, 21 };   // centre (10, 10)
    Bitmap quarter = paper(30, 30);
    {
        Painter p(quarter);
        p.setPen(kPen);
        p.setBrush(kBrush);
        p.pie(box, { 20, 10 }, { 10, 0 });   // right, then up: the upper right quarter
    }
    for (auto [x, y] : marked(quarter))
        ASSERT_TRUE(x >= 10 && y <= 10) << x << "," << y;
    EXPECT_EQ(quarter.pixel(15, 5), kBrush);
    EXPECT_EQ(quarter.pixel(10, 3), kPen);   // both radii are outlined
    EXPECT_EQ(quarter.pixel(17, 10), kPen);

    Bitmap rest = paper(30, 30);
    Painter p(rest);
    p.setPen(kPen);
    p.setBrush(kBrush);
    p.pie(box, { 10, 0 }, { 20, 10 });   // up, then round through left and down to right
    EXPECT_EQ(rest.pixel(5, 5), kBrush);
    EXPECT_EQ(rest.pixel(5, 15), kBrush);
    EXPECT_EQ(rest.pixel(15, 15), kBrush);
    EXPECT_EQ(rest.pixel(15, 5), kPaper);
    EXPECT_EQ(bounds(marked(rest)), box);
}

TEST(GfxPainter, PieWithOneRayIsTheWholeEllipseWithOneRadius)
{
    const Rect box { 2, 2, 33, 33 };   // centre (17, 17)
    Bitmap whole = paper(40, 40);
    {
        Painter p(whole);
        p.setPen(kPen);
        p.setBrush(kBrush);
        p.ellipse(box);
    }
    Bitmap pie = paper(40, 40);
    Painter p(pie);
    p.setPen(kPen);
    p.setBrush(kBrush);
    p.pie(box, { 17, 2 }, { 17, 2 });
    EXPECT_EQ(marked(pie), marked(whole));
    for (int y = 2; y <= 17; ++y)
        EXPECT_EQ(pie.pixel(17, y), kPen) << y;
    EXPECT_EQ(pie.pixel(17, 20), kBrush);
}

struct LineCase {
    int x0, y0, x1, y1;
};

class GfxLine : public ::testing::TestWithParam<LineCase> { };

TEST_P(GfxLine, StopsJustBeforeItsEndPoint)
{
    const LineCase c = GetParam();
    Bitmap b = paper(50, 50);
    Painter p(b);
    p.setPen(kPen);
    p.line({ c.x0, c.y0 }, { c.x1, c.y1 });
    const auto pixels = marked(b);
    const int dx = c.x1 - c.x0;
    const int dy = c.y1 - c.y0;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    EXPECT_EQ(pixels.size(), std::size_t(steps));
    EXPECT_FALSE(pixels.count({ c.x1, c.y1 }));
    if (steps > 0) {
        EXPECT_TRUE(pixels.count({ c.x0, c.y0 }));
    }
    for (auto [x, y] : pixels) {
        // Within half a pixel of the ideal line, measured across its major axis.
        const long long off = std::llabs(1LL * (x - c.x0) * dy - 1LL * (y - c.y0) * dx);
        ASSERT_LE(2 * off, steps) << x << "," << y;
        ASSERT_EQ(b.pixel(x, y), kPen);
    }
}

INSTANTIATE_TEST_SUITE_P(Directions, GfxLine,
    ::testing::Values(LineCase { 5, 5, 30, 5 }, LineCase { 30, 5, 5, 5 }, LineCase { 7, 40, 7, 3 },
        LineCase { 44, 40, 0, 39 }, LineCase { 44, 40, 13, 12 }, LineCase { 44, 40, 88 - 40, 0 },
        LineCase { 3, 3, 40, 40 }, LineCase { 40, 3, 3, 40 }, LineCase { 10, 10, 10, 10 },
        LineCase { 2, 30, 45, 17 }));

TEST(GfxPainter, LinesOutsideTheBitmapAreClipped)
{
    Bitmap b = paper(89, 41);
    Painter p(b);
    p.setPen(kPen);
    p.line({ 0, 41 }, { 89, 41 });
    p.line({ -20, -5 }, { -1, 30 });
    EXPECT_TRUE(marked(b).empty());
    p.line({ -10, 0 }, { 5, 0 });
    EXPECT_EQ(bounds(marked(b)), (Rect { 0, 0, 5, 1 }));
}

TEST(GfxPainter, TextIsSolidTransparentAndClipped)
{
    const QFont font = TFont {}.toQFont();
    const QSize extent = Painter::textExtent(font, QStringLiteral("88%"));
    EXPECT_EQ(extent.height(), 13);
    ASSERT_GT(extent.width(), 10);

    Bitmap full = paper(40, 20);
    Painter(full).textOut(2, 3, QStringLiteral("88%"), font, kPen, full.rect());
    const auto all = marked(full);
    ASSERT_FALSE(all.empty());
    for (auto [x, y] : all)
        ASSERT_EQ(full.pixel(x, y), kPen);   // no smoothed edges, no background
    const Rect ink = bounds(all);
    EXPECT_GE(ink.top, 3);
    EXPECT_LE(ink.bottom, 3 + 13);

    const Rect clip { 0, 0, 40, 9 };
    Bitmap cut = paper(40, 20);
    Painter(cut).textOut(2, 3, QStringLiteral("88%"), font, kPen, clip);
    std::set<std::pair<int, int>> expected;
    for (auto xy : all)
        if (clip.contains(xy.first, xy.second))
            expected.insert(xy);
    EXPECT_EQ(marked(cut), expected);
    EXPECT_LT(expected.size(), all.size());
}
