#include "replay_report.h"

#include <Spiel/sim/rules.h>
#include <Spiel/sim/tick.h>

namespace ferlan {
namespace {

template <std::size_t N>
std::vector<std::size_t> shownSlots(const std::array<Image, N>& images) {
    std::vector<std::size_t> slots;
    for (std::size_t i = 1; i < N; ++i) {
        if (images[i].Visible) slots.push_back(i);
    }
    return slots;
}

// The largest of the three discs of `slot`: touching it is being in reach.
template <typename Discs>
const auto& outerDisc(const Discs& discs, std::size_t slot) {
    return discs[discIndex(static_cast<int>(slot), 0)];
}

}  // namespace

ReplayReport reportReplay(const GameModel& start, const std::vector<KeyStep>& steps) {
    GameModel model = start;
    const auto poles = shownSlots(model.Ferlan);
    const auto kugeln = shownSlots(model.Kugel);
    const auto pipes = shownSlots(model.Transformator);
    ReplayReport report;
    auto& ferlanTicks = report.ticksOf(ElementKind::Ferlan);
    auto& kugelTicks = report.ticksOf(ElementKind::Kugel);
    auto& transformatorTicks = report.ticksOf(ElementKind::Transformator);
    ferlanTicks.assign(poles.size(), 0);
    kugelTicks.assign(kugeln.size(), 0);
    transformatorTicks.assign(pipes.size(), 0);

    playKeySteps(model, steps, [&](std::int64_t, TickOutcome outcome) {
        if (outcome == TickOutcome::Won) return;
        const Image& ball = model.Eisenkugel;
        for (std::size_t s = 0; s < poles.size(); ++s) {
            if (touches(ball, outerDisc(model.Anziehung, poles[s]))) ++ferlanTicks[s];
        }
        for (std::size_t s = 0; s < kugeln.size(); ++s) {
            if (touches(ball, outerDisc(model.Anziehung2, kugeln[s]))) ++kugelTicks[s];
        }
        for (std::size_t s = 0; s < pipes.size(); ++s) {
            if (inPolarisingWindow(model.Transformator[pipes[s]], ball)) {
                ++transformatorTicks[s];
            }
        }
    });
    return report;
}

}  // namespace ferlan
