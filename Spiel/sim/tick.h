// One tick of the game: the Timer event of Spieltimer.
#pragma once

#include "field.h"
#include "game_shell.h"

namespace ferlan {

// Runs one step of play on the model. True when this tick hid the ball at the
// exit, that is, won the level (the shell has then been told, for a built-in
// level, and may already have started the next one).
bool Spieltimer_Timer(GameModel& model, GameShell& shell);

}  // namespace ferlan
