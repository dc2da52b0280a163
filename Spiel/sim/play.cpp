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

}  // namespace ferlan
