#pragma once

#include "gfx/Rect.h"

#include <cstdint>

namespace pvstim::gfx {

// The pixels of the ellipse inscribed in a box (right and bottom edges excluded):
// a pixel belongs to it when its centre lies inside or on the ellipse that touches
// the box's four edges. Everything is decided in integers, in coordinates doubled
// so that the centre of an even-sized box stays whole.
class EllipseSpans {
public:
    struct Span {
        int first = 0;
        int last = -1;   // inclusive; last < first means an empty row
        bool isEmpty() const { return last < first; }
        bool contains(int x) const { return x >= first && x <= last; }
    };

    explicit EllipseSpans(const Rect& box);

    const Rect& box() const { return box_; }
    // The run of pixels of row y; empty outside the box.
    Span row(int y) const;
    bool contains(int x, int y) const { return row(y).contains(x); }

    // Twice the offset of a pixel centre from the box centre, y pointing down.
    std::int64_t doubledX(int x) const { return 2 * std::int64_t(x) + 1 - sumX_; }
    std::int64_t doubledY(int y) const { return 2 * std::int64_t(y) + 1 - sumY_; }
    // Twice the semi-axes: the box's width and height.
    std::int64_t doubledA() const { return a_; }
    std::int64_t doubledB() const { return b_; }

private:
    Rect box_;
    std::int64_t a_;
    std::int64_t b_;
    std::int64_t sumX_;
    std::int64_t sumY_;
};

}  // namespace pvstim::gfx
