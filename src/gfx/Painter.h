#pragma once

#include "base/Color.h"
#include "gfx/Bitmap.h"
#include "gfx/Rect.h"

#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>

namespace pvstim::gfx {

class EllipseSpans;

// How a copied bitmap combines with the pixels beneath it.
enum class RasterOp {
    SrcCopy,     // the source replaces the destination
    SrcInvert,   // destination := destination XOR source
};

// Draws on a Bitmap the way the desktop's drawing layer does: rectangles exclude
// their right and bottom edges, shapes are outlined with a 1-pixel pen and filled
// with a solid brush, lines leave out their end point. Every shape is rasterised
// here with integer arithmetic and no smoothing, so the same call gives the same
// pixels on every machine. Everything is clipped to the bitmap.
class Painter {
public:
    explicit Painter(Bitmap& target);

    void setPen(TColor color) { pen_ = toPixel(color); }
    void setBrush(TColor color) { brush_ = toPixel(color); }

    // Paints the rectangle with the brush.
    void fillRect(const Rect& r);
    // Makes every pixel of the rectangle black, whatever the brush.
    void blacken(const Rect& r);
    // Copies the whole source with its top-left corner at (x, y).
    void drawBitmap(int x, int y, const Bitmap& source, RasterOp op);

    // The ellipse inscribed in the box, outlined with the pen and filled with the brush.
    void ellipse(const Rect& box);
    // The part of the box's ellipse between the ray from its centre through `start`
    // and the ray through `end`, taken counterclockwise (as seen on the screen) from
    // the first. Both radii and the arc are outlined with the pen, the inside filled
    // with the brush. Equal rays give the whole ellipse.
    void pie(const Rect& box, QPoint start, QPoint end);
    // A line in the pen's colour from `from` up to, but not including, `to`.
    void line(QPoint from, QPoint to);

    // Draws text with its character cell's top-left corner at (x, y), in one solid
    // colour without smoothing and without a background, clipped to `clip`.
    void textOut(int x, int y, const QString& text, const QFont& font, TColor color, const Rect& clip);
    // The width (advance) and the cell height of the text as textOut draws it; the
    // cell height is the font's ascent and descent, each rounded up to whole pixels.
    static QSize textExtent(const QFont& font, const QString& text);

private:
    class Sector;

    void drawShape(const EllipseSpans& spans, const Sector* sector);
    void drawRadius(const EllipseSpans& spans, std::int64_t dx, std::int64_t dy);

    Bitmap& target_;
    Pixel pen_ = kOpaque;
    Pixel brush_ = kOpaque | kRgbMask;
};

}  // namespace pvstim::gfx
