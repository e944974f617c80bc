#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pvstim {

// The rhythm presets, in the order of their buttons on the control window.
enum class Rhythm : std::uint8_t { LowBeta, HighAlpha, LowAlpha, Theta, Delta };

inline constexpr std::size_t kRhythmCount = 5;

inline constexpr std::array<Rhythm, kRhythmCount> kAllRhythms { Rhythm::LowBeta, Rhythm::HighAlpha, Rhythm::LowAlpha,
    Rhythm::Theta, Rhythm::Delta };

constexpr std::size_t indexOf(Rhythm rhythm) { return static_cast<std::size_t>(rhythm); }

}  // namespace pvstim
