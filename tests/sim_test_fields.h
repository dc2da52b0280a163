// Small hand-built fields for the simulation tests.
#pragma once

#include "recording_shell.h"

#include <Spiel/sim/build_field.h>
#include <Spiel/sim/field.h>
#include <Spiel/sim/tick.h>

#include <string>

namespace ferlan::testing {

// A tall level (23 rows) holding only what `elements` lists: the part of a
// level text after "23;1;", e.g. "grpp5820 5000 ,;;" for one pole.
GameModel fieldWith(const std::string& elements);

// Puts the iron ball at (left, top) with the given speed.
void placeBall(GameModel& model, Twips left, Twips top, Speed vx = 0, Speed vy = 0);

// Moves disc `index` of a pole's disc array out of every ball's reach.
void moveAway(Disc& disc);
// Moves all discs of pole `slot` out of reach, so the pole acts only as a rod.
void detachPoleDiscs(GameModel& model, int slot);

// One tick with no shell work expected; returns whether the level was won.
bool tick(GameModel& model);

}  // namespace ferlan::testing
