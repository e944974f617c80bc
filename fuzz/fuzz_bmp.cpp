// Feeds arbitrary bytes to the BMP loader. Besides crashes and leaks it checks what
// callers rely on: a picture comes back only within the limits and as 32-bit pixels,
// and every refusal has the one text.
#include "gfx/BmpLoader.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace {

// Smaller than the program's limits so that one input stays well inside the fuzzer's
// memory and time budget; the code paths are the same, and the cost budgets are
// the program's own.
const pvstim::gfx::PictureLimits kLimits { 2048, 4LL * 1000 * 1000 };

}  // namespace

// ASan's default quarantine keeps up to 256 MB of freed blocks resident; a smaller
// one keeps long runs' memory to what the inputs take.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const pvstim::Result<QImage> result = pvstim::gfx::decodeBmp(buffer, kLimits);
    if (result) {
        const QImage& image = result.value();
        if (!kLimits.admits(image.width(), image.height())
            || (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32))
            __builtin_trap();
    } else if (result.error() != pvstim::gfx::bitmapNotValidText()) {
        __builtin_trap();
    }
    return 0;
}
