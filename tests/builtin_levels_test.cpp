#include <leveldata/builtin_levels.h>
#include <leveldata/level_text.h>

#include <gtest/gtest.h>

#include <string>

using namespace ferlan;

namespace {

TEST(BuiltinLevels, EveryLevelReadsAndWritesBackToItsText) {
    for (int i = 0; i < kBuiltinLevelCount; ++i) {
        SCOPED_TRACE("level " + std::to_string(i + 1));
        const std::string_view text = *builtinLevelText(i);
        LevelData data;
        ASSERT_TRUE(readLevelText(text, data));
        // The editor writes exactly what the game carries.
        EXPECT_EQ(writeLevelText(data).text + "  ", text);
    }
    EXPECT_EQ(*builtinLevelText(0), "10;1;grpp5520 4770 ,klmm45   4065 ,;;;  ");
    EXPECT_FALSE(builtinLevelText(-1));
    EXPECT_FALSE(builtinLevelText(kBuiltinLevelCount));
}

}  // namespace
