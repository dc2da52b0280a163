// One tick of the game: the Timer event of Spieltimer.
#pragma once

#include "field.h"
#include "game_shell.h"

namespace ferlan {

// Runs one step of play on the model; the window calls it on every timer
// event while model.SpieltimerEnabled is set. True when this tick hid the
// ball at the exit, that is, won the level (the shell has then been told, for
// a built-in level, and may already have started the next one). A won loaded
// level or level 30 keeps the ball hidden in the exit and answers true again
// on every later tick.
bool runTick(GameModel& model, GameShell& shell);

}  // namespace ferlan
