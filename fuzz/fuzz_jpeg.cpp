// Feeds arbitrary bytes to the JPEG loader, at full size and at a target size taken
// from the input's length. Besides crashes and leaks it checks what callers rely on:
// a picture comes back only within the limits, as 32-bit opaque pixels, and a
// refusal always has a text.
#include "gfx/JpegLoader.h"

#include <cstddef>
#include <cstdint>

namespace {

// Smaller than the program's limits so that one input stays well inside the fuzzer's
// memory and time budget; the code paths are the same, and the cost budgets are
// the program's own.
const pvstim::gfx::PictureLimits kLimits { 2048, 4LL * 1000 * 1000 };

void check(const pvstim::Result<QImage>& result)
{
    if (!result) {
        if (result.error().isEmpty())
            __builtin_trap();
        return;
    }
    const QImage& image = result.value();
    if (!kLimits.admits(image.width(), image.height()) || image.format() != QImage::Format_RGB32)
        __builtin_trap();
}

}  // namespace

// ASan's default quarantine keeps up to 256 MB of freed blocks resident; a smaller
// one keeps long runs' memory to what the inputs take.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const pvstim::Result<QImage> full = pvstim::gfx::decodeJpeg(data, size, QSize(), kLimits);
    check(full);
    const QSize target(int(size % 61) + 1, int(size % 53) + 1);
    const pvstim::Result<QImage> scaled = pvstim::gfx::decodeJpeg(data, size, target, kLimits);
    check(scaled);
    // The same data decodes or fails the same way at any scale.
    if (full.ok() != scaled.ok())
        __builtin_trap();
    return 0;
}
