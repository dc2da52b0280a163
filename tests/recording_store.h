// A progress store for tests: remembers every win the session records.
#pragma once

#include <Spiel/sim/session.h>

#include <vector>

namespace ferlan {

class RecordingStore : public ProgressStore {
public:
    void recordWin(int levelNumber, int) override { wins.push_back(levelNumber); }

    std::vector<int> wins;
};

}  // namespace ferlan
