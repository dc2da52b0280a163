// ferlan-tool playtest (FILE | --level N) [--player novice|average|skilled]
//                      [--attempts A] [--seed S] [--decide D] [--reaction R]
//                      [--jitter J] [--sight-error E] [--speed-looks K]
//                      [--place-error P] [--exact-sight] [--as-level N] [--stats]
//
// Lets the player model try the level A times and says how each attempt ended
// and how many were won. The same seed always gives the same attempts.
// --as-level judges a level file against the band of place N in the set, for
// trying out a new layout of a built-in level before it replaces the old one.
#include "commands.h"
#include "tool_io.h"

#include <Spiel/sim/build_field.h>
#include <leveldata/builtin_levels.h>
#include <leveldata/level_text.h>
#include <solver/player_model.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <limits>
#include <map>
#include <sstream>
#include <string>

namespace ferlan::tool {
namespace {

constexpr struct {
    std::string_view name;
    PlayerKind kind;
} kPlayers[] = {
    {"novice", PlayerKind::Novice},
    {"average", PlayerKind::Average},
    {"skilled", PlayerKind::Skilled},
};

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

// The element nearest to where a lost attempt left the ball, by centres; a
// pole counts by its centre marker, where it catches the ball.
std::string nearestElement(const GameModel& start, const AttemptResult& attempt) {
    const float ballX = attempt.ballLeft + kBallSize / 2;
    const float ballY = attempt.ballTop + kBallSize / 2;
    std::string nearest = "nothing";
    float best = std::numeric_limits<float>::max();
    const auto consider = [&](const FieldObject& object, const std::string& name) {
        const float dx = object.Left + object.Width / 2 - ballX;
        const float dy = object.Top + object.Height / 2 - ballY;
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            nearest = name;
        }
    };
    forEachKind([&](const KindTraits& kind) {
        const auto slots = fieldSlots(start, kind.kind);
        for (std::size_t n = 1; n < slots.images.size(); ++n) {
            if (!slots.images[n].Visible) continue;
            const bool pole = kind.kind == ElementKind::Ferlan;
            consider(pole ? start.Zentrum[n] : slots.images[n],
                     std::string(kind.name) + " " + std::to_string(n));
        }
    });
    return nearest;
}

}  // namespace

int runPlaytest(const Arguments& args) {
    const auto usage = [](const std::string& why) {
        std::cerr << "ferlan-tool playtest: " << why << " (Aufruf: " << kPlaytestSynopsis << ")\n";
        return kExitUsage;
    };
    std::string why;
    const auto parsed =
        parseArguments(args, {"--stats", "--exact-sight"},
                       {"--player", "--attempts", "--seed", "--decide", "--reaction", "--jitter",
                        "--sight-error", "--speed-looks", "--place-error", "--as-level"},
                       why);
    if (!parsed) return usage(why);
    PlaytestOptions options;
    PlayerKind kind = PlayerKind::Average;
    if (parsed->has("--player")) {
        const auto found =
            std::find_if(std::begin(kPlayers), std::end(kPlayers),
                         [&](const auto& p) { return p.name == parsed->value("--player"); });
        if (found == std::end(kPlayers)) {
            return usage("--player erwartet novice, average oder skilled, nicht \"" +
                         std::string(parsed->value("--player")) + "\"");
        }
        kind = found->kind;
    }
    options.player = playerParams(kind);
    if (parsed->has("--exact-sight")) options.player = withExactSight(options.player);
    struct IntOption {
        std::string_view name;
        int* target;
        int low;
        int high;
    };
    // Bounds that keep one run short: a decision at least every second, a
    // reaction of at most two seconds; errors of at most a ball's width.
    constexpr int kBallWidth = static_cast<int>(kBallSize);
    const IntOption intOptions[] = {
        {"--attempts", &options.attempts, 1, 10000},
        {"--decide", &options.player.decide, 1, kTicksPerSecond},
        {"--reaction", &options.player.reaction, 0, 2 * kTicksPerSecond},
        {"--jitter", &options.player.jitter, 0, kTicksPerSecond},
        {"--sight-error", &options.player.sightError, 0, kBallWidth},
        {"--speed-looks", &options.player.speedLooks, 0, 16},
        {"--place-error", &options.player.placeError, 0, kBallWidth},
    };
    for (const IntOption& option : intOptions) {
        if (!parsed->has(option.name)) continue;
        if (!parseWhole(parsed->value(option.name), option.low, option.high, *option.target)) {
            return usage(wholeNumberExpected(option.name, option.low, option.high,
                                             parsed->value(option.name)));
        }
    }
    // Attempt k plays seed S + k - 1: half the range leaves room for every count.
    constexpr std::uint64_t kMostSeed = std::numeric_limits<std::uint64_t>::max() / 2;
    if (parsed->has("--seed") &&
        !parseWhole<std::uint64_t>(parsed->value("--seed"), 0, kMostSeed, options.seed)) {
        return usage(
            wholeNumberExpected<std::uint64_t>("--seed", 0, kMostSeed, parsed->value("--seed")));
    }

    int place = parsed->source.builtin;
    if (parsed->has("--as-level") &&
        (place != 0 || !parseWhole(parsed->value("--as-level"), 1, kBuiltinLevelCount, place))) {
        return usage("--as-level erwartet zu einer Level-Datei eine Zahl von 1 bis " +
                     std::to_string(kBuiltinLevelCount) + ", nicht \"" +
                     std::string(parsed->value("--as-level")) + "\"");
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
    int caught = 0;
    std::int64_t states = 0;
    std::int64_t decisions = 0;
    std::map<std::string, int> lostNear;
    for (std::size_t n = 0; n < attempts.size(); ++n) {
        const AttemptResult& attempt = attempts[n];
        if (attempt.end == AttemptEnd::Won) {
            ++won;
        } else {
            caught += attempt.end == AttemptEnd::Caught ? 1 : 0;
            ++lostNear[nearestElement(start, attempt)];
        }
        states += attempt.statesSearched;
        decisions += attempt.decisions;
        out << "attempt " << n + 1 << " (seed " << attempt.seed << "): " << describe(attempt)
            << '\n';
    }
    if (parsed->has("--stats")) {
        out.precision(2);
        out << std::fixed << "# decisions: " << decisions << ", states searched: " << states << " ("
            << statesPerDecision() << " per decision), seconds: " << seconds << '\n';
        const std::size_t lost = attempts.size() - static_cast<std::size_t>(won);
        out << "# ended: won " << won << ", caught " << caught << ", out of time "
            << lost - static_cast<std::size_t>(caught) << '\n';
        if (!lostNear.empty()) {
            out << "# lost ones ended near:";
            const char* separator = " ";
            for (const auto& [element, count] : lostNear) {
                out << separator << element << " (" << count << ")";
                separator = ", ";
            }
            out << '\n';
        }
        if (place != 0) {
            const WinBand band = fairWins(place, kind, options.attempts);
            out << "# needed for its place in the set: " << band.atLeast << " of "
                << attempts.size();
            if (band.atMost < options.attempts) out << ", at most " << band.atMost;
            out << '\n';
        }
    }
    out << "won " << won << " of " << attempts.size() << '\n';
    std::cout << out.str() << std::flush;
    return std::cout ? kExitOk : kExitUsage;
}

}  // namespace ferlan::tool
