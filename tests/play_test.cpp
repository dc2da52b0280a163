// The operations the window runs on the game between ticks, and the revision
// that tells the window whether a frame has anything new to show.
#include "sim_test_fields.h"

#include <Spiel/sim/play.h>

#include <gtest/gtest.h>

#include <tuple>

namespace ferlan {
namespace {

using namespace ferlan::testing;

TEST(Play, ArrowsSetAndClearTheirFlagOnlyAndShowNothing) {
    const Arrow arrows[] = {Arrow::Up, Arrow::Down, Arrow::Left, Arrow::Right};
    bool GameModel::*const flags[] = {&GameModel::KeyUpHeld, &GameModel::KeyDownHeld,
                                      &GameModel::KeyLeftHeld, &GameModel::KeyRightHeld};
    for (std::size_t released = 0; released < 4; ++released) {
        SCOPED_TRACE(released);
        GameModel model = fieldWith(";;");
        const GameModel::Revision before = model.revision;
        for (const Arrow arrow : arrows) holdArrow(model, arrow, true);
        holdArrow(model, arrows[released], false);
        for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(model.*flags[k], k != released);
        EXPECT_EQ(model.revision, before);
        releaseArrows(model);
        for (const auto flag : flags) EXPECT_FALSE(model.*flag);
    }
}

// Which revision a tick raises: the field's, the panel's, or neither.
TEST(Play, TheTickRaisesTheRevisionOnlyForWhatShows) {
    // Elements; the ball's left, top, vy; the charged ball's vx; field and panel revision raised.
    const std::tuple<const char*, const char*, Twips, Twips, Speed, Speed, bool, bool> cases[] = {
        {"a ball at rest on the floor", ";;", 3120, 22425 - 975 - 480, 0, 0, false, false},
        {"a moving ball", ";;", 3000, 12000, 30, 0, true, false},
        {"the ball still in the entry pipe", ";;", 3120, 22425 - 975 + 100, 0, 0, true, false},
        {"into a minus polariser", ";;am3000 12000,", 3060, 12400, 0, 0, false, true},
        {"a charged ball rolling", ";pp1000 3000 ,;", 5000, 12000, 0, 40, true, false},
    };
    for (const auto& [why, elements, left, top, vy, kugelVX, field, panel] : cases) {
        SCOPED_TRACE(why);
        GameModel model = fieldWith(elements);
        model.KugelVX[1] = kugelVX;
        placeBall(model, left, top, 0, vy);
        const GameModel::Revision before = model.revision;
        tick(model);
        EXPECT_EQ(model.revision.field != before.field, field);
        EXPECT_EQ(model.revision.panel != before.panel, panel);
    }
}

}  // namespace
}  // namespace ferlan
