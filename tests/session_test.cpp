// The session around the field: starting, restarting and leaving a level, the
// level list, and what follows a win.
#include "recording_store.h"
#include "sim_test_fields.h"

#include <Spiel/sim/play.h>
#include <Spiel/sim/rules.h>
#include <leveldata/builtin_levels.h>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

namespace ferlan {
namespace {

using testing::placeBall;

// The next tick swallows a ball placed here.
void placeInExit(GameModel& model) { placeBall(model, 3120, 200); }

AfterWin winNow(Session& session, RecordingStore& store) {
    placeInExit(session.field());
    EXPECT_EQ(session.tick(), TickOutcome::Won);
    return session.finishLevel(store);
}

TEST(Session, AWonBuiltinLevelRecordsProgressAndStartsTheNext) {
    // The index of the level played (its number less one), the highest label shown (-1: none),
    // and the wins recorded.
    const std::tuple<const char*, int, int, std::vector<int>> cases[] = {
        {"level 7 above the highest label", 6, 5, {7}},
        {"level 7 replayed with label 7 shown", 6, 7, {}},
        {"level 7 with label 6 shown", 6, 6, {7}},
        {"level 1 with no label shown", 0, -1, {1}},
        {"level 29, the last to chain", 28, 28, {29}},
    };
    for (const auto& [why, index, highestShown, wins] : cases) {
        SCOPED_TRACE(why);
        Session session;
        session.showUnlocked(highestShown);
        ASSERT_TRUE(session.startBuiltin(index));
        const GameModel::Revision before = session.field().revision;
        RecordingStore store;
        EXPECT_EQ(winNow(session, store), AfterWin::NextLevel);
        EXPECT_EQ(store.wins, wins);
        EXPECT_EQ(session.builtinIndex(), index + 1);
        EXPECT_EQ(session.levelText(), *builtinLevelText(index + 1));
        const GameModel& field = session.field();
        EXPECT_TRUE(field.Eisenkugel.Visible && field.Phase == BallPhase::Entry);
        EXPECT_TRUE(session.shown() && session.ticking() && !session.setCompleted());
        EXPECT_TRUE(field.revision.field != before.field && field.revision.panel != before.panel);
    }
}

TEST(Session, TheLastLevelCongratulatesUntilItIsPlayedAgain) {
    Session session;
    ASSERT_TRUE(session.startBuiltin(kBuiltinLevelCount - 1));
    RecordingStore store;
    EXPECT_EQ(winNow(session, store), AfterWin::SetCompleted);
    EXPECT_TRUE(session.setCompleted());
    // The ball stays in the exit and every later tick wins again.
    EXPECT_EQ(runTick(session.field()), TickOutcome::Won);
    EXPECT_EQ(session.finishLevel(store), AfterWin::SetCompleted);
    EXPECT_TRUE(store.wins.empty());
    EXPECT_TRUE(ballInExit(session.field()) && !session.field().Eisenkugel.Visible);
    ASSERT_TRUE(session.restart());
    EXPECT_FALSE(session.setCompleted());
}

TEST(Session, ALoadedLevelEndsWhereItIsAndThenRests) {
    Session session;
    ASSERT_TRUE(session.startLoaded("9 ;1;;;;\r\n"));
    EXPECT_EQ(session.builtinIndex(), std::nullopt);
    RecordingStore store;
    EXPECT_EQ(winNow(session, store), AfterWin::Stays);
    for (int n = 0; n < 5; ++n) {
        const GameModel::Revision before = session.field().revision;
        EXPECT_EQ(runTick(session.field()), TickOutcome::Won);
        EXPECT_EQ(session.finishLevel(store), AfterWin::Stays);
        EXPECT_EQ(session.field().revision, before);
    }
    EXPECT_TRUE(store.wins.empty());
    EXPECT_FALSE(session.setCompleted() || session.field().Eisenkugel.Visible);
    EXPECT_TRUE(ballInExit(session.field()) && session.ticking());
}

TEST(Session, AnAttemptIsTimedInTicksFromItsBuildToItsWinWithoutPauses) {
    // The level's index (-1: a loaded level), the times recorded, and the count three ticks after
    // the win.
    const std::tuple<const char*, int, std::vector<std::pair<int, std::int64_t>>, int> cases[] = {
        {"the first level, then the second", 0, {{1, 12}}, 3},
        {"the last level, which stays won", kBuiltinLevelCount - 1, {{kBuiltinLevelCount, 12}}, 12},
        {"a loaded level keeps no time", -1, {}, 12},
    };
    for (const auto& [why, index, times, afterwards] : cases) {
        SCOPED_TRACE(why);
        Session session;
        ASSERT_TRUE(index < 0 ? session.startLoaded("9 ;1;;;;\r\n") : session.startBuiltin(index));
        for (int n = 0; n < 4; ++n) session.tick();
        ASSERT_TRUE(session.restart());
        EXPECT_EQ(session.attemptTicks(), 0);
        for (int n = 0; n < 6; ++n) session.tick();
        ASSERT_TRUE(session.pause());
        for (int n = 0; n < 9; ++n) EXPECT_EQ(session.tick(), TickOutcome::Nothing);
        EXPECT_EQ(session.attemptTicks(), 6);
        ASSERT_TRUE(session.resume());
        for (int n = 0; n < 5; ++n) session.tick();
        RecordingStore store;
        winNow(session, store);  // the twelfth tick wins
        // Ticks after the win, and asking again, change nothing.
        for (int n = 0; n < 3; ++n) {
            if (session.tick() == TickOutcome::Won) session.finishLevel(store);
        }
        EXPECT_EQ(store.times, times);
        EXPECT_EQ(session.attemptTicks(), afterwards);
    }
}

TEST(Session, LeavingHidesTheLevelStopsTheTickAndTellsABuiltInOne) {
    for (const bool builtIn : {true, false}) {
        SCOPED_TRACE(builtIn);
        Session session;
        ASSERT_TRUE(builtIn ? session.startBuiltin(4) : session.startLoaded("9 ;2;;;;\r\n"));
        const GameModel::Revision before = session.field().revision;
        EXPECT_EQ(session.leave(), builtIn);
        EXPECT_FALSE(session.shown() || session.ticking());
        EXPECT_NE(session.field().revision.field, before.field);
        EXPECT_NE(session.field().revision.panel, before.panel);
    }
}

TEST(Session, APauseHoldsALevelInPlayUntilResumedRebuiltOrLeft) {
    Session idle;
    EXPECT_FALSE(idle.pause());  // nothing plays
    const std::pair<const char*, std::function<void(Session&)>> ends[] = {
        {"resume",
         [](Session& s) {
             const GameModel::Revision dimmed = s.field().revision;
             EXPECT_TRUE(s.resume());
             EXPECT_NE(s.field().revision.field, dimmed.field);  // drawn undimmed
         }},
        {"restart", [](Session& s) { EXPECT_TRUE(s.restart()); }},
        {"next level", [](Session& s) { EXPECT_TRUE(s.startBuiltin(5)); }},
        {"leave", [](Session& s) { s.leave(); }},
    };
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        Session session;
        ASSERT_TRUE(session.startBuiltin(4));
        const GameModel::Revision before = session.field().revision;
        EXPECT_TRUE(session.pause());
        EXPECT_FALSE(session.pause());
        EXPECT_TRUE(session.paused() && session.shown() && !session.ticking());
        EXPECT_NE(session.field().revision.field, before.field);  // drawn dimmed
        end(session);
        EXPECT_FALSE(session.paused() || session.resume());
        EXPECT_EQ(session.ticking(), session.shown());
    }
}

TEST(Session, RestartingBuildsAgainWithTheAlarmOffAndTheKeysHeld) {
    Session session;
    ASSERT_TRUE(session.startLoaded("23;1;grpp5820 5000 ,;;  "));
    GameModel& model = session.field();
    holdArrow(model, Arrow::Up, true);
    placeBall(model, 5400, 5000);
    model.AlarmOn = true;
    const GameModel::Revision before = model.revision;
    ASSERT_TRUE(session.restart());
    EXPECT_EQ(std::tuple(model.AlarmOn, model.KeyUpHeld, model.Phase),
              std::tuple(false, true, BallPhase::Entry));
    EXPECT_TRUE(model.revision.field != before.field && model.revision.panel != before.panel);
}

TEST(Session, AFailedReadKeepsTheLevelAndRestartingItStopsTheTick) {
    Session session;
    ASSERT_TRUE(session.startBuiltin(2));
    const GameModel built = session.field();
    EXPECT_FALSE(session.startLoaded("8 ;1;;;;  "));
    EXPECT_TRUE(session.field().Ferlan == built.Ferlan && session.shown() && session.ticking());
    // Enter on the broken text stops the tick and builds nothing.
    EXPECT_FALSE(session.restart());
    EXPECT_FALSE(session.ticking());
    EXPECT_TRUE(session.shown() && session.field().Ferlan[1].Visible);
}

TEST(Session, TheLevelListShowsUpToTheHighestLabelAndHidesAll) {
    Session session;
    session.showUnlocked(2);
    session.showUnlocked(0);  // labels above keep their state
    EXPECT_EQ(session.unlockedCount(), 3);
    session.showUnlocked(29);
    EXPECT_EQ(session.unlockedCount(), 30);
    session.showUnlocked(30);
    EXPECT_EQ(session.unlockedCount(), 30);
    session.hideList();
    EXPECT_EQ(session.unlockedCount(), 0);
}

}  // namespace
}  // namespace ferlan
