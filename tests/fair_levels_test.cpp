// Every built-in level is won by the player model often enough for its place
// in the set (fairWins: 16 of 20 attempts for levels 1 to 10, 13 for 11 to 20
// and 10 for 21 to 30). The attempts are the same on every machine, so this guards the
// tick, the model and the level texts together: a change to any of them that
// makes a level unfair shows here.
#include <Spiel/sim/build_field.h>
#include <leveldata/builtin_levels.h>
#include <solver/player_model.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace ferlan;

namespace {

class FairLevels : public testing::TestWithParam<int> {};

TEST_P(FairLevels, ThePlayerModelWinsEnoughAttempts) {
    const int level = GetParam();
    GameModel start;
    ASSERT_TRUE(startBuiltinLevel(start, level - 1));
    const std::vector<AttemptResult> attempts = playtest(start, PlaytestOptions{});
    const auto won = std::count_if(attempts.begin(), attempts.end(),
                                   [](const auto& a) { return a.end == AttemptEnd::Won; });
    const int attemptCount = static_cast<int>(attempts.size());
    EXPECT_GE(won, fairWins(level, attemptCount)) << "of " << attemptCount << " attempts";
}

INSTANTIATE_TEST_SUITE_P(BuiltinLevels, FairLevels, testing::Range(1, kBuiltinLevelCount + 1),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Level" + std::to_string(info.param);
                         });

}  // namespace
