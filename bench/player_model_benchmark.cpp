// The cost of the player model: one attempt of each player of the ladder on an
// early, a middle and the last built-in level, and what an attempt costs per
// decision. A full ladder run (three players and the slower keys, 20 attempts
// each, 30 levels) is 2,400 such attempts, and "Level prüfen" plays 20 of the
// average player after its search.
#include <Spiel/sim/build_field.h>
#include <leveldata/builtin_levels.h>
#include <solver/player_model.h>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using namespace ferlan;

// state.range(0): the level (1 to 30); state.range(1): the player kind.
void BM_Attempt(benchmark::State& state) {
    GameModel start;
    if (!startBuiltinLevel(start, static_cast<int>(state.range(0)) - 1)) {
        state.SkipWithError("the level does not build");
        return;
    }
    const PlayerParams player = playerParams(static_cast<PlayerKind>(state.range(1)));
    std::uint64_t seed = 1;
    std::int64_t decisions = 0;
    std::int64_t won = 0;
    for (auto _ : state) {
        const AttemptResult attempt = playAttempt(start, player, seed++);
        decisions += attempt.decisions;
        won += attempt.end == AttemptEnd::Won ? 1 : 0;
    }
    const auto attempts = static_cast<double>(state.iterations());
    state.counters["decisions"] = static_cast<double>(decisions) / attempts;
    state.counters["won"] = static_cast<double>(won) / attempts;
    state.counters["per decision"] = benchmark::Counter(
        static_cast<double>(decisions), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void levelsAndPlayers(benchmark::internal::Benchmark* benchmark) {
    for (const int level : {1, 15, 30}) {
        for (const PlayerKind kind : kPlayerKinds) benchmark->Args({level, static_cast<int>(kind)});
    }
}

BENCHMARK(BM_Attempt)
    ->Apply(levelsAndPlayers)
    ->ArgNames({"level", "player"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
