// The player model that judges whether a person can win a level, and
// ferlan-tool playtest around it.
#include "sim_test_fields.h"
#include "tool_runner.h"

#include <Spiel/sim/build_field.h>
#include <solver/player_model.h>
#include <solver/random.h>
#include <solver/sight.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

using namespace ferlan;

namespace {

using ferlan::testing::kCaughtAtOnceLevel;
using ferlan::testing::kEmptyLevel;

GameModel builtin(int level) {
    GameModel model;
    EXPECT_TRUE(startBuiltinLevel(model, level - 1));
    return model;
}

TEST(PlayerModel, WinsTheOpenWayAndNeverPastAPoleThatAlwaysCatches) {
    // The level, the attempts won of 20, how each one ends, and the most ticks it may take.
    const std::tuple<const char*, int, AttemptEnd, std::int64_t> cases[] = {
        {kEmptyLevel, 20, AttemptEnd::Won, 200},
        {kCaughtAtOnceLevel, 0, AttemptEnd::Caught, 37 + kCaughtTicks + 1},
    };
    for (const auto& [text, won, end, ticks] : cases) {
        SCOPED_TRACE(text);
        GameModel start;
        ASSERT_TRUE(startLoadedLevel(start, text));
        const std::vector<AttemptResult> attempts = playtest(start, PlaytestOptions{});
        ASSERT_EQ(attempts.size(), 20u);
        EXPECT_EQ(winsOf(attempts), won);
        for (const AttemptResult& attempt : attempts) {
            EXPECT_EQ(attempt.end, end);
            EXPECT_LE(attempt.ticks, ticks);
        }
    }
}

TEST(PlayerModel, SameSeedPlaysTheSameAttempts) {
    const PlaytestOptions options{.player = {}, .attempts = 4, .seed = 77, .progress = {}};
    const GameModel start = builtin(4);
    const auto first = playtest(start, options);
    const auto again = playtest(start, options);
    ASSERT_EQ(first.size(), 4u);
    for (std::size_t n = 0; n < first.size(); ++n) {
        EXPECT_EQ(first[n].seed, 77 + n);
        EXPECT_EQ(first[n].statesSearched, again[n].statesSearched);
    }
    // A single attempt with the same seed plays as it does within the run.
    const AttemptResult single = playAttempt(start, options.player, 79);
    EXPECT_EQ(single.ticks, first[2].ticks);
}

// Attempts recorded once: the same on every machine, and with exact sight the
// same as before the player had a person's eyes.
TEST(PlayerModel, PlaysTheRecordedAttempts) {
    PlayerParams exact = withExactSight(PlayerParams{});
    exact.reaction = 10;
    exact.jitter = 2;
    // Level 4: polarisers on the route's grid; level 2: held at the held box's edge.
    const std::tuple<int, PlayerParams, std::uint64_t, AttemptEnd, std::int64_t> cases[] = {
        {3, exact, 5, AttemptEnd::Won, 275},
        {3, exact, 6, AttemptEnd::Won, 344},
        {3, playerParams(PlayerKind::Novice), 3, AttemptEnd::Caught, 397},
        {3, playerParams(PlayerKind::Novice), 4, AttemptEnd::Won, 465},
        {4, playerParams(PlayerKind::Average), 1, AttemptEnd::Won, 580},
        {2, playerParams(PlayerKind::Novice), 8, AttemptEnd::Caught, 246},
    };
    for (const auto& [level, player, seed, end, ticks] : cases) {
        SCOPED_TRACE(seed);
        const AttemptResult attempt = playAttempt(builtin(level), player, seed);
        EXPECT_EQ(std::tuple(attempt.end, attempt.ticks), std::tuple(end, ticks));
    }
    // Rods across the width high up: the ball roams below them until 90 s are up.
    GameModel closed;
    ASSERT_TRUE(startLoadedLevel(closed,
                                 "23;1;grpp0    3000 ,grpp960  3360 ,grpp1920 3000 ,grpp2880 "
                                 "3360 ,grpp3840 3000 ,grpp4800 3360 ,grpp5760 3000 ,;;;  "));
    const AttemptResult roamed = playAttempt(closed, playerParams(PlayerKind::Average), 1);
    EXPECT_EQ(std::tuple(roamed.end, roamed.ticks), std::tuple(AttemptEnd::OutOfTime, 90 * 64));
}

// A cancelled check must end soon on any machine: the stop is heeded at
// every look, and the look that sees it simulates nothing more.
TEST(PlayerModel, AStopEndsTheAttemptAtTheLookThatSeesIt) {
    std::atomic<bool> stop{false};
    PlaytestOptions options{.player = {}, .attempts = 3, .stop = &stop, .progress = {}};
    std::vector<std::tuple<int, std::int64_t, std::int64_t>> looks;
    options.progress = [&](int attempt, const AttemptResult& soFar) {
        looks.emplace_back(attempt, soFar.decisions, soFar.statesSearched);
        stop = attempt == 1 && soFar.decisions == 5;
    };
    const auto attempts = playtest(builtin(3), options);
    ASSERT_EQ(attempts.size(), 2u);
    ASSERT_GE(looks.size(), 7u);
    EXPECT_EQ(looks.back(), std::tuple(1, attempts[1].decisions, attempts[1].statesSearched));
    EXPECT_EQ(attempts[1].decisions, 5);
    // A look before every decision, each attempt counted from its own start.
    EXPECT_EQ(looks.at(looks.size() - 6), std::tuple(1, 0, 0));
    EXPECT_EQ(looks.front(), std::tuple(0, 0, 0));
    // Set before the first look, it plays no attempt at all.
    looks.clear();
    EXPECT_TRUE(playtest(builtin(3), options).empty() && looks.empty());
}

TEST(PlayerSight, SeesTheBallWithTheErrorGiven) {
    const GameModel start = builtin(2);
    for (const int error : {20, 60}) {
        SCOPED_TRACE(error);
        PlayerParams player = withExactSight(PlayerParams{});
        player.sightError = error;
        Sight sight(start, player, 5);
        double sum = 0;
        double squares = 0;
        constexpr int kLooks = 4000;
        for (int n = 0; n < kLooks; ++n) {
            const GameModel seen = sight.look(start, n);
            const double off = seen.Eisenkugel.Left - start.Eisenkugel.Left;
            sum += off;
            squares += off * off;
            EXPECT_EQ(seen.Zentrum[1].Left, start.Zentrum[1].Left);
        }
        const double mean = sum / kLooks;
        EXPECT_LT(std::fabs(mean), 0.1 * error);
        EXPECT_NEAR(std::sqrt(squares / kLooks - mean * mean), error, 0.1 * error);
    }
}

TEST(PlayerSight, BelievesTheElementsOffForTheWholeAttempt) {
    const GameModel start = builtin(4);
    PlayerParams player = withExactSight(PlayerParams{});
    player.placeError = 60;
    Sight first(start, player, 1);
    Sight second(start, player, 2);
    const GameModel early = first.look(start, 0);
    const GameModel late = first.look(start, 500);
    bool differ = false;
    for (std::size_t i = 1; i <= 4; ++i) {
        const Twips believed = first.believedStart().Zentrum[i].Left;
        EXPECT_EQ(early.Zentrum[i].Left, believed);
        EXPECT_EQ(late.Zentrum[i].Top, first.believedStart().Zentrum[i].Top);
        EXPECT_LE(std::fabs(believed - start.Zentrum[i].Left), 60);
        EXPECT_EQ(early.Ferlan[i].Left - start.Ferlan[i].Left, believed - start.Zentrum[i].Left);
        differ = differ || believed != second.believedStart().Zentrum[i].Left;
    }
    EXPECT_TRUE(differ);
    // The start polariser stands on the entry pipe, where the player sees it.
    EXPECT_EQ(early.Transformator[1], start.Transformator[1]);
    EXPECT_EQ(early.Eisenkugel, start.Eisenkugel);
}

TEST(PlayerSight, SeesAPolariserWhereItIsOnlyWhileItStandsOnTheEntryPipe) {
    const GameModel level = builtin(4);
    const FieldObject& pipe = level.Anfang;
    const FieldObject& polariser = level.Transformator[1];
    const Twips onPipe = pipe.Top - kBallSize - polariser.Height;  // its foot a ball above
    // On the pipe by a twip and off it by a twip: above it, at its right and its left end.
    const std::tuple<Twips, Twips, bool> cases[] = {{pipe.Left, onPipe, true},
                                                    {pipe.Left, onPipe - 1, false},
                                                    {pipe.right() - 1, onPipe, true},
                                                    {pipe.right(), onPipe, false},
                                                    {pipe.Left - polariser.Width + 1, onPipe, true},
                                                    {pipe.Left - polariser.Width, onPipe, false}};
    PlayerParams player = withExactSight(PlayerParams{});
    player.placeError = 60;
    for (const auto& [left, top, seenWhereItIs] : cases) {
        GameModel start = level;
        start.Transformator[1].Left = left;
        start.Transformator[1].Top = top;
        const FieldObject seen = Sight(start, player, 1).believedStart().Transformator[1];
        EXPECT_EQ(seen.Left == left && seen.Top == top, seenWhereItIs) << left << ", " << top;
    }
}

TEST(PlayerModel, TheSkilledPlayerWinsTheClassicLevelsAsOftenAsTheNovice) {
    for (const int level : {1, 3}) {
        SCOPED_TRACE(level);
        const GameModel start = builtin(level);
        const auto wins = [&](PlayerKind kind) {
            return winsOf(playtest(start, {.player = playerParams(kind), .progress = {}}));
        };
        EXPECT_GE(wins(PlayerKind::Skilled), wins(PlayerKind::Novice));
    }
}

TEST(PlayerModel, TheWinsALevelAsksForFollowItsPlace) {
    constexpr auto kNovice = PlayerKind::Novice;
    constexpr auto kAverage = PlayerKind::Average;
    constexpr auto kSkilled = PlayerKind::Skilled;
    // The level, the player, the attempts, and the fewest and most wins asked for.
    const std::tuple<int, PlayerKind, int, int, int> cases[] = {
        {1, kNovice, 20, 16, 20},  {3, kSkilled, 20, 16, 20},  {2, kNovice, 20, 10, 20},
        {10, kNovice, 20, 10, 20}, {10, kAverage, 20, 16, 20}, {10, kSkilled, 20, 0, 20},
        {11, kNovice, 20, 0, 20},  {11, kAverage, 20, 13, 20}, {20, kSkilled, 20, 16, 20},
        {21, kNovice, 20, 0, 10},  {21, kAverage, 20, 10, 20}, {30, kSkilled, 20, 14, 20},
        {11, kAverage, 3, 2, 3},   {30, kNovice, 5, 0, 2},
    };
    for (const auto& [level, player, attempts, atLeast, atMost] : cases) {
        SCOPED_TRACE(level);
        const WinBand band = fairWins(level, player, attempts);
        EXPECT_EQ(std::tuple(band.atLeast, band.atMost), std::tuple(atLeast, atMost));
    }
    EXPECT_EQ(cliffLosses(20), 5);
    EXPECT_EQ(cliffLosses(6), 1);
}

// A smoke test of the built-in set; the full table is
// tools/solver/playtest_builtin_levels.sh. The classic level is fair.
TEST(FerlanToolPlaytest, PlaysAttemptsOfBuiltinLevels) {
    // The level, the player, and what the report says of the wins needed and made.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"1", "skilled", "4 of 5\n", "\nwon 5 of 5\n"},
        {"1", "novice", "4 of 5\n", "\nwon 5 of 5\n"},
        {"21", "novice", "0 of 5, at most 2\n", "\nwon "},
    };
    for (const auto& [level, player, needed, won] : cases) {
        SCOPED_TRACE(level);
        const ToolRun run = runTool(
            {"playtest", "--level", level, "--player", player, "--attempts", "5", "--stats"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        for (const std::string& part :
             {std::string("# needed for its place in the set: ") + needed,
              std::string("attempt 5 (seed 5): "), std::string("# decisions: "),
              std::string("# ended: won "), std::string(won)}) {
            EXPECT_NE(run.out.find(part), std::string::npos) << part << " in " << run.out;
        }
    }
    // A lost attempt names the element it ended at, a pole by its face, though the polariser
    // lies nearer to its middle; a file is judged by the band of the place it is given.
    const std::string dir = makeTempDir();
    const std::string caught = writeTempFile(dir, "c", "9 ;1;grpp3367 7635 ,;;ap2620 7320 ,;  ");
    const ToolRun run =
        runTool({"playtest", caught, "--attempts", "2", "--as-level", "30", "--stats"});
    EXPECT_NE(run.out.find("# ended: won 0, caught 2, out of time 0\n"
                           "# lost ones ended near: Ferlan 1 (2)\n"
                           "# needed for its place in the set: 1 of 2\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("caught, given up after 164 ticks at 3120, 7320\n"), std::string::npos);
    // A single option counts beside --exact-sight.
    EXPECT_NE(runTool({"playtest", "--level", "1", "--attempts", "1", "--exact-sight"}).out,
              runTool({"playtest", "--level", "1", "--attempts", "1", "--exact-sight",
                       "--sight-error", "480"})
                  .out);
    std::filesystem::remove_all(dir);
}

TEST(FerlanToolPlaytest, BadInputEndsWithOneOrTwo) {
    const std::string dir = makeTempDir();
    const std::string broken = writeTempFile(dir, "broken.lev", "8 ;1;;;;  ");
    const std::string caught = writeTempFile(dir, "caught.lev", kCaughtAtOnceLevel);
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"playtest", caught, "--attempts", "2"}, 0},
        {{"playtest", broken}, 1},
        {{"playtest"}, 2},
        {{"playtest", dir + "/missing.lev"}, 2},
        {{"playtest", "--level", "1", "--attempts", "0"}, 2},
        {{"playtest", "--level", "1", "--decide", "x"}, 2},
        {{"playtest", "--level", "1", "--reaction", "-1"}, 2},
        {{"playtest", "--level", "1", "--reaction", "0", "--speed-looks", "16"}, 0},
        {{"playtest", "--level", "1", "--jitter"}, 2},
        {{"playtest", "--level", "1", "--seed", "1.5"}, 2},
        {{"playtest", "--level", "1", "--attempts", "1", "--seed", "9223372036854775807"}, 0},
        {{"playtest", "--level", "1", "--attempts", "1", "--seed", "9223372036854775808"}, 2},
        {{"playtest", "--level", "1", "--player", "expert"}, 2},
        {{"playtest", "--level", "1", "--sight-error", "481"}, 2},
        {{"playtest", "--level", "1", "--as-level", "1"}, 2},
        {{"playtest", caught, "--as-level", "31"}, 2},
        {{"playtest", "--level", "1", "--attempts", "1", "--exact-sight", "--place-error", "480"},
         0},
    };
    for (const auto& [args, exitCode] : cases) {
        SCOPED_TRACE(args.back());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        EXPECT_EQ(run.out.empty(), exitCode != 0) << run.out;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
