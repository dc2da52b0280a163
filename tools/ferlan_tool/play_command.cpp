// ferlan-tool play (FILE | --level N) [--keys SCRIPT] [--ticks N] [--trace]
//
// Builds a level the way the game does and runs the tick without a window.
// Its trace is compared line by line with other models of the same rules, so
// the output format is fixed.
#include "commands.h"
#include "tool_io.h"

#include <Spiel/sim/key_script.h>
#include <Spiel/sim/session.h>
#include <Spiel/sim/tick.h>
#include <leveldata/level_text.h>

#include <cstdint>
#include <iostream>
#include <iterator>
#include <limits>
#include <string>

namespace ferlan::tool {
namespace {

constexpr std::uintmax_t kMaxKeyScriptBytes = std::uintmax_t{64} * 1024 * 1024;

char polarityLetter(Polarity polarity) {
    switch (polarity) {
        case Polarity::Plus: return 'P';
        case Polarity::Minus: return 'M';
        case Polarity::Neutral: break;
    }
    return 'N';
}

void appendBody(std::string& out, const Image& body, Speed vx, Speed vy) {
    out += '[';
    out += formatJsonNumber(body.Left);
    out += ',';
    out += formatJsonNumber(body.Top);
    out += ',';
    out += std::to_string(vx);
    out += ',';
    out += std::to_string(vy);
    out += ']';
}

void appendTrace(std::string& out, std::int64_t tick, const GameModel& model) {
    out += "{\"t\":";
    out += std::to_string(tick);
    out += ",\"ball\":";
    appendBody(out, model.Eisenkugel, model.BallVX, model.BallVY);
    out += ",\"visible\":";
    out += model.Eisenkugel.Visible ? "true" : "false";
    out += ",\"pol\":\"";
    out += polarityLetter(model.BallPolarity);
    out += "\",\"alarm\":";
    out += model.AlarmOn ? "true" : "false";
    out += ",\"field\":";
    out += formatJsonNumber(model.Spielflaeche.Top);
    out += ",\"kugel\":[";
    bool first = true;
    for (std::size_t k = 1; k <= kMaxKugel; ++k) {
        if (!model.Kugel[k].Visible) continue;
        if (!first) out += ',';
        first = false;
        appendBody(out, model.Kugel[k], model.KugelVX[k], model.KugelVY[k]);
    }
    out += "]}\n";
}

std::optional<std::string> loadKeyScript(const std::string& path, std::string& error) {
    if (path == "-") {
        std::string content((std::istreambuf_iterator<char>(std::cin)),
                            std::istreambuf_iterator<char>());
        if (std::cin.bad()) {
            error = "Standardeingabe nicht lesbar";
            return std::nullopt;
        }
        return content;
    }
    return readSmallFile(path, kMaxKeyScriptBytes, error);
}

}  // namespace

int runPlay(const Arguments& args) {
    const auto usage = [](const std::string& why) {
        std::cerr << "ferlan-tool play: " << why << " (Aufruf: " << kPlaySynopsis << ")\n";
        return kExitUsage;
    };
    std::string why;
    const auto parsed = parseArguments(args, {"--trace"}, {"--keys", "--ticks"}, why);
    if (!parsed) return usage(why);
    const LevelSource& source = parsed->source;
    const bool trace = parsed->has("--trace");
    std::optional<std::string> keysPath;
    if (parsed->has("--keys")) keysPath = std::string(parsed->value("--keys"));
    std::optional<std::int64_t> ticksWanted;
    if (parsed->has("--ticks")) {
        std::int64_t ticks = 0;
        if (!parseWhole<std::int64_t>(parsed->value("--ticks"), 0,
                                      std::numeric_limits<std::int64_t>::max(), ticks)) {
            return usage("--ticks erwartet eine ganze Zahl ab 0, nicht \"" +
                         std::string(parsed->value("--ticks")) + "\"");
        }
        ticksWanted = ticks;
    }

    ToolError error{kExitOk, {}};
    const auto text = loadLevelText(source, error);
    if (!text) {
        std::cerr << "ferlan-tool play: " << error.message << '\n';
        return error.exitCode;
    }
    std::vector<KeyStep> steps;
    if (keysPath) {
        std::string message;
        const auto script = loadKeyScript(*keysPath, message);
        if (!script) {
            std::cerr << "ferlan-tool play: " << message << '\n';
            return kExitUsage;
        }
        KeyScriptError scriptError;
        auto parsed = parseKeyScript(*script, scriptError);
        if (!parsed) {
            std::cerr << "ferlan-tool play: Tastenskript, " << scriptError.message << '\n';
            return kExitUsage;
        }
        steps = std::move(*parsed);
    }

    // Played as the game plays it, so the ticks reported are the time the
    // game keeps for the win.
    Session session;
    const bool built =
        source.builtin != 0 ? session.startBuiltin(source.builtin - 1) : session.startLoaded(*text);
    const GameModel& model = session.field();
    if (!built) {
        std::cerr << kReadErrorMessage << '\n';
        return kExitRejected;
    }

    const std::int64_t scripted = totalTicks(steps);
    if (ticksWanted && *ticksWanted > scripted)
        steps.push_back({HeldKeys{}, *ticksWanted - scripted});

    std::string out;
    const PlayResult played = playKeySteps(session, steps, [&](std::int64_t tick, TickOutcome) {
        if (!trace) return;
        appendTrace(out, tick, model);
        if (out.size() > (1 << 16)) {
            std::cout << out;
            out.clear();
        }
    });
    out += played.won ? "{\"result\":\"won\",\"ticks\":" : "{\"result\":\"playing\",\"ticks\":";
    out += std::to_string(played.ticks);
    out += "}\n";
    std::cout << out << std::flush;
    return std::cout ? kExitOk : kExitUsage;
}

}  // namespace ferlan::tool
