#include "tool_runner.h"

#include <Spiel/sim/build_field.h>
#include <Spiel/sim/game_shell.h>
#include <Spiel/sim/tick.h>
#include <leveldata/builtin_levels.h>
#include <solver/replay_report.h>
#include <solver/solver.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

using namespace ferlan;

namespace {

constexpr const char* kEmptyLevel = "9 ;1;;;;  ";
// A large plus pole whose centre marker lies exactly where the ball comes to
// rest on the entry pipe: it catches the ball on its first free tick, for good.
constexpr const char* kCaughtAtOnceLevel = "9 ;1;grpp3367 7635 ,;;;  ";

GameModel started(const std::string& text) {
    GameModel model;
    EXPECT_TRUE(startLoadedLevel(model, text));
    return model;
}

SolveOptions smallBudget() {
    SolveOptions options;
    options.maxTicks = 3000;
    options.seconds = 20;
    return options;
}

// Plays the input with the game's own tick, independently of the solver.
std::int64_t playUntilWon(GameModel model, const std::vector<KeyStep>& steps) {
    RecordingShell shell;
    std::int64_t tick = 0;
    for (const KeyStep& step : steps) {
        holdKeys(model, step.keys);
        for (std::int64_t n = 0; n < step.count; ++n) {
            ++tick;
            if (runTick(model, shell)) return tick;
        }
    }
    return 0;
}

TEST(Solver, FindsInputThatWinsSmallLevels) {
    const std::string levels[] = {kEmptyLevel, std::string(*builtinLevelText(0)),
                                  std::string(*builtinLevelText(2))};
    for (const std::string& text : levels) {
        SCOPED_TRACE(text);
        const GameModel start = started(text);
        const SolveResult result = solveLevel(start, smallBudget());
        ASSERT_EQ(result.outcome, SolveOutcome::Won);
        EXPECT_EQ(playUntilWon(start, result.steps), result.ticks);
        EXPECT_EQ(totalTicks(result.steps), result.ticks);
        EXPECT_GT(result.statesSearched, 0);
        // Neighbouring steps never hold the same keys.
        for (std::size_t i = 1; i < result.steps.size(); ++i) {
            EXPECT_FALSE(result.steps[i].keys == result.steps[i - 1].keys);
        }
    }
}

TEST(Solver, ResultDoesNotDependOnTheNumberOfThreads) {
    const GameModel start = started(std::string(*builtinLevelText(2)));
    SolveOptions one = smallBudget();
    one.threads = 1;
    SolveOptions two = smallBudget();
    two.threads = 2;
    const SolveResult a = solveLevel(start, one);
    const SolveResult b = solveLevel(start, two);
    ASSERT_EQ(a.outcome, SolveOutcome::Won);
    EXPECT_EQ(a.steps, b.steps);
    EXPECT_EQ(a.statesSearched, b.statesSearched);
}

TEST(Solver, GivesUpWhenNoInputCanWin) {
    const struct {
        const char* why;
        std::string text;
        std::int64_t maxTicks;
        double seconds;
        SolveOutcome outcome;
    } cases[] = {
        {"caught on leaving the entry pipe", kCaughtAtOnceLevel, 3000, 20, SolveOutcome::Exhausted},
        {"level 1 needs more than 70 ticks", std::string(*builtinLevelText(0)), 70, 20,
         SolveOutcome::Exhausted},
        {"no time at all", kEmptyLevel, 3000, 1e-9, SolveOutcome::OutOfTime},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        SolveOptions options;
        options.maxTicks = c.maxTicks;
        options.seconds = c.seconds;
        const SolveResult result = solveLevel(started(c.text), options);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_TRUE(result.steps.empty());
    }
}

TEST(Solver, StopsAtTheStateLimit) {
    SolveOptions options = smallBudget();
    options.maxStates = 50;
    const SolveResult result = solveLevel(started(std::string(*builtinLevelText(2))), options);
    EXPECT_EQ(result.outcome, SolveOutcome::OutOfStates);
    EXPECT_LE(result.statesKept, 50);
}

TEST(Solver, MergeJoinsEqualNeighbours) {
    const HeldKeys up{.up = true};
    const HeldKeys left{.left = true};
    const struct {
        std::vector<KeyStep> in;
        std::vector<KeyStep> out;
    } cases[] = {
        {{}, {}},
        {{{up, 3}}, {{up, 3}}},
        {{{up, 3}, {up, 4}, {left, 1}, {up, 2}}, {{up, 7}, {left, 1}, {up, 2}}},
        {{{left, 1}, {left, 1}, {left, 1}}, {{left, 3}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mergeKeySteps(c.in), c.out);
    }
}

TEST(Solver, ShortenedInputStillWins) {
    const GameModel start = started(std::string(*builtinLevelText(0)));
    // Up alone wins level 1; the pauses on the way are not needed.
    const HeldKeys up{.up = true};
    const std::vector<KeyStep> wandering = {
        {up, 60}, {HeldKeys{}, 2}, {up, 30}, {HeldKeys{}, 2}, {up, 400}};
    ASSERT_GT(playUntilWon(start, wandering), 0);
    const auto shortened = shortenKeyScript(start, wandering, 20000);
    ASSERT_GT(playUntilWon(start, shortened), 0);
    EXPECT_EQ(shortened, (std::vector<KeyStep>{{up, playUntilWon(start, shortened)}}));
}

TEST(ReplayReport, CountsTheTicksAtEachElement) {
    // Level 3: both poles, the charged ball and the polariser lie on the way.
    const GameModel start = started(std::string(*builtinLevelText(2)));
    const SolveResult result = solveLevel(start, smallBudget());
    ASSERT_EQ(result.outcome, SolveOutcome::Won);
    const ReplayReport report = reportReplay(start, result.steps);
    EXPECT_EQ(report.wonAt, result.ticks);
    ASSERT_EQ(report.ferlanTicks.size(), 2u);
    ASSERT_EQ(report.kugelTicks.size(), 1u);
    ASSERT_EQ(report.transformatorTicks.size(), 1u);
    EXPECT_GT(report.transformatorTicks[0], 0);
    // Without input the ball never leaves the entry pipe's top.
    const ReplayReport idle = reportReplay(start, {{HeldKeys{}, 200}});
    EXPECT_EQ(idle.wonAt, 0);
    EXPECT_EQ(idle.transformatorTicks[0], 0);
}

class FerlanToolSolve : public testing::Test {
protected:
    void SetUp() override { dir_ = makeTempDir(); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string level(const std::string& name, const std::string& text) {
        return writeTempFile(dir_, name, text);
    }
    std::string dir_;
};

TEST_F(FerlanToolSolve, PrintsInputThatPlayWins) {
    // A level file as the editor writes it: the line end where the built-in
    // texts have their two blanks.
    std::string text(*builtinLevelText(0));
    text.replace(text.size() - 2, 2, "\r\n");
    const std::string file = level("pole.lev", text);
    const ToolRun solve = runTool({"solve", file, "--seconds", "20"});
    ASSERT_EQ(solve.exitCode, 0) << solve.err;
    const std::size_t at = solve.out.rfind("# won after ");
    ASSERT_NE(at, std::string::npos);
    const std::string ticks = solve.out.substr(at + 12, solve.out.find(' ', at + 12) - at - 12);
    EXPECT_EQ(solve.out.substr(solve.out.size() - 7), " ticks\n");

    const ToolRun play = runTool({"play", file, "--keys", "-"}, solve.out);
    ASSERT_EQ(play.exitCode, 0) << play.err;
    EXPECT_EQ(play.out, "{\"result\":\"won\",\"ticks\":" + ticks + "}\n");
}

TEST_F(FerlanToolSolve, GivesUpWithExitOneAndOneLine) {
    const std::string file = level("caught.lev", kCaughtAtOnceLevel);
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"solve", file, "--seconds", "20"}, "jeder erreichbare Zustand"},
        {{"solve", "--level", "1", "--max-ticks", "70"}, "70 Ticks"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST_F(FerlanToolSolve, BadInputEndsWithExitTwo) {
    const std::string broken = level("broken.lev", "8 ;1;;;;  ");
    const std::vector<std::vector<std::string>> cases = {
        {"solve"},
        {"solve", dir_ + "/missing.lev"},
        {"solve", broken},
        {"solve", "--level", "31"},
        {"solve", "--level", "1", "--max-ticks", "0"},
        {"solve", "--level", "1", "--max-ticks", "12x"},
        {"solve", "--level", "1", "--seconds", "-1"},
        {"solve", "--level", "1", "--seconds", "nan"},
        {"solve", "--level", "1", "--seconds"},
        {"solve", "--level", "1", "--fast"},
        {"solve", "--level", "1", broken},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.back());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(run.err.empty());
    }
}

}  // namespace
