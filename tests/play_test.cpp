// The operations the window runs on the game between ticks, and the revision
// that tells the window whether a frame has anything new to show.
#include "sim_test_fields.h"

#include <Spiel/sim/play.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace ferlan {
namespace {

using testing::fieldWith;
using testing::placeBall;
using testing::tick;

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
    struct Case {
        const char *why, *elements;
        Twips left, top;
        Speed vy, kugelVX;
        bool field, panel;
    } cases[] = {
        {"a ball at rest on the floor", ";;", 3120, 22425 - 975 - 480, 0, 0, false, false},
        {"a moving ball", ";;", 3000, 12000, 30, 0, true, false},
        {"the ball still in the entry pipe", ";;", 3120, 22425 - 975 + 100, 0, 0, true, false},
        {"into a minus polariser", ";;am3000 12000,", 3060, 12400, 0, 0, false, true},
        {"a charged ball rolling", ";pp1000 3000 ,;", 5000, 12000, 0, 40, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        GameModel model = fieldWith(c.elements);
        model.KugelVX[1] = c.kugelVX;
        placeBall(model, c.left, c.top, 0, c.vy);
        const GameModel::Revision before = model.revision;
        tick(model);
        EXPECT_EQ(model.revision.field != before.field, c.field);
        EXPECT_EQ(model.revision.panel != before.panel, c.panel);
    }
}

}  // namespace
}  // namespace ferlan
