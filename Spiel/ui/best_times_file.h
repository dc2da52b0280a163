// The player's best times on disk: a file of their own beside the progress
// file, under the same folder rules, replaced whole on every write.
#pragma once

#include "progress_file.h"

#include <Spiel/sim/best_times.h>

#include <QString>

#include <optional>
#include <utility>

namespace ferlan {

class BestTimesFile {
public:
    static constexpr const char* kFileName = "bestzeiten.txt";

    explicit BestTimesFile(ProgressFile folders) : folders_(std::move(folders)) {}

    // The stored times; none for a missing file. Nothing for a file that is
    // there but cannot be read, so that no write replaces it.
    std::optional<BestTimes> read() const;

    enum class Recorded { NotBetter, NewBest, NotStored };
    // A win of built-in level `levelNumber` after `ticks`: takes what the
    // file holds into `kept` first, so that another game's faster time is
    // never lost nor beaten only in memory, then keeps the time if it beats
    // every one and writes the file, reading it once. NotStored, with the
    // reason in `error`: a new best time that could not be written (`kept`
    // has it for the session).
    Recorded record(int levelNumber, std::int64_t ticks, BestTimes& kept,
                    QString* error = nullptr) const;

    QString writePath() const { return folders_.writePath(kFileName); }

private:
    ProgressFile folders_;
};

}  // namespace ferlan
