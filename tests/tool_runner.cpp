#include "tool_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string quote(const std::string& arg) {
    std::string out = "'";
    for (const char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

std::string makeTempDir() {
    char pattern[] = "/tmp/ferlan-test-XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir ? dir : "";
}

std::string writeTempFile(const std::string& dir, const std::string& name,
                          const std::string& content) {
    std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

ToolRun runTool(const std::vector<std::string>& args, const std::string& input) {
    const std::string dir = makeTempDir();
    const std::string in = writeTempFile(dir, "stdin", input);
    std::ostringstream command;
    command << quote(FERLAN_TOOL_PATH);
    for (const std::string& arg : args) command << ' ' << quote(arg);
    command << " <" << quote(in) << " >" << quote(dir + "/stdout") << " 2>"
            << quote(dir + "/stderr");
    const int status = std::system(command.str().c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = slurp(dir + "/stdout");
    run.err = slurp(dir + "/stderr");
    std::system(("rm -rf " + quote(dir)).c_str());
    return run;
}
