#include "game_shell.h"

#include "build_field.h"

namespace ferlan {

void RecordingShell::levelClick(int index) {
    levelClicks.push_back(index);
    if (chainTo_) startBuiltinLevel(*chainTo_, index);
}

}  // namespace ferlan
