// Runs ferlan-tool as a child process and collects what it printed.
#pragma once

#include <string>
#include <vector>

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// `input` is fed to the tool's standard input.
ToolRun runTool(const std::vector<std::string>& args, const std::string& input = {});

// A fresh folder under the system's temporary folder, removed by the caller.
std::string makeTempDir();
std::string writeTempFile(const std::string& dir, const std::string& name,
                          const std::string& content);
