// Every built-in level is won by each of the three players often enough for
// its place in the set (fairWins), and the average player does not fall off a
// cliff when its keys come a little later. The attempts are the same on every
// machine, so this guards the tick, the model and the level texts together: a
// change to any of them that makes a level unfair shows here.
#include <Spiel/sim/build_field.h>
#include <leveldata/builtin_levels.h>
#include <solver/player_model.h>

#include <gtest/gtest.h>

#include <string>

using namespace ferlan;

namespace {

int wins(const GameModel& start, const PlayerParams& player) {
    return winsOf(playtest(start, {.player = player, .progress = {}}));
}

class FairLevels : public testing::TestWithParam<int> {};

TEST_P(FairLevels, EveryPlayerWinsWhatItsPlaceAsks) {
    const int level = GetParam();
    GameModel start;
    ASSERT_TRUE(startBuiltinLevel(start, level - 1));
    const int attempts = kPlaytestAttempts;
    for (const PlayerKind kind : kPlayerKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        const WinBand band = fairWins(level, kind, attempts);
        const int won = wins(start, playerParams(kind));
        EXPECT_GE(won, band.atLeast) << "of " << attempts << " attempts";
        EXPECT_LE(won, band.atMost) << "of " << attempts << " attempts";
        if (kind != PlayerKind::Average) continue;
        PlayerParams later = playerParams(kind);
        later.reaction += kCliffReactionTicks;
        EXPECT_LE(won - wins(start, later), cliffLosses(attempts)) << "keys later";
    }
}

INSTANTIATE_TEST_SUITE_P(BuiltinLevels, FairLevels, testing::Range(1, kBuiltinLevelCount + 1),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Level" + std::to_string(info.param);
                         });

}  // namespace
