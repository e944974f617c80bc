#include "widgets/TBltBitmap.h"

#include "gfx/Painter.h"

namespace pvstim {

void TBltBitmap::MakeLike(const gfx::Bitmap& pattern)
{
    setSize(pattern.width(), pattern.height());
    gfx::Painter painter(*this);
    painter.setBrush(kBltWindowFrameColor);
    painter.fillRect(rect());
}

}  // namespace pvstim
