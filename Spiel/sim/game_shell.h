// What the tick asks of the game window at the end of a won built-in level.
#pragma once

#include <vector>

namespace ferlan {

struct GameModel;

class GameShell {
public:
    virtual ~GameShell() = default;
    // Record `levelNumber` (1 to 29) as the highest built-in level won.
    virtual void writeProgress(int levelNumber) = 0;
    // The level list's click on label `index` (0 to 29): start built-in level
    // index + 1. The window also greys the label; StartBuiltinLevel does the
    // rest.
    virtual void levelClick(int index) = 0;
};

// Remembers every request. With a model it also starts the next level the way
// the window does, so a test can play on from level to level.
class RecordingShell : public GameShell {
public:
    explicit RecordingShell(GameModel* chainTo = nullptr) : chainTo_(chainTo) {}

    void writeProgress(int levelNumber) override { progressWrites.push_back(levelNumber); }
    void levelClick(int index) override;

    std::vector<int> progressWrites;
    std::vector<int> levelClicks;

private:
    GameModel* chainTo_;
};

}  // namespace ferlan
