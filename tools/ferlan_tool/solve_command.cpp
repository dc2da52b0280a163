// ferlan-tool solve (FILE | --level N) [--max-ticks N] [--seconds S] [--stats]
//
// Prints arrow-key input that wins the level, in the key script format of
// ferlan-tool play, or says that the search gave up.
#include "commands.h"
#include "tool_io.h"

#include <Spiel/sim/build_field.h>
#include <leveldata/level_text.h>
#include <solver/replay_report.h>
#include <solver/solver.h>

#include <charconv>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>

namespace ferlan::tool {
namespace {

// The tick count is kept in 32 bits inside the search.
constexpr std::int64_t kMostTicks = 100'000'000;

bool parseSeconds(std::string_view value, double& seconds) {
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    return !value.empty() && ec == std::errc{} && end == value.data() + value.size() &&
           std::isfinite(seconds) && seconds > 0;
}

std::string formatSeconds(double seconds) {
    std::ostringstream out;
    out.precision(seconds < 10 ? 2 : 0);
    out << std::fixed << seconds;
    return out.str();
}

std::string whyGivenUp(const SolveResult& result, const SolveOptions& options) {
    const std::string searched = std::to_string(result.statesSearched) + " Zustände durchsucht";
    switch (result.outcome) {
        case SolveOutcome::OutOfTime:
            return "keine Lösung in " + formatSeconds(options.seconds) + " s gefunden (" +
                   searched + ")";
        case SolveOutcome::OutOfStates:
            return "keine Lösung gefunden, Grenze von " + std::to_string(result.statesKept) +
                   " gespeicherten Zuständen erreicht (" + searched + ")";
        case SolveOutcome::Exhausted:
        case SolveOutcome::Won: break;
    }
    return "keine Lösung innerhalb von " + std::to_string(options.maxTicks) +
           " Ticks: jeder erreichbare Zustand durchsucht (" + searched + ")";
}

void printStats(std::ostream& out, const GameModel& start, const SolveResult& result) {
    const ReplayReport report = reportReplay(start, result.steps);
    const auto list = [&](const char* what, const std::vector<std::int64_t>& ticks) {
        out << "# " << what << ':';
        for (const std::int64_t n : ticks) out << ' ' << n;
        out << '\n';
    };
    out << "# Zustände durchsucht: " << result.statesSearched
        << ", gespeichert: " << result.statesKept << ", Sekunden: " << formatSeconds(result.seconds)
        << ", Tastenwechsel: " << (result.steps.empty() ? 0 : result.steps.size() - 1) << '\n';
    list("Ticks an Ferlanen", report.ticksOf(ElementKind::Ferlan));
    list("Ticks an Ferlankugeln", report.ticksOf(ElementKind::Kugel));
    list("Ticks in Ferlanisatoren", report.ticksOf(ElementKind::Transformator));
}

}  // namespace

int runSolve(const Arguments& args) {
    const auto usage = [](const std::string& why) {
        std::cerr << "ferlan-tool solve: " << why << " (Aufruf: " << kSolveSynopsis << ")\n";
        return kExitUsage;
    };
    std::string why;
    const auto parsed = parseArguments(args, {"--stats"}, {"--max-ticks", "--seconds"}, why);
    if (!parsed) return usage(why);
    const LevelSource& source = parsed->source;
    const bool stats = parsed->has("--stats");
    SolveOptions options;
    options.threads = defaultSolveThreads();
    if (parsed->has("--max-ticks") &&
        !parseWhole<std::int64_t>(parsed->value("--max-ticks"), 1, kMostTicks, options.maxTicks)) {
        return usage(wholeNumberExpected<std::int64_t>("--max-ticks", 1, kMostTicks,
                                                       parsed->value("--max-ticks")));
    }
    if (parsed->has("--seconds") && !parseSeconds(parsed->value("--seconds"), options.seconds)) {
        return usage("--seconds erwartet eine Zahl größer als 0, nicht \"" +
                     std::string(parsed->value("--seconds")) + "\"");
    }

    ToolError error{kExitOk, {}};
    const auto text = loadLevelText(source, error);
    if (!text) {
        std::cerr << "ferlan-tool solve: " << error.message << '\n';
        return error.exitCode;
    }
    GameModel start;
    const bool built = source.builtin != 0 ? startBuiltinLevel(start, source.builtin - 1)
                                           : startLoadedLevel(start, *text);
    if (!built) {
        std::cerr << "ferlan-tool solve: " << kReadErrorMessage << '\n';
        return kExitUsage;
    }

    const SolveResult result = solveLevel(start, options);
    if (result.outcome != SolveOutcome::Won) {
        std::cerr << "ferlan-tool solve: " << whyGivenUp(result, options) << '\n';
        return kExitRejected;
    }
    std::string out;
    for (const KeyStep& step : result.steps) out += formatKeyStep(step) + '\n';
    std::cout << out;
    if (stats) printStats(std::cout, start, result);
    std::cout << "# won after " << result.ticks << " ticks\n" << std::flush;
    return std::cout ? kExitOk : kExitUsage;
}

}  // namespace ferlan::tool
