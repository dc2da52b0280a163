// The subcommands of ferlan-tool. Each takes the arguments after its name and
// returns the process exit code.
#pragma once

#include <string_view>
#include <vector>

namespace ferlan::tool {

using Arguments = std::vector<std::string_view>;

int runCheck(const Arguments& args);
int runPlay(const Arguments& args);
int runSolve(const Arguments& args);

}  // namespace ferlan::tool
