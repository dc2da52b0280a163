#include "tick.h"

#include "rules.h"
#include "speed.h"

namespace ferlan {
namespace {

constexpr int kSteeringPush = 5;
constexpr int kSpeedLimit = 100;
constexpr Twips kFerlanMargin = 106;
constexpr Twips kTransformatorMargin = 120;
constexpr Twips kKugelMargin = 212;
constexpr Twips kRimBand = 100;
constexpr Twips kPipeLift = 20;
// The exit pipe swallows the ball once it is this deep in the opening.
constexpr Twips kExitDepth = 240;

inline bool deepVertical(const FieldObject& obstacle, const FieldObject& ball, Twips margin) {
    return obstacle.bottom() - margin > ball.Top && obstacle.Top + margin < ball.bottom();
}

inline bool deepHorizontal(const FieldObject& obstacle, const FieldObject& ball, Twips margin) {
    return obstacle.right() - margin > ball.Left && obstacle.Left + margin < ball.right();
}

inline void friction(Speed& speed) {
    if (speed > 0) {
        --speed;
    } else if (speed < 0) {
        ++speed;
    }
}

inline void limit(Speed& speed) {
    if (speed < -kSpeedLimit) speed = -kSpeedLimit;
    if (speed > kSpeedLimit) speed = kSpeedLimit;
}

// One disc's pull (positive) or push (negative) with its strength m, and for
// a charged ball the strength r of its pull back on the iron ball.
struct Force {
    int onElement;
    int onBall;
};

// The force of a disc at `ring` (0 outer, 1 middle, 2 inner) on the iron ball,
// by the two polarities. Returns false when the disc gives none.
inline bool ferlanForce(Polarity ball, Colour colour, int ring, int& force) {
    if (ball == Polarity::Neutral) {
        force = ring + 1;
        return true;
    }
    const bool discPlus = colour == kPlusDiscColours[static_cast<std::size_t>(ring)];
    const bool discMinus = colour == kMinusDiscColours[static_cast<std::size_t>(ring)];
    if (!discPlus && !discMinus) return false;
    const bool alike = (ball == Polarity::Plus) == discPlus;
    force = alike ? -(ring + 1) : ring + 2;
    return true;
}

// Between the iron ball and a charged ball: m on the charged ball, r on the
// iron ball; negative for repulsion.
inline bool kugelForce(Polarity ball, Colour colour, int ring, Force& force) {
    constexpr Force kNeutralOrAlike[3] = {{1, 0}, {1, 1}, {2, 1}};
    constexpr Force kUnlike[3] = {{2, 0}, {2, 1}, {3, 2}};
    const auto r = static_cast<std::size_t>(ring);
    if (ball == Polarity::Neutral) {
        force = kNeutralOrAlike[r];
        return true;
    }
    const bool discPlus = colour == kPlusDiscColours[r];
    const bool discMinus = colour == kMinusDiscColours[r];
    if (!discPlus && !discMinus) return false;
    if ((ball == Polarity::Plus) == discPlus) {
        force = {-kNeutralOrAlike[r].onElement, -kNeutralOrAlike[r].onBall};
    } else {
        force = kUnlike[r];
    }
    return true;
}

// Pulls the ball toward the point (positive m) or pushes it away (negative
// m), the same amount on both axes; a level axis is left alone.
inline void pull(GameModel& model, Twips towardLeft, Twips towardTop, int m) {
    const Image& ball = model.Eisenkugel;
    if (ball.Top > towardTop) {
        addSpeed(model.BallVY, -m);
    } else if (ball.Top < towardTop) {
        addSpeed(model.BallVY, m);
    }
    if (ball.Left > towardLeft) {
        addSpeed(model.BallVX, -m);
    } else if (ball.Left < towardLeft) {
        addSpeed(model.BallVX, m);
    }
}

void applyKugelForce(GameModel& model, std::size_t k, const Force& force) {
    const Image& ball = model.Eisenkugel;
    const Image& kugel = model.Kugel[k];
    if (ball.Top > kugel.Top) {
        addSpeed(model.KugelVY[k], force.onElement);
        addSpeed(model.BallVY, -force.onBall);
    } else if (ball.Top < kugel.Top) {
        addSpeed(model.KugelVY[k], -force.onElement);
        addSpeed(model.BallVY, force.onBall);
    }
    if (ball.Left > kugel.Left) {
        addSpeed(model.KugelVX[k], force.onElement);
        addSpeed(model.BallVX, -force.onBall);
    } else if (ball.Left < kugel.Left) {
        addSpeed(model.KugelVX[k], -force.onElement);
        addSpeed(model.BallVX, force.onBall);
    }
}

void exchangeSpeeds(GameModel& model, std::size_t k) {
    model.SwapX = model.BallVX;
    model.BallVX = model.KugelVX[k];
    model.KugelVX[k] = model.SwapX;
    model.SwapY = model.BallVY;
    model.BallVY = model.KugelVY[k];
    model.KugelVY[k] = model.SwapY;
}

void steer(GameModel& model) {
    if (model.KeyUpHeld) addSpeed(model.BallVY, -kSteeringPush);
    if (model.KeyDownHeld) addSpeed(model.BallVY, kSteeringPush);
    if (model.KeyLeftHeld) addSpeed(model.BallVX, -kSteeringPush);
    if (model.KeyRightHeld) addSpeed(model.BallVX, kSteeringPush);
    limit(model.BallVY);
    limit(model.BallVX);
    friction(model.BallVX);
    friction(model.BallVY);
}

void bounceOffWalls(GameModel& model) {
    Image& ball = model.Eisenkugel;
    if (ball.right() >= kScaleWidth) {
        model.BallVX = negateSpeed(model.BallVX);
        ball.Left = kScaleWidth - ball.Width;
        model.fieldChanged();
    }
    if (ball.Left <= kScaleLeft) {
        model.BallVX = negateSpeed(model.BallVX);
        ball.Left = 0;
        model.fieldChanged();
    }
}

void bounceOffFerlanen(GameModel& model) {
    const Image& ball = model.Eisenkugel;
    for (std::size_t i = 1; i <= kMaxFerlan; ++i) {
        const Image& ferlan = model.Ferlan[i];
        if (!ferlan.Visible || !touches(ball, ferlan)) continue;
        if (!deepVertical(ferlan, ball, kFerlanMargin)) model.BallVY = negateSpeed(model.BallVY);
        if (!deepHorizontal(ferlan, ball, kFerlanMargin)) model.BallVX = negateSpeed(model.BallVX);
    }
}

void bounceOffTransformators(GameModel& model) {
    const Image& ball = model.Eisenkugel;
    for (std::size_t k = 1; k <= kMaxTransformator; ++k) {
        const Image& pipe = model.Transformator[k];
        if (!pipe.Visible) continue;
        const bool touching = touches(ball, pipe);
        // A ball in line with the pipe enters it from either end.
        const bool inLine = pipe.Left <= ball.Left && ball.right() <= pipe.right();
        if (touching && !deepVertical(pipe, ball, kTransformatorMargin) && !inLine) {
            model.BallVY = negateSpeed(model.BallVY);
        }
        if (touching && !deepHorizontal(pipe, ball, kTransformatorMargin)) {
            model.BallVX = negateSpeed(model.BallVX);
        }
        const bool besideVertically = pipe.bottom() >= ball.Top && ball.bottom() >= pipe.Top;
        if (pipe.right() <= ball.right() && ball.right() < pipe.right() + kRimBand &&
            besideVertically) {
            model.BallVX = negateSpeed(model.BallVX);
        }
        if (pipe.Left - kRimBand < ball.Left && ball.Left <= pipe.Left && besideVertically) {
            model.BallVX = negateSpeed(model.BallVX);
        }
    }
}

void collideWithKugeln(GameModel& model) {
    const Image& ball = model.Eisenkugel;
    for (std::size_t k = 1; k <= kMaxKugel; ++k) {
        const Image& kugel = model.Kugel[k];
        if (!kugel.Visible || !touches(ball, kugel)) continue;
        if (!deepVertical(kugel, ball, kKugelMargin)) exchangeSpeeds(model, k);
        if (!deepHorizontal(kugel, ball, kKugelMargin)) exchangeSpeeds(model, k);
    }
}

void polarise(GameModel& model) {
    const Image& ball = model.Eisenkugel;
    for (std::size_t k = 1; k <= kMaxTransformator; ++k) {
        const Image& pipe = model.Transformator[k];
        if (!pipe.Visible) continue;
        if (inPolarisingWindow(pipe, ball)) {
            const Polarity before = model.BallPolarity;
            switch (pipe.picture) {
                case Picture::ap: model.BallPolarity = Polarity::Plus; break;
                case Picture::am: model.BallPolarity = Polarity::Minus; break;
                case Picture::an: model.BallPolarity = Polarity::Neutral; break;
                default: break;
            }
            if (model.BallPolarity != before) model.panelChanged();
        }
    }
}

// Returns whether the ball touched any Ferlan's outer disc.
bool applyFerlanForces(GameModel& model) {
    const Image& ball = model.Eisenkugel;
    bool anyHit = false;
    for (std::size_t i = 1; i <= kMaxFerlan; ++i) {
        if (!model.Ferlan[i].Visible) continue;
        const FieldObject& z = model.Zentrum[i];
        for (int ring = 0; ring < 3; ++ring) {
            const Disc& disc = model.Anziehung[3 * i - 2 + static_cast<std::size_t>(ring)];
            if (!touches(ball, disc)) break;
            if (ring == 0) anyHit = true;
            int force = 0;
            if (ferlanForce(model.BallPolarity, disc.BackColour, ring, force)) {
                pull(model, z.Left, z.Top, force);
            }
            if (ring == 2 && inCaptureSquare(z, ball.Left, ball.Top)) {
                model.BallVX = 0;
                model.BallVY = 0;
            }
        }
    }
    return anyHit;
}

bool applyKugelForces(GameModel& model) {
    const Image& ball = model.Eisenkugel;
    bool anyHit = false;
    for (std::size_t k = 1; k <= kMaxKugel; ++k) {
        if (!model.Kugel[k].Visible) continue;
        const Disc& outer = model.Anziehung2[3 * k - 2];
        if (!touches(ball, outer)) continue;
        anyHit = true;
        // Unlike the poles' discs, the inner disc is tested even when the
        // middle one is not touched.
        for (int ring = 0; ring < 3; ++ring) {
            const Disc& disc = model.Anziehung2[3 * k - 2 + static_cast<std::size_t>(ring)];
            if (ring > 0 && !touches(ball, disc)) continue;
            Force force{};
            if (kugelForce(model.BallPolarity, disc.BackColour, ring, force)) {
                applyKugelForce(model, k, force);
            }
        }
    }
    return anyHit;
}

void moveKugeln(GameModel& model) {
    for (std::size_t k = 1; k <= kMaxKugel; ++k) {
        Image& kugel = model.Kugel[k];
        if (!kugel.Visible) continue;
        const Twips vx = model.KugelVX[k];
        const Twips vy = model.KugelVY[k];
        if (vx != 0 || vy != 0) model.fieldChanged();
        kugel.Left += vx;
        kugel.Top += vy;
        for (std::size_t d = 3 * k - 2; d <= 3 * k; ++d) {
            model.Anziehung2[d].Left += vx;
            model.Anziehung2[d].Top += vy;
        }
    }
}

enum class ExitResult { NotThere, EndsTick, Won, Blocked };

ExitResult enterExit(GameModel& model) {
    Image& ball = model.Eisenkugel;
    const FieldObject& ende = model.Ende;
    if (!(ende.bottom() > ball.Top)) return ExitResult::NotThere;
    // A shown ball in the top band always moves or goes; a hidden one (a won
    // level that stays on the field) changes nothing that shows.
    if (ball.Visible) model.fieldChanged();
    model.BallVX = 0;
    model.BallVY = 0;
    if (ende.right() >= ball.right() && ball.Left >= ende.Left) {
        model.Phase = BallPhase::Exit;
        model.AlarmOn = false;
        if (ende.Left + kExitCentre < ball.Left) ball.Left -= 1;
        if (ende.Left + kExitCentre > ball.Left) ball.Left += 1;
        if (ende.Top + kExitDepth >= ball.Top) {
            ball.Visible = false;
            return ExitResult::Won;
        }
        if (ball.Left == ende.Left + kExitCentre) ball.Top -= kPipeLift;
        return ExitResult::EndsTick;
    }
    // Beside the opening the top band pushes the ball back down.
    ball.Top += kPipeLift;
    return ExitResult::Blocked;
}

void scroll(GameModel& model) {
    FieldObject& field = model.Spielflaeche;
    const Twips lowest = kWindowInnerHeight - model.Anzeigetafel.Height - field.Height;
    const Twips before = field.Top;
    // The bound is tested before the move, so the field may overshoot by one step.
    if (model.BallVY > 0 && field.Top <= lowest) {
        field.Top = lowest;
    } else if (model.BallVY < 0 && field.Top >= 0) {
        field.Top = 0;
    } else {
        field.Top -= static_cast<Twips>(model.BallVY);
    }
    if (field.Top != before) model.fieldChanged();
}

}  // namespace

TickOutcome runTick(GameModel& model) {
    Image& ball = model.Eisenkugel;
    const bool alarmBefore = model.AlarmOn;
    const auto outcome = [&] {
        return model.AlarmOn != alarmBefore ? TickOutcome::AlarmChanged : TickOutcome::Nothing;
    };

    // The entry pipe's top edge is a floor across the whole field.
    if (ball.bottom() > model.Anfang.Top) {
        ball.Top -= kPipeLift;
        model.BallVX = 0;
        model.BallVY = 0;
        if (ball.bottom() - kPipeLift < model.Anfang.Top && model.Phase == BallPhase::Entry) {
            model.Phase = BallPhase::Field;
        }
        model.fieldChanged();
        return TickOutcome::Nothing;
    }

    steer(model);
    for (std::size_t k = 1; k <= kMaxKugel; ++k) {
        friction(model.KugelVX[k]);
        friction(model.KugelVY[k]);
    }
    bounceOffWalls(model);
    bounceOffFerlanen(model);
    bounceOffTransformators(model);
    collideWithKugeln(model);
    polarise(model);
    const bool ferlanHit = applyFerlanForces(model);
    const bool kugelHit = applyKugelForces(model);
    model.AlarmOn = ferlanHit || kugelHit;
    moveKugeln(model);

    switch (enterExit(model)) {
        case ExitResult::Won: return TickOutcome::Won;
        case ExitResult::EndsTick: return outcome();
        case ExitResult::NotThere:
        case ExitResult::Blocked: break;
    }

    if (model.BallVX != 0 || model.BallVY != 0) model.fieldChanged();
    ball.Left += static_cast<Twips>(model.BallVX);
    ball.Top += static_cast<Twips>(model.BallVY);
    scroll(model);
    return outcome();
}

}  // namespace ferlan
