#pragma once

#include "framework/Control.h"
#include "framework/Font.h"

namespace pvstim {

enum class TextAlignment { Left, Center, Right };

// A text label painted on its parent window.
//  - AutoSize labels take the size of their caption, growing to the right.
//  - A transparent label paints only its text, so what lies beneath shows.
//  - WordWrap breaks the caption at the label's width; text below the label's
//    height is cut off.
//  - A disabled label is drawn greyed (embossed), whatever its font colour.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(QWidget* parent, const QString& name = QString());

    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
    const TFont& Font() const { return font_; }
    void setFont(const TFont& font);
    void setFontColor(TColor c);
    TColor Color() const { return color_; }
    void setColor(TColor c);
    bool Transparent() const { return transparent_; }
    void setTransparent(bool on);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    TextAlignment Alignment() const { return alignment_; }
    void setAlignment(TextAlignment a);
    bool WordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void adjustSizeToCaption();

    QString caption_;
    TFont font_;
    TColor color_ = clBtnFace;
    bool transparent_ = false;
    bool autoSize_ = true;
    TextAlignment alignment_ = TextAlignment::Left;
    bool wordWrap_ = false;
};

}  // namespace pvstim
