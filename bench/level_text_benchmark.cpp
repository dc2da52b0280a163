// Reading and writing level texts: the longest possible text (25/10/5) and
// built-in level 30.
#include <leveldata/builtin_levels.h>
#include <leveldata/level_text.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string fullLevelText() {
    std::string text = "23;2;";
    for (int i = 0; i < ferlan::kMaxFerlan; ++i) text += "grpp5520 4770 ,";
    text += ';';
    for (int i = 0; i < ferlan::kMaxKugel; ++i) text += "up645  7095 ,";
    text += ';';
    for (int i = 0; i < ferlan::kMaxTransformator; ++i) text += "am3075 10710,";
    return text + ";\r\n";
}

void BM_Read(benchmark::State& state, const std::string& text) {
    ferlan::LevelData data;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ferlan::readLevelText(text, data));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_Write(benchmark::State& state, const std::string& text) {
    ferlan::LevelData data;
    ferlan::readLevelText(text, data);
    for (auto _ : state) {
        auto result = ferlan::writeLevelText(data);
        benchmark::DoNotOptimize(result);
    }
}

BENCHMARK_CAPTURE(BM_Read, FullLevel, fullLevelText());
BENCHMARK_CAPTURE(BM_Read, Level30, std::string(*ferlan::builtinLevelText(29)));
BENCHMARK_CAPTURE(BM_Write, FullLevel, fullLevelText());
BENCHMARK_CAPTURE(BM_Write, Level30, std::string(*ferlan::builtinLevelText(29)));

}  // namespace
