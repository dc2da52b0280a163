#include "session.h"

#include "build_field.h"

#include <leveldata/builtin_levels.h>

#include <algorithm>
#include <utility>

namespace ferlan {

std::optional<int> Session::builtinIndex() const {
    if (builtin_ < 0) return std::nullopt;
    return builtin_;
}

void Session::showUnlocked(int highest) {
    unlocked_ = std::max(unlocked_, std::min(highest + 1, kBuiltinLevelCount));
}

void Session::hideList() { unlocked_ = 0; }

bool Session::build() {
    if (!buildLevel(field_, text_)) return false;
    shown_ = true;
    ticking_ = true;
    paused_ = false;
    setCompleted_ = false;
    attemptTicks_ = 0;
    won_ = false;
    timeRecorded_ = false;
    return true;
}

bool Session::startBuiltin(int index) {
    const auto text = builtinLevelText(index);
    if (!text) return false;
    text_ = std::string(*text);
    builtin_ = index;
    // The captions change with the level, even should the build fail.
    field_.fieldChanged();
    field_.panelChanged();
    return build();
}

bool Session::startLoaded(std::string text) {
    text_ = std::move(text);
    builtin_ = -1;
    field_.fieldChanged();
    field_.panelChanged();
    return build();
}

bool Session::restart() {
    ticking_ = false;
    paused_ = false;
    return build();
}

bool Session::leave() {
    shown_ = false;
    ticking_ = false;
    paused_ = false;
    field_.fieldChanged();
    field_.panelChanged();
    return builtin_ >= 0;
}

bool Session::pause() {
    if (!shown_ || !ticking_ || paused_) return false;
    paused_ = true;
    field_.fieldChanged();  // the field dims under the notice
    return true;
}

bool Session::resume() {
    if (!paused_) return false;
    paused_ = false;
    field_.fieldChanged();
    return true;
}

TickOutcome Session::tick() {
    if (!ticking()) return TickOutcome::Nothing;
    const TickOutcome outcome = runTick(field_);
    if (!won_) {
        ++attemptTicks_;
        won_ = outcome == TickOutcome::Won;
    }
    return outcome;
}

AfterWin Session::finishLevel(ProgressStore& store) {
    if (builtin_ < 0) return AfterWin::Stays;
    const int won = builtin_ + 1;
    if (won_ && !timeRecorded_) {
        timeRecorded_ = true;
        store.recordTime(won, attemptTicks_);
    }
    if (won < kBuiltinLevelCount) {
        // No level offered counts as the first one offered.
        const int highestShown = std::max(0, unlocked_ - 1);
        if (won > highestShown) store.recordWin(won, highestShown);
        startBuiltin(won);
        return AfterWin::NextLevel;
    }
    if (!setCompleted_) {
        setCompleted_ = true;
        field_.fieldChanged();
    }
    return AfterWin::SetCompleted;
}

}  // namespace ferlan
