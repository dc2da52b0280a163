#include "tool_runner.h"

#include <Spiel/sim/key_script.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(KeyScript, ParsesStepsAndSkipsCommentsAndBlankLines) {
    ferlan::KeyScriptError error;
    const auto steps = ferlan::parseKeyScript(
        "# warm up\n\nU 37\r\n  LU\t5 \n- 2\nRDLU 1\n   # indented\n", error);
    ASSERT_TRUE(steps) << error.message;
    ASSERT_EQ(steps->size(), 4u);
    EXPECT_EQ(ferlan::formatKeyStep((*steps)[0]), "U 37");
    EXPECT_EQ(ferlan::formatKeyStep((*steps)[1]), "UL 5");
    EXPECT_EQ(ferlan::formatKeyStep((*steps)[2]), "- 2");
    EXPECT_EQ(ferlan::formatKeyStep((*steps)[3]), "UDLR 1");
    EXPECT_EQ(ferlan::totalTicks(*steps), 45);
}

TEST(KeyScript, MalformedLinesAreNamed) {
    const struct {
        const char* text;
        int line;
    } cases[] = {
        {"U 0\n", 1},
        {"U\n", 1},
        {"U -3\n", 1},
        {"U 3 4\n", 1},
        {"u 3\n", 1},
        {"UX 3\n", 1},
        {"UU 3\n", 1},
        {"U 3x\n", 1},
        {"-U 3\n", 1},
        {"\n# c\nL 2\nL two\n", 4},
        {"3\n", 1},
        {"U +3\n", 1},
        {"U 99999999999999999999\n", 1},
        {"U 1.5\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ferlan::KeyScriptError error;
        EXPECT_FALSE(ferlan::parseKeyScript(c.text, error));
        EXPECT_EQ(error.line, c.line);
        EXPECT_NE(error.message.find("Zeile " + std::to_string(c.line)), std::string::npos);
    }
}

TEST(FerlanToolPlay, LiftsThirtySevenTicksThenRises) {
    const ToolRun run = runTool({"play", "--level", "1", "--keys", "-", "--trace"}, "U 300\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto out = lines(run.out);
    // Up alone carries the ball through level 1: won after 210 ticks, and
    // the tool stops there.
    ASSERT_EQ(out.size(), 211u);
    for (int t = 1; t <= 37; ++t) {
        const std::string ball = "\"ball\":[3120," + std::to_string(9035 - 20 * t) + ",0,0]";
        EXPECT_NE(out[static_cast<std::size_t>(t - 1)].find(ball), std::string::npos) << t;
    }
    EXPECT_EQ(out[0],
              "{\"t\":1,\"ball\":[3120,9015,0,0],\"visible\":true,\"pol\":\"N\","
              "\"alarm\":false,\"field\":-1725,\"kugel\":[]}");
    EXPECT_EQ(out[36],
              "{\"t\":37,\"ball\":[3120,8295,0,0],\"visible\":true,\"pol\":\"N\","
              "\"alarm\":false,\"field\":-1725,\"kugel\":[]}");
    EXPECT_EQ(out[37],
              "{\"t\":38,\"ball\":[3120,8291,0,-4],\"visible\":true,\"pol\":\"N\","
              "\"alarm\":false,\"field\":-1721,\"kugel\":[]}");
    EXPECT_EQ(out.back(), "{\"result\":\"won\",\"ticks\":210}");
}

TEST(FerlanToolPlay, TracesTheShownChargedBallsInSlotOrder) {
    const std::string dir = makeTempDir();
    const std::string file =
        writeTempFile(dir, "kugeln.lev", "13;2;;mm4935 10035,pp2985 8655 ,;;\r\n");
    const ToolRun run = runTool({"play", file, "--ticks", "1", "--trace"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NE(out[0].find("\"kugel\":[[4935,10035,0,0],[2985,8655,0,0]]}"), std::string::npos)
        << out[0];
    std::system(("rm -rf " + dir).c_str());
}

TEST(FerlanToolPlay, TickCounts) {
    const struct {
        const char* why;
        std::vector<std::string> args;
        std::string script;
        std::string result;
        std::size_t traceLines;
    } cases[] = {
        {"neither keys nor ticks",
         {"play", "--level", "3", "--trace"},
         "",
         "{\"result\":\"playing\",\"ticks\":0}",
         0},
        {"ticks alone",
         {"play", "--level", "3", "--ticks", "12", "--trace"},
         "",
         "{\"result\":\"playing\",\"ticks\":12}",
         12},
        {"ticks beyond the script",
         {"play", "--level", "3", "--keys", "-", "--ticks", "50", "--trace"},
         "U 10\n",
         "{\"result\":\"playing\",\"ticks\":50}",
         50},
        {"ticks short of the script",
         {"play", "--level", "3", "--keys", "-", "--ticks", "5"},
         "U 10\nL 3\n",
         "{\"result\":\"playing\",\"ticks\":13}",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const ToolRun run = runTool(c.args, c.script);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto out = lines(run.out);
        ASSERT_EQ(out.size(), c.traceLines + 1);
        EXPECT_EQ(out.back(), c.result);
    }
}

TEST(FerlanToolPlay, StopsRightAfterTheWinningTick) {
    const std::string dir = makeTempDir();
    const std::string file = writeTempFile(dir, "leer.lev", "9 ;1;;;;\r\n");
    const ToolRun run = runTool({"play", file, "--keys", "-", "--trace"}, "U 500\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto out = lines(run.out);
    ASSERT_GE(out.size(), 3u);
    const std::string& result = out.back();
    EXPECT_EQ(result.rfind("{\"result\":\"won\",\"ticks\":", 0), 0u) << result;
    const int ticks = std::atoi(result.c_str() + result.find(':', 10) + 1);
    EXPECT_EQ(out.size(), static_cast<std::size_t>(ticks) + 1);
    EXPECT_LT(ticks, 500);
    EXPECT_NE(out[out.size() - 2].find("\"visible\":false"), std::string::npos);
    EXPECT_NE(out[out.size() - 3].find("\"visible\":true"), std::string::npos);
    std::system(("rm -rf " + dir).c_str());
}

TEST(FerlanToolPlay, ExitCodes) {
    const std::string dir = makeTempDir();
    const std::string good = writeTempFile(dir, "good.lev", "13;2;;;;\r\n");
    const std::string bad = writeTempFile(dir, "bad.lev", "8 ;2;;;;\r\n");
    const std::string script = writeTempFile(dir, "keys.txt", "U 3\n");
    const std::string badScript = writeTempFile(dir, "bad.txt", "U 3\nX 2\n");
    const struct {
        const char* why;
        std::vector<std::string> args;
        int exitCode;
        const char* errorHas;
    } cases[] = {
        {"valid", {"play", good, "--keys", script}, 0, ""},
        {"rejected level",
         {"play", bad, "--keys", script},
         1,
         "Fehler beim Lesen der Level-Datei."},
        {"bad script beats rejected level", {"play", bad, "--keys", badScript}, 2, "Zeile 2"},
        {"bad script", {"play", good, "--keys", badScript}, 2, "Zeile 2"},
        {"missing script", {"play", good, "--keys", dir + "/none.txt"}, 2, ""},
        {"missing level file", {"play", dir + "/none.lev"}, 2, ""},
        {"level 31", {"play", "--level", "31"}, 2, ""},
        {"negative ticks", {"play", good, "--ticks", "-1"}, 2, ""},
        {"ticks not a number", {"play", good, "--ticks", "many"}, 2, ""},
        {"ticks missing", {"play", good, "--ticks"}, 2, ""},
        {"keys twice", {"play", good, "--keys", script, "--keys", script}, 2, ""},
        {"no level", {"play", "--keys", script}, 2, ""},
        {"two levels", {"play", good, "--level", "2"}, 2, ""},
        {"unknown option", {"play", good, "--fast"}, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.errorHas), std::string::npos) << run.err;
        if (c.exitCode != 0) {
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        }
    }
    std::system(("rm -rf " + dir).c_str());
}

}  // namespace
