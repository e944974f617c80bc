#pragma once

#include <algorithm>

namespace pvstim::gfx {

// A rectangle as the drawing operations take it: left and top included, right and
// bottom excluded. A rectangle whose right is not past its left (or bottom past its
// top) is empty; nothing normalises it.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }

    Rect intersected(const Rect& o) const
    {
        return { std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom) };
    }

    bool operator==(const Rect&) const = default;
};

}  // namespace pvstim::gfx
