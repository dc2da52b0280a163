// The player's fastest win of each built-in level, counted in ticks from the
// level's build to the win, so a time is exact and the same on every machine.
// The text form is one line per won level, "<level> <ticks>", sorted by level.
#pragma once

#include <leveldata/builtin_levels.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ferlan {

// About eight months of play: anything longer in a file is damage.
inline constexpr std::int64_t kLongestBestTime = 999'999'999;

class BestTimes {
public:
    // The best time of built-in level `levelNumber` (1 to 30), if it was won.
    std::optional<std::int64_t> of(int levelNumber) const;
    // Keeps `ticks` when it beats the level's best time or none is kept; true
    // then. A time is never made worse, and one out of range is refused.
    bool offer(int levelNumber, std::int64_t ticks);
    // Keeps the faster time of each level.
    void merge(const BestTimes& other);

    // A damaged line is skipped and costs nothing else; of two lines for one
    // level the faster counts.
    static BestTimes parse(std::string_view text);
    std::string text() const;

    bool operator==(const BestTimes&) const = default;

private:
    std::array<std::int64_t, kBuiltinLevelCount> ticks_{};  // 0: not won
};

// A time as the player reads it: seconds with a decimal comma, rounded to
// the nearest hundredth ("6,02") or, for a clock that runs, tenth ("6,0").
std::string secondsText(std::int64_t ticks, int decimals = 2);

}  // namespace ferlan
