#include "sim_test_fields.h"

#include <gtest/gtest.h>

namespace ferlan::testing {

GameModel fieldWith(const std::string& elements) {
    GameModel model;
    // As a loaded level, so that reaching the exit asks nothing of the shell.
    EXPECT_TRUE(startLoadedLevel(model, "23;1;" + elements + ";  ")) << elements;
    return model;
}

void placeBall(GameModel& model, Twips left, Twips top, Speed vx, Speed vy) {
    model.Eisenkugel.Left = left;
    model.Eisenkugel.Top = top;
    model.BallVX = vx;
    model.BallVY = vy;
}

void moveAway(Disc& disc) {
    disc.Left = -100000;
    disc.Top = -100000;
}

void detachPoleDiscs(GameModel& model, int slot) {
    for (int d = 3 * slot - 2; d <= 3 * slot; ++d)
        moveAway(model.Anziehung[static_cast<std::size_t>(d)]);
}

bool tick(GameModel& model) {
    RecordingShell shell;
    const bool won = runTick(model, shell);
    EXPECT_TRUE(shell.progressWrites.empty());
    EXPECT_TRUE(shell.levelClicks.empty());
    return won;
}

}  // namespace ferlan::testing
