#pragma once

#include "gfx/PictureLoader.h"

class QIODevice;

namespace pvstim::gfx {

// The refusal text of every BMP that cannot be shown.
QString bitmapNotValidText();

// Decodes the BMP file that `device` holds from its current position to its end. The
// device must be open and random-access (a file or a buffer). The file's own header
// is read first and checked: the picture and what decoding it costs must lie
// within `limits`, and an uncompressed picture's rows must all be in the file. Only then does Qt's reader
// decode it, so a header that lies about its size costs no pixel memory.
[[nodiscard]] Result<QImage> decodeBmp(QIODevice& device, const PictureLimits& limits = {});

}  // namespace pvstim::gfx
