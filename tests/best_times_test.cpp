// The best times: which lines of a times file count, and that a time is never made worse.
#include <Spiel/sim/best_times.h>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <utility>

namespace ferlan {
namespace {

TEST(BestTimes, ADamagedLineIsSkippedAndCostsNothingElse) {
    const auto level5 = [](const std::string& line) {
        const BestTimes times = BestTimes::parse("1 100\n" + line + "\n30 9\n");
        EXPECT_EQ(times.of(1), 100) << line;
        EXPECT_EQ(times.of(30), 9) << line;
        return times.of(5);
    };
    const std::pair<const char*, std::int64_t> kept[] = {
        {"5 385", 385}, {"5 385\r", 385}, {"5 1", 1}, {"5 999999999", 999'999'999}, {"05 7", 7}};
    for (const auto& [line, ticks] : kept) EXPECT_EQ(level5(line), ticks) << line;
    for (const char* line : {"5 1000000000", "5 0", "5 -3", "5 +3", "5 3.5", "5 3 ", "5  3", "5",
                             "5 99999999999999999999999", "x5 7", "", "\xff\xfe"}) {
        EXPECT_EQ(level5(line), std::nullopt) << line;
    }
}

TEST(BestTimes, OnlyTheThirtyBuiltInLevelsKeepTimes) {
    for (const int level : {0, 1, 30, 31, -1}) {
        const bool kept = level >= 1 && level <= kBuiltinLevelCount;
        EXPECT_EQ(BestTimes().offer(level, 50), kept) << level;
        EXPECT_EQ(BestTimes::parse(std::to_string(level) + " 50").text().empty(), !kept) << level;
    }
}

TEST(BestTimes, AWinIsKeptOnlyWhenFaster) {
    BestTimes times;
    EXPECT_TRUE(times.offer(3, 454));   // the first win
    EXPECT_FALSE(times.offer(3, 455));  // slower
    EXPECT_FALSE(times.offer(3, 454));  // as fast is no new best
    EXPECT_EQ(times.of(3), 454);
    EXPECT_TRUE(times.offer(3, 453));
    EXPECT_EQ(times.of(3), 453);
    EXPECT_FALSE(times.offer(3, 0));
    EXPECT_EQ(BestTimes::parse("3 9\n3 7\n3 8\n").of(3), 7);  // the faster of two lines

    BestTimes other = BestTimes::parse("3 500\n4 60\n");
    other.merge(times);
    EXPECT_EQ(other.text(), "3 453\n4 60\n");
    EXPECT_EQ(BestTimes::parse(other.text()), other);
}

TEST(BestTimes, SecondsAreReadWithADecimalCommaToTheNearestHundredthOrTenth) {
    const std::tuple<std::int64_t, int, const char*> cases[] = {
        {1, 2, "0,02"},    {64, 2, "1,00"},
        {385, 2, "6,02"},  {454, 2, "7,09"},
        {640, 2, "10,00"}, {6399, 2, "99,98"},
        {63, 2, "0,98"},   {2, 2, "0,03"},
        {3, 2, "0,05"},  // 4.6875 rounds up
        {32, 2, "0,50"},   {kLongestBestTime, 2, "15624999,98"},
        {0, 1, "0,0"},     {3, 1, "0,0"},
        {4, 1, "0,1"},     {64, 1, "1,0"},
        {637, 1, "10,0"},  {634, 1, "9,9"},
    };
    for (const auto& [ticks, decimals, shown] : cases)
        EXPECT_EQ(secondsText(ticks, decimals), shown) << ticks;
}

}  // namespace
}  // namespace ferlan
