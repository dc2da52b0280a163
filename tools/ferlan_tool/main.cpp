// ferlan-tool: the headless companion of the game and the editor.
#include "commands.h"
#include "tool_io.h"

#include <iostream>
#include <string_view>

namespace {

struct Subcommand {
    std::string_view name;
    int (*run)(const ferlan::tool::Arguments&);
    std::string_view synopsis;
};

constexpr Subcommand kSubcommands[] = {
    {"check", ferlan::tool::runCheck, ferlan::tool::kCheckSynopsis},
    {"play", ferlan::tool::runPlay, ferlan::tool::kPlaySynopsis},
    {"solve", ferlan::tool::runSolve, ferlan::tool::kSolveSynopsis},
    {"playtest", ferlan::tool::runPlaytest, ferlan::tool::kPlaytestSynopsis},
};

int printUsage(std::ostream& out, int exitCode) {
    out << "Aufruf:\n";
    for (const Subcommand& sub : kSubcommands) out << "  " << sub.synopsis << '\n';
    out << "  ferlan-tool --version\n";
    return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "ferlan-tool: Befehl fehlt; --help zeigt die Aufrufe\n";
        return ferlan::tool::kExitUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h") return printUsage(std::cout, ferlan::tool::kExitOk);
    if (name == "--version") {
        std::cout << "ferlan-tool " << FERLAN_VERSION << '\n';
        return ferlan::tool::kExitOk;
    }
    for (const Subcommand& sub : kSubcommands) {
        if (sub.name == name) {
            const ferlan::tool::Arguments args(argv + 2, argv + argc);
            return sub.run(args);
        }
    }
    std::cerr << "ferlan-tool: unbekannter Befehl \"" << name << "\"; --help zeigt die Aufrufe\n";
    return ferlan::tool::kExitUsage;
}
