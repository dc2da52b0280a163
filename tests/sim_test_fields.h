// Small hand-built fields for the simulation tests.
#pragma once

#include "test_levels.h"

#include <Spiel/sim/build_field.h>
#include <Spiel/sim/field.h>
#include <Spiel/sim/tick.h>

#include <gtest/gtest.h>

#include <string>

namespace ferlan::testing {

// A tall level (23 rows) holding only what `elements` lists: the part of a
// level text after "23;1;", e.g. "grpp5820 5000 ,;;" for one pole.
inline GameModel fieldWith(const std::string& elements) {
    GameModel model;
    EXPECT_TRUE(startLoadedLevel(model, "23;1;" + elements + ";  ")) << elements;
    return model;
}

inline void placeBall(GameModel& model, Twips left, Twips top, Speed vx = 0, Speed vy = 0) {
    model.Eisenkugel.Left = left;
    model.Eisenkugel.Top = top;
    model.BallVX = vx;
    model.BallVY = vy;
}

// Moves a disc out of every ball's reach.
inline void moveAway(Disc& disc) { disc.Left = disc.Top = -100000; }

// Moves all discs of pole `slot` out of reach, so the pole acts only as a rod.
inline void detachPoleDiscs(GameModel& model, int slot) {
    for (Disc& disc : discsOf(model.Anziehung, slot)) moveAway(disc);
}

// One tick; returns whether the level was won.
inline bool tick(GameModel& model) { return runTick(model) == TickOutcome::Won; }

}  // namespace ferlan::testing
