#include "play.h"

namespace ferlan {

void holdArrow(GameModel& model, Arrow arrow, bool held) {
    switch (arrow) {
        case Arrow::Up: model.KeyUpHeld = held; break;
        case Arrow::Down: model.KeyDownHeld = held; break;
        case Arrow::Left: model.KeyLeftHeld = held; break;
        case Arrow::Right: model.KeyRightHeld = held; break;
    }
}

void releaseArrows(GameModel& model) {
    model.KeyUpHeld = model.KeyDownHeld = model.KeyLeftHeld = model.KeyRightHeld = false;
}

bool leaveLevel(GameModel& model) {
    model.Anzeigetafel.Visible = false;
    model.Spielflaeche.Visible = false;
    model.SpieltimerEnabled = false;
    model.fieldChanged();
    model.panelChanged();
    return model.Levelanzeige.Visible;
}

void showLevelLabels(GameModel& model, int highest) {
    for (int i = 0; i <= highest && i < kLevelLabelCount; ++i) {
        model.LevelVisible[static_cast<std::size_t>(i)] = true;
    }
}

void hideLevelLabels(GameModel& model) { model.LevelVisible.fill(false); }

}  // namespace ferlan
