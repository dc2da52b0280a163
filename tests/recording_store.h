// A progress store for tests: remembers every win and time the session records.
#pragma once

#include <Spiel/sim/session.h>

#include <utility>
#include <vector>

namespace ferlan {

class RecordingStore : public ProgressStore {
public:
    void recordWin(int levelNumber, int) override { wins.push_back(levelNumber); }
    void recordTime(int levelNumber, std::int64_t ticks) override {
        times.emplace_back(levelNumber, ticks);
    }

    std::vector<int> wins;
    std::vector<std::pair<int, std::int64_t>> times;
};

}  // namespace ferlan
