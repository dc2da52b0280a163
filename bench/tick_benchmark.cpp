// The cost of one tick of the game on a crowded level and on the last
// built-in level. The model is put back every few hundred ticks so that the
// ball never settles somewhere cheap.
#include <Spiel/sim/build_field.h>
#include <Spiel/sim/tick.h>
#include <leveldata/level_text.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

using namespace ferlan;

std::string entry(const std::string& code, float x, float y) {
    return code + formatCoordinate(x) + formatCoordinate(y) + ",";
}

// 25 poles from both walls down the whole height, 10 charged balls and 5
// polarisers between them.
std::string fullLevelText() {
    const char* poles[] = {"grpp", "klmm", "grum", "klup", "grmm", "klpp", "grpp", "klmm"};
    const char* balls[] = {"pp", "mm", "up", "um"};
    const char* pipes[] = {"ap", "am", "an", "ap", "am"};
    std::string text = "23;3;";
    for (int i = 0; i < 25; ++i) text += entry(poles[i % 8], i % 2 ? 45 : 5775, 1500 + i * 800);
    text += ";";
    for (int k = 0; k < 10; ++k) text += entry(balls[k % 4], 1500 + k % 3 * 1200, 5000 + k * 1300);
    text += ";";
    for (int t = 0; t < 5; ++t) text += entry(pipes[t], 2500 + t % 2 * 1200, 7000 + t * 2500);
    return text + ";  ";
}

void runTicks(benchmark::State& state, GameModel& model) {
    const GameModel start = model;
    int sinceRestore = 0;
    std::int64_t alarmTicks = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(runTick(model));
        alarmTicks += model.AlarmOn ? 1 : 0;
        if (++sinceRestore == 256) {
            model = start;
            sinceRestore = 0;
        }
    }
    // The share of ticks with the ball in some element's outer disc.
    state.counters["alarm"] =
        static_cast<double>(alarmTicks) / static_cast<double>(state.iterations());
    state.counters["ticks/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_TickFullLevel(benchmark::State& state) {
    GameModel model;
    if (!startLoadedLevel(model, fullLevelText())) {
        state.SkipWithError("the full level does not read");
        return;
    }
    model.Eisenkugel.Left = 2900;
    model.Eisenkugel.Top = 9000;
    model.KeyUpHeld = model.KeyLeftHeld = true;
    runTicks(state, model);
}
BENCHMARK(BM_TickFullLevel);

void BM_TickLevel30(benchmark::State& state) {
    GameModel model;
    if (!startBuiltinLevel(model, 29)) {
        state.SkipWithError("level 30 does not read");
        return;
    }
    for (int n = 0; n < 37; ++n) runTick(model);  // out of the entry pipe
    model.KeyUpHeld = true;
    runTicks(state, model);
}
BENCHMARK(BM_TickLevel30);

}  // namespace
