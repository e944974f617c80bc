#pragma once

#include "base/Color.h"
#include "gfx/Bitmap.h"

namespace pvstim {

// The colour MakeLike paints with. It stands for the desktop's window-frame colour
// but is fixed to black, so a gauge looks the same whatever the desktop theme.
constexpr TColor kBltWindowFrameColor = clBlack;

// An off-screen bitmap that takes another bitmap's size.
class TBltBitmap : public gfx::Bitmap {
public:
    // Takes the pattern's width and height and paints the whole bitmap in the
    // window-frame colour.
    void MakeLike(const gfx::Bitmap& pattern);
};

}  // namespace pvstim
