#include "player_model.h"

#include "random.h"
#include "sight.h"

#include <Spiel/sim/key_script.h>
#include <Spiel/sim/rules.h>
#include <Spiel/sim/tick.h>
#include <leveldata/elements.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <queue>

namespace ferlan {
namespace {

// The player judges where the ball stands on a grid of this many twips.
constexpr int kCell = 60;
// Entering a cell where the ball would touch a rod or a pipe wall, or be
// caught, costs this many free cells: the way round is preferred, but a ball
// pushed into a rod still knows which way is out.
constexpr int kBlockedCost = 8;
// In a pulling pole's middle disc the pull matches what the keys can do.
constexpr int kPulledCost = 3;
// Cells around a capture square that count as caught: a steady hand keeps
// this far away.
constexpr Twips kCaptureMargin = 60;
// How far the player looks beyond its follow-up decision: the follow-up's
// keys held this much longer show where the ball is heading.
constexpr int kCoastDecisions = 1;
// A quick player decides more often, but looks no less far ahead: the
// follow-up's keys are held at least until this many ticks after the look.
constexpr std::int64_t kLookAheadTicks = 58;
// How many follow-ups per candidate the player thinks one decision further.
constexpr std::size_t kBeam = 3;
// Where the candidate alone leaves the ball counts too, so that the player
// does not put off to the next decision what it can do now.
constexpr double kNowWeight = 0.5;
// A planned future in which the ball gets caught scores this much worse than
// any in which it is free.
constexpr double kCaughtPenalty = 1e6;
constexpr double kWonBonus = -1e9;
// A ball that stays this close to where it was for kCaughtTicks is held fast.
constexpr Twips kHeldBox = kCaptureRadius;

bool touches(Twips left, Twips top, Twips size, const FieldObject& box) {
    return touches(FieldObject{left, top, size, size, true}, box);
}

bool caught(const GameModel& model) {
    const Image& ball = model.Eisenkugel;
    for (std::size_t i = 1; i <= kMaxFerlan; ++i) {
        if (!model.Ferlan[i].Visible) continue;
        const FieldObject& z = model.Zentrum[i];
        if (inCaptureSquare(z, ball.Left, ball.Top)) return true;
    }
    return false;
}

// Whether a pole pulls a ball of this polarity (a neutral ball is pulled by
// every pole), read from the pole's inner disc as the tick reads it.
bool pulls(const GameModel& start, std::size_t pole, Polarity ball) {
    if (ball == Polarity::Neutral) return true;
    const bool polePlus = start.Anziehung[3 * pole].BackColour == kPlusDiscColours[2];
    return polePlus == (ball == Polarity::Minus);
}

// How many cells the ball still has to cover to the exit, for every place on
// the field and each polarity of the ball: the way round rods, polariser
// walls, capture squares and the inner discs of the poles that pull the ball
// (where a pole pulls harder than the keys push), with diagonal steps as fast
// as straight ones (each axis has its own top speed).
class RouteMap {
public:
    // A `stop` that is set leaves the map unfinished: a cancelled check must
    // not wait for a whole map of a believed level on a slow machine.
    explicit RouteMap(const GameModel& start, const std::atomic<bool>* stop = nullptr)
        : stop_(stop) {
        const Twips lowestTop = start.Anfang.Top - kBallSize;
        cols_ = static_cast<int>((kScaleWidth - kBallSize) / kCell) + 1;
        rows_ = std::max(1, static_cast<int>(lowestTop / kCell) + 1);
        for (const Polarity polarity : {Polarity::Neutral, Polarity::Plus, Polarity::Minus}) {
            distance_[static_cast<std::size_t>(polarity)] = measure(start, polarity);
        }
    }

    // Cells to go from the ball's place.
    int cellsToGo(const Image& ball, Polarity polarity) const {
        const int x = std::clamp(static_cast<int>(std::lround(ball.Left / kCell)), 0, cols_ - 1);
        const int y = std::clamp(static_cast<int>(std::lround(ball.Top / kCell)), 0, rows_ - 1);
        return distance_[static_cast<std::size_t>(polarity)][index(x, y)];
    }

private:
    bool stopped() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }

    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(x);
    }

    std::vector<int> measure(const GameModel& start, Polarity polarity) const {
        std::vector<int> cost(static_cast<std::size_t>(cols_ * rows_), 1);
        std::vector<bool> goal(cost.size(), false);
        std::vector<int> distance(cost.size(), std::numeric_limits<int>::max());
        for (int y = 0; y < rows_; ++y) {
            if (stopped()) return distance;
            for (int x = 0; x < cols_; ++x) {
                const Twips left = static_cast<Twips>(x * kCell);
                const Twips top = static_cast<Twips>(y * kCell);
                const std::size_t at = index(x, y);
                const bool underOpening =
                    start.Ende.Left <= left && left + kBallSize <= start.Ende.right();
                if (top < start.Ende.bottom()) {
                    if (underOpening) {
                        goal[at] = true;
                    } else {
                        cost[at] = kBlockedCost;
                    }
                    continue;
                }
                if (blocked(start, left, top, polarity)) {
                    cost[at] = kBlockedCost;
                } else if (nearPull(start, left, top, polarity)) {
                    cost[at] = kPulledCost;
                }
            }
        }
        using Entry = std::pair<int, std::size_t>;
        std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
        for (std::size_t at = 0; at < goal.size(); ++at) {
            if (!goal[at]) continue;
            distance[at] = 0;
            queue.push({0, at});
        }
        for (std::size_t popped = 0; !queue.empty(); ++popped) {
            if (popped % static_cast<std::size_t>(cols_) == 0 && stopped()) break;
            const auto [d, at] = queue.top();
            queue.pop();
            if (d > distance[at]) continue;
            const int x = static_cast<int>(at % static_cast<std::size_t>(cols_));
            const int y = static_cast<int>(at / static_cast<std::size_t>(cols_));
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= cols_ || ny >= rows_) {
                        continue;
                    }
                    const std::size_t next = index(nx, ny);
                    const int nd = d + cost[next];
                    if (nd < distance[next]) {
                        distance[next] = nd;
                        queue.push({nd, next});
                    }
                }
            }
        }
        return distance;
    }

    static bool blocked(const GameModel& start, Twips left, Twips top, Polarity polarity) {
        for (std::size_t i = 1; i <= kMaxFerlan; ++i) {
            if (!start.Ferlan[i].Visible) continue;
            if (touches(left, top, kBallSize, start.Ferlan[i])) return true;
            const FieldObject& z = start.Zentrum[i];
            if (inCaptureSquare(z, left, top, kCaptureMargin)) return true;
            if (pulls(start, i, polarity) &&
                touches(left, top, kBallSize, start.Anziehung[3 * i])) {
                return true;
            }
        }
        for (std::size_t k = 1; k <= kMaxTransformator; ++k) {
            const Image& pipe = start.Transformator[k];
            if (!pipe.Visible || !touches(left, top, kBallSize, pipe)) continue;
            // A ball in line with the pipe passes through it lengthwise.
            if (!(pipe.Left <= left && left + kBallSize <= pipe.right())) return true;
        }
        return false;
    }

    // In a pole's middle disc the pull matches what the keys can do.
    static bool nearPull(const GameModel& start, Twips left, Twips top, Polarity polarity) {
        for (std::size_t i = 1; i <= kMaxFerlan; ++i) {
            if (start.Ferlan[i].Visible && pulls(start, i, polarity) &&
                touches(left, top, kBallSize, start.Anziehung[discIndex(static_cast<int>(i), 1)])) {
                return true;
            }
        }
        return false;
    }

    const std::atomic<bool>* stop_ = nullptr;
    int cols_ = 0;
    int rows_ = 0;
    std::array<std::vector<int>, 3> distance_;
};

// A decision on its way to the keys.
struct Pending {
    std::int64_t due;  // the tick before which the keys change
    HeldKeys keys;
};

struct Played {
    bool won = false;
    bool caught = false;
};

// A planned state: the field after a few decisions, and what they scored.
struct Step {
    GameModel model;
    std::int64_t tick = 0;
    Played played;
    double score = 0;
};

// Runs `ticks` ticks, switching to each pending decision when it falls due.
Played runFor(GameModel& model, std::int64_t& tick, std::int64_t ticks,
              const std::vector<Pending>& pending) {
    Played played;
    for (std::int64_t n = 0; n < ticks; ++n) {
        for (const Pending& change : pending) {
            if (change.due == tick) holdKeys(model, change.keys);
        }
        ++tick;
        if (runTick(model) == TickOutcome::Won || ballInExit(model)) {
            played.won = true;
            return played;
        }
        if (caught(model)) played.caught = true;
    }
    return played;
}

class Player {
public:
    Player(const GameModel& start, const RouteMap& route, const PlayerParams& params,
           const std::atomic<bool>* stop = nullptr)
        : start_(start), exactRoute_(route), params_(params), stop_(stop) {}

    // `progress` is called at every look, before the stop is heeded.
    AttemptResult play(std::uint64_t seed, int attempt = 0, const PlaytestProgress& progress = {}) {
        Random random(seed);
        Sight sight(start_, params_, seed);
        // The way to the exit as the player believes the level is laid out.
        std::optional<RouteMap> believedRoute;
        if (params_.placeError > 0) believedRoute.emplace(sight.believedStart(), stop_);
        route_ = believedRoute ? &*believedRoute : &exactRoute_;
        AttemptResult result;
        result.seed = seed;
        if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) return result;
        GameModel model = start_;
        HeldKeys held;
        holdKeys(model, held);
        std::deque<Pending> onTheWay;  // decisions that have not reached the keys
        HeldKeys decided = held;       // the latest decision
        std::int64_t caughtFor = 0;
        Twips heldLeft = model.Eisenkugel.Left;
        Twips heldTop = model.Eisenkugel.Top;
        const int decide = std::max(1, params_.decide);
        for (std::int64_t tick = 0; tick < kAttemptTicks; ++tick) {
            if (tick % decide == 0) {
                if (progress) progress(attempt, result);
                if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) return result;
                decided = decideKeys(sight.look(model, tick), tick, onTheWay, decided,
                                     result.statesSearched);
                ++result.decisions;
                const std::int64_t due =
                    tick + std::max(0, params_.reaction + random.offset(params_.jitter));
                onTheWay.push_back({due, decided});
            }
            // Decisions reach the keys in the order they were made.
            while (!onTheWay.empty() && onTheWay.front().due <= tick) {
                holdKeys(model, onTheWay.front().keys);
                sight.keysArrived(tick, onTheWay.front().keys);
                onTheWay.pop_front();
            }
            if (runTick(model) == TickOutcome::Won) {
                result.end = AttemptEnd::Won;
                result.ticks = tick + 1;
                return result;
            }
            // Held fast: caught by a pole, or wedged, the ball stays where it
            // is whatever the keys do.
            const Image& ball = model.Eisenkugel;
            // The exit drawing the ball in is slow, but not held.
            if (ballInExit(model) || std::fabs(ball.Left - heldLeft) > kHeldBox ||
                std::fabs(ball.Top - heldTop) > kHeldBox) {
                heldLeft = ball.Left;
                heldTop = ball.Top;
                caughtFor = 0;
            } else {
                ++caughtFor;
            }
            if (caughtFor >= kCaughtTicks) {
                result.ballLeft = ball.Left;
                result.ballTop = ball.Top;
                result.end = AttemptEnd::Caught;
                result.ticks = tick + 1;
                return result;
            }
        }
        result.end = AttemptEnd::OutOfTime;
        result.ticks = kAttemptTicks;
        result.ballLeft = model.Eisenkugel.Left;
        result.ballTop = model.Eisenkugel.Top;
        return result;
    }

private:
    double score(const GameModel& model, const Played& played, std::int64_t tick) const {
        if (played.won) return kWonBonus + static_cast<double>(tick);
        double value = route_->cellsToGo(model.Eisenkugel, model.BallPolarity);
        if (played.caught || caught(model)) value += kCaughtPenalty;
        return value;
    }

    // Plays the near future for each candidate and follow-up and keeps the
    // candidate whose best follow-up leaves the ball nearest the exit. The
    // player expects its decisions to arrive after exactly `reaction` ticks.
    HeldKeys decideKeys(const GameModel& now, std::int64_t tick,
                        const std::deque<Pending>& onTheWay, const HeldKeys& decided,
                        std::int64_t& statesSearched) const {
        const std::int64_t decide = std::max(1, params_.decide);
        const std::int64_t reaction = std::max(0, params_.reaction);
        std::vector<Pending> expected;
        expected.reserve(onTheWay.size());
        for (const Pending& change : onTheWay) {
            expected.push_back({std::max(tick, change.due), change.keys});
        }
        GameModel prefix = now;
        std::int64_t prefixTick = tick;
        const Played before = runFor(prefix, prefixTick, reaction, expected);
        ++statesSearched;
        if (before.won) return decided;

        const std::int64_t coast =
            std::max(decide * (1 + kCoastDecisions), kLookAheadTicks - reaction - 2 * decide);
        HeldKeys best = decided;
        double bestScore = std::numeric_limits<double>::infinity();
        // The last decision first: among equals the player keeps its keys.
        std::array<std::size_t, kKeyCombinations.size()> order{};
        std::size_t filled = 0;
        for (std::size_t c = 0; c < kKeyCombinations.size(); ++c) {
            if (kKeyCombinations[c] == decided) order[filled++] = c;
        }
        for (std::size_t c = 0; c < kKeyCombinations.size(); ++c) {
            if (!(kKeyCombinations[c] == decided)) order[filled++] = c;
        }
        for (const std::size_t c : order) {
            // A cancelled check must end soon even on a starved core.
            if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) break;
            GameModel first = prefix;
            std::int64_t firstTick = prefixTick;
            holdKeys(first, kKeyCombinations[c]);
            const Played one = runFor(first, firstTick, decide, {});
            ++statesSearched;
            const double firstScore = score(first, one, firstTick);
            double candidate = firstScore;
            if (!one.won) {
                candidate = std::numeric_limits<double>::infinity();
                // The follow-ups, and for the most promising of them one more
                // decision, held on to see where the ball is heading.
                std::array<Step, kKeyCombinations.size()> seconds;
                for (std::size_t n = 0; n < kKeyCombinations.size(); ++n) {
                    Step& second = seconds[n];
                    second.model = first;
                    second.tick = firstTick;
                    holdKeys(second.model, kKeyCombinations[n]);
                    second.played = runFor(second.model, second.tick, decide, {});
                    second.played.caught = second.played.caught || one.caught;
                    const double secondScore = score(second.model, second.played, second.tick);
                    // A win counts by its tick alone: the sooner, the better.
                    second.score =
                        second.played.won ? secondScore : kNowWeight * (firstScore + secondScore);
                    ++statesSearched;
                }
                std::array<std::size_t, kKeyCombinations.size()> ranked{};
                for (std::size_t n = 0; n < ranked.size(); ++n) ranked[n] = n;
                std::stable_sort(ranked.begin(), ranked.end(), [&](std::size_t a, std::size_t b) {
                    return seconds[a].score < seconds[b].score;
                });
                for (std::size_t r = 0; r < kBeam; ++r) {
                    const Step& second = seconds[ranked[r]];
                    if (second.played.won) {
                        candidate = std::min(candidate, second.score);
                        continue;
                    }
                    for (const HeldKeys& next : kKeyCombinations) {
                        if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) break;
                        GameModel third = second.model;
                        std::int64_t thirdTick = second.tick;
                        holdKeys(third, next);
                        Played three = runFor(third, thirdTick, coast, {});
                        ++statesSearched;
                        three.caught = three.caught || second.played.caught;
                        const double thirdScore = score(third, three, thirdTick);
                        candidate =
                            std::min(candidate, three.won ? thirdScore : second.score + thirdScore);
                    }
                }
            }
            if (candidate < bestScore) {
                bestScore = candidate;
                best = kKeyCombinations[c];
            }
        }
        return best;
    }

    const GameModel& start_;
    const RouteMap& exactRoute_;
    const RouteMap* route_ = &exactRoute_;  // the one of the attempt in play
    PlayerParams params_;
    const std::atomic<bool>* stop_ = nullptr;
};

GameModel playableCopy(const GameModel& start) { return start; }

}  // namespace

std::int64_t statesPerDecision() {
    const auto choices = static_cast<std::int64_t>(kKeyCombinations.size());
    return 1 + choices * (1 + choices + static_cast<std::int64_t>(kBeam) * choices);
}

AttemptResult playAttempt(const GameModel& start, const PlayerParams& player, std::uint64_t seed) {
    const GameModel model = playableCopy(start);
    const RouteMap route(model);
    return Player(model, route, player).play(seed);
}

std::vector<AttemptResult> playtest(const GameModel& start, const PlaytestOptions& options) {
    const GameModel model = playableCopy(start);
    const RouteMap route(model, options.stop);
    Player player(model, route, options.player, options.stop);
    std::vector<AttemptResult> results;
    results.reserve(static_cast<std::size_t>(std::max(0, options.attempts)));
    for (int n = 0; n < options.attempts; ++n) {
        if (options.stop != nullptr && options.stop->load(std::memory_order_relaxed)) break;
        results.push_back(
            player.play(options.seed + static_cast<std::uint64_t>(n), n, options.progress));
    }
    return results;
}

int winsOf(const std::vector<AttemptResult>& attempts) {
    return static_cast<int>(std::count_if(attempts.begin(), attempts.end(),
                                          [](const auto& a) { return a.end == AttemptEnd::Won; }));
}

Difficulty difficultyOf(int wins, int attempts) {
    // Compared in whole numbers, so 16 of 20 is exactly 80 %.
    const long long share = 100LL * wins;
    if (share >= 80LL * attempts) return Difficulty::Easy;
    if (share >= 65LL * attempts) return Difficulty::Medium;
    if (share >= 50LL * attempts) return Difficulty::Hard;
    return Difficulty::TooHard;
}

PlayerParams withExactSight(PlayerParams player) {
    player.sightError = 0;
    player.speedLooks = 0;
    player.placeError = 0;
    return player;
}

PlayerParams playerParams(PlayerKind kind) {
    switch (kind) {
        case PlayerKind::Novice: return {16, 16, 4, 60, 2, 90};
        case PlayerKind::Average: break;
        case PlayerKind::Skilled: return {10, 8, 2, 20, 2, 30};
    }
    return {};
}

WinBand fairWins(int level, PlayerKind player, int attempts) {
    // Shares in percent of the attempts, by player: novice, average, skilled.
    struct Band {
        int atLeast[3];
        int noviceAtMost;
    };
    constexpr Band kFirst{{50, 80, 0}, 100};
    constexpr Band kMiddle{{0, 65, 80}, 100};
    constexpr Band kLast{{0, 50, 70}, 50};
    constexpr Band kClassic{{80, 80, 80}, 100};
    const Band& band = (level == 1 || level == 3) ? kClassic
                       : level <= 10              ? kFirst
                       : level <= 20              ? kMiddle
                                                  : kLast;
    const int share = band.atLeast[static_cast<int>(player)];
    WinBand wins;
    wins.atLeast = (share * attempts + 99) / 100;
    wins.atMost = player == PlayerKind::Novice ? band.noviceAtMost * attempts / 100 : attempts;
    return wins;
}

int cliffLosses(int attempts) { return 25 * attempts / 100; }

}  // namespace ferlan
