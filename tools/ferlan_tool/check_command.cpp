// ferlan-tool check (FILE | --level N) [--json]
#include "commands.h"
#include "tool_io.h"

#include <leveldata/elements.h>
#include <leveldata/level_text.h>

#include <cctype>
#include <iostream>
#include <span>
#include <string>

namespace ferlan::tool {
namespace {

void printEntries(std::ostream& out, std::span<const LevelEntry> table) {
    out << '[';
    bool first = true;
    for (const LevelEntry& entry : table) {
        if (!entry.used()) continue;
        if (!first) out << ',';
        first = false;
        out << "{\"code\":" << jsonString(entry.code) << ",\"x\":" << formatJsonNumber(entry.x)
            << ",\"y\":" << formatJsonNumber(entry.y) << '}';
    }
    out << ']';
}

void printJson(std::ostream& out, const LevelData& level) {
    out << "{\"height\":" << int{level.height} << ",\"floor\":" << int{level.floor};
    // A kind's field is its code word in lower case.
    forEachKind([&](const KindTraits& kind) {
        std::string field(kind.name);
        field.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(field.front())));
        out << ",\"" << field << "\":";
        printEntries(out, entriesOf(level, kind.kind));
    });
    out << "}\n";
}

void printSummary(std::ostream& out, const LevelData& level) {
    out << "Level in Ordnung: Höhe " << int{level.height} << ", Untergrund " << int{level.floor};
    forEachKind([&](const KindTraits& kind) {
        out << ", " << countUsed(entriesOf(level, kind.kind)) << ' ' << kind.screenMany;
    });
    out << '\n';
}

}  // namespace

int runCheck(const Arguments& args) {
    std::string why;
    const auto parsed = parseArguments(args, {"--json"}, {}, why);
    if (!parsed) {
        std::cerr << "ferlan-tool check: " << why << " (Aufruf: " << kCheckSynopsis << ")\n";
        return kExitUsage;
    }
    const bool json = parsed->has("--json");
    ToolError error{kExitOk, {}};
    const auto text = loadLevelText(parsed->source, error);
    if (!text) {
        std::cerr << "ferlan-tool check: " << error.message << '\n';
        return error.exitCode;
    }
    LevelData level;
    if (!readLevelText(*text, level)) {
        std::cerr << kReadErrorMessage << '\n';
        return kExitRejected;
    }
    if (json) {
        printJson(std::cout, level);
    } else {
        printSummary(std::cout, level);
    }
    return kExitOk;
}

}  // namespace ferlan::tool
