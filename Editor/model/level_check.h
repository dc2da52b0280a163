// "Level prüfen": the solver run on the level as saving would write it, what
// the found input leaves out, and the ball's route along it.
#pragma once

#include "level_document.h"

#include <solver/player_model.h>
#include <solver/solver.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ferlan::editor {

// The text saving would write; a level without a floor is checked with the
// first texture, since the floor is only a picture. CoordinateOutOfRange as
// for saving.
LevelTextResult checkText(const LevelDocument& level);

// The ball's centre after a tick, and its polarity then.
struct RoutePoint {
    Twips x = 0;
    Twips y = 0;
    Polarity polarity = Polarity::Neutral;
};

struct LevelCheck {
    SolveResult solve;
    // Per kind, the elements the winning input never brings the ball near.
    std::array<int, kKindCount> unused{};  // in the order of kElementKinds
    // Ticks 1 to the winning tick; empty unless won.
    std::vector<RoutePoint> route;
    // The first point at which the exit has taken the ball over.
    std::size_t exitPoint = 0;
    // The average player of ferlan-tool playtest on a winnable level, with
    // its defaults; empty unless won.
    std::vector<AttemptResult> playtest;
};

// Plays `steps` from `start` as the game would, tick by tick.
std::vector<RoutePoint> traceRoute(const GameModel& start, const std::vector<KeyStep>& steps,
                                   std::size_t* exitPoint = nullptr);

// Runs the whole check; nothing when the reader rejects `text` (without its
// line end).
// `playing` is called on the checking thread with the attempt (counted from 1)
// the player model is at: with 1 when the search is done and it begins, then
// at every look. The stop of `options` ends the player model too.
std::optional<LevelCheck> checkLevelText(const std::string& text, const SolveOptions& options,
                                         const std::function<void(int attempt)>& playing = {});

// One check on a thread of its own. `done` is called on that thread when
// it ends, cancelled or not.
class LevelCheckRun {
public:
    LevelCheckRun(std::string text, SolveOptions options, std::function<void()> done);
    // Cancels and waits.
    ~LevelCheckRun();
    LevelCheckRun(const LevelCheckRun&) = delete;
    LevelCheckRun& operator=(const LevelCheckRun&) = delete;

    void cancel() { stop_ = true; }
    bool cancelled() const { return stop_; }
    bool finished() const { return finished_; }
    std::int64_t statesSearched() const { return states_; }
    // The search is done and the player model plays the level.
    bool playtesting() const { return attempt_ > 0; }
    // The attempt it plays, counted from 1 (0 before it begins).
    int attempt() const { return attempt_; }
    // Once finished: the check, or nothing for a text the reader rejects.
    const std::optional<LevelCheck>& result() const { return result_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::atomic<int> attempt_{0};
    std::atomic<std::int64_t> states_{0};
    std::optional<LevelCheck> result_;
    std::thread thread_;
};

}  // namespace ferlan::editor
