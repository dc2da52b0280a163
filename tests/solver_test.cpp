#include "sim_test_fields.h"

#include <Spiel/sim/build_field.h>
#include <Spiel/sim/key_script.h>
#include <leveldata/builtin_levels.h>
#include <solver/player_model.h>
#include <solver/solver.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <tuple>

using namespace ferlan;

namespace {

using namespace ferlan::testing;

GameModel started(const std::string& text) {
    GameModel model;
    EXPECT_TRUE(startLoadedLevel(model, text));
    return model;
}

SolveOptions smallBudget() { return {.maxTicks = 3000, .seconds = 20, .progress = {}}; }

// Plays the input with the game's own tick, independently of the solver.
std::int64_t playUntilWon(GameModel model, const std::vector<KeyStep>& steps) {
    const PlayResult played = playKeySteps(model, steps);
    return played.won ? played.ticks : 0;
}

TEST(Solver, FindsInputThatWinsWhateverTheThreads) {
    for (const std::string& text : {std::string(kEmptyLevel), std::string(*builtinLevelText(2))}) {
        SCOPED_TRACE(text);
        const GameModel start = started(text);
        SolveOptions one = smallBudget(), two = smallBudget();
        one.threads = 1;
        two.threads = 2;
        const SolveResult result = solveLevel(start, two);
        ASSERT_EQ(result.outcome, SolveOutcome::Won);
        EXPECT_EQ(playUntilWon(start, result.steps), result.ticks);
        EXPECT_EQ(totalTicks(result.steps), result.ticks);
        EXPECT_EQ(mergeKeySteps(result.steps), result.steps) << "neighbours hold other keys";
        const SolveResult single = solveLevel(start, one);
        EXPECT_EQ(single.steps, result.steps);
        EXPECT_EQ(single.statesSearched, result.statesSearched);
    }
}

TEST(Solver, GivesUpOnlyWhenNoInputWinsWithinTheBudget) {
    // The level, the budget of ticks, seconds and states (0: the default), and how the search ends.
    const std::string level1(*builtinLevelText(0)), level3(*builtinLevelText(2));
    const std::tuple<const char*, std::string, int, double, int, SolveOutcome> cases[] = {
        {"caught on leaving the entry pipe", kCaughtAtOnceLevel, 3000, 20, 0,
         SolveOutcome::Exhausted},
        {"level 1 in 70 ticks", level1, 70, 20, 0, SolveOutcome::Exhausted},
        {"level 1, last tick", level1, 158, 20, 0, SolveOutcome::Won},
        {"no time at all", kEmptyLevel, 3000, 1e-9, 0, SolveOutcome::OutOfTime},
        {"50 states", level3, 3000, 20, 50, SolveOutcome::OutOfStates},
    };
    for (const auto& [why, text, maxTicks, seconds, maxStates, outcome] : cases) {
        SCOPED_TRACE(why);
        SolveOptions options{.maxTicks = maxTicks, .seconds = seconds, .progress = {}};
        if (maxStates > 0) options.maxStates = maxStates;
        const SolveResult result = solveLevel(started(text), options);
        EXPECT_LE(result.statesKept, options.maxStates);
        const bool won = outcome == SolveOutcome::Won;
        EXPECT_EQ(std::tuple(result.outcome, result.steps.empty(), result.ticks),
                  std::tuple(outcome, !won, won ? maxTicks : 0));
    }
}

TEST(Solver, ShortenedInputStillWins) {
    const GameModel start = started(std::string(*builtinLevelText(0)));
    // Up alone wins level 1; the pauses on the way and the keys after the win are not needed.
    const HeldKeys up{.up = true};
    const std::vector<KeyStep> wandering = {{up, 60},        {HeldKeys{}, 2}, {up, 30},
                                            {HeldKeys{}, 2}, {up, 400},       {HeldKeys{}, 9}};
    ASSERT_GT(playUntilWon(start, wandering), 0);
    const auto shortened = shortenKeyScript(start, wandering, 20000);
    EXPECT_EQ(shortened, (std::vector<KeyStep>{{up, playUntilWon(start, shortened)}}));
    // Stopped before its first replay, it still cuts off the keys after the win.
    const std::atomic<bool> stop{true};
    EXPECT_EQ(shortenKeyScript(start, wandering, 20000, &stop).size(), 5u);
}

// A cancelled check must end soon on any machine: a stop ends the search
// after the batch under way (and the shortening before its next replay, above).
TEST(Solver, AStopEndsTheSearchAtOnce) {
    std::atomic<bool> stop{false};
    SolveOptions options = smallBudget();
    options.stop = &stop;
    std::int64_t seen = 0;
    options.progress = [&](std::int64_t states) {
        seen = states;
        stop = true;
    };
    const SolveResult result = solveLevel(started(std::string(*builtinLevelText(2))), options);
    EXPECT_EQ(std::tuple(result.outcome, result.statesSearched, result.steps.empty()),
              std::tuple(SolveOutcome::OutOfTime, seen, true));
}

// The editor's word for how hard a level is, at both sides of each band.
TEST(Difficulty, BandsOfTheShareOfWins) {
    using D = Difficulty;
    const std::tuple<int, int, D> cases[] = {
        {20, 20, D::Easy},  {16, 20, D::Easy},     {15, 20, D::Medium},  {13, 20, D::Medium},
        {12, 20, D::Hard},  {10, 20, D::Hard},     {9, 20, D::TooHard},  {0, 20, D::TooHard},
        {4, 5, D::Easy},    {79, 100, D::Medium},  {65, 100, D::Medium}, {64, 100, D::Hard},
        {50, 100, D::Hard}, {49, 100, D::TooHard},
    };
    for (const auto& [wins, attempts, difficulty] : cases)
        EXPECT_EQ(difficultyOf(wins, attempts), difficulty) << wins << " of " << attempts;
}

}  // namespace
