#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QRegion>

#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace pvstim {

// The phase band on X11.
//
// Implemented features:
//  - the lit and blank pictures held in the X server as two pixmaps of the
//    window's depth (24 or 32 bits, 32 bits a pixel, the host's byte order),
//    uploaded once each time they change, in requests within the server's limit;
//  - showing a picture: one copy from its pixmap to the window for each rectangle
//    of the band, and one flush; the client paints nothing;
//  - an expose of the window repaints the band through the window, so that Qt never
//    flushes a band its backing store holds in the other phase.
// Not implemented: other depths and pixel formats, device pixel ratios other than 1
// (create() returns nullptr and the window repaints itself instead).
class X11PhaseBand : public QObject, public PhaseBand {
public:
    // Nullptr when the window is not an X11 window this band can draw on.
    static std::unique_ptr<X11PhaseBand> create(QWidget& window);
    ~X11PhaseBand() override;

    bool setPictures(const QRegion& band, const QImage& lit, const QImage& blank) override;
    bool show(Picture picture) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    X11PhaseBand(QWidget& window, xcb_connection_t* connection, std::uint8_t depth);
    void freePixmaps();
    bool upload(std::uint32_t pixmap, const QImage& image);

    QWidget& window_;
    xcb_connection_t* connection_;
    std::uint8_t depth_;
    std::uint32_t gc_ = 0;
    std::uint32_t pixmaps_[2] = { 0, 0 };  // lit, blank
    QSize size_;
    QRegion band_;
};

}  // namespace pvstim
