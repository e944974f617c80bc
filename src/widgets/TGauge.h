#pragma once

#include "base/Color.h"
#include "framework/Control.h"
#include "framework/Font.h"
#include "gfx/Bitmap.h"
#include "gfx/Rect.h"

#include <QPoint>

#include <cstdint>

namespace pvstim {

namespace gfx { class Painter; }

enum class TGaugeKind : std::uint8_t { gkText = 0, gkHorizontalBar = 1, gkVerticalBar = 2, gkPie = 3, gkNeedle = 4 };
enum class TBorderStyle : std::uint8_t { bsNone = 0, bsSingle = 1 };

// A windowless gauge that shows Progress between MinValue and MaxValue as a whole
// percentage: a text, a horizontal or vertical bar, a pie or a needle on a half-dial.
// The picture is built off-screen in layers joined by exclusive or, so the
// percentage text always shows in the inverse of what lies beneath it.
class TGauge : public TGraphicControl {
public:
    explicit TGauge(QWidget* parent = nullptr);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    int Progress() const { return progress_; }
    TGaugeKind Kind() const { return kind_; }
    bool ShowText() const { return showText_; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    TColor ForeColor() const { return foreColor_; }
    TColor BackColor() const { return backColor_; }
    TColor Color() const { return color_; }
    const TFont& Font() const { return font_; }

    // Throws EInvalidOperation when the value would pass MaxValue (outside loading).
    void setMinValue(int value);
    // Throws EInvalidOperation when the value would fall below MinValue (outside loading).
    void setMaxValue(int value);
    // Held within MinValue..MaxValue; repaints only when the whole percentage changes.
    void setProgress(int value);
    void setKind(TGaugeKind kind);
    void setShowText(bool show);
    void setBorderStyle(TBorderStyle style);
    void setForeColor(TColor color);
    void setBackColor(TColor color);
    void setColor(TColor color);
    void setFont(const TFont& font);

    // While the owner applies its design data, MinValue and MaxValue are taken in
    // any order without the range test.
    void setLoading(bool loading) { loading_ = loading; }
    bool isLoading() const { return loading_; }

    // (Progress - MinValue) x 100 / (MaxValue - MinValue), truncated; 0 for an empty range.
    int Percentage() const;

    // The gauge's picture at its current size and values, as a paint shows it.
    gfx::Bitmap render() const;

    // How many times a property change repainted the gauge at once, and how many
    // paints ran; tests use them to see that nothing was repainted.
    int repaintCount() const { return repaintCount_; }
    int paintCount() const { return paintCount_; }

    // Pixels of a bar `pixels` long that `percentage` fills: exact, truncated.
    static int fillLength(int percentage, int pixels);
    // Where the needle of a gauge `gaugeWidth` wide, whose paint rectangle ends at
    // `bottom`, points at `percentage`; the line ends just before this pixel.
    static QPoint needleTip(int gaugeWidth, int bottom, int percentage);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void repaintNow();
    void drawKind(gfx::Painter& canvas, const gfx::Rect& paintRect) const;
    void drawBars(gfx::Painter& canvas, const gfx::Rect& paintRect) const;
    void drawPie(gfx::Painter& canvas, const gfx::Rect& paintRect) const;
    void drawNeedle(gfx::Painter& canvas, const gfx::Rect& paintRect) const;
    void drawTextLayer(gfx::Bitmap& work, const gfx::Rect& paintRect) const;

    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 0;
    TGaugeKind kind_ = TGaugeKind::gkHorizontalBar;
    bool showText_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    TColor foreColor_ = clBlack;
    TColor backColor_ = clWhite;
    TColor color_ = clBtnFace;
    TFont font_;
    bool loading_ = false;
    int repaintCount_ = 0;
    int paintCount_ = 0;
};

// The needle gauge of the control window: a half-dial of 89 x 41 pixels.
void configureNeedleGauge(TGauge& gauge);
// The progress strip of the stimulation window: a bar 4 pixels high; its owner
// keeps it along its top edge at full width.
void configureProgressStrip(TGauge& gauge);

}  // namespace pvstim
