// Any bytes go to the reader; whatever it accepts must write and read back to
// the same level, its coordinates rounded to whole twips.
#include <leveldata/level_text.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace ferlan;

namespace {

template <std::size_t N>
void roundCoordinates(std::array<LevelEntry, N>& table) {
    for (LevelEntry& e : table) {
        e.x = static_cast<Twips>(roundHalfEven(e.x));
        e.y = static_cast<Twips>(roundHalfEven(e.y));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LevelData level;
    if (!readLevelText(text, level)) return 0;

    // A five-character field always holds a number the writer can write back.
    const WriteResult written = writeLevelText(level);
    if (!written.ok()) std::abort();

    LevelData back;
    if (!readLevelText(written.text + "\r\n", back)) std::abort();
    roundCoordinates(level.ferlan);
    roundCoordinates(level.kugel);
    roundCoordinates(level.transformator);
    if (!(back == level)) std::abort();
    return 0;
}
