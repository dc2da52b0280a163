// Any bytes read as a best-times file: nothing out of range is kept, and what
// is kept reads back from its own text unchanged.
#include <Spiel/sim/best_times.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace ferlan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BestTimes times =
        BestTimes::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (int level = 1; level <= kBuiltinLevelCount; ++level) {
        const auto ticks = times.of(level);
        if (ticks && (*ticks < 1 || *ticks > kLongestBestTime)) std::abort();
    }
    if (!(BestTimes::parse(times.text()) == times)) std::abort();
    return 0;
}
