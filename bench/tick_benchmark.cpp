// The cost of one tick of the game on a crowded level and on the last
// built-in level. The ball is put back among the elements every few hundred
// ticks so that it never settles somewhere cheap.
#include <Spiel/sim/build_field.h>
#include <Spiel/sim/field.h>
#include <Spiel/sim/game_shell.h>
#include <Spiel/sim/tick.h>
#include <leveldata/level_text.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

using namespace ferlan;

// 25 poles from both walls down the whole height, 10 charged balls and 5
// polarisers between them.
std::string fullLevelText() {
    std::string text = "23;3;";
    const char* poleCodes[] = {"grpp", "klmm", "glum", "krup", "grmm", "klpp", "glpp", "krmm"};
    for (int i = 0; i < 25; ++i) {
        const bool right = i % 2 == 0;
        const std::string code = poleCodes[i % 8];
        const std::string sided = std::string{code[0], right ? 'r' : 'l', code[2], code[3]};
        const int x = right ? 5775 : 45;
        const int y = 1500 + i * 800;
        text += sided + formatCoordinate(static_cast<Twips>(x)) +
                formatCoordinate(static_cast<Twips>(y)) + ",";
    }
    text += ";";
    const char* ballCodes[] = {"pp", "mm", "up", "um"};
    for (int k = 0; k < 10; ++k) {
        text += std::string(ballCodes[k % 4]) + formatCoordinate(1500.0f + (k % 3) * 1200.0f) +
                formatCoordinate(5000.0f + k * 1300.0f) + ",";
    }
    text += ";";
    const char* pipeCodes[] = {"ap", "am", "an", "ap", "am"};
    for (int t = 0; t < 5; ++t) {
        text += std::string(pipeCodes[t]) + formatCoordinate(2500.0f + (t % 2) * 1200.0f) +
                formatCoordinate(7000.0f + t * 2500.0f) + ",";
    }
    return text + ";  ";
}

// What the tick changes; put back to keep the ball among the elements.
struct Motion {
    Image ball;
    Speed vx, vy;
    std::array<Image, kMaxKugel + 1> kugel;
    std::array<Disc, 3 * kMaxKugel + 1> discs;
    std::array<Speed, kMaxKugel + 1> kvx, kvy;
    FieldObject field;
    Polarity polarity;

    explicit Motion(const GameModel& m)
        : ball(m.Eisenkugel),
          vx(m.BallVX),
          vy(m.BallVY),
          kugel(m.Kugel),
          discs(m.Anziehung2),
          kvx(m.KugelVX),
          kvy(m.KugelVY),
          field(m.Spielflaeche),
          polarity(m.BallPolarity) {}

    void restore(GameModel& m) const {
        m.Eisenkugel = ball;
        m.BallVX = vx;
        m.BallVY = vy;
        m.Kugel = kugel;
        m.Anziehung2 = discs;
        m.KugelVX = kvx;
        m.KugelVY = kvy;
        m.Spielflaeche = field;
        m.BallPolarity = polarity;
    }
};

class NoShell : public GameShell {
public:
    void writeProgress(int) override {}
    void levelClick(int) override {}
};

void runTicks(benchmark::State& state, GameModel& model) {
    const Motion start(model);
    NoShell shell;
    int sinceRestore = 0;
    std::int64_t alarmTicks = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(runTick(model, shell));
        alarmTicks += model.AlarmOn ? 1 : 0;
        if (++sinceRestore == 64) {
            start.restore(model);
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
    model.KeyUpHeld = true;
    model.KeyLeftHeld = true;
    runTicks(state, model);
}
BENCHMARK(BM_TickFullLevel);

void BM_TickLevel30(benchmark::State& state) {
    GameModel model;
    if (!startBuiltinLevel(model, 29)) {
        state.SkipWithError("level 30 does not read");
        return;
    }
    NoShell shell;
    for (int n = 0; n < 37; ++n) runTick(model, shell);  // out of the entry pipe
    model.KeyUpHeld = true;
    runTicks(state, model);
}
BENCHMARK(BM_TickLevel30);

}  // namespace
