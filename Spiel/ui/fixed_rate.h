// Runs an event at a fixed rate driven by elapsed time, so the game keeps the
// same speed on every machine whatever its timers deliver.
#pragma once

#include <QtGlobal>

namespace ferlan {

class FixedRate {
public:
    // `maxCatchUp` bounds the events run at once after a stall (a dragged
    // window, a suspended laptop); the time beyond it is dropped.
    FixedRate(int perSecond, int maxCatchUp) : perSecond_(perSecond), maxCatchUp_(maxCatchUp) {}

    void start(qint64 nowNs) {
        startNs_ = nowNs;
        done_ = 0;
        running_ = true;
    }
    void stop() { running_ = false; }
    bool running() const { return running_; }

    // How many events have fallen due by `nowNs`, counted as run.
    int take(qint64 nowNs) {
        if (!running_) return 0;
        const qint64 due = dueBy(nowNs) - done_;
        if (due <= 0) return 0;
        if (due > maxCatchUp_) {
            done_ = dueBy(nowNs);
            return maxCatchUp_;
        }
        done_ += due;
        return static_cast<int>(due);
    }

    // When the next event falls due.
    qint64 nextDueNs() const {
        return startNs_ + ((done_ + 1) * kNsPerSecond + perSecond_ - 1) / perSecond_;
    }

private:
    static constexpr qint64 kNsPerSecond = 1'000'000'000;

    qint64 dueBy(qint64 nowNs) const { return (nowNs - startNs_) * perSecond_ / kNsPerSecond; }

    int perSecond_;
    int maxCatchUp_;
    qint64 startNs_ = 0;
    qint64 done_ = 0;
    bool running_ = false;
};

}  // namespace ferlan
