#pragma once

#include "base/Result.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <optional>
#include <variant>

namespace pvstim::gfx {

// Loading picture files: BMP through Qt's image reader, JPEG through libjpeg.
// A file is read whole into memory (never mapped, so a file that changes while it
// is decoded cannot fault the program) after its size is checked. Both loaders
// check a picture's size and cost against the limits below on its header, before
// any pixel memory is allocated, and refuse truncated or corrupt files instead of
// showing part of a picture. They do not draw, scale for display or cache.

enum class PictureFormat { Bitmap, Jpeg };

// What decoding one picture may cost, checked before the cost is paid. Beyond the
// largest picture either loader accepts, two budgets follow from one observation:
// a small file that asks for a lot is hostile, not a picture. A file may declare a
// huge picture in a few bytes (a run-length bitmap that ends at once), or make the
// decoder pass over its whole picture once per scan, hundreds of times (a
// progressive JPEG of empty scans). So every picture is allowed a small amount of
// memory and work, and beyond it both must be paid for by the file's size, up to
// hard ceilings.
//
// - Memory: the file's bytes, the decoded pixels (4 bytes each, 5 for a bitmap with
//   a palette or runs, which is decoded to indexes first) and a JPEG decoder's
//   coefficient buffers (128 bytes a block for a file of several scans) may take
//   freeMemory plus memoryPerFileByte for each byte of the file. A JPEG picture's
//   rows are paid for as they are decoded, so data that ends early costs no more
//   than it decoded.
// - Work (JPEG): each scan costs the blocks it covers and the output one pass over
//   every block; the total may be freeBlocks plus blocksPerFileByte for each byte
//   of the file, and never more than maxBlocks.
// - Work (run-length BMP): a run fills at most 255 pixels from two bytes and the
//   codes that skip or end early fill none, so the data says little about the
//   pixels to be decoded. A picture over freeRunLengthPixels must carry a byte of
//   data for every runLengthPixelsPerDataByte pixels; a real encoder's output of a
//   screen-sized picture is always within the free amount.
// - Files over maxFileBytes are not read.
//
// The figures aim at every file under 1 MB within 100 ms and 100 MB, and every
// accepted file within 1 s, on a 2-core machine.
struct PictureLimits {
    int maxSide = 16384;
    qint64 maxPixels = 64LL * 1000 * 1000;
    qint64 maxFileBytes = 128LL << 20;
    qint64 freeMemory = 72LL << 20;
    qint64 memoryPerFileByte = 20;
    qint64 freeBlocks = 2LL * 1000 * 1000;
    qint64 blocksPerFileByte = 4;
    qint64 maxBlocks = 20LL * 1000 * 1000;
    qint64 freeRunLengthPixels = 2LL * 1000 * 1000;
    qint64 runLengthPixelsPerDataByte = 2;

    bool admits(qint64 width, qint64 height) const
    {
        return width > 0 && height > 0 && width <= maxSide && height <= maxSide
            && width * height <= maxPixels;
    }
    bool affordsMemory(qint64 bytes, qint64 fileBytes) const
    {
        return bytes <= freeMemory + memoryPerFileByte * fileBytes;
    }
    bool affordsRunLength(qint64 pixels, qint64 dataBytes) const
    {
        return pixels <= std::max(freeRunLengthPixels, runLengthPixelsPerDataByte * dataBytes);
    }
    // The most blocks a file of `fileBytes` may make the JPEG decoder visit.
    qint64 blockBudget(qint64 fileBytes) const
    {
        return std::min(maxBlocks, freeBlocks + blocksPerFileByte * fileBytes);
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

// Reads a picture file whole, once its size is known to be within
// limits.maxFileBytes; a larger file fails as NotValid with `tooLargeReason`, one
// that cannot be opened or read, or is no regular file (a named pipe, a device),
// as CannotOpen with the system's text. Opening it never waits.
[[nodiscard]] std::variant<QByteArray, LoadFailure> readPictureFile(const QString& path,
    const PictureLimits& limits, const QString& tooLargeReason);

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
