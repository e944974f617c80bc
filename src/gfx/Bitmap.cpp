#include "gfx/Bitmap.h"

#include <algorithm>
#include <cassert>

namespace pvstim::gfx {

Pixel toPixel(TColor color)
{
    if (!isSystemColor(color))
        return kOpaque | (Pixel(color & 0xFF) << 16) | (Pixel(color) & 0xFF00) | ((Pixel(color) >> 16) & 0xFF);
    return kOpaque | (toQColor(color).rgb() & kRgbMask);
}

Bitmap::Bitmap(int width, int height)
{
    setSize(width, height);
}

Bitmap Bitmap::fromImage(const QImage& image)
{
    Bitmap result;
    if (!image.isNull())
        result.image_ = image.convertToFormat(QImage::Format_RGB32);
    return result;
}

void Bitmap::setSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (!image_.isNull() && width == image_.width() && height == image_.height())
        return;
    if (width == 0 || height == 0) {
        image_ = QImage();
        return;
    }
    image_ = QImage(width, height, QImage::Format_RGB32);
    image_.fill(kOpaque);
}

TColor Bitmap::pixel(int x, int y) const
{
    assert(x >= 0 && x < width() && y >= 0 && y < height());
    return toColor(scanLine(y)[x]);
}

void Bitmap::setPixel(int x, int y, TColor color)
{
    assert(x >= 0 && x < width() && y >= 0 && y < height());
    scanLine(y)[x] = toPixel(color);
}

Pixel* Bitmap::scanLine(int y)
{
    assert(y >= 0 && y < height());
    return reinterpret_cast<Pixel*>(image_.scanLine(y));
}

const Pixel* Bitmap::scanLine(int y) const
{
    assert(y >= 0 && y < height());
    return reinterpret_cast<const Pixel*>(image_.constScanLine(y));
}

}  // namespace pvstim::gfx
