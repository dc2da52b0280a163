#include <leveldata/builtin_levels.h>
#include <leveldata/level_text.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace ferlan;

namespace {

// Retuning a level may move its elements, never change what the set is made of.
TEST(BuiltinLevels, KeepTheirHeightsFloorsCountsAndLengthsAndWriteBackAsTheyAre) {
    // Height, floor, pole blocks, charged balls, polarisers and the text's length.
    const std::tuple<int, int, int, int, int, int> table[kBuiltinLevelCount] = {
        {10, 1, 2, 0, 0, 40},   {13, 2, 3, 2, 0, 81},   {13, 2, 2, 1, 1, 66},
        {16, 3, 4, 2, 3, 135},  {16, 3, 4, 1, 0, 83},   {12, 1, 3, 3, 1, 107},
        {21, 4, 7, 3, 2, 180},  {13, 4, 4, 4, 2, 148},  {16, 2, 5, 10, 2, 241},
        {18, 2, 2, 10, 1, 183}, {11, 1, 6, 2, 0, 126},  {14, 2, 8, 4, 0, 182},
        {12, 4, 6, 6, 0, 178},  {19, 3, 8, 6, 1, 221},  {20, 1, 8, 6, 0, 208},
        {17, 1, 14, 6, 0, 298}, {14, 2, 12, 2, 2, 242}, {23, 2, 9, 7, 1, 249},
        {21, 4, 7, 3, 2, 180},  {10, 1, 5, 2, 0, 111},  {17, 2, 6, 6, 0, 178},
        {20, 3, 8, 5, 0, 195},  {17, 4, 7, 4, 1, 180},  {12, 1, 7, 3, 1, 167},
        {15, 4, 8, 1, 1, 156},  {15, 2, 3, 10, 5, 250}, {23, 2, 9, 10, 3, 314},
        {16, 3, 6, 4, 1, 165},  {14, 4, 10, 4, 1, 225}, {23, 2, 16, 9, 2, 393},
    };
    for (int i = 0; i < kBuiltinLevelCount; ++i) {
        SCOPED_TRACE("level " + std::to_string(i + 1));
        const std::string_view text = *builtinLevelText(i);
        LevelData data;
        ASSERT_TRUE(readLevelText(text, data));
        EXPECT_EQ(
            std::tuple(int(data.height), int(data.floor), countUsed(data.ferlan),
                       countUsed(data.kugel), countUsed(data.transformator), int(text.size())),
            table[i]);
        // The editor writes exactly what the game carries.
        EXPECT_EQ(writeLevelText(data).text + "  ", text);
    }
    EXPECT_EQ(*builtinLevelText(0), "10;1;grpp5520 4770 ,klmm45   4065 ,;;;  ");
    EXPECT_EQ(*builtinLevelText(2),
              "13;2;glup1470 3570 ,grum5715 4965 ,;up645  7095 ,;am3075 10710,;  ");
    EXPECT_FALSE(builtinLevelText(-1));
    EXPECT_FALSE(builtinLevelText(kBuiltinLevelCount));
}

TEST(BuiltinLevels, SevenAndNineteenDifferOnlyInTheirSecondPolariser) {
    LevelData seven;
    LevelData nineteen;
    ASSERT_TRUE(readLevelText(*builtinLevelText(6), seven));
    ASSERT_TRUE(readLevelText(*builtinLevelText(18), nineteen));
    EXPECT_EQ(seven.transformator[1], (LevelEntry{"an", 2370, 5205}));
    EXPECT_EQ(nineteen.transformator[1], (LevelEntry{"am", 2220, 5085}));
    nineteen.transformator[1] = seven.transformator[1];
    EXPECT_EQ(seven, nineteen);
}

}  // namespace
