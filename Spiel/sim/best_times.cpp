#include "best_times.h"

#include "rules.h"
#include "whole_number.h"

namespace ferlan {

namespace {

bool validLevel(int levelNumber) { return levelNumber >= 1 && levelNumber <= kBuiltinLevelCount; }

bool validTime(std::int64_t ticks) { return ticks >= 1 && ticks <= kLongestBestTime; }

}  // namespace

std::optional<std::int64_t> BestTimes::of(int levelNumber) const {
    if (!validLevel(levelNumber)) return std::nullopt;
    const std::int64_t ticks = ticks_[static_cast<std::size_t>(levelNumber - 1)];
    if (ticks == 0) return std::nullopt;
    return ticks;
}

bool BestTimes::offer(int levelNumber, std::int64_t ticks) {
    if (!validLevel(levelNumber) || !validTime(ticks)) return false;
    std::int64_t& kept = ticks_[static_cast<std::size_t>(levelNumber - 1)];
    if (kept != 0 && kept <= ticks) return false;
    kept = ticks;
    return true;
}

void BestTimes::merge(const BestTimes& other) {
    for (int level = 1; level <= kBuiltinLevelCount; ++level) {
        if (const auto ticks = other.of(level)) offer(level, *ticks);
    }
}

BestTimes BestTimes::parse(std::string_view text) {
    BestTimes times;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t space = line.find(' ');
        if (space == std::string_view::npos) continue;
        const auto level = wholeNumber<int>(line.substr(0, space));
        const auto ticks = wholeNumber<std::int64_t>(line.substr(space + 1));
        if (level && ticks) times.offer(*level, *ticks);
    }
    return times;
}

std::string BestTimes::text() const {
    std::string out;
    for (int level = 1; level <= kBuiltinLevelCount; ++level) {
        if (const auto ticks = of(level)) {
            out += std::to_string(level) + ' ' + std::to_string(*ticks) + '\n';
        }
    }
    return out;
}

std::string secondsText(std::int64_t ticks, int decimals) {
    const std::int64_t unit = decimals == 1 ? 10 : 100;
    const std::int64_t parts = (ticks * unit + kTicksPerSecond / 2) / kTicksPerSecond;
    std::string fraction = std::to_string(parts % unit);
    if (unit == 100 && fraction.size() < 2) fraction.insert(0, 1, '0');
    return std::to_string(parts / unit) + ',' + fraction;
}

}  // namespace ferlan
