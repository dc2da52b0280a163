// ferlan-tool check (FILE | --level N) [--json]
#include "commands.h"
#include "tool_io.h"

#include <level_text.h>

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
    LevelSource source;
    bool json = false;
    bool haveSource = false;
    ToolError error{kExitOk, {}};
    const auto usage = [](const std::string& why) {
        std::cerr << "ferlan-tool check: " << why
                  << " (Aufruf: ferlan-tool check (DATEI | --level N) [--json])\n";
        return kExitUsage;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--level") {
            if (haveSource) return usage("nur eine Level-Angabe erlaubt");
            if (i + 1 >= args.size()) return usage("--level ohne Nummer");
            if (!parseLevelNumber(args[++i], source, error)) return usage(error.message);
            haveSource = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage("unbekannte Option " + std::string(arg));
        } else {
            if (haveSource) return usage("nur eine Level-Angabe erlaubt");
            source.file = std::string(arg);
            haveSource = true;
        }
    }
    if (!haveSource) return usage("keine Level-Angabe");

    const auto text = loadLevelText(source, error);
    if (!text) {
        std::cerr << "ferlan-tool check: " << error.message << '\n';
        return error.exitCode;
    }
    LevelData level;
    if (!ReadLevelText(*text, level)) {
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
