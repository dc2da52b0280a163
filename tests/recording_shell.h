// A game shell for tests: remembers every request. With a model it also starts
// the next level the way the window does, so a test can play on from level to
// level.
#pragma once

#include <Spiel/sim/build_field.h>
#include <Spiel/sim/game_shell.h>

#include <vector>

namespace ferlan {

class RecordingShell : public GameShell {
public:
    explicit RecordingShell(GameModel* chainTo = nullptr) : chainTo_(chainTo) {}

    void writeProgress(int levelNumber) override { progressWrites.push_back(levelNumber); }
    void levelClick(int index) override {
        levelClicks.push_back(index);
        if (chainTo_) startBuiltinLevel(*chainTo_, index);
    }

    std::vector<int> progressWrites;
    std::vector<int> levelClicks;

private:
    GameModel* chainTo_;
};

}  // namespace ferlan
