// The attraction discs: sizes, offsets and the colours that carry an element's
// real polarity. Index 0 is the outer (largest) disc, 2 the inner one.
#pragma once

#include "field.h"

#include <array>

namespace ferlan {

inline constexpr std::array<Colour, 3> kPlusDiscColours = {
    makeColour(255, 192, 192), makeColour(255, 128, 128), makeColour(255, 0, 0)};
inline constexpr std::array<Colour, 3> kMinusDiscColours = {
    makeColour(192, 255, 192), makeColour(128, 255, 128), makeColour(0, 255, 0)};

struct PoleDisc {
    Twips size;
    Twips dx;  // subtracted from the pole's inner face (x, or x + W for a left-wall pole)
    Twips dy;  // subtracted from the pole's top
};

inline constexpr std::array<PoleDisc, 3> kLargePoleDiscs = {
    PoleDisc{4575, 2280, 2040}, PoleDisc{3255, 1560, 1440}, PoleDisc{1575, 720, 600}};
inline constexpr std::array<PoleDisc, 3> kSmallPoleDiscs = {
    PoleDisc{3735, 1800, 1800}, PoleDisc{2535, 1200, 1200}, PoleDisc{1335, 600, 600}};

// The charged balls' discs are centred on the ball.
inline constexpr std::array<Twips, 3> kKugelDiscSizes = {4575, 3255, 1575};

// The rod a pole shows of its picture: 960 x 360 (large) or 720 x 240 (small).
inline constexpr Twips kLargeRodHeight = 360;
inline constexpr Twips kSmallRodHeight = 240;

}  // namespace ferlan
