// What the window's arrow keys do to the field between ticks. Starting,
// restarting and leaving a level are the session's (session.h), the tick is
// in tick.h.
#pragma once

#include "field.h"

namespace ferlan {

enum class Arrow : std::uint8_t { Up, Down, Left, Right };

// An arrow key went down (held = true) or up. Only the tick reads the flags,
// so nothing that shows changes.
void holdArrow(GameModel& model, Arrow arrow, bool held);
// Lets go of every arrow key, as when the window loses the keyboard.
void releaseArrows(GameModel& model);

}  // namespace ferlan
