// A stand-in for a person at the keyboard: it plays a level through the game's
// own tick, but sees the ball only every few ticks, and what it decides reaches
// the keys late and not always at the same moment.
//
// Every `decide` ticks it looks at the field and picks the arrow keys to hold
// next. To pick them it plays the near future on a copy of the field: the keys
// it has already chosen but that have not arrived yet, then each candidate,
// then each follow-up. A decision reaches the keys `reaction` ticks later, give
// or take up to `jitter` ticks drawn from the attempt's seed; until then the
// previous keys stay held. The planning effort is a fixed number of simulated
// segments per decision, so a result is the same on every machine.
#pragma once

#include <Spiel/sim/field.h>
#include <Spiel/sim/rules.h>

#include <cstdint>
#include <vector>

namespace ferlan {

struct PlayerParams {
    int decide = 12;    // ticks between two looks at the field
    int reaction = 10;  // ticks from a decision to the keys
    int jitter = 2;     // the keys arrive up to this many ticks early or late
};

struct PlaytestOptions {
    PlayerParams player;
    int attempts = 20;
    std::uint64_t seed = 1;  // attempt n (0 based) plays with seed + n
};

enum class AttemptEnd {
    Won,
    // Held fast for 2 s of game time, caught by a pole or wedged between
    // elements, whatever the keys do: a person would press Enter.
    Caught,
    // 90 s of game time without reaching the exit.
    OutOfTime,
};

struct AttemptResult {
    std::uint64_t seed = 0;
    AttemptEnd end = AttemptEnd::OutOfTime;
    std::int64_t ticks = 0;  // the tick that ended the attempt
    Twips ballLeft = 0;      // where the ball was then
    Twips ballTop = 0;
    std::int64_t decisions = 0;
    std::int64_t statesSearched = 0;  // simulated segments, over all decisions
};

// The game time after which an attempt is given up, and the time a capture
// may last before the player restarts.
inline constexpr std::int64_t kAttemptTicks = std::int64_t{90} * kTicksPerSecond;
inline constexpr std::int64_t kCaughtTicks = std::int64_t{2} * kTicksPerSecond;

// Simulated segments per decision: the path up to the decision's effect, one
// segment per candidate, and one per candidate and follow-up.
std::int64_t statesPerDecision();

// `start` is a level freshly built for play (startBuiltinLevel or
// startLoadedLevel).
AttemptResult playAttempt(const GameModel& start, const PlayerParams& player, std::uint64_t seed);

std::vector<AttemptResult> playtest(const GameModel& start, const PlaytestOptions& options);

// A built-in level (1 to 30) is fair when the player model wins this share of
// its attempts, in percent. It falls with the level's place in the set, as a
// difficulty curve should: 80 for levels 1 to 10, 65 for 11 to 20, 50 after.
int fairWinPercent(int level);
// The wins of `attempts` that share asks for, rounded up: 16, 13 or 10 of 20.
int fairWins(int level, int attempts);

}  // namespace ferlan
