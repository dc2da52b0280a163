// ferlan-tool playtest (FILE | --level N) [--attempts A] [--seed S] [--decide D]
//                      [--reaction R] [--jitter J] [--stats]
//
// Lets the player model try the level A times and says how each attempt ended
// and how many were won. The same seed always gives the same attempts.
#include "commands.h"
#include "tool_io.h"

#include <Spiel/sim/build_field.h>
#include <leveldata/level_text.h>
#include <solver/player_model.h>

#include <charconv>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>

namespace ferlan::tool {
namespace {

constexpr std::string_view kSynopsis =
    "ferlan-tool playtest (DATEI | --level N) [--attempts A] [--seed S] [--decide D] "
    "[--reaction R] [--jitter J] [--stats]";

template <typename Number>
bool parseWhole(std::string_view value, Number low, Number high, Number& number) {
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    return !value.empty() && value[0] != '-' && ec == std::errc{} &&
           end == value.data() + value.size() && number >= low && number <= high;
}

std::string describe(const AttemptResult& attempt) {
    const std::string ticks = std::to_string(attempt.ticks) + " ticks";
    // Where the ball was left shows the designer the place to look at.
    const std::string where =
        " at " + formatJsonNumber(attempt.ballLeft) + ", " + formatJsonNumber(attempt.ballTop);
    switch (attempt.end) {
        case AttemptEnd::Won: return "won after " + ticks;
        case AttemptEnd::Caught: return "caught, given up after " + ticks + where;
        case AttemptEnd::OutOfTime: break;
    }
    return "out of time after " + ticks + where;
}

}  // namespace

int runPlaytest(const Arguments& args) {
    const auto usage = [](const std::string& why) {
        std::cerr << "ferlan-tool playtest: " << why << " (Aufruf: " << kSynopsis << ")\n";
        return kExitUsage;
    };
    std::string why;
    const auto parsed = parseArguments(
        args, {"--stats"}, {"--attempts", "--seed", "--decide", "--reaction", "--jitter"}, why);
    if (!parsed) return usage(why);
    PlaytestOptions options;
    struct IntOption {
        std::string_view name;
        int* target;
        int low;
        int high;
    };
    // Bounds that keep one run short: a decision at least every second, a
    // reaction of at most two seconds.
    const IntOption intOptions[] = {
        {"--attempts", &options.attempts, 1, 10000},
        {"--decide", &options.player.decide, 1, kTicksPerSecond},
        {"--reaction", &options.player.reaction, 0, 2 * kTicksPerSecond},
        {"--jitter", &options.player.jitter, 0, kTicksPerSecond},
    };
    for (const IntOption& option : intOptions) {
        if (!parsed->has(option.name)) continue;
        if (!parseWhole(parsed->value(option.name), option.low, option.high, *option.target)) {
            return usage(std::string(option.name) + " erwartet eine ganze Zahl von " +
                         std::to_string(option.low) + " bis " + std::to_string(option.high) +
                         ", nicht \"" + std::string(parsed->value(option.name)) + "\"");
        }
    }
    if (parsed->has("--seed") &&
        !parseWhole<std::uint64_t>(parsed->value("--seed"), 0, UINT64_MAX / 2, options.seed)) {
        return usage("--seed erwartet eine ganze Zahl ab 0, nicht \"" +
                     std::string(parsed->value("--seed")) + "\"");
    }

    ToolError error{kExitOk, {}};
    const auto text = loadLevelText(parsed->source, error);
    if (!text) {
        std::cerr << "ferlan-tool playtest: " << error.message << '\n';
        return error.exitCode;
    }
    GameModel start;
    const bool built = parsed->source.builtin != 0
                           ? startBuiltinLevel(start, parsed->source.builtin - 1)
                           : startLoadedLevel(start, *text);
    if (!built) {
        std::cerr << "ferlan-tool playtest: " << kReadErrorMessage << '\n';
        return kExitRejected;
    }

    const auto began = std::chrono::steady_clock::now();
    const std::vector<AttemptResult> attempts = playtest(start, options);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::ostringstream out;
    int won = 0;
    std::int64_t states = 0;
    std::int64_t decisions = 0;
    for (std::size_t n = 0; n < attempts.size(); ++n) {
        const AttemptResult& attempt = attempts[n];
        if (attempt.end == AttemptEnd::Won) ++won;
        states += attempt.statesSearched;
        decisions += attempt.decisions;
        out << "attempt " << n + 1 << " (seed " << attempt.seed << "): " << describe(attempt)
            << '\n';
    }
    if (parsed->has("--stats")) {
        out.precision(2);
        out << std::fixed << "# decisions: " << decisions << ", states searched: " << states << " ("
            << statesPerDecision() << " per decision), seconds: " << seconds << '\n';
        if (parsed->source.builtin != 0) {
            out << "# needed for its place in the set: "
                << fairWins(parsed->source.builtin, options.attempts) << " of " << attempts.size()
                << '\n';
        }
    }
    out << "won " << won << " of " << attempts.size() << '\n';
    std::cout << out.str() << std::flush;
    return std::cout ? kExitOk : kExitUsage;
}

}  // namespace ferlan::tool
