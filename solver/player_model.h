// A stand-in for a person at the keyboard: it plays a level through the game's
// own tick, but sees the ball only every few ticks and not exactly where it
// is, knows the elements' places only roughly, and what it decides reaches the
// keys late and not always at the same moment.
//
// Every `decide` ticks it looks at the field and picks the arrow keys to hold
// next. To pick them it plays the near future on a copy of the field: the keys
// it has already chosen but that have not arrived yet, then each candidate,
// then each follow-up. A decision reaches the keys `reaction` ticks later, give
// or take up to `jitter` ticks drawn from the attempt's seed; until then the
// previous keys stay held. It plans on what it believes (sight.h); its keys
// act on the real game. The planning effort is a fixed number of simulated
// segments per decision, so a result is the same on every machine.
#pragma once

#include <Spiel/sim/field.h>
#include <Spiel/sim/rules.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace ferlan {

// The average player; see playerParams for the others.
struct PlayerParams {
    int decide = 12;    // ticks between two looks at the field
    int reaction = 12;  // ticks from a decision to the keys
    int jitter = 3;     // the keys arrive up to this many ticks early or late
    // The spread (standard deviation) of the error in where the player sees
    // the ball, in twips, drawn afresh at every look.
    int sightError = 40;
    // The ball's speed is judged from the looks, smoothed over about this
    // many of them; 0 means the player knows it exactly.
    int speedLooks = 2;
    // Every element's place is believed off by up to this many twips across
    // and up, drawn once for the attempt.
    int placeError = 60;
};

// A player who sees the field exactly: for comparison with a person.
PlayerParams withExactSight(PlayerParams player);

// The ladder of players the built-in set is tuned for.
enum class PlayerKind { Novice, Average, Skilled };
inline constexpr PlayerKind kPlayerKinds[] = {PlayerKind::Novice, PlayerKind::Average,
                                              PlayerKind::Skilled};
PlayerParams playerParams(PlayerKind kind);

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

// How many attempts a playtest makes unless told otherwise.
inline constexpr int kPlaytestAttempts = 20;

using PlaytestProgress = std::function<void(int attempt, const AttemptResult& soFar)>;

struct PlaytestOptions {
    PlayerParams player;
    int attempts = kPlaytestAttempts;
    std::uint64_t seed = 1;  // attempt n (0 based) plays with seed + n
    // Once set, the attempts end at the next look; the results are then of no use.
    const std::atomic<bool>* stop = nullptr;
    // Called on the playing thread at every look, before the player decides,
    // with the attempt (0 based) and what it has done so far; a stop set here
    // ends the attempt at once. It should return at once.
    PlaytestProgress progress;
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

// How many of the attempts were won.
int winsOf(const std::vector<AttemptResult>& attempts);

// The wins of `attempts` a built-in level (1 to 30) asks of a player for its
// place in the set. The share a player must win falls with the place, as a
// difficulty curve should, and the last ten levels are a challenge the novice
// mostly loses; the classic levels 1 and 3 are won by everyone.
struct WinBand {
    int atLeast = 0;
    int atMost = 0;
};
WinBand fairWins(int level, PlayerKind player, int attempts);

// No cliffs: the average player, with its keys this many ticks later, may
// lose at most 5 of its wins in 20 attempts on any level (scaled to
// `attempts`, rounded down).
inline constexpr int kCliffReactionTicks = 4;
int cliffLosses(int attempts);

// How hard a level is for the average player, told by the share of attempts
// it wins: at least 80 % easy, 65 % medium, 50 % hard, and below that too
// hard for most players.
enum class Difficulty { Easy, Medium, Hard, TooHard };
Difficulty difficultyOf(int wins, int attempts);

}  // namespace ferlan
