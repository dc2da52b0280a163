#include "sim_test_fields.h"

#include <Spiel/sim/build_field.h>
#include <Spiel/sim/speed.h>
#include <Spiel/sim/tick.h>
#include <leveldata/builtin_levels.h>

#include <gtest/gtest.h>

#include <vector>

namespace ferlan {
namespace {

using testing::detachPoleDiscs;
using testing::fieldWith;
using testing::moveAway;
using testing::placeBall;
using testing::tick;

constexpr Twips kMiddleTop = 12000;  // far from both pipes of the 23-row field

TEST(Steering, UpHeldFromRestSettlesAt99) {
    GameModel model = fieldWith(";;");
    placeBall(model, 1000, kMiddleTop);
    model.KeyUpHeld = true;
    std::vector<int> seen;
    for (int n = 0; n < 27; ++n) {
        tick(model);
        seen.push_back(model.BallVY);
    }
    std::vector<int> expected;
    for (int v = -4; v >= -96; v -= 4) expected.push_back(v);
    expected.insert(expected.end(), {-99, -99, -99});
    EXPECT_EQ(seen, expected);
}

TEST(Steering, KeysPushLimitAndFriction) {
    const struct {
        const char* why;
        bool up, down, left, right;
        Speed vx, vy;
        Speed expectedVX, expectedVY;
    } cases[] = {
        {"released: friction of 1", false, false, false, false, 3, -3, 2, -2},
        {"zero stays zero", false, false, false, false, 0, 0, 0, 0},
        {"opposite keys cancel", true, true, true, true, 0, 0, 0, 0},
        {"right and down push 5, friction takes 1", false, true, false, true, 0, 0, 4, 4},
        {"limit to 100 before friction", false, true, true, false, -99, 99, -99, 99},
        {"limit applies to speeds beyond it", false, false, false, false, 250, -250, 99, -99},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith(";;");
        placeBall(model, 3000, kMiddleTop, c.vx, c.vy);
        model.KeyUpHeld = c.up;
        model.KeyDownHeld = c.down;
        model.KeyLeftHeld = c.left;
        model.KeyRightHeld = c.right;
        tick(model);
        EXPECT_EQ(model.BallVX, c.expectedVX);
        EXPECT_EQ(model.BallVY, c.expectedVY);
        EXPECT_EQ(model.Eisenkugel.Left, 3000 + c.expectedVX);
        EXPECT_EQ(model.Eisenkugel.Top, kMiddleTop + c.expectedVY);
    }
}

TEST(Steering, ReleasedSpeedRunsDownToRest) {
    GameModel model = fieldWith(";;");
    placeBall(model, 3000, kMiddleTop, 3, 0);
    std::vector<int> seen;
    for (int n = 0; n < 4; ++n) {
        tick(model);
        seen.push_back(model.BallVX);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 0, 0}));
}

TEST(SideWalls, BounceAndPlaceTheBall) {
    const struct {
        const char* why;
        Twips left;
        Speed vx;  // before friction
        Speed expectedVX;
        Twips expectedLeft;  // after this tick's motion
    } cases[] = {
        {"right edge exactly on the wall", kScaleWidth - kBallSize, 11, -10, 6255 - 10},
        {"beyond the right wall", 6400, 11, -10, 6255 - 10},
        {"just short of the right wall", kScaleWidth - kBallSize - 1, 11, 10, 6254 + 10},
        {"left edge exactly on the wall", 0, -11, 10, 10},
        {"beyond the left wall", -35, -11, 10, 10},
        {"just short of the left wall", 1, -11, -10, -9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith(";;");
        placeBall(model, c.left, kMiddleTop, c.vx, 0);
        tick(model);
        EXPECT_EQ(model.BallVX, c.expectedVX);
        EXPECT_EQ(model.Eisenkugel.Left, c.expectedLeft);
    }
}

// A large right-wall pole whose rod is the box [5820, 6780] x [5000, 5360].
constexpr Twips kRodLeft = 5820, kRodTop = 5000, kRodRight = 6780, kRodBottom = 5360;

TEST(PoleRods, ShallowOverlapTurnsThatComponent) {
    const struct {
        const char* why;
        Twips left, top;
        bool turnsVX, turnsVY;
    } cases[] = {
        {"from above, bottom 10 into the rod", 6000, kRodTop - 470, false, true},
        {"from above, bottom exactly 106 into the rod", 6000, kRodTop + 106 - 480, false, true},
        {"from below, top 10 into the rod", 6000, kRodBottom - 10, false, true},
        {"edges only touch from above", 6000, kRodTop - 480, false, true},
        {"edges only touch from below", 6000, kRodBottom, false, true},
        {"edges only touch on the left", kRodLeft - 480, kRodTop - 100, true, false},
        {"from the left side, 10 in", kRodLeft - 470, kRodTop - 100, true, false},
        {"from the left side, exactly 106 in", kRodLeft + 106 - 480, kRodTop - 100, true, false},
        {"from the left side, 107 in", kRodLeft + 107 - 480, kRodTop - 100, false, false},
        {"at a corner", kRodLeft - 470, kRodTop - 470, true, true},
        {"apart by one twip", kRodLeft - 481, kRodTop - 100, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith("grpp5820 5000 ,;;");
        detachPoleDiscs(model, 1);
        placeBall(model, c.left, c.top, 21, 31);
        tick(model);
        EXPECT_EQ(model.BallVX, c.turnsVX ? -20 : 20);
        EXPECT_EQ(model.BallVY, c.turnsVY ? -30 : 30);
    }
}

TEST(PoleRods, HiddenSlotsAreNoObstacles) {
    GameModel model = fieldWith("grpp5820 5000 ,;;");
    detachPoleDiscs(model, 1);
    model.Ferlan[1].Visible = false;
    placeBall(model, 6000, kRodTop - 470, 21, 31);
    tick(model);
    EXPECT_EQ(model.BallVY, 30);
}

// The same pole: its discs and marker. Zentrum (5572.5, 4685).
enum Reach { Outer, OuterMiddle, All };
struct ReachPlace {
    Twips left, top;
};
constexpr ReachPlace kPoleReach[] = {{3600, 3000}, {4300, 3600}, {4700, 4100}};

TEST(PoleForces, StrengthAndDirectionByPolarities) {
    // The ball lies up and to the left of the marker, so a pull is positive
    // on both axes.
    const struct {
        Polarity ball;
        const char* code;
        int expected[3];  // outer only, outer and middle, all three
    } cases[] = {
        {Polarity::Neutral, "grpp", {1, 3, 6}}, {Polarity::Neutral, "grmm", {1, 3, 6}},
        {Polarity::Plus, "grpp", {-1, -3, -6}}, {Polarity::Plus, "grmm", {2, 5, 9}},
        {Polarity::Minus, "grpp", {2, 5, 9}},   {Polarity::Minus, "grmm", {-1, -3, -6}},
        {Polarity::Plus, "grup", {-1, -3, -6}}, {Polarity::Plus, "grum", {2, 5, 9}},
    };
    for (const auto& c : cases) {
        for (int reach = Outer; reach <= All; ++reach) {
            SCOPED_TRACE(std::string(c.code) + " ball " + std::to_string(int(c.ball)) + " reach " +
                         std::to_string(reach));
            GameModel model = fieldWith(std::string(c.code) + "5820 5000 ,;;");
            model.BallPolarity = c.ball;
            placeBall(model, kPoleReach[reach].left, kPoleReach[reach].top);
            tick(model);
            EXPECT_EQ(model.BallVX, c.expected[reach]);
            EXPECT_EQ(model.BallVY, c.expected[reach]);
            EXPECT_TRUE(model.AlarmOn);
        }
    }
}

TEST(PoleForces, LevelAxisAndForeignColours) {
    {
        SCOPED_TRACE("equal Top gives no vertical force");
        GameModel model = fieldWith("grpp5820 5000 ,;;");
        placeBall(model, 4700, 4685);
        tick(model);
        EXPECT_EQ(model.BallVX, 6);
        EXPECT_EQ(model.BallVY, 0);
    }
    {
        SCOPED_TRACE("a disc of neither colour: no force on a charged ball, pull on a neutral one");
        for (const Polarity ball : {Polarity::Plus, Polarity::Minus, Polarity::Neutral}) {
            GameModel model = fieldWith("grpp5820 5000 ,;;");
            for (int d = 1; d <= 3; ++d)
                model.Anziehung[static_cast<std::size_t>(d)].BackColour = 0x123456;
            model.BallPolarity = ball;
            placeBall(model, 4700, 4100);
            tick(model);
            EXPECT_EQ(model.BallVX, ball == Polarity::Neutral ? 6 : 0);
            EXPECT_TRUE(model.AlarmOn);
        }
    }
    {
        SCOPED_TRACE("the discs are tested from the outside in and stop at the first miss");
        GameModel model = fieldWith("grpp5820 5000 ,;;");
        moveAway(model.Anziehung[2]);
        placeBall(model, 4700, 4100);
        tick(model);
        EXPECT_EQ(model.BallVX, 1);
    }
    {
        SCOPED_TRACE("outside the outer disc: no force and no alarm");
        GameModel model = fieldWith("grpp5820 5000 ,;;");
        placeBall(model, 3540 - 481, 4100);
        tick(model);
        EXPECT_EQ(model.BallVX, 0);
        EXPECT_FALSE(model.AlarmOn);
    }
}

TEST(PoleForces, CaptureIsStrictOnAllFourSides) {
    // Zentrum of the pole is at (5572.5, 4685).
    const struct {
        const char* why;
        Twips left, top;
        bool caught;
    } cases[] = {
        {"100 to the left", 5472.5f, 4685, false}, {"99 to the left", 5473.5f, 4685, true},
        {"99 to the right", 5671.5f, 4685, true},  {"100 to the right", 5672.5f, 4685, false},
        {"99 above", 5572.5f, 4586, true},         {"100 above", 5572.5f, 4585, false},
        {"99 below", 5572.5f, 4784, true},         {"100 below", 5572.5f, 4785, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith("grpp5820 5000 ,;;");
        // Slow enough that neither the rod nor the forces leave it at zero by chance.
        placeBall(model, c.left, c.top);
        tick(model);
        const bool stopped = model.BallVX == 0 && model.BallVY == 0;
        EXPECT_EQ(stopped, c.caught);
    }
}

TEST(PoleForces, HigherSlotActsAfterACapture) {
    // Pole 1 catches the ball; pole 2, whose outer disc also reaches it, pulls afterwards.
    GameModel model = fieldWith("grpp5820 5000 ,grpp5820 7000 ,;;");
    placeBall(model, 5500, 4700);
    tick(model);
    EXPECT_EQ(model.BallVX, 1);
    EXPECT_EQ(model.BallVY, 1);
}

// A charged ball at (5000, 5000); the iron ball up and to its left.
constexpr ReachPlace kKugelReach[] = {{2600, 2600}, {3300, 3300}, {4000, 4000}};

TEST(KugelForces, BothBallsChangeByThePolarityTable) {
    // Toward the other ball counts positive: the charged ball moves up-left
    // (negative speeds), the iron ball down-right.
    const struct {
        Polarity ball;
        const char* code;
        int onKugel[3];
        int onBall[3];
    } cases[] = {
        {Polarity::Neutral, "pp", {1, 2, 4}, {0, 1, 2}},
        {Polarity::Neutral, "um", {1, 2, 4}, {0, 1, 2}},
        {Polarity::Plus, "pp", {-1, -2, -4}, {0, -1, -2}},
        {Polarity::Plus, "mm", {2, 4, 7}, {0, 1, 3}},
        {Polarity::Minus, "up", {2, 4, 7}, {0, 1, 3}},
        {Polarity::Minus, "mm", {-1, -2, -4}, {0, -1, -2}},
    };
    for (const auto& c : cases) {
        for (int reach = Outer; reach <= All; ++reach) {
            SCOPED_TRACE(std::string(c.code) + " ball " + std::to_string(int(c.ball)) + " reach " +
                         std::to_string(reach));
            GameModel model = fieldWith(std::string(";") + c.code + "5000 5000 ,;");
            model.BallPolarity = c.ball;
            placeBall(model, kKugelReach[reach].left, kKugelReach[reach].top);
            tick(model);
            EXPECT_EQ(model.KugelVX[1], -c.onKugel[reach]);
            EXPECT_EQ(model.KugelVY[1], -c.onKugel[reach]);
            EXPECT_EQ(model.BallVX, c.onBall[reach]);
            EXPECT_EQ(model.BallVY, c.onBall[reach]);
            EXPECT_TRUE(model.AlarmOn);
            // The charged ball and its discs move by its new speed.
            EXPECT_EQ(model.Kugel[1].Left, 5000 - c.onKugel[reach]);
            EXPECT_EQ(model.Anziehung2[3].Top, 4452.5f - c.onKugel[reach]);
        }
    }
}

TEST(KugelForces, InnerDiscCountsEvenWithoutTheMiddleOne) {
    GameModel model = fieldWith(";pp5000 5000 ,;");
    moveAway(model.Anziehung2[2]);
    placeBall(model, 4000, 4000);
    tick(model);
    EXPECT_EQ(model.KugelVX[1], -3);
    EXPECT_EQ(model.BallVX, 1);
}

TEST(KugelCollision, ExchangesSpeedsByContactDepth) {
    const struct {
        const char* why;
        Twips left, top;
        Speed vx, vy;                            // before friction
        Speed ballVX, ballVY, kugelVX, kugelVY;  // after step 7, before the forces
    } cases[] = {
        // Square hit from below: deep across, shallow along: one exchange.
        {"head on from below", 5000, 5470, 0, -41, 0, 0, 0, -40},
        // Shallow in both directions: two exchanges cancel.
        {"corner", 4530, 5470, 11, -11, 10, -10, 0, 0},
        // Deep in both directions: no exchange.
        {"deep inside", 5000, 5000, 11, -11, 10, -10, 0, 0},
        {"vertical overlap exactly 212", 5000, 5480 - 212, 0, -41, 0, 0, 0, -40},
        {"vertical overlap 213", 5000, 5480 - 213, 0, -41, 0, -40, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith(";pp5000 5000 ,;");
        // Keep the forces out of it to see the exchange alone.
        for (int d = 1; d <= 3; ++d) moveAway(model.Anziehung2[static_cast<std::size_t>(d)]);
        placeBall(model, c.left, c.top, c.vx, c.vy);
        tick(model);
        EXPECT_EQ(model.BallVX, c.ballVX);
        EXPECT_EQ(model.BallVY, c.ballVY);
        EXPECT_EQ(model.KugelVX[1], c.kugelVX);
        EXPECT_EQ(model.KugelVY[1], c.kugelVY);
    }
}

TEST(KugelCollision, HeadOnHitThenForces) {
    GameModel model = fieldWith(";pp5000 5000 ,;");
    placeBall(model, 5000, 5470, 0, -41);
    tick(model);
    // Exchanged to (0, -40) and (0, 0); then a neutral ball below it inside
    // all three discs: the charged ball +4 down, the iron ball 2 up.
    EXPECT_EQ(model.KugelVY[1], -36);
    EXPECT_EQ(model.BallVY, -2);
    EXPECT_EQ(model.KugelVX[1], 0);
    EXPECT_EQ(model.BallVX, 0);
    EXPECT_EQ(model.Kugel[1].Top, 5000 - 36);
    EXPECT_EQ(model.Eisenkugel.Top, 5470 - 2);
}

TEST(KugelMotion, FrictionForEverySlotMotionOnlyForShownOnes) {
    GameModel model = fieldWith(";pp5000 5000 ,;");
    model.KugelVX[1] = 5;
    model.KugelVY[1] = -5;
    model.KugelVX[2] = -3;  // a free slot
    placeBall(model, 200, kMiddleTop);
    tick(model);
    EXPECT_EQ(model.KugelVX[1], 4);
    EXPECT_EQ(model.KugelVY[1], -4);
    EXPECT_EQ(model.KugelVX[2], -2);
    EXPECT_EQ(model.Kugel[1].Left, 5004);
    EXPECT_EQ(model.Kugel[1].Top, 4996);
    EXPECT_EQ(model.Anziehung2[1].Left, 2952.5f + 4);
    EXPECT_FALSE(model.Kugel[2].Visible);
    EXPECT_EQ(model.Kugel[2].Left, 0) << "a free slot does not move";
}

TEST(SpeedArithmetic, SaturatesAtTheSixteenBitEnds) {
    EXPECT_EQ(saturateSpeed(40000), 32767);
    EXPECT_EQ(saturateSpeed(-40000), -32768);
    EXPECT_EQ(negateSpeed(-32768), 32767);
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
    const struct {
        const char* why;
        Twips left, top;
        Speed vx, vy;  // before friction
        Speed expectedVX, expectedVY;
    } cases[] = {
        {"in line from below", 3060, 5950, 0, -31, 0, -30},
        {"in line from above", 3060, 4530, 0, 31, 0, 30},
        {"left edges level: the left rim turns vx", 3000, 5950, 11, -31, -10, -30},
        {"right edges level: the right rim turns vx", 3120, 5950, 11, -31, -10, -30},
        {"10 left of the pipe: end and left rim", 2990, 5950, 11, -31, -10, 30},
        {"left rim band ends at 100", 2900, 5950, 11, -31, 10, 30},
        {"1 right of the pipe: end and right rim", 3121, 5950, 11, -31, -10, 30},
        {"right rim band ends at 100", 3220, 5950, 11, -31, 10, 30},
        {"inside the pipe, in line", 3060, 5400, 11, -31, 10, -30},
        {"side hit from the left, 10 in", 2530, 5400, 11, 0, -10, 0},
        {"side hit from the left, exactly 120 in", 2640, 5400, 11, 0, -10, 0},
        {"side hit from the left, 121 in", 2641, 5400, 11, 0, 10, 0},
        {"left rim only", 2950, 5400, 11, 0, -10, 0},
        {"right rim only", 3150, 5400, -11, 0, 10, 0},
        {"side hit from the right, 10 in", 3590, 5400, -11, 0, 10, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith(";;an3000 5000 ,");
        placeBall(model, c.left, c.top, c.vx, c.vy);
        tick(model);
        EXPECT_EQ(model.BallVX, c.expectedVX);
        EXPECT_EQ(model.BallVY, c.expectedVY);
    }
}

TEST(Polarisers, PolarisingWindow) {
    const struct {
        const char* code;
        Twips left, top;
        Polarity expected;
    } cases[] = {
        {"ap", 3060, 5000 + 460, Polarity::Plus},
        {"ap", 3060, 5000 + 461, Polarity::Minus},  // unchanged
        {"ap", 3060, 5000 + 20, Polarity::Plus},
        {"ap", 3060, 5000 + 19, Polarity::Minus},
        {"ap", 3494, 5400, Polarity::Plus},
        {"ap", 3495, 5400, Polarity::Minus},
        {"ap", 2626, 5400, Polarity::Plus},
        {"ap", 2625, 5400, Polarity::Minus},
        {"an", 3060, 5400, Polarity::Neutral},
        {"am", 3060, 5400, Polarity::Minus},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " at " + std::to_string(c.left) + ", " +
                     std::to_string(c.top));
        GameModel model = fieldWith(std::string(";;") + c.code + "3000 5000 ,");
        model.BallPolarity = Polarity::Minus;
        if (c.expected == Polarity::Minus && std::string(c.code) == "am")
            model.BallPolarity = Polarity::Plus;
        placeBall(model, c.left, c.top);
        tick(model);
        EXPECT_EQ(model.BallPolarity, c.expected);
    }
}

TEST(Polarisers, RisingThroughTurnsPlusAndStaysPlus) {
    GameModel model = fieldWith(";;ap3000 5000 ,");
    placeBall(model, 3060, 6100);
    model.KeyUpHeld = true;
    int ticks = 0;
    while (model.Eisenkugel.Top > 5000 + 460 + 20) {
        tick(model);
        ASSERT_EQ(model.BallPolarity, Polarity::Neutral) << model.Eisenkugel.Top;
        ASSERT_LT(++ticks, 100) << "the ball does not rise into the pipe";
    }
    while (model.Eisenkugel.bottom() >= 5000) {
        tick(model);
        ASSERT_LT(++ticks, 100) << "the ball does not leave the pipe";
    }
    for (int n = 0; n < 3; ++n) tick(model);
    EXPECT_EQ(model.BallPolarity, Polarity::Plus);
    EXPECT_TRUE(model.plusanzeigeVisible());
    EXPECT_FALSE(model.neutralanzeigeVisible() || model.minusanzeigeVisible());
}

TEST(EntryPipe, LiftsFor37TicksThenPlays) {
    GameModel model;
    ASSERT_TRUE(startBuiltinLevel(model, 0));
    model.KeyUpHeld = true;
    model.BallVX = 7;
    const Twips start = model.Eisenkugel.Top;
    for (int n = 1; n <= 37; ++n) {
        SCOPED_TRACE(n);
        tick(model);
        EXPECT_EQ(model.Eisenkugel.Top, start - 20 * n);
        EXPECT_EQ(model.BallVX, 0);
        EXPECT_EQ(model.BallVY, 0);
        EXPECT_EQ(model.Levelanzeiger.Visible, n < 37);
    }
    EXPECT_EQ(model.Eisenkugel.bottom(), model.Anfang.Top);
    const Twips fieldTop = model.Spielflaeche.Top;
    tick(model);
    EXPECT_EQ(model.BallVY, -4);
    EXPECT_EQ(model.Eisenkugel.Top, start - 740 - 4);
    EXPECT_EQ(model.Spielflaeche.Top, fieldTop + 4);
}

TEST(EntryPipe, IsAFloorAcrossTheField) {
    GameModel model = fieldWith(";;");
    const Twips floor = model.Anfang.Top;
    placeBall(model, 500, floor - 480 - 30, 0, 51);
    tick(model);  // moves down 50: 20 below the floor
    EXPECT_EQ(model.Eisenkugel.bottom(), floor + 20);
    model.AlarmOn = true;
    tick(model);
    EXPECT_EQ(model.Eisenkugel.bottom(), floor);
    EXPECT_EQ(model.BallVY, 0);
    EXPECT_TRUE(model.AlarmOn) << "a lifting tick leaves the alarm as it was";
    model.AlarmOn = false;
    tick(model);
    EXPECT_EQ(model.Eisenkugel.bottom(), floor);
}

TEST(ExitPipe, CentresThenRisesThenSwallows) {
    GameModel model = fieldWith(";;");
    placeBall(model, 2880 + 100, 959, 30, -60);
    int ticks = 0;
    bool won = false;
    while (!won && ticks < 1000) {
        won = tick(model);
        ++ticks;
        EXPECT_TRUE(model.Levelendeanzeiger.Visible);
        EXPECT_FALSE(model.AlarmOn);
        EXPECT_EQ(model.BallVX, 0);
        if (ticks == 139) {
            EXPECT_EQ(model.Eisenkugel.Left, 3119);
            EXPECT_EQ(model.Eisenkugel.Top, 959);
        }
        if (ticks == 140) {
            EXPECT_EQ(model.Eisenkugel.Left, 3120);
            EXPECT_EQ(model.Eisenkugel.Top, 939);
        }
    }
    // 36 rises bring the Top to 239, and the next tick hides the ball.
    EXPECT_EQ(ticks, 176);
    EXPECT_EQ(model.Eisenkugel.Top, 239);
    EXPECT_FALSE(model.Eisenkugel.Visible);
}

TEST(ExitPipe, SwallowsOnceTheTopIs240BelowThePipeTop) {
    const struct {
        Twips top;
        int ticks;
    } cases[] = {{940, 36}, {959, 37}, {240, 1}, {241, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.top);
        GameModel model = fieldWith(";;");
        placeBall(model, 3120, c.top);
        int ticks = 1;
        while (!tick(model) && ticks < 100) ++ticks;
        EXPECT_EQ(ticks, c.ticks);
    }
}

TEST(ExitPipe, UnderTheOpeningTheAlarmIsOff) {
    // The pole's outer disc reaches over the exit.
    const struct {
        const char* why;
        Twips left;
        bool alarm;
    } cases[] = {{"under the opening", 3120, false}, {"beside the opening", 3361, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith("grpp5775 1000 ,;;");
        placeBall(model, c.left, 900);
        tick(model);
        EXPECT_EQ(model.AlarmOn, c.alarm);
    }
}

TEST(ExitPipe, CentresFromTheRightToo) {
    GameModel model = fieldWith(";;");
    placeBall(model, 3840 - 480, 900);
    tick(model);
    EXPECT_EQ(model.Eisenkugel.Left, 3359);
    EXPECT_EQ(model.Eisenkugel.Top, 900);
}

TEST(ExitPipe, BesideTheOpeningPushesBackDown) {
    const struct {
        const char* why;
        Twips left;
    } cases[] = {{"10 left of the opening", 2870}, {"1 right of the opening", 3841 - 480}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith(";;");
        placeBall(model, c.left, 900, 0, -51);
        const Twips fieldTop = model.Spielflaeche.Top;
        tick(model);
        EXPECT_EQ(model.Eisenkugel.Top, 920);
        EXPECT_EQ(model.Eisenkugel.Left, c.left);
        EXPECT_EQ(model.BallVY, 0);
        EXPECT_FALSE(model.Levelendeanzeiger.Visible);
        EXPECT_EQ(model.Spielflaeche.Top, fieldTop);
    }
}

TEST(Scrolling, FollowsTheBallWithinBounds) {
    // The 23-row field: P - H = 8025 - 22425 = -14400.
    const struct {
        const char* why;
        Twips fieldTop;
        Speed vy;  // before friction
        Twips expected;
    } cases[] = {
        {"rising past the top bound by one step", -10, -31, 20},
        {"rising above the top bound goes back to it", 20, -31, 0},
        {"rising at the top bound", 0, -31, 0},
        {"falling in the middle", -5000, 31, -5030},
        {"falling at the bottom bound", -14400, 31, -14400},
        {"falling below the bottom bound goes back", -14410, 31, -14400},
        {"falling just above the bottom bound", -14390, 31, -14420},
        {"at rest", -5000, 0, -5000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith(";;");
        model.Spielflaeche.Top = c.fieldTop;
        placeBall(model, 500, kMiddleTop, 0, c.vy);
        tick(model);
        EXPECT_EQ(model.Spielflaeche.Top, c.expected);
    }
}

TEST(Alarm, FollowsTheOuterDiscsEveryTick) {
    GameModel model = fieldWith(";pp5000 5000 ,;");
    model.BallPolarity = Polarity::Plus;
    placeBall(model, 2600, 2600);
    tick(model);
    EXPECT_TRUE(model.AlarmOn);
    EXPECT_EQ(model.BallVX, 0) << "the outer disc does not push the iron ball";
    placeBall(model, 500, 500 + 2000);
    tick(model);
    EXPECT_FALSE(model.AlarmOn);
}

// Winning: a ball placed in the exit is swallowed on the next tick.
void placeInExit(GameModel& model) { placeBall(model, 3120, 200); }

TEST(LevelFinish, BuiltinLevelsRecordProgressAndChain) {
    const struct {
        const char* why;
        int index;         // the level played is index + 1
        int highestShown;  // -1: no level label shown
        std::vector<int> writes;
        std::vector<int> clicks;
    } cases[] = {
        {"level 7 above the highest label", 6, 5, {7}, {7}},
        {"level 7 with label 6 shown", 6, 6, {7}, {7}},
        {"level 7 replayed with label 7 shown", 6, 7, {}, {7}},
        {"level 1 with no label shown", 0, -1, {1}, {1}},
        {"level 29", 28, 28, {29}, {29}},
        {"level 30 writes nothing", 29, 29, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model;
        ASSERT_TRUE(startBuiltinLevel(model, c.index));
        for (int i = 0; i <= c.highestShown; ++i)
            model.LevelVisible[static_cast<std::size_t>(i)] = true;
        placeInExit(model);
        RecordingShell shell;
        EXPECT_TRUE(runTick(model, shell));
        EXPECT_EQ(shell.progressWrites, c.writes);
        EXPECT_EQ(shell.levelClicks, c.clicks);
        EXPECT_FALSE(model.Eisenkugel.Visible);
        EXPECT_EQ(model.Geschafft.Visible, c.index == 29);
        EXPECT_EQ(model.Levelendeanzeiger.Visible, c.index != 29);
    }
}

TEST(LevelFinish, NextLevelStartsInsideTheTick) {
    GameModel model;
    ASSERT_TRUE(startBuiltinLevel(model, 6));
    placeInExit(model);
    RecordingShell shell(&model);
    EXPECT_TRUE(runTick(model, shell));
    EXPECT_EQ(model.Levelanzeige.Caption, " 8");
    EXPECT_EQ(model.Levelanzeiger.Caption, "Level 8");
    EXPECT_TRUE(model.Eisenkugel.Visible);
    EXPECT_FALSE(model.Levelendeanzeiger.Visible);
    EXPECT_EQ(model.Text1, *builtinLevelText(7));
}

TEST(LevelFinish, LoadedLevelEndsQuietlyAndStaysWon) {
    GameModel model;
    ASSERT_TRUE(startLoadedLevel(model, "9 ;3;;;;\r\n"));
    placeInExit(model);
    RecordingShell shell;
    EXPECT_TRUE(runTick(model, shell));
    for (int n = 0; n < 5; ++n) runTick(model, shell);
    EXPECT_TRUE(shell.progressWrites.empty());
    EXPECT_TRUE(shell.levelClicks.empty());
    EXPECT_TRUE(model.Levelendeanzeiger.Visible);
    EXPECT_FALSE(model.Geschafft.Visible);
    EXPECT_FALSE(model.Eisenkugel.Visible);
}

TEST(LevelFinish, LevelThirtyKeepsShowingTheFinalMessage) {
    GameModel model;
    ASSERT_TRUE(startBuiltinLevel(model, 29));
    placeInExit(model);
    RecordingShell shell;
    for (int n = 0; n < 3; ++n) runTick(model, shell);
    EXPECT_TRUE(model.Geschafft.Visible);
    EXPECT_FALSE(model.Levelendeanzeiger.Visible);
    EXPECT_TRUE(shell.levelClicks.empty());
}

}  // namespace
}  // namespace ferlan
