// The subcommands of ferlan-tool. Each takes the arguments after its name and
// returns the process exit code.
#pragma once

#include "tool_io.h"

namespace ferlan::tool {

int runCheck(const Arguments& args);
int runPlay(const Arguments& args);
int runSolve(const Arguments& args);
int runPlaytest(const Arguments& args);

}  // namespace ferlan::tool
