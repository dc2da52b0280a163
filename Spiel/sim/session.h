// A game as the player goes through it: which level is in play (a built-in
// one or one read from a file), how many built-in levels are unlocked, and
// what follows a win. The window derives everything it shows around the field
// from the session.
#pragma once

#include "field.h"
#include "tick.h"

#include <optional>
#include <string>

namespace ferlan {

// Keeps the player's progress between games; the window writes it to the
// progress file.
class ProgressStore {
public:
    virtual ~ProgressStore() = default;
    // Built-in level `levelNumber` (1 to 29) was won beyond the highest level
    // index unlocked, `highestShown`.
    virtual void recordWin(int levelNumber, int highestShown) = 0;
    // Built-in level `levelNumber` (1 to 30) was won after `ticks` ticks.
    virtual void recordTime(int levelNumber, std::int64_t ticks) = 0;
};

// What a won level leads to.
enum class AfterWin : std::uint8_t {
    // The next built-in level is in play.
    NextLevel,
    // The last built-in level is won: the game congratulates.
    SetCompleted,
    // A loaded level ends where it is.
    Stays,
};

class Session {
public:
    GameModel& field() { return field_; }
    const GameModel& field() const { return field_; }

    // The built-in level in play or chosen last (0 to 29); none while a
    // loaded level is.
    std::optional<int> builtinIndex() const;
    // The text of the level in play (or of the last one chosen).
    const std::string& levelText() const { return text_; }
    // The field and the panel show.
    bool shown() const { return shown_; }
    // The tick runs: a level is in play and not paused.
    bool ticking() const { return ticking_ && !paused_; }
    // A level in play holds still until resumed.
    bool paused() const { return paused_; }
    // The last built-in level is won.
    bool setCompleted() const { return setCompleted_; }

    // The level list offers the built-in levels with index 0 to
    // unlockedCount() - 1. showUnlocked offers those up to index `highest`
    // and keeps any higher ones offered; hideList offers none.
    int unlockedCount() const { return unlocked_; }
    void showUnlocked(int highest);
    void hideList();

    // Built-in level index + 1 (index 0 to 29).
    bool startBuiltin(int index);
    // A level file's text; the window has read it once already.
    bool startLoaded(std::string text);
    // Enter during play: the tick stops and the level is built again.
    bool restart();
    // Esc during play: the field and the panel are hidden and the tick stops,
    // so a hidden level cannot play on and win by itself. True when a
    // built-in level was in play (the window then shows the level list).
    bool leave();
    // P, the Pause key or the window losing the focus: the level in play
    // holds still, shown under a pause notice. Any build ends a pause; so does
    // leaving the level. False when nothing plays or it is paused already.
    bool pause();
    bool resume();

    // One tick of the level in play; nothing while none is or it is paused.
    TickOutcome tick();
    // The ticks of the attempt so far: from the level's last build to its
    // win, where the count stops. A pause adds nothing.
    std::int64_t attemptTicks() const { return attemptTicks_; }

    // After a tick that won: records the time of a built-in level and the
    // progress of one below the last, and starts the next one.
    AfterWin finishLevel(ProgressStore& store);

private:
    bool build();

    GameModel field_;
    std::string text_;
    int builtin_ = 0;  // -1 while a loaded level is in play
    int unlocked_ = 0;
    bool shown_ = false;
    bool ticking_ = false;
    bool paused_ = false;
    bool setCompleted_ = false;
    std::int64_t attemptTicks_ = 0;
    bool won_ = false;
    bool timeRecorded_ = false;
};

}  // namespace ferlan
