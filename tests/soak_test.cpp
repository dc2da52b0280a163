// Every built-in level under random held keys for a long time: no speed may
// run into the ends of its 16-bit range, and the ball stays between the walls.
#include <Spiel/sim/build_field.h>
#include <Spiel/sim/key_script.h>
#include <Spiel/sim/tick.h>
#include <leveldata/builtin_levels.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <random>

using namespace ferlan;

namespace {

bool insideRange(Speed speed) {
    return speed > std::numeric_limits<Speed>::min() && speed < std::numeric_limits<Speed>::max();
}

TEST(Soak, EveryBuiltinLevelSurvivesRandomKeys) {
    // One million ticks a level; the sanitizer build sets a smaller number.
    const char* configured = std::getenv("FERLAN_SOAK_TICKS");
    const long long ticks = configured ? std::atoll(configured) : 1'000'000;
    // The ball's left edge after the side-wall step, within the exit's 1-twip centring.
    constexpr Twips kLowest = -1, kHighest = kScaleWidth - kBallSize + 1;
    for (int index = 0; index < kBuiltinLevelCount; ++index) {
        SCOPED_TRACE(index + 1);
        GameModel model;
        ASSERT_TRUE(startBuiltinLevel(model, index));
        std::mt19937 random(static_cast<unsigned>(index) + 1);
        std::uniform_int_distribution<int> keys(0, 15), hold(1, 60);
        long long nextChange = 0;
        int failures = 0;
        for (long long t = 0; t < ticks && failures < 5; ++t) {
            if (t == nextChange) {
                const int held = keys(random);
                holdKeys(model,
                         {(held & 1) != 0, (held & 2) != 0, (held & 4) != 0, (held & 8) != 0});
                nextChange = t + hold(random);
            }
            const bool risingFromEntry = model.Eisenkugel.bottom() > model.Anfang.Top;
            runTick(model);
            bool ok = insideRange(model.BallVX) && insideRange(model.BallVY);
            for (int k = 1; k <= kMaxKugel; ++k)
                ok = ok && insideRange(model.KugelVX[k]) && insideRange(model.KugelVY[k]);
            if (!risingFromEntry && model.Eisenkugel.Visible) {
                // The last step moved the ball by the speed it ended with.
                const Twips afterWalls = model.Eisenkugel.Left - model.BallVX;
                ok = ok && afterWalls >= kLowest && afterWalls <= kHighest;
            }
            if (!ok && ++failures) {
                ADD_FAILURE() << "tick " << t << ": ball " << model.Eisenkugel.Left << ","
                              << model.Eisenkugel.Top << " speed " << model.BallVX << ","
                              << model.BallVY;
            }
        }
    }
}

}  // namespace
