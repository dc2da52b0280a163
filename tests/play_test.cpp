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
    GameModel model = fieldWith(";;");
    const GameModel::Revision before = model.revision;
    holdArrow(model, Arrow::Up, true);
    holdArrow(model, Arrow::Left, true);
    holdArrow(model, Arrow::Right, true);
    holdArrow(model, Arrow::Right, false);
    EXPECT_TRUE(model.KeyUpHeld && model.KeyLeftHeld);
    EXPECT_FALSE(model.KeyDownHeld || model.KeyRightHeld);
    EXPECT_EQ(model.revision, before);
    holdArrow(model, Arrow::Down, true);
    releaseArrows(model);
    EXPECT_FALSE(model.KeyUpHeld || model.KeyDownHeld || model.KeyLeftHeld || model.KeyRightHeld);
}

TEST(Play, LeavingHidesTheLevelStopsTheTickAndTellsABuiltInOne) {
    for (const bool builtIn : {true, false}) {
        SCOPED_TRACE(builtIn);
        GameModel model;
        ASSERT_TRUE(builtIn ? startBuiltinLevel(model, 4)
                            : startLoadedLevel(model, "9 ;2;;;;\r\n"));
        const GameModel::Revision before = model.revision;
        EXPECT_EQ(leaveLevel(model), builtIn);
        EXPECT_FALSE(model.Spielflaeche.Visible || model.Anzeigetafel.Visible);
        EXPECT_FALSE(model.SpieltimerEnabled);
        EXPECT_NE(model.revision.field, before.field);
        EXPECT_NE(model.revision.panel, before.panel);
    }
}

TEST(Play, RestartingBuildsAgainWithTheAlarmOffAndTheKeysHeld) {
    GameModel model = fieldWith("grpp5820 5000 ,;;");
    holdArrow(model, Arrow::Up, true);
    placeBall(model, 5400, 5000);
    model.AlarmOn = true;
    const GameModel::Revision before = model.revision;
    ASSERT_TRUE(restartLevel(model));
    EXPECT_FALSE(model.AlarmOn);
    EXPECT_TRUE(model.KeyUpHeld);
    EXPECT_NE(model.revision.field, before.field);
    EXPECT_NE(model.revision.panel, before.panel);
}

TEST(Play, TheLevelListShowsUpToTheHighestLabelAndHidesAll) {
    GameModel model;
    showLevelLabels(model, 2);
    showLevelLabels(model, 0);  // labels above keep their state
    EXPECT_EQ(std::count(model.LevelVisible.begin(), model.LevelVisible.end(), true), 3);
    showLevelLabels(model, 29);
    EXPECT_EQ(std::count(model.LevelVisible.begin(), model.LevelVisible.end(), true), 30);
    hideLevelLabels(model);
    EXPECT_EQ(std::count(model.LevelVisible.begin(), model.LevelVisible.end(), true), 0);
}

// Which revision a tick raises: the field's, the panel's, or neither.
TEST(Play, TheTickRaisesTheRevisionOnlyForWhatShows) {
    struct Case {
        const char* why;
        const char* elements;
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

TEST(Play, WinningRaisesTheRevisionWithTheNextLevelsCaptionsThenRests) {
    GameModel model;
    ASSERT_TRUE(startBuiltinLevel(model, 0));
    RecordingShell shell(&model);
    holdArrow(model, Arrow::Up, true);
    GameModel::Revision before = model.revision;
    for (int i = 0; i < 5000 && model.Levelanzeige.Caption == " 1"; ++i) {
        before = model.revision;
        runTick(model, shell);
    }
    ASSERT_EQ(model.Levelanzeiger.Caption, "Level 2");
    EXPECT_NE(model.revision.field, before.field);
    EXPECT_NE(model.revision.panel, before.panel);
    // A won loaded level keeps its end label and changes nothing more.
    ASSERT_TRUE(startLoadedLevel(model, "9 ;1;;;;\r\n"));
    for (int i = 0; i < 2000 && model.Eisenkugel.Visible; ++i) runTick(model, shell);
    ASSERT_FALSE(model.Eisenkugel.Visible);
    before = model.revision;
    runTick(model, shell);
    EXPECT_EQ(model.revision, before);
}

}  // namespace
}  // namespace ferlan
