#include "sim_test_fields.h"

#include <Spiel/sim/key_script.h>
#include <Spiel/sim/rules.h>
#include <Spiel/sim/speed.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>

namespace ferlan {
namespace {

using namespace ferlan::testing;

constexpr Twips kMiddleTop = 12000;  // far from both pipes of the 23-row field

// A ball alone in the empty field: the keys, the side walls and the scrolling.
// The 23-row field scrolls between 0 and P - H = 8025 - 22425 = -14400.
TEST(BallAlone, KeysWallsAndScrolling) {
    // The keys held (of U, D, L, R); left, vx, vy (before this tick's keys and friction) and the
    // field's top; and what those four become.
    using Case = std::tuple<const char*, std::string, Twips, Speed, Speed, Twips, Speed, Speed,
                            Twips, Twips>;
    const Case cases[] = {
        {"released: friction of 1", "", 3000, 3, -3, -5000, 2, -2, 3002, -4998},
        {"opposite keys cancel", "UDLR", 3000, 0, 0, -5000, 0, 0, 3000, -5000},
        {"right and down push 5, friction takes 1", "DR", 3000, 0, 0, -5000, 4, 4, 3004, -5004},
        {"limit to 100 before friction", "DL", 3000, -99, 99, -5000, -99, 99, 2901, -5099},
        {"limit applies to speeds beyond it", "", 3000, 250, -250, -5000, 99, -99, 3099, -4901},
        {"right edge exactly on the wall", "", 6255, 11, 0, -5000, -10, 0, 6245, -5000},
        {"beyond the right wall", "", 6400, 11, 0, -5000, -10, 0, 6245, -5000},
        {"left edge exactly on the wall", "", 0, -11, 0, -5000, 10, 0, 10, -5000},
        {"just short of the left wall", "", 1, -11, 0, -5000, -10, 0, -9, -5000},
        {"rising past the top bound by one step", "", 500, 0, -31, -10, 0, -30, 500, 20},
        {"rising above the top bound goes back to it", "", 500, 0, -31, 20, 0, -30, 500, 0},
        {"rising at the top bound", "", 500, 0, -31, 0, 0, -30, 500, 0},
        {"falling at the bottom bound", "", 500, 0, 31, -14400, 0, 30, 500, -14400},
        {"falling below the bottom bound goes back", "", 500, 0, 31, -14410, 0, 30, 500, -14400},
    };
    for (const auto& [why, keys, left, vx, vy, fieldTop, newVX, newVY, newLeft, newFieldTop] :
         cases) {
        SCOPED_TRACE(why);
        GameModel model = fieldWith(";;");
        model.Spielflaeche.Top = fieldTop;
        placeBall(model, left, kMiddleTop, vx, vy);
        holdKeys(model, {keys.find('U') != std::string::npos, keys.find('D') != std::string::npos,
                         keys.find('L') != std::string::npos, keys.find('R') != std::string::npos});
        tick(model);
        EXPECT_EQ(std::tuple(model.BallVX, model.BallVY, model.Eisenkugel.Left,
                             model.Eisenkugel.Top, model.Spielflaeche.Top),
                  std::tuple(newVX, newVY, newLeft, kMiddleTop + newVY, newFieldTop));
    }
}

// A large right-wall pole whose rod is the box [5820, 6780] x [5000, 5360].
constexpr Twips kRodLeft = 5820, kRodTop = 5000, kRodRight = 6780, kRodBottom = 5360;

TEST(PoleRods, ShallowOverlapTurnsThatComponent) {
    // Where the ball lies, and whether vx and vy turn.
    const std::tuple<const char*, Twips, Twips, bool, bool> cases[] = {
        {"from above, bottom exactly 106 into the rod", 6000, kRodTop + 106 - 480, false, true},
        {"from below, top 10 into the rod", 6000, kRodBottom - 10, false, true},
        {"edges only touch from above", 6000, kRodTop - 480, false, true},
        {"edges only touch on the left", kRodLeft - 480, kRodTop - 100, true, false},
        {"from the left side, exactly 106 in", kRodLeft + 106 - 480, kRodTop - 100, true, false},
        {"from the left side, 107 in", kRodLeft + 107 - 480, kRodTop - 100, false, false},
        {"at a corner", kRodLeft - 470, kRodTop - 470, true, true},
        {"apart by one twip", kRodLeft - 481, kRodTop - 100, false, false},
    };
    for (const auto& [why, left, top, turnsVX, turnsVY] : cases) {
        SCOPED_TRACE(why);
        GameModel model = fieldWith("grpp5820 5000 ,;;");
        detachPoleDiscs(model, 1);
        placeBall(model, left, top, 21, 31);
        tick(model);
        EXPECT_EQ(std::tuple(model.BallVX, model.BallVY),
                  std::tuple(turnsVX ? -20 : 20, turnsVY ? -30 : 30));
    }
}

// The same pole: its discs and marker. Zentrum (5572.5, 4685).
enum Reach { Outer, OuterMiddle, All };
// Where the ball lies (left, top) in reach of the outer disc only, of the outer and middle, of all.
constexpr std::pair<Twips, Twips> kPoleReach[] = {{3600, 3000}, {4300, 3600}, {4700, 4100}};

TEST(PoleForces, StrengthAndDirectionByPolarities) {
    // The ball lies up and to the left of the marker, so a pull is positive on both axes.
    // The ball's polarity, the pole, and the speed in reach of its outer disc only, of the outer
    // and middle, of all three.
    const std::tuple<Polarity, const char*, std::array<int, 3>> cases[] = {
        {Polarity::Neutral, "grpp", {1, 3, 6}}, {Polarity::Neutral, "grmm", {1, 3, 6}},
        {Polarity::Plus, "grpp", {-1, -3, -6}}, {Polarity::Plus, "grmm", {2, 5, 9}},
        {Polarity::Minus, "grpp", {2, 5, 9}},   {Polarity::Minus, "grmm", {-1, -3, -6}},
        {Polarity::Plus, "grup", {-1, -3, -6}}, {Polarity::Plus, "grum", {2, 5, 9}},
    };
    for (const auto& [ball, code, expected] : cases) {
        for (int reach = Outer; reach <= All; ++reach) {
            SCOPED_TRACE(std::string(code) + " ball " + std::to_string(int(ball)) + " reach " +
                         std::to_string(reach));
            GameModel model = fieldWith(std::string(code) + "5820 5000 ,;;");
            model.BallPolarity = ball;
            placeBall(model, kPoleReach[reach].first, kPoleReach[reach].second);
            tick(model);
            EXPECT_EQ(std::tuple(model.BallVX, model.BallVY, model.AlarmOn),
                      std::tuple(expected[reach], expected[reach], true));
        }
    }
}

TEST(PoleForces, CaptureIsStrictOnAllFourSides) {
    // Zentrum of the pole is at (5572.5, 4685).
    const std::tuple<const char*, Twips, Twips, bool> cases[] = {
        {"100 to the left", 5472.5f, 4685, false}, {"99 to the left", 5473.5f, 4685, true},
        {"99 to the right", 5671.5f, 4685, true},  {"100 to the right", 5672.5f, 4685, false},
        {"99 above", 5572.5f, 4586, true},         {"100 above", 5572.5f, 4585, false},
        {"99 below", 5572.5f, 4784, true},         {"100 below", 5572.5f, 4785, false},
    };
    for (const auto& [why, left, top, caught] : cases) {
        SCOPED_TRACE(why);
        GameModel model = fieldWith("grpp5820 5000 ,;;");
        // Slow enough that neither the rod nor the forces leave it at zero by chance.
        placeBall(model, left, top);
        tick(model);
        EXPECT_EQ(model.BallVX == 0 && model.BallVY == 0, caught);
    }
}

// A charged ball at (5000, 5000); the iron ball up and to its left.
constexpr std::pair<Twips, Twips> kKugelReach[] = {{2600, 2600}, {3300, 3300}, {4000, 4000}};

TEST(KugelForces, BothBallsChangeByThePolarityTable) {
    // Toward the other ball counts positive: the charged ball moves up-left
    // (negative speeds), the iron ball down-right. Per reach: the change on the charged ball, then
    // on the iron ball.
    const std::tuple<Polarity, const char*, std::array<int, 3>, std::array<int, 3>> cases[] = {
        {Polarity::Neutral, "pp", {1, 2, 4}, {0, 1, 2}},
        {Polarity::Plus, "pp", {-1, -2, -4}, {0, -1, -2}},
        {Polarity::Plus, "mm", {2, 4, 7}, {0, 1, 3}},
        {Polarity::Minus, "up", {2, 4, 7}, {0, 1, 3}},
        {Polarity::Minus, "mm", {-1, -2, -4}, {0, -1, -2}},
    };
    for (const auto& [ball, code, onKugel, onBall] : cases) {
        for (int reach = Outer; reach <= All; ++reach) {
            SCOPED_TRACE(std::string(code) + " ball " + std::to_string(int(ball)) + " reach " +
                         std::to_string(reach));
            GameModel model = fieldWith(std::string(";") + code + "5000 5000 ,;");
            model.BallPolarity = ball;
            placeBall(model, kKugelReach[reach].first, kKugelReach[reach].second);
            tick(model);
            const int k = onKugel[reach], b = onBall[reach];
            EXPECT_EQ(std::tuple(model.KugelVX[1], model.KugelVY[1], model.BallVX, model.BallVY,
                                 model.AlarmOn),
                      std::tuple(-k, -k, b, b, true));
            // The charged ball and its discs move by its new speed.
            EXPECT_EQ(std::tuple(model.Kugel[1].Left, model.Anziehung2[3].Top),
                      std::tuple(5000 - k, 4452.5f - k));
        }
    }
}

TEST(KugelCollision, ExchangesSpeedsByContactDepth) {
    // Left, top, vx and vy before friction; then the speeds of the ball and the charged ball after
    // step 7, before the forces.
    using Case = std::tuple<const char*, Twips, Twips, Speed, Speed, Speed, Speed, Speed, Speed>;
    const Case cases[] = {
        // Square hit from below: deep across, shallow along: one exchange.
        {"head on from below", 5000, 5470, 0, -41, 0, 0, 0, -40},
        // Shallow in both directions: two exchanges cancel.
        {"corner", 4530, 5470, 11, -11, 10, -10, 0, 0},
        // Deep in both directions: no exchange.
        {"deep inside", 5000, 5000, 11, -11, 10, -10, 0, 0},
        {"vertical overlap exactly 212", 5000, 5480 - 212, 0, -41, 0, 0, 0, -40},
        {"vertical overlap 213", 5000, 5480 - 213, 0, -41, 0, -40, 0, 0},
    };
    for (const auto& [why, left, top, vx, vy, ballVX, ballVY, kugelVX, kugelVY] : cases) {
        SCOPED_TRACE(why);
        GameModel model = fieldWith(";pp5000 5000 ,;");
        // Keep the forces out of it to see the exchange alone.
        for (int d = 1; d <= 3; ++d) moveAway(model.Anziehung2[static_cast<std::size_t>(d)]);
        placeBall(model, left, top, vx, vy);
        tick(model);
        EXPECT_EQ(std::tuple(model.BallVX, model.BallVY, model.KugelVX[1], model.KugelVY[1]),
                  std::tuple(ballVX, ballVY, kugelVX, kugelVY));
    }
}

TEST(SpeedArithmetic, SaturatesAtTheSixteenBitEnds) {
    EXPECT_EQ(std::tuple(saturateSpeed(40000), saturateSpeed(-40000), negateSpeed(-32768)),
              std::tuple(32767, -32768, 32767));
    Speed s = 32766;
    addSpeed(s, 3);
    EXPECT_EQ(s, 32767);

    // A charged ball already at the end of the range is pulled further.
    GameModel model = fieldWith(";pp5000 5000 ,;");
    model.KugelVX[1] = -32768;  // friction first: -32767, then the pull of 4
    placeBall(model, 4000, 4000);
    tick(model);
    EXPECT_EQ(model.KugelVX[1], -32768);
}

// A polariser at (3000, 5000): box [3000, 3600] x [5000, 5960].
TEST(Polarisers, EntryRimsAndWalls) {
    // Left, top, vx and vy before friction, and the speeds after the tick.
    const std::tuple<const char*, Twips, Twips, Speed, Speed, Speed, Speed> cases[] = {
        {"in line from below", 3060, 5950, 0, -31, 0, -30},
        {"left edges level: the left rim turns vx", 3000, 5950, 11, -31, -10, -30},
        {"10 left of the pipe: end and left rim", 2990, 5950, 11, -31, -10, 30},
        {"left rim band ends at 100", 2900, 5950, 11, -31, 10, 30},
        {"1 right of the pipe: end and right rim", 3121, 5950, 11, -31, -10, 30},
        {"inside the pipe, in line", 3060, 5400, 11, -31, 10, -30},
        {"side hit from the left, exactly 120 in", 2640, 5400, 11, 0, -10, 0},
        {"side hit from the left, 121 in", 2641, 5400, 11, 0, 10, 0},
        {"left rim band's last twip", 2901, 5400, 11, 0, -10, 0},
        {"the same, level with the pipe's end", 2901, 5960, 11, -31, -10, 30},
        {"right rim band's last twip", 3219, 5400, 11, 0, -10, 0},
        {"right rim band ends at 100", 3220, 5400, 11, 0, 10, 0},
        {"side hit from the right, 10 in", 3590, 5400, -11, 0, 10, 0},
    };
    for (const auto& [why, left, top, vx, vy, newVX, newVY] : cases) {
        SCOPED_TRACE(why);
        GameModel model = fieldWith(";;an3000 5000 ,");
        placeBall(model, left, top, vx, vy);
        tick(model);
        EXPECT_EQ(std::tuple(model.BallVX, model.BallVY), std::tuple(newVX, newVY));
    }
}

TEST(Polarisers, PolarisingWindow) {
    const std::tuple<std::string, Twips, Twips, Polarity> cases[] = {
        {"ap", 3060, 5000 + 460, Polarity::Plus},
        {"ap", 3060, 5000 + 461, Polarity::Minus},  // unchanged
        {"ap", 3494, 5400, Polarity::Plus},
        {"ap", 3495, 5400, Polarity::Minus},
        {"an", 3060, 5400, Polarity::Neutral},
        {"am", 3060, 5400, Polarity::Minus},
    };
    for (const auto& [code, left, top, expected] : cases) {
        SCOPED_TRACE(code + " at " + std::to_string(left) + ", " + std::to_string(top));
        GameModel model = fieldWith(";;" + code + "3000 5000 ,");
        model.BallPolarity = Polarity::Minus;
        if (expected == Polarity::Minus && code == "am") model.BallPolarity = Polarity::Plus;
        placeBall(model, left, top);
        tick(model);
        EXPECT_EQ(model.BallPolarity, expected);
    }
}

TEST(ExitPipe, CentresThenRisesThenSwallows) {
    // The pole's outer disc reaches over the exit: the exit silences its alarm.
    GameModel model = fieldWith("krpp5000 1500 ,;;");
    placeBall(model, 2880 + 100, 959, 30, -60);
    int ticks = 0;
    bool won = false;
    while (!won && ticks < 1000) {
        won = tick(model);
        ++ticks;
        EXPECT_EQ(std::tuple(ballInExit(model), model.AlarmOn, model.BallVX),
                  std::tuple(true, false, 0));
        if (ticks != 140) continue;
        EXPECT_EQ(std::tuple(model.Eisenkugel.Left, model.Eisenkugel.Top), std::tuple(3120, 939));
    }
    // 36 rises bring the Top to 239, and the next tick hides the ball.
    EXPECT_EQ(std::tuple(ticks, model.Eisenkugel.Top, model.Eisenkugel.Visible),
              std::tuple(176, 239, false));
}

TEST(ExitPipe, SwallowsOnceTheTopIs240BelowThePipeTop) {
    const std::pair<Twips, int> cases[] = {{940, 36}, {959, 37}, {240, 1}, {241, 2}};
    for (const auto& [top, expected] : cases) {
        SCOPED_TRACE(top);
        GameModel model = fieldWith(";;");
        placeBall(model, 3120, top);
        int ticks = 1;
        while (!tick(model) && ticks < 100) ++ticks;
        EXPECT_EQ(ticks, expected);
    }
}

// The opening is [2880, 3840]; a ball in it is drawn 1 twip a tick toward 3120.
TEST(ExitPipe, BesideTheOpeningPushesBackDown) {
    // Where the ball starts, where it ends up, and whether it enters.
    const std::tuple<const char*, Twips, Twips, bool> cases[] = {
        {"10 left of the opening", 2870, 2870, false},
        {"1 right of the opening", 3841 - 480, 3841 - 480, false},
        {"left edges level", 2880, 2881, true},
        {"right edges level", 3840 - 480, 3839 - 480, true}};
    for (const auto& [why, left, newLeft, enters] : cases) {
        SCOPED_TRACE(why);
        GameModel model = fieldWith(";;");
        placeBall(model, left, 900, 0, -51);
        const Twips fieldTop = model.Spielflaeche.Top;
        tick(model);
        EXPECT_EQ(std::tuple(model.Eisenkugel.Top, model.Eisenkugel.Left, model.BallVY,
                             ballInExit(model), model.Spielflaeche.Top),
                  std::tuple(enters ? 900 : 920, newLeft, 0, enters, fieldTop));
    }
}

// The level's caption goes on the tick that brings the ball's foot level
// with the entry pipe's top: the 37th, from 260 below it.
TEST(EntryPipe, TheBallLeavesItOnThe37thTick) {
    GameModel model = fieldWith(";;");
    for (int t = 0; t < 36; ++t) tick(model);
    EXPECT_EQ(model.Phase, BallPhase::Entry);
    tick(model);
    EXPECT_EQ(std::tuple(model.Phase, model.Eisenkugel.bottom()),
              std::tuple(BallPhase::Field, model.Anfang.Top));
}

}  // namespace
}  // namespace ferlan
