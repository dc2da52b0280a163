// What a winning input does with a level's elements: a pole block the ball
// never comes near is decoration, not design.
#pragma once

#include <Spiel/sim/field.h>
#include <Spiel/sim/key_script.h>

#include <array>
#include <cstdint>
#include <vector>

namespace ferlan {

struct ReplayReport {
    // Per kind in the order of kElementKinds and per shown slot in slot order:
    // the ticks in which the ball touched the element's outer disc, or, for a
    // polariser, lay where it takes its polarity.
    std::array<std::vector<std::int64_t>, kKindCount> ticks;

    std::vector<std::int64_t>& ticksOf(ElementKind kind) { return ticks.at(kindIndex(kind)); }
    const std::vector<std::int64_t>& ticksOf(ElementKind kind) const {
        return ticks.at(kindIndex(kind));
    }
};

ReplayReport reportReplay(const GameModel& start, const std::vector<KeyStep>& steps);

}  // namespace ferlan
