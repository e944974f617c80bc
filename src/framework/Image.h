#pragma once

#include "framework/Control.h"
#include "framework/Picture.h"

namespace pvstim {

// A picture control. How the picture is fitted into the control:
//  - AutoSize: the control takes the picture's size;
//  - Stretch: scaled to the control; with Proportional the aspect ratio is kept
//    and the picture is as large as fits (small pictures are enlarged);
//  - Proportional without Stretch: only pictures larger than the control shrink;
//  - Center: centred in the control, else drawn from its top-left corner;
//  - Transparent: a bitmap's pixels of its bottom-left pixel's colour are not drawn.
// Scaling is nearest-neighbour, so pixels stay crisp and the result is exact.
class TImage : public TGraphicControl {
public:
    explicit TImage(QWidget* parent, const QString& name = QString());
    // A control that sizes itself to a picture stored inside the program.
    static TImage* fromResource(QWidget* parent, const QString& name, QPoint place, const QString& resource,
        const QString& hint = {});

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }

    bool AutoSize = false;
    bool Stretch = false;
    bool Proportional = false;
    bool Center = false;
    bool Transparent = false;

    // Where the picture lands inside the control, in control pixels.
    QRect pictureRect() const;
    // The picture as it is drawn (scaled, with its transparent colour removed).
    const QImage& drawnImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void pictureChanged();

    QRect shownRect_;  // where the picture on show was drawn
    TPicture picture_;
    mutable QImage cache_;
    mutable quint64 cacheGeneration_ = ~0ull;
    mutable QSize cacheSize_;
    mutable bool cacheKeyed_ = false;
};

}  // namespace pvstim
