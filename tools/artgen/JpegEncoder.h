#pragma once

#include <QByteArray>
#include <QImage>

namespace artgen {

// Compresses a picture with libjpeg using the exact integer transform, so the
// bytes depend only on the pixels and the quality.
class JpegEncoder {
public:
    explicit JpegEncoder(int quality) : quality_(quality) { }
    // Throws std::runtime_error when the library reports an error.
    QByteArray encode(const QImage& image) const;

private:
    int quality_;
};

}  // namespace artgen
