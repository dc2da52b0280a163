// The rules that code outside the tick must agree with: the solver, the
// player model, the replay report and the editor's check read the field
// through these, so that none of them keeps a copy that could drift from the
// tick.
#pragma once

#include "field.h"

namespace ferlan {

// The tick runs this often per second of game time; every time the programs
// show or take in seconds converts with it.
inline constexpr int kTicksPerSecond = 64;

// Boxes touch with their edges included.
inline bool touches(const FieldObject& a, const FieldObject& b) {
    return a.right() >= b.Left && b.right() >= a.Left && a.bottom() >= b.Top && b.bottom() >= a.Top;
}

// The polarising window: how far the ball must reach into a polariser across
// and along it before the polariser hands it its polarity.
inline constexpr Twips kPolariseAcross = 106;
inline constexpr Twips kPolariseAlong = 500;

inline bool inPolarisingWindow(const FieldObject& pipe, const FieldObject& ball) {
    return pipe.right() - kPolariseAcross >= ball.Left &&
           pipe.Left + kPolariseAcross <= ball.right() &&
           pipe.bottom() - kPolariseAlong >= ball.Top && pipe.Top + kPolariseAlong <= ball.bottom();
}

// A pole's inner disc holds the ball fast while the ball's corner lies less
// than this from the pole's centre marker on both axes.
inline constexpr Twips kCaptureRadius = 100;

// Whether a ball with its corner at (left, top) lies in the capture square
// around `centre`, widened by `margin` on every side (0 for the rule itself).
inline bool inCaptureSquare(const FieldObject& centre, Twips left, Twips top, Twips margin = 0) {
    const Twips reach = kCaptureRadius + margin;
    return centre.Left - reach < left && left < centre.Left + reach && centre.Top - reach < top &&
           top < centre.Top + reach;
}

// The exit pipe draws a ball under its opening across until it is centred,
// this far right of the pipe's Left, and only there up into the pipe.
inline constexpr Twips kExitCentre = (kPipeSize - kBallSize) / 2;

// The ball is under the exit's opening and being drawn in; the keys no longer
// steer it. It stays so once the level is won.
inline bool ballInExit(const GameModel& model) { return model.Phase == BallPhase::Exit; }

}  // namespace ferlan
