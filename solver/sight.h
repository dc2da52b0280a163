// What the player model believes it sees. A person judges where the ball is
// to within a few pixels, judges its speed from where it saw it last, and
// remembers the elements' places only roughly; the plan runs on that belief,
// while the keys act on the real game.
#pragma once

#include "player_model.h"
#include "random.h"

#include <Spiel/sim/field.h>
#include <Spiel/sim/key_script.h>
#include <optional>

#include <cstdint>
#include <vector>

namespace ferlan {

class Sight {
public:
    // The errors are drawn from `seed`, on streams of their own: the keys'
    // timing draws the same numbers with or without them.
    Sight(const GameModel& start, const PlayerParams& player, std::uint64_t seed);

    // The level as the player believes it is laid out.
    const GameModel& believedStart() const { return believedStart_; }

    // The keys the player's fingers changed to, just before this tick ran.
    void keysArrived(std::int64_t tick, const HeldKeys& keys);

    // The field as the player sees it at this look, before the tick runs.
    GameModel look(const GameModel& real, std::int64_t tick);

private:
    struct Shift {
        Twips across = 0;
        Twips up = 0;
    };
    struct KeyChange {
        std::int64_t tick;
        HeldKeys keys;
    };

    void moveElements(GameModel& model) const;

    PlayerParams player_;
    Random looks_;
    // Per kind, by slot as the model numbers them.
    std::array<std::vector<Shift>, kKindCount> shifts_;
    GameModel believedStart_;
    // The field as the player believed it at its last look, and the keys it
    // changed since: played forward, it is what the player expects to see.
    std::optional<GameModel> lastBelief_;
    std::int64_t lastLook_ = 0;
    std::vector<KeyChange> keysSince_;
};

}  // namespace ferlan
