// Finding arrow-key input that wins a level, with the game's own tick.
//
// The tick is deterministic, so a found input always wins when it is played
// again from the same start. The search runs over short segments in which one
// combination of arrow keys is held, and keeps only one of the states that
// look alike (ball position and speed, polarity, charged balls).
#pragma once

#include <Spiel/sim/field.h>
#include <Spiel/sim/key_script.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace ferlan {

struct SolveOptions {
    std::int64_t maxTicks = 20000;
    double seconds = 60;
    // Threads that simulate segments side by side; the result does not depend
    // on it.
    int threads = 2;
    // The search stops before it keeps more states than this, so that it
    // stays within a few hundred megabytes.
    std::int64_t maxStates = 4'000'000;
    // Set by another thread, it ends the search within a segment or a replay,
    // as if the time had run out.
    const std::atomic<bool>* stop = nullptr;
    // Called on the searching thread after every batch, with the states
    // searched so far; it should return at once.
    std::function<void(std::int64_t statesSearched)> progress;
};

enum class SolveOutcome {
    Won,
    OutOfTime,
    OutOfStates,
    // Every state reachable within the tick budget was searched.
    Exhausted,
};

struct SolveResult {
    SolveOutcome outcome = SolveOutcome::Exhausted;
    std::vector<KeyStep> steps;       // the winning input, when won
    std::int64_t ticks = 0;           // the tick that wins, counted from the level's start
    std::int64_t statesSearched = 0;  // states whose segments were simulated
    std::int64_t statesKept = 0;
    double seconds = 0;
};

// `start` is a level freshly built for play (StartBuiltinLevel or
// StartLoadedLevel). The winning input is already shortened by
// ShortenKeyScript and checked by replay.
SolveResult solveLevel(const GameModel& start, const SolveOptions& options);

// The threads ferlan-tool solve and the editor's check both search with: at
// most two, as the machine allows.
int defaultSolveThreads();

// Plays `steps` on a copy of `start`, as ferlan-tool play does: the tick that
// wins, or 0 when the input ends without a win.
std::int64_t winningTick(const GameModel& start, const std::vector<KeyStep>& steps);

// Joins equal neighbouring steps, then tries to give short steps the keys of
// a neighbour as long as the input still wins within `maxTicks`: fewer key
// changes for whoever reads or plays the script. The number of trial replays
// is bounded, so a long input costs at most a few seconds.
// A set `stop` ends the shortening early with the input as far as it got.
std::vector<KeyStep> shortenKeyScript(const GameModel& start, std::vector<KeyStep> steps,
                                      std::int64_t maxTicks,
                                      const std::atomic<bool>* stop = nullptr);

// Equal neighbouring steps joined into one.
std::vector<KeyStep> mergeKeySteps(const std::vector<KeyStep>& steps);

}  // namespace ferlan
