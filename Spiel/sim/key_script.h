// Key scripts: which arrow keys are held for how many ticks, one step a line.
//
//     # comment
//     U 37
//     UL 5
//     - 20
//
// KEYS is "-" (nothing held) or the letters U, D, L, R in any order, each at
// most once; COUNT is a whole number of ticks, at least 1. Blank lines and
// lines whose first non-blank character is '#' are skipped.
#pragma once

#include "field.h"
#include "session.h"
#include "tick.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferlan {

struct HeldKeys {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;

    bool operator==(const HeldKeys&) const = default;
};

// Up, down or neither, times left, right or neither: every combination a
// player can hold. Nothing held comes first, so that where the keys change
// nothing (the ball rising out of the entry pipe) a found script says so.
inline constexpr std::array<HeldKeys, 9> kKeyCombinations = {
    HeldKeys{},
    HeldKeys{.up = true},
    HeldKeys{.up = true, .left = true},
    HeldKeys{.up = true, .right = true},
    HeldKeys{.left = true},
    HeldKeys{.right = true},
    HeldKeys{.down = true},
    HeldKeys{.down = true, .left = true},
    HeldKeys{.down = true, .right = true},
};

struct KeyStep {
    HeldKeys keys;
    std::int64_t count = 1;

    bool operator==(const KeyStep&) const = default;
};

struct KeyScriptError {
    int line = 0;  // 1-based line of the first malformed step
    std::string message;
};

inline constexpr std::int64_t kMaxStepCount = 1'000'000'000;

std::optional<std::vector<KeyStep>> parseKeyScript(std::string_view text, KeyScriptError& error);

// "-" or the held letters in the order U, D, L, R.
std::string formatHeldKeys(const HeldKeys& keys);
// One line of a script, without the line end: "UL 5".
std::string formatKeyStep(const KeyStep& step);

std::int64_t totalTicks(const std::vector<KeyStep>& steps);

// Puts the held keys into the model's key flags.
void holdKeys(GameModel& model, const HeldKeys& keys);

struct PlayResult {
    std::int64_t ticks = 0;  // the ticks played, the winning one included
    bool won = false;
};

// Plays the steps with the game's tick from the model as it is and stops at
// the winning tick. `afterTick`, when given, sees the model and what the tick
// did after every tick.
PlayResult playKeySteps(
    GameModel& model, const std::vector<KeyStep>& steps,
    const std::function<void(std::int64_t tick, TickOutcome outcome)>& afterTick = {});
// The same through a session, as the game plays: its level's time runs, and a
// win is left for finishLevel, which keeps the time.
PlayResult playKeySteps(
    Session& session, const std::vector<KeyStep>& steps,
    const std::function<void(std::int64_t tick, TickOutcome outcome)>& afterTick = {});

}  // namespace ferlan
