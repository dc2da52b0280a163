#include "level_check.h"

#include <Spiel/sim/build_field.h>
#include <Spiel/sim/rules.h>
#include <Spiel/sim/tick.h>
#include <solver/replay_report.h>

#include <algorithm>

namespace ferlan::editor {
namespace {

int countUnused(const std::vector<std::int64_t>& ticks) {
    return static_cast<int>(std::count(ticks.begin(), ticks.end(), 0));
}

}  // namespace

LevelTextResult checkText(const LevelDocument& level) {
    if (level.floor() != 0) return level.levelText();
    LevelDocument floored = level;
    floored.setFloor(1);
    return floored.levelText();
}

std::vector<RoutePoint> traceRoute(const GameModel& start, const std::vector<KeyStep>& steps,
                                   std::size_t* exitPoint) {
    GameModel model = start;
    std::vector<RoutePoint> route;
    if (exitPoint != nullptr) *exitPoint = 0;
    bool inExit = false;
    for (const KeyStep& step : steps) {
        holdKeys(model, step.keys);
        for (std::int64_t n = 0; n < step.count; ++n) {
            const bool won = runTick(model) == TickOutcome::Won;
            const Image& ball = model.Eisenkugel;
            route.push_back(
                {ball.Left + ball.Width / 2, ball.Top + ball.Height / 2, model.BallPolarity});
            if (!inExit && (ballInExit(model) || won)) {
                inExit = true;
                if (exitPoint != nullptr) *exitPoint = route.size() - 1;
            }
            if (won) return route;
        }
    }
    return route;
}

std::optional<LevelCheck> checkLevelText(const std::string& text, const SolveOptions& options,
                                         const std::function<void(int attempt)>& playing) {
    GameModel start;
    if (!startLoadedLevel(start, text + std::string(kLevelFileLineEnd))) return std::nullopt;
    LevelCheck check;
    check.solve = solveLevel(start, options);
    if (check.solve.outcome != SolveOutcome::Won) return check;
    const ReplayReport report = reportReplay(start, check.solve.steps);
    for (std::size_t k = 0; k < kKindCount; ++k)
        check.unused.at(k) = countUnused(report.ticks.at(k));
    check.route = traceRoute(start, check.solve.steps, &check.exitPoint);
    PlaytestOptions playtestOptions;
    playtestOptions.stop = options.stop;
    if (playing) {
        playing(1);
        playtestOptions.progress = [&playing](int attempt, const AttemptResult&) {
            playing(attempt + 1);
        };
    }
    check.playtest = playtest(start, playtestOptions);
    return check;
}

LevelCheckRun::LevelCheckRun(std::string text, SolveOptions options, std::function<void()> done) {
    options.stop = &stop_;
    // The lambda stores into the member later, on the solver's thread; this is
    // no assignment in the constructor.
    // cppcheck-suppress useInitializationList
    options.progress = [this](std::int64_t states) { states_ = states; };
    thread_ = std::thread(
        [this, text = std::move(text), options = std::move(options), done = std::move(done)] {
            result_ = checkLevelText(text, options, [this](int attempt) { attempt_ = attempt; });
            finished_ = true;
            if (done) done();
        });
}

LevelCheckRun::~LevelCheckRun() {
    cancel();
    thread_.join();
}

}  // namespace ferlan::editor
