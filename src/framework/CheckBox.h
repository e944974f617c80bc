#pragma once

#include "base/Color.h"
#include "framework/Font.h"

#include <QCheckBox>

#include <functional>

namespace pvstim {

// A two-state check box with its caption on the left and the box at the right end.
// OnClick runs on every change of the checked state, whoever made it (a click,
// another handler, loading settings), nested to completion; setting the state it
// already has runs nothing. The whole control answers a click, not only the box and
// the caption's text.
class TCheckBox : public QCheckBox {
public:
    TCheckBox(QWidget* parent, const QString& name, const QString& caption);

    bool Enabled() const { return isEnabled(); }
    void setBounds(int left, int top, int w, int h) { setGeometry(left, top, w, h); }

    // Caption font and colour, and the opaque background behind caption and box.
    void setLook(const TFont& font, TColor background);
    const TFont& Font() const { return font_; }
    TColor Color() const { return background_; }

    // Where the box and the caption are drawn, in control pixels.
    QRect boxRect() const;
    QRect captionRect() const;

    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void nextCheckState() override;

private:
    TFont font_;
    TColor background_ = clBtnFace;
};

}  // namespace pvstim
