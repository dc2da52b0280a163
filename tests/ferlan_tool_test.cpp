// ferlan-tool as a user runs it: check, play and solve, their output and
// their exit codes; and the key scripts that play and solve share.
#include "sim_test_fields.h"
#include "tool_runner.h"

#include <Spiel/sim/key_script.h>
#include <leveldata/level_text.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

class FerlanTool : public testing::Test {
protected:
    void SetUp() override { dir_ = makeTempDir(); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string file(const std::string& name, const std::string& text) {
        return writeTempFile(dir_, name, text);
    }
    std::string dir_;
};

TEST(KeyScript, ParsesStepsAndNamesTheFirstMalformedLine) {
    ferlan::KeyScriptError error;
    const auto steps = ferlan::parseKeyScript("  # warm up\n \nU 37\r\n  RLDU\t5 \n- 2\n", error);
    ASSERT_TRUE(steps) << error.message;
    ASSERT_EQ(steps->size(), 3u);
    EXPECT_EQ(ferlan::formatKeyStep((*steps)[1]), "UDLR 5");
    EXPECT_EQ(ferlan::totalTicks(*steps), 44);
    EXPECT_TRUE(ferlan::parseKeyScript("D 1000000000\n", error));  // the longest step

    const std::pair<const char*, int> cases[] = {
        {"U 0\n", 1},  {"U\n", 1},    {"U 3 4\n", 1},        {"u 3\n", 1},
        {"UU 3\n", 1}, {"U +3\n", 1}, {"U 1.5\n", 1},        {"U 99999999999999999999\n", 1},
        {"-U 3\n", 1}, {"3\n", 1},    {"U 1000000001\n", 1}, {"\n# c\nL 2\nL two\n", 4}};
    for (const auto& [text, line] : cases) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ferlan::parseKeyScript(text, error));
        EXPECT_EQ(error.line, line);
        EXPECT_NE(error.message.find("Zeile " + std::to_string(line)), std::string::npos);
    }
    EXPECT_FALSE(ferlan::parseKeyScript("U\n", error));  // the reason, too
    EXPECT_EQ(error.message, "Zeile 1: erwartet \"TASTEN ANZAHL\"");
}

TEST_F(FerlanTool, CheckPrintsTheLevelAsJson) {
    const ToolRun run = runTool({"check", "--level", "3", "--json"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "{\"height\":13,\"floor\":2,"
              "\"ferlan\":[{\"code\":\"glup\",\"x\":1470,\"y\":3570},"
              "{\"code\":\"grum\",\"x\":5715,\"y\":4965}],"
              "\"kugel\":[{\"code\":\"up\",\"x\":645,\"y\":7095}],"
              "\"transformator\":[{\"code\":\"am\",\"x\":3075,\"y\":10710}]}\n");
    // Numbers are the shortest that read back, and never a negative zero.
    const ToolRun odd = runTool({"check", file("n.lev", "13;2;grpp-0   .1   ,;;;\r\n"), "--json"});
    EXPECT_NE(odd.out.find("\"x\":0,\"y\":0.1}"), std::string::npos) << odd.out;
}

TEST_F(FerlanTool, PlayTracesEveryTickUpToTheWin) {
    const ToolRun run = runTool({"play", "--level", "1", "--keys", "-", "--trace"}, "U 300\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> out;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    // 37 ticks lift the ball out of the entry pipe; Up alone then carries it
    // through level 1, and the tool stops at the win.
    ASSERT_EQ(out.size(), 211u);
    EXPECT_EQ(out[0],
              "{\"t\":1,\"ball\":[3120,9015,0,0],\"visible\":true,\"pol\":\"N\","
              "\"alarm\":false,\"field\":-1725,\"kugel\":[]}");
    EXPECT_EQ(out[37],
              "{\"t\":38,\"ball\":[3120,8291,0,-4],\"visible\":true,\"pol\":\"N\","
              "\"alarm\":false,\"field\":-1721,\"kugel\":[]}");
    EXPECT_NE(out[209].find("\"visible\":false"), std::string::npos);
    EXPECT_EQ(out.back(), "{\"result\":\"won\",\"ticks\":210}");

    const std::string balls =
        file("kugeln.lev", "13;2;;mm4935 10035,pp2985 8655 ,;ap3075 10710,;\r\n");
    const ToolRun one = runTool({"play", balls, "--keys", "-", "--trace"}, "U 60\n");
    EXPECT_NE(one.out.find("\"kugel\":[[4935,10035,0,0],[2985,8655,0,0]]}"), std::string::npos)
        << one.out;
    EXPECT_NE(one.out.find("\"pol\":\"P\""), std::string::npos);  // through the plus polariser
    EXPECT_NE(one.out.find("[3121,11215,1,-5],\"visible\":true,\"pol\":\"N\",\"alarm\":true"),
              std::string::npos);  // a charged ball's force reaches the ball
}

TEST_F(FerlanTool, SolvePrintsInputThatPlayWins) {
    // A level file as the editor writes it.
    const std::string level = file("pole.lev", "10;1;grpp5520 4770 ,klmm45   4065 ,;;;\r\n");
    const ToolRun solve = runTool({"solve", level, "--seconds", "20"});
    ASSERT_EQ(solve.exitCode, 0) << solve.err;
    const std::size_t at = solve.out.rfind("# won after ");
    ASSERT_NE(at, std::string::npos);
    const std::string ticks = solve.out.substr(at + 12, solve.out.find(' ', at + 12) - at - 12);
    const ToolRun play = runTool({"play", level, "--keys", "-"}, solve.out);
    ASSERT_EQ(play.exitCode, 0) << play.err;
    EXPECT_EQ(play.out, "{\"result\":\"won\",\"ticks\":" + ticks + "}\n");
    const ToolRun stats = runTool({"solve", "--level", "3", "--stats"});  // UL, then UR
    EXPECT_NE(stats.out.find(", Tastenwechsel: 1\n"), std::string::npos) << stats.out;
}

// 0: done, 1: the level is rejected (by solve: cannot be won), 2: the call is unusable.
// Anything but 0 prints nothing and one line of explanation. Play runs the
// longer of its key script and --ticks.
TEST_F(FerlanTool, ExitCodesAndResults) {
    const std::string good = file("good.lev", "13;2;;;;\r\n");
    const std::string bad = file("bad.lev", "8 ;2;;;;\r\n");
    const std::string largest = file("largest.lev", std::string(ferlan::kMaxLevelFileBytes, ';'));
    const std::string huge = file("huge.lev", std::string(ferlan::kMaxLevelFileBytes + 1, ';'));
    const std::string caught = file("caught.lev", ferlan::testing::kCaughtAtOnceLevel);
    const std::string closed = file("closed.lev", ferlan::testing::kClosedLevel);
    const std::string keys = file("keys.txt", "U 3\n");
    const std::string badKeys = file("bad.txt", "U 3\nX 2\n");
    // The arguments, the exit code, what the error output contains and how the output ends.
    const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
        {{"check", good}, 0, "", ", Untergrund 2, 0 Ferlanen, 0 Ferlankugeln, 0 Ferlanisatoren\n"},
        {{"check", bad}, 1, "Fehler beim Lesen der Level-Datei.\n", ""},
        {{"check", dir_ + "/none.lev"}, 2, "Datei nicht gefunden", ""},
        {{"check", dir_}, 2, "Keine gewöhnliche Datei", ""},
        {{"check", largest}, 1, "", ""},
        {{"check", huge}, 2, "", ""},
        {{"check", "--level", "0"}, 2, "--level erwartet", ""},
        {{"check", "--level"}, 2, "--level ohne Nummer", ""},
        {{"check"}, 2, "", ""},
        {{"check", good, "--level", "1"}, 2, "", ""},
        {{"frobnicate"}, 2, "", ""},
        {{}, 2, "Befehl fehlt", ""},
        {{"--help"}, 0, "", "[--exact-sight] [--as-level N] [--stats]\n  ferlan-tool --version\n"},
        {{"play", good, "--keys", keys}, 0, "", "{\"result\":\"playing\",\"ticks\":3}\n"},
        {{"play", good, "--keys", keys, "--ticks", "50"}, 0, "", "\"ticks\":50}\n"},
        {{"play", good, "--keys", keys, "--ticks", "2"}, 0, "", "\"ticks\":3}\n"},
        {{"play", "--level", "30"}, 0, "", "{\"result\":\"playing\",\"ticks\":0}\n"},
        {{"play", bad, "--keys", keys}, 1, "Fehler beim Lesen der Level-Datei.", ""},
        // A broken script is reported before a rejected level.
        {{"play", bad, "--keys", badKeys}, 2, "Zeile 2", ""},
        {{"play", good, "--keys", dir_ + "/none.txt"}, 2, "", ""},
        {{"play", "--level", "31"}, 2, "", ""},
        {{"play", good, "--ticks", "-0"}, 2, "", ""},
        {{"play", good, "--keys", keys, "--keys", keys}, 2, "", ""},
        {{"solve", caught, "--seconds", "20"}, 1, "jeder erreichbare Zustand", ""},
        {{"solve", closed, "--seconds", "0.1"}, 1, "keine Lösung in 0.10 s gefunden", ""},
        {{"solve", "--level", "1", "--max-ticks", "70"}, 1, "70 Ticks", ""},
        {{"solve", bad}, 2, "", ""},
        {{"solve", "--level", "1", "--max-ticks", "12x"}, 2, "", ""},
        {{"solve", "--level", "1", "--max-ticks", "0"}, 2, "", ""},
        {{"solve", "--level", "1", "--seconds", "0"}, 2, "", ""},
        {{"solve", "--level", "1", "--max-ticks", "100000000"}, 0, "", " ticks\n"},
        {{"solve", "--level", "1", bad}, 2, "", ""},
    };
    for (const auto& [args, exitCode, errorHas, outEnds] : cases) {
        SCOPED_TRACE(args.empty() ? "(none)" : args[0] + " " + args.back());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        EXPECT_NE(run.err.find(errorHas), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.ends_with(outEnds)) << run.out;
        if (exitCode == 0) continue;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

}  // namespace
