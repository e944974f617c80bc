#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

namespace pvstim {

// How the control window's settings become the values of a run. Each rule lives
// here once; the rules, Start and the settings file all read it.

// Run length in minutes ("Время сеанса").
inline constexpr int kMinRunMinutes = 10;
inline constexpr int kMaxRunMinutes = 60;
inline constexpr int kDefaultRunMinutes = 27;

// Line interval, in tens of milliseconds.
inline constexpr int kMinLineInterval = 10;
inline constexpr int kMaxLineInterval = 1000;

// Intensity in per cent as the overlay's opacity 0..255. A typed value may lie
// outside 10..100 and is computed in 64 bits, then held to what the overlay takes.
constexpr int overlayAlpha(int intensityPercent)
{
    return int(std::clamp(static_cast<long long>(intensityPercent) * 255 / 100, 0LL, 255LL));
}

// Line interval as the text timer's interval in milliseconds, held to what a timer takes.
constexpr int textIntervalMs(int lineInterval)
{
    return int(std::clamp(static_cast<long long>(lineInterval) * 10, 0LL, static_cast<long long>(INT_MAX)));
}

}  // namespace pvstim
