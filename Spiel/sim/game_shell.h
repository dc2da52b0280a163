// What the tick asks of the game window at the end of a won built-in level.
#pragma once

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

// For a level played on its own (the tool, the solver): a win neither records
// progress nor starts the next level.
class DetachedShell : public GameShell {
public:
    void writeProgress(int) override {}
    void levelClick(int) override {}
};

}  // namespace ferlan
