#include "frame_clock.h"

#include "alarm_lamp.h"
#include "credits_roll.h"

#include <Spiel/sim/rules.h>

#include <algorithm>
#include <utility>

namespace ferlan {

namespace {

constexpr int kMaxCreditStepsAtOnce = 4;
constexpr qint64 kNsPerMs = 1'000'000;

}  // namespace

FrameClock::FrameClock(std::function<void()> frame)
    : rates_{FixedRate(kTicksPerSecond, kMaxTicksCaughtUp),
             FixedRate(CreditsRoll::kStepsPerSecond, kMaxCreditStepsAtOnce),
             FixedRate(AlarmLamp::kEventsPerSecond, 1)} {
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, std::move(frame));
}

void FrameClock::run(Beat beat, bool on) {
    FixedRate& r = rate(beat);
    if (on && !r.running()) {
        r.start(nowNs());
    } else if (!on && r.running()) {
        r.stop();
    }
}

void FrameClock::schedule() {
    qint64 next = wakeNs_ > 0 ? wakeNs_ : -1;
    for (const FixedRate& r : rates_) {
        if (r.running() && (next < 0 || r.nextDueNs() < next)) next = r.nextDueNs();
    }
    if (next < 0) {
        timer_.stop();
        return;
    }
    const qint64 waitMs = std::max<qint64>(0, (next - nowNs() + kNsPerMs - 1) / kNsPerMs);
    // Restarting a running timer costs a round through the event loop's
    // timer list; most frames ask for the wait it already has.
    if (timer_.isActive() && timer_.remainingTime() == waitMs) return;
    timer_.start(static_cast<int>(waitMs));
}

}  // namespace ferlan
