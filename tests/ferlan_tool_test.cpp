#include "tool_runner.h"

#include <leveldata/builtin_levels.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

TEST(FerlanToolCheck, PrintsTheLevelAsJson) {
    const ToolRun run = runTool({"check", "--level", "3", "--json"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "{\"height\":13,\"floor\":2,"
              "\"ferlan\":[{\"code\":\"glup\",\"x\":1470,\"y\":3570},"
              "{\"code\":\"grum\",\"x\":5715,\"y\":4965}],"
              "\"kugel\":[{\"code\":\"up\",\"x\":645,\"y\":7095}],"
              "\"transformator\":[{\"code\":\"am\",\"x\":3075,\"y\":10710}]}\n");
    EXPECT_EQ(run.err, "");
}

TEST(FerlanToolCheck, JsonNumbersAreShortestAndNeverNegativeZero) {
    const std::string dir = makeTempDir();
    const std::string file = writeTempFile(dir, "n.lev", "13;2;grpp-0   .1   ,;;;\r\n");
    const ToolRun run = runTool({"check", file, "--json"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("\"x\":0,\"y\":0.1}"), std::string::npos) << run.out;
    std::system(("rm -rf " + dir).c_str());
}

TEST(FerlanToolCheck, EveryBuiltinLevelIsAccepted) {
    for (int level = 1; level <= ferlan::kBuiltinLevelCount; ++level) {
        SCOPED_TRACE(level);
        const ToolRun run = runTool({"check", "--level", std::to_string(level)});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.out.find("Level in Ordnung"), std::string::npos);
    }
}

TEST(FerlanToolCheck, ExitCodesTellRejectedFromUnusable) {
    const std::string dir = makeTempDir();
    const std::string good = writeTempFile(dir, "good.lev", "13;2;;;;\r\n");
    const std::string bad = writeTempFile(dir, "bad.lev", "8 ;2;;;;\r\n");
    const std::string huge = writeTempFile(dir, "huge.lev", std::string(70000, ';'));
    const struct {
        const char* why;
        std::vector<std::string> args;
        int exitCode;
        bool messageIsReaderMessage;
    } cases[] = {
        {"valid file", {"check", good}, 0, false},
        {"rejected file", {"check", bad}, 1, true},
        {"missing file", {"check", dir + "/none.lev"}, 2, false},
        {"folder", {"check", dir}, 2, false},
        {"device", {"check", "/dev/zero"}, 2, false},
        {"over 64 KiB", {"check", huge}, 2, false},
        {"level 0", {"check", "--level", "0"}, 2, false},
        {"level 31", {"check", "--level", "31"}, 2, false},
        {"level abc", {"check", "--level", "abc"}, 2, false},
        {"no source", {"check"}, 2, false},
        {"two sources", {"check", good, "--level", "1"}, 2, false},
        {"unknown option", {"check", good, "--yaml"}, 2, false},
        {"unknown subcommand", {"frobnicate"}, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        if (c.exitCode != 0) {
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        }
        if (c.messageIsReaderMessage) {
            EXPECT_EQ(run.err, "Fehler beim Lesen der Level-Datei.\n");
        }
    }
    std::system(("rm -rf " + dir).c_str());
}

}  // namespace
