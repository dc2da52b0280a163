#include "solver.h"

#include <Spiel/sim/rules.h>
#include <Spiel/sim/tick.h>

#include <algorithm>
#include <array>
#include <barrier>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>
#include <thread>

namespace ferlan {
namespace {

// One combination of arrow keys is held for a segment of this many ticks:
// short enough to steer between two poles, long enough to keep the tree small.
constexpr int kSegmentTicks = 8;
// The ball's best speed on one axis (steering settles at 99 twips per tick).
constexpr float kTopSpeed = 99;
// How much more a tick still to go counts than a tick already played: above 1
// the search prefers pushing on to widening out.
constexpr float kGreed = 3;
// Cells of the grid on which states are taken to be alike.
constexpr float kBallCell = 60;
constexpr float kKugelCell = 120;
constexpr int kSpeedCell = 16;
// The exit draws the ball in from any Left under its opening: from the
// pipe's Left to as far right of the centre as the centre lies right of it.
constexpr float kExitSlack = kExitCentre;
// Nodes taken from the queue at once; their segments run side by side.
constexpr std::size_t kBatch = 64;
// The exit pipe draws a ball under its opening in by itself: at most 480
// ticks of centring and 48 of rising.
constexpr int kExitDrawTicks = 1000;
// How much later than before an input with fewer key changes may win.
constexpr std::int64_t kShortenSlack = 1000;
// Replays that shortening may spend: a bound that, unlike a clock, leaves the
// result the same on every machine.
constexpr int kShortenReplays = 4000;

// Position and speed of a moving ball.
struct Body {
    Twips left = 0;
    Twips top = 0;
    Speed vx = 0;
    Speed vy = 0;
};

constexpr std::uint32_t kNoParent = std::numeric_limits<std::uint32_t>::max();

struct Node {
    std::uint32_t parent = kNoParent;
    std::int32_t tick = 0;
    Body ball;
    std::uint8_t action = 0;
    Polarity polarity = Polarity::Neutral;
};

// What moves during play: everything else on the field stays as the level
// build left it. The charged balls' discs keep their offsets from their balls.
struct Movers {
    std::vector<std::size_t> kugelSlots;
    std::vector<std::array<Twips, 6>> discOffsets;  // left, top of the three discs

    explicit Movers(const GameModel& model) {
        for (std::size_t k = 1; k <= kMaxKugel; ++k) {
            const Image& kugel = model.Kugel[k];
            if (!kugel.Visible) continue;
            kugelSlots.push_back(k);
            std::array<Twips, 6> offsets{};
            for (std::size_t d = 0; d < 3; ++d) {
                const Disc& disc =
                    model.Anziehung2[discIndex(static_cast<int>(k), static_cast<int>(d))];
                offsets[2 * d] = disc.Left - kugel.Left;
                offsets[2 * d + 1] = disc.Top - kugel.Top;
            }
            discOffsets.push_back(offsets);
        }
    }
    std::size_t count() const { return kugelSlots.size(); }
};

class Simulator {
public:
    Simulator(const GameModel& start, const Movers& movers) : model_(start), movers_(movers) {}

    void load(const Node& node, const Body* kugeln) {
        Image& ball = model_.Eisenkugel;
        ball.Left = node.ball.left;
        ball.Top = node.ball.top;
        ball.Visible = true;
        model_.BallVX = node.ball.vx;
        model_.BallVY = node.ball.vy;
        model_.BallPolarity = node.polarity;
        model_.Phase = BallPhase::Field;
        for (std::size_t n = 0; n < movers_.count(); ++n) {
            const std::size_t k = movers_.kugelSlots[n];
            Image& kugel = model_.Kugel[k];
            kugel.Left = kugeln[n].left;
            kugel.Top = kugeln[n].top;
            model_.KugelVX[k] = kugeln[n].vx;
            model_.KugelVY[k] = kugeln[n].vy;
            for (std::size_t d = 0; d < 3; ++d) {
                Disc& disc = model_.Anziehung2[discIndex(static_cast<int>(k), static_cast<int>(d))];
                disc.Left = kugel.Left + movers_.discOffsets[n][2 * d];
                disc.Top = kugel.Top + movers_.discOffsets[n][2 * d + 1];
            }
        }
    }

    void save(Node& node, Body* kugeln) const {
        node.ball = {model_.Eisenkugel.Left, model_.Eisenkugel.Top, model_.BallVX, model_.BallVY};
        node.polarity = model_.BallPolarity;
        for (std::size_t n = 0; n < movers_.count(); ++n) {
            const std::size_t k = movers_.kugelSlots[n];
            kugeln[n] = {model_.Kugel[k].Left, model_.Kugel[k].Top, model_.KugelVX[k],
                         model_.KugelVY[k]};
        }
    }

    // Holds `keys` for up to `ticks` ticks. Returns the tick of the segment
    // that won (1 based), or 0.
    int run(const HeldKeys& keys, int ticks) {
        holdKeys(model_, keys);
        for (int t = 1; t <= ticks; ++t) {
            if (runTick(model_) == TickOutcome::Won) return t;
            // Under the opening the exit takes over: the keys no longer matter.
            if (ballInExit(model_)) {
                for (int extra = 1; extra <= kExitDrawTicks; ++extra) {
                    if (runTick(model_) == TickOutcome::Won) return t + extra;
                }
                return 0;
            }
        }
        return 0;
    }

private:
    GameModel model_;
    const Movers& movers_;
};

// Runs a job over the indices 0 to n - 1 on a fixed team of threads.
class Team {
public:
    explicit Team(int threads)
        : size_(std::max(1, threads)), barrier_(static_cast<std::ptrdiff_t>(size_)) {
        for (int t = 1; t < size_; ++t) {
            helpers_.emplace_back([this, t] {
                for (;;) {
                    barrier_.arrive_and_wait();
                    if (stopping_) return;
                    work(t);
                    barrier_.arrive_and_wait();
                }
            });
        }
    }
    ~Team() {
        if (size_ > 1) {
            stopping_ = true;
            barrier_.arrive_and_wait();
        }
        for (std::thread& helper : helpers_) helper.join();
    }
    Team(const Team&) = delete;
    Team& operator=(const Team&) = delete;

    int size() const { return size_; }

    // job(thread, index)
    void run(std::size_t n, const std::function<void(int, std::size_t)>& job) {
        job_ = &job;
        n_ = n;
        if (size_ > 1) barrier_.arrive_and_wait();
        work(0);
        if (size_ > 1) barrier_.arrive_and_wait();
    }

private:
    void work(int t) {
        for (std::size_t i = static_cast<std::size_t>(t); i < n_;
             i += static_cast<std::size_t>(size_)) {
            (*job_)(t, i);
        }
    }

    int size_;
    std::barrier<> barrier_;
    std::vector<std::thread> helpers_;
    const std::function<void(int, std::size_t)>* job_ = nullptr;
    std::size_t n_ = 0;
    bool stopping_ = false;
};

std::uint64_t mix(std::uint64_t h, std::int64_t value) {
    std::uint64_t z = h ^ (static_cast<std::uint64_t>(value) + 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::int64_t cell(Twips value, float size) {
    return static_cast<std::int64_t>(std::floor(value / size));
}

std::int64_t speedCell(Speed speed) {
    const int s = speed;
    return s >= 0 ? s / kSpeedCell : -((-s + kSpeedCell - 1) / kSpeedCell);
}

// States in the same cell count as one; the first to get there stays.
std::uint64_t stateKey(const Node& node, const Body* kugeln, std::size_t count) {
    std::uint64_t h = mix(0, cell(node.ball.left, kBallCell));
    h = mix(h, cell(node.ball.top, kBallCell));
    h = mix(h, speedCell(node.ball.vx));
    h = mix(h, speedCell(node.ball.vy));
    h = mix(h, static_cast<std::int64_t>(node.polarity));
    for (std::size_t n = 0; n < count; ++n) {
        h = mix(h, cell(kugeln[n].left, kKugelCell));
        h = mix(h, cell(kugeln[n].top, kKugelCell));
        h = mix(h, kugeln[n].vx != 0 || kugeln[n].vy != 0);
    }
    return h | 1;  // 0 marks a free place in the set
}

// A set of 64-bit keys with open addressing; it only grows.
class KeySet {
public:
    KeySet() : slots_(1 << 16, 0) {}

    bool insert(std::uint64_t key) {
        if (2 * (count_ + 1) > slots_.size()) grow();
        if (!place(slots_, key)) return false;
        ++count_;
        return true;
    }

private:
    static bool place(std::vector<std::uint64_t>& slots, std::uint64_t key) {
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = key & mask;; i = (i + 1) & mask) {
            if (slots[i] == key) return false;
            if (slots[i] == 0) {
                slots[i] = key;
                return true;
            }
        }
    }
    void grow() {
        std::vector<std::uint64_t> bigger(slots_.size() * 2, 0);
        for (const std::uint64_t key : slots_) {
            if (key != 0) place(bigger, key);
        }
        slots_.swap(bigger);
    }

    std::vector<std::uint64_t> slots_;
    std::size_t count_ = 0;
};

// Ticks still to go at best: the slower of the two axes decides.
float estimate(const Body& ball, Twips exitLeft) {
    const float up = std::max(0.0f, ball.top);
    const float across =
        std::max(0.0f, std::fabs(ball.left - (exitLeft + kExitCentre)) - kExitSlack);
    return std::max(up, across) / kTopSpeed;
}

struct QueueEntry {
    float priority;
    std::uint32_t node;
    // The smallest priority first; among equals the older node, so the search
    // does not depend on the order of the heap.
    bool operator<(const QueueEntry& other) const {
        if (priority != other.priority) return priority > other.priority;
        return node > other.node;
    }
};

struct Child {
    Node node;
    int wonAt = 0;
    bool valid = false;
};

bool stopped(const std::atomic<bool>* stop) {
    return stop != nullptr && stop->load(std::memory_order_relaxed);
}

std::vector<KeyStep> trimToTicks(std::vector<KeyStep> steps, std::int64_t ticks) {
    std::vector<KeyStep> kept;
    for (KeyStep& step : steps) {
        if (ticks <= 0) break;
        step.count = std::min(step.count, ticks);
        ticks -= step.count;
        kept.push_back(step);
    }
    return kept;
}

}  // namespace

std::vector<KeyStep> mergeKeySteps(const std::vector<KeyStep>& steps) {
    std::vector<KeyStep> merged;
    for (const KeyStep& step : steps) {
        if (!merged.empty() && merged.back().keys == step.keys) {
            merged.back().count += step.count;
        } else {
            merged.push_back(step);
        }
    }
    return merged;
}

int defaultSolveThreads() {
    return static_cast<int>(std::max(1u, std::min(2u, std::thread::hardware_concurrency())));
}

std::int64_t winningTick(const GameModel& start, const std::vector<KeyStep>& steps) {
    GameModel model = start;
    const PlayResult played = playKeySteps(model, steps);
    return played.won ? played.ticks : 0;
}

std::vector<KeyStep> shortenKeyScript(const GameModel& start, std::vector<KeyStep> steps,
                                      std::int64_t maxTicks, const std::atomic<bool>* stop) {
    steps = mergeKeySteps(steps);
    std::int64_t won = winningTick(start, steps);
    if (won == 0) return steps;
    steps = trimToTicks(steps, won);
    int replays = 0;
    const auto tryKeys = [&](std::size_t i, const HeldKeys& keys) {
        if (++replays > kShortenReplays || stopped(stop)) return false;
        std::vector<KeyStep> candidate = steps;
        candidate[i].keys = keys;
        // Changed keys may win a little later than before: the last keys are
        // held on for as long as the budget allows.
        candidate.back().count +=
            std::clamp<std::int64_t>(maxTicks - totalTicks(candidate), 0, kShortenSlack);
        candidate = mergeKeySteps(candidate);
        const std::int64_t tick = winningTick(start, candidate);
        if (tick == 0 || tick > maxTicks) return false;
        steps = trimToTicks(std::move(candidate), tick);
        return true;
    };
    // The shortest steps go first: they are the likeliest to be unneeded.
    for (bool changed = true; changed && replays < kShortenReplays;) {
        changed = false;
        std::vector<std::size_t> order(steps.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return steps[a].count < steps[b].count;
        });
        for (const std::size_t i : order) {
            if (i >= steps.size()) continue;
            const HeldKeys before = i > 0 ? steps[i - 1].keys : steps[i].keys;
            // The index is tested in the same expression; cppcheck does not see it.
            // cppcheck-suppress containerOutOfBounds
            const HeldKeys after = i + 1 < steps.size() ? steps[i + 1].keys : steps[i].keys;
            if ((i > 0 && tryKeys(i, before)) || (i + 1 < steps.size() && tryKeys(i, after))) {
                changed = true;
                break;  // the indices moved
            }
        }
    }
    return steps;
}

SolveResult solveLevel(const GameModel& start, const SolveOptions& options) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point began = Clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(Clock::now() - began).count();
    };

    SolveResult result;
    const Movers movers(start);
    const std::size_t kugelCount = movers.count();
    Team team(options.threads);
    std::vector<Simulator> simulators;
    simulators.reserve(static_cast<std::size_t>(team.size()));
    for (int t = 0; t < team.size(); ++t) simulators.emplace_back(start, movers);

    std::vector<Node> nodes;
    std::vector<Body> kugeln;  // kugelCount per node
    KeySet seen;
    std::priority_queue<QueueEntry> queue;

    Node root;
    kugeln.resize(kugelCount);
    Simulator(start, movers).save(root, kugeln.data());
    nodes.push_back(root);
    seen.insert(stateKey(root, kugeln.data(), kugelCount));
    const Twips exitLeft = start.Ende.Left;
    queue.push({kGreed * estimate(root.ball, exitLeft), 0});

    std::vector<std::uint32_t> batch;
    std::vector<Child> children;
    std::vector<Body> childKugeln;

    const auto finish = [&](SolveOutcome outcome) {
        result.outcome = outcome;
        result.statesKept = static_cast<std::int64_t>(nodes.size());
        result.seconds = elapsed();
        return result;
    };

    while (!queue.empty()) {
        if (elapsed() > options.seconds || stopped(options.stop)) {
            return finish(SolveOutcome::OutOfTime);
        }
        batch.clear();
        while (!queue.empty() && batch.size() < kBatch) {
            batch.push_back(queue.top().node);
            queue.pop();
        }
        children.assign(batch.size() * kKeyCombinations.size(), Child{});
        childKugeln.assign(children.size() * kugelCount, Body{});
        team.run(children.size(), [&](int thread, std::size_t c) {
            const std::uint32_t parent = batch[c / kKeyCombinations.size()];
            const Node& from = nodes[parent];
            const std::int64_t left = options.maxTicks - from.tick;
            if (left <= 0 || stopped(options.stop)) return;
            const int ticks = static_cast<int>(std::min<std::int64_t>(kSegmentTicks, left));
            Simulator& sim = simulators[static_cast<std::size_t>(thread)];
            sim.load(from, kugeln.data() + parent * kugelCount);
            Child& child = children[c];
            child.wonAt = sim.run(kKeyCombinations[c % kKeyCombinations.size()], ticks);
            child.node.parent = parent;
            child.node.action = static_cast<std::uint8_t>(c % kKeyCombinations.size());
            child.node.tick = from.tick + ticks;
            sim.save(child.node, childKugeln.data() + c * kugelCount);
            child.valid = true;
        });
        result.statesSearched += static_cast<std::int64_t>(batch.size());
        // A batch cut short by a stop leaves children out: none may count.
        if (stopped(options.stop)) return finish(SolveOutcome::OutOfTime);
        if (options.progress) options.progress(result.statesSearched);

        for (std::size_t c = 0; c < children.size(); ++c) {
            const Child& child = children[c];
            if (!child.valid) continue;
            if (child.wonAt > 0) {
                const Node& from = nodes[child.node.parent];
                const std::int64_t tick = from.tick + child.wonAt;
                if (tick > options.maxTicks) continue;
                std::vector<KeyStep> steps{{kKeyCombinations[child.node.action], child.wonAt}};
                for (std::uint32_t n = child.node.parent; nodes[n].parent != kNoParent;
                     n = nodes[n].parent) {
                    steps.push_back({kKeyCombinations[nodes[n].action],
                                     nodes[n].tick - nodes[nodes[n].parent].tick});
                }
                std::reverse(steps.begin(), steps.end());
                // The search moved the charged balls' discs with offsets; the
                // replay moves them as the game does, and has the last word.
                if (winningTick(start, steps) == 0) continue;
                result.steps =
                    shortenKeyScript(start, std::move(steps), options.maxTicks, options.stop);
                result.ticks = winningTick(start, result.steps);
                return finish(SolveOutcome::Won);
            }
            const Body* childBodies = childKugeln.data() + c * kugelCount;
            if (!seen.insert(stateKey(child.node, childBodies, kugelCount))) continue;
            if (static_cast<std::int64_t>(nodes.size()) >= options.maxStates) {
                return finish(SolveOutcome::OutOfStates);
            }
            const auto index = static_cast<std::uint32_t>(nodes.size());
            nodes.push_back(child.node);
            kugeln.insert(kugeln.end(), childBodies, childBodies + kugelCount);
            queue.push(
                {static_cast<float>(child.node.tick) + kGreed * estimate(child.node.ball, exitLeft),
                 index});
        }
    }
    return finish(SolveOutcome::Exhausted);
}

}  // namespace ferlan
