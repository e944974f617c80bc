#pragma once

#include "gfx/PictureLoader.h"

#include <cstddef>

namespace pvstim::gfx {

// The size libjpeg gives a picture of size `full` decoded at the DCT scale eighths/8
// (1..8): each side is rounded up.
QSize jpegScaledSize(QSize full, int eighths);

// The smallest DCT scale, in eighths, at which a picture of size `full` still covers
// the picture it becomes when fitted into `target` with its aspect ratio kept; 8 when
// `target` is empty or larger than the picture.
int jpegScaleFor(QSize full, QSize target);

// Decodes JPEG data held in memory, as loadJpeg() does a file. A picture whose
// output and buffers would take more memory than `limits` allow for data of this
// size is refused as too large before anything is allocated for it; a file with more
// scans than any real encoder writes, or whose scans together would make the
// decoder visit more blocks than its size pays for, is refused once the scan that
// goes over starts. libjpeg's working memory is capped by `limits` too.
[[nodiscard]] Result<QImage> decodeJpeg(const unsigned char* data, std::size_t size,
    QSize target = {}, const PictureLimits& limits = {});

}  // namespace pvstim::gfx
