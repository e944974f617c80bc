#include "widgets/TGauge.h"

#include "framework/Exceptions.h"
#include "gfx/Painter.h"
#include "widgets/TBltBitmap.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace pvstim {

namespace {

// The nearest integer, a tie going to the even one.
int nearest(double v)
{
    const double r = std::nearbyint(v);
    if (!(r >= double(INT_MIN)))
        return INT_MIN;
    if (r > double(INT_MAX))
        return INT_MAX;
    return static_cast<int>(r);
}

// 32-bit sums that wrap instead of overflowing, for the bounds quoted in range errors.
int wrappingAdd(int a, int b)
{
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

EInvalidOperation rangeError(int low, int high)
{
    return EInvalidOperation(QString::asprintf("Value must be between %d and %d", low, high));
}

}  // namespace

TGauge::TGauge(QWidget* parent)
    : TGraphicControl(parent)
{
    // The gauge covers its whole rectangle, so the parent need not erase beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
}

int TGauge::Percentage() const
{
    // Differences in 64 bits: a range wider than 2^31 still gives 0..100.
    const std::int64_t range = std::int64_t(maxValue_) - minValue_;
    if (range == 0)
        return 0;
    const std::int64_t done = (std::int64_t(progress_) - minValue_) * 100 / range;
    return static_cast<int>(std::clamp<std::int64_t>(done, INT_MIN, INT_MAX));
}

int TGauge::fillLength(int percentage, int pixels)
{
    const std::int64_t length = std::int64_t(pixels) * percentage / 100;
    return static_cast<int>(std::clamp<std::int64_t>(length, INT_MIN, INT_MAX));
}

QPoint TGauge::needleTip(int gaugeWidth, int bottom, int percentage)
{
    const int mx = gaugeWidth / 2;
    const double angle = std::numbers::pi * percentage / 100;
    return { nearest(mx * (1 - std::cos(angle))), nearest((bottom - 1) * (1 - std::sin(angle))) };
}

void TGauge::setProgress(int value)
{
    const int before = Percentage();
    if (value < minValue_)
        value = minValue_;
    else if (value > maxValue_)
        value = maxValue_;
    if (value == progress_)
        return;
    progress_ = value;
    if (Percentage() != before)
        repaintNow();
}

void TGauge::setMinValue(int value)
{
    if (value == minValue_)
        return;
    if (value > maxValue_ && !loading_)
        throw rangeError(-2147483647, wrappingAdd(maxValue_, -1));
    minValue_ = value;
    if (progress_ < value)
        progress_ = value;
    repaintNow();
}

void TGauge::setMaxValue(int value)
{
    if (value == maxValue_)
        return;
    if (value < minValue_ && !loading_)
        throw rangeError(wrappingAdd(minValue_, 1), 2147483647);
    maxValue_ = value;
    if (progress_ > value)
        progress_ = value;
    repaintNow();
}

void TGauge::setKind(TGaugeKind kind)
{
    if (kind == kind_)
        return;
    kind_ = kind;
    repaintNow();
}

void TGauge::setShowText(bool show)
{
    if (show == showText_)
        return;
    showText_ = show;
    repaintNow();
}

void TGauge::setBorderStyle(TBorderStyle style)
{
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    repaintNow();
}

void TGauge::setForeColor(TColor color)
{
    if (color == foreColor_)
        return;
    foreColor_ = color;
    repaintNow();
}

void TGauge::setBackColor(TColor color)
{
    if (color == backColor_)
        return;
    backColor_ = color;
    repaintNow();
}

void TGauge::setColor(TColor color)
{
    // Colour and font are the control's common properties: like every control's,
    // a change schedules a paint rather than painting at once.
    if (color == color_)
        return;
    color_ = color;
    update();
}

void TGauge::setFont(const TFont& font)
{
    if (font == font_)
        return;
    font_ = font;
    update();
}

void TGauge::repaintNow()
{
    if (!Visible() || !parentWidget())
        return;
    ++repaintCount_;
    repaint();
}

void TGauge::paintEvent(QPaintEvent*)
{
    ++paintCount_;
    QPainter painter(this);
    painter.drawImage(0, 0, render().image());
}

gfx::Bitmap TGauge::render() const
{
    gfx::Bitmap work(Width(), Height());
    gfx::Painter canvas(work);
    canvas.blacken(work.rect());

    gfx::Rect paintRect = work.rect();
    if (borderStyle_ == TBorderStyle::bsSingle)
        paintRect = { paintRect.left + 1, paintRect.top + 1, paintRect.right - 1, paintRect.bottom - 1 };

    TBltBitmap overlay;
    overlay.MakeLike(work);
    gfx::Painter overlayCanvas(overlay);
    overlayCanvas.blacken(overlay.rect());
    drawKind(overlayCanvas, paintRect);

    // The work image is black, so this leaves it equal to the overlay; what lies
    // outside the paint rectangle stays black and makes the single border.
    canvas.drawBitmap(0, 0, overlay, gfx::RasterOp::SrcInvert);
    if (showText_)
        drawTextLayer(work, paintRect);
    return work;
}

void TGauge::drawKind(gfx::Painter& canvas, const gfx::Rect& paintRect) const
{
    switch (kind_) {
    case TGaugeKind::gkText:
        canvas.setBrush(backColor_);
        canvas.fillRect(paintRect);
        break;
    case TGaugeKind::gkHorizontalBar:
    case TGaugeKind::gkVerticalBar:
        drawBars(canvas, paintRect);
        break;
    case TGaugeKind::gkPie:
        drawPie(canvas, paintRect);
        break;
    case TGaugeKind::gkNeedle:
        drawNeedle(canvas, paintRect);
        break;
    }
}

void TGauge::drawBars(gfx::Painter& canvas, const gfx::Rect& paintRect) const
{
    const int l = paintRect.left;
    const int t = paintRect.top;
    // The bar's far edges are absolute coordinates one past the paint rectangle's
    // size, not offsets from its corner.
    const int w = paintRect.right - l + 1;
    const int h = paintRect.bottom - t + 1;
    canvas.setBrush(backColor_);
    canvas.fillRect(paintRect);
    canvas.setPen(foreColor_);
    canvas.setBrush(foreColor_);
    if (kind_ == TGaugeKind::gkHorizontalBar) {
        const int fill = std::min(fillLength(Percentage(), w), w);
        if (fill > 0)
            canvas.fillRect({ l, t, fill, h });
    } else {
        int fill = fillLength(Percentage(), h);
        if (fill >= h)
            fill = h - 1;
        canvas.fillRect({ l, h - fill, w, h });
    }
}

void TGauge::drawPie(gfx::Painter& canvas, const gfx::Rect& paintRect) const
{
    const int extra = borderStyle_ == TBorderStyle::bsSingle ? 1 : 0;
    const int l = paintRect.left;
    const int t = paintRect.top;
    const int w = paintRect.right - l + extra;
    const int h = paintRect.bottom - t + extra;
    canvas.setBrush(color_);
    canvas.fillRect(paintRect);
    canvas.setBrush(backColor_);
    canvas.setPen(foreColor_);
    const gfx::Rect box { l, t, w, h };
    canvas.ellipse(box);
    const int percentage = Percentage();
    if (percentage > 0) {
        canvas.setBrush(foreColor_);
        const int mx = w / 2;
        const int my = h / 2;
        const double angle = std::numbers::pi * (percentage / 50.0 + 0.5);
        canvas.pie(box, { nearest(mx * (1 - std::cos(angle))), nearest(my * (1 - std::sin(angle))) }, { mx, 0 });
    }
}

void TGauge::drawNeedle(gfx::Painter& canvas, const gfx::Rect& paintRect) const
{
    const int extra = borderStyle_ == TBorderStyle::bsSingle ? 1 : 0;
    const int x = paintRect.left;
    const int y = paintRect.top;
    const int w = paintRect.right - x + extra;
    const int h = paintRect.bottom - y + extra;
    const int b = paintRect.bottom;
    canvas.setBrush(color_);
    canvas.fillRect(paintRect);
    canvas.setBrush(backColor_);
    canvas.setPen(foreColor_);
    // The face is the upper half of an ellipse twice as tall as the gauge, so the
    // bottom edge of the gauge runs through its centre.
    canvas.pie({ x, y, w, 2 * h - 1 }, { x + w, b - 1 }, { x, b - 1 });
    canvas.line({ x, b }, { x + w, b });
    const int percentage = Percentage();
    if (percentage > 0)
        canvas.line({ Width() / 2, b - 1 }, needleTip(Width(), b, percentage));
}

void TGauge::drawTextLayer(gfx::Bitmap& work, const gfx::Rect& paintRect) const
{
    const QString text = QString::asprintf("%d%%", Percentage());
    TBltBitmap layer;
    layer.MakeLike(work);
    gfx::Painter layerCanvas(layer);
    layerCanvas.blacken(layer.rect());
    // The text is white on black, whatever the font's own colour, so joining the
    // layer by exclusive or inverts exactly the pixels under the glyphs.
    const QFont font = font_.toQFont();
    const QSize extent = gfx::Painter::textExtent(font, text);
    const int x = (paintRect.right - paintRect.left + 1 - extent.width()) / 2;
    const int y = (paintRect.bottom - paintRect.top + 1 - extent.height()) / 2;
    layerCanvas.textOut(x, y, text, font, clWhite, paintRect);
    gfx::Painter(work).drawBitmap(0, 0, layer, gfx::RasterOp::SrcInvert);
}

void configureNeedleGauge(TGauge& gauge)
{
    const bool wasLoading = gauge.isLoading();
    gauge.setLoading(true);
    gauge.resize(89, 41);
    gauge.setKind(TGaugeKind::gkNeedle);
    gauge.setBorderStyle(TBorderStyle::bsNone);
    gauge.setColor(0x00EBEAE7);
    gauge.setBackColor(clMoneyGreen);
    gauge.setForeColor(clBlack);
    TFont font;
    font.setName(QStringLiteral("MS Sans Serif"));
    font.size = 8;
    gauge.setFont(font);
    gauge.setProgress(100);
    gauge.setLoading(wasLoading);
}

void configureProgressStrip(TGauge& gauge)
{
    const bool wasLoading = gauge.isLoading();
    gauge.setLoading(true);
    gauge.setHeight(4);
    gauge.setKind(TGaugeKind::gkHorizontalBar);
    gauge.setBorderStyle(TBorderStyle::bsSingle);
    gauge.setForeColor(clMaroon);
    TFont font;
    font.setName(QStringLiteral("MS Sans Serif"));
    font.size = 8;
    font.color = clMaroon;
    gauge.setFont(font);
    gauge.setProgress(100);
    gauge.setLoading(wasLoading);
}

}  // namespace pvstim
