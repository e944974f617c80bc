#pragma once

#include "base/Color.h"
#include "gfx/Rect.h"

#include <QImage>

#include <cstdint>

namespace pvstim::gfx {

// One pixel as a bitmap stores it: 0xFFRRGGBB, the layout of QImage::Format_RGB32.
// The top byte is always 0xFF so the image can be handed to Qt as it is.
using Pixel = std::uint32_t;

constexpr Pixel kOpaque = 0xFF000000u;
constexpr Pixel kRgbMask = 0x00FFFFFFu;

// The pixel that shows a colour; system colours are resolved through the desktop palette.
Pixel toPixel(TColor color);
constexpr TColor toColor(Pixel p)
{
    return TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

// A 32-bit off-screen bitmap. Copies share their pixels until one of them is written.
class Bitmap {
public:
    Bitmap() = default;
    // A bitmap of the given size, all black. Negative sizes count as 0.
    Bitmap(int width, int height);
    // The picture converted to this bitmap's pixel format.
    static Bitmap fromImage(const QImage& image);

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    bool isNull() const { return image_.isNull(); }
    Rect rect() const { return { 0, 0, width(), height() }; }

    // Changes the size; after a change every pixel is black. The same size keeps the pixels.
    void setSize(int width, int height);

    TColor pixel(int x, int y) const;
    void setPixel(int x, int y, TColor color);

    // Raw rows for the drawing code; y must lie inside the bitmap.
    Pixel* scanLine(int y);
    const Pixel* scanLine(int y) const;

    const QImage& image() const { return image_; }

private:
    QImage image_;
};

}  // namespace pvstim::gfx
