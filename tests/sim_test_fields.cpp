#include "sim_test_fields.h"

#include <gtest/gtest.h>

namespace ferlan::testing {

GameModel FieldWith(const std::string& elements) {
    GameModel model;
    // As a loaded level, so that reaching the exit asks nothing of the shell.
    EXPECT_TRUE(StartLoadedLevel(model, "23;1;" + elements + ";  ")) << elements;
    return model;
}

void PlaceBall(GameModel& model, Twips left, Twips top, Speed vx, Speed vy) {
    model.Eisenkugel.Left = left;
    model.Eisenkugel.Top = top;
    model.BallVX = vx;
    model.BallVY = vy;
}

void MoveAway(Disc& disc) {
    disc.Left = -100000;
    disc.Top = -100000;
}

void DetachPoleDiscs(GameModel& model, int slot) {
    for (int d = 3 * slot - 2; d <= 3 * slot; ++d)
        MoveAway(model.Anziehung[static_cast<std::size_t>(d)]);
}

bool Tick(GameModel& model) {
    RecordingShell shell;
    const bool won = Spieltimer_Timer(model, shell);
    EXPECT_TRUE(shell.progressWrites.empty());
    EXPECT_TRUE(shell.levelClicks.empty());
    return won;
}

}  // namespace ferlan::testing
