// Speed arithmetic. Speeds are 16-bit; the charged balls have no speed limit,
// so a sum that would leave the 16-bit range stops at its end instead of
// overflowing.
#pragma once

#include "field.h"

#include <limits>

namespace ferlan {

inline constexpr Speed saturateSpeed(int value) {
    constexpr int lowest = std::numeric_limits<Speed>::min();
    constexpr int highest = std::numeric_limits<Speed>::max();
    return static_cast<Speed>(value < lowest ? lowest : (value > highest ? highest : value));
}

inline constexpr void addSpeed(Speed& speed, int delta) { speed = saturateSpeed(speed + delta); }

inline constexpr Speed negateSpeed(Speed speed) { return saturateSpeed(-static_cast<int>(speed)); }

}  // namespace ferlan
