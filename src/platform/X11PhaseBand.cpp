#include "platform/X11PhaseBand.h"

#include "platform/QtPlatform.h"
#include "platform/X11Connection.h"

#include <QEvent>
#include <QImage>
#include <QSysInfo>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

namespace pvstim {

std::unique_ptr<PhaseBand> QtPlatform::createPhaseBand(QWidget& window)
{
    return X11PhaseBand::create(window);
}

std::unique_ptr<X11PhaseBand> X11PhaseBand::create(QWidget& window)
{
    xcb_connection_t* connection = qtX11Connection();
    if (!connection || !window.windowHandle() || window.devicePixelRatioF() != 1.0)
        return nullptr;
    xcb_get_geometry_reply_t* geometry
        = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, xcb_window_t(window.winId())), nullptr);
    if (!geometry)
        return nullptr;
    const std::uint8_t depth = geometry->depth;
    std::free(geometry);
    // The pictures are Format_RGB32 images: 32 bits a pixel in the host's order.
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const bool hostOrder = setup->image_byte_order
        == (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? XCB_IMAGE_ORDER_LSB_FIRST : XCB_IMAGE_ORDER_MSB_FIRST);
    bool format = false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        format = format || (it.data->depth == depth && it.data->bits_per_pixel == 32 && it.data->scanline_pad == 32);
    if ((depth != 24 && depth != 32) || !hostOrder || !format)
        return nullptr;
    return std::unique_ptr<X11PhaseBand>(new X11PhaseBand(window, connection, depth));
}

X11PhaseBand::X11PhaseBand(QWidget& window, xcb_connection_t* connection, std::uint8_t depth)
    : window_(window)
    , connection_(connection)
    , depth_(depth)
{
    gc_ = xcb_generate_id(connection_);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(connection_, gc_, xcb_window_t(window_.winId()), XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    window_.windowHandle()->installEventFilter(this);
}

X11PhaseBand::~X11PhaseBand()
{
    if (QWindow* handle = window_.windowHandle())
        handle->removeEventFilter(this);
    freePixmaps();
    xcb_free_gc(connection_, gc_);
    xcb_flush(connection_);
}

void X11PhaseBand::freePixmaps()
{
    for (std::uint32_t& pixmap : pixmaps_) {
        if (pixmap)
            xcb_free_pixmap(connection_, pixmap);
        pixmap = 0;
    }
    size_ = QSize();
}

bool X11PhaseBand::setPictures(const QRegion& band, const QImage& lit, const QImage& blank)
{
    band_ = band;
    const QSize size = band.boundingRect().size();
    if (size.isEmpty())
        return true;
    if (lit.size() != size || blank.size() != size || lit.format() != QImage::Format_RGB32 || blank.format() != QImage::Format_RGB32)
        return false;
    if (size != size_) {
        freePixmaps();
        for (std::uint32_t& pixmap : pixmaps_) {
            pixmap = xcb_generate_id(connection_);
            xcb_create_pixmap(connection_, depth_, pixmap, xcb_window_t(window_.winId()), std::uint16_t(size.width()), std::uint16_t(size.height()));
        }
        size_ = size;
    }
    return upload(pixmaps_[0], lit) && upload(pixmaps_[1], blank);
}

bool X11PhaseBand::upload(std::uint32_t pixmap, const QImage& image)
{
    // Rows in as many requests as the server's request length needs.
    const std::size_t maxBytes = std::size_t(xcb_get_maximum_request_length(connection_)) * 4 - 64;
    const std::size_t rowBytes = std::size_t(image.width()) * 4;
    if (rowBytes > maxBytes || std::size_t(image.bytesPerLine()) != rowBytes)
        return false;
    const int rowsPerRequest = int(std::min<std::size_t>(maxBytes / rowBytes, std::size_t(image.height())));
    for (int y = 0; y < image.height(); y += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, image.height() - y);
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc_, std::uint16_t(image.width()), std::uint16_t(rows), 0,
            std::int16_t(y), 0, depth_, std::uint32_t(rowBytes * std::size_t(rows)), image.constScanLine(y));
    }
    return true;
}

bool X11PhaseBand::show(Picture picture)
{
    const std::uint32_t pixmap = pixmaps_[picture == Picture::Lit ? 0 : 1];
    if (band_.isEmpty())
        return true;
    if (!pixmap)
        return false;
    const QPoint origin = band_.boundingRect().topLeft();
    const auto window = xcb_window_t(window_.winId());
    for (const QRect& r : band_) {
        xcb_copy_area(connection_, pixmap, window, gc_, std::int16_t(r.x() - origin.x()), std::int16_t(r.y() - origin.y()),
            std::int16_t(r.x()), std::int16_t(r.y()), std::uint16_t(r.width()), std::uint16_t(r.height()));
    }
    xcb_flush(connection_);
    return true;
}

bool X11PhaseBand::eventFilter(QObject* watched, QEvent* event)
{
    // Before Qt flushes the exposed area from its backing store, which may hold the
    // band in the phase the screen showed before the last copies.
    if (watched == window_.windowHandle() && event->type() == QEvent::Expose && !band_.isEmpty())
        window_.update(band_);
    return false;
}

}  // namespace pvstim
