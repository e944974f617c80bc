#include "gfx/Painter.h"

#include "gfx/EllipseSpans.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace pvstim::gfx {

namespace {

using i128 = __int128;

// z of the cross product; positive when b lies counterclockwise of a (y pointing up).
i128 cross(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by)
{
    return i128(ax) * by - i128(ay) * bx;
}

i128 dot(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by)
{
    return i128(ax) * bx + i128(ay) * by;
}

// The character cell spans whole pixels: the font's ascent and descent are each
// rounded up, as the desktop sizes its text cells.
struct CellMetrics {
    int ascent;
    int height;
};

CellMetrics cellMetrics(const QFontMetricsF& metrics)
{
    const int ascent = static_cast<int>(std::ceil(metrics.ascent()));
    return { ascent, ascent + static_cast<int>(std::ceil(metrics.descent())) };
}

QFont glyphFont(const QFont& font)
{
    // Solid glyphs: a pixel is either covered or not, so inverting layers stays exact.
    QFont f(font);
    f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::NoAntialias));
    return f;
}

// Fills a run of pixels by doubling what is already written, so that the work is
// done by memcpy, which the C library vectorises.
void fillRun(Pixel* run, int count, Pixel value)
{
    if (count <= 0)
        return;
    run[0] = value;
    int done = 1;
    while (done < count) {
        const int chunk = std::min(done, count - done);
        std::memcpy(run + done, run, sizeof(Pixel) * std::size_t(chunk));
        done += chunk;
    }
}

// dst ^= src on the colour channels, two pixels per step.
void invertRun(Pixel* dst, const Pixel* src, int count)
{
    constexpr std::uint64_t mask = (std::uint64_t(kRgbMask) << 32) | kRgbMask;
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        std::uint64_t d;
        std::uint64_t s;
        std::memcpy(&d, dst + i, sizeof d);
        std::memcpy(&s, src + i, sizeof s);
        d ^= s & mask;
        std::memcpy(dst + i, &d, sizeof d);
    }
    if (i < count)
        dst[i] ^= src[i] & kRgbMask;
}

}  // namespace

// The rays of a pie and the angle between them, in doubled coordinates from the
// ellipse's centre with y pointing up.
class Painter::Sector {
public:
    // `reach` bounds the coordinates of the points that will be tested.
    Sector(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t reach)
        : x1_(x1), y1_(y1), x2_(x2), y2_(y2)
    {
        if (x1_ == 0 && y1_ == 0)
            x1_ = 1;
        if (x2_ == 0 && y2_ == 0)
            x2_ = 1;
        const i128 turn = cross(x1_, y1_, x2_, y2_);
        if (turn > 0)
            kind_ = Narrow;
        else if (turn < 0)
            kind_ = Wide;
        else
            kind_ = dot(x1_, y1_, x2_, y2_) > 0 ? Whole : Half;
        // Products of numbers below 2^30 fit 64 bits, which is much faster than 128.
        const std::int64_t limit = std::int64_t(1) << 30;
        small_ = std::max({ std::abs(x1_), std::abs(y1_), std::abs(x2_), std::abs(y2_), reach }) < limit;
    }

    bool contains(std::int64_t px, std::int64_t py) const
    {
        return small_ ? test<std::int64_t>(px, py) : test<i128>(px, py);
    }

    bool raysCoincide() const { return kind_ == Whole; }
    std::int64_t x1() const { return x1_; }
    std::int64_t y1() const { return y1_; }
    std::int64_t x2() const { return x2_; }
    std::int64_t y2() const { return y2_; }

private:
    enum Kind { Whole, Half, Narrow, Wide };

    template<typename T>
    static T turn(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by)
    {
        return T(ax) * T(by) - T(ay) * T(bx);
    }

    template<typename T>
    bool test(std::int64_t px, std::int64_t py) const
    {
        if (px == 0 && py == 0)
            return true;
        switch (kind_) {
        case Whole: return true;
        case Half: return turn<T>(x1_, y1_, px, py) >= 0;
        case Narrow: return turn<T>(x1_, y1_, px, py) >= 0 && turn<T>(px, py, x2_, y2_) >= 0;
        case Wide: return !(turn<T>(x2_, y2_, px, py) > 0 && turn<T>(px, py, x1_, y1_) > 0);
        }
        return false;
    }

    std::int64_t x1_, y1_, x2_, y2_;
    Kind kind_;
    bool small_;
};

Painter::Painter(Bitmap& target)
    : target_(target)
{
}

void Painter::fillRect(const Rect& r)
{
    const Rect area = r.intersected(target_.rect());
    if (area.isEmpty())
        return;
    Pixel* first = target_.scanLine(area.top) + area.left;
    fillRun(first, area.width(), brush_);
    for (int y = area.top + 1; y < area.bottom; ++y)
        std::memcpy(target_.scanLine(y) + area.left, first, sizeof(Pixel) * std::size_t(area.width()));
}

void Painter::blacken(const Rect& r)
{
    const Pixel saved = brush_;
    brush_ = kOpaque;
    fillRect(r);
    brush_ = saved;
}

void Painter::drawBitmap(int x, int y, const Bitmap& source, RasterOp op)
{
    const Rect area = Rect { x, y, x + source.width(), y + source.height() }.intersected(target_.rect());
    if (area.isEmpty())
        return;
    const int count = area.width();
    for (int ty = area.top; ty < area.bottom; ++ty) {
        Pixel* dst = target_.scanLine(ty) + area.left;
        const Pixel* src = source.scanLine(ty - y) + (area.left - x);
        if (op == RasterOp::SrcCopy)
            std::memcpy(dst, src, sizeof(Pixel) * std::size_t(count));
        else
            invertRun(dst, src, count);
    }
}

void Painter::ellipse(const Rect& box)
{
    drawShape(EllipseSpans(box), nullptr);
}

void Painter::pie(const Rect& box, QPoint start, QPoint end)
{
    const EllipseSpans spans(box);
    // Radial points are pixel positions, doubled like the pixel centres; y is turned
    // to point up so that positive turns are counterclockwise on the screen.
    const Sector sector(spans.doubledX(start.x()), -spans.doubledY(start.y()), spans.doubledX(end.x()),
        -spans.doubledY(end.y()), std::max(spans.doubledA(), spans.doubledB()));
    drawShape(spans, &sector);
    // The radii are drawn as lines so that a narrow pie still shows its edges.
    drawRadius(spans, sector.x1(), -sector.y1());
    if (!sector.raysCoincide())
        drawRadius(spans, sector.x2(), -sector.y2());
}

void Painter::drawShape(const EllipseSpans& spans, const Sector* sector)
{
    // Membership of every pixel of the box near the bitmap, with a margin of one so
    // that the outline test can look at the neighbours of the bitmap's edge pixels,
    // and a frame of empty cells around it so that the test needs no bounds checks.
    const Rect area = spans.box().intersected({ -1, -1, target_.width() + 1, target_.height() + 1 });
    if (area.isEmpty())
        return;
    const std::ptrdiff_t stride = area.width() + 2;
    std::vector<std::uint8_t> inside(std::size_t(stride) * std::size_t(area.height() + 2), 0);
    const auto cell = [&](int x, int y) {
        return inside.data() + (y - area.top + 1) * stride + (x - area.left + 1);
    };
    for (int y = area.top; y < area.bottom; ++y) {
        const EllipseSpans::Span span = spans.row(y);
        const int first = std::max(span.first, area.left);
        const int last = std::min(span.last, area.right - 1);
        if (first > last)
            continue;
        std::uint8_t* row = cell(first, y);
        if (!sector) {
            std::memset(row, 1, std::size_t(last - first + 1));
            continue;
        }
        const std::int64_t py = -spans.doubledY(y);
        for (int x = first; x <= last; ++x)
            row[x - first] = sector->contains(spans.doubledX(x), py);
    }
    const Rect drawn = area.intersected(target_.rect());
    for (int y = drawn.top; y < drawn.bottom; ++y) {
        Pixel* row = target_.scanLine(y);
        const std::uint8_t* in = cell(drawn.left, y);
        for (int x = drawn.left; x < drawn.right; ++x, ++in) {
            if (!*in)
                continue;
            const bool edge = !in[-1] || !in[1] || !in[-stride] || !in[stride];
            row[x] = edge ? pen_ : brush_;
        }
    }
}

void Painter::drawRadius(const EllipseSpans& spans, std::int64_t dx, std::int64_t dy)
{
    const Rect& box = spans.box();
    if (box.isEmpty())
        return;
    // Centre, doubled; an even-sized box has its centre between two pixels, and the
    // radius then starts on the pixel on the ray's side.
    const std::int64_t cx2 = std::int64_t(box.left) + box.right - 1;
    const std::int64_t cy2 = std::int64_t(box.top) + box.bottom - 1;
    const auto startOf = [](std::int64_t c2, std::int64_t d) {
        if ((c2 & 1) == 0)
            return c2 / 2;
        return (c2 + (d > 0 ? 1 : -1)) / 2;
    };
    const auto sx = startOf(cx2, dx);
    const auto sy = startOf(cy2, dy);
    // Where the ray leaves the ellipse (X/A)^2 + (Y/B)^2 = 1.
    const double a = double(spans.doubledA());
    const double b = double(spans.doubledB());
    const double fx = double(dx);
    const double fy = double(dy);
    const double t = a * b / std::sqrt(fx * fx * b * b + fy * fy * a * a);
    const auto ex = static_cast<std::int64_t>(std::floor((double(cx2) + t * fx) / 2.0 + 0.5));
    const auto ey = static_cast<std::int64_t>(std::floor((double(cy2) + t * fy) / 2.0 + 0.5));

    std::int64_t x = sx;
    std::int64_t y = sy;
    const std::int64_t ddx = std::abs(ex - sx);
    const std::int64_t ddy = -std::abs(ey - sy);
    const std::int64_t stepX = sx < ex ? 1 : -1;
    const std::int64_t stepY = sy < ey ? 1 : -1;
    std::int64_t err = ddx + ddy;
    const Rect bounds = target_.rect();
    for (;;) {
        if (bounds.contains(int(x), int(y)) && spans.contains(int(x), int(y)))
            target_.scanLine(int(y))[x] = pen_;
        if (x == ex && y == ey)
            break;
        const std::int64_t e2 = 2 * err;
        if (e2 >= ddy) {
            err += ddy;
            x += stepX;
        }
        if (e2 <= ddx) {
            err += ddx;
            y += stepY;
        }
    }
}

void Painter::line(QPoint from, QPoint to)
{
    std::int64_t x = from.x();
    std::int64_t y = from.y();
    const std::int64_t ex = to.x();
    const std::int64_t ey = to.y();
    const std::int64_t dx = std::abs(ex - x);
    const std::int64_t dy = -std::abs(ey - y);
    const std::int64_t stepX = x < ex ? 1 : -1;
    const std::int64_t stepY = y < ey ? 1 : -1;
    std::int64_t err = dx + dy;
    while (x != ex || y != ey) {
        if (x >= 0 && y >= 0 && x < target_.width() && y < target_.height())
            target_.scanLine(int(y))[x] = pen_;
        const std::int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            y += stepY;
        }
    }
}

QSize Painter::textExtent(const QFont& font, const QString& text)
{
    const QFont f = glyphFont(font);
    return { QFontMetrics(f).horizontalAdvance(text), cellMetrics(QFontMetricsF(f)).height };
}

void Painter::textOut(int x, int y, const QString& text, const QFont& font, TColor color, const Rect& clip)
{
    if (text.isEmpty())
        return;
    const QFont f = glyphFont(font);
    const QFontMetrics metrics(f);
    const CellMetrics cell = cellMetrics(QFontMetricsF(f));
    const int baseline = y + cell.ascent;
    // The glyphs' ink may reach past the character cell (overhangs, italics); the
    // mask covers both, with room to spare.
    const QRect ink = metrics.boundingRect(text).adjusted(-2, -2, 2, 2);
    const Rect cellRect { x, y, x + metrics.horizontalAdvance(text), y + cell.height };
    const Rect inkRect { x + ink.left(), baseline + ink.top(), x + ink.right() + 1, baseline + ink.bottom() + 1 };
    const Rect reach { std::min(cellRect.left, inkRect.left), std::min(cellRect.top, inkRect.top),
        std::max(cellRect.right, inkRect.right), std::max(cellRect.bottom, inkRect.bottom) };
    const Rect area = reach.intersected(clip).intersected(target_.rect());
    if (area.isEmpty())
        return;

    QImage mask(area.width(), area.height(), QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QPoint(x - area.left, baseline - area.top), text);
    }
    const Pixel ink32 = toPixel(color);
    for (int my = 0; my < mask.height(); ++my) {
        const auto* m = reinterpret_cast<const Pixel*>(mask.constScanLine(my));
        Pixel* row = target_.scanLine(area.top + my) + area.left;
        for (int mx = 0; mx < mask.width(); ++mx) {
            // Should the font engine smooth anyway, half coverage decides.
            if (((m[mx] >> 8) & 0xFF) >= 0x80)
                row[mx] = ink32;
        }
    }
}

}  // namespace pvstim::gfx
