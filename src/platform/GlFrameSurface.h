#pragma once

#include "platform/Platform.h"

#include <QImage>
#include <QObject>
#include <QTimer>

#include <memory>

class QOpenGLContext;
class QOpenGLTextureBlitter;
class QWindow;

namespace pvstim {

// The frame surface on OpenGL.
//
// Implemented features:
//  - a native child window over the whole client area of its window, drawn with an
//    OpenGL context asking for a swap interval of 1;
//  - the lit and blank pictures held as two textures, so a frame is one textured
//    quad and a swap;
//  - a frame loop on the interface thread: draw, swap, report the swap's completion,
//    go on at once; when swaps return much faster than the reported refresh (no
//    working swap interval) the loop waits a third of a refresh instead of spinning.
// Not implemented: timestamps from the display itself (the swap's return is taken
// as the moment the frame reached the screen).
class GlFrameSurface : public QObject, public FrameSurface {
public:
    // Nullptr when no OpenGL context can be made.
    static std::unique_ptr<GlFrameSurface> create(QWidget& window);
    ~GlFrameSurface() override;

    void setPictures(const QImage& lit, const QImage& blank) override;
    void show(Picture picture) override { shown_ = picture; }
    void start() override;
    void stop() override;
    double reportedRefreshHz() const override;
    QString rendererName() const override { return renderer_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit GlFrameSurface(QWidget& window);
    bool init();
    void frame();
    void upload();

    QWidget& window_;
    QWindow* glWindow_ = nullptr;   // owned by the container
    QWidget* container_ = nullptr;  // child of window_
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLTextureBlitter> blitter_;
    unsigned textures_[2] = { 0, 0 };
    QImage pictures_[2];
    bool picturesChanged_ = false;
    Picture shown_ = Picture::Lit;
    bool running_ = false;
    QTimer next_;
    std::int64_t lastSwapNs_ = -1;
    QString renderer_;
};

}  // namespace pvstim
