// One tick of the game: the Timer event of Spieltimer.
#pragma once

#include "field.h"

#include <cstdint>

namespace ferlan {

// What a tick did that its caller may have to act on.
enum class TickOutcome : std::uint8_t {
    Nothing,
    // The alarm went on or off.
    AlarmChanged,
    // The ball is swallowed by the exit: the level is won. A won level keeps
    // the ball there and answers Won on every later tick.
    Won,
};

// Runs one step of play on the field; the window runs it on every timer
// event while a level is in play. What follows a win is the session's.
TickOutcome runTick(GameModel& model);

}  // namespace ferlan
