// A level text and a key sequence, split at the first 0xFF byte. Each key byte
// holds the arrow keys in its low four bits and how many ticks to hold them
// (1 to 16) in its high four. Half the inputs play a built-in level instead of
// the text, chosen by the text's length; won built-in levels chain on to the
// next one, so the level start path is exercised too.
#include <Spiel/sim/key_script.h>
#include <Spiel/sim/session.h>
#include <Spiel/sim/tick.h>
#include <leveldata/builtin_levels.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace ferlan;

namespace {

constexpr int kMaxTicks = 4000;

class NoStore : public ProgressStore {
public:
    void recordWin(int, int) override {}
    void recordTime(int, std::int64_t) override {}
};

void checkInvariants(const GameModel& model) {
    if (model.NextFerlan < 1 || model.NextFerlan > kMaxFerlan + 1) std::abort();
    if (model.NextKugel < 1 || model.NextKugel > kMaxKugel + 1) std::abort();
    if (model.NextTransformator < 1 || model.NextTransformator > kMaxTransformator + 1)
        std::abort();
    if (!std::isfinite(model.Eisenkugel.Left) || !std::isfinite(model.Eisenkugel.Top)) std::abort();
    if (!std::isfinite(model.Spielflaeche.Top)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\xff');
    const std::string_view text = input.substr(0, split);
    const std::string_view keys =
        split == std::string_view::npos ? std::string_view{} : input.substr(split + 1);

    Session session;
    const bool builtin = (size % 2) == 0;
    const int index = static_cast<int>(text.size() % kBuiltinLevelCount);
    if (!(builtin ? session.startBuiltin(index) : session.startLoaded(std::string(text)))) return 0;

    GameModel& model = session.field();
    NoStore store;
    int ticks = 0;
    for (const char byte : keys) {
        const auto bits = static_cast<unsigned char>(byte);
        holdKeys(model, {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0});
        for (int repeat = 0; repeat <= (bits >> 4); ++repeat) {
            if (session.tick() == TickOutcome::Won) session.finishLevel(store);
            checkInvariants(model);
            if (++ticks >= kMaxTicks) return 0;
        }
    }
    return 0;
}
