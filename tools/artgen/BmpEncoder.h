#pragma once

#include <QByteArray>
#include <QImage>

namespace artgen {

// Writes a picture as an uncompressed 24-bit device-independent bitmap file,
// bottom-up rows padded to four bytes. The header fields are fixed so the same
// picture always gives the same bytes.
class BmpEncoder {
public:
    static QByteArray encode(const QImage& image);
};

}  // namespace artgen
