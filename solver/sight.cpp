#include "sight.h"

#include <Spiel/sim/speed.h>
#include <Spiel/sim/tick.h>

#include <cmath>

namespace ferlan {
namespace {

// Streams of the attempt's seed apart from the one the keys' timing draws.
constexpr std::uint64_t kPlacesStream = 0x243f6a8885a308d3ULL;
constexpr std::uint64_t kLooksStream = 0x13198a2e03707344ULL;

void move(FieldObject& object, Twips across, Twips up) {
    object.Left += across;
    object.Top += up;
}

}  // namespace

Sight::Sight(const GameModel& start, const PlayerParams& player, std::uint64_t seed)
    : player_(player), looks_(seed + kLooksStream), believedStart_(start) {
    Random places(seed + kPlacesStream);
    const auto draw = [&](std::vector<Shift>& shifts, std::size_t slots) {
        shifts.resize(slots + 1);
        for (Shift& shift : shifts) {
            shift.across = static_cast<Twips>(places.offset(player_.placeError));
            shift.up = static_cast<Twips>(places.offset(player_.placeError));
        }
    };
    forEachKind([&](const KindTraits& kind) {
        draw(shifts_.at(kindIndex(kind.kind)), static_cast<std::size_t>(kind.slotCount));
    });
    // A polariser standing on the entry pipe is where the pipe shows it: the
    // ball climbs straight into it.
    for (std::size_t k = 1; k <= kMaxTransformator; ++k) {
        const Image& polariser = start.Transformator[k];
        if (polariser.Left < start.Anfang.right() && start.Anfang.Left < polariser.right() &&
            polariser.bottom() >= start.Anfang.Top - kBallSize) {
            shifts_.at(kindIndex(ElementKind::Transformator))[k] = {};
        }
    }
    moveElements(believedStart_);
}

void Sight::moveElements(GameModel& model) const {
    if (player_.placeError <= 0) return;
    forEachKind([&](const KindTraits& kind) {
        const auto slots = fieldSlots(model, kind.kind);
        const std::vector<Shift>& shifts = shifts_.at(kindIndex(kind.kind));
        for (int n = 1; n <= kind.slotCount; ++n) {
            const Shift& s = shifts[static_cast<std::size_t>(n)];
            move(slots.images[static_cast<std::size_t>(n)], s.across, s.up);
            for (int d = 0; d < kind.discs; ++d) move(slots.discs[discIndex(n, d)], s.across, s.up);
        }
    });
    // A pole's centre marker goes with it.
    const std::vector<Shift>& poles = shifts_.at(kindIndex(ElementKind::Ferlan));
    for (std::size_t i = 1; i <= kMaxFerlan; ++i)
        move(model.Zentrum[i], poles[i].across, poles[i].up);
}

void Sight::keysArrived(std::int64_t tick, const HeldKeys& keys) {
    if (player_.speedLooks > 0) keysSince_.push_back({tick, keys});
}

GameModel Sight::look(const GameModel& real, std::int64_t tick) {
    GameModel seen = real;
    moveElements(seen);
    Image& ball = seen.Eisenkugel;
    if (player_.sightError > 0) {
        const auto error = [&] {
            return static_cast<Twips>(std::lround(looks_.normal() * player_.sightError));
        };
        ball.Left += error();
        ball.Top += error();
    }
    if (player_.speedLooks <= 0) return seen;
    // The speed is judged from the looks alone: the player expects the ball
    // where its last belief, played on with the keys it pressed, puts it, and
    // the difference to what it now sees shows how far its speed was off. The
    // correction is spread over speedLooks looks, as an eye averages.
    if (!lastBelief_) {
        // The ball starts at rest in the entry pipe.
        seen.BallVX = 0;
        seen.BallVY = 0;
    } else {
        GameModel expected = *lastBelief_;
        for (std::int64_t t = lastLook_; t < tick; ++t) {
            for (const KeyChange& change : keysSince_) {
                if (change.tick == t) holdKeys(expected, change.keys);
            }
            runTick(expected);
        }
        const double ticks = static_cast<double>(tick - lastLook_);
        const double weight = 1.0 / (player_.speedLooks * ticks);
        const auto judged = [&](Speed expectedSpeed, Twips seenAt, Twips expectedAt) {
            const double speed = expectedSpeed + weight * (seenAt - expectedAt);
            return saturateSpeed(static_cast<int>(std::lround(speed)));
        };
        seen.BallVX = judged(expected.BallVX, ball.Left, expected.Eisenkugel.Left);
        seen.BallVY = judged(expected.BallVY, ball.Top, expected.Eisenkugel.Top);
    }
    lastBelief_ = seen;
    lastLook_ = tick;
    keysSince_.clear();
    return seen;
}

}  // namespace ferlan
