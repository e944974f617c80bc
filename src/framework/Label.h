#pragma once

#include "framework/Control.h"
#include "framework/Font.h"

#include <optional>

namespace pvstim {

enum class TextAlignment { Left, Center, Right };

// How a label that serves as a button answers the pointer: its font colour under
// the pointer, and how it looks while the left button holds it.
struct TLabelButtonLook {
    TColor restColor = clWindowText;
    TColor hotColor = clWindowText;
    unsigned hotStyle = 0;   // font style bits added under the pointer
    int pressShift = 0;      // pixels right and down while held
    QString pressedCaption;  // the caption while held; empty keeps the caption
};

// A text label painted on its parent window.
//  - AutoSize labels take the size of their caption, growing to the right.
//  - A transparent label paints only its text, so what lies beneath shows.
//  - WordWrap breaks the caption at the label's width; text below the label's
//    height is cut off.
//  - A disabled label is drawn greyed (embossed), whatever its font colour.
//  - A label given a button look lights up under the pointer, also while it is
//    disabled (it shows once enabled), and shifts while the left button holds it;
//    a label disabled while held still goes back on the release.
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
    void setButtonLook(const TLabelButtonLook& look);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void adjustSizeToCaption();
    void showHot(bool hot);
    void release();

    QString caption_;
    TFont font_;
    TColor color_ = clBtnFace;
    bool transparent_ = false;
    bool autoSize_ = true;
    TextAlignment alignment_ = TextAlignment::Left;
    bool wordWrap_ = false;
    std::optional<TLabelButtonLook> buttonLook_;
    bool held_ = false;
    QString restCaption_;
};

}  // namespace pvstim
