// The subcommands of ferlan-tool. Each takes the arguments after its name and
// returns the process exit code.
#pragma once

#include "tool_io.h"

#include <string_view>

namespace ferlan::tool {

// How each subcommand is called: for --help, and for the message that
// refuses a call the subcommand cannot use.
inline constexpr std::string_view kCheckSynopsis = "ferlan-tool check (DATEI | --level N) [--json]";
inline constexpr std::string_view kPlaySynopsis =
    "ferlan-tool play (DATEI | --level N) [--keys SKRIPT] [--ticks N] [--trace]";
inline constexpr std::string_view kSolveSynopsis =
    "ferlan-tool solve (DATEI | --level N) [--max-ticks N] [--seconds S] [--stats]";
inline constexpr std::string_view kPlaytestSynopsis =
    "ferlan-tool playtest (DATEI | --level N) [--player novice|average|skilled] [--attempts A] "
    "[--seed S] [--decide D] [--reaction R] [--jitter J] [--sight-error E] [--speed-looks K] "
    "[--place-error P] [--exact-sight] [--as-level N] [--stats]";

int runCheck(const Arguments& args);
int runPlay(const Arguments& args);
int runSolve(const Arguments& args);
int runPlaytest(const Arguments& args);

}  // namespace ferlan::tool
