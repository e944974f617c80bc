#include "gfx/EllipseSpans.h"

#include <cmath>

namespace pvstim::gfx {

namespace {

using u128 = unsigned __int128;

std::uint64_t isqrt(std::uint64_t n)
{
    auto r = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(n)));
    while (r > 0 && u128(r) * r > n)
        --r;
    while (u128(r + 1) * (r + 1) <= n)
        ++r;
    return r;
}

}  // namespace

EllipseSpans::EllipseSpans(const Rect& box)
    : box_(box)
    , a_(std::int64_t(box.right) - box.left)
    , b_(std::int64_t(box.bottom) - box.top)
    , sumX_(std::int64_t(box.left) + box.right)
    , sumY_(std::int64_t(box.top) + box.bottom)
{
}

EllipseSpans::Span EllipseSpans::row(int y) const
{
    if (a_ <= 0 || b_ <= 0 || y < box_.top || y >= box_.bottom)
        return {};
    // A pixel centre (X, Y), doubled and taken from the centre, is inside when
    // X^2 B^2 + Y^2 A^2 <= A^2 B^2, that is X^2 <= A^2 (B^2 - Y^2) / B^2.
    const std::int64_t dy = doubledY(y);
    const u128 ady = u128(dy < 0 ? -dy : dy);
    const u128 a2 = u128(a_) * u128(a_);
    const u128 b2 = u128(b_) * u128(b_);
    const u128 room = b2 - ady * ady;
    const auto limit = static_cast<std::uint64_t>(a2 * room / b2);
    auto half = static_cast<std::int64_t>(isqrt(limit));
    // Doubled X of a pixel centre has the parity of A + 1.
    if (((half - (a_ + 1)) & 1) != 0)
        --half;
    if (half < 0)
        return {};
    return { static_cast<int>((sumX_ - 1 - half) / 2), static_cast<int>((sumX_ - 1 + half) / 2) };
}

}  // namespace pvstim::gfx
