// ferlan-tool check (FILE | --level N) [--json]
#include "commands.h"
#include "tool_io.h"

#include <leveldata/level_text.h>

#include <iostream>

namespace ferlan::tool {
namespace {

template <std::size_t N>
void printEntries(std::ostream& out, const std::array<LevelEntry, N>& table) {
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
    out << "{\"height\":" << int{level.height} << ",\"floor\":" << int{level.floor}
        << ",\"ferlan\":";
    printEntries(out, level.ferlan);
    out << ",\"kugel\":";
    printEntries(out, level.kugel);
    out << ",\"transformator\":";
    printEntries(out, level.transformator);
    out << "}\n";
}

void printSummary(std::ostream& out, const LevelData& level) {
    out << "Level in Ordnung: Höhe " << int{level.height} << ", Untergrund " << int{level.floor}
        << ", " << countUsed(level.ferlan) << " Ferlanen, " << countUsed(level.kugel)
        << " Ferlankugeln, " << countUsed(level.transformator) << " Ferlanisatoren\n";
}

}  // namespace

int runCheck(const Arguments& args) {
    std::string why;
    const auto parsed = parseArguments(args, {"--json"}, {}, why);
    if (!parsed) {
        std::cerr << "ferlan-tool check: " << why
                  << " (Aufruf: ferlan-tool check (DATEI | --level N) [--json])\n";
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
