#pragma once

#include "base/Result.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace pvstim::gfx {

// Loading picture files: BMP through Qt's image reader, JPEG through libjpeg.
// Both loaders check a picture's size against hard limits on its header, before
// any pixel memory is allocated, and refuse truncated or corrupt files instead of
// showing part of a picture. They do not draw, scale for display or cache.

enum class PictureFormat { Bitmap, Jpeg };

// The largest picture either loader accepts.
struct PictureLimits {
    int maxSide = 16384;
    qint64 maxPixels = 64LL * 1000 * 1000;

    bool admits(qint64 width, qint64 height) const
    {
        return width > 0 && height > 0 && width <= maxSide && height <= maxSide
            && width * height <= maxPixels;
    }
};

// Picks the format from the file's extension (".bmp" -> Bitmap, ".jpg"/".jpeg" -> Jpeg,
// without regard to case); nothing for any other extension.
std::optional<PictureFormat> formatFromExtension(const QString& path);

struct LoadFailure {
    enum Kind {
        CannotOpen,  // the file could not be opened; reason is the system's error text
        NotValid,    // the file is not a valid picture of its kind; reason says why
    };
    Kind kind;
    QString reason;
};

// A loader's outcome: the image (value()), or the reason there is none (error())
// together with its kind. It is a Result<QImage>, so callers that only need the
// text may keep it as one.
class [[nodiscard]] PictureLoadResult : public Result<QImage> {
public:
    PictureLoadResult(QImage image) : Result<QImage>(std::move(image)) { }
    PictureLoadResult(LoadFailure failure)
        : Result<QImage>(Result<QImage>::failure(failure.reason)), kind_(failure.kind) { }
    // A decoder's outcome: it fails only on contents that are not valid.
    explicit PictureLoadResult(Result<QImage> decoded) : Result<QImage>(std::move(decoded)) { }

    // Meaningful only when !ok().
    LoadFailure::Kind failureKind() const { return kind_; }
    bool isOpenFailure() const { return !ok() && kind_ == LoadFailure::CannotOpen; }

private:
    LoadFailure::Kind kind_ = LoadFailure::NotValid;
};

// A BMP file at full size, Format_RGB32 (Format_ARGB32 when the file has an alpha
// channel). Every refusal of the file's contents reads "Bitmap image is not valid".
[[nodiscard]] PictureLoadResult loadBmp(const QString& path, const PictureLimits& limits = {});

// A JPEG file as Format_RGB32, decoded at the smallest DCT scale (1/8 ... 8/8) whose
// size still covers `target` once the picture is fitted into it with its aspect ratio
// kept; at full size when `target` is empty (0 x 0). A refusal carries the JPEG
// library's own text, or "JPEG image is too large" for a picture over the limits.
[[nodiscard]] PictureLoadResult loadJpeg(const QString& path, QSize target = {},
    const PictureLimits& limits = {});

// What a picture control calls: picks the loader by the file's extension (`target`
// matters only for JPEG). The failure text is ready for the user: for a file that
// cannot be opened it reads "Cannot open file "<path>". <system text>", and
// failureKind() still tells the two kinds of failure apart.
[[nodiscard]] PictureLoadResult loadPicture(const QString& path, QSize target = {},
    const PictureLimits& limits = {});

}  // namespace pvstim::gfx
