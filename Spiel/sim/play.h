// What the window's keys and menu do to the game between ticks: the held
// arrow keys, leaving a level with Esc and the level list's unlocked labels.
// Starting and restarting a level are in build_field.h, the tick in tick.h.
#pragma once

#include "field.h"

namespace ferlan {

enum class Arrow : std::uint8_t { Up, Down, Left, Right };

// An arrow key went down (held = true) or up. Only the tick reads the flags,
// so nothing that shows changes.
void holdArrow(GameModel& model, Arrow arrow, bool held);
// Lets go of every arrow key, as when the window loses the keyboard.
void releaseArrows(GameModel& model);

// Esc during play: the field and the panel are hidden and the tick stops, so
// a hidden level cannot play on and win by itself. True when a built-in level
// was in play (the window then shows the level list again).
bool leaveLevel(GameModel& model);

// The level list: labels 0 to `highest` are shown; labels above keep their
// state. hideLevelLabels hides all 30.
void showLevelLabels(GameModel& model, int highest);
void hideLevelLabels(GameModel& model);

}  // namespace ferlan
