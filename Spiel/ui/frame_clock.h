// The game window's clock: the tick (64 a second), the credits roll and the
// alarm lamp each run at a fixed rate measured by elapsed time, so the game
// keeps its speed on every machine whatever its timers deliver; after a stall
// only a few events are caught up. One timer wakes the window when the next
// event falls due, and sleeps while nothing runs.
#pragma once

#include "fixed_rate.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <array>
#include <functional>

namespace ferlan {

class FrameClock : public QObject {
public:
    enum class Beat { Tick, Credits, Lamp };
    // A stall longer than this many ticks (about an eighth of a second) is
    // dropped rather than played fast.
    static constexpr int kMaxTicksCaughtUp = 8;

    // `frame` runs whenever an event fell due (or a wake-up asked for).
    explicit FrameClock(std::function<void()> frame);

    qint64 nowNs() const { return clock_.nsecsElapsed(); }

    // Starts (counting from now) or stops a beat; a beat that already runs
    // as asked keeps its phase.
    void run(Beat beat, bool on);
    bool running(Beat beat) const { return rate(beat).running(); }
    // How many events of `beat` fell due since the last call, counted as run.
    int take(Beat beat) { return rate(beat).take(nowNs()); }

    // Also wake at `ns` (the end of a notice); 0 for no such wake-up.
    void wakeAt(qint64 ns) { wakeNs_ = ns; }

    // Arms the timer for the next event, or lets it sleep.
    void schedule();
    bool armed() const { return timer_.isActive(); }

private:
    FixedRate& rate(Beat beat) { return rates_[static_cast<std::size_t>(beat)]; }
    const FixedRate& rate(Beat beat) const { return rates_[static_cast<std::size_t>(beat)]; }

    std::array<FixedRate, 3> rates_;
    QElapsedTimer clock_;
    QTimer timer_;
    qint64 wakeNs_ = 0;
};

}  // namespace ferlan
