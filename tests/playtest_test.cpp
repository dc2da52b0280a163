// The player model that judges whether a person can win a level, and
// ferlan-tool playtest around it.
#include "tool_runner.h"

#include <Spiel/sim/build_field.h>
#include <solver/player_model.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

using namespace ferlan;

namespace {

constexpr const char* kEmptyLevel = "9 ;1;;;;  ";
// A pole whose centre marker lies where the ball comes to rest on the entry
// pipe: it holds the ball from its first free tick, whatever the keys do.
constexpr const char* kCaughtAtOnceLevel = "9 ;1;grpp3367 7635 ,;;;  ";

GameModel builtin(int level) {
    GameModel model;
    EXPECT_TRUE(startBuiltinLevel(model, level - 1));
    return model;
}

int wins(const std::vector<AttemptResult>& attempts) {
    return static_cast<int>(std::count_if(attempts.begin(), attempts.end(),
                                          [](const auto& a) { return a.end == AttemptEnd::Won; }));
}

TEST(PlayerModel, WinsTheOpenWayAndNeverPastAPoleThatAlwaysCatches) {
    const struct {
        const char* text;
        int won;
        AttemptEnd end;
        std::int64_t ticks;
    } cases[] = {
        {kEmptyLevel, 20, AttemptEnd::Won, 200},
        {kCaughtAtOnceLevel, 0, AttemptEnd::Caught, 37 + kCaughtTicks + 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        GameModel start;
        ASSERT_TRUE(startLoadedLevel(start, c.text));
        const std::vector<AttemptResult> attempts = playtest(start, PlaytestOptions{});
        ASSERT_EQ(attempts.size(), 20u);
        EXPECT_EQ(wins(attempts), c.won);
        for (const AttemptResult& attempt : attempts) {
            EXPECT_EQ(attempt.end, c.end);
            EXPECT_LE(attempt.ticks, c.ticks);
        }
    }
}

TEST(PlayerModel, SameSeedPlaysTheSameAttempts) {
    PlaytestOptions options;
    options.attempts = 4;
    options.seed = 77;
    const GameModel start = builtin(4);
    const auto first = playtest(start, options);
    const auto again = playtest(start, options);
    ASSERT_EQ(first.size(), again.size());
    for (std::size_t n = 0; n < first.size(); ++n) {
        EXPECT_EQ(first[n].seed, 77 + n);
        EXPECT_EQ(first[n].end, again[n].end);
        EXPECT_EQ(first[n].ticks, again[n].ticks);
        EXPECT_EQ(first[n].statesSearched, again[n].statesSearched);
    }
    // A single attempt with the same seed plays as it does within the run.
    const AttemptResult single = playAttempt(start, options.player, 79);
    EXPECT_EQ(single.ticks, first[2].ticks);
}

// A sanity check on a few levels and seeds, not a proof.
TEST(PlayerModel, SlowerReactionNeverWinsMore) {
    for (const int level : {2, 5, 8}) {
        SCOPED_TRACE(level);
        PlaytestOptions quick;
        quick.attempts = 6;
        PlaytestOptions slow = quick;
        slow.player.reaction = 24;
        const GameModel start = builtin(level);
        EXPECT_GE(wins(playtest(start, quick)), wins(playtest(start, slow)));
    }
}

TEST(PlayerModel, TheShareALevelMustWinFallsWithItsPlace) {
    const struct {
        int level;
        int attempts;
        int wins;
    } cases[] = {{1, 20, 16},  {10, 20, 16}, {11, 20, 13}, {20, 20, 13},
                 {21, 20, 10}, {30, 20, 10}, {11, 3, 2},   {30, 5, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(fairWins(c.level, c.attempts), c.wins) << c.level << ", " << c.attempts;
    }
}

// A smoke test of the built-in set; the full table is
// tools/solver/playtest_builtin_levels.sh. The classic levels are fair.
TEST(FerlanToolPlaytest, PlaysAttemptsOfBuiltinLevels) {
    for (const char* level : {"1", "3", "10"}) {
        SCOPED_TRACE(level);
        const ToolRun run = runTool({"playtest", "--level", level, "--attempts", "5", "--stats"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 8) << run.out;
        // 80 % of 5, rounded up.
        EXPECT_NE(run.out.find("# needed for its place in the set: 4 of 5\n"), std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find("attempt 5 (seed 5): "), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("# decisions: "), std::string::npos) << run.out;
        if (std::string(level) != "10") {
            EXPECT_NE(run.out.find("\nwon 5 of 5\n"), std::string::npos) << run.out;
        }
    }
}

TEST(FerlanToolPlaytest, BadInputEndsWithOneOrTwo) {
    const std::string dir = makeTempDir();
    const std::string broken = writeTempFile(dir, "broken.lev", "8 ;1;;;;  ");
    const std::string caught = writeTempFile(dir, "caught.lev", kCaughtAtOnceLevel);
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"playtest", caught, "--attempts", "2"}, 0},
        {{"playtest", broken}, 1},
        {{"playtest"}, 2},
        {{"playtest", dir + "/missing.lev"}, 2},
        {{"playtest", "--level", "31"}, 2},
        {{"playtest", "--level", "1", "--attempts", "0"}, 2},
        {{"playtest", "--level", "1", "--decide", "x"}, 2},
        {{"playtest", "--level", "1", "--reaction", "-1"}, 2},
        {{"playtest", "--level", "1", "--jitter"}, 2},
        {{"playtest", "--level", "1", "--seed", "1.5"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out.empty(), c.exitCode != 0) << run.out;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
